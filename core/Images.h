#pragma once

#include <QSize>

class QImage;
class QPainter;
class QRect;
class QString;

// Loading, writing and drawing the pictures of the records, the trees and the
// look thumbnails.

// Loads a picture file into `image`, chosen by the extension of `fichier`
// (letter case ignored): ".png" through libpng, ".jpg" / ".jpeg" through
// libjpeg, ".bmp" through Qt. Any other extension gives false.
//
// Returns true when the picture was loaded; `image` is then a 24-bit picture
// in QImage::Format_RGB888 (decoders write straight into its scanlines), its
// transparent and half-transparent pixels composited onto white. PNG files of
// every kind are read (palette, grey, grey + alpha, 16-bit reduced to 8 bits,
// interlaced); gamma is not corrected. JPEG colour and grey files are read as
// RGB; CMYK and YCCK files are converted to RGB, taking their values as
// inverted (the Adobe convention, which nearly every CMYK JPEG follows) when
// the file carries an Adobe marker and as plain ink amounts otherwise.
//
// Returns false and leaves `image` untouched when the file is missing, not an
// ordinary file (a named pipe or a device is never opened) or unreadable, its
// content is not of the kind its extension names, it is
// truncated or damaged (a JPEG whose compressed data ends early or cannot be
// decoded, an uncompressed BMP shorter than its header says), or the picture
// is larger than 100 megapixels (refused from the header, before decoding:
// the size counted is the one the decoder would make).
// A JPEG with minor flaws that leave the pixels whole (padding bytes between
// segments, unusual markers) is accepted.
//
// The first call raises Qt's image allocation limit, a setting of the whole
// process (QImageReader::setAllocationLimit), to 1024 MB when it is lower
// (Qt's default is 128 MB), so that a large picture read through Qt is not
// refused.
bool ChargeImage(QImage &image, const QString &fichier);

// Loads a picture file through Qt's readers, as the kind of picture its
// first bytes show (PNG, JPEG, BMP or GIF; its name is not looked at). A GIF
// gives its first frame on its whole logical screen. With a valid, non-empty
// `boite` the picture is decoded at the largest size of its proportions that
// fits the box, never larger than the picture (a JPEG is then decoded at a
// reduced scale instead of whole). The image comes in the format Qt's reader
// gives it; EXIF orientation is not applied.
//
// Returns false and leaves `image` untouched when the file is missing, not an
// ordinary file, of another kind, damaged or truncated (as far as Qt's reader
// tells), or when the picture the decoder would make is larger than
// 100 megapixels: that size is read from the header before anything is
// decoded (for a GIF, the logical screen or the first frame's extent,
// whichever is larger, not just the frame's size).
bool ChargeImageQt(QImage &image, const QString &fichier, QSize boite = QSize());

// Writes `image` to `fichier` as an 8-bit RGB PNG (any alpha is composited
// onto white first). The file is written atomically: on any failure (null
// image, folder not writable, full disk, encoder error) false is returned and
// a file already at that path is left untouched.
bool EcritPng(const QImage &image, const QString &fichier);

// Writes `image` as a 24-bit BMP file, or as a baseline colour JPEG file at
// libjpeg's default quality (75), any alpha composited onto white first.
// Written atomically like EcritPng: false on any failure, a file already at
// that path then left untouched.
bool EcritBmp(const QImage &image, const QString &fichier);
bool EcritJpeg(const QImage &image, const QString &fichier);

// Draws the picture file `fichier` stretched over the whole of `image`, whose
// size and format are kept. Raster files are loaded through ChargeImage;
// metafiles (".emf", ".wmf") are played on white (TMetafichier,
// Metafichier.h). True when drawn. When the file cannot be loaded or `image`
// is null, false is returned and `image` is left untouched.
bool ChargeImageEtiree(QImage &image, const QString &fichier);

// Draws `image` stretched into `rectangle`, each colour combined with the one
// below by a bitwise AND: white in the picture leaves the background as it
// was, black stays black. A paint device without raster operations (a
// printer, a PDF, a QPicture) gets a plain draw instead. The painter's state
// is restored afterwards; nothing is drawn for a null image, an empty
// rectangle or an inactive painter.
void DessineBitmapEtire(QPainter &painter, const QRect &rectangle, const QImage &image);

// Computes into `rect` the largest rectangle with the proportions of a
// picture of largeurImage x hauteurImage that fits in a box of
// largeurBoite x hauteurBoite, centred in the box, in box coordinates
// (the box's top-left corner is 0,0).
//
// When the box is relatively wider than the picture, the rectangle takes the
// whole box height and its width is the box height times the picture's
// width/height ratio; otherwise it takes the whole box width and its height
// is the box width divided by that ratio. The computed side is rounded to the
// nearest integer, halves to even (so a very thin picture may get a side of
// 0). The side is computed as box side x picture side / other picture side
// and the proportions are compared by cross-multiplying, so a true half stays
// a half and equal proportions compare equal.
// Left and top are (box side - rectangle side) div 2, truncated.
//
// Returns true on success. Returns false and leaves `rect` unchanged when any
// of the four sizes is 0 or negative.
bool FitRect(int largeurBoite, int hauteurBoite, int largeurImage, int hauteurImage, QRect &rect);
