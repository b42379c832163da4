#pragma once

#include "Look.h"

#include <QWidget>

#include <array>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class TAffArbre;
class TBD;
class THoteArbre;

// "Affichage de l'arbre", the editor of the tree look: a tool window kept
// above the main window, made once at start-up and shown or hidden by its
// command (Commande()).
//
// It edits a working copy of one look, LookEdite(): the text lines of the
// boxes (templates, fonts, styles, alignment), the men's and women's
// backgrounds, the inner margins, the links, and the numbers (generations,
// width, zoom, gaps); the screen colour and texture (CouleurEcran, TextEcran)
// are edited in place. The copy goes onto the ascendance look, the
// descendance look or both, as the drop-down `cbPour` says ("tout
// l'arbre", "l'ascendance", "la descendance"), each look keeping its own
// layout style:
// - after each change while `cbApp` "Appliquer à chaque modification" is
//   checked: most changes rebuild the tree through the builder's deferred
//   rebuild, so that the changes of one turn of the event loop build once;
//   styles, alignment, backgrounds and links only repaint it;
// - at the latest on OK (`B_Ok`) or when the window is closed, which apply
//   and rebuild unless `cbApp` is checked and nothing is pending.
// Typing in the line edit `E` applies nothing until another line is clicked
// in the list `LB` or the window closes.
//
// Its upper part lists the look models, the user's and the shipped ones
// (`lbFileList`, with the thumbnails, and the drop-down `CB_FileList` whose
// edit is the model name `eFile`): a click loads a model, `SB_CelluleSauve`
// (shown while `sbModifier` "&Modifier" is down, with the editing tabs) saves
// the look as the user's model with its thumbnail, Shift+F5 in `eFile` makes
// every thumbnail again, in the user's folder. Failures (a picture that cannot be copied, a model that cannot be
// written, a name that cannot be a file name) are told through Dialogues(),
// and the look keeps its previous value.
//
// Controls are found by their objectName. The database, the tree builder and
// the host must outlive the window.
class TfmCellule final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmCellule)

public:
    TfmCellule(TBD &bd, TAffArbre &arbre, THoteArbre &hote, QWidget *parent = nullptr);
    ~TfmCellule() override;

    // The command "Affichage de l'arbre...": checkable, checked while the
    // window is shown; checking it shows the window, unchecking hides it
    // (without applying). The main window places it in its menus and task
    // buttons.
    QAction *Commande() const { return m_commande; }

    // The look being edited.
    const T1Aff &LookEdite() const { return m_look; }
    // True while a line text typed in `E` has not been applied.
    bool Modifie() const { return m_modifie; }

    // Copies LookEdite onto the looks of the target (each keeping its own
    // Style), sets CouleurEcran from the screen colour panel and asks the
    // tree for a rebuild. Nothing while the window fills its controls.
    void AppCalcule();
    // The same copies, then repaints the tree without rebuilding it.
    void Rafraichis();
    // Fills every control from LookEdite and selects line 0.
    void SetAff();
    // Takes the working copy from the target look again and refills the
    // window and the model lists, as each showing does: for a look replaced
    // while the window is open (another database loaded).
    void Recharge();
    // Refills the model lists from the look folders, loading each thumbnail
    // once; the name in `eFile` is kept.
    void RemplitModeles();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    class TDelegueLignes;
    class TDelegueVignettes;

    // Construction, one part of the window each.
    QWidget *CreeModeles();
    QWidget *CreeTexte();
    QWidget *CreeFond();
    QWidget *CreeMarges();
    QWidget *CreeLiens();
    QWidget *CreeEcran();
    QWidget *CreeNombres();
    void Connecte();

    int Cible() const;
    bool Direct() const;
    void AppliqueLook(int i);
    void CopieLooks();

    // Lines.
    void RemplitLignes();
    void MontreLigne(int ligne);
    void LBClick();
    void EChange(const QString &texte);
    void StyleClick();
    void SB_FonteClick();
    void SB_PlusClick();
    void SB_MoinsClick();
    void DeplaceLigne(int pas);
    void bEditeClick();

    // Backgrounds of the boxes.
    TLookSexe &Sexe();
    void RemplitSexe();
    void MontreGenreFond();
    void SexeChange();
    void sbChoixClick();

    // Margins, links, screen and numbers.
    void MargeChange(QObject *source);
    void LienChange();
    void B_LienCouleurChangeClick();
    void LienTextureClick(int k);
    void SpeedButton11Click();
    void bFondTextureClick();
    void bFondColorClick();
    void NombreChange();
    void B_OkClick();
    void Ferme();

    // Models.
    void lbFileListClick(QListWidgetItem *item);
    void CB_FileListChange(int index);
    void ChoisitModele(const QString &fichier);
    void SelectionneModele(const QString &fichier);
    // Marks the database modified when the look it names (NomLook) is no
    // longer `avant`.
    void NommeLookDeLaBase(const QString &avant);
    void SB_CelluleSauveClick();
    void RefaitVignettes();
    void sbModifierClick(bool bas);

    // A picture chosen by the user, copied into the user's tree pictures
    // (CopieImageArbre); false
    // (the user told) when the copy failed. *nom is the name to store.
    bool CopieImage(const QString &fichier, QString *nom);

    TBD &m_bd;
    TAffArbre &m_arbre;
    THoteArbre &m_hote;
    T1Aff m_look;
    bool m_chargement = false;
    bool m_modifie = false;
    QAction *m_commande;

    // Models.
    QListWidget *m_lbFileList;
    QComboBox *m_cbFileList;
    QLineEdit *m_eFile;
    QToolButton *m_sbCelluleSauve;
    QToolButton *m_sbModifier;
    QStackedWidget *m_pile;
    QWidget *m_pApercu;
    QTabWidget *m_onglets;

    // Lines.
    QListWidget *m_lb;
    QLineEdit *m_e;
    QToolButton *m_gras;
    QToolButton *m_italique;
    QToolButton *m_souligne;
    QToolButton *m_gauche;
    QToolButton *m_centre;
    QToolButton *m_droite;

    // Backgrounds.
    QComboBox *m_cbSexe;
    QButtonGroup *m_rgSexe;
    QFrame *m_pSexe;
    QPushButton *m_sbChoix;
    QLabel *m_iSexe;
    QLineEdit *m_eTexture;
    QLabel *m_lTexture;
    QCheckBox *m_cbOmbre;
    QCheckBox *m_cbArrondis;
    QCheckBox *m_cbCadre;
    QCheckBox *m_cbStretch;

    // Margins.
    std::array<QSpinBox *, 4> m_marges{}; // seMH, seMB, seMD, seMG
    QCheckBox *m_cbMargeIdentique;
    QCheckBox *m_cbAfficheMarge;

    // Links.
    QButtonGroup *m_rgRelier;
    QSpinBox *m_seRelierLarge;
    QFrame *m_sRelierColor;
    QWidget *m_pLienTexture;
    std::array<QToolButton *, 10> m_sbLien{}; // 1..9
    QLabel *m_iLien;

    // Screen.
    QFrame *m_pFond;
    QLabel *m_iFond;

    // Numbers.
    QSpinBox *m_seNbreGen;
    QSpinBox *m_seLarge;
    QSpinBox *m_seZoom;
    QSpinBox *m_seEcartHorz;
    QSpinBox *m_seEcartVert;

    QComboBox *m_cbPour;
    QCheckBox *m_cbApp;
};
