#pragma once

#include "Listes.h"
#include "TBoite.h"
#include "TLien.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <memory>
#include <vector>

class QMenu;
class QPainter;
class QScrollArea;
class TBD;
class TPage;

// What the tree needs from the main window.
class THoteArbre
{
public:
    virtual ~THoteArbre() = default;
    // The current person, and making a person current (every view refreshes).
    virtual int SelecPers() const = 0;
    virtual void SetSelecPers(int p) = 0;
    // Shows the current person's record.
    virtual void ShowFiche() = 0;
    // Sets the window title (the modified mark may have changed).
    virtual void TitreFenetre() = 0;
    // A press on the tree area outside any box.
    virtual void ArbreMouseDown(Qt::MouseButton bouton, Qt::KeyboardModifiers touches, const QPoint &position) = 0;
    // The box menu, opened by a right click on a box.
    virtual QMenu *MenuBoite() = 0;
};

// The family tree on screen: one box per person shown and one link per line
// between boxes, laid out from the reference person RefPers in the styles of
// the two looks, drawn on the print page canvas TPage inside the scroll area
// `Arbre`. Boxes and links are plain objects owned here; they are freed and
// made again at every build.
class TAffArbre final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAffArbre)

public:
    TAffArbre(TBD &bd, QScrollArea *arbre, THoteArbre &hote, QObject *parent = nullptr);
    ~TAffArbre() override;

    // The canvas, made by the main window before any build.
    void SetPage(TPage *page) { m_page = page; }
    TPage *Page() const { return m_page; }

    // Also show the last spouse of the descendants / the siblings of the
    // reference person and their descendance.
    bool ShowConj = false;
    bool ShowFratrie = false;

    // Asks for a rebuild of the whole tree. The build runs once the current
    // event is handled, so several requests in one turn of the event loop
    // build once, and a box that asked for it is not freed under its feet.
    void Affiche();
    // Builds now (the deferred request, or a caller that needs the result at
    // once). Nothing while `Arbre` is not visible.
    void Execute();
    // True while a requested build has not run yet.
    bool AffichePrevu() const { return m_prevu; }
    void AffichePage() {}

    // Recomputes the on-screen bounds of every item from the looks' zoom and
    // repaints.
    void RePositionne();
    // Asks for RePositionne once the current event is handled: several
    // requests in one turn of the event loop run it once, with the zoom the
    // looks hold by then. True while a request has not run yet.
    void RePositionneDiffere();
    bool RePositionnePrevu() const { return m_repositionnePrevu; }
    // Shifts the stored positions so that the drawing starts at the page
    // margins: exactly at zoom 100; at other zooms the shift is in whole
    // tree units, and the drawing starts on the margin or a few pixels past
    // it, never before it.
    void DecaleZero();
    // The bounding rectangle of all boxes and links on screen; the zero
    // rectangle when there is none.
    QRect GetRect() const;
    // Sets both looks' zoom to the largest, between 1 and 100, at which the
    // tree, placed at the margins (DecaleZero, which this runs), lies
    // within the scroll area's view without scroll bars; 1 when even that
    // does not hold it. An empty tree keeps the zoom.
    void CalculZoomAuto();
    // Prints every box and link placed for one page.
    void Imprime(QPainter &p, const TParamImpression &page);
    // Selects the boxes of the current person, unselects the others, and
    // scrolls the first selected box into view.
    void AfficheSelecPers();
    // Scrolls the first box of the current person into view: at once, or,
    // while a build is pending (a file just loaded), once that build has
    // run.
    void MontreSelecPers();
    // The first box of the reference person, or none.
    TBoite *GetBoiteRefPers() const;
    // The person of the first box, in creation order, whose person is in the
    // list; 0 when the list is empty or no listed person is shown.
    int QuiEcran(const TR &liste) const;
    // The person of every box, in creation order, duplicates kept.
    TR ListeEcran() const;
    // Recomputes the text lines (and the sex flag) of every box of person p
    // and repaints them.
    void RepaintPers(int p);
    // Recomputes the text lines of every box and repaints.
    void RepaintTous();
    // Repaints every link from person p1 to person p2.
    void RepaintLien(int p1, int p2);

    // Frees every box and link.
    void Vide();

    // Makes p the reference person and rebuilds; renumbers the tree from it
    // when the options ask for it (the database is then modified).
    void ChangeReference(int p);

    // Used by the layouts: a box (refused unless 1 <= person <= the person
    // count) and a link. A tree stops growing at LimiteElements() boxes and
    // links: both are then refused and Coupe() tells that the tree was cut.
    void AjouteBoite(int x, int y, int personne, int look);
    void AjouteLien(int x1, int y1, int x2, int y2, int personne1, int personne2, int look);
    // The limit is only a guard against exhausting the memory: a tree whose
    // persons are all different has at most one box per person of the
    // database and about as many links, some 200,000 items; only persons
    // reached again and again (ancestors through many lines, loops in the
    // parent links) go beyond. A million items take about a third of a
    // gigabyte in the default look.
    static constexpr int MaxElements = 1'000'000;
    // The limit of this tree: MaxElements unless set otherwise (at least 1).
    int LimiteElements() const { return m_limite; }
    void SetLimiteElements(int limite) { m_limite = std::max(limite, 1); }
    // True once the tree holds LimiteElements() items: layouts stop
    // descending.
    bool Plein() const { return static_cast<int>(m_ordre.size()) >= m_limite; }
    // True when the last build was cut short (Plein, or a layout's own limit).
    bool Coupe() const { return m_coupe; }
    void SetCoupe() { m_coupe = true; }
    // x to the power y, in floating point, rounded.
    static int PuissanceEntiere(double x, double y);

    const std::vector<std::unique_ptr<TBoite>> &Boites() const { return m_boites; }
    const std::vector<std::unique_ptr<TLien>> &Liens() const { return m_liens; }
    const TContexteArbre &Contexte() const { return m_ctx; }

    // For the canvas: paints the items meeting a rectangle, in creation order
    // (a later item paints over an earlier one); the last box, or the last
    // link, under a point (later items are on top).
    void Peint(QPainter &p, const QRect &zone);
    TBoite *BoiteEn(const QPoint &point) const;
    TLien *LienEn(const QPoint &point) const;
    // Mouse actions of the canvas.
    void SourisAppuyee(Qt::MouseButton bouton, Qt::KeyboardModifiers touches, const QPoint &position,
                       const QPoint &global);
    void DoubleClic(Qt::MouseButton bouton, const QPoint &position);

signals:
    // A build finished.
    void Construit();

private:
    void ConstruitArbre();
    void CalculTexteBoite(TBoite &boite);
    void AjusteTaillePage();
    bool ArbreVisible() const;
    void Defile(const TBoite &boite);
    void DefileVersSelecPers();

    TBD &m_bd;
    QScrollArea *m_arbre;
    THoteArbre &m_hote;
    TPage *m_page = nullptr;
    TContexteArbre m_ctx;
    std::vector<std::unique_ptr<TBoite>> m_boites;
    std::vector<std::unique_ptr<TLien>> m_liens;
    // Creation order of the items: true for a box, with its index.
    std::vector<std::pair<bool, int>> m_ordre;
    bool m_prevu = false;
    bool m_repositionnePrevu = false;
    // The current person's box is to be scrolled into view after the next
    // build.
    bool m_montrerSelec = false;
    bool m_coupe = false;
    int m_limite = MaxElements;
};

// The tree of the main window (made by its initialisation).
extern TAffArbre *AffArbre;
