#pragma once

#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

class QPrinter;
class TxiloCADMdl;

// Printing a design, and the file names of the artistic print window.

// The path a picture name stored in a design stands for, "/" and "\" both
// separating folders (the path comes back with "/"):
// - a name beginning with "@" is a file of the person's: the rest of the
//   name, taken in the folder of the database file `fichierBase` when it is
//   relative (as it stands when no database file is given), as it is when
//   absolute;
// - any other relative name is a picture of the designs, in `dossierImages`
//   (ending with "/");
// - an absolute name (beginning with "/" or "\", or with a drive such as
//   "C:") is taken as it is.
// An empty name stays empty.
QString ResoutNomImpression(const QString &nom, const QString &dossierImages, const QString &fichierBase);

// Where a page of `page` millimetres is printed on a sheet of `papier`
// pixels at `dpiX` x `dpiY` dots per inch, whose printable part is
// `imprimable` (in the sheet's pixels): at its true size, centred on the
// sheet, moved into the printable part where a margin would cut it; when
// it does not fit in the printable part, the largest rectangle of its
// proportions that does, centred in it (FitRect). In the sheet's pixels; an
// empty rectangle for a page or a printable part without size.
QRect PlaceImpression(QSizeF page, const QSize &papier, const QRect &imprimable, double dpiX, double dpiY);

// No side of the bitmap a design is printed through exceeds this.
constexpr int CoteMaxImpression = 4960;
// The bitmap for a place of that size: the same size, or the largest of its
// proportions within CoteMaxImpression x CoteMaxImpression when a side
// exceeds it. Empty for an empty place.
QSize TailleBitmapImpression(const QSize &place);

// Prints the objects of `modele` (DrawObjects: no background, guides or
// template mask) on one sheet of `imprimante`: landscape when the page is
// wider than high, else portrait; at PlaceImpression, through a white bitmap
// of TailleBitmapImpression stretched there. The printable part is the
// printer's, or the whole sheet for a PDF file, which has no margin (the
// printer's full-page setting is given back afterwards). The model's scales and offsets
// are given back as they were. False, with *erreur (may be null) set to a
// French sentence, when the page has no valid size, the printer's output
// file is not an ordinary file (ObstacleEcriture), the bitmap cannot be
// made, or the printer fails; nothing is shown to the user.
bool ImprimeModele(TxiloCADMdl &modele, QPrinter &imprimante, QString *erreur = nullptr);
