#include "EcrivainEmf.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include <QtEndian>

#include "Metafichier.h"

static_assert(TEcrivainEmf::TailleMax == TMetafichier::TailleMax, "a metafile written is one the program reads");

namespace {

constexpr qint64 TailleEntete = 108;
constexpr qint64 TailleEof = 20;
constexpr qint64 TailleStretchDIBits = 80;
constexpr qint64 TailleInfoBitmap = 40;
// The recording device is given this many millimetres wide and high, and as
// many pixels as the picture's resolution makes: the ratio is what players
// read, and whole millimetres of the page itself would round it.
constexpr int MmPeripherique = 1000;

// The 16-bit variant of a poly record: PolyBezier16 is PolyBezier + 83, and
// so on up to PolylineTo16.
constexpr std::uint32_t EcartSeize = emr::PolyBezier16 - emr::PolyBezier;

int Borne32(double v)
{
    if (!(v > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (!(v < std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(std::lround(v));
}

bool TientSeize(const QPolygon &points)
{
    for (const QPoint &p : points) {
        if (p.x() < -32768 || p.x() > 32767 || p.y() < -32768 || p.y() > 32767)
            return false;
    }
    return true;
}

void Ajoute(QByteArray &o, std::uint32_t v)
{
    char octets[4];
    qToLittleEndian(v, octets);
    o.append(octets, 4);
}

} // namespace

TEcrivainEmf::TEcrivainEmf(QSize pixels, QSizeF mm, qint64 tailleMax)
    : m_pixels(pixels.expandedTo(QSize(1, 1))), m_mm(mm), m_tailleMax(std::min(tailleMax, TailleMax))
{
    if (!(m_mm.width() > 0) || !(m_mm.height() > 0))
        m_mm = QSizeF(m_pixels) / 10.0;
    m_largeurs.assign(1, -1);
}

bool TEcrivainEmf::Debut(std::uint32_t type, qint64 taille)
{
    if (m_deborde || taille > m_tailleMax - TailleEntete - TailleEof - m_corps.size()) {
        m_deborde = true;
        return false;
    }
    Mot(type);
    Mot(std::uint32_t(taille));
    ++m_nombre;
    return true;
}

void TEcrivainEmf::Mot(std::uint32_t v)
{
    Ajoute(m_corps, v);
}

void TEcrivainEmf::Bornes(const QRect &r)
{
    // An empty rectangle is written as the format's "no bounds" (0, 0, -1, -1).
    const QRect b = r.isValid() ? r : QRect(QPoint(0, 0), QPoint(-1, -1));
    for (const int v : {b.left(), b.top(), b.right(), b.bottom()})
        Mot(std::uint32_t(v));
}

QRect TEcrivainEmf::AvecStylo(const QRect &r) const
{
    if (!r.isValid())
        return r;
    const int d = m_largeurStylo > 1 ? (m_largeurStylo + 1) / 2 : 0;
    return r.adjusted(-d, -d, d, d);
}

void TEcrivainEmf::NoteObjet(std::uint32_t index, int largeurStylo)
{
    if (index >= m_largeurs.size())
        m_largeurs.resize(size_t(index) + 1, -1);
    m_largeurs[index] = largeurStylo;
    m_objets = std::max(m_objets, index + 1);
}

void TEcrivainEmf::Valeur(std::uint32_t type, std::uint32_t valeur)
{
    if (!Debut(type, 12))
        return;
    Mot(valeur);
    if (type != emr::SelectObject)
        return;
    if (valeur == emf::StockStyloNul)
        m_largeurStylo = 0;
    else if (valeur < m_largeurs.size() && m_largeurs[valeur] >= 0)
        m_largeurStylo = m_largeurs[valeur];
}

void TEcrivainEmf::Simple(std::uint32_t type)
{
    if (type == emr::BeginPath)
        m_bornesChemin = QRect();
    Debut(type, 8);
}

void TEcrivainEmf::MoveTo(QPoint p)
{
    m_bornesChemin |= QRect(p, QSize(1, 1));
    if (!Debut(emr::MoveToEx, 16))
        return;
    Mot(std::uint32_t(p.x()));
    Mot(std::uint32_t(p.y()));
}

void TEcrivainEmf::Cadre(std::uint32_t type, int gauche, int haut, int droite, int bas)
{
    m_bornesChemin |= QRect(QPoint(std::min(gauche, droite), std::min(haut, bas)),
                            QPoint(std::max(gauche, droite), std::max(haut, bas)));
    if (!Debut(type, 24))
        return;
    for (const int v : {gauche, haut, droite, bas})
        Mot(std::uint32_t(v));
}

void TEcrivainEmf::TracePath(std::uint32_t type)
{
    if (!Debut(type, 24))
        return;
    Bornes(type == emr::FillPath ? m_bornesChemin : AvecStylo(m_bornesChemin));
}

void TEcrivainEmf::Poly(std::uint32_t type, const QPolygon &points)
{
    const QRect boite = points.boundingRect();
    m_bornesChemin |= boite;
    const bool seize = TientSeize(points);
    const qint64 n = points.size();
    if (!Debut(seize ? type + EcartSeize : type, 28 + n * (seize ? 4 : 8)))
        return;
    Bornes(AvecStylo(boite));
    Mot(std::uint32_t(n));
    for (const QPoint &p : points) {
        if (seize) {
            Mot((std::uint32_t(std::uint16_t(p.x()))) | (std::uint32_t(std::uint16_t(p.y())) << 16));
        } else {
            Mot(std::uint32_t(p.x()));
            Mot(std::uint32_t(p.y()));
        }
    }
}

void TEcrivainEmf::CreePen(std::uint32_t index, std::uint32_t style, int largeur, std::uint32_t couleur)
{
    NoteObjet(index, largeur);
    if (!Debut(emr::CreatePen, 28))
        return;
    for (const std::uint32_t v : {index, style, std::uint32_t(largeur), 0u, couleur})
        Mot(v);
}

void TEcrivainEmf::CreePenEtendu(std::uint32_t index, std::uint32_t style, int largeur, std::uint32_t couleur)
{
    NoteObjet(index, largeur);
    if (!Debut(emr::ExtCreatePen, 52))
        return;
    // No brush bitmap (offsets and sizes 0), a solid brush, no dash table.
    for (const std::uint32_t v : {index, 0u, 0u, 0u, 0u, style, std::uint32_t(largeur), std::uint32_t(emf::BsSolide),
                                  couleur, 0u, 0u})
        Mot(v);
}

void TEcrivainEmf::CreePinceau(std::uint32_t index, std::uint32_t style, std::uint32_t couleur, std::uint32_t hachure)
{
    NoteObjet(index, -1);
    if (!Debut(emr::CreateBrushIndirect, 24))
        return;
    for (const std::uint32_t v : {index, style, couleur, hachure})
        Mot(v);
}

void TEcrivainEmf::CreeFonte(std::uint32_t index, const TFonteEmf &fonte)
{
    NoteObjet(index, -1);
    // The LOGFONTW alone (92 bytes), which the format allows in place of
    // the longer forms.
    if (!Debut(emr::ExtCreateFontIndirectW, 104))
        return;
    for (const int v : {int(index), fonte.Hauteur, 0, fonte.Escapement, fonte.Orientation, fonte.Poids})
        Mot(std::uint32_t(v));
    // Italic, underline, strike-out, character set; then the output and
    // clip precisions, the quality and the pitch, all left to the player.
    Mot(std::uint32_t(fonte.Italique ? 1 : 0) | (std::uint32_t(fonte.Souligne ? 1 : 0) << 8)
        | (std::uint32_t(fonte.Barre ? 1 : 0) << 16) | (std::uint32_t(emf::CharsetDefaut) << 24));
    Mot(0);
    // 32 UTF-16 units, the name cut to leave a terminating zero.
    for (int i = 0; i < 32; i += 2) {
        const auto unite = [&](int j) { return j < 31 && j < fonte.Nom.size() ? fonte.Nom.at(j).unicode() : 0; };
        Mot(std::uint32_t(unite(i)) | (std::uint32_t(unite(i + 1)) << 16));
    }
}

void TEcrivainEmf::Texte(QPoint reference, const QString &texte, const std::vector<int> &avances, const QRect &bornes,
                         QSizeF echelle)
{
    const qint64 n = texte.size();
    const qint64 octetsTexte = (2 * n + 3) / 4 * 4;
    const qint64 offTexte = 76;
    const qint64 offAvances = offTexte + octetsTexte;
    if (!Debut(emr::ExtTextOutW, offAvances + 4 * n))
        return;
    Bornes(bornes);
    Mot(1); // the compatible graphics mode, in which the scales apply
    const auto flottant = [this](double v) {
        const float f = float(v);
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        Mot(bits);
    };
    flottant(echelle.width());
    flottant(echelle.height());
    Mot(std::uint32_t(reference.x()));
    Mot(std::uint32_t(reference.y()));
    Mot(std::uint32_t(n));
    Mot(std::uint32_t(offTexte));
    Mot(0); // no clipping, no opaque rectangle
    Bornes(QRect());
    Mot(std::uint32_t(offAvances));
    const qsizetype debut = m_corps.size();
    m_corps.resize(debut + octetsTexte, '\0');
    char *p = m_corps.data() + debut;
    for (qint64 i = 0; i < n; ++i)
        qToLittleEndian(texte.at(i).unicode(), p + 2 * i);
    for (qint64 i = 0; i < n; ++i)
        Mot(std::uint32_t(size_t(i) < avances.size() ? avances[size_t(i)] : 0));
}

qint64 TEcrivainEmf::DebutBitmap(const QRect &cible, qint64 largeur, qint64 hauteur, int bits, int couleurs,
                                 std::uint32_t rop)
{
    const qint64 pas = (largeur * bits + 31) / 32 * 4;
    const qint64 tailleBits = pas * hauteur;
    const qint64 tailleInfo = TailleInfoBitmap + 4 * qint64(couleurs);
    const qint64 offBits = TailleStretchDIBits + tailleInfo;
    if (!Debut(emr::StretchDIBits, offBits + tailleBits))
        return -1;
    Bornes(cible);
    for (const std::int64_t v : {qint64(cible.left()), qint64(cible.top()), qint64(0), qint64(0), largeur, hauteur,
                                 TailleStretchDIBits, tailleInfo, offBits, tailleBits, qint64(0), qint64(rop),
                                 qint64(cible.width()), qint64(cible.height())})
        Mot(std::uint32_t(v));

    // The header of a picture stored bottom row first, with the picture's
    // resolution in pixels per metre.
    const auto parMetre = [](double pixels, double mm) { return std::uint32_t(Borne32(pixels / mm * 1000)); };
    Mot(std::uint32_t(TailleInfoBitmap));
    Mot(std::uint32_t(largeur));
    Mot(std::uint32_t(hauteur));
    Mot(1u | (std::uint32_t(bits) << 16));
    Mot(0); // no compression
    Mot(std::uint32_t(tailleBits));
    Mot(parMetre(m_pixels.width(), m_mm.width()));
    Mot(parMetre(m_pixels.height(), m_mm.height()));
    Mot(std::uint32_t(couleurs));
    Mot(0);
    return tailleBits;
}

void TEcrivainEmf::Bitmap(const QRect &cible, const QImage &image, const QRect &source, std::uint32_t rop, bool alpha)
{
    const QRect s = source & image.rect();
    if (s.isEmpty() || cible.isEmpty())
        return;
    const QImage::Format format = image.format();
    const QImage img = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (img.isNull())
        return;
    const int bits = alpha ? 32 : 24;
    const qint64 largeur = s.width();
    const qint64 tailleBits = DebutBitmap(cible, largeur, s.height(), bits, 0, rop);
    if (tailleBits < 0)
        return;
    // Each row is padded to a multiple of 4 bytes, the padding left at 0.
    const qint64 pas = (largeur * bits + 31) / 32 * 4;
    const qsizetype debut = m_corps.size();
    m_corps.resize(debut + tailleBits, '\0');
    char *sortie = m_corps.data() + debut;
    for (int y = s.bottom(); y >= s.top(); --y, sortie += pas) {
        const auto *ligne = reinterpret_cast<const QRgb *>(img.constScanLine(y)) + s.left();
        if (alpha) {
            // In memory a QRgb is blue, green, red, alpha: the layout of a
            // 32-bit pixel of the file.
            for (qint64 x = 0; x < largeur; ++x)
                qToLittleEndian(ligne[x], sortie + 4 * x);
        } else {
            for (qint64 x = 0; x < largeur; ++x) {
                sortie[3 * x] = char(qBlue(ligne[x]));
                sortie[3 * x + 1] = char(qGreen(ligne[x]));
                sortie[3 * x + 2] = char(qRed(ligne[x]));
            }
        }
    }
}

void TEcrivainEmf::Masque(const QRect &cible, const QImage &image, const QRect &source, std::uint32_t rop,
                          int alphaMin)
{
    const QRect s = source & image.rect();
    if (s.isEmpty() || cible.isEmpty())
        return;
    const QImage img = image.format() == QImage::Format_ARGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
    if (img.isNull())
        return;
    const qint64 largeur = s.width();
    const qint64 tailleBits = DebutBitmap(cible, largeur, s.height(), 1, 2, rop);
    if (tailleBits < 0)
        return;
    Mot(0xFF000000u); // black, opaque
    Mot(0x00FFFFFFu); // white, transparent
    const qint64 pas = (largeur + 31) / 32 * 4;
    const qsizetype debut = m_corps.size();
    m_corps.resize(debut + tailleBits, '\0');
    auto *sortie = reinterpret_cast<unsigned char *>(m_corps.data() + debut);
    for (int y = s.bottom(); y >= s.top(); --y, sortie += pas) {
        const auto *ligne = reinterpret_cast<const QRgb *>(img.constScanLine(y)) + s.left();
        // The leftmost pixel in the highest bit of each byte.
        for (qint64 x = 0; x < largeur; ++x) {
            if (qAlpha(ligne[x]) < alphaMin)
                sortie[x / 8] |= static_cast<unsigned char>(0x80u >> (x % 8));
        }
    }
}

QByteArray TEcrivainEmf::Octets() const
{
    QByteArray o;
    o.reserve(TailleEntete + m_corps.size() + TailleEof);
    const qint64 total = TailleEntete + m_corps.size() + TailleEof;
    const int w = m_pixels.width();
    const int h = m_pixels.height();
    const auto mots = [&o](std::initializer_list<std::int64_t> valeurs) {
        for (const std::int64_t v : valeurs)
            Ajoute(o, std::uint32_t(v));
    };
    mots({emr::Header, TailleEntete});
    // The bounds, in the picture's pixels, and the frame, in hundredths of
    // a millimetre, are both the whole page.
    mots({0, 0, w - 1, h - 1});
    mots({0, 0, Borne32(m_mm.width() * 100), Borne32(m_mm.height() * 100)});
    mots({SignatureEmf, 0x10000, total, m_nombre + 2});
    mots({std::min<std::int64_t>(m_objets, 0xFFFF)}); // handles, then a reserved 16-bit 0
    mots({0, 0, 0});                                  // no description, no palette
    const int dx = std::max(1, Borne32(MmPeripherique * w / m_mm.width()));
    const int dy = std::max(1, Borne32(MmPeripherique * h / m_mm.height()));
    mots({dx, dy, MmPeripherique, MmPeripherique});
    mots({0, 0, 0}); // no pixel format, no OpenGL
    mots({MmPeripherique * 1000, MmPeripherique * 1000});
    o.append(m_corps);
    mots({emr::Eof, TailleEof, 0, 16, TailleEof});
    return o;
}
