// The sortable string grid: cells, row values, sorts, selection and clicks.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "Listes.h"
#include "TBKStringGrid.h"

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString S(const char *texte) { return QString::fromUtf8(texte); }

QStringList L(std::initializer_list<const char *> textes)
{
    QStringList l;
    for (const char *t : textes)
        l.append(S(t));
    return l;
}

// Column 0 holds the texts to sort, column 1 the original row number, and
// each row value is 100 + that number, so that a test sees where every row
// went and that its value went with it.
void remplit(TBKStringGrid &g, const QStringList &valeurs, int sorte)
{
    g.SetColCount(2);
    g.SetRowCount(valeurs.size() + 1);
    g.SetColumn(0, S("Valeur"), 0, sorte);
    g.SetColumn(1, S("Origine"), 0, 2);
    for (int r = 1; r <= valeurs.size(); ++r) {
        g.SetRow(r, {valeurs[r - 1], QString::number(r)});
        g.SetRowData(r, 100 + r);
    }
}

QStringList colonne(const TBKStringGrid &g, int col)
{
    QStringList l;
    for (int r = 1; r < g.RowCount(); ++r)
        l.append(g.Cell(col, r));
    return l;
}

struct Progres final : TProgression {
    int maximum = -1, derniere = -1;
    void Maximum(int n) override { maximum = n; }
    void Position(int i) override { derniere = i; }
};

TEST(Grille, TriOrdreValeursEtSens)
{
    const struct { const char *nom; int sorte; QStringList entree, croissant, decroissant; } cas[] = {
        // Case ignored (equal texts keep their order), accents after the
        // letters, blank cells last in both directions.
        {"texte", 0, L({"Zoé", "Émile", "eric", "Emile", "", "Eric", "emile", "  "}),
         L({"Emile", "emile", "Émile", "eric", "Eric", "Zoé", "", "  "}),
         L({"Zoé", "eric", "Eric", "Émile", "Emile", "emile", "", "  "})},
        // Digits are characters in a text column, and in a column of unknown kind.
        {"chiffres", 0, L({"a9", "B1", "a10", "b"}), L({"a10", "a9", "b", "B1"}), L({"B1", "b", "a9", "a10"})},
        {"sorte inconnue", 7, L({"9", "10"}), L({"10", "9"}), L({"9", "10"})},
        // Qualifiers do not count; a partial date comes before the full dates
        // of its year or month; no year means last.
        {"date", 1,
         L({"1900", "", "14/7/1789", "vers 1850", "3/1900", "avant 1/3/1900", "après 1850 avant 1860",
            "sans date", "1/1900", "15/3/1900"}),
         L({"14/7/1789", "vers 1850", "après 1850 avant 1860", "1900", "1/1900", "3/1900",
            "avant 1/3/1900", "15/3/1900", "", "sans date"}),
         L({"15/3/1900", "avant 1/3/1900", "3/1900", "1/1900", "1900", "vers 1850",
            "après 1850 avant 1860", "14/7/1789", "", "sans date"})},
        // Comma and point are both decimal separators; what is not a number
        // goes last.
        {"nombre", 2, L({"10", "-2,5", "", "3.5", "abc", "-10", "3,5", " 7 ", "1.2.3", "+4", "2", "-"}),
         L({"-10", "-2,5", "2", "3.5", "3,5", "+4", " 7 ", "10", "", "abc", "1.2.3", "-"}),
         L({"10", " 7 ", "+4", "3.5", "3,5", "2", "-2,5", "-10", "", "abc", "1.2.3", "-"})},
    };
    for (const auto &c : cas) {
        for (const bool ascendant : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.nom << (ascendant ? " croissant" : " décroissant"));
            TBKStringGrid g;
            remplit(g, c.entree, c.sorte);
            Progres progres;
            g.SortColumn(0, ascendant, &progres);
            EXPECT_EQ(colonne(g, 0), ascendant ? c.croissant : c.decroissant);
            EXPECT_EQ(g.Cell(0, 0), S("Valeur"));
            EXPECT_EQ(std::pair(g.SortedColumn(), g.SortAscending()), std::pair(0, ascendant));
            const int n = static_cast<int>(c.entree.size());
            EXPECT_EQ(std::pair(progres.maximum, progres.derniere), std::pair(n, n));
            // Each row moved whole, its value with it.
            for (int r = 1; r <= n; ++r) {
                const int origine = g.Cell(1, r).toInt();
                EXPECT_EQ(g.Cell(0, r), c.entree.value(origine - 1)) << "row " << r;
                EXPECT_EQ(g.GetRowData(r), 100 + origine) << "row " << r;
            }
        }
    }
}

TEST(Grille, TrisSuccessifsSelectionEtEtatDuTri)
{
    TBKStringGrid g;
    remplit(g, L({"b", "a", "b", "a"}), 0);
    g.SelectRow(3);
    g.SortColumn(1, false);
    EXPECT_EQ(colonne(g, 1), L({"4", "3", "2", "1"}));
    // Equal keys keep the order of the previous sort; the selection follows
    // its row.
    g.SortColumn(0, true);
    EXPECT_EQ(colonne(g, 1), L({"4", "2", "3", "1"}));
    EXPECT_EQ(g.SelectedRow(), 3);

    g.SortColumn(2, false); // out of range: nothing happens
    EXPECT_EQ(colonne(g, 1), L({"4", "2", "3", "1"}));
    EXPECT_EQ(std::pair(g.SortedColumn(), g.SortAscending()), std::pair(0, true));

    // Forgetting the sorted column keeps the direction the next click flips.
    g.SortColumn(0, false);
    g.ResetSort();
    EXPECT_EQ(std::pair(g.SortedColumn(), g.SortAscending()), std::pair(-1, false));

    g.SelectRow(5);
    EXPECT_EQ(g.SelectedRow(), 0);
}

TEST(Grille, CellulesLignesEtColonnes)
{
    TBKStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(0);
    EXPECT_EQ(g.RowCount(), 1);
    g.SetRowCount(3);
    g.SetRow(0, L({"Nom", "Prénom", "Né"}));
    g.SetRow(1, L({"DUPONT"}));               // missing cells empty
    g.SetRow(2, L({"a", "b", "c", "trop"})); // extra cell dropped
    g.SetRow(3, L({"x"}));                    // out of range: ignored
    g.SetCell(1, 1, S("Jean"));
    for (auto [c, r] : {std::pair{3, 1}, {0, 3}, {-1, 1}})
        g.SetCell(c, r, S("hors"));
    const int largeurDefaut = g.ColWidth(1);
    g.SetColumn(0, S("Nom de famille"), 137, 1);
    g.SetColumn(1, S("Prénom"), 0, 2);
    g.SetColumn(3, S("hors"), 50, 1);

    EXPECT_EQ(colonne(g, 0), L({"DUPONT", "a"}));
    EXPECT_EQ(colonne(g, 1), L({"Jean", "b"}));
    EXPECT_EQ(colonne(g, 2), L({"", "c"}));
    EXPECT_EQ(g.Cell(0, 0), S("Nom de famille"));
    EXPECT_EQ(std::tuple(g.ColWidth(0), g.ColWidth(1), g.ColWidth(3), g.ColSortType(0), g.ColSortType(1)),
              std::tuple(137, largeurDefaut, 0, 1, 2));

    // The view shows the same texts: titles in the header, data row r as
    // model row r - 1.
    EXPECT_EQ(g.model()->headerData(2, Qt::Horizontal).toString(), S("Né"));
    EXPECT_EQ(g.model()->data(g.model()->index(1, 2)).toString(), S("c"));

    // The dropped extra cell does not come back with a new column; shrinking
    // drops texts; growing back gives empty cells.
    g.SetColCount(4);
    EXPECT_EQ(g.Cell(3, 2), QString());
    g.SetColCount(1);
    g.SetRowCount(2);
    g.SetColCount(3);
    g.SetRowCount(3);
    EXPECT_EQ(colonne(g, 0), L({"DUPONT", ""}));
    EXPECT_EQ(colonne(g, 1), L({"", ""}));

    g.SetRowData(1, 5);
    g.SortColumn(0, false);
    g.Clear();
    EXPECT_EQ(std::tuple(g.ColCount(), g.RowCount(), g.GetRowData(1), g.SortedColumn(), g.SortAscending()),
              std::tuple(0, 1, 0, -1, true));
}

TEST(Grille, ValeursDeLigneJusquA100000)
{
    // Values belong to row numbers 0..100,000, whatever the row count.
    TBKStringGrid g;
    g.SetColCount(1);
    for (int r : {0, 100000, 100001, -1})
        g.SetRowData(r, r + 7);
    EXPECT_EQ(std::tuple(g.GetRowData(0), g.GetRowData(100000), g.GetRowData(100001)), std::tuple(7, 100007, 0));

    // 100,002 data rows: a row sorted from beyond the last row value into
    // the stored range reads 0, a value sorted out of it is gone.
    const int n = 100002;
    g.SetRowCount(n + 1);
    for (int r = 1; r <= n; ++r)
        g.SetRow(r, {S(r == 1 ? "z" : r == n ? "a" : "m")});
    g.SetRowData(1, 1);
    g.SetRowData(50000, 2);
    g.SetRowData(100000, 0);
    g.SortColumn(0, true);
    EXPECT_EQ(g.Cell(0, 1), S("a"));
    EXPECT_EQ(g.Cell(0, n), S("z"));
    EXPECT_EQ(g.GetRowData(50000), 2); // "z" left the front, "a" took it
    int nonNuls = 0;
    for (int r = 1; r <= 100000; ++r)
        nonNuls += g.GetRowData(r) != 0;
    EXPECT_EQ(nonNuls, 1);
}

TEST(Grille, ClicsEtColonnesDeplacees)
{
    TBKStringGrid g;
    remplit(g, L({"b", "a", "c"}), 0);
    g.SetColCount(3);
    g.resize(500, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QSignalSpy titres(&g, &TBKStringGrid::TitleClicked);
    QSignalSpy lignes(&g, &TBKStringGrid::RowClicked);
    QHeaderView *h = g.horizontalHeader();
    auto cliqueTitre = [&](int visuel) {
        const int x = h->sectionViewportPosition(h->logicalIndex(visuel)) + 10;
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(x, h->height() / 2));
    };

    cliqueTitre(0);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(1, 1)).center());
    h->moveSection(0, 2);
    cliqueTitre(0);

    // The second title click is on the column now shown first.
    EXPECT_EQ(titres, (QList<QVariantList>{{0}, {1}}));
    EXPECT_EQ(lignes, QList<QVariantList>{{2}});
    EXPECT_EQ(g.SelectedRow(), 2);
    // No sort by Qt on a title click; cells keep their own column index.
    EXPECT_EQ(colonne(g, 0), L({"b", "a", "c"}));
    EXPECT_EQ(g.SortedColumn(), -1);
    EXPECT_EQ(g.VisualColumns(), (std::vector<int>{1, 2, 0}));
}

} // namespace
