#include "TPanneauColonnes.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "ModelesRapport.h"
#include "ModelesUtilisateur.h"
#include "TListeModeles.h"
#include "TfmEditeContenu.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int ColTitre = 0;
constexpr int ColCode = 1;
constexpr int ColType = 2;
// As many columns as a model file is read with.
constexpr int MaxColonnes = 256;

QToolButton *bouton(const char *nom, const QString &texte, const QString &bulle, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(nom));
    b->setText(texte);
    b->setToolTip(bulle);
    return b;
}

} // namespace

TPanneauColonnes::TPanneauColonnes(const TBD &bd, TfmRapport &rapport, std::function<int()> personne,
                                   QWidget *parent)
    : QWidget(parent)
    , m_bd(bd)
    , m_rapport(rapport)
    , m_personne(std::move(personne))
{
    setObjectName(u"pCol"_s);
    construit();
    connect(&m_rapport, &TfmRapport::ModeleCharge, this, [this] {
        remplitEditeur();
        if (!m_chargement)
            m_eFile->setText(m_rapport.NomModele());
    });
    AfficheModele();
}

TPanneauColonnes::~TPanneauColonnes() = default;

void TPanneauColonnes::construit()
{
    m_cbFileList = new TListeModeles([this] { GetFileList(); }, this);
    m_cbFileList->setObjectName(u"CB_FileList"_s);
    m_eFile = m_cbFileList->lineEdit();
    m_eFile->setObjectName(u"eFile"_s);
    m_sbSauve = bouton("sbSauve", u"Enregistrer"_s, u"Enregistre le modèle sous le nom indiqué."_s, this);

    m_sgCol = new QTableWidget(0, 3, this);
    m_sgCol->setObjectName(u"sgCol"_s);
    m_sgCol->verticalHeader()->hide();
    m_sgCol->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_sgCol->setColumnWidth(ColTitre, 126);
    m_sgCol->setColumnWidth(ColCode, 138);
    m_sgCol->setColumnWidth(ColType, 58);
    // The type takes what the window leaves, so that "Nombre" is not cut.
    m_sgCol->horizontalHeader()->setStretchLastSection(true);
    m_sgCol->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sgCol->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    m_sgCol->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_sgCol->installEventFilter(this);

    m_sbUp = bouton("sbUp", u"▲"_s, u"Monte la ligne sélectionnée."_s, this);
    m_sbDown = bouton("sbDown", u"▼"_s, u"Descend la ligne sélectionnée."_s, this);
    m_sbPlus = bouton("sbPlus", u"+"_s, u"Ajoute une nouvelle ligne au dessus de celle qui est sélectionnée."_s, this);
    m_sbMoins = bouton("sbMoins", u"-"_s, u"Supprime la ligne sélectionnée."_s, this);
    m_sbEdite = new QPushButton(u"&Éditeur de contenu"_s, this);
    m_sbEdite->setObjectName(u"sbEdite"_s);

    m_cobLigne = new QComboBox(this);
    m_cobLigne->setObjectName(u"cobLigne"_s);
    m_cobLigne->addItems({MLTextOu(8103, u"Une seule couleur"_s), MLTextOu(8104, u"Une ligne sur deux"_s),
                          MLTextOu(8105, u"Selon le sexe"_s)});
    m_cobLigne->setCurrentIndex(1);
    auto *lLigne = new QLabel(u"Mise en forme des lignes (Mode écran avec plus de 256 couleurs)"_s, this);
    lLigne->setWordWrap(true);
    lLigne->setBuddy(m_cobLigne);

    m_cbAppCol = new QCheckBox(u"Appliquer à chaque modification"_s, this);
    m_cbAppCol->setObjectName(u"cbAppCol"_s);
    m_cbAppCol->setChecked(true);
    m_bOkCol = new QPushButton(u"Ok"_s, this);
    m_bOkCol->setObjectName(u"bOkCol"_s);

    auto *modele = new QHBoxLayout;
    auto *lModele = new QLabel(u"Utiliser le modèle"_s, this);
    lModele->setBuddy(m_cbFileList);
    modele->addWidget(lModele);
    modele->addWidget(m_cbFileList, 1);
    modele->addWidget(m_sbSauve);
    auto *boutons = new QHBoxLayout;
    for (QWidget *b : {static_cast<QWidget *>(m_sbUp), static_cast<QWidget *>(m_sbDown),
                       static_cast<QWidget *>(m_sbPlus), static_cast<QWidget *>(m_sbMoins)})
        boutons->addWidget(b);
    boutons->addStretch(1);
    boutons->addWidget(m_sbEdite);
    auto *bas = new QHBoxLayout;
    bas->addWidget(m_cbAppCol, 1);
    bas->addWidget(m_bOkCol);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(modele);
    colonne->addWidget(m_sgCol, 1);
    colonne->addLayout(boutons);
    colonne->addWidget(lLigne);
    colonne->addWidget(m_cobLigne);
    colonne->addLayout(bas);

    connect(m_cbFileList, &QComboBox::activated, this, &TPanneauColonnes::CB_FileListChange);
    connect(m_sbSauve, &QToolButton::clicked, this, [this] { sbSauveClick(); });
    connect(m_sgCol, &QTableWidget::cellChanged, this, &TPanneauColonnes::celluleChangee);
    connect(m_sbUp, &QToolButton::clicked, this, [this] { sbUpClick(); });
    connect(m_sbDown, &QToolButton::clicked, this, [this] { sbDownClick(); });
    connect(m_sbPlus, &QToolButton::clicked, this, [this] { sbPlusClick(); });
    connect(m_sbMoins, &QToolButton::clicked, this, [this] { sbMoinsClick(); });
    connect(m_sbEdite, &QPushButton::clicked, this, [this] { sbEditeClick(); });
    connect(m_cobLigne, &QComboBox::currentIndexChanged, this, &TPanneauColonnes::cobLigneChange);
    connect(m_cbAppCol, &QCheckBox::toggled, this, [this](bool coche) {
        if (coche)
            AppCol();
    });
    connect(m_bOkCol, &QPushButton::clicked, this, [this] { AppColClick(); });
}

void TPanneauColonnes::AfficheModele()
{
    m_sgCol->setHorizontalHeaderLabels(
        {MLTextOu(2201, u"Titre"_s), MLTextOu(2202, u"Code"_s), MLTextOu(2203, u"Type"_s)});
    remplitEditeur();
    m_eFile->setText(m_rapport.NomModele());
    if (m_cobLigne->currentIndex() < 0)
        m_cobLigne->setCurrentIndex(1);
}

void TPanneauColonnes::remplitEditeur()
{
    const bool avant = std::exchange(m_chargement, true);
    const std::vector<TColonneModele> &modele = m_rapport.Modele();
    const int n = static_cast<int>(modele.size());
    const int ligne = m_sgCol->currentRow();
    const int col = m_sgCol->currentColumn();
    m_sgCol->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const TColonneModele &c = modele[static_cast<size_t>(i)];
        m_sgCol->setItem(i, ColTitre, new QTableWidgetItem(c.Titre));
        m_sgCol->setItem(i, ColCode, new QTableWidgetItem(c.Code));
        // The type is chosen by a key, never typed out.
        auto *type = new QTableWidgetItem(c.Type);
        type->setFlags(type->flags() & ~Qt::ItemIsEditable);
        m_sgCol->setItem(i, ColType, type);
    }
    if (n > 0 && ligne >= 0)
        m_sgCol->setCurrentCell(std::min(ligne, n - 1), std::max(col, 0));
    m_chargement = avant;
}

void TPanneauColonnes::selectionne(int ligne, int col)
{
    const bool avant = std::exchange(m_chargement, true);
    m_sgCol->setCurrentCell(ligne, std::max(col, 0));
    m_chargement = avant;
}

// ---- Model files ---------------------------------------------------------

void TPanneauColonnes::GetFileList()
{
    const bool avant = std::exchange(m_chargement, true);
    const QString nom = m_eFile->text();
    m_cbFileList->clear();
    for (const TFichierModele &m : ListeModeles(DossiersRapport(), u".mvr"_s))
        m_cbFileList->addItem(m.Nom, m.Chemin);
    m_cbFileList->setCurrentIndex(m_cbFileList->findText(nom, Qt::MatchFixedString));
    m_eFile->setText(nom);
    m_chargement = avant;
}

void TPanneauColonnes::CB_FileListChange(int index)
{
    const QString chemin = m_cbFileList->itemData(index).toString();
    if (chemin.isEmpty())
        return;
    const bool avant = std::exchange(m_chargement, true);
    // The item keeps the file's real name: the name shown is lower-cased.
    QString erreur;
    const bool charge = m_rapport.Charge(chemin, &erreur);
    // A model that could not be read leaves the name of the one in use, so
    // that "Enregistrer" does not write these columns over that file.
    m_eFile->setText(charge ? m_cbFileList->itemText(index) : m_rapport.NomModele());
    m_chargement = avant;
    if (!charge) {
        AppMessageBox(erreur, MsgErreur, BoutonsOk);
        return;
    }
    remplitEditeur();
    AppCol();
}

void TPanneauColonnes::sbSauveClick()
{
    SauveModeleNomme(m_eFile->text(), u".mvr"_s,
                     [this](const QString &chemin, QString *erreur) { return m_rapport.Sauve(chemin, erreur); });
}

// ---- Column editor -------------------------------------------------------

void TPanneauColonnes::celluleChangee(int ligne, int col)
{
    std::vector<TColonneModele> &modele = m_rapport.Modele();
    if (m_chargement || ligne < 0 || ligne >= static_cast<int>(modele.size()))
        return;
    TColonneModele &c = modele[static_cast<size_t>(ligne)];
    const QString t = m_sgCol->item(ligne, col)->text();
    switch (col) {
    case ColTitre:
        c.Titre = t;
        break;
    case ColCode:
        c.Code = t;
        break;
    default:
        c.Type = t;
        break;
    }
    AppCol();
}

bool TPanneauColonnes::eventFilter(QObject *objet, QEvent *evenement)
{
    if (objet == m_sgCol && evenement->type() == QEvent::KeyPress && m_sgCol->currentColumn() == ColType
        && m_sgCol->currentRow() >= 0) {
        // Keys that type nothing (arrows, Tab, shortcuts) move as usual.
        const QString t = static_cast<QKeyEvent *>(evenement)->text();
        if (!t.isEmpty() && t.at(0).isPrint())
            return toucheType(t);
    }
    return QWidget::eventFilter(objet, evenement);
}

bool TPanneauColonnes::toucheType(const QString &touche)
{
    const QString date = MLTextOu(2205, u"Date"_s);
    const QString nombre = MLTextOu(2207, u"Nombre"_s);
    const QString texteType = MLTextOu(2204, u"Texte"_s);
    const auto lettre = [](const QString &s) { return s.left(1).toLower(); };
    const QString cle = touche.left(1).toLower();
    QString type;
    for (const QString *nom : {&date, &nombre, &texteType}) {
        if (cle == lettre(*nom)) {
            type = *nom;
            break;
        }
    }
    m_sgCol->item(m_sgCol->currentRow(), ColType)->setText(type);
    if (type.isEmpty())
        AppMessageBox(FormatTexte(MLTextOu(8100, u"Vous devez sélectionner:\n- Texte en appuyant sur \"%1\"\n"
                                              "- Date en appuyant sur \"%2\"\n- Nombre en appuyant sur \"%3\""_s),
                                  {lettre(texteType), lettre(date), lettre(nombre)}),
                      MsgInformation, BoutonsOk);
    return true;
}

void TPanneauColonnes::sbUpClick()
{
    std::vector<TColonneModele> &modele = m_rapport.Modele();
    const int r = m_sgCol->currentRow();
    if (r < 1 || r >= static_cast<int>(modele.size()))
        return;
    std::swap(modele[static_cast<size_t>(r)], modele[static_cast<size_t>(r - 1)]);
    remplitEditeur();
    selectionne(r - 1, m_sgCol->currentColumn());
    AppCol();
}

void TPanneauColonnes::sbDownClick()
{
    std::vector<TColonneModele> &modele = m_rapport.Modele();
    const int r = m_sgCol->currentRow();
    if (r < 0 || r + 1 >= static_cast<int>(modele.size()))
        return;
    std::swap(modele[static_cast<size_t>(r)], modele[static_cast<size_t>(r + 1)]);
    remplitEditeur();
    selectionne(r + 1, m_sgCol->currentColumn());
    AppCol();
}

void TPanneauColonnes::sbPlusClick()
{
    std::vector<TColonneModele> &modele = m_rapport.Modele();
    const int n = static_cast<int>(modele.size());
    // More would be cut when the model is read again.
    if (n >= MaxColonnes)
        return;
    const int r = m_sgCol->currentRow();
    const int position = r >= 0 && r < n ? r : n;
    modele.insert(modele.begin() + position, TColonneModele());
    remplitEditeur();
    // The next thing typed is the new column's title: the keyboard leaves
    // the model name (or wherever it was), which would take it otherwise.
    selectionne(position, ColTitre);
    m_sgCol->setFocus(Qt::OtherFocusReason);
    AppCol();
}

void TPanneauColonnes::sbMoinsClick()
{
    std::vector<TColonneModele> &modele = m_rapport.Modele();
    const int n = static_cast<int>(modele.size());
    const int r = m_sgCol->currentRow();
    // A model keeps at least one column.
    if (n < 2 || r < 0 || r >= n)
        return;
    modele.erase(modele.begin() + r);
    remplitEditeur();
    selectionne(std::min(r, n - 2), m_sgCol->currentColumn());
    AppCol();
}

void TPanneauColonnes::sbEditeClick()
{
    const int r = m_sgCol->currentRow();
    if (r < 0 || r >= static_cast<int>(m_rapport.Modele().size()))
        return;
    const QString code = EditeContenu(m_bd, m_personne ? m_personne() : 0,
                                      m_rapport.Modele()[static_cast<size_t>(r)].Code, this);
    // The model may have been replaced while the builder was open.
    if (code.isEmpty() || r >= static_cast<int>(m_rapport.Modele().size()))
        return;
    m_rapport.Modele()[static_cast<size_t>(r)].Code = code;
    remplitEditeur();
    AppCol();
}

// ---- Applying ------------------------------------------------------------

void TPanneauColonnes::cobLigneChange(int index)
{
    if (!m_chargement && index >= 0)
        m_rapport.SetStyleLignes(index);
}

void TPanneauColonnes::AppCol()
{
    if (m_cbAppCol->isChecked())
        m_rapport.RemplitTableau(m_rapport.Liste());
}

void TPanneauColonnes::AppColClick()
{
    if (!m_cbAppCol->isChecked())
        m_rapport.RemplitTableau(m_rapport.Liste());
    emit Ferme();
}
