#!/usr/bin/env python3
"""Writes the metafiles of the artistic print designs into the folder given
(by default modele/0/impression/images):

- arbre.emf: a tree of filled Bézier paths (ground, trunk, two branches,
  foliage, fruits), 60 x 70 mm; a group object imports its paths as lines;
- livre.emf: an open book on its cover, with lines of text, 70 x 45 mm, its
  paths filled and outlined for the metafile player;
- masque_ovale.emf, masque_coeur.emf, masque_arrondi.emf: a black oval, heart
  and rounded rectangle on white, 40 x 50 mm and 50 x 46 mm; the white
  corners become transparent on a picture.

The raster pictures beside them (backgrounds, border tiles, the portrait
silhouette) and the models are written by lignee_modeles_impression.
Only the Python standard library is used: python3 scripts/donnees/impression.py
"""

import os
import sys

sys.dont_write_bytecode = True
from metafichiers import EMR_ELLIPSE, EMR_SELECTOBJECT, NULL_PEN, Emf, cercle, masque, rgb


def rond(m, cx, cy, r):
    depart, courbes = cercle(cx, cy, r)
    m.chemin(depart, [("c", courbes)])


def arbre():
    m = Emf(6000, 7000)
    m.crayon(1, 35, rgb(60, 110, 40))
    m.brosse(2, rgb(110, 165, 70))
    m.chemin((600, 7000), [("c", [(1800, 6300), (4200, 6300), (5400, 7000)])])
    m.crayon(3, 35, rgb(70, 45, 20))
    m.brosse(4, rgb(115, 75, 40))
    m.chemin((2300, 6900), [("l", (3700, 6900)), ("c", [(3300, 6500), (3250, 5000), (3250, 4300)]),
                            ("l", (3250, 3400)), ("l", (2750, 3400)), ("l", (2750, 4300)),
                            ("c", [(2750, 5000), (2700, 6500), (2300, 6900)])])
    m.chemin((2800, 4400), [("c", [(2500, 3900), (2000, 3600), (1600, 3300)]), ("l", (1750, 3150)),
                            ("c", [(2200, 3450), (2600, 3700), (2800, 4000)])])
    m.chemin((3200, 4400), [("c", [(3500, 3900), (4000, 3600), (4400, 3300)]), ("l", (4250, 3150)),
                            ("c", [(3800, 3450), (3400, 3700), (3200, 4000)])])
    feuillage = [
        (rgb(35, 95, 40), [(3000, 2300, 1500)]),
        (rgb(50, 125, 50), [(1700, 3000, 1000), (4300, 3000, 1000)]),
        (rgb(70, 150, 60), [(2200, 1500, 1000), (3800, 1500, 1000)]),
        (rgb(95, 170, 70), [(3000, 2700, 850), (3000, 1000, 800)]),
    ]
    m.crayon(5, 35, rgb(30, 80, 30))
    for i, (couleur, cercles) in enumerate(feuillage):
        m.brosse(6 + i, couleur)
        for cx, cy, r in cercles:
            rond(m, cx, cy, r)
    m.crayon(10, 35, rgb(140, 20, 20))
    m.brosse(11, rgb(200, 40, 40))
    for cx, cy in [(1500, 2800), (2400, 1300), (3600, 2000), (4400, 3300), (2700, 3100), (3900, 1100)]:
        rond(m, cx, cy, 170)
    return m.octets()


def livre():
    m = Emf(7000, 4500)
    m.crayon(1, 30, rgb(90, 20, 20))
    m.brosse(2, rgb(130, 30, 30))
    m.chemin((150, 650), [("l", (150, 4050)), ("c", [(1100, 3850), (2500, 3950), (3500, 4450)]),
                          ("c", [(4500, 3950), (5900, 3850), (6850, 4050)]), ("l", (6850, 650)),
                          ("c", [(5600, 450), (4300, 650), (3500, 1000)]),
                          ("c", [(2700, 650), (1400, 450), (150, 650)])], contour=True)
    m.crayon(3, 30, rgb(120, 80, 40))
    m.brosse(4, rgb(250, 244, 225))
    for sens in (1, -1):
        def x(v):
            return v if sens == 1 else 7000 - v
        m.chemin((x(3500), 900), [("c", [(x(2500), 300), (x(1200), 250), (x(350), 500)]), ("l", (x(350), 3800)),
                                   ("c", [(x(1200), 3550), (x(2500), 3600), (x(3500), 4200)]),
                                   ("l", (x(3500), 900))], contour=True)
    m.mots(EMR_SELECTOBJECT, NULL_PEN)
    m.brosse(5, rgb(165, 150, 125))
    for sens in (1, -1):
        for i in range(6):
            y = 1250 + 390 * i
            gauche, droite = (800, 3000) if sens == 1 else (4000, 6200)
            if i == 5:
                droite -= 900
            m.chemin((gauche, y), [("l", (droite, y)), ("l", (droite, y + 110)), ("l", (gauche, y + 110))])
    return m.octets()


def masque_ovale():
    m = masque(4000, 5000)
    m.mots(EMR_ELLIPSE, 0, 0, 4000, 5000)
    return m.octets()


def masque_coeur():
    m = masque(5000, 4600)
    m.chemin((2500, 4600), [("c", [(1000, 3400), (0, 2400), (0, 1300)]),
                            ("c", [(0, 400), (700, 0), (1300, 0)]),
                            ("c", [(1900, 0), (2400, 400), (2500, 1000)]),
                            ("c", [(2600, 400), (3100, 0), (3700, 0)]),
                            ("c", [(4300, 0), (5000, 400), (5000, 1300)]),
                            ("c", [(5000, 2400), (4000, 3400), (2500, 4600)])])
    return m.octets()


def masque_arrondi():
    m = masque(4000, 5000)
    r, k = 700, 387
    m.chemin((r, 0), [("l", (4000 - r, 0)), ("c", [(4000 - r + k, 0), (4000, r - k), (4000, r)]),
                      ("l", (4000, 5000 - r)), ("c", [(4000, 5000 - r + k), (4000 - r + k, 5000), (4000 - r, 5000)]),
                      ("l", (r, 5000)), ("c", [(r - k, 5000), (0, 5000 - r + k), (0, 5000 - r)]),
                      ("l", (0, r)), ("c", [(0, r - k), (r - k, 0), (r, 0)])])
    return m.octets()


def main():
    dossier = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "modele", "0", "impression", "images")
    os.makedirs(dossier, exist_ok=True)
    fichiers = {
        "arbre.emf": arbre(),
        "livre.emf": livre(),
        "masque_ovale.emf": masque_ovale(),
        "masque_coeur.emf": masque_coeur(),
        "masque_arrondi.emf": masque_arrondi(),
    }
    for nom, octets in fichiers.items():
        with open(os.path.join(dossier, nom), "wb") as f:
            f.write(octets)


if __name__ == "__main__":
    main()
