#include "Dialogues.h"

#include "Langue.h"
#include "Options.h"

namespace {

// Used before the shell installs its service, and in tests that do not
// script any answer: it never blocks and never agrees to anything.
class TDialoguesMuets final : public TDialogues
{
public:
    int AppMessageBox(const QString &, int, int boutons) override
    {
        return boutons == BoutonsOk ? ReponseOk : boutons == BoutonsOuiNon ? ReponseNon : ReponseAnnuler;
    }
    bool AskYesNo(const QString &) override { return false; }
    bool SaisieTexte(const QString &, const QString &, QString &) override { return false; }
    QString FichierAOuvrir(const QString &, const QString &, const QString &) override { return {}; }
    QString FichierAEnregistrer(const QString &, const QString &, const QString &) override { return {}; }
    void Astuce(int, const QString &) override {}
    bool DialogueImpression(QPrinter &, int, int) override { return false; }
};

TDialoguesMuets g_muets;
TDialogues *g_dialogues = nullptr;

} // namespace

TDialogues &Dialogues()
{
    return g_dialogues ? *g_dialogues : g_muets;
}

void SetDialogues(TDialogues *dialogues)
{
    g_dialogues = dialogues;
}

int AppMessageBox(const QString &texte, int genre, int boutons)
{
    return Dialogues().AppMessageBox(texte, genre, boutons);
}

bool AskYesNo(const QString &texte)
{
    return Dialogues().AskYesNo(texte);
}

bool SaisieTexte(const QString &titre, const QString &invite, QString &texte)
{
    return Dialogues().SaisieTexte(titre, invite, texte);
}

void AfficheAstuce(int n)
{
    Dialogues().Astuce(n, MLText(5100 + n));
}

void AfficheAstuceUneFois(int n)
{
    if (Reglages().AstucesVues.insert(n).second)
        AfficheAstuce(n);
}
