#include "Dessin.h"

#include <algorithm>

#include <QColor>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

// Turns antialiasing off for the life of the object: the pixel coverage of
// the rectangles is only exact on aliased drawing.
class SansLissage final
{
public:
    explicit SansLissage(QPainter &p)
        : m_p(p), m_lisse(p.testRenderHint(QPainter::Antialiasing))
    {
        if (m_lisse)
            m_p.setRenderHint(QPainter::Antialiasing, false);
    }
    ~SansLissage()
    {
        if (m_lisse)
            m_p.setRenderHint(QPainter::Antialiasing, true);
    }
    SansLissage(const SansLissage &) = delete;
    SansLissage &operator=(const SansLissage &) = delete;

private:
    QPainter &m_p;
    bool m_lisse;
};

struct CleFonte {
    QString nom;
    int hauteur;
    int style;
    bool operator==(const CleFonte &) const = default;
};

size_t qHash(const CleFonte &c, size_t graine = 0)
{
    return qHashMulti(graine, c.nom, c.hauteur, c.style);
}

// Distinct fonts stay few (a look has a handful of fonts, and shrinking
// long texts adds the smaller heights); the bound only guards against a
// caller producing endless sizes.
constexpr qsizetype TailleMaxCacheFontes = 1024;
// Heights come from look files times a zoom; a font this tall already fills
// a printed page.
constexpr int HauteurMaxFonte = 4096;

QFont FonteDeBase(const QString &nom, std::uint8_t style)
{
    QFont f(FamilleInstallee(nom));
    f.setBold(style & 1);
    f.setItalic(style & 2);
    f.setUnderline(style & 4);
    f.setStrikeOut(style & 8);
    return f;
}

int HauteurCellule(QFont f, int tailleEnPixels)
{
    f.setPixelSize(tailleEnPixels);
    return QFontMetrics(f).height();
}

// The pixel size whose cell height is closest to `hauteur`. The cell height
// grows with the pixel size, so a binary search finds the largest size
// whose cell does not exceed it; the next size is taken when it is closer.
int TaillePourCellule(const QFont &f, int hauteur)
{
    int bas = 1;           // cell(bas) <= hauteur, or bas is 1
    int haut = hauteur + 1; // a pixel size beyond the answer
    // The bound only matters for a font whose cell would not grow.
    while (HauteurCellule(f, haut) <= hauteur && haut < 4 * hauteur + 64)
        haut *= 2;
    if (HauteurCellule(f, bas) > hauteur)
        return 1;
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

} // namespace

QColor CouleurQt(TColor couleur)
{
    return QColor(int(couleur & 0xFF), int((couleur >> 8) & 0xFF), int((couleur >> 16) & 0xFF));
}

TColor CouleurDeQt(const QColor &couleur)
{
    const QColor rgb = couleur.toRgb();
    return TColor(rgb.red()) | (TColor(rgb.green()) << 8) | (TColor(rgb.blue()) << 16);
}

QRect RectDe(int gauche, int haut, int droite, int bas)
{
    return QRect(gauche, haut, droite - gauche, bas - haut);
}

// A rectangle one pixel wide or high is all outline: QPainter would draw a
// zero-sized QRect as nothing, so its pixels are filled in the pen's colour.
bool DessineTrait(QPainter &p, int gauche, int haut, int droite, int bas)
{
    if (droite - gauche > 1 && bas - haut > 1)
        return false;
    if (droite > gauche && bas > haut && p.pen().style() != Qt::NoPen)
        p.fillRect(RectDe(gauche, haut, droite, bas), p.pen().brush());
    return true;
}

// Outlines are filled rather than stroked. A stroke lies astride its path
// and a thin pen stays one device pixel wide under a magnifying transform,
// while a filled strip covers exactly its logical pixels at any scale: a
// box drawn for the printer, magnified, is then the box of the screen.

void DessineRectangle(QPainter &p, int gauche, int haut, int droite, int bas)
{
    if (DessineTrait(p, gauche, haut, droite, bas))
        return;
    SansLissage sansLissage(p);
    const int w = droite - gauche;
    const int h = bas - haut;
    const bool fond = p.brush().style() != Qt::NoBrush;
    if (p.pen().style() == Qt::NoPen) {
        if (fond)
            p.fillRect(QRect(gauche, haut, w - 1, h - 1), p.brush());
        return;
    }
    if (fond)
        p.fillRect(QRect(gauche + 1, haut + 1, w - 2, h - 2), p.brush());
    const QBrush trait = p.pen().brush();
    p.fillRect(QRect(gauche, haut, w, 1), trait);
    p.fillRect(QRect(gauche, bas - 1, w, 1), trait);
    p.fillRect(QRect(gauche, haut + 1, 1, h - 2), trait);
    p.fillRect(QRect(droite - 1, haut + 1, 1, h - 2), trait);
}

void DessineRectangleArrondi(QPainter &p, int gauche, int haut, int droite, int bas,
                             int largeurCoin, int hauteurCoin)
{
    if (DessineTrait(p, gauche, haut, droite, bas))
        return;
    SansLissage sansLissage(p);
    const int w = droite - gauche;
    const int h = bas - haut;
    const qreal rx = largeurCoin / 2.0;
    const qreal ry = hauteurCoin / 2.0;
    const bool fond = p.brush().style() != Qt::NoBrush;
    if (p.pen().style() == Qt::NoPen) {
        if (fond) {
            QPainterPath forme;
            forme.addRoundedRect(QRectF(gauche, haut, w - 1, h - 1), rx, ry);
            p.fillPath(forme, p.brush());
        }
        return;
    }
    // The outline is the ring between the shape and the same shape one
    // pixel inside, with concentric corners.
    QPainterPath dedans;
    dedans.addRoundedRect(QRectF(gauche + 1, haut + 1, w - 2, h - 2), std::max<qreal>(rx - 1, 0),
                          std::max<qreal>(ry - 1, 0));
    if (fond)
        p.fillPath(dedans, p.brush());
    QPainterPath anneau;
    anneau.setFillRule(Qt::OddEvenFill);
    anneau.addRoundedRect(QRectF(gauche, haut, w, h), rx, ry);
    anneau.addPath(dedans);
    p.fillPath(anneau, p.pen().brush());
}

QString FamilleInstallee(const QString &nom)
{
    const QString n = nom.trimmed();
    if (n.compare(u"MS Sans Serif", Qt::CaseInsensitive) == 0
        || n.compare(u"Arial", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (n.compare(u"Times New Roman", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (n.compare(u"Courier New", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return nom;
}

TFonteDessin FonteDessin(const QString &nom, int hauteur, std::uint8_t style)
{
    thread_local QHash<CleFonte, QFont> cache;
    const CleFonte cle{nom, hauteur, style};
    const auto trouve = cache.constFind(cle);
    if (trouve != cache.constEnd())
        return TFonteDessin{*trouve};

    QFont f = FonteDeBase(nom, style);
    if (hauteur < 0)
        f.setPixelSize(int(qMin(-qint64(hauteur), qint64(HauteurMaxFonte))));
    else
        f.setPixelSize(TaillePourCellule(f, std::clamp(hauteur, 1, HauteurMaxFonte)));
    if (cache.size() >= TailleMaxCacheFontes)
        cache.clear();
    cache.insert(cle, f);
    return TFonteDessin{f};
}

int LargeurTexte(const TFonteDessin &fonte, const QString &texte)
{
    return fonte.Metriques.horizontalAdvance(texte);
}

int HauteurTexte(const TFonteDessin &fonte, const QString &texte)
{
    Q_UNUSED(texte);
    return fonte.Metriques.height();
}

QStaticText TexteStatique(const TFonteDessin &fonte, const QString &texte)
{
    QStaticText statique(texte);
    statique.setTextFormat(Qt::PlainText);
    statique.prepare(QTransform(), fonte.Fonte);
    return statique;
}

void DessineTexte(QPainter &p, const TFonteDessin &fonte, TColor couleur, int x, int y,
                  const QStaticText &texte, const QRect &clip)
{
    if (texte.text().isEmpty() || (!clip.isNull() && clip.isEmpty()))
        return;
    p.save();
    if (!clip.isNull())
        p.setClipRect(clip, Qt::IntersectClip);
    p.setFont(fonte.Fonte);
    p.setPen(CouleurQt(couleur));
    // A static text is placed by the top of its first line's cell.
    p.drawStaticText(QPoint(x, y), texte);
    p.restore();
}

void DessineTexte(QPainter &p, const TFonteDessin &fonte, TColor couleur, int x, int y,
                  const QString &texte, const QRect &clip)
{
    if (texte.isEmpty() || (!clip.isNull() && clip.isEmpty()))
        return;
    p.save();
    if (!clip.isNull())
        p.setClipRect(clip, Qt::IntersectClip);
    p.setFont(fonte.Fonte);
    p.setPen(CouleurQt(couleur));
    p.drawText(QPoint(x, y + fonte.Metriques.ascent()), texte);
    p.restore();
}
