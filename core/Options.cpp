#include "Options.h"

#include <limits>
#include <map>

#include "Ini.h"
#include "Langue.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

TOptions &Options()
{
    static TOptions options;
    return options;
}

TReglages &Reglages()
{
    static TReglages reglages;
    return reglages;
}

TReglagesStat &ReglagesStat()
{
    static TReglagesStat stat;
    return stat;
}

// Without a language file both texts would be empty and every proposed
// event would fall in both kinds: the French words stand in for them.
QString DefinitionChamps(const std::vector<TChampPropose> &champs)
{
    QString definitions;
    for (const TChampPropose &c : champs) {
        const QString nom = c.Nom.trimmed();
        if (c.PourTous && !nom.isEmpty())
            definitions += u"t|"_s + SansSeparateur(nom) + u"||"_s;
    }
    return definitions;
}

void ProposeChamp(std::vector<TChampPropose> &champs, const QString &nom, bool pourTous)
{
    for (TChampPropose &c : champs) {
        if (c.Nom.compare(nom, Qt::CaseInsensitive) == 0) {
            c.PourTous = pourTous;
            return;
        }
    }
    champs.push_back({pourTous, nom, QString()});
}

QString GenreEveIndividu()
{
    const QString texte = MLText(707);
    return texte.isEmpty() ? u"Individu"_s : texte;
}

QString GenreEveUnion()
{
    const QString texte = MLText(708);
    return texte.isEmpty() ? u"Union"_s : texte;
}

namespace {

const QString SectionGene = u"gene"_s;
const QString SectionStat = u"gene\\Stat"_s;
const QString SectionCarte = u"Carte"_s;
const QString SectionOptions = u"Options"_s;
const QString SectionEvenements = u"Evenements"_s;
const QString SectionChamps = u"Champs"_s;
const QString SectionSources = u"Sources"_s;
const QString CleNombre = u"Nombre"_s;

std::vector<TEvePropose> EvenementsParDefaut()
{
    const QString ind = GenreEveIndividu();
    const QString uni = GenreEveUnion();
    return {
        {ind, u"Naissance"_s, u"BIRT"_s},
        {ind, u"Baptême"_s, u"BAPM"_s},
        {ind, u"Décès"_s, u"DEAT"_s},
        {ind, u"Inhumation"_s, u"BURI"_s},
        {ind, u"Crémation"_s, u"CREM"_s},
        {ind, u"Profession"_s, u"OCCU"_s},
        {ind, u"Résidence"_s, u"RESI"_s},
        {ind, u"Confirmation"_s, u"CONF"_s},
        {ind, u"Première communion"_s, u"FCOM"_s},
        {ind, u"Testament"_s, u"WILL"_s},
        {ind, u"Recensement"_s, u"CENS"_s},
        {ind, u"Émigration"_s, u"EMIG"_s},
        {ind, u"Immigration"_s, u"IMMI"_s},
        {ind, u"Naturalisation"_s, u"NATU"_s},
        {ind, u"Service militaire"_s, u"_MILT"_s},
        {ind, u"Diplôme"_s, u"GRAD"_s},
        {ind, u"Retraite"_s, u"RETI"_s},
        {uni, u"Mariage"_s, u"MARR"_s},
        {uni, u"Divorce"_s, u"DIV"_s},
        {uni, u"Contrat de mariage"_s, u"MARC"_s},
        {uni, u"Fiançailles"_s, u"ENGA"_s},
        {uni, u"Publication des bans"_s, u"MARB"_s},
    };
}

std::vector<TChampPropose> ChampsParDefaut()
{
    return {
        {true, u"Profession"_s, u"OCCU"_s},
        {false, u"Titre"_s, u"TITL"_s},
        {false, u"Religion"_s, u"RELI"_s},
        {false, u"Nationalité"_s, u"NATI"_s},
        {false, u"Surnom"_s, u"NICK"_s},
        {false, u"Description physique"_s, u"DSCR"_s},
        {false, u"Études"_s, u"EDUC"_s},
    };
}

QStringList SourcesParDefaut()
{
    return {u"Acte de naissance"_s, u"Acte de baptême"_s, u"Acte de mariage"_s,
            u"Acte de décès"_s,     u"Photo"_s,           u"Photo de l'arbre"_s,
            u"Recensement"_s,       u"Document"_s,        u"Son"_s,
            u"Vidéo"_s};
}

void LitEntier(const TIniFile &ini, const QString &section, const QString &cle, int &valeur,
               int min, int max)
{
    // Values out of range are treated as unreadable: a zoom of 0 or a step
    // of 0 would break the windows that use them.
    const int lu = ini.ReadInteger(section, cle, valeur);
    if (lu >= min && lu <= max)
        valeur = lu;
}

void LitEntier(const TIniFile &ini, const QString &section, const QString &cle, int &valeur,
               TBornes bornes)
{
    LitEntier(ini, section, cle, valeur, bornes.Min, bornes.Max);
}

void LitBool(const TIniFile &ini, const QString &section, const QString &cle, bool &valeur)
{
    valeur = ini.ReadBool(section, cle, valeur);
}

void LitTexte(const TIniFile &ini, const QString &section, const QString &cle, QString &valeur)
{
    if (ini.ValueExists(section, cle))
        valeur = ini.ReadString(section, cle, valeur);
}

// The rows of a list section, in the order of their numbers. Keys that are
// not plain decimal numbers ("Nombre", "01", anything added by hand) are not
// rows.
std::vector<QStringList> LitLignes(const TIniFile &ini, const QString &section)
{
    std::map<int, QStringList> lignes;
    for (const QString &cle : ini.ReadSection(section)) {
        bool ok = false;
        const int n = cle.toInt(&ok);
        if (!ok || n < 1 || QString::number(n) != cle)
            continue;
        lignes.emplace(n, ini.ReadString(section, cle).split(u'|'));
    }
    std::vector<QStringList> resultat;
    resultat.reserve(lignes.size());
    for (auto &[n, colonnes] : lignes)
        resultat.push_back(std::move(colonnes));
    return resultat;
}

QString Colonne(const QStringList &colonnes, qsizetype i)
{
    return i < colonnes.size() ? colonnes.at(i).trimmed() : QString();
}

// A "|" inside a text would shift the columns when read back.
QString SansBarre(const QString &texte)
{
    QString t = texte;
    return t.replace(u'|', u'/');
}

void EcritLignes(TIniFile &ini, const QString &section, const QStringList &lignes)
{
    ini.WriteInteger(section, CleNombre, int(lignes.size()));
    for (qsizetype i = 0; i < lignes.size(); ++i)
        ini.WriteString(section, QString::number(i + 1), lignes.at(i));
    // Rows removed since the last save must not come back at the next start.
    for (const QString &cle : ini.ReadSection(section)) {
        bool ok = false;
        const int n = cle.toInt(&ok);
        if (ok && n > lignes.size() && QString::number(n) == cle)
            ini.DeleteKey(section, cle);
    }
}

void LitListes(const TIniFile &ini, TOptions &o)
{
    if (ini.SectionExists(SectionEvenements)) {
        o.Evenements.clear();
        for (const QStringList &c : LitLignes(ini, SectionEvenements)) {
            TEvePropose e{Colonne(c, 0), Colonne(c, 1), Colonne(c, 2)};
            if (e.Genre.isEmpty())
                e.Genre = GenreEveIndividu();
            if (!e.Nom.isEmpty())
                o.Evenements.push_back(std::move(e));
        }
    } else {
        o.Evenements = EvenementsParDefaut();
    }

    if (ini.SectionExists(SectionChamps)) {
        o.Champs.clear();
        for (const QStringList &c : LitLignes(ini, SectionChamps)) {
            TChampPropose ch{Colonne(c, 0) == u"1"_s, Colonne(c, 1), Colonne(c, 2)};
            if (!ch.Nom.isEmpty())
                o.Champs.push_back(std::move(ch));
        }
    } else {
        o.Champs = ChampsParDefaut();
    }

    if (ini.SectionExists(SectionSources)) {
        o.Sources.clear();
        for (const QStringList &c : LitLignes(ini, SectionSources)) {
            // A source kind is one column: a "|" found here was typed by hand.
            const QString nom = c.join(u'/').trimmed();
            if (!nom.isEmpty())
                o.Sources.append(nom);
        }
    } else {
        o.Sources = SourcesParDefaut();
    }
}

void EcritListes(TIniFile &ini, const TOptions &o)
{
    QStringList lignes;
    for (const TEvePropose &e : o.Evenements)
        lignes.append(SansBarre(e.Genre) + u'|' + SansBarre(e.Nom) + u'|' + SansBarre(e.Gedcom));
    EcritLignes(ini, SectionEvenements, lignes);

    lignes.clear();
    for (const TChampPropose &c : o.Champs)
        lignes.append((c.PourTous ? u"1|"_s : u"0|"_s) + SansBarre(c.Nom) + u'|' + SansBarre(c.Gedcom));
    EcritLignes(ini, SectionChamps, lignes);

    lignes.clear();
    for (const QString &s : o.Sources)
        lignes.append(SansBarre(s));
    EcritLignes(ini, SectionSources, lignes);
}

} // namespace

void LitParametres(const TIniFile &ini, TOptions &o, TReglages &r, TReglagesStat &s)
{
    const QString &g = SectionGene;
    LitEntier(ini, g, u"PrintZoom"_s, r.PrintZoom, 1, 100000);
    LitEntier(ini, g, u"PrintCroise"_s, r.PrintCroise, 0, 100);
    LitEntier(ini, g, u"PrintMargeH"_s, r.PrintMargeH, 0, 100000);
    LitEntier(ini, g, u"PrintMargeG"_s, r.PrintMargeG, 0, 100000);
    LitBool(ini, g, u"Print ZoomAuto"_s, r.PrintZoomAuto);
    LitBool(ini, g, u"ZoomAuto"_s, r.ZoomAuto);
    LitTexte(ini, g, u"DernierFichier"_s, r.DernierFichier);
    for (const QString &n : ini.ReadString(g, u"AstucesVues"_s).split(u',')) {
        bool ok = false;
        const int astuce = n.trimmed().toInt(&ok);
        if (ok && astuce > 0)
            r.AstucesVues.insert(astuce);
    }
    LitTexte(ini, SectionCarte, u"Nom"_s, r.Carte);

    const QString &st = SectionStat;
    const int tout = std::numeric_limits<int>::max();
    LitEntier(ini, st, u"DateMin"_s, s.DateMin, -tout, tout);
    LitEntier(ini, st, u"DateMax"_s, s.DateMax, -tout, tout);
    LitEntier(ini, st, u"AgeMin"_s, s.AgeMin, -tout, tout);
    LitEntier(ini, st, u"AgeMax"_s, s.AgeMax, -tout, tout);
    LitEntier(ini, st, u"AgePas"_s, s.AgePas, 1, tout);
    LitEntier(ini, st, u"AnneeMin"_s, s.AnneeMin, -tout, tout);
    LitEntier(ini, st, u"AnneeMax"_s, s.AnneeMax, -tout, tout);
    LitEntier(ini, st, u"AnneePas"_s, s.AnneePas, 1, tout);

    const QString &op = SectionOptions;
    LitBool(ini, op, u"NomMaj"_s, o.NomMaj);
    LitBool(ini, op, u"PreMaj"_s, o.PreMaj);
    LitBool(ini, op, u"SaisieNom"_s, o.SaisieNom);
    LitBool(ini, op, u"SaisieChp"_s, o.SaisieChp);
    LitEntier(ini, op, u"SaisieNomNbre"_s, o.SaisieNomMax, BornesSaisieNom);
    LitEntier(ini, op, u"SaisieLieu"_s, o.SaisieLieu, BornesSaisieLieu);
    LitBool(ini, op, u"Lindafor"_s, o.Lindafor);
    LitTexte(ini, op, u"CheminLindafor"_s, o.CheminLindafor);
    LitTexte(ini, op, u"FicheTitre"_s, o.FicheTitre);
    LitTexte(ini, op, u"Fiche1"_s, o.Fiche1);
    LitTexte(ini, op, u"Fiche2"_s, o.Fiche2);
    LitBool(ini, op, u"FicheIdEnRech"_s, o.FicheIdEnRech);
    LitBool(ini, op, u"AjouteEve"_s, o.AjouteEve);
    LitEntier(ini, op, u"Generation"_s, o.Generation, BornesGeneration);
    LitBool(ini, op, u"AjoutePers"_s, o.AjoutePers);
    LitBool(ini, op, u"LienAuto"_s, o.LienAuto);
    LitBool(ini, op, u"NumeroteBase"_s, o.NumeroteBase);
    LitEntier(ini, op, u"NumeroteGen"_s, o.NumeroteGen, BornesNumeroteGen);
    LitBool(ini, op, u"NumeroteConjoint"_s, o.NumeroteConjoint);
    LitBool(ini, op, u"NumeroteFamille"_s, o.NumeroteFamille);
    LitEntier(ini, op, u"AgeMarMin"_s, o.AgeMarMin, BornesAge);
    LitEntier(ini, op, u"AgeMarMax"_s, o.AgeMarMax, BornesAge);
    LitEntier(ini, op, u"AgeEnfMin"_s, o.AgeEnfMin, BornesAge);
    LitEntier(ini, op, u"AgeEnfMax"_s, o.AgeEnfMax, BornesAge);
    LitEntier(ini, op, u"AgeDecesMax"_s, o.AgeDecesMax, BornesAge);
    LitEntier(ini, op, u"EcartConjMax"_s, o.EcartConjMax, BornesAge);
    LitEntier(ini, op, u"CalNbre"_s, o.CalNbre, BornesCalNbre);
    LitBool(ini, op, u"CalWE"_s, o.CalWE);
    LitBool(ini, op, u"CalFete"_s, o.CalFete);
    LitTexte(ini, op, u"Photo"_s, o.Photo);
    LitEntier(ini, op, u"NbreJour"_s, o.NbreJour, BornesNbreJour);

    LitListes(ini, o);
}

void EcritParametres(TIniFile &ini, const TOptions &o, const TReglages &r, const TReglagesStat &s)
{
    const QString &g = SectionGene;
    ini.WriteInteger(g, u"PrintZoom"_s, r.PrintZoom);
    ini.WriteInteger(g, u"PrintCroise"_s, r.PrintCroise);
    ini.WriteInteger(g, u"PrintMargeH"_s, r.PrintMargeH);
    ini.WriteInteger(g, u"PrintMargeG"_s, r.PrintMargeG);
    ini.WriteBool(g, u"Print ZoomAuto"_s, r.PrintZoomAuto);
    ini.WriteBool(g, u"ZoomAuto"_s, r.ZoomAuto);
    ini.WriteString(g, u"DernierFichier"_s, r.DernierFichier);
    QStringList vues;
    for (int n : r.AstucesVues)
        vues << QString::number(n);
    ini.WriteString(g, u"AstucesVues"_s, vues.join(u','));
    if (!r.Carte.isEmpty())
        ini.WriteString(SectionCarte, u"Nom"_s, r.Carte);

    const QString &st = SectionStat;
    ini.WriteInteger(st, u"DateMin"_s, s.DateMin);
    ini.WriteInteger(st, u"DateMax"_s, s.DateMax);
    ini.WriteInteger(st, u"AgeMin"_s, s.AgeMin);
    ini.WriteInteger(st, u"AgeMax"_s, s.AgeMax);
    ini.WriteInteger(st, u"AgePas"_s, s.AgePas);
    ini.WriteInteger(st, u"AnneeMin"_s, s.AnneeMin);
    ini.WriteInteger(st, u"AnneeMax"_s, s.AnneeMax);
    ini.WriteInteger(st, u"AnneePas"_s, s.AnneePas);

    const QString &op = SectionOptions;
    ini.WriteBool(op, u"NomMaj"_s, o.NomMaj);
    ini.WriteBool(op, u"PreMaj"_s, o.PreMaj);
    ini.WriteBool(op, u"SaisieNom"_s, o.SaisieNom);
    ini.WriteBool(op, u"SaisieChp"_s, o.SaisieChp);
    ini.WriteInteger(op, u"SaisieNomNbre"_s, o.SaisieNomMax);
    ini.WriteInteger(op, u"SaisieLieu"_s, o.SaisieLieu);
    ini.WriteBool(op, u"Lindafor"_s, o.Lindafor);
    ini.WriteString(op, u"CheminLindafor"_s, o.CheminLindafor);
    ini.WriteString(op, u"FicheTitre"_s, o.FicheTitre);
    ini.WriteString(op, u"Fiche1"_s, o.Fiche1);
    ini.WriteString(op, u"Fiche2"_s, o.Fiche2);
    ini.WriteBool(op, u"FicheIdEnRech"_s, o.FicheIdEnRech);
    ini.WriteBool(op, u"AjouteEve"_s, o.AjouteEve);
    ini.WriteInteger(op, u"Generation"_s, o.Generation);
    ini.WriteBool(op, u"AjoutePers"_s, o.AjoutePers);
    ini.WriteBool(op, u"LienAuto"_s, o.LienAuto);
    ini.WriteBool(op, u"NumeroteBase"_s, o.NumeroteBase);
    ini.WriteInteger(op, u"NumeroteGen"_s, o.NumeroteGen);
    ini.WriteBool(op, u"NumeroteConjoint"_s, o.NumeroteConjoint);
    ini.WriteBool(op, u"NumeroteFamille"_s, o.NumeroteFamille);
    ini.WriteInteger(op, u"AgeMarMin"_s, o.AgeMarMin);
    ini.WriteInteger(op, u"AgeMarMax"_s, o.AgeMarMax);
    ini.WriteInteger(op, u"AgeEnfMin"_s, o.AgeEnfMin);
    ini.WriteInteger(op, u"AgeEnfMax"_s, o.AgeEnfMax);
    ini.WriteInteger(op, u"AgeDecesMax"_s, o.AgeDecesMax);
    ini.WriteInteger(op, u"EcartConjMax"_s, o.EcartConjMax);
    ini.WriteInteger(op, u"CalNbre"_s, o.CalNbre);
    ini.WriteBool(op, u"CalWE"_s, o.CalWE);
    ini.WriteBool(op, u"CalFete"_s, o.CalFete);
    ini.WriteString(op, u"Photo"_s, o.Photo);
    ini.WriteInteger(op, u"NbreJour"_s, o.NbreJour);

    EcritListes(ini, o);
}
