#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QImage;

// Map files of the maps folder (DossierCarte): a definition "<name>.mvc"
// beside a picture "<name>.bmp". The definition is a settings file
// (Windows-1252) of sections and key=value lines:
//   [Description] Nbre=n            number of zones
//                 DebutLieu=1       codes compared with the start of the
//                                   place only (TComparaisonLieux::Debut)
//   [Nom]  1=..n=                   zone names
//   [Lieu] 1=..n=                   place codes (what a place must hold)
//   [PtsX] 1=..n=, [PtsY] 1=..n=    the seed pixel of each zone, decimal
// The picture shows the zones in white, outlined in black; what is no zone
// (the sea...) is of another colour. A map's name is its file name less
// ".mvc". The map named "Carte Google" has no zones and selects the web map.

// One zone of a map.
struct TZoneCarte {
    QString Nom;
    QString Lieu;
    int X = 0;
    int Y = 0;

    bool operator==(const TZoneCarte &) const = default;
};

// How the zones of a map compare their place codes with a place (ZonesCarte.h).
enum class TComparaisonLieux {
    // The code begins any comma-separated part of the place: "F95" covers
    // "FRA,IDF,F95,Pontoise" (maps of départements, of regions).
    Partie,
    // The code begins the place: "FRA" and "FRA,GUY" cover
    // "FRA,GUY,F973,Cayenne", "GUY" does not (maps of countries, whose
    // three-letter codes are also region codes of French places).
    Debut,
};

// Most zones a map may have; a larger count read from a file is cut to it.
inline constexpr int MaxZonesCarte = 10000;

// The name of the map that selects the web map.
QString NomCarteWeb();

// What ChargeCarte found.
struct TLectureCarte {
    bool Ok = false;
    // The file's count was above MaxZonesCarte: only that many were read.
    bool Tronquee = false;
    TComparaisonLieux Comparaison = TComparaisonLieux::Partie;
    // Why the file could not be read (empty when Ok).
    QString Erreur;
};

// Reads the zones of the definition file at `chemin` into `zones` (emptied
// first), in key order 1..Nbre. A missing Nbre, or one below 0 or not a
// number, reads as 0; above MaxZonesCarte it is cut to MaxZonesCarte and
// Tronquee is set. Missing keys read as empty names and codes; a coordinate
// that is not a whole number from 0 to 100,000 reads as 0. Not Ok (zones
// empty, Erreur saying why, in French) when the file is missing, is not an
// ordinary file (a folder, a named pipe, a device: never opened), cannot be
// read or is larger than 64 MiB.
TLectureCarte ChargeCarte(const QString &chemin, std::vector<TZoneCarte> &zones);

// Writes the zones into the definition file at `chemin`, updating it in place:
// Nbre and the way codes are compared, then keys 1..n of the four sections;
// keys of a former, longer list and any other line are kept. Atomic: false,
// with *erreur (may be null) saying why, when it cannot be written; the file
// is then as it was.
bool SauveCarte(const QString &chemin, const std::vector<TZoneCarte> &zones, TComparaisonLieux comparaison,
                QString *erreur = nullptr);

// Writes a new definition file holding only Nbre=0, replacing any file of
// that name whole. Atomic; false with *erreur (may be null) when it cannot
// be written.
bool NouvelleCarte(const QString &chemin, QString *erreur = nullptr);

// Writes `image` as a BMP file at `chemin`, replacing any file there whole.
// Atomic; false with *erreur (may be null) saying why when the picture is
// null or the file cannot be written.
bool SauveImageCarte(const QImage &image, const QString &chemin, QString *erreur = nullptr);

// Whether `nom` may name a map: not empty nor only blanks, and free of the
// characters that would take the files out of the maps folder or hide them
// ("/", "\", control characters, a leading "."). False with *raison (may be
// null) set to the message to show.
bool NomCarteValide(const QString &nom, QString *raison = nullptr);

// The code or place as ZoneCouvre (ZonesCarte.h) compares it: upper case, each part trimmed.
QString FormeComparee(const QString &texte);
