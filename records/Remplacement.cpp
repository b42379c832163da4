#include "Remplacement.h"

#include "BD.h"
#include "Champs.h"
#include "Dates.h"
#include "Listes.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

namespace {

// The progress moves every that many persons or events.
constexpr int PasProgression = 50;

QString AvecPremiereMajuscule(const QString &valeur)
{
    if (valeur.isEmpty())
        return valeur;
    const bool paire = valeur.size() > 1 && valeur[0].isHighSurrogate() && valeur[1].isLowSurrogate();
    const char32_t premier = paire ? QChar::surrogateToUcs4(valeur[0], valeur[1]) : valeur[0].unicode();
    const char32_t titre = QChar::toTitleCase(premier);
    return QString::fromUcs4(&titre, 1) + valeur.mid(paire ? 2 : 1).toLower();
}

int ChampEvenement(int donnee)
{
    switch (donnee) {
    case RempEvenement:
        return EveType;
    case RempDate:
        return EveDate;
    case RempLieu:
        return EveLieu;
    case RempNote:
        return EveNote;
    default:
        return 0;
    }
}

const QString &TexteEvenement(const TEve &e, int champ)
{
    switch (champ) {
    case EveType:
        return e.Type;
    case EveDate:
        return e.Date;
    case EveLieu:
        return e.Lieu;
    default:
        return e.Note;
    }
}

void Avance(TProgression *progression, int i)
{
    if (progression && i % PasProgression == 0)
        progression->Position(i);
}

// Stamps today as the update date of the persons that own a changed event:
// the person of a person event, husband and wife of a union event.
void DatePossesseurs(TBD &bd, const std::vector<char> &changes, const QString &aujourdhui)
{
    const auto touche = [&](const std::vector<int> &evenements) {
        for (int e : evenements)
            if (e > 0 && e < static_cast<int>(changes.size()) && changes[static_cast<size_t>(e)])
                return true;
        return false;
    };
    for (int p = 1; p <= bd.PersonCount(); ++p)
        if (bd.PersonInUse(p) && touche(bd.Fiche(p).Evenements))
            bd.SetField(p, PcModification, aujourdhui);
    for (int u = 1; u <= bd.UnionCount(); ++u) {
        if (!bd.UnionInUse(u) || !touche(bd.Union(u).Evenements))
            continue;
        for (int p : {bd.Husband(u), bd.Wife(u)})
            if (bd.PersonInUse(p))
                bd.SetField(p, PcModification, aujourdhui);
    }
}

} // namespace

QString Transforme(const QString &valeur, const TRemplacement &r)
{
    switch (r.Operation) {
    case TOperationRemp::Minuscule:
        return valeur.toLower();
    case TOperationRemp::Majuscule:
        return valeur.toUpper();
    case TOperationRemp::PremiereMajuscule:
        return AvecPremiereMajuscule(valeur);
    case TOperationRemp::Remplace:
        return valeur.compare(r.Recherche, Qt::CaseInsensitive) == 0 ? r.Par : valeur;
    case TOperationRemp::Aucune:
        break;
    }
    return valeur;
}

QString ValeurVide()
{
    return u" (Vide)"_s;
}

void TCompteValeurs::CompteValeur(const QString &valeur)
{
    const QString &v = valeur.isEmpty() ? ValeurVide() : valeur;
    const auto it = m_lignes.constFind(v);
    if (it != m_lignes.constEnd()) {
        ++m_valeurs[static_cast<size_t>(*it)].Compte;
        return;
    }
    m_lignes.insert(v, static_cast<int>(m_valeurs.size()));
    m_valeurs.push_back({v, 1});
}

std::vector<TValeurUtilisee> CompteValeurs(const TBD &bd, int donnee, const QString &champ,
                                           TProgression *progression)
{
    TCompteValeurs compte;
    if (donnee >= RempNom && donnee <= RempContenuChamp) {
        if (progression)
            progression->Maximum(bd.PersonCount());
        for (int p = 1; p <= bd.PersonCount(); ++p) {
            Avance(progression, p);
            if (!bd.PersonInUse(p))
                continue;
            const TFiche &f = bd.Fiche(p);
            switch (donnee) {
            case RempNom:
                compte.CompteValeur(f.Nom);
                break;
            case RempPrenom:
                compte.CompteValeur(f.Prenoms);
                break;
            case RempNomChamp:
                if (!f.Champs.isEmpty())
                    for (const TEntreeChamp &e : DecoupeChamps(f.Champs))
                        compte.CompteValeur(e.Libelle);
                break;
            default:
                compte.CompteValeur(bd.GetAttribute(p, champ));
            }
        }
    } else if (const int c = ChampEvenement(donnee)) {
        if (progression)
            progression->Maximum(bd.EventCount());
        for (int e = 1; e <= bd.EventCount(); ++e) {
            Avance(progression, e);
            if (bd.EventInUse(e))
                compte.CompteValeur(TexteEvenement(bd.Event(e), c));
        }
    }
    if (progression)
        progression->Position(0);
    return compte.Valeurs();
}

int RemplaceValeurs(TBD &bd, int donnee, const QString &champ, const TRemplacement &r, TProgression *progression)
{
    if (r.Operation == TOperationRemp::Aucune)
        return 0;
    const QString aujourdhui = TodayDateText();
    int changees = 0;
    if (donnee >= RempNom && donnee <= RempContenuChamp) {
        if (progression)
            progression->Maximum(bd.PersonCount());
        for (int p = 1; p <= bd.PersonCount(); ++p) {
            Avance(progression, p);
            if (!bd.PersonInUse(p))
                continue;
            const TFiche &f = bd.Fiche(p);
            int n = 0;
            switch (donnee) {
            case RempNom:
                if (const QString v = Transforme(f.Nom, r); v != f.Nom) {
                    bd.SetSurname(p, v);
                    n = 1;
                }
                break;
            case RempPrenom:
                if (const QString v = Transforme(f.Prenoms, r); v != f.Prenoms) {
                    bd.SetGivenNames(p, v);
                    n = 1;
                }
                break;
            case RempNomChamp: {
                if (f.Champs.isEmpty())
                    break;
                TTableChamps table = DecoupeChamps(f.Champs);
                for (TEntreeChamp &e : table) {
                    const QString v = SansSeparateur(Transforme(e.Libelle, r));
                    if (v != e.Libelle) {
                        e.Libelle = v;
                        ++n;
                    }
                }
                // Joined again only when a label changed: the writer drops
                // the entries without a value.
                if (n > 0)
                    bd.SetField(p, PcChamps, AssembleChamps(table));
                break;
            }
            default: {
                const QString avant = bd.GetAttribute(p, champ);
                const QString v = SansSeparateur(Transforme(avant, r));
                if (v != avant && bd.SetAttribute(p, champ, v))
                    n = 1;
            }
            }
            if (n > 0) {
                bd.SetField(p, PcModification, aujourdhui);
                changees += n;
            }
        }
    } else if (const int c = ChampEvenement(donnee)) {
        if (progression)
            progression->Maximum(bd.EventCount());
        std::vector<char> changes(static_cast<size_t>(bd.EventCount()) + 1, 0);
        for (int e = 1; e <= bd.EventCount(); ++e) {
            Avance(progression, e);
            if (!bd.EventInUse(e))
                continue;
            const QString &avant = TexteEvenement(bd.Event(e), c);
            if (const QString v = Transforme(avant, r); v != avant) {
                bd.SetEventField(e, c, v);
                changes[static_cast<size_t>(e)] = 1;
                ++changees;
            }
        }
        if (changees > 0)
            DatePossesseurs(bd, changes, aujourdhui);
    }
    if (progression)
        progression->Position(0);
    return changees;
}
