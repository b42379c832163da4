#pragma once

#include <QString>
#include <array>

// Places are one comma-separated text of up to six levels, country first:
// country, region code, département, commune, locality, other
// ("FRA,IDF,F95,Pontoise").

enum LieuNiveau {
    LieuPays = 0,
    LieuRegion = 1,
    LieuDepartement = 2,
    LieuCommune = 3,
    LieuLocalite = 4,
    LieuAutre = 5,
};

// The first six parts of a place text, each trimmed; missing parts are empty.
std::array<QString, 6> SplitPlace(const QString &lieu);

// Code of the region ("IDF", "NAQ"...) of a French département number: 1 to
// 95 (20 for Corsica) and 971 to 976 overseas. Empty for any other number.
QString RegionOfDepartement(int n);
