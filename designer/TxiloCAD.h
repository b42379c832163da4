#pragma once

#include <memory>

#include <QImage>
#include <QPointF>
#include <QScrollArea>
#include <QTimer>

#include "StylesCAD.h"
#include "TxiloCADMdl.h"

class TxiloCADLigne;
class TxiloCADObj;

// The design editor control: a scroll box showing a page model on a page
// image fitted to the control, where the user picks, moves, turns and
// resizes objects by their handles, draws new objects with a tool, nudges,
// scales, deletes and duplicates the selected object with the keys.
//
// Every change asks for a redraw (RequestRedraw); a single-shot timer of
// DelaiRedessin milliseconds, armed by the first request, draws the page
// once for all the requests made meanwhile, and stays idle otherwise. While
// the user drags an object, the page is kept as the layers below and above
// that object, and only the object is drawn again between them.
//
// The control owns its model, made with a page of 21.0 x 29.7 mm. The page
// image (objectName "ImagePage") receives the mouse; the control takes the
// keyboard focus when the mouse goes down on it. Shift and Ctrl are read
// from the keyboard state provider (Clavier.h) at each key and each mouse
// press. Questions go through the dialog service (core/Dialogues.h).
//
// Signals report what the user did, each with the object concerned (null
// for none): OnObjSelect when the selection changes, OnChange at every
// change of the page or of the selection, OnAddSupp when an object is added
// or removed, OnObjMoved when a mouse gesture or a key moved the selected
// object.
class TxiloCAD final : public QScrollArea, public TProprietaireModele
{
    Q_OBJECT

public:
    // The tools (Outil): what a press on the page does.
    enum TOutil : int {
        OutilAucun = 0,      // the page is only shown
        OutilSelection = 1,  // hover, pick, drag
        OutilRectangle = 2,
        OutilLigne = 3,      // a line, one segment per right click, the left one ends it
        OutilTexte = 4,
        OutilImage = 5,
        OutilGroupe = 6,
        OutilRepere = 7,     // a vertical guide mark
        OutilArbo = 8,
        OutilCal = 9,
        OutilCodeBarre = 10,
    };
    static constexpr int DelaiRedessin = 10;
    // Pixels left round the page when it is fitted to the control.
    static constexpr int MargeDefaut = 20;

    explicit TxiloCAD(QWidget *parent = nullptr);
    ~TxiloCAD() override;
    Q_DISABLE_COPY_MOVE(TxiloCAD)

    // The model shown. Objects it frees (a model loaded, an object removed)
    // are forgotten by the control.
    TxiloCADMdl &Modele() const { return *m_modele; }
    int Outil() const { return m_outil; }
    // A tool of 0 to 10 (other values are brought into that range). A line
    // being drawn ends there, as it stands, unless the line tool stays.
    void SetOutil(int outil);

    // Pixels per millimetre of the page image, 10 at creation; the page is
    // fitted to the control at each redraw.
    double EchelleX() const { return m_echelleX; }
    double EchelleY() const { return m_echelleY; }
    // round(v x scale), page millimetres as pixels of the page image.
    int MmToScreenX(double v) const;
    int MmToScreenY(double v) const;
    // The last pointer position in page millimetres.
    QPointF Pointeur() const { return m_pointeur; }
    TxiloCADObj *Selection() const { return m_selection; }
    TxiloCADObj *Survole() const { return m_survole; }
    // The page as last drawn (24 bits, the page image's size).
    const QImage &Image() const { return m_image; }

    // Asks for a redraw: the timer draws the page once shortly after.
    void RequestRedraw();
    // Draws the page now, fitted to the control less the margin. A page
    // that cannot be drawn (TxiloCADMdl::PageValide) leaves the control
    // empty, the page image null; a control too small to leave any room
    // inside its margin is not drawn again.
    void Redraw();

    // Delete: for a line whose active point is an anchor, that anchor;
    // otherwise the selected object itself, leaving nothing selected.
    void DeleteSelected();
    // Insert: a copy of the selected object 10 pixels right and down (a
    // line without active point), or a new anchor after the active anchor
    // of a line; the source stays selected.
    void DuplicateSelected();
    // The boxed objects none of whose nine handle points (centre included)
    // lies on the page; when `appliquer`, each is brought to the page's
    // centre. Returns their count.
    int RecentreLost(bool appliquer);

    TColor CouleurCadre() const override { return m_couleurCadre; }
    TColor CouleurSelection() const override { return m_couleurSelection; }
    TColor CouleurActive() const override { return m_couleurActive; }
    void ObjetRetire(TxiloCADObj *objet) override;

signals:
    void OnObjSelect(TxiloCADObj *objet);
    void OnChange(TxiloCADObj *objet);
    void OnAddSupp(TxiloCADObj *objet);
    void OnObjMoved(TxiloCADObj *objet);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    class TImagePage;

    // The page image's mouse, in its pixels.
    void SourisDeplace(QPointF pixel);
    void SourisBas(QPointF pixel, Qt::MouseButton bouton);
    void SourisHaut();
    // Parts of the mouse handling.
    void Glisse();
    void Survol();
    void Choisit();
    void TraceLigne(Qt::MouseButton bouton);
    void NouvelObjet(TxiloCADObj *objet);
    // True when the key was the selected object's.
    bool ToucheClavier(QKeyEvent *event);
    void MajCurseur();
    // A redraw asked by a drag, which changed the selected object only.
    void RedessineSelection();
    // Draws the page as its layers and the selected object (index k) between
    // them, making the layers first when they are not those of k.
    void DessineCalques(int k, const QRect &rect);

    std::unique_ptr<TxiloCADMdl> m_modele;
    QTimer m_minuterie;
    TImagePage *m_page;
    QImage m_image;
    // The page without the selected object: the background and the objects
    // below it, and the objects above it with the template mask over a
    // transparent ground; made for the object of index m_calques.
    QImage m_dessous;
    QImage m_dessus;
    int m_calques = -1;
    // Only the selected object has changed since the last redraw; a redraw
    // is waiting exactly while the timer runs.
    bool m_seuleSelection = false;
    int m_marge = MargeDefaut;
    double m_echelleX = 10;
    double m_echelleY = 10;
    int m_outil = OutilAucun;
    QPointF m_pointeur;
    // Object position less pointer, taken when an object is picked up.
    QPointF m_prise;
    bool m_boutonBas = false;
    bool m_dansDeplacement = false;
    bool m_modifie = false;
    bool m_maj = false;
    bool m_ctrl = false;
    TxiloCADObj *m_survole = nullptr;
    TxiloCADObj *m_selection = nullptr;
    // The line the line tool is drawing, until its last click.
    TxiloCADLigne *m_ligneEnCours = nullptr;
    TColor m_couleurCadre = CouleurBleue;
    TColor m_couleurSelection = CouleurRouge;
    TColor m_couleurActive = CouleurJaune;
};
