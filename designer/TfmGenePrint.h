#pragma once

#include <memory>

#include <QString>
#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QToolButton;
class TBD;
class TxiloApercuModele;
class TxiloCAD;
class TxiloCADMdl;
class TxiloMenuBarre;

// The folders of the artistic print window, each empty or a folder (the
// window adds the final "/" where it is missing):
// the skin of its button bar (the file "skin.txt", section "skin2", and the
// button pictures; empty: plain buttons), the design models (one subfolder
// per category), the pictures the models name, and a second folder of
// models shown as the category "<softprint>" (empty: none).
struct TDossiersGenePrint {
    QString Skin;
    QString Modeles;
    QString Images;
    QString ModelesUser;
};

// "Impression artistique": the user picks a design model in a category,
// sees it filled for the reference person of the database (RefPers), types
// the three texts the models leave to them, saves the result as a picture
// or prints it.
//
// Controls, by objectName: the button row Panel1 with sbModele "Modèle",
// sbPersonnalise "Personnaliser", sbEnregistrer "Enregistrer", sbPrint
// "Imprimer" and sbClose "Retour" (replaced, when a skin folder is given, by
// a skinned bar whose buttons btn21 to btn25 run the same commands, and
// whose colour pModele and Panel2 take); the models panel pModele (hidden at
// first) with the categories cbFolder above the model chooser; the editor
// control (a viewer here) in pCAD; and the panel pPersonnalise (hidden at
// first) with the edits eTexte1 "Titre :", eTexte2 "Texte :" (lines
// separated by "|"), eTexte3 "Signature :" and the button Button1
// "Rafraichir"; and at the bottom the status line lStatut, which says where
// the last picture saved or PDF file printed went.
//
// Filling a model (ApplyModel) reads it again from its file, so nothing the
// user types is ever written into a model: a text object whose whole text is
// "<texte1>", "<texte2>" or "<texte3>" (letter case ignored) takes the edit's
// text, any other text is a person template (ExpandTemplate) for the person,
// filled line by line, a "|" in the person's data written "/" (it would
// break the line);
// a picture object with a Code takes the picture that template names for
// the person (its photograph with "<photo>"); placeholders left after that
// are dropped. Picture names are resolved by ResoutNomImpression
// (ImpressionModele.h) with the images folder and the open database
// (FichierCourant).
//
// Messages, questions and file dialogs go through the dialog service.
class TfmGenePrint final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmGenePrint)

public:
    // Formats the window saves a design in, in the order of the save
    // dialog's filters; each writes the design's objects at `largeur` x
    // `hauteur` pixels to `fichier` whole or not at all, false (with a
    // reason in *erreur when it has one) on failure.
    struct TFormatImage {
        QString Filtre;    // "Image jpeg (*.jpg)"
        QString Extension; // ".jpg"
        bool (*Ecrit)(TxiloCADMdl &modele, const QString &fichier, int largeur, int hauteur,
                      QString *erreur);
    };
    static const std::vector<TFormatImage> &FormatsImage();
    // Pixels per millimetre of a saved picture.
    static constexpr int PixelsParMm = 10;
    // A saved picture holds at most this many pixels (an A0 page).
    static constexpr qint64 PixelsMaxImage = qint64(100) * 1000 * 1000;

    // `bd` must outlive the window. It prints on the system's default
    // printer, made at the first print, else (no printer installed) on a PDF
    // printer on A4 paper, for which the file is asked; or on `imprimante`
    // when given (a PDF printer too asks for its file).
    TfmGenePrint(const TBD &bd, const TDossiersGenePrint &dossiers, QWidget *parent = nullptr);
    TfmGenePrint(const TBD &bd, const TDossiersGenePrint &dossiers, QWidget *parent,
                 std::unique_ptr<QPrinter> imprimante);
    ~TfmGenePrint() override;

    // What showing the window does: the skinned bar when a skin folder is
    // given, the categories (the subfolders of the models folder, after
    // "<softprint>" for a second folder), the models panel shown on the
    // first category, and its first model applied ("Aucun modèle" for an
    // empty category). False, after the message "Not found :
    // path_modele_print=" and the folder, when there is no category at all:
    // the window is then not to be shown.
    bool Prepare();

    // Fills and shows a model file; false after "Not found : " and the path
    // when there is no such file (nothing else changes), or after a message
    // saying why it could not be read or used (a page without a valid
    // size): the page is then left empty, with no object and no size.
    bool ApplyModel(const QString &fichier);

    TxiloCAD &Editeur() const { return *m_cad; }
    TxiloApercuModele &Choix() const { return *m_choix; }
    TxiloMenuBarre *Barre() const { return m_barre; }
    // The model file last applied, the person it was filled for.
    const QString &ModeleCourant() const { return m_modeleCourant; }
    int Personne() const { return m_personne; }

private:
    QToolButton *Bouton(const char *nom, const QString &texte, int glyphe);
    void sbModeleClick();
    void sbPersonnaliseClick();
    void sbEnregistrerClick();
    void sbPrintClick();
    void cbFolderChange();
    void RefaitApercus();
    void Button1Click();
    void MajBoutons();
    QPrinter &Imprimante();
    // A message of this window after one of its dialogs, over this window.
    void Signale(const QString &texte, int genre);
    QString ResoutNom(const QString &nom) const;
    // The person template `modele` of a text (lines separated by "|")
    // filled for the person, each "|" of the person's data as "/".
    QString TextePersonne(const QString &modele) const;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

    const TBD &m_bd;
    TDossiersGenePrint m_dossiers;
    int m_personne = 0;
    QString m_modeleCourant;
    QString m_dossierCharge;
    std::unique_ptr<QPrinter> m_imprimante;

    QWidget *m_panel1;
    QToolButton *m_sbModele;
    QToolButton *m_sbPersonnalise;
    QWidget *m_pModele;
    QWidget *m_panel2;
    QComboBox *m_cbFolder;
    TxiloApercuModele *m_choix;
    QWidget *m_pCAD;
    TxiloCAD *m_cad;
    QWidget *m_pPersonnalise;
    QLineEdit *m_eTexte1;
    QLineEdit *m_eTexte2;
    QLineEdit *m_eTexte3;
    QPushButton *m_button1;
    QLabel *m_lStatut;
    TxiloMenuBarre *m_barre = nullptr;
};

// Opens the artistic print window on the database with those folders, as a
// window of `owner` freed when closed, maximised. False, the window not
// shown, when Prepare refuses.
bool ShowGenePrint(QWidget *owner, const TBD &bd, const TDossiersGenePrint &dossiers);

// The folders the program gives the window (Globales.h): the skin, models
// and images folders of the print window, and the user's own models folder
// only when it holds models.
TDossiersGenePrint DossiersGenePrint();

// Adds "Impression artistique..." (objectName MI_GenePrint) to `menu`: it
// brings forward the window already open for `fenetre`, else opens one with
// DossiersGenePrint(). `bd` must outlive `fenetre`.
QAction *AjouteCommandeGenePrint(QMenu *menu, const TBD &bd, QWidget *fenetre);
