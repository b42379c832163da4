#pragma once

#include "BD.h"
#include "TAffArbre.h"
#include "Relatifs.h"
#include "TfmFiche.h"
#include "TfmFicheArbre.h"
#include "TFusion.h"
#include "TfmRapport.h"
#include "TfmSupprime.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QPrinter;
class QLabel;
class QMenu;
class QScrollArea;
class QTabWidget;
class QToolButton;
class TCommandesCarte;
class TfmOptions;
class TPage;
class TfmRapportCritere;
class TfmAjoute;
class TfmAjoutePers;
class TfmCellule;
class TfmRechFiche;
class TPlacement;

// The main window: the File menu, the side task bar `PC`, the tree area
// `Arbre` and the status line. It owns the database and is the one place that
// makes a person current.
class TQuorWin final : public QMainWindow,
                       public THoteArbre,
                       public THoteFiche,
                       public THoteFicheArbre,
                       public THoteFusion,
                       public THoteRapport,
                       public THoteRelatifs,
                       public THoteSupprime
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TQuorWin)

public:
    explicit TQuorWin(QWidget *parent = nullptr);
    ~TQuorWin() override;

    // Reads gene.ini, then opens the database named in `arguments` (the
    // command line after the program name), else the last one used, else the
    // default database of the genealogy folder, else starts a new one.
    void Initialise(const QStringList &arguments);

    TBD &Base() { return m_bd; }
    const TBD &Base() const { return m_bd; }

    // The current person (0 for none).
    int SelecPers() const override { return m_selecPers; }
    // Makes a person current: runs the record form's exit handlers first (so
    // that pending edits are written), records the person in the history,
    // updates the status line and tells every view (SelecPersChangee). In
    // a base without a reference person, p becomes it.
    void SetSelecPers(int p) override;
    // Adds an exit handler, run before each change of the current person.
    void AjouteSortieFiche(std::function<void()> sortie);

    // Back and forward in the history of current persons; false when there
    // is nowhere to go.
    bool Precedent();
    bool Suivant();

    // Title "Lignée - <file>" with a mark when the database is modified.
    void TitreFenetre() override;
    // Loads the look model "perso" when there is one (the user's first, then
    // the shipped one), else the default look.
    void Reset();

    // The shortcuts of the window, for the keys other windows pass on: only
    // function keys and Ctrl combinations are commands. True when a command
    // ran.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;

    void ShowFiche() override;
    void HideFiche();
    TfmFiche *Fiche() const { return m_fiche; }

    // What the record form asks of the main window.
    void PersonneModifiee(int p) override;
    void LiensModifies() override;
    QColor CouleurSexe(int sexe) const override;
    QString DefinitionChamps() const override;
    void FicheCachee() override { HideFiche(); }
    void AffCarte() override;
    void ArbreModifie() override;
    void ChangeReference(int p) override;

    // What the relatives windows ask of the main window.
    bool SaisieIdentite(const QString &titre, int p, bool sexeChoisi) override;
    void MontreNouvelle(int p, const QString &titreFiche, bool focusNom) override;
    void FicheAffiche() override;
    int OngletFiche() const override;
    void SetOngletFiche(int onglet) override;

    // What the delete window asks of the main window.
    TR ListeRapport() const override;
    void MontreListe(const TR &liste, const QString &titre) override;
    void PersonnesSupprimees() override;
    void SupprimeCache() override;
    // Opens the delete window for the current person; does nothing while
    // it is open already.
    void AfficheSupprime();
    TfmSupprime *FenetreSupprime() const { return m_supprime; }

    // The add window for the current person, and the person search (the
    // chosen person becomes current; with reference, also the reference of
    // the tree).
    void AfficheAjoute();
    void RechercheFiche(bool reference);
    TfmAjoute *FenetreAjoute() const { return m_ajoute; }
    TfmAjoutePers *FenetreAjoutePers() const { return m_ajoutePers; }
    TfmRechFiche *FenetreRecherche() const { return m_rechFiche; }

    // The report window and its options window.
    TfmRapport *Rapport() const { return m_rapport; }
    TfmRapportCritere *RapportCritere() const { return m_critere; }
    void SelecFiche(int p) override;
    void MontreRapport() override;
    void RapportCache() override;
    QRect ZoneLibre() const override;
    // The report button: shows or hides the report window by its state.
    void SB_RapportClick();
    // Writes the report grid as delimited text in a file the user chooses.
    bool ExporteRapport();

    // A press on the tree area outside the boxes: the right button opens the
    // tree menu.
    void ArbreMouseDown(Qt::MouseButton bouton, Qt::KeyboardModifiers touches, const QPoint &position) override;
    QMenu *MenuBoite() override { return m_pmArbreBoite; }
    TAffArbre *Arbre() const { return m_affArbre; }
    TPage *Page() const { return m_page; }
    bool FicheVisible() const { return m_ficheVisible; }

    // File commands. Each asks first whether to save a modified database
    // where it would otherwise be lost; false when the user cancelled or the
    // command failed (the user has been told why).
    bool Nouveau();
    bool Ouvrir();
    bool Charge(const QString &chemin);
    bool Enregistrer();
    bool EnregistrerSous();
    // Asks whether to save a modified database: true when the work may go
    // on (saved, or the user said No), false on Cancel or a failed save.
    bool DemandeEnregistrement();

    // Tree page and print commands. sbVoirPage shows the page frames;
    // sbZoomPage and sbCroisePage open the print page dialog with the left
    // button, and with another button step the print zoom (by 100) or the
    // overlap (by 5) up on their upper half, down on their lower half.
    void sbVoirPageClick();
    void AfficheZoomPage();
    void PasPage(bool zoom, bool monte);
    // The print command: the printer dialog for the pages of the grid (or,
    // when no printer is installed, a PDF file to choose), then the pages.
    // False when nothing was printed (the user has been told why, or
    // cancelled).
    bool sbArbreImprimeClick();
    // The printer in use: the system's default printer, else a PDF printer
    // (A4 portrait); it keeps the user's choices from one print to the next.
    QPrinter &Imprimante();
    // The tree setting dialogs; the tree is rebuilt after OK of the first
    // three.
    void AfficheEcart();
    void AfficheLarge();
    void AfficheNbreGen();
    void AfficheZoom();
    void AfficheApparence();
    // The tree look editor, made at start-up.
    TfmCellule *Cellule() const { return m_cellule; }

    // The record-tree navigator, opened and closed by sbFicheArbre.
    TfmFicheArbre *FicheArbre() const { return m_ficheArbre; }

    // What the merge window asks of the main window.
    int ChoisitPersonne() override;
    void MontreFicheArbre() override;
    void ApresFusion() override;

    TfmOptions *FenetreOptions() const { return m_options; }
    // The map commands (map window, zone editor, new map).
    TCommandesCarte *Cartes() const { return m_cartes; }
    void AfficheOptions();

signals:
    // The current person changed: visible views show it.
    void SelecPersChangee(int p);
    // The database was emptied, loaded or replaced.
    void BaseRechargee();
    // Persons or links were edited, added, linked or removed: views that
    // show names or counts refresh them.
    void DonneesModifiees();
    // Persons were deleted or merged: views that keep person numbers drop
    // those no longer in use and show the merged ones again.
    void PersonnesRetirees();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Raises the task buttons that show the report options window.
    void LeveBoutonsOptionsRapport();
    void CreeMenus();
    void CreeMenuArbre();
    void CreeMenuBoite();
    void CreeTaches();
    void CreeCommandesArbre(QWidget *groupe);
    bool eventFilter(QObject *objet, QEvent *evenement) override;
    // Gives the canvas the printable page of the printer in use.
    void PageImprimanteChangee();
    // The pages of the grid on that page, after the automatic fit when on.
    int PagesAImprimer();
    QToolButton *Bouton(QWidget *parent, const char *nom, const QString &texte, bool aEtat = false);
    bool Navigue(int pas);
    // Runs the record form's exit handlers: the edit in progress is written.
    void EcritSaisies();
    void ApresChargement(int reference);
    void AfficheStatut();
    bool Sauve(const QString &chemin);
    void EcritParametresEtStatistiques();
    QString FichierGene() const;

    TBD m_bd;
    int m_selecPers = 0;
    std::vector<std::function<void()>> m_sortiesFiche;
    std::vector<int> m_historique;
    int m_position = -1;
    bool m_dansHistorique = false;
    bool m_ficheVisible = false;
    int m_chargements = 0;

    TfmOptions *m_options = nullptr;
    TPlacement *m_placement = nullptr;
    QTabWidget *m_pc = nullptr;
    QScrollArea *m_arbre = nullptr;
    QLabel *m_statut = nullptr;
    QMenu *m_pmArbre = nullptr;
    QMenu *m_pmArbreBoite = nullptr;
    TPage *m_page = nullptr;
    TAffArbre *m_affArbre = nullptr;
    TfmFiche *m_fiche = nullptr;
    TfmFicheArbre *m_ficheArbre = nullptr;
    TfmRapport *m_rapport = nullptr;
    TfmRapportCritere *m_critere = nullptr;
    TCommandesCarte *m_cartes = nullptr;
    TRelatifs m_relatifs{m_bd, *this};
    TfmAjoute *m_ajoute = nullptr;
    TfmAjoutePers *m_ajoutePers = nullptr;
    TfmRechFiche *m_rechFiche = nullptr;
    TfmCellule *m_cellule = nullptr;
    QPointer<TfmSupprime> m_supprime;
    std::unique_ptr<QPrinter> m_imprimante;
};
