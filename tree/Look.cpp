#include "Look.h"

#include "Arrondi.h"
#include "Chemins.h"
#include "Globales.h"
#include "Ini.h"
#include "ModelesUtilisateur.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

TLooks Looks;
TColor CouleurEcran = clWhite;
QString TextEcran;

namespace {

const QString SectionLignee = QStringLiteral("Lignee");
constexpr int VersionLook = 30;
// Lines a look file may use; the record has one slot more.
constexpr int LignesLuesMax = NbreLignesMax - 1;
// Font heights a look file may give, in pixels: a line taller than this
// fills a printed page, and a height far beyond it is a damaged file.
constexpr int HauteurFonteLueMax = 1000;

const QString TexteLigneLu = QStringLiteral("<nom> <prénom>");
const QString FonteLue = QStringLiteral("MS Sans Serif");
const QString CouleurHommeLue = QStringLiteral("128255255");
const QString CouleurFemmeLue = QStringLiteral("255255128");
const QString CouleurNoireLue = QStringLiteral("000000000");
const QString CouleurEcranLue = QStringLiteral("255255255");

QString sectionAff(int n) { return QStringLiteral("Aff %1").arg(n); }
QString sectionLook(int n) { return QStringLiteral("Look %1").arg(n); }
QString sectionLigne(int n) { return QStringLiteral("Ligne %1").arg(n); }
QString cleTexture(int k) { return QStringLiteral("RelierTexture %1").arg(k); }
QString cleLigne(const char *prefixe, int i)
{
    return QLatin1String(prefixe) + QString::number(i);
}

std::uint8_t litOctet(const TIniFile &ini, const QString &section, const QString &cle, int defaut)
{
    return static_cast<std::uint8_t>(ini.ReadInteger(section, cle, defaut) & 0xFF);
}

// Booleans are written "1" or "0" and read as integers: any non-zero number
// is true, and a value that is no number keeps the default.
bool litBooleen(const TIniFile &ini, const QString &section, const QString &cle, bool defaut)
{
    return ini.ReadInteger(section, cle, defaut ? 1 : 0) != 0;
}

TColor litCouleur(const TIniFile &ini, const QString &section, const QString &cle,
                  const QString &defaut)
{
    return StrVersCouleur(ini.ReadString(section, cle, defaut));
}

// The file drops the blanks around a value, so a style written "  U " comes
// back as "U": letters are taken wherever they stand. A value the writer
// produced gives the same set as StrVersStyle of the full text.
std::uint8_t litStyle(const TIniFile &ini, const QString &section, const QString &cle)
{
    const QString texte = ini.ReadString(section, cle);
    std::uint8_t style = 0;
    if (texte.contains(QLatin1Char('B')))
        style |= fsGras;
    if (texte.contains(QLatin1Char('I')))
        style |= fsItalique;
    if (texte.contains(QLatin1Char('U')))
        style |= fsSouligne;
    if (texte.contains(QLatin1Char('S')))
        style |= fsBarre;
    return style;
}

void litSexe(const TIniFile &ini, const QString &section, QChar prefixe, TLookSexe &sexe,
             const QString &couleur, bool arrondis)
{
    const auto cle = [prefixe](const char *nom) { return prefixe + QLatin1String(nom); };
    sexe.Couleur = litCouleur(ini, section, cle("Color"), couleur);
    sexe.Texture = ini.ReadString(section, cle("Texture"));
    sexe.Stretch = litBooleen(ini, section, cle("Stretch"), false);
    sexe.Ombre = litBooleen(ini, section, cle("Ombre"), false);
    sexe.Arrondis = litBooleen(ini, section, cle("Arrondis"), arrondis);
    sexe.Cadre = litBooleen(ini, section, cle("Cadre"), true);
    sexe.Fond = ini.ReadInteger(section, cle("Fond"), 0);
}

void litAff(const TIniFile &ini, int n, T1Aff &aff)
{
    const QString aff_ = sectionAff(n);
    aff.Relier = litOctet(ini, aff_, QStringLiteral("Relier"), 2);
    aff.RelierLarge = ini.ReadInteger(aff_, QStringLiteral("RelierLarge"), 1);
    aff.NbreGen = ini.ReadInteger(aff_, QStringLiteral("NbreGen"), 3);
    aff.EcatHorz = ini.ReadInteger(aff_, QStringLiteral("EcatHorz"), 50);
    aff.EcartVert = ini.ReadInteger(aff_, QStringLiteral("EcartVert"), 50);
    aff.Large = ini.ReadInteger(aff_, QStringLiteral("Large"), 100);
    aff.Zoom = ini.ReadInteger(aff_, QStringLiteral("Zoom"), 100);
    aff.Style = litOctet(ini, aff_, QStringLiteral("Style"), 2);
    aff.RelierColor = litCouleur(ini, aff_, QStringLiteral("RelierColor"), CouleurNoireLue);
    // A link picture not found is stored empty and draws nothing.
    for (int k = 1; k <= 9; ++k) {
        const QString stocke = ini.ReadString(aff_, cleTexture(k), QStringLiteral("Lien%1").arg(k));
        aff.RelierTexture[k] = NomTextureLien(stocke);
    }

    const QString look = sectionLook(n);
    TLook &l = aff.Look;
    // The record has a fixed number of line slots, whatever the file says.
    l.LigneNbre = std::clamp(ini.ReadInteger(look, QStringLiteral("LigneNbre"), 1), 0, LignesLuesMax);
    litSexe(ini, look, QLatin1Char('H'), l.Homme, CouleurHommeLue, false);
    litSexe(ini, look, QLatin1Char('F'), l.Femme, CouleurFemmeLue, true);
    l.MargeHaut = ini.ReadInteger(look, QStringLiteral("MargeHaut"), 0);
    l.MargeBas = ini.ReadInteger(look, QStringLiteral("MargeBas"), 0);
    l.MargeDroite = ini.ReadInteger(look, QStringLiteral("MargeDroite"), 0);
    l.MargeGauche = ini.ReadInteger(look, QStringLiteral("MargeGauche"), 0);

    const QString lignes = sectionLigne(n);
    for (int i = 0; i < l.LigneNbre; ++i) {
        TLigne &ligne = l.Ligne[i];
        ligne.Texte = ini.ReadString(lignes, cleLigne("LC", i), TexteLigneLu);
        ligne.Fonte.Nom = ini.ReadString(lignes, cleLigne("FN", i), FonteLue);
        ligne.Fonte.Couleur = litCouleur(ini, lignes, cleLigne("FC", i), CouleurNoireLue);
        ligne.Fonte.Hauteur = std::clamp(ini.ReadInteger(lignes, cleLigne("FH", i), 12), 1, HauteurFonteLueMax);
        ligne.Fonte.Style = litStyle(ini, lignes, cleLigne("FS", i));
        ligne.Fonte.Alignement = litOctet(ini, lignes, cleLigne("FA", i), AlignGauche);
    }
}

TLooks litPaire(const TIniFile &ini)
{
    TLooks paire;
    litAff(ini, 1, paire[1]);
    litAff(ini, 2, paire[2]);
    return paire;
}

void ecritCouleur(TIniFile &ini, const QString &section, const QString &cle, TColor couleur)
{
    ini.WriteString(section, cle, CouleurVersStr(couleur));
}

void ecritAff(TIniFile &ini, int n, const T1Aff &aff)
{
    const QString aff_ = sectionAff(n);
    ini.WriteInteger(aff_, QStringLiteral("Relier"), aff.Relier);
    ini.WriteInteger(aff_, QStringLiteral("RelierLarge"), aff.RelierLarge);
    ini.WriteInteger(aff_, QStringLiteral("NbreGen"), aff.NbreGen);
    ini.WriteInteger(aff_, QStringLiteral("EcatHorz"), aff.EcatHorz);
    ini.WriteInteger(aff_, QStringLiteral("EcartVert"), aff.EcartVert);
    ini.WriteInteger(aff_, QStringLiteral("Large"), aff.Large);
    ini.WriteInteger(aff_, QStringLiteral("Style"), aff.Style);
    ini.WriteInteger(aff_, QStringLiteral("Zoom"), aff.Zoom);
    ecritCouleur(ini, aff_, QStringLiteral("RelierColor"), aff.RelierColor);
    for (int k = 1; k <= 9; ++k)
        ini.WriteString(aff_, cleTexture(k), CheminRelatif(aff.RelierTexture[k]));

    const QString look = sectionLook(n);
    const TLook &l = aff.Look;
    // Never more lines than the slots, so a record changed in memory cannot
    // make the writer read past them.
    const int nbre = std::clamp(l.LigneNbre, 0, LignesLuesMax);
    ini.WriteInteger(look, QStringLiteral("LigneNbre"), nbre);
    // The keys of both sexes go in pairs, men first, as the file has always
    // had them.
    ecritCouleur(ini, look, QStringLiteral("HColor"), l.Homme.Couleur);
    ecritCouleur(ini, look, QStringLiteral("FColor"), l.Femme.Couleur);
    ini.WriteString(look, QStringLiteral("HTexture"), CheminRelatif(l.Homme.Texture));
    ini.WriteString(look, QStringLiteral("FTexture"), CheminRelatif(l.Femme.Texture));
    ini.WriteBool(look, QStringLiteral("HStretch"), l.Homme.Stretch);
    ini.WriteBool(look, QStringLiteral("FStretch"), l.Femme.Stretch);
    ini.WriteBool(look, QStringLiteral("HOmbre"), l.Homme.Ombre);
    ini.WriteBool(look, QStringLiteral("FOmbre"), l.Femme.Ombre);
    ini.WriteBool(look, QStringLiteral("HArrondis"), l.Homme.Arrondis);
    ini.WriteBool(look, QStringLiteral("FArrondis"), l.Femme.Arrondis);
    ini.WriteBool(look, QStringLiteral("HCadre"), l.Homme.Cadre);
    ini.WriteBool(look, QStringLiteral("FCadre"), l.Femme.Cadre);
    ini.WriteInteger(look, QStringLiteral("HFond"), l.Homme.Fond);
    ini.WriteInteger(look, QStringLiteral("FFond"), l.Femme.Fond);
    ini.WriteInteger(look, QStringLiteral("MargeHaut"), l.MargeHaut);
    ini.WriteInteger(look, QStringLiteral("MargeBas"), l.MargeBas);
    ini.WriteInteger(look, QStringLiteral("MargeDroite"), l.MargeDroite);
    ini.WriteInteger(look, QStringLiteral("MargeGauche"), l.MargeGauche);

    // Keys of lines beyond the count are left in the file: the reader never
    // looks at them.
    const QString lignes = sectionLigne(n);
    for (int i = 0; i < nbre; ++i) {
        const TLigne &ligne = l.Ligne[i];
        ini.WriteString(lignes, cleLigne("LC", i), ligne.Texte);
        ini.WriteString(lignes, cleLigne("FN", i), ligne.Fonte.Nom);
        ecritCouleur(ini, lignes, cleLigne("FC", i), ligne.Fonte.Couleur);
        ini.WriteInteger(lignes, cleLigne("FH", i), ligne.Fonte.Hauteur);
        ini.WriteString(lignes, cleLigne("FS", i), StyleVersStr(ligne.Fonte.Style));
        ini.WriteInteger(lignes, cleLigne("FA", i), ligne.Fonte.Alignement);
    }
}

// The look's name is its file name without folder and extension: the name
// the database header stores and the loader completes with ".mva" again.
QString nomSansExtension(const QString &chemin)
{
    const QString nom = NomDeFichier(chemin);
    const qsizetype point = nom.lastIndexOf(QLatin1Char('.'));
    return point >= 0 ? nom.left(point) : nom;
}

} // namespace

QString CheminTextureLien(const QString &nom)
{
    if (nom.isEmpty())
        return QString();
    const QString fichier = CheminImageArbre(NomDeFichier(nom));
    if (!fichier.isEmpty() && QFileInfo(fichier).isFile())
        return fichier;
    return CheminMedia(nom);
}

QString NomTextureLien(const QString &stocke)
{
    const QString nom = NomDeFichier(stocke);
    if (const QString fichier = CheminImageArbre(nom); !fichier.isEmpty() && QFileInfo(fichier).isFile())
        return nom;
    return CheminMedia(stocke);
}

void LooksParDefaut(TLooks &looks)
{
    const TIniFile vide(QString(), TEncodage::Windows1252);
    looks = litPaire(vide);
}

void LitLook(const QString &chemin, TLooks &looks)
{
    const bool existe = QFileInfo(chemin).isFile();
    NomLook = existe ? nomSansExtension(chemin) : NomModeleDefaut;
    // A missing file reads as an empty one: every key takes its default.
    const TIniFile ini(existe ? chemin : QString(), TEncodage::Windows1252);

    CouleurEcran = StrVersCouleur(ini.ReadString(SectionLignee, QStringLiteral("ColorEcran"),
                                                 CouleurEcranLue));
    TextEcran = ini.ReadString(SectionLignee, QStringLiteral("TextEcran"));
    if (!QFileInfo(CheminImageArbre(TextEcran)).isFile())
        TextEcran.clear();

    // Read completely before the caller's pair changes, which may be Looks.
    looks = litPaire(ini);
}

bool SauveLook(const QString &chemin, const TLooks &looks, QString *erreur)
{
    TIniFile ini(chemin, TEncodage::Windows1252);
    ini.WriteInteger(SectionLignee, QStringLiteral("Version"), VersionLook);
    ecritCouleur(ini, SectionLignee, QStringLiteral("ColorEcran"), CouleurEcran);
    ini.WriteString(SectionLignee, QStringLiteral("TextEcran"), CheminRelatif(TextEcran));
    ecritAff(ini, 1, looks[1]);
    ecritAff(ini, 2, looks[2]);
    if (ini.UpdateFile())
        return true;
    if (erreur)
        *erreur = ini.ErrorString();
    return false;
}

QString CouleurVersStr(TColor couleur)
{
    const auto groupe = [couleur](int decalage) {
        return QStringLiteral("%1").arg((couleur >> decalage) & 0xFF, 3, 10, QLatin1Char('0'));
    };
    return groupe(0) + groupe(8) + groupe(16);
}

TColor StrVersCouleur(const QString &texte)
{
    const auto groupe = [&texte](int debut) -> TColor {
        bool ok = false;
        const int valeur = texte.mid(debut, 3).toInt(&ok, 10);
        return ok ? static_cast<TColor>(valeur) & 0xFF : 255;
    };
    return groupe(0) + 256 * groupe(3) + 65536 * groupe(6);
}

QString StyleVersStr(std::uint8_t style)
{
    QString texte(4, QLatin1Char(' '));
    if (style & fsGras)
        texte[0] = QLatin1Char('B');
    if (style & fsItalique)
        texte[1] = QLatin1Char('I');
    if (style & fsSouligne)
        texte[2] = QLatin1Char('U');
    if (style & fsBarre)
        texte[3] = QLatin1Char('S');
    return texte;
}

std::uint8_t StrVersStyle(const QString &texte)
{
    const auto a = [&texte](int position, char lettre) {
        return texte.size() > position && texte[position] == QLatin1Char(lettre);
    };
    std::uint8_t style = 0;
    if (a(0, 'B'))
        style |= fsGras;
    if (a(1, 'I'))
        style |= fsItalique;
    if (a(2, 'U'))
        style |= fsSouligne;
    if (a(3, 'S'))
        style |= fsBarre;
    return style;
}

std::uint16_t CalculHauteur(const TLooks &looks, int i)
{
    if (i < 1 || i > 2)
        return 0;
    const TLook &look = looks[i].Look;
    // 64-bit sums and products: the heights and margins may come from any
    // file, and an overflow would be undefined.
    std::int64_t somme = 0;
    if (look.LigneNbre >= 1 && look.LigneNbre <= LignesLuesMax) {
        for (int l = 0; l < look.LigneNbre; ++l)
            somme += look.Ligne[l].Fonte.Hauteur;
    }
    // Margins that leave no room for the text would divide by zero or turn
    // the height negative: the text then keeps 1 per cent of the box.
    std::int64_t marges = static_cast<std::int64_t>(look.MargeHaut) + look.MargeBas;
    marges = std::min<std::int64_t>(marges, 99);
    const double hauteur = static_cast<double>(somme * 100) / static_cast<double>(100 - marges);
    return static_cast<std::uint16_t>(std::clamp(Round(hauteur), 0, int{std::numeric_limits<std::uint16_t>::max()}));
}

void CalculPas(TLooks &looks, int i)
{
    if (i < 1 || i > 2)
        return;
    T1Aff &aff = looks[i];
    aff.HauteurBoite = CalculHauteur(looks, i);
    aff.PasHorz = Round(static_cast<double>(static_cast<std::int64_t>(aff.EcatHorz) * aff.Large) / 100.0);
    aff.PasVert = Round(static_cast<double>(static_cast<std::int64_t>(aff.EcartVert) * aff.HauteurBoite) / 100.0);
}

void LigneDefaut(TLigne &ligne)
{
    ligne.Texte.clear();
    ligne.Fonte.Nom = QStringLiteral("TIMES NEW ROMAN");
    ligne.Fonte.Couleur = clBlack;
    ligne.Fonte.Hauteur = 12;
    ligne.Fonte.Style = 0;
    ligne.Fonte.Alignement = AlignGauche;
}
