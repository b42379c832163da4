#pragma once

#include <QWidget>

class QAction;
class QListWidget;
class QMenu;
class TApercu;
class TBD;
class THoteSource;
class TLecteur;

// The sources tab "Donnée" of the record form (objectName TS_Donnee): the
// titles of the person's sources, then the new-entry line, in lbDonnee;
// the picture of the selected source in iPhoto (panel pPhoto) or, for a
// sound or a video, the player mpDonnee.
//
// A double click on the new-entry line, or "Créer une nouvelle source..."
// (miDonneeAjoute), makes a new source for the person and opens the source
// editor on it; on a source, or "Modifier la source sélectionnée..."
// (miDonneeModifie), opens the editor on that source; "Sélectionner la
// source dans la liste..." (Slectionnerlasourcedanslaliste1) links a source
// chosen in the source chooser; "Supprimer le lien avec la source
// sélectionnée" (pmDonneeSupprime) takes the source out of the person's
// list, the source itself staying. These are the entries of the pop-up
// menu pmDonnee. A left click on the picture shows it in the picture view;
// another click, or a click without a picture, opens the editor.
class TOngletSources final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TOngletSources)

public:
    explicit TOngletSources(TBD &bd, QWidget *parent = nullptr);
    ~TOngletSources() override;

    // The main window's services for the source windows; until given, the
    // commands that open them do nothing.
    void SetHote(THoteSource *hote) { m_hote = hote; }
    // Shows the sources of person p (0: nobody), the first line selected.
    void Affiche(int p);
    QListWidget *Liste() const { return m_lbDonnee; }

signals:
    // The person's list of sources changed: the tab caption and the update
    // date follow.
    void ListeModifiee();

private:
    void lbDonneeClick();
    void miDonneeAjouteClick();
    void miDonneeModifieClick();
    void pmDonneeSupprimeClick();
    void SelectionneClick();
    void iPhotoRelache(Qt::MouseButton bouton);
    // The source of the selected line, 0 for none or the new-entry line;
    // and that line's 1-based index in the person's list.
    int SourceChoisie() const;
    int IndexChoisi() const;
    void Rafraichit(int ligne);

    TBD &m_bd;
    THoteSource *m_hote = nullptr;
    int m_personne = 0;
    QString m_cheminImage;
    QListWidget *m_lbDonnee = nullptr;
    QWidget *m_pPhoto = nullptr;
    TApercu *m_iPhoto = nullptr;
    TLecteur *m_mpDonnee = nullptr;
    QMenu *m_pmDonnee = nullptr;
};
