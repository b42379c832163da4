#pragma once

#include <QString>
#include <functional>
#include <span>
#include <vector>

class QCollator;
class TBD;

// A person list: a count and numbered items, 1-based, in insertion order,
// duplicates allowed. TR holds up to 100,000 items, TRR up to 200. Lists are
// values: queries return them, callers keep or drop them.
template <int Capacite>
class TListe final
{
public:
    static constexpr int Capacity = Capacite;

    int Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    // Appends a number. Refused when the list is full: returns false and
    // marks the list as cut.
    bool Add(int p)
    {
        if (m_count >= Capacite) {
            m_tronquee = true;
            return false;
        }
        if (static_cast<int>(m_items.size()) <= m_count)
            m_items.push_back(p);
        else
            m_items[static_cast<size_t>(m_count)] = p;
        ++m_count;
        return true;
    }

    // Item i (1-based); 0 outside 1..Capacity or where nothing was stored.
    int Get(int i) const
    {
        if (i < 1 || i > Capacite || i > static_cast<int>(m_items.size()))
            return 0;
        return m_items[static_cast<size_t>(i - 1)];
    }

    // Sets item i (1-based); ignored outside 1..Capacity. The count is not
    // changed.
    void Put(int i, int p)
    {
        if (i < 1 || i > Capacite)
            return;
        if (static_cast<int>(m_items.size()) < i)
            m_items.resize(static_cast<size_t>(i), 0);
        m_items[static_cast<size_t>(i - 1)] = p;
    }

    // Sets the count, clamped to 0..Capacity; items that were never stored
    // read as 0.
    void SetCount(int n)
    {
        m_count = n < 0 ? 0 : (n > Capacite ? Capacite : n);
        if (static_cast<int>(m_items.size()) < m_count)
            m_items.resize(static_cast<size_t>(m_count), 0);
    }

    void Clear()
    {
        m_items.clear();
        m_count = 0;
        m_tronquee = false;
    }

    // True when an Add was refused because the list was full.
    bool Tronquee() const { return m_tronquee; }
    void SetTronquee(bool t) { m_tronquee = t; }

    bool Contains(int p) const
    {
        for (int x : Items()) {
            if (x == p)
                return true;
        }
        return false;
    }

    // The first Count() items.
    std::span<const int> Items() const { return {m_items.data(), static_cast<size_t>(m_count)}; }
    auto begin() const { return Items().begin(); }
    auto end() const { return Items().end(); }

private:
    std::vector<int> m_items;
    int m_count = 0;
    bool m_tronquee = false;
};

using TR = TListe<100000>;
using TRR = TListe<200>;

// Reports the progress of a long operation; a progress bar in the windows.
class TProgression
{
public:
    virtual ~TProgression() = default;
    virtual void Maximum(int n) = 0;
    virtual void Position(int i) = 0;
};

// Expands a person text template for a person (the template expander).
using TExpandeur = std::function<QString(int personne, const QString &modele)>;

// The French collation of the sorts: case ignored, accents and case weighing
// only after the letters, numbers compared by value.
const QCollator &CollationFrancaise();
// The French collation of texts compared as texts, letter case ignored and
// digits as characters ("10" before "9"): the report grid's text columns and
// the "texte inférieur/supérieur à" tests.
const QCollator &CollationTexte();

// The order of items by the French collation (CollationFrancaise) of their
// texts: item i (0-based) has the text textes[texteDe[i]], each value of
// texteDe being an index into `textes`. Returns the item indexes in sorted
// order; items whose texts the collation holds equal (two spellings that
// differ only in case, or the same text) keep their order between them.
// Each text is collated once, so a text shared by many items costs once.
std::vector<int> OrdreCollation(const std::vector<QString> &textes, const std::vector<int> &texteDe);

// Sorts the list in place by the text of a person field (PersChamp), in French
// collation order (accents and case weigh only after the letters; numbers
// compare by value); stable. The progress maximum becomes the count. Returns
// the same list.
TR &SortList(const TBD &bd, TR &liste, int code, TProgression *progression = nullptr);

// Sorts numbers in place by a date key (DateKey: 0 for no year): the items
// with a key are sorted among the places they hold, earlier first, stably;
// the others keep their places.
void TrieParDateEnPlace(std::vector<int> &items, const std::function<int(int)> &cle);

// Sorts the list in place by the date of a person field (6 = birth date),
// earlier first; entries without a year keep their places, the dated ones
// are sorted among the remaining places. Stable. Returns the same list.
TR &SortListByDate(const TBD &bd, TR &liste, int code);

// The items of a that occur in b, in a's order, each as many times as it
// occurs in b.
TR IntersectLists(const TR &a, const TR &b);
// a, then each item of b that is not in a, in b's order.
TR UniteLists(const TR &a, const TR &b);

// Tests 0 to 14 of the advanced selection applied to a (the person's value)
// and b (the value looked for):
//  0 equal ignoring case, 1 different ignoring case,
//  2 b occurs in a ignoring case, 3 it does not,
//  4 a begins with b ignoring case,
//  5 a sorts before b, 6 after b (French collation, case ignored, digits
//    compared as characters: "10" before "9"),
//  7 CompareDates(a, b) gives 0, 8 it does not, 9 it gives 2, 10 it gives 1,
//  11 the integers are equal (a not a number counts -32000, b -32001),
//  12..14 the integers (both -32000 when not numbers) differ, a < b, a > b.
// False for any other test number.
bool CompareByTest(const QString &a, const QString &b, int test);

// The persons of the list, in list order, that pass: an empty value lets
// every person pass; a value beginning with "<" is first expanded as a
// template for the same person; then CompareByTest(expansion of code, value,
// test) decides.
TR FilterListByTest(const TR &liste, const QString &code, const QString &valeur, int test,
                    const TExpandeur &expandeur);
