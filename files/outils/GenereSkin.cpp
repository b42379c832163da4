// Writes the default skin of the artistic print window's button bar: the
// file skin.txt and the button pictures btn21.png to btn25.png. Run it after
// changing SkinImpression.cpp:
//     build/files/lignee_skin modele/0/impression/skin

#include <cstdio>

#include <QDir>
#include <QGuiApplication>

#include "SkinImpression.h"

int main(int argc, char **argv)
{
    // The drawing of the tests, whatever the desktop's settings.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <skin folder>\n", argv[0]);
        return 2;
    }
    const QString dossier = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    if (!QDir().mkpath(dossier) || !skinimpression::EcritSkin(dossier)) {
        std::fprintf(stderr, "cannot write the skin into %s\n", qPrintable(dossier));
        return 1;
    }
    std::printf("%s\n", qPrintable(dossier));
    return 0;
}
