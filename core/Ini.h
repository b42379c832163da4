#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// Text encodings of the settings and model files.
enum class TEncodage {
    Utf8,
    Windows1252,
};

// A settings or model file made of "[section]" lines followed by
// "key=value" lines.
//
// - Section and key names are compared without regard to letter case; blanks
//   around keys and values are not significant. Section names may hold
//   blanks and backslashes ("Aff 1", "gene\Stat"), keys may hold blanks
//   ("Print ZoomAuto"). A key is the text before the first "=", its value the
//   trimmed text after it, taken as it stands (no quotes or escapes).
// - A line whose first non-blank character is ";" is a comment.
// - Writing updates the file in place: unknown sections and keys, comments,
//   blank lines and their order are kept; a new key is added after the last
//   non-blank line of its section, a new section at the end of the file
//   (after a blank line unless the file ends with one). When a key or a section appears twice, reading and
//   writing use the first key found.
// - Reading never fails: a missing file is an empty file, lines that are
//   neither a section nor "key=value" are kept as they stand and ignored. A
//   path that exists but is not an ordinary file (a folder, a named pipe, a
//   device) is not opened: it reads as an empty file that cannot be saved.
//   A line ends at LF, CR LF or a lone CR, so a value never holds a line
//   break. Lines read are written back with their own bytes and line break
//   unless changed; new lines take the line break of the first line of the
//   file. A new file uses CRLF in Windows-1252 and LF in UTF-8. A UTF-8 byte
//   order mark is kept, and so is a missing final line break.
// - Nothing touches the disk before UpdateFile(), which saves atomically.
class TIniFile final
{
public:
    // Reads the file at once when it exists.
    explicit TIniFile(const QString &path, TEncodage encodage = TEncodage::Utf8);

    const QString &FileName() const { return m_path; }

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    // Section names in file order, as written in the file; a section
    // appearing twice is listed once.
    QStringList Sections() const;
    // Key names of a section in file order, each once.
    QStringList ReadSection(const QString &section) const;
    // The keys of a section with their values, in file order, each key once
    // with the value ReadString gives it. One pass over the file, where
    // ReadString for each key would take a pass per key.
    std::vector<std::pair<QString, QString>> ReadSectionValues(const QString &section) const;

    QString ReadString(const QString &section, const QString &key,
                       const QString &defaut = QString()) const;
    // Decimal or "0x" hexadecimal; the default when absent or unreadable.
    int ReadInteger(const QString &section, const QString &key, int defaut = 0) const;
    // "1", "true", "yes", "oui" are true, "0", "false", "no", "non" false (any
    // case); the default otherwise.
    bool ReadBool(const QString &section, const QString &key, bool defaut = false) const;

    // The value is written trimmed, its line breaks turned into blanks. A
    // section name that is empty or holds "]" or a line break, or a key that
    // is empty, holds "=" or a line break, or could be read back as a
    // section or a comment, cannot be written: the call does nothing.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    // Written as "1" or "0".
    void WriteBool(const QString &section, const QString &key, bool value);
    // Writes key=value pairs of one section, with the result WriteString
    // would give for each pair in turn (names it would refuse are skipped;
    // a key given twice keeps its last value), in one pass over the file
    // where WriteString would take a pass per key.
    void WriteSectionValues(const QString &section, const std::vector<std::pair<QString, QString>> &values);

    // Removes every line of the key in the section (duplicates included).
    void DeleteKey(const QString &section, const QString &key);
    // Removes the section header and all lines up to the next section, in
    // every block of that name.
    void EraseSection(const QString &section);

    // Saves the lines atomically (QSaveFile). Returns false and leaves the
    // previous file untouched when the file cannot be written, or when it
    // existed but could not be read (saving would lose its contents);
    // ErrorString() then says why, without the path ("le disque est plein"
    // for a full disk, see RaisonSysteme in Fichiers.h).
    bool UpdateFile();
    QString ErrorString() const { return m_erreur; }
    // Why the file, which exists, could not be read (not an ordinary file,
    // no permission, an input error); empty when it was read or is absent.
    QString ReadError() const { return m_erreurLecture; }
    // True when something was written since the last read or save.
    bool Modified() const { return m_modifie; }

    // The whole file as text, as UpdateFile() would write it (bytes of an
    // unchanged line that are not valid text are written back as read).
    QString Text() const;

private:
    struct Ligne {
        QString Brut;      // the line as read, or as last written
        QByteArray Octets; // the bytes read, without the line break
        QByteArray Fin;    // the line break read ("\r\n" or "\n"); else empty
        bool Lue = false;  // read from the file and unchanged since
        QString Section;   // section header: its trimmed name; else empty
        QString Cle;       // key line: the trimmed key; else empty
        QString Valeur;    // key line: the trimmed value
        bool EstSection = false;
        bool EstCle = false;
    };

    static Ligne Analyse(const QString &texte);
    // The key line "key=value" as WriteString writes it; false when the key
    // cannot be written.
    static bool LigneCle(const QString &key, const QString &value, Ligne &ligne);
    // Gives a key line read or written before a new value, keeping how the
    // key and the "=" were written.
    void Remplace(Ligne &ligne, const QString &valeur);
    // Whether the section name can be written; its header line then.
    static bool Entete(const QString &section, Ligne &entete);
    void Lit();
    // Index of the first header line of a section, -1 when absent.
    int ChercheSection(const QString &section) const;
    // Index of the first line of the key in any block of the section, -1
    // when absent.
    int ChercheCle(const QString &section, const QString &key) const;
    // Index just past the last non-blank line of the last block of the
    // section; -1 when the section is absent.
    int FinSection(const QString &section) const;
    // The line break written after line i.
    QByteArray FinDeLigne(size_t i) const;

    QString m_path;
    TEncodage m_encodage;
    std::vector<Ligne> m_lignes;
    QString m_erreur;
    // The file exists but could not be read: saving would destroy it.
    QString m_erreurLecture;
    bool m_modifie = false;
    // The line break of new lines: the first one read, else the encoding's.
    QByteArray m_saut;
    bool m_bom = false;
    // The file read ended with a line break (also true for a new file).
    bool m_finFinale = true;
};

// Windows-1252 text of the byte array, byte by byte. The five bytes that the
// code page leaves undefined map to the control characters of the same value.
QString DecodeWindows1252(const QByteArray &bytes);
// Windows-1252 bytes of the text; characters the code page lacks become "?".
QByteArray EncodeWindows1252(const QString &text);
