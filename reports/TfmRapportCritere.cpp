#include "TfmRapportCritere.h"

#include <utility>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "BD.h"
#include "Dialogues.h"
#include "Langue.h"
#include "Selections.h"
#include "TPanneauAvance.h"
#include "TPanneauColonnes.h"
#include "TPanneauPredefinis.h"
#include "TPanneauWeb.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteSelectionCoupee = 5050;

// The French words stand in while a language file lacks the text, so that
// the message never comes out empty.
QString messageSelectionCoupee()
{
    const QString t = MLText(TexteSelectionCoupee);
    const QString texte = t.isEmpty() ? u"La sélection a dépassé la taille maximale d'une liste "
                                        "(%1 personnes) : le rapport est incomplet."_s
                                      : t;
    return texte.arg(QLocale(QLocale::French, QLocale::France).toString(TR::Capacity));
}

} // namespace

TfmRapportCritere::TfmRapportCritere(const TBD &bd, TfmRapport &rapport,
                                     std::function<int()> personne,
                                     std::function<TR()> ecranArbre, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_bd(bd)
    , m_rapport(rapport)
    , m_personne(std::move(personne))
    , m_ecranArbre(std::move(ecranArbre))
{
    setObjectName(u"fmRapportCritere"_s);
    setWindowTitle(u"Options du rapport"_s);
    construitPanneauAff();
    m_pCol = new TPanneauColonnes(bd, rapport, m_personne, this);
    m_pDef = new TPanneauPredefinis(bd, rapport, this);
    m_pAvance = new TPanneauAvance(bd, rapport, m_personne, this);
    m_pWeb = new TPanneauWeb(bd, m_personne, this);
    // In the order of the Panneau values.
    m_panneaux = new QStackedWidget(this);
    m_panneaux->addWidget(m_pAff);
    m_panneaux->addWidget(m_pCol);
    m_panneaux->addWidget(m_pDef);
    m_panneaux->addWidget(m_pAvance);
    m_panneaux->addWidget(m_pWeb);
    auto *principal = new QVBoxLayout(this);
    principal->setContentsMargins(0, 0, 0, 0);
    principal->addWidget(m_panneaux);
    resize(347, 336);
    connect(m_pCol, &TPanneauColonnes::Ferme, this, &QWidget::hide);
    connect(m_pDef, &TPanneauPredefinis::Ferme, this, &QWidget::hide);
    connect(m_pAvance, &TPanneauAvance::Ferme, this, &QWidget::hide);
    connect(m_pWeb, &TPanneauWeb::Ferme, this, &QWidget::hide);
    connect(&m_rapport, &TfmRapport::SelectionInitiale, this, [this] { SetSorte(0); });
}

TfmRapportCritere::~TfmRapportCritere() = default;

void TfmRapportCritere::construitPanneauAff()
{
    m_pAff = new QWidget(this);
    m_pAff->setObjectName(u"pAff"_s);

    m_lTitre = new QLabel(m_pAff);
    m_lTitre->setObjectName(u"lTitre"_s);
    QFont gras = m_lTitre->font();
    gras.setBold(true);
    m_lTitre->setFont(gras);

    m_lbAfficher = new QListWidget(m_pAff);
    m_lbAfficher->setObjectName(u"lbAfficher"_s);
    for (int sorte = 0; sorte < NbSortesSelection; ++sorte)
        m_lbAfficher->addItem(TexteSorteSelection(sorte));
    m_lbAfficher->setCurrentRow(-1);

    m_lGen = new QLabel(u"Génération / Degré"_s, m_pAff);
    m_lGen->setObjectName(u"lGen"_s);
    m_seGen = new QSpinBox(m_pAff);
    m_seGen->setObjectName(u"seGen"_s);
    m_seGen->setRange(1, 99);
    m_seGen->setValue(1);
    m_lGen->setBuddy(m_seGen);

    m_cbTrie = new QCheckBox(u"Trier alphabétiquement le rapport"_s, m_pAff);
    m_cbTrie->setObjectName(u"cbTrie"_s);
    m_cbAppliquer = new QCheckBox(u"Appliquer à chaque modification"_s, m_pAff);
    m_cbAppliquer->setObjectName(u"cbAppliquer"_s);
    m_cbAppliquer->setChecked(true);
    m_bOk = new QPushButton(u"Ok"_s, m_pAff);
    m_bOk->setObjectName(u"bOk"_s);

    auto *personne = new QHBoxLayout;
    personne->addWidget(new QLabel(u"Par rapport à :"_s, m_pAff));
    personne->addWidget(m_lTitre, 1);
    auto *degre = new QHBoxLayout;
    degre->addWidget(m_lGen);
    degre->addWidget(m_seGen);
    degre->addStretch(1);
    auto *bas = new QHBoxLayout;
    bas->addWidget(m_cbAppliquer, 1);
    bas->addWidget(m_bOk);
    auto *colonne = new QVBoxLayout(m_pAff);
    colonne->addLayout(personne);
    colonne->addWidget(new QLabel(u"Sélectionnez le rapport à afficher:"_s, m_pAff));
    colonne->addWidget(m_lbAfficher, 1);
    colonne->addLayout(degre);
    colonne->addWidget(m_cbTrie);
    colonne->addLayout(bas);

    montreDegre(-1);

    connect(m_lbAfficher, &QListWidget::currentRowChanged, this, [this] { lbAfficherClick(); });
    connect(m_seGen, &QSpinBox::valueChanged, this, [this] { seGenChange(); });
    connect(m_cbTrie, &QCheckBox::toggled, this, [this] { cbTrieClick(); });
    connect(m_cbAppliquer, &QCheckBox::toggled, this, [this] { cbAppliquerClick(); });
    connect(m_bOk, &QPushButton::clicked, this, [this] { bOkClick(); });
}

int TfmRapportCritere::Sorte() const
{
    return m_lbAfficher->currentRow();
}

void TfmRapportCritere::SetSorte(int sorte)
{
    const bool avant = std::exchange(m_chargement, true);
    m_lbAfficher->setCurrentRow(sorte >= 0 && sorte < NbSortesSelection ? sorte : -1);
    montreDegre(Sorte());
    m_chargement = avant;
}

void TfmRapportCritere::Applique()
{
    // The report window refuses a new list while it fills; building one that
    // would be thrown away is wasted work on a large database.
    if (m_rapport.Occupe())
        return;
    const int sorte = Sorte();
    const int p = m_personne ? m_personne() : 0;
    TSelection selection = SelectionneListe(m_bd, sorte, p, m_seGen->value(), m_ecranArbre);
    if (m_cbTrie->isChecked())
        SortList(m_bd, selection.Liste, PcNomComplet);
    m_rapport.AfficheListe(selection.Liste, selection.Titre);
    if (sorte < 0) {
        montreDegre(sorte);
        hide();
    }
    if (selection.Coupee)
        AppMessageBox(messageSelectionCoupee(), MsgAvertissement, BoutonsOk);
}

void TfmRapportCritere::AffichePersonne()
{
    m_lTitre->setText(m_bd.FullName(m_personne ? m_personne() : 0));
    m_pWeb->AffichePersonne();
}

void TfmRapportCritere::MontrePanneau(Panneau panneau)
{
    m_panneaux->setCurrentIndex(panneau);
    show();
    raise();
}

TfmRapportCritere::Panneau TfmRapportCritere::PanneauCourant() const
{
    return static_cast<Panneau>(m_panneaux->currentIndex());
}

void TfmRapportCritere::showEvent(QShowEvent *evenement)
{
    AffichePersonne();
    m_pCol->AfficheModele();
    m_pDef->DefInit();
    m_pAvance->Initialise();
    m_pWeb->Initialise();
    QWidget::showEvent(evenement);
}

void TfmRapportCritere::hideEvent(QHideEvent *evenement)
{
    QWidget::hideEvent(evenement);
    // A window minimised with its owner is still in use.
    if (!evenement->spontaneous())
        emit Cachee();
}

void TfmRapportCritere::montreDegre(int sorte)
{
    const bool degre = SorteAvecDegre(sorte);
    m_lGen->setVisible(degre);
    m_seGen->setVisible(degre);
}

void TfmRapportCritere::lbAfficherClick()
{
    montreDegre(Sorte());
    m_pDef->EffaceChoix();
    if (!m_chargement)
        cbAppliquerClick();
}

void TfmRapportCritere::seGenChange()
{
    if (!m_chargement)
        cbAppliquerClick();
}

void TfmRapportCritere::cbTrieClick()
{
    // Unsorting waits for the next fill: the list shown stays as it is.
    if (m_cbTrie->isChecked() && !m_chargement)
        cbAppliquerClick();
}

void TfmRapportCritere::cbAppliquerClick()
{
    if (m_cbAppliquer->isChecked())
        Applique();
}

void TfmRapportCritere::bOkClick()
{
    Applique();
    hide();
}
