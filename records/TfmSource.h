#pragma once

#include "Source.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QToolButton;
class TBD;
class TLecteur;

// The source editor "Édition de la source": the title, kind and note of one
// source, the persons that cite it, and its file: a picture with legends
// pinned on it, shown at zoom 2 to 1,600 %, or a sound or a video to play.
//
// Controls (objectName): the text part pTexte with eNature (title), cbSorte
// (kind, editable; a kind typed joins the list while the window exists),
// lbPers (the persons, then the choose line), reNote (note; the right
// button opens the note editor), the player mp, the panel pLegende with
// lbZone (the legends, then the create line; pop-up menu pmZone with
// miZoneAjoute "Nouvelle légende..." and miZoneSupprime "Supprimer la
// légende"), sbFichier, sbScan, sbArbre, sbApercu ("<<", shows the picture
// part) and bOk "&Fermer"; the picture part pPhoto with the bar Panel1
// (lZoom, sbZoneVoir "Voir les légendes", sbTexte ">>", shows the text
// part) and the scroll area sbPhoto holding the picture iPhoto, covered by
// pbZone where the legends are drawn and the mouse is taken.
//
// On the picture the left button zooms in and the right button out; after
// "Nouvelle légende..." (or a double click on the create line) a left click
// asks for a legend's text and pins it there.
//
// The stored file path is kept as it is written: it is resolved
// (CheminSource) only to load the file, and changes only through
// "Fichier..." or a scan. A file that cannot be found keeps its path and
// its legends.
//
// Closing, however it happens, writes back the title, the note and the file
// field; bOk also writes the kind. The window cannot close while the title
// is empty. The database is marked modified only when a field changed.
//
// A source made for this edit (nouvelle) that the user left untouched (the
// title shown at opening or none, no note, no file, no legend, no person
// linked here) is freed and taken out of the lists of the persons that cite
// it when the window is cancelled (Escape, the window's close button); any
// other is kept and written back, and bOk always keeps it.
class TfmSource final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmSource)

public:
    // Fills the window for source s (1-based; it must be in use); nouvelle
    // when s was made for this edit.
    TfmSource(TBD &bd, THoteSource &hote, int s, QWidget *parent = nullptr, bool nouvelle = false);
    ~TfmSource() override;

    // The source edited; 0 once a new source was cancelled untouched and
    // freed.
    int Source() const { return m_source; }
    // The zoom of the picture (see Source.h).
    int Zoom() const { return m_zoom; }

    void done(int resultat) override;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void CreeTexte();
    void CreePhoto();
    void ChargeFichier();
    void PhotoTaille();
    void AffMasque();
    void ListeZone();
    void ListePers();
    void Enregistre(bool avecGenre);
    void ModeLegende();
    void AjouteLegende(const QPoint &ecran);
    void SupprimeLegende();
    void ZoomClic(Qt::MouseButton bouton);
    void lbPersDblClick();
    void cbSorteExit();
    void sbFichierClick();
    void sbScanClick();
    void sbArbreClick();
    void EditeMemo();
    // The file path becomes `chemin`: the file is loaded again and the
    // legends, which belonged to the previous picture, are removed.
    void ChangeFichier(const QString &chemin);
    QString ChampFichier() const;
    // Nothing was put in the source in this window (see above).
    bool Intacte() const;

    TBD &m_bd;
    THoteSource &m_hote;
    int m_source;
    bool m_nouvelle;
    // Persons were linked to the source in this window.
    bool m_lie = false;
    QString m_titreInitial;
    QString m_chemin;
    // The file m_chemin resolves to, empty when none is found.
    QString m_trouve;
    std::vector<TLegende> m_legendes;
    int m_selection = 0;
    int m_zoom = 100;
    bool m_modeLegende = false;
    bool m_image = false;
    std::vector<int> m_personnes;
    QImage m_photo;

    QWidget *m_pTexte = nullptr;
    QLineEdit *m_eNature = nullptr;
    QComboBox *m_cbSorte = nullptr;
    QListWidget *m_lbPers = nullptr;
    QPlainTextEdit *m_reNote = nullptr;
    TLecteur *m_mp = nullptr;
    QWidget *m_pLegende = nullptr;
    QListWidget *m_lbZone = nullptr;
    QMenu *m_pmZone = nullptr;
    QAction *m_miZoneSupprime = nullptr;
    QToolButton *m_sbFichier = nullptr;
    QToolButton *m_sbScan = nullptr;
    QToolButton *m_sbArbre = nullptr;
    QToolButton *m_sbApercu = nullptr;
    QPushButton *m_bOk = nullptr;
    QWidget *m_pPhoto = nullptr;
    QWidget *m_panel1 = nullptr;
    QLabel *m_lZoom = nullptr;
    QToolButton *m_sbZoneVoir = nullptr;
    QToolButton *m_sbTexte = nullptr;
    QScrollArea *m_sbPhoto = nullptr;
    QWidget *m_iPhoto = nullptr;
    QWidget *m_pbZone = nullptr;
};

// Opens the editor on source s, modal, and returns s once it is closed; for
// a source made for this edit (nouvelle), 0 when the user cancelled it
// untouched and the source was freed.
int EditeSource(TBD &bd, THoteSource &hote, int s, QWidget *parent = nullptr, bool nouvelle = false);

// The picture acquisition that the scanner button runs: true with the
// picture acquired. The button is hidden while none is installed.
using TAcquisition = std::function<bool(QImage &)>;
void SetAcquisitionImage(TAcquisition acquisition);
