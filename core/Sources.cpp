#include "Sources.h"

#include "BD.h"
#include "Chemins.h"
#include "Fichiers.h"
#include "Globales.h"
#include "Images.h"

#include <algorithm>

#include <QFileInfo>
#include <QImage>

namespace {

// A legend text as it can be stored: the field separator and line breaks
// would cut the field, so they become blanks.
QString TexteLegende(const QString &texte)
{
    QString t = texte;
    for (QChar &c : t) {
        if (c == QLatin1Char('|') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return t;
}

bool SansDossier(const QString &chemin)
{
    return !chemin.contains(QLatin1Char('/')) && !chemin.contains(QLatin1Char('\\'))
        && !chemin.contains(QLatin1Char(':'));
}

} // namespace

TChampFichier LitChampFichier(const QString &champ)
{
    TChampFichier r;
    const qsizetype barre = champ.indexOf(QLatin1Char('|'));
    if (barre < 0) {
        r.Chemin = champ;
        return r;
    }
    r.Chemin = champ.left(barre);
    qsizetype i = barre + 1;
    // The next piece: up to the next "|" or the end of the text.
    auto morceau = [&] {
        if (i > champ.size())
            return QString();
        qsizetype fin = champ.indexOf(QLatin1Char('|'), i);
        if (fin < 0)
            fin = champ.size();
        const QString m = champ.mid(i, fin - i);
        i = fin + 1;
        return m;
    };
    // A field ending with "|" has nothing more to read.
    while (i < champ.size() && static_cast<int>(r.Legendes.size()) < MaxLegendes) {
        TLegende l;
        l.X = morceau().trimmed().toInt();
        l.Y = morceau().trimmed().toInt();
        l.Texte = morceau();
        r.Legendes.push_back(l);
    }
    return r;
}

QString EcritChampFichier(const TChampFichier &champ)
{
    QString t = champ.Chemin;
    int n = 0;
    for (const TLegende &l : champ.Legendes) {
        if (++n > MaxLegendes)
            break;
        t += QLatin1Char('|') + QString::number(l.X) + QLatin1Char('|') + QString::number(l.Y) + QLatin1Char('|')
             + TexteLegende(l.Texte);
    }
    return t;
}

QString ExtensionMaj(const QString &chemin)
{
    const QString nom = NomDeFichier(chemin);
    const qsizetype point = nom.lastIndexOf(QLatin1Char('.'));
    if (point < 0)
        return QString();
    return nom.mid(point + 1).toUpper();
}

TGenreMedia GenreMedia(const QString &chemin)
{
    const QString e = ExtensionMaj(chemin);
    if (e == u"BMP" || e == u"GIF" || e == u"JPG" || e == u"JPEG" || e == u"PNG")
        return TGenreMedia::Image;
    if (e == u"WAV")
        return TGenreMedia::Son;
    if (e == u"AVI")
        return TGenreMedia::Video;
    return TGenreMedia::Aucun;
}

bool EstPhotoArbre(const QString &chemin)
{
    const QString e = ExtensionMaj(chemin);
    return e == u"BMP" || e == u"JPG" || e == u"JPEG" || e == u"PNG";
}

QString CheminSource(const QString &chemin)
{
    if (chemin.isEmpty())
        return QString();
    if (SansDossier(chemin) && !FichierCourant.isEmpty()) {
        const QString dansBase = QFileInfo(FichierCourant).absolutePath() + QLatin1Char('/') + chemin;
        if (QFileInfo(dansBase).isFile())
            return dansBase;
    }
    return CheminMedia(chemin);
}

bool ChargeImageSource(QImage &image, const QString &chemin, QSize boite)
{
    if (GenreMedia(chemin) != TGenreMedia::Image || !ObstacleLecture(chemin).isEmpty())
        return false;
    const bool gif = ExtensionMaj(chemin) == u"GIF";
    if (!boite.isValid() && !gif)
        return ChargeImage(image, chemin);

    // Qt's readers: GIF, and the pictures wanted smaller than they are,
    // which the JPEG reader decodes at a reduced scale.
    QImage lue;
    if (!ChargeImageQt(lue, chemin, boite))
        return false;
    image = lue.hasAlphaChannel() ? lue.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                  : lue.convertToFormat(QImage::Format_RGB32);
    return true;
}

std::vector<int> PersonnesDeSource(const TBD &bd, int s)
{
    std::vector<int> personnes;
    if (!bd.SourceInUse(s))
        return personnes;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        const TFiche &f = bd.Fiche(p);
        if (f.EnService && std::find(f.Sources.begin(), f.Sources.end(), s) != f.Sources.end())
            personnes.push_back(p);
    }
    return personnes;
}

void OublieSource(TBD &bd, int s)
{
    if (!bd.SourceInUse(s))
        return;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        for (int i = bd.PersonSourceCount(p); i >= 1; --i) {
            if (bd.PersonSourceNumber(p, i) == s)
                bd.RemovePersonSource(p, i);
        }
    }
    bd.PlaceSource(s, TSrc());
}

QString NomDeFichierPour(const QString &titre)
{
    static const QString interdits = QStringLiteral("/\\:*?\"<>|");
    QString nom = titre;
    for (QChar &c : nom) {
        if (c.unicode() < 32 || c.unicode() == 127 || interdits.contains(c))
            c = QLatin1Char('_');
    }
    while (!nom.isEmpty() && (nom.front() == QLatin1Char(' ') || nom.front() == QLatin1Char('.')))
        nom.remove(0, 1);
    while (!nom.isEmpty() && (nom.back() == QLatin1Char(' ') || nom.back() == QLatin1Char('.')))
        nom.chop(1);
    return nom.isEmpty() ? QStringLiteral("source") : nom;
}
