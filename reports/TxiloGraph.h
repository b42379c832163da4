#pragma once

#include <QColor>
#include <QCursor>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QFontMetrics;
class QPainter;
class TxiloGraph;

// The mouse events of the graph: the graph, the column (0-based, -1 for
// none) and that column's value (-1 for none).
using TOnMouseSel = std::function<void(TxiloGraph *Sender, int Col, int Val)>;

// One drawing of the graph, computed before it is painted. Coordinates are
// those of the painter; every rectangle holds the pixels it covers (its
// right() and bottom() are the last pixels drawn), frame included.
struct TGeometrieGraph {
    struct TGraduation {
        QLine Trait;     // the tick, left to right
        QPoint Texte;    // top-left corner of the value text
        QString Valeur;
    };
    struct TBarre {
        int Colonne = 0;
        QRect Rect;
        QColor Couleur;
    };
    struct TEtiquette {
        QPoint Position; // top-left corner of the text
        QString Texte;
    };
    QRect Fond;          // background and frame
    bool Axes = false;   // false: nothing but the background is drawn
    QLine AxeY, AxeX;    // the value axis, then the base line
    std::vector<TGraduation> Graduations;
    std::vector<TBarre> Barres;     // columns whose value is above 0
    std::vector<TEtiquette> Etiquettes;
};

// A bar graph: one series of integer values drawn as vertical bars over
// their labels, with a value axis on the left, which tells which bar the
// mouse is over or has clicked.
//
// The columns are the first n entries of ValX (labels) and ValY (values as
// decimal text), n being the smaller count. A value text that is not a whole
// decimal number counts as 0; columns whose value is 0 or less draw no bar
// and cannot be hit. The top of the value axis is MaxiY when it is at least
// 1, else the largest value. With ColorBar white each column takes its colour
// from the 12-colour palette (column i: entry i mod 12).
//
// Setters repaint at once while PaintOnChange is on (the default); lines
// added through the non-const ValX() and ValY() do not, the caller repaints.
class TxiloGraph final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TxiloGraph)

public:
    // 150 x 150 pixels, columns "Val1".."Val3" of values 3, 5 and 2.
    explicit TxiloGraph(QWidget *parent = nullptr);
    ~TxiloGraph() override;

    int MaxiY() const { return m_maxiY; }
    void SetMaxiY(int valeur);
    // Width of the band left of the bars (values and ticks), in pixels.
    int MargeX() const { return m_margeX; }
    void SetMargeX(int valeur);
    // Height of the band under the bars (labels), in pixels.
    int MargeY() const { return m_margeY; }
    void SetMargeY(int valeur);
    // Bar width as a percentage of the column width, 0..100; other values
    // are ignored.
    int ColLarge() const { return m_colLarge; }
    void SetColLarge(int valeur);

    const QStringList &ValX() const { return m_valX; }
    const QStringList &ValY() const { return m_valY; }
    QStringList &ValX() { return m_valX; }
    QStringList &ValY() { return m_valY; }
    void SetValX(const QStringList &valeurs);
    void SetValY(const QStringList &valeurs);

    // Cursor over a bar; elsewhere the widget's cursor at creation.
    QCursor CursorSel() const { return m_cursorSel; }
    void SetCursorSel(const QCursor &curseur) { m_cursorSel = curseur; }
    // Background colour (white by default).
    QColor Color() const { return m_color; }
    void SetColor(const QColor &couleur);
    // Bar colour; white (the default) gives each column a palette colour.
    QColor ColorBar() const { return m_colorBar; }
    void SetColorBar(const QColor &couleur);
    bool PaintOnChange() const { return m_paintOnChange; }
    // Setting it on repaints.
    void SetPaintOnChange(bool actif);

    // Called on every mouse move over the graph, and with -1, -1 when the
    // mouse leaves it; the click is a left button press over a bar.
    void SetOnMouseMove(TOnMouseSel evenement) { m_onMouseMove = std::move(evenement); }
    void SetOnMouseColonneClick(TOnMouseSel evenement) { m_onMouseColonneClick = std::move(evenement); }

    // Palette entry i mod 12: blue, lime, red, aqua, yellow, fuchsia, navy,
    // green, maroon, teal, olive, purple.
    static QColor CouleurPalette(int i);
    // The integer of a value text: optional sign and decimal digits, blanks
    // around allowed; 0 for anything else, including numbers beyond 32 bits.
    static int Valeur(const QString &texte);

    // Number of columns (the smaller count of ValX and ValY).
    int NombreColonnes() const;
    // Value of column col (0-based); 0 outside.
    int ValeurColonne(int col) const;

    // The drawing of the graph into `zone` with the font measured by
    // `mesures`. Bars are placed against the top of the value axis.
    TGeometrieGraph Geometrie(const QRect &zone, const QFontMetrics &mesures) const;
    // Draws the graph into `zone` of any painter (screen, printer, image),
    // with the painter's pen for frames and texts and its font.
    void Dessine(QPainter &peintre, const QRect &zone) const;
    // The column whose bar holds the point (widget coordinates); -1 when
    // none. The bars are measured against the largest value even when MaxiY
    // raises the axis top of the drawing: the place above a shortened bar,
    // up to the height it would have without MaxiY, still hits it.
    int ColonneEn(const QPoint &point) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // Top of the value axis: MaxiY, or the largest value; 0 when no value is
    // positive.
    int Sommet() const;
    // The largest value of the columns; 0 when none is positive.
    int PlusGrandeValeur() const;
    std::vector<TGeometrieGraph::TBarre> Barres(const QRect &zone, int sommet) const;
    void Change();
    void Survol(int col);

    int m_maxiY = 0;
    int m_margeX = 20;
    int m_margeY = 20;
    int m_colLarge = 75;
    QStringList m_valX;
    QStringList m_valY;
    QCursor m_cursorSel;
    QCursor m_cursorNormal;
    QColor m_color = Qt::white;
    QColor m_colorBar = Qt::white;
    bool m_paintOnChange = true;
    TOnMouseSel m_onMouseMove;
    TOnMouseSel m_onMouseColonneClick;
};
