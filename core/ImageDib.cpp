#include "ImageDib.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace {

constexpr qint64 PixelsDibMax = qint64(64) * 1024 * 1024;

// Little-endian values of a view, 0 beyond its end.
std::uint32_t Lit(QByteArrayView o, qsizetype position, int taille)
{
    if (position < 0 || position > o.size() - taille)
        return 0;
    std::uint32_t v = 0;
    for (int i = taille - 1; i >= 0; --i)
        v = (v << 8) | std::uint8_t(o.at(position + i));
    return v;
}

// A channel of a masked pixel as 8 bits.
struct Canal {
    std::uint32_t Masque = 0;
    int Decalage = 0;
    std::uint32_t Maximum = 0;
    explicit Canal(std::uint32_t masque) : Masque(masque)
    {
        if (masque == 0)
            return;
        Decalage = std::countr_zero(masque);
        Maximum = masque >> Decalage;
    }
    int Valeur(std::uint32_t pixel) const
    {
        if (Maximum == 0)
            return 0;
        return int(std::uint64_t((pixel & Masque) >> Decalage) * 255 / Maximum);
    }
};


} // namespace

QImage ImageDib(QByteArrayView info, QByteArrayView pixels, std::uint32_t usage)
{
    const std::uint32_t entete = Lit(info, 0, 4);
    qint64 largeur = 0;
    qint64 hauteur = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t utilisees = 0;
    qsizetype tailleCouleur = 4;
    if (entete == 12 && info.size() >= 12) {
        largeur = Lit(info, 4, 2);
        hauteur = std::int16_t(Lit(info, 6, 2));
        bits = int(Lit(info, 10, 2));
        tailleCouleur = 3;
    } else if (entete >= 40 && entete <= std::uint32_t(info.size())) {
        largeur = std::int32_t(Lit(info, 4, 4));
        hauteur = std::int32_t(Lit(info, 8, 4));
        bits = int(Lit(info, 14, 2));
        compression = Lit(info, 16, 4);
        utilisees = Lit(info, 32, 4);
    } else {
        return QImage();
    }
    const bool basEnHaut = hauteur > 0;
    hauteur = std::abs(hauteur);
    if (largeur <= 0 || hauteur <= 0 || largeur * hauteur > PixelsDibMax)
        return QImage();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return QImage();
    const bool masques = compression == 3;
    if (compression != 0 && !(masques && (bits == 16 || bits == 32)))
        return QImage();

    Canal rouge(bits == 16 ? 0x7C00 : 0xFF0000);
    Canal vert(bits == 16 ? 0x03E0 : 0x00FF00);
    Canal bleu(bits == 16 ? 0x001F : 0x0000FF);
    if (masques) {
        // The three masks follow a 40-byte header, and are part of the
        // larger ones.
        if (info.size() < 52)
            return QImage();
        rouge = Canal(Lit(info, 40, 4));
        vert = Canal(Lit(info, 44, 4));
        bleu = Canal(Lit(info, 48, 4));
    }

    QList<QRgb> table;
    if (bits <= 8) {
        const qsizetype maximum = qsizetype(1) << bits;
        const qsizetype nombre = utilisees > 0 ? std::min<qsizetype>(utilisees, maximum) : maximum;
        if (usage == 1) {
            if (bits != 1)
                return QImage();
            table = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
        } else {
            const qsizetype debut = entete + (masques && entete == 40 ? 12 : 0);
            if (debut + nombre * tailleCouleur > info.size())
                return QImage();
            for (qsizetype i = 0; i < nombre; ++i) {
                const qsizetype p = debut + i * tailleCouleur;
                table.append(qRgb(int(Lit(info, p + 2, 1)), int(Lit(info, p + 1, 1)), int(Lit(info, p, 1))));
            }
        }
    }

    const qint64 pas = (largeur * bits + 31) / 32 * 4;
    if (pas * hauteur > pixels.size())
        return QImage();
    QImage image(int(largeur), int(hauteur), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const auto *octets = reinterpret_cast<const std::uint8_t *>(pixels.data());
    for (qint64 y = 0; y < hauteur; ++y) {
        const std::uint8_t *ligne = octets + (basEnHaut ? hauteur - 1 - y : y) * pas;
        auto *sortie = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        for (qint64 x = 0; x < largeur; ++x) {
            QRgb c = qRgb(0, 0, 0);
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                const qint64 bit = x * bits;
                const int decalage = 8 - bits - int(bit % 8);
                const int indice = (ligne[bit / 8] >> decalage) & ((1 << bits) - 1);
                if (indice < table.size())
                    c = table.at(indice);
                break;
            }
            case 16: {
                const std::uint32_t v = ligne[2 * x] | (ligne[2 * x + 1] << 8);
                c = qRgb(rouge.Valeur(v), vert.Valeur(v), bleu.Valeur(v));
                break;
            }
            case 24:
                c = qRgb(ligne[3 * x + 2], ligne[3 * x + 1], ligne[3 * x]);
                break;
            default: {
                const std::uint32_t v = std::uint32_t(ligne[4 * x]) | (std::uint32_t(ligne[4 * x + 1]) << 8)
                                        | (std::uint32_t(ligne[4 * x + 2]) << 16)
                                        | (std::uint32_t(ligne[4 * x + 3]) << 24);
                c = qRgb(rouge.Valeur(v), vert.Valeur(v), bleu.Valeur(v));
                break;
            }
            }
            sortie[x] = c;
        }
    }
    return image;
}

QImage ImageDibCompacte(QByteArrayView dib, std::uint32_t usage)
{
    const std::uint32_t entete = Lit(dib, 0, 4);
    qsizetype info = 0;
    if (entete == 12) {
        const int bits = int(Lit(dib, 10, 2));
        info = 12 + (bits <= 8 ? (qsizetype(1) << bits) * (usage == 1 ? 2 : 3) : 0);
    } else if (entete >= 40 && entete <= std::uint32_t(dib.size())) {
        const int bits = int(Lit(dib, 14, 2));
        const std::uint32_t compression = Lit(dib, 16, 4);
        const std::uint32_t utilisees = Lit(dib, 32, 4);
        info = entete + (compression == 3 && entete == 40 ? 12 : 0);
        if (bits >= 1 && bits <= 8) {
            const qsizetype maximum = qsizetype(1) << bits;
            const qsizetype nombre = utilisees > 0 ? std::min<qsizetype>(utilisees, maximum) : maximum;
            info += nombre * (usage == 1 ? 2 : 4);
        }
    } else {
        return QImage();
    }
    if (info > dib.size())
        return QImage();
    return ImageDib(dib.first(info), dib.sliced(info), usage);
}

double HautSourceDib(QByteArrayView info, const QImage &image, double y, double hauteur)
{
    const bool basEnHaut =
        Lit(info, 0, 4) == 12 ? std::int16_t(Lit(info, 6, 2)) > 0 : std::int32_t(Lit(info, 8, 4)) > 0;
    return basEnHaut ? image.height() - y - hauteur : y;
}
