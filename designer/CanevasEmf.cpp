#include "CanevasEmf.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QTextLayout>
#include <QTransform>

#include "CanevasQt.h"

namespace {

// Two indices of the object table for each kind: the new object is created
// at the one not selected, before the old one is freed.
constexpr std::uint32_t PremierStylo = 1;
constexpr std::uint32_t PremierPinceau = 3;
constexpr std::uint32_t PremiereFonte = 5;

// Wide pens beyond this are drawn at it, as on the screen.
constexpr int LargeurMax = 16384;

// Text bounds are kept within this distance of the origin.
constexpr int BorneTexte = 1 << 30;

// Pixels less opaque than this are left out of a picture; the metafile
// knows only opaque and transparent pixels.
constexpr int AlphaOpaque = 128;

// The transparent parts of a picture are left out of the metafile by blocks:
// bands of this many rows, in which columns of opaque pixels closer than
// EcartBlocs make one block.
constexpr int HauteurBande = 64;
constexpr int EcartBlocs = 64;

std::uint32_t Ref(TColor c)
{
    return c & 0xFFFFFF;
}

bool Visible(const TStylo &s)
{
    return s.Style != StyloVide;
}

bool Visible(const TPinceau &p)
{
    return p.Style != PinceauVide;
}

// Where a long text is cut for its layout: after a space in the second half
// of a piece of this many UTF-16 units, else at its end, before a character
// that starts a cluster of its own.
constexpr qsizetype LongueurMorceau = 256;

// The end of the piece of `texte` that starts at `debut`.
qsizetype FinMorceau(const QString &texte, qsizetype debut)
{
    if (texte.size() - debut <= LongueurMorceau)
        return texte.size();
    qsizetype fin = debut + LongueurMorceau;
    for (qsizetype i = fin; i > debut + LongueurMorceau / 2; --i) {
        if (texte.at(i - 1).isSpace())
            return i;
    }
    // Not inside a pair of UTF-16 units, nor before a combining mark.
    while (fin > debut + 1 && (texte.at(fin).isLowSurrogate() || texte.at(fin).isMark()))
        --fin;
    return fin;
}

// The positions of the caret before each UTF-16 unit of the text and after
// the last one, as the screen lays the text out on one line (kerning and
// shaping included). A long text is laid out piece by piece, each piece
// after the one before: the caret of a layout is found by walking it from
// its start, and one layout of the whole line would make the work grow with
// the square of its length.
std::vector<double> Positions(const QString &texte, const QFont &police)
{
    std::vector<double> x(size_t(texte.size()) + 1, 0.0);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    // A piece ends with its space, whose width the next piece starts after.
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    double origine = 0;
    for (qsizetype debut = 0; debut < texte.size();) {
        const qsizetype fin = FinMorceau(texte, debut);
        QTextLayout disposition(texte.sliced(debut, fin - debut), police);
        disposition.setTextOption(option);
        disposition.beginLayout();
        QTextLine ligne = disposition.createLine();
        disposition.endLayout();
        if (!ligne.isValid())
            return x;
        for (qsizetype i = debut; i <= fin; ++i) {
            // The second unit of a pair stands with the first.
            if (i > 0 && i < texte.size() && texte.at(i).isLowSurrogate())
                x[size_t(i)] = x[size_t(i - 1)];
            else
                x[size_t(i)] = origine + ligne.cursorToX(int(i - debut));
        }
        origine = x[size_t(fin)];
        debut = fin;
    }
    return x;
}

// Whether a pixel of the part `source` of the picture is left out.
bool ATransparence(const QImage &image, const QRect &source)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = source.top(); y <= source.bottom(); ++y) {
        const auto *ligne = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = source.left(); x <= source.right(); ++x) {
            if (qAlpha(ligne[x]) < AlphaOpaque)
                return true;
        }
    }
    return false;
}

// The picture as 32-bit pixels, opaque where it shows and black and fully
// transparent elsewhere.
QImage Couleurs(const QImage &image)
{
    QImage c = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < c.height(); ++y) {
        auto *ligne = reinterpret_cast<QRgb *>(c.scanLine(y));
        for (int x = 0; x < c.width(); ++x)
            ligne[x] = qAlpha(ligne[x]) >= AlphaOpaque ? ligne[x] | 0xFF000000u : 0u;
    }
    return c;
}

// The blocks of the part `source` of the picture that hold its opaque
// pixels, within it: the rows are taken in bands, the columns of a band
// that hold an opaque pixel are gathered into runs (gaps narrower than
// EcartBlocs joined), each run cut down to the rows that hold one, and a
// block that continues the one of the band above with the same columns
// joins it. A picture without opaque pixels has none.
std::vector<QRect> BlocsOpaques(const QImage &image, const QRect &source)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<QRect> blocs;
    std::vector<char> colonnes(size_t(source.width()));
    // The blocks of the band above, which those of this band may extend.
    std::vector<size_t> dessus;
    for (int haut = source.top(); haut <= source.bottom(); haut += HauteurBande) {
        const int bas = std::min(haut + HauteurBande - 1, source.bottom());
        std::fill(colonnes.begin(), colonnes.end(), 0);
        for (int y = haut; y <= bas; ++y) {
            const auto *ligne = reinterpret_cast<const QRgb *>(img.constScanLine(y)) + source.left();
            for (int x = 0; x < source.width(); ++x)
                colonnes[size_t(x)] |= char(qAlpha(ligne[x]) >= AlphaOpaque);
        }
        std::vector<size_t> bande;
        int x = 0;
        while (x < source.width()) {
            if (!colonnes[size_t(x)]) {
                ++x;
                continue;
            }
            int fin = x;
            for (int suivant = x + 1; suivant < source.width() && suivant <= fin + EcartBlocs; ++suivant) {
                if (colonnes[size_t(suivant)])
                    fin = suivant;
            }
            // The rows of the band that hold an opaque pixel of the run.
            const auto opaque = [&](int y) {
                const auto *ligne = reinterpret_cast<const QRgb *>(img.constScanLine(y)) + source.left();
                for (int i = x; i <= fin; ++i) {
                    if (qAlpha(ligne[i]) >= AlphaOpaque)
                        return true;
                }
                return false;
            };
            int premiere = haut;
            while (!opaque(premiere))
                ++premiere;
            int derniere = bas;
            while (!opaque(derniere))
                --derniere;
            const QRect bloc(QPoint(source.left() + x, premiere), QPoint(source.left() + fin, derniere));
            const auto prolonge = std::find_if(dessus.begin(), dessus.end(), [&](size_t i) {
                const QRect &b = blocs[i];
                return b.left() == bloc.left() && b.right() == bloc.right() && b.bottom() == haut - 1
                       && premiere == haut;
            });
            if (prolonge != dessus.end()) {
                blocs[*prolonge].setBottom(derniere);
                bande.push_back(*prolonge);
            } else {
                blocs.push_back(bloc);
                bande.push_back(blocs.size() - 1);
            }
            x = fin + 1;
        }
        dessus.swap(bande);
    }
    return blocs;
}

} // namespace

TCanevasEmf::TCanevasEmf(TEcrivainEmf &ecrivain) : m_ecrivain(ecrivain)
{
    m_ecrivain.Simple(emr::SaveDC);
    m_ecrivain.Valeur(emr::SetMapMode, emf::MmTexte);
    m_ecrivain.Valeur(emr::SetBkMode, emf::FondTransparent);
    m_ecrivain.Valeur(emr::SetPolyFillMode, emf::RemplissageAlterne);
    m_ecrivain.Valeur(emr::SetStretchBltMode, emf::EtirementCouleurs);
    // Texts are placed by their base line, which the screen put at a whole
    // pixel: players that place them by the top of their cell would round
    // the font's ascent their own way.
    m_ecrivain.Valeur(emr::SetTextAlign, emf::TexteLigneDeBase);
}

QRect TCanevasEmf::Etendue(const QRect &figure) const
{
    const TStylo s = StyloTrace();
    const int d = Visible(s) && s.Largeur > 1 ? (s.Largeur + 1) / 2 : 0;
    return figure.adjusted(-d, -d, d, d);
}

void TCanevasEmf::Decoupe(const QRect &bornes)
{
    const QRect page(QPoint(0, 0), m_ecrivain.Pixels());
    if (m_decoupe || page.contains(bornes))
        return;
    m_decoupe = true;
    m_ecrivain.Cadre(emr::IntersectClipRect, 0, 0, page.width(), page.height());
}

TCanevasEmf::~TCanevasEmf()
{
    Termine();
}

void TCanevasEmf::Termine()
{
    if (m_termine)
        return;
    m_termine = true;
    // The restored state selects the objects that were selected when it was
    // saved, so that those created since can be freed.
    m_ecrivain.Valeur(emr::RestoreDC, std::uint32_t(-1));
    for (const std::uint32_t index : {m_indexStylo, m_indexPinceau, m_indexFonte}) {
        if (index != 0)
            m_ecrivain.Valeur(emr::DeleteObject, index);
    }
    m_indexStylo = m_indexPinceau = m_indexFonte = 0;
}

TStylo TCanevasEmf::StyloTrace() const
{
    const TStylo &s = Stylo();
    if (s.Style == StyloVide)
        return TStylo{CouleurNoire, 0, StyloVide};
    TStylo t{s.Couleur & 0xFFFFFF, 1, StyloPlein};
    if (s.Largeur > 1)
        t.Largeur = std::min(s.Largeur, LargeurMax);
    else if (s.Style >= StyloPlein && s.Style <= StyloTiretPointPoint)
        t.Style = s.Style;
    return t;
}

TPinceau TCanevasEmf::PinceauTrace() const
{
    const TPinceau &p = Pinceau();
    if (p.Style < PinceauPlein || p.Style > PinceauMax || p.Style == PinceauVide)
        return TPinceau{CouleurBlanche, PinceauVide};
    return TPinceau{p.Couleur & 0xFFFFFF, p.Style};
}

template <typename Cree>
void TCanevasEmf::Remplace(std::uint32_t &index, std::uint32_t premier, Cree cree)
{
    const std::uint32_t nouveau = index == premier ? premier + 1 : premier;
    cree(nouveau);
    m_ecrivain.Valeur(emr::SelectObject, nouveau);
    if (index != 0)
        m_ecrivain.Valeur(emr::DeleteObject, index);
    index = nouveau;
}

template <typename T, typename Cree>
void TCanevasEmf::Choisit(std::optional<T> &choisi, const T &voulu, std::uint32_t &index, std::uint32_t premier,
                          std::uint32_t stock, Cree cree)
{
    if (choisi == voulu)
        return;
    choisi = voulu;
    if (Visible(voulu)) {
        Remplace(index, premier, cree);
        return;
    }
    // What draws nothing is the stock object, which is never freed.
    m_ecrivain.Valeur(emr::SelectObject, stock);
    if (index != 0)
        m_ecrivain.Valeur(emr::DeleteObject, index);
    index = 0;
}

void TCanevasEmf::ChoisitStylo()
{
    const TStylo s = StyloTrace();
    Choisit(m_stylo, s, m_indexStylo, PremierStylo, emf::StockStyloNul, [&](std::uint32_t i) {
        // A thin pen is the device's one-pixel pen, dashed by the style
        // numbers the models share with it; a wide one is geometric, solid,
        // with round ends and joins.
        if (s.Largeur <= 1)
            m_ecrivain.CreePen(i, std::uint32_t(s.Style), 0, Ref(s.Couleur));
        else
            m_ecrivain.CreePenEtendu(i, emf::PsGeometrique | emf::PsSolide, s.Largeur, Ref(s.Couleur));
    });
}

void TCanevasEmf::ChoisitPinceau()
{
    const TPinceau p = PinceauTrace();
    Choisit(m_pinceau, p, m_indexPinceau, PremierPinceau, emf::StockPinceauNul, [&](std::uint32_t i) {
        // The hatches follow the order of the device's: horizontal,
        // vertical, forward and backward diagonals, cross, diagonal cross.
        if (p.Style == PinceauPlein)
            m_ecrivain.CreePinceau(i, emf::BsSolide, Ref(p.Couleur), 0);
        else
            m_ecrivain.CreePinceau(i, emf::BsHachure, Ref(p.Couleur), std::uint32_t(p.Style - PinceauHorizontal));
    });
}

void TCanevasEmf::ChoisitFonte()
{
    const TFonteCAD &f = Fonte();
    const QFont police = PoliceCAD(f);
    TFonteEmf e;
    // The character height of the font the screen draws, so that the
    // metafile's texts take the room that was measured for them.
    e.Hauteur = -std::max(police.pixelSize(), 1);
    e.Escapement = f.Escapement;
    e.Orientation = f.Escapement;
    e.Poids = f.Style & FonteGras ? emf::PoidsGras : emf::PoidsNormal;
    e.Italique = f.Style & FonteItalique;
    e.Souligne = f.Style & FonteSouligne;
    e.Barre = f.Style & FonteBarre;
    // The model's own font name: the players find that font, or one of
    // the same metrics as the screen does.
    e.Nom = f.Nom.trimmed().isEmpty() ? police.family() : f.Nom.trimmed();
    if (m_fonte != e) {
        m_fonte = e;
        Remplace(m_indexFonte, PremiereFonte, [&](std::uint32_t i) { m_ecrivain.CreeFonte(i, e); });
    }
    if (m_couleurTexte != Ref(f.Couleur)) {
        m_couleurTexte = Ref(f.Couleur);
        m_ecrivain.Valeur(emr::SetTextColor, Ref(f.Couleur));
    }
}

void TCanevasEmf::Ligne(QPoint de, QPoint a)
{
    if (de == a)
        return;
    Polyligne(QPolygon({de, a}));
}

void TCanevasEmf::Polyligne(const QPolygon &points)
{
    if (m_termine || points.size() < 2 || !Visible(StyloTrace()))
        return;
    Decoupe(Etendue(points.boundingRect()));
    ChoisitStylo();
    m_ecrivain.Poly(emr::Polyline, points);
}

void TCanevasEmf::Polygone(const QPolygon &points)
{
    if (m_termine || points.size() < 2 || (!Visible(StyloTrace()) && !Visible(PinceauTrace())))
        return;
    Decoupe(Etendue(points.boundingRect()));
    ChoisitStylo();
    ChoisitPinceau();
    m_ecrivain.Poly(emr::Polygon, points);
}

bool TCanevasEmf::Figure(int &gauche, int &haut, int &droite, int &bas) const
{
    for (int *cote : {&gauche, &haut, &droite, &bas})
        *cote = std::clamp(*cote, -CoordonneeMax, CoordonneeMax);
    if (droite < gauche)
        std::swap(gauche, droite);
    if (bas < haut)
        std::swap(haut, bas);
    return droite > gauche && bas > haut && (Visible(StyloTrace()) || Visible(PinceauTrace()));
}

void TCanevasEmf::Interieur(int &gauche, int &haut, int &droite, int &bas) const
{
    const TStylo s = StyloTrace();
    if (Stylo().Style != StyloInterieur || s.Largeur <= 1)
        return;
    // The path moves in by half the pen, which then lies astride it.
    const int d = std::min({s.Largeur / 2, (droite - gauche) / 2, (bas - haut) / 2});
    gauche += d;
    haut += d;
    droite -= d;
    bas -= d;
}

void TCanevasEmf::Rectangle(int gauche, int haut, int droite, int bas)
{
    Cadre(emr::Rectangle, gauche, haut, droite, bas);
}

void TCanevasEmf::Ellipse(int gauche, int haut, int droite, int bas)
{
    Cadre(emr::Ellipse, gauche, haut, droite, bas);
}

void TCanevasEmf::Cadre(std::uint32_t type, int gauche, int haut, int droite, int bas)
{
    if (m_termine || !Figure(gauche, haut, droite, bas))
        return;
    Interieur(gauche, haut, droite, bas);
    Decoupe(Etendue(QRect(QPoint(gauche, haut), QPoint(droite - 1, bas - 1))));
    ChoisitStylo();
    ChoisitPinceau();
    m_ecrivain.Cadre(type, gauche, haut, droite, bas);
}

void TCanevasEmf::Texte(QPoint coin, const QString &texte)
{
    if (m_termine || texte.isEmpty())
        return;
    const QFont police = PoliceCAD(Fonte());
    const QFontMetrics metriques(police);
    const std::vector<double> x = Positions(texte, police);
    std::vector<int> avances(size_t(texte.size()));
    for (size_t i = 0; i < avances.size(); ++i)
        avances[i] = int(std::lround(x[i + 1]) - std::lround(x[i]));

    // The cell turned about its corner, as the screen turns it; the base
    // line starts the ascent below the corner.
    QTransform tourne;
    tourne.translate(coin.x(), coin.y());
    tourne.rotate(-Fonte().Escapement / 10.0);
    const QPoint reference = tourne.map(QPointF(0, metriques.ascent())).toPoint();
    const double largeur = std::max(double(metriques.horizontalAdvance(texte)), x.back());
    // A long text in a huge font may reach beyond the coordinates of a
    // metafile: its bounds stop there.
    const QRectF cellule = tourne.mapRect(QRectF(0, 0, largeur, metriques.height()));
    const auto borne = [](double v) { return int(std::clamp(std::floor(v), -double(BorneTexte), double(BorneTexte))); };
    const QRect bornes(QPoint(borne(cellule.left()), borne(cellule.top())),
                       QPoint(borne(cellule.right()), borne(cellule.bottom())));
    Decoupe(bornes);
    ChoisitFonte();
    const QSize pixels = m_ecrivain.Pixels();
    const QSizeF mm = m_ecrivain.Mm();
    const QSizeF centiemes(mm.width() * 100 / pixels.width(), mm.height() * 100 / pixels.height());
    m_ecrivain.Texte(reference, texte, avances, bornes, centiemes);
}

QSize TCanevasEmf::TailleTexte(const QString &texte)
{
    // Measured as the screen measures, so that texts are laid out alike.
    const QFontMetrics metriques(PoliceCAD(Fonte()));
    return QSize(metriques.horizontalAdvance(texte), metriques.height());
}

void TCanevasEmf::Image(const QRect &cible, const QImage &image)
{
    const QSize pixels = m_ecrivain.Pixels();
    const QRect page(QPoint(0, 0), pixels);
    if (m_termine || image.isNull() || cible.isEmpty() || !cible.intersects(page))
        return;
    // A picture at its own size loses what lies off the page; a stretched
    // one is kept whole, its pixels falling where they fall.
    QRect source = image.rect();
    QRect dest = cible;
    QImage img = image;
    if (cible.size() == image.size()) {
        dest = cible & page;
        source = dest.translated(-cible.topLeft());
    } else if (image.width() > cible.width() || image.height() > cible.height()) {
        // No finer than it is drawn: the nearest pixels, as the screen takes
        // them.
        img = image.scaled(std::min(image.width(), cible.width()), std::min(image.height(), cible.height()),
                           Qt::IgnoreAspectRatio, Qt::FastTransformation);
        source = img.rect();
    }
    if (img.isNull())
        return;
    Decoupe(dest);
    if (!ATransparence(img, source)) {
        m_ecrivain.Bitmap(dest, img, source, emf::RopSrcCopy, false);
        return;
    }

    // Each block holding opaque pixels is written once, after its mask: the
    // mask, black where the picture shows and white elsewhere, clears with
    // AND what the picture covers; the colours, black where the picture
    // does not show, are then added by OR. The colours keep their alpha and
    // the mask its opacity in its colour table, for the players that draw
    // pictures by their alpha and ignore the raster operations.
    const QImage couleurs = Couleurs(img);
    if (couleurs.isNull())
        return;
    const auto x = [&](int i) {
        return dest.left() + int(std::lround(double(i - source.left()) * dest.width() / source.width()));
    };
    const auto y = [&](int j) {
        return dest.top() + int(std::lround(double(j - source.top()) * dest.height() / source.height()));
    };
    for (const QRect &b : BlocsOpaques(couleurs, source)) {
        const QRect cibleBloc(QPoint(x(b.left()), y(b.top())), QPoint(x(b.right() + 1) - 1, y(b.bottom() + 1) - 1));
        if (cibleBloc.isEmpty())
            continue;
        m_ecrivain.Masque(cibleBloc, couleurs, b, emf::RopSrcAnd, AlphaOpaque);
        m_ecrivain.Bitmap(cibleBloc, couleurs, b, emf::RopSrcPaint, true);
    }
}

void TCanevasEmf::Bezier(const QPolygon &courbe, const QPolygon &trace, bool remplir)
{
    if (m_termine)
        return;
    if (courbe.size() < 4 || (courbe.size() - 1) % 3 != 0) {
        TCanevas::Bezier(courbe, trace, remplir);
        return;
    }
    const bool remplit = remplir && Visible(PinceauTrace());
    const bool trait = Visible(StyloTrace());
    if (!remplit && !trait)
        return;
    Decoupe(Etendue(courbe.boundingRect()));
    const auto chemin = [&] {
        m_ecrivain.Simple(emr::BeginPath);
        m_ecrivain.MoveTo(courbe.constFirst());
        m_ecrivain.Poly(emr::PolyBezierTo, courbe.mid(1));
        m_ecrivain.Simple(emr::CloseFigure);
        m_ecrivain.Simple(emr::EndPath);
    };
    // A curve that ends where it starts is one closed figure, its start
    // joined like its other corners. An open one is filled closed, then
    // outlined open by a curve drawn outside any path (some players close
    // every figure of a path).
    if (courbe.constFirst() == courbe.constLast()) {
        ChoisitStylo();
        ChoisitPinceau();
        chemin();
        m_ecrivain.TracePath(remplit && trait ? emr::StrokeAndFillPath : remplit ? emr::FillPath : emr::StrokePath);
        return;
    }
    if (remplit) {
        ChoisitPinceau();
        chemin();
        m_ecrivain.TracePath(emr::FillPath);
    }
    if (trait) {
        ChoisitStylo();
        m_ecrivain.Poly(emr::PolyBezier, courbe);
    }
}
