#pragma once

#include "Listes.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPlainTextEdit;
class TBD;
class TBKStringGrid;
class TProgression;

// What the report window needs from the main window.
class THoteRapport
{
public:
    virtual ~THoteRapport() = default;
    virtual int SelecPers() const = 0;
    // Makes a person current and shows its record.
    virtual void SelecFiche(int p) = 0;
    // Shows the report window (puts the report button down) when it is not.
    virtual void MontreRapport() = 0;
    // The report window was hidden (the report button comes up).
    virtual void RapportCache() = 0;
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) = 0;
};

// One column of a column model.
struct TColonneModele {
    QString Titre;
    QString Code;    // a person text template
    QString Type;    // language text 572 date, 573 number, else text
    int Large = 100; // width in pixels
};

// The report window "Rapport": a person list shown as rows of a sortable
// grid, one column per entry of the current column model, or another table
// put into the same grid by a predefined report.
class TfmRapport final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmRapport)

public:
    TfmRapport(TBD &bd, THoteRapport &hote, QWidget *parent = nullptr);
    ~TfmRapport() override;

    TBKStringGrid *Grille() const;

    // The current column model.
    std::vector<TColonneModele> &Modele();
    const QString &NomModele() const;
    // Reads / writes a column model file (.mvr). Reading a missing or broken
    // file gives an empty model; the names are looked up without regard to
    // case on disk. Saving returns false with the reason.
    bool Charge(const QString &chemin);
    bool Sauve(const QString &chemin, QString *erreur = nullptr);

    // The report list and its title.
    const TR &Liste() const;
    const QString &Titre() const;
    bool Occupe() const;

    // Fills the grid from a person list with the current column model (does
    // nothing while a fill runs). The window works on its own copy.
    void RemplitTableau(const TR &liste);
    // The report hand-off of the other windows: replaces the report list and
    // title (only when no fill runs), fills the grid, sets the caption and
    // shows the window. False when a fill was running.
    bool AfficheListe(const TR &liste, const QString &titre);
    // Tables whose rows are not persons: InitRapport opens the fill (clears
    // the list and the row values, shows the window), FinRapport closes it.
    bool InitRapport();
    void FinRapport();

    // Writes the grid as delimited text. False with a message naming the file
    // when it cannot be written.
    bool SauveTableau(const QString &chemin, const QString &separateur, QString *erreur = nullptr);

    // Row styling: 0 one colour, 1 alternating, 2 by sex.
    int StyleLignes() const;
    void SetStyleLignes(int style);
};
