#pragma once

#include "Source.h"

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <vector>

class QComboBox;
class QScrollArea;
class QSlider;
class TBD;

// The place of each of `nombre` thumbnails of `taille`, in order, left to
// right from the top-left corner, a new row starting where the next one
// would pass `largeur` (at least one a row).
std::vector<QRect> PlaceVignettes(int nombre, QSize taille, int largeur);
// Draws one thumbnail in its rectangle: the title centred at the bottom,
// the picture (when not null) stretched keeping its proportions and centred
// in the rest.
void DessineVignette(QPainter &painter, const QRect &rectangle, const QString &titre, const QImage &image);

// The sources overview "Aperçu des sources": every source of a kind as a
// thumbnail with its title; a click on one opens the source editor.
//
// Controls (objectName): in the bar pHaut, cbSorte (language text 1002,
// every kind, then the kinds of the options) and the track bars tbL
// "Largeur" and tbH "Hauteur" (50 to 320, the thumbnail size, kept for the
// whole run); below, the scroll area sb holding the canvas pVignettes where
// the thumbnails are painted. The bar and the ground of the scroll area
// wear the main window's background (THoteSource::Fond).
//
// The thumbnails are listed at once; their pictures are then read one at a
// time from the event loop, each decoded at its thumbnail's size, so that
// the window answers meanwhile. A change of kind starts over; closing stops
// the reading.
class TfmSourceVue final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmSourceVue)

public:
    TfmSourceVue(TBD &bd, THoteSource &hote, QWidget *parent = nullptr);
    ~TfmSourceVue() override;

    // The thumbnails shown: count, source, place in the canvas, picture.
    int NombreVignettes() const { return static_cast<int>(m_vignettes.size()); }
    int SourceVignette(int i) const;
    QRect Vignette(int i) const;
    QImage ImageVignette(int i) const;
    // True once every picture of the thumbnails shown is read.
    bool Construite() const { return !m_lecture.isActive(); }

    void done(int resultat) override;

signals:
    // A picture was read (tests and benchmarks wait for the build with it).
    void VignetteLue(int i);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    struct TVignette {
        int Source = 0;
        QString Titre;
        QImage Image;
        QSize Lue; // the picture box it was read for; empty when not read
    };

    void AfficheTous();
    void Resize();
    void LitSuivante();
    void LitImage(TVignette &v);
    void Select(int i);
    QSize BoiteImage() const;

    TBD &m_bd;
    THoteSource &m_hote;
    std::vector<TVignette> m_vignettes;
    std::vector<QRect> m_places;
    size_t m_suivante = 0;
    QTimer m_lecture;
    QComboBox *m_cbSorte = nullptr;
    QSlider *m_tbL = nullptr;
    QSlider *m_tbH = nullptr;
    QScrollArea *m_sb = nullptr;
    QWidget *m_canevas = nullptr;
};

// Opens the overview, modal, and frees it once closed.
void AfficheSourceVue(TBD &bd, THoteSource &hote, QWidget *parent = nullptr);
