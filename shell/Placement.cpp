#include "Placement.h"

#include "Ini.h"
#include "Voisinage.h"

#include <algorithm>
#include <memory>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

const QString Section = QStringLiteral("Fenetres");

QRect ecranDe(const QWidget *fenetre)
{
    const QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    return ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
}

// A kept position is used only when the top of the window, where its title
// is, lies on one of the screens now.
bool surUnEcran(const QRect &r)
{
    if (r.width() < 1 || r.height() < 1)
        return false;
    const QPoint titre(r.center().x(), r.top());
    const auto ecrans = QGuiApplication::screens();
    return std::any_of(ecrans.begin(), ecrans.end(),
                       [&](const QScreen *e) { return e->availableGeometry().contains(titre); });
}

} // namespace

TPlacement::TPlacement(QWidget *principale, QWidget *zone, QObject *parent)
    : QObject(parent)
    , m_principale(principale)
    , m_zone(zone)
{
}

TPlacement::~TPlacement() = default;

void TPlacement::Suit(QWidget *fenetre, TCoin coin)
{
    std::erase_if(m_suivies, [](const TSuivie &s) { return s.Fenetre.isNull(); });
    m_suivies.push_back({fenetre, coin, false});
    fenetre->installEventFilter(this);
}

void TPlacement::Accompagne(QWidget *fenetre, QWidget *servie)
{
    m_accompagnees.emplace_back(fenetre, servie);
    fenetre->installEventFilter(this);
    servie->installEventFilter(this);
}

bool TPlacement::eventFilter(QObject *objet, QEvent *evenement)
{
    const QEvent::Type type = evenement->type();
    if (type != QEvent::Show && type != QEvent::ShowToParent && type != QEvent::Hide
        && type != QEvent::WindowTitleChange && type != QEvent::Resize)
        return QObject::eventFilter(objet, evenement);
    for (TSuivie &s : m_suivies) {
        if (s.Fenetre != objet)
            continue;
        if (type == QEvent::Show && !s.Placee) {
            s.Placee = true;
            // A window may still change its size while it is being shown (the
            // report fills itself then): until the showing is over it keeps
            // the corner it was given.
            s.Ancree = !Place(s);
        } else if (type == QEvent::ShowToParent) {
            // The showing is over.
            s.Ancree = false;
        } else if (type == QEvent::Hide && s.Placee && !evenement->spontaneous()) {
            Garde(s.Fenetre);
        } else if (type == QEvent::WindowTitleChange && s.Placee && s.Fenetre->isVisible()) {
            Elargit(s.Fenetre);
        } else if (type == QEvent::Resize && s.Placee && !evenement->spontaneous()) {
            // Sizes the program sets: the window stays in its corner while it
            // is being shown, and on the screen at any time.
            if (s.Ancree)
                Positionne(s);
            else if (s.Fenetre->isVisible())
                GardeSurEcran(s.Fenetre);
        }
        break;
    }
    // Once a window is shown and placed, one that serves another keeps out
    // of its way.
    if (type == QEvent::ShowToParent) {
        for (const auto &[fenetre, servie] : m_accompagnees) {
            if ((fenetre == objet || servie == objet) && fenetre && servie && fenetre->isVisible()
                && servie->isVisible()) {
                Separe(fenetre, servie);
                SepareQuandCadresConnus(fenetre, servie);
            }
        }
    }
    return QObject::eventFilter(objet, evenement);
}

bool TPlacement::Place(TSuivie &suivie)
{
    QWidget *f = suivie.Fenetre;
    const auto garde = m_positions.constFind(f->objectName());
    if (garde != m_positions.cend() && surUnEcran(*garde)) {
        f->setGeometry(*garde);
        return true;
    }

    // A tab cut behind scroll arrows, or a title cut short, hides what the
    // window is about.
    QSize taille = f->size().expandedTo(f->sizeHint());
    const QMargins marges = f->layout() ? f->layout()->contentsMargins() : QMargins();
    for (const QTabWidget *onglets : f->findChildren<QTabWidget *>()) {
        const int bord = 2 * onglets->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, onglets);
        taille.setWidth(std::max(taille.width(),
                                 onglets->tabBar()->sizeHint().width() + bord + marges.left() + marges.right()));
    }
    taille.setWidth(std::max(taille.width(), LargeurTitre(f)));

    // The window opens below the top of the tree area; when the screen is
    // too short for that it is made shorter, never shorter than it can be.
    const QMargins cadre = CadreEstime(f);
    const QRect ecran = ecranDe(m_principale);
    const QRect zone(m_zone->mapToGlobal(QPoint(0, 0)), m_zone->size());
    const int haut = std::max(ecran.top(), std::min(zone.top(), ecran.bottom()));
    const int hauteurMax = std::max(ecran.bottom() - haut + 1 - cadre.top() - cadre.bottom(),
                                    f->minimumSizeHint().expandedTo(f->minimumSize()).height());
    const int largeurMax = ecran.width() - cadre.left() - cadre.right();
    taille = taille.boundedTo(QSize(largeurMax, hauteurMax));
    f->setGeometry(Calcule(taille, cadre, suivie.Coin, m_principale->frameGeometry(), zone, ecran));
    return false;
}

QRect TPlacement::ZoneLibre() const
{
    const QRect ecran = ecranDe(m_principale);
    const QPoint coin = m_zone->mapToGlobal(QPoint(0, 0));
    return {QPoint(std::clamp(coin.x(), ecran.left(), ecran.right()), std::clamp(coin.y(), ecran.top(), ecran.bottom())),
            ecran.bottomRight()};
}

void TPlacement::Separe(QWidget *fenetre, QWidget *servie)
{
    if (!fenetre->frameGeometry().intersects(servie->frameGeometry()))
        return;
    // Both windows stay off the menus and the task column. Whole, the
    // window that serves goes beside the other; else the other makes room
    // for it, beyond the main window if it must; else the one, then the
    // other, goes beside smaller.
    const QRect permis = ZoneLibre();
    if (!MetACote(fenetre, servie->frameGeometry(), permis, fenetre->size())
        && !MetACote(servie, fenetre->frameGeometry(), permis, servie->size())
        && !MetACote(fenetre, servie->frameGeometry(), permis))
        MetACote(servie, fenetre->frameGeometry(), permis);
}

void TPlacement::SepareQuandCadresConnus(QWidget *fenetre, QWidget *servie)
{
    // A window just shown is placed by the window system when it comes on
    // screen, which may be later under load: where it then goes, and its
    // frame, are known only then.
    const auto connu = [](const QWidget *w) {
        const QWindow *natif = w->windowHandle();
        return natif && natif->isExposed()
               && (!MargesCadre(w).isNull() || (w->windowFlags() & Qt::FramelessWindowHint));
    };
    auto *minuterie = new QTimer(this);
    minuterie->setInterval(10);
    const QPointer<QWidget> f(fenetre), s(servie);
    auto debut = std::make_shared<QElapsedTimer>();
    debut->start();
    connect(minuterie, &QTimer::timeout, this, [=, this] {
        const bool presentes = f && s && f->isVisible() && s->isVisible();
        if (presentes && !(connu(f) && connu(s)) && debut->elapsed() < 1000)
            return;
        minuterie->stop();
        minuterie->deleteLater();
        if (presentes)
            Separe(f, s);
    });
    minuterie->start();
}

QMargins TPlacement::CadreEstime(const QWidget *fenetre) const
{
    // A window not on screen yet has no frame to measure: the main window's
    // is the best guess.
    const QMargins propre = MargesCadre(fenetre);
    return propre.isNull() ? MargesCadre(m_principale) : propre;
}

void TPlacement::Positionne(const TSuivie &suivie)
{
    QWidget *f = suivie.Fenetre;
    const QRect zone(m_zone->mapToGlobal(QPoint(0, 0)), m_zone->size());
    const QMargins cadre = CadreEstime(f);
    // A window's position is that of its frame.
    f->move(Calcule(f->size(), cadre, suivie.Coin, m_principale->frameGeometry(), zone, ecranDe(m_principale))
                .marginsAdded(cadre)
                .topLeft());
}

void TPlacement::GardeSurEcran(QWidget *fenetre)
{
    const QRect ecran = ecranDe(fenetre);
    QRect f = fenetre->frameGeometry();
    if (f.right() > ecran.right())
        f.moveRight(ecran.right());
    if (f.bottom() > ecran.bottom())
        f.moveBottom(ecran.bottom());
    f.moveLeft(std::max(f.left(), ecran.left()));
    f.moveTop(std::max(f.top(), ecran.top()));
    if (f.topLeft() != fenetre->frameGeometry().topLeft())
        fenetre->move(f.topLeft());
}

void TPlacement::Elargit(QWidget *fenetre)
{
    // Only ever wider: a window the user made wider stays so.
    const QRect ecran = ecranDe(fenetre);
    const QMargins cadre = MargesCadre(fenetre);
    const int largeur = std::min(LargeurTitre(fenetre), ecran.width() - cadre.left() - cadre.right());
    if (largeur <= fenetre->width())
        return;
    fenetre->resize(largeur, fenetre->height());
    GardeSurEcran(fenetre);
}

QRect TPlacement::Calcule(QSize taille, const QMargins &cadre, TCoin coin, const QRect &principale,
                          const QRect &zone, const QRect &ecran)
{
    QRect r(QPoint(0, 0), QSize(taille.width() + cadre.left() + cadre.right(),
                                taille.height() + cadre.top() + cadre.bottom())
                              .boundedTo(ecran.size()));
    const bool haut = coin == HautDroite || coin == HautGauche;
    const bool droite = coin == HautDroite || coin == BasDroite;
    if (droite && ecran.right() - principale.right() >= r.width())
        r.moveLeft(principale.right() + 1);
    else if (droite)
        r.moveRight(zone.right());
    else
        r.moveLeft(zone.left());
    if (haut)
        r.moveTop(zone.top());
    else
        r.moveBottom(zone.bottom());

    // Wholly on the screen, and below the top of the tree area as long as
    // the screen has the room.
    if (r.right() > ecran.right())
        r.moveRight(ecran.right());
    if (r.left() < ecran.left())
        r.moveLeft(ecran.left());
    if (r.bottom() > ecran.bottom())
        r.moveBottom(ecran.bottom());
    const int plafond = std::max(ecran.top(), std::min(zone.top(), ecran.bottom() - r.height() + 1));
    if (r.top() < plafond)
        r.moveTop(plafond);
    return r.marginsRemoved(cadre);
}

int TPlacement::LargeurTitre(const QWidget *fenetre)
{
    // Window managers draw titles in a bold face of about the application's
    // size, beside an icon and up to three buttons as high as the title bar.
    QFont police = QApplication::font();
    police.setBold(true);
    const int barre = fenetre->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, fenetre);
    return QFontMetrics(police).horizontalAdvance(fenetre->windowTitle()) + 4 * std::max(barre, 20) + 16;
}

void TPlacement::Garde(const QWidget *fenetre)
{
    if (!fenetre->objectName().isEmpty())
        m_positions.insert(fenetre->objectName(), fenetre->geometry());
}

void TPlacement::Lit(const TIniFile &ini)
{
    m_positions.clear();
    for (const QString &cle : ini.ReadSection(Section)) {
        const QStringList v = ini.ReadString(Section, cle).split(QLatin1Char(','));
        if (v.size() != 4)
            continue;
        int n[4];
        bool ok = true;
        for (int i = 0; i < 4 && ok; ++i)
            n[i] = v[i].trimmed().toInt(&ok);
        // Sizes out of reason are not a window anybody left on screen.
        if (ok && n[2] > 0 && n[3] > 0 && n[2] <= 20000 && n[3] <= 20000)
            m_positions.insert(cle, QRect(n[0], n[1], n[2], n[3]));
    }
}

void TPlacement::Ecrit(TIniFile &ini)
{
    for (const TSuivie &s : m_suivies) {
        if (s.Fenetre && s.Placee && s.Fenetre->isVisible())
            Garde(s.Fenetre);
    }
    ini.EraseSection(Section);
    for (auto it = m_positions.cbegin(); it != m_positions.cend(); ++it) {
        const QRect &r = it.value();
        ini.WriteString(Section, it.key(),
                        QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
    }
}
