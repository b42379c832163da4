#pragma once

#include "Listes.h"

#include <QColor>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;
class QFrame;
class QMenu;
class TBD;
class TRelatifs;
class TfmRechFiche;
class TChamp;
class TfmListe;
class THoteSource;
class TOngletSources;

// What the record form needs from the main window.
class THoteFiche
{
public:
    virtual ~THoteFiche() = default;
    // The current person, and making a person current.
    virtual int SelecPers() const = 0;
    virtual void SetSelecPers(int p) = 0;
    // The main window's shortcuts, for the keys the form does not use.
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) = 0;
    // Person p changed: its tree boxes are repainted, the title marks the
    // database modified.
    virtual void PersonneModifiee(int p) = 0;
    // A parent link's certainty changed: the tree is placed again.
    virtual void LiensModifies() = 0;
    // Background colour of a man's (sexe 0) or a woman's box of the tree.
    virtual QColor CouleurSexe(int sexe) const = 0;
    // The user-defined fields shown for every person ("t|<name>||" ...),
    // from the proposed fields of Options(), which the form may change.
    virtual QString DefinitionChamps() const = 0;
    // The form was closed.
    virtual void FicheCachee() = 0;
    // Persons or links were added: the tree is built again when shown.
    // Hosts without a tree have nothing to do.
    virtual void ArbreModifie() {}
    // Person p becomes the reference person of the tree.
    virtual void ChangeReference(int p) { (void)p; }
    // Persons were deleted: the tree and the report are refreshed.
    virtual void PersonnesSupprimees() {}
    // A place may have changed: the map, when it shows the current person,
    // is drawn again. Hosts without a map have nothing to do.
    virtual void AffCarte() {}
};

// The person record form "Fiche": a small tool window that always shows the
// current person and edits it in place. Every change is written into the
// database at once, stamps the person's update date and marks the database
// modified. The button bOK, never shown, closes the form when clicked.
class TfmFiche final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmFiche)

public:
    TfmFiche(TBD &bd, THoteFiche &hote, QWidget *parent = nullptr);
    ~TfmFiche() override;

    // Fills the form for the current person of the main window. Without one
    // (an empty base) the form shows nobody, only its identity tab is
    // enabled, and a name typed there creates the person, who becomes
    // current (THoteFiche::SetSelecPers) before the tree is rebuilt
    // (ArbreModifie).
    void Affiche();
    // The person shown (0 for none).
    int Personne() const { return m_personne; }

    // Marks the person changed: modified flag, update date, tree boxes.
    void FicheMAJ();
    // Runs the coherence check and shows its messages in the error tab,
    // which is shown only when there is one.
    void CtrlCoherence();

    // The exit handlers the main window runs before the current person
    // changes, so that the edit in progress is completed.
    void eveDateExit();
    void eveUnionDateExit();
    void E_NomExit();
    void E_PreExit();
    void Sorties();

    // Surnames in capitals (ß kept), given names with a capital first letter
    // and after a blank, quote, comma, semicolon or hyphen; Unicode case
    // mapping, character by character.
    static QString FormateNom(const QString &nom);
    static QString FormatePrenom(const QString &prenoms);

    // The completion list the form drives (made by the form).
    TfmListe *Liste() const { return m_liste; }

    // The relatives operations and the person search used by the family
    // commands (set once by the main window; until then they do nothing).
    void SetRelatifs(TRelatifs *relatifs, TfmRechFiche *recherche);
    // The main window's services for the source windows opened from the
    // sources tab (set once; until then its commands do nothing).
    void SetSources(THoteSource *hote);
    // The calendar converter that a right-button press on an event date
    // (eveDate, eveUnionDate) opens on the date in stored order; it returns
    // the date to take. Until it is given, the press does nothing.
    void SetConvertisseurDate(std::function<QString(QWidget *, const QString &)> convertit);

    // The active tab (0 is the identity tab) and the focus on the surname
    // edit E_Nom (nom) or the given names edit E_Pre.
    int Onglet() const;
    void SetOnglet(int onglet);
    void FocusNom(bool nom);

    // The relatives menu PM_AjouteSupprime, prepared for a control:
    // "E_Nom", "E_Pre", "E_Pere", "E_Mere", "LB_Enfant", "LB_Fatrie" or
    // "LB_Union" (the one the right button was pressed on). Its entries then
    // act on that control.
    QMenu *MenuRelatifs() const { return m_pmAjouteSupprime; }
    void PrepareMenuRelatifs(const QString &controle);

protected:
    // While the focus is in the form, Ctrl+N, Ctrl+B, Ctrl+D, Ctrl+S,
    // Ctrl+M, F2 and F3 are its keys, even where the main window has
    // shortcuts for them or the control with the focus has a use for them.
    // The other keys, but F3, go to the main window's key handler.
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    // The right-button date command: the date through the converter, then
    // the date-exit handling.
    void ConvertitDate(QLineEdit *champ);
    std::function<QString(QWidget *, const QString &)> m_convertitDate;
    void CreeIdentite();
    void CreeEvenements();
    void CreeFamille();
    void CreeUnion();
    void CreeAutres();

    void ChangeNomPre();
    void ChangeEve(QLineEdit *champ);
    void ChangeNote();
    void EditeMemo();
    // A user-defined field edited: the fields text stored, the completion
    // list closed when the text got shorter, then opened on the field's
    // values when the options ask for it.
    void ChpChampChange(QWidget *editeur, const QString &sorte, const QString &libelle, const QString &valeur);
    // "Ajouter un nouveau champ...": the add-field dialog offers the
    // proposed fields of the options; a field added with cbListe joins them
    // (shown for every person when cbTous is ticked).
    void sbPersChpClick();

    void ListeEve(int selection);
    void ListeUnionEve(int selection);
    void lbEveClick();
    void lbEveDblClick();
    void lbUnionClick();
    void lbUnionEveClick();
    void lbUnionEveDblClick();
    // Takes one line out of an events list, the others staying as they are.
    void RetireLigne(QListWidget *liste, int ligne);
    void AfficheEve();
    void AfficheUnionEve();
    bool AjouteEvenementDeType(const QString &type);
    bool AjouteEvenementUnionDeType(const QString &type);

    void sbSexeClick();
    void sbStaClick(bool pere);
    void sbEveStaClick();
    void sbEveUnionStaClick();
    void AfficheStatut(QFrame *panneau, QToolButton *bouton, int statut);
    void AfficheDates();
    void ActualiseOnglet();
    void AfficheSexe(int sexe);
    void AfficheVide();
    // The tabs and controls that need a person shown.
    void ActiveControles(bool personne);
    // A name typed while the form shows nobody: the person it names.
    void CreePersonne();
    // Starts the postal-code program on a place field when the options ask
    // for it and it exists; false when it was not started.
    bool LanceCodePostal(QLineEdit *champ);
    void SelectionneRelatif(QListWidget *liste, const TR &personnes);
    void CreeMenuRelatifs();
    // The relative the remembered control designates (the selected line of
    // a list, the parent of E_Pere / E_Mere, the spouse of a union line, the
    // person itself on the name edits); 0 for none or the new-entry line.
    int RelatifChoisi() const;
    void MI_SelClick();
    void MI_RefClick();
    void MI_AjouteClick();
    void MI_RechercheClick();
    void MI_SupprimeClick();
    void MI_EffaceClick();
    // Runs an add operation for the person shown, then refills the form
    // when the person stayed current and rebuilds the tree.
    void AjouteRelatif(int (TRelatifs::*ajoute)(int));
    // The keys of the date, time, place, name and user-defined fields that
    // the completion list left: F3 opens the list of a name or place field,
    // Enter moves to the next control. True when the key was used.
    bool EditKeyDown(QLineEdit *champ, int key);
    // Ctrl and a letter: the event it adds (N birth, B baptism, D death,
    // S burial, M the selected union's marriage). False for another letter.
    bool ToucheCtrl(int key);

    // The union of the selected line of LB_Union, 0 for none or the new line.
    int UnionChoisie() const;
    // The event number of the selected line of lbEve / lbUnionEve, 0 for
    // none or the new-entry line; and its 1-based index in the list.
    int IndexEve() const;
    int IndexUnionEve() const;
    bool PersonneValide() const;

    TBD &m_bd;
    THoteFiche &m_hote;
    int m_personne = 0;
    bool m_remplissage = false;
    // The event shown before the last click (1-based index), for deleting it
    // when it was left empty.
    int m_eveAffiche = 0;
    int m_unionEveAffiche = 0;
    int m_statutCalcule = 0;
    TR m_freres;
    TR m_enfants;
    TR m_unions;
    TRelatifs *m_relatifs = nullptr;
    TfmRechFiche *m_recherche = nullptr;
    QString m_controleMenu;
    QMenu *m_pmAjouteSupprime = nullptr;

    TfmListe *m_liste = nullptr;
    QMetaObject::Connection m_focusChamps;
    QTabWidget *m_pc = nullptr;
    QWidget *m_tsIdentite = nullptr;
    QWidget *m_tsEvenement = nullptr;
    QWidget *m_tsFamille = nullptr;
    QWidget *m_tsUnion = nullptr;
    QWidget *m_tsNote = nullptr;
    QWidget *m_tsDonnee = nullptr;
    QWidget *m_tsErreur = nullptr;
    QLineEdit *m_nom = nullptr;
    QLineEdit *m_prenoms = nullptr;
    QFrame *m_pSexe = nullptr;
    QToolButton *m_sbSexe = nullptr;
    QLabel *m_lSexe = nullptr;
    QLabel *m_lSosa = nullptr;
    QLabel *m_lDate = nullptr;
    TChamp *m_champs = nullptr;
    QToolButton *m_sbPersChp = nullptr;
    QListWidget *m_lbEve = nullptr;
    QWidget *m_pEveDetails = nullptr;
    QLineEdit *m_eveDate = nullptr;
    QLineEdit *m_eveTime = nullptr;
    QLineEdit *m_eveLieu = nullptr;
    QLineEdit *m_eveNote = nullptr;
    QLabel *m_lJour = nullptr;
    QFrame *m_pEveSta = nullptr;
    QToolButton *m_sbEveSta = nullptr;
    QLineEdit *m_pere = nullptr;
    QLineEdit *m_mere = nullptr;
    QFrame *m_pStaP = nullptr;
    QToolButton *m_sbStaP = nullptr;
    QFrame *m_pStaM = nullptr;
    QToolButton *m_sbStaM = nullptr;
    QListWidget *m_lbEnfant = nullptr;
    QListWidget *m_lbFratrie = nullptr;
    QListWidget *m_lbUnion = nullptr;
    QWidget *m_pEveUnion = nullptr;
    QListWidget *m_lbUnionEve = nullptr;
    QWidget *m_pEveUnionDetails = nullptr;
    QLineEdit *m_eveUnionDate = nullptr;
    QLineEdit *m_eveUnionTime = nullptr;
    QLineEdit *m_eveUnionLieu = nullptr;
    QLineEdit *m_eveUnionNote = nullptr;
    QFrame *m_pEveUnionSta = nullptr;
    QToolButton *m_sbEveUnionSta = nullptr;
    QPlainTextEdit *m_note = nullptr;
    TOngletSources *m_donnees = nullptr;
    QListWidget *m_lbDonnee = nullptr;
    QPlainTextEdit *m_info = nullptr;
};
