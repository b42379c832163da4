#include "Images.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPaintEngine>
#include <QPainter>
#include <QRect>
#include <QString>

#include "Arrondi.h"
#include "Fichiers.h"
#include "Metafichier.h"

using namespace Qt::StringLiterals;

// The decoders below report errors with longjmp. The functions that call
// setjmp (OuvrePng, LitPixelsPng, CodePng, OuvreJpeg, LitPixelsJpeg, CodeJpeg) and
// the callbacks that jump out of libpng and libjpeg hold only plain data,
// so a jump never skips a destructor. Everything they allocate is kept in a
// plain state struct and released by its Ferme... function, which the C++
// callers run on every path.

namespace {

// Refused above this size, checked from the header before anything is
// allocated: a hostile header could otherwise ask for gigabytes.
constexpr std::uint64_t kPixelsMax = 100'000'000;

// Qt refuses by default to allocate more than 128 MB for an image it reads;
// a 100-megapixel picture at 32 bits per pixel needs 400 MB.
constexpr int kLimiteAllocationMo = 1024;

void ReleveLimiteAllocation()
{
    const int limite = QImageReader::allocationLimit();
    if (limite != 0 && limite < kLimiteAllocationMo)
        QImageReader::setAllocationLimit(kLimiteAllocationMo);
}

bool TropGrande(std::uint64_t largeur, std::uint64_t hauteur)
{
    return largeur * hauteur > kPixelsMax;
}

// ---- What a file holds ------------------------------------------------------

// The kinds of picture read here, told by their first bytes.
enum class TGenreImage { Inconnu, Png, Jpeg, Bmp, Gif };

// A file's kind and the size its decoder will allocate, from its header.
struct TEnteteImage {
    TGenreImage Genre = TGenreImage::Inconnu;
    qint64 Largeur = 0;
    qint64 Hauteur = 0;
    // For a BMP: whether the file holds every row its header promises.
    bool LignesCompletes = false;
};

quint32 PetitBoutiste(const uchar *o, int taille)
{
    quint32 valeur = 0;
    for (int i = taille - 1; i >= 0; --i)
        valeur = (valeur << 8) | o[i];
    return valeur;
}

quint32 GrandBoutiste(const uchar *o, int taille)
{
    quint32 valeur = 0;
    for (int i = 0; i < taille; ++i)
        valeur = (valeur << 8) | o[i];
    return valeur;
}

// Reads `taille` bytes at the file's current position; false at the end.
bool LitOctets(QFile &f, uchar *o, qint64 taille)
{
    return f.read(reinterpret_cast<char *>(o), taille) == taille;
}

// The frame header of a JPEG, found as libjpeg finds it: segments are
// skipped by their lengths, bytes between segments are ignored, and the
// first frame header (SOF0 to SOF15 but DHT, JPG and DAC) gives the size.
// A scan or the end of the picture before it leaves the size at 0.
void TailleJpeg(QFile &f, TEnteteImage &e)
{
    uchar o[7];
    for (;;) {
        char c = 0;
        do {
            if (!f.getChar(&c))
                return;
        } while (uchar(c) != 0xFF);
        do {
            if (!f.getChar(&c))
                return;
        } while (uchar(c) == 0xFF);
        const uchar marqueur = uchar(c);
        if (marqueur == 0x00 || marqueur == 0x01 || (marqueur >= 0xD0 && marqueur <= 0xD7))
            continue; // a stuffed byte, or a marker without a length
        if (marqueur == 0xD8 || marqueur == 0xD9 || marqueur == 0xDA)
            return;
        if (!LitOctets(f, o, 2))
            return;
        const quint32 longueur = GrandBoutiste(o, 2);
        if (longueur < 2)
            return;
        const bool trame = marqueur >= 0xC0 && marqueur <= 0xCF && marqueur != 0xC4 && marqueur != 0xC8
                           && marqueur != 0xCC;
        if (trame) {
            if (longueur < 7 || !LitOctets(f, o, 5))
                return;
            e.Hauteur = GrandBoutiste(o + 1, 2);
            e.Largeur = GrandBoutiste(o + 3, 2);
            return;
        }
        if (f.skip(longueur - 2) != longueur - 2)
            return;
    }
}

// A GIF decoder allocates the logical screen at the first frame, or the
// frame's extent when the screen is given as 0; the larger of the two is
// counted, whatever the frames are. Extensions before the first frame are
// skipped block by block.
void TailleGif(QFile &f, const uchar *ecran, TEnteteImage &e)
{
    e.Largeur = PetitBoutiste(ecran, 2);
    e.Hauteur = PetitBoutiste(ecran + 2, 2);
    const uchar drapeaux = ecran[4];
    const qint64 palette = 3 * (qint64(2) << (drapeaux & 7));
    if ((drapeaux & 0x80) && f.skip(palette) != palette)
        return;
    char c = 0;
    while (f.getChar(&c)) {
        if (uchar(c) == 0x2C) {
            uchar cadre[8];
            if (LitOctets(f, cadre, 8)) {
                e.Largeur = std::max<qint64>(e.Largeur, qint64(PetitBoutiste(cadre, 2)) + PetitBoutiste(cadre + 4, 2));
                e.Hauteur = std::max<qint64>(e.Hauteur, qint64(PetitBoutiste(cadre + 2, 2)) + PetitBoutiste(cadre + 6, 2));
            }
            return;
        }
        if (uchar(c) != 0x21 || !f.getChar(&c)) // an extension and its label
            return;
        for (;;) {
            char taille = 0;
            if (!f.getChar(&taille))
                return;
            if (taille == 0)
                break;
            if (f.skip(uchar(taille)) != uchar(taille))
                return;
        }
    }
}

// Qt reads an uncompressed BMP cut short without complaint and leaves the
// missing rows blank, so the rows the header `o` (the first `lus` bytes of a
// file of `taille` bytes) promises are counted. Compressed BMPs are left to
// Qt.
bool LignesBmpCompletes(const uchar *o, qint64 lus, qint64 taille)
{
    if (lus < 26)
        return false;
    const qint64 debut = PetitBoutiste(o + 10, 4);
    qint64 largeur = 0;
    qint64 hauteur = 0;
    quint32 bits = 0;
    quint32 compression = 0;
    if (PetitBoutiste(o + 14, 4) == 12) { // OS/2 header
        largeur = PetitBoutiste(o + 18, 2);
        hauteur = PetitBoutiste(o + 20, 2);
        bits = PetitBoutiste(o + 24, 2);
    } else {
        if (lus < 34)
            return false;
        largeur = qint32(PetitBoutiste(o + 18, 4));
        hauteur = qAbs(qint64(qint32(PetitBoutiste(o + 22, 4))));
        bits = PetitBoutiste(o + 28, 2);
        compression = PetitBoutiste(o + 30, 4);
    }
    constexpr quint32 kSansCompression = 0, kMasques = 3, kMasquesAlpha = 6;
    if (compression != kSansCompression && compression != kMasques && compression != kMasquesAlpha)
        return true;
    if (bits > 32 || largeur < 0)
        return false;
    // A row of up to 2^31 pixels of 32 bits takes up to 2^34 bytes, and
    // there may be 2^31 rows: their product is compared by a division.
    const qint64 pasLigne = (largeur * bits + 31) / 32 * 4;
    return debut <= taille && (hauteur == 0 || pasLigne <= (taille - debut) / hauteur);
}

// Reads the header of the file: its kind from its first bytes (its name is
// not looked at) and the size of the picture its decoder will make.
TEnteteImage LitEnteteImage(const QString &fichier)
{
    TEnteteImage e;
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return e;
    uchar o[34] = {};
    const qint64 lus = f.read(reinterpret_cast<char *>(o), sizeof o);
    if (lus < 2)
        return e;
    if (lus >= 24 && std::memcmp(o, "\x89PNG\r\n\x1A\n", 8) == 0) {
        if (std::memcmp(o + 12, "IHDR", 4) == 0) {
            e.Genre = TGenreImage::Png;
            e.Largeur = GrandBoutiste(o + 16, 4);
            e.Hauteur = GrandBoutiste(o + 20, 4);
        }
    } else if (o[0] == 0xFF && o[1] == 0xD8) {
        e.Genre = TGenreImage::Jpeg;
        if (f.seek(2))
            TailleJpeg(f, e);
    } else if (o[0] == 'B' && o[1] == 'M') {
        e.Genre = TGenreImage::Bmp;
        if (lus >= 22 && PetitBoutiste(o + 14, 4) == 12) { // OS/2 header
            e.Largeur = PetitBoutiste(o + 18, 2);
            e.Hauteur = PetitBoutiste(o + 20, 2);
        } else if (lus >= 26) { // a height below 0 marks rows stored top down
            e.Largeur = std::abs(qint64(qint32(PetitBoutiste(o + 18, 4))));
            e.Hauteur = std::abs(qint64(qint32(PetitBoutiste(o + 22, 4))));
        }
        e.LignesCompletes = LignesBmpCompletes(o, lus, f.size());
    } else if (lus >= 13 && (std::memcmp(o, "GIF87a", 6) == 0 || std::memcmp(o, "GIF89a", 6) == 0)) {
        e.Genre = TGenreImage::Gif;
        if (f.seek(13))
            TailleGif(f, o + 6, e);
    }
    return e;
}

// A picture is decoded only when its kind is known and its size has pixels
// and stays within the limit.
bool Decodable(const TEnteteImage &e)
{
    return e.Genre != TGenreImage::Inconnu && e.Largeur > 0 && e.Hauteur > 0
           && e.Largeur <= qint64(kPixelsMax) && e.Hauteur <= qint64(kPixelsMax)
           && !TropGrande(std::uint64_t(e.Largeur), std::uint64_t(e.Hauteur));
}

QByteArray FormatQt(TGenreImage genre)
{
    switch (genre) {
    case TGenreImage::Png:
        return "png";
    case TGenreImage::Jpeg:
        return "jpeg";
    case TGenreImage::Bmp:
        return "bmp";
    case TGenreImage::Gif:
        return "gif";
    case TGenreImage::Inconnu:
        break;
    }
    return QByteArray();
}

// Decodes the picture through Qt's reader held to the kind found in its
// header, so that it decodes the picture whose size was checked and nothing
// else; at the largest size of its proportions that fits a valid, non-empty
// `boite`. False, `image` untouched, for a picture the header refuses or
// the reader cannot read.
bool LitAvecQt(QImage &image, const QString &fichier, const TEnteteImage &entete, QSize boite)
{
    if (!Decodable(entete))
        return false;
    QImageReader lecteur(fichier, FormatQt(entete.Genre));
    lecteur.setAutoDetectImageFormat(false);
    lecteur.setAutoTransform(false);
    if (boite.isValid() && !boite.isEmpty()) {
        const QSize taille(int(entete.Largeur), int(entete.Hauteur));
        const QSize voulue = taille.scaled(boite, Qt::KeepAspectRatio).boundedTo(taille);
        if (voulue.isEmpty())
            return false;
        if (voulue != taille)
            lecteur.setScaledSize(voulue);
    }
    QImage lue;
    if (!lecteur.read(&lue) || lue.isNull())
        return false;
    image = lue;
    return true;
}

// Composites a row of RGBA pixels (8 bits per channel, not premultiplied)
// onto white into RGB pixels.
void RgbaSurBlanc(const uchar *rgba, uchar *rgb, int largeur)
{
    for (int x = 0; x < largeur; ++x, rgba += 4, rgb += 3) {
        const unsigned alpha = rgba[3];
        for (int c = 0; c < 3; ++c)
            rgb[c] = uchar((rgba[c] * alpha + 255u * (255u - alpha) + 127u) / 255u);
    }
}

// Any image as 24-bit RGB888, transparency composited onto white. Null when
// memory runs out.
QImage En24Bits(const QImage &source)
{
    if (!source.hasAlphaChannel())
        return source.convertToFormat(QImage::Format_RGB888);
    const QImage rgba = source.convertToFormat(QImage::Format_RGBA8888);
    QImage sortie(source.size(), QImage::Format_RGB888);
    if (rgba.isNull() || sortie.isNull())
        return QImage();
    for (int y = 0; y < sortie.height(); ++y)
        RgbaSurBlanc(rgba.constScanLine(y), sortie.scanLine(y), sortie.width());
    return sortie;
}

// ---- PNG -------------------------------------------------------------------

// libpng's default handlers print to stderr; the error one must not return.
void ErreurPng(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void AvertissementPng(png_structp, png_const_charp) {}

struct LecturePng {
    std::FILE *fichier;
    png_structp png;
    png_infop info;
    png_uint_32 largeur;
    png_uint_32 hauteur;
    int passes;
    bool alpha; // rows come as RGBA rather than RGB
};

// Opens the file, reads the header and sets the transformations that turn
// every kind of PNG into 8-bit RGB or RGBA rows.
bool OuvrePng(LecturePng *l, const char *chemin)
{
    l->fichier = std::fopen(chemin, "rb");
    if (!l->fichier)
        return false;
    png_byte signature[8];
    if (std::fread(signature, 1, sizeof signature, l->fichier) != sizeof signature
        || png_sig_cmp(signature, 0, sizeof signature) != 0)
        return false;
    l->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ErreurPng, AvertissementPng);
    if (!l->png)
        return false;
    l->info = png_create_info_struct(l->png);
    if (!l->info)
        return false;
    if (setjmp(png_jmpbuf(l->png)))
        return false;

    png_init_io(l->png, l->fichier);
    png_set_sig_bytes(l->png, sizeof signature);
    png_read_info(l->png, l->info);
    l->largeur = png_get_image_width(l->png, l->info);
    l->hauteur = png_get_image_height(l->png, l->info);
    if (TropGrande(l->largeur, l->hauteur))
        return false;

    const png_byte type = png_get_color_type(l->png, l->info);
    l->alpha = (type & PNG_COLOR_MASK_ALPHA) != 0
               || png_get_valid(l->png, l->info, PNG_INFO_tRNS) != 0;
    png_set_expand(l->png); // palette and small grey depths to 8 bits, tRNS to alpha
    png_set_strip_16(l->png);
    png_set_gray_to_rgb(l->png);
    l->passes = png_set_interlace_handling(l->png);
    png_read_update_info(l->png, l->info);

    const png_byte canaux = l->alpha ? 4 : 3;
    return png_get_bit_depth(l->png, l->info) == 8
           && png_get_channels(l->png, l->info) == canaux
           && png_get_rowbytes(l->png, l->info) == std::size_t(l->largeur) * canaux;
}

// Reads the rows into `base`, `pas` bytes apart. Interlaced files are read
// pass after pass over the same rows, as png_read_image does, without the
// table of row pointers it needs (800 MB for a picture 1 pixel wide).
bool LitPixelsPng(LecturePng *l, uchar *base, std::size_t pas)
{
    if (setjmp(png_jmpbuf(l->png)))
        return false;
    for (int passe = 0; passe < l->passes; ++passe)
        for (png_uint_32 y = 0; y < l->hauteur; ++y)
            png_read_row(l->png, base + y * pas, nullptr);
    return true;
}

void FermePng(LecturePng *l)
{
    if (l->png)
        png_destroy_read_struct(&l->png, l->info ? &l->info : nullptr, nullptr);
    if (l->fichier)
        std::fclose(l->fichier);
}

bool ChargePng(QImage &image, const QString &fichier)
{
    const QByteArray chemin = QFile::encodeName(fichier);
    LecturePng l{};
    struct Fermeture {
        LecturePng &l;
        ~Fermeture() { FermePng(&l); }
    } fermeture{l};
    if (!OuvrePng(&l, chemin.constData()))
        return false;

    QImage pixels(int(l.largeur), int(l.hauteur),
                  l.alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (pixels.isNull()
        || !LitPixelsPng(&l, pixels.bits(), std::size_t(pixels.bytesPerLine())))
        return false;
    if (l.alpha)
        pixels = En24Bits(pixels);
    if (pixels.isNull())
        return false;
    image = pixels;
    return true;
}

// ---- JPEG ------------------------------------------------------------------

struct LectureJpeg {
    std::FILE *fichier;
    jpeg_decompress_struct info;
    jpeg_error_mgr erreurs;
    jpeg_progress_mgr suivi;
    std::jmp_buf saut;
    bool cmyk;     // rows come as CMYK rather than RGB
    bool inverses; // CMYK values stored inverted (Adobe)
};

// libjpeg's default error handler ends the program.
void SortieJpeg(j_common_ptr info)
{
    std::longjmp(static_cast<LectureJpeg *>(info->client_data)->saut, 1);
}

void MessageJpeg(j_common_ptr) {}

// A progressive picture may hold any number of scans, and a hostile file
// with thousands of them takes minutes to decode. Real pictures use about ten.
constexpr int MaxPassesJpeg = 1000;

void SuiviJpeg(j_common_ptr info)
{
    if (info->is_decompressor
        && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxPassesJpeg)
        (*info->err->error_exit)(info);
}

// libjpeg only warns about damaged compressed data and goes on with grey or
// repeated blocks; such a picture is refused. Other warnings (padding
// between segments, unknown versions or markers) leave the pixels whole.
void AvertissementJpeg(j_common_ptr info, int niveau)
{
    if (niveau >= 0)
        return; // trace messages
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        (*info->err->error_exit)(info);
        break;
    default:
        ++info->err->num_warnings;
    }
}

bool OuvreJpeg(LectureJpeg *l, const char *chemin)
{
    l->fichier = std::fopen(chemin, "rb");
    if (!l->fichier)
        return false;
    // Set before creating: jpeg_create_decompress keeps err and client_data,
    // and jpeg_destroy_decompress is harmless on the zeroed struct.
    l->info.err = jpeg_std_error(&l->erreurs);
    l->erreurs.error_exit = SortieJpeg;
    l->erreurs.output_message = MessageJpeg;
    l->erreurs.emit_message = AvertissementJpeg;
    l->info.client_data = l;
    if (setjmp(l->saut))
        return false;

    jpeg_create_decompress(&l->info);
    l->suivi.progress_monitor = SuiviJpeg;
    l->info.progress = &l->suivi;
    jpeg_stdio_src(&l->info, l->fichier);
    jpeg_read_header(&l->info, TRUE);
    if (TropGrande(l->info.image_width, l->info.image_height))
        return false;
    switch (l->info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        l->info.out_color_space = JCS_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        l->info.out_color_space = JCS_CMYK;
        l->cmyk = true;
        l->inverses = l->info.saw_Adobe_marker;
        break;
    default:
        return false;
    }
    jpeg_start_decompress(&l->info);
    return l->info.output_components == (l->cmyk ? 4 : 3)
           && l->info.output_width == l->info.image_width
           && l->info.output_height == l->info.image_height;
}

void CmykVersRgb(const uchar *cmyk, uchar *rgb, JDIMENSION largeur, bool inverses)
{
    for (JDIMENSION x = 0; x < largeur; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverses ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned encre = inverses ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = uchar((encre * k + 127u) / 255u);
        }
    }
}

// Reads the rows into `base`, `pas` bytes apart; CMYK rows go through
// `tampon` (4 bytes per pixel) first.
bool LitPixelsJpeg(LectureJpeg *l, uchar *base, std::size_t pas, uchar *tampon)
{
    if (setjmp(l->saut))
        return false;
    while (l->info.output_scanline < l->info.output_height) {
        uchar *ligne = base + std::size_t(l->info.output_scanline) * pas;
        JSAMPROW cible = l->cmyk ? tampon : ligne;
        if (jpeg_read_scanlines(&l->info, &cible, 1) != 1)
            return false;
        if (l->cmyk)
            CmykVersRgb(tampon, ligne, l->info.output_width, l->inverses);
    }
    return true;
}

void FermeJpeg(LectureJpeg *l)
{
    if (l->info.err)
        jpeg_destroy_decompress(&l->info);
    if (l->fichier)
        std::fclose(l->fichier);
}

bool ChargeJpeg(QImage &image, const QString &fichier)
{
    const QByteArray chemin = QFile::encodeName(fichier);
    LectureJpeg l{};
    struct Fermeture {
        LectureJpeg &l;
        ~Fermeture() { FermeJpeg(&l); }
    } fermeture{l};
    if (!OuvreJpeg(&l, chemin.constData()))
        return false;

    QImage pixels(int(l.info.output_width), int(l.info.output_height), QImage::Format_RGB888);
    if (pixels.isNull())
        return false;
    QByteArray tampon;
    if (l.cmyk)
        tampon.resize(qsizetype(l.info.output_width) * 4);
    if (!LitPixelsJpeg(&l, pixels.bits(), std::size_t(pixels.bytesPerLine()),
                       reinterpret_cast<uchar *>(tampon.data())))
        return false;
    image = pixels;
    return true;
}

// ---- BMP -------------------------------------------------------------------

bool ChargeBmp(QImage &image, const QString &fichier)
{
    // Qt's reader, given a file it cannot read as a BMP, would read it as
    // whatever its content is (a GIF holds a logical screen of up to
    // 65,535 x 65,535 pixels, whatever its frames): only a BMP is read, and
    // only when its header allows.
    const TEnteteImage entete = LitEnteteImage(fichier);
    QImage lue;
    if (entete.Genre != TGenreImage::Bmp || !entete.LignesCompletes || !LitAvecQt(lue, fichier, entete, QSize()))
        return false;
    lue = En24Bits(lue);
    if (lue.isNull())
        return false;
    image = lue;
    return true;
}

// ---- Writing ---------------------------------------------------------------

// The PNG is built in memory, then saved in one atomic write: libpng's
// callbacks then stay plain C and nothing reaches the disk on an error.
struct EcriturePng {
    png_structp png;
    png_infop info;
    uchar *octets; // malloc'ed
    std::size_t taille;
    std::size_t capacite;
};

void AjouteOctetsPng(png_structp png, png_bytep octets, std::size_t nombre)
{
    auto *e = static_cast<EcriturePng *>(png_get_io_ptr(png));
    if (nombre > e->capacite - e->taille) {
        if (nombre > SIZE_MAX / 2 - e->taille)
            png_error(png, "PNG too large");
        std::size_t capacite = e->capacite ? e->capacite * 2 : 4096;
        while (capacite < e->taille + nombre)
            capacite *= 2;
        auto *nouveaux = static_cast<uchar *>(std::realloc(e->octets, capacite));
        if (!nouveaux)
            png_error(png, "Out of memory");
        e->octets = nouveaux;
        e->capacite = capacite;
    }
    std::memcpy(e->octets + e->taille, octets, nombre);
    e->taille += nombre;
}

void VidePng(png_structp) {}

bool CodePng(EcriturePng *e, const uchar *base, std::size_t pas, png_uint_32 largeur,
             png_uint_32 hauteur)
{
    e->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ErreurPng, AvertissementPng);
    if (!e->png)
        return false;
    e->info = png_create_info_struct(e->png);
    if (!e->info)
        return false;
    if (setjmp(png_jmpbuf(e->png)))
        return false;
    png_set_write_fn(e->png, e, AjouteOctetsPng, VidePng);
    png_set_IHDR(e->png, e->info, largeur, hauteur, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(e->png, e->info);
    for (png_uint_32 y = 0; y < hauteur; ++y)
        png_write_row(e->png, base + y * pas);
    png_write_end(e->png, nullptr);
    return true;
}

void FermeEcriturePng(EcriturePng *e)
{
    if (e->png)
        png_destroy_write_struct(&e->png, e->info ? &e->info : nullptr);
    std::free(e->octets);
}

// The JPEG is coded in memory by libjpeg, which reports errors by the same
// jump as the reader; the buffer it allocates is released by
// FermeEcritureJpeg on every path.
struct EcritureJpeg {
    jpeg_compress_struct info;
    jpeg_error_mgr erreurs;
    std::jmp_buf saut;
    unsigned char *octets; // malloc'ed by libjpeg
    unsigned long taille;
};

void SortieEcritureJpeg(j_common_ptr info)
{
    std::longjmp(static_cast<EcritureJpeg *>(info->client_data)->saut, 1);
}

bool CodeJpeg(EcritureJpeg *e, const uchar *base, std::size_t pas, JDIMENSION largeur, JDIMENSION hauteur)
{
    e->info.err = jpeg_std_error(&e->erreurs);
    e->erreurs.error_exit = SortieEcritureJpeg;
    e->erreurs.output_message = MessageJpeg;
    e->info.client_data = e;
    if (setjmp(e->saut))
        return false;
    jpeg_create_compress(&e->info);
    jpeg_mem_dest(&e->info, &e->octets, &e->taille);
    e->info.image_width = largeur;
    e->info.image_height = hauteur;
    e->info.input_components = 3;
    e->info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&e->info);
    jpeg_start_compress(&e->info, TRUE);
    while (e->info.next_scanline < hauteur) {
        JSAMPROW ligne = const_cast<uchar *>(base + std::size_t(e->info.next_scanline) * pas);
        jpeg_write_scanlines(&e->info, &ligne, 1);
    }
    jpeg_finish_compress(&e->info);
    return true;
}

void FermeEcritureJpeg(EcritureJpeg *e)
{
    if (e->info.err)
        jpeg_destroy_compress(&e->info);
    std::free(e->octets);
}

bool EstMetafichier(const QString &extension)
{
    return extension == u"WMF"_s || extension == u"EMF"_s;
}

} // namespace

bool ChargeImage(QImage &image, const QString &fichier)
{
    static const bool limiteRelevee = (ReleveLimiteAllocation(), true);
    Q_UNUSED(limiteRelevee);

    if (!ObstacleLecture(fichier).isEmpty())
        return false;
    const QString extension = QFileInfo(fichier).suffix().toUpper();
    if (extension == u"PNG"_s)
        return ChargePng(image, fichier);
    if (extension == u"JPG"_s || extension == u"JPEG"_s)
        return ChargeJpeg(image, fichier);
    if (extension == u"BMP"_s)
        return ChargeBmp(image, fichier);
    return false;
}

bool ChargeImageQt(QImage &image, const QString &fichier, QSize boite)
{
    static const bool limiteRelevee = (ReleveLimiteAllocation(), true);
    Q_UNUSED(limiteRelevee);

    if (!ObstacleLecture(fichier).isEmpty())
        return false;
    return LitAvecQt(image, fichier, LitEnteteImage(fichier), boite);
}

bool EcritPng(const QImage &image, const QString &fichier)
{
    if (image.isNull())
        return false;
    const QImage rgb = En24Bits(image);
    if (rgb.isNull())
        return false;

    EcriturePng e{};
    struct Fermeture {
        EcriturePng &e;
        ~Fermeture() { FermeEcriturePng(&e); }
    } fermeture{e};
    if (!CodePng(&e, rgb.constBits(), std::size_t(rgb.bytesPerLine()), png_uint_32(rgb.width()),
                 png_uint_32(rgb.height())))
        return false;

    return EcritFichierEntier(fichier, reinterpret_cast<const char *>(e.octets), qint64(e.taille), nullptr);
}

bool EcritBmp(const QImage &image, const QString &fichier)
{
    if (image.isNull())
        return false;
    const QImage rgb = En24Bits(image);
    if (rgb.isNull())
        return false;
    QByteArray octets;
    QBuffer tampon(&octets);
    if (!tampon.open(QIODevice::WriteOnly) || !rgb.save(&tampon, "BMP"))
        return false;
    return EcritFichierEntier(fichier, octets.constData(), octets.size(), nullptr);
}

bool EcritJpeg(const QImage &image, const QString &fichier)
{
    if (image.isNull())
        return false;
    const QImage rgb = En24Bits(image);
    if (rgb.isNull())
        return false;

    EcritureJpeg e{};
    struct Fermeture {
        EcritureJpeg &e;
        ~Fermeture() { FermeEcritureJpeg(&e); }
    } fermeture{e};
    if (!CodeJpeg(&e, rgb.constBits(), std::size_t(rgb.bytesPerLine()), JDIMENSION(rgb.width()),
                  JDIMENSION(rgb.height())))
        return false;
    return EcritFichierEntier(fichier, reinterpret_cast<const char *>(e.octets), qint64(e.taille), nullptr);
}

bool ChargeImageEtiree(QImage &image, const QString &fichier)
{
    if (image.isNull())
        return false;
    if (EstMetafichier(QFileInfo(fichier).suffix().toUpper())) {
        TMetafichier metafichier;
        if (!metafichier.Charge(fichier))
            return false;
        // Played on white in a picture that QPainter draws on, whatever the
        // format of the one given.
        const QImage jouee = metafichier.Rendu(image.size(), Qt::white).convertToFormat(image.format());
        if (jouee.isNull())
            return false;
        image = jouee;
        return true;
    }
    QImage lue;
    if (!ChargeImage(lue, fichier))
        return false;
    // The loaded picture is opaque, so stretching it over the whole image
    // and replacing the image is the same as drawing it there, for every
    // format, including those QPainter cannot draw on (indexed, mono).
    const QImage etiree = lue.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(image.format());
    if (etiree.isNull())
        return false;
    image = etiree;
    return true;
}

void DessineBitmapEtire(QPainter &painter, const QRect &rectangle, const QImage &image)
{
    if (!painter.isActive() || image.isNull() || rectangle.isEmpty())
        return;
    const QPaintEngine *moteur = painter.paintEngine();
    painter.save();
    if (moteur && moteur->hasFeature(QPaintEngine::RasterOpModes))
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(rectangle, image);
    painter.restore();
}

bool FitRect(int largeurBoite, int hauteurBoite, int largeurImage, int hauteurImage, QRect &rect)
{
    if (largeurBoite <= 0 || hauteurBoite <= 0 || largeurImage <= 0 || hauteurImage <= 0)
        return false;
    // boxWidth / boxHeight < pictureWidth / pictureHeight, cross-multiplied.
    const qint64 bw = largeurBoite, bh = hauteurBoite, iw = largeurImage, ih = hauteurImage;
    int largeur = largeurBoite;
    int hauteur = hauteurBoite;
    if (bw * ih < iw * bh)
        hauteur = Round(double(bw * ih) / double(iw));
    else
        largeur = Round(double(bh * iw) / double(ih));
    rect = QRect(Div(largeurBoite - largeur, 2), Div(hauteurBoite - hauteur, 2), largeur, hauteur);
    return true;
}
