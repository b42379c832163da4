#pragma once

#include <QString>
#include <vector>

// The family database: four fixed-capacity tables of persons, unions, events
// and sources. Every record is reached by its 1-based slot number; 0 means
// "none". A slot is in use or free; the high-water count of a table is the
// highest slot number ever used since the database was emptied.
//
// Accessors never fail on a bad number: reading a slot that does not exist
// gives an empty value, writing to it does nothing and returns false.

constexpr int MaxPersonnes = 100000;
constexpr int MaxUnions = 50000;
constexpr int MaxEvenements = 50000;
constexpr int MaxSources = 50000;

// Sex bytes.
constexpr int SexeHomme = 0;
constexpr int SexeFemme = 1;
constexpr int SexeInconnu = 2;

// Field numbers of an event.
enum EveChamp {
    EveType = 1,
    EveDate = 2,
    EveHeure = 3,
    EveLieu = 4,
    EveNote = 5,
    EveQualite = 6,
};

// Field numbers of a source; the last two only through a person's list.
enum SrcChamp {
    SrcTitre = 1,
    SrcGenre = 2,
    SrcNote = 3,
    SrcFichier = 4,     // file path, then "|x|y|legend" for each picture legend
    SrcNumero = 5,      // the source number (person source lists only)
    SrcCheminSeul = 6,  // the file path before the first "|"
};

// Person field codes of GetField and SetField.
enum PersChamp {
    PcSexe = 0,          // "H", "F" or "I"
    PcNumero = 1,        // the person number (read only)
    PcNom = 2,
    PcPrenoms = 3,
    PcPere = 4,          // father's number
    PcMere = 5,          // mother's number
    PcNaissanceDate = 6,
    PcNaissanceLieu = 7,
    PcNaissanceNote = 8,
    PcBaptemeDate = 9,
    PcBaptemeLieu = 10,
    PcBaptemeNote = 11,
    PcDecesDate = 12,
    PcDecesLieu = 13,
    PcDecesNote = 14,
    PcInhumationDate = 15,
    PcInhumationLieu = 16,
    PcInhumationNote = 17,
    PcNote = 18,
    PcStatutPere = 19,   // 0..3
    PcStatutMere = 20,   // 0..3
    PcCreation = 21,
    PcModification = 22,
    PcChamps = 23,       // user-defined fields text
    PcPlie = 24,         // fold byte
    PcNomComplet = 25,   // surname, a blank, given names (read only)
    PcNumerotation = 26, // Sosa or d'Aboville numbers
    PcProfession = 27,
    PcPrenomUsuel = 28,  // principal given name (read only)
    PcDernier = 28,
};

// Union field codes of GetUnionField and SetUnionField.
enum UnionChamp {
    UcMari = 1,
    UcFemme = 2,
    UcMariageDate = 3,
    UcDivorceDate = 4,
    UcMariageLieu = 5,
    UcDivorceLieu = 6,
    UcMariageNote = 7,
};

struct TFiche {
    bool EnService = false;
    int Plie = 0;             // non-zero: the tree stops at this person
    int Sexe = SexeHomme;     // SexeHomme, SexeFemme or SexeInconnu
    QString Nom;
    QString Prenoms;
    int Pere = 0;
    int Mere = 0;
    int StatutPere = 0;       // certainty of the father link, 0 (sure) .. 3
    int StatutMere = 0;
    QString Note;
    QString Creation;         // date texts
    QString Modification;
    QString Champs;           // user-defined fields: "kind|label|value|" ...
    QString Numerotation;
    std::vector<int> Evenements; // event numbers, in the person's order
    std::vector<int> Sources;    // source numbers
};

struct TUnion {
    bool EnService = false;
    int Mari = 0;
    int Femme = 0;
    std::vector<int> Evenements;
};

struct TEve {
    bool EnService = false;
    QString Type;
    QString Date;
    QString Heure;
    QString Lieu;
    QString Note;
    QString Qualite = QStringLiteral("0"); // certainty 0..3 as text
};

struct TSrc {
    bool EnService = false;
    QString Titre;
    QString Genre;
    QString Note;
    QString Fichier;
};

// Names of the event types the database looks up by name. They come from the
// language file; the French words are the defaults.
struct TNomsEvenements {
    QString Naissance = QStringLiteral("Naissance");
    QString Bapteme = QStringLiteral("Baptême");
    QString Deces = QStringLiteral("Décès");
    QString Inhumation = QStringLiteral("Inhumation");
    QString Mariage = QStringLiteral("Mariage");
    QString Divorce = QStringLiteral("Divorce");
    QString Profession = QStringLiteral("Profession"); // user-defined field
};
const TNomsEvenements &NomsEvenements();
void SetNomsEvenements(const TNomsEvenements &noms);

// The principal given name of a given-names text: the part between double
// quotes when there is one, else up to the first "," or blank.
QString PrenomUsuel(const QString &prenoms);

class TBD final
{
public:
    TBD();

    // Empties every table and resets the high-water counts.
    void Clear();

    // ---- Counts and allocation ------------------------------------------
    int PersonCount() const { return m_nbPers; }
    int UnionCount() const { return m_nbUnions; }
    int EventCount() const { return m_nbEve; }
    int SourceCount() const { return m_nbSrc; }
    // While set, new persons, unions and events always take the slot after the
    // high-water count instead of the first free one.
    bool AppendOnly() const { return m_ajoutSeul; }
    void SetAppendOnly(bool on) { m_ajoutSeul = on; }
    // True when NewPerson / NewUnion would give a slot now.
    bool CanAddPerson() const;
    bool CanAddUnion() const;
    // Changes at every change of a person, union or event, and when the
    // database is emptied: a view that caches what it computed from the
    // database compares it with the number it saw then. The number is drawn
    // from a counter shared by every database of the process, so two
    // different contents never have the same number, even when one database
    // replaces another with the same record counts; a copy has its
    // original's number until either changes.
    quint64 Revision() const { return m_revision; }

    // ---- Records in place (read only; a bad number gives an empty record)
    const TFiche &Fiche(int p) const;
    const TUnion &Union(int u) const;
    const TEve &Event(int e) const;
    const TSrc &Source(int s) const;

    // Puts whole records into given slots, raising the high-water counts;
    // for readers that rebuild a database. False for a slot outside the
    // table. Lists of numbers are stored as given, unchecked.
    bool PlaceFiche(int p, TFiche f);
    bool PlaceUnion(int u, TUnion un);
    bool PlaceEvent(int e, TEve ev);
    bool PlaceSource(int s, TSrc src);
    // For the same readers, which know a table's high-water count before its
    // records: room is made once for slots 1..n, so that placing them does
    // not move the table again and again. Counts and contents do not change;
    // n is brought into 0..the capacity of the table.
    void ReservePersons(int n);
    void ReserveUnions(int n);
    void ReserveEvents(int n);
    void ReserveSources(int n);

    // ---- Persons --------------------------------------------------------
    bool PersonInUse(int p) const;
    // Nearest slot in use below / above p (NextPerson(0) is the first); 0
    // when none.
    int PrevPerson(int p) const;
    int NextPerson(int p) const;
    // A new cleared person in the first free slot (see AppendOnly); 0 when
    // the table is full.
    int NewPerson();
    // Clears the slot and frees the person's events; links from other
    // persons and unions to it are left as they are.
    void ClearPerson(int p);
    // Unlinks the person from its children and its unions, then clears it.
    void DeletePerson(int p);

    int Sex(int p) const; // SexeInconnu for a bad number
    bool SetSex(int p, int sexe);
    QString Surname(int p) const;
    bool SetSurname(int p, const QString &nom);
    QString GivenNames(int p) const;
    bool SetGivenNames(int p, const QString &prenoms);
    // Surname, a blank and the principal given name, the blank kept when
    // either part is empty ("DUPONT ", " Jean"); empty for a number that is
    // no person slot (below 1 or above PersonCount).
    QString FullName(int p) const;
    int Father(int p) const;
    int Mother(int p) const;
    // Set without any check of n.
    bool SetFather(int p, int n);
    bool SetMother(int p, int n);
    int FatherLinkStatus(int p) const;
    int MotherLinkStatus(int p) const;
    // Statuses outside 0..3 are stored as 0.
    bool SetFatherLinkStatus(int p, int statut);
    bool SetMotherLinkStatus(int p, int statut);
    int TreeFold(int p) const;
    bool SetTreeFold(int p, int plie);

    // A person field by its code (PersChamp); empty for a bad person or code.
    QString GetField(int p, int code) const;
    // Sets a person field from text. Read-only codes (1, 25, 28) and bad
    // numbers return false, as does an event field that needs a new event
    // slot when the event table is full.
    bool SetField(int p, int code, const QString &texte);

    QString BirthDate(int p) const;
    // Creates the birth event when missing; false when the event table is full.
    bool SetBirthDate(int p, const QString &date);
    QString DeathDate(int p) const;
    QString BirthPlace(int p) const;
    QString DeathPlace(int p) const;
    QString Profession(int p) const;

    // User-defined field of that name (letter case ignored); empty when none.
    QString GetAttribute(int p, const QString &nom) const;
    // Adds the field as a text field when missing and removes it when the
    // value is empty. A "|" in the name or the value would break the fields
    // text and is stored as a blank (SansSeparateur).
    bool SetAttribute(int p, const QString &nom, const QString &valeur);

    // ---- Unions ---------------------------------------------------------
    bool UnionInUse(int u) const;
    // A new cleared union; 0 when the table is full.
    int NewUnion();
    // A new union of two persons, the wife being the one whose sex is
    // SexeFemme; 0 when the table is full.
    int NewUnionOf(int a, int b);
    // Frees the union and its events and clears husband and wife.
    void ClearUnion(int u);
    // True when the union is in use with husband and wife both set. Changes
    // nothing.
    bool CheckUnion(int u) const;
    int Husband(int u) const;
    bool SetHusband(int u, int p);
    int Wife(int u) const;
    bool SetWife(int u, int p);
    // A union field by its code (UnionChamp); empty for a bad union or code.
    QString GetUnionField(int u, int code) const;
    bool SetUnionField(int u, int code, const QString &texte);
    QString MarriageDate(int u) const;

    // ---- Events ---------------------------------------------------------
    bool EventInUse(int e) const;
    // A field (EveChamp) of event slot e; empty for a bad number.
    QString EventField(int e, int champ) const;
    bool SetEventField(int e, int champ, const QString &texte);
    // Marks the slot free, clears its texts and sets its quality to "0".
    void ClearEvent(int e);
    // Copies the fields of one event slot into another in use.
    bool CopyEvent(int source, int cible);

    // Events of a person; i is 1-based in the person's list.
    int PersonEventCount(int p) const;
    // Event number of entry i; 0 for a bad index (the number itself may be
    // bad when the list came from a damaged file).
    int PersonEventNumber(int p, int i) const;
    QString GetPersonEventField(int p, int i, int champ) const;
    bool SetPersonEventField(int p, int i, const QString &texte, int champ);
    // The field of the first event of that type (case ignored); empty when none.
    QString GetPersonEventByType(int p, const QString &type, int champ) const;
    // Sets the field of that same first event, adding the event when missing
    // and the text is not empty. False when the event table is full.
    bool SetPersonEventByType(int p, const QString &type, const QString &texte, int champ);
    // Number of a new cleared event appended to the list; 0 when full.
    int AddPersonEvent(int p);
    // Frees entry i's event and removes the entry.
    void RemovePersonEvent(int p, int i);
    // Removes entry i without freeing the event.
    void DetachPersonEvent(int p, int i);
    // Appends an existing event number to the list.
    bool AttachPersonEvent(int p, int e);

    // The same for a union's event list.
    int UnionEventCount(int u) const;
    int UnionEventNumber(int u, int i) const;
    QString GetUnionEventField(int u, int i, int champ) const;
    bool SetUnionEventField(int u, int i, const QString &texte, int champ);
    QString GetUnionEventByType(int u, const QString &type, int champ) const;
    bool SetUnionEventByType(int u, const QString &type, const QString &texte, int champ);
    int AddUnionEvent(int u);
    void RemoveUnionEvent(int u, int i);
    void DetachUnionEvent(int u, int i);
    bool AttachUnionEvent(int u, int e);

    // ---- Sources --------------------------------------------------------
    bool SourceInUse(int s) const;
    // A new cleared source slot tied to no person; 0 when full.
    int NewSource();
    // A field (SrcTitre .. SrcFichier, or SrcCheminSeul) of a source slot.
    QString SourceField(int s, int champ) const;
    bool SetSourceField(int s, int champ, const QString &texte);

    // Sources of a person; i is 1-based.
    int PersonSourceCount(int p) const;
    int PersonSourceNumber(int p, int i) const;
    // Field of the i-th source (SrcChamp, SrcNumero and SrcCheminSeul included).
    QString GetPersonSourceField(int p, int i, int champ) const;
    // A new source slot appended to the person's list; its number, 0 when full.
    int AddPersonSource(int p);
    // Appends source s to the person's list; false when listed already or bad.
    bool LinkSource(int p, int s);
    // Removes entry i from the person's list; the source itself stays.
    void RemovePersonSource(int p, int i);

    // ---- Raw event slots, for the verification and the record merge -----
    // Marks event slot e (1..EventCount) in use or free without touching
    // its fields; false for a slot outside the table. A slot freed this way
    // may be taken by the next new event unless AppendOnly is set.
    bool SetEventInUse(int e, bool enService);
    // True when a new event would get a slot now (see AppendOnly).
    bool CanAddEvent() const;

    // ---- Indexes for the relatives queries ------------------------------
    // Persons whose father or mother is p, ascending, each once.
    const std::vector<int> &IndexEnfants(int p) const;
    // Unions whose husband or wife is p, ascending, each once.
    const std::vector<int> &IndexUnions(int p) const;

private:
    TFiche *FicheModif(int p);
    TUnion *UnionModif(int u);
    TEve *EveModif(int e);
    int NouvelEvenement();
    int EvenementParType(const std::vector<int> &liste, const QString &type) const;
    bool SetEventByType(std::vector<int> &liste, const QString &type, const QString &texte, int champ);

    static void Relie(std::vector<std::vector<int>> &index, int cle, int valeur);
    void DelieEnfant(int parent, int enfant);
    void DelieUnion(int personne, int u);
    void AssureIndex() const;

    std::vector<TFiche> m_fiches;   // slot 0 unused
    std::vector<TUnion> m_unions;
    std::vector<TEve> m_eves;
    std::vector<TSrc> m_srcs;
    int m_nbPers = 0;
    int m_nbUnions = 0;
    int m_nbEve = 0;
    int m_nbSrc = 0;
    bool m_ajoutSeul = false;
    quint64 m_revision = 0;
    // No free slot lies below these numbers.
    int m_librePers = 1;
    int m_libreUnion = 1;
    int m_libreEve = 1;
    int m_libreSrc = 1;

    // Parent -> children and partner -> unions. Kept up to date by every
    // setter of a link; rebuilt from the tables after whole records were put.
    mutable std::vector<std::vector<int>> m_enfants;
    mutable std::vector<std::vector<int>> m_unionsDe;
    mutable bool m_indexAJour = true;
};
