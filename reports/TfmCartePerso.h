#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class TfmCarte;

// "Personnalisation de la carte affichée": the zone editor of the map on show
// in the map window, a tool window that stays on top. It lists the zones
// (lvCarte: Nom, Lieu, PtsX, PtsY), shows the chosen one on the map and lets
// the user rename it and change its place code (eNom, eLieu), shows every
// zone (bAfficheTout) or none (bAfficheAucun), and saves the map under the
// name of eFile (sbSauve): the zones to "<eFile>.mvc" and the blank picture
// to "<eFile>.bmp" in the maps folder, so that another name writes a copy.
// Closing it (bFermer) saves nothing.
class TfmCartePerso final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmCartePerso)

public:
    // The map window must outlive the editor.
    TfmCartePerso(TfmCarte &carte, QWidget *parent = nullptr);
    ~TfmCartePerso() override;

    // A map was loaded: its name into eFile, `image` (its picture's path, or
    // the text for none) into eBmp, its zones into the list; no zone is
    // current.
    void MontreCarte(const QString &nom, const QString &image);
    // Fills the list again from the map window's zones.
    void RemplitListe();
    // Makes zone i (0-based) current and fills the edits from it; outside
    // the list, empties them and makes none current.
    void ListeToEdit(int i);
    int Courant() const { return m_courant; }
    // The name and place code shown in eNom and eLieu.
    QString NomCourant() const;
    QString LieuCourant() const;
    // Asks for a new zone at the map window's click point (the new-zone
    // dialog); when confirmed, appends it to the zone list. True when added.
    bool ListeNouveau();
    // Saves the map as described above; false when nothing or not all was
    // written (the user has been told why).
    bool Sauve();

signals:
    void Montree();
    void Cachee();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void lvCarteClick();
    void Change();
    void bAfficheToutClick();

    TfmCarte &m_carte;
    QLineEdit *m_eFile;
    QLineEdit *m_eBmp;
    QTreeWidget *m_lvCarte;
    QLineEdit *m_eNom;
    QLineEdit *m_eLieu;
    QLineEdit *m_ePtsX;
    QLineEdit *m_ePtsY;
    int m_courant = -1;
    bool m_maj = false;
};
