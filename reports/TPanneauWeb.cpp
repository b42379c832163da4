#include "TPanneauWeb.h"

#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "BD.h"
#include "Dialogues.h"
#include "Langue.h"
#include "PagesHtml.h"
#include "TfmEditeContenu.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TextePageNonEcrite = 8524;

} // namespace

TPanneauWeb::TPanneauWeb(const TBD &bd, std::function<int()> personne, QWidget *parent)
    : QWidget(parent)
    , m_bd(bd)
    , m_personne(std::move(personne))
{
    setObjectName(u"pWeb"_s);
    construit();
    Initialise();
}

TPanneauWeb::~TPanneauWeb() = default;

void TPanneauWeb::construit()
{
    m_lWeb = new QLabel(this);
    m_lWeb->setObjectName(u"lWeb"_s);
    QFont gras = m_lWeb->font();
    gras.setBold(true);
    m_lWeb->setFont(gras);

    m_lbWeb = new QListWidget(this);
    m_lbWeb->setObjectName(u"lbWeb"_s);
    m_lbWeb->addItems({u"L'ascendance par générations"_s, u"L'ascendance par génération avec les absents"_s,
                       u"Les ascendants manquants"_s});

    m_cbWebFratrie = new QCheckBox(u"Afficher la fratrie"_s, this);
    m_cbWebFratrie->setObjectName(u"cbWebFratrie"_s);
    m_cbWebConjoints = new QCheckBox(u"Afficher les autres conjoints"_s, this);
    m_cbWebConjoints->setObjectName(u"cbWebConjoints"_s);
    m_cbWebComp = new QCheckBox(u"Complément d'information"_s, this);
    m_cbWebComp->setObjectName(u"cbWebComp"_s);
    // The years of birth and death.
    m_eWebComp = new QLineEdit(u"(<eve:Naissance,Année>-<eve:Décès,Année>)"_s, this);
    m_eWebComp->setObjectName(u"eWebComp"_s);
    m_bWebComp = new QToolButton(this);
    m_bWebComp->setObjectName(u"bWebComp"_s);
    m_bWebComp->setText(u"?"_s);
    m_bWebComp->setToolTip(u"Éditeur de contenu"_s);

    auto *lGen = new QLabel(u"Générations"_s, this);
    m_seWebGen = new QSpinBox(this);
    m_seWebGen->setObjectName(u"seWebGen"_s);
    m_seWebGen->setRange(1, 99);
    m_seWebGen->setValue(5);
    lGen->setBuddy(m_seWebGen);

    m_button1 = new QPushButton(u"Afficher"_s, this);
    m_button1->setObjectName(u"Button1"_s);
    m_button1->setToolTip(u"Affiche la recherche dans le navigateur"_s);
    m_button3 = new QPushButton(u"&Fermer"_s, this);
    m_button3->setObjectName(u"Button3"_s);

    auto *personne = new QHBoxLayout;
    personne->addWidget(new QLabel(u"Par rapport à :"_s, this));
    personne->addWidget(m_lWeb, 1);
    auto *complement = new QHBoxLayout;
    complement->addSpacing(20);
    complement->addWidget(m_eWebComp, 1);
    complement->addWidget(m_bWebComp);
    auto *generations = new QHBoxLayout;
    generations->addWidget(lGen);
    generations->addWidget(m_seWebGen);
    generations->addStretch(1);
    auto *bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(m_button1);
    bas->addWidget(m_button3);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(personne);
    colonne->addWidget(new QLabel(u"Sélectionnez le rapport à afficher:"_s, this));
    colonne->addWidget(m_lbWeb, 1);
    colonne->addWidget(m_cbWebFratrie);
    colonne->addWidget(m_cbWebConjoints);
    colonne->addWidget(m_cbWebComp);
    colonne->addLayout(complement);
    colonne->addLayout(generations);
    colonne->addLayout(bas);

    cbWebCompClick();
    connect(m_cbWebComp, &QCheckBox::toggled, this, [this] { cbWebCompClick(); });
    connect(m_bWebComp, &QToolButton::clicked, this, [this] { bWebCompClick(); });
    connect(m_button1, &QPushButton::clicked, this, [this] { Affiche(); });
    connect(m_button3, &QPushButton::clicked, this, &TPanneauWeb::Ferme);
}

void TPanneauWeb::Initialise()
{
    AffichePersonne();
    if (m_lbWeb->currentRow() < 0)
        m_lbWeb->setCurrentRow(0);
}

void TPanneauWeb::AffichePersonne()
{
    m_lWeb->setText(m_bd.FullName(m_personne ? m_personne() : 0));
}

void TPanneauWeb::cbWebCompClick()
{
    const bool visible = m_cbWebComp->isChecked();
    m_eWebComp->setVisible(visible);
    m_bWebComp->setVisible(visible);
}

void TPanneauWeb::bWebCompClick()
{
    // The builder's result replaces the template, even empty (cancelled).
    m_eWebComp->setText(EditeContenu(m_bd, m_personne ? m_personne() : 0, m_eWebComp->text(), this));
}

QString TPanneauWeb::Affiche()
{
    const int p = m_personne ? m_personne() : 0;
    if (!m_bd.PersonInUse(p))
        return QString();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString corps = PageAscendance(m_bd, p, m_seWebGen->value(), std::max(m_lbWeb->currentRow(), 0),
                                         m_cbWebFratrie->isChecked(), m_cbWebConjoints->isChecked(),
                                         m_cbWebComp->isChecked() ? m_eWebComp->text() : QString());
    QApplication::restoreOverrideCursor();
    const QString chemin = NomPageHtmlLibre(u"rapport"_s);
    QString erreur;
    if (!EcritPageHtml(chemin, u"Rapport"_s, corps, &erreur)) {
        AppMessageBox(MLFormat(TextePageNonEcrite, {erreur}), MsgErreur, BoutonsOk);
        return QString();
    }
    AffichePageHtml(chemin);
    return chemin;
}
