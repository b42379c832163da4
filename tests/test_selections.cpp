#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Selections.h"
#include "TfmRapport.h"
#include "TfmRapportCritere.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <bit>
#include <random>
#include <set>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using V = std::vector<int>;

V v(const TR &l) { return {l.begin(), l.end()}; }

TR versTR(const V &items)
{
    TR l;
    for (int x : items)
        l.Add(x);
    return l;
}

// ---- Every kind on the test family ----------------------------------------

struct CasSorte {
    int Sorte, Personne, N;
    V Liste;
    const char *Titre;
};

const CasSorte casFamille[] = {
    {0, 9, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}, "Toutes les personnes"},
    // Father first; Jean and Marie are reached through both of Théo's parents.
    {1, 13, 1, {13, 9, 12}, "Les parents de MARTIN Théo"},
    {1, 13, 3, {13, 9, 12, 4, 8, 11, 5, 1, 2, 1, 2}, "L'ascendance de MARTIN Théo sur 3 générations"},
    {2, 1, 1, {4, 5, 6}, "Les enfants de MARTIN Jean"},
    {2, 1, 3, {4, 9, 13, 5, 12, 13, 6}, "La descendance de MARTIN Jean sur 3 générations"},
    {3, 7, 1, {2}, "Les parents de DURAND Claude"},
    {4, 4, 1, {5, 6, 7}, "La fratrie de MARTIN Pierre"},
    {5, 2, 1, {4, 5, 7}, "Les enfants de DURAND Marie"},
    {6, 1, 1, {2, 3}, "Les unions de MARTIN Jean"}, // by marriage date, not by union number
    {7, 9, 1, {5, 6, 7}, "Les oncles et les tantes de MARTIN Luc au 1er degré"},
    {7, 13, 2, {5, 6, 7, 4, 6, 7}, "Les oncles et les tantes de MARTIN Théo au 2e degré"},
    {8, 9, 1, {12}, "Les cousins et les cousines de MARTIN Luc au 1er degré"},
    // The child of two cousins is its own second cousin, twice.
    {8, 13, 2, {13, 13}, "Les cousins et les cousines de MARTIN Théo au 2e degré"},
    {9, 13, 2, {4, 8, 11, 5}, "2e degré des ascendants de MARTIN Théo"},
    {10, 1, 3, {13, 13}, "3e degré des descendants de MARTIN Jean"},
    {11, 13, 1, {1, 2, 8, 11, 1, 2}, "Les ascendants de MARTIN Théo sans aucun parent"},
    {12, 7, 1, {7, 2}, "Les ascendants de DURAND Claude dont il manque au moins un parent"},
    {13, 1, 1, {13, 13, 6}, "Les descendants de MARTIN Jean sans enfants"},
    // Numbers outside 1..99 are brought into the range.
    {1, 13, 0, {13, 9, 12}, "Les parents de MARTIN Théo"},
    {9, 13, 500, {}, "99e degré des ascendants de MARTIN Théo"},
    // None chosen, and kinds outside the list, give the person alone.
    {-1, 9, 5, {9}, "La personne"},
    {15, 9, 5, {9}, "La personne"},
};

TEST(Selections, EveryKindOnTheFamily)
{
    FamilleTest f;
    for (const CasSorte &c : casFamille) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Sorte << ", person " << c.Personne << ", n " << c.N);
        const TSelection s = SelectionneListe(f.bd, c.Sorte, c.Personne, c.N);
        EXPECT_EQ(v(s.Liste), c.Liste);
        EXPECT_EQ(s.Titre, QString::fromUtf8(c.Titre));
        EXPECT_FALSE(s.Coupee);
    }
}

TEST(Selections, TreeViewAndPersonsWithoutRelatives)
{
    FamilleTest f;
    int appels = 0;
    const auto arbre = [&] {
        ++appels;
        return versTR({3, 1, 3});
    };
    const TSelection s = SelectionneListe(f.bd, 14, 9, 1, arbre);
    EXPECT_EQ(v(s.Liste), (V{3, 1, 3}));
    EXPECT_EQ(s.Titre, u"Les personnes affichées dans l'arbre de MARTIN Luc"_s);
    // Other kinds never ask the tree; without a tree the list is empty.
    SelectionneListe(f.bd, 3, 9, 1, arbre);
    EXPECT_EQ(appels, 1);
    EXPECT_TRUE(SelectionneListe(f.bd, 14, 9, 1).Liste.IsEmpty());

    // A person alone is its own line end (kinds 1, 11 to 13); no current
    // person gives nothing at all.
    const int seul = f.personne("SEUL", "Jean", SexeHomme, "");
    for (int sorte = 1; sorte <= 14; ++sorte) {
        const bool luiSeul = sorte == 1 || (sorte >= 11 && sorte <= 13);
        EXPECT_EQ(v(SelectionneListe(f.bd, sorte, seul, 3).Liste), luiSeul ? V{seul} : V{}) << sorte;
        EXPECT_TRUE(SelectionneListe(f.bd, sorte, 0, 2).Liste.IsEmpty()) << sorte;
    }
    EXPECT_TRUE(SelectionneListe(f.bd, -1, 0, 2).Liste.IsEmpty());
}

// ---- Kinds 1, 2, 9 and 10 against a plain reference -----------------------

V enfantsRef(const TBD &bd, int x)
{
    V r;
    for (int c = 1; c <= bd.PersonCount(); ++c) {
        if (bd.PersonInUse(c) && (bd.Father(c) == x || bd.Mother(c) == x))
            r.push_back(c);
    }
    return r;
}

// The ancestors of generations 0..n in Sosa order (number s: father 2s,
// mother 2s + 1, a broken line skipped); those of generation n also go to
// *derniere.
V ascendanceRef(const TBD &bd, int p, int n, V *derniere)
{
    V r;
    for (unsigned s = 1; s < 2u << n; ++s) {
        int x = p;
        for (int b = std::bit_width(s) - 2; b >= 0 && bd.PersonInUse(x); --b)
            x = (s >> b) & 1u ? bd.Mother(x) : bd.Father(x);
        if (!bd.PersonInUse(x))
            continue;
        r.push_back(x);
        if (std::bit_width(s) == static_cast<unsigned>(n) + 1)
            derniere->push_back(x);
    }
    return r;
}

// Depth first down to generation n; those of generation n also go to
// *derniere.
void descendanceRef(const TBD &bd, int x, int profondeur, int n, V &r, V &derniere)
{
    for (int c : enfantsRef(bd, x)) {
        r.push_back(c);
        if (profondeur + 1 == n)
            derniere.push_back(c);
        else
            descendanceRef(bd, c, profondeur + 1, n, r, derniere);
    }
}

TEST(Selections, LinesMatchAReferenceOnRandomPedigrees)
{
    std::mt19937 alea(20240611);
    const auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea); };
    int comparaisons = 0;
    for (int essai = 0; essai < 200; ++essai) {
        SCOPED_TRACE(essai);
        TBD bd;
        const int n = entre(20, 40);
        for (int i = 1; i <= n; ++i) {
            const int p = bd.NewPerson();
            bd.SetSex(p, entre(0, 2));
            // Parents among the earlier persons, sometimes unknown, rarely
            // the same person twice.
            if (p > 1 && entre(0, 9) < 8)
                bd.SetFather(p, entre(1, p - 1));
            if (p > 1 && entre(0, 9) < 7)
                bd.SetMother(p, entre(0, 19) == 0 ? bd.Father(p) : entre(1, p - 1));
        }
        // A few removed persons: links to them no longer count.
        for (int k = entre(0, 3); k > 0; --k)
            bd.ClearPerson(entre(1, n));

        for (int p = 1; p <= n; ++p) {
            if (!bd.PersonInUse(p))
                continue;
            const int g = entre(1, 7);
            SCOPED_TRACE(testing::Message() << "person " << p << ", n " << g);
            V asc, ascDegre, desc, descDegre;
            asc = ascendanceRef(bd, p, g, &ascDegre);
            descendanceRef(bd, p, 0, g, desc, descDegre);
            EXPECT_EQ(v(SelectionneListe(bd, 1, p, g).Liste), asc);
            EXPECT_EQ(v(SelectionneListe(bd, 2, p, g).Liste), desc);
            EXPECT_EQ(v(SelectionneListe(bd, 9, p, g).Liste), ascDegre);
            EXPECT_EQ(v(SelectionneListe(bd, 10, p, g).Liste), descDegre);
            // At degree 1 they are the parents and the children.
            EXPECT_EQ(v(SelectionneListe(bd, 9, p, 1).Liste), v(SelectionneListe(bd, 3, p, 1).Liste));
            EXPECT_EQ(v(SelectionneListe(bd, 10, p, 1).Liste), v(SelectionneListe(bd, 5, p, 1).Liste));
            comparaisons += 4;
        }
    }
    EXPECT_GT(comparaisons, 200 * 4 * 15);
}

// ---- Damaged links and huge selections ------------------------------------

TEST(Selections, LoopInParentLinksEnds)
{
    // A is the father of B and B the father of A.
    TBD bd;
    const int a = bd.NewPerson();
    const int b = bd.NewPerson();
    bd.SetSurname(a, u"A"_s);
    bd.SetFather(a, b);
    bd.SetFather(b, a);
    EXPECT_TRUE(SelectionneListe(bd, 11, a, 1).Liste.IsEmpty());
    EXPECT_EQ(v(SelectionneListe(bd, 12, a, 1).Liste), (V{a, b}));
    EXPECT_TRUE(SelectionneListe(bd, 13, a, 1).Liste.IsEmpty());
    // The bounded kinds go round the loop as many times as asked.
    EXPECT_EQ(SelectionneListe(bd, 1, a, 99).Liste.Count(), 100);
    EXPECT_EQ(v(SelectionneListe(bd, 9, a, 99).Liste), (V{b}));
    EXPECT_EQ(v(SelectionneListe(bd, 10, a, 98).Liste), (V{a}));
    for (int sorte = 0; sorte <= 13; ++sorte)
        EXPECT_FALSE(SelectionneListe(bd, sorte, a, 99).Coupee) << sorte;
}

// Twenty generations of brother-sister couples above x double the ancestor
// list at every generation; the top couple is a child of a couple with 700
// children and an outsider. One of the 700 has a line of 20 descendants.
struct Effondrement {
    static constexpr int Generations = 20;
    TBD bd;
    int x = 0;
    int dernier = 0; // the end of the line of descendants

    void parents(int e, int pere, int mere)
    {
        bd.SetFather(e, pere);
        bd.SetMother(e, mere);
    }

    Effondrement()
    {
        const int a = bd.NewPerson();
        const int b = bd.NewPerson();
        V enfants;
        for (int i = 0; i < 700; ++i) {
            enfants.push_back(bd.NewPerson());
            parents(enfants.back(), a, b);
        }
        int pere = enfants[0];
        int mere = bd.NewPerson();
        for (int g = Generations - 1; g >= 1; --g) {
            const int f = bd.NewPerson();
            const int m = bd.NewPerson();
            parents(f, pere, mere);
            parents(m, pere, mere);
            pere = f;
            mere = m;
        }
        x = bd.NewPerson();
        parents(x, pere, mere);
        dernier = enfants[2];
        for (int i = 0; i < Generations; ++i) {
            const int e = bd.NewPerson();
            bd.SetFather(e, dernier);
            dernier = e;
        }
    }
};

TEST(Selections, CutAtCapacityIsReported)
{
    Effondrement f;
    for (int sorte : {1, 7, 9}) {
        SCOPED_TRACE(sorte);
        const TSelection s = SelectionneListe(f.bd, sorte, f.x, Effondrement::Generations);
        EXPECT_TRUE(s.Coupee);
        EXPECT_EQ(s.Liste.Count(), TR::Capacity);
    }
    // The uncles' list was cut on the way; the cousins found from it are few.
    const TSelection cousins = SelectionneListe(f.bd, 8, f.x, Effondrement::Generations);
    EXPECT_TRUE(cousins.Coupee);
    EXPECT_FALSE(cousins.Liste.Tronquee());
    ASSERT_GT(cousins.Liste.Count(), 0);
    EXPECT_LT(cousins.Liste.Count(), TR::Capacity);
    EXPECT_EQ(std::set<int>(cousins.Liste.begin(), cousins.Liste.end()), std::set<int>{f.dernier});
    // Within the capacity nothing is said.
    EXPECT_FALSE(SelectionneListe(f.bd, 7, f.x, 5).Coupee);
    EXPECT_FALSE(SelectionneListe(f.bd, 1, f.x, 15).Coupee);
}

// ---- The selection panel --------------------------------------------------

class HoteTest final : public THoteRapport
{
public:
    int SelecPers() const override { return 0; }
    void SelecFiche(int) override {}
    void MontreRapport() override {}
    void RapportCache() override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
};

class Panneau : public ::testing::Test, protected FamilleTest
{
protected:
    Panneau()
        : rapport(bd, hote)
        , critere(bd, rapport, [this] { return courante; }, [this] { return arbre; })
    {
        critere.show();
    }

    template <typename T>
    T *controle(const QString &nom) const
    {
        T *c = critere.findChild<T *>(nom);
        EXPECT_NE(c, nullptr) << nom.toStdString();
        return c;
    }
    void clique(int ligne)
    {
        const QRect r = lbAfficher->visualItemRect(lbAfficher->item(ligne));
        QTest::mouseClick(lbAfficher->viewport(), Qt::LeftButton, {}, r.center());
    }
    void coche(QCheckBox *c) { QTest::mouseClick(c, Qt::LeftButton); }
    V liste() const { return v(rapport.Liste()); }

    TDialoguesScriptes dialogues;
    HoteTest hote;
    int courante = 9;
    TR arbre;
    TfmRapport rapport;
    TfmRapportCritere critere;
    QListWidget *lbAfficher = controle<QListWidget>(u"lbAfficher"_s);
    QSpinBox *seGen = controle<QSpinBox>(u"seGen"_s);
    QLabel *lGen = controle<QLabel>(u"lGen"_s);
    QLabel *lTitre = controle<QLabel>(u"lTitre"_s);
    QCheckBox *cbTrie = controle<QCheckBox>(u"cbTrie"_s);
    QCheckBox *cbAppliquer = controle<QCheckBox>(u"cbAppliquer"_s);
    QPushButton *bOk = controle<QPushButton>(u"bOk"_s);
};

TEST_F(Panneau, ControlsAtStartAndDegreeShownOnlyForKindsThatUseIt)
{
    ASSERT_TRUE(lbAfficher && seGen && lGen && lTitre && cbTrie && cbAppliquer && bOk);
    ASSERT_TRUE(controle<QWidget>(u"pAff"_s));
    ASSERT_EQ(lbAfficher->count(), 15);
    EXPECT_EQ(lbAfficher->item(14)->text(), u"Les personnes affichées dans l'arbre"_s);
    EXPECT_EQ(critere.Sorte(), -1);
    EXPECT_TRUE(seGen->isHidden() && lGen->isHidden());
    EXPECT_EQ(std::tuple(seGen->minimum(), seGen->maximum(), seGen->value()), std::tuple(1, 99, 1));
    EXPECT_TRUE(cbAppliquer->isChecked());
    EXPECT_FALSE(cbTrie->isChecked());
    EXPECT_EQ(lTitre->text(), u"MARTIN Luc"_s);
    // Each showing names the current person of the moment.
    critere.hide();
    courante = 12;
    critere.show();
    EXPECT_EQ(lTitre->text(), u"LEROY Emma"_s);

    const std::set<int> avecDegre{1, 2, 7, 8, 9, 10};
    for (int ligne = 0; ligne < 15; ++ligne) {
        clique(ligne);
        EXPECT_EQ(critere.Sorte(), ligne);
        EXPECT_EQ(seGen->isHidden(), !avecDegre.count(ligne)) << ligne;
        EXPECT_EQ(lGen->isHidden(), !avecDegre.count(ligne)) << ligne;
    }
}

TEST_F(Panneau, EachChangeAppliedWhileChecked)
{
    clique(3);
    EXPECT_EQ(liste(), (V{4, 8}));
    clique(1);
    QTest::keyClick(seGen, Qt::Key_Up);
    EXPECT_EQ(liste(), (V{9, 4, 8, 1, 2}));
    EXPECT_EQ(rapport.Titre(), u"L'ascendance de MARTIN Luc sur 2 générations"_s);

    // Checking the sort refills sorted by surname and given names;
    // unchecking it leaves the report as it is until the next fill.
    clique(0);
    const V trie{8, 7, 2, 12, 11, 5, 1, 9, 6, 4, 13, 3};
    coche(cbTrie);
    EXPECT_EQ(liste(), trie);
    coche(cbTrie);
    EXPECT_EQ(liste(), trie);
    clique(14);
    EXPECT_TRUE(liste().empty());
    clique(0);
    EXPECT_EQ(liste(), (V{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}));
    EXPECT_TRUE(critere.isVisible());
    EXPECT_TRUE(dialogues.Messages.isEmpty());
}

TEST_F(Panneau, NothingAppliedUntilOkWhenUncheckedAndNoKindShowsThePersonAlone)
{
    clique(5);
    EXPECT_EQ(liste(), V{13});
    coche(cbAppliquer);
    ASSERT_FALSE(cbAppliquer->isChecked());
    courante = 4;
    clique(10);
    seGen->setValue(2);
    coche(cbTrie);
    EXPECT_EQ(rapport.Titre(), u"Les enfants de MARTIN Luc"_s);

    QTest::mouseClick(bOk, Qt::LeftButton);
    EXPECT_EQ(liste(), (V{13}));
    EXPECT_EQ(rapport.Titre(), u"2e degré des descendants de MARTIN Pierre"_s);
    EXPECT_FALSE(critere.isVisible());

    // Checking the box again applies at once.
    arbre = versTR({3, 6});
    critere.show();
    clique(14);
    EXPECT_EQ(rapport.Titre(), u"2e degré des descendants de MARTIN Pierre"_s);
    coche(cbAppliquer);
    EXPECT_EQ(liste(), (V{6, 3}));
    EXPECT_EQ(rapport.Titre(), u"Les personnes affichées dans l'arbre de MARTIN Pierre"_s);

    // No kind chosen: the person alone, and the window hides.
    courante = 9;
    clique(8);
    ASSERT_FALSE(seGen->isHidden());
    critere.SetSorte(-1);
    EXPECT_EQ(rapport.Titre(), u"Les cousins et les cousines de MARTIN Luc au 2e degré"_s);
    QTest::mouseClick(bOk, Qt::LeftButton);
    EXPECT_EQ(liste(), (V{9}));
    EXPECT_EQ(rapport.Titre(), u"La personne"_s);
    EXPECT_TRUE(seGen->isHidden() && lGen->isHidden());
    EXPECT_FALSE(critere.isVisible());

    // Applied from outside, it hides the window as well.
    critere.show();
    courante = 13;
    critere.Applique();
    EXPECT_EQ(liste(), (V{13}));
    EXPECT_FALSE(critere.isVisible());
}

TEST(PanneauCoupe, CutSelectionIsToldToTheUser)
{
    TDialoguesScriptes dialogues;
    HoteTest hote;
    Effondrement f;
    TfmRapport rapport(f.bd, hote);
    TfmRapportCritere critere(f.bd, rapport, [&] { return f.x; }, {});
    auto *seGen = critere.findChild<QSpinBox *>(u"seGen"_s);
    critere.SetSorte(9);
    EXPECT_EQ(rapport.Liste().Count(), 0);
    seGen->setValue(Effondrement::Generations);
    EXPECT_EQ(rapport.Liste().Count(), TR::Capacity);
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].contains(u"100"_s)) << dialogues.Messages[0].toStdString();
    // A complete selection says nothing.
    seGen->setValue(5);
    EXPECT_EQ(rapport.Liste().Count(), 32);
    EXPECT_EQ(dialogues.Messages.size(), 1);
}

} // namespace
