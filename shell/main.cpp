#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lignée"));
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Lignée"));
    fenetre.resize(1024, 700);
    fenetre.show();
    return QApplication::exec();
}
