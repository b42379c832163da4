// Find and replace: the operations, the value counts against a count made
// here, and the window driven as the user does, with the report window.

#include "BD.h"
#include "CommandesRemp.h"
#include "DialoguesScriptes.h"
#include "Dates.h"
#include "Globales.h"
#include "Langue.h"
#include "Options.h"
#include "Remplacement.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"
#include "TfmRemp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const TValeurUtilisee &v, std::ostream *os) { *os << '"' << v.Valeur.toStdString() << "\" x" << v.Compte; }

namespace {

TRemplacement operation(TOperationRemp o, const QString &recherche = {}, const QString &par = {})
{
    return {o, recherche, par};
}

TEST(Transforme, CasesAndWholeValues)
{
    using O = TOperationRemp;
    const struct {
        const char *valeur;
        TRemplacement r;
        const char *attendu;
    } cas[] = {
        {"élodie de l'Écluse", operation(O::Majuscule), "ÉLODIE DE L'ÉCLUSE"},
        {"ÉMILE ÇA", operation(O::Minuscule), "émile ça"},
        {"jean-pierre", operation(O::PremiereMajuscule), "Jean-pierre"},
        {"éLISE MARIE", operation(O::PremiereMajuscule), "Élise marie"},
        {"ǆamila", operation(O::PremiereMajuscule), "ǅamila"},
        {" jean", operation(O::PremiereMajuscule), " jean"},
        {"", operation(O::PremiereMajuscule), ""},
        {"dupont", operation(O::Remplace, u"DUPONT"_s, u"Dupont"_s), "Dupont"},
        {"ÉLISE", operation(O::Remplace, u"élise"_s, u"Élise"_s), "Élise"},
        {"Dupontel", operation(O::Remplace, u"dupont"_s, u"DUPONT"_s), "Dupontel"},
        {"Dupont ", operation(O::Remplace, u"dupont"_s, u"DUPONT"_s), "Dupont "},
        {"Dupont", operation(O::Aucune), "Dupont"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(Transforme(QString::fromUtf8(c.valeur), c.r), QString::fromUtf8(c.attendu)) << c.valeur;
}

// ---- Counting --------------------------------------------------------------------

// A database with values drawn from small pools, spellings and blanks
// varied, some slots freed.
void remplitHasard(TBD &bd)
{
    QRandomGenerator g(7);
    const auto tire = [&](const QStringList &l) { return l[static_cast<int>(g.bounded(l.size()))]; };
    const QStringList noms = {u"DUPONT"_s, u"Dupont"_s, u"dupont"_s, u"Dupontel"_s, QString(), u"DUPONT "_s, u"ÉMERY"_s};
    const QStringList prenoms = {u"Jean"_s, u"jean-pierre"_s, u"Marie"_s, QString(), u"Élise"_s};
    const QStringList libelles = {u"Profession"_s, u"profession"_s, u"Parrain"_s, QString(), u"Cote"_s};
    const QStringList types = {u"Naissance"_s, u"Décès"_s, u"Mariage"_s, u"naissance"_s};
    const QStringList dates = {u"1/2/1900"_s, QString(), u"avant 1850"_s, u"vers 3/1901"_s, u"1/2/1900"_s};
    const QStringList lieux = {u"FRA,IDF,F95,Pontoise"_s, u"FRA,IDF,F95,pontoise"_s, QString(), u"Paris"_s};
    for (int i = 0; i < 300; ++i) {
        const int p = bd.NewPerson();
        bd.SetSurname(p, tire(noms));
        bd.SetGivenNames(p, tire(prenoms));
        QString champs;
        for (int k = static_cast<int>(g.bounded(4)); k > 0; --k)
            champs += u"t|"_s + tire(libelles) + u'|' + tire(lieux) + u'|';
        bd.SetField(p, PcChamps, champs);
        for (int k = static_cast<int>(g.bounded(3)); k > 0; --k) {
            const int e = bd.AddPersonEvent(p);
            bd.SetEventField(e, EveType, tire(types));
            bd.SetEventField(e, EveDate, tire(dates));
            bd.SetEventField(e, EveLieu, tire(lieux));
            bd.SetEventField(e, EveNote, tire(prenoms));
        }
    }
    for (int p = 5; p <= 300; p += 37)
        bd.DeletePerson(p);
}

// The same count, made the plain way: a linear search of each value.
std::vector<TValeurUtilisee> compteLineaire(const QStringList &valeurs)
{
    std::vector<TValeurUtilisee> r;
    for (const QString &v : valeurs) {
        const QString cle = v.isEmpty() ? u" (Vide)"_s : v;
        auto it = std::find_if(r.begin(), r.end(), [&](const TValeurUtilisee &u) { return u.Valeur == cle; });
        if (it == r.end())
            r.push_back({cle, 1});
        else
            ++it->Compte;
    }
    return r;
}

QStringList valeursDe(const TBD &bd, int donnee, const QString &champ)
{
    QStringList v;
    if (donnee <= RempContenuChamp) {
        for (int p = 1; p <= bd.PersonCount(); ++p) {
            if (!bd.PersonInUse(p))
                continue;
            const TFiche &f = bd.Fiche(p);
            const QStringList morceaux = f.Champs.split(u'|');
            switch (donnee) {
            case RempNom:
                v << f.Nom;
                break;
            case RempPrenom:
                v << f.Prenoms;
                break;
            case RempNomChamp:
                for (qsizetype i = 1; i < morceaux.size(); i += 3)
                    v << morceaux[i];
                break;
            default: {
                QString trouve;
                for (qsizetype i = 1; i + 1 < morceaux.size(); i += 3)
                    if (morceaux[i].compare(champ, Qt::CaseInsensitive) == 0) {
                        trouve = morceaux[i + 1];
                        break;
                    }
                v << trouve;
            }
            }
        }
    } else {
        const int champEve[] = {EveType, EveDate, EveLieu, EveNote};
        for (int e = 1; e <= bd.EventCount(); ++e)
            if (bd.EventInUse(e))
                v << bd.EventField(e, champEve[donnee - RempEvenement]);
    }
    return v;
}

TEST(CompteValeurs, AgreesWithALinearCountForEveryKind)
{
    TBD bd;
    remplitHasard(bd);
    for (int donnee = 0; donnee < NbDonneesRemp; ++donnee) {
        SCOPED_TRACE(donnee);
        const std::vector<TValeurUtilisee> attendu = compteLineaire(valeursDe(bd, donnee, u"PROFESSION"_s));
        EXPECT_GT(attendu.size(), 2u);
        EXPECT_EQ(CompteValeurs(bd, donnee, u"PROFESSION"_s), attendu);
    }
    EXPECT_TRUE(CompteValeurs(bd, NbDonneesRemp, QString()).empty());
    EXPECT_TRUE(CompteValeurs(TBD(), RempLieu, QString()).empty());
}

TEST(RemplaceValeurs, ChangesOnlyWhatDiffersAndStampsItsOwners)
{
    TBD bd;
    remplitHasard(bd);
    const TBD avant = bd;
    SetHorloge([] { return QDate(2024, 5, 17); });
    // Upper case on places: each value that changes is counted once.
    const QStringList lieux = valeursDe(bd, RempLieu, {});
    const auto aChanger = std::count_if(lieux.begin(), lieux.end(), [](const QString &l) { return l != l.toUpper(); });
    EXPECT_EQ(RemplaceValeurs(bd, RempLieu, {}, operation(TOperationRemp::Majuscule)), aChanger);
    for (const QString &l : valeursDe(bd, RempLieu, {}))
        EXPECT_EQ(l, l.toUpper());
    // The persons owning a changed event were stamped, and they only.
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        bool change = false;
        for (int e : bd.Fiche(p).Evenements)
            change |= bd.EventField(e, EveLieu) != avant.EventField(e, EveLieu);
        EXPECT_EQ(bd.GetField(p, PcModification), change ? u"17/5/2024"_s : avant.GetField(p, PcModification)) << p;
    }
    // Again: nothing left to change.
    EXPECT_EQ(RemplaceValeurs(bd, RempLieu, {}, operation(TOperationRemp::Majuscule)), 0);

    // A union's event stamps both spouses.
    const int a = bd.NewPerson();
    const int b = bd.NewPerson();
    bd.SetSex(b, SexeFemme);
    const int u = bd.NewUnionOf(a, b);
    bd.SetEventField(bd.AddUnionEvent(u), EveLieu, u"Lyon"_s);
    EXPECT_EQ(RemplaceValeurs(bd, RempLieu, {}, operation(TOperationRemp::Remplace, u"LYON"_s, u"Lyon (69)"_s)), 1);
    EXPECT_EQ(bd.GetField(a, PcModification), u"17/5/2024");
    EXPECT_EQ(bd.GetField(b, PcModification), u"17/5/2024");
    SetHorloge({});
}

// Dates keep reading the same once upper-cased or capitalised: the date
// reader takes qualifiers in any case, so these operations stay allowed.
TEST(RemplaceValeurs, DatesInAnyCaseReadTheSame)
{
    TBD bd;
    const int p = bd.NewPerson();
    const QStringList dates = {u"avant 1850"_s, u"après 3/1901 avant 1905"_s, u"vers 2/3/1900"_s};
    for (const QString &d : dates)
        bd.SetEventField(bd.AddPersonEvent(p), EveDate, d);
    for (TOperationRemp o : {TOperationRemp::Majuscule, TOperationRemp::PremiereMajuscule}) {
        TBD copie = bd;
        EXPECT_EQ(RemplaceValeurs(copie, RempDate, {}, operation(o)), 3);
        for (int i = 1; i <= 3; ++i) {
            const QString a = bd.GetPersonEventField(p, i, EveDate);
            const QString b = copie.GetPersonEventField(p, i, EveDate);
            EXPECT_NE(a, b);
            EXPECT_EQ(DateKey(a), DateKey(b)) << b.toStdString();
            EXPECT_EQ(SplitQualifiedDate(a).Qualif, SplitQualifiedDate(b).Qualif) << b.toStdString();
            const TDateRange ra = SplitDateRange(a), rb = SplitDateRange(b);
            EXPECT_EQ(ra.Qualif2, rb.Qualif2);
            EXPECT_EQ(ra.Date2, rb.Date2);
            EXPECT_EQ(CompareDates(a, b), 0);
        }
    }
}

// ---- The window ------------------------------------------------------------------

class HoteRapport final : public THoteRapport
{
public:
    TfmRapport *Fenetre = nullptr;
    int SelecPers() const override { return 0; }
    void SelecFiche(int) override {}
    void MontreRapport() override { Fenetre->show(); }
    void RapportCache() override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
};

class Fenetre : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        DossierRapport = QStringLiteral(LIGNEE_MODELE "/1/rapport/");
        Options() = TOptions();
        Options().Champs = {{true, u"Profession"_s, u"OCCU"_s}, {false, u"Parrain"_s, {}}};
        BaseModifiee = 0;
        SetHorloge([] { return QDate(2024, 5, 17); });
        m_hoteRapport.Fenetre = &m_rapport;
        m_commandes.AfficheRemplacer();
        m_remp = m_commandes.Fenetre();
        ASSERT_NE(m_remp, nullptr);
        QApplication::setActiveWindow(m_remp);
    }
    void TearDown() override
    {
        SetHorloge({});
        delete m_remp;
    }

    int personne(const QString &nom, const QString &prenoms, const QString &champs = {})
    {
        const int p = m_bd.NewPerson();
        m_bd.SetSurname(p, nom);
        m_bd.SetGivenNames(p, prenoms);
        m_bd.SetField(p, PcChamps, champs);
        return p;
    }
    template <typename T>
    T *controle(const char *nom)
    {
        T *c = m_remp->findChild<T *>(QString::fromLatin1(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
    void choisit(int donnee)
    {
        auto *lb = controle<QListWidget>("lb");
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, lb->visualItemRect(lb->item(donnee)).center());
    }
    // A click on the button's left end, where a radio button or a box has
    // its mark whatever the width the layout gave it.
    void clic(const char *nom)
    {
        QAbstractButton *b = controle<QAbstractButton>(nom);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
    }
    void tape(const char *nom, const QString &texte)
    {
        auto *e = controle<QLineEdit>(nom);
        e->setFocus();
        // What is there is selected, so that typing replaces it.
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        // Key by key, each with its text: QTest has no key for "|" nor for
        // accented letters.
        for (const QChar c : texte)
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // Replaces a whole value of a kind, as the user does.
    void remplace(int donnee, const QString &recherche, const QString &par)
    {
        choisit(donnee);
        clic("rb3");
        tape("e1", recherche);
        tape("e2", par);
        QTest::keyClick(controle<QLineEdit>("e2"), Qt::Key_Return);
    }
    // The value list shown in the report: value -> count, in grid order.
    std::vector<TValeurUtilisee> liste() const
    {
        std::vector<TValeurUtilisee> r;
        const TBKStringGrid *g = m_rapport.Grille();
        for (int i = 1; i < g->RowCount(); ++i)
            r.push_back({g->Cell(0, i), g->Cell(1, i).toInt()});
        return r;
    }

    TDialoguesScriptes m_dialogues;
    TBD m_bd;
    HoteRapport m_hoteRapport;
    TfmRapport m_rapport{m_bd, m_hoteRapport};
    int m_actualisations = 0;
    TCommandesRemp m_commandes{m_bd,
                               {[this] { return m_rapport.InitRapport() ? m_rapport.Grille() : nullptr; },
                                [this] { return m_rapport.Progression(); },
                                [this](const QString &t) {
                                    m_rapport.setWindowTitle(t);
                                    m_rapport.FinRapport();
                                },
                                [this] { ++m_actualisations; },
                                {}},
                               nullptr};
    TfmRemp *m_remp = nullptr;
};

TEST_F(Fenetre, TheButtonWaitsForAKindAnOperationAndBothTexts)
{
    auto *ok = controle<QPushButton>("bOk");
    EXPECT_EQ(m_remp->windowTitle(), u"Rechercher et remplacer");
    EXPECT_EQ(controle<QListWidget>("lb")->count(), 8);
    EXPECT_FALSE(ok->isEnabled());
    choisit(RempNom);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(controle<QComboBox>("cb")->isVisible());
    EXPECT_FALSE(controle<QLineEdit>("e1")->isVisible());
    clic("rb2");
    EXPECT_TRUE(ok->isEnabled());
    clic("rb3");
    EXPECT_TRUE(controle<QLineEdit>("e1")->isVisible());
    EXPECT_FALSE(ok->isEnabled());
    tape("e1", u"dupont"_s);
    EXPECT_FALSE(ok->isEnabled());
    clic("sb");
    EXPECT_EQ(controle<QLineEdit>("e2")->text(), u"dupont");
    EXPECT_TRUE(ok->isEnabled());
    // Another kind empties both texts; the field content needs a field.
    choisit(RempContenuChamp);
    EXPECT_TRUE(controle<QLineEdit>("e1")->text().isEmpty());
    EXPECT_TRUE(controle<QLineEdit>("e2")->text().isEmpty());
    EXPECT_TRUE(controle<QComboBox>("cb")->isVisible());
    EXPECT_EQ(controle<QComboBox>("cb")->currentText(), u"Profession");
    clic("rb1");
    EXPECT_TRUE(ok->isEnabled());
    // Ticking the list keeps what was typed.
    clic("rb3");
    tape("e1", u"x"_s);
    clic("cbVoir");
    EXPECT_EQ(controle<QLineEdit>("e1")->text(), u"x");
    // Escape closes, and the window is freed.
    QPointer<TfmRemp> fenetre = m_remp;
    QTest::keyClick(m_remp, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fenetre.isNull());
    m_remp = nullptr;
    EXPECT_EQ(BaseModifiee, 0);
}

TEST_F(Fenetre, ASurnameIsReplacedWholeInAnyCase)
{
    const int a = personne(u"dupont"_s, u"Jean"_s);
    const int b = personne(u"DuPont"_s, u"Marie"_s);
    const int c = personne(u"Dupontel"_s, u"Paul"_s);
    const int d = personne(u"Martin"_s, u"Luc"_s);
    remplace(RempNom, u"dupont"_s, u"DUPONT"_s);
    EXPECT_EQ(m_bd.Surname(a), u"DUPONT");
    EXPECT_EQ(m_bd.Surname(b), u"DUPONT");
    EXPECT_EQ(m_bd.Surname(c), u"Dupontel");
    EXPECT_EQ(controle<QLabel>("lCompte")->text(), u"2 valeurs ont été modifiées.");
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_EQ(m_actualisations, 1);
    EXPECT_EQ(m_bd.GetField(a, PcModification), u"17/5/2024");
    EXPECT_TRUE(m_bd.GetField(d, PcModification).isEmpty());

    // The same again changes nothing, and says so: the base is not marked.
    BaseModifiee = 0;
    clic("bOk");
    EXPECT_EQ(controle<QLabel>("lCompte")->text(), u"Aucune valeur n'a été modifiée.");
    EXPECT_EQ(BaseModifiee, 0);
    EXPECT_EQ(m_actualisations, 1);
}

TEST_F(Fenetre, FirstLetterAndFieldLabels)
{
    const int p = personne(u"DURAND"_s, u"jean-pierre"_s,
                           u"t|Profession|Menuisier|t|Cote||t|profession|Charron|t|Parrain|pierre durand|"_s);
    choisit(RempPrenom);
    clic("rb4");
    clic("bOk");
    EXPECT_EQ(m_bd.GivenNames(p), u"Jean-pierre");
    EXPECT_EQ(controle<QLabel>("lCompte")->text(), u"Une valeur a été modifiée.");

    // Renaming a label drops the entries without a value; a "|" typed in
    // the new label becomes a blank.
    remplace(RempNomChamp, u"PROFESSION"_s, u"Métier|ancien"_s);
    EXPECT_EQ(m_bd.GetField(p, PcChamps),
              u"t|Métier ancien|Menuisier|t|Métier ancien|Charron|t|Parrain|pierre durand|");
    EXPECT_EQ(controle<QLabel>("lCompte")->text(), u"2 valeurs ont été modifiées.");
    // A field content, the field chosen in the list: "|" becomes a blank.
    choisit(RempContenuChamp);
    auto *cb = controle<QComboBox>("cb");
    cb->setFocus();
    QTest::keyClick(cb, Qt::Key_Down);
    EXPECT_EQ(cb->currentText(), u"Parrain");
    remplace(RempContenuChamp, u"PIERRE DURAND"_s, u"Pierre|Durand"_s);
    EXPECT_EQ(m_bd.GetAttribute(p, u"Parrain"_s), u"Pierre Durand");
    EXPECT_EQ(m_bd.GetAttribute(p, u"Métier ancien"_s), u"Menuisier");

    // A replacement that gives the same value once "|" is blanked changes
    // nothing, and is not counted.
    BaseModifiee = 0;
    remplace(RempContenuChamp, u"pierre durand"_s, u"Pierre|Durand"_s);
    EXPECT_EQ(controle<QLabel>("lCompte")->text(), u"Aucune valeur n'a été modifiée.");
    const QString champs = m_bd.GetField(p, PcChamps);
    remplace(RempNomChamp, u"métier ancien"_s, u"Métier|ancien"_s);
    EXPECT_EQ(controle<QLabel>("lCompte")->text(), u"Aucune valeur n'a été modifiée.");
    EXPECT_EQ(m_bd.GetField(p, PcChamps), champs);
    EXPECT_EQ(BaseModifiee, 0);
}

TEST_F(Fenetre, TheValueListShowsEveryValueWithItsCount)
{
    TBD hasard;
    remplitHasard(hasard);
    m_bd = hasard;
    clic("cbVoir");
    const struct {
        int donnee;
        const char *titre;
        const char *colonne;
        int tri;
    } cas[] = {
        {RempNom, "Liste des patronymes", "Patronyme", 0},
        {RempNomChamp, "Liste des champs personnels", "Nom du champ", 0},
        {RempDate, "Liste des dates", "Date", 1},
        {RempLieu, "Liste des lieux", "Lieu", 0},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.titre);
        choisit(c.donnee);
        std::vector<TValeurUtilisee> attendu = compteLineaire(valeursDe(m_bd, c.donnee, {}));
        std::vector<TValeurUtilisee> vu = liste();
        const auto ordre = [](const TValeurUtilisee &x, const TValeurUtilisee &y) { return x.Valeur < y.Valeur; };
        std::sort(attendu.begin(), attendu.end(), ordre);
        std::sort(vu.begin(), vu.end(), ordre);
        EXPECT_EQ(vu, attendu);
        const TBKStringGrid *g = m_rapport.Grille();
        EXPECT_EQ(m_rapport.windowTitle(),
                  QString::fromUtf8(c.titre) + u" ("_s + QString::number(attendu.size()) + u')');
        EXPECT_EQ(g->Cell(0, 0), QString::fromUtf8(c.colonne));
        EXPECT_EQ(g->Cell(1, 0), u"Utilisation");
        EXPECT_EQ(g->ColWidth(0), 200);
        // The count's title is not cut.
        EXPECT_GT(g->ColWidth(1), g->horizontalHeader()->fontMetrics().horizontalAdvance(u"Utilisation"_s));
        EXPECT_EQ(g->ColSortType(0), c.tri);
        EXPECT_EQ(g->ColSortType(1), 2);
        EXPECT_EQ(g->SortedColumn(), 0);
        for (int r = 1; r < g->RowCount(); ++r)
            EXPECT_EQ(g->GetRowData(r), 0);
        EXPECT_FALSE(m_rapport.Occupe());
    }
    // Undated events are counted under " (Vide)".
    choisit(RempDate);
    int vides = 0;
    for (int e = 1; e <= m_bd.EventCount(); ++e)
        vides += m_bd.EventInUse(e) && m_bd.EventField(e, EveDate).isEmpty();
    ASSERT_GT(vides, 0);
    const std::vector<TValeurUtilisee> dates = liste();
    EXPECT_TRUE(std::find(dates.begin(), dates.end(), TValeurUtilisee{u" (Vide)"_s, vides}) != dates.end());

    // A replacement refreshes the list; a busy report is left alone.
    remplace(RempLieu, u"paris"_s, u"Paris (75)"_s);
    const std::vector<TValeurUtilisee> lieux = liste();
    EXPECT_TRUE(std::any_of(lieux.begin(), lieux.end(), [](auto &v) { return v.Valeur == u"Paris (75)"; }));
    ASSERT_TRUE(m_rapport.InitRapport());
    m_rapport.Grille()->SetRowCount(1);
    choisit(RempNom);
    EXPECT_EQ(m_rapport.Grille()->RowCount(), 1);
    m_rapport.FinRapport();
}

} // namespace
