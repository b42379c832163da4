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
};

struct TLigne {
    QString Texte;              // a person text template ("<nom> <prénom>")
    TFonte Fonte;
};

// Background of the boxes of one sex.
struct TLookSexe {
    TColor Couleur = 0;
    QString Texture;            // kind 2: a file of DossierImageArbre; kind 3: a template giving one
    bool Stretch = false;
    bool Ombre = false;         // shadow
    bool Arrondis = false;      // rounded corners
    bool Cadre = false;         // frame drawn
    std::int32_t Fond = 0;      // 0 none, 1 colour, 2 texture, 3 computed texture
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
};

// The pair of looks; slot 0 is unused so that looks are numbered 1 and 2.
using TLooks = std::array<T1Aff, 3>;

// The looks of the tree on screen, and the globals that go with them.
extern TLooks Looks;
extern TColor CouleurEcran;   // the screen behind the tree
extern QString TextEcran;     // screen texture: a file name in DossierImageArbre

// Reads a look file into a fresh pair filled with the defaults, then copies
// it over `looks`. Sets NomLook (the file's base name, or NomModeleDefaut when
// the file does not exist), CouleurEcran and TextEcran (emptied unless the
// file DossierImageArbre + TextEcran exists). Never fails.
void LitLook(const QString &chemin, TLooks &looks);
// Writes the pair and the three globals to the file, updating it in place:
// keys it does not rewrite stay. False when the file cannot be saved.
bool SauveLook(const QString &chemin, const TLooks &looks);

// "255255255": red, green, blue, three decimal digits each.
QString CouleurVersStr(TColor couleur);
// Groups of characters 1-3, 4-6, 7-9; a group that is not a number counts
// 255; the low 8 bits of each group are used.
TColor StrVersCouleur(const QString &texte);
// "B", "I", "U", "S" or a blank for each style, in that order.
QString StyleVersStr(std::uint8_t style);
std::uint8_t StrVersStyle(const QString &texte);

// Box height of look i (1 or 2) of `looks`: the sum of the line heights over
// (100 - top margin - bottom margin) per cent, halves to even.
std::uint16_t CalculHauteur(const TLooks &looks, int i);
// Fills a line as the look editor adds it: empty text, "TIMES NEW ROMAN",
// black, height 12, no style, left.
void LigneDefaut(TLigne &ligne);
