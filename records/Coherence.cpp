#include "Coherence.h"

#include "BD.h"
#include "Dates.h"
#include "Langue.h"
#include "Listes.h"
#include "Options.h"
#include "Parente.h"

using namespace Qt::StringLiterals;

namespace {

bool aUneAnnee(const QString &date)
{
    return DateYear(date) != 0;
}

// A date without a year (empty, or a text that is no date) cannot contradict
// anything: both tests pass on it. Treating only empty texts so would let a
// stray word in a date field raise messages about dates nobody gave.
bool strictementAvant(const QString &a, const QString &b)
{
    if (!aUneAnnee(a) || !aUneAnnee(b))
        return true;
    return CompareDates(a, b) == 2;
}

bool pasApres(const QString &a, const QString &b)
{
    if (!aUneAnnee(a) || !aUneAnnee(b))
        return true;
    return CompareDates(a, b) != 1;
}

class TMessages
{
public:
    void Ajoute(int numero)
    {
        m_texte += MLText(numero) + u"\r\n"_s;
        ++m_nombre;
    }
    int Nombre() const { return m_nombre; }
    QString &Texte() { return m_texte; }

private:
    QString m_texte;
    int m_nombre = 0;
};

void controleParents(const TBD &bd, int p, const QString &naissance, TMessages &messages)
{
    const int pere = bd.Father(p);
    const int mere = bd.Mother(p);
    if (!strictementAvant(bd.GetField(pere, PcNaissanceDate), naissance))
        messages.Ajoute(901);
    if (!strictementAvant(bd.GetField(mere, PcNaissanceDate), naissance))
        messages.Ajoute(902);
    if (!pasApres(naissance, bd.GetField(pere, PcDecesDate)))
        messages.Ajoute(903);
    if (!pasApres(naissance, bd.GetField(mere, PcDecesDate)))
        messages.Ajoute(904);
}

void controleAgeParent(const QString &naissanceParent, const QString &naissance,
                       const TOptions &limites, int tropJeune, TMessages &messages)
{
    if (!aUneAnnee(naissanceParent))
        return;
    const int age = YearsBetween(naissanceParent, naissance);
    if (age < limites.AgeEnfMin)
        messages.Ajoute(tropJeune);
    else if (age > limites.AgeEnfMax)
        messages.Ajoute(tropJeune + 1);
}

void controlePersonne(const TBD &bd, int p, const QString &naissance, const TOptions &limites,
                      TMessages &messages)
{
    const QString deces = bd.GetField(p, PcDecesDate);
    const QString inhumation = bd.GetField(p, PcInhumationDate);
    if (!pasApres(naissance, bd.GetField(p, PcBaptemeDate)))
        messages.Ajoute(907);
    const bool decesApresNaissance = pasApres(naissance, deces);
    if (!decesApresNaissance)
        messages.Ajoute(908);
    if (!pasApres(naissance, inhumation))
        messages.Ajoute(909);
    if (aUneAnnee(inhumation) && aUneAnnee(deces) && DaysBetween(inhumation, deces) > 7)
        messages.Ajoute(910);
    // The parents were born before the person here: no parent message was
    // found, so the ages below are never negative.
    controleAgeParent(bd.GetField(bd.Father(p), PcNaissanceDate), naissance, limites, 911, messages);
    controleAgeParent(bd.GetField(bd.Mother(p), PcNaissanceDate), naissance, limites, 913, messages);
    // YearsBetween ignores the order of its dates: a death before the birth
    // (908) must not also read as a great age.
    if (aUneAnnee(deces) && decesApresNaissance && YearsBetween(naissance, deces) > limites.AgeDecesMax)
        messages.Ajoute(915);
}

void controleUnion(const TBD &bd, int p, int u, const QString &naissance, const TOptions &limites,
                   TMessages &messages)
{
    const QString mariage = bd.GetUnionField(u, UcMariageDate);
    const QString divorce = bd.GetUnionField(u, UcDivorceDate);
    const bool neAvantMariage = strictementAvant(naissance, mariage);
    if (!neAvantMariage)
        messages.Ajoute(916);
    else if (!strictementAvant(naissance, divorce))
        messages.Ajoute(917);
    if (!strictementAvant(mariage, divorce))
        messages.Ajoute(918);
    if (!pasApres(mariage, bd.GetField(p, PcDecesDate)))
        messages.Ajoute(919);
    // A marriage before the birth (916) has no age to compare with the limits.
    if (aUneAnnee(mariage) && neAvantMariage) {
        const int age = YearsBetween(mariage, naissance);
        if (age > limites.AgeMarMax)
            messages.Ajoute(920);
        else if (age < limites.AgeMarMin)
            messages.Ajoute(921);
    }
    const int conjoint = bd.Sex(p) == SexeHomme ? bd.Wife(u) : bd.Husband(u);
    const QString naissanceConjoint = bd.GetField(conjoint, PcNaissanceDate);
    if (!aUneAnnee(naissanceConjoint))
        return;
    const bool tropEcartes = YearsBetween(naissanceConjoint, naissance) > limites.EcartConjMax;
    switch (CompareDates(naissance, naissanceConjoint)) {
    case 2: // the spouse is younger
        if (tropEcartes)
            messages.Ajoute(922);
        break;
    case 1: // the spouse is older
        if (tropEcartes)
            messages.Ajoute(923);
        break;
    default:
        break;
    }
}

} // namespace

QString ControleCoherence(const TBD &bd, int p)
{
    return ControleCoherence(bd, p, Options());
}

QString ControleCoherence(const TBD &bd, int p, const TOptions &limites)
{
    const QString naissance = bd.GetField(p, PcNaissanceDate);
    if (!aUneAnnee(naissance))
        return QString();

    TMessages messages;
    controleParents(bd, p, naissance, messages);
    const int messagesParents = messages.Nombre();
    // Text 906 is the plural heading: three or four parent messages take it
    // too rather than going without a heading.
    if (messagesParents == 1)
        messages.Texte().prepend(MLText(905) + u"\r\n"_s);
    else if (messagesParents >= 2)
        messages.Texte().prepend(MLText(906) + u"\r\n"_s);
    else
        controlePersonne(bd, p, naissance, limites, messages);

    const TR unions = UnionsOf(bd, p);
    for (int i = 1; i <= unions.Count(); ++i)
        controleUnion(bd, p, unions.Get(i), naissance, limites, messages);
    return messages.Texte();
}
