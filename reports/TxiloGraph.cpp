#include "TxiloGraph.h"

#include <algorithm>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "Arrondi.h"

using namespace Qt::StringLiterals;

namespace {

const QColor Palette[12] = {
    QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(255, 0, 0),   QColor(0, 255, 255),
    QColor(255, 255, 0), QColor(255, 0, 255), QColor(0, 0, 128),   QColor(0, 128, 0),
    QColor(128, 0, 0),   QColor(0, 128, 128), QColor(128, 128, 0), QColor(128, 0, 128),
};

bool estBlanc(const QColor &couleur)
{
    return couleur.rgb() == qRgb(255, 255, 255);
}

// A framed rectangle of the pen's colour one pixel wide, as the graph has
// always drawn them; filling rather than stroking keeps one-pixel bars
// visible and scales with the painter on paper.
void rectangleEncadre(QPainter &peintre, const QRect &rect, const QColor &cadre, const QColor &fond)
{
    if (rect.isEmpty())
        return;
    peintre.fillRect(rect, cadre);
    const QRect dedans = rect.adjusted(1, 1, -1, -1);
    if (!dedans.isEmpty())
        peintre.fillRect(dedans, fond);
}

} // namespace

TxiloGraph::TxiloGraph(QWidget *parent)
    : QWidget(parent)
    , m_valX({u"Val1"_s, u"Val2"_s, u"Val3"_s})
    , m_valY({u"3"_s, u"5"_s, u"2"_s})
{
    resize(150, 150);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_cursorNormal = cursor();
    m_cursorSel = cursor();
}

TxiloGraph::~TxiloGraph() = default;

QColor TxiloGraph::CouleurPalette(int i)
{
    const int n = static_cast<int>(std::size(Palette));
    return Palette[((i % n) + n) % n];
}

int TxiloGraph::Valeur(const QString &texte)
{
    bool ok = false;
    const int v = texte.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

void TxiloGraph::Change()
{
    if (m_paintOnChange)
        update();
}

void TxiloGraph::SetMaxiY(int valeur)
{
    m_maxiY = valeur;
    Change();
}

void TxiloGraph::SetMargeX(int valeur)
{
    m_margeX = valeur;
    Change();
}

void TxiloGraph::SetMargeY(int valeur)
{
    m_margeY = valeur;
    Change();
}

void TxiloGraph::SetColLarge(int valeur)
{
    if (valeur < 0 || valeur > 100)
        return;
    m_colLarge = valeur;
    Change();
}

void TxiloGraph::SetValX(const QStringList &valeurs)
{
    m_valX = valeurs;
    Change();
}

void TxiloGraph::SetValY(const QStringList &valeurs)
{
    m_valY = valeurs;
    Change();
}

void TxiloGraph::SetColor(const QColor &couleur)
{
    if (couleur == m_color)
        return;
    m_color = couleur;
    Change();
}

void TxiloGraph::SetColorBar(const QColor &couleur)
{
    if (couleur == m_colorBar)
        return;
    m_colorBar = couleur;
    Change();
}

void TxiloGraph::SetPaintOnChange(bool actif)
{
    m_paintOnChange = actif;
    if (actif)
        update();
}

int TxiloGraph::NombreColonnes() const
{
    return static_cast<int>(std::min(m_valX.size(), m_valY.size()));
}

int TxiloGraph::ValeurColonne(int col) const
{
    if (col < 0 || col >= NombreColonnes())
        return 0;
    return Valeur(m_valY[col]);
}

int TxiloGraph::Sommet() const
{
    return m_maxiY >= 1 ? m_maxiY : PlusGrandeValeur();
}

int TxiloGraph::PlusGrandeValeur() const
{
    int plusGrande = 0;
    for (int i = 0, n = NombreColonnes(); i < n; ++i)
        plusGrande = std::max(plusGrande, Valeur(m_valY[i]));
    return plusGrande;
}

std::vector<TGeometrieGraph::TBarre> TxiloGraph::Barres(const QRect &zone, int sommet) const
{
    std::vector<TGeometrieGraph::TBarre> barres;
    const int n = NombreColonnes();
    if (n < 1 || sommet < 1)
        return barres;
    const int x = zone.x();
    const int base = zone.y() + zone.height() - m_margeY;
    const double hauteur = zone.height() - m_margeY;
    const double largeurColonne = static_cast<double>(zone.width() - m_margeX - 1) / n;
    const int demiEcart = Round((100 - m_colLarge) * largeurColonne / 200);
    const bool palette = estBlanc(m_colorBar);
    for (int i = 0; i < n; ++i) {
        const int v = Valeur(m_valY[i]);
        if (v <= 0)
            continue;
        // Right and bottom are the first pixels outside the bar.
        const int gauche = x + m_margeX + Round(i * largeurColonne) + demiEcart;
        int droite = x + m_margeX + Round((i + 1) * largeurColonne) + 1 - demiEcart;
        const int haut = base - Round(hauteur / sommet * v);
        const int bas = base + 1;
        // Narrow bars (a small width percentage, many columns) keep one
        // pixel: a value above 0 always shows.
        droite = std::max(droite, gauche + 1);
        if (bas <= haut)
            continue;
        barres.push_back({i, QRect(QPoint(gauche, haut), QPoint(droite - 1, bas - 1)),
                          palette ? CouleurPalette(i) : m_colorBar});
    }
    return barres;
}

TGeometrieGraph TxiloGraph::Geometrie(const QRect &zone, const QFontMetrics &mesures) const
{
    TGeometrieGraph geo;
    geo.Fond = zone;
    const int n = NombreColonnes();
    const int sommet = Sommet();
    if (n < 1 || sommet < 1)
        return geo;
    geo.Axes = true;

    const int x = zone.x();
    const int y = zone.y();
    const int largeur = zone.width() - m_margeX;
    const int hauteur = zone.height() - m_margeY;
    const int base = y + hauteur;
    const int hauteurTexte = mesures.height();

    // Ticks at 1, 5, 10, 50, 100... values apart, at least 15 pixels apart
    // when the axis has room. 64 bits: the largest values would overflow.
    qint64 pas = 1;
    for (int k = 0; hauteur >= 16 && static_cast<double>(hauteur) * pas / sommet < 15; ++k)
        pas *= k % 2 == 0 ? 5 : 2;
    if (hauteur > 15) {
        for (qint64 i = pas; i < sommet; i += pas) {
            const int yi = base - Round(static_cast<double>(hauteur) / sommet * i);
            const QString texte = QString::number(i);
            geo.Graduations.push_back({QLine(x + m_margeX - 8, yi, x + m_margeX - 1, yi),
                                       QPoint(x + m_margeX - 10 - mesures.horizontalAdvance(texte),
                                              yi - hauteurTexte / 2),
                                       texte});
        }
    }
    geo.AxeY = QLine(x + m_margeX, y, x + m_margeX, base);
    geo.AxeX = QLine(x + m_margeX, base, x + zone.width() - 1, base);
    geo.Barres = Barres(zone, sommet);

    // Labels at least 40 pixels apart: every pasEtiquette-th column.
    qint64 pasEtiquette = 1;
    if (largeur > 40)
        pasEtiquette = std::max<qint64>(1, (40LL * n + largeur - 1) / largeur);
    const double largeurColonne = static_cast<double>(zone.width() - m_margeX - 1) / n;
    for (int i = 0; i < n; i += static_cast<int>(std::min<qint64>(pasEtiquette, n))) {
        const QString &texte = m_valX[i];
        geo.Etiquettes.push_back(
            {QPoint(Round((i + 0.5) * largeurColonne) + x + m_margeX - mesures.horizontalAdvance(texte) / 2,
                    y + zone.height() - (hauteurTexte + m_margeY) / 2),
             texte});
    }
    return geo;
}

void TxiloGraph::Dessine(QPainter &peintre, const QRect &zone) const
{
    const TGeometrieGraph geo = Geometrie(zone, peintre.fontMetrics());
    peintre.save();
    peintre.setClipRect(zone, Qt::IntersectClip);
    peintre.setRenderHint(QPainter::Antialiasing, false);
    peintre.setRenderHint(QPainter::TextAntialiasing, true);
    const QColor trait = peintre.pen().color();
    rectangleEncadre(peintre, geo.Fond, trait, m_color);
    if (geo.Axes) {
        const int ascendante = peintre.fontMetrics().ascent();
        for (const TGeometrieGraph::TGraduation &g : geo.Graduations) {
            peintre.drawLine(g.Trait);
            peintre.drawText(g.Texte + QPoint(0, ascendante), g.Valeur);
        }
        peintre.drawLine(geo.AxeY);
        peintre.drawLine(geo.AxeX);
        for (const TGeometrieGraph::TBarre &b : geo.Barres)
            rectangleEncadre(peintre, b.Rect, trait, b.Couleur);
        for (const TGeometrieGraph::TEtiquette &e : geo.Etiquettes)
            peintre.drawText(e.Position + QPoint(0, ascendante), e.Texte);
    }
    peintre.restore();
}

int TxiloGraph::ColonneEn(const QPoint &point) const
{
    // The bars as they stand against the largest value, whatever MaxiY: a
    // raised axis top shortens the bars drawn, not the places that hit them.
    for (const TGeometrieGraph::TBarre &b : Barres(rect(), PlusGrandeValeur())) {
        if (b.Rect.contains(point))
            return b.Colonne;
    }
    return -1;
}

void TxiloGraph::paintEvent(QPaintEvent *)
{
    QPainter peintre(this);
    // Frames and texts stand on the graph's own background, not on the
    // desktop theme's: the pen is black whatever the theme's text colour.
    peintre.setPen(Qt::black);
    Dessine(peintre, rect());
}

void TxiloGraph::Survol(int col)
{
    if (col < 0) {
        setCursor(m_cursorNormal);
        if (m_onMouseMove)
            m_onMouseMove(this, -1, -1);
        return;
    }
    setCursor(m_cursorSel);
    if (m_onMouseMove)
        m_onMouseMove(this, col, ValeurColonne(col));
}

void TxiloGraph::mouseMoveEvent(QMouseEvent *event)
{
    Survol(ColonneEn(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TxiloGraph::leaveEvent(QEvent *event)
{
    Survol(-1);
    QWidget::leaveEvent(event);
}

void TxiloGraph::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_onMouseColonneClick) {
        const int col = ColonneEn(event->position().toPoint());
        if (col >= 0)
            m_onMouseColonneClick(this, col, ValeurColonne(col));
    }
    QWidget::mousePressEvent(event);
}
