// The design editor control driven as a user does: the page fitted to the
// control and redrawn by its timer, hovering and picking, dragging with
// snapping, resizing by handles, the keypad at two scales, Delete answered
// through the dialog service, Insert, the creation tools; and a model
// opened, edited with mouse and keys, saved and drawn again.

#include "AideBezier.h"
#include "AideCAD.h"
#include "CanevasEspion.h"
#include "DialoguesScriptes.h"
#include "TxiloCAD.h"
#include "TxiloCADArbo.h"
#include "TxiloCADCodeBarre.h"
#include "TxiloCADImage.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADRepere.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace aidecad;
using aidebezier::ClavierDeTest;

namespace {

constexpr double Eps = 1e-9;

// An object that counts how often the page is drawn.
class Compteur final : public TxiloCADObj
{
public:
    explicit Compteur(TxiloCADMdl &m, int &n) : TxiloCADObj(m), m_n(n) {}
    void Draw(TCanevas &) override { ++m_n; }

private:
    int &m_n;
};

// What the editor reported, in order: the signal's initial and the object.
struct Journal {
    std::vector<std::pair<char, TxiloCADObj *>> lignes;
    explicit Journal(TxiloCAD &cad)
    {
        QObject::connect(&cad, &TxiloCAD::OnObjSelect, [this](TxiloCADObj *o) { lignes.emplace_back('S', o); });
        QObject::connect(&cad, &TxiloCAD::OnChange, [this](TxiloCADObj *o) { lignes.emplace_back('C', o); });
        QObject::connect(&cad, &TxiloCAD::OnAddSupp, [this](TxiloCADObj *o) { lignes.emplace_back('A', o); });
        QObject::connect(&cad, &TxiloCAD::OnObjMoved, [this](TxiloCADObj *o) { lignes.emplace_back('M', o); });
    }
    int Nombre(char genre, TxiloCADObj *o) const
    {
        return int(std::count(lignes.begin(), lignes.end(), std::pair{genre, o}));
    }
};

// An editor of a 40 x 30 mm page in a control of 420 x 320 pixels: the page
// is shown at 10 pixels per millimetre, 400 x 300 pixels in the middle.
struct Editeur {
    TDialoguesScriptes dialogues;
    ClavierDeTest clavier;
    TxiloCAD cad;
    QWidget *page = nullptr;
    QTimer *minuterie = nullptr;
    TxiloCADMdl &m = cad.Modele();

    Editeur()
    {
        EXPECT_TRUE(ChargeFonteTest());
        m.SetLarge(40);
        m.SetHaut(30);
        cad.resize(420, 320);
        cad.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&cad));
        cad.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&cad));
        page = cad.findChild<QWidget *>(u"ImagePage"_s);
        minuterie = cad.findChild<QTimer *>(u"Minuterie"_s);
        EXPECT_TRUE(page && minuterie);
        Attend();
        cad.SetOutil(TxiloCAD::OutilSelection);
    }
    // Until the redraw asked for has been done.
    void Attend() { EXPECT_TRUE(QTest::qWaitFor([this] { return !minuterie->isActive(); }, 2000)); }
    // A page point as a pixel of the page image.
    QPoint Px(QPointF mm) const
    {
        return QPoint(qRound(mm.x() * cad.EchelleX()), qRound(mm.y() * cad.EchelleY()));
    }
    void Survole(QPointF mm) { QTest::mouseMove(page, Px(mm)); }
    void Presse(QPointF mm, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(page, b, {}, Px(mm)); }
    void Relache(QPointF mm, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(page, b, {}, Px(mm)); }
    void Clique(QPointF mm, Qt::MouseButton b = Qt::LeftButton)
    {
        Survole(mm);
        Presse(mm, b);
        Relache(mm, b);
    }
    // A drag of the left button in a few steps.
    void Glisse(QPointF de, QPointF a)
    {
        Survole(de);
        Presse(de);
        for (int i = 1; i <= 4; ++i)
            Survole(de + (a - de) * i / 4.0);
        Relache(a);
        Attend();
    }
    // A key where the focus is.
    void Touche(Qt::Key touche, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QWidget *focus = QApplication::focusWidget();
        EXPECT_EQ(focus, &cad);
        QTest::keyClick(focus ? focus : &cad, touche, mod);
    }
    TxiloCADRectangle &Rectangle(double x, double y, double l, double h, int face = 1)
    {
        auto &r = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
        r.SetFace(face);
        r.SetCentre(x, y);
        r.SetTaille(l, h);
        return r;
    }
};

} // namespace

TEST(Editeur, PageAjusteeEtRedessinParLaMinuterie)
{
    Editeur e;
    // Fitted: 10 pixels per millimetre, the page image in the middle.
    EXPECT_EQ(e.cad.EchelleX(), 10);
    EXPECT_EQ(e.page->size(), QSize(400, 300));
    EXPECT_EQ(e.page->pos(), QPoint(10, 10));
    EXPECT_EQ(e.cad.Image().size(), QSize(400, 300));
    // White, framed in black.
    EXPECT_EQ(e.cad.Image().pixel(200, 150), qRgb(255, 255, 255));
    EXPECT_EQ(e.cad.Image().pixel(0, 0), qRgb(0, 0, 0));

    // Redraws wait for the timer, which runs only while one is asked for:
    // five requests, one drawing.
    int dessins = 0;
    e.m.AddObject(std::make_unique<Compteur>(e.m, dessins))->SetFace(1);
    EXPECT_FALSE(e.minuterie->isActive());
    for (int i = 0; i < 5; ++i)
        e.cad.RequestRedraw();
    EXPECT_TRUE(e.minuterie->isActive());
    EXPECT_EQ(dessins, 0);
    e.Attend();
    EXPECT_EQ(dessins, 1);
    QTest::qWait(50);
    EXPECT_FALSE(e.minuterie->isActive());
    EXPECT_EQ(dessins, 1);

    // A smaller control, a smaller scale; the page stays in the middle.
    e.cad.resize(220, 170);
    e.Attend();
    EXPECT_EQ(e.cad.EchelleX(), 5);
    EXPECT_EQ(e.page->size(), QSize(200, 150));
    EXPECT_EQ(e.page->pos(), QPoint(10, 10));
    EXPECT_EQ(dessins, 2);
    // A control no larger than its margin is not drawn in: the page stays as
    // it was.
    for (const QSize taille : {QSize(15, 15), QSize(20, 20), QSize(300, 20)}) {
        e.cad.resize(taille);
        e.Attend();
        EXPECT_EQ(e.cad.EchelleX(), 5) << taille.width() << 'x' << taille.height();
        EXPECT_EQ(e.cad.Image().size(), QSize(200, 150));
    }
    EXPECT_EQ(dessins, 2);
    // Nor is a page without size.
    e.cad.resize(420, 320);
    e.m.SetHaut(0);
    e.Attend();
    EXPECT_EQ(dessins, 2);
}

TEST(Editeur, SurvolEtChoix)
{
    Editeur e;
    Journal j(e.cad);
    TxiloCADRectangle &dessous = e.Rectangle(15, 15, 10, 10);
    TxiloCADRectangle &dessus = e.Rectangle(17, 15, 10, 10);
    TxiloCADRectangle &autreFace = e.Rectangle(16, 15, 10, 10, 2);
    e.cad.RequestRedraw();
    e.Attend();

    // Of two overlapping objects the later one is hovered; another face's
    // never is.
    e.Survole(QPointF(16, 16));
    EXPECT_EQ(e.cad.Survole(), &dessus);
    EXPECT_EQ(dessus.PoigneeActive(), 0);
    EXPECT_EQ(dessous.PoigneeActive(), -1);
    EXPECT_EQ(autreFace.PoigneeActive(), -1);
    e.Survole(QPointF(11, 16));
    EXPECT_EQ(e.cad.Survole(), &dessous);
    EXPECT_EQ(dessus.PoigneeActive(), -1);
    // Hovering changes the frame drawn.
    e.Attend();
    EXPECT_GT(Compte(e.cad.Image(), CouleurBleue), 20);

    e.Clique(QPointF(16, 16));
    EXPECT_EQ(e.cad.Selection(), &dessus);
    EXPECT_TRUE(dessus.Selectionne());
    EXPECT_EQ(j.Nombre('S', &dessus), 1);
    EXPECT_GE(j.Nombre('C', &dessus), 1);
    e.Attend();
    EXPECT_GT(Compte(e.cad.Image(), CouleurRouge), 20);
    // Picking the same object again tells nothing new.
    e.Clique(QPointF(18, 16));
    EXPECT_EQ(j.Nombre('S', &dessus), 1);
    // A click on the empty page deselects, and says so with no object.
    e.Clique(QPointF(35, 5));
    EXPECT_EQ(e.cad.Selection(), nullptr);
    EXPECT_FALSE(dessus.Selectionne());
    EXPECT_EQ(j.lignes.back(), std::pair('C', static_cast<TxiloCADObj *>(nullptr)));
    EXPECT_EQ(j.Nombre('S', nullptr), 1);
    // The tool 0 only shows the page.
    e.cad.SetOutil(TxiloCAD::OutilAucun);
    e.Clique(QPointF(16, 16));
    EXPECT_EQ(e.cad.Selection(), nullptr);
    EXPECT_EQ(e.cad.Survole(), nullptr);
}

TEST(Editeur, GlisserAvecAimantEtPoignees)
{
    Editeur e;
    Journal j(e.cad);
    TxiloCADRectangle &r = e.Rectangle(15, 15, 10, 10);
    e.cad.RequestRedraw();
    e.Attend();

    // The left side dragged 6 pixels from the page's edge lands on it.
    e.Glisse(QPointF(15, 15), QPointF(5.6, 15));
    EXPECT_NEAR(r.X(), 5, Eps);
    EXPECT_NEAR(r.Y(), 15, Eps);
    EXPECT_EQ(j.Nombre('M', &r), 1);
    // With Shift held, no snapping.
    e.clavier.touches.maj = true;
    e.Glisse(QPointF(5, 15), QPointF(5.6, 15));
    EXPECT_NEAR(r.X(), 5.6, Eps);
    e.clavier.touches.maj = false;

    // A guide made with its tool at 30 mm; the right side dragged 5 pixels
    // from it lands on it.
    e.cad.SetOutil(TxiloCAD::OutilRepere);
    e.Clique(QPointF(30, 25));
    ASSERT_EQ(e.m.Count(), 2);
    auto &guide = dynamic_cast<TxiloCADRepere &>(e.m.Objet(1));
    EXPECT_EQ(guide.Position(), 30);
    EXPECT_EQ(guide.Sens(), TxiloCADRepere::Verticale);
    EXPECT_EQ(e.cad.Selection(), &guide);
    EXPECT_EQ(e.cad.Outil(), TxiloCAD::OutilSelection);
    e.Glisse(QPointF(5.6, 15), QPointF(24.5, 12));
    EXPECT_NEAR(r.X(), 25, Eps);
    EXPECT_NEAR(r.Y(), 12, Eps);

    // Handle 6 (the right side) widens the box, its left side staying.
    r.SetCentre(15, 15);
    e.cad.RequestRedraw();
    e.Attend();
    e.Survole(QPointF(20, 15));
    EXPECT_EQ(r.PoigneeActive(), 6);
    e.Glisse(QPointF(20, 15), QPointF(23, 15.5));
    EXPECT_NEAR(r.L(), 13, Eps);
    EXPECT_NEAR(r.H(), 10, Eps);
    EXPECT_NEAR(r.X() - r.L() / 2, 10, Eps);
    // Handle 3 (bottom-right) resizes about the centre.
    e.Survole(QPointF(r.X() + 6.5, 20));
    EXPECT_EQ(r.PoigneeActive(), 3);
    e.Glisse(QPointF(r.X() + 6.5, 20), QPointF(r.X() + 8, 22));
    EXPECT_NEAR(r.L(), 16, 0.11);
    EXPECT_NEAR(r.H(), 14, 0.11);
    EXPECT_NEAR(r.X(), 16.5, Eps);
    // Handle 2 turns it.
    const QPointF coin = r.HandlePoint(2);
    e.Survole(coin);
    EXPECT_EQ(r.PoigneeActive(), 2);
    e.Glisse(coin, QPointF(r.X() + 4, r.Y() - 10));
    EXPECT_GT(std::abs(r.R()), 5);

    // Dragged wholly off the page and let go: back in the page's middle.
    r.SetR(0);
    r.SetTaille(4, 4);
    e.cad.RequestRedraw();
    e.Attend();
    e.Glisse(QPointF(r.X(), r.Y()), QPointF(-10, r.Y()));
    EXPECT_NEAR(r.X(), 20, Eps);
    EXPECT_NEAR(r.Y(), 15, Eps);
    EXPECT_EQ(e.cad.RecentreLost(false), 0);
}

// A guide follows the pointer across its line only: dragged aslant, a
// vertical guide takes the pointer's x, a horizontal one its y.
TEST(Editeur, ReperesGlissesSurLeurAxe)
{
    Editeur e;
    const auto repere = [&](double position, int sens) -> TxiloCADRepere & {
        auto &r = dynamic_cast<TxiloCADRepere &>(*e.m.AddObject(u"repere"_s));
        r.SetFace(1);
        r.SetPosition(position);
        r.SetSens(sens);
        return r;
    };
    TxiloCADRepere &vertical = repere(30, TxiloCADRepere::Verticale);
    TxiloCADRepere &horizontal = repere(10, TxiloCADRepere::Horizontale);
    e.cad.RequestRedraw();
    e.Attend();
    e.Glisse(QPointF(30, 20), QPointF(34, 27));
    EXPECT_EQ(vertical.Position(), 34);
    EXPECT_EQ(horizontal.Position(), 10);
    e.Glisse(QPointF(12, 10), QPointF(20, 17));
    EXPECT_EQ(horizontal.Position(), 17);
    EXPECT_EQ(vertical.Position(), 34);
}

// A picture resized by a handle is composed again at its new size when the
// button comes up, though the pointer still holds the handle.
TEST(Editeur, ImageRecomposeeAuRelachement)
{
    Editeur e;
    auto &image = dynamic_cast<TxiloCADImage &>(*e.m.AddObject(u"image"_s));
    image.SetFace(1);
    image.SetCentre(15, 15);
    image.SetTaille(8, 6);
    image.SetFichierImage(QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/photo.png"_s);
    ASSERT_FALSE(image.Image().isNull());
    e.cad.RequestRedraw();
    e.Attend();
    EXPECT_EQ(image.Cache().size(), QSize(80, 60));

    e.Survole(QPointF(19, 15));
    ASSERT_EQ(image.PoigneeActive(), 6);
    e.Glisse(QPointF(19, 15), QPointF(22, 15));
    EXPECT_NEAR(image.L(), 11, Eps);
    EXPECT_EQ(image.PoigneeActive(), 6);
    EXPECT_EQ(image.Cache().size(), QSize(110, 60));
}

// A picture framed by a tiled border keeps its box while it is drawn; the
// user's resize ends on whole tiles.
TEST(Editeur, BordureCaleeAuRelachement)
{
    Editeur e;
    auto &image = dynamic_cast<TxiloCADImage &>(*e.m.AddObject(u"image"_s));
    image.SetFace(1);
    image.SetCentre(15, 15);
    image.SetTaille(13, 9);
    image.SetFichierImage(QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/bordure.png"_s);
    image.SetBordure(TBordure{true, 3, 3, 2});
    e.cad.RequestRedraw();
    e.Attend();
    EXPECT_NEAR(image.L(), 13, Eps);
    EXPECT_NEAR(image.H(), 9, Eps);

    // The right side's handle, from 21.5 to 23.8 mm: 15.3 mm, five tiles.
    e.Survole(QPointF(21.5, 15));
    ASSERT_EQ(image.PoigneeActive(), 6);
    e.Glisse(QPointF(21.5, 15), QPointF(23.8, 15));
    EXPECT_NEAR(image.L(), 15, Eps);
    EXPECT_NEAR(image.H(), 9, Eps);
    EXPECT_EQ(image.Cache().size(), QSize(150, 90));
}

TEST(Editeur, GlisserRedessineEntreLesCalques)
{
    // While an object is dragged, the page is its layers below and above it
    // and the object between them: what a whole drawing gives, objects above
    // it and the template's mask included.
    Editeur e;
    e.m.SetGabarit(1);
    const auto boite = [&](double x, TColor couleur) -> TxiloCADRectangle & {
        TxiloCADRectangle &r = e.Rectangle(x, 15, 8, 8);
        r.SetBrush(TPinceau{couleur, PinceauPlein});
        return r;
    };
    boite(10, CouleurRGB(0, 160, 0));
    TxiloCADRectangle &r = boite(20, CouleurRouge);
    boite(30, CouleurBleue).SetCote(TxiloCADRectangle::CoteEllipse);
    auto &l = dynamic_cast<TxiloCADLigne &>(*e.m.AddObject(u"ligne"_s));
    l.SetFace(1);
    l.SetPen(TStylo{CouleurNoire, 500, StyloPlein});
    l.SetPoints({{2, 2}, {2, 2}, {38, 28}, {38, 28}});
    e.cad.RequestRedraw();
    e.Attend();
    const auto entier = [&] {
        QImage image(e.cad.Image().size(), QImage::Format_RGB888);
        QPainter painter(&image);
        TCanevasQt canevas(painter);
        e.m.Draw(canevas, QRect(QPoint(0, 0), image.size()));
        return image;
    };

    e.Survole(QPointF(20, 15));
    e.Presse(QPointF(20, 15));
    for (const QPointF p : {QPointF(21, 16), QPointF(27, 18), QPointF(13, 11)}) {
        e.Survole(p);
        e.Attend();
        EXPECT_NEAR(r.X(), p.x(), Eps);
        const QImage attendu = entier();
        EXPECT_TRUE(e.cad.Image() == attendu) << p.x();
    }
    e.Relache(QPointF(13, 11));
    e.Attend();
    EXPECT_TRUE(e.cad.Image() == entier());
    // Keys after the drag draw the whole page again.
    e.Touche(Qt::Key_Insert);
    e.Attend();
    EXPECT_EQ(e.m.Count(), 5);
    EXPECT_TRUE(e.cad.Image() == entier());
}

TEST(Editeur, PaveNumeriqueADeuxEchelles)
{
    struct Cas {
        int largeur, hauteur; // the control, 420 x 320 at 10 pixels per mm, 220 x 170 at 5
        bool ctrl;
        Qt::Key touche;
        double x, y, l, r;
    };
    // From a box at (20, 15), 8 wide, unturned: one pixel of the scale, ten
    // with Ctrl, rounded to whole millimetres and degrees.
    const Cas cas[] = {
        {420, 320, false, Qt::Key_6, 20, 15, 8, 0},  {420, 320, true, Qt::Key_6, 21, 15, 8, 0},
        {420, 320, true, Qt::Key_4, 19, 15, 8, 0},   {420, 320, true, Qt::Key_2, 20, 16, 8, 0},
        {420, 320, true, Qt::Key_8, 20, 14, 8, 0},   {420, 320, true, Qt::Key_9, 20, 15, 8, 1},
        {420, 320, true, Qt::Key_7, 20, 15, 8, -1},  {420, 320, false, Qt::Key_Plus, 20, 15, 8.8, 0},
        {420, 320, false, Qt::Key_Minus, 20, 15, 8 / 1.1, 0}, {420, 320, false, Qt::Key_5, 20, 15, 8, 0},
        {220, 170, false, Qt::Key_6, 20, 15, 8, 0},  {220, 170, true, Qt::Key_6, 22, 15, 8, 0},
        {220, 170, true, Qt::Key_2, 20, 17, 8, 0},   {220, 170, false, Qt::Key_Plus, 20, 15, 8.8, 0},
    };
    Editeur e;
    Journal j(e.cad);
    TxiloCADRectangle &r = e.Rectangle(20, 15, 8, 6);
    for (const Cas &c : cas) {
        e.cad.resize(c.largeur, c.hauteur);
        r.SetCentre(20, 15);
        r.SetTaille(8, 6);
        r.SetR(0);
        e.cad.RequestRedraw();
        e.Attend();
        e.Clique(QPointF(20, 15));
        ASSERT_EQ(e.cad.Selection(), &r);
        e.clavier.touches.ctrl = c.ctrl;
        const int deplacements = j.Nombre('M', &r);
        e.Touche(c.touche, Qt::KeypadModifier);
        e.clavier.touches.ctrl = false;
        const std::string nom = std::to_string(c.largeur) + (c.ctrl ? " ctrl " : " ") + std::to_string(c.touche);
        EXPECT_NEAR(r.X(), c.x, Eps) << nom;
        EXPECT_NEAR(r.Y(), c.y, Eps) << nom;
        EXPECT_NEAR(r.L(), c.l, Eps) << nom;
        EXPECT_NEAR(r.R(), c.r, Eps) << nom;
        EXPECT_EQ(j.Nombre('M', &r), deplacements + (c.touche == Qt::Key_5 ? 0 : 1)) << nom;
    }
    // "/" sets the box upright again; the digits of the main keyboard do
    // nothing.
    r.SetR(33);
    e.Touche(Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_EQ(r.R(), 0);
    e.Touche(Qt::Key_6);
    EXPECT_EQ(r.X(), 20);
}

TEST(Editeur, SupprimerEtDupliquer)
{
    Editeur e;
    Journal j(e.cad);
    TxiloCADRectangle &r = e.Rectangle(15, 15, 10, 10);
    e.cad.RequestRedraw();
    e.Attend();
    e.Clique(QPointF(15, 15));
    ASSERT_EQ(e.cad.Selection(), &r);

    // Insert: a copy 10 pixels right and down; the source stays selected.
    e.Touche(Qt::Key_Insert);
    ASSERT_EQ(e.m.Count(), 2);
    auto &copie = dynamic_cast<TxiloCADRectangle &>(e.m.Objet(1));
    EXPECT_NEAR(copie.X(), 16, Eps);
    EXPECT_NEAR(copie.Y(), 16, Eps);
    EXPECT_EQ(copie.L(), 10);
    EXPECT_EQ(e.cad.Selection(), &r);
    EXPECT_FALSE(copie.Selectionne());
    EXPECT_EQ(j.Nombre('A', &r), 1);

    // Delete asks first; Cancel leaves everything.
    e.dialogues.Reponses = {ReponseAnnuler};
    e.Touche(Qt::Key_Delete);
    EXPECT_EQ(e.dialogues.Messages, QStringList{u"Êtes-vous sûr de vouloir supprimer cet objet ?"_s});
    EXPECT_EQ(e.m.Count(), 2);
    e.dialogues.Reponses = {ReponseOk};
    e.Touche(Qt::Key_Delete);
    ASSERT_EQ(e.m.Count(), 1);
    EXPECT_EQ(&e.m.Objet(0), &copie);
    EXPECT_EQ(e.cad.Selection(), nullptr);
    EXPECT_EQ(e.cad.Survole(), nullptr);
    EXPECT_EQ(j.Nombre('A', nullptr), 2);
    EXPECT_EQ(j.Nombre('S', nullptr), 1);
    // Without a selection, the keys do nothing.
    e.Touche(Qt::Key_Insert);
    e.Touche(Qt::Key_Delete);
    EXPECT_EQ(e.m.Count(), 1);

    // A line: picked by its middle anchor, Insert adds an anchor after it and
    // Delete removes that anchor only.
    auto &l = dynamic_cast<TxiloCADLigne &>(*e.m.AddObject(u"ligne"_s));
    l.SetFace(1);
    l.SetPoints({{5, 25}, {5, 25}, {15, 25}, {15, 25}, {15, 25}, {25, 25}, {25, 25}});
    e.cad.RequestRedraw();
    e.Attend();
    e.Clique(QPointF(15, 25));
    ASSERT_EQ(e.cad.Selection(), &l);
    ASSERT_EQ(l.PoigneeActive(), 3);
    e.Touche(Qt::Key_Insert);
    EXPECT_EQ(l.NombrePoints(), 10);
    EXPECT_EQ(l.Points()[6], QPointF(20, 25));
    e.dialogues.Reponses = {ReponseOk};
    e.Touche(Qt::Key_Delete);
    EXPECT_EQ(l.NombrePoints(), 7);
    EXPECT_EQ(l.Points()[3], QPointF(20, 25));
    // With the pointer gone from its points the line has no active point:
    // Insert copies it 10 pixels away, Delete removes it whole.
    e.Survole(QPointF(35, 5));
    EXPECT_EQ(l.PoigneeActive(), -1);
    e.Touche(Qt::Key_Insert);
    ASSERT_EQ(e.m.Count(), 3);
    auto &copieLigne = dynamic_cast<TxiloCADLigne &>(e.m.Objet(2));
    EXPECT_EQ(copieLigne.Points().front(), QPointF(6, 26));
    EXPECT_EQ(copieLigne.Points().back(), QPointF(26, 26));
    e.dialogues.Reponses = {ReponseOk};
    e.Touche(Qt::Key_Delete);
    EXPECT_EQ(e.m.Count(), 2);
    EXPECT_EQ(e.cad.Selection(), nullptr);
    // No negative index is an anchor, whatever its remainder.
    e.Clique(QPointF(6, 26));
    ASSERT_EQ(e.cad.Selection(), &copieLigne);
    copieLigne.SetPoigneeActive(-3);
    e.cad.DeleteSelected();
    EXPECT_EQ(e.m.Count(), 1);
}

TEST(Editeur, OutilsDeCreation)
{
    Editeur e;
    Journal j(e.cad);
    // A click and drag makes a box growing about the click's point; the
    // tool falls back to selecting.
    const struct {
        int outil;
        QString nom;
    } outils[] = {{TxiloCAD::OutilRectangle, u"Rectangle"_s},
                  {TxiloCAD::OutilCodeBarre, u"codebarre"_s},
                  {TxiloCAD::OutilArbo, u"Arbo"_s},
                  {TxiloCAD::OutilCal, u"cal"_s},
                  {TxiloCAD::OutilImage, u"Image"_s},
                  {TxiloCAD::OutilGroupe, u"Groupe"_s}};
    for (const auto &o : outils) {
        // An object made after one deleted may take its address.
        j.lignes.clear();
        e.cad.SetOutil(o.outil);
        e.Glisse(QPointF(20, 15), QPointF(25, 18));
        TxiloCADObj &objet = e.m.Objet(e.m.Count() - 1);
        EXPECT_EQ(objet.Name(), o.nom);
        auto &boite = dynamic_cast<TxiloCADRect &>(objet);
        EXPECT_NEAR(boite.X(), 20, Eps) << o.nom.toStdString();
        EXPECT_NEAR(boite.Y(), 15, Eps);
        EXPECT_NEAR(boite.L(), 10, Eps);
        EXPECT_NEAR(boite.H(), 6, Eps);
        EXPECT_EQ(objet.Face(), 1);
        EXPECT_EQ(e.cad.Selection(), &objet);
        EXPECT_EQ(e.cad.Outil(), TxiloCAD::OutilSelection);
        EXPECT_EQ(j.Nombre('A', &objet), 1);
        EXPECT_EQ(j.Nombre('S', &objet), 1);
        EXPECT_EQ(j.Nombre('M', &objet), 1);
        e.dialogues.Reponses = {ReponseOk};
        e.Touche(Qt::Key_Delete);
    }
    EXPECT_EQ(e.m.Count(), 0);

    // The line tool: a right click per segment, the left one ends it; a
    // segment nearly vertical or horizontal is straightened unless Shift is
    // held.
    e.cad.SetOutil(TxiloCAD::OutilLigne);
    e.Clique(QPointF(5, 5));
    e.Clique(QPointF(5.5, 20), Qt::RightButton);
    e.clavier.touches.maj = true;
    e.Clique(QPointF(20, 20.5), Qt::RightButton);
    e.clavier.touches.maj = false;
    e.Clique(QPointF(30, 10));
    ASSERT_EQ(e.m.Count(), 1);
    auto &l = dynamic_cast<TxiloCADLigne &>(e.m.Objet(0));
    ASSERT_EQ(l.NombrePoints(), 10);
    EXPECT_EQ(l.Points()[0], QPointF(5, 5));
    EXPECT_EQ(l.Points()[3], QPointF(5, 20));
    EXPECT_EQ(l.Points()[6], QPointF(20, 20.5));
    EXPECT_EQ(l.Points()[9], QPointF(30, 10));
    EXPECT_EQ(e.cad.Outil(), TxiloCAD::OutilSelection);
    EXPECT_EQ(e.cad.Selection(), &l);
    EXPECT_EQ(j.Nombre('A', &l), 1);
    // A new line is begun afresh; one left for another tool ends there.
    e.cad.SetOutil(TxiloCAD::OutilLigne);
    e.Clique(QPointF(30, 25));
    EXPECT_EQ(e.m.Count(), 2);
    EXPECT_EQ(l.NombrePoints(), 10);
    e.cad.SetOutil(TxiloCAD::OutilSelection);
    e.cad.SetOutil(TxiloCAD::OutilLigne);
    e.Clique(QPointF(10, 25));
    EXPECT_EQ(e.m.Count(), 3);
}

TEST(Editeur, ModeleOuvertModifieEtEnregistre)
{
    QTemporaryDir tmp;
    const QString dossier = tmp.path() + u"/disque"_s;
    QDir().mkpath(dossier + u"/photos"_s);
    for (const QString &f : {u"/lisezmoi.txt"_s, u"/photos/ete.jpg"_s}) {
        QFile fichier(dossier + f);
        ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    }
    const QString chemin = tmp.path() + u"/pochette.mdl"_s;
    {
        TxiloCADMdl m(nullptr, QRect(0, 0, 400, 300), 40, 30);
        auto &r = dynamic_cast<TxiloCADRect &>(*m.AddObject(u"rectangle"_s));
        r.SetCentre(8, 8);
        r.SetTaille(6, 6);
        auto &c = dynamic_cast<TxiloCADCodeBarre &>(*m.AddObject(u"codebarre"_s));
        c.SetCentre(20, 23);
        c.SetTaille(20, 10);
        c.SetCodeBarre(u"4006381333931"_s);
        auto &a = dynamic_cast<TxiloCADArbo &>(*m.AddObject(u"arbo"_s));
        a.SetCentre(30, 6);
        a.SetTaille(16, 6);
        a.SetPath(dossier);
        a.SetViewFichier(true);
        for (int i = 0; i < m.Count(); ++i)
            m.Objet(i).SetFace(1);
        ASSERT_TRUE(m.SaveToFile(chemin));
    }

    Editeur e;
    ASSERT_TRUE(e.m.LoadFromFile(chemin));
    e.cad.RequestRedraw();
    e.Attend();
    ASSERT_EQ(e.m.Count(), 3);
    // The folder tree and the bar code show on the page.
    EXPECT_GT(Compte(e.cad.Image().copy(100, 180, 200, 100), CouleurNoire), 1000);
    EXPECT_GT(Compte(e.cad.Image().copy(220, 30, 160, 60), CouleurNoire), 50);

    // The rectangle moved and duplicated with the mouse and keys, its copy
    // deleted; the bar code widened by its right handle.
    auto &r = dynamic_cast<TxiloCADRect &>(e.m.Objet(0));
    e.Glisse(QPointF(8, 8), QPointF(12, 10));
    EXPECT_NEAR(r.X(), 12, Eps);
    e.clavier.touches.ctrl = true;
    e.Touche(Qt::Key_2, Qt::KeypadModifier);
    e.clavier.touches.ctrl = false;
    EXPECT_NEAR(r.Y(), 11, Eps);
    e.Touche(Qt::Key_Insert);
    ASSERT_EQ(e.m.Count(), 4);
    e.Clique(QPointF(13.5, 12.5));
    EXPECT_EQ(e.cad.Selection(), &e.m.Objet(3));
    e.dialogues.Reponses = {ReponseOk};
    e.Touche(Qt::Key_Delete);
    ASSERT_EQ(e.m.Count(), 3);
    auto &c = dynamic_cast<TxiloCADCodeBarre &>(e.m.Objet(1));
    e.Survole(QPointF(30, 23));
    ASSERT_EQ(c.PoigneeActive(), 6);
    e.Glisse(QPointF(30, 23), QPointF(32, 23));
    EXPECT_NEAR(c.L(), 22, Eps);
    ASSERT_TRUE(e.m.SaveToFile(chemin));

    // A model loaded into the editor while an object is selected and
    // hovered: the control forgets the freed objects.
    e.Clique(QPointF(12, 11));
    ASSERT_NE(e.cad.Selection(), nullptr);
    ASSERT_NE(e.cad.Survole(), nullptr);
    ASSERT_TRUE(e.m.LoadFromFile(chemin));
    EXPECT_EQ(e.cad.Selection(), nullptr);
    EXPECT_EQ(e.cad.Survole(), nullptr);
    e.Touche(Qt::Key_Delete);
    e.Survole(QPointF(30, 25));
    EXPECT_EQ(e.dialogues.Messages.size(), 1);
    EXPECT_EQ(e.m.Count(), 3);

    // Read again elsewhere: the changes kept, the bar code and the folder
    // tree drawn.
    TxiloCADMdl relu(nullptr, QRect(0, 0, 400, 300), 40, 30);
    ASSERT_TRUE(relu.LoadFromFile(chemin));
    ASSERT_EQ(relu.Count(), 3);
    auto &r2 = dynamic_cast<TxiloCADRect &>(relu.Objet(0));
    EXPECT_NEAR(r2.X(), 12, Eps);
    EXPECT_NEAR(r2.Y(), 11, Eps);
    auto &c2 = dynamic_cast<TxiloCADCodeBarre &>(relu.Objet(1));
    EXPECT_NEAR(c2.L(), 22, Eps);
    EXPECT_NEAR(c2.X(), 21, Eps);
    EXPECT_EQ(c2.CodeBarre(), u"4006381333931"_s);
    auto &a2 = dynamic_cast<TxiloCADArbo &>(relu.Objet(2));
    EXPECT_EQ(a2.Path(), dossier);

    CanevasEspion canevas(QSize(400, 300));
    relu.Draw(canevas, QRect(0, 0, 400, 300));
    QStringList textes;
    for (const TexteEcrit &t : canevas.Textes)
        textes << t.Texte;
    EXPECT_EQ(textes.mid(0, 13).join(QString()), u"4006381333931"_s);
    EXPECT_EQ(textes.mid(13), (QStringList{u"lisezmoi.txt"_s, u"photos"_s, u"ete.jpg"_s}));
    // The bars, read across the middle of the symbol, are its modules.
    const QImage image = canevas.Image();
    const int y = 230;
    QString modules;
    int x = 100;
    while (qGray(image.pixel(x, y)) > 128)
        ++x;
    const double largeurModule = (220 - 2 * (220 + 100) * 0.015) / 100;
    for (double debut = x; modules.size() < 95; debut += largeurModule)
        modules += qGray(image.pixel(int(debut + largeurModule / 2), y)) < 128 ? u'1' : u'0';
    EXPECT_EQ(modules.toStdString(), ModulesEan13(c2.CodeBarre()).toStdString());
}
