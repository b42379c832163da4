#include "Demarrage.h"
#include "DialoguesQt.h"
#include "TCarteWeb.h"
#include "TQuorWin.h"

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

    TQuorWin fenetre;
    dialogues.SetParent(&fenetre);
    fenetre.show();
    fenetre.Initialise(QApplication::arguments().mid(1));
    const int code = QApplication::exec();
    SetDialogues(nullptr);
    return code;
}
