#include "Dates.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include <QList>
#include <QLocale>
#include <QStringList>

#include "Arrondi.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

const QString NomsMois[13] = {
    QString(),       u"janvier"_s, u"février"_s,  u"mars"_s,      u"avril"_s,
    u"mai"_s,        u"juin"_s,    u"juillet"_s,  u"août"_s,      u"septembre"_s,
    u"octobre"_s,    u"novembre"_s, u"décembre"_s,
};

const QString NomsMoisRepublicains[14] = {
    QString(),          u"Vendémiaire"_s, u"Brumaire"_s,  u"Frimaire"_s, u"Nivôse"_s,
    u"Pluviôse"_s,      u"Ventôse"_s,     u"Germinal"_s,  u"Floréal"_s,  u"Prairial"_s,
    u"Messidor"_s,      u"Thermidor"_s,   u"Fructidor"_s, u"Sans-Culottide"_s,
};

const QString NomsJours[7] = {
    u"dimanche"_s, u"lundi"_s, u"mardi"_s,   u"mercredi"_s,
    u"jeudi"_s,    u"vendredi"_s, u"samedi"_s,
};

namespace {

constexpr int kAnneeMin = 1;
constexpr int kAnneeMax = 9999;

bool g_moisAvantJour = false;

std::function<QDate()> &horloge()
{
    static std::function<QDate()> h;
    return h;
}

// ---- Reading stored texts --------------------------------------------------
// These run for every person when a list is sorted, so they read views of the
// text and allocate nothing.

enum Qualif { SansQualif = 0, Avant, Apres, Vers };

QString texteQualif(int q)
{
    switch (q) {
    case Avant:
        return u"avant"_s;
    case Apres:
        return u"après"_s;
    case Vers:
        return u"vers"_s;
    default:
        return {};
    }
}

Qualif qualifStocke(QStringView t)
{
    // Most stored dates start with a digit: skip the case-folding compares.
    if (t.size() < 4 || t.size() > 5 || t[0].unicode() < u'A')
        return SansQualif;
    if (t.compare(u"avant", Qt::CaseInsensitive) == 0)
        return Avant;
    if (t.compare(u"après", Qt::CaseInsensitive) == 0)
        return Apres;
    if (t.compare(u"vers", Qt::CaseInsensitive) == 0)
        return Vers;
    return SansQualif;
}

bool estChiffre(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The next blank-separated token from pos; empty at the end of the text.
QStringView jetonSuivant(QStringView s, qsizetype &pos)
{
    const qsizetype n = s.size();
    while (pos < n && s[pos].isSpace())
        ++pos;
    const qsizetype debut = pos;
    while (pos < n && !s[pos].isSpace())
        ++pos;
    return s.sliced(debut, pos - debut);
}

// Value of a field made only of ASCII digits, -1 otherwise. Long runs of
// digits saturate instead of overflowing: such a value is out of every range
// anyway.
constexpr int kSature = 1000000;
int lireNombre(QStringView v)
{
    if (v.isEmpty())
        return -1;
    int n = 0;
    for (const QChar c : v) {
        if (!estChiffre(c))
            return -1;
        if (n < kSature)
            n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

TDateParts lireDate(QStringView v)
{
    QStringView champs[3];
    int nb = 0;
    qsizetype debut = 0;
    for (qsizetype i = 0; i <= v.size(); ++i) {
        if (i == v.size() || v[i] == u'/') {
            if (nb == 3)
                return {};
            champs[nb++] = v.sliced(debut, i - debut);
            debut = i + 1;
        }
    }
    TDateParts p;
    const int annee = lireNombre(champs[nb - 1]);
    if (annee < kAnneeMin || annee > kAnneeMax)
        return p;
    p.Annee = annee;
    if (nb >= 2) {
        const int mois = lireNombre(champs[nb - 2]);
        if (mois >= 1 && mois <= 12)
            p.Mois = mois;
    }
    // A day is meaningless without its month.
    if (nb == 3 && p.Mois != 0) {
        const int jour = lireNombre(champs[0]);
        if (jour >= 1 && jour <= 31)
            p.Jour = jour;
    }
    return p;
}

// A date token written only with numbers whose year is readable, but whose
// month or day is not in the calendar.
bool dateEcriteInexistante(QStringView v)
{
    const QList<QStringView> champs = v.split(u'/');
    if (champs.size() > 3)
        return false;
    for (QStringView c : champs) {
        if (lireNombre(c) < 0)
            return false;
    }
    const int annee = lireNombre(champs.last());
    if (annee < kAnneeMin || annee > kAnneeMax || champs.size() == 1)
        return false;
    const int mois = lireNombre(champs[champs.size() - 2]);
    if (mois < 1 || mois > 12)
        return true;
    return champs.size() == 3 && !IsValidDate(lireNombre(champs[0]), mois, annee);
}

TDateParts lirePremiereDate(QStringView s, Qualif *qualif = nullptr)
{
    qsizetype pos = 0;
    QStringView t = jetonSuivant(s, pos);
    const Qualif q = qualifStocke(t);
    if (q != SansQualif)
        t = jetonSuivant(s, pos);
    if (qualif)
        *qualif = q;
    return lireDate(t);
}

// ---- Calendars ---------------------------------------------------------------

bool estBissextile(int annee)
{
    if (annee <= 1582)
        return annee % 4 == 0;
    return (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
}

bool estGregorien(int jour, int mois, int annee)
{
    return annee > 1582 || (annee == 1582 && (mois > 10 || (mois == 10 && jour >= 15)));
}

// Julian day number of an existing date. The year is shifted to start in
// March so that the leap day ends it, which keeps the month term linear.
constexpr std::int64_t jourJulien(int jour, int mois, int annee, bool gregorien)
{
    const std::int64_t a = (14 - mois) / 12;
    const std::int64_t y = annee + 4800 - a;
    const std::int64_t m = mois + 12 * a - 3;
    const std::int64_t base = jour + (153 * m + 2) / 5 + 365 * y + y / 4;
    return gregorien ? base - y / 100 + y / 400 - 32045 : base - 32083;
}

std::int64_t jourJulien(int jour, int mois, int annee)
{
    return jourJulien(jour, mois, annee, estGregorien(jour, mois, annee));
}

constexpr std::int64_t kJourReforme = jourJulien(15, 10, 1582, true);
constexpr std::int64_t kJourMin = jourJulien(1, 1, kAnneeMin, false);
constexpr std::int64_t kJourMax = jourJulien(31, 12, kAnneeMax, true);
static_assert(kJourReforme == 2299161);
static_assert(jourJulien(4, 10, 1582, false) == 2299160);

TDateParts dateDuJour(std::int64_t jd)
{
    if (jd < kJourMin || jd > kJourMax)
        return {};
    std::int64_t b = 0;
    std::int64_t c = jd + 32082;
    if (jd >= kJourReforme) {
        const std::int64_t a = jd + 32044;
        b = (4 * a + 3) / 146097;
        c = a - 146097 * b / 4;
    }
    const std::int64_t d = (4 * c + 3) / 1461;
    const std::int64_t e = c - 1461 * d / 4;
    const std::int64_t m = (5 * e + 2) / 153;
    TDateParts p;
    p.Jour = static_cast<int>(e - (153 * m + 2) / 5 + 1);
    p.Mois = static_cast<int>(m + 3 - 12 * (m / 10));
    p.Annee = static_cast<int>(100 * b + d - 4800 + m / 10);
    return p;
}

// Republican calendar: year I starts on 22/9/1792; years III, VII and XI have
// a sixth complementary day.
constexpr int kRepAnneeMax = 14;
constexpr std::int64_t kRepDebut = jourJulien(22, 9, 1792, true);

bool estSextile(int an)
{
    return an == 3 || an == 7 || an == 11;
}

// Julian day of 1 vendémiaire of year `an` (1 .. kRepAnneeMax + 1).
std::int64_t debutAnRepublicain(int an)
{
    std::int64_t jd = kRepDebut;
    for (int a = 1; a < an; ++a)
        jd += estSextile(a) ? 366 : 365;
    return jd;
}

// ---- Typed dates -----------------------------------------------------------

// "1.02-1900" -> "1/2/1900": numbers joined by single ".", "-" or "/", with
// their leading zeros dropped. Empty when the token is anything else.
QString nombresSaisis(QStringView t)
{
    QString out;
    const qsizetype n = t.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype debut = i;
        while (i < n && estChiffre(t[i]))
            ++i;
        if (i == debut)
            return {};
        qsizetype z = debut;
        while (z < i - 1 && t[z] == u'0')
            ++z;
        out += t.sliced(z, i - z);
        if (i == n)
            break;
        const QChar sep = t[i];
        if (sep != u'.' && sep != u'-' && sep != u'/')
            return {};
        if (++i == n)
            return {};
        out += u'/';
    }
    return out;
}

Qualif qualifSaisi(QStringView t)
{
    struct Abrev {
        QStringView saisie;
        Qualif qualif;
    };
    static constexpr Abrev abreviations[] = {
        {u"av", Avant},    {u"av.", Avant},   {u"avt", Avant},       {u"avant", Avant},
        {u"ap", Apres},    {u"apr", Apres},   {u"apres", Apres},     {u"après", Apres},
        {u"v", Vers},      {u"ca", Vers},     {u"env", Vers},        {u"environ", Vers},
        {u"vers", Vers},
    };
    for (const Abrev &a : abreviations)
        if (t.compare(a.saisie, Qt::CaseInsensitive) == 0)
            return a.qualif;
    return SansQualif;
}

// Start of the last field (the year) of a normalised date token.
qsizetype debutAnnee(const QString &date)
{
    return date.lastIndexOf(u'/') + 1;
}

// Swaps the first two fields of every blank-separated "d/m/y" token made of
// digits; everything else, blanks included, is kept as it stands.
QString echangeJourMois(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const QStringView s(text);
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        if (s[i].isSpace()) {
            out += s[i++];
            continue;
        }
        const qsizetype debut = i;
        while (i < n && !s[i].isSpace())
            ++i;
        const QStringView t = s.sliced(debut, i - debut);
        const qsizetype s1 = t.indexOf(u'/');
        const qsizetype s2 = s1 < 0 ? -1 : t.indexOf(u'/', s1 + 1);
        const bool troisChamps = s1 > 0 && s2 > s1 + 1 && s2 < t.size() - 1
                && t.indexOf(u'/', s2 + 1) < 0 && lireNombre(t.first(s1)) >= 0
                && lireNombre(t.sliced(s1 + 1, s2 - s1 - 1)) >= 0
                && lireNombre(t.sliced(s2 + 1)) >= 0;
        if (troisChamps) {
            out += t.sliced(s1 + 1, s2 - s1 - 1);
            out += u'/';
            out += t.first(s1);
            out += t.sliced(s2);
        } else {
            out += t;
        }
    }
    return out;
}

} // namespace

// ---- Settings and clock ---------------------------------------------------

void SetOrdreMoisJour(bool moisAvantJour)
{
    g_moisAvantJour = moisAvantJour;
}

bool OrdreMoisJour()
{
    return g_moisAvantJour;
}

void SetHorloge(std::function<QDate()> h)
{
    horloge() = std::move(h);
}

QDate Aujourdhui()
{
    const auto &h = horloge();
    return h ? h() : QDate::currentDate();
}

// ---- Pieces of a date text --------------------------------------------------

TDateParts SplitDate(const QString &text)
{
    return lireDate(QStringView(text).trimmed());
}

TDateRange SplitDateRange(const QString &text)
{
    TDateRange r;
    const QStringView s(text);
    qsizetype pos = 0;
    QStringView t = jetonSuivant(s, pos);
    if (const Qualif q = qualifStocke(t)) {
        r.Qualif1 = texteQualif(q);
        t = jetonSuivant(s, pos);
        if (qualifStocke(t) != SansQualif) {
            // A qualifier without its date, followed by the second part.
            pos -= t.size();
            t = {};
        }
    }
    r.Date1 = t.toString();
    t = jetonSuivant(s, pos);
    if (const Qualif q = qualifStocke(t)) {
        r.Qualif2 = texteQualif(q);
        t = jetonSuivant(s, pos);
        if (qualifStocke(t) != SansQualif)
            t = {};
    }
    r.Date2 = t.toString();
    return r;
}

TQualifiedDate SplitQualifiedDate(const QString &text)
{
    Qualif q = SansQualif;
    const TDateParts p = lirePremiereDate(text, &q);
    return {texteQualif(q), p.Jour, p.Mois, p.Annee};
}

int DateYear(const QString &text)
{
    return lirePremiereDate(text).Annee;
}

int DateMonth(const QString &text)
{
    return lirePremiereDate(text).Mois;
}

int DateKey(const QString &text)
{
    const TDateParts p = lirePremiereDate(text);
    return p.Annee * 10000 + p.Mois * 100 + p.Jour;
}

int DaysInMonth(int mois, int annee)
{
    static constexpr int jours[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois < 1 || mois > 12 || annee < kAnneeMin || annee > kAnneeMax)
        return 0;
    return mois == 2 && estBissextile(annee) ? 29 : jours[mois];
}

bool IsValidDate(int jour, int mois, int annee)
{
    if (jour < 1 || jour > DaysInMonth(mois, annee))
        return false;
    return !(annee == 1582 && mois == 10 && jour >= 5 && jour <= 14);
}

bool DateInexistante(const QString &text)
{
    const TDateRange r = SplitDateRange(text);
    return dateEcriteInexistante(r.Date1) || dateEcriteInexistante(r.Date2);
}

// ---- Texts ---------------------------------------------------------------

QString TodayDateText()
{
    const QDate d = Aujourdhui();
    if (!d.isValid() || !IsValidDate(d.day(), d.month(), d.year()))
        return {};
    return QString::number(d.day()) + u'/' + QString::number(d.month()) + u'/'
            + QString::number(d.year());
}

QString DateVersAffichage(const QString &text)
{
    return g_moisAvantJour ? echangeJourMois(text) : text;
}

QString DateDepuisAffichage(const QString &text)
{
    // The swap is its own inverse.
    return g_moisAvantJour ? echangeJourMois(text) : text;
}

QString NormalizeDateInput(const QString &text)
{
    enum Genre { Autre, Nombre, Qualificatif, Entre, Et };
    struct Jeton {
        QString texte;
        Genre genre;
    };
    QList<Jeton> jetons;
    const QStringView s(text);
    qsizetype pos = 0;
    for (QStringView t = jetonSuivant(s, pos); !t.isEmpty(); t = jetonSuivant(s, pos)) {
        const QString nombres = nombresSaisis(t);
        if (!nombres.isEmpty()) {
            if (!jetons.isEmpty() && jetons.last().genre == Nombre)
                jetons.last().texte += u'/' + nombres;
            else
                jetons.append({nombres, Nombre});
        } else if (const Qualif q = qualifSaisi(t)) {
            jetons.append({texteQualif(q), Qualificatif});
        } else if (t.compare(u"entre", Qt::CaseInsensitive) == 0) {
            jetons.append({t.toString(), Entre});
        } else if (t.compare(u"et", Qt::CaseInsensitive) == 0) {
            jetons.append({t.toString(), Et});
        } else {
            jetons.append({t.toString(), Autre});
        }
    }

    if (jetons.size() == 4 && jetons[0].genre == Entre && jetons[1].genre == Nombre
            && jetons[2].genre == Et && jetons[3].genre == Nombre) {
        jetons[0] = {texteQualif(Apres), Qualificatif};
        jetons[2] = {texteQualif(Avant), Qualificatif};
    }

    if (jetons.size() == 4 && jetons[0].texte == texteQualif(Apres) && jetons[1].genre == Nombre
            && jetons[2].texte == texteQualif(Avant) && jetons[3].genre == Nombre) {
        QString &fin = jetons[3].texte;
        const qsizetype k = debutAnnee(fin);
        const int premiere = lireNombre(QStringView(jetons[1].texte).sliced(debutAnnee(jetons[1].texte)));
        if (fin.size() - k <= 2 && premiere >= 100 && premiere <= kAnneeMax) {
            // The century of the first year, or the next one when that would
            // end the range before it starts ("entre 1995 et 05" is 2005).
            int annee = premiere / 100 * 100 + lireNombre(QStringView(fin).sliced(k));
            if (annee < premiere)
                annee += 100;
            if (annee <= kAnneeMax)
                fin = fin.left(k) + QString::number(annee);
        }
    }

    QString out;
    for (const Jeton &j : std::as_const(jetons)) {
        if (!out.isEmpty())
            out += u' ';
        out += j.texte;
    }
    return out;
}

QString NormalisePeriode(const QString &premier, const QString &second, int mode)
{
    const QString saisi = NormalizeDateInput(mode == 2 ? second : premier);
    if (mode != 1 && mode != 2)
        return saisi;
    // The bound that leaves the typed date the most room: the last date of a
    // later reference, the first date of an earlier one.
    const TDateRange ref = SplitDateRange(NormalizeDateInput(mode == 2 ? premier : second));
    const QString &refDate = mode == 1 && !ref.Date2.isEmpty() ? ref.Date2 : ref.Date1;
    const int anneeRef = SplitDate(refDate).Annee;
    if (anneeRef == 0)
        return saisi;

    QStringList jetons = saisi.split(u' ');
    for (QString &t : jetons) {
        if (t.isEmpty() || nombresSaisis(t) != t)
            continue;
        const qsizetype k = debutAnnee(t);
        if (t.size() - k > 2)
            continue;
        int annee = anneeRef / 100 * 100 + lireNombre(QStringView(t).sliced(k));
        if (mode == 1 && annee > anneeRef)
            annee -= 100;
        if (mode == 2 && annee < anneeRef)
            annee += 100;
        if (annee >= kAnneeMin && annee <= kAnneeMax)
            t = t.left(k) + QString::number(annee);
    }
    return jetons.join(u' ');
}

QString DateLongue(int jour, int mois, int annee)
{
    if (!IsValidDate(jour, mois, annee))
        return {};
    QString nomJour = NomsJours[DayOfWeek(jour, mois, annee)];
    nomJour[0] = nomJour[0].toUpper();
    return nomJour + u' ' + QString::number(jour) + u' ' + NomsMois[mois] + u' '
            + QString::number(annee);
}

// ---- Comparing and measuring ----------------------------------------------

int CompareDates(const QString &a, const QString &b)
{
    const TDateParts pa = lirePremiereDate(a);
    TDateParts pb = lirePremiereDate(b);
    if (pa.Annee == 0 || pb.Annee == 0) {
        if (pa.Annee == pb.Annee)
            return 0;
        return pb.Annee == 0 ? 1 : 2;
    }
    // A vaguer b is taken as late as it can be within what a states.
    if (pb.Mois == 0 && pa.Mois != 0)
        pb.Mois = 13;
    if (pb.Jour == 0 && pa.Jour != 0)
        pb.Jour = 32;
    const int ka = pa.Annee * 10000 + pa.Mois * 100 + pa.Jour;
    const int kb = pb.Annee * 10000 + pb.Mois * 100 + pb.Jour;
    if (ka == kb)
        return 0;
    return kb < ka ? 1 : 2;
}

int YearsBetween(const QString &a, const QString &b)
{
    TDateParts debut = lirePremiereDate(a);
    TDateParts fin = lirePremiereDate(b);
    if (debut.Annee == 0 || fin.Annee == 0 || debut.Annee == fin.Annee)
        return 0;
    if (debut.Annee > fin.Annee)
        std::swap(debut, fin);
    int ans = fin.Annee - debut.Annee;
    if (debut.Mois != 0 && fin.Mois != 0) {
        if (fin.Mois < debut.Mois
                || (fin.Mois == debut.Mois && debut.Jour != 0 && fin.Jour != 0
                    && fin.Jour < debut.Jour))
            --ans;
    }
    return ans;
}

int DaysBetween(const QString &a, const QString &b)
{
    const double ja = DateToJulianDay(a);
    const double jb = DateToJulianDay(b);
    if (ja == 0 || jb == 0 || ja <= jb)
        return 0;
    return static_cast<int>(ja - jb);
}

int AgeInYears(const QString &text)
{
    return AgeInYears(text, Aujourdhui());
}

int AgeInYears(const QString &text, const QDate &today)
{
    const TDateRange r = SplitDateRange(text);
    const TDateParts p = SplitDate(r.Date2.isEmpty() ? r.Date1 : r.Date2);
    if (p.Annee == 0 || !today.isValid())
        return -1;
    int age = today.year() - p.Annee;
    if (p.Mois != 0
            && (today.month() < p.Mois
                || (today.month() == p.Mois && p.Jour != 0 && today.day() < p.Jour)))
        --age;
    return age < 0 ? -1 : age;
}

// ---- Weekdays -----------------------------------------------------------

int DayOfWeek(int jour, int mois, int annee)
{
    if (!IsValidDate(jour, mois, annee))
        return 7;
    // Julian day 0 began on a Monday.
    return static_cast<int>((jourJulien(jour, mois, annee) + 1) % 7);
}

int DateWeekday(const QString &text)
{
    const TDateParts p = SplitDate(text);
    return DayOfWeek(p.Jour, p.Mois, p.Annee);
}

QString DateWeekdayName(const QString &text)
{
    const int j = DateWeekday(text);
    return j >= 0 && j < 7 ? NomsJours[j] : QString();
}

// ---- Calendars ----------------------------------------------------------

double DateToJulianDay(const QString &text)
{
    const TDateParts p = lirePremiereDate(text);
    return DateToJulianDay(p.Jour, p.Mois, p.Annee);
}

double DateToJulianDay(int jour, int mois, int annee)
{
    if (mois == 0)
        mois = 1;
    if (jour == 0)
        jour = 1;
    if (!IsValidDate(jour, mois, annee))
        return 0;
    // The day numbers count from noon; the day itself begins half a day
    // earlier.
    return static_cast<double>(jourJulien(jour, mois, annee)) - 0.5;
}

QString JulianDayToDate(double jd)
{
    const TDateParts p = JulianDayToParts(jd);
    if (p.Annee == 0)
        return {};
    return QString::number(p.Jour) + u'/' + QString::number(p.Mois) + u'/'
            + QString::number(p.Annee);
}

TDateParts JulianDayToParts(double jd)
{
    // Checked as a real first: a huge or undefined number has no integer.
    if (!std::isfinite(jd) || jd < JourJulienMin || jd >= JourJulienFin)
        return {};
    return dateDuJour(static_cast<std::int64_t>(std::floor(jd + 0.5)));
}

bool LitJourJulien(const QString &texte, double *jd)
{
    QString t = texte.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v) || v < JourJulienMin || v >= JourJulienFin)
        return false;
    *jd = v;
    return true;
}

QString TexteJourJulien(double jd)
{
    return FloatToStr2(jd).rightJustified(10, u' ');
}

TRepublicanDate DateToRepublican(const QString &text)
{
    const TDateParts p = SplitDate(text);
    if (!IsValidDate(p.Jour, p.Mois, p.Annee))
        return {};
    const std::int64_t jd = jourJulien(p.Jour, p.Mois, p.Annee);
    if (jd < kRepDebut || jd >= debutAnRepublicain(kRepAnneeMax + 1))
        return {};
    int an = 1;
    while (jd >= debutAnRepublicain(an + 1))
        ++an;
    const int rang = static_cast<int>(jd - debutAnRepublicain(an));
    return {rang % 30 + 1, rang / 30 + 1, an};
}

int JoursMoisRepublicain(int mois, int annee)
{
    if (annee < 1 || annee > kRepAnneeMax || mois < 1 || mois > 13)
        return 0;
    return mois < 13 ? 30 : (estSextile(annee) ? 6 : 5);
}

double RepublicanToJulianDay(int jour, int mois, int annee)
{
    if (jour < 1 || jour > JoursMoisRepublicain(mois, annee))
        return 0;
    return static_cast<double>(debutAnRepublicain(annee) + (mois - 1) * 30 + jour - 1) - 0.5;
}

QString TTableFetes::Get(int mois, int jour) const
{
    if (mois < 1 || mois > 12 || jour < 1 || jour > 31)
        return QString();
    return m_prenoms[mois - 1][jour - 1];
}

void TTableFetes::Put(int mois, int jour, const QString &prenoms)
{
    if (mois < 1 || mois > 12 || jour < 1 || jour > 31)
        return;
    m_prenoms[mois - 1][jour - 1] = prenoms;
}

void TTableFetes::Clear()
{
    for (auto &mois : m_prenoms) {
        for (QString &jour : mois)
            jour.clear();
    }
}

TTableFetes &TableFetes()
{
    static TTableFetes table;
    return table;
}
