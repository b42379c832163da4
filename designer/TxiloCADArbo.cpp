#include "TxiloCADArbo.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>

#include "Arrondi.h"
#include "Canevas.h"
#include "CanevasQt.h"
#include "Chemins.h"
#include "Convertisseurs.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int T = TxiloCADArbo::TailleIcone;

// Pixels far beyond any surface are brought back within the canvas's range.
int Borne(qint64 v)
{
    return int(std::clamp<qint64>(v, -CoordonneeMax, CoordonneeMax));
}

bool AvantParNom(const QString &a, const QString &b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

// The same folder, whether or not its path ends with a separator.
bool MemeDossier(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && QDir::cleanPath(a) == QDir::cleanPath(b);
}

// The band colour of a file's icon, by the kind its extension names.
QColor CouleurGenre(const QString &extension)
{
    if (extension.isEmpty())
        return QColor(128, 128, 128);
    static const QMimeDatabase types;
    const QString nom = types.mimeTypeForFile(u"x."_s + extension.toLower(), QMimeDatabase::MatchExtension).name();
    if (nom.startsWith(u"image/"))
        return QColor(46, 139, 87);
    if (nom.startsWith(u"audio/"))
        return QColor(230, 126, 34);
    if (nom.startsWith(u"video/"))
        return QColor(142, 68, 173);
    if (nom.startsWith(u"text/"))
        return QColor(41, 98, 180);
    return QColor(110, 110, 110);
}

} // namespace

QString CleDossierArbo()
{
    return u"/"_s;
}

QImage IconeArbo(const QString &cle)
{
    QImage icone(T, T, QImage::Format_ARGB32_Premultiplied);
    icone.fill(Qt::transparent);
    QPainter p(&icone);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (cle == CleDossierArbo()) {
        QPainterPath dossier;
        dossier.moveTo(2, 8);
        dossier.lineTo(12, 8);
        dossier.lineTo(15, 5);
        dossier.lineTo(30, 5);
        dossier.lineTo(30, 27);
        dossier.lineTo(2, 27);
        dossier.closeSubpath();
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(240, 196, 60));
        p.drawPath(dossier);
        p.setBrush(QColor(252, 214, 100));
        p.drawRect(QRectF(2, 11, 28, 16));
        return icone;
    }
    // A sheet with its top-right corner folded.
    QPainterPath feuille;
    feuille.moveTo(6, 2);
    feuille.lineTo(20, 2);
    feuille.lineTo(27, 9);
    feuille.lineTo(27, 30);
    feuille.lineTo(6, 30);
    feuille.closeSubpath();
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(Qt::white);
    p.drawPath(feuille);
    p.drawPolyline(QPolygonF({QPointF(20, 2), QPointF(20, 9), QPointF(27, 9)}));
    p.setPen(Qt::NoPen);
    p.setBrush(CouleurGenre(cle));
    p.drawRect(QRectF(3, 17, 26, 10));
    if (!cle.isEmpty()) {
        p.setPen(Qt::white);
        p.setFont(PoliceCAD(TFonteCAD{CouleurBlanche, u"Arial"_s, -8, FonteGras, 0}));
        p.drawText(QRectF(3, 17, 26, 10), Qt::AlignCenter, cle.left(4));
    }
    return icone;
}

TxiloCADArbo::TxiloCADArbo(TxiloCADMdl &modele, double x, double y, double l, double h) : TxiloCADRect(modele)
{
    SetName(u"Arbo"_s);
    SetCentre(x, y);
    SetTaille(l, h);
    SetAvecPoignee(2, false);
}

void TxiloCADArbo::SetPath(const QString &chemin)
{
    m_path = chemin;
    m_liste = false;
}

void TxiloCADArbo::SetDepthMax(int n)
{
    m_depthMax = n;
    m_liste = false;
}

void TxiloCADArbo::SetViewFichier(bool b)
{
    m_viewFichier = b;
    m_liste = false;
}

void TxiloCADArbo::Tourne(QPointF pointeur)
{
    Q_UNUSED(pointeur);
}

const QStringList &TxiloCADArbo::SaveToStrings()
{
    TxiloCADRect::SaveToStrings();
    // The last kind naming the folder wins.
    QString chemin = m_path;
    for (const QString &nom : NomsShellFolders()) {
        if (MemeDossier(ShellFolder(nom), m_path))
            chemin = u'[' + nom + u']';
    }
    m_params.Ecrit(u"Path"_s, chemin);
    m_params.Ecrit(u"DepthMax"_s, IntToText(m_depthMax));
    m_params.Ecrit(u"Column"_s, IntToText(m_column));
    m_params.Ecrit(u"ViewFichier"_s, BoolToText(m_viewFichier));
    m_params.Ecrit(u"Font"_s, FontToText(m_font));
    return m_params.Lignes();
}

void TxiloCADArbo::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    QString chemin = m_params.Valeur(u"Path");
    if (chemin.startsWith(u'[')) {
        // A kind unknown here names no folder: the text stays as read, so
        // that saving the design keeps it, and nothing is listed.
        const QString dossier = ShellFolder(chemin.mid(1, chemin.size() - 2));
        if (!dossier.isEmpty())
            chemin = dossier;
    }
    SetPath(chemin);
    if (m_params.Contient(u"DepthMax"))
        m_depthMax = TextToInt(m_params.Valeur(u"DepthMax"));
    if (m_params.Contient(u"Column"))
        m_column = TextToInt(m_params.Valeur(u"Column"));
    if (m_params.Contient(u"ViewFichier"))
        m_viewFichier = m_params.Valeur(u"ViewFichier") == u"1"_s;
    if (m_params.Contient(u"Font"))
        TextToFont(m_params.Valeur(u"Font"), m_font);
    TxiloCADRect::LoadFromStrings(lignes);
    SetR(0);
}

const std::vector<TxiloCADArbo::TEntree> &TxiloCADArbo::Entrees()
{
    if (!m_liste)
        Liste();
    return m_entrees;
}

void TxiloCADArbo::Liste()
{
    // Listed once: an empty folder, or one that cannot be read, is not
    // walked again at every drawing.
    m_liste = true;
    m_entrees.clear();
    m_icones.clear();
    m_cles.clear();
    // A user folder whose kind is unknown here names no folder; it is never
    // taken for the root or the working folder.
    if (m_path.isEmpty() || m_path.startsWith(u'[') || !QFileInfo(m_path).isDir())
        return;
    Parcourt(m_path.endsWith(u'/') ? m_path : m_path + u'/', 1);
}

void TxiloCADArbo::Parcourt(const QString &dossier, int niveau)
{
    if (int(m_entrees.size()) >= EntreesMax || niveau > m_depthMax)
        return;
    // Broken links, pipes and devices are not listed (no System filter).
    const QFileInfoList infos =
        QDir(dossier).entryInfoList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    std::vector<QFileInfo> dossiers;
    std::vector<QFileInfo> fichiers;
    for (const QFileInfo &info : infos) {
        if (info.fileName().startsWith(u'.'))
            continue;
        (info.isDir() ? dossiers : fichiers).push_back(info);
    }
    const auto parNom = [](const QFileInfo &a, const QFileInfo &b) { return AvantParNom(a.fileName(), b.fileName()); };
    std::sort(dossiers.begin(), dossiers.end(), parNom);
    std::sort(fichiers.begin(), fichiers.end(), parNom);

    if (m_viewFichier) {
        for (const QFileInfo &f : fichiers) {
            if (int(m_entrees.size()) >= EntreesMax)
                return;
            Ajoute(niveau, f.fileName(), f.suffix().toUpper());
        }
    }
    for (const QFileInfo &d : dossiers) {
        if (int(m_entrees.size()) >= EntreesMax)
            return;
        Ajoute(niveau, d.fileName(), CleDossierArbo());
        // A link may lead back to a folder above it, or anywhere on the
        // disk: it is shown, not walked.
        if (!d.isSymLink())
            Parcourt(dossier + d.fileName() + u'/', niveau + 1);
    }
}

void TxiloCADArbo::Ajoute(int niveau, const QString &nom, const QString &cle)
{
    qsizetype icone = m_cles.indexOf(cle);
    if (icone < 0) {
        icone = m_cles.size();
        m_cles.append(cle);
        m_icones.push_back(IconeArbo(cle));
    }
    m_entrees.push_back(TEntree{niveau, nom, int(icone)});
}

void TxiloCADArbo::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    const TxiloCADMdl &m = Modele();
    canevas.SetStylo(Pen());
    canevas.SetPinceau(Brush());
    const std::vector<TEntree> &entrees = Entrees();
    const int n = int(entrees.size());
    if (n == 0 || m_column < 1) {
        if (m.Interrupteurs().Messages)
            DrawMessage(canevas, QString());
        DessineCadre(canevas);
        return;
    }

    const int gauche = m.MmToPixelX(X() - L() / 2);
    const int haut = m.MmToPixelY(Y() - H() / 2);
    const int droite = m.MmToPixelX(X() + L() / 2);
    const qint64 hauteur = qint64(m.MmToPixelY(Y() + H() / 2)) - haut;
    const int rangs = n / m_column + (n % m_column != 0);
    const double f = double(hauteur) / rangs / 16;
    const auto S = [f](double v) { return Round(v * f); };
    const int s16 = S(16);
    const qint64 largeurColonne = (qint64(droite) - gauche) / m_column;
    const int hauteurTexte = Round(double(s16) * m_hauteurTexte / 100);
    TFonteCAD fonte = m_font;
    fonte.Hauteur = hauteurTexte;
    fonte.Escapement = 0;
    const TStylo trait{Pen().Couleur, S(m_largeurTrait) / 1000, StyloPlein};

    // The entries met so far of levels lower than the next one's: the last
    // of them is the nearest earlier entry of a lower level.
    std::vector<int> parents;
    for (int i = 0; i < n; ++i) {
        const TEntree &e = entrees[size_t(i)];
        while (!parents.empty() && entrees[size_t(parents.back())].Niveau >= e.Niveau)
            parents.pop_back();
        const int parent = parents.empty() ? -1 : parents.back();
        parents.push_back(i);
        if (s16 <= 0)
            continue;
        const int colonne = i / rangs;
        const int x = Borne(largeurColonne * colonne + gauche + Round(e.Niveau * f * 16));
        const int y = Borne(Round(double(hauteur) * (i % rangs) / rangs) + qint64(haut));
        if (qint64(x) + s16 > droite)
            continue;

        canevas.Image(QRect(x, y, s16, s16), m_icones[size_t(e.Icone)]);

        canevas.SetStylo(trait);
        const int yTrait = Borne(qint64(y) + S(8));
        canevas.Ligne(QPoint(Borne(qint64(x) - S(1)), yTrait), QPoint(Borne(qint64(x) - S(8)), yTrait));
        const qint64 fin = parent < 0 ? haut : std::max<qint64>(haut, y - qint64(s16) * (i - parent - 1));
        canevas.Ligne(QPoint(Borne(qint64(x) - S(8)), yTrait), QPoint(Borne(qint64(x) - S(8)), Borne(fin)));

        if (hauteurTexte <= 0)
            continue;
        const qint64 debutTexte = qint64(x) + S(18);
        const qint64 finColonne = largeurColonne * (colonne + 1) + gauche;
        if (finColonne <= debutTexte)
            continue;
        canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauVide});
        canevas.SetFonte(fonte);
        // The name is cut to the characters that fit before the column's
        // right edge.
        QString nom = e.Nom;
        QSize taille = canevas.TailleTexte(nom);
        if (taille.width() > finColonne - debutTexte) {
            qsizetype bas = 0;
            qsizetype hautN = nom.size();
            while (hautN - bas > 1) {
                const qsizetype milieu = (bas + hautN) / 2;
                if (canevas.TailleTexte(e.Nom.first(milieu)).width() <= finColonne - debutTexte)
                    bas = milieu;
                else
                    hautN = milieu;
            }
            // A character outside the basic plane is kept or cut whole.
            if (bas > 0 && e.Nom.at(bas - 1).isHighSurrogate())
                --bas;
            nom = e.Nom.first(bas);
        }
        if (!nom.isEmpty())
            canevas.Texte(QPoint(Borne(debutTexte), Borne(qint64(y) + (s16 - taille.height()) / 2)), nom);
    }
    DessineCadre(canevas);
}
