#include "PatroLieux.h"

#include <algorithm>
#include <utility>

#include <QHash>

#include "BD.h"
#include "Dates.h"
#include "Langue.h"
#include "Parente.h"

namespace {

// Texts of the titles; the French words stand in while a language file
// lacks them.
QString texte(int numero, const char *francais)
{
    const QString t = MLText(numero);
    return t.isEmpty() ? QString::fromUtf8(francais) : t;
}

constexpr int MaxLieuxParPersonne = 30;
constexpr int PasAvancement = 25;

// One place of one person: its years, 0 for none yet.
struct LieuPersonne {
    QString Lieu;
    int Premier = 0;
    int Dernier = 0;
};

struct Ligne {
    int Premier = 0; // 0: empty cell
    int Dernier = 0;
    int Dates = 0;
    int SansDate = 0;
};

QString nombreOuVide(int n)
{
    return n > 0 ? QString::number(n) : QString();
}

void occurrence(std::vector<LieuPersonne> &lieux, const QString &lieu, int annee)
{
    auto it = std::find_if(lieux.begin(), lieux.end(), [&](const LieuPersonne &l) { return l.Lieu == lieu; });
    if (it == lieux.end()) {
        if (static_cast<int>(lieux.size()) < MaxLieuxParPersonne)
            lieux.push_back({lieu, annee, annee});
        return;
    }
    if (annee <= 0)
        return;
    it->Premier = it->Premier == 0 ? annee : std::min(it->Premier, annee);
    it->Dernier = std::max(it->Dernier, annee);
}

} // namespace

TTableau PatroLieux(const TBD &bd, TAvancement *avancement)
{
    TTableau t;
    t.Colonnes = {{texte(575, "Patronyme"), 150, 0}, {texte(583, "Lieu"), 150, 0},
                  {texte(584, "Début"), 50, 1},      {texte(585, "Fin"), 50, 1},
                  {texte(572, "Date"), 30, 1},       {texte(633, "Sans date"), 30, 1}};

    // Rows are found by their two texts in a hash: a linear search of the
    // rows for each place of each person is quadratic on a large database.
    QHash<std::pair<QString, QString>, int> index;
    std::vector<std::pair<QString, QString>> cles;
    std::vector<Ligne> lignes;

    const int n = bd.PersonCount();
    if (avancement)
        avancement->Maximum(n);
    std::vector<LieuPersonne> lieux;
    for (int p = 1; p <= n; ++p) {
        if (p % PasAvancement == 0 && avancement && !avancement->Etape(p))
            break;
        if (!bd.PersonInUse(p))
            continue;
        lieux.clear();
        for (int i = 1; i <= bd.PersonEventCount(p); ++i)
            occurrence(lieux, bd.GetPersonEventField(p, i, EveLieu), DateYear(bd.GetPersonEventField(p, i, EveDate)));
        const TRR unions = UnionsOfTRR(bd, p);
        for (int u : unions) {
            if (!bd.CheckUnion(u))
                continue;
            for (int i = 1; i <= bd.UnionEventCount(u); ++i)
                occurrence(lieux, bd.GetUnionEventField(u, i, EveLieu), DateYear(bd.GetUnionEventField(u, i, EveDate)));
        }

        const QString nom = bd.Surname(p);
        for (const LieuPersonne &l : lieux) {
            std::pair<QString, QString> cle(nom, l.Lieu);
            auto it = index.constFind(cle);
            if (it == index.constEnd()) {
                it = index.insert(cle, static_cast<int>(lignes.size()));
                cles.push_back(std::move(cle));
                lignes.emplace_back();
            }
            Ligne &ligne = lignes[static_cast<size_t>(*it)];
            if (l.Premier > 0) {
                ligne.Premier = ligne.Premier == 0 ? l.Premier : std::min(ligne.Premier, l.Premier);
                ligne.Dernier = std::max(ligne.Dernier, l.Dernier);
                ++ligne.Dates;
            } else {
                ++ligne.SansDate;
            }
        }
    }

    t.Lignes.reserve(lignes.size());
    t.Valeurs.reserve(lignes.size());
    for (size_t i = 0; i < lignes.size(); ++i) {
        const Ligne &l = lignes[i];
        t.Ajoute({cles[i].first, cles[i].second, nombreOuVide(l.Premier), nombreOuVide(l.Dernier),
                  nombreOuVide(l.Dates), nombreOuVide(l.SansDate)});
    }
    return t;
}
