#pragma once

#include <cstdint>

#include <QByteArrayView>
#include <QImage>

// Device-independent bitmaps as metafiles hold them.

// The picture of a device-independent bitmap: its header and colour table
// (`info`) and its pixels (`pixels`). `usage` 1 means a colour table of
// palette indices, which is read as black and white for 1-bit pictures and
// refused otherwise. A null image for what cannot be read (compressed
// pixels, sizes that do not fit, more than 64 megapixels).
QImage ImageDib(QByteArrayView info, QByteArrayView pixels, std::uint32_t usage);

// The picture of a packed device-independent bitmap: its header, colour
// table and pixels one after the other.
QImage ImageDibCompacte(QByteArrayView dib, std::uint32_t usage);

// The top row, in `image` (the picture of the bitmap whose header is
// `info`), of a source rectangle that a record gives as `y` rows from the
// start of the bitmap's pixels and `hauteur` rows high: a bitmap stored
// bottom row first (a positive height in its header, as most are) counts its
// rows from the bottom.
double HautSourceDib(QByteArrayView info, const QImage &image, double y, double hauteur);
