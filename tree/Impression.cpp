#include "Impression.h"

#include <algorithm>

#include <QPainter>
#include <QPrinter>

#include "Fichiers.h"
#include "TAffArbre.h"
#include "TPage.h"

bool ImprimeArbre(TAffArbre &arbre, TPage &page, QPrinter &imprimante, int premiere, int derniere,
                  QString *erreur)
{
    const auto echec = [erreur](const QString &texte) {
        if (erreur)
            *erreur = texte;
        return false;
    };
    // The grid is walked once for every page.
    const std::vector<QRect> rectangles = page.PrintCoords();
    const int pages = static_cast<int>(rectangles.size());
    premiere = std::max(premiere, 1);
    derniere = std::min(derniere, pages);
    if (premiere > derniere)
        return echec(QStringLiteral("Il n'y a aucune page à imprimer."));

    // A printer that makes the copies itself would multiply ours: either it
    // copies the job, or the job repeats the pages and the printer is told
    // to make one copy.
    const int copiesDemandees = std::max(imprimante.copyCount(), 1);
    int copies = 1;
    if (!imprimante.supportsMultipleCopies() && copiesDemandees > 1) {
        copies = copiesDemandees;
        imprimante.setCopyCount(1);
    }

    // A file to print into that is a pipe would keep the program waiting
    // for a reader; through a link to a device, the device would be written.
    if (const QString fichier = imprimante.outputFileName(); !fichier.isEmpty()) {
        if (const QString obstacle = ObstacleEcriture(fichier); !obstacle.isEmpty())
            return echec(QStringLiteral("%1 : %2").arg(fichier, obstacle));
    }

    const auto rend = [&] {
        if (copies > 1)
            imprimante.setCopyCount(copiesDemandees);
    };
    QPainter p;
    if (!p.begin(&imprimante)) {
        rend();
        return echec(QStringLiteral("L'impression n'a pas pu commencer."));
    }
    const QRect feuille(QPoint(0, 0), page.PageImprimante);
    bool premierePage = true;
    bool interrompue = false;
    for (int copie = 0; copie < copies && !interrompue; ++copie) {
        for (int n = premiere; n <= derniere; ++n) {
            if (!premierePage && !imprimante.newPage()) {
                interrompue = true;
                break;
            }
            premierePage = false;
            // Whatever lies off the sheet is not drawn: the boxes then skip
            // the pictures they would have made for nothing.
            p.save();
            p.setClipRect(feuille);
            arbre.Imprime(p, {rectangles[static_cast<size_t>(n - 1)].topLeft(), page.PrintZoom, page.MethodeImpression});
            p.restore();
        }
    }
    const bool fini = p.end() && !interrompue;
    rend();
    if (!fini)
        return echec(QStringLiteral("L'impression a été interrompue."));
    return true;
}
