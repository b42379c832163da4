#include "Lieux.h"

#include <QStringList>

std::array<QString, 6> SplitPlace(const QString &lieu)
{
    std::array<QString, 6> parts;
    const QStringList morceaux = lieu.split(QLatin1Char(','));
    for (qsizetype i = 0; i < morceaux.size() && i < 6; ++i)
        parts[static_cast<size_t>(i)] = morceaux[i].trimmed();
    return parts;
}

QString RegionOfDepartement(int n)
{
    // Regions as drawn in 2016, by département number.
    static const char *const regions[96] = {
        nullptr,
        "ARA", "HDF", "ARA", "PAC", "PAC", "PAC", "ARA", "GES", "OCC", "GES", //  1-10
        "OCC", "OCC", "PAC", "NOR", "ARA", "NAQ", "NAQ", "CVL", "NAQ", "COR", // 11-20
        "BFC", "BRE", "NAQ", "NAQ", "BFC", "ARA", "NOR", "CVL", "BRE", "OCC", // 21-30
        "OCC", "OCC", "NAQ", "OCC", "BRE", "CVL", "CVL", "ARA", "BFC", "NAQ", // 31-40
        "CVL", "ARA", "ARA", "PDL", "CVL", "OCC", "NAQ", "OCC", "PDL", "NOR", // 41-50
        "GES", "GES", "PDL", "GES", "GES", "BRE", "GES", "BFC", "HDF", "HDF", // 51-60
        "NOR", "HDF", "ARA", "NAQ", "OCC", "OCC", "GES", "GES", "ARA", "BFC", // 61-70
        "BFC", "PDL", "ARA", "ARA", "IDF", "NOR", "IDF", "IDF", "NAQ", "HDF", // 71-80
        "OCC", "OCC", "PAC", "PAC", "PDL", "NAQ", "NAQ", "GES", "BFC", "BFC", // 81-90
        "IDF", "IDF", "IDF", "IDF", "IDF",                                     // 91-95
    };
    if (n >= 1 && n <= 95)
        return QString::fromLatin1(regions[n]);
    switch (n) {
    case 971:
        return QStringLiteral("GUA");
    case 972:
        return QStringLiteral("MTQ");
    case 973:
        return QStringLiteral("GUY");
    case 974:
        return QStringLiteral("REU");
    case 976:
        return QStringLiteral("MAY");
    default:
        return QString();
    }
}
