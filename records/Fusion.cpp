#include "Fusion.h"

#include "BD.h"
#include "Dates.h"
#include "Globales.h"
#include "Langue.h"
#include "Parente.h"

#include <vector>

namespace {

constexpr int TexteSexes = 7710;
constexpr int TexteParents = 7711;
constexpr int TexteTerminee = 7712;
constexpr int TextePersonnes = 7713;
constexpr int TexteAscendance = 7714;
constexpr int TexteEvenementsPleins = 7715;
constexpr int TexteUnionsPleines = 7716;
constexpr int TexteIssue = 7717;

const QString &Saut()
{
    static const QString saut = QStringLiteral("\r\n");
    return saut;
}

// A note with one more line; an empty note takes the line alone.
QString AjouteLigne(const QString &note, const QString &ligne)
{
    return note.isEmpty() ? ligne : note + Saut() + ligne;
}

// An event list of a person or a union, read and extended the same way.
struct TCible {
    bool Union;
    int Numero;

    int Compte(const TBD &bd) const
    {
        return Union ? bd.UnionEventCount(Numero) : bd.PersonEventCount(Numero);
    }
    int Entree(const TBD &bd, int i) const
    {
        return Union ? bd.UnionEventNumber(Numero, i) : bd.PersonEventNumber(Numero, i);
    }
    int Ajoute(TBD &bd) const
    {
        return Union ? bd.AddUnionEvent(Numero) : bd.AddPersonEvent(Numero);
    }
};

// The first event of the list with that type (letter case ignored), else a
// new one; 0 when the event table is full.
int Cible(TBD &bd, TCible liste, const QString &type)
{
    for (int i = 1; i <= liste.Compte(bd); ++i) {
        const int e = liste.Entree(bd, i);
        if (bd.EventInUse(e) && bd.EventField(e, EveType).compare(type, Qt::CaseInsensitive) == 0)
            return e;
    }
    return liste.Ajoute(bd);
}

// Carries the events of `source` (a list, read before anything is added to
// it) into the list `cible`. False when the event table filled up.
bool Reprend(TBD &bd, const std::vector<int> &source, TCible cible)
{
    for (int e : source) {
        if (!bd.EventInUse(e))
            continue;
        const QString type = bd.EventField(e, EveType);
        const int t = Cible(bd, cible, type);
        if (t == 0)
            return false;
        bd.SetEventField(t, EveType, type);
        QString note = bd.EventField(t, EveNote);
        if (!note.isEmpty())
            note += Saut() + MLText(TexteIssue);
        for (int champ : {EveDate, EveLieu, EveHeure}) {
            const QString valeur = bd.EventField(e, champ);
            if (bd.EventField(t, champ).isEmpty())
                bd.SetEventField(t, champ, valeur);
            else if (!valeur.isEmpty())
                note = AjouteLigne(note, valeur);
        }
        const QString noteSource = bd.EventField(e, EveNote);
        if (!noteSource.isEmpty())
            note = AjouteLigne(note, noteSource);
        bd.SetEventField(t, EveNote, note);
    }
    return true;
}

int Numero(const TBD &bd, int p)
{
    bool ok = false;
    const int n = bd.GetField(p, PcNumerotation).trimmed().toInt(&ok);
    return ok ? n : -1;
}

} // namespace

bool FusionFaite(TResultatFusion resultat)
{
    return resultat == TResultatFusion::Faite || resultat == TResultatFusion::EvenementsPleins
        || resultat == TResultatFusion::UnionsPleines;
}

int TexteFusion(TResultatFusion resultat)
{
    switch (resultat) {
    case TResultatFusion::Faite:
        return TexteTerminee;
    case TResultatFusion::EvenementsPleins:
        return TexteEvenementsPleins;
    case TResultatFusion::UnionsPleines:
        return TexteUnionsPleines;
    case TResultatFusion::PersonnesInvalides:
        return TextePersonnes;
    case TResultatFusion::SexesDifferents:
        return TexteSexes;
    case TResultatFusion::ParentsDifferents:
        return TexteParents;
    case TResultatFusion::Ascendance:
        return TexteAscendance;
    }
    return TexteTerminee;
}

int UnionFusion(TBD &bd, int a, int b)
{
    // A union with a missing partner would stay empty in the table.
    if (!bd.PersonInUse(a) || !bd.PersonInUse(b) || bd.Sex(a) == bd.Sex(b))
        return 0;
    if (const int u = UnionOf(bd, a, b))
        return u;
    const int u = bd.NewUnion();
    if (u == 0)
        return 0;
    const int n = Numero(bd, b);
    if (bd.Sex(b) == SexeHomme) {
        bd.SetHusband(u, b);
        bd.SetWife(u, a);
        if (n > 0)
            bd.SetField(a, PcNumerotation, QString::number(n + 1));
    } else {
        bd.SetHusband(u, a);
        bd.SetWife(u, b);
        if (n > 0)
            bd.SetField(a, PcNumerotation, QString::number(n - 1));
    }
    return u;
}

TResultatFusion FusionneFiches(TBD &bd, int premier, int second)
{
    if (premier == second || !bd.PersonInUse(premier) || !bd.PersonInUse(second))
        return TResultatFusion::PersonnesInvalides;
    if (bd.Sex(premier) != bd.Sex(second))
        return TResultatFusion::SexesDifferents;
    const int pere1 = bd.Father(premier), pere2 = bd.Father(second);
    const int mere1 = bd.Mother(premier), mere2 = bd.Mother(second);
    if ((pere1 != 0 && pere2 != 0 && pere1 != pere2) || (mere1 != 0 && mere2 != 0 && mere1 != mere2))
        return TResultatFusion::ParentsDifferents;
    // Merging a person with an ancestor would tie the parent links into a
    // loop (the merged person his own parent at some depth).
    if (IsAncestorOf(bd, premier, second) || IsAncestorOf(bd, second, premier))
        return TResultatFusion::Ascendance;

    TResultatFusion resultat = TResultatFusion::Faite;
    BaseModifiee = 1;

    // Names.
    const QString nom2 = bd.Surname(second);
    if (bd.Surname(premier) != nom2)
        bd.SetSurname(premier, bd.Surname(premier) + QStringLiteral(" | ") + nom2);
    if (bd.GivenNames(premier) != bd.GivenNames(second))
        bd.SetGivenNames(premier, bd.GivenNames(premier) + QStringLiteral(" | ") + bd.GivenNames(second));
    bd.SetSurname(second, QStringLiteral("(double à supprimer) ") + nom2);
    bd.SetField(premier, PcModification, TodayDateText());

    // Parents.
    if (pere2 != 0)
        bd.SetFather(premier, pere2);
    else
        bd.SetFather(second, pere1);
    if (mere2 != 0)
        bd.SetMother(premier, mere2);
    else
        bd.SetMother(second, mere1);
    const int pere = bd.Father(premier), mere = bd.Mother(premier);
    if (bd.PersonInUse(pere) && bd.PersonInUse(mere) && bd.Sex(pere) != bd.Sex(mere)
        && UnionFusion(bd, pere, mere) == 0)
        resultat = TResultatFusion::UnionsPleines;

    // Children: the link that names the second names the first now.
    const std::vector<int> enfants = bd.IndexEnfants(second);
    for (int c : enfants) {
        if (bd.Father(c) == second)
            bd.SetFather(c, premier);
        if (bd.Mother(c) == second)
            bd.SetMother(c, premier);
    }

    // Events.
    bool plein = !Reprend(bd, std::vector<int>(bd.Fiche(second).Evenements), {false, premier});

    // Note.
    const QString note2 = bd.GetField(second, PcNote);
    if (!note2.isEmpty())
        bd.SetField(premier, PcNote,
                    AjouteLigne(bd.GetField(premier, PcNote), MLText(TexteIssue)) + Saut() + note2);

    // Unions.
    for (int u : UnionsOf(bd, second)) {
        const int conjoint = bd.Sex(premier) == SexeHomme ? bd.Wife(u) : bd.Husband(u);
        if (!bd.PersonInUse(conjoint))
            continue;
        const int cible = UnionFusion(bd, premier, conjoint);
        if (cible == 0) {
            if (bd.Sex(premier) != bd.Sex(conjoint) && resultat == TResultatFusion::Faite)
                resultat = TResultatFusion::UnionsPleines;
            continue;
        }
        if (!plein)
            plein = !Reprend(bd, std::vector<int>(bd.Union(u).Evenements), {true, cible});
    }
    return plein ? TResultatFusion::EvenementsPleins : resultat;
}
