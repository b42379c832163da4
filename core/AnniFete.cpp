#include "AnniFete.h"

#include <algorithm>

#include <QHash>
#include <QStringList>

#include "BD.h"
#include "Dates.h"
#include "Fichiers.h"
#include "Ini.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

namespace {

const QString &section()
{
    static const QString s = u"AnniFete"_s;
    return s;
}

QString cle(int mois, int jour)
{
    return u"j%1m%2"_s.arg(jour).arg(mois);
}

bool jourValide(int mois, int jour)
{
    return mois >= 1 && mois <= 12 && jour >= 1 && jour <= 31;
}

QString champ(const QString &texte)
{
    return SansSeparateur(texte).trimmed() + u'|';
}

} // namespace

const std::vector<TEntreeAnniFete> &TAnniFete::Jour(int mois, int jour) const
{
    static const std::vector<TEntreeAnniFete> vide;
    return jourValide(mois, jour) ? m_jours[mois - 1][jour - 1] : vide;
}

void TAnniFete::SetJour(int mois, int jour, std::vector<TEntreeAnniFete> entrees)
{
    if (jourValide(mois, jour))
        m_jours[mois - 1][jour - 1] = std::move(entrees);
}

std::vector<TEntreeAnniFete> ListeVersEntrees(const QString &texte)
{
    // What follows the last "|" is no closed field.
    QStringList champs = texte.split(u'|');
    champs.removeLast();
    std::vector<TEntreeAnniFete> entrees;
    for (qsizetype i = 0; i + 2 < champs.size(); i += 3)
        entrees.push_back({champs[i], champs[i + 1], champs[i + 2]});
    return entrees;
}

bool LitAnniFete(const QString &chemin, TAnniFete *anniFete)
{
    if (!ObstacleLecture(chemin).isEmpty())
        return false;
    const TIniFile ini(chemin, TEncodage::Windows1252);
    TAnniFete lu;
    lu.NbreJour = std::clamp(ini.ReadInteger(section(), u"NbreJour"_s, NbreJourDefaut), 0, NbreJourMax);
    for (int mois = 1; mois <= 12; ++mois) {
        for (int jour = 1; jour <= 31; ++jour)
            lu.SetJour(mois, jour, ListeVersEntrees(ini.ReadString(section(), cle(mois, jour))));
    }
    *anniFete = std::move(lu);
    return true;
}

bool EcritAnniFete(const QString &chemin, const TBD &bd, int nbreJour, QString *erreur)
{
    // The days of each given name of the name-day table, looked up once.
    QHash<QString, std::vector<std::pair<int, int>>> joursDuPrenom;
    const TTableFetes &fetes = TableFetes();
    for (int mois = 1; mois <= 12; ++mois) {
        for (int jour = 1; jour <= 31; ++jour) {
            for (const QString &prenom : fetes.Get(mois, jour).split(u',', Qt::SkipEmptyParts)) {
                const QString p = prenom.trimmed().toCaseFolded();
                if (!p.isEmpty())
                    joursDuPrenom[p].push_back({mois, jour});
            }
        }
    }

    QString anniversaires[12][31];
    QString noms[12][31];
    for (int p = bd.NextPerson(0); p != 0; p = bd.NextPerson(p)) {
        if (!bd.DeathDate(p).isEmpty())
            continue;
        const TQualifiedDate n = SplitQualifiedDate(bd.BirthDate(p));
        if (!n.Qualif.isEmpty() || n.Jour == 0)
            continue;
        const QString nom = champ(bd.FullName(p));
        anniversaires[n.Mois - 1][n.Jour - 1] += u"Anniversaire|"_s + nom + QString::number(n.Annee) + u'|';
        const auto jours = joursDuPrenom.constFind(PrenomUsuel(bd.GivenNames(p)).trimmed().toCaseFolded());
        if (jours == joursDuPrenom.cend())
            continue;
        for (const auto &[mois, jour] : *jours)
            noms[mois - 1][jour - 1] += u"Fête|"_s + nom + u'|';
    }

    TIniFile ini(chemin, TEncodage::Windows1252);
    ini.EraseSection(section());
    ini.WriteInteger(section(), u"NbreJour"_s, std::clamp(nbreJour, 0, NbreJourMax));
    for (int mois = 1; mois <= 12; ++mois) {
        for (int jour = 1; jour <= 31; ++jour) {
            const QString valeur = anniversaires[mois - 1][jour - 1] + noms[mois - 1][jour - 1];
            if (!valeur.isEmpty())
                ini.WriteString(section(), cle(mois, jour), valeur);
        }
    }
    if (ini.UpdateFile())
        return true;
    if (erreur)
        *erreur = ini.ErrorString();
    return false;
}
