#pragma once

#include "BD.h"

// A small family used by several test programs:
//
//   1 Jean MARTIN (H, 1900) x 3 Louise PETIT (F, 1910)    union 1, 1940
//   1 Jean MARTIN           x 2 Marie DURAND (F, 1902)    union 2, 1925
//     children of 1 and 2: 4 Pierre (1926), 5 Anne (1928)
//     child of 1 and 3: 6 Paul (1942)
//     child of 2 alone: 7 Claude (sex unknown, 1935)
//   4 Pierre x 8 Sophie BERNARD (F)                       union 3, 1950
//     child: 9 Luc (1952)
//   11 Henri LEROY (H) x 5 Anne                          union 4, undated
//     child: 12 Emma (1953)
//   9 Luc x 12 Emma (cousins)                             union 5, 1978
//     child: 13 Théo (1980)
struct FamilleTest {
    TBD bd;

    int personne(const char *nom, const char *prenoms, int sexe, const char *naissance)
    {
        const int p = bd.NewPerson();
        bd.SetSurname(p, QString::fromUtf8(nom));
        bd.SetGivenNames(p, QString::fromUtf8(prenoms));
        bd.SetSex(p, sexe);
        if (*naissance)
            bd.SetBirthDate(p, QString::fromUtf8(naissance));
        return p;
    }

    int union_(int mari, int femme, const char *date)
    {
        const int u = bd.NewUnionOf(mari, femme);
        if (*date)
            bd.SetUnionField(u, UcMariageDate, QString::fromUtf8(date));
        return u;
    }

    void parents(int enfant, int pere, int mere)
    {
        bd.SetFather(enfant, pere);
        bd.SetMother(enfant, mere);
    }

    FamilleTest()
    {
        personne("MARTIN", "Jean", SexeHomme, "1900");         // 1
        personne("DURAND", "Marie", SexeFemme, "1902");        // 2
        personne("PETIT", "Louise", SexeFemme, "1910");        // 3
        personne("MARTIN", "Pierre", SexeHomme, "3/4/1926");   // 4
        personne("MARTIN", "Anne", SexeFemme, "1928");         // 5
        personne("MARTIN", "Paul", SexeHomme, "1942");         // 6
        personne("DURAND", "Claude", SexeInconnu, "1935");     // 7
        personne("BERNARD", "Sophie", SexeFemme, "");          // 8
        personne("MARTIN", "Luc", SexeHomme, "1952");          // 9
        personne("X", "Y", SexeHomme, "");                      // 10, removed below
        personne("LEROY", "Henri", SexeHomme, "");             // 11
        personne("LEROY", "Emma", SexeFemme, "1953");          // 12
        personne("MARTIN", "Théo", SexeHomme, "1980");         // 13
        bd.ClearPerson(10);
        // The later marriage gets the lower number, so that date order and
        // number order differ.
        union_(1, 3, "1940");  // 1
        union_(1, 2, "1925");  // 2
        union_(4, 8, "1950");  // 3
        union_(11, 5, "");     // 4
        union_(9, 12, "1978"); // 5
        parents(4, 1, 2);
        parents(5, 1, 2);
        parents(6, 1, 3);
        parents(7, 0, 2);
        parents(9, 4, 8);
        parents(12, 11, 5);
        parents(13, 9, 12);
    }
};
