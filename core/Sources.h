#pragma once

#include <QSize>
#include <QString>

#include <vector>

class QImage;
class TBD;

// The documents attached to sources: the file field that holds a file and
// the legends pinned on its picture, the kinds of files by extension, and
// loading a source's picture.

// A source's file field holds the file path, then for each legend "|" + x +
// "|" + y + "|" + text, x and y in whole picture pixels (full size) of the
// point the legend is centred on. Without legends it is the path alone.
constexpr int MaxLegendes = 1000;

struct TLegende {
    int X = 0;
    int Y = 0;
    QString Texte;
};

struct TChampFichier {
    QString Chemin;
    std::vector<TLegende> Legendes;
};

// Reads a file field: the path is the part before the first "|" (the whole
// text when there is none); the rest is read three pieces at a time, each up
// to the next "|" or the end, until it is used up or MaxLegendes legends are
// read. x and y that are not whole numbers read as 0; a legend cut short
// gets empty pieces.
TChampFichier LitChampFichier(const QString &champ);
// Writes a file field. A "|", CR or LF in a legend text, which would break
// the field, is written as a blank; legends past MaxLegendes are not written.
QString EcritChampFichier(const TChampFichier &champ);

// The text after the last "." of the file name (the part after the last "\",
// "/" or ":"), upper-cased; empty when the name has no ".".
QString ExtensionMaj(const QString &chemin);

// What a source file is, by its whole extension (letter case ignored):
// BMP, GIF, JPG, JPEG and PNG pictures, WAV sound, AVI video.
enum class TGenreMedia {
    Aucun,
    Image,
    Son,
    Video,
};
TGenreMedia GenreMedia(const QString &chemin);
// True for the pictures the tree can draw as a person's photo: BMP, JPG,
// JPEG and PNG.
bool EstPhotoArbre(const QString &chemin);

// The existing file a stored source path names, for loading; empty when none.
// A bare file name is looked for first in the folder of the open database,
// where the program has always put a source's files; then every path goes
// through CheminMedia (Chemins.h). The stored text itself is never changed.
QString CheminSource(const QString &chemin);

// Loads a source picture (any TGenreMedia::Image file) into `image`. With a
// valid `boite`, the picture is decoded at the largest size of its
// proportions that fits the box (never larger than the picture), without
// ever holding it whole where the format allows (JPEG is decoded at a
// reduced scale). True when loaded; false, `image` untouched, for a missing
// file, a pipe or a device, another kind of file, a damaged or truncated
// picture, or a picture of more than 100 megapixels.
bool ChargeImageSource(QImage &image, const QString &chemin, QSize boite = QSize());

// The persons whose source list holds source s, in person number order.
std::vector<int> PersonnesDeSource(const TBD &bd, int s);

// Frees source s and takes it out of every person's source list, so that
// nothing still names it. Nothing happens when s is not in use.
void OublieSource(TBD &bd, int s);

// A file name made of a title: characters that a file name cannot hold on
// the usual systems ("/\:*?"<>|" and control characters) become "_", ends
// trimmed of blanks and dots; "source" when nothing is left.
QString NomDeFichierPour(const QString &titre);
