#pragma once

#include "Sources.h"

#include <QBrush>
#include <QRect>

#include <vector>

class QPainter;
class QFont;

// The source editor's picture scale and legend drawing, apart from the
// window, and what the source windows need from the main window.

// What the source windows need from the main window.
class THoteSource
{
public:
    virtual ~THoteSource() = default;
    // Makes a person current (a click on a person citing the source).
    virtual void MontrePersonne(int p) = 0;
    // The person search: the person chosen, 0 when cancelled.
    virtual int ChoisitPersonne() = 0;
    // Sources or their links to persons changed: the database is marked
    // modified and the views that show them are refreshed.
    virtual void SourcesModifiees() = 0;
    // The main window's background, which the sources overview wears;
    // Qt::NoBrush (the default) leaves the overview's own.
    virtual QBrush Fond() const { return QBrush(); }
};

// The zoom of the source editor: 2 to 1,600 shows the picture at that many
// percent; -2 to -1,600 divides it by the absolute value over 100 (-200 is
// half size); -1, 0 and 1 show it at full size.
constexpr int ZoomMax = 1600;

// A picture coordinate on the screen, and back (integer division).
int VersEcran(int v, int zoom);
int DepuisEcran(int s, int zoom);
// The zoom a picture of that width opens at: 100 under 214 pixels, else the
// one that shows it about 213 pixels wide, -1,600 at the least.
int ZoomInitial(int largeur);
// One step in (left click) and out (right click): ..., -300, -200, 100,
// 200, ... 1,600; the ends stay as they are.
int ZoomPlus(int zoom);
int ZoomMoins(int zoom);
// The factor a painter is scaled by to show the picture at that zoom.
double Facteur(int zoom);

// The box of a legend on the screen: its text's width plus 2 by its height,
// centred on the legend's point at that zoom (half sizes rounded toward 0).
QRect BoiteLegende(const TLegende &legende, int zoom, const QFont &police);
// Draws the legends in the painter's font: a red box for the selected one
// (1-based, 0 none), yellow for the others, black outline and text, the
// text one pixel from the box's left edge.
void DessineLegendes(QPainter &painter, const std::vector<TLegende> &legendes, int selection, int zoom);
