#include "Metafichier.h"

#include <QFile>
#include <QPainter>

#include "Fichiers.h"
#include "JoueurGdi.h"
#include "LecteurWmf.h"

namespace {

// The resolution assumed when a metafile does not give its recording
// device's: 96 pixels per inch.
constexpr double PixelsParMmDefaut = 96 / 25.4;
constexpr int CoteRenduMax = 20000;

double Resolution(int pixels, int mm)
{
    return pixels > 0 && mm > 0 ? double(pixels) / mm : PixelsParMmDefaut;
}

} // namespace

void TMetafichier::Efface()
{
    m_format = TFormat::Aucun;
    m_octets.clear();
    m_tailleMm = QSizeF();
    m_cadrePixels = QRectF();
    m_pixelsParMm = QSizeF();
}

bool TMetafichier::LitFichier(const QString &fichier, QByteArray *octets)
{
    octets->clear();
    if (!ObstacleLecture(fichier).isEmpty())
        return false;
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 taille = f.size();
    if (taille > TailleMax)
        return false;
    // Read at the file's own size: asking for up to TailleMax bytes would
    // allocate that much for every picture, and keep it.
    QByteArray lus(taille, Qt::Uninitialized);
    qint64 total = 0;
    while (total < taille) {
        const qint64 n = f.read(lus.data() + total, taille - total);
        if (n <= 0)
            break;
        total += n;
    }
    if (f.error() != QFileDevice::NoError)
        return false;
    lus.truncate(total);
    *octets = lus;
    return true;
}

bool TMetafichier::Charge(const QString &fichier)
{
    Efface();
    QByteArray octets;
    return LitFichier(fichier, &octets) && ChargeOctets(octets);
}

bool TMetafichier::ChargeOctets(const QByteArray &octets)
{
    Efface();
    if (octets.size() > TailleMax)
        return false;
    if (EstEmf(octets)) {
        const TLecteurEmf lecteur(octets);
        if (!lecteur.EnteteValide())
            return false;
        const TEnteteEmf &entete = lecteur.Entete();
        m_pixelsParMm = QSizeF(Resolution(entete.Peripherique.width(), entete.Millimetres.width()),
                               Resolution(entete.Peripherique.height(), entete.Millimetres.height()));
        // The frame, in hundredths of a millimetre, says what the picture
        // covers; without one, the bounds in the device's pixels.
        const QRect &c = entete.Cadre;
        const QRect &l = entete.Limites;
        const double ppx = m_pixelsParMm.width() / 100;
        const double ppy = m_pixelsParMm.height() / 100;
        if (qint64(c.right()) > c.left() && qint64(c.bottom()) > c.top()) {
            m_cadrePixels = QRectF(QPointF(c.left() * ppx, c.top() * ppy), QPointF(c.right() * ppx, c.bottom() * ppy));
            m_tailleMm = QSizeF((qint64(c.right()) - c.left()) / 100.0, (qint64(c.bottom()) - c.top()) / 100.0);
        } else if (qint64(l.right()) >= l.left() && qint64(l.bottom()) >= l.top()) {
            m_cadrePixels = QRectF(QPointF(l.left(), l.top()), QPointF(l.right() + 1.0, l.bottom() + 1.0));
            m_tailleMm = QSizeF(m_cadrePixels.width() / m_pixelsParMm.width(),
                                m_cadrePixels.height() / m_pixelsParMm.height());
        } else {
            return false;
        }
        m_format = TFormat::Emf;
        m_octets = octets;
        return true;
    }
    TEnteteWmf entete;
    if (LitEnteteWmf(octets, entete)) {
        m_pixelsParMm = QSizeF(PixelsParMmDefaut, PixelsParMmDefaut);
        m_cadrePixels = entete.Cadre;
        m_tailleMm = entete.TailleMm;
        m_format = TFormat::Wmf;
        m_octets = octets;
        return true;
    }
    return false;
}

void TMetafichier::Dessine(QPainter &painter, const QRectF &cible) const
{
    if (EstVide() || cible.isEmpty() || !painter.isActive() || m_cadrePixels.isEmpty())
        return;
    const QTransform placement = QTransform::fromTranslate(-m_cadrePixels.left(), -m_cadrePixels.top())
                                 * QTransform::fromScale(cible.width() / m_cadrePixels.width(),
                                                         cible.height() / m_cadrePixels.height())
                                 * QTransform::fromTranslate(cible.left(), cible.top());
    if (m_format == TFormat::Emf) {
        TLecteurEmf lecteur(m_octets);
        JoueEmf(lecteur, painter, placement, m_pixelsParMm);
    } else {
        // The frame read at loading is the one the records are played in.
        JoueWmf(m_octets, m_cadrePixels, painter, placement);
    }
}

QImage TMetafichier::Rendu(QSize taille, QColor fond) const
{
    if (EstVide() || taille.isEmpty() || taille.width() > CoteRenduMax || taille.height() > CoteRenduMax)
        return QImage();
    QImage image(taille, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(fond);
    QPainter painter(&image);
    Dessine(painter, QRectF(QPointF(0, 0), QSizeF(taille)));
    return image;
}
