#include "FichierTemporaire.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "Fichiers.h"

namespace {

constexpr char16_t kChiffres[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kNombreChiffres = 62;
constexpr qsizetype kLongueurMarque = 6;
const QString kSuffixe = QStringLiteral(".tmp");

QString nomAuHasard(const QString &final)
{
    QString marque(kLongueurMarque, Qt::Uninitialized);
    for (QChar &c : marque)
        c = QChar(kChiffres[QRandomGenerator::global()->bounded(kNombreChiffres)]);
    return final + QLatin1Char('.') + marque + kSuffixe;
}

// True for "<final>.XXXXXX.tmp", XXXXXX six ASCII letters or digits.
bool estTemporaireDe(const QString &nom, const QString &final)
{
    if (nom.size() != final.size() + 1 + kLongueurMarque + kSuffixe.size() || !nom.startsWith(final)
        || nom.at(final.size()) != QLatin1Char('.') || !nom.endsWith(kSuffixe))
        return false;
    for (qsizetype i = final.size() + 1; i <= final.size() + kLongueurMarque; ++i) {
        const char16_t c = nom.at(i).unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

// Names are tried until one is free, so two saves never share a file.
template <typename Fabrique>
int creeSousUnNomLibre(const QString &final, QByteArray &chemin, Fabrique fabrique)
{
    for (int essai = 0; essai < 100; ++essai) {
        chemin = QFile::encodeName(nomAuHasard(final));
        const int resultat = fabrique(chemin.constData());
        if (resultat >= 0 || errno != EEXIST)
            return resultat;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

TFichierTemporaire::~TFichierTemporaire()
{
    // The name goes before the lock: a cleaner never finds it unlocked.
    if (!m_chemin.isEmpty())
        ::unlink(m_chemin.constData());
    Ferme();
}

void TFichierTemporaire::Ferme()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

QString TFichierTemporaire::Chemin() const
{
    return QFile::decodeName(m_chemin);
}

bool TFichierTemporaire::Cree(const QString &final, const QString &modele, QString *erreur)
{
    // Without a name while it is written, where the file system allows it:
    // a save killed then leaves nothing behind. It takes its name when it
    // replaces the file.
    int fd = ::open(QFile::encodeName(QFileInfo(final).absolutePath()).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC,
                    0666);
    m_sansNom = fd >= 0;
    if (!m_sansNom) {
        fd = creeSousUnNomLibre(final, m_chemin, [](const char *chemin) {
            return ::open(chemin, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        });
    }
    if (fd < 0) {
        *erreur = RaisonSysteme(errno);
        m_chemin.clear();
        return false;
    }
    m_fd = fd;
    ::flock(m_fd, LOCK_EX);
    struct stat etat {};
    if (::stat(QFile::encodeName(modele).constData(), &etat) == 0)
        ::fchmod(m_fd, etat.st_mode & 07777);
    return true;
}

bool TFichierTemporaire::Lie(const QString &source, const QString &final, QString *erreur)
{
    const QByteArray origine = QFile::encodeName(source);
    const int lien = creeSousUnNomLibre(final, m_chemin, [&origine](const char *chemin) {
        return ::linkat(AT_FDCWD, origine.constData(), AT_FDCWD, chemin, AT_SYMLINK_FOLLOW);
    });
    if (lien != 0) {
        *erreur = RaisonSysteme(errno);
        m_chemin.clear();
        return false;
    }
    m_fd = ::open(m_chemin.constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        *erreur = RaisonSysteme(errno);
        return false;
    }
    ::flock(m_fd, LOCK_EX);
    return true;
}

bool TFichierTemporaire::Ecrit(const char *donnees, qint64 taille, QString *erreur)
{
    return EcritTout(m_fd, donnees, taille, erreur);
}

bool TFichierTemporaire::Copie(const QString &source, QString *erreur)
{
    QFile original(source);
    if (!original.open(QIODevice::ReadOnly)) {
        *erreur = original.errorString();
        return false;
    }
    constexpr qint64 kMorceau = 1 << 20;
    while (!original.atEnd()) {
        const QByteArray morceau = original.read(kMorceau);
        if (morceau.isEmpty() && original.error() != QFileDevice::NoError) {
            *erreur = original.errorString();
            return false;
        }
        if (!Ecrit(morceau.constData(), morceau.size(), erreur))
            return false;
    }
    return true;
}

bool TFichierTemporaire::Synchronise(QString *erreur)
{
    if (::fsync(m_fd) != 0) {
        *erreur = RaisonSysteme(errno);
        return false;
    }
    return true;
}

bool TFichierTemporaire::Remplace(const QString &final, QString *erreur)
{
    if (m_sansNom) {
        // The name comes last, locked already: a cleaner never takes it for
        // a leftover.
        const QByteArray descripteur = "/proc/self/fd/" + QByteArray::number(m_fd);
        const int fd = m_fd;
        if (creeSousUnNomLibre(final, m_chemin, [fd, &descripteur](const char *chemin) {
                const int lien = ::linkat(fd, "", AT_FDCWD, chemin, AT_EMPTY_PATH);
                return lien == 0 || errno == EEXIST
                           ? lien
                           : ::linkat(AT_FDCWD, descripteur.constData(), AT_FDCWD, chemin, AT_SYMLINK_FOLLOW);
            }) != 0) {
            *erreur = RaisonSysteme(errno);
            m_chemin.clear();
            return false;
        }
        m_sansNom = false;
    }
    const QByteArray cible = QFile::encodeName(final);
    // Between two names of one file rename() does nothing and succeeds,
    // which would leave the temporary name behind: the final name already
    // holds the content, so the temporary name simply goes.
    struct stat temporaire {}, existant {};
    if (::fstat(m_fd, &temporaire) == 0 && ::stat(cible.constData(), &existant) == 0
        && temporaire.st_dev == existant.st_dev && temporaire.st_ino == existant.st_ino) {
        ::unlink(m_chemin.constData());
        m_chemin.clear();
        Ferme();
        return true;
    }
    if (std::rename(m_chemin.constData(), cible.constData()) != 0) {
        *erreur = RaisonSysteme(errno);
        return false;
    }
    m_chemin.clear();
    Ferme();
    return true;
}

void NettoieTemporaires(const QString &final)
{
    const QFileInfo info(final);
    const QDir dossier = info.absoluteDir();
    const QString nom = info.fileName();
    const QStringList entrees = dossier.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entree : entrees) {
        if (!estTemporaireDe(entree, nom))
            continue;
        const QByteArray chemin = QFile::encodeName(dossier.filePath(entree));
        // Without following a link, and without waiting on a named pipe.
        const int fd = ::open(chemin.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat etat {};
        if (::fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(chemin.constData());
        ::close(fd);
    }
}
