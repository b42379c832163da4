#include "Recherche.h"

#include "BD.h"
#include "Dates.h"
#include "Options.h"
#include "Parente.h"

using namespace Qt::StringLiterals;

TFenetreAnnees FenetreAnnees(TModeRecherche mode, int annee, const TOptions &options)
{
    if (annee <= 0)
        return {};
    switch (mode) {
    case TModeRecherche::Simple:
        return {};
    case TModeRecherche::Pere:
    case TModeRecherche::Mere:
        return {annee - options.AgeEnfMax, annee - options.AgeEnfMin};
    case TModeRecherche::Conjoint:
        return {annee - options.EcartConjMax, annee + options.EcartConjMax};
    case TModeRecherche::Enfant:
        return {annee + options.AgeEnfMin, annee + options.AgeEnfMax};
    case TModeRecherche::Fratrie:
        return {annee - options.AgeEnfMax, annee + options.AgeEnfMax};
    }
    return {};
}

TTextesRecherche TextesRecherche(TModeRecherche mode, int sexeReference)
{
    const bool homme = sexeReference == SexeHomme;
    switch (mode) {
    case TModeRecherche::Simple:
        return {403, 402, 402};
    case TModeRecherche::Pere:
        return {404, 405, 406};
    case TModeRecherche::Mere:
        return {407, 408, 409};
    case TModeRecherche::Conjoint:
        return {410, homme ? 411 : 412, homme ? 413 : 414};
    case TModeRecherche::Enfant:
        return {415, homme ? 416 : 417, homme ? 418 : 419};
    case TModeRecherche::Fratrie:
        return {420, 421, 422};
    }
    return {};
}

namespace {

bool aUnParent(const TBD &bd, int parent)
{
    return parent != 0 && bd.PersonInUse(parent);
}

} // namespace

bool AccepteCandidat(const TBD &bd, const TCritereRecherche &c, int p, int anneeNaissance)
{
    if (!bd.PersonInUse(p))
        return false;
    if (c.Mode == TModeRecherche::Simple)
        return true;
    if (p == c.Reference)
        return false;
    const TFiche &f = bd.Fiche(p);
    switch (c.Mode) {
    case TModeRecherche::Simple:
        break;
    case TModeRecherche::Pere:
        if (f.Sexe == SexeFemme)
            return false;
        break;
    case TModeRecherche::Mere:
        if (f.Sexe == SexeHomme)
            return false;
        break;
    case TModeRecherche::Fratrie:
        if (aUnParent(bd, f.Pere) && aUnParent(bd, f.Mere))
            return false;
        break;
    case TModeRecherche::Enfant:
        // A reference of unknown sex becomes the mother on OK, as a woman
        // would: a child that has one already is not offered, or the link
        // would overwrite it.
        if (bd.Sex(c.Reference) == SexeHomme ? aUnParent(bd, f.Pere) : aUnParent(bd, f.Mere))
            return false;
        break;
    case TModeRecherche::Conjoint:
        if (f.Sexe == bd.Sex(c.Reference))
            return false;
        break;
    }
    if (!c.Tous && anneeNaissance > 0 && (anneeNaissance < c.Fenetre.Min || anneeNaissance > c.Fenetre.Max))
        return false;
    return true;
}

bool AccepteCandidat(const TBD &bd, const TCritereRecherche &c, int p)
{
    return AccepteCandidat(bd, c, p, DateYear(bd.BirthDate(p)));
}

QString LigneRecherche(const TBD &bd, int p, bool avecNom)
{
    QString date = bd.BirthDate(p);
    if (date.isEmpty()) {
        date = bd.GetPersonEventByType(p, NomsEvenements().Bapteme, EveDate);
        if (!date.isEmpty()) {
            date.prepend(u"b "_s);
        } else {
            for (int u : UnionsOf(bd, p)) {
                const QString mariage = bd.GetUnionEventByType(u, NomsEvenements().Mariage, EveDate);
                if (!mariage.isEmpty())
                    date = mariage;
            }
            if (!date.isEmpty())
                date.prepend(u"x "_s);
        }
    }
    const TFiche &f = bd.Fiche(p);
    // Appended piece by piece into one text: a line is made for every person
    // at the first search, and each intermediate text would cost an
    // allocation.
    QString ligne;
    ligne.reserve(f.Nom.size() + f.Prenoms.size() + date.size() + 3);
    if (avecNom) {
        ligne += f.Nom;
        ligne += u' ';
    }
    ligne += f.Prenoms;
    ligne += u"  ";
    ligne += date;
    return ligne;
}

// ---- Sorted orders --------------------------------------------------------

namespace {

TR personnesEnService(const TBD &bd)
{
    TR liste;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (bd.PersonInUse(p))
            liste.Add(p);
    }
    return liste;
}

} // namespace

TOrdresRecherche::TOrdresRecherche(const TBD &bd)
    : m_bd(bd)
{
}

void TOrdresRecherche::verifie()
{
    if (m_valide && m_revision == m_bd.Revision())
        return;
    m_revision = m_bd.Revision();
    m_valide = true;
    m_parNomComplet.clear();
    m_lignes.clear();
    m_nomCompletFait = false;
    m_lignesFaites = false;
    m_groupes.clear();
    m_groupeDe.clear();
    m_prenoms.clear();
    m_prenomsFaits.clear();
    m_groupesFaits = false;
    m_annees.clear();
    m_anneesFaites = false;
}

const std::vector<int> &TOrdresRecherche::ParNomComplet(TProgression *progression)
{
    verifie();
    if (m_nomCompletFait)
        return m_parNomComplet;
    TR liste = personnesEnService(m_bd);
    SortList(m_bd, liste, PcNomComplet, progression);
    m_parNomComplet.assign(liste.begin(), liste.end());
    m_nomCompletFait = true;
    return m_parNomComplet;
}

const QStringList &TOrdresRecherche::LignesParNomComplet(TProgression *progression)
{
    ParNomComplet(progression);
    if (m_lignesFaites)
        return m_lignes;
    // The lines are made once here: building 100,000 of them at every
    // keystroke would cost more than the filtering itself. They are made in
    // person order, the order of the tables in memory, then put in the
    // sorted order: made in the sorted order they would read the tables all
    // over, far slower.
    const int n = static_cast<int>(m_parNomComplet.size());
    if (progression)
        progression->Maximum(m_bd.PersonCount());
    std::vector<QString> parNumero(static_cast<size_t>(m_bd.PersonCount()) + 1);
    for (int p = 1; p <= m_bd.PersonCount(); ++p) {
        if (m_bd.PersonInUse(p))
            parNumero[static_cast<size_t>(p)] = LigneRecherche(m_bd, p, true);
        if (progression && p % 1000 == 0)
            progression->Position(p);
    }
    m_lignes.reserve(n);
    for (int p : m_parNomComplet)
        m_lignes.append(std::move(parNumero[static_cast<size_t>(p)]));
    if (progression)
        progression->Position(m_bd.PersonCount());
    m_lignesFaites = true;
    return m_lignes;
}

const std::vector<TOrdresRecherche::TGroupeNom> &TOrdresRecherche::GroupesNoms(TProgression *progression)
{
    verifie();
    if (m_groupesFaits)
        return m_groupes;
    TR liste = personnesEnService(m_bd);
    SortList(m_bd, liste, PcNom, progression);
    m_groupeDe.assign(static_cast<size_t>(m_bd.PersonCount()) + 1, -1);
    // The collation ignores case, so surnames that differ only by it come
    // out side by side and one comparison with the last group suffices.
    for (int p : liste) {
        const QString cle = m_bd.Fiche(p).Nom.toCaseFolded();
        if (m_groupes.empty() || m_groupes.back().Cle != cle)
            m_groupes.push_back({cle, {}});
        m_groupes.back().Personnes.push_back(p);
        m_groupeDe[static_cast<size_t>(p)] = static_cast<int>(m_groupes.size()) - 1;
    }
    m_prenoms.assign(m_groupes.size(), {});
    m_prenomsFaits.assign(m_groupes.size(), false);
    m_groupesFaits = true;
    return m_groupes;
}

int TOrdresRecherche::GroupeDe(int p)
{
    GroupesNoms();
    if (p < 1 || p >= static_cast<int>(m_groupeDe.size()))
        return -1;
    return m_groupeDe[static_cast<size_t>(p)];
}

const std::vector<int> &TOrdresRecherche::PrenomsDuGroupe(int g)
{
    static const std::vector<int> vide;
    GroupesNoms();
    if (g < 0 || g >= static_cast<int>(m_groupes.size()))
        return vide;
    const auto i = static_cast<size_t>(g);
    if (!m_prenomsFaits[i]) {
        TR liste;
        for (int p : m_groupes[i].Personnes)
            liste.Add(p);
        SortList(m_bd, liste, PcPrenoms);
        m_prenoms[i].assign(liste.begin(), liste.end());
        m_prenomsFaits[i] = true;
    }
    return m_prenoms[i];
}

int TOrdresRecherche::AnneeNaissance(int p)
{
    verifie();
    if (!m_anneesFaites) {
        m_annees.assign(static_cast<size_t>(m_bd.PersonCount()) + 1, 0);
        for (int q = 1; q <= m_bd.PersonCount(); ++q) {
            if (m_bd.PersonInUse(q))
                m_annees[static_cast<size_t>(q)] = DateYear(m_bd.BirthDate(q));
        }
        m_anneesFaites = true;
    }
    if (p < 1 || p >= static_cast<int>(m_annees.size()))
        return 0;
    return m_annees[static_cast<size_t>(p)];
}
