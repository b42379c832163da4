#include "TxiloCADGroup.h"

#include <algorithm>

#include <QFileInfo>
#include <QStringList>

#include "Canevas.h"
#include "Convertisseurs.h"
#include "ImportEmf.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

// The files whose groups are being read, outermost first: a group inside one
// of them that names one of them again would read it for ever.
thread_local QStringList FichiersEnLecture;

class TLecture final
{
public:
    explicit TLecture(const QString &fichier) { FichiersEnLecture.append(fichier); }
    ~TLecture() { FichiersEnLecture.removeLast(); }
    TLecture(const TLecture &) = delete;
    TLecture &operator=(const TLecture &) = delete;
};

QString Identite(const QString &chemin)
{
    const QFileInfo info(chemin);
    const QString canonique = info.canonicalFilePath();
    return canonique.isEmpty() ? info.absoluteFilePath() : canonique;
}

int Signe(const QString &texte)
{
    return TextToInt(texte) < 0 ? -1 : 1;
}

} // namespace

TxiloCADGroup::TxiloCADGroup(TxiloCADMdl &modele, double x, double y, double l, double h, double r)
    : TxiloCADRect(modele),
      m_sousModele(std::make_unique<TxiloCADMdl>(modele.Proprietaire(), QRect(), modele.Large(), modele.Haut()))
{
    SetName(u"Groupe"_s);
    SetCentre(x, y);
    SetTaille(l, h);
    SetR(r);
    SetPen(TStylo{CouleurNoire, 300, StyloPlein});
    SetBrush(TPinceau{CouleurBlanche, PinceauPlein});
    // The objects of the sub-model fill their placeholders and find their
    // files as those of the page do.
    m_sousModele->SetOnGetTagValue([&modele](TxiloCADObj *objet, const QString &balise, QString &valeur) {
        valeur = modele.RemplitBalises(objet, u'<' + balise + u'>');
    });
    m_sousModele->SetOnResolveFile([&modele](TxiloCADObj *objet, QString &nom) { nom = modele.ResoutFichier(objet, nom); });
}

TxiloCADGroup::~TxiloCADGroup() = default;

const QStringList &TxiloCADGroup::SaveToStrings()
{
    TxiloCADRect::SaveToStrings();
    m_params.Ecrit(u"Name"_s, Name());
    m_params.Ecrit(u"mirroirx"_s, IntToText(m_mirroirX));
    m_params.Ecrit(u"mirroiry"_s, IntToText(m_mirroirY));
    m_params.Ecrit(u"FichierMdl"_s, QFileInfo(m_fichierMdl).fileName());
    m_params.Ecrit(u"ForcePenBrush"_s, BoolToText(m_forcePenBrush));
    return m_params.Lignes();
}

void TxiloCADGroup::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    m_mirroirX = Signe(m_params.Valeur(u"mirroirx"));
    m_mirroirY = Signe(m_params.Valeur(u"mirroiry"));
    if (m_params.Contient(u"ForcePenBrush"))
        m_forcePenBrush = TextToBool(m_params.Valeur(u"ForcePenBrush"));
    SetFichierMdl(m_params.Valeur(u"FichierMdl"));
    TxiloCADRect::LoadFromStrings(lignes);
}

void TxiloCADGroup::SetFichierMdl(const QString &nom)
{
    m_fichierMdl = nom;
    ChargeSousModele(Modele().ResoutFichier(this, nom));
}

void TxiloCADGroup::ChargeSousModele(const QString &chemin)
{
    m_sousModele->ClearObjects();
    m_cheminMdl.clear();
    if (chemin.isEmpty() || !QFileInfo(chemin).isFile())
        return;
    const QString identite = Identite(chemin);
    if (FichiersEnLecture.contains(identite) || FichiersEnLecture.size() >= ProfondeurMax
        || !TxiloCADMdl::ReserveSousModele())
        return;
    const TLecture lecture(identite);
    const QString extension = QFileInfo(chemin).suffix().toUpper();
    bool lu = false;
    if (extension == u"MDL"_s)
        lu = m_sousModele->LoadFromFile(chemin);
    else if (extension == u"EMF"_s)
        lu = ImportEmf(*m_sousModele, chemin);
    if (lu)
        m_cheminMdl = chemin;
}

void TxiloCADGroup::CompleteCopie(const TxiloCADObj &source)
{
    const auto *groupe = dynamic_cast<const TxiloCADGroup *>(&source);
    if (groupe && groupe->m_cheminMdl != m_cheminMdl)
        ChargeSousModele(groupe->m_cheminMdl);
}

void TxiloCADGroup::Tourne(QPointF pointeur)
{
    TxiloCADRect::Tourne(pointeur);
    m_sousModele->SetAnglePage(R());
}

void TxiloCADGroup::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    TxiloCADMdl &m = Modele();
    TxiloCADMdl &s = *m_sousModele;
    if (!(s.Large() > 0) || !(s.Haut() > 0)) {
        DessineCadre(canevas);
        return;
    }
    s.SetAnglePage(R() + m.AnglePage());
    s.Interrupteurs().Remplissage = m.Interrupteurs().Remplissage;
    s.Interrupteurs().ModeFond = m.Interrupteurs().ModeFond;
    s.SetEchelles(L() / s.Large() * m.EchelleX() * m_mirroirX, H() / s.Haut() * m.EchelleY() * m_mirroirY);
    // The corner where the mirrored page's top-left corner falls.
    int coin = 1;
    if (m_mirroirX < 0)
        coin = m_mirroirY < 0 ? 3 : 2;
    else if (m_mirroirY < 0)
        coin = 4;
    const QPoint origine = m.PageToPixel(HandlePoint(coin));
    s.SetDecalages(origine.x(), origine.y());

    if (s.Count() == 0) {
        DrawMessage(canevas, u"Pas de modèle"_s);
    } else {
        for (int i = 0; i < s.Count(); ++i) {
            TxiloCADObj &objet = s.Objet(i);
            if (m_forcePenBrush) {
                objet.SetPen(Pen());
                objet.SetBrush(Brush());
            }
            objet.Draw(canevas);
        }
    }
    DessineCadre(canevas);
}
