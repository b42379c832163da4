#include "PlanImpression.h"

#include <cmath>

#include <QDir>
#include <QFileInfo>

#include "Convertisseurs.h"
#include "ImpressionLivree.h"
#include "TxiloCADArbo.h"
#include "TxiloCADCal.h"
#include "TxiloCADCodeBarre.h"
#include "TxiloCADForme.h"
#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADRepere.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;

namespace {

// The models are laid out at the resolution of a print preview: the boxes
// of the texts are measured at it.
constexpr double PixelsParMm = 4;

} // namespace

TFonteCAD Police(const QString &nom, double hauteur, TColor couleur, std::uint8_t style)
{
    return TFonteCAD{couleur, nom, int(std::lround(hauteur * 1000)), style, 0};
}

TStylo Trait(TColor couleur, double largeur, int style)
{
    return TStylo{couleur, int(std::lround(largeur * 1000)), style};
}

QString Ean13(const QString &douze)
{
    if (douze.size() != 12)
        return QString();
    int somme = 0;
    for (int i = 0; i < 12; ++i) {
        const int chiffre = douze.at(i).digitValue();
        if (chiffre < 0 || chiffre > 9)
            return QString();
        // From the left, digits in odd places count once, in even places
        // three times.
        somme += i % 2 == 0 ? chiffre : 3 * chiffre;
    }
    return douze + QString::number((10 - somme % 10) % 10);
}

TPlanImpression::TPlanImpression(double large, double haut, int gabarit, const QString &images)
    : m_modele(std::make_unique<TxiloCADMdl>(
          nullptr, QRect(0, 0, int(std::lround(large * PixelsParMm)), int(std::lround(haut * PixelsParMm))), large,
          haut))
{
    m_modele->SetGabarit(gabarit);
    ResoutDansImages(*m_modele, images);
}

TPlanImpression::~TPlanImpression() = default;

void TPlanImpression::Cote(const QString &cle, double mm)
{
    m_modele->EcritValeurPage(cle, FloatToText(mm));
}

template<class T>
T &TPlanImpression::Ajoute(const char *motCle)
{
    auto *objet = dynamic_cast<T *>(m_modele->AddObject(QString::fromLatin1(motCle)));
    Q_ASSERT(objet);
    objet->SetFace(m_face);
    return *objet;
}

template<class T>
T &TPlanImpression::AjouteBoite(const char *motCle, QPointF centre, QSizeF taille, double r)
{
    T &objet = Ajoute<T>(motCle);
    objet.SetCentre(centre.x(), centre.y());
    objet.SetTaille(taille.width(), taille.height());
    objet.SetR(r);
    return objet;
}

TxiloCADRectangle &TPlanImpression::Forme(QPointF centre, QSizeF taille, int cotes, const TStylo &trait,
                                          const TPinceau &fond, double r)
{
    auto &forme = AjouteBoite<TxiloCADRectangle>("rectangle", centre, taille, r);
    forme.SetCote(cotes);
    forme.SetPen(trait);
    forme.SetBrush(fond);
    return forme;
}

TxiloCADTexte &TPlanImpression::Texte(QPointF ancre, double largeur, const QString &texte, const TFonteCAD &fonte,
                                      int aligne, int alignement, double r)
{
    auto &t = Ajoute<TxiloCADTexte>("texte");
    t.SetFont(fonte);
    t.SetAlignement(alignement);
    t.SetAligne(0);
    t.SetR(r);
    t.SetText(texte);
    // The width kept is the room the text has, within which the print
    // window shrinks what it writes there; the anchor is put in its place.
    t.SetTaille(largeur, t.H());
    t.SetAligne(aligne);
    const QPointF decalage = t.DecalagePoignee(aligne);
    t.SetCentre(ancre.x() - decalage.x(), ancre.y() - decalage.y());
    return t;
}

TxiloCADImage &TPlanImpression::Image(QPointF centre, QSizeF taille, const QString &fichier, double r)
{
    auto &image = AjouteBoite<TxiloCADImage>("image", centre, taille, r);
    image.SetFichierImage(fichier);
    return image;
}

TxiloCADImage &TPlanImpression::Bordure(QPointF centre, QSizeF taille, const QString &fichier, double tuile,
                                        int mode)
{
    TxiloCADImage &image = Image(centre, taille, fichier);
    image.SetBordure(TBordure{true, tuile, tuile, mode});
    image.SetTransparent(true);
    image.SetTransparentColor(CouleurBlanche);
    image.SetCanSelect(false);
    return image;
}

TxiloCADLigne &TPlanImpression::Ligne(std::vector<QPointF> points, const TStylo &trait, const TPinceau &fond)
{
    auto &ligne = Ajoute<TxiloCADLigne>("ligne");
    ligne.SetPoints(std::move(points));
    ligne.SetPen(trait);
    ligne.SetBrush(fond);
    return ligne;
}

TxiloCADForme &TPlanImpression::FormeLibre(QPointF centre, QSizeF taille, std::vector<QPointF> points, QSizeF cadre,
                                           const TStylo &trait, const TPinceau &fond, double r)
{
    auto &forme = AjouteBoite<TxiloCADForme>("forme", centre, taille, r);
    forme.SetPoints(std::move(points));
    forme.SetCadreForme(cadre.width(), cadre.height());
    forme.SetPen(trait);
    forme.SetBrush(fond);
    return forme;
}

TxiloCADCal &TPlanImpression::Calendrier(QPointF centre, QSizeF taille, int mois, int annee, const TFonteCAD &fonte,
                                         TColor cases, TColor fond)
{
    auto &cal = AjouteBoite<TxiloCADCal>("cal", centre, taille);
    cal.SetJour(1);
    cal.SetMois(mois);
    cal.SetAnnee(annee);
    cal.SetFont(fonte);
    cal.SetColorCase(cases);
    cal.SetColorFond(fond);
    return cal;
}

TxiloCADGroup &TPlanImpression::Groupe(QPointF centre, QSizeF taille, const QString &fichier, double r)
{
    auto &groupe = AjouteBoite<TxiloCADGroup>("groupe", centre, taille, r);
    groupe.SetFichierMdl(fichier);
    return groupe;
}

TxiloCADRepere &TPlanImpression::Repere(int sens, double position, int sorte)
{
    auto &repere = Ajoute<TxiloCADRepere>("repere");
    repere.SetSens(sens);
    repere.SetPosition(position);
    repere.SetSorte(sorte);
    return repere;
}

TxiloCADCodeBarre &TPlanImpression::CodeBarre(QPointF centre, QSizeF taille, const QString &chiffres)
{
    auto &code = AjouteBoite<TxiloCADCodeBarre>("codebarre", centre, taille);
    code.SetCodeBarre(chiffres);
    return code;
}

TxiloCADArbo &TPlanImpression::Arbo(QPointF centre, QSizeF taille, const QString &dossier, int profondeur,
                                    int colonnes, const TFonteCAD &fonte)
{
    auto &arbo = AjouteBoite<TxiloCADArbo>("arbo", centre, taille);
    arbo.SetPath(dossier);
    arbo.SetDepthMax(profondeur);
    arbo.SetColumn(colonnes);
    arbo.SetFont(fonte);
    return arbo;
}

bool TPlanImpression::Ecrit(const QString &chemin, QString *erreur)
{
    if (!QDir().mkpath(QFileInfo(chemin).path())) {
        if (erreur)
            *erreur = u"dossier impossible à créer"_s;
        return false;
    }
    return m_modele->SaveToFile(chemin, erreur);
}

namespace formes {

std::vector<QPointF> Droite(QPointF a, QPointF b)
{
    return {a, b, b};
}

namespace {

// A path from its first point and its segments, each three points.
std::vector<QPointF> Chemin(QPointF depart, std::initializer_list<std::vector<QPointF>> segments)
{
    std::vector<QPointF> points{depart};
    for (const auto &s : segments)
        points.insert(points.end(), s.begin(), s.end());
    return points;
}

} // namespace

std::vector<QPointF> Segment(QPointF a, QPointF b)
{
    return Chemin(a, {Droite(a, b)});
}

std::vector<QPointF> Coeur()
{
    return Chemin({50, 92}, {{{20, 68}, {0, 48}, {0, 26}},
                             {{0, 8}, {14, 0}, {26, 0}},
                             {{38, 0}, {48, 8}, {50, 20}},
                             {{52, 8}, {62, 0}, {74, 0}},
                             {{86, 0}, {100, 8}, {100, 26}},
                             {{100, 48}, {80, 68}, {50, 92}}});
}

std::vector<QPointF> Ruban()
{
    return Chemin({10, 6}, {{{35, 0}, {65, 0}, {90, 6}},
                            Droite({90, 6}, {100, 4}),
                            Droite({100, 4}, {95, 15}),
                            Droite({95, 15}, {100, 26}),
                            Droite({100, 26}, {90, 24}),
                            {{65, 18}, {35, 18}, {10, 24}},
                            Droite({10, 24}, {0, 26}),
                            Droite({0, 26}, {5, 15}),
                            Droite({5, 15}, {0, 4}),
                            Droite({0, 4}, {10, 6})});
}

std::vector<QPointF> Feuille()
{
    return Chemin({0, 20}, {{{25, 0}, {70, 0}, {100, 20}}, {{70, 40}, {25, 40}, {0, 20}}});
}

} // namespace formes
