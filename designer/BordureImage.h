#pragma once

#include <array>

#include <QImage>
#include <QSize>

// The tiled border of a picture object: a frame of square tiles cut from a
// strip picture, laid on the cells along the edge of a grid.
//
// The strip is a row of square tiles whose side T is its height: tile 0 (the
// corner) from x = 0, tile 1 (the side) from x = T, tile 0 again when the
// strip is not wide enough for tile 1. Eight tiles are cut from them, each in
// four orientations: tiles 1 to 4 from the corner tile and 5 to 8 from the
// side tile, as it is (1, 5), turned a quarter turn clockwise (2, 6), half a
// turn (3, 7) and three quarters (4, 8).

// The eight tiles (index 0 is tile 1); all null for a null or empty strip.
std::array<QImage, 8> TuilesBordure(const QImage &bande);

// The tile (1 to 8) that the edge cell (i, j) of a grid of nx x ny cells
// receives in border mode `mode`, or 0 for none (inner cells, modes other
// than 0 to 4):
// - mode 0: tile 1 everywhere;
// - mode 1: each cell the tile of its side: top row 1, right column 2, bottom
//   row 3, left column 4; the corners taken in that order from the top-left
//   (top-left 1, top-right 2, bottom-right 3, bottom-left 4);
// - mode 2: corners 1, 2, 3, 4 (top-left, top-right, bottom-right,
//   bottom-left) and sides left 8, bottom 7, right 6, top 5;
// - mode 3: the corners only; mode 4: the sides only.
int TuileCellule(int mode, int i, int j, int nx, int ny);

// A white bitmap of `taille` pixels (FormatBitmap) whose edge cells of the
// nx x ny grid of cells `cellule` pixels wide and high receive their tile,
// stretched over the cell from (i x width, j x height) to ((i + 1) x width,
// (j + 1) x height), rounded to whole pixels. A null image for a size that
// NouveauBitmap refuses (Bitmaps.h).
QImage DessineBordure(const QImage &bande, QSize taille, int nx, int ny, QSizeF cellule, int mode);
