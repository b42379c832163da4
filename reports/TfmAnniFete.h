#pragma once

#include <QDialog>
#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>

#include <map>
#include <utility>
#include <vector>

#include "AnniFete.h"

class QLabel;
class QScrollArea;

// The anniversary reminder "Anniversaires et fêtes à souhaiter": a borderless
// window of 280 x 180 pixels shaped as a rectangle with rounded corners
// (corner ellipses of 24 x 24), centred on the screen, that lists in the
// scroll box sb (at 10, 10, 260 x 160, on the background picture Image2):
// - today's long date ("Mercredi 25 décembre 2024", Aujourdhui(), Dates.h)
//   and today's name days from the name-day table ("Fêtes: " + names);
// - under "Aujourd'hui:", today's entries of the anniversaries file;
// - the entries of the next NbreJour days, each day under its long date and
//   its distance ("(1 jour).", "(8 jours)."); when none of those days has
//   an entry, "Le prochain aura lieu le:" and the next day that has one,
//   when there is one within a year.
// An entry line reads "Anniversaire de Paul DUPONT (75 ans)." or "Fête de
// Noël MARTIN.": the age is the year of the day it is listed under less the
// birth year, shown when the birth year is known and the age not negative.
// A click anywhere on the window or any key closes it.
class TfmAnniFete final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmAnniFete)

public:
    // The lines are laid out here from the file's content and today's date.
    explicit TfmAnniFete(const TAnniFete &anniFete, QWidget *parent = nullptr);

    // One line as laid out: its text, its type, its top left corner in the
    // scroll box's content (Image3). Each line takes the height of the type
    // it was asked in, plus one pixel; a line wider than the box (less its
    // 20-pixel margin) is written in the largest smaller type that fits, 8
    // pixels at least, at the top of its row.
    struct TLigne {
        QString Texte;
        QFont Fonte;
        QPoint Position;
        QSize Taille; // of the text in that type
    };
    // Every line measured.
    const std::vector<TLigne> &LignesAnniv() const;
    // The texts of the lines, top to bottom.
    QStringList Lignes() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    // One line of a font `hauteur` pixels high, centred in the scroll box,
    // below the previous ones. The lines are painted by Image3: a large file
    // gives thousands of them, too many for a widget each.
    void AjouteLigneAnniv(const QString &texte, int hauteur, bool gras = false);
    // The window's type at `hauteur` pixels, bold or not, with its measures;
    // made once for all the lines that use it.
    const std::pair<QFont, QFontMetrics> &Fonte(int hauteur, bool gras) const;
    // Line i with its type fitted, its width and its left edge, measured
    // the first time it is asked for.
    const TLigne &LigneMesuree(size_t i) const;
    // The lines of a day's entries, ages counted for `annee`.
    void GrilleVersLignes(const std::vector<TEntreeAnniFete> &entrees, int annee);

    QLabel *m_image2;
    QScrollArea *m_sb;
    class TLignes;
    TLignes *m_image3;
    // Laid out at once, measured when painted: a file of thousands of
    // entries shows a dozen lines at a time.
    mutable std::vector<TLigne> m_lignes;
    struct TDemande {
        int Hauteur;
        bool Gras;
        bool Mesuree;
    };
    mutable std::vector<TDemande> m_demandes;
    int m_haut = 0;
    mutable std::map<std::pair<int, bool>, std::pair<QFont, QFontMetrics>> m_fontes;
};

// What AfficheAnniFete did.
enum class TRappelAnniFete {
    Montre,      // the reminder was shown
    SansFichier, // there is no anniversaries file: nothing was shown
    Illisible,   // the file is there but could not be read: the user was told
};

// Shows the reminder modally for the anniversaries file FichierAnniFete
// (Globales.h); does nothing when that file does not exist. A file that is
// there but cannot be read (not an ordinary file, no right to read it) is
// told to the user (language text 5001), and nothing else.
TRappelAnniFete AfficheAnniFete(QWidget *owner);
