#pragma once

#include "Listes.h"

#include <QWidget>

class QAbstractButton;
class QLabel;
class QListWidget;
class TBD;

// What the record-tree navigator needs from the main window.
class THoteFicheArbre
{
public:
    virtual ~THoteFicheArbre() = default;
    // The current person, and making a person current (every visible view,
    // this window included, follows).
    virtual int SelecPers() const = 0;
    virtual void SetSelecPers(int p) = 0;
    // The main window's shortcuts, for the keys typed in this window.
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) = 0;
};

// "Fiche sous forme d'arbre": a small tool window showing the current
// person as a little family tree, each box a list, on the skin's picture
// "FicheArbre.png" (Image1, stretched) when the skin folder has one.
//
// Boxes (objectName): lbPere, lbMere and lbCentre (the father, the mother
// and the current person: name, profession, then texts 620, 630, 640 and
// 641 before the birth date, birth place, death date and death place, each
// line only when known); lbFatrie (siblings) and lbEnfant (children), with
// the lines of the record form (the template eFiche2 of the options, given
// names then birth date order); lbUnion (one line per union, ordered by
// marriage date: the template eFiche1 for the partner and the marriage date
// as stored, the first line selected); lbUnionParent (always two lines
// while a union line is selected: the partner's father, then mother, each
// blank when unknown).
//
// A click on a sibling, a child, a union (its partner) or a parent of the
// partner makes that person current; a press of the left button on the
// father's or the mother's box makes that parent current; nothing happens
// where there is nobody. A press of the right button on a union line only
// selects it and shows that partner's parents. lbCentre, lbPere and lbMere
// keep no selection. Keys go to the main window's key handler.
class TfmFicheArbre final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmFicheArbre)

public:
    TfmFicheArbre(TBD &bd, THoteFicheArbre &hote, QWidget *parent = nullptr);
    ~TfmFicheArbre() override;

    // The main window's toggle button sbFicheArbre: a click shows or hides
    // the window; the button is down exactly while the window is shown,
    // however it was opened or closed. The button is made checkable and
    // enabled.
    void SetBouton(QAbstractButton *bouton);

    // Fills every box for the host's current person. The union line
    // selected stays selected while the person stays the same.
    void AfficheFicheArbre();
    // The same, only while the window is shown: for the main window's
    // notices (current person changed, data edited, database replaced).
    void Actualise();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    QListWidget *Liste(const char *nom, bool main);
    void AffichePersonne(QListWidget *liste, int p);
    void AfficheParentConjoint();
    int Conjoint(int u) const;
    void Choisit(int p);

    TBD &m_bd;
    THoteFicheArbre &m_hote;
    QAbstractButton *m_bouton = nullptr;
    int m_personne = 0;
    int m_pere = 0;
    int m_mere = 0;
    // Parents of the partner of the selected union line.
    int m_conjointPere = 0;
    int m_conjointMere = 0;
    TR m_freres;
    TR m_enfants;
    TR m_unions;

    QLabel *m_image = nullptr;
    QListWidget *m_lbPere = nullptr;
    QListWidget *m_lbMere = nullptr;
    QListWidget *m_lbCentre = nullptr;
    QListWidget *m_lbFatrie = nullptr;
    QListWidget *m_lbUnion = nullptr;
    QListWidget *m_lbUnionParent = nullptr;
    QListWidget *m_lbEnfant = nullptr;
};
