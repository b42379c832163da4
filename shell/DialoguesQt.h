#pragma once

#include "Dialogues.h"

#include <QPointer>
#include <QWidget>

// The dialog service of the running program: real message boxes, input boxes
// and file dialogs, titled "Lignée".
//
// Each dialog opens over the window the user works in (Fenetre) and, when
// that window stays on top of the others, stays on top as well: a dialog
// under the window that opened it would leave the program waiting for an
// answer nobody can see.
class TDialoguesQt final : public TDialogues
{
public:
    // `parent` (the main window) is the window of the dialogs opened while
    // none of the program's windows is active; not owned.
    explicit TDialoguesQt(QWidget *parent = nullptr);
    void SetParent(QWidget *parent) { m_parent = parent; }

    // The window the next dialog belongs to: the modal window open, else the
    // active window, else the main window (null when there is none).
    QWidget *Fenetre() const;

    int AppMessageBox(const QString &texte, int genre, int boutons) override;
    bool AskYesNo(const QString &texte) override;
    bool SaisieTexte(const QString &titre, const QString &invite, QString &texte) override;
    QString FichierAOuvrir(const QString &titre, const QString &dossier, const QString &filtre) override;
    QString FichierAEnregistrer(const QString &titre, const QString &chemin, const QString &filtre) override;
    QString FichierAEnregistrerType(const QString &titre, const QString &chemin, const QString &filtre,
                                    int *filtreChoisi) override;
    bool ChoisitCouleur(QColor &couleur) override;
    bool ChoisitFonte(QFont &fonte, QColor &couleur) override;
    // Opens the page with the desktop's opener (xdg-open); when it cannot
    // start, or says within a few seconds that it failed, a message tells
    // where the page is. The message may come after the call has returned.
    void AffichePage(const QString &chemin) override;
    void Astuce(int numero, const QString &texte) override;
    bool DialogueImpression(QPrinter &imprimante, int premiere, int derniere) override;

private:
    QPointer<QWidget> m_parent;
};
