#include "TfmRemp.h"

#include "Cadence.h"
#include "CurseurAttente.h"
#include "Globales.h"
#include "Langue.h"
#include "Listes.h"
#include "Options.h"
#include "Remplacement.h"
#include "TBKStringGrid.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteColonneChamp = 7820;
constexpr int TexteAucuneValeur = 7821;
constexpr int TexteUneValeur = 7822;
constexpr int TexteValeurs = 7823;
constexpr int TexteCopie = 7824;

// Each kind: the line of the list, the title of the value list and the
// title of its first column (empty: the field's name, or for the field
// names a text of the language file).
struct TGenre {
    const char *ligne;
    const char *titre;
    const char *colonne;
};
const TGenre Genres[NbDonneesRemp] = {
    {"Nom", "Liste des patronymes", "Patronyme"},
    {"Prénom", "Liste des prénoms", "Prénoms"},
    {"Nom d'un champ personnel", "Liste des champs personnels", ""},
    {"Contenu d'un champ personnel", "", ""},
    {"Événement", "Liste des événements", "Événement"},
    {"Date", "Liste des dates", "Date"},
    {"Lieu", "Liste des lieux", "Lieu"},
    {"Note", "Liste des notes", "Note"},
};

// The report's progress bar, with the windows repainted now and then while
// the walk runs; the user's clicks and keys wait until it ends.
class TProgressionPeinte final : public TProgression
{
public:
    explicit TProgressionPeinte(TProgression *barre) : m_barre(barre) {}
    void Maximum(int n) override
    {
        if (m_barre)
            m_barre->Maximum(n);
    }
    void Position(int i) override
    {
        if (m_barre)
            m_barre->Position(i);
        if (m_cadence.Echue())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    TProgression *m_barre;
    TCadence m_cadence;
};

QRadioButton *Radio(const char *nom, const QString &texte)
{
    auto *r = new QRadioButton(texte);
    r->setObjectName(QString::fromLatin1(nom));
    return r;
}

} // namespace

TfmRemp::TfmRemp(TBD &bd, THoteRemp &hote, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_bd(bd)
    , m_hote(hote)
{
    setObjectName(u"fmRemp"_s);
    setWindowTitle(u"Rechercher et remplacer"_s);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *texte = new QLabel(u"Vous pouvez modifier une donnée sur l'ensemble du fichier, par exemple\n"
                             u"changer l'orthographe d'un nom pour toutes les personnes le portant."_s);
    texte->setObjectName(u"lTexte"_s);

    auto *lDonnee = new QLabel(u"Donnée à modifier:"_s);
    lDonnee->setObjectName(u"lDonnee"_s);
    m_lb = new QListWidget;
    m_lb->setObjectName(u"lb"_s);
    m_lb->setToolTip(u"Sélectionnez la donnée à modifier."_s);
    for (const TGenre &g : Genres)
        m_lb->addItem(QString::fromUtf8(g.ligne));
    m_lb->setFixedHeight(m_lb->sizeHintForRow(0) * NbDonneesRemp + 2 * m_lb->frameWidth() + 2);
    lDonnee->setBuddy(m_lb);

    m_l = new QLabel(u"Nom du champ à modifier"_s);
    m_l->setObjectName(u"l"_s);
    m_cb = new QComboBox;
    m_cb->setObjectName(u"cb"_s);
    m_cb->setToolTip(u"Choisissez le champ à modifier."_s);
    for (const TChampPropose &c : Options().Champs)
        if (!c.Nom.trimmed().isEmpty())
            m_cb->addItem(c.Nom);
    m_l->setBuddy(m_cb);

    auto *modification = new QGroupBox(u"Modification à effectuer"_s);
    modification->setObjectName(u"gbModification"_s);
    m_rb1 = Radio("rb1", u"Tout mettre en minuscule"_s);
    m_rb2 = Radio("rb2", u"Tout mettre en majuscule"_s);
    m_rb4 = Radio("rb4", u"Première lettre en majuscule"_s);
    m_rb3 = Radio("rb3", u"Rechercher et remplacer"_s);
    m_l1 = new QLabel(u"Rechercher"_s);
    m_l1->setObjectName(u"l1"_s);
    m_e1 = new QLineEdit;
    m_e1->setObjectName(u"e1"_s);
    m_l1->setBuddy(m_e1);
    m_sb = new QToolButton;
    m_sb->setObjectName(u"sb"_s);
    m_sb->setText(u"="_s);
    m_sb->setToolTip(MLText(TexteCopie));
    m_l2 = new QLabel(u"Remplacer par"_s);
    m_l2->setObjectName(u"l2"_s);
    m_e2 = new QLineEdit;
    m_e2->setObjectName(u"e2"_s);
    m_l2->setBuddy(m_e2);
    auto *textes = new QGridLayout;
    textes->addWidget(m_l1, 0, 0);
    textes->addWidget(m_e1, 0, 1);
    textes->addWidget(m_sb, 0, 2);
    textes->addWidget(m_l2, 1, 0);
    textes->addWidget(m_e2, 1, 1);
    auto *operations = new QVBoxLayout(modification);
    for (QRadioButton *r : {m_rb1, m_rb2, m_rb4, m_rb3})
        operations->addWidget(r);
    operations->addLayout(textes);

    m_cbVoir = new QCheckBox(u"Voir la liste et actualiser son contenu"_s);
    m_cbVoir->setObjectName(u"cbVoir"_s);
    m_lCompte = new QLabel;
    m_lCompte->setObjectName(u"lCompte"_s);

    m_bOk = new QPushButton(u"&Remplacer"_s);
    m_bOk->setObjectName(u"bOk"_s);
    m_bOk->setDefault(true);
    m_B_Annuler = new QPushButton(u"&Fermer"_s);
    m_B_Annuler->setObjectName(u"B_Annuler"_s);
    auto *boutons = new QHBoxLayout;
    boutons->addWidget(m_lCompte, 1);
    boutons->addWidget(m_bOk);
    boutons->addWidget(m_B_Annuler);

    auto *principal = new QVBoxLayout(this);
    principal->addWidget(texte);
    principal->addWidget(lDonnee);
    principal->addWidget(m_lb);
    principal->addWidget(m_l);
    principal->addWidget(m_cb);
    principal->addWidget(modification);
    principal->addWidget(m_cbVoir);
    principal->addLayout(boutons);

    connect(m_lb, &QListWidget::currentRowChanged, this, &TfmRemp::lbClick);
    connect(m_cb, &QComboBox::currentIndexChanged, this, &TfmRemp::lbClick);
    // Ticking the box lists the values; what the user typed stays.
    connect(m_cbVoir, &QCheckBox::toggled, this, [this](bool coche) {
        if (coche)
            bVoirClick();
    });
    for (QRadioButton *r : {m_rb1, m_rb2, m_rb3, m_rb4})
        connect(r, &QRadioButton::toggled, this, &TfmRemp::Change);
    for (QLineEdit *e : {m_e1, m_e2})
        connect(e, &QLineEdit::textChanged, this, [this] {
            if (!m_garde)
                Change();
        });
    connect(m_sb, &QToolButton::clicked, this, [this] { m_e2->setText(m_e1->text()); });
    connect(m_bOk, &QPushButton::clicked, this, &TfmRemp::bOkClick);
    connect(m_B_Annuler, &QPushButton::clicked, this, &QWidget::close);

    MLTranslateForm(this);
    Change();
}

TfmRemp::~TfmRemp() = default;

void TfmRemp::Change()
{
    const int donnee = m_lb->currentRow();
    const bool champ = donnee == RempContenuChamp;
    const bool remplace = m_rb3->isChecked();
    m_l->setVisible(champ);
    m_cb->setVisible(champ);
    for (QWidget *w : std::initializer_list<QWidget *>{m_l1, m_e1, m_sb, m_l2, m_e2})
        w->setVisible(remplace);
    const bool operation = m_rb1->isChecked() || m_rb2->isChecked() || m_rb3->isChecked() || m_rb4->isChecked();
    m_bOk->setEnabled(donnee >= 0 && (!champ || !m_cb->currentText().isEmpty()) && operation
                      && (!remplace || (!m_e1->text().isEmpty() && !m_e2->text().isEmpty())));
}

void TfmRemp::lbClick()
{
    m_garde = true;
    m_e1->clear();
    m_e2->clear();
    m_garde = false;
    Change();
    if (m_cbVoir->isChecked())
        bVoirClick();
}

TRemplacement TfmRemp::Remplacement() const
{
    TRemplacement r;
    if (m_rb1->isChecked())
        r.Operation = TOperationRemp::Minuscule;
    else if (m_rb2->isChecked())
        r.Operation = TOperationRemp::Majuscule;
    else if (m_rb4->isChecked())
        r.Operation = TOperationRemp::PremiereMajuscule;
    else if (m_rb3->isChecked())
        r.Operation = TOperationRemp::Remplace;
    r.Recherche = m_e1->text();
    r.Par = m_e2->text();
    return r;
}

void TfmRemp::bOkClick()
{
    if (!m_bOk->isEnabled())
        return;
    const int donnee = m_lb->currentRow();
    int changees = 0;
    {
        TCurseurAttente attente;
        TProgressionPeinte progression(nullptr);
        changees = RemplaceValeurs(m_bd, donnee, m_cb->currentText(), Remplacement(), &progression);
    }
    if (changees > 0)
        BaseModifiee = 1;
    m_lCompte->setText(changees == 0   ? MLText(TexteAucuneValeur)
                       : changees == 1 ? MLText(TexteUneValeur)
                                       : MLFormat(TexteValeurs, {QString::number(changees)}));
    if (m_cbVoir->isChecked())
        bVoirClick();
    if (changees > 0)
        m_hote.ValeursRemplacees();
}

void TfmRemp::bVoirClick()
{
    const int donnee = m_lb->currentRow();
    if (donnee < 0 || donnee >= NbDonneesRemp)
        return;
    const QString champ = m_cb->currentText();
    if (donnee == RempContenuChamp && champ.isEmpty())
        return;
    TBKStringGrid *grille = m_hote.OuvreRapport();
    if (!grille)
        return;
    TCurseurAttente attente;
    const TGenre &g = Genres[donnee];
    QString colonne = QString::fromUtf8(g.colonne);
    QString titre = QString::fromUtf8(g.titre);
    if (donnee == RempContenuChamp)
        colonne = titre = champ;
    else if (donnee == RempNomChamp)
        colonne = MLText(TexteColonneChamp);

    grille->Clear();
    grille->SetColCount(2);
    grille->SetColumn(0, colonne, 200, donnee == RempDate ? 1 : 0);
    // 50 pixels, or the width of the title in the grid's font.
    const QString utilisation = u"Utilisation"_s;
    const int largeur = grille->horizontalHeader()->fontMetrics().horizontalAdvance(utilisation) + 12;
    grille->SetColumn(1, utilisation, std::max(50, largeur), 2);
    TProgressionPeinte progression(m_hote.ProgressionRapport());
    const std::vector<TValeurUtilisee> valeurs = CompteValeurs(m_bd, donnee, champ, &progression);
    const int n = static_cast<int>(valeurs.size());
    grille->SetRowCount(n + 1);
    for (int i = 0; i < n; ++i) {
        const TValeurUtilisee &v = valeurs[static_cast<size_t>(i)];
        grille->SetRow(i + 1, {v.Valeur, QString::number(v.Compte)});
    }
    grille->SortColumn(0, true, m_hote.ProgressionRapport());
    m_hote.FermeRapport(titre + u" ("_s + QString::number(n) + u')');
}

void TfmRemp::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_bOk->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
