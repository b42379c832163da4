#pragma once

#include <QString>
#include <QStringList>

// The place lists of the places folder (DossierLieu): text files, one place
// text a line ("FRA,IDF,F95,Pontoise").

// The full paths of the files of `dossier` whose names end in ".txt",
// letter case ignored, in the order of their full paths; sub-folders are
// not searched. Empty for a missing or empty folder.
QStringList ListesDeLieux(const QString &dossier);
// The name shown for a list: its file name less folder and extension.
QString NomListeLieux(const QString &chemin);

// Reads the place list file at `chemin` into `lieux`: its lines, UTF-8 (a
// byte order mark is allowed) or, when the bytes are not valid UTF-8,
// Windows-1252; line ends CR LF or LF; blank lines skipped; sorted once,
// after reading, in French alphabetical order without regard to letter
// case or accents. Returns false, with `lieux` emptied and *erreur (may be
// null) saying why, when the file is not an ordinary readable file or is
// larger than 64 MiB.
bool ChargeListeLieux(const QString &chemin, QStringList &lieux, QString *erreur = nullptr);
