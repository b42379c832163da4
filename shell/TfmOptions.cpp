#include "TfmOptions.h"

#include <algorithm>
#include <set>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Fichiers.h"
#include "Langue.h"
#include "Options.h"
#include "Style.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteChoixLindafor = 7101;
constexpr int TexteFiltreLindafor = 7102;
constexpr int TexteNonEnregistre = 5040;

QCheckBox *CaseACocher(const QString &nom, const QString &texte)
{
    auto *cb = new QCheckBox(texte);
    cb->setObjectName(nom);
    return cb;
}

QSpinBox *Compteur(const QString &nom, TBornes bornes, const QString &suffixe = QString())
{
    auto *se = new QSpinBox;
    se->setObjectName(nom);
    se->setRange(bornes.Min, bornes.Max);
    se->setSuffix(suffixe);
    return se;
}

QLineEdit *Saisie(const QString &nom)
{
    auto *e = new QLineEdit;
    e->setObjectName(nom);
    return e;
}

QPushButton *Bouton(const QString &nom, const QString &texte)
{
    auto *b = new QPushButton(texte);
    b->setObjectName(nom);
    b->setAutoDefault(false);
    return b;
}

QTableWidget *Grille(const QString &nom, const QStringList &titres)
{
    auto *sg = new QTableWidget(0, int(titres.size()));
    sg->setObjectName(nom);
    sg->setHorizontalHeaderLabels(titres);
    sg->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg->verticalHeader()->setVisible(false);
    sg->horizontalHeader()->setStretchLastSection(true);
    return sg;
}

QString Cellule(const QTableWidget *grille, int ligne, int colonne)
{
    const QTableWidgetItem *item = grille->item(ligne, colonne);
    return item ? item->text().trimmed() : QString();
}

// The grid with its add and remove buttons under it.
QWidget *PageGrille(QTableWidget *grille, QPushButton *ajoute, QPushButton *supprime,
                    QWidget *dessous = nullptr)
{
    auto *page = new QWidget;
    auto *vbox = new QVBoxLayout(page);
    vbox->addWidget(grille);
    auto *boutons = new QHBoxLayout;
    boutons->addWidget(ajoute);
    boutons->addWidget(supprime);
    boutons->addStretch();
    vbox->addLayout(boutons);
    if (dessous)
        vbox->addWidget(dessous);
    return page;
}

} // namespace

TfmOptions::TfmOptions(TOptions &options, QWidget *parent)
    : QDialog(parent), m_options(options)
{
    setObjectName(u"fmOptions"_s);
    setWindowTitle(u"Options"_s);
    setModal(true);

    auto *onglets = new QTabWidget;
    onglets->setObjectName(u"PC"_s);
    // Every tab title shows: a tab hidden behind scroll arrows is a setting
    // the user never finds.
    onglets->setUsesScrollButtons(false);
    onglets->addTab(CreePageSaisie(), u"Saisie"_s);
    onglets->addTab(CreePageFiche(), u"Fiche"_s);
    onglets->addTab(CreePageNumerotation(), u"Numérotation"_s);
    onglets->addTab(CreePageVerification(), u"Vérification"_s);
    onglets->addTab(CreePageCalendrier(), u"Calendrier"_s);
    onglets->addTab(CreePageEvenements(), u"Événements"_s);
    onglets->addTab(CreePageChamps(), u"Champs"_s);
    onglets->addTab(CreePageSources(), u"Sources"_s);
    onglets->addTab(CreePageStyle(), u"Style"_s);

    m_bOk = Bouton(u"bOk"_s, u"OK"_s);
    m_bOk->setDefault(true);
    m_bAnnuler = Bouton(u"bAnnuler"_s, u"Annuler"_s);
    connect(m_bOk, &QPushButton::clicked, this, &TfmOptions::accept);
    connect(m_bAnnuler, &QPushButton::clicked, this, &TfmOptions::reject);

    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_bOk);
    boutons->addWidget(m_bAnnuler);

    auto *vbox = new QVBoxLayout(this);
    vbox->addWidget(onglets);
    vbox->addLayout(boutons);

    Charge();
    MLTranslateForm(this);
}

QWidget *TfmOptions::CreePageSaisie()
{
    m_cbNomMaj = CaseACocher(u"cbNomMaj"_s, u"Mettre les noms en majuscule"_s);
    m_cbPreMaj = CaseACocher(u"cbPreMaj"_s,
                             u"Mettre les prénoms avec la première lettre en majuscule"_s);
    m_cbSaisieNom = CaseACocher(u"cbSaisieNom"_s, u"Saisie assistée pour les noms, prénoms et lieux"_s);
    m_cbSaisieChp = CaseACocher(u"cbSaisieChp"_s, u"Saisie assistée pour les champs"_s);
    m_seSaisieNom = Compteur(u"seSaisieNom"_s, BornesSaisieNom);
    m_cbSaisieLieu = new QComboBox;
    m_cbSaisieLieu->setObjectName(u"cbSaisieLieu"_s);
    // Item order matters: items 1 to 5 are the parts of a place as the
    // completion list splits it.
    m_cbSaisieLieu->addItems({u"Lieu complet"_s, u"Pays"_s, u"Région"_s,
                              u"Code postal ou département"_s, u"Commune"_s, u"Lieu-dit"_s});
    m_cbLindafor = CaseACocher(u"cbLindafor"_s,
                               u"Utiliser le programme des codes postaux pour la saisie des lieux"_s);
    m_eLindafor = Saisie(u"eLindafor"_s);
    auto *bLindafor = Bouton(u"bLindafor"_s, u"Parcourir..."_s);
    connect(bLindafor, &QPushButton::clicked, this, &TfmOptions::bLindaforClick);
    auto *lindafor = new QHBoxLayout;
    lindafor->addWidget(m_eLindafor, 1);
    lindafor->addWidget(bLindafor);

    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(m_cbNomMaj);
    form->addRow(m_cbPreMaj);
    form->addRow(m_cbSaisieNom);
    form->addRow(m_cbSaisieChp);
    form->addRow(u"Nombre maximal de propositions :"_s, m_seSaisieNom);
    form->addRow(u"Partie du lieu proposée :"_s, m_cbSaisieLieu);
    form->addRow(m_cbLindafor);
    form->addRow(u"Programme des codes postaux :"_s, lindafor);
    return page;
}

QWidget *TfmOptions::CreePageFiche()
{
    m_eFicheTitre = Saisie(u"eFicheTitre"_s);
    m_eFiche1 = Saisie(u"eFiche1"_s);
    m_eFiche2 = Saisie(u"eFiche2"_s);
    m_cbFicheIdEnRech = CaseACocher(u"cbFicheIdEnRech"_s,
                                    u"Afficher l'identité de la fiche pendant une recherche"_s);
    m_cbAjouteEve = CaseACocher(u"cbAjouteEve"_s,
                                u"Donner une année de naissance estimée aux nouveaux parents"_s);
    m_seGeneration = Compteur(u"seGeneration"_s, BornesGeneration, u" ans"_s);
    m_cbAjoutePers = CaseACocher(u"cbAjoutePers"_s,
                                 u"Afficher la saisie de l'identité après l'ajout d'un parent"_s);
    m_cbLienAuto = CaseACocher(u"cbLienAuto"_s,
                               u"Compléter les liens sans demander quand le choix est unique"_s);

    auto *modeles = new QGroupBox(u"Présentation des personnes"_s);
    auto *formModeles = new QFormLayout(modeles);
    formModeles->addRow(u"Titre de la fiche :"_s, m_eFicheTitre);
    formModeles->addRow(u"Père, mère et conjoints :"_s, m_eFiche1);
    formModeles->addRow(u"Enfants, frères et sœurs :"_s, m_eFiche2);

    auto *ajout = new QGroupBox(u"Ajout de parents"_s);
    auto *formAjout = new QFormLayout(ajout);
    formAjout->addRow(m_cbAjouteEve);
    formAjout->addRow(u"Écart entre deux générations :"_s, m_seGeneration);
    formAjout->addRow(m_cbAjoutePers);
    formAjout->addRow(m_cbLienAuto);

    auto *page = new QWidget;
    auto *vbox = new QVBoxLayout(page);
    vbox->addWidget(modeles);
    vbox->addWidget(m_cbFicheIdEnRech);
    vbox->addWidget(ajout);
    vbox->addStretch();
    return page;
}

QWidget *TfmOptions::CreePageNumerotation()
{
    m_cbNumeroteBase = CaseACocher(u"cbNumeroteBase"_s,
                                   u"Numérotation Sosa et d'Aboville automatique au changement"_s);
    m_seNumeroteGen = Compteur(u"seNumeroteGen"_s, BornesNumeroteGen);
    m_cbNumeroteConjoint = CaseACocher(u"cbNumeroteConjoint"_s, u"Numéroter les conjoints"_s);
    m_cbNumeroteFamille = CaseACocher(u"cbNumeroteFamille"_s, u"Numéroter les enfants par union"_s);

    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(m_cbNumeroteBase);
    form->addRow(u"Nombre de générations :"_s, m_seNumeroteGen);
    form->addRow(m_cbNumeroteConjoint);
    form->addRow(m_cbNumeroteFamille);
    return page;
}

QWidget *TfmOptions::CreePageVerification()
{
    const QString ans = u" ans"_s;
    m_seAgeMarMin = Compteur(u"seAgeMarMin"_s, BornesAge, ans);
    m_seAgeMarMax = Compteur(u"seAgeMarMax"_s, BornesAge, ans);
    m_seAgeEnfMin = Compteur(u"seAgeEnfMin"_s, BornesAge, ans);
    m_seAgeEnfMax = Compteur(u"seAgeEnfMax"_s, BornesAge, ans);
    m_seAgeDecesMax = Compteur(u"seAgeDecesMax"_s, BornesAge, ans);
    m_seEcartConjMax = Compteur(u"seEcartConjMax"_s, BornesAge, ans);
    m_Button6 = Bouton(u"Button6"_s, u"Vérifier la base de donnée"_s);
    m_Button6->setEnabled(false);

    auto *ages = new QGroupBox(u"Limites d'âge"_s);
    auto *form = new QFormLayout(ages);
    form->addRow(u"Âge minimum au mariage :"_s, m_seAgeMarMin);
    form->addRow(u"Âge maximum au mariage :"_s, m_seAgeMarMax);
    form->addRow(u"Âge minimum d'un parent à la naissance d'un enfant :"_s, m_seAgeEnfMin);
    form->addRow(u"Âge maximum d'un parent à la naissance d'un enfant :"_s, m_seAgeEnfMax);
    form->addRow(u"Âge maximum au décès :"_s, m_seAgeDecesMax);
    form->addRow(u"Écart d'âge maximum entre conjoints :"_s, m_seEcartConjMax);

    auto *page = new QWidget;
    auto *vbox = new QVBoxLayout(page);
    vbox->addWidget(ages);
    vbox->addWidget(m_Button6, 0, Qt::AlignLeft);
    vbox->addStretch();
    return page;
}

void TfmOptions::SetVerification(std::function<void()> verification)
{
    m_Button6->setEnabled(bool(verification));
    disconnect(m_Button6, &QPushButton::clicked, this, nullptr);
    if (verification)
        connect(m_Button6, &QPushButton::clicked, this, std::move(verification));
}

QWidget *TfmOptions::CreePageCalendrier()
{
    m_cbCalNbre = new QComboBox;
    m_cbCalNbre->setObjectName(u"cbCalNbre"_s);
    m_cbCalNbre->addItems({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"6"_s, u"12"_s});
    m_cbCalWE = CaseACocher(u"cbCalWE"_s, u"Marquer les fins de semaine"_s);
    m_cbCalFete = CaseACocher(u"cbCalFete"_s, u"Ajouter les fêtes"_s);
    m_seNbreJour = Compteur(u"seNbreJour"_s, BornesNbreJour, u" jours"_s);

    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(u"Nombre de tableaux par page :"_s, m_cbCalNbre);
    form->addRow(m_cbCalWE);
    form->addRow(m_cbCalFete);
    form->addRow(u"Anniversaires et fêtes à souhaiter dans les :"_s, m_seNbreJour);
    return page;
}

QWidget *TfmOptions::CreePageEvenements()
{
    m_sgEve = Grille(u"sgEve"_s, {u"Genre"_s, u"Événement"_s, u"Code GEDCOM"_s});
    auto *ajoute = Bouton(u"bEveAjoute"_s, u"Ajouter"_s);
    auto *supprime = Bouton(u"bEveSupprime"_s, u"Supprimer"_s);
    connect(ajoute, &QPushButton::clicked, this, &TfmOptions::bEveAjouteClick);
    connect(supprime, &QPushButton::clicked, this, [this] { SupprimeLignes(m_sgEve); });
    return PageGrille(m_sgEve, ajoute, supprime);
}

QWidget *TfmOptions::CreePageChamps()
{
    m_sgChp = Grille(u"sgChp"_s, {u"Pour tous"_s, u"Champ"_s, u"Code GEDCOM"_s});
    auto *ajoute = Bouton(u"bChpAjoute"_s, u"Ajouter"_s);
    auto *supprime = Bouton(u"bChpSupprime"_s, u"Supprimer"_s);
    connect(ajoute, &QPushButton::clicked, this, &TfmOptions::bChpAjouteClick);
    connect(supprime, &QPushButton::clicked, this, [this] { SupprimeLignes(m_sgChp); });
    return PageGrille(m_sgChp, ajoute, supprime);
}

QWidget *TfmOptions::CreePageSources()
{
    m_sgSrc = Grille(u"sgSrc"_s, {u"Sorte de source"_s});
    m_ePhoto = Saisie(u"ePhoto"_s);
    auto *ajoute = Bouton(u"bSrcAjoute"_s, u"Ajouter"_s);
    auto *supprime = Bouton(u"bSrcSupprime"_s, u"Supprimer"_s);
    connect(ajoute, &QPushButton::clicked, this, &TfmOptions::bSrcAjouteClick);
    connect(supprime, &QPushButton::clicked, this, [this] { SupprimeLignes(m_sgSrc); });

    auto *photo = new QWidget;
    auto *form = new QFormLayout(photo);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(u"Sorte de source de la photo de l'arbre :"_s, m_ePhoto);
    return PageGrille(m_sgSrc, ajoute, supprime, photo);
}

QWidget *TfmOptions::CreePageStyle()
{
    m_Style = new QPlainTextEdit;
    m_Style->setObjectName(u"Style"_s);
    m_Style->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_Style->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *page = new QWidget;
    auto *vbox = new QVBoxLayout(page);
    auto *aide = new QLabel(u"Feuille de style des pages web. Le rapport, les statistiques et le calendrier "
                            "prennent aussi leurs couleurs dans les « background-color » de ses règles."_s);
    aide->setWordWrap(true);
    vbox->addWidget(aide);
    vbox->addWidget(m_Style, 1);
    page->setEnabled(false);
    return page;
}

void TfmOptions::SetStyle(TxiloStyleEdit *style, const QString &fichier)
{
    m_style = style;
    m_fichierStyle = fichier;
    m_Style->parentWidget()->setEnabled(style != nullptr);
    m_Style->setPlainText(style ? style->Texte() : QString());
}

void TfmOptions::Charge()
{
    if (m_style)
        m_Style->setPlainText(m_style->Texte());
    const TOptions &o = m_options;
    m_cbNomMaj->setChecked(o.NomMaj);
    m_cbPreMaj->setChecked(o.PreMaj);
    m_cbSaisieNom->setChecked(o.SaisieNom);
    m_cbSaisieChp->setChecked(o.SaisieChp);
    m_seSaisieNom->setValue(o.SaisieNomMax);
    m_cbSaisieLieu->setCurrentIndex(std::clamp(o.SaisieLieu, BornesSaisieLieu.Min, BornesSaisieLieu.Max));
    m_cbLindafor->setChecked(o.Lindafor);
    m_eLindafor->setText(o.CheminLindafor);

    m_eFicheTitre->setText(o.FicheTitre);
    m_eFiche1->setText(o.Fiche1);
    m_eFiche2->setText(o.Fiche2);
    m_cbFicheIdEnRech->setChecked(o.FicheIdEnRech);
    m_cbAjouteEve->setChecked(o.AjouteEve);
    m_seGeneration->setValue(o.Generation);
    m_cbAjoutePers->setChecked(o.AjoutePers);
    m_cbLienAuto->setChecked(o.LienAuto);

    m_cbNumeroteBase->setChecked(o.NumeroteBase);
    m_seNumeroteGen->setValue(o.NumeroteGen);
    m_cbNumeroteConjoint->setChecked(o.NumeroteConjoint);
    m_cbNumeroteFamille->setChecked(o.NumeroteFamille);

    m_seAgeMarMin->setValue(o.AgeMarMin);
    m_seAgeMarMax->setValue(o.AgeMarMax);
    m_seAgeEnfMin->setValue(o.AgeEnfMin);
    m_seAgeEnfMax->setValue(o.AgeEnfMax);
    m_seAgeDecesMax->setValue(o.AgeDecesMax);
    m_seEcartConjMax->setValue(o.EcartConjMax);

    m_cbCalNbre->setCurrentIndex(std::clamp(o.CalNbre, BornesCalNbre.Min, BornesCalNbre.Max));
    m_cbCalWE->setChecked(o.CalWE);
    m_cbCalFete->setChecked(o.CalFete);
    m_seNbreJour->setValue(o.NbreJour);

    m_sgEve->setRowCount(0);
    for (const TEvePropose &e : o.Evenements)
        AjouteLigneEve(e);
    m_sgChp->setRowCount(0);
    for (const TChampPropose &c : o.Champs)
        AjouteLigneChp(c);
    m_sgSrc->setRowCount(0);
    for (const QString &s : o.Sources)
        AjouteLigneSrc(s);
    m_ePhoto->setText(o.Photo);
}

void TfmOptions::Enregistre()
{
    TOptions &o = m_options;
    o.NomMaj = m_cbNomMaj->isChecked();
    o.PreMaj = m_cbPreMaj->isChecked();
    o.SaisieNom = m_cbSaisieNom->isChecked();
    o.SaisieChp = m_cbSaisieChp->isChecked();
    o.SaisieNomMax = m_seSaisieNom->value();
    o.SaisieLieu = m_cbSaisieLieu->currentIndex();
    o.Lindafor = m_cbLindafor->isChecked();
    o.CheminLindafor = m_eLindafor->text().trimmed();

    o.FicheTitre = m_eFicheTitre->text();
    o.Fiche1 = m_eFiche1->text();
    o.Fiche2 = m_eFiche2->text();
    o.FicheIdEnRech = m_cbFicheIdEnRech->isChecked();
    o.AjouteEve = m_cbAjouteEve->isChecked();
    o.Generation = m_seGeneration->value();
    o.AjoutePers = m_cbAjoutePers->isChecked();
    o.LienAuto = m_cbLienAuto->isChecked();

    o.NumeroteBase = m_cbNumeroteBase->isChecked();
    o.NumeroteGen = m_seNumeroteGen->value();
    o.NumeroteConjoint = m_cbNumeroteConjoint->isChecked();
    o.NumeroteFamille = m_cbNumeroteFamille->isChecked();

    o.AgeMarMin = m_seAgeMarMin->value();
    o.AgeMarMax = m_seAgeMarMax->value();
    o.AgeEnfMin = m_seAgeEnfMin->value();
    o.AgeEnfMax = m_seAgeEnfMax->value();
    o.AgeDecesMax = m_seAgeDecesMax->value();
    o.EcartConjMax = m_seEcartConjMax->value();

    o.CalNbre = m_cbCalNbre->currentIndex();
    o.CalWE = m_cbCalWE->isChecked();
    o.CalFete = m_cbCalFete->isChecked();
    o.NbreJour = m_seNbreJour->value();

    o.Evenements.clear();
    for (int r = 0; r < m_sgEve->rowCount(); ++r) {
        const QString nom = Cellule(m_sgEve, r, 1);
        if (nom.isEmpty())
            continue;
        const auto *genre = qobject_cast<const QComboBox *>(m_sgEve->cellWidget(r, 0));
        o.Evenements.push_back({genre ? genre->currentText() : GenreEveIndividu(), nom,
                                Cellule(m_sgEve, r, 2)});
    }
    o.Champs.clear();
    for (int r = 0; r < m_sgChp->rowCount(); ++r) {
        const QString nom = Cellule(m_sgChp, r, 1);
        if (nom.isEmpty())
            continue;
        const QTableWidgetItem *tous = m_sgChp->item(r, 0);
        o.Champs.push_back({tous && tous->checkState() == Qt::Checked, nom, Cellule(m_sgChp, r, 2)});
    }
    o.Sources.clear();
    for (int r = 0; r < m_sgSrc->rowCount(); ++r) {
        const QString nom = Cellule(m_sgSrc, r, 0);
        if (!nom.isEmpty())
            o.Sources.append(nom);
    }
    o.Photo = m_ePhoto->text().trimmed();
}

QString TfmOptions::DefinitionChamps() const
{
    std::vector<TChampPropose> champs;
    for (int r = 0; r < m_sgChp->rowCount(); ++r) {
        const QTableWidgetItem *tous = m_sgChp->item(r, 0);
        champs.push_back({tous && tous->checkState() == Qt::Checked, Cellule(m_sgChp, r, 1), QString()});
    }
    return ::DefinitionChamps(champs);
}

void TfmOptions::bLindaforClick()
{
    const QString actuel = m_eLindafor->text().trimmed();
    const QString chemin = Dialogues().FichierAOuvrir(
        MLText(TexteChoixLindafor), actuel.isEmpty() ? QString() : QFileInfo(actuel).absolutePath(),
        MLText(TexteFiltreLindafor));
    if (!chemin.isEmpty())
        m_eLindafor->setText(QDir::toNativeSeparators(chemin));
}

void TfmOptions::accept()
{
    // The style sheet first: when it cannot be saved nothing is taken, and
    // the user may try again or cancel.
    const QString style = m_Style->toPlainText();
    if (m_style && style != m_style->Texte()) {
        const QByteArray octets = style.toUtf8();
        QString erreur;
        if (!EcritFichierEntier(m_fichierStyle, octets.constData(), octets.size(), &erreur)) {
            AppMessageBox(MLFormat(TexteNonEnregistre, {m_fichierStyle, erreur}), MsgErreur, BoutonsOk);
            return;
        }
        m_style->SetTexte(style);
    }
    Enregistre();
    QDialog::accept();
}

void TfmOptions::reject()
{
    // The grids and edits keep no cancelled change: other windows read the
    // field definitions from sgChp while this dialog is hidden.
    Charge();
    QDialog::reject();
}

void TfmOptions::AjouteLigneEve(const TEvePropose &evenement)
{
    const int r = m_sgEve->rowCount();
    m_sgEve->insertRow(r);
    auto *genre = new QComboBox;
    genre->addItems({GenreEveIndividu(), GenreEveUnion()});
    // A kind from another language file stays as it is until the user
    // changes it.
    if (genre->findText(evenement.Genre) < 0)
        genre->addItem(evenement.Genre);
    genre->setCurrentIndex(genre->findText(evenement.Genre));
    m_sgEve->setCellWidget(r, 0, genre);
    m_sgEve->setItem(r, 1, new QTableWidgetItem(evenement.Nom));
    m_sgEve->setItem(r, 2, new QTableWidgetItem(evenement.Gedcom));
}

void TfmOptions::AjouteLigneChp(const TChampPropose &champ)
{
    const int r = m_sgChp->rowCount();
    m_sgChp->insertRow(r);
    auto *tous = new QTableWidgetItem;
    tous->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    tous->setCheckState(champ.PourTous ? Qt::Checked : Qt::Unchecked);
    m_sgChp->setItem(r, 0, tous);
    m_sgChp->setItem(r, 1, new QTableWidgetItem(champ.Nom));
    m_sgChp->setItem(r, 2, new QTableWidgetItem(champ.Gedcom));
}

void TfmOptions::AjouteLigneSrc(const QString &source)
{
    const int r = m_sgSrc->rowCount();
    m_sgSrc->insertRow(r);
    m_sgSrc->setItem(r, 0, new QTableWidgetItem(source));
}

void TfmOptions::bEveAjouteClick()
{
    AjouteLigneEve({GenreEveIndividu(), QString(), QString()});
    EditeNouvelleLigne(m_sgEve, 1);
}

void TfmOptions::bChpAjouteClick()
{
    AjouteLigneChp({false, QString(), QString()});
    EditeNouvelleLigne(m_sgChp, 1);
}

void TfmOptions::bSrcAjouteClick()
{
    AjouteLigneSrc(QString());
    EditeNouvelleLigne(m_sgSrc, 0);
}

void TfmOptions::EditeNouvelleLigne(QTableWidget *grille, int colonneNom)
{
    const int r = grille->rowCount() - 1;
    grille->setCurrentCell(r, colonneNom);
    grille->scrollToItem(grille->item(r, colonneNom));
    if (grille->isVisible())
        grille->editItem(grille->item(r, colonneNom));
}

void TfmOptions::SupprimeLignes(QTableWidget *grille)
{
    std::set<int> lignes;
    for (const QModelIndex &index : grille->selectionModel()->selectedIndexes())
        lignes.insert(index.row());
    // From the bottom up, so that the numbers of the rows still to remove
    // do not move.
    for (auto it = lignes.rbegin(); it != lignes.rend(); ++it)
        grille->removeRow(*it);
}
