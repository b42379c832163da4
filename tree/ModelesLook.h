#pragma once

#include "Look.h"

#include <QImage>
#include <QString>

#include <vector>

class TBD;
struct TDossiersModeles;

// The look models of the look folders (DossiersArbre, ModelesUtilisateur.h:
// the user's and the shipped one): each is a look file "<name>.mva" with an
// optional thumbnail "<name>.png", a picture of one person's box drawn in
// that look.

struct TModeleLook {
    QString Nom;     // as listed: the file name without ".mva", in lower case
    QString Fichier; // the file name without ".mva", as spelled on the disk
    bool operator==(const TModeleLook &) const = default;
};

// The models of both folders: their ordinary files whose names end with
// ".mva" (letter case ignored), a model of the user's hiding a shipped one of
// the same name (FichiersModeles), sorted by Nom, then by Fichier. A folder
// that is missing or cannot be read gives none.
std::vector<TModeleLook> ListeModeles(const TDossiersModeles &dossiers);

// Why a model name typed by the user cannot be saved, as the number of the
// language text to show with the name as its argument; 0 when it can. The
// name becomes a file name, so it must not be empty (blanks only count as
// empty), be "." or "..", hold "/", "\", a control character or a character
// other systems refuse in file names (":", "*", "?", a double quote, "<",
// ">", "|"), begin with a blank or end with a blank or a dot, or be longer
// than 200 characters.
int DefautNomModele(const QString &nom);

// The thumbnail of a look: the box of person `personne` of `bd` drawn as the
// tree draws it, in look 1 of `looks` at its zoom, with the box height and
// steps computed for it, with the person's sex and selected (thumbnails are
// made for the current person). Its lines are the raw templates of the look
// (`expanse` false: "<nom> <prénom>") or the templates expanded for the
// person. The picture is the box's size; null when the box has no area.
QImage VignetteLook(const TLooks &looks, const TBD &bd, int personne, bool expanse);
