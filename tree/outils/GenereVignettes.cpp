// Writes the thumbnail "<name>.png" of every look model "<name>.mva" shipped
// in <modele>/1/arbre, as the program draws it. Run it after changing a
// shipped model:
//     build/tree/lignee_vignettes modele

#include "Images.h"
#include "VignettesLivrees.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // The drawing of the tests, whatever the desktop's font settings.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <models folder>\n", argv[0]);
        return 2;
    }
    const QString modele = QString::fromLocal8Bit(argv[1]);
    PrepareVignettesLivrees(modele);
    int erreurs = 0;
    for (const QString &mva : ModelesLivres(modele)) {
        const QString png = mva.chopped(4) + QStringLiteral(".png");
        if (EcritPng(VignetteLivree(mva), png)) {
            std::printf("%s\n", qPrintable(png));
        } else {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
            ++erreurs;
        }
    }
    return erreurs == 0 ? 0 : 1;
}
