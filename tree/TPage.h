#pragma once

#include <vector>

#include <QBrush>
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

class QPainter;

class TAffArbre;

// The canvas of the tree view, inside the scroll area `Arbre`: it paints the
// screen background of the look (colour CouleurEcran or the tiled texture
// TextEcran), then the boxes and links of the tree, and passes mouse presses
// to the tree builder. It is sized to cover the whole tree, at least the
// visible area. It also holds the print settings of the tree.
class TPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPage)

public:
    explicit TPage(QWidget *parent = nullptr);
    ~TPage() override;

    void SetArbre(TAffArbre *arbre) { m_arbre = arbre; }

    // Number of pages found by the last paint; 0 while the frames are hidden.
    // Each paint first fits the print zoom when PrintZoomAuto is set, then,
    // while VoirPage is set, draws over the background, under the tree, a
    // blue frame of W x H pixels with "Page n" centred (and cut to the
    // frame) over each page of the grid below, and counts them here.
    int NbrePage = 0;
    // Printer pixels per 100 screen pixels of the tree.
    int PrintZoom = 100;
    // Overlap of neighbouring pages, per cent of the page width.
    int PrintCroise = 0;
    // Screen pixels between the top / left of the view and the tree.
    int PrintMargeH = 0;
    int PrintMargeG = 0;
    // Show the page frames.
    bool VoirPage = false;
    // Fit the whole tree on one page before each paint.
    bool PrintZoomAuto = true;
    // 0 direct, 1 through a bitmap, 2 safe mode.
    int MethodeImpression = 2;

    // The printable area of the current printer's page, in printer pixels
    // (PW x PH); empty when no printer is installed. Set by the main window.
    QSize PageImprimante;

    // The page grid over the canvas. With PW x PH = PageImprimante and
    // O = PW x PrintCroise div 100 (the overlap, taken from the width in
    // both directions; a negative PrintCroise counts as 0):
    //   page on screen  W = PW x 100 div PrintZoom, H = PH x 100 div PrintZoom;
    //   step on screen  SX = (PW - O) x 100 div PrintZoom, SY likewise with PH;
    //   step on paper   PW - O across, PH - O down.
    // Cells start at (c x SX, k x SY), c and k from 0, while the start lies
    // within the canvas (its size, stretched to hold every box and link).
    // A cell is a page when it shares a pixel with a box or a link (see
    // CompInRect): a cell that starts on the first pixel past the tree is
    // not, so a tree fitted to one page prints on one sheet; pages
    // are numbered from 1, row by row, top row first, left to right; empty
    // cells get no number. There is no page at all without a printer, with
    // PrintZoom <= 0, or when SX or SY is 1 or less.

    // The number of pages, whatever VoirPage says (the paint sets NbrePage
    // the same way, but only while the frames are shown).
    int ComptePages() const;
    // True when the rectangle of some box or link shares a pixel with r: r
    // covers the pixels r.x() .. r.x() + r.width() - 1 across and the same
    // down, an item likewise from its Bounds(); an item that ends on the
    // pixel before r, or starts on the pixel after it, does not count.
    bool CompInRect(const QRect &r) const;
    // Screen rectangle of page n (1-based): QRect(c x SX, k x SY, W, H).
    // Empty when there is no page n.
    QRect GetCoord(int n) const;
    // Paper rectangle of page n (1-based), in printer pixels of the whole
    // printed plane: QRect((PW - O) x c, (PH - O) x k, PW - O, PH - O), with c
    // and k the column and row of the page counted over all cells. Items
    // print at their paper position less its top-left corner. Empty when
    // there is no page n.
    QRect GetPrintCoord(int n) const;
    // The paper rectangles of every page in order, from one walk of the grid.
    std::vector<QRect> PrintCoords() const;
    // Sets PrintZoom so that the whole tree fits on one page: with R and B
    // the right and bottom edges of the tree (x + width and y + height of
    // TAffArbre::GetRect()), the smaller of PW x 100 div R and
    // PH x 100 div B, rounded down to a multiple of 10 and kept within
    // 10..100000; a tree too large for zoom 10 then spreads over several
    // pages. Unchanged without a printer or with an empty (or hidden) tree.
    void CalculZoomAuto();

    // The file of the texture now loaded (empty when none).
    const QString &TextureChargee() const { return m_textureChargee; }
    // The background it paints, for other windows to wear: the screen
    // texture (loaded first when TextEcran changed) as a tiling brush, or
    // the screen colour when there is none.
    QBrush Fond();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // Loads the screen texture when its name changed.
    void ChargeTexture();

    // The page grid as computed from the settings, the canvas and the items:
    // the sizes above and the pages as runs of columns, sorted by row then
    // column.
    struct TSuite {
        qint64 Ligne = 0;
        qint64 Premiere = 0; // first and last column, included
        qint64 Derniere = 0;
    };
    struct TGrille {
        bool Valide = false;
        qint64 W = 0, H = 0, SX = 0, SY = 0;
        qint64 PasX = 0, PasY = 0;
        std::vector<TSuite> Suites;
        qint64 NbrePages = 0;
    };
    TGrille Grille() const;
    // The column and row of page n (1-based); false when there is no page n.
    static bool Cellule(const TGrille &g, int n, qint64 &colonne, qint64 &ligne);
    void PeintPages(QPainter &p, const QRect &zone, const TGrille &g) const;

    TAffArbre *m_arbre = nullptr;
    QImage m_fond;
    QString m_textureChargee;
};
