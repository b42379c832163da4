#include "TxiloCADImage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include <QFileInfo>
#include <QPainter>

#include "Arrondi.h"
#include "Bitmaps.h"
#include "BordureImage.h"
#include "Canevas.h"
#include "Clavier.h"
#include "Images.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

bool EstMetafichier(const QString &chemin)
{
    const QString extension = QFileInfo(chemin).suffix().toUpper();
    return extension == u"EMF"_s || extension == u"WMF"_s;
}

int Borne(double pixels)
{
    return std::clamp(Round(pixels), 1, CoteMaxBitmap);
}

// The whole tiles of `tuile` millimetres that a side of `longueur`
// millimetres holds, at least 2. A side measured as a whole number of tiles
// but a hair short of it still holds them.
int Tuiles(double longueur, double tuile)
{
    const double n = std::floor(longueur / tuile + 1e-9);
    return int(std::clamp(std::isfinite(n) ? n : 2.0, 2.0, double(CoteMaxBitmap)));
}

} // namespace

TxiloCADImage::TxiloCADImage(TxiloCADMdl &modele, double x, double y, double l, double h, double r)
    : TxiloCADRect(modele)
{
    SetName(u"Image"_s);
    SetCentre(x, y);
    SetTaille(l, h);
    SetR(r);
}

void TxiloCADImage::OublieCache()
{
    m_cache = QImage();
    m_cacheAffiche = QImage();
    m_cleCache = CleCache();
    m_partie = QImage();
    m_clePartie = ClePartie();
}

void TxiloCADImage::SetBordure(const TBordure &bordure)
{
    if (bordure == m_bordure)
        return;
    m_bordure = bordure;
    OublieCache();
}

void TxiloCADImage::SetTransparent(bool b)
{
    if (b == m_transparent)
        return;
    m_transparent = b;
    OublieCache();
}

void TxiloCADImage::SetTransparentColor(TColor c)
{
    if (c == m_couleurTransparente)
        return;
    m_couleurTransparente = c;
    OublieCache();
}

void TxiloCADImage::SetFichierImage(const QString &nom)
{
    m_nomImage = nom;
    if (ChargeFichier(nom, m_fichierImage, m_image, m_metafichier))
        m_rendu = QImage();
}

void TxiloCADImage::SetFichierMasque(const QString &nom)
{
    m_nomMasque = nom;
    ChargeFichier(nom, m_fichierMasque, m_masque, m_masqueMetafichier);
}

bool TxiloCADImage::ChargeFichier(const QString &nom, QString &fichier, QImage &image, TMetafichier &metafichier)
{
    TxiloCADMdl &m = Modele();
    // Resolved paths are compared: a name that the model resolves into the
    // path already held (a copy's, say) does not reload or drop it.
    const QString chemin = m.ResoutFichier(this, m.RemplitBalises(this, nom));
    if (chemin == fichier)
        return false;
    fichier = chemin;
    if (chemin.isEmpty() || !QFileInfo(chemin).isFile())
        return false;
    image = QImage();
    metafichier.Efface();
    OublieCache();
    if (EstMetafichier(chemin))
        metafichier.Charge(chemin);
    else if (!LoadPicture(image, chemin))
        image = QImage();
    return true;
}

const QStringList &TxiloCADImage::SaveToStrings()
{
    TxiloCADRect::SaveToStrings();
    m_params.Ecrit(u"Name"_s, Name());
    m_params.Ecrit(u"FichierImage"_s, NomAEcrire(m_nomImage, m_fichierImage));
    m_params.Ecrit(u"FichierMasque"_s, NomAEcrire(m_nomMasque, m_fichierMasque));
    m_params.Ecrit(u"Bordure"_s, BorderToText(m_bordure));
    m_params.Ecrit(u"Transparent"_s, BoolToText(m_transparent));
    m_params.Ecrit(u"TransparentColor"_s, ColorToText(m_couleurTransparente));
    return m_params.Lignes();
}

void TxiloCADImage::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    SetFichierImage(m_params.Valeur(u"FichierImage"));
    SetFichierMasque(m_params.Valeur(u"FichierMasque"));
    if (m_params.Contient(u"Bordure"))
        SetBordure(TextToBorder(m_params.Valeur(u"Bordure"), m_bordure));
    if (m_params.Contient(u"Transparent"))
        SetTransparent(TextToBool(m_params.Valeur(u"Transparent")));
    const QString couleur = m_params.Valeur(u"TransparentColor");
    SetTransparentColor(couleur.isEmpty() ? CouleurMagenta : TextToColor(couleur));
    TxiloCADRect::LoadFromStrings(lignes);
}

QString TxiloCADImage::NomAEcrire(const QString &nom, const QString &chemin) const
{
    // A model is a template: the picture a placeholder names changes with
    // the person, and a picture missing today may be put back later.
    if (Modele().RemplitBalises(const_cast<TxiloCADImage *>(this), nom) != nom)
        return nom;
    return QFileInfo(chemin.isEmpty() ? nom : chemin).fileName();
}

void TxiloCADImage::CompleteCopie(const TxiloCADObj &source)
{
    const auto *image = dynamic_cast<const TxiloCADImage *>(&source);
    if (!image)
        return;
    m_nomImage = image->m_nomImage;
    m_nomMasque = image->m_nomMasque;
    m_fichierImage = image->m_fichierImage;
    m_fichierMasque = image->m_fichierMasque;
    m_image = image->m_image;
    m_metafichier = image->m_metafichier;
    m_masque = image->m_masque;
    m_masqueMetafichier = image->m_masqueMetafichier;
    m_rendu = QImage();
    OublieCache();
}

QSize TxiloCADImage::TailleCible() const
{
    const TxiloCADMdl &m = Modele();
    const double a = R() * std::numbers::pi / 180;
    const double bw = std::abs(L() * std::cos(a)) + std::abs(H() * std::sin(a));
    const double bh = std::abs(L() * std::sin(a)) + std::abs(H() * std::cos(a));
    return QSize(Round(bw * std::abs(m.EchelleX())), Round(bh * std::abs(m.EchelleY())));
}

QSizeF TxiloCADImage::EchellesComposition() const
{
    const TxiloCADMdl &m = Modele();
    double sx = std::abs(m.EchelleX());
    double sy = std::abs(m.EchelleY());
    // No finer than the model asks (an export reduced afterwards).
    if (const double max = m.ResolutionMaxImages(); max > 0 && std::max(sx, sy) > max) {
        const double k = max / std::max(sx, sy);
        sx *= k;
        sy *= k;
    }
    return QSizeF(sx, sy);
}

bool TxiloCADImage::TropGrandPourUnCache() const
{
    const QSizeF s = EchellesComposition();
    const double a = R() * std::numbers::pi / 180;
    const double bw = (std::abs(L() * std::cos(a)) + std::abs(H() * std::sin(a))) * s.width();
    const double bh = (std::abs(L() * std::sin(a)) + std::abs(H() * std::cos(a))) * s.height();
    return !(bw * bh <= double(PixelsMaxCache));
}

void TxiloCADImage::Compose()
{
    OublieCache();
    if (m_image.isNull())
        return;
    const QSizeF echelles = EchellesComposition();
    double sx = echelles.width();
    double sy = echelles.height();
    // A box of more pixels than a cache may hold is composed smaller:
    // stretched when drawn.
    const double aire = std::max(1.0, L() * sx) * std::max(1.0, H() * sy);
    if (aire > double(PixelsMaxCache)) {
        // A little below, so that the sides rounded or snapped to whole
        // tiles stay within.
        const double k = 0.999 * std::sqrt(double(PixelsMaxCache) / aire);
        sx *= k;
        sy *= k;
    }
    // What will be left out is known before the picture is stretched, so
    // that the stretch keeps it out of its blends: the transparent colour,
    // or magenta for the corners of a turned picture; a mask makes the
    // object transparent in magenta.
    const bool masque = !m_masqueMetafichier.EstVide();
    if (masque) {
        m_transparent = true;
        m_couleurTransparente = CouleurMagenta;
    }
    const bool transparent = m_transparent || R() != 0;
    const TColor cle = m_transparent ? m_couleurTransparente : CouleurMagenta;
    const bool bordure = AvecBordure();
    QImage travail;
    if (!bordure) {
        int w = Borne(L() * sx);
        int h = Borne(H() * sy);
        if (w > m_image.width() || h > m_image.height()) {
            // No larger than the picture: the largest size of the box's
            // proportions within it.
            QRect r;
            if (FitRect(m_image.width() * 100, m_image.height() * 100, w * 100, h * 100, r)) {
                w = std::max(r.width() / 100, 1);
                h = std::max(r.height() / 100, 1);
            }
        }
        if (transparent)
            travail = EtireTransparent(m_image, QSize(w, h), cle);
        else
            travail = m_image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .convertToFormat(FormatBitmap);
    } else {
        // The tiles are counted on the box in millimetres, whatever the
        // scale, and stretched a little to fill it: the box keeps its size,
        // which only the user's resize snaps to whole tiles. No more cells
        // than pixels are drawn.
        const int w = Borne(L() * sx);
        const int h = Borne(H() * sy);
        const int nx = std::min(Tuiles(L(), m_bordure.LargeurTuile), std::max(w + 1, 2));
        const int ny = std::min(Tuiles(H(), m_bordure.HauteurTuile), std::max(h + 1, 2));
        travail = DessineBordure(m_image, QSize(w, h), nx, ny, QSizeF(double(w) / nx, double(h) / ny),
                                 m_bordure.Mode);
    }
    if (travail.isNull())
        return;
    if (masque)
        ApplyMask(travail, m_masqueMetafichier.Rendu(travail.size(), Qt::white));
    // The turn takes the nearest pixels, which keeps the transparent colour
    // exact.
    m_cache = R() == 0 ? travail : RotateBitmap(travail, cle, -R());
    m_cacheAffiche = transparent ? RendTransparent(m_cache, cle) : m_cache;
    m_cleCache = CleCache{TailleCible(), R(), L(), H()};
}

bool TxiloCADImage::AvecBordure() const
{
    return m_bordure.Active && m_bordure.LargeurTuile > 0 && m_bordure.HauteurTuile > 0
           && std::isfinite(m_bordure.LargeurTuile) && std::isfinite(m_bordure.HauteurTuile);
}

void TxiloCADImage::FinRedimension()
{
    if (AvecBordure()) {
        SetTaille(Tuiles(L(), m_bordure.LargeurTuile) * m_bordure.LargeurTuile,
                  Tuiles(H(), m_bordure.HauteurTuile) * m_bordure.HauteurTuile);
    }
    // Drawings made while a handle is held stretch the cache there; once let
    // go, the picture is composed for its new size even before the pointer
    // leaves the handle (a box too large for a cache is made when drawn,
    // where it shows).
    if (TropGrandPourUnCache())
        OublieCache();
    else
        Compose();
}

void TxiloCADImage::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    SetAvecPoignee(2, !m_image.isNull());
    if (!m_metafichier.EstVide()) {
        DessineMetafichier(canevas);
    } else if (!m_image.isNull()) {
        DessineRaster(canevas);
    } else if (Modele().Interrupteurs().Messages) {
        DrawMessage(canevas, m_fichierImage.isEmpty()
                                 ? u"Pas d'image"_s
                                 : u'"' + QFileInfo(m_fichierImage).fileName() + u"\" non trouvé"_s);
    }
    DessineCadre(canevas);
}

void TxiloCADImage::DessineMetafichier(TCanevas &canevas)
{
    // A metafile is never turned.
    SetR(0);
    const TxiloCADMdl &m = Modele();
    const QRect rect = QRect(m.PageToPixel(HandlePoint(1)), m.PageToPixel(HandlePoint(3))).normalized();
    if (rect.isEmpty())
        return;
    if (m_rendu.isNull() || m_tailleRendu != rect.size()) {
        // Played at the box's size, or at most PixelsMaxCache pixels, and no
        // finer than the model asks, and stretched.
        QSizeF taille = rect.size();
        const double echelle = std::max(std::abs(m.EchelleX()), std::abs(m.EchelleY()));
        if (const double max = m.ResolutionMaxImages(); max > 0 && echelle > max)
            taille *= max / echelle;
        const double aire = taille.width() * taille.height();
        if (aire > double(PixelsMaxCache))
            taille *= 0.999 * std::sqrt(double(PixelsMaxCache) / aire);
        m_rendu = m_metafichier.Rendu(taille.toSize().expandedTo(QSize(1, 1)));
        m_tailleRendu = rect.size();
    }
    canevas.Image(rect, m_rendu);
}

void TxiloCADImage::DessineRaster(TCanevas &canevas)
{
    const TxiloCADMdl &m = Modele();
    if (m.Interrupteurs().DeplacementRapide && EnDeplacement()) {
        // Drawn fast while dragged: the box and its diagonals.
        const auto coins = Coins();
        QPoint p[4];
        for (size_t i = 0; i < coins.size(); ++i)
            p[i] = m.PageToPixel(coins[i]);
        canevas.SetStylo(TStylo{CouleurGrise, 1, StyloPlein});
        for (int i = 0; i < 4; ++i)
            canevas.Ligne(p[i], p[(i + 1) % 4]);
        canevas.Ligne(p[0], p[2]);
        canevas.Ligne(p[1], p[3]);
        return;
    }
    const QSize taille = TailleCible();
    const QPoint centre = m.PageToPixel(QPointF(X(), Y()));
    const QRect rect(centre.x() - taille.width() / 2, centre.y() - taille.height() / 2, taille.width(),
                     taille.height());
    // A box too large for a cache of its own (a box far beyond the page, a
    // poster's photograph) is made only where it shows, at the size drawn.
    if (const QRect zone = canevas.Zone(); !zone.isEmpty() && TropGrandPourUnCache()) {
        const QRect partie = rect & zone;
        if (partie.isEmpty())
            return;
        const ClePartie cle{partie, centre, taille, R(), L(), H()};
        if (m_partie.isNull() || !(cle == m_clePartie)) {
            m_cache = QImage();
            m_cacheAffiche = QImage();
            m_cleCache = CleCache();
            m_partie = ComposePartie(partie, centre);
            m_clePartie = cle;
        }
        canevas.Image(partie, m_partie);
        return;
    }
    if (m_cache.isNull()) {
        Compose();
    } else if (!(m_cleCache == CleCache{TailleCible(), R(), L(), H()}) && PoigneeActive() < 1
               && m.Interrupteurs().RafraichitCache) {
        Compose();
    }
    if (m_cacheAffiche.isNull())
        return;
    canevas.Image(rect, m_cacheAffiche);
}

QImage TxiloCADImage::ComposePartie(const QRect &partie, QPoint centre)
{
    QImage image(partie.size(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    // What Compose makes, made where it shows: the picture (or its tiles)
    // with its mask and its transparent colour, stretched and turned by the
    // painter, nearest pixels as the turn of a cache takes them.
    QImage source = m_image.convertToFormat(FormatBitmap);
    const bool masque = !m_masqueMetafichier.EstVide();
    if (masque) {
        m_transparent = true;
        m_couleurTransparente = CouleurMagenta;
        ApplyMask(source, m_masqueMetafichier.Rendu(source.size(), Qt::white));
    }
    const double w = L() * std::abs(Modele().EchelleX());
    const double h = H() * std::abs(Modele().EchelleY());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.translate(centre.x() - partie.x(), centre.y() - partie.y());
    painter.rotate(R());
    const auto visible = [&](const QImage &i) { return m_transparent ? RendTransparent(i, m_couleurTransparente) : i; };
    if (!AvecBordure()) {
        painter.drawImage(QRectF(-w / 2, -h / 2, w, h), visible(source));
        return image;
    }
    std::array<QImage, 8> tuiles = TuilesBordure(source);
    for (QImage &tuile : tuiles)
        tuile = visible(tuile);
    const int nx = Tuiles(L(), m_bordure.LargeurTuile);
    const int ny = Tuiles(H(), m_bordure.HauteurTuile);
    const double cw = w / nx;
    const double ch = h / ny;
    // The cells that the part shows: the edge cells, between the rows and
    // columns its corners reach in the box's own axes.
    const QRectF dansLaBoite = painter.transform().inverted().mapRect(QRectF(image.rect()));
    const auto indices = [](double debut, double fin, double cellule, int n) {
        return std::pair{std::clamp(int(std::floor(debut / cellule)), 0, n - 1),
                         std::clamp(int(std::floor(fin / cellule)), 0, n - 1)};
    };
    const auto [i0, i1] = indices(dansLaBoite.left() + w / 2, dansLaBoite.right() + w / 2, cw, nx);
    const auto [j0, j1] = indices(dansLaBoite.top() + h / 2, dansLaBoite.bottom() + h / 2, ch, ny);
    const auto place = [&](int i, int j) {
        const int numero = TuileCellule(m_bordure.Mode, i, j, nx, ny);
        if (numero > 0)
            painter.drawImage(QRectF(-w / 2 + i * cw, -h / 2 + j * ch, cw, ch), tuiles[size_t(numero - 1)]);
    };
    for (int j = j0; j <= j1; ++j) {
        if (j == 0 || j == ny - 1) {
            for (int i = i0; i <= i1; ++i)
                place(i, j);
        } else {
            if (i0 == 0)
                place(0, j);
            if (i1 == nx - 1 && nx > 1)
                place(nx - 1, j);
        }
    }
    return image;
}

void TxiloCADImage::RedimCentre(QPointF pointeur)
{
    TxiloCADRect::RedimCentre(pointeur);
    if (!EtatClavier().Maj())
        return;
    if (!m_metafichier.EstVide()) {
        const QSizeF mm = m_metafichier.TailleMm();
        if (mm.height() > 0)
            SetTaille(mm.width() / mm.height() * H(), H());
    } else if (!m_image.isNull() && !m_bordure.Active && m_image.height() > 0) {
        SetTaille(double(m_image.width()) / m_image.height() * H(), H());
    }
}
