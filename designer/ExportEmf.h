#pragma once

#include <QString>

class TxiloCADMdl;

// Writes the objects of `modele` (as DrawObjects draws them: objects only) as an enhanced metafile of
// `largeur` x `hauteur` pixels standing for the page's true size in millimetres, to `fichier`, whole or
// not at all (the project's atomic write path). Returns false with a French reason in *erreur.
//
// The picture's frame is the page (Large x Haut millimetres); one logical
// unit of the metafile is one of the pixels, which the objects draw on as on
// a bitmap of that size. Each side must lie between 1 and CoteMaxEmf; the
// page must be valid (PageValide). The scales, offsets and switches of the
// model are those of the caller again afterwards. *erreur (may be null) says
// why, without the path, when the page or the size is refused, the metafile
// would exceed TEcrivainEmf::TailleMax bytes, or the file cannot be written
// (a folder, a pipe or a device at that path is left alone).
bool ExporteEmf(TxiloCADMdl &modele, const QString &fichier, int largeur, int hauteur, QString *erreur = nullptr);
constexpr int CoteMaxEmf = 1 << 20;
