#include "TAffArbre.h"

#include "BD.h"
#include "Dialogues.h"
#include "Globales.h"
#include "LayoutsAsc.h"
#include "LayoutsDes.h"
#include "Modeles.h"
#include "Options.h"
#include "Parente.h"
#include "TPage.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <cmath>
#include <cstdint>


TAffArbre *AffArbre = nullptr;

TAffArbre::TAffArbre(TBD &bd, QScrollArea *arbre, THoteArbre &hote, QObject *parent)
    : QObject(parent)
    , m_bd(bd)
    , m_arbre(arbre)
    , m_hote(hote)
{
    m_ctx.Bd = &m_bd;
    m_ctx.Looks = &Looks;
}

TAffArbre::~TAffArbre() = default;

bool TAffArbre::ArbreVisible() const
{
    return m_arbre && m_arbre->isVisible();
}

void TAffArbre::Affiche()
{
    if (m_prevu)
        return;
    m_prevu = true;
    QTimer::singleShot(0, this, [this] {
        if (m_prevu)
            Execute();
    });
}

void TAffArbre::Execute()
{
    m_prevu = false;
    if (!ArbreVisible())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Vide();
    m_ctx.SelecPers = m_hote.SelecPers();
    ConstruitArbre();
    if (Reglages().ZoomAuto) {
        CalculZoomAuto();
        RePositionne();
    }
    if (m_montrerSelec) {
        m_montrerSelec = false;
        DefileVersSelecPers();
    }
    m_hote.TitreFenetre();
    QApplication::restoreOverrideCursor();
    emit Construit();
}

void TAffArbre::Vide()
{
    m_coupe = false;
    m_ordre.clear();
    m_boites.clear();
    m_liens.clear();
}

void TAffArbre::ConstruitArbre()
{
    int racineX = 0;
    int racineY = 0;
    // A look just read has its computed sizes at zero: a folded reference,
    // shown alone, needs its box height all the same.
    for (int n = 1; n <= 2; ++n)
        CalculPas(Looks, n);
    if (!m_bd.TreeFold(RefPers)) {
        switch (Looks[1].Style) {
        case 1:
            AscGroupe(*this, m_bd, racineX, racineY);
            break;
        case 2: {
            const QPoint r = AscCompactVert(*this, m_bd);
            racineX = r.x();
            racineY = r.y();
            break;
        }
        case 3: {
            const QPoint r = AscCompactHorz(*this, m_bd);
            racineX = r.x();
            racineY = r.y();
            break;
        }
        case 4:
            AscVertical(*this, m_bd, racineX, racineY);
            break;
        case 5:
            AscHorizontal(*this, m_bd, racineX, racineY);
            break;
        default:
            break;
        }
        switch (Looks[2].Style) {
        case 1:
            DesGroupe(*this, m_bd, racineX, racineY, ShowConj);
            break;
        case 2:
            DesVertGroupe(*this, m_bd, RefPers, racineX, racineY, ShowConj, ShowFratrie);
            break;
        case 3:
            DesHorzGroupe(*this, m_bd, RefPers, racineX, racineY, ShowConj, ShowFratrie);
            break;
        default:
            break;
        }
    }
    AjouteBoite(racineX, racineY, RefPers, 1);
    DecaleZero();
}

void TAffArbre::AjouteBoite(int x, int y, int personne, int look)
{
    if (personne < 1 || personne > m_bd.PersonCount())
        return;
    if (Plein()) {
        m_coupe = true;
        return;
    }
    auto boite = std::make_unique<TBoite>(m_ctx);
    boite->InitBoite(x, y, personne, look, m_bd.Sex(personne));
    CalculTexteBoite(*boite);
    m_ordre.emplace_back(true, static_cast<int>(m_boites.size()));
    m_boites.push_back(std::move(boite));
}

void TAffArbre::AjouteLien(int x1, int y1, int x2, int y2, int personne1, int personne2, int look)
{
    if (Plein()) {
        m_coupe = true;
        return;
    }
    auto lien = std::make_unique<TLien>(m_ctx);
    lien->InitLien(x1, y1, x2, y2, personne1, personne2, look);
    m_ordre.emplace_back(false, static_cast<int>(m_liens.size()));
    m_liens.push_back(std::move(lien));
}

void TAffArbre::CalculTexteBoite(TBoite &boite)
{
    const TLook &look = Looks[boite.LookIndex()].Look;
    const int n = std::clamp(look.LigneNbre, 0, NbreLignesMax);
    for (int i = 0; i < n; ++i)
        boite.Lignes[static_cast<size_t>(i)] = ExpandTemplate(m_bd, boite.Personne(), look.Ligne[static_cast<size_t>(i)].Texte);
}

int TAffArbre::PuissanceEntiere(double x, double y)
{
    if (x <= 0)
        return 0;
    const double r = std::exp(y * std::log(x));
    if (r >= 2147483647.0)
        return 2147483647;
    return static_cast<int>(std::lround(r));
}

// ---- Geometry ----------------------------------------------------------

QRect TAffArbre::GetRect() const
{
    if (!ArbreVisible() || m_ordre.empty())
        return QRect();
    QRect r;
    bool premier = true;
    for (const auto &[estBoite, i] : m_ordre) {
        const QRect &b = estBoite ? m_boites[static_cast<size_t>(i)]->Bounds()
                                  : m_liens[static_cast<size_t>(i)]->Bounds();
        if (premier) {
            r = b;
            premier = false;
        } else {
            r = r.united(b);
        }
    }
    return r;
}

void TAffArbre::DecaleZero()
{
    if (!ArbreVisible())
        return;
    const QRect r = GetRect();
    const int margeG = m_page ? m_page->PrintMargeG : 0;
    const int margeH = m_page ? m_page->PrintMargeH : 0;
    const int zoom = Looks[1].Zoom;
    if (zoom >= 1 && !m_ordre.empty()) {
        // Boxes and links of both looks move by look 1's zoom. The shift is
        // rounded down, so that below zoom 100 no item is left a pixel
        // before the margin, cut off by the edge of the view.
        const auto unites = [zoom](int pixels) {
            const std::int64_t v = std::int64_t(pixels) * 100;
            return static_cast<int>(v >= 0 ? v / zoom : -((-v + zoom - 1) / zoom));
        };
        const int dx = unites(r.left() - margeG);
        const int dy = unites(r.top() - margeH);
        for (auto &b : m_boites)
            b->Deplace(-dx, -dy);
        for (auto &l : m_liens)
            l->Deplace(-dx, -dy);
    }
    RePositionne();
}

void TAffArbre::RePositionne()
{
    if (!ArbreVisible())
        return;
    for (auto &b : m_boites)
        b->Positionne();
    for (auto &l : m_liens)
        l->Positionne();
    AjusteTaillePage();
    if (m_page)
        m_page->update();
}

void TAffArbre::RePositionneDiffere()
{
    if (m_repositionnePrevu)
        return;
    m_repositionnePrevu = true;
    QTimer::singleShot(0, this, [this] {
        m_repositionnePrevu = false;
        RePositionne();
    });
}

void TAffArbre::AjusteTaillePage()
{
    if (!m_page)
        return;
    // The canvas covers the whole tree, and at least the visible area. A
    // widget cannot be larger than QWIDGETSIZE_MAX: what lies beyond (a tree
    // of some 90,000 boxes side by side at zoom 100) is reached at a smaller
    // zoom. A tree that the view holds needs no scroll bar: the canvas keeps
    // a margin past the tree only where the view must scroll anyway (one
    // scroll bar takes room from the other direction).
    const QRect r = GetRect();
    const qint64 marge = 20;
    qint64 largeur = qint64(r.right()) + 1;
    qint64 hauteur = qint64(r.bottom()) + 1;
    const QSize vue = m_arbre ? m_arbre->maximumViewportSize() : QSize();
    const int barre = m_arbre ? m_arbre->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_arbre) : 0;
    bool horizontale = largeur > vue.width();
    bool verticale = hauteur > vue.height();
    horizontale = horizontale || (verticale && largeur > vue.width() - barre);
    verticale = verticale || (horizontale && hauteur > vue.height() - barre);
    if (horizontale)
        largeur += marge;
    if (verticale)
        hauteur += marge;
    const auto borne = [](qint64 v) { return static_cast<int>(std::clamp<qint64>(v, 0, QWIDGETSIZE_MAX)); };
    m_page->setMinimumSize(borne(largeur), borne(hauteur));
}

void TAffArbre::CalculZoomAuto()
{
    if (!ArbreVisible() || m_ordre.empty())
        return;
    m_arbre->horizontalScrollBar()->setValue(0);
    m_arbre->verticalScrollBar()->setValue(0);
    // The room of the view without scroll bars, past the margins where the
    // tree starts.
    const QSize vue = m_arbre->maximumViewportSize();
    const std::int64_t margeG = m_page ? m_page->PrintMargeG : 0;
    const std::int64_t margeH = m_page ? m_page->PrintMargeH : 0;
    const std::int64_t placeX = vue.width() - margeG;
    const std::int64_t placeY = vue.height() - margeH;
    const auto applique = [this](int zoom) {
        Looks[1].Zoom = zoom;
        Looks[2].Zoom = zoom;
        DecaleZero();
    };
    // The tree as drawn at zoom 100, the generations that exist and nothing
    // else, gives the first guess.
    applique(100);
    QRect r = GetRect();
    // An empty tree (no box nor link) keeps its zoom: there is nothing to fit.
    if (r.isEmpty())
        return;
    const auto ajuste = [&](std::int64_t z, const QRect &mesure) {
        const std::int64_t largeur = std::max<std::int64_t>(1, mesure.right() + 1 - margeG);
        const std::int64_t hauteur = std::max<std::int64_t>(1, mesure.bottom() + 1 - margeH);
        return std::min(placeX * z / largeur, placeY * z / hauteur);
    };
    int zoom = static_cast<int>(std::clamp<std::int64_t>(ajuste(100, r), 1, 100));
    // Each box and link is rounded on its own at the zoom: the tree may
    // come out a few pixels larger than the guess; the zoom then steps down
    // until it fits, so that no part of it needs a scroll bar.
    for (;;) {
        applique(zoom);
        r = GetRect();
        if (zoom <= 1 || (r.right() < vue.width() && r.bottom() < vue.height()))
            break;
        zoom = static_cast<int>(std::clamp<std::int64_t>(std::min<std::int64_t>(zoom - 1, ajuste(zoom, r)), 1, 100));
    }
}

void TAffArbre::Imprime(QPainter &p, const TParamImpression &page)
{
    for (const auto &[estBoite, i] : m_ordre) {
        if (estBoite)
            m_boites[static_cast<size_t>(i)]->Imprime(p, page);
        else
            m_liens[static_cast<size_t>(i)]->Imprime(p, page);
    }
}

// ---- Lookups -----------------------------------------------------------

void TAffArbre::AfficheSelecPers()
{
    m_ctx.SelecPers = m_hote.SelecPers();
    if (m_ctx.SelecPers == 0)
        return;
    bool premier = true;
    for (auto &b : m_boites) {
        const bool selec = b->Personne() == m_ctx.SelecPers;
        if (b->SetSelec(selec) && m_page)
            m_page->update(b->Bounds());
        if (selec && premier) {
            premier = false;
            Defile(*b);
        }
    }
}

void TAffArbre::MontreSelecPers()
{
    // The boxes on screen belong to the tree before the pending build.
    if (m_prevu)
        m_montrerSelec = true;
    else
        DefileVersSelecPers();
}

void TAffArbre::DefileVersSelecPers()
{
    const int p = m_hote.SelecPers();
    for (const auto &b : m_boites) {
        if (b->Personne() == p) {
            Defile(*b);
            return;
        }
    }
}

void TAffArbre::Defile(const TBoite &boite)
{
    if (!m_arbre)
        return;
    const QRect &r = boite.Bounds();
    m_arbre->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 10, r.height() / 2 + 10);
}

TBoite *TAffArbre::GetBoiteRefPers() const
{
    for (const auto &b : m_boites) {
        if (b->Personne() == RefPers)
            return b.get();
    }
    return nullptr;
}

int TAffArbre::QuiEcran(const TR &liste) const
{
    if (liste.IsEmpty())
        return 0;
    for (const auto &b : m_boites) {
        if (liste.Contains(b->Personne()))
            return b->Personne();
    }
    return 0;
}

TR TAffArbre::ListeEcran() const
{
    TR r;
    for (const auto &b : m_boites)
        r.Add(b->Personne());
    return r;
}

void TAffArbre::RepaintPers(int p)
{
    if (!ArbreVisible() || p < 1)
        return;
    for (auto &b : m_boites) {
        if (b->Personne() != p)
            continue;
        CalculTexteBoite(*b);
        b->SetHomme(m_bd.Sex(p) == SexeHomme);
        if (m_page)
            m_page->update(b->Bounds());
    }
}

void TAffArbre::RepaintTous()
{
    if (!ArbreVisible())
        return;
    for (auto &b : m_boites)
        CalculTexteBoite(*b);
    if (m_page)
        m_page->update();
}

void TAffArbre::RepaintLien(int p1, int p2)
{
    if (!ArbreVisible() || !m_page)
        return;
    for (auto &l : m_liens) {
        if (l->Personne1() == p1 && l->Personne2() == p2)
            m_page->update(l->Bounds());
    }
}

void TAffArbre::ChangeReference(int p)
{
    if (!m_bd.PersonInUse(p))
        return;
    RefPers = p;
    Affiche();
    const TOptions &o = Options();
    if (o.NumeroteBase) {
        NumberTree(m_bd, RefPers, o.NumeroteGen, o.NumeroteConjoint, o.NumeroteFamille);
        BaseModifiee = 1;
        m_hote.TitreFenetre();
    }
    // Every view refreshes with the new reference and numbers.
    m_hote.SetSelecPers(m_hote.SelecPers());
}

// ---- Canvas ------------------------------------------------------------

void TAffArbre::Peint(QPainter &p, const QRect &zone)
{
    for (const auto &[estBoite, i] : m_ordre) {
        if (estBoite) {
            TBoite &b = *m_boites[static_cast<size_t>(i)];
            if (b.Bounds().intersects(zone))
                b.Paint(p);
        } else {
            TLien &l = *m_liens[static_cast<size_t>(i)];
            if (l.Bounds().intersects(zone))
                l.Paint(p);
        }
    }
}

TBoite *TAffArbre::BoiteEn(const QPoint &point) const
{
    for (auto it = m_ordre.rbegin(); it != m_ordre.rend(); ++it) {
        if (!it->first)
            continue;
        TBoite *b = m_boites[static_cast<size_t>(it->second)].get();
        if (b->Bounds().contains(point))
            return b;
    }
    return nullptr;
}

TLien *TAffArbre::LienEn(const QPoint &point) const
{
    for (auto it = m_ordre.rbegin(); it != m_ordre.rend(); ++it) {
        if (it->first)
            continue;
        TLien *l = m_liens[static_cast<size_t>(it->second)].get();
        if (l->Bounds().contains(point))
            return l;
    }
    return nullptr;
}

void TAffArbre::SourisAppuyee(Qt::MouseButton bouton, Qt::KeyboardModifiers touches, const QPoint &position,
                              const QPoint &global)
{
    // The topmost item under the point takes the press.
    TBoite *b = nullptr;
    TLien *lien = nullptr;
    for (auto it = m_ordre.rbegin(); it != m_ordre.rend() && !b && !lien; ++it) {
        if (it->first) {
            TBoite *x = m_boites[static_cast<size_t>(it->second)].get();
            if (x->Bounds().contains(position))
                b = x;
        } else {
            TLien *x = m_liens[static_cast<size_t>(it->second)].get();
            if (x->Bounds().contains(position))
                lien = x;
        }
    }
    if (lien) {
        // Ctrl or Shift with the left button, alone, reach the main window;
        // the right button opens the tree menu there; a plain click does
        // nothing.
        const Qt::KeyboardModifiers mods = touches & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        const QPoint dansLien = position - lien->Bounds().topLeft();
        if (bouton == Qt::LeftButton && (mods == Qt::ControlModifier || mods == Qt::ShiftModifier))
            m_hote.ArbreMouseDown(bouton, mods, dansLien);
        else if (bouton == Qt::RightButton)
            m_hote.ArbreMouseDown(bouton, mods, position);
        return;
    }
    if (!b) {
        m_hote.ArbreMouseDown(bouton, touches, position);
        return;
    }
    const int personne = b->Personne();
    if (bouton == Qt::LeftButton) {
        m_hote.SetSelecPers(personne);
        m_hote.ShowFiche();
    } else if (bouton == Qt::RightButton) {
        m_hote.SetSelecPers(personne);
        m_hote.ShowFiche();
        if (QMenu *menu = m_hote.MenuBoite())
            menu->popup(global);
    }
}

void TAffArbre::DoubleClic(Qt::MouseButton bouton, const QPoint &position)
{
    if (bouton != Qt::LeftButton)
        return;
    TBoite *b = BoiteEn(position);
    if (!b)
        return;
    const int personne = b->Personne();
    AfficheAstuceUneFois(8);
    // The rebuild runs after this event: the box stays valid until then,
    // and nothing below touches it.
    ChangeReference(personne);
}
