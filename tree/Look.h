#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The look of the family tree: two records, index 1 for the ascendance (the
// reference person, its ancestors and its own box) and index 2 for the
// descendance; the look files ".mva" that hold them; the colour and
// font-style texts of those files.
//
// Colours are TColor values: red in bits 0-7, green in 8-15, blue in 16-23.
// Sizes and positions are unzoomed screen pixels.

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clLime = 0x00FF00;

// Font style bits.
enum FonteStyle : std::uint8_t {
    fsGras = 1,
    fsItalique = 2,
    fsSouligne = 4,
    fsBarre = 8,
};

// Text alignments of a line.
enum Alignement : std::uint8_t {
    AlignGauche = 0,
    AlignDroite = 1,
    AlignCentre = 2,
};

struct TFonte {
    QString Nom;
    TColor Couleur = clBlack;
    std::int32_t Hauteur = 0;   // unzoomed; the box painter uses it as the cell height
    std::uint8_t Style = 0;     // FonteStyle bits
    std::uint8_t Alignement = AlignGauche;

    bool operator==(const TFonte &) const = default;
};

struct TLigne {
    QString Texte;              // a person text template ("<nom> <prénom>")
    TFonte Fonte;

    bool operator==(const TLigne &) const = default;
};

// Background of the boxes of one sex.
struct TLookSexe {
    TColor Couleur = 0;
    QString Texture;            // kind 2: a tree picture (CheminImageArbre); kind 3: a template giving one
    bool Stretch = false;
    bool Ombre = false;         // shadow
    bool Arrondis = false;      // rounded corners
    bool Cadre = false;         // frame drawn
    std::int32_t Fond = 0;      // 0 none, 1 colour, 2 texture, 3 computed texture

    bool operator==(const TLookSexe &) const = default;
};

constexpr int NbreLignesMax = 51; // line slots 0..50

struct TLook {
    std::int32_t LigneNbre = 0;                  // lines in use: 0..LigneNbre-1
    std::array<TLigne, NbreLignesMax> Ligne;
    TLookSexe Homme;
    TLookSexe Femme;
    std::int32_t MargeHaut = 0;                  // per cent of the box height
    std::int32_t MargeBas = 0;
    std::int32_t MargeDroite = 0;                // per cent of the box width
    std::int32_t MargeGauche = 0;

    // Field by field, all 51 line slots included.
    bool operator==(const TLook &) const = default;
};

struct T1Aff {
    std::uint8_t Relier = 0;                     // 0 none, 1 straight, 2 broken, 3 texture
    TColor RelierColor = clBlack;
    std::array<QString, 10> RelierTexture;       // shapes 1..9 (slot 0 unused)
    std::int32_t RelierLarge = 0;
    std::int32_t NbreGen = 0;
    std::int32_t PasHorz = 0;                    // computed at each build
    std::int32_t PasVert = 0;                    // computed at each build
    std::int32_t EcatHorz = 0;                   // per cent of the box width
    std::int32_t EcartVert = 0;                  // per cent of the box height
    std::int32_t Large = 0;
    std::int32_t HauteurBoite = 0;               // computed at each build
    std::int32_t Zoom = 0;                       // per cent
    std::uint8_t Style = 0;                      // layout style
    TLook Look;

    // Field by field, the computed fields included.
    bool operator==(const T1Aff &) const = default;
};

// The pair of looks; slot 0 is unused so that looks are numbered 1 and 2.
using TLooks = std::array<T1Aff, 3>;

// The looks of the tree on screen, and the globals that go with them.
extern TLooks Looks;
extern TColor CouleurEcran;   // the screen behind the tree
extern QString TextEcran;     // screen texture: a tree picture's name (CheminImageArbre)

// The look file "<name>.mva" (Windows-1252, sections "Lignee", then "Aff n",
// "Look n" and "Ligne n" for n = 1 and 2) holds both looks, CouleurEcran and
// TextEcran. PasHorz, PasVert and HauteurBoite are not stored.

// Link textures (RelierTexture) follow one folder rule everywhere (the look
// reader, the link painter, the look editor): a texture is a tree picture,
// named by its bare file name, found in the user's tree-pictures folder or
// the shipped one (CheminImageArbre, ModelesUtilisateur.h). A name whose file
// is in neither (a look written with full paths, or on another machine) is
// searched for with CheminMedia instead.

// The file of a link texture name under that rule: the tree picture of its
// file name when that file exists, else CheminMedia(nom). Empty for an empty
// name or a file found nowhere. Touches the disk at each call.
QString CheminTextureLien(const QString &nom);
// The name a look keeps for a link texture read from a file: the bare file
// name when it names a tree picture that exists, else the path CheminMedia
// finds, else empty (nothing is drawn for that shape).
QString NomTextureLien(const QString &stocke);

// The pair a look file without any key gives (what LitLook of a missing file
// puts in `looks`), without changing NomLook, CouleurEcran or TextEcran. The
// link textures "Lien1".."Lien9" go through NomTextureLien, so each is a
// bare name, a path or empty. Slot 0 is left default-constructed.
void LooksParDefaut(TLooks &looks);

// Reads a look file into a fresh pair filled with the defaults, then copies
// it over `looks` as a whole (computed fields zero). Sets NomLook (the file
// name without folder and extension, or NomModeleDefaut when the file does
// not exist), CouleurEcran and TextEcran (emptied unless the file
// CheminImageArbre(TextEcran) exists). Never fails: a missing key, or a
// number that cannot be read, gives the key's default.
// - Link textures go through NomTextureLien (empty when not found); the sex
//   textures are kept as written.
// - LigneNbre is brought into 0..50; lines beyond it are left empty (empty
//   strings, zero numbers).
// - Font heights are brought into 1..1000 pixels.
// - Bytes (Relier, Style, Alignement) keep the low 8 bits of the number.
// - The style letters of a line are taken wherever they stand, since the
//   file drops the blanks around a value ("  U " is stored "U").
void LitLook(const QString &chemin, TLooks &looks);
// Writes looks 1 and 2 of the pair and the three globals to the file,
// creating it or updating it in place: keys it does not rewrite (lines
// beyond LigneNbre, keys it does not know) stay. Link, sex and screen
// textures go through CheminRelatif (a bare name stays bare). At most 50 lines are written (LigneNbre
// is written brought into 0..50). The file is replaced atomically. Returns
// false, leaving the previous file untouched, when the file cannot be saved;
// *erreur (may be null) then says why, without the path.
bool SauveLook(const QString &chemin, const TLooks &looks, QString *erreur = nullptr);

// "255255255": red, green, blue, three decimal digits each, whatever the
// high byte.
QString CouleurVersStr(TColor couleur);
// Groups of characters 1-3, 4-6, 7-9; a group that is not a number
// (including an empty group of a short text) counts 255; the low 8 bits of
// each group are used: "12" is red 12, green 255, blue 255.
TColor StrVersCouleur(const QString &texte);
// Four characters: "B", "I", "U", "S" or a blank for bold, italic,
// underline, strike-out, in that order.
QString StyleVersStr(std::uint8_t style);
// Bold when character 1 is "B", italic when character 2 is "I", underline
// when character 3 is "U", strike-out when character 4 is "S" (case
// sensitive); anything else leaves that style off.
std::uint8_t StrVersStyle(const QString &texte);

// Box height of look i (1 or 2; 0 for any other index) of `looks`: the sum
// of the heights of lines 0..LigneNbre-1 (0 unless LigneNbre is 1..50),
// times 100, over (100 - MargeHaut - MargeBas), halves to even, brought into
// 0..65535. Margins adding up to 100 or more count as 99.
std::uint16_t CalculHauteur(const TLooks &looks, int i);
// Sets HauteurBoite (CalculHauteur), PasHorz = EcatHorz x Large / 100 and
// PasVert = EcartVert x HauteurBoite / 100 (halves to even) of look i (1 or
// 2; nothing for any other index). The tree builder calls it for both looks
// at every build.
void CalculPas(TLooks &looks, int i);
// Fills a line as the look editor adds it: empty text, "TIMES NEW ROMAN",
// black, height 12, no style, left. (A line missing from a look file reads
// as "MS Sans Serif" instead.)
void LigneDefaut(TLigne &ligne);
