#include "Demarrage.h"
#include "DialoguesQt.h"
#include "TCarteWeb.h"
#include "TQuorWin.h"
#include "TfmAnniFete.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    TCarteWeb::PrepareApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lignée"));
    QApplication::setOrganizationName(QStringLiteral("Lignee"));

    TDialoguesQt dialogues;
    SetDialogues(&dialogues);
    if (!PrepareDemarrage())
        return 1;

    // "-anniv", as a desktop session starts it: the anniversary reminder
    // alone, when its file exists, without the main window or the database.
    if (QApplication::arguments().value(1) == QStringLiteral("-anniv")) {
        AfficheAnniFete(nullptr);
        SetDialogues(nullptr);
        return 0;
    }

    TQuorWin fenetre;
    dialogues.SetParent(&fenetre);
    fenetre.show();
    fenetre.Initialise(QApplication::arguments().mid(1));
    const int code = QApplication::exec();
    SetDialogues(nullptr);
    return code;
}
