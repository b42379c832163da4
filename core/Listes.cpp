#include "Listes.h"

#include "BD.h"
#include "Dates.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace {

// Integer of a test value, or the given stand-in when it is not a number.
int entierOu(const QString &texte, int defaut)
{
    bool ok = false;
    const int n = texte.trimmed().toInt(&ok);
    return ok ? n : defaut;
}

} // namespace

const QCollator &CollationFrancaise()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::French, QLocale::France));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    return collator;
}

std::vector<int> OrdreCollation(const std::vector<QString> &textes, const std::vector<int> &texteDe)
{
    const auto place = [](int i) { return static_cast<size_t>(i); };
    // Collating once per text and comparing the keys is far cheaper than
    // collating texts at every comparison of the sort.
    const QCollator &collator = CollationFrancaise();
    std::vector<QCollatorSortKey> cles;
    cles.reserve(textes.size());
    for (const QString &texte : textes)
        cles.push_back(collator.sortKey(texte));
    std::vector<int> ordreTextes(textes.size());
    std::iota(ordreTextes.begin(), ordreTextes.end(), 0);
    // A merge sort: fewer comparisons than a quicksort, and a comparison is
    // what costs here.
    std::stable_sort(ordreTextes.begin(), ordreTextes.end(), [&](int a, int b) {
        return cles[place(a)].compare(cles[place(b)]) < 0;
    });
    // Texts the collation does not tell apart ("Martin", "MARTIN") share a
    // rank, so that their items keep their order between them.
    std::vector<int> rang(textes.size());
    for (size_t k = 0; k < ordreTextes.size(); ++k) {
        const size_t t = place(ordreTextes[k]);
        const bool egal = k > 0 && cles[place(ordreTextes[k - 1])].compare(cles[t]) == 0;
        rang[t] = k == 0 ? 0 : rang[place(ordreTextes[k - 1])] + (egal ? 0 : 1);
    }

    // Ranks are small integers: the items are placed by counting, which
    // keeps equal ranks in item order.
    std::vector<int> debut(textes.size() + 1, 0);
    for (int t : texteDe)
        ++debut[place(rang[place(t)]) + 1];
    std::partial_sum(debut.begin(), debut.end(), debut.begin());
    std::vector<int> ordre(texteDe.size());
    for (size_t i = 0; i < texteDe.size(); ++i)
        ordre[place(debut[place(rang[place(texteDe[i])])]++)] = static_cast<int>(i);
    return ordre;
}

TR &SortList(const TBD &bd, TR &liste, int code, TProgression *progression)
{
    const int n = liste.Count();
    if (progression)
        progression->Maximum(n);
    // Persons often share a text (a surname, a place, a whole name): each
    // distinct text is collated once, into a key, and only the distinct keys
    // are compared; the persons are then sorted by the rank of their text,
    // an integer. Comparing keys is far cheaper than collating texts, and
    // comparing ranks cheaper still. Looking texts up costs too: once a list
    // shows nearly no repeats, its other texts are taken one by one, and
    // equal texts among them still get one rank below.
    QHash<QString, int> numeroTexte;
    bool regroupe = true;
    std::vector<QString> textes;
    std::vector<int> texteDe(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        QString texte = bd.GetField(liste.Get(i), code);
        if (regroupe && i % 4096 == 0 && textes.size() * 10 > static_cast<size_t>(i) * 9) {
            regroupe = false;
            numeroTexte.clear();
        }
        if (regroupe) {
            // One look-up: a new text comes in as 0; texts are numbered
            // from 1 in the table.
            int &numero = numeroTexte[texte];
            if (numero == 0) {
                textes.push_back(std::move(texte));
                numero = static_cast<int>(textes.size());
            }
            texteDe[static_cast<size_t>(i - 1)] = numero - 1;
        } else {
            textes.push_back(std::move(texte));
            texteDe[static_cast<size_t>(i - 1)] = static_cast<int>(textes.size()) - 1;
        }
        if (progression && i % 1000 == 0)
            progression->Position(i);
    }
    numeroTexte.clear();

    const std::vector<int> items(liste.begin(), liste.end());
    const std::vector<int> ordre = OrdreCollation(textes, texteDe);
    for (int i = 0; i < n; ++i)
        liste.Put(i + 1, items[static_cast<size_t>(ordre[static_cast<size_t>(i)])]);
    if (progression)
        progression->Position(n);
    return liste;
}

void TrieParDateEnPlace(std::vector<int> &items, const std::function<int(int)> &cle)
{
    std::vector<size_t> places;
    std::vector<std::pair<int, int>> dates; // key, item
    for (size_t i = 0; i < items.size(); ++i) {
        const int k = cle(items[i]);
        if (k > 0) {
            places.push_back(i);
            dates.emplace_back(k, items[i]);
        }
    }
    std::stable_sort(dates.begin(), dates.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t k = 0; k < places.size(); ++k)
        items[places[k]] = dates[k].second;
}

TR &SortListByDate(const TBD &bd, TR &liste, int code)
{
    std::vector<int> items(liste.begin(), liste.end());
    TrieParDateEnPlace(items, [&](int p) { return DateKey(bd.GetField(p, code)); });
    for (size_t i = 0; i < items.size(); ++i)
        liste.Put(static_cast<int>(i) + 1, items[i]);
    return liste;
}

TR IntersectLists(const TR &a, const TR &b)
{
    std::unordered_map<int, int> occurrences;
    for (int x : b)
        ++occurrences[x];
    TR r;
    for (int x : a) {
        const auto it = occurrences.find(x);
        if (it == occurrences.end())
            continue;
        for (int k = 0; k < it->second; ++k) {
            if (!r.Add(x))
                return r;
        }
    }
    return r;
}

TR UniteLists(const TR &a, const TR &b)
{
    TR r;
    std::unordered_set<int> dansA;
    for (int x : a) {
        dansA.insert(x);
        r.Add(x);
    }
    for (int x : b) {
        if (!dansA.count(x) && !r.Add(x))
            break;
    }
    return r;
}

const QCollator &CollationTexte()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::French, QLocale::France));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator;
}

bool CompareByTest(const QString &a, const QString &b, int test)
{
    switch (test) {
    case 0:
        return a.compare(b, Qt::CaseInsensitive) == 0;
    case 1:
        return a.compare(b, Qt::CaseInsensitive) != 0;
    case 2:
        return a.contains(b, Qt::CaseInsensitive);
    case 3:
        return !a.contains(b, Qt::CaseInsensitive);
    case 4:
        return a.startsWith(b, Qt::CaseInsensitive);
    case 5:
        return CollationTexte().compare(a, b) < 0;
    case 6:
        return CollationTexte().compare(a, b) > 0;
    case 7:
        return CompareDates(a, b) == 0;
    case 8:
        return CompareDates(a, b) != 0;
    case 9:
        return CompareDates(a, b) == 2;
    case 10:
        return CompareDates(a, b) == 1;
    case 11:
        return entierOu(a, -32000) == entierOu(b, -32001);
    case 12:
        return entierOu(a, -32000) != entierOu(b, -32000);
    case 13:
        return entierOu(a, -32000) < entierOu(b, -32000);
    case 14:
        return entierOu(a, -32000) > entierOu(b, -32000);
    default:
        return false;
    }
}

TR FilterListByTest(const TR &liste, const QString &code, const QString &valeur, int test,
                    const TExpandeur &expandeur)
{
    TR r;
    for (int p : liste) {
        bool passe = valeur.isEmpty();
        if (!passe) {
            const QString attendu = valeur.startsWith(QLatin1Char('<')) && expandeur
                                        ? expandeur(p, valeur)
                                        : valeur;
            const QString valeurPersonne = expandeur ? expandeur(p, code) : QString();
            passe = CompareByTest(valeurPersonne, attendu, test);
        }
        if (passe && !r.Add(p))
            break;
    }
    return r;
}
