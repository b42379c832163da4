#pragma once

#include "IOCarte.h"

#include <QHash>
#include <QPoint>
#include <QRgb>
#include <QString>

#include <vector>

class QImage;

// Whether a zone's place code covers a place text. Both are read upper-cased,
// as comma-separated parts with the blanks around each part dropped. The code
// matches when it occurs at the start of a part of the place (so anywhere in
// it: "F95" covers "FRA,IDF,F95,Pontoise") and does not stop inside a word:
// the character after it is no letter ("F95" also covers "F95000", a postal
// code, but "MAR" does not cover "Marseille"). An empty code, or an empty
// place, matches nothing.
bool ZoneCouvre(const QString &code, const QString &lieu);

// Border fill of a map picture: gives the colour `couleur` to every pixel of
// the 4-connected region of pixels that are not pure black (red, green and
// blue 0; alpha is not looked at) around `germe`, whatever their colours.
// Works on pictures of format RGB32 or ARGB32 (others are converted first).
// Returns the number of pixels of the region; 0, with nothing changed, when
// the seed lies outside the picture or on black, or the picture is null.
qsizetype RemplitBordure(QImage &image, QPoint germe, QRgb couleur);

// The zones of a map with what the drawing asks of them over and over: which
// zones cover a place text (ZoneCouvre, or with TComparaisonLieux::Debut the
// same test at the start of the place only), each place worked out once and
// remembered.
class TIndexZones final
{
public:
    TIndexZones() = default;
    explicit TIndexZones(const std::vector<TZoneCarte> &zones,
                         TComparaisonLieux comparaison = TComparaisonLieux::Partie);

    // The 0-based indexes, in list order, of the zones that cover the place;
    // empty for an empty place or when none does. The reference stays valid
    // until the next call.
    const std::vector<int> &Zones(const QString &lieu);
    // The first of them, -1 when none.
    int Premiere(const QString &lieu);

private:
    struct TCode {
        QString Forme;
        int Index;
    };
    // Codes by their first character, so that a place part is compared
    // only with the codes that can start there.
    QHash<QChar, std::vector<TCode>> m_parInitiale;
    QHash<QString, std::vector<int>> m_cache;
    TComparaisonLieux m_comparaison = TComparaisonLieux::Partie;
    std::vector<int> m_aucune;
};
