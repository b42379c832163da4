#include "SkinImpression.h"

#include <array>
#include <utility>
#include <vector>

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>

#include "Fichiers.h"

namespace skinimpression {

namespace {

// The keys of section "skin2", in the order written.
std::vector<std::pair<QString, QString>> Cles()
{
    return {
        {QStringLiteral("Couleur"), Bande.name().mid(1).toUpper()},
        {QStringLiteral("CouleurTexte"), Texte.name().mid(1).toUpper()},
        {QStringLiteral("CouleurSurvol"), Survol.name().mid(1).toUpper()},
        {QStringLiteral("Hauteur"), QStringLiteral("76")},
        {QStringLiteral("Marge"), QStringLiteral("6")},
        {QStringLiteral("TailleImage"), QString::number(Cote)},
    };
}

} // namespace

QByteArray TexteSkin()
{
    QByteArray t = "; Skin of the artistic print window's button bar (see README).\n[skin2]\n";
    for (const auto &[cle, valeur] : Cles())
        t += (cle + QLatin1Char('=') + valeur + QLatin1Char('\n')).toUtf8();
    return t;
}

QImage ImageBouton(int n)
{
    QImage image(Cote, Cote, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen trait(Trait, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (n) {
    case 21: // models: four thumbnails, one picked
        p.setPen(trait);
        for (int i = 0; i < 4; ++i) {
            const QRectF r(7 + (i % 2) * 18, 7 + (i / 2) * 18, 15, 15);
            p.setBrush(i == 1 ? Accent : Qt::transparent);
            p.drawRoundedRect(r, 2, 2);
        }
        break;
    case 22: { // personalise: a pencil over a line of writing
        p.setPen(trait);
        p.drawLine(QPointF(8, 41), QPointF(40, 41));
        p.translate(24, 22);
        p.rotate(-45);
        p.setBrush(Accent);
        p.drawRect(QRectF(-14, -5, 24, 10));
        QPainterPath pointe;
        pointe.moveTo(10, -5);
        pointe.lineTo(19, 0);
        pointe.lineTo(10, 5);
        pointe.closeSubpath();
        p.setBrush(Trait);
        p.drawPath(pointe);
        break;
    }
    case 23: { // save: a disk
        p.setPen(trait);
        QPainterPath disque;
        disque.moveTo(8, 8);
        disque.lineTo(34, 8);
        disque.lineTo(40, 14);
        disque.lineTo(40, 40);
        disque.lineTo(8, 40);
        disque.closeSubpath();
        p.drawPath(disque);
        p.setBrush(Accent);
        p.drawRect(QRectF(15, 8, 16, 10));
        p.setBrush(Qt::transparent);
        p.drawRect(QRectF(14, 26, 20, 14));
        break;
    }
    case 24: // print: a sheet coming out of a printer
        p.setPen(trait);
        p.drawRect(QRectF(15, 6, 18, 12));
        p.setBrush(Accent);
        p.drawRoundedRect(QRectF(6, 18, 36, 16), 3, 3);
        p.setBrush(Qt::transparent);
        p.drawRect(QRectF(14, 28, 20, 14));
        break;
    case 25: { // back: an arrow to the left
        p.setPen(QPen(Trait, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(10, 24), QPointF(38, 24));
        p.drawPolyline(std::array{QPointF(21, 13), QPointF(10, 24), QPointF(21, 35)}.data(), 3);
        break;
    }
    default:
        break;
    }
    p.end();
    return image;
}

bool EcritSkin(const QString &dossier)
{
    const QByteArray skin = TexteSkin();
    bool ok = EcritFichierEntier(dossier + QStringLiteral("skin.txt"), skin.constData(), skin.size(), nullptr);
    for (int n = 21; n <= 25; ++n) {
        QByteArray png;
        QBuffer tampon(&png);
        tampon.open(QIODevice::WriteOnly);
        ok = ImageBouton(n).save(&tampon, "PNG")
            && EcritFichierEntier(dossier + QStringLiteral("btn%1.png").arg(n), png.constData(), png.size(), nullptr)
            && ok;
    }
    return ok;
}

} // namespace skinimpression
