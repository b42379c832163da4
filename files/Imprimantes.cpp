#include "Imprimantes.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include "Dialogues.h"
#include "Langue.h"

namespace {

constexpr int TexteFiltrePdf = 5037;

} // namespace

std::unique_ptr<QPrinter> CreeImprimante()
{
    const QPrinterInfo systeme = QPrinterInfo::defaultPrinter();
    if (!systeme.isNull())
        return std::make_unique<QPrinter>(systeme, QPrinter::HighResolution);
    auto imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    imprimante->setOutputFormat(QPrinter::PdfFormat);
    imprimante->setResolution(600);
    imprimante->setPageSize(QPageSize(QPageSize::A4));
    imprimante->setPageOrientation(QPageLayout::Portrait);
    return imprimante;
}

bool DemandeFichierPdf(QPrinter &imprimante, const QString &titre, const QString &fichierPropose)
{
    if (imprimante.outputFormat() != QPrinter::PdfFormat)
        return true;
    QString chemin = Dialogues().FichierAEnregistrer(titre, fichierPropose, MLText(TexteFiltrePdf));
    if (chemin.isEmpty())
        return false;
    if (!chemin.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".pdf");
    imprimante.setOutputFileName(chemin);
    return true;
}
