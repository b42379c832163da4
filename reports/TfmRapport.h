#pragma once

#include "Listes.h"

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPlainTextEdit;
class TBD;
class TBKStringGrid;
class TIniFile;
class TProgression;

// What the report window needs from the main window.
class THoteRapport
{
public:
    virtual ~THoteRapport() = default;
    // The current person (0 for none).
    virtual int SelecPers() const = 0;
    // Makes a person current and shows its record.
    virtual void SelecFiche(int p) = 0;
    // Shows the report window (puts the report button down) when it is not.
    virtual void MontreRapport() = 0;
    // The report window was hidden (the report button comes up).
    virtual void RapportCache() = 0;
    // The main window's shortcuts; true when the key was used.
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) = 0;
    // Where the report window may go when it moves beside another window,
    // in screen coordinates (the main window keeps its menus and its task
    // column in sight); a null rectangle for the whole screen.
    virtual QRect ZoneLibre() const { return {}; }
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
//
// Row values: each data row of the grid carries the number of its person, or
// 0 for a row that is not a person (counts, places). A click on a row whose
// person is still in use makes it current (THoteRapport::SelecFiche); a click
// on a title sorts on that column, the other way each time.
class TfmRapport final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmRapport)

public:
    // bd and hote must outlive the window.
    TfmRapport(TBD &bd, THoteRapport &hote, QWidget *parent = nullptr);
    ~TfmRapport() override;

    TBKStringGrid *Grille() const;
    // The progress bar along the bottom edge, for the fills of other windows.
    TProgression *Progression() const;

    // The current column model, in report order. Changes take effect at the
    // next fill.
    std::vector<TColonneModele> &Modele();
    // The model name (file name without folder or extension, as asked for);
    // empty until a model was loaded.
    const QString &NomModele() const;
    // Reads a column model file (.mvr, Windows-1252) into the model and sets
    // the model name from the path. The file name is looked up without regard
    // to case in its folder ("Standard.mvr" for ".../standard.mvr"). Returns
    // true when the columns were read; a count above 256 reads as 256. A
    // file that cannot be used (missing, unreadable, empty, of another
    // version than 2, or whose column count is absent or negative) leaves
    // the model and its name as they were and gives false, with a message
    // naming the file and the reason in *erreur (may be null; language text
    // 9402). Emits ModeleCharge when the model changed.
    bool Charge(const QString &chemin, QString *erreur = nullptr);
    // Writes the model as a new file, replacing the one of that name (found
    // without regard to case); the widths are those shown in the grid when it
    // shows the model. Atomic: a failed save leaves the old file as it was and
    // returns false with a message naming the file in *erreur.
    bool Sauve(const QString &chemin, QString *erreur = nullptr);
    // The column part of a model file already read, by the rules of Charge
    // ([Lignee] Version, [Colonne]); the advanced selection files carry the
    // same part. False when it cannot be used, the model unchanged and the
    // reason in *raison (may be null). Emits ModeleCharge when the model
    // changed.
    bool ChargeColonnes(const TIniFile &ini, QString *raison = nullptr);
    // Writes the column part ([Lignee] Version 2 and [Colonne]) into `ini`.
    void SauveColonnes(TIniFile &ini) const;

    // The report list and its title.
    const TR &Liste() const;
    const QString &Titre() const;
    // Gives the person report a new title, which the caption shows from the
    // next fill on (the list and the grid stay as they are).
    void DefinitTitre(const QString &titre);
    // True while a fill runs (between InitRapport and FinRapport included).
    bool Occupe() const;

    // Fills the grid from a person list with the current column model (does
    // nothing while a fill runs; loads the default model first when none was
    // loaded). The report list is not changed. The window works on its own
    // copy of the list and of the model, since window messages are processed
    // now and then during the fill (TCadence).
    void RemplitTableau(const TR &liste);
    // The report hand-off of the other windows: replaces the report list and
    // title (only when no fill runs), fills the grid, sets the caption and
    // shows the window with that list, even an empty one. False when a fill
    // was running (nothing changed).
    //
    // The window that hands a report over (the active window when the
    // hand-off starts, here or in InitRapport) gets it in sight: the report
    // window, at least as wide as its columns need up to half the screen,
    // moves beside that window when it covers part of it, within the host's
    // free area (THoteRapport::ZoneLibre), made at most half as high; where
    // no side has room for that, it goes where it covers the least of that
    // window, wholly on that area, rather than being cut. It stays on top
    // when that window does, and is raised; it is activated when it still
    // covers part of that window.
    bool AfficheListe(const TR &liste, const QString &titre);
    // Tables whose rows are not persons: InitRapport opens the fill (clears
    // the list and the row values, shows the window; false when a fill runs),
    // the caller then writes the grid, and FinRapport closes it (shows the
    // grid when it has data rows, sizes the window to the columns).
    bool InitRapport();
    void FinRapport();
    // Between InitRapport and FinRapport: a table whose rows are persons
    // makes them the report list, so that an advanced selection can start
    // from it (the grid is not filled again).
    void DefinitListe(const TR &liste);
    // True when the database was replaced during the fill that runs: the
    // rows computed so far name persons of the previous database, and
    // FinRapport will drop them. Long computations stop early on it.
    bool Interrompu() const;
    // Sorts the grid on a column (0-based) as a title click does, in the
    // direction given, with the progress bar and the caption "Tri en
    // cours..." meanwhile; the row of the selected person stays selected and
    // the next title click sorts the other way. Unlike a click, it also works
    // between InitRapport and FinRapport. Ignored for a column out of range.
    void TrieColonne(int col, bool ascendant);

    // Writes the grid as delimited text, titles first, rows and columns in
    // the order shown: each cell followed by the separator (after the last
    // one too), each row by CR LF, Windows-1252. A cell holding the
    // separator, a double quote, CR or LF is quoted ("..." with inner quotes
    // doubled). A grid of no rows gives an empty file. Atomic; false with a
    // message naming the file in *erreur when it cannot be written.
    bool SauveTableau(const QString &chemin, const QString &separateur, QString *erreur = nullptr);

    // Forgets the report list and empties the grid (the columns stay), as
    // when a database is opened, created or closed: no row may keep the
    // number of a person of the previous database. A window on screen then
    // lists every person again. During a fill, the fill stops at its next
    // pause and the grid is emptied then.
    void Vide();

    // Persons were deleted or merged (the host says so): the report list
    // loses the persons no longer in use; a person report (filled from the
    // column model) is filled again from that list, so that merged persons
    // show what they hold now, and sorted again as it was; another table
    // loses its rows of persons no longer in use. No row is left whose
    // click would reach a freed slot, which a new person may take. Asked
    // for during a fill, it is done when the fill ends.
    void PersonnesChangees();

    // Row styling: 0 one colour, 1 alternating, 2 by sex; -1 is taken as 1.
    // The colours are the "background-color" of the style sheet rules
    // ".rowunique", ".rowPair"/".rowImpair", ".rowHomme"/".rowFemme" (white
    // when missing) and "table thead td" for the titles (light grey).
    int StyleLignes() const;
    void SetStyleLignes(int style);

signals:
    // The window went back to its first report, every person with the
    // default column model: the options window shows that kind chosen.
    void SelectionInitiale();
    // The report list was replaced (Liste() gives the new one).
    void ListeChangee();
    // Charge changed the column model (the column editor shows it again).
    void ModeleCharge();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    class TDelegueLignes;
    struct TCouleurs {
        QColor Titre, Unique, Pair, Impair, Homme, Femme;
    };

    // ChargeColonnes without the signal.
    bool LitColonnes(const TIniFile &ini, QString *raison);
    // The first report: every person, with the default column model.
    void ToutesLesPersonnes();
    void VideGrille();
    // After a fill: when the database was replaced meanwhile, empties the
    // grid (and refills it when shown) and returns true.
    bool Abandonne();
    // Removes the data rows whose row value is a person no longer in use.
    void RetireLignesOrphelines();
    // At the end of a fill: what PersonnesChangees was asked for meanwhile.
    void ApresRemplissage();
    void TitreClic(int col);
    void SelecFiche(int ligne);
    // Selects the first row whose row value is `valeur`, else none.
    void SelectionneValeur(int valeur);
    void AfficheGrille();
    void AjusteLargeur(bool toujours);
    // The width the columns need: theirs, one pixel of grid line each, and
    // the vertical scroll bar.
    int LargeurColonnes() const;
    // Puts the report beside the frame `servi` (screen coordinates), on the
    // host's free area, never narrower than its columns need up to half the
    // screen: where no side has room for that, it covers the least of
    // `servi` it can, whole on the screen.
    void MetEnVue(const QRect &servi);
    void LitCouleurs();
    void AppliqueCouleurTitre();
    QColor CouleurLigne(int ligne) const;
    // The active window, when it is another of the program's windows.
    QWidget *FenetreSource() const;
    // At the end of a hand-off: the report in sight of the window that asked
    // for it (see AfficheListe).
    void Presente();
    void LargeurChangee(int col, int largeur);

    TBD &m_bd;
    THoteRapport &m_hote;
    TBKStringGrid *m_grille;
    QPlainTextEdit *m_memo;
    QProgressBar *m_barre;
    std::unique_ptr<TProgression> m_progression;

    std::vector<TColonneModele> m_modele;
    QString m_nomModele;
    TR m_liste;
    QString m_titre;
    // The window handing a report over, until the report is shown.
    QPointer<QWidget> m_source;
    // The window's own caption, shown while it holds no report.
    QString m_titreFenetre;
    // The grid's columns are those of the model (the last fill was one).
    bool m_grilleModele = false;
    bool m_occupe = false;
    // Set while AfficheListe shows the window with the list it was given.
    bool m_remise = false;
    // Set when the database was replaced during a fill: the fill stops.
    bool m_abandon = false;
    // Set when persons were deleted or merged during a fill.
    bool m_personnesChangees = false;
    // Direction of the last sort; a title click sorts the other way. It
    // starts as if the last sort had been descending, so that the first
    // click sorts ascending, and fills keep it.
    bool m_dernierTriCroissant = false;
    bool m_curseurAttente = false;
    int m_styleLignes = 1;
    TCouleurs m_couleurs;
    QString m_feuilleTitre;
};
