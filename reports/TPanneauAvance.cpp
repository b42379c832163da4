#include "TPanneauAvance.h"

#include <limits>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "BD.h"
#include "Dialogues.h"
#include "Fichiers.h"
#include "Globales.h"
#include "Ini.h"
#include "Langue.h"
#include "Modeles.h"
#include "ModelesRapport.h"
#include "ModelesUtilisateur.h"
#include "Parente.h"
#include "TListeModeles.h"
#include "TfmEditeContenu.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteLectureImpossible = 8500;

QString nomLigne(const char *prefixe, int ligne)
{
    return QLatin1String(prefixe) + QString::number(ligne + 1);
}

} // namespace

void TPanneauAvance::TLigne::Montre(bool visible) const
{
    for (QWidget *w : {static_cast<QWidget *>(Code), static_cast<QWidget *>(Bouton),
                       static_cast<QWidget *>(Test), static_cast<QWidget *>(Valeur)})
        w->setVisible(visible);
}

// Whether the row would show with its panel: the panel itself may be behind
// another one.
bool TPanneauAvance::TLigne::Visible() const
{
    return !Code->isHidden();
}

TPanneauAvance::TPanneauAvance(const TBD &bd, TfmRapport &rapport, std::function<int()> personne,
                               QWidget *parent)
    : QWidget(parent)
    , m_bd(bd)
    , m_rapport(rapport)
    , m_personne(std::move(personne))
{
    setObjectName(u"pAvance"_s);
    m_attente = new QTimer(this);
    m_attente->setSingleShot(true);
    m_attente->setInterval(0);
    connect(m_attente, &QTimer::timeout, this, &TPanneauAvance::appliqueEnAttente);
    construit();
    Initialise();
}

TPanneauAvance::~TPanneauAvance() = default;

void TPanneauAvance::construit()
{
    m_cbFileListP = new TListeModeles([this] { GetFileListAv(); }, this);
    m_cbFileListP->setObjectName(u"CB_FileListP"_s);
    m_eFileP = m_cbFileListP->lineEdit();
    m_eFileP->setObjectName(u"eFileP"_s);
    m_sbSauveP = new QToolButton(this);
    m_sbSauveP->setObjectName(u"sbSauveP"_s);
    m_sbSauveP->setText(u"Enregistrer"_s);
    m_sbSauveP->setToolTip(u"Enregistre la sélection sous le nom indiqué."_s);

    m_cbSource = new QComboBox(this);
    m_cbSource->setObjectName(u"cbSource"_s);
    m_cbSource->addItems({u"Tout le monde"_s, u"Individus dans le rapport"_s});
    m_eTitre = new QLineEdit(u"Rapport personnalisé"_s, this);
    m_eTitre->setObjectName(u"eTitre"_s);
    // A line edit cuts its text at 32,767 characters by default: a title or
    // a value read from a file must be saved back whole.
    m_eTitre->setMaxLength(std::numeric_limits<int>::max());

    for (int i = 0; i < 3; ++i) {
        TLigne &l = m_lignes[static_cast<size_t>(i)];
        l.Code = new QLineEdit(this);
        l.Code->setObjectName(nomLigne("echp", i));
        l.Bouton = new QToolButton(this);
        l.Bouton->setObjectName(nomLigne("bchp", i));
        l.Bouton->setText(u"?"_s);
        l.Bouton->setToolTip(u"Éditeur de contenu"_s);
        l.Test = new QComboBox(this);
        l.Test->setObjectName(nomLigne("cbsign", i));
        for (int t = 0; t < NbTestsSelection; ++t)
            l.Test->addItem(TexteTest(t));
        l.Test->setCurrentIndex(-1);
        l.Valeur = new QLineEdit(this);
        l.Valeur->setObjectName(nomLigne("ecomp", i));
        l.Code->setMaxLength(std::numeric_limits<int>::max());
        l.Valeur->setMaxLength(std::numeric_limits<int>::max());
    }
    for (int j = 0; j < 2; ++j) {
        QComboBox *&c = m_cbetou[static_cast<size_t>(j)];
        c = new QComboBox(this);
        c->setObjectName(nomLigne("cbetou", j));
        for (int k = JonctionVide; k <= JonctionOu; ++k)
            c->addItem(TexteJonction(k));
    }

    m_cbAppAvance = new QCheckBox(u"Appliquer à chaque modification"_s, this);
    m_cbAppAvance->setObjectName(u"cbAppAvance"_s);
    m_cbAppAvance->setChecked(true);
    m_bOkAvance = new QPushButton(u"Ok"_s, this);
    m_bOkAvance->setObjectName(u"bOkAvance"_s);
    m_cbTrtCol = new QCheckBox(this);
    m_cbTrtCol->setObjectName(u"cbTrtCol"_s);
    m_cbTrtCol->hide();

    auto *modele = new QHBoxLayout;
    auto *lModele = new QLabel(u"Utiliser le modèle"_s, this);
    lModele->setBuddy(m_cbFileListP);
    modele->addWidget(lModele);
    modele->addWidget(m_cbFileListP, 1);
    modele->addWidget(m_sbSauveP);

    auto *haut = new QGridLayout;
    auto *lSource = new QLabel(u"Rechercher parmi"_s, this);
    lSource->setBuddy(m_cbSource);
    auto *lTitre = new QLabel(u"Titre du rapport"_s, this);
    lTitre->setBuddy(m_eTitre);
    haut->addWidget(lSource, 0, 0);
    haut->addWidget(m_cbSource, 0, 1);
    haut->addWidget(lTitre, 1, 0);
    haut->addWidget(m_eTitre, 1, 1);
    haut->setColumnStretch(1, 1);

    // Each row on two lines (the code and its builder, then the test and the
    // value), so that the window keeps its small width.
    auto *criteres = new QGridLayout;
    criteres->setColumnStretch(1, 1);
    int r = 0;
    for (int i = 0; i < 3; ++i) {
        const TLigne &l = m_lignes[static_cast<size_t>(i)];
        if (i > 0)
            criteres->addWidget(m_cbetou[static_cast<size_t>(i - 1)], r++, 0);
        criteres->addWidget(l.Code, r, 0, 1, 2);
        criteres->addWidget(l.Bouton, r++, 2);
        criteres->addWidget(l.Test, r, 0);
        criteres->addWidget(l.Valeur, r++, 1, 1, 2);
    }

    auto *bas = new QHBoxLayout;
    bas->addWidget(m_cbAppAvance, 1);
    bas->addWidget(m_bOkAvance);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(modele);
    colonne->addLayout(haut);
    colonne->addLayout(criteres);
    colonne->addStretch(1);
    colonne->addLayout(bas);

    m_cbetou[0]->hide();
    m_cbetou[1]->hide();
    m_lignes[1].Montre(false);
    m_lignes[2].Montre(false);

    const auto change = [this] { ChampChange(); };
    connect(m_cbFileListP, &QComboBox::activated, this, &TPanneauAvance::CB_FileListAvChange);
    connect(m_sbSauveP, &QToolButton::clicked, this, [this] { sbSauveAvClick(); });
    connect(m_cbSource, &QComboBox::currentIndexChanged, this, change);
    connect(m_eTitre, &QLineEdit::textChanged, this, change);
    for (int i = 0; i < 3; ++i) {
        const TLigne &l = m_lignes[static_cast<size_t>(i)];
        connect(l.Code, &QLineEdit::textChanged, this, change);
        connect(l.Test, &QComboBox::currentIndexChanged, this, change);
        connect(l.Valeur, &QLineEdit::textChanged, this, change);
        connect(l.Bouton, &QToolButton::clicked, this, [this, i] { bchpClick(i); });
    }
    for (QComboBox *c : m_cbetou)
        connect(c, &QComboBox::currentIndexChanged, this, change);
    connect(m_cbAppAvance, &QCheckBox::toggled, this, change);
    connect(m_bOkAvance, &QPushButton::clicked, this, [this] { bOkAvanceClick(); });
}

void TPanneauAvance::Initialise()
{
    const bool avant = std::exchange(m_chargement, true);
    for (QComboBox *c : {m_cbetou[0], m_cbetou[1], m_cbSource}) {
        if (c->currentIndex() < 0)
            c->setCurrentIndex(0);
    }
    if (m_eFileP->text().isEmpty())
        m_eFileP->setText(NomModeleDefaut);
    m_chargement = avant;
}

TSelectionAvancee TPanneauAvance::Selection() const
{
    TSelectionAvancee s;
    s.Source = m_cbSource->currentIndex() == SourceRapport ? SourceRapport : SourceTous;
    s.Titre = m_eTitre->text();
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        const TLigne &l = m_lignes[i];
        s.Criteres[i] = {l.Code->text(), l.Test->currentIndex(), l.Valeur->text()};
    }
    for (size_t j = 0; j < m_cbetou.size(); ++j)
        s.Jonctions[j] = m_cbetou[j]->isHidden() ? JonctionVide : m_cbetou[j]->currentIndex();
    return s;
}

// ---- Applying ------------------------------------------------------------

void TPanneauAvance::ChampChange()
{
    if (m_chargement)
        return;
    const TLigne &l1 = m_lignes[0];
    const TLigne &l2 = m_lignes[1];
    const bool avant = std::exchange(m_chargement, true);
    m_cbetou[0]->setVisible(!l1.Code->text().isEmpty() && l1.Test->currentIndex() >= 0);
    l2.Montre(!m_cbetou[0]->isHidden() && m_cbetou[0]->currentIndex() > 0);
    m_cbetou[1]->setVisible(l2.Visible() && !l2.Code->text().isEmpty());
    if (!l2.Visible())
        m_cbetou[1]->setCurrentIndex(JonctionVide);
    m_lignes[2].Montre(!m_cbetou[1]->isHidden() && m_cbetou[1]->currentIndex() > 0);
    m_chargement = avant;

    // The title is the report's at once, whether the selection applies now
    // or later.
    m_rapport.DefinitTitre(m_eTitre->text());
    if (m_cbAppAvance->isChecked() && !valeurSansCode())
        demandeApplication();
}

// A value without a code compares nobody's data: the user is still typing
// the row.
bool TPanneauAvance::valeurSansCode() const
{
    for (const TLigne &l : m_lignes) {
        if (l.Visible() && !l.Valeur->text().isEmpty() && l.Code->text().isEmpty())
            return true;
    }
    return false;
}

void TPanneauAvance::demandeApplication()
{
    m_attente->start();
}

// Keys typed while the report fills arrive during the fill; the request then
// waits for its end rather than being lost.
void TPanneauAvance::appliqueEnAttente()
{
    if (m_evaluation || m_rapport.Occupe()) {
        m_attente->start(50);
        return;
    }
    m_attente->setInterval(0);
    Applique();
}

void TPanneauAvance::Applique()
{
    if (m_evaluation || m_rapport.Occupe())
        return;
    const TSelectionAvancee s = Selection();
    if (s.Criteres[0].Code.isEmpty() || s.Criteres[0].Test < 0)
        return;
    m_evaluation = true;
    const TR source = s.Source == SourceTous ? AllPersons(m_bd) : m_rapport.Liste();
    const TR resultat = EvalueSelection(source, s, ExpandeurDe(m_bd));
    m_rapport.AfficheListe(resultat, s.Titre);
    m_evaluation = false;
}

void TPanneauAvance::bOkAvanceClick()
{
    if (!m_cbAppAvance->isChecked())
        Applique();
    emit Ferme();
}

void TPanneauAvance::bchpClick(int ligne)
{
    QLineEdit *code = m_lignes[static_cast<size_t>(ligne)].Code;
    // The builder's result replaces the code, even empty (cancelled).
    code->setText(EditeContenu(m_bd, m_personne ? m_personne() : 0, code->text(), this));
}

// ---- Selection files -------------------------------------------------------

void TPanneauAvance::GetFileListAv()
{
    const bool avant = std::exchange(m_chargement, true);
    const QString nom = m_eFileP->text();
    m_nomAvantListe = nom;
    m_cbFileListP->clear();
    for (const TFichierModele &m : ListeModeles(DossiersRapport(), u".mvp"_s))
        m_cbFileListP->addItem(m.Nom, m.Chemin);
    m_cbFileListP->setCurrentIndex(m_cbFileListP->findText(nom, Qt::MatchFixedString));
    m_eFileP->setText(nom);
    m_chargement = avant;
}

void TPanneauAvance::CB_FileListAvChange(int index)
{
    const QString chemin = m_cbFileListP->itemData(index).toString();
    if (chemin.isEmpty())
        return;
    QString erreur;
    // The item keeps the file's real name: the name shown is lower-cased.
    const bool charge = ChargeAvance(chemin, &erreur);
    // The list has put the item's name in the edit: a file that did not load
    // leaves the name of the selection shown.
    const bool avant = std::exchange(m_chargement, true);
    m_eFileP->setText(charge ? m_cbFileListP->itemText(index) : m_nomAvantListe);
    m_chargement = avant;
    if (!charge) {
        AppMessageBox(erreur, MsgErreur, BoutonsOk);
        return;
    }
    if (m_cbAppAvance->isChecked())
        demandeApplication();
}

void TPanneauAvance::sbSauveAvClick()
{
    SauveModeleNomme(m_eFileP->text(), u".mvp"_s,
                     [this](const QString &chemin, QString *erreur) { return SauveAvance(chemin, erreur); });
}

bool TPanneauAvance::SauveAvance(const QString &chemin, QString *erreur)
{
    // A new file built in memory and written in one piece: nothing of an
    // older file of that name survives, and a failed write leaves it whole.
    TIniFile ini(QString(), TEncodage::Windows1252);
    if (m_cbTrtCol->isChecked())
        m_rapport.SauveColonnes(ini);
    EcritSelection(ini, Selection());
    const bool ecrit = EcritTexteWindows1252(CheminSansCasse(chemin), ini.Text(), erreur);
    m_cbTrtCol->setChecked(true);
    return ecrit;
}

bool TPanneauAvance::ChargeAvance(const QString &chemin, QString *erreur)
{
    const QString fichier = CheminSansCasse(chemin);
    // A file that cannot be read would load as an empty one, wiping the rows
    // the user has; a pipe or a device is never opened.
    QString raison = ObstacleLecture(fichier);
    QFile test(fichier);
    if (raison.isEmpty() && !test.open(QIODevice::ReadOnly))
        raison = test.errorString();
    if (!raison.isEmpty()) {
        if (erreur)
            *erreur = FormatTexte(MLTextOu(TexteLectureImpossible,
                                        u"La sélection « %1 » n'a pas pu être lue : %2. Rien n'a été changé."_s),
                                  {QDir::toNativeSeparators(fichier), raison});
        return false;
    }
    test.close();

    const TIniFile ini(fichier, TEncodage::Windows1252);
    // A selection saved with its columns gets them back however the hidden
    // option stands: a file must load the same way in every session.
    if (ini.ValueExists(u"Colonne"_s, u"Nbre"_s))
        m_rapport.ChargeColonnes(ini);
    m_cbTrtCol->setChecked(true);

    const TSelectionAvancee s = LitSelection(ini);
    const bool avant = std::exchange(m_chargement, true);
    m_cbSource->setCurrentIndex(s.Source);
    m_eTitre->setText(s.Titre);
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        const TLigne &l = m_lignes[i];
        const TCritere &c = s.Criteres[i];
        l.Code->setText(c.Code);
        l.Test->setCurrentIndex(c.Test);
        l.Valeur->setText(c.Valeur);
    }
    m_cbetou[0]->setCurrentIndex(s.Jonctions[0]);
    m_cbetou[0]->show();
    const bool ligne2 = s.Jonctions[0] > JonctionVide;
    m_lignes[1].Montre(ligne2);
    m_cbetou[1]->setVisible(ligne2);
    if (ligne2) {
        m_cbetou[1]->setCurrentIndex(s.Jonctions[1]);
    } else {
        m_cbetou[1]->setCurrentIndex(JonctionVide);
        m_lignes[1].Code->clear();
        m_lignes[1].Valeur->clear();
    }
    m_lignes[2].Montre(ligne2 && m_cbetou[1]->currentIndex() > JonctionVide);
    m_chargement = avant;
    return true;
}
