#include "Html.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Fichiers.h"
#include "Globales.h"
#include "Style.h"

namespace {

// Stand-ins for the templates, so that a models folder without them still
// gives valid pages linked to their style sheet.
const char *const EnteteMinimale = "<!DOCTYPE html>\n"
                                   "<html>\n"
                                   "<head>\n"
                                   "<meta charset=\"utf-8\">\n"
                                   "<title>%titre%</title>\n"
                                   "<link rel=\"stylesheet\" href=\"style.css\">\n"
                                   "</head>\n"
                                   "<body>\n";
const char *const PiedMinimal = "</body>\n"
                                "</html>\n";

QString lisModele(const QString &nom, const char *defaut)
{
    QFile fichier(DossierModele + nom);
    if (ObstacleLecture(fichier.fileName()).isEmpty() && fichier.open(QIODevice::ReadOnly))
        return QString::fromUtf8(fichier.readAll());
    return QString::fromUtf8(defaut);
}

// Template lines without their line ends; the newline that ends the file
// does not open one more line.
QStringList lignesDe(QString texte)
{
    texte.remove(u'\r');
    if (texte.endsWith(u'\n'))
        texte.chop(1);
    return texte.isEmpty() ? QStringList() : texte.split(u'\n');
}

bool ecrit(const QString &chemin, const QByteArray &octets, QString *erreur)
{
    QString raison;
    if (EcritFichierEntier(chemin, octets.constData(), octets.size(), &raison))
        return true;
    if (erreur)
        *erreur = QString::fromUtf8("Impossible d'écrire %1 : %2").arg(chemin, raison);
    return false;
}

} // namespace

THtml::THtml(const TxiloStyleEdit &style)
    : m_style(style)
{
}

void THtml::DebutPage(const QString &titre)
{
    QString entete = lisModele(QStringLiteral("entete.htm"), EnteteMinimale);
    // One pass over the template: a title holding the marker is not expanded.
    entete.replace(MarqueTitre(), EchappeHtml(titre));
    m_lignes = lignesDe(entete);
}

void THtml::Ajoute(const QString &ligne)
{
    m_lignes.append(ligne);
}

void THtml::DebutTableau()
{
    m_lignes.append(QStringLiteral("<table>"));
}

void THtml::FinPage()
{
    m_lignes.append(lignesDe(lisModele(QStringLiteral("pied.htm"), PiedMinimal)));
}

bool THtml::Enregistre(const QString &chemin, QString *erreur) const
{
    QByteArray page;
    for (const QString &ligne : m_lignes) {
        page += ligne.toUtf8();
        page += '\n';
    }

    QByteArray style = m_style.Texte().toUtf8();
    if (style.isEmpty()) {
        QFile defaut(FichierStyleDefaut());
        QString obstacle = ObstacleLecture(defaut.fileName());
        if (obstacle.isEmpty() && !defaut.open(QIODevice::ReadOnly))
            obstacle = defaut.errorString();
        if (!obstacle.isEmpty()) {
            if (erreur)
                *erreur = QString::fromUtf8("Impossible de lire %1 : %2").arg(defaut.fileName(), obstacle);
            return false;
        }
        style = defaut.readAll();
    }

    const QString cheminStyle = QFileInfo(chemin).dir().filePath(QStringLiteral("style.css"));
    return ecrit(chemin, page, erreur) && ecrit(cheminStyle, style, erreur);
}
