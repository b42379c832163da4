#pragma once

#include <QString>
#include <QStringList>

// The raster pictures of the shipped designs, drawn here: the backgrounds
// (fond_parchemin.jpg, fond_ciel.jpg, fond_disque.jpg), the strips of border
// tiles (bordure_feuillage.png, bordure_filet.png: a corner tile then a side
// tile, each as high as the strip, on white that the designs make
// transparent) and the portrait shown until a person's photo replaces it
// (silhouette.png). The same pictures come out on every run.
//
// Writes them into the folder `images` (made when missing) and appends their
// names to `ecrits`. False at the first picture that cannot be written,
// *erreur then naming it.
bool EcritImagesImpression(const QString &images, QStringList &ecrits, QString *erreur);

// The metafiles of the images folder, written by the script
// scripts/donnees/impression.py: the clip art (arbre.emf, livre.emf) and the
// masks (masque_ovale.emf, masque_coeur.emf, masque_arrondi.emf).
QStringList MetafichiersImpression();
