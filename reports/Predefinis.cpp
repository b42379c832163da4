#include "Predefinis.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

#include <QCollator>
#include <QDate>
#include <QCollatorSortKey>
#include <QHash>
#include <QLocale>

#include "BD.h"
#include "Dates.h"
#include "Langue.h"
#include "Lieux.h"
#include "Listes.h"
#include "Modeles.h"
#include "Parente.h"
#include "PatroLieux.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

namespace {

// Texts of the titles and captions; the French words stand in while a
// language file lacks them, so that no title comes out empty.
QString texte(int numero, const char *francais)
{
    const QString t = MLText(numero);
    return t.isEmpty() ? QString::fromUtf8(francais) : t;
}

QString format(int numero, const char *francais, const QStringList &arguments)
{
    return FormatTexte(texte(numero, francais), arguments);
}

QString nombre(qsizetype n)
{
    return QString::number(n);
}

QString nombreOuVide(int n)
{
    return n > 0 ? QString::number(n) : QString();
}

// The progress every `pas` items; false when the report must stop.
bool etape(TAvancement *avancement, int i, int pas)
{
    return !avancement || i % pas != 0 || avancement->Etape(i);
}

void maximum(TAvancement *avancement, int n)
{
    if (avancement)
        avancement->Maximum(n);
}

QString nomDe(const TBD &bd, int p)
{
    return bd.PersonInUse(p) ? bd.FullName(p) : QString();
}

// The number of a text in a table of distinct texts, the next number (the
// table's size) for a new one.
int numero(QHash<QString, int> &table, const QString &texte)
{
    auto it = table.constFind(texte);
    if (it == table.constEnd())
        it = table.insert(texte, static_cast<int>(table.size()));
    return *it;
}

// The rows of a table of counts, found by their text through a hash: a
// search of the rows for each item is quadratic on a large database.
class Comptes
{
public:
    // Row of that text, added (with every count at 0) when new.
    int Ligne(const QString &cle)
    {
        auto it = m_index.constFind(cle);
        if (it == m_index.constEnd()) {
            it = m_index.insert(cle, static_cast<int>(m_cles.size()));
            m_cles.push_back(cle);
            m_comptes.emplace_back();
        }
        return *it;
    }
    std::array<int, 5> &Nombres(int ligne) { return m_comptes[static_cast<size_t>(ligne)]; }
    int Taille() const { return static_cast<int>(m_cles.size()); }
    const QString &Cle(int ligne) const { return m_cles[static_cast<size_t>(ligne)]; }

private:
    QHash<QString, int> m_index;
    std::vector<QString> m_cles;
    std::vector<std::array<int, 5>> m_comptes;
};

class Rapports
{
public:
    Rapports(const TBD &bd, const TOptionsPredefinis &options, TAvancement *avancement, TRapportPredefini &r)
        : m_bd(bd), m_options(options), m_avancement(avancement), m_r(r), m_t(r.Tableau)
    {
    }

    bool NbreActe();
    bool Orphelins();
    bool Unions();
    bool MariageConsanguin();
    bool EvenementsPers();
    bool EvenementsUnions();
    bool Doublon();
    bool ListeDesLieux();
    bool ListeDesProfessions();
    bool ListeEclair();
    bool SigneDuZodiaque();
    bool PatroEtLieux(bool lieuxDAbord);
    bool FetesAnniv();

private:
    void colonnes(std::initializer_list<std::tuple<int, const char *, int, int>> c)
    {
        for (const auto &[numero, francais, large, sorte] : c)
            m_t.Colonnes.push_back({texte(numero, francais), large, sorte});
    }
    bool lieuPasse(const QString &lieu) const
    {
        return !lieu.isEmpty() && (m_options.TousLesLieux || lieu.startsWith(m_options.Prefixe, Qt::CaseInsensitive));
    }
    QString lieu(const QString &l) const { return FormatLieuRapport(l, m_options.FormatLieux); }
    QString rows() const { return nombre(m_t.NbLignes()); }

    const TBD &m_bd;
    const TOptionsPredefinis &m_options;
    TAvancement *m_avancement;
    TRapportPredefini &m_r;
    TTableau &m_t;
};

bool Rapports::NbreActe()
{
    colonnes({{575, "Patronyme", 100, 0},
              {576, "Individu", 55, 2},
              {577, "Naissances", 55, 2},
              {578, "Baptêmes", 55, 2},
              {579, "Décès", 55, 2},
              {580, "Inhumations", 55, 2}});
    static constexpr int champs[4] = {PcNaissanceLieu, PcBaptemeLieu, PcDecesLieu, PcInhumationLieu};
    Comptes comptes;
    const int n = m_bd.PersonCount();
    maximum(m_avancement, n);
    for (int p = 1; p <= n; ++p) {
        if (!etape(m_avancement, p, 25))
            return false;
        if (!m_bd.PersonInUse(p))
            continue;
        bool passe[4];
        bool un = false;
        for (int k = 0; k < 4; ++k) {
            passe[k] = lieuPasse(m_bd.GetField(p, champs[k]));
            un = un || passe[k];
        }
        if (!un)
            continue;
        auto &c = comptes.Nombres(comptes.Ligne(m_bd.Surname(p)));
        ++c[0];
        for (int k = 0; k < 4; ++k)
            c[static_cast<size_t>(k) + 1] += passe[k] ? 1 : 0;
    }
    for (int i = 0; i < comptes.Taille(); ++i) {
        const auto &c = comptes.Nombres(i);
        m_t.Ajoute({comptes.Cle(i), nombreOuVide(c[0]), nombreOuVide(c[1]), nombreOuVide(c[2]),
                    nombreOuVide(c[3]), nombreOuVide(c[4])});
    }
    m_r.Titre = m_options.TousLesLieux
        ? format(581, "Nombre d'événements par patronyme (%1)", {rows()})
        : format(582, "Nombre d'événements par patronyme pour les lieux commençant par %1 (%2)",
                 {m_options.Prefixe, rows()});
    return true;
}

bool Rapports::Orphelins()
{
    colonnes({{589, "Nom", 150, 0}, {590, "Prénoms", 150, 0}});
    // Who is somebody's parent and who is a partner of a complete union, in
    // one pass over each table: asking it of every person in turn would
    // walk the tables once per person.
    const int n = m_bd.PersonCount();
    std::vector<bool> parent(static_cast<size_t>(n) + 1, false);
    std::vector<bool> conjoint(static_cast<size_t>(n) + 1, false);
    const auto marque = [n](std::vector<bool> &bits, int p) {
        if (p >= 1 && p <= n)
            bits[static_cast<size_t>(p)] = true;
    };
    for (int c = 1; c <= n; ++c) {
        if (m_bd.PersonInUse(c)) {
            marque(parent, m_bd.Father(c));
            marque(parent, m_bd.Mother(c));
        }
    }
    for (int u = 1; u <= m_bd.UnionCount(); ++u) {
        if (m_bd.CheckUnion(u)) {
            marque(conjoint, m_bd.Husband(u));
            marque(conjoint, m_bd.Wife(u));
        }
    }
    TR liste;
    for (int p = 1; p <= n; ++p) {
        const auto i = static_cast<size_t>(p);
        if (m_bd.PersonInUse(p) && !parent[i] && !conjoint[i] && !m_bd.PersonInUse(m_bd.Father(p))
            && !m_bd.PersonInUse(m_bd.Mother(p)))
            liste.Add(p);
    }
    SortList(m_bd, liste, PcNom);

    maximum(m_avancement, liste.Count());
    int k = 0;
    for (int p : liste) {
        if (!etape(m_avancement, ++k, 20))
            return false;
        m_t.Ajoute({m_bd.GetField(p, PcNom), m_bd.GetField(p, PcPrenoms)}, p);
    }
    m_r.ListePersonnes = true;
    m_r.Liste = liste;
    m_r.Titre = format(591, "Individus sans lien de parenté (%1)", {nombre(liste.Count())});
    return true;
}

bool Rapports::Unions()
{
    colonnes({{610, "Époux", 150, 0},
              {611, "Âge", 50, 2},
              {612, "Épouse", 150, 0},
              {611, "Âge", 50, 2},
              {594, "Date du mariage", 80, 1},
              {613, "Lieu du mariage", 100, 0}});
    const int n = m_bd.UnionCount();
    maximum(m_avancement, n);
    for (int u = 1; u <= n; ++u) {
        if (!etape(m_avancement, u, 20))
            return false;
        if (!m_bd.CheckUnion(u))
            continue;
        const int h = m_bd.Husband(u);
        const int f = m_bd.Wife(u);
        const QString mariage = m_bd.GetUnionField(u, UcMariageDate);
        const auto age = [&](int p) { return nombreOuVide(YearsBetween(m_bd.BirthDate(p), mariage)); };
        m_t.Ajoute({nomDe(m_bd, h), age(h), nomDe(m_bd, f), age(f), mariage,
                    lieu(m_bd.GetUnionField(u, UcMariageLieu))},
                   h);
    }
    m_r.Titre = format(614, "Liste des unions (%1)", {rows()});
    return true;
}

bool Rapports::MariageConsanguin()
{
    // The common ancestor is a name: it sorts as a text, wide enough to read.
    colonnes({{592, "Époux", 200, 0},
              {593, "Épouse", 200, 0},
              {594, "Date du mariage", 80, 1},
              {595, "Ancêtre commun", 150, 0},
              {596, "Génération époux", 50, 2},
              {597, "Génération épouse", 50, 2}});
    const int n = m_bd.UnionCount();
    maximum(m_avancement, n);
    for (int u = 1; u <= n; ++u) {
        if (!etape(m_avancement, u, 20))
            return false;
        if (!m_bd.CheckUnion(u))
            continue;
        const int h = m_bd.Husband(u);
        const int f = m_bd.Wife(u);
        TAncetreCommun a;
        if (!FindCommonAncestor(m_bd, h, f, m_options.Generations, &a))
            continue;
        m_t.Ajoute({nomDe(m_bd, h), nomDe(m_bd, f), m_bd.GetUnionField(u, UcMariageDate), nomDe(m_bd, a.Ancetre),
                    nombre(a.DistanceA), nombre(a.DistanceB)},
                   h);
    }
    m_r.Titre = format(598, "Mariages consanguins sur %1 générations (%2)", {nombre(m_options.Generations), rows()});
    return true;
}

bool Rapports::EvenementsPers()
{
    colonnes({{572, "Date", 80, 1},
              {583, "Lieu", 150, 0},
              {615, "Événement", 80, 0},
              {576, "Individu", 150, 0},
              {616, "Note", 100, 0}});
    const int n = m_bd.PersonCount();
    maximum(m_avancement, n);
    for (int p = 1; p <= n; ++p) {
        if (!etape(m_avancement, p, 50))
            return false;
        if (!m_bd.PersonInUse(p))
            continue;
        const QString nom = m_bd.FullName(p);
        for (int i = 1; i <= m_bd.PersonEventCount(p); ++i) {
            m_t.Ajoute({m_bd.GetPersonEventField(p, i, EveDate), lieu(m_bd.GetPersonEventField(p, i, EveLieu)),
                        m_bd.GetPersonEventField(p, i, EveType), nom,
                        RetireRetourLigne(m_bd.GetPersonEventField(p, i, EveNote))},
                       p);
        }
    }
    m_r.ColonneTri = 0;
    m_r.Titre = format(617, "Événements des individus (%1)", {rows()});
    return true;
}

bool Rapports::EvenementsUnions()
{
    colonnes({{572, "Date", 80, 1},
              {583, "Lieu", 120, 0},
              {615, "Événement", 80, 0},
              {592, "Époux", 100, 0},
              {593, "Épouse", 100, 0},
              {616, "Note", 80, 0}});
    const int n = m_bd.UnionCount();
    maximum(m_avancement, n);
    for (int u = 1; u <= n; ++u) {
        if (!etape(m_avancement, u, 50))
            return false;
        if (!m_bd.CheckUnion(u))
            continue;
        const int h = m_bd.Husband(u);
        const QString mari = nomDe(m_bd, h);
        const QString femme = nomDe(m_bd, m_bd.Wife(u));
        for (int i = 1; i <= m_bd.UnionEventCount(u); ++i) {
            m_t.Ajoute({m_bd.GetUnionEventField(u, i, EveDate), lieu(m_bd.GetUnionEventField(u, i, EveLieu)),
                        m_bd.GetUnionEventField(u, i, EveType), mari, femme,
                        RetireRetourLigne(m_bd.GetUnionEventField(u, i, EveNote))},
                       h);
        }
    }
    m_r.ColonneTri = 0;
    m_r.Titre = format(618, "Événements des unions (%1)", {rows()});
    return true;
}

bool Rapports::Doublon()
{
    colonnes({{619, "Nom", 150, 0}, {620, "Naissance", 100, 1}, {621, "Père", 150, 0}, {622, "Mère", 150, 0}});
    const int n = m_bd.PersonCount();
    const auto place = [](int p) { return static_cast<size_t>(p); };

    // A database repeats the same names over and over: the persons are first
    // told apart by surname and given names as written, and the full name,
    // its folded letter case and its collation are made once for each of
    // those.
    QHash<std::pair<QString, QString>, int> paires;
    std::vector<int> paireDe(place(n) + 1, -1);
    std::vector<QString> noms;   // full name of each pair
    std::vector<QString> textes; // surname and every given name (field 25)
    std::vector<int> groupeDe;   // namesakes' group of each pair
    // Comparing neighbours in name order misses namesakes that sort apart:
    // "Jean" and "JEAN" around another "Jean...", or a given name in quotes
    // that is the principal one but not the first. The persons are grouped
    // by full name, letter case folded.
    QHash<QString, int> plies;
    std::vector<int> tailles;
    for (int p = 1; p <= n; ++p) {
        if (!m_bd.PersonInUse(p))
            continue;
        std::pair<QString, QString> paire(m_bd.Surname(p), m_bd.GivenNames(p));
        auto it = paires.constFind(paire);
        if (it == paires.constEnd()) {
            it = paires.insert(paire, static_cast<int>(noms.size()));
            noms.push_back(m_bd.FullName(p));
            textes.push_back(paire.first + QLatin1Char(' ') + paire.second);
            groupeDe.push_back(numero(plies, noms.back().toCaseFolded()));
            if (groupeDe.back() == static_cast<int>(tailles.size()))
                tailles.push_back(0);
        }
        paireDe[place(p)] = *it;
        ++tailles[place(groupeDe[place(*it)])];
    }
    const auto groupe = [&](int p) { return groupeDe[place(paireDe[place(p)])]; };
    std::vector<int> doublons;
    for (int p = 1; p <= n; ++p) {
        if (paireDe[place(p)] >= 0 && tailles[place(groupe(p))] >= 2)
            doublons.push_back(p);
    }

    // The rows, in number order: the persons and their parents lie near one
    // another in the tables. Persons of one name share one text.
    const auto nom = [&](int p) {
        return p >= 1 && p <= n && paireDe[place(p)] >= 0 ? noms[place(paireDe[place(p)])] : QString();
    };
    std::vector<QStringList> lignes;
    lignes.reserve(doublons.size());
    maximum(m_avancement, static_cast<int>(doublons.size()));
    for (int p : doublons) {
        if (!etape(m_avancement, static_cast<int>(lignes.size()) + 1, 50))
            return false;
        lignes.push_back({nom(p), m_bd.BirthDate(p), nom(m_bd.Father(p)), nom(m_bd.Mother(p))});
    }

    // Name order: surname and every given name, French collation, stable.
    std::vector<int> texteDe;
    texteDe.reserve(doublons.size());
    for (int p : doublons)
        texteDe.push_back(paireDe[place(p)]);
    const std::vector<int> ordre = OrdreCollation(textes, texteDe);

    // The groups in the order of their first member, each member in name
    // order.
    std::vector<std::vector<size_t>> membres(tailles.size());
    std::vector<int> groupes;
    for (int i : ordre) {
        const int g = groupe(doublons[place(i)]);
        if (membres[place(g)].empty())
            groupes.push_back(g);
        membres[place(g)].push_back(place(i));
    }
    for (int g : groupes) {
        for (size_t i : membres[place(g)])
            m_t.Ajoute(std::move(lignes[i]), doublons[i]);
    }
    m_r.Titre = format(623, "Doublons (%1)", {rows()});
    return true;
}

bool Rapports::ListeDesLieux()
{
    colonnes({{583, "Lieu", 200, 0}, {624, "Événements", 50, 2}});
    Comptes comptes;
    const int n = m_bd.EventCount();
    maximum(m_avancement, n);
    for (int e = 1; e <= n; ++e) {
        if (!etape(m_avancement, e, 50))
            return false;
        // A free slot may still hold the texts of a deleted event.
        if (!m_bd.EventInUse(e))
            continue;
        const QString l = m_bd.EventField(e, EveLieu);
        if (!l.isEmpty())
            ++comptes.Nombres(comptes.Ligne(lieu(l)))[0];
    }
    for (int i = 0; i < comptes.Taille(); ++i)
        m_t.Ajoute({comptes.Cle(i), nombre(comptes.Nombres(i)[0])});
    m_r.Titre = format(625, "Liste des lieux (%1)", {rows()});
    return true;
}

bool Rapports::ListeDesProfessions()
{
    colonnes({{626, "Profession", 200, 0}, {627, "Individus", 50, 2}});
    const QString champ = texte(626, "Profession");
    Comptes comptes;
    const int n = m_bd.PersonCount();
    maximum(m_avancement, n);
    for (int p = 1; p <= n; ++p) {
        if (!etape(m_avancement, p, 50))
            return false;
        const QString profession = m_bd.GetAttribute(p, champ);
        if (!profession.isEmpty())
            ++comptes.Nombres(comptes.Ligne(profession))[0];
    }
    for (int i = 0; i < comptes.Taille(); ++i)
        m_t.Ajoute({comptes.Cle(i), nombre(comptes.Nombres(i)[0])});
    m_r.Titre = format(628, "Liste des professions (%1)", {rows()});
    return true;
}

bool Rapports::ListeEclair()
{
    colonnes({{575, "Patronyme", 100, 0}, {583, "Lieu", 180, 0}, {584, "Début", 50, 1}, {585, "Fin", 50, 1}});
    struct Annees {
        int Premier, Dernier;
    };
    QHash<std::pair<QString, QString>, int> index;
    std::vector<std::pair<QString, QString>> cles;
    std::vector<Annees> annees;
    const auto ajoute = [&](const QString &nom, const QString &l, int annee) {
        std::pair<QString, QString> cle(nom, l);
        auto it = index.constFind(cle);
        if (it == index.constEnd()) {
            index.insert(cle, static_cast<int>(annees.size()));
            cles.push_back(std::move(cle));
            annees.push_back({annee, annee});
            return;
        }
        Annees &a = annees[static_cast<size_t>(*it)];
        a.Premier = std::min(a.Premier, annee);
        a.Dernier = std::max(a.Dernier, annee);
    };

    const int n = m_bd.PersonCount();
    maximum(m_avancement, n);
    for (int p = 1; p <= n; ++p) {
        if (!etape(m_avancement, p, 25))
            return false;
        if (!m_bd.PersonInUse(p))
            continue;
        for (int i = 1; i <= m_bd.PersonEventCount(p); ++i) {
            const QString l = m_bd.GetPersonEventField(p, i, EveLieu);
            const int annee = DateYear(m_bd.GetPersonEventField(p, i, EveDate));
            if (annee > 0 && lieuPasse(l))
                ajoute(m_bd.Surname(p), l, annee);
        }
    }
    const int nu = m_bd.UnionCount();
    maximum(m_avancement, nu);
    for (int u = 1; u <= nu; ++u) {
        if (!etape(m_avancement, u, 25))
            return false;
        if (!m_bd.CheckUnion(u))
            continue;
        for (int i = 1; i <= m_bd.UnionEventCount(u); ++i) {
            const QString l = m_bd.GetUnionEventField(u, i, EveLieu);
            const int annee = DateYear(m_bd.GetUnionEventField(u, i, EveDate));
            if (annee > 0 && lieuPasse(l)) {
                ajoute(m_bd.Surname(m_bd.Husband(u)), l, annee);
                ajoute(m_bd.Surname(m_bd.Wife(u)), l, annee);
            }
        }
    }
    for (size_t i = 0; i < cles.size(); ++i)
        m_t.Ajoute({cles[i].first, cles[i].second, nombre(annees[i].Premier), nombre(annees[i].Dernier)});
    m_r.Titre = m_options.TousLesLieux
        ? format(586, "Liste éclair (%1)", {rows()})
        : format(587, "Liste éclair des lieux commençant par %1 (%2)", {m_options.Prefixe, rows()});
    return true;
}

bool Rapports::SigneDuZodiaque()
{
    colonnes({{629, "Nom", 150, 0}, {620, "Naissance", 100, 1}, {630, "Lieu de naissance", 150, 0}, {631, "Note", 150, 0}});
    const QString modele = texte(2092, "<zodiaque>");
    const int n = m_bd.PersonCount();
    maximum(m_avancement, n);
    for (int p = 1; p <= n; ++p) {
        if (!etape(m_avancement, p, 50))
            return false;
        // An empty sign would take every person whose sign is not known.
        if (m_options.Signe.isEmpty() || !m_bd.PersonInUse(p))
            continue;
        if (ExpandTemplate(m_bd, p, modele).compare(m_options.Signe, Qt::CaseInsensitive) != 0)
            continue;
        m_t.Ajoute({m_bd.FullName(p), m_bd.BirthDate(p), m_bd.BirthPlace(p), RetireRetourLigne(m_bd.GetField(p, PcNote))},
                   p);
    }
    m_r.Titre = format(632, "Signe du zodiaque %1 (%2)", {m_options.Signe, rows()});
    return true;
}

bool Rapports::PatroEtLieux(bool lieuxDAbord)
{
    // PatroLieux stops quietly; the report has to know that it did.
    class Suivi final : public TAvancement
    {
    public:
        explicit Suivi(TAvancement *a) : m_a(a) {}
        void Maximum(int n) override { m_a->Maximum(n); }
        bool Etape(int i) override { return Continue = m_a->Etape(i); }
        bool Continue = true;

    private:
        TAvancement *m_a;
    };
    if (m_avancement) {
        Suivi suivi(m_avancement);
        m_t = PatroLieux(m_bd, &suivi);
        if (!suivi.Continue)
            return false;
    } else {
        m_t = PatroLieux(m_bd);
    }
    if (lieuxDAbord) {
        std::swap(m_t.Colonnes[0], m_t.Colonnes[1]);
        for (QStringList &ligne : m_t.Lignes)
            ligne.swapItemsAt(0, 1);
    }
    // The rows sorted as the grid sorts a text column, on the first two cells
    // joined; each key is computed once.
    const QCollator &collateur = CollationTexte();
    std::vector<QCollatorSortKey> cles;
    cles.reserve(m_t.Lignes.size());
    for (const QStringList &ligne : m_t.Lignes)
        cles.push_back(collateur.sortKey(ligne[0] + u' ' + ligne[1]));
    std::vector<size_t> ordre(m_t.Lignes.size());
    std::iota(ordre.begin(), ordre.end(), size_t{0});
    std::stable_sort(ordre.begin(), ordre.end(), [&](size_t a, size_t b) { return cles[a].compare(cles[b]) < 0; });
    std::vector<QStringList> lignes;
    lignes.reserve(ordre.size());
    for (size_t i : ordre)
        lignes.push_back(std::move(m_t.Lignes[i]));
    m_t.Lignes = std::move(lignes);
    m_r.Titre = lieuxDAbord ? format(635, "Lieux et patronymes (%1)", {rows()})
                            : format(634, "Patronymes et lieux (%1)", {rows()});
    return true;
}

bool Rapports::FetesAnniv()
{
    colonnes({{8111, "Fêtes et anniversaires", 300, 0}});
    const QDate aujourdhui = Aujourdhui();
    const int n = m_bd.PersonCount();
    maximum(m_avancement, n);
    for (int p = 1; p <= n; ++p) {
        if (!etape(m_avancement, p, 50))
            return false;
        if (!m_bd.PersonInUse(p))
            continue;
        const QString naissance = m_bd.BirthDate(p);
        const TDateParts d = SplitDate(naissance);
        if (d.Jour != aujourdhui.day() || d.Mois != aujourdhui.month())
            continue;
        const int age = AgeInYears(naissance, aujourdhui);
        const bool femme = m_bd.Sex(p) == SexeFemme;
        const QString nom = m_bd.FullName(p);
        // An age of -1 means a birth year after this year (or none): the
        // sentence then goes without an age rather than "âgé de -1 an".
        if (age < 0)
            m_t.Ajoute({format(8110, "Anniversaire de %1.", {nom})});
        else if (age > 1)
            m_t.Ajoute({femme ? format(8109, "Anniversaire de %1 âgée de %2 ans.", {nom, nombre(age)})
                              : format(8108, "Anniversaire de %1 âgé de %2 ans.", {nom, nombre(age)})});
        else
            m_t.Ajoute({femme ? format(8107, "Anniversaire de %1 âgée de %2 an.", {nom, nombre(age)})
                              : format(8106, "Anniversaire de %1 âgé de %2 an.", {nom, nombre(age)})});
    }
    m_r.Titre = format(8112, "Fêtes et anniversaires le %1 (%2)", {TodayDateText(), rows()});
    return true;
}

} // namespace

QString TexteRapportPredefini(int rapport)
{
    static const char *const textes[NbRapportsPredefinis] = {
        "Nombre d'événement par patronyme",
        "Liste des individus sans lien de parenté (orphelins)",
        "Liste des unions",
        "Liste des mariages consanguins",
        "Liste des événements des individus",
        "Liste des événements des unions",
        "Liste des individus ayant la même identité (doublons)",
        "Liste des lieux",
        "Liste des professions",
        "Liste éclair",
        "Signe du zodiaque",
        "Patronymes et lieux où ils apparaissent",
        "Lieux et patronymes qui y apparaissent",
        "Fêtes et anniversaires",
    };
    if (rapport < 0 || rapport >= NbRapportsPredefinis)
        return QString();
    return QString::fromUtf8(textes[rapport]);
}

QString FormatLieuRapport(const QString &lieu, int format)
{
    if (format < 1 || format > 3)
        return lieu;
    const auto parties = SplitPlace(lieu);
    const QString &departement = parties[LieuDepartement];
    const QString &commune = parties[LieuCommune];
    switch (format) {
    case 1:
        return commune;
    case 2: {
        const QString code = departement.size() == 6 ? departement.mid(1, 5) : QString();
        return commune.isEmpty() ? code : code + u' ' + commune;
    }
    default:
        return departement.size() > 2 ? commune + u" ("_s + departement.mid(1, 2) + u')' : commune;
    }
}

bool CalculeRapportPredefini(int rapport, const TBD &bd, const TOptionsPredefinis &options,
                             TAvancement *avancement, TRapportPredefini *resultat)
{
    *resultat = TRapportPredefini();
    Rapports r(bd, options, avancement, *resultat);
    switch (rapport) {
    case 0:
        return r.NbreActe();
    case 1:
        return r.Orphelins();
    case 2:
        return r.Unions();
    case 3:
        return r.MariageConsanguin();
    case 4:
        return r.EvenementsPers();
    case 5:
        return r.EvenementsUnions();
    case 6:
        return r.Doublon();
    case 7:
        return r.ListeDesLieux();
    case 8:
        return r.ListeDesProfessions();
    case 9:
        return r.ListeEclair();
    case 10:
        return r.SigneDuZodiaque();
    case 11:
        return r.PatroEtLieux(false);
    case 12:
        return r.PatroEtLieux(true);
    case 13:
        return r.FetesAnniv();
    default:
        return false;
    }
}
