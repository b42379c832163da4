#include "Verification.h"

#include "BD.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "TfmNote.h"

#include <vector>

namespace {

constexpr int TexteAvertissement = 7700;
constexpr int TexteAucunProbleme = 7701;
constexpr int TexteHorsLimite = 7702;
constexpr int TexteDouble = 7703;
constexpr int TexteNonDouble = 7704;
constexpr int TexteRevalide = 7705;
constexpr int TexteUnionDe = 7706;
constexpr int TexteLUnion = 7707;
constexpr int TexteOrphelin = 7708;

enum class TGenre { Aucun, Personne, Union };

// Who listed an event first. The kind is kept with the number so that a
// line names the real earlier owner, a person and a union being numbered
// apart.
struct TProprietaire {
    TGenre Genre = TGenre::Aucun;
    int Numero = 0;
};

// The append-only mode lasts exactly as long as the walk, however it ends.
class TAjoutSeul final
{
public:
    explicit TAjoutSeul(TBD &bd) : m_bd(bd) { m_bd.SetAppendOnly(true); }
    ~TAjoutSeul() { m_bd.SetAppendOnly(false); }
    TAjoutSeul(const TAjoutSeul &) = delete;
    TAjoutSeul &operator=(const TAjoutSeul &) = delete;

private:
    TBD &m_bd;
};

// One event list, a person's or a union's, seen through the same calls.
struct TListeEve {
    TGenre Genre;
    int Numero;

    int Compte(const TBD &bd) const
    {
        return Genre == TGenre::Personne ? bd.PersonEventCount(Numero) : bd.UnionEventCount(Numero);
    }
    int Entree(const TBD &bd, int i) const
    {
        return Genre == TGenre::Personne ? bd.PersonEventNumber(Numero, i) : bd.UnionEventNumber(Numero, i);
    }
    void Retire(TBD &bd, int i) const
    {
        if (Genre == TGenre::Personne)
            bd.DetachPersonEvent(Numero, i);
        else
            bd.DetachUnionEvent(Numero, i);
    }
    int Ajoute(TBD &bd) const
    {
        return Genre == TGenre::Personne ? bd.AddPersonEvent(Numero) : bd.AddUnionEvent(Numero);
    }
};

class TVerification final
{
public:
    explicit TVerification(TBD &bd)
        : m_bd(bd), m_depart(bd.EventCount())
    {
        m_proprietaires.resize(static_cast<size_t>(m_depart) + 1);
        m_cree.resize(static_cast<size_t>(m_depart) + 1, false);
    }

    QStringList Lance()
    {
        const TAjoutSeul ajoutSeul(m_bd);
        for (int p = 1; p <= m_bd.PersonCount(); ++p) {
            if (m_bd.PersonInUse(p))
                Parcourt({TGenre::Personne, p});
        }
        for (int u = 1; u <= m_bd.UnionCount(); ++u) {
            if (m_bd.UnionInUse(u))
                Parcourt({TGenre::Union, u});
        }
        for (int e = 1; e <= m_bd.EventCount(); ++e) {
            if (m_bd.EventInUse(e) && Proprietaire(e).Genre == TGenre::Aucun) {
                m_rapport << MLFormat(TexteOrphelin, {m_bd.EventField(e, EveType), m_bd.EventField(e, EveDate)});
                m_bd.ClearEvent(e);
            }
        }
        return m_rapport;
    }

private:
    TProprietaire &Proprietaire(int e)
    {
        if (static_cast<int>(m_proprietaires.size()) <= e)
            m_proprietaires.resize(static_cast<size_t>(e) + 1);
        return m_proprietaires[static_cast<size_t>(e)];
    }

    // The events made by the run lie beyond the table's count at the start;
    // a number there is sound only in the one list it was appended to, the
    // first time it is met.
    bool DansLaTable(int e)
    {
        if (e < 1 || e > m_bd.EventCount())
            return false;
        if (e <= m_depart)
            return true;
        return e < static_cast<int>(m_cree.size()) && m_cree[static_cast<size_t>(e)]
            && Proprietaire(e).Genre == TGenre::Aucun;
    }

    QString Nom(TProprietaire qui) const
    {
        if (qui.Genre == TGenre::Personne)
            return m_bd.FullName(qui.Numero);
        return MLFormat(TexteUnionDe, {m_bd.FullName(m_bd.Husband(qui.Numero)), m_bd.FullName(m_bd.Wife(qui.Numero))});
    }

    // How a cross-linked line names the earlier owner.
    QString NomProprietaire(TProprietaire qui) const
    {
        if (qui.Genre == TGenre::Personne)
            return m_bd.FullName(qui.Numero);
        return MLFormat(TexteLUnion, {m_bd.FullName(m_bd.Husband(qui.Numero)), m_bd.FullName(m_bd.Wife(qui.Numero))});
    }

    void Parcourt(TListeEve liste)
    {
        const TProprietaire moi{liste.Genre, liste.Numero};
        int i = 1;
        while (i <= liste.Compte(m_bd)) {
            const int e = liste.Entree(m_bd, i);
            // The type is read through the entry, so that a number outside
            // the table gives an empty type.
            const QString type = m_bd.EventField(e, EveType);
            if (!DansLaTable(e)) {
                m_rapport << MLFormat(TexteHorsLimite, {Nom(moi), type});
                liste.Retire(m_bd, i);
                continue;
            }
            const TProprietaire avant = Proprietaire(e);
            if (avant.Genre != TGenre::Aucun) {
                const int copie = liste.Ajoute(m_bd);
                if (copie == 0) {
                    // Removing the entry would lose the event for this owner:
                    // it stays listed twice, and the user is told so.
                    m_rapport << MLFormat(TexteNonDouble, {Nom(moi), type, NomProprietaire(avant)});
                    ++i;
                    continue;
                }
                Cree(copie);
                m_bd.CopyEvent(e, copie);
                liste.Retire(m_bd, i);
                m_rapport << MLFormat(TexteDouble, {Nom(moi), type, NomProprietaire(avant)});
                continue;
            }
            if (!m_bd.EventInUse(e)) {
                m_rapport << MLFormat(TexteRevalide, {Nom(moi), type});
                m_bd.SetEventInUse(e, true);
                continue;
            }
            Proprietaire(e) = moi;
            ++i;
        }
    }

    void Cree(int e)
    {
        if (static_cast<int>(m_cree.size()) <= e)
            m_cree.resize(static_cast<size_t>(e) + 1, false);
        m_cree[static_cast<size_t>(e)] = true;
    }

    TBD &m_bd;
    const int m_depart;
    std::vector<TProprietaire> m_proprietaires;
    std::vector<bool> m_cree;
    QStringList m_rapport;
};

} // namespace

QStringList VerifieBase(TBD &bd)
{
    const QStringList rapport = TVerification(bd).Lance();
    if (!rapport.isEmpty())
        BaseModifiee = 1;
    return rapport;
}

bool VerificationBase(TBD &bd, QWidget *parent)
{
    if (AppMessageBox(MLText(TexteAvertissement), MsgAvertissement, BoutonsOuiNon) != ReponseOui)
        return false;
    QStringList rapport = VerifieBase(bd);
    if (rapport.isEmpty()) {
        AppMessageBox(MLText(TexteAucunProbleme), MsgInformation, BoutonsOk);
        return false;
    }
    EditeNote(parent, rapport);
    return true;
}
