// Builds the example database shipped with the program (modele/exemples/
// exemple.mvd): the LE GALL family of Quimper and the DUVAL family of
// Pontoise over five generations, with a remarriage and its half-siblings, a
// child of unknown father, a marriage of cousins, partial and approximate
// dates, places, notes, sources and professions.
//
//   lignee_exemple <output path>

#include <cstdio>

#include <QFile>
#include <QFileInfo>
#include <QString>

#include "BD.h"
#include "FichierMvd.h"

using namespace Qt::StringLiterals;

namespace {

const char *const Quimper = "FRA,BRE,F29,Quimper";
const char *const Brest = "FRA,BRE,F29,Brest";
const char *const Pontoise = "FRA,IDF,F95,Pontoise";
const char *const Paris = "FRA,IDF,F75,Paris";
const char *const Versailles = "FRA,IDF,F78,Versailles";
const char *const Verdun = "FRA,GES,F55,Verdun";

// One person; pere and mere are numbers of persons listed earlier (the table
// is filled in order into an empty database, so row n is person n).
struct Personne {
    const char *Nom;
    const char *Prenoms;
    int Sexe;
    int Pere;
    int Mere;
    const char *Naissance;
    const char *LieuNaissance;
    const char *Bapteme;      // in the birth place
    const char *Deces;
    const char *LieuDeces;
    const char *Inhumation;   // in the death place
    const char *Profession;
    const char *Note;
};

constexpr int H = SexeHomme;
constexpr int F = SexeFemme;

const Personne Personnes[] = {
    // Generation 1
    {"LE GALL", "Jean-Baptiste", H, 0, 0, "vers 1822", Quimper, "", "3/2/1880", Quimper, "5/2/1880",
     "Menuisier", "Maître menuisier rue Kéréon."},                                                   // 1
    {"KERDRAON", "Marie-Anne", F, 0, 0, "12/5/1825", Quimper, "13/5/1825", "1890", Quimper, "",
     "", ""},                                                                                       // 2
    {"DUVAL", "Louis", H, 0, 0, "8/9/1818", Pontoise, "9/9/1818", "22/11/1879", Pontoise, "24/11/1879",
     "Cultivateur", "Veuf en 1862, remarié en 1863."},                                              // 3
    {"LEBLANC", "Victoire", F, 0, 0, "vers 1820", Pontoise, "", "1/4/1862", Pontoise, "3/4/1862",
     "", ""},                                                                                       // 4
    {"BRIARD", "Augustine", F, 0, 0, "1835", Versailles, "", "7/1901", Pontoise, "", "Couturière",
     ""},                                                                                           // 5
    // Generation 2
    {"LE GALL", "Yves", H, 1, 2, "14/3/1850", Quimper, "15/3/1850", "2/12/1921", Paris, "6/12/1921",
     "Menuisier", "Parti pour Paris vers 1872."},                                                   // 6
    {"LE GALL", "Corentin", H, 1, 2, "1853", Quimper, "", "1854", Quimper, "", "", ""},             // 7
    {"LE GALL", "Marie", F, 1, 2, "2/2/1856", Quimper, "3/2/1856", "1930", Brest, "", "", ""},      // 8
    {"DUVAL", "Henri", H, 3, 4, "5/6/1848", Pontoise, "6/6/1848", "14/1/1915", Pontoise, "",
     "Cultivateur", ""},                                                                            // 9
    {"DUVAL", "Joséphine", F, 3, 4, "17/10/1852", Pontoise, "18/10/1852", "1935", Paris, "", "", ""}, // 10
    {"DUVAL", "Émile", H, 3, 5, "1864", Pontoise, "", "", "", "", "Charron",
     "Fils du second mariage de Louis DUVAL."},                                                     // 11
    {"DUVAL", "Berthe", F, 3, 5, "30/8/1866", Pontoise, "2/9/1866", "", "", "", "", ""},             // 12
    {"MOREAU", "Clémence", F, 0, 0, "vers 1855", Pontoise, "", "1920", Pontoise, "", "", ""},       // 13
    {"GIRARD", "Rose", F, 0, 0, "1868", Versailles, "", "", "", "", "", ""},                        // 14
    // Generation 3
    {"LE GALL", "Louis", H, 6, 10, "3/2/1875", Paris, "7/2/1875", "1950", Paris, "", "Menuisier", ""}, // 15
    {"LE GALL", "Jeanne", F, 6, 10, "1877", Paris, "", "", "", "", "", ""},                         // 16
    {"LE GALL", "Albert", H, 6, 10, "14/7/1885", Paris, "19/7/1885", "1958", Pontoise, "",
     "Instituteur", ""},                                                                            // 17
    {"LE GALL", "Anne", F, 0, 8, "1878", Quimper, "", "1960", Brest, "", "",
     "Père inconnu : l'acte de naissance ne le nomme pas."},                                        // 18
    {"DUVAL", "Lucie", F, 9, 13, "1880", Pontoise, "", "1962", Pontoise, "", "", ""},               // 19
    {"DUVAL", "Georges", H, 11, 14, "1890", Pontoise, "", "", "", "", "Charron", ""},               // 20
    {"PETIT", "Germaine", F, 0, 0, "1876", Paris, "", "1944", Paris, "", "", ""},                   // 21
    // Generation 4
    {"LE GALL", "Marcel", H, 15, 21, "9/3/1896", Paris, "", "21/2/1916", Verdun, "",
     "Menuisier", "Mort pour la France."},                                                          // 22
    {"LE GALL", "René", H, 15, 21, "1900", Paris, "", "1975", Paris, "", "Menuisier", ""},          // 23
    {"LE GALL", "Suzanne", F, 15, 21, "4/1905", Paris, "", "", "", "", "", ""},                     // 24
    {"LE GALL", "Paul", H, 17, 19, "1910", Pontoise, "", "", "", "", "Ébéniste", ""},               // 25
    {"LE GALL", "Madeleine", F, 17, 19, "22/6/1912", Pontoise, "", "", "", "", "", ""},             // 26
    {"BERNARD", "Yvonne", F, 0, 0, "1903", Paris, "", "", "", "", "", ""},                          // 27
    {"FOURNIER", "Denise", F, 0, 0, "1913", Versailles, "", "", "", "", "", ""},                    // 28
    {"MARTIN", "André", H, 0, 0, "1902", Paris, "", "", "", "", "", ""},                            // 29
    // Generation 5
    {"LE GALL", "Jacques", H, 23, 27, "11/11/1926", Paris, "", "", "", "", "", ""},                 // 30
    {"LE GALL", "Simone", F, 23, 27, "1929", Paris, "", "", "", "", "", ""},                        // 31
    {"LE GALL", "Michel", H, 25, 28, "1937", Pontoise, "", "", "", "", "", ""},                     // 32
    {"LE GALL", "Françoise", F, 25, 28, "5/5/1940", Pontoise, "", "", "", "", "", ""},              // 33
    {"MARTIN", "Claude", H, 29, 24, "1931", Paris, "", "", "", "", "", ""},                         // 34
    {"MARTIN", "Gérard", H, 29, 24, "1934", Paris, "", "", "", "", "", ""},                         // 35
};
constexpr int PremierDeLaDerniereGeneration = 30;

struct Mariage {
    int Mari;
    int Femme;
    const char *Date;
    const char *Lieu;
};

const Mariage Mariages[] = {
    {1, 2, "vers 1848", Quimper},
    {3, 4, "10/2/1846", Pontoise},
    {3, 5, "15/9/1863", Pontoise},   // remarriage of the widower
    {9, 13, "1877", Pontoise},
    {6, 10, "20/4/1874", Pontoise},
    {11, 14, "1888", Versailles},
    {15, 21, "12/10/1895", Paris},
    {17, 19, "1908", Pontoise},      // first cousins
    {23, 27, "1925", Paris},
    {25, 28, "18/5/1935", Pontoise},
    {29, 24, "1930", Paris},
};

QString t(const char *texte)
{
    return QString::fromUtf8(texte);
}

// Sets date, place and note of an event of the person when the date is
// given; an approximate date gets a lower certainty.
void evenement(TBD &bd, int p, const QString &type, const char *date, const char *lieu)
{
    if (!*date)
        return;
    bd.SetPersonEventByType(p, type, t(date), EveDate);
    if (*lieu)
        bd.SetPersonEventByType(p, type, t(lieu), EveLieu);
    if (t(date).startsWith(u"vers"))
        bd.SetPersonEventByType(p, type, u"2"_s, EveQualite);
}

bool construit(TBD &bd)
{
    const TNomsEvenements &noms = NomsEvenements();
    int attendu = 0;
    for (const Personne &d : Personnes) {
        const int p = bd.NewPerson();
        if (p != ++attendu)
            return false;
        bd.SetSurname(p, t(d.Nom));
        bd.SetGivenNames(p, t(d.Prenoms));
        bd.SetSex(p, d.Sexe);
        bd.SetFather(p, d.Pere);
        bd.SetMother(p, d.Mere);
        evenement(bd, p, noms.Naissance, d.Naissance, d.LieuNaissance);
        evenement(bd, p, noms.Bapteme, d.Bapteme, d.LieuNaissance);
        evenement(bd, p, noms.Deces, d.Deces, d.LieuDeces);
        evenement(bd, p, noms.Inhumation, d.Inhumation, d.LieuDeces);
        if (*d.Profession)
            bd.SetAttribute(p, noms.Profession, t(d.Profession));
        bd.SetField(p, PcNote, t(d.Note));
        bd.SetField(p, PcCreation, u"1/3/2024"_s);
        bd.SetField(p, PcModification, u"1/3/2024"_s);
    }
    bd.SetField(22, PcDecesNote, u"Tué au combat, bois des Caures."_s);

    for (const Mariage &m : Mariages) {
        const int u = bd.NewUnionOf(m.Mari, m.Femme);
        if (u == 0)
            return false;
        bd.SetUnionField(u, UcMariageDate, t(m.Date));
        bd.SetUnionField(u, UcMariageLieu, t(m.Lieu));
    }
    bd.SetUnionField(5, UcMariageNote, u"Témoins : Henri DUVAL, frère de l'épouse, et Émile DUVAL."_s);

    const int registre = bd.AddPersonSource(6);
    bd.SetSourceField(registre, SrcTitre, u"Registre paroissial de Saint-Corentin, 1850"_s);
    bd.SetSourceField(registre, SrcGenre, u"Registre paroissial"_s);
    bd.SetSourceField(registre, SrcNote, u"Baptême d'Yves LE GALL, folio 12."_s);
    const int acte = bd.AddPersonSource(10);
    bd.SetSourceField(acte, SrcTitre, u"Acte de mariage LE GALL - DUVAL, Pontoise, 1874"_s);
    bd.SetSourceField(acte, SrcGenre, u"État civil"_s);
    bd.SetSourceField(acte, SrcFichier, u"actes/mariage_1874.jpg"_s);
    bd.LinkSource(6, acte);
    return registre != 0 && acte != 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage : lignee_exemple <fichier .mvd>\n");
        return 2;
    }
    TBD bd;
    if (!construit(bd)) {
        std::fprintf(stderr, "lignee_exemple : la base d'exemple n'a pas pu être construite\n");
        return 1;
    }
    TEnteteMvd entete;
    entete.NomLook = u"defaut"_s;
    entete.RefPers = PremierDeLaDerniereGeneration;
    const QString chemin = QString::fromLocal8Bit(argv[1]);
    // The save keeps the previous file as "<name>.old"; a generated file
    // needs no backup, so one made by this run is removed.
    const QFileInfo info(chemin);
    const QString ancienne = info.absolutePath() + u'/' + info.completeBaseName() + u".old"_s;
    const bool ancienneAvant = QFileInfo::exists(ancienne);
    const TResultatMvd r = SauveMvd(chemin, bd, entete);
    if (!r.Ok()) {
        std::fprintf(stderr, "lignee_exemple : erreur %d en écrivant %s : %s\n", r.Erreur, argv[1],
                     r.Detail.toLocal8Bit().constData());
        return 1;
    }
    if (!ancienneAvant)
        QFile::remove(ancienne);
    return 0;
}
