#include "CanevasQt.h"

#include <algorithm>
#include <utility>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>

#include "Arrondi.h"

using namespace Qt::StringLiterals;

namespace {

// Dash patterns of the thin pen, in pixels on and off, as the models were
// drawn with them.
const QList<qreal> MotifTirets = {18, 6};
const QList<qreal> MotifPoints = {3, 3};
const QList<qreal> MotifTiretPoint = {9, 6, 3, 6};
const QList<qreal> MotifTiretPointPoint = {9, 3, 3, 3, 3, 3};

__extension__ typedef __int128 Entier128;

// A font taller than this already fills a printed poster.
constexpr int HauteurPixelsMax = 16384;
// Distinct fonts stay few; the bound only guards against endless sizes.
constexpr qsizetype TailleMaxCache = 1024;

QString FamilleInstallee(const QString &nom)
{
    const QString n = nom.trimmed();
    if (n.compare(u"Arial"_s, Qt::CaseInsensitive) == 0 || n.compare(u"MS Sans Serif"_s, Qt::CaseInsensitive) == 0)
        return u"Liberation Sans"_s;
    if (n.compare(u"Times New Roman"_s, Qt::CaseInsensitive) == 0)
        return u"Liberation Serif"_s;
    if (n.compare(u"Courier New"_s, Qt::CaseInsensitive) == 0)
        return u"Liberation Mono"_s;
    return nom;
}

int HauteurCellule(QFont f, int taille)
{
    f.setPixelSize(taille);
    return QFontMetrics(f).height();
}

// The pixel size whose cell height is closest to `hauteur` (the smaller on
// a tie). The cell grows with the size, so a binary search finds the
// largest size whose cell does not exceed it.
int TaillePourCellule(const QFont &f, int hauteur)
{
    if (HauteurCellule(f, 1) > hauteur)
        return 1;
    int bas = 1;
    int haut = hauteur + 1;
    while (HauteurCellule(f, haut) <= hauteur && haut < HauteurPixelsMax)
        haut = std::min(haut * 2, HauteurPixelsMax);
    while (haut - bas > 1) {
        const int milieu = bas + (haut - bas) / 2;
        if (HauteurCellule(f, milieu) <= hauteur)
            bas = milieu;
        else
            haut = milieu;
    }
    const int ecartBas = hauteur - HauteurCellule(f, bas);
    const int ecartHaut = HauteurCellule(f, bas + 1) - hauteur;
    return ecartHaut < ecartBas ? bas + 1 : bas;
}

struct CleFonte {
    QString Nom;
    int Hauteur;
    int Style;
    bool operator==(const CleFonte &) const = default;
};

size_t qHash(const CleFonte &c, size_t graine = 0)
{
    return qHashMulti(graine, c.Nom, c.Hauteur, c.Style);
}

bool EstFin(const TStylo &stylo)
{
    return stylo.Largeur <= 1;
}

QPen StyloQt(const TStylo &stylo)
{
    if (stylo.Style == StyloVide)
        return QPen(Qt::NoPen);
    if (!EstFin(stylo)) {
        // Wide pens are solid whatever their style.
        return QPen(QBrush(CouleurCAD(stylo.Couleur)), std::min(stylo.Largeur, HauteurPixelsMax), Qt::SolidLine,
                    Qt::RoundCap, Qt::RoundJoin);
    }
    // Width 0 is Qt's cosmetic pen: one pixel whatever the transform. The
    // flat cap leaves the end point of a line out, as the models expect.
    QPen pen(QBrush(CouleurCAD(stylo.Couleur)), 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    switch (stylo.Style) {
    case StyloTirets:
        pen.setDashPattern(MotifTirets);
        break;
    case StyloPoints:
        pen.setDashPattern(MotifPoints);
        break;
    case StyloTiretPoint:
        pen.setDashPattern(MotifTiretPoint);
        break;
    case StyloTiretPointPoint:
        pen.setDashPattern(MotifTiretPointPoint);
        break;
    default:
        break;
    }
    return pen;
}

const QList<qreal> *Motif(int style)
{
    switch (style) {
    case StyloTirets:
        return &MotifTirets;
    case StyloPoints:
        return &MotifPoints;
    case StyloTiretPoint:
        return &MotifTiretPoint;
    case StyloTiretPointPoint:
        return &MotifTiretPointPoint;
    default:
        return nullptr;
    }
}

// Lays the pixels of thin lines, segment after segment, each from its first
// point up to its last one excluded, the dash pattern running on from one
// segment to the next. Qt's own thin lines decide their end pixels by the
// slope, which leaves some corners of a turned polygon unpainted.
class TraceurFin final
{
public:
    TraceurFin(QPainter &painter, const TStylo &stylo)
        : m_painter(painter), m_couleur(CouleurCAD(stylo.Couleur)), m_motif(Motif(stylo.Style))
    {
        if (m_motif) {
            for (const qreal longueur : *m_motif)
                m_periode += int(longueur);
        }
        // Only the pixels the device shows are laid: a point read from a
        // file may lie billions of pixels away.
        const QPaintDevice *device = painter.device();
        const QRect surface(0, 0, device ? device->width() : 0, device ? device->height() : 0);
        m_zone = painter.worldTransform().inverted().mapRect(QRectF(surface)).toAlignedRect().adjusted(-2, -2, 2, 2);
    }
    ~TraceurFin() { Vide(); }
    TraceurFin(const TraceurFin &) = delete;
    TraceurFin &operator=(const TraceurFin &) = delete;

    void Segment(QPoint a, QPoint b)
    {
        const qint64 dx = qint64(b.x()) - a.x();
        const qint64 dy = qint64(b.y()) - a.y();
        const qint64 adx = dx < 0 ? -dx : dx;
        const qint64 ady = dy < 0 ? -dy : dy;
        const int sx = dx < 0 ? -1 : 1;
        const int sy = dy < 0 ? -1 : 1;
        const bool selonX = adx >= ady;
        const qint64 pas = selonX ? adx : ady;
        // Step n along the main axis, n from 0 to pas - 1; the other axis
        // moves by the nearest whole step, halves away from the start.
        qint64 premier = 0;
        qint64 dernier = pas - 1;
        const qint64 debut = selonX ? a.x() : a.y();
        const int sens = selonX ? sx : sy;
        const qint64 bas = selonX ? m_zone.left() : m_zone.top();
        const qint64 haut = selonX ? m_zone.right() : m_zone.bottom();
        if (sens > 0) {
            premier = std::max(premier, bas - debut);
            dernier = std::min(dernier, haut - debut);
        } else {
            premier = std::max(premier, debut - haut);
            dernier = std::min(dernier, debut - bas);
        }
        const qint64 petit = selonX ? ady : adx;
        for (qint64 n = premier; n <= dernier; ++n) {
            // n and the steps reach 2^32 on a line from one end of the int
            // range to the other: their product needs more than 64 bits.
            const qint64 decalage = pas == 0 ? 0 : qint64((2 * Entier128(n) * petit + pas) / (2 * Entier128(pas)));
            const qint64 x = selonX ? a.x() + sx * n : a.x() + sx * decalage;
            const qint64 y = selonX ? a.y() + sy * decalage : a.y() + sy * n;
            if (Allume(m_rang + n) && m_zone.contains(int(x), int(y)))
                Pixel(int(x), int(y));
        }
        m_rang += pas;
    }

private:
    bool Allume(qint64 rang) const
    {
        if (!m_motif || m_periode <= 0)
            return true;
        qint64 position = rang % m_periode;
        for (qsizetype i = 0; i < m_motif->size(); ++i) {
            position -= qint64(m_motif->at(i));
            if (position < 0)
                return i % 2 == 0;
        }
        return false;
    }

    // Neighbouring pixels of a row are filled as one run.
    void Pixel(int x, int y)
    {
        if (m_enCours && y == m_y && (x == m_x0 - 1 || x == m_x1 + 1)) {
            m_x0 = std::min(m_x0, x);
            m_x1 = std::max(m_x1, x);
            return;
        }
        Vide();
        m_enCours = true;
        m_y = y;
        m_x0 = m_x1 = x;
    }

    void Vide()
    {
        if (m_enCours)
            m_painter.fillRect(QRect(m_x0, m_y, m_x1 - m_x0 + 1, 1), m_couleur);
        m_enCours = false;
    }

    QPainter &m_painter;
    QColor m_couleur;
    const QList<qreal> *m_motif;
    int m_periode = 0;
    qint64 m_rang = 0;
    QRect m_zone;
    bool m_enCours = false;
    int m_y = 0;
    int m_x0 = 0;
    int m_x1 = 0;
};

QBrush PinceauQt(const TPinceau &pinceau)
{
    static constexpr Qt::BrushStyle styles[] = {
        Qt::SolidPattern, Qt::NoBrush,       Qt::HorPattern,   Qt::VerPattern,
        Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
    };
    const int s = pinceau.Style >= 0 && pinceau.Style <= PinceauMax ? pinceau.Style : int(PinceauVide);
    if (styles[s] == Qt::NoBrush)
        return QBrush(Qt::NoBrush);
    return QBrush(CouleurCAD(pinceau.Couleur), styles[s]);
}

} // namespace

TCanevas::~TCanevas() = default;

int HauteurPoints(int points)
{
    return -Round(points * 96.0 / 72.0);
}

QColor CouleurCAD(TColor couleur)
{
    return QColor(RougeDe(couleur), VertDe(couleur), BleuDe(couleur));
}

QFont PoliceCAD(const TFonteCAD &fonte)
{
    thread_local QHash<CleFonte, QFont> cache;
    const CleFonte cle{fonte.Nom, fonte.Hauteur, fonte.Style};
    if (const auto trouve = cache.constFind(cle); trouve != cache.constEnd())
        return *trouve;

    QFont f(FamilleInstallee(fonte.Nom));
    f.setBold(fonte.Style & FonteGras);
    f.setItalic(fonte.Style & FonteItalique);
    f.setUnderline(fonte.Style & FonteSouligne);
    f.setStrikeOut(fonte.Style & FonteBarre);
    // A height of 0 is the smallest font rather than an error.
    const int hauteur = std::clamp(fonte.Hauteur == 0 ? 1 : fonte.Hauteur, -HauteurPixelsMax, HauteurPixelsMax);
    if (hauteur < 0)
        f.setPixelSize(-hauteur);
    else
        f.setPixelSize(TaillePourCellule(f, hauteur));
    if (cache.size() >= TailleMaxCache)
        cache.clear();
    cache.insert(cle, f);
    return f;
}

TCanevasQt::TCanevasQt(QPainter &painter) : m_painter(painter) {}

void TCanevasQt::PrepareTrace()
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(StyloQt(Stylo()));
    m_painter.setBrush(PinceauQt(Pinceau()));
}

bool TCanevasQt::TraitFin() const
{
    return EstFin(Stylo()) && Stylo().Style != StyloVide;
}

void TCanevasQt::Ligne(QPoint de, QPoint a)
{
    Polyligne(QPolygon({de, a}));
}

void TCanevasQt::Polyligne(const QPolygon &points)
{
    PrepareTrace();
    if (!TraitFin()) {
        m_painter.drawPolyline(points);
        return;
    }
    TraceurFin traceur(m_painter, Stylo());
    for (qsizetype i = 1; i < points.size(); ++i)
        traceur.Segment(points.at(i - 1), points.at(i));
}

void TCanevasQt::Polygone(const QPolygon &points)
{
    PrepareTrace();
    if (!TraitFin()) {
        m_painter.drawPolygon(points, Qt::OddEvenFill);
        return;
    }
    m_painter.setPen(Qt::NoPen);
    m_painter.drawPolygon(points, Qt::OddEvenFill);
    // Every side from its first point: all corners are painted.
    TraceurFin traceur(m_painter, Stylo());
    for (qsizetype i = 0; i < points.size(); ++i)
        traceur.Segment(points.at(i), points.at((i + 1) % points.size()));
}

bool TCanevasQt::Cadre(int &gauche, int &haut, int &droite, int &bas, QRectF &chemin) const
{
    // Sizes are taken as differences of the sides.
    for (int *cote : {&gauche, &haut, &droite, &bas})
        *cote = std::clamp(*cote, -CoordonneeMax, CoordonneeMax);
    if (droite < gauche)
        std::swap(gauche, droite);
    if (bas < haut)
        std::swap(haut, bas);
    const int l = droite - gauche;
    const int h = bas - haut;
    const int w = Stylo().Largeur;
    if (EstFin(Stylo())) {
        // Qt draws a thin line at a whole coordinate on the pixel after it.
        chemin = QRectF(gauche, haut, l - 1, h - 1);
    } else if (Stylo().Style == StyloInterieur) {
        // Pixel edges lie on whole coordinates: a pen of width w astride a
        // path w / 2 inside them covers exactly the frame's outer pixels.
        chemin = QRectF(gauche + w / 2.0, haut + w / 2.0, std::max(l - w, 0), std::max(h - w, 0));
    } else {
        // Astride the middle of the outermost pixels.
        chemin = QRectF(gauche + 0.5, haut + 0.5, l - 1, h - 1);
    }
    return l > 0 && h > 0;
}

void TCanevasQt::Rectangle(int gauche, int haut, int droite, int bas)
{
    QRectF chemin;
    if (!Cadre(gauche, haut, droite, bas, chemin))
        return;
    PrepareTrace();
    const QBrush fond = m_painter.brush();
    const int l = droite - gauche;
    const int h = bas - haut;
    if (Stylo().Style == StyloVide) {
        if (fond.style() != Qt::NoBrush && l > 1 && h > 1)
            m_painter.fillRect(QRect(gauche, haut, l - 1, h - 1), fond);
        return;
    }
    if (fond.style() != Qt::NoBrush && l > 2 && h > 2)
        m_painter.fillRect(QRect(gauche + 1, haut + 1, l - 2, h - 2), fond);
    if (EstFin(Stylo())) {
        // A closed path through the outermost pixels, so that the dashes run
        // on round the corners and a frame one pixel wide is a line.
        TraceurFin traceur(m_painter, Stylo());
        const QPoint coins[] = {QPoint(gauche, haut), QPoint(droite - 1, haut), QPoint(droite - 1, bas - 1),
                                QPoint(gauche, bas - 1)};
        for (int i = 0; i < 4; ++i)
            traceur.Segment(coins[i], coins[(i + 1) % 4]);
        if (l == 1 && h == 1)
            traceur.Segment(coins[0], coins[0] + QPoint(1, 0));
    } else {
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(chemin);
    }
}

void TCanevasQt::Ellipse(int gauche, int haut, int droite, int bas)
{
    QRectF chemin;
    if (!Cadre(gauche, haut, droite, bas, chemin))
        return;
    PrepareTrace();
    if (droite - gauche < 2 || bas - haut < 2) {
        // Too thin for a curve: the pixels of the frame, in the pen's
        // colour.
        if (Stylo().Style != StyloVide)
            m_painter.fillRect(QRect(gauche, haut, droite - gauche, bas - haut), m_painter.pen().brush());
        return;
    }
    if (Stylo().Style == StyloVide)
        chemin = QRectF(gauche, haut, droite - gauche - 1, bas - haut - 1);
    m_painter.drawEllipse(chemin);
}

void TCanevasQt::Texte(QPoint coin, const QString &texte)
{
    if (texte.isEmpty())
        return;
    const QFont police = PoliceCAD(Fonte());
    const int ascent = QFontMetrics(police).ascent();
    m_painter.setFont(police);
    m_painter.setPen(CouleurCAD(Fonte().Couleur));
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (Fonte().Escapement == 0) {
        m_painter.drawText(QPoint(coin.x(), coin.y() + ascent), texte);
        return;
    }
    m_painter.save();
    m_painter.translate(coin);
    // An escapement turns counter-clockwise on screen; Qt's rotation turns
    // clockwise, y growing downwards.
    m_painter.rotate(-Fonte().Escapement / 10.0);
    m_painter.drawText(QPoint(0, ascent), texte);
    m_painter.restore();
}

QSize TCanevasQt::TailleTexte(const QString &texte)
{
    const QFontMetrics metriques(PoliceCAD(Fonte()));
    return QSize(metriques.horizontalAdvance(texte), metriques.height());
}

void TCanevasQt::Image(const QRect &cible, const QImage &image)
{
    if (image.isNull() || cible.isEmpty())
        return;
    // Nearest pixels: a smoothed stretch would blend the transparent colour
    // into its neighbours and fringe the edges of masks.
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.drawImage(cible, image);
}

QRect TCanevasQt::Zone() const
{
    const QPaintDevice *device = m_painter.device();
    if (!device)
        return QRect();
    QRect zone = m_painter.deviceTransform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
    if (m_painter.hasClipping())
        zone &= m_painter.clipBoundingRect().toAlignedRect();
    return zone;
}
