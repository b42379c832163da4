#pragma once

#include <array>
#include <limits>
#include <vector>

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListView;
class QStringListModel;
class TBD;

// ---- Completion candidates ---------------------------------------------

// Where the proposals of the completion list come from.
enum class TGenreSaisie {
    Noms,    // surnames (person field PcNom) of the persons in use
    Prenoms, // given names (person field PcPrenoms) of the persons in use
    Lieux,   // places (event field EveLieu) of the events in use
    Champ,   // values of one user-defined field of the persons in use
};

struct TSourceSaisie {
    TGenreSaisie Genre = TGenreSaisie::Noms;
    // Places only: the item of the option cbSaisieLieu (Options().SaisieLieu):
    // 0 the whole place as stored, 1 the country, 2 the region, 3 the postal
    // code or département, 4 the commune, 5 the locality (the parts of
    // SplitPlace, trimmed). Any other number reads as 0.
    int PartieLieu = 0;
    // User-defined field only: its label (letter case ignored, as
    // TBD::GetAttribute) and the person whose value is never proposed (the
    // current person; 0 for none).
    QString Libelle;
    int Exclu = 0;
};

// A maximum that never empties the list.
inline constexpr int SaisieIllimitee = std::numeric_limits<int>::max();

// The proposals for a typed text. Candidates are the non-empty values of the
// source, taken once each (equal texts compared with letter case: "Dupont"
// and "DUPONT" are two values), sorted alphabetically (French collation,
// case and accents weighing after the letters, code order between texts that
// collate equal).
// - tout false: only the values that begin with `saisi` and are not equal to
//   it, both compared without letter case. When `maximum` such values or
//   more exist the result is empty: a prefix that is too short proposes
//   nothing, so at most maximum - 1 values come back. A maximum below 1 is
//   taken as 1; SaisieIllimitee keeps every match.
// - tout true: every value; saisi and maximum are ignored.
QStringList CandidatsSaisie(const TBD &bd, const TSourceSaisie &source, const QString &saisi,
                            bool tout, int maximum);

// ---- The completion window ---------------------------------------------

// The input completion list (caption "Aide à la saisie (F3 pour tout
// afficher)"): a small stay-on-top tool window that drops down under the
// edit it serves and proposes, in its list lbListe (a QListView over a
// string list model), values already in the database that begin with what
// was typed. It never takes the focus:
// the edit keeps it, and while the list is shown for an edit the window
// watches that edit's keys:
//   Up / Down    select the previous / next line (Up does nothing on the
//                first line or when no line is selected yet);
//   Esc, Tab     close the list;
//   Enter        copies the selected line into the edit (which then
//                signals its change) and closes the list; with no line
//                selected it only closes the list.
// These keys are swallowed; every other key (F3 included) reaches the edit
// and its owner as usual. A mouse press on a line acts as Enter on that line.
//
// The Liste* calls fill and show the window for an edit; they read
// Options().SaisieNomMax (most proposals while typing) and
// Options().SaisieLieu at the moment of the call:
// - tout false (called at each change of the edit): the values beginning
//   with the typed text (CandidatsSaisie). While the list is not open for
//   this edit, SaisieNomMax is the maximum (at most SaisieNomMax - 1 values,
//   none when there are more); once it is open for this edit, every match.
// - tout true (F3): when the list is not open for this edit, every value
//   beginning with the typed text, without maximum; when it is open for this
//   edit, every value of the source.
// With no proposal the window hides; otherwise its caption (language text
// 642) gives their number and it is placed just under the edit.
//
// The window keeps the sorted values of each source between calls. Call
// Invalide() after any change of the database that may change them (a name,
// a place or a user-defined field written, persons or events added or
// removed, another database loaded); until then the proposals may miss that
// change. The database must outlive the window; edits are not owned, and one
// destroyed while served simply closes the list.
class TfmListe final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmListe)

public:
    explicit TfmListe(TBD &bd, QWidget *parent = nullptr);
    ~TfmListe() override;

    // Names list for an edit holding a surname (code PcNom) or given names
    // (PcPrenoms); any other code closes the list.
    void ListeNoms(QLineEdit *edit, int code, bool tout);
    // Places list for an edit holding a place.
    void ListeLieux(QLineEdit *edit, bool tout);
    // Values of the user-defined field `libelle` for the edit, the typed text
    // being `saisi` (the edit may hold more than the value); the value of
    // person `personne` (the current person) is never proposed.
    void ListeChamp(QLineEdit *edit, const QString &libelle, const QString &saisi, int personne,
                    bool tout);

    // Hides the window (it stays attached to its edit until the next Liste*
    // call). Other windows call it to close the list.
    void Ferme();
    // Forgets the values kept between calls.
    void Invalide();

    // True while the window is shown.
    bool Ouverte() const;
    // The edit served last; null when none or when it was destroyed.
    QLineEdit *Edit() const;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;
    void changeEvent(QEvent *evenement) override;
    bool event(QEvent *evenement) override;

private:
    // Sorted distinct values of one source over the whole database.
    struct Cache {
        bool Valide = false;
        TSourceSaisie Source;
        std::vector<QString> Valeurs;
    };

    void Remplit(QLineEdit *edit, const TSourceSaisie &source, QString saisi, bool tout);
    QStringList Valeurs(const TSourceSaisie &source, const QString &saisi, bool tout, int maximum,
                        bool garde);
    void Sert(QLineEdit *edit);
    void Affiche(const QStringList &candidats);
    // Places the window under (or above) the edit, by its frame.
    void Place();
    // Places the window again when its frame, only guessed when it was
    // placed, is now told by the window system.
    void VerifieCadre();
    int Ligne() const;
    void SelectionneLigne(int ligne);
    bool EditKeyDown(int touche);
    void lbListeMouseDown(int ligne);

    TBD &m_bd;
    QListView *m_lbListe = nullptr;
    QStringListModel *m_lignes = nullptr; // lbListe's lines
    QPointer<QLineEdit> m_edit;
    // The same edit as a plain object, for the event filter: events still
    // arrive while the edit is being destroyed, when it is no longer a
    // QLineEdit. Only compared, never used.
    const QObject *m_editFiltre = nullptr;
    QMetaObject::Connection m_finEdit; // closes the list when the edit goes
    std::array<Cache, 4> m_caches; // by TGenreSaisie
    bool m_active = false;         // the window held the activation
    bool m_cadreConnu = false;     // the window system has told the frame
    bool m_cadreEstime = false;    // placed by a guessed frame, to place again
};
