#include "GardeEcran.h"

#include "Voisinage.h"

#include <algorithm>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

TGardeEcran::TGardeEcran(QObject *parent)
    : QObject(parent)
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

TGardeEcran::~TGardeEcran()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

QRect TGardeEcran::Ramene(const QRect &cadre, const QRect &ecran)
{
    if (cadre.isEmpty() || ecran.isEmpty() || ecran.contains(cadre))
        return cadre;
    QRect r(cadre.topLeft(), cadre.size().boundedTo(ecran.size()));
    r.moveLeft(std::clamp(r.left(), ecran.left(), ecran.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), ecran.top(), ecran.bottom() - r.height() + 1));
    return r;
}

bool TGardeEcran::GardeSurEcran(QWidget *fenetre)
{
    if (!Concerne(fenetre) || !fenetre->isVisible())
        return false;
    const QRect cadre = fenetre->frameGeometry();
    // The screen that shows most of the window: its title's when there is
    // one under it.
    const QScreen *ecran = QGuiApplication::screenAt(QPoint(cadre.center().x(), cadre.top()));
    if (!ecran)
        ecran = fenetre->screen();
    if (!ecran)
        return false;
    const QRect voulu = Ramene(cadre, ecran->availableGeometry());
    if (voulu == cadre)
        return false;
    // Never below what the window can show.
    const QMargins marges = MargesCadre(fenetre);
    const QSize minimum = fenetre->minimumSize().expandedTo(fenetre->minimumSizeHint());
    QRect r = voulu;
    r.setSize(r.size().expandedTo(minimum.grownBy(marges)).boundedTo(cadre.size()));
    PlaceCadre(fenetre, r);
    return true;
}

bool TGardeEcran::Concerne(const QWidget *fenetre)
{
    if (!fenetre || !fenetre->isWindow())
        return false;
    switch (fenetre->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
        break;
    default:
        return false;
    }
    return !(fenetre->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
}

bool TGardeEcran::eventFilter(QObject *objet, QEvent *evenement)
{
    const QEvent::Type type = evenement->type();
    if ((type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize) || !objet->isWidgetType())
        return QObject::eventFilter(objet, evenement);
    auto *fenetre = static_cast<QWidget *>(objet);
    if (!fenetre->isWindow())
        return QObject::eventFilter(objet, evenement);
    const qint64 maintenant = QDeadlineTimer::current().deadline();
    if (type == QEvent::Show && Concerne(fenetre)) {
        if (!m_surveillees.contains(fenetre))
            connect(fenetre, &QObject::destroyed, this, [this, fenetre] { m_surveillees.remove(fenetre); });
        m_surveillees.insert(fenetre, maintenant + Delai);
        // After the showing, with the geometry the window was given.
        QPointer<QWidget> garde(fenetre);
        QTimer::singleShot(0, this, [this, garde] {
            if (garde)
                Verifie(garde);
        });
    } else if (type != QEvent::Show) {
        const auto it = m_surveillees.constFind(fenetre);
        if (it == m_surveillees.cend())
            return QObject::eventFilter(objet, evenement);
        if (maintenant > *it)
            return QObject::eventFilter(objet, evenement);
        // The window system telling the frame comes as a move or a resize.
        if (evenement->spontaneous()) {
            QPointer<QWidget> garde(fenetre);
            QTimer::singleShot(0, this, [this, garde] {
                if (garde)
                    Verifie(garde);
            });
        }
    }
    return QObject::eventFilter(objet, evenement);
}

void TGardeEcran::Verifie(QWidget *fenetre)
{
    if (!m_surveillees.contains(fenetre))
        return;
    GardeSurEcran(fenetre);
}
