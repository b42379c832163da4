#include "Voisinage.h"

#include <algorithm>
#include <cstdlib>

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// The rectangle moved, no larger than the screen, so as to lie on it.
QRect surEcran(QRect r, const QRect &ecran)
{
    r.setSize(r.size().boundedTo(ecran.size()));
    r.moveLeft(std::clamp(r.left(), ecran.left(), ecran.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), ecran.top(), ecran.bottom() - r.height() + 1));
    return r;
}

} // namespace

QMargins MargesCadre(const QWidget *fenetre)
{
    const QRect f = fenetre->frameGeometry();
    const QRect g = fenetre->geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

QRect RectACote(const QRect &cadre, QSize minimum, const QRect &servi, const QRect &ecran, int cotes)
{
    if (cadre.isEmpty() || ecran.isEmpty())
        return cadre;
    // A window that only strays off the screen is brought back as it is.
    const QRect ramene = surEcran(cadre, ecran);
    if (!ramene.intersects(servi))
        return ramene;

    const QSize voulue = ramene.size();
    minimum = minimum.boundedTo(voulue).expandedTo(QSize(1, 1));
    // The room on each side of the served rectangle, in the order that wins
    // ties.
    const std::pair<TCote, QRect> places[] = {
        {CoteDroit, QRect(QPoint(servi.right() + 1, ecran.top()), ecran.bottomRight())},
        {CoteGauche, QRect(ecran.topLeft(), QPoint(servi.left() - 1, ecran.bottom()))},
        {CoteDessous, QRect(QPoint(ecran.left(), servi.bottom() + 1), ecran.bottomRight())},
        {CoteDessus, QRect(ecran.topLeft(), QPoint(ecran.right(), servi.top() - 1))},
    };
    QRect meilleure;
    bool entiere = false;
    long long critere = 0;
    for (const auto &[cote, cotePlace] : places) {
        // A served rectangle partly off the screen leaves only the screen.
        const QRect place = cotePlace.intersected(ecran);
        if (!(cotes & cote) || place.width() < minimum.width() || place.height() < minimum.height())
            continue;
        const QSize taille = voulue.boundedTo(place.size());
        QRect r(QPoint(0, 0), taille);
        const int haut = std::clamp(cadre.top(), place.top(), place.bottom() - taille.height() + 1);
        const int gauche = std::clamp(cadre.left(), place.left(), place.right() - taille.width() + 1);
        switch (cote) {
        case CoteDroit:
            r.moveTopLeft({place.left(), haut});
            break;
        case CoteGauche:
            r.moveTopRight({place.right(), haut});
            break;
        case CoteDessous:
            r.moveTopLeft({gauche, place.top()});
            break;
        default:
            r.moveBottomLeft({gauche, place.bottom()});
            break;
        }
        // Whole, the nearest; else the largest.
        const bool ici = taille == voulue;
        const long long valeur = ici ? std::llabs(static_cast<long long>(r.left()) - cadre.left())
                                            + std::llabs(static_cast<long long>(r.top()) - cadre.top())
                                     : -static_cast<long long>(taille.width()) * taille.height();
        if (meilleure.isNull() || (ici && !entiere) || (ici == entiere && valeur < critere)) {
            meilleure = r;
            entiere = ici;
            critere = valeur;
        }
    }
    return meilleure.isNull() ? cadre : meilleure;
}

QMargins CadreDe(const QWidget *fenetre)
{
    const QMargins propre = MargesCadre(fenetre);
    if (!propre.isNull() || (fenetre->windowFlags() & Qt::FramelessWindowHint))
        return propre;
    // The window system tells a frame once the window is on screen: until
    // then the window it belongs to, framed alike, is the best guess.
    const QWidget *parent = fenetre->parentWidget();
    return parent ? MargesCadre(parent->window()) : QMargins();
}

bool MetACote(QWidget *fenetre, const QRect &servi, const QRect &zone, QSize minimum)
{
    const QMargins cadre = CadreDe(fenetre);
    const QRect avant = fenetre->geometry().marginsAdded(cadre);
    const QScreen *ecran = QGuiApplication::screenAt(servi.center());
    if (!ecran)
        ecran = fenetre->screen();
    if (!ecran)
        return false;
    const QRect permis = zone.isValid() ? zone.intersected(ecran->availableGeometry()) : ecran->availableGeometry();
    if (!minimum.isValid())
        minimum = fenetre->minimumSize().expandedTo(fenetre->minimumSizeHint());
    const QRect apres = RectACote(avant, minimum.grownBy(cadre), servi, permis);
    if (apres == avant)
        return false;
    PlaceCadre(fenetre, apres);
    return true;
}

void PlaceCadre(QWidget *fenetre, const QRect &cadre)
{
    const QMargins estime = CadreDe(fenetre);
    fenetre->resize(cadre.size().shrunkBy(estime));
    // Qt places the frame of a window whose frame it knows, and of one not
    // made yet once the frame is known; a window made but whose frame the
    // window system has not told yet (just shown) is placed by its client
    // area, where the frame will come around it.
    if (!MargesCadre(fenetre).isNull() || !fenetre->testAttribute(Qt::WA_WState_Created))
        fenetre->move(cadre.topLeft());
    else
        fenetre->move(cadre.topLeft() + QPoint(estime.left(), estime.top()));
}

bool ResteAuDessus(const QWidget *fenetre)
{
    for (const QWidget *w = fenetre ? fenetre->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        if (w->windowFlags() & Qt::WindowStaysOnTopHint)
            return true;
    }
    return false;
}

void ChangeAuDessus(QWidget *fenetre, bool dessus)
{
    QWidget *w = fenetre->window();
    const Qt::WindowFlags avant = w->windowFlags();
    const Qt::WindowFlags apres = dessus ? avant | Qt::WindowStaysOnTopHint : avant & ~Qt::WindowStaysOnTopHint;
    if (apres == avant)
        return;
    // setWindowFlags would make a new native window, hidden: the hint is
    // given to the one there is.
    w->overrideWindowFlags(apres);
    if (QWindow *natif = w->windowHandle())
        natif->setFlags(apres);
}

void DialogueAuDessus(QWidget *dialogue)
{
    if (ResteAuDessus(dialogue->parentWidget()))
        ChangeAuDessus(dialogue, true);
}

void MonteAuDessus(QWidget *fenetre, const QWidget *source, bool active)
{
    if (source && source->window() != fenetre->window() && ResteAuDessus(source))
        ChangeAuDessus(fenetre, true);
    fenetre->raise();
    if (active && !QApplication::activeModalWidget())
        fenetre->activateWindow();
}
