#pragma once

#include <QString>

// Program-wide state, set at start-up by the main window and read by every
// subsystem. Tests set what they need.

// Full path of the open database file; empty for a new, unsaved database.
extern QString FichierCourant;
// 1 when the database changed since it was loaded or saved, else 0.
extern int BaseModifiee;
// Active language number (column of the language file), 1 = French.
extern int LangueActive;
// Reference person of the tree.
extern int RefPers;
// Base name of the default look, column model and database ("defaut").
extern QString NomModeleDefaut;
// Name of the current tree look, stored in the database file header.
extern QString NomLook;
// Paths of the name-day file and of the anniversaries file.
extern QString FichierFete;
extern QString FichierAnniFete;

// Folders, each ending with "/" (see Chemins.h for how they are built).
extern QString DossierModele;     // models of the active language: RepModele/<langue>/
extern QString DossierArbre;      // look files: DossierModele/arbre/
extern QString DossierImageArbre; // tree pictures and textures: RepModele/0/ImageArbre/
extern QString DossierRapport;    // report models: DossierModele/rapport/
extern QString DossierCarte;      // maps: DossierModele/carte/
extern QString DossierLieu;       // place lists: DossierModele/lieu/
extern QString DossierSkin;       // skins: RepModele/skin/
extern QString DossierParamUser;  // gene.ini, AnniFete.mv, stats.sta
extern QString DossierGenealogie; // the user's databases
extern QString DossierExemples;   // example databases shipped with the program
// The user's own models, never the shipped folders above, which the program
// only reads (ModelesUtilisateur.h): the same layout in the user's data
// folder, <données>/modele/<langue>/arbre/ and so on.
extern QString DossierArbreUser;   // looks the user saved
extern QString DossierRapportUser; // column models and advanced selections the user saved
extern QString DossierCarteUser;   // maps the user made or saved
extern QString DossierImageArbreUser; // tree pictures the user chose: <données>/modele/0/ImageArbre/
// The artistic print window's folders: the design models of the active
// language, one subfolder per category (DossierModele/impression/modeles/),
// the pictures they name (RepModele/0/impression/images/), the skin of its
// button bar (RepModele/0/impression/skin/), and the user's own design
// models (<données>/modele/<langue>/impression/modeles/; empty without a
// data folder).
extern QString DossierImpressionModeles;
extern QString DossierImpressionImages;
extern QString DossierImpressionSkin;
extern QString DossierImpressionModelesUser;
