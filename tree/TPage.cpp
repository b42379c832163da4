#include "TPage.h"

#include <algorithm>
#include <limits>

#include <QFileInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include "Dessin.h"
#include "Globales.h"
#include "Images.h"
#include "Look.h"
#include "ModelesUtilisateur.h"
#include "TAffArbre.h"
#include "TBoite.h"

TPage::TPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Page"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

TPage::~TPage() = default;

void TPage::ChargeTexture()
{
    const QString nom = CheminImageArbre(TextEcran);
    if (nom == m_textureChargee)
        return;
    m_textureChargee = nom;
    m_fond = QImage();
    if (!nom.isEmpty() && QFileInfo(nom).isFile() && !ChargeImage(m_fond, nom))
        m_fond = QImage();
}

QBrush TPage::Fond()
{
    ChargeTexture();
    return m_fond.isNull() ? QBrush(CouleurQt(CouleurEcran)) : QBrush(m_fond);
}

void TPage::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect zone = event->rect();
    ChargeTexture();
    if (m_fond.isNull()) {
        p.fillRect(zone, CouleurQt(CouleurEcran));
    } else {
        // Tiles are laid from the canvas origin so that they do not move when
        // only part of the view is repainted; only those meeting the zone are
        // drawn.
        const int w = m_fond.width();
        const int h = m_fond.height();
        const QRect aligne(QPoint(zone.left() - zone.left() % w, zone.top() - zone.top() % h),
                           zone.bottomRight());
        p.setClipRect(zone);
        TBoite::RemplitTexture(aligne, p, m_fond);
        p.setClipping(false);
    }
    // The frames lie under the tree, as the canvas itself does.
    if (PrintZoomAuto)
        CalculZoomAuto();
    NbrePage = 0;
    if (VoirPage) {
        const TGrille g = Grille();
        if (g.Valide) {
            PeintPages(p, zone, g);
            NbrePage = static_cast<int>(std::min<qint64>(g.NbrePages, std::numeric_limits<int>::max()));
        }
    }
    if (m_arbre)
        m_arbre->Peint(p, zone);
}

void TPage::mousePressEvent(QMouseEvent *event)
{
    if (m_arbre)
        m_arbre->SourisAppuyee(event->button(), event->modifiers(), event->position().toPoint(),
                               event->globalPosition().toPoint());
}

void TPage::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_arbre)
        m_arbre->DoubleClic(event->button(), event->position().toPoint());
}


// ---- Page grid ------------------------------------------------------------

namespace {

constexpr qint64 ZoomAutoMin = 10;
// The largest zoom the print page dialog can set.
constexpr qint64 ZoomAutoMax = 100000;

// Division rounding toward minus infinity, for b > 0.
qint64 DivBas(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

qint64 DivHaut(qint64 a, qint64 b)
{
    return -DivBas(-a, b);
}

int VersInt(qint64 v)
{
    return static_cast<int>(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Calls f with the bounds of every box and link of the tree.
template<typename F>
void PourChaqueElement(const TAffArbre *arbre, F &&f)
{
    if (!arbre)
        return;
    for (const auto &b : arbre->Boites())
        f(b->Bounds());
    for (const auto &l : arbre->Liens())
        f(l->Bounds());
}

} // namespace

TPage::TGrille TPage::Grille() const
{
    TGrille g;
    const qint64 pw = PageImprimante.width();
    const qint64 ph = PageImprimante.height();
    if (pw <= 0 || ph <= 0 || PrintZoom <= 0)
        return g;
    // A negative overlap would leave gaps between the pages, where parts of
    // the tree would not be printed.
    const qint64 o = pw * std::max(PrintCroise, 0) / 100;
    g.W = pw * 100 / PrintZoom;
    g.H = ph * 100 / PrintZoom;
    g.PasX = pw - o;
    g.PasY = ph - o;
    g.SX = g.PasX * 100 / PrintZoom;
    g.SY = g.PasY * 100 / PrintZoom;
    if (g.SX <= 1 || g.SY <= 1)
        return g;
    g.Valide = true;

    // The canvas is sized by the tree builder to hold the tree; reaching the
    // items as well keeps every one of them on some page even while the
    // canvas has not followed a change yet.
    qint64 largeur = width();
    qint64 hauteur = height();
    PourChaqueElement(m_arbre, [&](const QRect &b) {
        largeur = std::max(largeur, qint64(b.x()) + b.width());
        hauteur = std::max(hauteur, qint64(b.y()) + b.height());
    });
    const qint64 colonnes = DivHaut(largeur, g.SX);
    const qint64 lignes = DivHaut(hauteur, g.SY);
    if (colonnes <= 0 || lignes <= 0)
        return g;

    // The cells an item meets are found from its bounds rather than by
    // testing every cell against every item: a small page over a large tree
    // makes many cells.
    std::vector<TSuite> suites;
    PourChaqueElement(m_arbre, [&](const QRect &b) {
        const qint64 x = b.x();
        const qint64 y = b.y();
        // The last pixel the item covers: a cell that starts on the first
        // pixel past it holds nothing of it, and printed alone it would be a
        // blank sheet.
        const qint64 droite = x + b.width() - 1;
        const qint64 bas = y + b.height() - 1;
        // Cell c covers the pixels c SX .. c SX + W - 1; it meets x .. droite
        // when c SX <= droite and c SX + W - 1 >= x.
        const qint64 c0 = std::max<qint64>(0, DivHaut(x - g.W + 1, g.SX));
        const qint64 c1 = std::min(colonnes - 1, DivBas(droite, g.SX));
        const qint64 k0 = std::max<qint64>(0, DivHaut(y - g.H + 1, g.SY));
        const qint64 k1 = std::min(lignes - 1, DivBas(bas, g.SY));
        if (b.width() < 1 || b.height() < 1 || droite < 0 || bas < 0 || c0 > c1 || k0 > k1)
            return;
        for (qint64 k = k0; k <= k1; ++k)
            suites.push_back({k, c0, c1});
    });
    std::sort(suites.begin(), suites.end(), [](const TSuite &a, const TSuite &b) {
        return a.Ligne != b.Ligne ? a.Ligne < b.Ligne : a.Premiere < b.Premiere;
    });
    for (const TSuite &s : suites) {
        if (!g.Suites.empty() && g.Suites.back().Ligne == s.Ligne && s.Premiere <= g.Suites.back().Derniere + 1)
            g.Suites.back().Derniere = std::max(g.Suites.back().Derniere, s.Derniere);
        else
            g.Suites.push_back(s);
    }
    for (const TSuite &s : g.Suites)
        g.NbrePages += s.Derniere - s.Premiere + 1;
    return g;
}

bool TPage::Cellule(const TGrille &g, int n, qint64 &colonne, qint64 &ligne)
{
    if (!g.Valide || n < 1)
        return false;
    qint64 reste = n;
    for (const TSuite &s : g.Suites) {
        const qint64 longueur = s.Derniere - s.Premiere + 1;
        if (reste <= longueur) {
            colonne = s.Premiere + reste - 1;
            ligne = s.Ligne;
            return true;
        }
        reste -= longueur;
    }
    return false;
}

int TPage::ComptePages() const
{
    const TGrille g = Grille();
    return g.Valide ? VersInt(g.NbrePages) : 0;
}

bool TPage::CompInRect(const QRect &r) const
{
    bool touche = false;
    PourChaqueElement(m_arbre, [&](const QRect &b) { touche = touche || b.intersects(r); });
    return touche;
}

QRect TPage::GetCoord(int n) const
{
    const TGrille g = Grille();
    qint64 c = 0;
    qint64 k = 0;
    if (!Cellule(g, n, c, k))
        return {};
    return QRect(VersInt(c * g.SX), VersInt(k * g.SY), VersInt(g.W), VersInt(g.H));
}

QRect TPage::GetPrintCoord(int n) const
{
    const TGrille g = Grille();
    qint64 c = 0;
    qint64 k = 0;
    if (!Cellule(g, n, c, k))
        return {};
    return QRect(VersInt(c * g.PasX), VersInt(k * g.PasY), VersInt(g.PasX), VersInt(g.PasY));
}

std::vector<QRect> TPage::PrintCoords() const
{
    const TGrille g = Grille();
    std::vector<QRect> pages;
    if (!g.Valide)
        return pages;
    for (const TSuite &s : g.Suites)
        for (qint64 c = s.Premiere; c <= s.Derniere; ++c)
            pages.emplace_back(VersInt(c * g.PasX), VersInt(s.Ligne * g.PasY), VersInt(g.PasX), VersInt(g.PasY));
    return pages;
}

void TPage::CalculZoomAuto()
{
    const qint64 pw = PageImprimante.width();
    const qint64 ph = PageImprimante.height();
    if (pw <= 0 || ph <= 0 || !m_arbre)
        return;
    const QRect r = m_arbre->GetRect();
    const qint64 droite = qint64(r.x()) + r.width();
    const qint64 bas = qint64(r.y()) + r.height();
    if (droite <= 0 || bas <= 0)
        return;
    const qint64 zoom = std::min(pw * 100 / droite, ph * 100 / bas) / 10 * 10;
    // Zoom 0 would print nothing at all: a tree too large for the smallest
    // zoom is printed on several pages instead.
    PrintZoom = static_cast<int>(std::clamp(zoom, ZoomAutoMin, ZoomAutoMax));
}

void TPage::PeintPages(QPainter &p, const QRect &zone, const TGrille &g) const
{
    const QColor bleu(0, 0, 255);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(bleu, 1));
    p.setBrush(Qt::NoBrush);
    const QFontMetrics fm(p.font());
    const int w = VersInt(g.W);
    const int h = VersInt(g.H);
    qint64 numero = 0;
    for (const TSuite &s : g.Suites) {
        const qint64 y = s.Ligne * g.SY;
        if (y > zone.bottom() || y + g.H <= zone.top()) {
            numero += s.Derniere - s.Premiere + 1;
            continue;
        }
        for (qint64 c = s.Premiere; c <= s.Derniere; ++c) {
            ++numero;
            const QRect cellule(VersInt(c * g.SX), VersInt(y), w, h);
            if (!cellule.intersects(zone))
                continue;
            // The frame covers the page's W x H pixels.
            p.setClipping(false);
            p.drawRect(cellule.x(), cellule.y(), w - 1, h - 1);
            const QString texte = QStringLiteral("Page ") + QString::number(numero);
            const int tx = cellule.x() + (w - fm.horizontalAdvance(texte)) / 2;
            const int ty = cellule.y() + (h - fm.height()) / 2;
            p.setClipRect(cellule.adjusted(1, 1, -1, -1));
            p.drawText(QPoint(tx, ty + fm.ascent()), texte);
        }
    }
    p.restore();
}
