#pragma once

#include "Dialogues.h"

#include <QColor>
#include <QFont>
#include <QStringList>

#include <deque>

// A dialog service for tests: answers come from queues filled by the test,
// and every message shown is recorded. An empty queue answers Cancel, No or
// nothing, so a forgotten answer never blocks.
class TDialoguesScriptes final : public TDialogues
{
public:
    TDialoguesScriptes() { SetDialogues(this); }
    ~TDialoguesScriptes() override { SetDialogues(nullptr); }

    std::deque<int> Reponses;        // AppMessageBox answers
    std::deque<bool> OuiNon;         // AskYesNo answers
    std::deque<QString> Fichiers;    // file dialog answers
    std::deque<QString> Saisies;     // input box answers (OK with that text)
    QStringList CheminsProposes;     // folder or path each file dialog started on
    QStringList Messages;            // every message and question text, in order
    QStringList TitresFichiers;      // titles of the file dialogs shown
    QList<int> Astuces;              // tips shown
    std::deque<QColor> Couleurs;     // colour dialog answers
    std::deque<std::pair<QFont, QColor>> Fontes; // font dialog answers
    QList<QColor> CouleursProposees; // colours the colour dialogs opened on
    QList<QFont> FontesProposees;    // fonts the font dialogs opened on
    QStringList Pages;               // pages shown in the browser
    bool Imprimer = false;           // answer of the printer dialog
    int Impressions = 0;             // printer dialogs shown

    int AppMessageBox(const QString &texte, int, int boutons) override
    {
        Messages << texte;
        if (!Reponses.empty()) {
            const int r = Reponses.front();
            Reponses.pop_front();
            return r;
        }
        return boutons == BoutonsOk ? ReponseOk : ReponseAnnuler;
    }
    bool AskYesNo(const QString &texte) override
    {
        Messages << texte;
        if (OuiNon.empty())
            return false;
        const bool r = OuiNon.front();
        OuiNon.pop_front();
        return r;
    }
    bool SaisieTexte(const QString &, const QString &invite, QString &texte) override
    {
        Messages << invite;
        if (Saisies.empty())
            return false;
        texte = Saisies.front();
        Saisies.pop_front();
        return true;
    }
    QString FichierAOuvrir(const QString &titre, const QString &chemin, const QString &) override
    {
        CheminsProposes << chemin;
        return fichier(titre);
    }
    QString FichierAEnregistrer(const QString &titre, const QString &chemin, const QString &) override
    {
        CheminsProposes << chemin;
        return fichier(titre);
    }
    int TypeFichier = 0; // filter chosen in the save dialogs that offer several
    QString FichierAEnregistrerType(const QString &titre, const QString &chemin, const QString &, int *choisi) override
    {
        CheminsProposes << chemin;
        if (choisi)
            *choisi = TypeFichier;
        return fichier(titre);
    }

    bool ChoisitCouleur(QColor &couleur) override
    {
        CouleursProposees << couleur;
        if (Couleurs.empty())
            return false;
        couleur = Couleurs.front();
        Couleurs.pop_front();
        return true;
    }
    bool ChoisitFonte(QFont &fonte, QColor &couleur) override
    {
        FontesProposees << fonte;
        if (Fontes.empty())
            return false;
        fonte = Fontes.front().first;
        couleur = Fontes.front().second;
        Fontes.pop_front();
        return true;
    }

    bool DialogueImpression(QPrinter &, int, int) override
    {
        ++Impressions;
        return Imprimer;
    }
    void AffichePage(const QString &chemin) override { Pages << chemin; }
    void Astuce(int numero, const QString &texte) override
    {
        Astuces << numero;
        Messages << texte;
    }

private:
    QString fichier(const QString &titre)
    {
        TitresFichiers << titre;
        if (Fichiers.empty())
            return QString();
        const QString f = Fichiers.front();
        Fichiers.pop_front();
        return f;
    }
};
