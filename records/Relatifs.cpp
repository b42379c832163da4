#include "Relatifs.h"

#include "BD.h"
#include "Dates.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "Options.h"
#include "Parente.h"

namespace {

// Language texts of this file.
constexpr int TexteNouvelle = 301;
constexpr int TexteMereCommune = 312;
constexpr int TexteBoucle = 5060;
constexpr int TextePersonnesPleines = 5061;
constexpr int TexteUnionsPleines = 5062;

constexpr bool Pere = true;
constexpr bool Mere = false;

} // namespace

TRelatifs::TRelatifs(TBD &bd, THoteRelatifs &hote) : m_bd(bd), m_hote(hote) {}

// ---- Helpers ---------------------------------------------------------------

bool TRelatifs::Connue(int p) const
{
    return p > 0 && m_bd.PersonInUse(p);
}

bool TRelatifs::Demande(int texte, const QStringList &noms) const
{
    return AppMessageBox(MLFormat(texte, noms), MsgQuestion, BoutonsOuiNon) == ReponseOui;
}

bool TRelatifs::PoseParent(int enfant, int parent, bool pere)
{
    if (!Connue(enfant) || !Connue(parent))
        return false;
    // A person among his own ancestors would send every walk up the tree
    // round for ever.
    if (IsAncestorOf(m_bd, enfant, parent)) {
        AppMessageBox(MLFormat(TexteBoucle, {m_bd.FullName(parent), m_bd.FullName(enfant)}),
                      MsgAvertissement, BoutonsOk);
        return false;
    }
    if (pere)
        m_bd.SetFather(enfant, parent);
    else
        m_bd.SetMother(enfant, parent);
    BaseModifiee = 1;
    return true;
}

int TRelatifs::NouvellePersonne()
{
    if (!m_bd.CanAddPerson()) {
        AppMessageBox(MLText(TextePersonnesPleines), MsgAvertissement, BoutonsOk);
        return 0;
    }
    const int p = m_bd.NewPerson();
    if (p != 0)
        BaseModifiee = 1;
    return p;
}

int TRelatifs::NouvelleUnion(int a, int b)
{
    if (!m_bd.CanAddUnion()) {
        AppMessageBox(MLText(TexteUnionsPleines), MsgAvertissement, BoutonsOk);
        return 0;
    }
    const int u = m_bd.NewUnion();
    if (u == 0)
        return 0;
    // The woman is the wife; with one sex unknown, the man is the husband;
    // otherwise a comes first.
    const bool aFemme = m_bd.Sex(a) == SexeFemme || (m_bd.Sex(a) != SexeHomme && m_bd.Sex(b) == SexeHomme);
    m_bd.SetHusband(u, aFemme ? b : a);
    m_bd.SetWife(u, aFemme ? a : b);
    BaseModifiee = 1;
    return u;
}

void TRelatifs::Presente(int reference, int p, int decalage, int texteSaisie, int texteFiche, bool focusNom,
                         bool sexeChoisi)
{
    const TOptions &o = Options();
    if (o.AjouteEve)
        DateNaissanceVers(reference, p, decalage);
    const QString nomReference = m_bd.FullName(reference);
    bool selectionne = true;
    if (o.AjoutePers)
        selectionne = m_hote.SaisieIdentite(MLText(texteSaisie) + QLatin1Char(' ') + nomReference, p, sexeChoisi);
    if (selectionne)
        m_hote.MontreNouvelle(p, MLText(texteFiche) + QLatin1Char(' ') + nomReference, focusNom);
}

// ---- Adding ------------------------------------------------------------------

int TRelatifs::AjoutePere(int reference)
{
    if (!Connue(reference))
        return 0;
    const int p = NouvellePersonne();
    if (p == 0)
        return 0;
    m_bd.SetFather(reference, p);
    m_bd.SetSex(p, SexeHomme);
    m_bd.SetSurname(p, m_bd.Surname(reference));
    if (HasSosaNumber(m_bd, reference))
        PropagateSosaToFather(m_bd, reference);
    Presente(reference, p, -Options().Generation, 302, 303, false, false);
    CompleteLienPere(reference, p);
    return p;
}

int TRelatifs::AjouteMere(int reference)
{
    if (!Connue(reference))
        return 0;
    const int p = NouvellePersonne();
    if (p == 0)
        return 0;
    m_bd.SetMother(reference, p);
    m_bd.SetSex(p, SexeFemme);
    if (HasSosaNumber(m_bd, reference))
        PropagateSosaToMother(m_bd, reference);
    Presente(reference, p, -Options().Generation, 304, 305, true, false);
    CompleteLienMere(reference, p);
    return p;
}

int TRelatifs::AjouteEnfant(int reference)
{
    if (!Connue(reference))
        return 0;
    const int p = NouvellePersonne();
    if (p == 0)
        return 0;
    if (m_bd.Sex(reference) == SexeHomme)
        m_bd.SetFather(p, reference);
    else
        m_bd.SetMother(p, reference);
    m_bd.SetSex(p, SexeHomme);
    m_bd.SetSurname(p, m_bd.Surname(reference));
    // The other parent is found before the identity is asked, so that a
    // child of a woman takes her husband's name.
    CompleteLienEnfant(reference, p);
    if (Connue(m_bd.Father(p)))
        m_bd.SetSurname(p, m_bd.Surname(m_bd.Father(p)));
    Presente(reference, p, Options().Generation, 306, 307, false, true);
    return p;
}

int TRelatifs::AjouteConjoint(int reference)
{
    if (!Connue(reference))
        return 0;
    // Both slots are checked before anything is created, so that a full
    // union table leaves no spouse without a union behind (a full person
    // table is told by NouvellePersonne).
    if (m_bd.CanAddPerson() && !m_bd.CanAddUnion()) {
        AppMessageBox(MLText(TexteUnionsPleines), MsgAvertissement, BoutonsOk);
        return 0;
    }
    const int p = NouvellePersonne();
    if (p == 0)
        return 0;
    const bool homme = m_bd.Sex(reference) == SexeHomme;
    m_bd.SetSex(p, homme ? SexeFemme : SexeHomme);
    const int u = m_bd.NewUnion();
    m_bd.SetHusband(u, homme ? reference : p);
    m_bd.SetWife(u, homme ? p : reference);
    Presente(reference, p, 0, 308, 309, true, false);
    CompleteLienConjoint(reference, p);
    return p;
}

int TRelatifs::AjouteFratrie(int reference)
{
    if (!Connue(reference))
        return 0;
    const int p = NouvellePersonne();
    if (p == 0)
        return 0;
    m_bd.SetFather(p, m_bd.Father(reference));
    m_bd.SetMother(p, m_bd.Mother(reference));
    m_bd.SetSex(p, SexeHomme);
    m_bd.SetSurname(p, m_bd.Surname(reference));
    Presente(reference, p, 0, 310, 311, false, true);
    CompleteLienFratrie(reference, p);
    return p;
}

int TRelatifs::AjouteNouvelle()
{
    const int p = NouvellePersonne();
    if (p != 0)
        m_hote.MontreNouvelle(p, MLText(TexteNouvelle), true);
    return p;
}

// ---- Linking -----------------------------------------------------------------

bool TRelatifs::LiePere(int r, int p)
{
    if (!Connue(r) || !Connue(p) || r == p || !PoseParent(r, p, Pere))
        return false;
    CompleteLienPere(r, p);
    return true;
}

bool TRelatifs::LieMere(int r, int p)
{
    if (!Connue(r) || !Connue(p) || r == p || !PoseParent(r, p, Mere))
        return false;
    CompleteLienMere(r, p);
    return true;
}

bool TRelatifs::LieConjoint(int r, int p)
{
    if (!Connue(r) || !Connue(p) || r == p)
        return false;
    if (UnionOf(m_bd, r, p) == 0 && NouvelleUnion(r, p) == 0)
        return false;
    CompleteLienConjoint(r, p);
    return true;
}

bool TRelatifs::LieEnfant(int r, int p)
{
    if (!Connue(r) || !Connue(p) || r == p || !PoseParent(p, r, m_bd.Sex(r) == SexeHomme))
        return false;
    CompleteLienEnfant(r, p);
    return true;
}

bool TRelatifs::LieFratrie(int r, int p)
{
    if (!Connue(r) || !Connue(p) || r == p)
        return false;
    bool lie = false;
    for (const bool pere : {Pere, Mere}) {
        const int parentR = pere ? m_bd.Father(r) : m_bd.Mother(r);
        const int parentP = pere ? m_bd.Father(p) : m_bd.Mother(p);
        if (!Connue(parentP)) {
            if (Connue(parentR))
                lie = PoseParent(p, parentR, pere) || lie;
        } else if (!Connue(parentR)) {
            lie = PoseParent(r, parentP, pere) || lie;
        }
    }
    return lie;
}

// ---- Completion --------------------------------------------------------------

void TRelatifs::CompleteLienPere(int enfant, int pere)
{
    if (!Connue(enfant) || !Connue(pere))
        return;
    const int mere = m_bd.Mother(enfant);
    if (Connue(mere)) {
        if (UnionOf(m_bd, pere, mere) == 0 && Demande(320, {m_bd.FullName(enfant), m_bd.FullName(mere)}))
            NouvelleUnion(pere, mere);
        return;
    }
    const TR unions = UnionsOf(m_bd, pere);
    const bool unique = Options().LienAuto && unions.Count() == 1;
    for (const int u : unions) {
        if (Connue(m_bd.Mother(enfant)))
            break;
        const int femme = m_bd.Wife(u);
        if (!Connue(femme))
            continue;
        if (unique || Demande(321, {m_bd.FullName(m_bd.Husband(u)), m_bd.FullName(femme), m_bd.FullName(enfant)})) {
            if (PoseParent(enfant, femme, Mere) && HasSosaNumber(m_bd, enfant))
                PropagateSosaToMother(m_bd, enfant);
        }
    }
}

void TRelatifs::CompleteLienMere(int enfant, int mere)
{
    if (!Connue(enfant) || !Connue(mere))
        return;
    const int pere = m_bd.Father(enfant);
    if (Connue(pere)) {
        if (UnionOf(m_bd, pere, mere) == 0 && Demande(322, {m_bd.FullName(enfant), m_bd.FullName(pere)}))
            NouvelleUnion(pere, mere);
        return;
    }
    const TR unions = UnionsOf(m_bd, mere);
    const bool unique = Options().LienAuto && unions.Count() == 1;
    for (const int u : unions) {
        if (Connue(m_bd.Father(enfant)))
            break;
        const int mari = m_bd.Husband(u);
        if (!Connue(mari))
            continue;
        if (unique || Demande(323, {m_bd.FullName(m_bd.Wife(u)), m_bd.FullName(mari), m_bd.FullName(enfant)})) {
            if (PoseParent(enfant, mari, Pere) && HasSosaNumber(m_bd, enfant))
                PropagateSosaToFather(m_bd, enfant);
        }
    }
}

void TRelatifs::CompleteLienConjoint(int personne, int conjoint)
{
    if (!Connue(personne) || !Connue(conjoint))
        return;
    const int sexe = m_bd.Sex(personne);
    if (sexe != SexeHomme && sexe != SexeFemme)
        return;
    const bool homme = sexe == SexeHomme;
    const bool auto_ = Options().LienAuto;
    const auto propage = [this](int enfant, bool pere) {
        if (!HasSosaNumber(m_bd, enfant))
            return;
        if (pere)
            PropagateSosaToFather(m_bd, enfant);
        else
            PropagateSosaToMother(m_bd, enfant);
    };

    // The person's children whose other parent is missing: the spouse.
    for (const int enfant : ChildrenOf(m_bd, personne)) {
        const bool manque = homme ? !Connue(m_bd.Mother(enfant)) : !Connue(m_bd.Father(enfant));
        if (!manque)
            continue;
        if (auto_ || Demande(homme ? 324 : 325, {m_bd.FullName(personne), m_bd.FullName(enfant)})) {
            if (PoseParent(enfant, conjoint, !homme))
                propage(enfant, !homme);
        }
    }
    // The spouse's children whose other parent is missing: the person.
    for (const int enfant : ChildrenOf(m_bd, conjoint)) {
        const bool manque = homme ? !Connue(m_bd.Father(enfant)) : !Connue(m_bd.Mother(enfant));
        if (!manque)
            continue;
        if (auto_ || Demande(homme ? 326 : 327,
                             {m_bd.FullName(conjoint), m_bd.FullName(enfant), m_bd.FullName(personne)})) {
            if (PoseParent(enfant, personne, homme))
                propage(enfant, homme);
        }
    }
}

void TRelatifs::CompleteLienEnfant(int parent, int enfant)
{
    if (!Connue(parent) || !Connue(enfant))
        return;
    const int sexe = m_bd.Sex(parent);
    const TR unions = UnionsOf(m_bd, parent);
    const bool unique = Options().LienAuto && unions.Count() == 1;
    for (const int u : unions) {
        if (sexe == SexeHomme && !Connue(m_bd.Mother(enfant))) {
            const int femme = m_bd.Wife(u);
            if (Connue(femme) && (unique || Demande(328, {m_bd.FullName(parent), m_bd.FullName(femme)})))
                PoseParent(enfant, femme, Mere);
        } else if (sexe == SexeFemme && !Connue(m_bd.Father(enfant))) {
            const int mari = m_bd.Husband(u);
            if (Connue(mari) && (unique || Demande(329, {m_bd.FullName(parent), m_bd.FullName(mari)})))
                PoseParent(enfant, mari, Pere);
        }
    }

    const int pere = m_bd.Father(enfant);
    const int mere = m_bd.Mother(enfant);
    if (Connue(pere) && Connue(mere) && UnionOf(m_bd, pere, mere) == 0
        && Demande(330, {m_bd.FullName(mere), m_bd.FullName(pere), m_bd.FullName(enfant)})) {
        if (NouvelleUnion(mere, pere) != 0)
            CompleteLienConjoint(mere, pere);
    }
}

void TRelatifs::CompleteLienFratrie(int personne, int frere)
{
    if (!Connue(personne) || !Connue(frere))
        return;
    if (Connue(m_bd.Father(personne)) || Connue(m_bd.Mother(personne)))
        return;
    if (!Demande(331, {m_bd.FullName(personne)}))
        return;
    const int mere = NouvellePersonne();
    if (mere == 0)
        return;
    const QString aujourdhui = TodayDateText();
    m_bd.SetField(mere, PcCreation, aujourdhui);
    m_bd.SetField(mere, PcModification, aujourdhui);
    m_bd.SetSex(mere, SexeFemme);
    m_bd.SetSurname(mere, m_bd.Surname(personne));
    m_bd.SetGivenNames(mere, MLText(TexteMereCommune));
    if (Options().AjouteEve)
        DateNaissanceVers(personne, mere, -Options().Generation);
    PoseParent(personne, mere, Mere);
    PoseParent(frere, mere, Mere);
    if (HasSosaNumber(m_bd, personne))
        PropagateSosaToMother(m_bd, personne);
    m_hote.FicheAffiche();
}

// ---- Dates -------------------------------------------------------------------

void TRelatifs::DateNaissanceVers(int reference, int p, int annees)
{
    const int annee = DateYear(m_bd.BirthDate(reference));
    // A year before 1 cannot be written as a date.
    if (annee <= 0 || annee + annees < 1 || !Connue(p))
        return;
    if (!m_bd.SetBirthDate(p, QStringLiteral("vers ") + QString::number(annee + annees)))
        return;
    m_bd.SetPersonEventByType(p, NomsEvenements().Naissance, QStringLiteral("2"), EveQualite);
}
