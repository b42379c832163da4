// Drawing and exporting a page model: the page as the editor shows it, the
// objects alone for printing, and the page as a picture file.

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPolygon>

#include "Arrondi.h"
#include "BitmapFX.h"
#include "Bitmaps.h"
#include "CanevasQt.h"
#include "Convertisseurs.h"
#include "Images.h"
#include "TxiloCADMdl.h"
#include "TxiloCADObj.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int GabaritCD = 1;
constexpr int GabaritLivret = 3;
constexpr int GabaritFeuillet = 4;
constexpr int GabaritJaquetteDVD = 5;
constexpr int GabaritPochetteCD = 6;

// A page drawn at twice the size is reduced into the picture; beyond this
// many pixels of the doubled bitmap (400 MB, a poster-sized export) the
// objects are drawn directly at the picture's size instead.
constexpr qint64 PixelsMaxDouble = qint64(100) * 1000 * 1000;

// The name of the size key each template reads, or nothing.
QStringView CleGabarit(int gabarit)
{
    switch (gabarit) {
    case GabaritCD:
        return u"PetitDiam";
    case GabaritFeuillet:
        return u"TailleRetour";
    case GabaritJaquetteDVD:
        return u"TailleTranche";
    case GabaritPochetteCD:
        return u"TailleRabat";
    default:
        return {};
    }
}

TStylo StyloGuide(int style)
{
    return TStylo{CouleurBleue, 1, style};
}

// Puts back what a drawing changed in the model's state for the caller.
class EtatVue final
{
public:
    explicit EtatVue(TxiloCADMdl &m)
        : m_modele(m), m_echelleX(m.EchelleX()), m_echelleY(m.EchelleY()), m_decalageX(m.DecalageX()),
          m_decalageY(m.DecalageY()), m_resolution(m.ResolutionMaxImages()),
          m_interactif(m.Interrupteurs().Interactif)
    {
    }
    ~EtatVue()
    {
        m_modele.SetEchelles(m_echelleX, m_echelleY);
        m_modele.SetDecalages(m_decalageX, m_decalageY);
        m_modele.SetResolutionMaxImages(m_resolution);
        m_modele.Interrupteurs().Interactif = m_interactif;
    }
    EtatVue(const EtatVue &) = delete;
    EtatVue &operator=(const EtatVue &) = delete;

private:
    TxiloCADMdl &m_modele;
    double m_echelleX, m_echelleY, m_decalageX, m_decalageY, m_resolution;
    bool m_interactif;
};

} // namespace

double TxiloCADMdl::CoteGabarit(QStringView cle) const
{
    return cle.isEmpty() ? 0.0 : TextToFloat(ValeurPage(cle));
}

void TxiloCADMdl::Echelles(const QRect &rect)
{
    SetEchelles(rect.width() / m_large, rect.height() / m_haut);
    SetDecalages(rect.left(), rect.top());
}

void TxiloCADMdl::DessineObjets(TCanevas &canevas, int debut, int fin)
{
    const int n = int(m_objets.size());
    fin = fin < 0 ? n : std::min(fin, n);
    for (int i = std::max(debut, 0); i < fin; ++i)
        m_objets[size_t(i)]->Draw(canevas);
}

void TxiloCADMdl::Draw(TCanevas &canevas, const QRect &rect)
{
    DrawDessous(canevas, rect, Count());
    DrawDessus(canevas, rect, Count());
}

void TxiloCADMdl::DrawDessous(TCanevas &canevas, const QRect &rect, int fin)
{
    if (!PageValide() || rect.isEmpty())
        return;
    Echelles(rect);
    m_interrupteurs.Dessine = true;

    const TColor fond = m_interrupteurs.ModeFond == 1 ? m_couleurPage : CouleurBlanche;
    canevas.SetStylo(TStylo{fond, 1, StyloPlein});
    canevas.SetPinceau(TPinceau{fond, PinceauPlein});
    canevas.Rectangle(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());

    DessineGuides(canevas);
    if (m_interrupteurs.Grille)
        DessineGrille(canevas);
    DessineObjets(canevas, 0, fin);
}

void TxiloCADMdl::DrawDessus(TCanevas &canevas, const QRect &rect, int debut)
{
    if (!PageValide() || rect.isEmpty())
        return;
    Echelles(rect);
    DessineObjets(canevas, debut);
    DessineMasque(canevas, rect);
}

void TxiloCADMdl::DessineGuides(TCanevas &canevas)
{
    if (m_interrupteurs.Grille) {
        // One grey dot every centimetre, counted from the page centre.
        const int n = Round(m_large / 10) / 2;
        const int m = Round(m_haut / 10) / 2;
        canevas.SetStylo(TStylo{CouleurGrise, 1, StyloPlein});
        for (int i = -n; i <= n; ++i) {
            for (int j = -m; j <= m; ++j) {
                const QPoint p(MmToPixelX(m_large / 2 + 10 * i), MmToPixelY(m_haut / 2 + 10 * j));
                canevas.Ligne(p, p + QPoint(1, 0));
            }
        }
    }

    const auto verticale = [&](double x, double haut, double bas) {
        canevas.Ligne(QPoint(MmToPixelX(x), MmToPixelY(haut)), QPoint(MmToPixelX(x), MmToPixelY(bas)));
    };
    // Folds are dash-dot on the first face and dashed on the others.
    canevas.SetStylo(StyloGuide(m_faceCourante == 1 ? StyloTiretPoint : StyloTirets));
    switch (m_gabarit) {
    case GabaritJaquetteDVD: {
        const double tranche = CoteGabarit(u"TailleTranche");
        verticale((m_large - tranche) / 2, 0, m_haut);
        verticale((m_large + tranche) / 2, 0, m_haut);
        break;
    }
    case GabaritFeuillet: {
        const double retour = CoteGabarit(u"TailleRetour");
        verticale(retour, 0, m_haut);
        verticale(m_large - retour, 0, m_haut);
        break;
    }
    case GabaritLivret:
        verticale(m_large / 2, 0, m_haut);
        break;
    case GabaritPochetteCD: {
        const double rabat = CoteGabarit(u"TailleRabat");
        canevas.SetStylo(StyloGuide(StyloTiretPoint));
        verticale(m_large / 2, rabat, m_haut - rabat);
        break;
    }
    default:
        break;
    }
}

void TxiloCADMdl::DessineGrille(TCanevas &canevas)
{
    const int fin = std::max(Round(m_large), Round(m_haut));
    for (int i = 0; i <= fin; ++i) {
        canevas.SetStylo(TStylo{i % 10 == 0 ? CouleurGrise : CouleurRGB(192, 192, 192), 1, StyloPlein});
        if (i < m_large)
            canevas.Ligne(QPoint(MmToPixelX(i), MmToPixelY(0)), QPoint(MmToPixelX(i), MmToPixelY(m_haut)));
        if (i < m_haut)
            canevas.Ligne(QPoint(MmToPixelX(0), MmToPixelY(i)), QPoint(MmToPixelX(m_large), MmToPixelY(i)));
    }
}

void TxiloCADMdl::DessineMasque(TCanevas &canevas, const QRect &rect)
{
    const int w = rect.width();
    const int h = rect.height();
    if (m_gabarit != GabaritCD && m_gabarit != GabaritPochetteCD) {
        canevas.SetStylo(TStylo{CouleurNoire, 1, StyloPlein});
        canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauVide});
        canevas.Rectangle(rect.left(), rect.top(), rect.left() + w, rect.top() + h);
        return;
    }

    // The key holds the template's own size, not only the template and the
    // pixel size: a second model with another centre hole or flap height
    // drawn at the same size (the model chooser's previews) must not get the
    // first one's mask.
    const CleMasque cle{m_gabarit, w, h, CoteGabarit(CleGabarit(m_gabarit))};
    if (m_masque.isNull() || !(cle == m_cleMasque)) {
        m_masque = QImage();
        m_cleMasque = CleMasque();
        QImage bitmap = NouveauBitmap(QSize(w, h));
        if (bitmap.isNull())
            return;
        {
            QPainter painter(&bitmap);
            TCanevasQt c(painter);
            c.SetStylo(TStylo{CouleurNoire, 1, StyloPlein});
            if (m_gabarit == GabaritCD) {
                // A hole wider than the page covers it all; a size read from
                // a file may be anything.
                const int d = std::clamp(Round(cle.Cote * w / m_large), 0, 2 * std::max(w, h));
                c.SetPinceau(TPinceau{CouleurNoire, PinceauPlein});
                c.Ellipse(0, 0, w, h);
                c.SetPinceau(TPinceau{CouleurMagenta, PinceauPlein});
                c.Ellipse(0, 0, w, h);
                c.SetPinceau(TPinceau{CouleurBlanche, PinceauPlein});
                c.Ellipse((w - d) / 2, (h - d) / 2, (w + d) / 2, (h + d) / 2);
            } else {
                const int r = std::clamp(Round(cle.Cote * w / m_large), -h, h);
                c.SetPinceau(TPinceau{CouleurNoire, PinceauDiagonaleArriere});
                c.Polygone(QPolygon({QPoint(0, r), QPoint(r, 0), QPoint(w / 2 - r, 0), QPoint(w / 2, r)}));
                c.Polygone(QPolygon({QPoint(0, h - r - 1), QPoint(r, h - 1), QPoint(w / 2 - r, h - 1),
                                     QPoint(w / 2, h - r - 1)}));
                c.SetPinceau(TPinceau{CouleurMagenta, PinceauPlein});
                c.Rectangle(0, r, w, h - r);
            }
        }
        m_masque = RendTransparent(bitmap, CouleurMagenta);
        if (m_masque.isNull())
            return;
        m_cleMasque = cle;
    }
    canevas.Image(QRect(rect.topLeft(), QSize(w, h)), m_masque);
}

void TxiloCADMdl::DrawObjects(TCanevas &canevas, const QRect &rect)
{
    if (!PageValide() || rect.isEmpty())
        return;
    // A picture or a printed sheet is drawn at its own scales; the editor
    // showing the model keeps measuring with the scales of its page.
    const EtatVue etat(*this);
    Echelles(rect);
    m_interrupteurs.Interactif = false;
    DessineObjets(canevas);
}

bool TxiloCADMdl::ExportBitmap(QImage &bitmap)
{
    if (!PageValide() || bitmap.isNull())
        return false;
    QImage image = RenduExport(bitmap.size());
    if (image.isNull())
        return false;
    bitmap = image;
    return true;
}

QImage TxiloCADMdl::RenduExport(QSize taille)
{
    if (!PageValide())
        return QImage();
    QImage image = NouveauBitmap(taille);
    if (image.isNull())
        return image;
    const QRgb fond = CouleurCAD(m_couleurFondExport).rgb();
    image.fill(fond);

    const EtatVue etat(*this);
    m_interrupteurs.Interactif = false;
    const QSize double2(2 * taille.width(), 2 * taille.height());
    if (m_qualiteExport >= 7 || qint64(double2.width()) * double2.height() > PixelsMaxDouble) {
        QPainter painter(&image);
        TCanevasQt canevas(painter);
        Echelles(QRect(QPoint(0, 0), taille));
        DessineObjets(canevas);
    } else {
        // The page at twice the size is drawn a band of rows at a time, each
        // reduced as it comes: only a band and the few rows the reduction
        // still reads are held, not the doubled page (four times the
        // picture). The bands are drawn with the page moved up by whole
        // pixels, a multiple of the brushes' 8-pixel patterns, so that they
        // meet as one drawing of the whole page would have been.
        const int hauteurBande = std::clamp((OctetsBandeExport / (4 * double2.width()) + 63) / 64 * 64, 64,
                                            (double2.height() + 63) / 64 * 64);
        // The pictures of a large export are made at its scale and
        // stretched: made at twice it they would take four times the memory
        // (a full-page photograph of an A4 page at 10 pixels per millimetre,
        // 100 MB) for edges finer than a printed dot. Those of a small one
        // (a preview) keep the edges the reduction smooths.
        if (qint64(taille.width()) * taille.height() > PixelsExportImagesSimples)
            m_resolutionMaxImages = std::max(taille.width() / m_large, taille.height() / m_haut);
        QImage bande(double2.width(), hauteurBande, FormatBitmap);
        TReductionBandes reduction(double2, image, FiltreBox, TBitmapFX::Filtres()[FiltreBox].Support);
        if (bande.isNull())
            return QImage();
        for (int haut = 0; haut < double2.height(); haut += hauteurBande) {
            // The doubled page starts in the background colour too, since the
            // reduction replaces every pixel of the picture.
            bande.fill(fond);
            {
                QPainter painter(&bande);
                TCanevasQt canevas(painter);
                Echelles(QRect(QPoint(0, -haut), double2));
                DessineObjets(canevas);
            }
            if (!reduction.Ajoute(bande, std::min(hauteurBande, double2.height() - haut)))
                return QImage();
        }
        if (!reduction.Complete())
            return QImage();
    }
    if (m_interrupteurs.GabaritSurExport) {
        QPainter painter(&image);
        TCanevasQt canevas(painter);
        DessineMasque(canevas, QRect(QPoint(0, 0), taille));
    }
    return image;
}

QSize TxiloCADMdl::TailleExport(int largeurMax, int hauteurMax) const
{
    if (!PageValide() || largeurMax <= 0 || hauteurMax <= 0)
        return QSize();
    QRect r;
    if (!FitRect(std::min(largeurMax, CoteMaxBitmap), std::min(hauteurMax, CoteMaxBitmap), Round(m_large * 100),
                 Round(m_haut * 100), r)
        || r.width() <= 0 || r.height() <= 0)
        return QSize();
    return r.size();
}

bool TxiloCADMdl::Exporte(const QString &chemin, int largeurMax, int hauteurMax, TColor cadre, bool jpeg)
{
    const QSize taille = TailleExport(largeurMax, hauteurMax);
    if (taille.isEmpty())
        return false;
    QImage bitmap = RenduExport(taille);
    if (bitmap.isNull())
        return false;
    if (!m_interrupteurs.GabaritSurExport && (cadre & 0xFFFFFF) != CouleurBlanche) {
        QPainter painter(&bitmap);
        TCanevasQt canevas(painter);
        canevas.SetStylo(TStylo{cadre, 1, StyloPlein});
        canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauVide});
        canevas.Rectangle(0, 0, taille.width(), taille.height());
    }
    return jpeg ? EcritJpeg(bitmap, chemin) : EcritBmp(bitmap, chemin);
}

bool TxiloCADMdl::ExportBmp(const QString &chemin, int largeurMax, int hauteurMax, TColor cadre)
{
    return Exporte(chemin, largeurMax, hauteurMax, cadre, false);
}

bool TxiloCADMdl::ExportJpeg(const QString &chemin, int largeurMax, int hauteurMax, TColor cadre)
{
    return Exporte(chemin, largeurMax, hauteurMax, cadre, true);
}
