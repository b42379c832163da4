#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TIniFile;

// The user's options, edited in the options dialog and kept in gene.ini. The
// other windows read them through Options(); tests set them there.

// A proposed event type: kind (person or union, the texts of the options
// grid), type name, GEDCOM tag.
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

    // Anniversary reminder: days ahead shown.
    int NbreJour = 7;

    // Proposed lists (grids sgEve, sgChp, sgSrc).
    std::vector<TEvePropose> Evenements;
    std::vector<TChampPropose> Champs;
    QStringList Sources;
};

// The options of this run.
TOptions &Options();

// Settings of gene.ini section "gene" that are not options of the dialog.
struct TReglages {
    int PrintZoom = 100;        // "PrintZoom"
    int PrintCroise = 0;        // "PrintCroise"
    int PrintMargeH = 0;        // "PrintMargeH"
    int PrintMargeG = 0;        // "PrintMargeG"
    bool PrintZoomAuto = true;  // "Print ZoomAuto"
    bool ZoomAuto = true;       // "ZoomAuto"
    QString DernierFichier;     // the last database used
};

// Section "gene\Stat": ranges of the statistics window.
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

// Reads the options and the settings from gene.ini; missing or unreadable
// keys keep their defaults. Writes them back (the caller saves the file).
void LitParametres(const TIniFile &ini, TOptions &options, TReglages &reglages, TReglagesStat &stat);
void EcritParametres(TIniFile &ini, const TOptions &options, const TReglages &reglages,
                     const TReglagesStat &stat);
