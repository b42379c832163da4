#pragma once

#include <QString>
#include <QtGlobal>

class TBD;

// The native database file of Lignée (".mvd"), format version 1.
//
// Layout. Every number is a little-endian 32-bit integer: "int32" is signed,
// "uint32" unsigned. A text is a uint32 byte length followed by that many
// bytes of UTF-8 (no byte order mark added, no terminator). A list is an
// int32 count followed by that many int32.
//
//   offset 0   8 bytes   "LIGNEEDB"                       magic text
//   offset 8   uint32    format version, 1
//   offset 12  header:
//                text    NomLook, name of the tree look
//                int32   RefPers, reference person, 0 .. MaxPersonnes
//                int32   append-only flag (TBD::AppendOnly), 0 or 1
//              then four tables, in this order: persons, unions, events,
//              sources. Each one is:
//                int32   high-water count, 0 .. capacity of the table
//                int32   number of records that follow, 0 .. high-water count
//                records, each starting with its int32 slot number; slot
//                numbers run strictly upwards, from 1 to the high-water count.
//                Only slots in use are written, so "in use" is not stored;
//                slots up to the high-water count that have no record are
//                free.
//   last 4     uint32    CRC-32 (zlib crc32) of every byte before it
//
// Records after their slot number:
//   person:  int32 Sexe (0 man, 1 woman, 2 unknown), int32 Plie (any value),
//            text Nom, text Prenoms, int32 Pere, int32 Mere (0 .. MaxPersonnes),
//            int32 StatutPere, int32 StatutMere (0 .. 3), text Note,
//            text Creation, text Modification, text Champs, text Numerotation,
//            list Evenements (entries 0 .. MaxEvenements),
//            list Sources (entries 0 .. MaxSources)
//   union:   int32 Mari, int32 Femme (0 .. MaxPersonnes),
//            list Evenements (entries 0 .. MaxEvenements)
//   event:   text Type, text Date, text Heure, text Lieu, text Note,
//            text Qualite
//   source:  text Titre, text Genre, text Note, text Fichier
// A list holds at most as many entries as the capacity of the table its
// numbers refer to. Numbers that refer to other records (parents, spouses,
// event and source lists) are kept as stored even when the record they name
// is free: checking links is the job of the database verification, not of the
// reader.
//
// The file ends right after the checksum; trailing bytes are damage. Files
// above TailleMaxMvd bytes are refused without being read.

constexpr char MagiqueMvd[8] = {'L', 'I', 'G', 'N', 'E', 'E', 'D', 'B'};
constexpr quint32 VersionMvd = 1;
constexpr qint64 TailleMaxMvd = qint64(2) * 1024 * 1024 * 1024;

// Outcome of a load or a save. The value is the number of the message of the
// language file that tells the user about it; %1 of every message is the
// path of the file, %2 (when the message has one) is TResultatMvd::Detail.
enum ErreurMvd {
    MvdOk = 0,
    // Loading.
    MvdIntrouvable = 5000,     // nothing at that path
    MvdIllisible = 5001,       // cannot be opened or read (a folder, no
                               // permission, I/O error); %2 says why
    MvdTropGros = 5002,        // above TailleMaxMvd; %2 is the size in bytes
    MvdEtranger = 5003,        // not a Lignée database: no magic text
    MvdVersionRecente = 5004,  // written in a newer format; %2 is its number
    MvdEndommage = 5005,       // truncated or damaged structure; %2 gives the
                               // byte offset, the record and the field
    MvdSommeControle = 5006,   // the checksum does not match the content
    // Saving. The user's file is left as it was.
    MvdEcritureImpossible = 5010, // the new file could not be written or put
                                  // in place; %2 says why
    MvdCopieAncienne = 5011,      // the previous file could not be kept as
                                  // "<name>.old"; %2 says why
    MvdBaseTropGrosse = 5012,     // the file would exceed TailleMaxMvd; %2 is
                                  // its size in bytes
};

struct TResultatMvd {
    int Erreur = MvdOk;      // an ErreurMvd value
    QString Detail;          // %2 of the message; empty when it has none
    qint64 Position = -1;    // byte offset of the damage (MvdEndommage), else -1

    bool Ok() const { return Erreur == MvdOk; }
};

// The message telling the user about a result, from the language file, with
// the file's path and the detail put in.
QString MessageMvd(const TResultatMvd &resultat, const QString &chemin);

// The header values that are not part of the database object; the caller
// copies them to the globals NomLook and RefPers.
struct TEnteteMvd {
    QString NomLook;
    int RefPers = 0;
};

// Reads the database file at `chemin` into `bd`, replacing its whole
// content, and its header into `*entete` (may be null). The file is read
// whole into memory and parsed with every length, count and number checked
// against the bytes that remain and the table capacities. On any error `bd`
// and `*entete` are left exactly as they were and the result tells what went
// wrong; nothing is shown to the user.
TResultatMvd ChargeMvd(const QString &chemin, TBD &bd, TEnteteMvd *entete);

// Writes `bd` and `entete` to `chemin` and keeps the file that was there as
// "<chemin without its extension>.old" ("base.mvd" keeps "base.old"),
// replacing an older one. Steps, so that `chemin` always holds either the
// previous or the new complete file, even when the program is killed:
//   0. the temporary files that killed saves of this base left are removed
//      (TFichierTemporaire, FichierTemporaire.h);
//   1. the new content is written to a temporary file in the same folder,
//      with the permissions of the previous file, and synced;
//   2. the previous file is hard-linked (or, where links are not possible,
//      copied and synced) to a temporary name, which is then renamed over
//      "<name>.old";
//   3. the temporary file is renamed over `chemin`.
// A failure in steps 1 or 2 removes the temporary files and leaves `chemin`
// and any earlier "<name>.old" untouched; a failure in step 3 leaves `chemin`
// untouched with "<name>.old" already equal to it. Only a fully successful
// save returns MvdOk; a full disk gives the detail "le disque est plein"
// (language text 7400). When `chemin` is a symbolic link, the file it points
// to is replaced and the link stays.
//
// Numbers the file format cannot hold are written the way the database
// setters would have stored them: a sex outside 0..2 as unknown, a link
// status outside 0..3 as 0, a person number outside 0..MaxPersonnes as 0;
// list entries outside their table are left out.
TResultatMvd SauveMvd(const QString &chemin, const TBD &bd, const TEnteteMvd &entete);
