#include "ImagesArbre.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Fichiers.h"
#include "Globales.h"
#include "ModelesUtilisateur.h"

namespace {

// Pictures are read whole to be compared and copied; a file beyond this is
// no picture a box or a link could show.
constexpr qint64 TailleMaxImage = qint64(512) << 20;
// Free names tried before giving up: far beyond any real folder.
constexpr int NomsMax = 10000;

bool LitTout(const QString &chemin, QByteArray &octets, QString *erreur)
{
    const QString obstacle = ObstacleLecture(chemin);
    if (!obstacle.isEmpty()) {
        if (erreur)
            *erreur = obstacle;
        return false;
    }
    QFile f(chemin);
    if (f.size() > TailleMaxImage) {
        if (erreur)
            *erreur = QStringLiteral("fichier trop gros");
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (erreur)
            *erreur = f.errorString();
        return false;
    }
    octets = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (erreur)
            *erreur = f.errorString();
        return false;
    }
    return true;
}

// True when the file at `chemin` holds exactly `octets`.
bool Identique(const QString &chemin, const QByteArray &octets)
{
    const QFileInfo info(chemin);
    if (!info.isFile() || info.size() != octets.size())
        return false;
    QByteArray lus;
    return LitTout(chemin, lus, nullptr) && lus == octets;
}

} // namespace

bool CopieImageArbre(const QString &source, QString *nom, QString *erreur)
{
    const QFileInfo info(source);
    const QString dossier = DossierImagesCopiees();
    for (const QString &d : {DossierImageArbreUser, DossierImageArbre}) {
        if (!d.isEmpty() && info.isFile() && info.absolutePath() == QFileInfo(d).absoluteFilePath()) {
            *nom = info.fileName();
            return true;
        }
    }
    QByteArray octets;
    if (!LitTout(source, octets, erreur))
        return false;
    errno = 0;
    if (!QDir().mkpath(dossier)) {
        if (erreur)
            *erreur = RaisonSysteme(errno != 0 ? errno : EACCES);
        return false;
    }
    // A picture of the same name that differs is another picture: looks that
    // name it must keep showing it, so the new one takes a free name. A name
    // is read in the user's folder first, then in the shipped one
    // (CheminImageArbre): it is free only when neither holds it.
    const auto occupe = [](const QString &chemin) {
        return QFileInfo::exists(chemin) || QFileInfo(chemin).isSymLink();
    };
    const QString base = info.completeBaseName();
    const QString extension = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1; n <= NomsMax; ++n) {
        const QString candidat = n == 1 ? info.fileName() : base + QLatin1Char('-') + QString::number(n) + extension;
        const QString chemin = dossier + candidat;
        const QString livre = DossierImageArbre + candidat;
        const QString lu = occupe(chemin) ? chemin : (!DossierImageArbre.isEmpty() && occupe(livre) ? livre : QString());
        if (!lu.isEmpty()) {
            if (!Identique(lu, octets))
                continue;
        } else if (!EcritFichierEntier(chemin, octets.constData(), octets.size(), erreur)) {
            return false;
        }
        *nom = candidat;
        return true;
    }
    if (erreur)
        *erreur = RaisonSysteme(EEXIST);
    return false;
}
