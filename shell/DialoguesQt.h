#pragma once

#include "Dialogues.h"

class QWidget;

// The dialog service of the running program: real message boxes, input boxes
// and file dialogs, titled "Lignée".
class TDialoguesQt final : public TDialogues
{
public:
    explicit TDialoguesQt(QWidget *parent = nullptr);
    void SetParent(QWidget *parent) { m_parent = parent; }

    int AppMessageBox(const QString &texte, int genre, int boutons) override;
    bool AskYesNo(const QString &texte) override;
    bool SaisieTexte(const QString &titre, const QString &invite, QString &texte) override;
    QString FichierAOuvrir(const QString &titre, const QString &dossier, const QString &filtre) override;
    QString FichierAEnregistrer(const QString &titre, const QString &chemin, const QString &filtre) override;
    QString FichierAEnregistrerType(const QString &titre, const QString &chemin, const QString &filtre,
                                    int *filtreChoisi) override;
    bool ChoisitCouleur(QColor &couleur) override;
    bool ChoisitFonte(QFont &fonte, QColor &couleur) override;
    void AffichePage(const QString &chemin) override;
    void Astuce(int numero, const QString &texte) override;
    bool DialogueImpression(QPrinter &imprimante, int premiere, int derniere) override;

private:
    QWidget *m_parent;
};
