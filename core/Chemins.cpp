#include "Chemins.h"

#include "Globales.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString g_dossierProgramme;
QString g_repModele;

QString avecSeparateur(const QString &dossier)
{
    if (dossier.isEmpty() || dossier.endsWith(QLatin1Char('/')))
        return dossier;
    return dossier + QLatin1Char('/');
}

bool existe(const QString &chemin)
{
    const QFileInfo info(chemin);
    return info.exists() && info.isFile();
}

// Index just past the folder part of a stored path.
qsizetype finDossier(const QString &chemin)
{
    qsizetype i = chemin.size();
    while (i > 0) {
        const QChar c = chemin[i - 1];
        if (c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':'))
            break;
        --i;
    }
    return i;
}

QString normaliseDossier(QString dossier)
{
    dossier.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return avecSeparateur(dossier);
}

} // namespace

QString DossierProgramme()
{
    if (g_dossierProgramme.isEmpty() && QCoreApplication::instance())
        return avecSeparateur(QCoreApplication::applicationDirPath());
    return g_dossierProgramme;
}

QString RepModele()
{
    if (!g_repModele.isEmpty())
        return g_repModele;
    const QString programme = DossierProgramme();
    const QString aCote = programme + QStringLiteral("modele");
    if (QFileInfo::exists(aCote + QStringLiteral("/langue.txt")))
        return aCote;
    // The install rules put the models in the data folder, at this path
    // relative to the program's folder.
    const QString installe = QDir::cleanPath(programme + QStringLiteral(LIGNEE_MODELE_INSTALLE));
    if (QFileInfo::exists(installe + QStringLiteral("/langue.txt")))
        return installe;
    return aCote;
}

void SetDossierProgramme(const QString &dossier)
{
    g_dossierProgramme = avecSeparateur(dossier);
}

void SetRepModele(const QString &dossier)
{
    QString d = dossier;
    while (d.size() > 1 && d.endsWith(QLatin1Char('/')))
        d.chop(1);
    g_repModele = d;
}

QString FichierLangue()
{
    return RepModele() + QStringLiteral("/langue.txt");
}

QString FichierReglagesLangue()
{
    return RepModele() + QStringLiteral("/langue.ini");
}

bool InitialiseDossiers(int langue, const QString &racineUtilisateur)
{
    const QString modele = RepModele() + QLatin1Char('/');
    DossierModele = modele + QString::number(langue) + QLatin1Char('/');
    DossierArbre = DossierModele + QStringLiteral("arbre/");
    DossierRapport = DossierModele + QStringLiteral("rapport/");
    DossierCarte = DossierModele + QStringLiteral("carte/");
    DossierLieu = DossierModele + QStringLiteral("lieu/");
    DossierImageArbre = modele + QStringLiteral("0/ImageArbre/");
    DossierSkin = modele + QStringLiteral("skin/");
    DossierExemples = modele + QStringLiteral("exemples/");
    DossierImpressionModeles = DossierModele + QStringLiteral("impression/modeles/");
    DossierImpressionImages = modele + QStringLiteral("0/impression/images/");
    DossierImpressionSkin = modele + QStringLiteral("0/impression/skin/");
    FichierFete = DossierModele + QStringLiteral("Fete.mv");

    QString donnees;
    if (racineUtilisateur.isEmpty()) {
        DossierParamUser = avecSeparateur(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
        DossierGenealogie = avecSeparateur(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Lignée"));
        donnees = avecSeparateur(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    } else {
        const QString racine = avecSeparateur(racineUtilisateur);
        DossierParamUser = racine + QStringLiteral("config/");
        DossierGenealogie = racine + QStringLiteral("Lignée/");
        donnees = racine + QStringLiteral("donnees/");
    }
    // The user's models mirror the shipped folders; they are made when the
    // first model is saved. Without a data folder there are none, and models
    // stay where they were.
    const QString modelesUser =
        donnees.isEmpty() ? QString() : donnees + QStringLiteral("modele/") + QString::number(langue) + QLatin1Char('/');
    DossierArbreUser = modelesUser.isEmpty() ? QString() : modelesUser + QStringLiteral("arbre/");
    DossierRapportUser = modelesUser.isEmpty() ? QString() : modelesUser + QStringLiteral("rapport/");
    DossierCarteUser = modelesUser.isEmpty() ? QString() : modelesUser + QStringLiteral("carte/");
    DossierImageArbreUser = donnees.isEmpty() ? QString() : donnees + QStringLiteral("modele/0/ImageArbre/");
    DossierImpressionModelesUser =
        modelesUser.isEmpty() ? QString() : modelesUser + QStringLiteral("impression/modeles/");
    FichierAnniFete = DossierParamUser + QStringLiteral("AnniFete.mv");
    return QDir().mkpath(DossierParamUser) && QDir().mkpath(DossierGenealogie);
}

QString NomDeFichier(const QString &chemin)
{
    return chemin.mid(finDossier(chemin));
}

QString CheminMedia(const QString &chemin)
{
    if (chemin.isEmpty())
        return QString();
    if (existe(chemin))
        return chemin;
    const QString nom = NomDeFichier(chemin);
    if (nom.isEmpty())
        return QString();

    const QString dansModeles = RepModele() + QLatin1Char('/') + nom;
    if (existe(dansModeles))
        return dansModeles;
    if (!FichierCourant.isEmpty()) {
        const QString dossierBase = avecSeparateur(QFileInfo(FichierCourant).absolutePath());
        const QString dansBase = dossierBase + nom;
        if (existe(dansBase))
            return dansBase;
        const qsizetype point = nom.lastIndexOf(QLatin1Char('.'));
        const QString enJpg = dossierBase + (point > 0 ? nom.left(point) : nom) + QStringLiteral(".jpg");
        if (existe(enJpg))
            return enJpg;
    }
    const QString dansProgramme = DossierProgramme() + nom;
    if (existe(dansProgramme))
        return dansProgramme;
    return QString();
}

QString CheminRelatif(const QString &chemin)
{
    const qsizetype fin = finDossier(chemin);
    if (fin == 0)
        return chemin;
    const QString dossier = normaliseDossier(chemin.left(fin));
    const QString modeles = normaliseDossier(RepModele());
    const QString programme = normaliseDossier(DossierProgramme());
    if (dossier.compare(modeles, Qt::CaseInsensitive) == 0
        || dossier.compare(programme, Qt::CaseInsensitive) == 0)
        return chemin.mid(fin);
    return chemin;
}

namespace {

// The user's folders by the names designs store them under, read from the
// desktop's own table (the XDG user folders on Linux).
struct DossierUtilisateur {
    QLatin1StringView Nom;
    QStandardPaths::StandardLocation Lieu;
};
constexpr DossierUtilisateur DossiersUtilisateur[] = {
    {QLatin1StringView("Desktop"), QStandardPaths::DesktopLocation},
    {QLatin1StringView("Personal"), QStandardPaths::DocumentsLocation},
    {QLatin1StringView("My Pictures"), QStandardPaths::PicturesLocation},
    {QLatin1StringView("My Music"), QStandardPaths::MusicLocation},
    {QLatin1StringView("My Video"), QStandardPaths::MoviesLocation},
};

} // namespace

QString ShellFolder(const QString &nom)
{
    for (const DossierUtilisateur &d : DossiersUtilisateur) {
        if (nom.compare(d.Nom, Qt::CaseInsensitive) == 0)
            return avecSeparateur(QStandardPaths::writableLocation(d.Lieu));
    }
    return QString();
}

QStringList NomsShellFolders()
{
    QStringList noms;
    for (const DossierUtilisateur &d : DossiersUtilisateur)
        noms.append(QString(d.Nom));
    return noms;
}
