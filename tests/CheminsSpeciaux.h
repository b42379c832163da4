#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

// Paths that name no ordinary file, made in `dossier` with the name suffix
// given (".png", ".ini"...): a named pipe, whose opening waits for a writer
// that never comes, and a symbolic link to /dev/zero, which never ends. A
// reader that opens either hangs. /dev/zero itself comes last.
inline QStringList CheminsSpeciaux(const QString &dossier, const QString &suffixe)
{
    const QString tube = dossier + QStringLiteral("/tube") + suffixe;
    const QString zero = dossier + QStringLiteral("/zero") + suffixe;
    ::mkfifo(QFile::encodeName(tube).constData(), 0600);
    QFile::link(QStringLiteral("/dev/zero"), zero);
    return {tube, zero, QStringLiteral("/dev/zero")};
}
