#include "ImpressionLivree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

QString DossierModelesImpression(const QString &modele)
{
    return modele + u"/1/impression/modeles/"_s;
}

QString DossierImagesImpression(const QString &modele)
{
    return modele + u"/0/impression/images/"_s;
}

QStringList ModelesImpressionLivres(const QString &modele)
{
    const QDir racine(DossierModelesImpression(modele));
    QStringList chemins;
    for (const QString &categorie : racine.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QDir dossier(racine.filePath(categorie));
        for (const QString &nom : dossier.entryList({u"*.mdl"_s}, QDir::Files, QDir::Name))
            chemins << dossier.filePath(nom);
    }
    return chemins;
}

QString CheminApercu(const QString &mdl)
{
    const QFileInfo info(mdl);
    return info.dir().filePath(info.completeBaseName() + u".jpg"_s);
}

void ResoutDansImages(TxiloCADMdl &modele, const QString &images, const QString &base)
{
    modele.SetOnResolveFile(
        [images, base](TxiloCADObj *, QString &nom) { nom = ResoutNomImpression(nom, images, base); });
}

bool EcritApercuLivre(const QString &mdl, const QString &images, const QString &jpg, QString *erreur)
{
    TxiloCADMdl modele(nullptr, QRect(0, 0, LargeurApercuLivre, HauteurApercuLivre), LargeurApercuLivre,
                       HauteurApercuLivre);
    TxiloApercuModele::PrepareRendu(modele, [images](TxiloCADObj *, QString &nom) {
        nom = ResoutNomImpression(nom, images, QString());
    });
    if (!modele.LoadFromFile(mdl, erreur))
        return false;
    if (!modele.ExportJpeg(jpg, LargeurApercuLivre, HauteurApercuLivre, CadreApercuLivre)) {
        if (erreur)
            *erreur = u"l'aperçu n'a pas pu être écrit"_s;
        return false;
    }
    return true;
}

QStringList TUtilisateurExemple::Albums()
{
    return {
        u"Anciennes photos"_s,
        u"Anciennes photos/Grands-parents"_s,
        u"Anciennes photos/La maison de famille"_s,
        u"Baptême de Théo"_s,
        u"Mariage de Luc et Emma"_s,
        u"Noël en famille"_s,
        u"Vacances en Bretagne"_s,
        u"Vacances en Bretagne/Carnac"_s,
        u"Vacances en Bretagne/Quiberon"_s,
    };
}

TUtilisateurExemple::TUtilisateurExemple()
    : m_dossier(std::make_unique<QTemporaryDir>()),
      m_home(qgetenv("HOME")),
      m_config(qgetenv("XDG_CONFIG_HOME")),
      m_avaitConfig(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    if (!m_dossier->isValid())
        return;
    qputenv("HOME", QFile::encodeName(m_dossier->path()));
    // The pictures folder would otherwise be read from the real user's
    // folder settings.
    qunsetenv("XDG_CONFIG_HOME");
    const QDir images(m_dossier->filePath(u"Pictures"_s));
    m_pret = true;
    for (const QString &album : Albums())
        m_pret = m_pret && images.mkpath(album);
}

TUtilisateurExemple::~TUtilisateurExemple()
{
    qputenv("HOME", m_home);
    if (m_avaitConfig)
        qputenv("XDG_CONFIG_HOME", m_config);
}
