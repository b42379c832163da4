#pragma once

#include <QString>
#include <QStringList>

// The "Key=Value" lines in which a design keeps its page settings and each
// drawing object its own.
//
// - The key of a line is its text before the first "=", taken exactly as it
//   stands (blanks included); its value is the text after that "=", also as
//   it stands. A line without "=" has no key and is never found.
// - Looking a key up compares keys without regard to letter case; the first
//   matching line wins.
// - Writing a value: an empty value removes the first line of that key; a
//   key that is present has that line replaced in place by "key=value"
//   (with the key as given); a key that is absent is appended.
class TLignesCles final
{
public:
    TLignesCles() = default;
    explicit TLignesCles(QStringList lignes) : m_lignes(std::move(lignes)) {}

    const QStringList &Lignes() const { return m_lignes; }
    void SetLignes(const QStringList &lignes) { m_lignes = lignes; }
    void Efface() { m_lignes.clear(); }

    // Index (0-based) of the first line of the key, -1 when absent.
    qsizetype Indice(QStringView cle) const;
    bool Contient(QStringView cle) const { return Indice(cle) >= 0; }
    // The value of the key; an empty text when the key is absent.
    QString Valeur(QStringView cle) const;
    // Writes the value of a key by the rules above.
    void Ecrit(const QString &cle, const QString &valeur);
    // Writes it as Ecrit does, then removes every other line of the key:
    // those later lines, never read while the first stood, would be read in
    // its place once it is removed.
    void EcritSeule(const QString &cle, const QString &valeur);

private:
    QStringList m_lignes;
};
