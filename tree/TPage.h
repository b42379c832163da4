#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

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

    // The file of the texture now loaded (empty when none).
    const QString &TextureChargee() const { return m_textureChargee; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // Loads the screen texture when its name changed.
    void ChargeTexture();

    TAffArbre *m_arbre = nullptr;
    QImage m_fond;
    QString m_textureChargee;
};
