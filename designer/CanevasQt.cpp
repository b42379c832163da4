#include "CanevasQt.h"

#include <algorithm>
#include <utility>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
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

void TCanevasQt::Ligne(QPoint de, QPoint a)
{
    PrepareTrace();
    m_painter.drawLine(de, a);
}

void TCanevasQt::Polyligne(const QPolygon &points)
{
    PrepareTrace();
    m_painter.drawPolyline(points);
}

void TCanevasQt::Polygone(const QPolygon &points)
{
    PrepareTrace();
    m_painter.drawPolygon(points, Qt::OddEvenFill);
}

bool TCanevasQt::Cadre(int &gauche, int &haut, int &droite, int &bas, QRectF &chemin) const
{
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
    m_painter.setBrush(Qt::NoBrush);
    if (EstFin(Stylo())) {
        // A closed path through the outermost pixels, so that the dashes run
        // on round the corners and a frame one pixel wide is a line.
        m_painter.drawPolygon(QPolygon({QPoint(gauche, haut), QPoint(droite - 1, haut),
                                        QPoint(droite - 1, bas - 1), QPoint(gauche, bas - 1)}));
    } else {
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
