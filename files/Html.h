#pragma once

#include <QString>
#include <QStringList>

#include "Textes.h"

class TxiloStyleEdit;

// An HTML page built line by line, then saved with its style sheet beside it.
//
// The header and the footer are the templates DossierModele + "entete.htm"
// and DossierModele + "pied.htm" (UTF-8). In the header every "%titre%"
// stands for the page title. A template that cannot be read is replaced by a
// minimal one of the same role, so a page is always complete HTML.
class THtml final
{
public:
    // The marker of the page title in the header template.
    static QString MarqueTitre() { return QStringLiteral("%titre%"); }

    // `style` gives the style sheet saved beside each page; it must outlive
    // the builder. Its text is read when saving.
    explicit THtml(const TxiloStyleEdit &style);

    // Clears the page and writes the header with the title (plain text,
    // escaped here).
    void DebutPage(const QString &titre);
    // Appends one line of HTML as given (escape person texts with EchappeHtml,
    // core/Textes.h).
    void Ajoute(const QString &ligne);
    // Appends the opening tag of the standard table of the pages.
    void DebutTableau();
    // Appends the footer.
    void FinPage();

    // The page so far, one entry per line.
    const QStringList &Lignes() const { return m_lignes; }

    // Writes the lines (UTF-8, each ended by a line feed) to `chemin`, then
    // the style sheet as "style.css" in the same folder, each file replaced
    // atomically. The style sheet is the text of the style given at
    // construction, or when that is empty a copy of FichierStyleDefaut().
    // Returns false with the reason in *erreur (when given) if either file
    // cannot be written or the shipped style sheet cannot be read; a file
    // that could not be written is left as it was.
    bool Enregistre(const QString &chemin, QString *erreur = nullptr) const;

private:
    const TxiloStyleEdit &m_style;
    QStringList m_lignes;
};
