#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

// A shipped models folder as an installed program has it: files put into a
// folder that is then made read-only, beside a user's folder that does not
// exist yet. An account that permissions do not stop (root) could still
// write there, so tests compare the folder's state before and after rather
// than count on a refusal.
class TModelesLivres
{
public:
    // Both folders inside `racine`: "<racine>/livre/" and "<racine>/user/".
    explicit TModelesLivres(const QString &racine)
        : m_livre(racine + QStringLiteral("/livre/"))
        , m_user(racine + QStringLiteral("/user/"))
    {
        QDir().mkpath(m_livre);
    }
    ~TModelesLivres()
    {
        // Writable again, so that the temporary folder can be removed.
        const auto ecriture = QFileDevice::WriteOwner | QFileDevice::WriteUser;
        for (const QFileInfo &f : QDir(m_livre).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
            QFile::setPermissions(f.filePath(), f.permissions() | ecriture);
        QFile::setPermissions(m_livre, QFileInfo(m_livre).permissions() | ecriture);
    }
    TModelesLivres(const TModelesLivres &) = delete;
    TModelesLivres &operator=(const TModelesLivres &) = delete;

    // Each ending with "/".
    const QString &Livre() const { return m_livre; }
    const QString &User() const { return m_user; }

    // Puts a file into the shipped folder, before Fige.
    bool Copie(const QString &source, const QString &nom) const { return QFile::copy(source, m_livre + nom); }
    bool Ecrit(const QString &nom, const QByteArray &octets) const
    {
        QFile f(m_livre + nom);
        return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
    }

    // Makes the shipped folder and its files read-only, as installed, and
    // notes what it holds.
    void Fige()
    {
        const auto lecture = QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup
                             | QFileDevice::ReadOther;
        const auto parcours = QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup
                              | QFileDevice::ExeOther;
        for (const QFileInfo &f : QDir(m_livre).entryInfoList(QDir::Files | QDir::Hidden))
            QFile::setPermissions(f.filePath(), lecture);
        QFile::setPermissions(m_livre, lecture | parcours);
        m_etat = Etat();
    }

    // Every entry of the shipped folder: name, size and a digest of the
    // content.
    QStringList Etat() const
    {
        QStringList etat;
        for (const QFileInfo &f : QDir(m_livre).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                                               QDir::Name)) {
            QFile fichier(f.filePath());
            const QByteArray empreinte = fichier.open(QIODevice::ReadOnly)
                ? QCryptographicHash::hash(fichier.readAll(), QCryptographicHash::Sha1).toHex()
                : QByteArray("-");
            etat << f.fileName() + QLatin1Char(' ') + QString::number(f.size()) + QLatin1Char(' ')
                        + QString::fromLatin1(empreinte);
        }
        return etat;
    }
    // True when the shipped folder holds what it held at Fige.
    bool Intact() const { return !m_etat.isEmpty() && Etat() == m_etat; }

private:
    QString m_livre;
    QString m_user;
    QStringList m_etat;
};
