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
