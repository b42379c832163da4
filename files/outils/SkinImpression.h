#pragma once

// The default skin of the artistic print window's button bar (modele/0/
// impression/skin/): the file "skin.txt", section "skin2", and the five
// button pictures btn21 (models) to btn25 (back), drawn here. Shared by the
// tool that writes them and the test that checks the shipped files are
// those it draws.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace skinimpression {

// The side of a button picture, in pixels.
constexpr int Cote = 48;
// The band, the captions and the button under the pointer.
inline const QColor Bande{0x2E, 0x4A, 0x62};
inline const QColor Texte{0xFF, 0xFF, 0xFF};
inline const QColor Survol{0x4F, 0x73, 0x92};
// The pictograms' strokes and fills.
inline const QColor Trait{0xF4, 0xF1, 0xE8};
inline const QColor Accent{0xF2, 0xB1, 0x34};

// The whole of skin.txt: a comment line, then section "skin2" with the
// band's colours, its height and margin, and the pictures' size.
QByteArray TexteSkin();

// The picture of button n, 21 to 25, Cote x Cote pixels on a transparent
// ground (left empty for any other n).
QImage ImageBouton(int n);

// Writes skin.txt and the pictures into `dossier` (ending with "/"), each
// file whole or not at all. False when one could not be written.
bool EcritSkin(const QString &dossier);

} // namespace skinimpression
