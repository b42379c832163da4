#pragma once

#include "Sane.h"

class QImage;

// The acquisition of the source editor's scanner button: TAcquireImage over
// the SANE functions `sane` (null: no library, false at once), with the
// program's chooser, settings and progress windows over the active window;
// a failure other than a cancel is told in a message box. True with the
// picture.
//
// The settings window starts on the last settings chosen (ReglagesInitiaux),
// kept in gene.ini of DossierParamUser, section "Scanner", keys "Resolution"
// (dots per inch) and "Mode" (the SANE name); nothing is kept while
// DossierParamUser is empty.
bool AcquiertImage(QImage &image, const TFonctionsSane *sane);
// The same with the system's SANE library (FonctionsSane()).
bool AcquiertImage(QImage &image);

// Gives the source editor its scanner button when the system's SANE
// library is present; without it the button stays hidden.
void InstalleScanner();
