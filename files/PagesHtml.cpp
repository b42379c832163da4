#include "PagesHtml.h"

#include <unordered_set>
#include <vector>

#include <QDir>
#include <QFileInfo>

#include "BD.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Html.h"
#include "Langue.h"
#include "Modeles.h"
#include "Parente.h"
#include "Style.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

namespace {

// A language text, escaped, with its one argument already in HTML.
QString texteHtml(int numero, const QString &francais, const QString &argumentHtml)
{
    return FormatTexte(EchappeHtml(MLTextOu(numero, francais)), {argumentHtml});
}

// The Sosa number of a parent of the person numbered n: 2n for the father,
// 2n + 1 for the mother, in decimal digits, so that it stays exact beyond
// the 64 generations a machine integer holds.
QString sosaParent(const QString &n, bool mere)
{
    QString r(n.size() + 1, u'0');
    int retenue = mere ? 1 : 0;
    for (qsizetype i = n.size() - 1, j = r.size() - 1; i >= 0; --i, --j) {
        const int chiffre = n.at(i).digitValue() * 2 + retenue;
        r[j] = QChar(u'0' + chiffre % 10);
        retenue = chiffre / 10;
    }
    r[0] = QChar(u'0' + retenue);
    return retenue ? r : r.mid(1);
}

// One place of a generation: an ancestor, or the missing father or mother
// of the person `enfant` (Personne 0).
struct TPlace {
    int Personne = 0;
    QString Sosa;
    int Enfant = 0;
    bool Mere = false;
};

class TPageAscendance
{
public:
    TPageAscendance(const TBD &bd, bool fratrie, bool conjoints, const QString &complement)
        : m_bd(bd), m_fratrie(fratrie), m_conjoints(conjoints), m_complement(complement)
    {
    }

    // The generations from p upward, each a list of places in Sosa order.
    std::vector<std::vector<TPlace>> Parcours(int p, int generations) const
    {
        std::vector<std::vector<TPlace>> g{{TPlace{p, u"1"_s, 0, false}}};
        // Each ancestor is walked once: a second line to it (implex) or a
        // loop in the parent links would otherwise repeat it, or double the
        // work at every generation.
        std::unordered_set<int> vus{p};
        for (int n = 1; n < generations; ++n) {
            std::vector<TPlace> suivante;
            for (const TPlace &place : g.back()) {
                if (place.Personne == 0)
                    continue;
                for (const bool mere : {false, true}) {
                    const int parent = mere ? m_bd.Mother(place.Personne) : m_bd.Father(place.Personne);
                    const QString sosa = sosaParent(place.Sosa, mere);
                    if (!m_bd.PersonInUse(parent))
                        suivante.push_back({0, sosa, place.Personne, mere});
                    else if (vus.insert(parent).second)
                        suivante.push_back({parent, sosa, place.Personne, mere});
                }
            }
            if (suivante.empty())
                break;
            g.push_back(std::move(suivante));
        }
        return g;
    }

    // A name with the complement, escaped.
    QString Nom(int p) const
    {
        QString nom = m_bd.FullName(p);
        if (!m_complement.isEmpty()) {
            const QString plus = ExpandTemplate(m_bd, p, m_complement);
            if (!plus.isEmpty())
                nom += u' ' + plus;
        }
        return EchappeHtml(nom);
    }

    // The name cell of an ancestor, with its siblings and other partners
    // when asked for.
    QString Cellule(const TPlace &place) const
    {
        QString cellule = Nom(place.Personne);
        if (m_fratrie) {
            const TR freres = SiblingsOf(m_bd, place.Personne);
            if (!freres.IsEmpty())
                cellule += u"<br><span class=\"fratrie\">"_s + texteHtml(8512, u"Fratrie : %1"_s, noms(freres))
                           + u"</span>"_s;
        }
        if (m_conjoints) {
            // The other parent of the child is the partner the page already
            // shows beside this ancestor.
            const int autreParent = place.Enfant == 0 ? 0
                                    : place.Mere      ? m_bd.Father(place.Enfant)
                                                      : m_bd.Mother(place.Enfant);
            TR autres;
            for (int c : SpousesOf(m_bd, place.Personne)) {
                if (c != autreParent && !autres.Contains(c))
                    autres.Add(c);
            }
            if (!autres.IsEmpty()) {
                const QString liste = noms(autres);
                cellule += u"<br><span class=\"conjoints\">"_s
                           + (place.Enfant == 0 ? texteHtml(8513, u"Conjoints : %1"_s, liste)
                                                : texteHtml(8514, u"Autres conjoints : %1"_s, liste))
                           + u"</span>"_s;
            }
        }
        return cellule;
    }

private:
    QString noms(const TR &liste) const
    {
        QStringList n;
        for (int x : liste)
            n << Nom(x);
        return n.join(u", "_s);
    }

    const TBD &m_bd;
    bool m_fratrie;
    bool m_conjoints;
    QString m_complement;
};

QString ligne(const QString &sosa, const QString &cellule, const QString &classe = QString(),
              const QString &manque = QString())
{
    QString r = classe.isEmpty() ? u"<tr>"_s : u"<tr class=\""_s + classe + u"\">"_s;
    r += u"<td class=\"sosa\">"_s + sosa + u"</td><td>"_s + cellule + u"</td>"_s;
    if (!manque.isEmpty())
        r += u"<td>"_s + manque + u"</td>"_s;
    return r + u"</tr>"_s;
}

} // namespace

QString DossierExportHtml()
{
    return DossierGenealogie + u"html/"_s;
}

QString PageAscendance(const TBD &bd, int p, int generations, int sorte, bool fratrie, bool conjoints,
                       const QString &complement)
{
    if (!bd.PersonInUse(p) || sorte < AscendanceParGenerations || sorte > AscendantsManquants)
        return QString();
    const TPageAscendance page(bd, fratrie, conjoints, complement);
    const std::vector<std::vector<TPlace>> parcours = page.Parcours(p, std::max(generations, 1));
    const bool manquants = sorte == AscendantsManquants;

    QStringList lignes;
    lignes << u"<div class=\"ascendance\">"_s;
    lignes << u"<h2>"_s
                  + (manquants ? texteHtml(8517, u"Ascendants manquants de %1"_s, EchappeHtml(bd.FullName(p)))
                               : texteHtml(8510, u"Ascendance de %1"_s, EchappeHtml(bd.FullName(p))))
                  + u"</h2>"_s;
    const QString entete = u"<thead><tr><td>"_s + EchappeHtml(MLTextOu(103, u"Sosa"_s)) + u"</td><td>"_s
                           + EchappeHtml(MLTextOu(8522, u"Nom"_s)) + u"</td>"_s
                           + (manquants ? u"<td>"_s + EchappeHtml(MLTextOu(8523, u"Parent manquant"_s)) + u"</td>"_s
                                        : QString())
                           + u"</tr></thead>"_s;

    int lignesManquants = 0;
    for (size_t g = 0; g < parcours.size(); ++g) {
        QStringList rangees;
        if (manquants) {
            // The parents of the last generation asked for are not part of
            // the page: whether they are known does not matter here.
            if (static_cast<int>(g) + 1 >= generations)
                break;
            for (const TPlace &place : parcours[g]) {
                if (place.Personne == 0)
                    continue;
                const bool pere = !bd.PersonInUse(bd.Father(place.Personne));
                const bool mere = !bd.PersonInUse(bd.Mother(place.Personne));
                if (!pere && !mere)
                    continue;
                const QString manque = pere && mere ? MLTextOu(8520, u"père et mère inconnus"_s)
                                       : pere       ? MLTextOu(8518, u"père inconnu"_s)
                                                    : MLTextOu(8519, u"mère inconnue"_s);
                rangees << ligne(place.Sosa, page.Cellule(place), QString(), EchappeHtml(manque));
            }
            lignesManquants += static_cast<int>(rangees.size());
        } else {
            for (const TPlace &place : parcours[g]) {
                if (place.Personne != 0)
                    rangees << ligne(place.Sosa, page.Cellule(place));
                else if (sorte == AscendanceAvecAbsents)
                    rangees << ligne(place.Sosa,
                                     place.Mere ? texteHtml(8516, u"Mère inconnue de %1"_s, page.Nom(place.Enfant))
                                                : texteHtml(8515, u"Père inconnu de %1"_s, page.Nom(place.Enfant)),
                                     u"absent"_s);
            }
        }
        if (rangees.isEmpty())
            continue;
        lignes << u"<h3>"_s + texteHtml(8511, u"Génération %1"_s, QString::number(g + 1)) + u"</h3>"_s;
        lignes << u"<table>"_s << entete << u"<tbody>"_s;
        lignes << rangees;
        lignes << u"</tbody>"_s << u"</table>"_s;
    }
    if (manquants && lignesManquants == 0)
        lignes << u"<p>"_s + EchappeHtml(MLTextOu(8521, u"Aucun ascendant ne manque."_s)) + u"</p>"_s;
    lignes << u"</div>"_s;
    return lignes.join(u'\n');
}

QString NomPageHtmlLibre(const QString &base)
{
    const QString dossier = DossierExportHtml();
    for (int n = 1;; ++n) {
        const QString chemin = dossier + base + QString::number(n) + u".htm"_s;
        if (!QFileInfo::exists(chemin))
            return chemin;
    }
}

bool EcritPageHtml(const QString &chemin, const QString &titre, const QString &corps, QString *erreur)
{
    const QString dossier = QFileInfo(chemin).absolutePath();
    if (!QDir().mkpath(dossier)) {
        if (erreur)
            *erreur = u"Impossible de créer le dossier %1"_s.arg(QDir::toNativeSeparators(dossier));
        return false;
    }
    THtml html(StyleOptions());
    html.DebutPage(titre);
    html.Ajoute(corps);
    html.FinPage();
    return html.Enregistre(chemin, erreur);
}

void AffichePageHtml(const QString &chemin)
{
    Dialogues().AffichePage(chemin);
}
