#pragma once

#include <array>
#include <memory>

#include <QSize>

class QImage;
class QString;

// The reconstruction filters of the resampling, by index.
enum TFiltreBitmap : int {
    FiltreBox = 0,
    FiltreTriangle = 1,
    FiltreHermite = 2,
    FiltreBell = 3,
    FiltreBSpline = 4,
    FiltreLanczos3 = 5,
    FiltreMitchell = 6,
};

// A filter: its name ("Box", "Triangle", "Hermite", "Bell", "B-Spline",
// "Lanczos3", "Mitchell"), its curve, 0 outside [-Support, Support], and the
// radius over which it is applied at scale 1.
struct TFiltre {
    const char16_t *Nom;
    double (*Fonction)(double t);
    double Support;
};

// Stretches a bitmap to the size of another with a reconstruction filter,
// by the two-pass separable method of Graphics Gems III: each row, then each
// column, is resampled through lists of weighted source pixels. The page
// exports use it with the Box filter to reduce a page drawn at twice the
// size. It has no state.
class TBitmapFX final
{
public:
    static constexpr int NombreFiltres = 7;
    // The seven filters, in the order of TFiltreBitmap.
    static const std::array<TFiltre, NombreFiltres> &Filtres();

    // The largest support a caller may ask for.
    static constexpr double SupportMax = 64;

    // Resamples `source` into `destination`, whose size is kept and whose
    // format becomes QImage::Format_RGB32 (opaque colours). A source with
    // transparency is composed onto white first.
    //
    // In each direction the scale is destination size / source size when
    // either size is 1, else (destination size - 1) / (source size - 1), so
    // that the first and last pixels of both stay in line. Destination
    // pixel i takes the source pixels j around the centre c = i / scale,
    // weighted by filter((c - j) x scale) when reducing (over a radius of
    // support / scale) and filter(c - j) otherwise; the weights of each
    // pixel add up to 1, and a j outside the source is mirrored back into
    // it (-j, or 2 x size - j - 1), then kept within it. Each pass rounds its
    // results to whole values clamped to 0..255.
    //
    // False, `destination` untouched, when the source has no pixel (and
    // then *erreur, when given, is "Source bitmap too small"), when the
    // destination is null, or when the filter index is not one of the table
    // or the support is not within (0, SupportMax].
    static bool Stretch(const QImage &source, QImage &destination, int filtre, double support,
                        QString *erreur = nullptr);
    // The same with the filter's own support.
    static bool Stretch(const QImage &source, QImage &destination, int filtre = FiltreBox);
};

// The resampling of TBitmapFX::Stretch, the same pixels, of a source given
// a band of rows at a time from its top: only the rows that the destination
// rows still to come read are kept, so that a large source (a page drawn at
// twice the size of its picture) never has to be held whole.
class TReductionBandes final
{
public:
    // A source of `source` pixels into `destination`, which keeps its size,
    // becomes Format_RGB32 and must outlive the reduction; its rows are
    // written as the source rows they read come. With a source without
    // pixel, a null destination, or a filter or support Stretch refuses, the
    // reduction takes nothing (Ajoute is false).
    TReductionBandes(QSize source, QImage &destination, int filtre, double support);
    ~TReductionBandes();
    TReductionBandes(const TReductionBandes &) = delete;
    TReductionBandes &operator=(const TReductionBandes &) = delete;

    // The next `nombre` rows of the source, the first rows of `bande` (of
    // the source's width, Format_RGB32). False, nothing taken, for a band of
    // another width or format, or rows beyond the source's height.
    bool Ajoute(const QImage &bande, int nombre);
    // True once every row of the source has come: the destination is whole.
    bool Complete() const;

private:
    struct Etat;
    QSize m_source;
    QImage &m_destination;
    std::unique_ptr<Etat> m_etat;
    int m_recues = 0;
    int m_faites = 0;
};
