#!/usr/bin/env python3
"""Writes the metafile clip art, the metafile masks and the small pictures
that the designs' test pages use, into the folder given (by default
tests/fixtures/cad):

- fleur.emf: a flower of filled Bézier paths (four petals, a heart, a stem)
  on a rectangle of ground with a caption, 60 x 60 mm, in hundredths of a
  millimetre with y downwards;
- masque_ovale.emf: a black oval on white, 40 x 30 mm (the white corners
  become transparent on a picture);
- masque_gauche.emf: the right half black, the left half left white;
- textes_demesures.emf: texts that a font engine cannot rasterise as glyph
  bitmaps (stretched a hundred thousand times along one axis and squeezed
  along the other, by the world transform, by an anisotropic mapping, by a
  nearly singular transform of huge values), each between a saved and a
  restored state, then a red square, 20 x 15 mm at 10 pixels per
  millimetre in device pixels;
- bordure.png: a strip of two 40-pixel border tiles, a corner and a side;
- photo.png: a 120 x 90 picture shaded from red to blue.

Only the Python standard library is used: python3 scripts/donnees/metafichiers.py
"""

import math
import os
import struct
import sys
import zlib

EMR_HEADER, EMR_EOF = 1, 14
EMR_SETWINDOWEXTEX, EMR_SETVIEWPORTEXTEX, EMR_SETMAPMODE = 9, 11, 17
EMR_SETBKMODE, EMR_SETTEXTCOLOR = 18, 24
EMR_MOVETOEX, EMR_LINETO = 27, 54
EMR_SAVEDC, EMR_RESTOREDC, EMR_SETWORLDTRANSFORM = 33, 34, 35
EMR_SELECTOBJECT, EMR_CREATEPEN, EMR_CREATEBRUSHINDIRECT = 37, 38, 39
EMR_RECTANGLE, EMR_ELLIPSE = 43, 42
EMR_BEGINPATH, EMR_ENDPATH, EMR_CLOSEFIGURE, EMR_FILLPATH, EMR_STROKEANDFILLPATH = 59, 60, 61, 62, 63
EMR_EXTCREATEFONTINDIRECTW, EMR_EXTTEXTOUTW = 82, 84
EMR_POLYBEZIERTO16, EMR_POLYLINETO16 = 88, 89
NULL_PEN = 0x80000008


def rgb(r, g, b):
    return r | (g << 8) | (b << 16)


class Emf:
    """A metafile whose logical units are hundredths of a millimetre, drawn
    on a device of 10 pixels per millimetre."""

    def __init__(self, largeur, hauteur):
        self.largeur, self.hauteur = largeur, hauteur
        self.records = []
        self.mots(EMR_SETMAPMODE, 8)
        self.mots(EMR_SETWINDOWEXTEX, largeur, hauteur)
        self.mots(EMR_SETVIEWPORTEXTEX, largeur // 10, hauteur // 10)

    def enr(self, type_, donnees=b""):
        self.records.append(struct.pack("<II", type_, 8 + len(donnees)) + donnees)

    def mots(self, type_, *valeurs):
        self.enr(type_, b"".join(struct.pack("<I", v & 0xFFFFFFFF) for v in valeurs))

    def crayon(self, index, largeur, couleur):
        self.mots(EMR_CREATEPEN, index, 0, largeur, 0, couleur)
        self.mots(EMR_SELECTOBJECT, index)

    def brosse(self, index, couleur):
        self.mots(EMR_CREATEBRUSHINDIRECT, index, 0, couleur, 0)
        self.mots(EMR_SELECTOBJECT, index)

    def points16(self, type_, points):
        donnees = struct.pack("<iiiiI", 0, 0, self.largeur, self.hauteur, len(points))
        donnees += b"".join(struct.pack("<hh", x, y) for x, y in points)
        donnees += b"\0" * (-len(donnees) % 4)
        self.enr(type_, donnees)

    def chemin(self, depart, morceaux, contour=False):
        """One closed figure: `morceaux` is a list of ("l", point) straight
        segments and ("c", [c1, c2, p, ...]) runs of Bézier segments. Filled
        (FILLPATH, which the import into a group reads), or filled and
        outlined."""
        self.enr(EMR_BEGINPATH)
        self.mots(EMR_MOVETOEX, *depart)
        for genre, valeur in morceaux:
            if genre == "l":
                self.mots(EMR_LINETO, *valeur)
            else:
                self.points16(EMR_POLYBEZIERTO16, valeur)
        self.enr(EMR_CLOSEFIGURE)
        self.enr(EMR_ENDPATH)
        self.mots(EMR_STROKEANDFILLPATH if contour else EMR_FILLPATH, 0, 0, self.largeur, self.hauteur)

    def texte(self, x, y, chaine, hauteur, couleur):
        nom = "Liberation Sans".encode("utf-16-le").ljust(64, b"\0")
        self.enr(EMR_EXTCREATEFONTINDIRECTW,
                 struct.pack("<Iiiiii8B", 9, -hauteur, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0) + nom)
        self.mots(EMR_SELECTOBJECT, 9)
        self.mots(EMR_SETBKMODE, 1)
        self.mots(EMR_SETTEXTCOLOR, couleur)
        chaine16 = chaine.encode("utf-16-le")
        donnees = struct.pack("<iiiiIff", 0, 0, 1, 1, 1, 1.0, 1.0)
        donnees += struct.pack("<iiIIIiiiiI", x, y, len(chaine), 76, 0, 0, 0, -1, -1, 0)
        donnees += chaine16 + b"\0" * (-len(chaine16) % 4)
        self.enr(EMR_EXTTEXTOUTW, donnees)

    def octets(self):
        corps = b"".join(self.records)
        eof = struct.pack("<IIIII", EMR_EOF, 20, 0, 16, 20)
        total = 88 + len(corps) + len(eof)
        entete = struct.pack("<II", EMR_HEADER, 88)
        entete += struct.pack("<iiii", 0, 0, self.largeur // 10 - 1, self.hauteur // 10 - 1)
        entete += struct.pack("<iiii", 0, 0, self.largeur, self.hauteur)
        entete += struct.pack("<IIIIHHIII", 0x464D4520, 0x10000, total, len(self.records) + 2, 16, 0, 0, 0, 0)
        entete += struct.pack("<iiii", 1000, 1000, 100, 100)
        return entete + corps + eof


def masque(largeur, hauteur):
    """A mask being drawn: what comes next is filled in black, without an
    outline, on the white of the picture."""
    m = Emf(largeur, hauteur)
    m.mots(EMR_SELECTOBJECT, NULL_PEN)
    m.brosse(1, rgb(0, 0, 0))
    return m


def petale(cx, cy, angle, longueur, largeur):
    """A petal from the centre outwards, as one Bézier triple there and one
    back."""
    c, s = math.cos(angle), math.sin(angle)

    def p(u, v):
        return (round(cx + u * c - v * s), round(cy + u * s + v * c))

    return p(0, 0), [p(longueur / 3, -largeur), p(longueur, -largeur / 2), p(longueur, 0),
                     p(longueur, largeur / 2), p(longueur / 3, largeur), p(0, 0)]


def cercle(cx, cy, r):
    k = 0.5523 * r
    return (cx + r, cy), [(cx + r, round(cy + k)), (round(cx + k), cy + r), (cx, cy + r),
                          (round(cx - k), cy + r), (cx - r, round(cy + k)), (cx - r, cy),
                          (cx - r, round(cy - k)), (round(cx - k), cy - r), (cx, cy - r),
                          (round(cx + k), cy - r), (cx + r, round(cy - k)), (cx + r, cy)]


def fleur():
    m = Emf(6000, 6000)
    # The ground and the caption make no line when the flower is imported.
    m.mots(EMR_SELECTOBJECT, NULL_PEN)
    m.brosse(1, rgb(200, 230, 200))
    m.mots(EMR_RECTANGLE, 0, 5000, 6000, 6000)
    m.texte(300, 5100, "Lignée", 500, rgb(0, 90, 0))
    m.crayon(2, 70, rgb(0, 100, 0))
    m.brosse(3, rgb(40, 160, 40))
    m.chemin((2850, 3000), [("l", (3150, 3000)), ("l", (3150, 5000)), ("l", (2850, 5000))])
    m.crayon(4, 35, rgb(160, 60, 0))
    m.brosse(5, rgb(250, 200, 30))
    for i in range(4):
        depart, courbes = petale(3000, 2200, math.pi / 4 + i * math.pi / 2, 1600, 600)
        m.chemin(depart, [("c", courbes)])
    m.brosse(6, rgb(150, 70, 20))
    depart, courbes = cercle(3000, 2200, 450)
    m.chemin(depart, [("c", courbes)])
    return m.octets()


def masque_ovale():
    m = masque(4000, 3000)
    m.mots(EMR_ELLIPSE, 0, 0, 4000, 3000)
    return m.octets()


def masque_gauche():
    m = masque(4000, 3000)
    m.mots(EMR_RECTANGLE, 2000, 0, 4000, 3000)
    return m.octets()


def textes_demesures():
    m = Emf(2000, 1500)
    # Logical units are the device's pixels.
    m.records = []
    nom = "Liberation Sans".encode("utf-16-le").ljust(64, b"\0")
    m.enr(EMR_EXTCREATEFONTINDIRECTW, struct.pack("<Iiiiii8B", 1, -100, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0) + nom)
    m.mots(EMR_SELECTOBJECT, 1)
    chaine = "Généalogie".encode("utf-16-le")

    def texte():
        donnees = struct.pack("<iiiiIff", 0, 0, 1, 1, 1, 1.0, 1.0)
        donnees += struct.pack("<iiIIIiiiiI", 10, 10, len(chaine) // 2, 76, 0, 0, 0, -1, -1, 0)
        m.enr(EMR_EXTTEXTOUTW, donnees + chaine + b"\0" * (-len(chaine) % 4))

    for transformation in [(0.001, 0.0, 0.0, 1000.0), (1000.0, 0.0, 0.0, 0.0001), (1e6, 1e6, 1e6, 1e6)]:
        m.enr(EMR_SAVEDC)
        m.enr(EMR_SETWORLDTRANSFORM, struct.pack("<6f", *transformation, 0.0, 0.0))
        texte()
        m.mots(EMR_RESTOREDC, -1)
    m.enr(EMR_SAVEDC)
    m.mots(EMR_SETMAPMODE, 8)
    m.mots(EMR_SETWINDOWEXTEX, 1000, 1)
    m.mots(EMR_SETVIEWPORTEXTEX, 1, 1000)
    texte()
    m.mots(EMR_RESTOREDC, -1)
    m.mots(EMR_SELECTOBJECT, NULL_PEN)
    m.brosse(2, rgb(255, 0, 0))
    m.mots(EMR_RECTANGLE, 150, 100, 190, 140)
    return m.octets()


def png(largeur, hauteur, pixel):
    lignes = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(largeur)) for y in range(hauteur))

    def bloc(nom, donnees):
        return struct.pack(">I", len(donnees)) + nom + donnees + struct.pack(">I", zlib.crc32(nom + donnees))

    return (b"\x89PNG\r\n\x1a\n" + bloc(b"IHDR", struct.pack(">IIBBBBB", largeur, hauteur, 8, 2, 0, 0, 0))
            + bloc(b"IDAT", zlib.compress(lignes, 9)) + bloc(b"IEND", b""))


def bordure(x, y):
    """Tile 0 (x < 40): dark red with a yellow square in its top-left
    corner; tile 1: dark blue with a yellow band along its top."""
    if x < 40:
        return (255, 255, 0) if x < 12 and y < 12 else (128, 0, 0)
    return (255, 255, 0) if y < 8 else (0, 0, 128)


def photo(x, y):
    return (255 - 2 * x, 60 + y, 2 * x)


def main():
    dossier = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "tests", "fixtures", "cad")
    fichiers = {
        "fleur.emf": fleur(),
        "masque_ovale.emf": masque_ovale(),
        "masque_gauche.emf": masque_gauche(),
        "textes_demesures.emf": textes_demesures(),
        "bordure.png": png(80, 40, bordure),
        "photo.png": png(120, 90, photo),
    }
    for nom, octets in fichiers.items():
        with open(os.path.join(dossier, nom), "wb") as f:
            f.write(octets)


if __name__ == "__main__":
    main()
