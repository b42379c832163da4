#include "TfmRechFiche.h"

#include <algorithm>
#include <unordered_map>

#include <QAbstractListModel>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStringListModel>
#include <QValidator>
#include <QVBoxLayout>

#include "BD.h"
#include "Dates.h"
#include "Dialogues.h"
#include "Langue.h"
#include "Options.h"
#include "Relatifs.h"

using namespace Qt::StringLiterals;

namespace {

// The surname prefix is typed in capitals, whatever the keyboard gives.
class TMajuscules final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &texte, int &position) const override
    {
        texte = texte.toUpper();
        position = std::min(position, static_cast<int>(texte.size()));
        return Acceptable;
    }
};

// The progress bar of the window as the progression of a sort.
class TBarre final : public TProgression
{
public:
    explicit TBarre(QProgressBar *barre)
        : m_barre(barre)
    {
    }
    void Maximum(int n) override
    {
        m_barre->setRange(0, std::max(n, 1));
        m_barre->setValue(0);
    }
    void Position(int i) override { m_barre->setValue(i); }

private:
    QProgressBar *m_barre;
};

} // namespace

// The lines of a person list, made when the view asks for them: the unique
// list holds every person while the view shows a few dozen at a time, so
// the texts of the whole list are never made at once. A line once made is
// kept until the list is filled again: the line of a person deleted
// meanwhile still reads as it was listed.
class TModelePersonnes final : public QAbstractListModel
{
public:
    TModelePersonnes(const TBD &bd, bool avecNom, QObject *parent)
        : QAbstractListModel(parent)
        , m_bd(bd)
        , m_avecNom(avecNom)
    {
    }
    void Remplit(std::vector<int> numeros)
    {
        beginResetModel();
        m_numeros = std::move(numeros);
        m_lignes.clear();
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_numeros.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return QVariant();
        return Ligne(index.row());
    }
    QString Ligne(int ligne) const
    {
        if (ligne < 0 || ligne >= rowCount())
            return QString();
        auto i = m_lignes.find(ligne);
        if (i == m_lignes.end())
            i = m_lignes.emplace(ligne, LigneRecherche(m_bd, m_numeros[static_cast<size_t>(ligne)], m_avecNom)).first;
        return i->second;
    }

private:
    const TBD &m_bd;
    bool m_avecNom;
    std::vector<int> m_numeros;
    mutable std::unordered_map<int, QString> m_lignes;
};

namespace {

QListView *liste(const QString &nom, QAbstractItemModel *modele)
{
    auto *l = new QListView;
    l->setObjectName(nom);
    l->setModel(modele);
    // Every line has the same height: the view then lays out 100,000 lines
    // without measuring each of them.
    l->setUniformItemSizes(true);
    l->setEditTriggers(QAbstractItemView::NoEditTriggers);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

QLabel *etiquette(const QString &nom, const QString &texte)
{
    auto *l = new QLabel(texte);
    l->setObjectName(nom);
    return l;
}

QCheckBox *caseACocher(const QString &nom, const QString &texte)
{
    auto *c = new QCheckBox(texte);
    c->setObjectName(nom);
    return c;
}

int rangDe(const std::vector<int> &numeros, int p)
{
    for (size_t i = 0; i < numeros.size(); ++i) {
        if (numeros[i] == p)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

TfmRechFiche::TfmRechFiche(TBD &bd, TRelatifs &relatifs, THoteRelatifs &hote, QWidget *parent)
    : QDialog(parent)
    , m_bd(bd)
    , m_relatifs(relatifs)
    , m_hote(hote)
    , m_ordres(bd)
{
    setObjectName(u"fmRechFiche"_s);
    setWindowTitle(u"Recherche d'une fiche"_s);
    setModal(true);
    resize(600, 520);

    m_rgForme = new QGroupBox(u"Recherche de la personne sous forme"_s);
    m_rgForme->setObjectName(u"RG_Forme"_s);
    m_rbListeUnique = new QRadioButton(u"Liste unique"_s);
    m_rbListeUnique->setObjectName(u"rbListeUnique"_s);
    m_rbNomPrenom = new QRadioButton(u"Nom et prénom"_s);
    m_rbNomPrenom->setObjectName(u"rbNomPrenom"_s);
    m_rbNomPrenom->setChecked(true);
    auto *formes = new QHBoxLayout(m_rgForme);
    formes->addWidget(m_rbListeUnique);
    formes->addWidget(m_rbNomPrenom);

    m_modeleNomPre = new TModelePersonnes(bd, true, this);
    m_modeleNom = new QStringListModel(this);
    m_modelePre = new TModelePersonnes(bd, false, this);
    m_gbPers = new QGroupBox(u"Toutes les personnes"_s);
    m_gbPers->setObjectName(u"GB_Pers"_s);
    m_lNomPre = etiquette(u"L_NomPre"_s, u"Nom, prénom et date de naissance"_s);
    m_lbNomPre = liste(u"LB_NomPre"_s, m_modeleNomPre);
    m_lNom = etiquette(u"L_Nom"_s, u"Nom"_s);
    m_lbNom = liste(u"LB_Nom"_s, m_modeleNom);
    m_lPre = etiquette(u"L_Pre"_s, u"Prénom et date de naissance"_s);
    m_lbPre = liste(u"LB_Pre"_s, m_modelePre);
    m_eCommence = new QLineEdit;
    m_eCommence->setObjectName(u"eCommence"_s);
    m_eCommence->setValidator(new TMajuscules(m_eCommence));
    auto *label1 = etiquette(u"Label1"_s, u"Nom commence par"_s);
    label1->setBuddy(m_eCommence);
    m_cbTous = caseACocher(u"cbTous"_s, u"Ne pas tenir compte des restrictions sur la date de naissance"_s);
    m_cbTous->setToolTip(u"Affiche toutes les personnes et pas seulement celles répondant aux critères"_s);

    auto *grille = new QGridLayout(m_gbPers);
    grille->addWidget(m_lNomPre, 0, 0, 1, 2);
    grille->addWidget(m_lbNomPre, 1, 0, 1, 2);
    grille->addWidget(m_lNom, 0, 0);
    grille->addWidget(m_lbNom, 1, 0);
    grille->addWidget(m_lPre, 0, 1);
    grille->addWidget(m_lbPre, 1, 1);
    grille->setColumnStretch(1, 2);
    grille->setColumnStretch(0, 1);
    auto *commence = new QHBoxLayout;
    commence->addWidget(label1);
    commence->addWidget(m_eCommence, 1);
    grille->addLayout(commence, 2, 0, 1, 2);
    grille->addWidget(m_cbTous, 3, 0, 1, 2);

    m_cbSelec = caseACocher(u"cbSelec"_s, u"Sélectionner la fiche"_s);
    m_cbSelec->setToolTip(u"Si la case est cochée, la fiche de la personne sélectionnée est affichée."_s);
    m_cbRefresh = caseACocher(u"cbRefresh"_s, u"Raffraichir"_s);
    m_cbRefresh->setChecked(true);
    m_bar = new QProgressBar;
    m_bar->setObjectName(u"Bar"_s);
    m_bar->setTextVisible(false);
    QSizePolicy place = m_bar->sizePolicy();
    place.setRetainSizeWhenHidden(true);
    m_bar->setSizePolicy(place);
    m_bar->hide();
    m_bOk = new QPushButton(u"Ok"_s);
    m_bOk->setObjectName(u"B_Ok"_s);
    m_bOk->setDefault(true);
    m_bAnnuler = new QPushButton(u"Annuler"_s);
    m_bAnnuler->setObjectName(u"B_Annuler"_s);
    m_bAnnuler->setAutoDefault(false);

    auto *bas = new QHBoxLayout;
    bas->addWidget(m_cbSelec);
    bas->addWidget(m_cbRefresh);
    bas->addWidget(m_bar, 1);
    bas->addWidget(m_bOk);
    bas->addWidget(m_bAnnuler);

    auto *principal = new QVBoxLayout(this);
    principal->addWidget(m_rgForme);
    principal->addWidget(m_gbPers, 1);
    principal->addLayout(bas);

    connect(m_rbNomPrenom, &QRadioButton::toggled, this, [this] {
        if (isVisible())
            Affiche();
    });
    connect(m_cbTous, &QCheckBox::toggled, this, [this] {
        if (isVisible())
            Affiche();
    });
    connect(m_cbSelec, &QCheckBox::toggled, this, &TfmRechFiche::cbSelecClick);
    connect(m_cbRefresh, &QCheckBox::toggled, this, &TfmRechFiche::cbRefreshClick);
    connect(m_eCommence, &QLineEdit::textChanged, this, &TfmRechFiche::eCommenceChange);
    // A line highlighted by a click or by the arrow keys of the list runs its
    // handler; lines highlighted by the program run it from their caller.
    connect(m_lbNomPre->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) {
                if (!m_programme)
                    LB_NomPreClick(i.row());
            });
    connect(m_lbNom->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) {
                if (!m_programme)
                    LB_NomClick(i.row());
            });
    connect(m_lbPre->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) {
                if (!m_programme)
                    LB_PreClick(i.row());
            });
    connect(m_lbNomPre, &QListView::doubleClicked, this, &TfmRechFiche::B_OkClick);
    connect(m_lbPre, &QListView::doubleClicked, this, &TfmRechFiche::B_OkClick);
    connect(m_bOk, &QPushButton::clicked, this, &TfmRechFiche::B_OkClick);
    connect(m_bAnnuler, &QPushButton::clicked, this, &TfmRechFiche::reject);

    Prepare(TModeRecherche::Simple, 0);
    MLTranslateForm(this);
}

TfmRechFiche::~TfmRechFiche() = default;

// ---- Opening and closing ----------------------------------------------------

int TfmRechFiche::Cherche(TModeRecherche mode, int reference)
{
    Prepare(mode, reference);
    exec();
    return Conclut();
}

int TfmRechFiche::ChoisitPersonne(int reference)
{
    return Cherche(TModeRecherche::Simple, reference);
}

void TfmRechFiche::LiePere(int reference)
{
    Cherche(TModeRecherche::Pere, reference);
}

void TfmRechFiche::LieMere(int reference)
{
    Cherche(TModeRecherche::Mere, reference);
}

void TfmRechFiche::LieConjoint(int reference)
{
    Cherche(TModeRecherche::Conjoint, reference);
}

void TfmRechFiche::LieEnfant(int reference)
{
    Cherche(TModeRecherche::Enfant, reference);
}

void TfmRechFiche::LieFratrie(int reference)
{
    Cherche(TModeRecherche::Fratrie, reference);
}

void TfmRechFiche::OubliePersonne()
{
    m_choisi = 0;
}

void TfmRechFiche::Prepare(TModeRecherche mode, int reference)
{
    m_critere.Mode = mode;
    m_critere.Reference = reference;
    m_critere.Tous = false;
    const bool lien = mode != TModeRecherche::Simple;
    const int annee = lien ? DateYear(m_bd.BirthDate(reference)) : 0;
    m_critere.Fenetre = FenetreAnnees(mode, annee, Options());
    const TTextesRecherche textes = TextesRecherche(mode, m_bd.Sex(reference));
    // Names are never read as formats: a "%" in them stays as it is.
    setWindowTitle(lien ? MLText(textes.Titre) + u' ' + m_bd.FullName(reference) : MLText(textes.Titre));
    if (lien && annee > 0) {
        m_gbPers->setTitle(MLFormat(textes.AvecAnnee, {QString::number(m_critere.Fenetre.Min),
                                                       QString::number(m_critere.Fenetre.Max)}));
    } else {
        m_gbPers->setTitle(MLText(textes.SansAnnee));
    }
    m_aConclure = false;
}

int TfmRechFiche::Conclut()
{
    const bool aConclure = m_aConclure;
    m_aConclure = false;
    if (!aConclure || result() != QDialog::Accepted)
        return 0;
    const int p = m_choisi;
    if (!m_bd.PersonInUse(p))
        return 0;
    const int r = m_critere.Reference;
    bool lie = true;
    switch (m_critere.Mode) {
    case TModeRecherche::Simple:
        break;
    case TModeRecherche::Pere:
        lie = m_relatifs.LiePere(r, p);
        break;
    case TModeRecherche::Mere:
        lie = m_relatifs.LieMere(r, p);
        break;
    case TModeRecherche::Conjoint:
        lie = m_relatifs.LieConjoint(r, p);
        break;
    case TModeRecherche::Enfant:
        lie = m_relatifs.LieEnfant(r, p);
        break;
    case TModeRecherche::Fratrie:
        lie = m_relatifs.LieFratrie(r, p);
        break;
    }
    return lie ? p : 0;
}

void TfmRechFiche::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    {
        const QSignalBlocker bloque(m_cbTous);
        m_cbTous->setChecked(false);
    }
    m_persAuShow = m_hote.SelecPers();
    m_ongletAuShow = m_hote.OngletFiche();
    if (Options().FicheIdEnRech && m_cbSelec->isChecked())
        m_hote.SetOngletFiche(0);
    m_aConclure = false;
    Affiche();
}

void TfmRechFiche::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    m_numeros.clear();
    m_groupes.clear();
    m_modeleNomPre->Remplit({});
    m_modeleNom->setStringList({});
    m_modelePre->Remplit({});
}

void TfmRechFiche::done(int resultat)
{
    if (isVisible()) {
        if (m_hote.OngletFiche() != m_ongletAuShow)
            m_hote.SetOngletFiche(m_ongletAuShow);
        if (m_hote.SelecPers() != m_persAuShow)
            m_hote.SetSelecPers(m_persAuShow);
        m_aConclure = true;
    }
    QDialog::done(resultat);
}

// ---- Lists ------------------------------------------------------------------

bool TfmRechFiche::formeUnique() const
{
    return m_rbListeUnique->isChecked();
}

QListView *TfmRechFiche::listePersonnes() const
{
    return formeUnique() ? m_lbNomPre : m_lbPre;
}

bool TfmRechFiche::accepte(int p)
{
    // A plain search takes every person in use: the birth years, which cost
    // a walk of the whole table the first time, are not needed.
    if (m_critere.Mode == TModeRecherche::Simple)
        return m_bd.PersonInUse(p);
    return AccepteCandidat(m_bd, m_critere, p, m_ordres.AnneeNaissance(p));
}

void TfmRechFiche::Affiche()
{
    const bool unique = formeUnique();
    m_critere.Tous = m_cbTous->isChecked();
    m_cbTous->setVisible(m_critere.Mode != TModeRecherche::Simple);
    m_lNomPre->setVisible(unique);
    m_lbNomPre->setVisible(unique);
    m_lNom->setVisible(!unique);
    m_lbNom->setVisible(!unique);
    m_lPre->setVisible(!unique);
    m_lbPre->setVisible(!unique);
    if (m_choisi == 0)
        m_choisi = m_hote.SelecPers();

    if (unique) {
        AfficheNomPre();
        const int ligne = rangDe(m_numeros, m_choisi);
        if (ligne >= 0) {
            surligne(m_lbNomPre, ligne);
            LB_NomPreClick(ligne);
        }
    } else {
        AfficheNom();
        const int groupe = m_ordres.GroupeDe(m_choisi);
        const int ligne = groupe < 0 ? -1 : rangDe(m_groupes, groupe);
        if (ligne >= 0) {
            surligne(m_lbNom, ligne);
            LB_NomClick(ligne);
        } else {
            m_numeros.clear();
            m_modelePre->Remplit({});
        }
    }
    m_eCommence->setFocus();
    majOk();
}

void TfmRechFiche::AfficheNomPre()
{
    TBarre barre(m_bar);
    m_bar->show();
    if (m_critere.Mode != TModeRecherche::Simple)
        m_ordres.AnneeNaissance(0);
    const std::vector<int> &ordre = m_ordres.ParNomComplet(&barre);
    m_bar->hide();

    // The sorted order is only filtered, so the list comes out sorted.
    const QString prefixe = m_eCommence->text();
    m_numeros.clear();
    m_numeros.reserve(ordre.size());
    for (const int p : ordre) {
        if (!prefixe.isEmpty() && !m_bd.Fiche(p).Nom.startsWith(prefixe, Qt::CaseInsensitive))
            continue;
        if (!accepte(p))
            continue;
        m_numeros.push_back(p);
    }
    m_modeleNomPre->Remplit(m_numeros);
}

void TfmRechFiche::AfficheNom()
{
    TBarre barre(m_bar);
    m_bar->show();
    if (m_critere.Mode != TModeRecherche::Simple)
        m_ordres.AnneeNaissance(0);
    const auto &groupes = m_ordres.GroupesNoms(&barre);
    m_bar->hide();

    const QString prefixe = m_eCommence->text();
    QStringList noms;
    m_groupes.clear();
    for (size_t g = 0; g < groupes.size(); ++g) {
        const std::vector<int> &personnes = groupes[g].Personnes;
        if (!prefixe.isEmpty() && !m_bd.Fiche(personnes.front()).Nom.startsWith(prefixe, Qt::CaseInsensitive))
            continue;
        // The surname is shown as its first accepted bearer writes it.
        for (int p : personnes) {
            if (accepte(p)) {
                noms.append(m_bd.Fiche(p).Nom);
                m_groupes.push_back(static_cast<int>(g));
                break;
            }
        }
    }
    m_modeleNom->setStringList(noms);
    m_lNom->setText(MLText(401) + u" ("_s + QString::number(noms.size()) + u')');
}

void TfmRechFiche::surligne(QListView *liste, int ligne)
{
    const QModelIndex index = liste->model()->index(ligne, 0);
    m_programme = true;
    liste->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_programme = false;
    liste->scrollTo(index);
}

void TfmRechFiche::LB_NomClick(int ligne)
{
    m_numeros.clear();
    if (ligne >= 0 && ligne < static_cast<int>(m_groupes.size())) {
        // Every bearer of the surname, whatever its letter case: the list of
        // surnames shows them as one.
        for (int p : m_ordres.PrenomsDuGroupe(m_groupes[static_cast<size_t>(ligne)])) {
            if (accepte(p))
                m_numeros.push_back(p);
        }
    }
    m_modelePre->Remplit(m_numeros);
    int rang = rangDe(m_numeros, m_choisi);
    if (rang < 0 && !m_numeros.empty())
        rang = 0;
    if (rang >= 0) {
        surligne(m_lbPre, rang);
        choisitLigne(rang);
    } else {
        majOk();
        m_eCommence->setFocus();
    }
}

void TfmRechFiche::LB_PreClick(int ligne)
{
    choisitLigne(ligne);
}

void TfmRechFiche::LB_NomPreClick(int ligne)
{
    choisitLigne(ligne);
}

void TfmRechFiche::choisitLigne(int ligne)
{
    if (ligne >= 0 && ligne < static_cast<int>(m_numeros.size())) {
        m_choisi = m_numeros[static_cast<size_t>(ligne)];
        // The chosen line is made now, while its person is as listed.
        static_cast<TModelePersonnes *>(listePersonnes()->model())->Ligne(ligne);
        if (m_cbSelec->isChecked() && m_bd.PersonInUse(m_choisi) && m_hote.SelecPers() != m_choisi)
            m_hote.SetSelecPers(m_choisi);
    }
    majOk();
    m_eCommence->setFocus();
}

void TfmRechFiche::majOk()
{
    const bool choix = formeUnique()
                           ? m_lbNomPre->currentIndex().isValid()
                           : m_lbNom->currentIndex().isValid() && m_lbPre->currentIndex().isValid();
    m_bOk->setEnabled(choix);
}

// ---- Handlers -----------------------------------------------------------------

void TfmRechFiche::eCommenceChange()
{
    if (!isVisible())
        return;
    if (formeUnique()) {
        AfficheNomPre();
        if (!m_numeros.empty()) {
            surligne(m_lbNomPre, 0);
            LB_NomPreClick(0);
        } else {
            majOk();
        }
    } else {
        AfficheNom();
        if (!m_groupes.empty()) {
            surligne(m_lbNom, 0);
            LB_NomClick(0);
        } else {
            m_numeros.clear();
            m_modelePre->Remplit({});
            majOk();
        }
    }
}

void TfmRechFiche::cbSelecClick()
{
    if (!isVisible())
        return;
    if (m_cbSelec->isChecked()) {
        if (m_bd.PersonInUse(m_choisi) && m_hote.SelecPers() != m_choisi)
            m_hote.SetSelecPers(m_choisi);
        if (Options().FicheIdEnRech)
            m_hote.SetOngletFiche(0);
    } else {
        if (m_hote.SelecPers() != m_persAuShow)
            m_hote.SetSelecPers(m_persAuShow);
        if (m_hote.OngletFiche() != m_ongletAuShow)
            m_hote.SetOngletFiche(m_ongletAuShow);
    }
}

void TfmRechFiche::cbRefreshClick()
{
    if (!isVisible() || !m_cbRefresh->isChecked())
        return;
    if (formeUnique())
        m_modeleNomPre->Remplit({});
    else
        m_modeleNom->setStringList({});
    Affiche();
}

void TfmRechFiche::B_OkClick()
{
    if (!m_bOk->isEnabled())
        return;
    QListView *liste = listePersonnes();
    const int ligne = liste->currentIndex().row();
    if (ligne < 0 || ligne >= static_cast<int>(m_numeros.size()))
        return;
    // The number of the highlighted line decides, never its text: namesakes
    // born the same day have the same line.
    m_choisi = m_numeros[static_cast<size_t>(ligne)];
    if (!m_bd.PersonInUse(m_choisi)) {
        QString texte = liste->currentIndex().data().toString().trimmed();
        if (!formeUnique())
            texte = m_lbNom->currentIndex().data().toString() + u' ' + texte;
        AppMessageBox(MLFormat(5063, {texte}), MsgAvertissement, BoutonsOk);
        m_choisi = 0;
        Affiche();
        return;
    }
    accept();
}
