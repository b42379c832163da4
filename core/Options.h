#pragma once

#include <QString>
#include <QStringList>
#include <set>
#include <vector>

class TIniFile;

// The user's options, edited in the options dialog and kept in gene.ini. The
// other windows read them through Options(); tests set them there.

// A proposed event type: kind (GenreEveIndividu() or GenreEveUnion(), the
// texts of the options grid), type name, GEDCOM tag.
struct TEvePropose {
    QString Genre;
    QString Nom;
    QString Gedcom;
};

// A proposed user-defined field: shown for every person, name, GEDCOM tag.
struct TChampPropose {
    bool PourTous = false;
    QString Nom;
    QString Gedcom;
};

struct TOptions {
    // Entry of names, places and fields.
    bool NomMaj = true;        // cbNomMaj: surnames in capitals
    bool PreMaj = true;        // cbPreMaj: given names with a capital first letter
    bool SaisieNom = true;     // cbSaisieNom: completion of names, given names, places
    bool SaisieChp = true;     // cbSaisieChp: completion of user-defined fields
    int SaisieNomMax = 25;     // seSaisieNom: most proposals shown
    int SaisieLieu = 0;        // cbSaisieLieu: which part of a place is proposed (item)
    bool Lindafor = false;     // cbLindafor: postal-code program for places
    QString CheminLindafor;    // eLindafor: path of that program

    // Record form.
    QString FicheTitre = QStringLiteral("<nom> <prénom>");                 // eFicheTitre
    QString Fiche1 = QStringLiteral("<nom> <prénom> (<naissance> - <décès>)"); // eFiche1
    QString Fiche2 = QStringLiteral("<prénom> (<naissance> - <décès>)");       // eFiche2
    bool FicheIdEnRech = false; // cbFicheIdEnRech
    bool AjouteEve = true;      // cbAjouteEve: estimated birth of a new relative
    int Generation = 25;        // seGeneration: years of a generation
    bool AjoutePers = true;     // cbAjoutePers: identity window for a new relative
    bool LienAuto = false;      // cbLienAuto: obvious ties made without asking

    // Numbering when the reference person changes.
    bool NumeroteBase = false;      // cbNumeroteBase
    int NumeroteGen = 10;           // seNumeroteGen
    bool NumeroteConjoint = false;  // cbNumeroteConjoint
    bool NumeroteFamille = false;   // cbNumeroteFamille

    // Age limits of the coherence checks and of the relatives windows.
    int AgeMarMin = 15;
    int AgeMarMax = 70;
    int AgeEnfMin = 15;
    int AgeEnfMax = 70;
    int AgeDecesMax = 110;
    int EcartConjMax = 20;

    // Calendar page.
    int CalNbre = 5;      // cbCalNbre item: 0..5 = 1, 2, 3, 4, 6, 12 tables
    bool CalWE = true;    // cbCalWE: mark weekends
    bool CalFete = false; // cbCalFete: add name days

    // Kind of source that gives a person's tree picture.
    QString Photo = QStringLiteral("Photo de l'arbre"); // ePhoto

    // Anniversary reminder: days ahead shown (seNbreJour).
    int NbreJour = 15;

    // Proposed lists (grids sgEve, sgChp, sgSrc). Empty until LitParametres
    // gives them the file's lists or the built-in ones.
    std::vector<TEvePropose> Evenements;
    std::vector<TChampPropose> Champs;
    QStringList Sources;
};

// The options of this run.
TOptions &Options();

// The user-defined field definitions of the record form, in the fields-text
// form: "t|<name>||" for each proposed field shown for every person whose
// name is not blank, in list order; a "|" in a name becomes a blank.
QString DefinitionChamps(const std::vector<TChampPropose> &champs);
// A field the user added on a record joins the proposed fields: the first
// one of that name (letter case ignored) is shown for every person or not as
// pourTous says; when there is none, the field is appended, without GEDCOM
// tag.
void ProposeChamp(std::vector<TChampPropose> &champs, const QString &nom, bool pourTous);

// The kinds of the proposed events, as held in TEvePropose::Genre and shown
// in the options grid: language texts 707 (person events) and 708 (union
// events) of the active language, "Individu" and "Union" when the text is
// missing.
QString GenreEveIndividu();
QString GenreEveUnion();

// Accepted range of an integer option, bounds included. A value read from
// gene.ini outside its range keeps the default; the options dialog's spin
// boxes and combo boxes use the same bounds.
struct TBornes {
    int Min;
    int Max;
};
inline constexpr TBornes BornesSaisieNom{1, 999};
inline constexpr TBornes BornesSaisieLieu{0, 5};
inline constexpr TBornes BornesGeneration{1, 100};
inline constexpr TBornes BornesNumeroteGen{1, 100};
inline constexpr TBornes BornesAge{0, 150}; // the six age limits
inline constexpr TBornes BornesCalNbre{0, 5};
inline constexpr TBornes BornesNbreJour{1, 365};

// Settings of gene.ini section "gene" that are not options of the dialog.
struct TReglages {
    int PrintZoom = 100;        // "PrintZoom"
    int PrintCroise = 0;        // "PrintCroise"
    int PrintMargeH = 0;        // "PrintMargeH"
    int PrintMargeG = 0;        // "PrintMargeG"
    bool PrintZoomAuto = true;  // "Print ZoomAuto"
    bool ZoomAuto = true;       // "ZoomAuto"
    QString DernierFichier;     // the last database used
    std::set<int> AstucesVues;  // "AstucesVues": tips already shown, "1,5,8"
    QString Carte;              // section "Carte", "Nom": the last map shown
};

// Section "gene\Stat": ranges of the statistics window. A step read below 1
// keeps its default.
struct TReglagesStat {
    int DateMin = 1000;
    int DateMax = 2100;
    int AgeMin = 0;
    int AgeMax = 100;
    int AgePas = 10;
    int AnneeMin = 1900;
    int AnneeMax = 2100;
    int AnneePas = 10;
};

TReglages &Reglages();
TReglagesStat &ReglagesStat();

// gene.ini (read and written as UTF-8):
// - section "gene": "PrintZoom" (1..100000), "PrintCroise" (0..100),
//   "PrintMargeH", "PrintMargeG" (0..100000), "Print ZoomAuto", "ZoomAuto"
//   (booleans), "DernierFichier";
// - section "Carte": "Nom", the name of the last map shown;
// - section "gene\Stat": the fields of TReglagesStat under their own names;
// - section "Options": one key per scalar field of TOptions, named after the
//   field, except SaisieNomMax stored as "SaisieNomNbre";
// - sections "Evenements", "Champs", "Sources": the proposed lists. Key
//   "Nombre" holds the row count (so that an emptied list stays empty) and
//   keys "1", "2"... the rows in order, their columns joined by "|":
//   "kind|name|tag" (the kind as the grid shows it, language text 707 or
//   708), "1|name|tag" or "0|name|tag" (shown for every person or not), and
//   the source kind alone. A "|" inside a text is written as "/".
//
// LitParametres reads into the given structures: a missing, unreadable or
// out-of-range value keeps the structure's current value (its default for a
// new one). Rows are taken from the keys that are plain decimal numbers, in
// number order; a row without a name is dropped, missing columns are empty
// (an event without a kind is a person event).
// A list whose section is absent gets the built-in list; call it after the
// language file is loaded, so that the built-in events get the kind texts of
// the active language.
// EcritParametres writes every key above; keys and sections it does not know
// are left as they are; numbered rows beyond the list's end are removed. The
// caller saves the file (TIniFile::UpdateFile).
void LitParametres(const TIniFile &ini, TOptions &options, TReglages &reglages, TReglagesStat &stat);
void EcritParametres(TIniFile &ini, const TOptions &options, const TReglages &reglages,
                     const TReglagesStat &stat);
