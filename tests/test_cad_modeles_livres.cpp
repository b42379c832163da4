// The designs shipped for the artistic print window: each loads, fills for a
// person as the print window fills it and draws whole, with no object
// showing that it lacks something, saved filled it reads back as it was, and
// the window reaches every object of it; together they use every template
// and every kind of object; their previews are those the chooser would
// draw; and every picture of the images folder is used.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "AideCAD.h"
#include "CanevasEspion.h"
#include "Convertisseurs.h"
#include "FamilleTest.h"
#include "FichierMdl.h"
#include "Images.h"
#include "ImagesImpression.h"
#include "ImpressionLivree.h"
#include "LignesCles.h"
#include "ModelesImpression.h"
#include "Modeles.h"
#include "PlanImpression.h"
#include "TxiloCADArbo.h"
#include "TxiloCADCodeBarre.h"
#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

const QString Modele = QStringLiteral(LIGNEE_MODELE);
const QString Images = DossierImagesImpression(Modele);
const QString Photo = QStringLiteral(LIGNEE_FIXTURES "/cad/photo.png");

// What the user typed in the print window's three fields.
const QString Titre = u"Généalogie de ma famille"_s;
const QString Dedicace = u"À mes enfants|et petits-enfants"_s;
const QString Signature = u"Luc, décembre 2026"_s;

// The test family, with Luc MARTIN (9) given a birth place, a death, a
// photo given by its full path, and Théo (13) left without photo nor spouse.
struct Famille : FamilleTest {
    static constexpr int Luc = 9;
    static constexpr int Theo = 13;
    Famille()
    {
        bd.SetBirthDate(Luc, u"12/5/1952"_s);
        bd.SetField(Luc, PcNaissanceLieu, u"Vannes"_s);
        bd.SetField(Luc, PcDecesDate, u"3/11/2019"_s);
        bd.SetField(Luc, PcDecesLieu, u"Quimper"_s);
        const int s = bd.AddPersonSource(Luc);
        bd.SetSourceField(s, SrcGenre, u"Photo de l'arbre"_s);
        bd.SetSourceField(s, SrcFichier, Photo);
    }
};

// Fills the model for person p as the print window does: a text whose
// source is "<texte1>", "<texte2>" or "<texte3>" (letter case ignored)
// takes the typed text, any other is a person template; a picture with a
// code shows the file that the code, a person template, names.
void Remplit(TxiloCADMdl &m, const TBD &bd, int p)
{
    for (int i = 0; i < m.Count(); ++i) {
        TxiloCADObj &objet = m.Objet(i);
        if (auto *image = dynamic_cast<TxiloCADImage *>(&objet); image && !image->Code().isEmpty())
            image->SetFichierImage(ExpandTemplate(bd, p, image->Code()));
        if (auto *texte = dynamic_cast<TxiloCADTexte *>(&objet)) {
            const QString source = texte->TexteSource().toLower();
            if (source == u"<texte1>"_s)
                texte->SetText(Titre);
            else if (source == u"<texte2>"_s)
                texte->SetText(Dedicace);
            else if (source == u"<texte3>"_s)
                texte->SetText(Signature);
            else
                texte->SetText(ExpandTemplate(bd, p, texte->TexteSource()));
        }
    }
}

// A model as the print window shows it: its pictures in the images folder
// or beside the database, placeholders left empty, texts shrunk to their
// room; messages on, so that an object lacking something says so.
struct Chargement {
    TxiloCADMdl m{nullptr, QRect(0, 0, 840, 1188), 210, 297};
    explicit Chargement(const QString &mdl)
    {
        ResoutDansImages(m, Images, QStringLiteral(LIGNEE_FIXTURES "/cad/famille.mvd"));
        m.SetOnGetTagValue([](TxiloCADObj *, const QString &, QString &) {});
        m.Interrupteurs().ReduitTexte = true;
        m.Interrupteurs().Messages = true;
        Charge = m.LoadFromFile(mdl, &Erreur);
    }
    int Faces() const
    {
        int n = 1;
        for (int i = 0; i < m.Count(); ++i)
            n = std::max(n, m.Objet(i).Face());
        return n;
    }
    bool Charge = false;
    QString Erreur;
};

bool EstMessage(const TexteEcrit &t)
{
    return t.Fonte.Nom == u"Arial"_s && t.Fonte.Couleur == CouleurGrise && t.Fonte.Hauteur == HauteurPoints(8);
}

QString Nom(const QString &mdl)
{
    return QFileInfo(mdl).dir().dirName() + u'/' + QFileInfo(mdl).fileName();
}

class ImpressionLivree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeFonteTest());
        ASSERT_TRUE(m_utilisateur.Pret());
        m_modeles = ModelesImpressionLivres(Modele);
        ASSERT_GE(m_modeles.size(), 12);
    }
    TUtilisateurExemple m_utilisateur;
    QStringList m_modeles;
};

TEST_F(ImpressionLivree, EachFillsForAPersonAndDrawsWithNothingMissing)
{
    Famille f;
    for (const int p : {Famille::Luc, Famille::Theo, 0}) {
        for (const QString &mdl : std::as_const(m_modeles)) {
            SCOPED_TRACE(qPrintable(Nom(mdl) + u" pour "_s + QString::number(p)));
            Chargement c(mdl);
            ASSERT_TRUE(c.Charge) << qPrintable(c.Erreur);
            TxiloCADMdl &m = c.m;
            ASSERT_TRUE(m.PageValide());
            Remplit(m, f.bd, p);
            const double echelle = 3;
            const QSize taille(int(std::lround(m.Large() * echelle)), int(std::lround(m.Haut() * echelle)));
            for (int face = 1; face <= c.Faces(); ++face) {
                m.SetFaceCourante(face);
                CanevasEspion espion(taille);
                m.Draw(espion, QRect(QPoint(0, 0), taille));
                for (const TexteEcrit &t : espion.Textes)
                    EXPECT_FALSE(EstMessage(t)) << "face " << face << ": " << qPrintable(t.Texte);
                EXPECT_NE(BoiteNonBlanche(espion.Image()), QRect()) << "face " << face;
            }
            for (int i = 0; i < m.Count(); ++i) {
                TxiloCADObj &objet = m.Objet(i);
                if (const auto *image = dynamic_cast<const TxiloCADImage *>(&objet)) {
                    EXPECT_TRUE(!image->Image().isNull() || !image->Metafichier().EstVide())
                        << qPrintable(image->FichierImage());
                    if (!image->FichierMasque().isEmpty()) {
                        EXPECT_FALSE(image->MasqueMetafichier().EstVide()) << qPrintable(image->FichierMasque());
                    }
                    // The person's photo where a code names it, else what the
                    // model shows in its place.
                    if (p == Famille::Luc && !image->Code().isEmpty()) {
                        EXPECT_EQ(image->FichierImage(), Photo);
                    }
                } else if (auto *groupe = dynamic_cast<TxiloCADGroup *>(&objet)) {
                    EXPECT_GT(groupe->SousModele().Count(), 0) << qPrintable(groupe->FichierMdl());
                } else if (auto *arbo = dynamic_cast<TxiloCADArbo *>(&objet)) {
                    EXPECT_EQ(int(arbo->Entrees().size()), TUtilisateurExemple::Albums().size());
                } else if (const auto *code = dynamic_cast<const TxiloCADCodeBarre *>(&objet)) {
                    EXPECT_EQ(code->CodeBarre(), Ean13(code->CodeBarre().first(12)));
                } else if (const auto *texte = dynamic_cast<const TxiloCADTexte *>(&objet)) {
                    // Every placeholder filled, and the text within its page.
                    EXPECT_FALSE(texte->TexteAffiche().contains(u'<')) << qPrintable(texte->TexteAffiche());
                    for (const QPointF &coin : texte->Coins()) {
                        EXPECT_GE(coin.x(), -0.5) << qPrintable(texte->TexteAffiche());
                        EXPECT_LE(coin.x(), m.Large() + 0.5) << qPrintable(texte->TexteAffiche());
                        EXPECT_GE(coin.y(), -0.5) << qPrintable(texte->TexteAffiche());
                        EXPECT_LE(coin.y(), m.Haut() + 0.5) << qPrintable(texte->TexteAffiche());
                    }
                }
            }
        }
    }
}

TEST_F(ImpressionLivree, EachSavedFilledReadsBackPixelForPixel)
{
    // Filled with a title of 70 characters, which the banners shrink into
    // the room their text had when read, each design saved and read again
    // draws the same pixels on every face: the saved texts keep the box they
    // were read with, not the one their longer text took.
    Famille f;
    const QString titre = u"Généalogie des familles MARTIN et LE GOFF : de Vannes à Quimper (1852)"_s;
    ASSERT_EQ(titre.size(), 70);
    QTemporaryDir tmp;
    const QString copie = tmp.filePath(u"copie.mdl"_s);
    const auto dessins = [&](Chargement &c) {
        Remplit(c.m, f.bd, Famille::Luc);
        for (int i = 0; i < c.m.Count(); ++i) {
            auto *texte = dynamic_cast<TxiloCADTexte *>(&c.m.Objet(i));
            if (texte && texte->TexteAffiche() == Titre)
                texte->SetText(titre);
        }
        std::vector<QImage> faces;
        const QSize taille(int(std::lround(c.m.Large() * 3)), int(std::lround(c.m.Haut() * 3)));
        for (int face = 1; face <= c.Faces(); ++face) {
            c.m.SetFaceCourante(face);
            faces.push_back(Dessine(taille, [&](TCanevas &canevas) { c.m.Draw(canevas, QRect(QPoint(), taille)); }));
        }
        return faces;
    };
    bool portrait = false;
    for (const QString &mdl : std::as_const(m_modeles)) {
        SCOPED_TRACE(qPrintable(Nom(mdl)));
        portrait |= QFileInfo(mdl).completeBaseName() == u"Portrait de famille"_s;
        Chargement c(mdl);
        ASSERT_TRUE(c.Charge);
        const std::vector<QImage> avant = dessins(c);
        QString erreur;
        ASSERT_TRUE(c.m.SaveToFile(copie, &erreur)) << qPrintable(erreur);
        Chargement relu(copie);
        ASSERT_TRUE(relu.Charge);
        const std::vector<QImage> apres = dessins(relu);
        ASSERT_EQ(apres.size(), avant.size());
        for (size_t i = 0; i < avant.size(); ++i) {
            int differents = 0;
            for (int y = 0; y < avant[i].height(); ++y)
                for (int x = 0; x < avant[i].width(); ++x)
                    differents += avant[i].pixel(x, y) != apres[i].pixel(x, y);
            EXPECT_EQ(differents, 0) << "face " << i + 1;
        }
    }
    EXPECT_TRUE(portrait);
}

TEST_F(ImpressionLivree, EachIsWhatTheGeneratorMakes)
{
    // The shipped files are those lignee_modeles_impression writes, byte for
    // byte: a change of the generator that is not shipped, or a shipped
    // file edited by hand, shows here. The DVD cover is on its own
    // template, whose spine the window draws from TailleTranche.
    QTemporaryDir tmp;
    const std::vector<TModeleLivre> livres = TousModelesLivres();
    ASSERT_EQ(qsizetype(std::count_if(livres.begin(), livres.end(), [](const TModeleLivre &m) {
                  return !m.Categorie.isEmpty();
              })),
              m_modeles.size());
    for (const TModeleLivre &livre : livres) {
        SCOPED_TRACE(qPrintable(livre.Categorie + u'/' + livre.Nom));
        const QString livree = (livre.Categorie.isEmpty() ? Images : DossierModelesImpression(Modele) + livre.Categorie + u'/')
                               + livre.Nom + u".mdl"_s;
        const QString faite = tmp.filePath(livre.Nom + u".mdl"_s);
        QString erreur;
        ASSERT_TRUE(livre.Fabrique(Images)->Ecrit(faite, &erreur)) << qPrintable(erreur);
        QStringList attendues, lues;
        ASSERT_TRUE(LitFichierMdl(faite, attendues));
        ASSERT_TRUE(LitFichierMdl(livree, lues));
        EXPECT_EQ(lues, attendues);
    }
    Chargement dvd(DossierModelesImpression(Modele) + u"Jaquette de DVD/Souvenirs de famille.mdl"_s);
    ASSERT_TRUE(dvd.Charge);
    EXPECT_EQ(dvd.m.Gabarit(), 5);
    EXPECT_EQ(dvd.m.ValeurPage(u"Gabarit"), u"JaquetteDVD"_s);
    EXPECT_EQ(TextToFloat(dvd.m.ValeurPage(u"TailleTranche")), 14);
}

TEST_F(ImpressionLivree, TheWindowReachesEveryObjectOfEach)
{
    // The print window shows, saves and prints the first face of a design,
    // and a group draws the first face of its sub-model: no shipped object
    // lies on another.
    QStringList fichiers = m_modeles;
    for (const QString &nom : QDir(Images).entryList({u"*.mdl"_s}, QDir::Files))
        fichiers << Images + nom;
    for (const QString &mdl : std::as_const(fichiers)) {
        Chargement c(mdl);
        ASSERT_TRUE(c.Charge) << qPrintable(Nom(mdl));
        EXPECT_GT(c.m.Count(), 0) << qPrintable(Nom(mdl));
        for (int i = 0; i < c.m.Count(); ++i)
            EXPECT_EQ(c.m.Objet(i).Face(), 1) << qPrintable(Nom(mdl)) << ", objet " << i;
    }
}

TEST_F(ImpressionLivree, TogetherTheyUseEveryTemplateAndEveryKindOfObject)
{
    std::set<int> gabarits;
    std::set<QString> sortes;
    for (const QString &mdl : std::as_const(m_modeles)) {
        Chargement c(mdl);
        ASSERT_TRUE(c.Charge) << qPrintable(Nom(mdl));
        gabarits.insert(c.m.Gabarit());
        for (int i = 0; i < c.m.Count(); ++i) {
            TxiloCADObj &objet = c.m.Objet(i);
            QString sorte = objet.Name().toLower();
            if (const auto *forme = dynamic_cast<const TxiloCADRectangle *>(&objet)) {
                sorte += forme->Cote() == 3                                ? u" triangle"_s
                         : forme->Cote() == 4                              ? u" rectangle"_s
                         : forme->Cote() == TxiloCADRectangle::CoteEllipse ? u" ellipse"_s
                                                                           : u" polygone"_s;
            } else if (auto *image = dynamic_cast<TxiloCADImage *>(&objet)) {
                sorte += image->Metafichier().EstVide() ? u" bitmap"_s : u" métafichier"_s;
                if (!image->FichierMasque().isEmpty())
                    sortes.insert(u"image masque"_s);
                if (image->Bordure().Active)
                    sortes.insert(u"image bordure"_s);
                if (image->Code() == u"<photo>"_s)
                    sortes.insert(u"image photo"_s);
            } else if (auto *groupe = dynamic_cast<TxiloCADGroup *>(&objet)) {
                sorte += u' ' + QFileInfo(groupe->FichierMdl()).suffix().toLower();
            } else if (const auto *texte = dynamic_cast<const TxiloCADTexte *>(&objet)) {
                if (texte->TexteSource().startsWith(u"<Texte"_s))
                    sortes.insert(texte->TexteSource());
            }
            sortes.insert(sorte);
        }
    }
    EXPECT_EQ(gabarits, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
    const std::set<QString> attendues{
        u"rectangle triangle"_s, u"rectangle rectangle"_s, u"rectangle ellipse"_s, u"rectangle polygone"_s,
        u"texte"_s, u"ligne"_s, u"forme"_s, u"cal"_s, u"image bitmap"_s, u"image métafichier"_s,
        u"image masque"_s, u"image bordure"_s, u"image photo"_s, u"groupe mdl"_s, u"groupe emf"_s,
        u"repere"_s, u"codebarre"_s, u"arbo"_s, u"<Texte1>"_s, u"<Texte2>"_s, u"<Texte3>"_s};
    for (const QString &sorte : attendues)
        EXPECT_TRUE(sortes.count(sorte)) << qPrintable(sorte);
}

TEST_F(ImpressionLivree, EachPreviewIsTheOneTheChooserWouldDraw)
{
    QTemporaryDir tmp;
    for (const QString &mdl : std::as_const(m_modeles)) {
        SCOPED_TRACE(qPrintable(Nom(mdl)));
        // Stale after a change of the model or of the drawing: rebuild them
        // with lignee_modeles_impression.
        QImage livre;
        ASSERT_TRUE(ChargeImage(livre, CheminApercu(mdl)));
        const QString frais = tmp.filePath(u"frais.jpg"_s);
        QString erreur;
        ASSERT_TRUE(EcritApercuLivre(mdl, Images, frais, &erreur)) << qPrintable(erreur);
        QImage attendu;
        ASSERT_TRUE(ChargeImage(attendu, frais));
        ASSERT_EQ(livre.size(), attendu.size());
        EXPECT_LE(std::max(livre.width(), livre.height()), LargeurApercuLivre);
        EXPECT_TRUE(livre.width() == LargeurApercuLivre || livre.height() == HauteurApercuLivre);
        // JPEG coders may round differently: a small tolerance.
        qint64 ecart = 0;
        int loin = 0;
        for (int y = 0; y < livre.height(); ++y) {
            for (int x = 0; x < livre.width(); ++x) {
                const QRgb a = livre.pixel(x, y);
                const QRgb b = attendu.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b))});
                ecart += d;
                loin += d > 48;
            }
        }
        const qint64 pixels = qint64(livre.width()) * livre.height();
        EXPECT_LE(ecart, 3 * pixels);
        EXPECT_LE(loin, pixels / 200);
    }
}

TEST_F(ImpressionLivree, PicturesAreNamedInTheImagesFolderAndAllUsed)
{
    QStringList fichiers = m_modeles;
    for (const QString &nom : QDir(Images).entryList({u"*.mdl"_s}, QDir::Files))
        fichiers << Images + nom;
    std::set<QString> nommees;
    for (const QString &mdl : std::as_const(fichiers)) {
        Chargement c(mdl);
        ASSERT_TRUE(c.Charge) << qPrintable(Nom(mdl));
        for (int i = 0; i < c.m.Count(); ++i) {
            const TLignesCles cles(c.m.Objet(i).Params());
            for (const char16_t *cle : {u"FichierImage", u"FichierMasque", u"FichierMdl"}) {
                const QString nom = cles.Valeur(QStringView(cle));
                if (nom.isEmpty())
                    continue;
                EXPECT_FALSE(nom.contains(u'/') || nom.contains(u'\\')) << qPrintable(nom);
                EXPECT_TRUE(QFileInfo(Images + nom).isFile()) << qPrintable(Nom(mdl) + u": "_s + nom);
                nommees.insert(nom);
            }
        }
    }
    for (const QString &nom : QDir(Images).entryList(QDir::Files))
        EXPECT_TRUE(nommees.count(nom)) << qPrintable(nom) << " is used by no design";
    for (const QString &nom : MetafichiersImpression())
        EXPECT_TRUE(QFileInfo(Images + nom).isFile()) << qPrintable(nom);
}

} // namespace
