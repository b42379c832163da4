#pragma once

#include <QImage>
#include <QWidget>

// A picture shown whole in its widget, stretched keeping its proportions and
// centred, over the window colour. It shows the pointing hand while it holds
// a picture, and tells of each mouse release on it.
class TApercu final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TApercu)

public:
    explicit TApercu(QWidget *parent = nullptr);
    ~TApercu() override;

    // Shows a picture; a null one empties the widget.
    void SetImage(const QImage &image);
    const QImage &Image() const { return m_image; }
    bool Vide() const { return m_image.isNull(); }

signals:
    void Relache(Qt::MouseButton bouton);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_image;
};
