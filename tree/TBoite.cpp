#include "TBoite.h"

#include <algorithm>
#include <cmath>

#include <QCache>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QStaticText>

#include "Arrondi.h"
#include "BD.h"
#include "Chemins.h"
#include "Dessin.h"
#include "Globales.h"
#include "Images.h"
#include "Modeles.h"
#include "ModelesUtilisateur.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

TColor CouleurCadreSelec = clRed;
TColor CouleurCadrePlie = clBlue;
TColor CouleurCadre = clBlack;
bool AfficheMarges = false;

namespace {

constexpr int CoinArrondi = 14;
const QChar Separateur = QChar(0x1F);

// Positions and sizes are kept within +-2^30 so that a position plus a size
// still fits in an int.
int Borne(qint64 v)
{
    constexpr qint64 limite = qint64(1) << 30;
    return int(std::clamp<qint64>(v, -limite, limite));
}

// a x b div c, truncating toward zero. Looks come from files, so a zoom or a
// size may be anything a 32-bit field holds: the product is taken in 64 bits
// and the result bounded.
int MulDiv(qint64 a, qint64 b, qint64 c)
{
    return c == 0 ? 0 : Borne(a * b / c);
}

// Pictures are decoded once per file and size and shared by every box: a
// tree of 2,000 boxes with one background file reads it once. The budget is
// in kibibytes so that a tree whose boxes each show their own photo keeps
// as many of them as fit in memory, not a fixed count. Failures are kept too
// (as null pictures) so that a bad file is not read again at every paint.
constexpr qsizetype BudgetImagesKio = 64 * 1024;
// Pictures larger than this are not made: a box is never that large on a
// screen or a page, and a look file could ask for anything.
constexpr qint64 PixelsMaxImage = 50'000'000;
// Resolving a file name touches the disk; the answers are kept until the
// cache is emptied. The bound only guards against endless distinct names.
constexpr qsizetype TailleMaxChemins = 8192;

struct CachesBoite {
    QCache<QString, QImage> images{BudgetImagesKio};
    QHash<QString, QString> chemins;
};

CachesBoite &Caches()
{
    static CachesBoite caches;
    return caches;
}

QImage GardeImage(const QString &cle, const QImage &image)
{
    const qsizetype cout = image.isNull() ? 1 : qMax<qsizetype>(1, image.sizeInBytes() / 1024);
    Caches().images.insert(cle, new QImage(image), cout);
    return image;
}

QString GardeChemin(const QString &cle, const QString &chemin)
{
    QHash<QString, QString> &chemins = Caches().chemins;
    if (chemins.size() >= TailleMaxChemins)
        chemins.clear();
    chemins.insert(cle, chemin);
    return chemin;
}

// The file of a picture line ("@" and a stored path), found by CheminMedia.
// CheminMedia looks in the open database's folder, hence that in the key.
QString CheminImageLigne(const QString &nom)
{
    const QString cle = u"L"_s + FichierCourant + Separateur + nom;
    const auto trouve = Caches().chemins.constFind(cle);
    if (trouve != Caches().chemins.constEnd())
        return *trouve;
    return GardeChemin(cle, CheminMedia(nom));
}

// The background file of a box: a file of the tree-pictures folder; for a
// computed background (kind 3) a path found by CheminMedia when it is not
// there, since a template such as "<photo>" gives the path of the person's
// picture wherever it is. Empty when there is no such file.
QString CheminFond(int fond, const QString &nom)
{
    if (nom.isEmpty())
        return QString();
    const QString cle = QString::number(fond) + DossierImageArbreUser + Separateur + DossierImageArbre + Separateur
                        + FichierCourant + Separateur + nom;
    const auto trouve = Caches().chemins.constFind(cle);
    if (trouve != Caches().chemins.constEnd())
        return *trouve;
    const QString dansDossier = CheminImageArbre(nom);
    if (!dansDossier.isEmpty() && QFileInfo(dansDossier).isFile())
        return GardeChemin(cle, dansDossier);
    return GardeChemin(cle, fond == 3 ? CheminMedia(nom) : QString());
}

// The picture file stretched over largeur x hauteur; null when it cannot be
// loaded.
QImage ImageEtiree(const QString &chemin, int largeur, int hauteur)
{
    if (largeur < 1 || hauteur < 1 || qint64(largeur) * hauteur > PixelsMaxImage)
        return QImage();
    const QString cle = u"F"_s + QString::number(largeur) + u'x' + QString::number(hauteur)
                        + Separateur + chemin;
    if (const QImage *gardee = Caches().images.object(cle))
        return *gardee;
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    if (image.isNull() || !ChargeImageEtiree(image, chemin))
        image = QImage();
    return GardeImage(cle, image);
}

// The picture file at the height of a picture line, its width keeping the
// picture's proportions; null when it cannot be loaded or would be empty.
QImage ImageALaHauteur(const QString &chemin, int hauteur)
{
    if (hauteur < 1)
        return QImage();
    const QString cle = u"H"_s + QString::number(hauteur) + Separateur + chemin;
    if (const QImage *gardee = Caches().images.object(cle))
        return *gardee;
    QImage image;
    QImage lue;
    if (ChargeImage(lue, chemin) && lue.height() > 0) {
        const int largeur = Round(double(hauteur) * lue.width() / lue.height());
        if (largeur >= 1 && qint64(largeur) * hauteur <= PixelsMaxImage)
            image = lue.scaled(largeur, hauteur, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_RGB32);
    }
    return GardeImage(cle, image);
}

QPen StyloCadre(TColor couleur)
{
    return QPen(CouleurQt(couleur), 1);
}

// How many device pixels a logical pixel of the painter takes: 1 on screen,
// the print zoom on paper. Pictures are made at that size so that a printed
// box shows them at the printer's resolution.
qreal Echelle(const QPainter &p)
{
    const QTransform t = p.deviceTransform();
    return std::max<qreal>(std::max(std::abs(t.m11()), std::abs(t.m22())), 1e-3);
}

// Device pixels across `logique` logical pixels, for a picture's size.
int EnPixels(int logique, qreal echelle)
{
    return Borne(qint64(std::llround(logique * echelle)));
}

} // namespace

struct TBoite::TLigneDisposee {
    // What the layout was made from.
    QString texte;
    QString nom;
    int hauteurDemandee = 0;
    int style = -1;
    int place = 0;
    // The layout.
    TFonteDessin fonte;
    int largeur = 0;
    QStaticText statique;
};

TBoite::TBoite(const TContexteArbre &contexte)
    : m_ctx(contexte)
{
}

TBoite::~TBoite() = default;

const T1Aff &TBoite::Aff() const
{
    static const T1Aff vide;
    if (!m_ctx.Looks || m_look < 1 || m_look > 2)
        return vide;
    return (*m_ctx.Looks)[std::size_t(m_look)];
}

void TBoite::InitBoite(int x, int y, int personne, int look, int sexe)
{
    m_personne = personne;
    m_look = look;
    m_homme = (sexe == SexeHomme);
    m_selec = (personne == m_ctx.SelecPers);
    m_x = x;
    m_y = y;
    Positionne();
}

void TBoite::Positionne()
{
    const T1Aff &aff = Aff();
    m_bounds = QRect(MulDiv(aff.Zoom, m_x, 100), MulDiv(aff.Zoom, m_y, 100),
                     MulDiv(aff.Large, aff.Zoom, 100), MulDiv(aff.HauteurBoite, aff.Zoom, 100));
}

void TBoite::Deplace(int dx, int dy)
{
    m_x = Borne(qint64(m_x) + dx);
    m_y = Borne(qint64(m_y) + dy);
    Positionne();
}

bool TBoite::SetSelec(bool selec)
{
    if (selec == m_selec)
        return false;
    m_selec = selec;
    return true;
}

void TBoite::VideCacheImages()
{
    Caches().images.clear();
    Caches().chemins.clear();
}

TColor TBoite::CouleurDuCadre() const
{
    // The frame, the shadow and the outline all take this one colour, so a
    // box is never half red while SelecPers and isSelec disagree for a
    // moment.
    if (m_selec || (m_personne != 0 && m_personne == m_ctx.SelecPers))
        return CouleurCadreSelec;
    if (m_ctx.Bd && m_ctx.Bd->TreeFold(m_personne) != 0)
        return CouleurCadrePlie;
    return CouleurCadre;
}

int TBoite::DessineFond(QPainter &p, const TLookSexe &lookSexe, TColor cadre, int X, int Y, int W,
                        int H) const
{
    const int s = lookSexe.Ombre ? 1 : 0;
    const auto forme = [&](int gauche, int haut, int droite, int bas) {
        if (lookSexe.Arrondis)
            DessineRectangleArrondi(p, gauche, haut, droite, bas, CoinArrondi, CoinArrondi);
        else
            DessineRectangle(p, gauche, haut, droite, bas);
    };
    const QPen stylo = lookSexe.Cadre ? StyloCadre(cadre) : QPen(Qt::NoPen);

    // The shadow is the frame shape moved by one pixel, drawn first: the box
    // drawn over it leaves a strip of it on the right and at the bottom.
    if (lookSexe.Cadre) {
        p.setPen(stylo);
        p.setBrush(lookSexe.Fond == 1 ? QBrush(CouleurQt(cadre)) : QBrush(Qt::NoBrush));
        forme(X + s, Y + s, X + W, Y + H);
    }

    if ((lookSexe.Fond == 2 || lookSexe.Fond == 3) && !lookSexe.Texture.isEmpty()) {
        QString nom = lookSexe.Texture;
        if (lookSexe.Fond == 3) {
            nom = m_ctx.Bd ? ExpandTemplate(*m_ctx.Bd, m_personne, nom) : QString();
            // "<photo>" gives "@" and a path, as for a picture line.
            if (nom.startsWith(u'@'))
                nom.remove(0, 1);
        }
        const QString chemin = CheminFond(lookSexe.Fond, nom);
        if (!chemin.isEmpty()) {
            const qreal e = Echelle(p);
            const QImage image = ImageEtiree(chemin, EnPixels(W - s, e), EnPixels(H - s, e));
            if (!image.isNull())
                p.drawImage(QRectF(X, Y, W - s, H - s), image);
        }
    }

    p.setPen(stylo);
    p.setBrush(lookSexe.Fond == 1 ? QBrush(CouleurQt(lookSexe.Couleur)) : QBrush(Qt::NoBrush));
    forme(X, Y, X + W - s, Y + H - s);
    return s;
}

void TBoite::AfficheBoite(QPainter &p, int X, int Y, int W, int H, int zoom)
{
    const TLook &look = Aff().Look;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);

    const TColor cadre = CouleurDuCadre();
    const int s = DessineFond(p, m_homme ? look.Homme : look.Femme, cadre, X, Y, W, H);

    p.setBrush(Qt::NoBrush);
    const int margeHaut = MulDiv(look.MargeHaut, H, 100);
    const int margeBas = MulDiv(look.MargeBas, H, 100);
    const int margeDroite = MulDiv(look.MargeDroite, W, 100);
    const int margeGauche = MulDiv(look.MargeGauche, W, 100);
    const int gauche = X + margeGauche;
    const int droite = X + W - margeDroite;
    int yc = margeHaut;

    const int nbLignes = std::clamp(look.LigneNbre, 0, NbreLignesMax);
    for (int i = 0; i < nbLignes; ++i) {
        const TFonte &f = look.Ligne[std::size_t(i)].Fonte;
        const QString &texte = Lignes[std::size_t(i)];
        const int hauteurFonte = MulDiv(f.Hauteur, zoom, 100);
        const TFonteDessin fonte = FonteDessin(f.Nom, hauteurFonte, f.Style);
        // An empty line keeps the room of a line of text.
        const int hl = HauteurTexte(fonte, texte.isEmpty() ? u"O"_s : texte);
        const int haut = Y + yc;
        const QRect r = RectDe(gauche, haut, droite, haut + hl);

        if (texte.startsWith(u'@')) {
            const QString chemin = CheminImageLigne(texte.mid(1));
            const int ph = HauteurTexte(fonte, texte);
            // The picture at the line's height gives its width on screen;
            // the picture drawn is made at the device's resolution.
            const QImage image = chemin.isEmpty() ? QImage() : ImageALaHauteur(chemin, ph);
            const qreal e = Echelle(p);
            const QImage dessinee = image.isNull() || e == 1 ? image : ImageALaHauteur(chemin, EnPixels(ph, e));
            if (!dessinee.isNull()) {
                const int pw = image.width();
                int x = gauche;
                if (f.Alignement == AlignDroite)
                    x = droite - pw;
                else if (f.Alignement == AlignCentre)
                    x = gauche + (droite - gauche - pw) / 2;
                // Kept off the frame: two pixels from the box's left edge,
                // wherever the box is drawn.
                x = std::max(x, X + 2);
                p.drawImage(QRectF(x, haut + 1, pw, image.height()), dessinee);
            }
        } else if (!texte.isEmpty()) {
            const TLigneDisposee &d = Dispose(i, texte, f, hauteurFonte, fonte, droite - gauche);
            const int tw = d.largeur;
            const int th = HauteurTexte(d.fonte, texte);
            int x = gauche + 2;
            if (f.Alignement == AlignDroite)
                x = droite - tw;
            else if (f.Alignement == AlignCentre)
                x = gauche + (W - margeGauche - margeDroite - tw) / 2 - 2 - s;
            DessineTexte(p, d.fonte, f.Couleur, x, haut + (hl - th) / 2, d.statique, r);
        }

        if (AfficheMarges) {
            p.setBrush(Qt::NoBrush);
            p.setPen(StyloCadre(clBlue));
            DessineRectangle(p, gauche, haut, droite, haut + hl);
        }
        yc += hl;
    }

    if (AfficheMarges) {
        p.setBrush(Qt::NoBrush);
        p.setPen(StyloCadre(clRed));
        DessineRectangle(p, X, Y, X + W, Y + H);
        p.setPen(StyloCadre(clLime));
        DessineRectangle(p, gauche, Y + margeHaut, droite, Y + H - margeBas);
    }
    p.restore();
}

const TBoite::TLigneDisposee &TBoite::Dispose(int i, const QString &texte, const TFonte &f,
                                               int hauteurFonte, const TFonteDessin &fonte,
                                               int place)
{
    if (m_disposees.size() <= std::size_t(i))
        m_disposees.resize(std::size_t(i) + 1);
    TLigneDisposee &d = m_disposees[std::size_t(i)];
    if (d.texte == texte && d.nom == f.Nom && d.hauteurDemandee == hauteurFonte
        && d.style == f.Style && d.place == place)
        return d;

    // A text too wide for its line shrinks, down to a height of 1.
    const auto fonteA = [&](int h) { return h == hauteurFonte ? fonte : FonteDessin(f.Nom, h, f.Style); };
    d.fonte = fonteA(HauteurQuiTient(hauteurFonte, place, [&](int h) { return LargeurTexte(fonteA(h), texte); }));
    d.largeur = LargeurTexte(d.fonte, texte);
    d.statique = TexteStatique(d.fonte, texte);
    d.texte = texte;
    d.nom = f.Nom;
    d.hauteurDemandee = hauteurFonte;
    d.style = f.Style;
    d.place = place;
    return d;
}

void TBoite::Paint(QPainter &p)
{
    AfficheBoite(p, m_bounds.x(), m_bounds.y(), m_bounds.width(), m_bounds.height(), Aff().Zoom);
}

void TBoite::Imprime(QPainter &p, const TParamImpression &page)
{
    if (page.PrintZoom <= 0 || m_bounds.isEmpty())
        return;
    // The box as the screen shows it, magnified by the print zoom: the same
    // drawing under a transform, so that corners, shadows and frames keep
    // their proportions on paper.
    const qreal e = page.PrintZoom / 100.0;
    const QRectF cible(m_bounds.x() * e - page.Origine.x(), m_bounds.y() * e - page.Origine.y(),
                       m_bounds.width() * e, m_bounds.height() * e);
    // Every box is asked to print on every page: a printer keeps even the
    // pictures drawn off its sheet, so a box wholly outside the clip is left
    // out rather than made into a picture for nothing.
    if (p.hasClipping() && !p.clipBoundingRect().intersects(cible.adjusted(-1, -1, 1, 1)))
        return;

    const auto dessine = [&](QPainter &peintre, const QPointF &coin) {
        peintre.save();
        peintre.translate(coin);
        peintre.scale(e, e);
        peintre.translate(-m_bounds.topLeft());
        Paint(peintre);
        peintre.restore();
    };
    if (page.Methode == 0) {
        dessine(p, cible.topLeft());
        return;
    }
    const QRect pixels = cible.toAlignedRect();
    if (pixels.isEmpty() || qint64(pixels.width()) * pixels.height() > PixelsMaxImage)
        return;
    // White, so that the copy by AND leaves the page as it is around the
    // drawing.
    QImage image(pixels.size(), QImage::Format_RGB888);
    if (image.isNull())
        return;
    image.fill(Qt::white);
    {
        QPainter pi(&image);
        dessine(pi, cible.topLeft() - pixels.topLeft());
    }
    if (page.Methode == 1)
        p.drawImage(pixels.topLeft(), image);
    else
        DessineBitmapEtire(p, pixels, image);
}

QImage TBoite::BoiteVersBitmap()
{
    if (m_bounds.width() < 1 || m_bounds.height() < 1
        || qint64(m_bounds.width()) * m_bounds.height() > PixelsMaxImage)
        return QImage();
    QImage image(m_bounds.size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(-m_bounds.topLeft());
    Paint(p);
    return image;
}

void TBoite::RemplitTexture(const QRect &rectangle, QPainter &p, const QImage &image)
{
    const int iw = image.width();
    const int ih = image.height();
    if (iw < 1 || ih < 1 || rectangle.isEmpty())
        return;
    // In 64 bits: a rectangle reaching the end of the int range must not
    // make the next tile's position wrap around.
    const qint64 droite = qint64(rectangle.x()) + rectangle.width();
    const qint64 bas = qint64(rectangle.y()) + rectangle.height();
    for (qint64 y = rectangle.y(); y < bas; y += ih) {
        const int th = int(std::min<qint64>(ih, bas - y));
        for (qint64 x = rectangle.x(); x < droite; x += iw)
            p.drawImage(QPoint(int(x), int(y)), image,
                        QRect(0, 0, int(std::min<qint64>(iw, droite - x)), th));
    }
}
