#pragma once

#include <vector>

#include <QHash>
#include <QString>
#include <QStringList>

// The model file of a design (".mdl"): an indented text file of page keys
// and blocks.
//
// Text: Windows-1252, or UTF-8 when the bytes are valid UTF-8 (a UTF-8 byte
// order mark is dropped); a line ends at CR LF, CR or LF. The indentation
// level of a line is its number of leading spaces divided by 2, rounded
// down; tabs are not counted, and a line made only of spaces counts one
// space less.
//
// Layout: the page keys "key=value" at level 0; then one block per face,
// "Face=n" at level 0, its object blocks, and "End" at level 0; an object
// block is a header line at level 1 (the block's name, unique in the file),
// the object's key lines at level 2, and "End" at level 1. Deeper lines
// belong to nested blocks.

// The indentation level of a line.
int LineLevel(QStringView ligne);
// The line without its leading blanks (spaces, tabs and the other control
// characters): the text by which headers are matched.
QStringView TexteSansRetrait(QStringView ligne);
// The face number of a line the reader can take for a face header: its text
// without leading blanks is "Face=" and a number written without a leading
// zero (at most INT_MAX is given for a longer one); 0 for any other line.
int NumeroFace(QStringView ligne);
// The text preceded by 2 * niveau spaces.
QString IndentText(int niveau, const QString &texte);

// The lines of a section, found by a path of header texts: "/Face=1" gives
// the lines at level 1 of the face block (its object names), "/Face=1/Name"
// the lines at level 2 of that object's block (its keys), each without its
// leading blanks and without the closing "End". The path is read as follows,
// on the lines in order, starting at depth 1:
// - a line that is exactly "End" indented to depth - 1 stops collecting;
// - while collecting, a line at level `depth` that is not "End" indented to
//   `depth` is collected;
// - a line whose text without leading blanks is exactly path element
//   `depth` (letter case and trailing blanks count) takes the reading one
//   level deeper, or, at the last element, starts collecting.
// Header lines are thus matched at any indentation and the reading never
// climbs back: a later block whose header repeats the last element adds its
// lines too. A path that is never matched gives no line.
QStringList GetSection(const QStringList &lignes, QStringView chemin);

// The same reading over many paths of one text, each costing about the size
// of the blocks it collects rather than a scan of the whole text: the lines
// are indexed once by their text without leading blanks.
class TIndexSections final
{
public:
    explicit TIndexSections(const QStringList &lignes);
    QStringList Section(QStringView chemin) const;
    // The lines of the same blocks as Section, as they stand, nested blocks
    // included: every line of the blocks at the last level or deeper but the
    // "End" lines Section leaves out, each with the indentation of the last
    // level (2 spaces a level) taken off, so that indenting them again by it
    // gives the lines back.
    QStringList SectionBrute(QStringView chemin) const;

private:
    QStringList Lignes(QStringView chemin, bool brutes) const;
    // The index of the first line after `apres` whose text without leading
    // blanks is `texte`; -1 when there is none.
    qsizetype Suivante(QStringView texte, qsizetype apres) const;

    // A copy that keeps the texts the views below point into.
    const QStringList m_lignes;
    std::vector<int> m_niveaux;
    std::vector<QStringView> m_textes;
    QHash<QStringView, std::vector<qsizetype>> m_occurrences;
};

// The lines of the model file text (split at CR LF, CR and LF; a final line
// break does not add an empty line).
QStringList DecoupeLignes(QStringView texte);
// The text of model file bytes: UTF-8 when they are valid UTF-8, else
// Windows-1252. One UTF-8 byte order mark at the start is dropped (and the
// rest then read as UTF-8).
QString DecodeMdl(const QByteArray &octets);
// The bytes of a model file, the lines each ended by CR LF, chosen by what
// DecodeMdl will read back: Windows-1252 when that gives the text again;
// else UTF-8, with a byte order mark when the text itself begins with one.
// False, `octets` empty, when no bytes give the lines back: a line holding
// a line break, or a lone surrogate, which has no bytes in either.
bool EncodeMdl(const QStringList &lignes, QByteArray &octets);

// Files above this size are not read.
constexpr qint64 TailleMaxMdl = qint64(64) * 1024 * 1024;

// Reads the lines of the model file at `chemin`. False when the file cannot
// be read (missing, not an ordinary file, unreadable, larger than
// TailleMaxMdl); *erreur (may be null) then says why, without the path.
bool LitFichierMdl(const QString &chemin, QStringList &lignes, QString *erreur = nullptr);
// Writes the lines as a model file, atomically: the file holds its previous
// content or the new one, whole, and the new one reads back as these lines.
// False when it could not be written, or its text could not be encoded;
// *erreur (may be null) then says why.
bool EcritFichierMdl(const QString &chemin, const QStringList &lignes, QString *erreur = nullptr);
