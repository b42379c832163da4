#include "TxiloCADMdl.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPainter>
#include <QSet>

#include "Arrondi.h"
#include "Canevas.h"
#include "CanevasQt.h"
#include "Convertisseurs.h"
#include "FichierMdl.h"
#include "TxiloCADArbo.h"
#include "TxiloCADBloc.h"
#include "TxiloCADCal.h"
#include "TxiloCADCodeBarre.h"
#include "TxiloCADForme.h"
#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADLigne.h"
#include "TxiloCADObj.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADRepere.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double RadiansParDegre = std::numbers::pi / 180.0;

int Pixel(double v)
{
    return std::clamp(Round(v), -CoordonneeMax, CoordonneeMax);
}

bool TailleUtilisable(double v)
{
    return std::isfinite(v) && v > 0;
}

// A value written on a key line must not break it.
QString SurUneLigne(QString ligne)
{
    ligne.replace(u'\r', u' ');
    ligne.replace(u'\n', u' ');
    return ligne;
}

// The key of a line the page reads as a page key: a line that begins with
// neither a blank nor "=", the text before its first "="; empty otherwise.
QStringView ClePage(const QString &ligne)
{
    const qsizetype egal = ligne.indexOf(u'=');
    if (egal <= 0 || ligne.at(0).unicode() <= u' ')
        return {};
    return QStringView(ligne).first(egal);
}

// The reading under way on this thread: how deep in sub-models it is, and
// what it has spent. The budget is taken afresh by each reading that
// begins while none is under way.
struct TLectureEnCours {
    int Profondeur = 0;
    int Objets = 0;
    int SousModeles = 0;
};
thread_local TLectureEnCours Lecture;

class TPorteeLecture final
{
public:
    TPorteeLecture()
    {
        if (Lecture.Profondeur++ == 0)
            Lecture = TLectureEnCours{1, 0, 0};
    }
    ~TPorteeLecture() { --Lecture.Profondeur; }
    TPorteeLecture(const TPorteeLecture &) = delete;
    TPorteeLecture &operator=(const TPorteeLecture &) = delete;
    // True for a model read within another one.
    bool Imbriquee() const { return Lecture.Profondeur > 1; }
};

} // namespace

TxiloCADMdl::TxiloCADMdl(TProprietaireModele *proprietaire, const QRect &pixels, double large, double haut)
    : m_proprietaire(proprietaire),
      m_tailleTravail(std::max(pixels.width(), 0), std::max(pixels.height(), 0)),
      m_large(large),
      m_haut(haut)
{
    if (TailleUtilisable(large) && TailleUtilisable(haut) && !m_tailleTravail.isEmpty()) {
        m_echelleX = m_tailleTravail.width() / large;
        m_echelleY = m_tailleTravail.height() / haut;
    }
}

TxiloCADMdl::~TxiloCADMdl() = default;

bool TxiloCADMdl::PageValide() const
{
    return TailleUtilisable(m_large) && TailleUtilisable(m_haut) && m_large <= TailleMaxPage
           && m_haut <= TailleMaxPage;
}

void TxiloCADMdl::SetGabarit(int gabarit)
{
    m_gabarit = gabarit >= 0 && gabarit <= 6 ? gabarit : 0;
}

QString TxiloCADMdl::ValeurPage(QStringView cle) const
{
    return m_textePage.Valeur(cle);
}

qsizetype TxiloCADMdl::DebutFaces() const
{
    // The reader takes a face header at any indentation, and so must the
    // writer, or the faces it rewrites would also stay as they were.
    const QStringList &lignes = m_textePage.Lignes();
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (NumeroFace(lignes.at(i)) != 0)
            return i;
    }
    return lignes.size();
}

void TxiloCADMdl::EcritValeurPage(const QString &cle, const QString &valeur)
{
    const QString texte = SurUneLigne(valeur);
    if (m_textePage.Contient(cle) || texte.isEmpty()) {
        m_textePage.EcritSeule(cle, texte);
        return;
    }
    QStringList lignes = m_textePage.Lignes();
    lignes.insert(DebutFaces(), cle + u'=' + texte);
    m_textePage.SetLignes(lignes);
}

QString TxiloCADMdl::RemplitBalises(TxiloCADObj *objet, const QString &texte) const
{
    QString t = texte;
    qsizetype debut = -1;
    int remplacements = 0;
    // The values being filled, innermost last: where each ends in the text,
    // and the placeholder it came from, which is not filled again within it.
    struct TEnCours {
        qsizetype Fin;
        QString Balise;
    };
    std::vector<TEnCours> enCours;
    for (qsizetype i = 0; i < t.size(); ++i) {
        while (!enCours.empty() && i >= enCours.back().Fin)
            enCours.pop_back();
        if (t.at(i) == u'<') {
            debut = i;
            continue;
        }
        if (t.at(i) != u'>' || debut < 0)
            continue;
        const QString balise = t.mid(debut + 1, i - debut - 1).toLower();
        if (std::any_of(enCours.begin(), enCours.end(), [&](const TEnCours &e) { return e.Balise == balise; })) {
            debut = -1;
            continue;
        }
        QString valeur;
        if (m_onGetTagValue)
            m_onGetTagValue(objet, balise, valeur);
        if (++remplacements > RemplacementsMax || t.size() - (i - debut + 1) + valeur.size() > TailleMaxTexte)
            break;
        t = t.first(debut) + valeur + t.sliced(i + 1);
        const qsizetype ecart = valeur.size() - (i - debut + 1);
        for (TEnCours &e : enCours)
            e.Fin += ecart;
        enCours.push_back(TEnCours{debut + valeur.size(), balise});
        // Resumes on the value itself, whose own placeholders are filled in
        // turn.
        i = debut - 1;
        debut = -1;
    }
    return t;
}

QString TxiloCADMdl::ResoutFichier(TxiloCADObj *objet, const QString &nom) const
{
    QString chemin = nom;
    if (m_onResolveFile)
        m_onResolveFile(objet, chemin);
    return chemin;
}

std::unique_ptr<TxiloCADObj> TxiloCADMdl::Fabrique(const QString &motCle)
{
    const double cx = m_large / 2;
    const double cy = m_haut / 2;
    if (motCle == u"rectangle"_s)
        return std::make_unique<TxiloCADRectangle>(*this, cx, cy, 1, 1, 0);
    if (motCle == u"texte"_s)
        return std::make_unique<TxiloCADTexte>(*this, cx, cy, 0);
    if (motCle == u"cal"_s)
        return std::make_unique<TxiloCADCal>(*this, cx, cy, 1, 1, 0);
    if (motCle == u"ligne"_s)
        return std::make_unique<TxiloCADLigne>(*this);
    if (motCle == u"forme"_s)
        return std::make_unique<TxiloCADForme>(*this, cx, cy, 1, 1, 0);
    if (motCle == u"repere"_s)
        return std::make_unique<TxiloCADRepere>(*this);
    if (motCle == u"image"_s)
        return std::make_unique<TxiloCADImage>(*this, cx, cy, 1, 1, 0);
    if (motCle == u"groupe"_s)
        return std::make_unique<TxiloCADGroup>(*this, cx, cy, 1, 1, 0);
    if (motCle == u"arbo"_s)
        return std::make_unique<TxiloCADArbo>(*this, cx, cy, 1, 1);
    if (motCle == u"codebarre"_s)
        return std::make_unique<TxiloCADCodeBarre>(*this, cx, cy, 1, 1, 0);
    return nullptr;
}

TxiloCADObj *TxiloCADMdl::AddObject(const QString &motCle)
{
    std::unique_ptr<TxiloCADObj> objet = Fabrique(motCle.toLower());
    if (!objet)
        return nullptr;
    m_objets.push_back(std::move(objet));
    return m_objets.back().get();
}

TxiloCADObj *TxiloCADMdl::AddObject(std::unique_ptr<TxiloCADObj> objet)
{
    if (!objet || &objet->Modele() != this)
        return nullptr;
    m_objets.push_back(std::move(objet));
    return m_objets.back().get();
}

TxiloCADObj *TxiloCADMdl::CloneObject(TxiloCADObj &objet)
{
    TxiloCADObj *copie = AddObject(objet.Name());
    if (copie) {
        copie->LoadFromStrings(objet.SaveToStrings());
        copie->CompleteCopie(objet);
    }
    return copie;
}

void TxiloCADMdl::ClearObjects()
{
    if (m_proprietaire && !m_objets.empty())
        m_proprietaire->ObjetRetire(nullptr);
    // First to last, as they were made.
    for (auto &objet : m_objets)
        objet.reset();
    m_objets.clear();
}

bool TxiloCADMdl::SupprimeObjet(TxiloCADObj *objet)
{
    const auto trouve =
        std::find_if(m_objets.begin(), m_objets.end(), [objet](const auto &o) { return o.get() == objet; });
    if (trouve == m_objets.end())
        return false;
    if (m_proprietaire)
        m_proprietaire->ObjetRetire(objet);
    m_objets.erase(trouve);
    return true;
}

TxiloCADObj *TxiloCADMdl::ObjetSous(QPointF point, int *poignee) const
{
    for (auto i = m_objets.rbegin(); i != m_objets.rend(); ++i) {
        TxiloCADObj &objet = **i;
        if (objet.Face() != m_faceCourante)
            continue;
        const int trouvee = objet.HitTest(point);
        if (trouvee != -1) {
            if (poignee)
                *poignee = trouvee;
            return &objet;
        }
    }
    if (poignee)
        *poignee = -1;
    return nullptr;
}

bool TxiloCADMdl::LoadFromFile(const QString &chemin, QString *erreur)
{
    ClearObjects();
    QStringList lignes;
    if (!LitFichierMdl(chemin, lignes, erreur))
        return false;
    LoadFromStrings(lignes);
    return true;
}

bool TxiloCADMdl::ReserveSousModele()
{
    if (Lecture.Profondeur == 0)
        return true;
    if (Lecture.SousModeles >= SousModelesMaxLecture || Lecture.Objets >= ObjetsMaxLecture)
        return false;
    ++Lecture.SousModeles;
    return true;
}

void TxiloCADMdl::LoadFromStrings(const QStringList &lignes)
{
    const TPorteeLecture portee;
    ClearObjects();
    m_lectureTronquee = false;
    m_echelleX = 1;
    m_echelleY = 1;
    const TLignesCles page(lignes);
    m_large = TextToFloat(page.Valeur(u"Large"));
    m_haut = TextToFloat(page.Valeur(u"Haut"));
    m_friseX = TextToFloat(page.Valeur(u"FriseX"));
    m_gabarit = TemplateIndex(page.Valeur(u"Gabarit"));

    const TIndexSections sections(lignes);
    for (int face = 1; face <= TxiloCADObj::FaceMax; ++face) {
        const QString cheminFace = u"/Face="_s + QString::number(face);
        const QStringList noms = sections.Section(cheminFace);
        if (noms.isEmpty())
            break;
        for (const QString &nom : noms) {
            if (portee.Imbriquee() && Lecture.Objets >= ObjetsPlafondLecture) {
                m_lectureTronquee = true;
                break;
            }
            ++Lecture.Objets;
            const QString chemin = cheminFace + u'/' + nom;
            const QStringList cles = sections.Section(chemin);
            const QString sorte = TLignesCles(cles).Valeur(u"Name");
            TxiloCADObj *objet = sorte.isEmpty() ? nullptr : AddObject(sorte);
            if (objet) {
                objet->LoadFromStrings(cles);
            } else {
                // A kind this program does not make is not shown, but kept
                // as read: saving the model must not lose it.
                const QStringList brutes = sections.SectionBrute(chemin);
                if (brutes.isEmpty())
                    continue;
                objet = AddObject(std::make_unique<TxiloCADBloc>(*this, sorte, brutes));
            }
            objet->SetFace(face);
        }
        if (m_lectureTronquee)
            break;
    }
    // A sub-model cut short would show part of itself as if it were whole.
    if (m_lectureTronquee)
        ClearObjects();
    m_textePage.SetLignes(lignes);
}

QStringList TxiloCADMdl::SaveToStrings() const
{
    const QStringList &texte = m_textePage.Lignes();
    const qsizetype debut = DebutFaces();
    TLignesCles entete(texte.first(debut));
    // Page keys met after the first face header, between or inside its
    // blocks, are read all the same: they go with the others, unless a line
    // of their key comes before them.
    QStringList apres;
    for (qsizetype i = debut; i < texte.size(); ++i) {
        const QString &ligne = texte.at(i);
        const QStringView cle = ClePage(ligne);
        if (cle.isEmpty() || cle.compare(u"Face", Qt::CaseInsensitive) == 0 || entete.Contient(cle)
            || TLignesCles(apres).Contient(cle))
            continue;
        apres.append(ligne);
    }
    if (!apres.isEmpty())
        entete.SetLignes(entete.Lignes() + apres);

    // The page keys of the model are written over their first lines, later
    // ones removed; those that are missing go first, in their usual order,
    // before the keys of the template.
    const std::pair<QString, QString> cles[] = {
        {u"Large"_s, FloatToText(m_large)},
        {u"Haut"_s, FloatToText(m_haut)},
        {u"FriseX"_s, FloatToText(m_friseX)},
        {u"Gabarit"_s, TemplateName(m_gabarit)},
    };
    qsizetype insertion = 0;
    for (const auto &[cle, valeur] : cles) {
        if (!entete.Contient(cle) && !valeur.isEmpty()) {
            QStringList lignes = entete.Lignes();
            lignes.insert(insertion, cle + u'=' + valeur);
            entete.SetLignes(lignes);
        } else {
            entete.EcritSeule(cle, valeur);
        }
        if (const qsizetype i = entete.Indice(cle); i >= 0)
            insertion = i + 1;
    }
    QStringList lignes = entete.Lignes();
    EcritFaces(lignes);
    return lignes;
}

void TxiloCADMdl::EcritFaces(QStringList &lignes) const
{
    // The reader finds a block by the first line after its face header whose
    // text is the block's name, and a face by the first line that is its
    // header, at any indentation. Block names are therefore chosen unlike any
    // line of the objects (a block kept as read may hold anything), and a
    // line of an object that reads as the header of another face is given
    // its own face's.
    std::vector<QStringList> objets;
    objets.reserve(m_objets.size());
    QSet<QStringView> pris;
    int derniereFace = 0;
    for (const auto &objet : m_objets) {
        objets.push_back(objet->SaveToStrings());
        for (const QString &ligne : std::as_const(objets.back())) {
            if (!ligne.contains(u'='))
                pris.insert(TexteSansRetrait(ligne));
        }
        derniereFace = std::max({derniereFace, objet->Face(), 1});
    }
    const auto nomLibre = [&pris](QString nom) {
        while (pris.contains(nom))
            nom.append(u'_');
        return nom;
    };

    int numero = 0;
    for (int face = 1; face <= derniereFace; ++face) {
        const QString enteteFace = u"Face="_s + QString::number(face);
        lignes.append(enteteFace);
        bool vide = true;
        for (size_t i = 0; i < m_objets.size(); ++i) {
            if (std::max(m_objets[i]->Face(), 1) != face)
                continue;
            vide = false;
            lignes.append(IndentText(1, nomLibre(u"Objet"_s + QString::number(++numero))));
            TLignesCles cles(objets[i]);
            // The reader sets the object on the face of its block whatever
            // its key says; the key says so too.
            if (cles.Contient(u"Face"))
                cles.Ecrit(u"Face"_s, QString::number(face));
            for (const QString &cle : cles.Lignes()) {
                QString ligne = SurUneLigne(cle);
                // An empty line would read as a block name.
                if (ligne.isEmpty())
                    continue;
                if (const int autre = NumeroFace(ligne); autre != 0 && autre != face)
                    ligne = ligne.first(ligne.size() - TexteSansRetrait(ligne).size()) + enteteFace;
                lignes.append(IndentText(2, ligne));
            }
            lignes.append(IndentText(1, u"End"_s));
        }
        // The reader stops at the first face without a block; an empty block
        // keeps the faces after it.
        if (vide) {
            lignes.append(IndentText(1, nomLibre(u"Vide"_s + QString::number(face))));
            lignes.append(IndentText(1, u"End"_s));
        }
        lignes.append(u"End"_s);
    }
}

bool TxiloCADMdl::SaveToFile(const QString &chemin, QString *erreur)
{
    const QStringList lignes = SaveToStrings();
    if (!EcritFichierMdl(chemin, lignes, erreur))
        return false;
    m_textePage.SetLignes(lignes);
    return true;
}

void TxiloCADMdl::SetEchelles(double x, double y)
{
    m_echelleX = x;
    m_echelleY = y;
}

void TxiloCADMdl::SetDecalages(double x, double y)
{
    m_decalageX = x;
    m_decalageY = y;
}

int TxiloCADMdl::MmToPixelX(double v) const
{
    return Pixel(v * m_echelleX + m_decalageX);
}

int TxiloCADMdl::MmToPixelY(double v) const
{
    return Pixel(v * m_echelleY + m_decalageY);
}

double TxiloCADMdl::PixelToMmX(double n) const
{
    return m_echelleX == 0 ? n : n / m_echelleX;
}

double TxiloCADMdl::PixelToMmY(double n) const
{
    return m_echelleY == 0 ? n : n / m_echelleY;
}

QPoint TxiloCADMdl::PageToPixel(QPointF point) const
{
    double x = point.x() * m_echelleX;
    double y = point.y() * m_echelleY;
    if (m_anglePage != 0) {
        const double a = m_anglePage * RadiansParDegre;
        const double c = std::cos(a);
        const double s = std::sin(a);
        const double xt = x * c - y * s;
        y = y * c + x * s;
        x = xt;
    }
    return QPoint(Pixel(x + m_decalageX), Pixel(y + m_decalageY));
}

QPointF TxiloCADMdl::RotatePoint(QPointF centre, QPointF point, double angle)
{
    if (angle == 0)
        return point;
    const double a = angle * RadiansParDegre;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double dx = point.x() - centre.x();
    const double dy = point.y() - centre.y();
    return QPointF(centre.x() + dx * c - dy * s, centre.y() + dx * s + dy * c);
}

void TxiloCADMdl::FillTurnedBox(TCanevas &canevas, QPointF a, QPointF b, double angle) const
{
    const QPointF milieu((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    const QPointF c1 = RotatePoint(milieu, QPointF(b.x(), a.y()), 2 * angle);
    const QPointF c2 = RotatePoint(milieu, QPointF(a.x(), b.y()), 2 * angle);
    const TStylo stylo = canevas.Stylo();
    TStylo sansTrait = stylo;
    sansTrait.Style = StyloVide;
    canevas.SetStylo(sansTrait);
    canevas.Polygone(QPolygon({PageToPixel(a), PageToPixel(c1), PageToPixel(b), PageToPixel(c2)}));
    canevas.SetStylo(stylo);
}

void TxiloCADMdl::TextOutRotated(TCanevas &canevas, QPoint pixel, const QString &texte, double angle)
{
    const TFonteCAD fonte = canevas.Fonte();
    TFonteCAD tournee = fonte;
    tournee.Escapement = Round(-angle * 10);
    canevas.SetFonte(tournee);
    canevas.Texte(pixel, texte);
    canevas.SetFonte(fonte);
}

TCanevas &TxiloCADMdl::CanevasTravail()
{
    if (!m_canevasTravail) {
        const qint64 pixels = qint64(m_tailleTravail.width()) * m_tailleTravail.height();
        if (pixels > 0 && pixels <= TailleMaxTravail)
            m_travail = QImage(m_tailleTravail, QImage::Format_RGB888);
        // Texts are still measured on a bitmap that could not be made.
        if (m_travail.isNull())
            m_travail = QImage(1, 1, QImage::Format_RGB888);
        m_travail.fill(Qt::white);
        m_painterTravail = std::make_unique<QPainter>(&m_travail);
        m_canevasTravail = std::make_unique<TCanevasQt>(*m_painterTravail);
    }
    return *m_canevasTravail;
}
