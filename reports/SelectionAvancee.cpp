#include "SelectionAvancee.h"

#include "Ini.h"

using namespace Qt::StringLiterals;

namespace {

const QString SectionSelection = u"Selection"_s;

QString cle(const char *nom, int n)
{
    return QLatin1String(nom) + u' ' + QString::number(n);
}

TR filtre(const TR &source, const TCritere &critere, const TExpandeur &expandeur)
{
    return FilterListByTest(source, critere.Code, critere.Valeur, critere.Test, expandeur);
}

} // namespace

QString TexteTest(int test)
{
    static const std::array<QString, NbTestsSelection> textes = {
        u"texte égal à"_s,       u"texte différent de"_s, u"texte contient"_s,
        u"texte ne contient"_s,  u"texte commence par"_s, u"texte inférieur à"_s,
        u"texte supérieur à"_s,  u"date égale à"_s,       u"date différente de"_s,
        u"date inférieure à"_s,  u"date supérieure à"_s,  u"nombre égal à"_s,
        u"nombre différent de"_s, u"nombre inférieur à"_s, u"nombre supérieur à"_s,
    };
    if (test < 0 || test >= NbTestsSelection)
        return QString();
    return textes[static_cast<size_t>(test)];
}

QString TexteJonction(int jonction)
{
    switch (jonction) {
    case JonctionVide:
        return u"(vide)"_s;
    case JonctionEt:
        return u"ET"_s;
    case JonctionOu:
        return u"OU"_s;
    default:
        return QString();
    }
}

TR Joint(const TR &a, const TR &b, int jonction)
{
    switch (jonction) {
    case JonctionEt:
        return IntersectLists(a, b);
    case JonctionOu:
        return UniteLists(a, b);
    default:
        return a;
    }
}

TR EvalueSelection(const TR &source, const TSelectionAvancee &selection, const TExpandeur &expandeur)
{
    TR resultat = filtre(source, selection.Criteres[0], expandeur);
    for (size_t j = 0; j < selection.Jonctions.size(); ++j) {
        const int jonction = selection.Jonctions[j];
        if (jonction != JonctionEt && jonction != JonctionOu)
            break;
        resultat = Joint(resultat, filtre(source, selection.Criteres[j + 1], expandeur), jonction);
    }
    return resultat;
}

void EcritSelection(TIniFile &ini, const TSelectionAvancee &selection)
{
    ini.WriteInteger(u"Lignee"_s, u"Version"_s, 2);
    ini.WriteString(SectionSelection, u"Rech"_s, selection.Source == SourceTous ? u"Tous"_s : u"Rapport"_s);
    ini.WriteString(SectionSelection, u"Titre"_s, selection.Titre);
    for (int n = 1; n <= 3; ++n) {
        const TCritere &c = selection.Criteres[static_cast<size_t>(n - 1)];
        ini.WriteString(SectionSelection, cle("Code", n), c.Code);
        ini.WriteInteger(SectionSelection, cle("Test", n), c.Test);
        ini.WriteString(SectionSelection, cle("Valeur", n), c.Valeur);
        if (n < 3) {
            const int j = selection.Jonctions[static_cast<size_t>(n - 1)];
            ini.WriteString(SectionSelection, cle("EtOu", n),
                            j == JonctionOu ? u"OU"_s : (j == JonctionEt ? u"ET"_s : u"vide"_s));
        }
    }
}

TSelectionAvancee LitSelection(const TIniFile &ini)
{
    TSelectionAvancee s;
    s.Source = ini.ReadString(SectionSelection, u"Rech"_s).compare(u"Tous"_s, Qt::CaseInsensitive) == 0
                   ? SourceTous
                   : SourceRapport;
    s.Titre = ini.ReadString(SectionSelection, u"Titre"_s);
    for (int n = 1; n <= 3; ++n) {
        TCritere &c = s.Criteres[static_cast<size_t>(n - 1)];
        c.Code = ini.ReadString(SectionSelection, cle("Code", n));
        c.Valeur = ini.ReadString(SectionSelection, cle("Valeur", n));
        bool nombre = false;
        const qlonglong test = ini.ReadString(SectionSelection, cle("Test", n)).toLongLong(&nombre);
        // A hand-edited test number would otherwise choose nothing the test
        // list can show, and compare by a rule nobody chose.
        c.Test = !nombre ? 0 : (test >= -1 && test < NbTestsSelection ? static_cast<int>(test) : -1);
        if (n < 3) {
            const QString j = ini.ReadString(SectionSelection, cle("EtOu", n), u"X"_s);
            s.Jonctions[static_cast<size_t>(n - 1)] = j.compare(u"ET"_s, Qt::CaseInsensitive) == 0   ? JonctionEt
                                                      : j.compare(u"OU"_s, Qt::CaseInsensitive) == 0 ? JonctionOu
                                                                                                      : JonctionVide;
        }
    }
    return s;
}
