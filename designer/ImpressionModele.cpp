#include "ImpressionModele.h"

#include <algorithm>

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "Arrondi.h"
#include "Bitmaps.h"
#include "CanevasQt.h"
#include "Fichiers.h"
#include "Images.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double MmParPouce = 25.4;

bool EstAbsolu(const QString &nom)
{
    // Designs and databases made on another system name their files with
    // a drive letter: such a name is a path, never a picture of the designs.
    return nom.startsWith(u'/') || (nom.size() >= 2 && nom[1] == u':' && nom[0].isLetter());
}

} // namespace

QString ResoutNomImpression(const QString &nom, const QString &dossierImages, const QString &fichierBase)
{
    QString n = nom;
    n.replace(u'\\', u'/');
    if (n.startsWith(u'@')) {
        n.remove(0, 1);
        if (n.isEmpty() || EstAbsolu(n) || fichierBase.isEmpty())
            return n;
        // Relative to the database, whichever folder the program runs in.
        return QFileInfo(fichierBase).absolutePath() + u'/' + n;
    }
    if (n.isEmpty() || EstAbsolu(n))
        return n;
    return dossierImages + n;
}

QRect PlaceImpression(QSizeF page, const QSize &papier, const QRect &imprimable, double dpiX, double dpiY)
{
    if (!(page.width() > 0) || !(page.height() > 0) || imprimable.isEmpty() || !(dpiX > 0) || !(dpiY > 0))
        return QRect();
    const double largeur = page.width() / MmParPouce * dpiX;
    const double hauteur = page.height() / MmParPouce * dpiY;
    if (largeur <= imprimable.width() && hauteur <= imprimable.height()) {
        const QSize taille(std::max(1, Round(largeur)), std::max(1, Round(hauteur)));
        QRect r(QPoint((papier.width() - taille.width()) / 2, (papier.height() - taille.height()) / 2), taille);
        // Centred on the sheet unless a margin, wider on one side, would
        // cut it: then as near the centre as the printable part allows.
        r.moveLeft(std::clamp(r.left(), imprimable.left(), imprimable.left() + imprimable.width() - r.width()));
        r.moveTop(std::clamp(r.top(), imprimable.top(), imprimable.top() + imprimable.height() - r.height()));
        return r;
    }
    // Too large for the sheet: reduced, never distorted. The proportions
    // are those of the page in hundredths of a millimetre, as exports take
    // them, in dots of the printer's own resolution on each axis.
    QRect r;
    if (!FitRect(imprimable.width(), imprimable.height(), std::max(1, Round(largeur)), std::max(1, Round(hauteur)), r)
        || r.isEmpty())
        return QRect();
    return r.translated(imprimable.topLeft());
}

QSize TailleBitmapImpression(const QSize &place)
{
    if (place.isEmpty())
        return QSize();
    if (place.width() <= CoteMaxImpression && place.height() <= CoteMaxImpression)
        return place;
    QRect r;
    if (!FitRect(CoteMaxImpression, CoteMaxImpression, place.width(), place.height(), r))
        return QSize();
    return r.size().expandedTo(QSize(1, 1));
}

bool ImprimeModele(TxiloCADMdl &modele, QPrinter &imprimante, QString *erreur)
{
    const auto echec = [erreur](const QString &texte) {
        if (erreur)
            *erreur = texte;
        return false;
    };
    if (!modele.PageValide())
        return echec(u"La page du modèle n'a pas de taille valide."_s);
    imprimante.setPageOrientation(modele.Large() > modele.Haut() ? QPageLayout::Landscape : QPageLayout::Portrait);
    // A file to print into that is a pipe would keep the program waiting
    // for a reader; through a link to a device, the device would be written.
    if (const QString fichier = imprimante.outputFileName(); !fichier.isEmpty()) {
        if (const QString obstacle = ObstacleEcriture(fichier); !obstacle.isEmpty())
            return echec(u"%1 : %2"_s.arg(fichier, obstacle));
    }

    // A PDF file has no margin: a printer's margins are where its rollers
    // hold the sheet, and a file kept with them would print a design of the
    // sheet's size smaller than it is. The whole sheet is printable, and the
    // painter's origin is its corner.
    const bool fullPage = imprimante.fullPage();
    if (imprimante.outputFormat() == QPrinter::PdfFormat)
        imprimante.setFullPage(true);
    const struct Remet {
        QPrinter &imprimante;
        bool fullPage;
        ~Remet() { imprimante.setFullPage(fullPage); }
    } remet{imprimante, fullPage};

    const int resolution = imprimante.resolution();
    const QPageLayout mise = imprimante.pageLayout();
    const QRect papier = mise.fullRectPixels(resolution);
    const QRect imprimable = imprimante.fullPage() ? papier : mise.paintRectPixels(resolution);
    const QRect place =
        PlaceImpression(QSizeF(modele.Large(), modele.Haut()), papier.size(), imprimable, resolution, resolution);
    QImage bitmap = NouveauBitmap(TailleBitmapImpression(place.size()));
    if (bitmap.isNull())
        return echec(u"L'image à imprimer n'a pas pu être préparée : la mémoire manque."_s);
    {
        QPainter p(&bitmap);
        TCanevasQt canevas(p);
        modele.DrawObjects(canevas, bitmap.rect());
    }

    QPainter p;
    if (!p.begin(&imprimante))
        return echec(u"L'impression n'a pas pu commencer."_s);
    {
        TCanevasQt canevas(p);
        // The painter's origin is the printable part's corner.
        PrintBitmap(canevas, place.translated(-imprimable.topLeft()), bitmap);
    }
    if (!p.end() || imprimante.printerState() == QPrinter::Error)
        return echec(u"L'impression a été interrompue."_s);
    return true;
}
