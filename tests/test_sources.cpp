// The source file field, file kinds and source pictures.

#include "BD.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "HoteSourceTest.h"
#include "Langue.h"
#include "MediaFactice.h"
#include "Options.h"
#include "ReponseModale.h"
#include "Sources.h"
#include "TApercu.h"
#include "TfmSource.h"
#include "TfmSourceRech.h"
#include "TfmSourceVue.h"
#include "TfmVoirImage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

TEST(ChampFichier, TwoLegendsAreWrittenBackIdentically)
{
    const QString champ = u"/photos/acte.jpg|120|45|Jean|3000|2|Marie Dupont"_s;
    const TChampFichier lu = LitChampFichier(champ);
    EXPECT_EQ(lu.Chemin, u"/photos/acte.jpg");
    ASSERT_EQ(lu.Legendes.size(), 2u);
    EXPECT_EQ(lu.Legendes[0].X, 120);
    EXPECT_EQ(lu.Legendes[0].Y, 45);
    EXPECT_EQ(lu.Legendes[1].Texte, u"Marie Dupont");
    EXPECT_EQ(EcritChampFichier(lu), champ);
}

TEST(ChampFichier, ReadingOddFields)
{
    const struct {
        const char *champ;
        const char *chemin;
        std::vector<TLegende> legendes;
    } cas[] = {
        {"", "", {}},
        {"c:\\a.bmp", "c:\\a.bmp", {}},
        {"a.bmp|", "a.bmp", {}},
        {"a.bmp|x|-7|t|", "a.bmp", {{0, -7, u"t"_s}}},     // non-numeric reads as 0
        {"a.bmp| 12 |4.5|t", "a.bmp", {{12, 0, u"t"_s}}},
        {"a.bmp|5", "a.bmp", {{5, 0, QString()}}},          // cut short
        {"|1|2|sans fichier", "", {{1, 2, u"sans fichier"_s}}},
        {"a.bmp|1|2||3|4|", "a.bmp", {{1, 2, QString()}, {3, 4, QString()}}},
    };
    for (const auto &c : cas) {
        const TChampFichier lu = LitChampFichier(QString::fromUtf8(c.champ));
        EXPECT_EQ(lu.Chemin, QString::fromUtf8(c.chemin)) << c.champ;
        ASSERT_EQ(lu.Legendes.size(), c.legendes.size()) << c.champ;
        for (size_t i = 0; i < lu.Legendes.size(); ++i) {
            EXPECT_EQ(lu.Legendes[i].X, c.legendes[i].X) << c.champ;
            EXPECT_EQ(lu.Legendes[i].Y, c.legendes[i].Y) << c.champ;
            EXPECT_EQ(lu.Legendes[i].Texte, c.legendes[i].Texte) << c.champ;
        }
    }
}

TEST(ChampFichier, AtMostAThousandLegendsAndNoSeparatorInATextWritten)
{
    QString champ = u"a.jpg"_s;
    for (int i = 0; i < MaxLegendes + 5; ++i)
        champ += u"|%1|%1|L%1"_s.arg(i);
    TChampFichier lu = LitChampFichier(champ);
    ASSERT_EQ(lu.Legendes.size(), size_t(MaxLegendes));
    EXPECT_EQ(lu.Legendes.back().Texte, u"L999");

    lu.Legendes.resize(1);
    lu.Legendes[0].Texte = u"a|b\r\nc"_s;
    EXPECT_EQ(EcritChampFichier(lu), u"a.jpg|0|0|a b  c");
    lu.Legendes.assign(MaxLegendes + 1, TLegende{1, 1, u"x"_s});
    EXPECT_EQ(LitChampFichier(EcritChampFichier(lu)).Legendes.size(), size_t(MaxLegendes));
}

TEST(GenreMedia, WholeExtensions)
{
    const struct {
        const char *chemin;
        const char *extension;
        TGenreMedia genre;
        bool photo;
    } cas[] = {
        {"/a/acte.jpeg", "JPEG", TGenreMedia::Image, true},
        {"c:\\a\\acte.JPG", "JPG", TGenreMedia::Image, true},
        {"acte.Png", "PNG", TGenreMedia::Image, true},
        {"acte.bmp", "BMP", TGenreMedia::Image, true},
        {"acte.gif", "GIF", TGenreMedia::Image, false},
        {"acte.jpe", "JPE", TGenreMedia::Aucun, false},
        {"acte.jpegx", "JPEGX", TGenreMedia::Aucun, false},
        {"voix.wav", "WAV", TGenreMedia::Son, false},
        {"voix.wave", "WAVE", TGenreMedia::Aucun, false},
        {"film.avi", "AVI", TGenreMedia::Video, false},
        {"/dossier.jpg/fichier", "", TGenreMedia::Aucun, false},
        {"sans", "", TGenreMedia::Aucun, false},
        {"point.", "", TGenreMedia::Aucun, false},
    };
    for (const auto &c : cas) {
        const QString chemin = QString::fromUtf8(c.chemin);
        EXPECT_EQ(ExtensionMaj(chemin), QString::fromUtf8(c.extension)) << c.chemin;
        EXPECT_EQ(GenreMedia(chemin), c.genre) << c.chemin;
        EXPECT_EQ(EstPhotoArbre(chemin), c.photo) << c.chemin;
    }
}

TEST(CheminSource, BareNamesAreLookedForBesideTheDatabase)
{
    QTemporaryDir dossier;
    const QString base = dossier.filePath(u"famille.mvd"_s);
    const QString acte = dossier.filePath(u"acte.jpg"_s);
    QFile(acte).open(QIODevice::WriteOnly);
    FichierCourant = base;
    EXPECT_EQ(CheminSource(u"acte.jpg"_s), acte);
    EXPECT_EQ(CheminSource(acte), acte);
    EXPECT_EQ(CheminSource(u"/ailleurs/acte.jpg"_s), acte); // from another machine
    EXPECT_EQ(CheminSource(u"absent.jpg"_s), QString());
    EXPECT_EQ(CheminSource(QString()), QString());
    FichierCourant.clear();
}

TEST(ChargeImageSource, DecodesAtTheBoxSizeAndRefusesBrokenFiles)
{
    QTemporaryDir dossier;
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (const char *nom : {"p.jpg", "p.png", "p.bmp", "p.gif"}) {
        const QString chemin = dossier.filePath(QString::fromLatin1(nom));
        // Qt writes no GIF: a one-pixel GIF by hand.
        if (QByteArray(nom) == "p.gif") {
            QFile f(chemin);
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray::fromBase64("R0lGODlhAQABAIAAAP8AAP///yH5BAAAAAAALAAAAAABAAEAAAICRAEAOw=="));
        } else {
            ASSERT_TRUE(image.save(chemin));
        }
        QImage lue;
        EXPECT_TRUE(ChargeImageSource(lue, chemin)) << nom;
        QImage petite;
        EXPECT_TRUE(ChargeImageSource(petite, chemin, QSize(100, 100))) << nom;
        if (QByteArray(nom) != "p.gif") {
            EXPECT_EQ(lue.size(), QSize(400, 200)) << nom;
            EXPECT_EQ(petite.size(), QSize(100, 50)) << nom;
        } else {
            EXPECT_EQ(petite.size(), QSize(1, 1)); // never enlarged
        }
    }
    // Truncated, not a picture, of another kind, missing.
    QFile source(dossier.filePath(u"p.jpg"_s));
    source.open(QIODevice::ReadOnly);
    const QByteArray jpeg = source.readAll();
    QFile tronque(dossier.filePath(u"t.jpg"_s));
    tronque.open(QIODevice::WriteOnly);
    tronque.write(jpeg.left(jpeg.size() / 2));
    tronque.close();
    QFile texte(dossier.filePath(u"x.png"_s));
    texte.open(QIODevice::WriteOnly);
    texte.write("pas une image");
    texte.close();
    QImage lue(3, 3, QImage::Format_RGB32);
    for (const char *nom : {"t.jpg", "x.png", "absent.png"})
        EXPECT_FALSE(ChargeImageSource(lue, dossier.filePath(QString::fromLatin1(nom)))) << nom;
    EXPECT_FALSE(ChargeImageSource(lue, dossier.filePath(u"x.png"_s), QSize(50, 50)));
    // A GIF whose one pixel lies on a logical screen of 16,383 x 16,383
    // pixels: 1 GB once decoded, refused before, under either name.
    QByteArray ecran = QByteArray::fromBase64("R0lGODlhAQABAIAAAP8AAP///yH5BAAAAAAALAAAAAABAAEAAAICRAEAOw==");
    ecran.replace(6, 4, "\xFF\x3F\xFF\x3F");
    for (const char *nom : {"ecran.gif", "ecran.bmp"}) {
        QFile gif(dossier.filePath(QString::fromLatin1(nom)));
        ASSERT_TRUE(gif.open(QIODevice::WriteOnly) && gif.write(ecran) == 43);
        gif.close();
        EXPECT_FALSE(ChargeImageSource(lue, gif.fileName())) << nom;
        EXPECT_FALSE(ChargeImageSource(lue, gif.fileName(), QSize(100, 100))) << nom;
    }
    QFile::copy(dossier.filePath(u"p.png"_s), dossier.filePath(u"p.wav"_s));
    EXPECT_FALSE(ChargeImageSource(lue, dossier.filePath(u"p.wav"_s)));
    EXPECT_EQ(lue.size(), QSize(3, 3));
}

TEST(Sources, PersonsCitingASourceAndFileNamesOfTitles)
{
    TBD bd;
    for (int i = 0; i < 5; ++i)
        bd.NewPerson();
    const int s = bd.AddPersonSource(4);
    bd.LinkSource(2, s);
    bd.LinkSource(5, s);
    bd.ClearPerson(5);
    bd.AddPersonSource(1);
    EXPECT_EQ(PersonnesDeSource(bd, s), (std::vector<int>{2, 4}));
    EXPECT_TRUE(PersonnesDeSource(bd, 99).empty());
    // Removing a person's entry keeps the source.
    bd.RemovePersonSource(4, 1);
    EXPECT_TRUE(bd.SourceInUse(s));
    EXPECT_EQ(PersonnesDeSource(bd, s), (std::vector<int>{2}));

    EXPECT_EQ(NomDeFichierPour(u"Acte n°3: Jean/Marie?"_s), u"Acte n°3_ Jean_Marie_");
    EXPECT_EQ(NomDeFichierPour(u" ..a\tb.. "_s), u"a_b");
    EXPECT_EQ(NomDeFichierPour(u"<>"_s), u"__");
    EXPECT_EQ(NomDeFichierPour(u" . "_s), u"source");
}

// ---- The chooser, the picture view and the overview ------------------------

class FenetresSources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        Options() = TOptions();
        Options().Sources = {u"Photo"_s, u"Acte"_s, u"Lettre"_s};
        FichierCourant = m_dossier.filePath(u"famille.mvd"_s);
        m_bd.NewPerson();
    }
    void TearDown() override
    {
        FichierCourant.clear();
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<TfmVoirImage *>(w))
                delete w;
        }
    }
    int source(const char *titre, const char *genre, const QString &fichier = QString())
    {
        const int s = m_bd.NewSource();
        m_bd.SetSourceField(s, SrcTitre, QString::fromUtf8(titre));
        m_bd.SetSourceField(s, SrcGenre, QString::fromUtf8(genre));
        m_bd.SetSourceField(s, SrcFichier, fichier);
        return s;
    }
    QString image(const char *nom, int largeur, int hauteur)
    {
        QImage i(largeur, hauteur, QImage::Format_RGB32);
        i.fill(Qt::darkGreen);
        const QString chemin = m_dossier.filePath(QString::fromLatin1(nom));
        EXPECT_TRUE(i.save(chemin));
        return chemin;
    }
    static TfmVoirImage *vue()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *v = qobject_cast<TfmVoirImage *>(w); v && v->isVisible())
                return v;
        }
        return nullptr;
    }

    QTemporaryDir m_dossier;
    TBD m_bd;
    THoteSourceTest m_hote;
    TDialoguesScriptes m_dialogues;
    TMediaFactice::Installe m_media;
};

TEST_F(FenetresSources, ChooserWithoutSourcesOrOfAnEmptyKindOffersNothing)
{
    bool desactive = false;
    ReponseModale<TfmSourceRech> reponse([&](TfmSourceRech &d) {
        desactive = !d.findChild<QPushButton *>(u"bOk"_s)->isEnabled();
        QTest::mouseClick(d.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
        QTest::mouseClick(d.findChild<QPushButton *>(u"bAnnuler"_s), Qt::LeftButton);
    });
    EXPECT_EQ(ChoisitSource(m_bd, u"Choisir une source pour MARTIN Jean"_s), 0);
    EXPECT_TRUE(reponse.Ouvert);
    EXPECT_TRUE(desactive);

    source("Acte de naissance", "Acte");
    source("Portrait", "Photo");
    TfmSourceRech choix(m_bd);
    choix.Affiche();
    choix.show();
    auto *sorte = choix.findChild<QComboBox *>(u"cbSorte"_s);
    auto *liste = choix.findChild<QListWidget *>(u"lb"_s);
    EXPECT_EQ(sorte->itemText(0), u"Tous les types");
    EXPECT_EQ(liste->count(), 2);
    EXPECT_EQ(choix.Choisie(), 1);
    // "Lettre", the last kind: no source has it.
    sorte->setFocus();
    QTest::keyClick(sorte, Qt::Key_End);
    EXPECT_EQ(sorte->currentText(), u"Lettre");
    EXPECT_EQ(liste->count(), 0);
    EXPECT_FALSE(choix.findChild<QPushButton *>(u"bOk"_s)->isEnabled());
    QTest::keyClick(sorte, Qt::Key_Home);
    QTest::keyClick(sorte, Qt::Key_Down);
    ASSERT_EQ(liste->count(), 1);
    EXPECT_EQ(liste->item(0)->text(), u"Portrait");
    EXPECT_EQ(choix.Choisie(), 2);
}

TEST_F(FenetresSources, ChooserPreviewsThePictureAndADoubleClickChooses)
{
    source("Absent", "Acte", u"/nulle/part.jpg|3|3|x"_s);
    const int portrait = source("Portrait", "Photo", u"portrait.png|1|1|nez"_s);
    image("portrait.png", 2000, 1000);
    int choisie = -1;
    bool apercu = false;
    bool vide = false;
    QString titreVue;
    ReponseModale<TfmSourceRech> reponse([&](TfmSourceRech &d) {
        auto *liste = d.findChild<QListWidget *>(u"lb"_s);
        auto *photo = d.findChild<TApercu *>(u"iPhoto"_s);
        vide = photo->Vide() && photo->cursor().shape() == Qt::ArrowCursor;
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(1)).center());
        apercu = !photo->Vide() && photo->cursor().shape() == Qt::PointingHandCursor;
        // The preview opens the picture view.
        QTest::mouseClick(photo, Qt::LeftButton);
        if (TfmVoirImage *v = vue())
            titreVue = v->windowTitle();
        const QPoint centre = liste->visualItemRect(liste->item(1)).center();
        QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
        choisie = d.result();
    });
    EXPECT_EQ(ChoisitSource(m_bd, u"Choisir"_s), portrait);
    EXPECT_TRUE(vide);
    EXPECT_TRUE(apercu);
    EXPECT_EQ(choisie, QDialog::Accepted);
    // The view belonged to the chooser, over which it could be used.
    EXPECT_EQ(titreVue, u"Aperçu ("_s + m_dossier.filePath(u"portrait.png"_s) + u')');
    EXPECT_EQ(vue(), nullptr);
}

TEST_F(FenetresSources, PictureViewSizeAndClose)
{
    TfmVoirImage *v = AfficheImage(image("large.png", 2000, 1000));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->size(), QSize(640, 480));
    EXPECT_EQ(AfficheImage(image("petite.png", 120, 90))->size(), QSize(120, 90));
    EXPECT_EQ(vue()->size(), QSize(120, 90)); // one view at a time
    QTest::mouseClick(vue()->findChild<TApercu *>(u"img"_s), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(vue(), nullptr);

    EXPECT_EQ(AfficheImage(m_dossier.filePath(u"absent.png"_s)), nullptr);
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    QFile casse(m_dossier.filePath(u"casse.png"_s));
    casse.open(QIODevice::WriteOnly);
    casse.write("\x89PNG tronque");
    casse.close();
    EXPECT_EQ(AfficheImage(casse.fileName()), nullptr);
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
}

// Lets the overview read its pictures.
void AttendVignettes(TfmSourceVue &vue)
{
    const QDeadlineTimer limite(10000);
    while (!vue.Construite() && !limite.hasExpired())
        QCoreApplication::processEvents();
}

TEST_F(FenetresSources, OverviewThumbnailsTheirRowsAndTheirKinds)
{
    {
        TfmSourceVue vide(m_bd, m_hote);
        vide.show();
        AttendVignettes(vide);
        EXPECT_EQ(vide.NombreVignettes(), 0);
    }
    image("grande.png", 3000, 2000);
    for (int i = 0; i < 12; ++i)
        source("Photo", "Photo", u"grande.png"_s);
    source("Perdue", "Acte", u"perdue.jpg"_s);
    TfmSourceVue vue(m_bd, m_hote);
    vue.resize(700, 500);
    vue.show();
    QCoreApplication::processEvents();
    // A change of kind while the pictures are read starts over with that
    // kind's sources alone.
    ASSERT_FALSE(vue.Construite());
    auto *sorte = vue.findChild<QComboBox *>(u"cbSorte"_s);
    sorte->setFocus();
    QTest::keyClick(sorte, Qt::Key_Down);
    QTest::keyClick(sorte, Qt::Key_Down);
    EXPECT_EQ(sorte->currentText(), u"Acte");
    AttendVignettes(vue);
    ASSERT_EQ(vue.NombreVignettes(), 1);
    EXPECT_EQ(vue.SourceVignette(0), 13);
    EXPECT_TRUE(vue.ImageVignette(0).isNull()); // missing file: the title alone

    QTest::keyClick(sorte, Qt::Key_Home);
    AttendVignettes(vue);
    ASSERT_EQ(vue.NombreVignettes(), 13);
    // Decoded at the thumbnail's size, never whole.
    EXPECT_EQ(vue.ImageVignette(0).width(), 100);
    EXPECT_LE(vue.ImageVignette(0).height(), 100);

    auto *largeur = vue.findChild<QSlider *>(u"tbL"_s);
    largeur->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(largeur, Qt::Key_PageUp); // 10 a step
    ASSERT_EQ(largeur->value(), 150);
    largeur->setValue(200);
    const int zone = vue.findChild<QScrollArea *>(u"sb"_s)->viewport()->width();
    const int parRangee = zone / 200;
    ASSERT_GE(parRangee, 2);
    for (int i = 0; i < vue.NombreVignettes(); ++i)
        EXPECT_EQ(vue.Vignette(i), QRect(200 * (i % parRangee), 100 * (i / parRangee), 200, 100)) << i;
    AttendVignettes(vue); // read again for the larger thumbnails
    EXPECT_GT(vue.ImageVignette(0).width(), 100);
    largeur->setValue(100);

    // A click on a thumbnail opens the editor on its source.
    int editee = 0;
    ReponseModale<TfmSource> reponse([&](TfmSource &e) {
        editee = e.Source();
        e.findChild<QLineEdit *>(u"eNature"_s)->setText(u"Renommée"_s);
        e.findChild<QPushButton *>(u"bOk"_s)->click();
    });
    QWidget *canevas = vue.findChild<QWidget *>(u"pVignettes"_s);
    QTest::mouseClick(canevas, Qt::LeftButton, {}, vue.Vignette(2).center());
    EXPECT_EQ(editee, 3);
    EXPECT_EQ(m_bd.SourceField(3, SrcTitre), u"Renommée");

    // Closing while reading stops it.
    QTest::keyClick(sorte, Qt::Key_Down);
    QTest::keyClick(sorte, Qt::Key_Up);
    ASSERT_FALSE(vue.Construite());
    vue.close();
    EXPECT_TRUE(vue.Construite());
}

// The bar and the ground of the thumbnails wear the main window's
// background, here a texture of two colours in a checkerboard.
TEST_F(FenetresSources, TheOverviewWearsTheMainWindowsBackground)
{
    const QColor rouge(200, 30, 30), bleu(30, 30, 200);
    QImage texture(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            texture.setPixelColor(x, y, (x + y) % 2 ? rouge : bleu);
    image("vert.png", 100, 100);
    source("Vert", "Photo", u"vert.png"_s);
    // The colours met in a 4 x 4 block at (x, y) of a picture.
    const auto couleurs = [](const QImage &i, int x, int y) {
        QSet<QRgb> c;
        for (int j = y; j < y + 4; ++j)
            for (int k = x; k < x + 4; ++k)
                c.insert(i.pixel(k, j) | 0xff000000u);
        return c;
    };
    const QSet<QRgb> damier{rouge.rgb(), bleu.rgb()};
    for (const bool texturee : {true, false}) {
        SCOPED_TRACE(texturee);
        m_hote.Arriere = texturee ? QBrush(texture) : QBrush();
        TfmSourceVue vue(m_bd, m_hote);
        vue.resize(500, 400);
        vue.show();
        AttendVignettes(vue);
        ASSERT_EQ(vue.NombreVignettes(), 1);
        const QImage barre = vue.findChild<QWidget *>(u"pHaut"_s)->grab().toImage();
        const QImage fond = vue.findChild<QScrollArea *>(u"sb"_s)->viewport()->grab().toImage();
        ASSERT_GT(fond.height(), 200);
        // The bar's margin, and the ground beside and under the thumbnail.
        for (const auto &[i, x, y] : {std::tuple{&barre, 1, 1}, {&fond, 150, 20}, {&fond, 20, 150}})
            EXPECT_EQ(couleurs(*i, x, y) == damier, texturee) << x << ", " << y;
        // The thumbnail itself covers it.
        EXPECT_EQ(couleurs(fond, 40, 30), QSet<QRgb>{QColor(Qt::darkGreen).rgb()});
    }
}

TEST(PlaceVignettes, RowsOfAsManyAsFitAndAtLeastOne)
{
    const std::vector<QRect> p = PlaceVignettes(5, QSize(200, 50), 650);
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[2], QRect(400, 0, 200, 50));
    EXPECT_EQ(p[3], QRect(0, 50, 200, 50));
    const std::vector<QRect> etroit = PlaceVignettes(2, QSize(200, 50), 100);
    EXPECT_EQ(etroit[1], QRect(0, 50, 200, 50));
    EXPECT_TRUE(PlaceVignettes(0, QSize(200, 50), 100).empty());
}

} // namespace
