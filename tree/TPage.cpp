#include "TPage.h"

#include "Dessin.h"
#include "Globales.h"
#include "Images.h"
#include "Look.h"
#include "TAffArbre.h"
#include "TBoite.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
    const QString nom = TextEcran.isEmpty() ? QString() : DossierImageArbre + TextEcran;
    if (nom == m_textureChargee)
        return;
    m_textureChargee = nom;
    m_fond = QImage();
    if (!nom.isEmpty() && QFileInfo(nom).isFile() && !ChargeImage(m_fond, nom))
        m_fond = QImage();
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
