#pragma once

#include "IOCarte.h"
#include "Listes.h"
#include "ZonesCarte.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QScrollArea;
class TBD;
class TCarteWeb;
class TfmCartePerso;
class TfmRapport;
class TImageCarte;

// The map window "Carte": a tool window that stays on top and shows where
// the events of a list of persons took place, on a map of the maps folder
// (DossierCarte, map files of IOCarte.h) whose zones covering a place
// (ZoneCouvre) are filled with the zone colour, or on the web map
// (TCarteWeb, named "wb") when the map is "Carte Google".
//
// Controls: cbPour (the persons: "Sélection" the current person,
// "Référence" the reference person, "Tout le monde", "Selon rapport" the
// persons of the report grid's rows), cbEvenement (every event, or the first
// event of one person event type of the options), CB_FileList (the maps),
// carte (the picture). A click on a filled zone lists its persons in the
// report window (FaitRapportDep) and leaves the zone highlighted until the
// next click; a click on a white area that is no zone while the zone editor
// is open asks for a new zone there.
//
// The map shown is kept in the settings (Reglages().Carte, gene.ini
// [Carte] Nom). The database and the report window must outlive the window;
// it makes and owns its zone editor (Perso()), a window of `parent`.
class TfmCarte final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmCarte)

public:
    // Entries of cbPour.
    enum Source { SourceSelection = 0, SourceReference, SourceTous, SourceRapport };

    // `selecPers` gives the main window's current person (0 for none).
    TfmCarte(const TBD &bd, TfmRapport &rapport, std::function<int()> selecPers, QWidget *parent = nullptr);
    ~TfmCarte() override;

    TfmCartePerso *Perso() const { return m_perso; }

    // Builds the person list of the chosen source again and redraws.
    void Affiche();
    // The main window's current person changed: a map of the selection
    // shows the new one, at once when on screen, else at its next showing.
    void PersonneCouranteChangee();
    // The places of person `p` were edited: a map whose persons include `p`,
    // whatever its source, is drawn again, at once when on screen, else at
    // its next showing.
    void LieuxModifies(int p);
    // Loads the map of that name (web mode for NomCarteWeb()) and redraws.
    // Problems with its files are told to the user; the map then shows what
    // could be read.
    void Charge(const QString &nom);
    // Redraws every place of the person list; the picture is repainted and
    // events are processed now and then (TCadence), and a redraw asked
    // meanwhile starts it again.
    void AfficheTout();
    // The 0-based index of the first zone covering the place, -1 when none.
    int LieuToIndex(const QString &lieu);
    // Lists in the report window the persons of zone `zone` (1-based), once
    // per event covered first by that zone, and shows that window. A zone
    // listed several times under the same name and code (one entry per
    // piece: islands, an inset) is one zone: the entry clicked counts as
    // the first of them.
    void FaitRapportDep(int zone);
    // The database was replaced: the person list is built again (the report
    // source falls back to the selection, the report being emptied).
    void BaseRechargee();
    // Adds a map name to CB_FileList (once), selects it and loads it.
    void AjouteCarte(const QString &nom);

    // The map on show, its name and whether it is the web map.
    const QString &NomCarte() const { return m_nom; }
    bool ModeWeb() const { return m_web; }
    // The persons whose places are shown.
    const TR &Liste() const { return m_liste; }
    int SourceChoisie() const;

    // The zone list of the map (the zone editor edits it).
    const std::vector<TZoneCarte> &Zones() const { return m_zones; }
    std::vector<TZoneCarte> &Zones() { return m_zones; }
    // To call after a change of the zone list.
    void ZonesModifiees();
    // How the map's zones compare their codes with the places.
    TComparaisonLieux Comparaison() const { return m_comparaison; }

    // The picture on show, and the blank one.
    const QImage &Image() const { return m_image; }
    const QImage &ImageVide() const { return m_vide; }
    // The blank map back on show; no click point nor clicked zone.
    void AffAucun();
    // Fills the region of `germe` on the picture with `couleur` up to the
    // black borders (RemplitBordure) and repaints it.
    void Remplit(QPoint germe, QRgb couleur);

    // The click point ((0, 0) for none; a point counts when both
    // coordinates are at least 1) and the zone clicked (1-based, 0 for none).
    QPoint PointClic() const { return m_clic; }
    void SetPointClic(QPoint point) { m_clic = point; }
    int ZoneClic() const { return m_zoneClic; }
    // Restores the colour of the clicked area and forgets the click point.
    void EffaceClick();
    // Highlights the area of the click point when it is white or of the zone
    // colour, remembering that colour; any other pixel forgets the point.
    void AfficheClick();
    // The 1-based number of the first zone whose seed pixel is highlighted,
    // 0 when none.
    int GetIndexDep() const;

    static QRgb CouleurSurbrillance();
    static QRgb CouleurZone();
    static QRgb CouleurVide();

signals:
    void Montree();
    void Cachee();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void PremiereFois();
    void ListeCartesFichier();
    void CB_FileListChange();
    void cbPourChange();
    // Goes through the persons' places: draws them when `dessine`, and
    // collects the persons of the zone filter meanwhile.
    void Parcourt(bool dessine);
    void AfficheUnePers(int p, bool dessine);
    void AfficheLieu(int p, const QString &lieu, bool dessine);
    void carteMouseDown(QPoint point, Qt::MouseButton bouton);
    void carteMouseMove(QPoint point);
    void Ajuste();
    void ChargeWeb();
    QRgb Pixel(QPoint point) const;

    const TBD &m_bd;
    TfmRapport &m_rapport;
    std::function<int()> m_selecPers;
    TfmCartePerso *m_perso = nullptr;

    QWidget *m_panneau = nullptr;
    QComboBox *m_cbPour = nullptr;
    QComboBox *m_cbEvenement = nullptr;
    QComboBox *m_cbFileList = nullptr;
    QScrollArea *m_zone = nullptr;
    TImageCarte *m_carte = nullptr;
    TCarteWeb *m_wb = nullptr;

    QString m_nom;
    bool m_web = false;
    std::vector<TZoneCarte> m_zones;
    TComparaisonLieux m_comparaison = TComparaisonLieux::Partie;
    TIndexZones m_index;
    QImage m_image;
    QImage m_vide;

    TR m_liste;
    // While a zone report is made: the zone (1-based) and its persons.
    int m_filtre = -1;
    TR m_listeZone;
    QRgb m_sauvee;
    QPoint m_clic;
    int m_zoneClic = 0;
    bool m_montree = false;
    // Hidden, the map missed a change it shows: 1 redraw, 2 build the
    // person list again first.
    int m_enRetard = 0;
    QString m_tous;
    // A pass over the persons runs; another was asked meanwhile.
    bool m_enCours = false;
    bool m_relance = false;
};
