#include "Statistiques.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

#include "BD.h"
#include "Dates.h"
#include "Langue.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

namespace {

const char *const NomsStatistiques[NbStatistiques] = {
    "Répartition homme / femme",
    "Nombre d'événements connus",
    "-",
    "Nombre de parents par personne",
    "Nombre d'enfants par personne",
    "Nombre d'unions par personne",
    "-",
    "Âge au décès",
    "Âge au mariage",
    "Âge à la naissance du premier enfant",
    "-",
    "Répartition des naissances par jour",
    "Répartition des naissances par mois",
    "Répartition des naissances par année",
    "Répartition des baptêmes par jour",
    "Répartition des baptêmes par mois",
    "Répartition des baptêmes par année",
    "Répartition des décès par jour",
    "Répartition des décès par mois",
    "Répartition des décès par année",
    "Répartition des sépultures par jour",
    "Répartition des sépultures par mois",
    "Répartition des sépultures par année",
    "Répartition des mariages par jour",
    "Répartition des mariages par mois",
    "Répartition des mariages par année",
    "Répartition des divorces par jour",
    "Répartition des divorces par mois",
    "Répartition des divorces par année",
};

// The dated events of the distributions: a person field, or a field of
// each union of the person; the language text of its word and the word of
// the fixed sentences.
struct TEvenementStat {
    bool Union;
    int Champ;
    int Texte;
    const char *Mot;
};
const TEvenementStat Evenements[6] = {
    {false, PcNaissanceDate, 820, "naissance"}, {false, PcBaptemeDate, 821, "baptême"},
    {false, PcDecesDate, 822, "décès"},         {false, PcInhumationDate, 823, "sépulture"},
    {true, UcMariageDate, 824, "mariage"},      {true, UcDivorceDate, 825, "divorce"},
};

// Date and place fields of the four events of entry 1.
const std::pair<int, int> EvenementsConnus[4] = {
    {PcNaissanceDate, PcNaissanceLieu},
    {PcBaptemeDate, PcBaptemeLieu},
    {PcDecesDate, PcDecesLieu},
    {PcInhumationDate, PcInhumationLieu},
};

QString pourcent(qint64 partie, qint64 tout)
{
    return FloatToStr2(tout == 0 ? 0.0 : 100.0 * static_cast<double>(partie) / static_cast<double>(tout));
}

QString nombre(qint64 n)
{
    return QString::number(n);
}

// The first three letters of the month's name, or as many more as it takes
// to tell it from the others: "juin" and "juil" would both be "jui".
QString abregeMois(int mois)
{
    const QString &nom = NomsMois[mois];
    for (qsizetype n = 3; n < nom.size(); ++n) {
        bool unique = true;
        for (int autre = 1; autre <= 12 && unique; ++autre)
            unique = autre == mois || !NomsMois[autre].startsWith(nom.left(n));
        if (unique)
            return nom.left(n);
    }
    return nom;
}

class TCalcul
{
public:
    TCalcul(const TBD &bd, const TR &source, int colonne, TProgression *progression)
        : m_bd(bd)
        , m_colonne(colonne)
        , m_progression(progression)
        , m_compteurs(MaxColonnesStat, 0)
    {
        m_personnes.reserve(static_cast<size_t>(source.Count()));
        for (int p : source) {
            if (bd.PersonInUse(p))
                m_personnes.push_back(p);
        }
        m_taille = static_cast<int>(m_personnes.size());
    }

    TResultatStat Calcule(int entree, const TPlageStat &ages, const TPlageStat &annees)
    {
        if (m_progression)
            m_progression->Maximum(m_taille);
        switch (entree) {
        case 1:
            EvenementsConnusParPersonne();
            break;
        case 3:
            Parents();
            break;
        case 4:
        case 5:
            Nombres(entree == 4);
            break;
        case StatAgeDeces:
        case StatAgeMariage:
        case StatAgePremierEnfant:
            Ages(entree, ages);
            break;
        default:
            if (entree >= StatNaissancesJour && entree < NbStatistiques) {
                const TEvenementStat &ev = Evenements[(entree - StatNaissancesJour) / 3];
                switch ((entree - StatNaissancesJour) % 3) {
                case 0:
                    Jours(ev);
                    break;
                case 1:
                    Mois(ev);
                    break;
                default:
                    Annees(ev, annees);
                    break;
                }
            } else {
                Sexes();
            }
            break;
        }
        if (m_progression)
            m_progression->Position(0);
        return std::move(m_resultat);
    }

private:
    // Counts person p in column c. The table has MaxColonnesStat counters:
    // anything beyond it is not counted.
    void Compte(qint64 c, int p)
    {
        if (c < 0 || c >= MaxColonnesStat)
            return;
        ++m_compteurs[static_cast<size_t>(c)];
        if (c == m_colonne)
            m_resultat.Resultat.Add(p);
    }

    int Compteur(int c) const { return m_compteurs[static_cast<size_t>(c)]; }

    qint64 Somme(int premiere, int derniere) const
    {
        qint64 s = 0;
        for (int c = premiere; c <= derniere; ++c)
            s += Compteur(c);
        return s;
    }

    template <typename Fonction>
    void PourChaquePersonne(Fonction f)
    {
        for (int i = 0; i < m_taille; ++i) {
            f(m_personnes[static_cast<size_t>(i)]);
            if (m_progression && (i + 1) % 10 == 0)
                m_progression->Position(i + 1);
        }
    }

    // The unions of p as the relatives queries see them: as husband for a
    // man, else as wife. Their order does not matter to a count.
    template <typename Fonction>
    void PourChaqueUnion(int p, Fonction f) const
    {
        const bool homme = m_bd.Sex(p) == SexeHomme;
        for (int u : m_bd.IndexUnions(p)) {
            if ((homme ? m_bd.Husband(u) : m_bd.Wife(u)) == p)
                f(u);
        }
    }

    int NombreUnions(int p) const
    {
        int n = 0;
        PourChaqueUnion(p, [&](int) { ++n; });
        return n;
    }

    void Colonne(const QString &etiquette, int valeur)
    {
        m_resultat.ValX << etiquette;
        m_resultat.ValY << nombre(valeur);
        m_resultat.Noms << etiquette;
    }

    void Ligne(const QString &ligne) { m_resultat.Commentaire << ligne; }

    void Sexes()
    {
        PourChaquePersonne([&](int p) { Compte(m_bd.Sex(p) == SexeHomme ? 0 : 1, p); });
        const int hommes = Compteur(0);
        const int autres = Compteur(1);
        Colonne(MLFormat(800, {nombre(hommes)}), hommes);
        Colonne(MLFormat(801, {nombre(autres)}), autres);
        const int total = hommes + autres;
        Ligne(MLFormat(802, {nombre(total)}));
        if (total > 0) {
            Ligne(MLFormat(803, {nombre(hommes), pourcent(hommes, total)}));
            Ligne(MLFormat(804, {nombre(autres), pourcent(autres, total)}));
        }
    }

    void EvenementsConnusParPersonne()
    {
        PourChaquePersonne([&](int p) {
            for (int k = 0; k < 4; ++k) {
                const auto [date, lieu] = EvenementsConnus[k];
                if (!m_bd.GetField(p, date).isEmpty() || !m_bd.GetField(p, lieu).isEmpty())
                    Compte(k, p);
            }
        });
        for (int k = 0; k < 4; ++k)
            Colonne(MLFormat(805 + k, {nombre(Compteur(k))}), Compteur(k));
        const qint64 somme = Somme(0, 3);
        Ligne(MLFormat(809, {nombre(somme), nombre(m_taille)}));
        // A person counts at most once for each of the four events.
        if (m_taille > 0)
            Ligne(MLFormat(810, {pourcent(somme, 4LL * m_taille)}));
    }

    void Parents()
    {
        PourChaquePersonne([&](int p) {
            const bool pere = m_bd.PersonInUse(m_bd.Father(p));
            const bool mere = m_bd.PersonInUse(m_bd.Mother(p));
            Compte(pere && mere ? 0 : (!pere && !mere ? 1 : (pere ? 2 : 3)), p);
        });
        for (int k = 0; k < 4; ++k)
            Colonne(MLFormat(811 + k, {nombre(Compteur(k))}), Compteur(k));
        if (m_taille == 0)
            return;
        const int c0 = Compteur(0), c1 = Compteur(1), c2 = Compteur(2), c3 = Compteur(3);
        Ligne(MLFormat(815, {nombre(m_taille), nombre(c0), pourcent(c0, m_taille), nombre(c1),
                             pourcent(c1, m_taille)}));
        if (c2 + c3 > 0)
            Ligne(MLFormat(816, {nombre(c2 + c3), nombre(c2), pourcent(c2, m_taille), nombre(c3),
                                 pourcent(c3, m_taille)}));
    }

    void Nombres(bool enfants)
    {
        int plusHaute = 0;
        PourChaquePersonne([&](int p) {
            const int k = enfants ? static_cast<int>(m_bd.IndexEnfants(p).size()) : NombreUnions(p);
            Compte(k, p);
            if (k < MaxColonnesStat)
                plusHaute = std::max(plusHaute, k);
        });
        for (int k = 0; k <= plusHaute; ++k)
            Colonne(nombre(k) + u" ("_s + nombre(Compteur(k)) + u')', Compteur(k));
        if (m_taille == 0)
            return;
        const int premier = enfants ? 830 : 840;
        const qint64 avec = Somme(1, plusHaute);
        const int sans = Compteur(0);
        Ligne(MLFormat(premier, {nombre(avec), nombre(m_taille), pourcent(avec, m_taille)}));
        Ligne(MLFormat(premier + 1, {nombre(sans), pourcent(sans, m_taille)}));
        Ligne(MLFormat(premier + 2, {FloatToStr2(static_cast<double>(avec) / m_taille)}));
    }

    // Columns of a range, shown: 0..K, at most MaxColonnesStat of them.
    static int ColonnesMontrees(const TPlageStat &plage)
    {
        return static_cast<int>(std::clamp<qint64>(ColonnesPlage(plage), 1, MaxColonnesStat));
    }

    static QString DebutColonne(const TPlageStat &plage, int k)
    {
        return nombre(static_cast<qint64>(plage.Min) + static_cast<qint64>(k) * plage.Pas) + u'+';
    }

    void Ages(int entree, const TPlageStat &plage)
    {
        qint64 somme = 0;
        qint64 nombreAges = 0;
        auto compteAge = [&](int age, int p) {
            if (age < plage.Min || age > plage.Max)
                return;
            somme += age;
            ++nombreAges;
            Compte((static_cast<qint64>(age) - plage.Min) / plage.Pas, p);
        };
        PourChaquePersonne([&](int p) {
            const QString naissance = m_bd.GetField(p, PcNaissanceDate);
            if (DateYear(naissance) == 0)
                return;
            switch (entree) {
            case StatAgeDeces: {
                const QString deces = m_bd.GetField(p, PcDecesDate);
                if (DateYear(deces) > 0)
                    compteAge(YearsBetween(naissance, deces), p);
                break;
            }
            case StatAgeMariage:
                PourChaqueUnion(p, [&](int u) {
                    const QString mariage = m_bd.GetUnionField(u, UcMariageDate);
                    if (DateYear(mariage) > 0)
                        compteAge(YearsBetween(naissance, mariage), p);
                });
                break;
            default: {
                // The eldest child: the earliest birth among the children
                // whose year is known, the lowest number on a tie.
                QString premier;
                int cle = 0;
                for (int e : m_bd.IndexEnfants(p)) {
                    const QString date = m_bd.GetField(e, PcNaissanceDate);
                    const int k = DateKey(date);
                    if (k > 0 && (cle == 0 || k < cle)) {
                        cle = k;
                        premier = date;
                    }
                }
                if (cle > 0)
                    compteAge(YearsBetween(naissance, premier), p);
                break;
            }
            }
        });

        const int n = ColonnesMontrees(plage);
        const bool etiquettes = n - 1 < 16;
        for (int k = 0; k < n; ++k) {
            const QString debut = DebutColonne(plage, k);
            m_resultat.ValX << (etiquettes ? debut : QString());
            m_resultat.ValY << nombre(Compteur(k));
            m_resultat.Noms << debut;
        }
        const qint64 montres = Somme(0, n - 1);
        const int texte = entree == StatAgeDeces ? 850 : (entree == StatAgeMariage ? 852 : 854);
        if (m_taille > 0)
            Ligne(MLFormat(texte, {nombre(plage.Min), nombre(plage.Max), nombre(montres), nombre(m_taille),
                                   pourcent(montres, m_taille)}));
        // The mean of the ages counted, those of the column left unshown
        // (age = Max) included on both sides of the division.
        if (nombreAges > 0)
            Ligne(MLFormat(texte + 1, {FloatToStr2(static_cast<double>(somme) / nombreAges)}));
    }

    template <typename Fonction>
    void PourChaqueDate(const TEvenementStat &ev, Fonction f)
    {
        PourChaquePersonne([&](int p) {
            if (ev.Union)
                PourChaqueUnion(p, [&](int u) { f(m_bd.GetUnionField(u, ev.Champ), p); });
            else
                f(m_bd.GetField(p, ev.Champ), p);
        });
    }

    std::pair<int, int> Extremes(int n) const
    {
        const auto debut = m_compteurs.begin();
        const auto [mini, maxi] = std::minmax_element(debut, debut + n);
        return {*mini, *maxi};
    }

    void Jours(const TEvenementStat &ev)
    {
        // An incomplete date names no weekday: it is left out of the columns.
        PourChaqueDate(ev, [&](const QString &date, int p) {
            if (date.isEmpty())
                return;
            const int jour = DateWeekday(date);
            if (jour < 7)
                Compte(jour, p);
        });
        for (int k = 0; k < 7; ++k)
            Colonne(NomsJours[k] + u'(' + nombre(Compteur(k)) + u')', Compteur(k));
        const qint64 total = Somme(0, 6);
        if (m_taille > 0)
            Ligne(MLFormat(826, {MLText(ev.Texte), nombre(total), nombre(m_taille), pourcent(total, m_taille)}));
        const auto [mini, maxi] = Extremes(7);
        Ligne(MLFormat(827, {nombre(mini), nombre(maxi)}));
    }

    void Mois(const TEvenementStat &ev)
    {
        PourChaqueDate(ev, [&](const QString &date, int p) {
            if (date.isEmpty())
                return;
            const int mois = DateMonth(date);
            if (mois >= 1 && mois <= 12)
                Compte(mois - 1, p);
        });
        for (int k = 0; k < 12; ++k)
            Colonne(abregeMois(k + 1) + u'(' + nombre(Compteur(k)) + u')', Compteur(k));
        const QString mot = QString::fromUtf8(ev.Mot);
        const qint64 total = Somme(0, 11);
        if (m_taille > 0)
            Ligne(u"Le mois de "_s + mot + u" est connu pour "_s + nombre(total) + u" personnes sur "_s
                  + nombre(m_taille) + u" soit "_s + pourcent(total, m_taille) + u"%."_s);
        const auto [mini, maxi] = Extremes(12);
        const QString pluriel = ev.Champ == PcDecesDate && !ev.Union ? mot : mot + u's';
        Ligne(u"La répartition des "_s + pluriel + u" dans un mois varie entre "_s + nombre(mini) + u" et "_s
              + nombre(maxi) + u", la moyenne étant à "_s + FloatToStr2(static_cast<double>(total) / 12)
              + u"."_s);
    }

    void Annees(const TEvenementStat &ev, const TPlageStat &plage)
    {
        PourChaqueDate(ev, [&](const QString &date, int p) {
            const int annee = DateYear(date);
            if (annee >= 1 && annee >= plage.Min && annee <= plage.Max)
                Compte((static_cast<qint64>(annee) - plage.Min) / plage.Pas, p);
        });
        const int n = ColonnesMontrees(plage);
        for (int k = 0; k < n; ++k)
            Colonne(DebutColonne(plage, k), Compteur(k));
        Ligne(u"L'année de "_s + QString::fromUtf8(ev.Mot) + u" est connue pour "_s + nombre(Somme(0, n - 1))
              + u" personnes sur "_s + nombre(m_taille) + u" entre "_s + nombre(plage.Min) + u" et "_s
              + nombre(plage.Max));
    }

    const TBD &m_bd;
    const int m_colonne;
    TProgression *m_progression;
    std::vector<int> m_personnes;
    int m_taille = 0;
    std::vector<int> m_compteurs;
    TResultatStat m_resultat;
};

} // namespace

QString NomStatistique(int entree)
{
    if (entree < 0 || entree >= NbStatistiques)
        return QString();
    return QString::fromUtf8(NomsStatistiques[entree]);
}

bool EstSeparateur(int entree)
{
    return entree == 2 || entree == 6 || entree == 10;
}

bool StatistiqueAges(int entree)
{
    return entree >= StatAgeDeces && entree <= StatAgePremierEnfant;
}

bool StatistiqueAnnees(int entree)
{
    return entree >= StatNaissancesJour && entree < NbStatistiques && (entree - StatNaissancesJour) % 3 == 2;
}

TPlageStat CorrigePlage(int min, int max, int pas)
{
    if (min == std::numeric_limits<int>::max())
        --min;
    return {min, max > min ? max : min + 1, pas < 1 ? 1 : pas};
}

qint64 ColonnesPlage(const TPlageStat &plage)
{
    const qint64 ecart = static_cast<qint64>(plage.Max) - plage.Min - 1;
    return (plage.Pas < 1 ? ecart : ecart / plage.Pas) + 1;
}

TResultatStat CalculeStatistique(const TBD &bd, const TR &source, int entree, int colonne,
                                 const TPlageStat &ages, const TPlageStat &annees, TProgression *progression)
{
    TCalcul calcul(bd, source, colonne, progression);
    return calcul.Calcule(EstSeparateur(entree) ? StatSexe : entree, CorrigePlage(ages.Min, ages.Max, ages.Pas),
                          CorrigePlage(annees.Min, annees.Max, annees.Pas));
}

TR PersonnesNeesEntre(const TBD &bd, int debut, int fin)
{
    TR r;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (!bd.PersonInUse(p))
            continue;
        const int annee = DateYear(bd.GetField(p, PcNaissanceDate));
        if (annee >= 1 && annee >= debut && annee <= fin)
            r.Add(p);
    }
    return r;
}
