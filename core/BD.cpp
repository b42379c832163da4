#include "BD.h"

#include "Textes.h"

#include <QStringList>

#include <algorithm>
#include <atomic>

namespace {

// Revisions are drawn from one counter for every database of the process:
// a database read from a file, emptied or copied into another never takes a
// number some other state of any database had, so that a view which cached
// what it computed under one number cannot take another content for it.
std::atomic<quint64> g_revisions{0};


TNomsEvenements &nomsCourants()
{
    static TNomsEvenements noms;
    return noms;
}

const std::vector<int> &listeVide()
{
    static const std::vector<int> vide;
    return vide;
}

template <typename T>
const T &enregistrementVide()
{
    static const T vide;
    return vide;
}

// Grows a table so that slot n exists; slot 0 stays unused.
template <typename T>
void assureTaille(std::vector<T> &table, int n)
{
    if (static_cast<int>(table.size()) <= n)
        table.resize(static_cast<size_t>(n) + 1);
}

// Takes a free slot: the first one from the hint, or the one after the
// high-water count when every lower slot is used or appending is forced.
template <typename T>
int prendPlace(std::vector<T> &table, int &compte, int &libre, int capacite, bool ajoutSeul)
{
    int n = 0;
    if (!ajoutSeul) {
        for (int i = std::max(libre, 1); i <= compte; ++i) {
            if (!table[static_cast<size_t>(i)].EnService) {
                n = i;
                break;
            }
        }
    }
    if (n == 0) {
        if (compte >= capacite)
            return 0;
        n = compte + 1;
    }
    assureTaille(table, n);
    compte = std::max(compte, n);
    table[static_cast<size_t>(n)] = T();
    table[static_cast<size_t>(n)].EnService = true;
    if (!ajoutSeul)
        libre = n + 1;
    return n;
}

template <typename T>
bool placeLibre(const std::vector<T> &table, int compte, int libre, int capacite, bool ajoutSeul)
{
    if (compte < capacite)
        return true;
    if (ajoutSeul)
        return false;
    for (int i = std::max(libre, 1); i <= compte; ++i) {
        if (!table[static_cast<size_t>(i)].EnService)
            return true;
    }
    return false;
}

bool memeType(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void retireValeur(std::vector<int> &liste, int valeur)
{
    const auto it = std::lower_bound(liste.begin(), liste.end(), valeur);
    if (it != liste.end() && *it == valeur)
        liste.erase(it);
}

// One entry of a user-defined fields text.
struct Champ {
    QString Genre;
    QString Nom;
    QString Valeur;
};

// Splits "kind|label|value|..." into entries; an unfinished tail is kept as
// raw text so that rewriting the fields loses nothing.
std::vector<Champ> decoupeChamps(const QString &texte, QString *reste)
{
    std::vector<Champ> champs;
    const QStringList morceaux = texte.split(QLatin1Char('|'));
    // The text ends with "|", so the last piece is what follows it.
    const qsizetype complets = (morceaux.size() - 1) / 3;
    for (qsizetype i = 0; i < complets; ++i)
        champs.push_back({morceaux[3 * i], morceaux[3 * i + 1], morceaux[3 * i + 2]});
    if (reste) {
        QStringList queue = morceaux.mid(3 * complets);
        *reste = queue.join(QLatin1Char('|'));
    }
    return champs;
}

} // namespace

const TNomsEvenements &NomsEvenements()
{
    return nomsCourants();
}

void SetNomsEvenements(const TNomsEvenements &noms)
{
    nomsCourants() = noms;
}

QString PrenomUsuel(const QString &prenoms)
{
    const qsizetype guillemet = prenoms.indexOf(QLatin1Char('"'));
    if (guillemet >= 0) {
        const qsizetype fin = prenoms.indexOf(QLatin1Char('"'), guillemet + 1);
        if (fin > guillemet)
            return prenoms.mid(guillemet + 1, fin - guillemet - 1).trimmed();
    }
    const QStringView texte = QStringView(prenoms).trimmed();
    qsizetype i = 0;
    while (i < texte.size() && texte[i] != QLatin1Char(',') && texte[i] != QLatin1Char(' '))
        ++i;
    // A single given name is the common case: shared, not copied.
    if (i == prenoms.size())
        return prenoms;
    return texte.left(i).toString();
}

TBD::TBD()
{
    Clear();
}

void TBD::Clear()
{
    m_revision = ++g_revisions;
    m_fiches.assign(1, TFiche());
    m_unions.assign(1, TUnion());
    m_eves.assign(1, TEve());
    m_srcs.assign(1, TSrc());
    m_nbPers = m_nbUnions = m_nbEve = m_nbSrc = 0;
    m_librePers = m_libreUnion = m_libreEve = m_libreSrc = 1;
    m_ajoutSeul = false;
    m_enfants.clear();
    m_unionsDe.clear();
    m_indexAJour = true;
}

// ---- Records in place ---------------------------------------------------

const TFiche &TBD::Fiche(int p) const
{
    if (p < 1 || p > m_nbPers)
        return enregistrementVide<TFiche>();
    return m_fiches[static_cast<size_t>(p)];
}

const TUnion &TBD::Union(int u) const
{
    if (u < 1 || u > m_nbUnions)
        return enregistrementVide<TUnion>();
    return m_unions[static_cast<size_t>(u)];
}

const TEve &TBD::Event(int e) const
{
    if (e < 1 || e > m_nbEve)
        return enregistrementVide<TEve>();
    return m_eves[static_cast<size_t>(e)];
}

const TSrc &TBD::Source(int s) const
{
    if (s < 1 || s > m_nbSrc)
        return enregistrementVide<TSrc>();
    return m_srcs[static_cast<size_t>(s)];
}

TFiche *TBD::FicheModif(int p)
{
    m_revision = ++g_revisions;
    if (p < 1 || p > m_nbPers || !m_fiches[static_cast<size_t>(p)].EnService)
        return nullptr;
    return &m_fiches[static_cast<size_t>(p)];
}

TUnion *TBD::UnionModif(int u)
{
    m_revision = ++g_revisions;
    if (u < 1 || u > m_nbUnions || !m_unions[static_cast<size_t>(u)].EnService)
        return nullptr;
    return &m_unions[static_cast<size_t>(u)];
}

TEve *TBD::EveModif(int e)
{
    m_revision = ++g_revisions;
    if (e < 1 || e > m_nbEve || !m_eves[static_cast<size_t>(e)].EnService)
        return nullptr;
    return &m_eves[static_cast<size_t>(e)];
}

bool TBD::PlaceFiche(int p, TFiche f)
{
    m_revision = ++g_revisions;
    if (p < 1 || p > MaxPersonnes)
        return false;
    assureTaille(m_fiches, p);
    const bool enService = f.EnService;
    m_fiches[static_cast<size_t>(p)] = std::move(f);
    m_nbPers = std::max(m_nbPers, p);
    if (!enService)
        m_librePers = std::min(m_librePers, p);
    m_indexAJour = false;
    return true;
}

bool TBD::PlaceUnion(int u, TUnion un)
{
    m_revision = ++g_revisions;
    if (u < 1 || u > MaxUnions)
        return false;
    assureTaille(m_unions, u);
    const bool enService = un.EnService;
    m_unions[static_cast<size_t>(u)] = std::move(un);
    m_nbUnions = std::max(m_nbUnions, u);
    if (!enService)
        m_libreUnion = std::min(m_libreUnion, u);
    m_indexAJour = false;
    return true;
}

bool TBD::PlaceEvent(int e, TEve ev)
{
    m_revision = ++g_revisions;
    if (e < 1 || e > MaxEvenements)
        return false;
    assureTaille(m_eves, e);
    const bool enService = ev.EnService;
    m_eves[static_cast<size_t>(e)] = std::move(ev);
    m_nbEve = std::max(m_nbEve, e);
    if (!enService)
        m_libreEve = std::min(m_libreEve, e);
    return true;
}

bool TBD::PlaceSource(int s, TSrc src)
{
    if (s < 1 || s > MaxSources)
        return false;
    assureTaille(m_srcs, s);
    const bool enService = src.EnService;
    m_srcs[static_cast<size_t>(s)] = std::move(src);
    m_nbSrc = std::max(m_nbSrc, s);
    if (!enService)
        m_libreSrc = std::min(m_libreSrc, s);
    return true;
}

namespace {

template <typename T>
void reserve(std::vector<T> &table, int n, int capacite)
{
    table.reserve(static_cast<size_t>(std::clamp(n, 0, capacite)) + 1);
}

} // namespace

void TBD::ReservePersons(int n)
{
    reserve(m_fiches, n, MaxPersonnes);
}

void TBD::ReserveUnions(int n)
{
    reserve(m_unions, n, MaxUnions);
}

void TBD::ReserveEvents(int n)
{
    reserve(m_eves, n, MaxEvenements);
}

void TBD::ReserveSources(int n)
{
    reserve(m_srcs, n, MaxSources);
}

// ---- Indexes ---------------------------------------------------------------

void TBD::Relie(std::vector<std::vector<int>> &index, int cle, int valeur)
{
    if (cle < 1 || cle > MaxPersonnes)
        return;
    assureTaille(index, cle);
    auto &liste = index[static_cast<size_t>(cle)];
    const auto it = std::lower_bound(liste.begin(), liste.end(), valeur);
    if (it == liste.end() || *it != valeur)
        liste.insert(it, valeur);
}

void TBD::DelieEnfant(int parent, int enfant)
{
    if (parent < 1 || parent >= static_cast<int>(m_enfants.size()))
        return;
    // A person recorded as both father and mother stays a child of p until
    // both links are gone.
    const TFiche &f = m_fiches[static_cast<size_t>(enfant)];
    if (f.Pere == parent || f.Mere == parent)
        return;
    retireValeur(m_enfants[static_cast<size_t>(parent)], enfant);
}

void TBD::DelieUnion(int personne, int u)
{
    if (personne < 1 || personne >= static_cast<int>(m_unionsDe.size()))
        return;
    const TUnion &un = m_unions[static_cast<size_t>(u)];
    if (un.Mari == personne || un.Femme == personne)
        return;
    retireValeur(m_unionsDe[static_cast<size_t>(personne)], u);
}

void TBD::AssureIndex() const
{
    if (m_indexAJour)
        return;
    m_enfants.clear();
    m_unionsDe.clear();
    // Walking the slots in ascending order appends every value at the end of
    // its list, which keeps the lists sorted without searching.
    for (int p = 1; p <= m_nbPers; ++p) {
        const TFiche &f = m_fiches[static_cast<size_t>(p)];
        if (!f.EnService)
            continue;
        Relie(m_enfants, f.Pere, p);
        Relie(m_enfants, f.Mere, p);
    }
    for (int u = 1; u <= m_nbUnions; ++u) {
        const TUnion &un = m_unions[static_cast<size_t>(u)];
        if (!un.EnService)
            continue;
        Relie(m_unionsDe, un.Mari, u);
        Relie(m_unionsDe, un.Femme, u);
    }
    m_indexAJour = true;
}

const std::vector<int> &TBD::IndexEnfants(int p) const
{
    AssureIndex();
    if (p < 1 || p >= static_cast<int>(m_enfants.size()))
        return listeVide();
    return m_enfants[static_cast<size_t>(p)];
}

const std::vector<int> &TBD::IndexUnions(int p) const
{
    AssureIndex();
    if (p < 1 || p >= static_cast<int>(m_unionsDe.size()))
        return listeVide();
    return m_unionsDe[static_cast<size_t>(p)];
}

// ---- Persons ---------------------------------------------------------------

bool TBD::PersonInUse(int p) const
{
    return p >= 1 && p <= m_nbPers && m_fiches[static_cast<size_t>(p)].EnService;
}

int TBD::PrevPerson(int p) const
{
    for (int i = std::min(p - 1, m_nbPers); i >= 1; --i) {
        if (m_fiches[static_cast<size_t>(i)].EnService)
            return i;
    }
    return 0;
}

int TBD::NextPerson(int p) const
{
    for (int i = std::max(p + 1, 1); i <= m_nbPers; ++i) {
        if (m_fiches[static_cast<size_t>(i)].EnService)
            return i;
    }
    return 0;
}

bool TBD::CanAddPerson() const
{
    return placeLibre(m_fiches, m_nbPers, m_librePers, MaxPersonnes, m_ajoutSeul);
}

bool TBD::CanAddUnion() const
{
    return placeLibre(m_unions, m_nbUnions, m_libreUnion, MaxUnions, m_ajoutSeul);
}

int TBD::NewPerson()
{
    m_revision = ++g_revisions;
    return prendPlace(m_fiches, m_nbPers, m_librePers, MaxPersonnes, m_ajoutSeul);
}

void TBD::ClearPerson(int p)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return;
    const int pere = f->Pere;
    const int mere = f->Mere;
    for (int e : f->Evenements)
        ClearEvent(e);
    *f = TFiche();
    if (m_indexAJour) {
        DelieEnfant(pere, p);
        DelieEnfant(mere, p);
    }
    m_librePers = std::min(m_librePers, p);
}

void TBD::DeletePerson(int p)
{
    if (!PersonInUse(p))
        return;
    const std::vector<int> enfants = IndexEnfants(p);
    for (int c : enfants) {
        if (Father(c) == p)
            SetFather(c, 0);
        if (Mother(c) == p)
            SetMother(c, 0);
    }
    const std::vector<int> unions = IndexUnions(p);
    for (int u : unions) {
        if (Husband(u) == p)
            SetHusband(u, 0);
        if (Wife(u) == p)
            SetWife(u, 0);
    }
    ClearPerson(p);
}

int TBD::Sex(int p) const
{
    return PersonInUse(p) ? Fiche(p).Sexe : SexeInconnu;
}

bool TBD::SetSex(int p, int sexe)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    f->Sexe = (sexe == SexeHomme || sexe == SexeFemme) ? sexe : SexeInconnu;
    return true;
}

QString TBD::Surname(int p) const
{
    return Fiche(p).Nom;
}

bool TBD::SetSurname(int p, const QString &nom)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    f->Nom = nom;
    return true;
}

QString TBD::GivenNames(int p) const
{
    return Fiche(p).Prenoms;
}

bool TBD::SetGivenNames(int p, const QString &prenoms)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    f->Prenoms = prenoms;
    return true;
}

QString TBD::FullName(int p) const
{
    if (p < 1 || p > m_nbPers)
        return QString();
    // The blank stays when a part is empty: a surname alone and a given name
    // alone must not read the same ("Unknown " is not " Unknown").
    const TFiche &f = Fiche(p);
    return f.Nom + QLatin1Char(' ') + PrenomUsuel(f.Prenoms);
}

int TBD::Father(int p) const
{
    return Fiche(p).Pere;
}

int TBD::Mother(int p) const
{
    return Fiche(p).Mere;
}

bool TBD::SetFather(int p, int n)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    const int ancien = f->Pere;
    f->Pere = n;
    if (m_indexAJour && ancien != n) {
        DelieEnfant(ancien, p);
        Relie(m_enfants, n, p);
    }
    return true;
}

bool TBD::SetMother(int p, int n)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    const int ancien = f->Mere;
    f->Mere = n;
    if (m_indexAJour && ancien != n) {
        DelieEnfant(ancien, p);
        Relie(m_enfants, n, p);
    }
    return true;
}

int TBD::FatherLinkStatus(int p) const
{
    return Fiche(p).StatutPere;
}

int TBD::MotherLinkStatus(int p) const
{
    return Fiche(p).StatutMere;
}

bool TBD::SetFatherLinkStatus(int p, int statut)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    f->StatutPere = (statut >= 0 && statut <= 3) ? statut : 0;
    return true;
}

bool TBD::SetMotherLinkStatus(int p, int statut)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    f->StatutMere = (statut >= 0 && statut <= 3) ? statut : 0;
    return true;
}

int TBD::TreeFold(int p) const
{
    return Fiche(p).Plie;
}

bool TBD::SetTreeFold(int p, int plie)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    f->Plie = plie;
    return true;
}

namespace {

// Event type and field of the person field codes 6 to 17.
bool champEvenement(int code, QString *type, int *champ)
{
    if (code < PcNaissanceDate || code > PcInhumationNote)
        return false;
    const TNomsEvenements &noms = NomsEvenements();
    const QString *types[] = {&noms.Naissance, &noms.Bapteme, &noms.Deces, &noms.Inhumation};
    const int rang = code - PcNaissanceDate;
    *type = *types[rang / 3];
    static const int champs[] = {EveDate, EveLieu, EveNote};
    *champ = champs[rang % 3];
    return true;
}

QString lettreSexe(int sexe)
{
    switch (sexe) {
    case SexeHomme:
        return QStringLiteral("H");
    case SexeFemme:
        return QStringLiteral("F");
    default:
        return QStringLiteral("I");
    }
}

} // namespace

QString TBD::GetField(int p, int code) const
{
    if (!PersonInUse(p))
        return QString();
    const TFiche &f = Fiche(p);
    QString type;
    int champ = 0;
    if (champEvenement(code, &type, &champ))
        return GetPersonEventByType(p, type, champ);
    switch (code) {
    case PcSexe:
        return lettreSexe(f.Sexe);
    case PcNumero:
        return QString::number(p);
    case PcNom:
        return f.Nom;
    case PcPrenoms:
        return f.Prenoms;
    case PcPere:
        return QString::number(f.Pere);
    case PcMere:
        return QString::number(f.Mere);
    case PcNote:
        return f.Note;
    case PcStatutPere:
        return QString::number(f.StatutPere);
    case PcStatutMere:
        return QString::number(f.StatutMere);
    case PcCreation:
        return f.Creation;
    case PcModification:
        return f.Modification;
    case PcChamps:
        return f.Champs;
    case PcPlie:
        return QString::number(f.Plie);
    case PcNomComplet:
        return f.Nom + QLatin1Char(' ') + f.Prenoms;
    case PcNumerotation:
        return f.Numerotation;
    case PcProfession:
        return Profession(p);
    case PcPrenomUsuel:
        return PrenomUsuel(f.Prenoms);
    default:
        return QString();
    }
}

bool TBD::SetField(int p, int code, const QString &texte)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    QString type;
    int champ = 0;
    if (champEvenement(code, &type, &champ))
        return SetPersonEventByType(p, type, texte, champ);
    switch (code) {
    case PcSexe: {
        const QString t = texte.trimmed().toUpper();
        f->Sexe = t == u"H" ? SexeHomme : t == u"F" ? SexeFemme : SexeInconnu;
        return true;
    }
    case PcNom:
        f->Nom = texte;
        return true;
    case PcPrenoms:
        f->Prenoms = texte;
        return true;
    case PcPere:
        return SetFather(p, texte.trimmed().toInt());
    case PcMere:
        return SetMother(p, texte.trimmed().toInt());
    case PcNote:
        f->Note = texte;
        return true;
    case PcStatutPere:
        return SetFatherLinkStatus(p, texte.trimmed().toInt());
    case PcStatutMere:
        return SetMotherLinkStatus(p, texte.trimmed().toInt());
    case PcCreation:
        f->Creation = texte;
        return true;
    case PcModification:
        f->Modification = texte;
        return true;
    case PcChamps:
        f->Champs = texte;
        return true;
    case PcPlie:
        f->Plie = texte.trimmed().toInt();
        return true;
    case PcNumerotation:
        f->Numerotation = texte;
        return true;
    case PcProfession:
        return SetAttribute(p, NomsEvenements().Profession, texte);
    default:
        return false;
    }
}

QString TBD::BirthDate(int p) const
{
    return GetPersonEventByType(p, NomsEvenements().Naissance, EveDate);
}

bool TBD::SetBirthDate(int p, const QString &date)
{
    return SetPersonEventByType(p, NomsEvenements().Naissance, date, EveDate);
}

QString TBD::DeathDate(int p) const
{
    return GetPersonEventByType(p, NomsEvenements().Deces, EveDate);
}

QString TBD::BirthPlace(int p) const
{
    return GetPersonEventByType(p, NomsEvenements().Naissance, EveLieu);
}

QString TBD::DeathPlace(int p) const
{
    return GetPersonEventByType(p, NomsEvenements().Deces, EveLieu);
}

QString TBD::Profession(int p) const
{
    return GetAttribute(p, NomsEvenements().Profession);
}

QString TBD::GetAttribute(int p, const QString &nom) const
{
    const TFiche &f = Fiche(p);
    if (f.Champs.isEmpty())
        return QString();
    for (const Champ &c : decoupeChamps(f.Champs, nullptr)) {
        if (c.Nom.compare(nom, Qt::CaseInsensitive) == 0)
            return c.Valeur;
    }
    return QString();
}

bool TBD::SetAttribute(int p, const QString &nom, const QString &valeur)
{
    TFiche *f = FicheModif(p);
    if (!f || nom.isEmpty())
        return false;
    const QString sain = SansSeparateur(valeur);
    const QString nomSain = SansSeparateur(nom);

    QString reste;
    std::vector<Champ> champs = decoupeChamps(f->Champs, &reste);
    auto it = std::find_if(champs.begin(), champs.end(), [&](const Champ &c) {
        return c.Nom.compare(nomSain, Qt::CaseInsensitive) == 0;
    });
    if (sain.isEmpty()) {
        if (it == champs.end())
            return true;
        champs.erase(it);
    } else if (it != champs.end()) {
        it->Valeur = sain;
    } else {
        champs.push_back({QStringLiteral("t"), nomSain, sain});
    }
    QString texte;
    for (const Champ &c : champs)
        texte += c.Genre + QLatin1Char('|') + c.Nom + QLatin1Char('|') + c.Valeur + QLatin1Char('|');
    f->Champs = texte + reste;
    return true;
}

// ---- Unions ----------------------------------------------------------------

bool TBD::UnionInUse(int u) const
{
    return u >= 1 && u <= m_nbUnions && m_unions[static_cast<size_t>(u)].EnService;
}

int TBD::NewUnion()
{
    m_revision = ++g_revisions;
    return prendPlace(m_unions, m_nbUnions, m_libreUnion, MaxUnions, m_ajoutSeul);
}

int TBD::NewUnionOf(int a, int b)
{
    const int u = NewUnion();
    if (u == 0)
        return 0;
    if (Sex(a) == SexeFemme) {
        SetHusband(u, b);
        SetWife(u, a);
    } else {
        SetHusband(u, a);
        SetWife(u, b);
    }
    return u;
}

void TBD::ClearUnion(int u)
{
    TUnion *un = UnionModif(u);
    if (!un)
        return;
    const int mari = un->Mari;
    const int femme = un->Femme;
    for (int e : un->Evenements)
        ClearEvent(e);
    *un = TUnion();
    if (m_indexAJour) {
        DelieUnion(mari, u);
        DelieUnion(femme, u);
    }
    m_libreUnion = std::min(m_libreUnion, u);
}

bool TBD::CheckUnion(int u) const
{
    return UnionInUse(u) && Union(u).Mari != 0 && Union(u).Femme != 0;
}

int TBD::Husband(int u) const
{
    return Union(u).Mari;
}

bool TBD::SetHusband(int u, int p)
{
    TUnion *un = UnionModif(u);
    if (!un)
        return false;
    const int ancien = un->Mari;
    un->Mari = p;
    if (m_indexAJour && ancien != p) {
        DelieUnion(ancien, u);
        Relie(m_unionsDe, p, u);
    }
    return true;
}

int TBD::Wife(int u) const
{
    return Union(u).Femme;
}

bool TBD::SetWife(int u, int p)
{
    TUnion *un = UnionModif(u);
    if (!un)
        return false;
    const int ancien = un->Femme;
    un->Femme = p;
    if (m_indexAJour && ancien != p) {
        DelieUnion(ancien, u);
        Relie(m_unionsDe, p, u);
    }
    return true;
}

QString TBD::GetUnionField(int u, int code) const
{
    if (!UnionInUse(u))
        return QString();
    const TNomsEvenements &noms = NomsEvenements();
    switch (code) {
    case UcMari:
        return QString::number(Union(u).Mari);
    case UcFemme:
        return QString::number(Union(u).Femme);
    case UcMariageDate:
        return GetUnionEventByType(u, noms.Mariage, EveDate);
    case UcDivorceDate:
        return GetUnionEventByType(u, noms.Divorce, EveDate);
    case UcMariageLieu:
        return GetUnionEventByType(u, noms.Mariage, EveLieu);
    case UcDivorceLieu:
        return GetUnionEventByType(u, noms.Divorce, EveLieu);
    case UcMariageNote:
        return GetUnionEventByType(u, noms.Mariage, EveNote);
    default:
        return QString();
    }
}

bool TBD::SetUnionField(int u, int code, const QString &texte)
{
    if (!UnionInUse(u))
        return false;
    const TNomsEvenements &noms = NomsEvenements();
    switch (code) {
    case UcMari:
        return SetHusband(u, texte.trimmed().toInt());
    case UcFemme:
        return SetWife(u, texte.trimmed().toInt());
    case UcMariageDate:
        return SetUnionEventByType(u, noms.Mariage, texte, EveDate);
    case UcDivorceDate:
        return SetUnionEventByType(u, noms.Divorce, texte, EveDate);
    case UcMariageLieu:
        return SetUnionEventByType(u, noms.Mariage, texte, EveLieu);
    case UcDivorceLieu:
        return SetUnionEventByType(u, noms.Divorce, texte, EveLieu);
    case UcMariageNote:
        return SetUnionEventByType(u, noms.Mariage, texte, EveNote);
    default:
        return false;
    }
}

QString TBD::MarriageDate(int u) const
{
    return GetUnionEventByType(u, NomsEvenements().Mariage, EveDate);
}

// ---- Events ----------------------------------------------------------------

bool TBD::EventInUse(int e) const
{
    return e >= 1 && e <= m_nbEve && m_eves[static_cast<size_t>(e)].EnService;
}

QString TBD::EventField(int e, int champ) const
{
    const TEve &ev = Event(e);
    switch (champ) {
    case EveType:
        return ev.Type;
    case EveDate:
        return ev.Date;
    case EveHeure:
        return ev.Heure;
    case EveLieu:
        return ev.Lieu;
    case EveNote:
        return ev.Note;
    case EveQualite:
        return e >= 1 && e <= m_nbEve ? ev.Qualite : QString();
    default:
        return QString();
    }
}

bool TBD::SetEventField(int e, int champ, const QString &texte)
{
    TEve *ev = EveModif(e);
    if (!ev)
        return false;
    switch (champ) {
    case EveType:
        ev->Type = texte;
        return true;
    case EveDate:
        ev->Date = texte;
        return true;
    case EveHeure:
        ev->Heure = texte;
        return true;
    case EveLieu:
        ev->Lieu = texte;
        return true;
    case EveNote:
        ev->Note = texte;
        return true;
    case EveQualite:
        ev->Qualite = texte;
        return true;
    default:
        return false;
    }
}

void TBD::ClearEvent(int e)
{
    m_revision = ++g_revisions;
    if (e < 1 || e > m_nbEve)
        return;
    m_eves[static_cast<size_t>(e)] = TEve();
    m_libreEve = std::min(m_libreEve, e);
}

bool TBD::CopyEvent(int source, int cible)
{
    m_revision = ++g_revisions;
    if (!EventInUse(source) || !EventInUse(cible))
        return false;
    m_eves[static_cast<size_t>(cible)] = m_eves[static_cast<size_t>(source)];
    return true;
}

int TBD::NouvelEvenement()
{
    m_revision = ++g_revisions;
    return prendPlace(m_eves, m_nbEve, m_libreEve, MaxEvenements, m_ajoutSeul);
}

int TBD::EvenementParType(const std::vector<int> &liste, const QString &type) const
{
    for (int e : liste) {
        if (EventInUse(e) && memeType(m_eves[static_cast<size_t>(e)].Type, type))
            return e;
    }
    return 0;
}

bool TBD::SetEventByType(std::vector<int> &liste, const QString &type, const QString &texte, int champ)
{
    int e = EvenementParType(liste, type);
    if (e == 0) {
        if (texte.isEmpty())
            return true;
        e = NouvelEvenement();
        if (e == 0)
            return false;
        m_eves[static_cast<size_t>(e)].Type = type;
        liste.push_back(e);
    }
    return SetEventField(e, champ, texte);
}

namespace {

int entree(const std::vector<int> &liste, int i)
{
    if (i < 1 || i > static_cast<int>(liste.size()))
        return 0;
    return liste[static_cast<size_t>(i - 1)];
}

} // namespace

int TBD::PersonEventCount(int p) const
{
    return static_cast<int>(Fiche(p).Evenements.size());
}

int TBD::PersonEventNumber(int p, int i) const
{
    return entree(Fiche(p).Evenements, i);
}

QString TBD::GetPersonEventField(int p, int i, int champ) const
{
    return EventField(PersonEventNumber(p, i), champ);
}

bool TBD::SetPersonEventField(int p, int i, const QString &texte, int champ)
{
    if (!PersonInUse(p))
        return false;
    return SetEventField(PersonEventNumber(p, i), champ, texte);
}

QString TBD::GetPersonEventByType(int p, const QString &type, int champ) const
{
    return EventField(EvenementParType(Fiche(p).Evenements, type), champ);
}

bool TBD::SetPersonEventByType(int p, const QString &type, const QString &texte, int champ)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return false;
    return SetEventByType(f->Evenements, type, texte, champ);
}

int TBD::AddPersonEvent(int p)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return 0;
    const int e = NouvelEvenement();
    if (e != 0)
        f->Evenements.push_back(e);
    return e;
}

void TBD::RemovePersonEvent(int p, int i)
{
    const int e = PersonEventNumber(p, i);
    DetachPersonEvent(p, i);
    ClearEvent(e);
}

void TBD::DetachPersonEvent(int p, int i)
{
    TFiche *f = FicheModif(p);
    if (!f || i < 1 || i > static_cast<int>(f->Evenements.size()))
        return;
    f->Evenements.erase(f->Evenements.begin() + (i - 1));
}

bool TBD::AttachPersonEvent(int p, int e)
{
    TFiche *f = FicheModif(p);
    if (!f || !EventInUse(e))
        return false;
    f->Evenements.push_back(e);
    return true;
}

int TBD::UnionEventCount(int u) const
{
    return static_cast<int>(Union(u).Evenements.size());
}

int TBD::UnionEventNumber(int u, int i) const
{
    return entree(Union(u).Evenements, i);
}

QString TBD::GetUnionEventField(int u, int i, int champ) const
{
    return EventField(UnionEventNumber(u, i), champ);
}

bool TBD::SetUnionEventField(int u, int i, const QString &texte, int champ)
{
    if (!UnionInUse(u))
        return false;
    return SetEventField(UnionEventNumber(u, i), champ, texte);
}

QString TBD::GetUnionEventByType(int u, const QString &type, int champ) const
{
    return EventField(EvenementParType(Union(u).Evenements, type), champ);
}

bool TBD::SetUnionEventByType(int u, const QString &type, const QString &texte, int champ)
{
    TUnion *un = UnionModif(u);
    if (!un)
        return false;
    return SetEventByType(un->Evenements, type, texte, champ);
}

int TBD::AddUnionEvent(int u)
{
    TUnion *un = UnionModif(u);
    if (!un)
        return 0;
    const int e = NouvelEvenement();
    if (e != 0)
        un->Evenements.push_back(e);
    return e;
}

void TBD::RemoveUnionEvent(int u, int i)
{
    const int e = UnionEventNumber(u, i);
    DetachUnionEvent(u, i);
    ClearEvent(e);
}

void TBD::DetachUnionEvent(int u, int i)
{
    TUnion *un = UnionModif(u);
    if (!un || i < 1 || i > static_cast<int>(un->Evenements.size()))
        return;
    un->Evenements.erase(un->Evenements.begin() + (i - 1));
}

bool TBD::AttachUnionEvent(int u, int e)
{
    TUnion *un = UnionModif(u);
    if (!un || !EventInUse(e))
        return false;
    un->Evenements.push_back(e);
    return true;
}

// ---- Sources ---------------------------------------------------------------

bool TBD::SourceInUse(int s) const
{
    return s >= 1 && s <= m_nbSrc && m_srcs[static_cast<size_t>(s)].EnService;
}

int TBD::NewSource()
{
    // The append-only mode concerns persons, unions and events only.
    return prendPlace(m_srcs, m_nbSrc, m_libreSrc, MaxSources, false);
}

QString TBD::SourceField(int s, int champ) const
{
    const TSrc &src = Source(s);
    switch (champ) {
    case SrcTitre:
        return src.Titre;
    case SrcGenre:
        return src.Genre;
    case SrcNote:
        return src.Note;
    case SrcFichier:
        return src.Fichier;
    case SrcNumero:
        return QString::number(s);
    case SrcCheminSeul:
        return src.Fichier.section(QLatin1Char('|'), 0, 0);
    default:
        return QString();
    }
}

bool TBD::SetSourceField(int s, int champ, const QString &texte)
{
    if (!SourceInUse(s))
        return false;
    TSrc &src = m_srcs[static_cast<size_t>(s)];
    switch (champ) {
    case SrcTitre:
        src.Titre = texte;
        return true;
    case SrcGenre:
        src.Genre = texte;
        return true;
    case SrcNote:
        src.Note = texte;
        return true;
    case SrcFichier:
        src.Fichier = texte;
        return true;
    default:
        return false;
    }
}

int TBD::PersonSourceCount(int p) const
{
    return static_cast<int>(Fiche(p).Sources.size());
}

int TBD::PersonSourceNumber(int p, int i) const
{
    return entree(Fiche(p).Sources, i);
}

QString TBD::GetPersonSourceField(int p, int i, int champ) const
{
    const int s = PersonSourceNumber(p, i);
    if (s == 0)
        return QString();
    return SourceField(s, champ);
}

int TBD::AddPersonSource(int p)
{
    TFiche *f = FicheModif(p);
    if (!f)
        return 0;
    const int s = NewSource();
    if (s != 0)
        f->Sources.push_back(s);
    return s;
}

bool TBD::LinkSource(int p, int s)
{
    TFiche *f = FicheModif(p);
    if (!f || !SourceInUse(s))
        return false;
    if (std::find(f->Sources.begin(), f->Sources.end(), s) != f->Sources.end())
        return false;
    f->Sources.push_back(s);
    return true;
}

void TBD::RemovePersonSource(int p, int i)
{
    TFiche *f = FicheModif(p);
    if (!f || i < 1 || i > static_cast<int>(f->Sources.size()))
        return;
    f->Sources.erase(f->Sources.begin() + (i - 1));
}

// ---- Raw event slots -------------------------------------------------------

bool TBD::SetEventInUse(int e, bool enService)
{
    m_revision = ++g_revisions;
    if (e < 1 || e > m_nbEve)
        return false;
    m_eves[static_cast<size_t>(e)].EnService = enService;
    if (!enService)
        m_libreEve = std::min(m_libreEve, e);
    return true;
}

bool TBD::CanAddEvent() const
{
    return placeLibre(m_eves, m_nbEve, m_libreEve, MaxEvenements, m_ajoutSeul);
}
