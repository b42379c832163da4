#include "TApercu.h"

#include "Images.h"

#include <QMouseEvent>
#include <QPainter>

TApercu::TApercu(QWidget *parent)
    : QWidget(parent)
{
}

TApercu::~TApercu() = default;

void TApercu::SetImage(const QImage &image)
{
    m_image = image;
    setCursor(m_image.isNull() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    update();
}

void TApercu::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    QRect cible;
    if (m_image.isNull() || !FitRect(width(), height(), m_image.width(), m_image.height(), cible))
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(cible, m_image);
}

void TApercu::mouseReleaseEvent(QMouseEvent *event)
{
    emit Relache(event->button());
}
