#include "TxiloCAD.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "Arrondi.h"
#include "Bitmaps.h"
#include "CanevasQt.h"
#include "Clavier.h"
#include "Dialogues.h"
#include "TxiloCADLigne.h"
#include "TxiloCADObj.h"
#include "TxiloCADRect.h"
#include "TxiloCADRepere.h"

using namespace Qt::StringLiterals;

namespace {

// The kind each creation tool makes.
QString MotCleOutil(int outil)
{
    switch (outil) {
    case TxiloCAD::OutilRectangle:
        return u"rectangle"_s;
    case TxiloCAD::OutilTexte:
        return u"texte"_s;
    case TxiloCAD::OutilImage:
        return u"image"_s;
    case TxiloCAD::OutilGroupe:
        return u"groupe"_s;
    case TxiloCAD::OutilArbo:
        return u"arbo"_s;
    case TxiloCAD::OutilCal:
        return u"cal"_s;
    case TxiloCAD::OutilCodeBarre:
        return u"codebarre"_s;
    default:
        return QString();
    }
}

QPointF Arrondi(QPointF p)
{
    return QPointF(Round(p.x()), Round(p.y()));
}

// A coordinate nudged by a key lands on the nearest whole number, halves
// going to the even one; taken in doubles, a coordinate read far beyond the
// int range stays where it was rather than being clamped.
double Pas(double v, double pas)
{
    const double r = std::nearbyint(v + pas);
    return std::isfinite(r) ? r : v;
}

} // namespace

// The page image: shows the page as last drawn and hands its mouse to the
// editor.
class TxiloCAD::TImagePage final : public QWidget
{
public:
    explicit TImagePage(TxiloCAD &editeur) : QWidget(nullptr), m_editeur(editeur)
    {
        setObjectName(u"ImagePage"_s);
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_editeur.m_image);
    }
    void mouseMoveEvent(QMouseEvent *event) override { m_editeur.SourisDeplace(event->position()); }
    void mousePressEvent(QMouseEvent *event) override { m_editeur.SourisBas(event->position(), event->button()); }
    void mouseReleaseEvent(QMouseEvent *) override { m_editeur.SourisHaut(); }

private:
    TxiloCAD &m_editeur;
};

TxiloCAD::TxiloCAD(QWidget *parent)
    : QScrollArea(parent),
      m_modele(std::make_unique<TxiloCADMdl>(this, QRect(0, 0, 210, 297), 21.0, 29.7)),
      m_page(new TImagePage(*this))
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // The scroll box keeps a page smaller than itself in its middle. The
    // page is fitted at every redraw and never needs the scroll bars, which
    // would only come and go for the moment between a resize and its redraw.
    setAlignment(Qt::AlignCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(m_page);
    m_minuterie.setObjectName(u"Minuterie"_s);
    m_minuterie.setParent(this);
    m_minuterie.setSingleShot(true);
    m_minuterie.setInterval(DelaiRedessin);
    connect(&m_minuterie, &QTimer::timeout, this, &TxiloCAD::Redraw);
}

TxiloCAD::~TxiloCAD()
{
    m_minuterie.stop();
    // The objects go before the control that their model reports to.
    m_modele->ClearObjects();
}

void TxiloCAD::SetOutil(int outil)
{
    m_outil = std::clamp(outil, int(OutilAucun), int(OutilCodeBarre));
    if (m_outil != OutilLigne)
        m_ligneEnCours = nullptr;
}

int TxiloCAD::MmToScreenX(double v) const
{
    return Round(v * m_echelleX);
}

int TxiloCAD::MmToScreenY(double v) const
{
    return Round(v * m_echelleY);
}

void TxiloCAD::ObjetRetire(TxiloCADObj *objet)
{
    if (!objet || objet == m_selection)
        m_selection = nullptr;
    if (!objet || objet == m_survole)
        m_survole = nullptr;
    if (!objet || objet == m_ligneEnCours)
        m_ligneEnCours = nullptr;
}

void TxiloCAD::RequestRedraw()
{
    // The timer runs only while a redraw is waiting: every request made
    // meanwhile is drawn by the same tick.
    m_seuleSelection = false;
    m_calques = -1;
    if (!m_minuterie.isActive())
        m_minuterie.start();
}

void TxiloCAD::RedessineSelection()
{
    // Only the selection has changed unless a redraw of the whole page is
    // waiting already.
    if (!m_minuterie.isActive()) {
        m_seuleSelection = true;
        m_minuterie.start();
    }
}

void TxiloCAD::Redraw()
{
    // A redraw made at once answers the requests waiting for the timer.
    m_minuterie.stop();
    const bool seuleSelection = m_seuleSelection;
    m_seuleSelection = false;
    TxiloCADMdl &m = *m_modele;
    if (!m.PageValide()) {
        // Nothing is left on screen of the page drawn before.
        m_image = QImage();
        m_calques = -1;
        m_page->resize(0, 0);
        m_page->update();
        return;
    }
    m.SetDecalages(0, 0);
    // A control no larger than its margin leaves no room: a scale of 0 or
    // below would make a page of no size, or turned inside out.
    const double largeur = width();
    const double hauteur = height();
    const double echelle = m.Large() / m.Haut() < largeur / hauteur ? (hauteur - m_marge) / m.Haut()
                                                                     : (largeur - m_marge) / m.Large();
    if (!(echelle > 0))
        return;
    m_echelleX = echelle;
    m_echelleY = echelle;
    const QSize taille(MmToScreenX(m.Large()), MmToScreenY(m.Haut()));
    if (taille.isEmpty() || taille.width() > CoteMaxBitmap || taille.height() > CoteMaxBitmap)
        return;
    if (m_image.size() != taille) {
        m_image = QImage(taille, QImage::Format_RGB888);
        m_calques = -1;
        if (m_image.isNull())
            return;
        m_page->resize(taille);
    }
    const QRect rect(QPoint(0, 0), taille);
    int k = -1;
    if (seuleSelection && m_selection) {
        for (int i = 0; i < m.Count() && k < 0; ++i) {
            if (&m.Objet(i) == m_selection)
                k = i;
        }
    }
    if (k >= 0) {
        DessineCalques(k, rect);
    } else {
        m_calques = -1;
        QPainter painter(&m_image);
        TCanevasQt canevas(painter);
        canevas.SetStylo(TStylo{CouleurBlanche, 1, StyloPlein});
        canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauPlein});
        m.Draw(canevas, rect);
    }
    m_page->update();
}

void TxiloCAD::DessineCalques(int k, const QRect &rect)
{
    TxiloCADMdl &m = *m_modele;
    if (m_calques != k || m_dessous.size() != rect.size()) {
        m_calques = -1;
        m_dessous = QImage(rect.size(), QImage::Format_RGB888);
        m_dessus = QImage(rect.size(), QImage::Format_ARGB32_Premultiplied);
        if (m_dessous.isNull() || m_dessus.isNull())
            return;
        m_dessus.fill(Qt::transparent);
        {
            QPainter painter(&m_dessous);
            TCanevasQt canevas(painter);
            m.DrawDessous(canevas, rect, k);
        }
        {
            QPainter painter(&m_dessus);
            TCanevasQt canevas(painter);
            m.DrawDessus(canevas, rect, k + 1);
        }
        m_calques = k;
    }
    // The layers were drawn at the scales of this rectangle, which the
    // model keeps: the object is drawn at them between the two.
    m_image = m_dessous.copy();
    QPainter painter(&m_image);
    {
        TCanevasQt canevas(painter);
        m.Objet(k).Draw(canevas);
    }
    painter.drawImage(0, 0, m_dessus);
}

void TxiloCAD::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    // The page is fitted to the control's new size.
    RequestRedraw();
}

void TxiloCAD::MajCurseur()
{
    if (m_survole)
        m_page->setCursor(m_survole->Curseur());
    else
        m_page->unsetCursor();
}

void TxiloCAD::SourisDeplace(QPointF pixel)
{
    // A move that arrives while one is handled (a message box, a redraw
    // that processes events) is dropped.
    if (m_dansDeplacement)
        return;
    m_dansDeplacement = true;
    const TxiloCADMdl &m = *m_modele;
    const QPointF page(pixel.x() / m_echelleX, pixel.y() / m_echelleY);
    m_pointeur = TxiloCADMdl::RotatePoint(QPointF(m.Large() / 2, m.Haut() / 2), page, -m.AnglePage());
    if (m_outil == OutilSelection) {
        if (m_boutonBas)
            Glisse();
        else
            Survol();
    }
    if (m_selection && m.Interrupteurs().AimanteMm)
        m_pointeur = Arrondi(m_pointeur);
    m_dansDeplacement = false;
}

void TxiloCAD::Glisse()
{
    QPointF cible = m_pointeur + m_prise;
    if (m_modele->Interrupteurs().AimanteMm) {
        m_pointeur = Arrondi(m_pointeur);
        cible = Arrondi(cible);
    }
    TxiloCADObj *objet = m_selection;
    if (!objet)
        return;
    const int poignee = objet->PoigneeActive();
    if (auto *boite = dynamic_cast<TxiloCADRect *>(objet)) {
        switch (poignee) {
        case 0:
            boite->SetCentre(cible.x(), cible.y());
            break;
        case 2:
            boite->Tourne(m_pointeur);
            break;
        case 3:
            boite->RedimCentre(m_pointeur);
            break;
        case 1:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
            boite->RedimPoignee(m_pointeur);
            break;
        default:
            break;
        }
        if (!m_maj && poignee == 0)
            Aimante(*boite);
    } else if (auto *ligne = dynamic_cast<TxiloCADLigne *>(objet)) {
        ligne->MovePoint(poignee, cible, TGlissement::Ligne);
    } else if (auto *repere = dynamic_cast<TxiloCADRepere *>(objet); repere && poignee == 0) {
        repere->SetPosition(repere->Sens() == TxiloCADRepere::Verticale ? m_pointeur.x() : m_pointeur.y());
        repere->Borne();
    }
    MajCurseur();
    RedessineSelection();
    m_modifie = true;
    emit OnChange(m_selection);
}

void TxiloCAD::Survol()
{
    TxiloCADMdl &m = *m_modele;
    TxiloCADObj *avant = m_survole;
    const int poigneeAvant = avant ? avant->PoigneeActive() : -1;
    m_survole = nullptr;
    // The topmost object of the face under the pointer wins; the others
    // lose their active handle.
    for (int i = m.Count() - 1; i >= 0; --i) {
        TxiloCADObj &objet = m.Objet(i);
        if (objet.Face() != m.FaceCourante())
            continue;
        objet.SetPoigneeActive(-1);
        if (m_survole)
            continue;
        objet.SetPoigneeActive(objet.HitTest(m_pointeur));
        if (objet.PoigneeActive() != -1)
            m_survole = &objet;
    }
    MajCurseur();
    if (m_survole != avant || (m_survole && m_survole->PoigneeActive() != poigneeAvant)) {
        RequestRedraw();
        emit OnChange(m_selection);
    }
}

void TxiloCAD::SourisBas(QPointF pixel, Qt::MouseButton bouton)
{
    // What lies under the pointer is where the button went down, whether or
    // not a move came before.
    if (!m_boutonBas)
        SourisDeplace(pixel);
    setFocus(Qt::MouseFocusReason);
    m_maj = EtatClavier().Maj();
    if (bouton == Qt::LeftButton)
        m_boutonBas = true;
    m_modifie = false;
    TxiloCADMdl &m = *m_modele;

    switch (m_outil) {
    case OutilRectangle:
    case OutilTexte:
    case OutilImage:
    case OutilGroupe:
    case OutilArbo:
    case OutilCal:
    case OutilCodeBarre:
        // A kind this program does not make leaves the tool as it is.
        if (TxiloCADObj *objet = m.AddObject(MotCleOutil(m_outil))) {
            if (auto *boite = dynamic_cast<TxiloCADRect *>(objet))
                boite->SetCentre(m_pointeur.x(), m_pointeur.y());
            // Handle 3 active: the drag that follows sizes it about the
            // point of the click.
            objet->SetPoigneeActive(3);
            NouvelObjet(objet);
        }
        break;
    case OutilLigne:
        TraceLigne(bouton);
        break;
    case OutilRepere: {
        auto *repere = dynamic_cast<TxiloCADRepere *>(m.AddObject(u"repere"_s));
        if (!repere)
            break;
        repere->SetSens(TxiloCADRepere::Verticale);
        repere->SetSorte(TxiloCADRepere::SaFace);
        repere->SetPosition(m_pointeur.x());
        repere->SetCanSelect(true);
        repere->SetPoigneeActive(repere->HitTest(m_pointeur));
        NouvelObjet(repere);
        break;
    }
    case OutilSelection:
        Choisit();
        break;
    default:
        break;
    }

    if (bouton == Qt::LeftButton && m_selection) {
        for (int i = 0; i < m.Count(); ++i)
            m.Objet(i).SetEnDeplacement(true);
    }
}

void TxiloCAD::NouvelObjet(TxiloCADObj *objet)
{
    objet->SetFace(m_modele->FaceCourante());
    objet->SetSelectionne(true);
    m_survole = objet;
    m_selection = nullptr;
    m_modifie = true;
    m_outil = OutilSelection;
    emit OnAddSupp(objet);
    Choisit();
}

void TxiloCAD::Choisit()
{
    TxiloCADMdl &m = *m_modele;
    TxiloCADObj *avant = m_selection;
    for (int i = 0; i < m.Count(); ++i)
        m.Objet(i).SetSelectionne(false);
    m_selection = m_survole;
    if (m_selection) {
        m_selection->SetSelectionne(true);
        if (auto *boite = dynamic_cast<TxiloCADRect *>(m_selection)) {
            m_prise = QPointF(boite->X(), boite->Y()) - m_pointeur;
            boite->MemoriseDepart();
        } else if (auto *ligne = dynamic_cast<TxiloCADLigne *>(m_selection)) {
            const int i = ligne->PoigneeActive();
            if (i >= 0 && i < ligne->NombrePoints())
                m_prise = ligne->Points()[size_t(i)] - m_pointeur;
        }
    }
    if (m_selection != avant) {
        RequestRedraw();
        emit OnObjSelect(m_selection);
        emit OnChange(m_selection);
    }
}

void TxiloCAD::TraceLigne(Qt::MouseButton bouton)
{
    TxiloCADMdl &m = *m_modele;
    TxiloCADLigne *ligne = m_ligneEnCours;
    if (!ligne) {
        ligne = dynamic_cast<TxiloCADLigne *>(m.AddObject(u"ligne"_s));
        if (!ligne)
            return;
        ligne->SetFace(m.FaceCourante());
        for (int i = 0; i < m.Count(); ++i)
            m.Objet(i).SetSelectionne(false);
        ligne->SetSelectionne(true);
        m_selection = ligne;
        m_ligneEnCours = ligne;
        ligne->AddPoint(m_pointeur);
        ligne->SetPoigneeActive(ligne->AddPoint(m_pointeur));
        RequestRedraw();
        emit OnChange(m_selection);
        return;
    }

    const int dernier = ligne->NombrePoints() - 1;
    ligne->MovePoint(dernier, m_pointeur);
    // The new segment straightens onto the anchor before it when it is
    // nearly vertical or horizontal, unless Shift is held.
    if (!m_maj && ligne->NombrePoints() >= 4) {
        const QPointF ancre = ligne->Points()[size_t(dernier - 3)];
        const QPointF point = ligne->Points()[size_t(dernier)];
        if (std::abs(point.x() - ancre.x()) * std::abs(m.EchelleX()) < 8)
            ligne->MovePoint(dernier, QPointF(ancre.x(), m_pointeur.y()));
        if (std::abs(point.y() - ancre.y()) * std::abs(m.EchelleY()) < 8)
            ligne->MovePoint(dernier, QPointF(m_pointeur.x(), ancre.y()));
    }
    if (bouton == Qt::RightButton) {
        ligne->SetPoigneeActive(ligne->AddPoint(m_pointeur));
    } else if (bouton == Qt::LeftButton) {
        m_outil = OutilSelection;
        m_modifie = true;
        m_ligneEnCours = nullptr;
        // A drag before the button comes up holds the active point where it is.
        const int i = ligne->PoigneeActive();
        if (i >= 0 && i < ligne->NombrePoints())
            m_prise = ligne->Points()[size_t(i)] - m_pointeur;
        emit OnAddSupp(ligne);
        emit OnObjSelect(ligne);
    }
    RequestRedraw();
    emit OnChange(m_selection);
}

void TxiloCAD::SourisHaut()
{
    m_boutonBas = false;
    TxiloCADMdl &m = *m_modele;
    // Cleared whatever the tool: a line drawn with the left button would
    // otherwise leave every picture drawn as an outline.
    for (int i = 0; i < m.Count(); ++i)
        m.Objet(i).SetEnDeplacement(false);
    if (m_selection) {
        if (auto *boite = dynamic_cast<TxiloCADRect *>(m_selection); boite && boite->PoigneeActive() >= 1)
            boite->FinRedimension();
        RecentreLost(true);
    }
    RequestRedraw();
    if (m_modifie)
        emit OnObjMoved(m_selection);
}

void TxiloCAD::keyPressEvent(QKeyEvent *event)
{
    m_maj = EtatClavier().Maj();
    m_ctrl = EtatClavier().Ctrl();
    if (!m_selection || !ToucheClavier(event))
        QScrollArea::keyPressEvent(event);
}

void TxiloCAD::keyReleaseEvent(QKeyEvent *event)
{
    m_maj = EtatClavier().Maj();
    m_ctrl = EtatClavier().Ctrl();
    QScrollArea::keyReleaseEvent(event);
}

bool TxiloCAD::ToucheClavier(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete) {
        if (AppMessageBox(u"Êtes-vous sûr de vouloir supprimer cet objet ?"_s, MsgInformation, BoutonsOkAnnuler)
            == ReponseOk)
            DeleteSelected();
        return true;
    }
    if (event->key() == Qt::Key_Insert) {
        DuplicateSelected();
        return true;
    }
    auto *boite = dynamic_cast<TxiloCADRect *>(m_selection);
    if (!boite || !(event->modifiers() & Qt::KeypadModifier))
        return false;
    const double pas = m_modele->PixelToMmY(m_ctrl ? 10 : 1);
    double x = boite->X();
    double y = boite->Y();
    double r = boite->R();
    double l = boite->L();
    double h = boite->H();
    switch (event->key()) {
    case Qt::Key_2:
        y = Pas(y, pas);
        break;
    case Qt::Key_8:
        y = Pas(y, -pas);
        break;
    case Qt::Key_4:
        x = Pas(x, -pas);
        break;
    case Qt::Key_6:
        x = Pas(x, pas);
        break;
    case Qt::Key_7:
        r = Pas(r, -pas);
        break;
    case Qt::Key_9:
        r = Pas(r, pas);
        break;
    case Qt::Key_Plus:
        l *= 1.1;
        h *= 1.1;
        break;
    case Qt::Key_Minus:
        l /= 1.1;
        h /= 1.1;
        break;
    case Qt::Key_Slash:
        r = 0;
        break;
    default:
        // Other keypad keys do nothing.
        return true;
    }
    boite->SetCentre(x, y);
    boite->SetTaille(l, h);
    boite->SetR(r);
    RequestRedraw();
    emit OnChange(m_selection);
    emit OnObjMoved(m_selection);
    return true;
}

void TxiloCAD::DeleteSelected()
{
    TxiloCADObj *objet = m_selection;
    if (!objet)
        return;
    auto *ligne = dynamic_cast<TxiloCADLigne *>(objet);
    const int poignee = objet->PoigneeActive();
    // -1 is no point at all, not an anchor.
    if (ligne && poignee >= 0 && poignee % 3 == 0) {
        ligne->DeletePoint(poignee);
    } else {
        m_modele->SupprimeObjet(objet);
        m_selection = nullptr;
        m_survole = nullptr;
        emit OnAddSupp(nullptr);
        emit OnObjSelect(nullptr);
    }
    emit OnAddSupp(m_selection);
    RequestRedraw();
    emit OnChange(m_selection);
}

void TxiloCAD::DuplicateSelected()
{
    TxiloCADObj *objet = m_selection;
    if (!objet)
        return;
    TxiloCADMdl &m = *m_modele;
    if (auto *ligne = dynamic_cast<TxiloCADLigne *>(objet)) {
        if (ligne->PoigneeActive() == -1)
            ligne->Duplique();
        else
            ligne->InsertPoint(ligne->PoigneeActive());
    } else if (auto *boite = dynamic_cast<TxiloCADRect *>(objet)) {
        if (auto *copie = dynamic_cast<TxiloCADRect *>(m.CloneObject(*boite)))
            copie->SetCentre(boite->X() + m.PixelToMmX(10), boite->Y() + m.PixelToMmY(10));
    }
    emit OnAddSupp(m_selection);
    RequestRedraw();
    emit OnChange(m_selection);
}

int TxiloCAD::RecentreLost(bool appliquer)
{
    TxiloCADMdl &m = *m_modele;
    int perdus = 0;
    for (int i = 0; i < m.Count(); ++i) {
        auto *boite = dynamic_cast<TxiloCADRect *>(&m.Objet(i));
        if (!boite)
            continue;
        bool surLaPage = false;
        for (int p = 0; p <= 8 && !surLaPage; ++p) {
            const QPointF point = boite->HandlePoint(p);
            surLaPage = point.x() >= 0 && point.x() <= m.Large() && point.y() >= 0 && point.y() <= m.Haut();
        }
        if (surLaPage)
            continue;
        ++perdus;
        if (appliquer)
            boite->SetCentre(m.Large() / 2, m.Haut() / 2);
    }
    return perdus;
}
