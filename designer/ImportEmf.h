#pragma once

#include <QByteArray>
#include <QString>

class TxiloCADMdl;

// Turns the paths of an enhanced metafile into line objects of a page model:
// the import behind the group objects whose file is a metafile.
//
// The metafile's frame gives the page size (its right and bottom edges, in
// hundredths of a millimetre, divided by 100); every path (from its
// BEGINPATH) becomes a line object on face 1, appended to the model, whose
// points are the path's MOVETOEX, LINETO and POLYLINETO16 points as straight
// segments and its POLYBEZIERTO16 points as they stand, divided by 100
// (hundredths of a millimetre to millimetres); points drawn outside any path
// are left out, and a line keeps at most PointsMax points. A line takes the
// pen created last before its path began (its colour, and its width divided
// by 35), and at its FILLPATH the brush created last (colour and style
// number). Rectangles, ellipses, texts, bitmaps and the other records make
// no object.
//
// The records are read by the strict metafile reader (LecteurEmf.h): a
// malformed record ends the import there, what came before it being kept.

// False, the model unchanged, when the bytes or the file (an ordinary file
// of at most TMetafichier::TailleMax bytes) do not begin with a readable
// enhanced metafile header.
bool ImportEmf(TxiloCADMdl &modele, const QString &chemin);
bool ImportEmfOctets(TxiloCADMdl &modele, const QByteArray &octets);
