#include "AnniFete.h"

#include <algorithm>

#include <QFileInfo>
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
    // A day of a large base holds hundreds of entries, read at every start
    // of the reminder: the fields are cut from the text in place, and the
    // two usual kinds share one text each.
    static const QString anniversaire = u"Anniversaire"_s;
    static const QString fete = u"Fête"_s;
    auto genre = [](QStringView champ) {
        if (champ == anniversaire)
            return anniversaire;
        if (champ == fete)
            return fete;
        return champ.toString();
    };
    std::vector<TEntreeAnniFete> entrees;
    const QStringView t(texte);
    QStringView champs[3];
    int n = 0;
    qsizetype debut = 0;
    // What follows the last "|" is no closed field.
    for (qsizetype fin = t.indexOf(u'|'); fin >= 0; fin = t.indexOf(u'|', debut)) {
        champs[n++] = t.sliced(debut, fin - debut);
        debut = fin + 1;
        if (n == 3) {
            entrees.push_back({genre(champs[0]), champs[1].toString(), champs[2].toString()});
            n = 0;
        }
    }
    return entrees;
}

bool LitAnniFete(const QString &chemin, TAnniFete *anniFete, QString *erreur)
{
    // A file the settings reader cannot read reads as an empty one, which
    // would pass for a file without anniversaries.
    const TIniFile ini(chemin, TEncodage::Windows1252);
    if (const QString raison = QFileInfo::exists(chemin) ? ini.ReadError() : ObstacleLecture(chemin);
        !raison.isEmpty()) {
        if (erreur)
            *erreur = raison;
        return false;
    }
    TAnniFete lu;
    lu.NbreJour = std::clamp(ini.ReadInteger(section(), u"NbreJour"_s, NbreJourDefaut), 0, NbreJourMax);
    for (int mois = 1; mois <= 12; ++mois) {
        for (int jour = 1; jour <= 31; ++jour)
            lu.SetJour(mois, jour, ListeVersEntrees(ini.ReadString(section(), cle(mois, jour))));
    }
    *anniFete = std::move(lu);
    return true;
}

bool PersonneEnVie(const TBD &bd, int p, int ageMax)
{
    return PersonneEnVie(bd, p, ageMax, Aujourdhui());
}

bool PersonneEnVie(const TBD &bd, int p, int ageMax, const QDate &aujourdhui)
{
    if (!bd.PersonInUse(p) || !bd.DeathDate(p).isEmpty())
        return false;
    const QString naissance = bd.BirthDate(p);
    return !naissance.isEmpty() && AgeInYears(naissance, aujourdhui) <= ageMax;
}

bool EcritAnniFete(const QString &chemin, const TBD &bd, int nbreJour, int ageMax, QString *erreur)
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
    const QDate aujourdhui = Aujourdhui();
    for (int p = bd.NextPerson(0); p != 0; p = bd.NextPerson(p)) {
        if (!PersonneEnVie(bd, p, ageMax, aujourdhui))
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
