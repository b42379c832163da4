#include "Modeles.h"

#include "BD.h"
#include "Dates.h"
#include "Options.h"
#include "Parente.h"

#include <QHash>
#include <QStringView>

#include <utility>
#include <vector>

namespace {

enum class Balise {
    Texte, // a literal piece
    Nom,
    Prenoms,
    PrenomUsuel,
    Sexe,
    Numero,
    Numerotation,
    Naissance,
    LieuNaissance,
    Bapteme,
    LieuBapteme,
    Deces,
    LieuDeces,
    Inhumation,
    LieuInhumation,
    Note,
    Profession,
    Age,
    Pere,
    Mere,
    Conjoint,
    Mariage,
    Creation,
    Modification,
    Zodiaque,
    Photo,
    Evenement, // "<eve:type,field>": a field of the person's event of a type
};

// Fields of "<eve:type,field>".
enum class ChampEve { Date, Annee, Lieu, Note };

struct NomBalise {
    QStringView nom; // in lower case
    Balise balise;
};

constexpr NomBalise Balises[] = {
    {u"nom", Balise::Nom},
    {u"prénom", Balise::Prenoms},
    {u"prénom usuel", Balise::PrenomUsuel},
    {u"sexe", Balise::Sexe},
    {u"n°", Balise::Numero},
    {u"numéro", Balise::Numerotation},
    {u"naissance", Balise::Naissance},
    {u"lieu naissance", Balise::LieuNaissance},
    {u"baptême", Balise::Bapteme},
    {u"lieu baptême", Balise::LieuBapteme},
    {u"décès", Balise::Deces},
    {u"lieu décès", Balise::LieuDeces},
    {u"inhumation", Balise::Inhumation},
    {u"lieu inhumation", Balise::LieuInhumation},
    {u"note", Balise::Note},
    {u"profession", Balise::Profession},
    {u"âge", Balise::Age},
    {u"père", Balise::Pere},
    {u"mère", Balise::Mere},
    {u"conjoint", Balise::Conjoint},
    {u"mariage", Balise::Mariage},
    {u"création", Balise::Creation},
    {u"modification", Balise::Modification},
    {u"zodiaque", Balise::Zodiaque},
    {u"photo", Balise::Photo},
};

// Longest tag name: text between "<" and ">" longer than this is never a tag,
// which keeps the scan of a long text with many stray "<" linear.
constexpr qsizetype LongueurMaxBalise = 16;

struct Morceau {
    Balise balise = Balise::Texte;
    QString texte; // for Balise::Texte; the event type for Balise::Evenement
    ChampEve champ = ChampEve::Date; // for Balise::Evenement
};

// Longest event tag: a type name is short, and a bound keeps the scan linear.
constexpr qsizetype LongueurMaxBaliseEve = 80;

// "eve:" + an event type + "," + a field name (letter case ignored): true
// with the piece filled in, false for anything else.
bool baliseEvenement(QStringView contenu, Morceau *morceau)
{
    static constexpr QStringView prefixe = u"eve:";
    if (contenu.size() > LongueurMaxBaliseEve || !contenu.startsWith(prefixe, Qt::CaseInsensitive))
        return false;
    const QStringView reste = contenu.sliced(prefixe.size());
    const qsizetype virgule = reste.lastIndexOf(u',');
    if (virgule <= 0)
        return false;
    const QStringView type = reste.first(virgule).trimmed();
    const QStringView champ = reste.sliced(virgule + 1).trimmed();
    static constexpr std::pair<QStringView, ChampEve> champs[] = {
        {u"date", ChampEve::Date}, {u"année", ChampEve::Annee}, {u"lieu", ChampEve::Lieu}, {u"note", ChampEve::Note}};
    for (const auto &[nom, valeur] : champs) {
        if (champ.compare(nom, Qt::CaseInsensitive) == 0 && !type.isEmpty()) {
            *morceau = {Balise::Evenement, type.toString(), valeur};
            return true;
        }
    }
    return false;
}

struct Modele {
    std::vector<Morceau> morceaux;
    qsizetype longueurTexte = 0; // the literal characters, to size the result
};

Balise baliseDe(QStringView nom)
{
    if (nom.isEmpty() || nom.size() > LongueurMaxBalise)
        return Balise::Texte;
    const QString minuscules = nom.toString().toLower();
    for (const NomBalise &b : Balises) {
        if (b.nom == minuscules)
            return b.balise;
    }
    return Balise::Texte;
}

void ajouteTexte(Modele &m, QStringView texte)
{
    if (texte.isEmpty())
        return;
    m.longueurTexte += texte.size();
    if (!m.morceaux.empty() && m.morceaux.back().balise == Balise::Texte)
        m.morceaux.back().texte += texte;
    else
        m.morceaux.push_back({Balise::Texte, texte.toString()});
}

Modele analyse(const QString &modele)
{
    Modele m;
    const QStringView s(modele);
    const qsizetype n = s.size();
    qsizetype debut = 0; // start of the pending literal text
    qsizetype i = 0;
    qsizetype fermant = -1; // the first ">" at or after i, once searched
    while (i < n) {
        if (s[i] != u'<') {
            ++i;
            continue;
        }
        if (fermant < i)
            fermant = s.indexOf(u'>', i + 1);
        if (fermant < 0)
            break; // no ">" anywhere after: the rest is plain text
        const QStringView contenu = s.sliced(i + 1, fermant - i - 1);
        Morceau evenement;
        if (baliseEvenement(contenu, &evenement)) {
            ajouteTexte(m, s.sliced(debut, i - debut));
            m.morceaux.push_back(std::move(evenement));
            i = fermant + 1;
            debut = i;
            continue;
        }
        const Balise b = baliseDe(contenu);
        if (b == Balise::Texte) {
            // Only this "<" is plain text: a tag may begin at a later "<"
            // before the same ">", as in "<<nom>>".
            ++i;
            continue;
        }
        ajouteTexte(m, s.sliced(debut, i - debut));
        m.morceaux.push_back({b, QString()});
        i = fermant + 1;
        debut = i;
    }
    ajouteTexte(m, s.sliced(debut));
    return m;
}

// Parsed templates of this thread. A window uses a handful of templates, so
// when a caller goes through many different ones the cache is simply emptied.
constexpr qsizetype TailleMaxCache = 256;

const Modele &modeleAnalyse(const QString &modele)
{
    thread_local QHash<QString, Modele> cache;
    const auto it = cache.constFind(modele);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() >= TailleMaxCache)
        cache.clear();
    return *cache.insert(modele, analyse(modele));
}

QString signeZodiaque(int jour, int mois)
{
    if (jour < 1 || mois < 1 || mois > 12)
        return QString();
    // The sign that begins in each month, and the day it begins: the usual
    // newspaper table of sun signs (as printed by Infoplease / Fact Monster,
    // "Astrological Signs": Aries March 21 to April 19 ... Pisces February
    // 19 to March 20), the same for every year.
    struct Signe {
        int premierJour;
        QStringView nom;
    };
    static constexpr Signe signes[12] = {
        {20, u"Verseau"}, {19, u"Poissons"}, {21, u"Bélier"},     {20, u"Taureau"},
        {21, u"Gémeaux"}, {21, u"Cancer"},   {23, u"Lion"},       {23, u"Vierge"},
        {23, u"Balance"}, {23, u"Scorpion"}, {22, u"Sagittaire"}, {22, u"Capricorne"},
    };
    const int m = mois - 1;
    const Signe &signe = jour >= signes[m].premierJour ? signes[m] : signes[(m + 11) % 12];
    return signe.nom.toString();
}

// What the tags of one expansion share, looked up once and only when a tag
// needs it.
class Contexte
{
public:
    Contexte(const TBD &bd, int p) : m_bd(bd), m_p(p), m_fiche(bd.Fiche(p)) {}

    void ajoute(QString &sortie, const Morceau &morceau);

private:
    enum Genre { GNaissance, GBapteme, GDeces, GInhumation, NbGenres };

    // The first event in use of that kind, 0 when none.
    int evenement(Genre g);
    QString date(Genre g) { return DateVersAffichage(m_bd.Event(evenement(g)).Date); }
    QString lieu(Genre g) { return m_bd.Event(evenement(g)).Lieu; }
    QString nomDe(int personne) const;
    QString age();
    QString photo() const;
    QString mariage() const;
    QString champEvenement(const QString &type, ChampEve champ) const;

    const TBD &m_bd;
    const int m_p;
    const TFiche &m_fiche;
    int m_eves[NbGenres] = {-1, -1, -1, -1};
};

int Contexte::evenement(Genre g)
{
    int &e = m_eves[g];
    if (e >= 0)
        return e;
    const TNomsEvenements &noms = NomsEvenements();
    const QString *types[NbGenres] = {&noms.Naissance, &noms.Bapteme, &noms.Deces,
                                      &noms.Inhumation};
    e = 0;
    for (int n : m_fiche.Evenements) {
        if (m_bd.EventInUse(n) && m_bd.Event(n).Type.compare(*types[g], Qt::CaseInsensitive) == 0) {
            e = n;
            break;
        }
    }
    return e;
}

QString Contexte::nomDe(int personne) const
{
    return m_bd.PersonInUse(personne) ? m_bd.FullName(personne) : QString();
}

QString Contexte::age()
{
    const QString naissance = m_bd.Event(evenement(GNaissance)).Date;
    if (DateYear(naissance) == 0)
        return QString();
    int ans = 0;
    if (evenement(GDeces) != 0) {
        // A person known to be dead has no age today, even when the death
        // date is missing.
        const QString deces = m_bd.Event(evenement(GDeces)).Date;
        // YearsBetween counts in either order; a death before the birth is
        // an error of the data, not an age.
        if (DateYear(deces) == 0 || CompareDates(naissance, deces) == 1)
            return QString();
        ans = YearsBetween(naissance, deces);
    } else {
        ans = AgeInYears(naissance);
    }
    // Under one year there is no whole year to give: "0", which templates
    // follow with " ans", would read as an age. The record form likewise
    // shows an age only from one year.
    return ans < 1 ? QString() : QString::number(ans);
}

QString Contexte::photo() const
{
    const QString &genre = Options().Photo;
    for (int s : m_fiche.Sources) {
        if (!m_bd.SourceInUse(s) || m_bd.Source(s).Genre.compare(genre, Qt::CaseInsensitive) != 0)
            continue;
        const QString chemin = m_bd.SourceField(s, SrcCheminSeul);
        // A bare "@" would name no file.
        return chemin.isEmpty() ? QString() : QLatin1Char('@') + chemin;
    }
    return QString();
}

QString Contexte::mariage() const
{
    // LastSpouse gives nobody for a person of unknown sex; its union is the
    // last of UnionsOf otherwise.
    if (m_bd.Sex(m_p) == SexeInconnu)
        return QString();
    const TR unions = UnionsOf(m_bd, m_p);
    if (unions.IsEmpty())
        return QString();
    return DateVersAffichage(m_bd.MarriageDate(unions.Get(unions.Count())));
}

QString Contexte::champEvenement(const QString &type, ChampEve champ) const
{
    switch (champ) {
    case ChampEve::Date:
        return DateVersAffichage(m_bd.GetPersonEventByType(m_p, type, EveDate));
    case ChampEve::Annee: {
        const int annee = DateYear(m_bd.GetPersonEventByType(m_p, type, EveDate));
        return annee > 0 ? QString::number(annee) : QString();
    }
    case ChampEve::Lieu:
        return m_bd.GetPersonEventByType(m_p, type, EveLieu);
    case ChampEve::Note:
        return m_bd.GetPersonEventByType(m_p, type, EveNote);
    }
    return QString();
}

void Contexte::ajoute(QString &sortie, const Morceau &morceau)
{
    switch (morceau.balise) {
    case Balise::Texte:
        break;
    case Balise::Evenement:
        sortie += champEvenement(morceau.texte, morceau.champ);
        break;
    case Balise::Nom:
        sortie += m_fiche.Nom;
        break;
    case Balise::Prenoms:
        sortie += m_fiche.Prenoms;
        break;
    case Balise::PrenomUsuel:
        sortie += PrenomUsuel(m_fiche.Prenoms);
        break;
    case Balise::Sexe:
        sortie += m_fiche.Sexe == SexeHomme ? u'H' : m_fiche.Sexe == SexeFemme ? u'F' : u'I';
        break;
    case Balise::Numero:
        sortie += QString::number(m_p);
        break;
    case Balise::Numerotation:
        sortie += m_fiche.Numerotation;
        break;
    case Balise::Naissance:
        sortie += date(GNaissance);
        break;
    case Balise::LieuNaissance:
        sortie += lieu(GNaissance);
        break;
    case Balise::Bapteme:
        sortie += date(GBapteme);
        break;
    case Balise::LieuBapteme:
        sortie += lieu(GBapteme);
        break;
    case Balise::Deces:
        sortie += date(GDeces);
        break;
    case Balise::LieuDeces:
        sortie += lieu(GDeces);
        break;
    case Balise::Inhumation:
        sortie += date(GInhumation);
        break;
    case Balise::LieuInhumation:
        sortie += lieu(GInhumation);
        break;
    case Balise::Note:
        sortie += m_fiche.Note;
        break;
    case Balise::Profession:
        sortie += m_bd.Profession(m_p);
        break;
    case Balise::Age:
        sortie += age();
        break;
    case Balise::Pere:
        sortie += nomDe(m_fiche.Pere);
        break;
    case Balise::Mere:
        sortie += nomDe(m_fiche.Mere);
        break;
    case Balise::Conjoint:
        sortie += nomDe(LastSpouse(m_bd, m_p));
        break;
    case Balise::Mariage:
        sortie += mariage();
        break;
    case Balise::Creation:
        sortie += DateVersAffichage(m_fiche.Creation);
        break;
    case Balise::Modification:
        sortie += DateVersAffichage(m_fiche.Modification);
        break;
    case Balise::Zodiaque: {
        const TDateParts d = SplitDate(m_bd.Event(evenement(GNaissance)).Date);
        sortie += signeZodiaque(d.Jour, d.Mois);
        break;
    }
    case Balise::Photo:
        sortie += photo();
        break;
    }
}

} // namespace

QString ExpandTemplate(const TBD &bd, int p, const QString &modele)
{
    const Modele &m = modeleAnalyse(modele);
    const bool enService = bd.PersonInUse(p);
    QString sortie;
    sortie.reserve(m.longueurTexte + 32);
    Contexte contexte(bd, p);
    for (const Morceau &morceau : m.morceaux) {
        if (morceau.balise == Balise::Texte)
            sortie += morceau.texte;
        else if (enService)
            contexte.ajoute(sortie, morceau);
    }
    return sortie;
}

QStringList BalisesModele()
{
    QStringList balises;
    for (const NomBalise &b : Balises)
        balises << u'<' + b.nom.toString() + u'>';
    return balises;
}

TExpandeur ExpandeurDe(const TBD &bd)
{
    return [&bd](int personne, const QString &modele) {
        return ExpandTemplate(bd, personne, modele);
    };
}
