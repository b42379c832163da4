#pragma once

#include <QString>

class QColor;
class QFont;
class QPrinter;

// Every message box, question, input box and file dialog of the program goes
// through this service. The shell installs the one that shows windows; tests
// install one that answers from a script.

// Kinds of message box.
enum MsgGenre {
    MsgAvertissement = 0,
    MsgErreur = 1,
    MsgInformation = 2,
    MsgQuestion = 3,
};

// Button sets and answers, with the values the program has always used.
enum MsgBoutons {
    BoutonsOk = 0,
    BoutonsOkAnnuler = 1,
    BoutonsOuiNonAnnuler = 3,
    BoutonsOuiNon = 4,
};
enum MsgReponse {
    ReponseOk = 1,
    ReponseAnnuler = 2,
    ReponseOui = 6,
    ReponseNon = 7,
};

class TDialogues
{
public:
    virtual ~TDialogues() = default;

    // A message box titled with the application's name; returns the answer.
    virtual int AppMessageBox(const QString &texte, int genre, int boutons) = 0;
    // A yes/no question; true on yes.
    virtual bool AskYesNo(const QString &texte) = 0;
    // An input box (at most 255 characters); true and the text on OK.
    virtual bool SaisieTexte(const QString &titre, const QString &invite, QString &texte) = 0;
    // A file to open or to save under; empty when cancelled. `filtre` uses
    // the "Bases Lignée (*.mvd)" form, several separated by ";;".
    virtual QString FichierAOuvrir(const QString &titre, const QString &dossier, const QString &filtre) = 0;
    virtual QString FichierAEnregistrer(const QString &titre, const QString &chemin, const QString &filtre) = 0;
    // The same, also telling which of the ";;"-separated filters the user
    // chose (0-based) in *filtreChoisi.
    virtual QString FichierAEnregistrerType(const QString &titre, const QString &chemin, const QString &filtre,
                                            int *filtreChoisi)
    {
        if (filtreChoisi)
            *filtreChoisi = 0;
        return FichierAEnregistrer(titre, chemin, filtre);
    }
    // A colour dialog opening on `couleur`; true and the colour chosen in
    // it on OK. The silent service answers Cancel.
    virtual bool ChoisitCouleur(QColor &couleur)
    {
        (void)couleur;
        return false;
    }
    // A font dialog opening on `fonte` (its family, its pixel size taken as
    // the character height, bold, italic, underline and strike-out) and on
    // the text colour `couleur`; true and the choice on OK, the character
    // height again as the pixel size. The silent service answers Cancel.
    virtual bool ChoisitFonte(QFont &fonte, QColor &couleur)
    {
        (void)fonte;
        (void)couleur;
        return false;
    }
    // Shows a page written by the program (an HTML file) in the user's web
    // browser. The silent service shows nothing.
    virtual void AffichePage(const QString &chemin) { (void)chemin; }
    // The tip window with tip number n and its text. It returns at once: the
    // tip stays on the screen without taking the keyboard.
    virtual void Astuce(int numero, const QString &texte) = 0;
    // The printer dialog for pages premiere..derniere; true when the user
    // chose to print, with the printer set up.
    virtual bool DialogueImpression(QPrinter &imprimante, int premiere, int derniere) = 0;
};

// The service in use. Never null: until one is installed, a silent one
// answers Cancel, No and nothing.
TDialogues &Dialogues();
// Installs a service (not owned); nullptr restores the silent one.
void SetDialogues(TDialogues *dialogues);

// Shorthands for the calls the windows make most.
int AppMessageBox(const QString &texte, int genre, int boutons);
bool AskYesNo(const QString &texte);
bool SaisieTexte(const QString &titre, const QString &invite, QString &texte);
// Tips: tip n is language text 5100 + n. AfficheAstuceUneFois shows it only
// while it has not been shown yet (remembered in the settings, Reglages()).
void AfficheAstuce(int n);
void AfficheAstuceUneFois(int n);
// Called before a dialog is shown; does nothing.
inline void AvantDialogue() {}
