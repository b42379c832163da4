#include "Demarrage.h"

#include "Chemins.h"
#include "Dates.h"
#include "Dialogues.h"
#include "Fetes.h"
#include "Globales.h"
#include "Langue.h"
#include "TraductionQt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

bool verifiePresent(const QString &chemin)
{
    if (QFileInfo::exists(chemin))
        return true;
    // The language file is not loaded yet: this one message has no number.
    AppMessageBox(QStringLiteral("Not Found : ") + chemin, MsgErreur, BoutonsOk);
    return false;
}

void installeTraductionQt()
{
    static QPointer<QTranslator> traduction;
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return;
    if (traduction) {
        QCoreApplication::removeTranslator(traduction);
        delete traduction;
    }
    const QString code = MLText(7401);
    if (code.isEmpty())
        return;
    // Qt's own widgets (dates in the file dialogs, month and day names) speak
    // the program's language, not the system's.
    QLocale::setDefault(QLocale(code));
    traduction = new TTraductionQt(application);
    if (traduction->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traduction);
}

} // namespace

bool PrepareDemarrage(const QString &racineUtilisateur)
{
    if (!verifiePresent(FichierLangue()) || !verifiePresent(FichierReglagesLangue()))
        return false;
    const TReglagesLangue reglages = LitReglagesLangue(FichierReglagesLangue());
    QString erreur;
    if (!ChargeLangue(FichierLangue(), &erreur)) {
        AppMessageBox(QStringLiteral("Not Found : ") + FichierLangue() + QStringLiteral("\n") + erreur,
                      MsgErreur, BoutonsOk);
        return false;
    }
    installeTraductionQt();
    if (!InitialiseDossiers(reglages.Langue, racineUtilisateur))
        AppMessageBox(MLText(5030).arg(DossierParamUser), MsgAvertissement, BoutonsOk);
    // The name days are the models' own: a missing file leaves them empty,
    // one that cannot be read is told.
    if (!QFileInfo::exists(FichierFete))
        TableFetes().Clear();
    else if (QString raison; !LitFetes(FichierFete, &raison))
        AppMessageBox(MLFormat(5001, {FichierFete, raison}), MsgErreur, BoutonsOk);
    return true;
}
