// The source editor, driven as the user does.

#include "BD.h"
#include "CommandesSources.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "HoteSourceTest.h"
#include "Langue.h"
#include "MediaFactice.h"
#include "Options.h"
#include "ReponseModale.h"
#include "TfmSource.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class Editeur : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        Options() = TOptions();
        Options().Sources = {u"Acte de naissance"_s, u"Photo"_s, u"Photo de l'arbre"_s};
        Reglages().AstucesVues.clear();
        BaseModifiee = 0;
        FichierCourant = m_dossier.filePath(u"famille.mvd"_s);
        for (int i = 0; i < 4; ++i)
            m_bd.NewPerson();
        m_bd.SetSurname(2, u"MARTIN"_s);
        m_bd.SetGivenNames(2, u"Jean"_s);
        m_bd.SetSurname(3, u"DURAND"_s);
        m_bd.SetGivenNames(3, u"Marie"_s);
        m_source = m_bd.AddPersonSource(3);
        m_bd.LinkSource(2, m_source);
        m_bd.SetSourceField(m_source, SrcTitre, u"Acte"_s);
    }
    void TearDown() override { FichierCourant.clear(); }

    // A picture of that size in the database's folder, left half red and
    // right half blue.
    QString image(const char *nom, int largeur, int hauteur)
    {
        QImage i(largeur, hauteur, QImage::Format_RGB32);
        i.fill(Qt::red);
        QPainter(&i).fillRect(largeur / 2, 0, largeur - largeur / 2, hauteur, Qt::blue);
        const QString chemin = m_dossier.filePath(QString::fromLatin1(nom));
        EXPECT_TRUE(i.save(chemin));
        return chemin;
    }
    TfmSource &ouvre()
    {
        m_editeur = std::make_unique<TfmSource>(m_bd, m_hote, m_source);
        m_editeur->show();
        QApplication::setActiveWindow(m_editeur.get());
        return *m_editeur;
    }
    template <typename T>
    T *controle(const char *nom)
    {
        T *c = m_editeur->findChild<T *>(QString::fromLatin1(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
    QWidget *zone() { return controle<QWidget>("pbZone"); }
    QString zoom() { return controle<QLabel>("lZoom")->text(); }
    void clic(QListWidget *liste, int ligne, bool double_ = false)
    {
        const QPoint centre = liste->visualItemRect(liste->item(ligne)).center();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
        if (double_)
            QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
    }
    QString fichier() const { return m_bd.SourceField(m_source, SrcFichier); }

    QTemporaryDir m_dossier;
    TBD m_bd;
    int m_source = 0;
    THoteSourceTest m_hote;
    TDialoguesScriptes m_dialogues;
    TMediaFactice::Installe m_media;
    std::unique_ptr<TfmSource> m_editeur;
};

TEST_F(Editeur, OpenedAndClosedUnchangedWritesTheSameFieldBack)
{
    image("acte.jpg", 300, 200);
    // A bare file name, found beside the database, and two legends.
    const QString champ = u"acte.jpg|10|20|Jean|290|190|Marie"_s;
    m_bd.SetSourceField(m_source, SrcFichier, champ);
    ouvre();
    EXPECT_EQ(m_editeur->windowTitle(), u"Édition de la source (acte.jpg)");
    QListWidget *zones = controle<QListWidget>("lbZone");
    ASSERT_EQ(zones->count(), 3);
    EXPECT_EQ(zones->item(1)->text(), u"Marie");
    EXPECT_EQ(zones->item(2)->text(), u"<Double cliquez ici pour créer>");
    EXPECT_TRUE(controle<QWidget>("pPhoto")->isVisible());
    EXPECT_TRUE(controle<QToolButton>("sbArbre")->isEnabled());
    QTest::keyClick(m_editeur.get(), Qt::Key_Escape);
    EXPECT_FALSE(m_editeur->isVisible());
    EXPECT_EQ(fichier(), champ);
    EXPECT_EQ(BaseModifiee, 0);
    EXPECT_EQ(m_hote.Modifications, 0);

    // A file that cannot be found keeps its path and its legends.
    const QString absent = u"/ailleurs/perdu.jpg|1|2|x"_s;
    m_bd.SetSourceField(m_source, SrcFichier, absent);
    ouvre();
    EXPECT_FALSE(controle<QWidget>("pPhoto")->isVisible());
    EXPECT_FALSE(controle<QToolButton>("sbArbre")->isEnabled());
    EXPECT_EQ(controle<QListWidget>("lbZone")->count(), 2);
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(fichier(), absent);
}

// The kind of file is that of the file found, not of the name stored.
TEST_F(Editeur, TheFileFoundIsJudgedNotTheNameStored)
{
    // A bare name, found with ".jpg" beside the database.
    image("portrait.jpg", 300, 200);
    m_bd.SetSourceField(m_source, SrcFichier, u"portrait|5|6|nez"_s);
    ouvre();
    EXPECT_TRUE(controle<QWidget>("pPhoto")->isVisible());
    EXPECT_EQ(zoom(), u"Zoom : -140 %");
    QToolButton *arbre = controle<QToolButton>("sbArbre");
    ASSERT_TRUE(arbre->isEnabled());
    QTest::mouseClick(arbre, Qt::LeftButton);
    EXPECT_TRUE(m_dialogues.Astuces.isEmpty());
    EXPECT_EQ(controle<QComboBox>("cbSorte")->currentText(), u"Photo de l'arbre");
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(fichier(), u"portrait|5|6|nez");

    // A lost sound whose name, with ".jpg", is a picture beside the
    // database: the picture shows, the player stays closed.
    image("voix.jpg", 100, 80);
    m_bd.SetSourceField(m_source, SrcFichier, u"/perdu/voix.wav"_s);
    ouvre();
    EXPECT_TRUE(controle<QWidget>("pPhoto")->isVisible());
    EXPECT_FALSE(controle<QWidget>("mp")->isVisible());
    EXPECT_FALSE(TMediaFactice::Appels().join(u' ').contains(u"Ouvre"_s));
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(fichier(), u"/perdu/voix.wav");
}

TEST_F(Editeur, ZoomStepsOfTheMouseButtons)
{
    m_bd.SetSourceField(m_source, SrcFichier, image("large.png", 1000, 100));
    ouvre();
    EXPECT_EQ(zoom(), u"Zoom : -469 %");
    EXPECT_EQ(controle<QWidget>("iPhoto")->width(), 213);
    const struct {
        Qt::MouseButton bouton;
        const char *zoom;
    } pas[] = {{Qt::LeftButton, "-300"}, {Qt::LeftButton, "-200"}, {Qt::RightButton, "-300"},
               {Qt::LeftButton, "-200"}, {Qt::LeftButton, "100"},  {Qt::LeftButton, "200"}};
    for (const auto &p : pas) {
        QTest::mouseClick(zone(), p.bouton, {}, QPoint(5, 5));
        EXPECT_EQ(zoom(), u"Zoom : %1 %"_s.arg(QString::fromLatin1(p.zoom)));
    }
    EXPECT_EQ(controle<QWidget>("iPhoto")->size(), QSize(2000, 200));
    EXPECT_EQ(zone()->size(), QSize(2000, 200));
    for (int i = 0; i < 20; ++i)
        QTest::mouseClick(zone(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(zoom(), u"Zoom : 1600 %");

    m_bd.SetSourceField(m_source, SrcFichier, image("petite.bmp", 200, 100));
    ouvre();
    EXPECT_EQ(zoom(), u"Zoom : 100 %");
    QTest::mouseClick(zone(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(zoom(), u"Zoom : -200 %");
    EXPECT_EQ(controle<QWidget>("iPhoto")->size(), QSize(100, 50));
    for (int i = 0; i < 20; ++i)
        QTest::mouseClick(zone(), Qt::RightButton, {}, QPoint(1, 1));
    EXPECT_EQ(zoom(), u"Zoom : -1600 %");
}

TEST_F(Editeur, AnEnlargedPictureShowsTheRightPartWhereverItIsScrolled)
{
    m_bd.SetSourceField(m_source, SrcFichier, image("grande.png", 4000, 3000));
    ouvre();
    auto *defile = controle<QScrollArea>("sbPhoto");
    // Too wide for a reduction to 213 pixels: the smallest size.
    EXPECT_EQ(zoom(), u"Zoom : -1600 %");
    EXPECT_EQ(controle<QWidget>("iPhoto")->size(), QSize(250, 187));
    for (int i = 0; i < 40; ++i)
        QTest::mouseClick(zone(), Qt::LeftButton, {}, QPoint(1, 1));
    ASSERT_EQ(zoom(), u"Zoom : 1600 %");
    ASSERT_EQ(controle<QWidget>("iPhoto")->size(), QSize(64000, 48000));
    // The red and blue halves meet at x = 2,000 in the picture, 32,000 on
    // the screen.
    defile->horizontalScrollBar()->setValue(32000 - 100);
    defile->verticalScrollBar()->setValue(20000);
    const QImage vue = defile->viewport()->grab().toImage();
    ASSERT_GE(vue.width(), 200);
    EXPECT_EQ(QColor(vue.pixel(99, 10)), QColor(Qt::red));
    EXPECT_EQ(QColor(vue.pixel(100, 10)), QColor(Qt::blue));
}

TEST_F(Editeur, LegendsArePlacedDrawnSelectedAndRemoved)
{
    m_bd.SetSourceField(m_source, SrcFichier, image("acte.png", 200, 150));
    ouvre();
    QListWidget *zones = controle<QListWidget>("lbZone");
    // A double click on the create line, then a click on the picture.
    m_dialogues.Saisies = {u"ace"_s, u"a|b"_s};
    clic(zones, 0, true);
    EXPECT_EQ(m_dialogues.Astuces, QList<int>{5});
    EXPECT_EQ(zone()->cursor().shape(), Qt::CrossCursor);
    QTest::mouseClick(zone(), Qt::LeftButton, {}, QPoint(130, 40));
    EXPECT_EQ(zone()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(zoom(), u"Zoom : 100 %"); // the click placed, it did not zoom
    controle<QMenu>("pmZone")->findChild<QAction *>(u"miZoneAjoute"_s)->trigger();
    QTest::mouseClick(zone(), Qt::LeftButton, {}, QPoint(150, 110));
    ASSERT_EQ(zones->count(), 3);
    EXPECT_EQ(zones->item(1)->text(), u"a b"); // a "|" would cut the file field

    // On the blue half of the picture: the selected legend red, the other
    // yellow, each sampled on its box's top row inside the outline, above
    // lower-case letters.
    clic(zones, 0);
    const QFontMetrics m(zone()->font());
    const QPoint premiere(130 - m.horizontalAdvance(u"ace"_s) / 2 + 1, 40 - m.height() / 2 + 1);
    const QPoint seconde(150 - m.horizontalAdvance(u"a b"_s) / 2 + 1, 110 - m.height() / 2 + 1);
    ASSERT_GT(premiere.x(), 100);
    QImage dessin = controle<QWidget>("iPhoto")->grab().toImage();
    EXPECT_EQ(QColor(dessin.pixel(premiere)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(dessin.pixel(seconde)), QColor(255, 255, 0));
    clic(zones, 1);
    dessin = controle<QWidget>("iPhoto")->grab().toImage();
    EXPECT_EQ(QColor(dessin.pixel(premiere)), QColor(255, 255, 0));
    EXPECT_EQ(QColor(dessin.pixel(seconde)), QColor(255, 0, 0));
    // Hidden legends leave the picture as it is.
    QTest::mouseClick(controle<QToolButton>("sbZoneVoir"), Qt::LeftButton);
    dessin = controle<QWidget>("iPhoto")->grab().toImage();
    EXPECT_EQ(QColor(dessin.pixel(premiere)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(dessin.pixel(seconde)), QColor(0, 0, 255));

    // An input box left empty or cancelled adds nothing.
    controle<QMenu>("pmZone")->findChild<QAction *>(u"miZoneAjoute"_s)->trigger();
    QTest::mouseClick(zone(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(zones->count(), 3);

    // The Delete key removes the selected legend.
    clic(zones, 0);
    QTest::keyClick(zones, Qt::Key_Delete);
    ASSERT_EQ(zones->count(), 2);
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(fichier(), m_dossier.filePath(u"acte.png"_s) + u"|150|110|a b"_s);
    EXPECT_EQ(BaseModifiee, 1);
}

// A legend is pinned on the picture pixel under the click, whatever the zoom.
// "Voir les légendes" is a toggle: down, it must look down, even with the
// mouse still on it after the click (where an unpressed button is drawn
// raised too).
TEST_F(Editeur, TheLegendsToggleLooksDownWhenDown)
{
    m_bd.SetSourceField(m_source, SrcFichier, image("carte.png", 200, 150));
    ouvre();
    QToolButton *voir = controle<QToolButton>("sbZoneVoir");
    const QPoint centre = voir->mapTo(m_editeur.get(), voir->rect().center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_editeur.get()));
    QTest::mouseMove(m_editeur->windowHandle(), QPoint(1, 1));
    QTest::mouseMove(m_editeur->windowHandle(), centre);
    ASSERT_TRUE(voir->underMouse());
    ASSERT_TRUE(voir->isChecked());
    const QImage enfonce = voir->grab().toImage();
    QTest::mouseClick(m_editeur->windowHandle(), Qt::LeftButton, {}, centre);
    ASSERT_FALSE(voir->isChecked());
    const QImage releve = voir->grab().toImage();
    ASSERT_EQ(enfonce.size(), releve.size());
    // Most of the button changes clearly, not by a shade.
    int differents = 0;
    for (int y = 0; y < enfonce.height(); ++y) {
        for (int x = 0; x < enfonce.width(); ++x) {
            if (std::abs(enfonce.pixelColor(x, y).lightness() - releve.pixelColor(x, y).lightness()) > 40)
                ++differents;
        }
    }
    EXPECT_GT(differents, enfonce.width() * enfonce.height() / 2);
}

TEST_F(Editeur, ALegendPlacedWhileZoomedLandsOnThePicturePixel)
{
    const QString chemin = image("acte.png", 200, 150);
    const struct {
        std::vector<Qt::MouseButton> clics; // the zoom clicks before placing
        const char *zoom;
        QPoint ecran;
        const char *legende;
    } cas[] = {
        {{}, "100", {130, 40}, "|130|40|L"},
        {{Qt::LeftButton}, "200", {130, 41}, "|65|20|L"},
        {{Qt::LeftButton, Qt::LeftButton}, "300", {301, 92}, "|100|30|L"},
        {{Qt::RightButton}, "-200", {30, 41}, "|60|82|L"},
        {{Qt::RightButton, Qt::RightButton}, "-300", {50, 33}, "|150|99|L"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.zoom);
        m_bd.SetSourceField(m_source, SrcFichier, chemin);
        ouvre();
        for (Qt::MouseButton b : c.clics)
            QTest::mouseClick(zone(), b, {}, QPoint(1, 1));
        ASSERT_EQ(zoom(), u"Zoom : %1 %"_s.arg(QString::fromLatin1(c.zoom)));
        m_dialogues.Saisies = {u"L"_s};
        controle<QMenu>("pmZone")->findChild<QAction *>(u"miZoneAjoute"_s)->trigger();
        QTest::mouseClick(zone(), Qt::LeftButton, {}, c.ecran);
        controle<QPushButton>("bOk")->click();
        EXPECT_EQ(fichier(), chemin + QString::fromLatin1(c.legende));
    }
}

TEST_F(Editeur, TheThousandAndFirstLegendIsRefused)
{
    QString champ = image("acte.png", 200, 150);
    for (int i = 0; i < MaxLegendes; ++i)
        champ += u"|1|1|L"_s;
    m_bd.SetSourceField(m_source, SrcFichier, champ);
    ouvre();
    m_dialogues.Saisies = {u"de trop"_s};
    controle<QMenu>("pmZone")->findChild<QAction *>(u"miZoneAjoute"_s)->trigger();
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(u"1000"_s));
    QTest::mouseClick(zone(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(zoom(), u"Zoom : 200 %"); // an ordinary click: no legend mode
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(LitChampFichier(fichier()).Legendes.size(), size_t(MaxLegendes));
}

TEST_F(Editeur, PersonsCitingTheSource)
{
    ouvre();
    QListWidget *personnes = controle<QListWidget>("lbPers");
    ASSERT_EQ(personnes->count(), 3);
    EXPECT_EQ(personnes->item(0)->text(), u"MARTIN Jean");
    EXPECT_EQ(personnes->item(1)->text(), u"DURAND Marie");
    EXPECT_EQ(personnes->item(2)->text(), u"<Double cliquez ici pour choisir>");
    clic(personnes, 1);
    EXPECT_EQ(m_hote.Montrees, QList<int>{3});
    // A person already citing the source adds no line; another one does.
    m_hote.Choix = {2, 4};
    clic(personnes, 2, true);
    EXPECT_EQ(personnes->count(), 3);
    EXPECT_EQ(BaseModifiee, 0);
    clic(personnes, 2, true);
    ASSERT_EQ(personnes->count(), 4);
    EXPECT_EQ(m_bd.PersonSourceNumber(4, 1), m_source);
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_EQ(m_hote.Modifications, 1);
}

TEST_F(Editeur, ChoosingTheFileAndTheTreePhoto)
{
    const QString gif = m_dossier.filePath(u"p.gif"_s);
    QFile f(gif);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray::fromBase64("R0lGODlhAQABAIAAAP8AAP///yH5BAAAAAAALAAAAAABAAEAAAICRAEAOw=="));
    f.close();
    m_bd.SetSourceField(m_source, SrcFichier, gif + u"|0|0|point"_s);
    m_bd.SetSourceField(m_source, SrcGenre, u"Photo"_s);
    ouvre();
    // GIF: shown, but not a photo the tree can draw.
    EXPECT_TRUE(controle<QWidget>("pPhoto")->isVisible());
    QTest::mouseClick(controle<QToolButton>("sbArbre"), Qt::LeftButton);
    EXPECT_EQ(m_dialogues.Astuces, QList<int>{6});
    EXPECT_EQ(controle<QComboBox>("cbSorte")->currentText(), u"Photo");

    // Another file: its path as chosen, the legends gone.
    const QString jpeg = image("portrait.jpeg", 100, 100);
    m_dialogues.Fichiers = {jpeg};
    QTest::mouseClick(controle<QToolButton>("sbFichier"), Qt::LeftButton);
    EXPECT_EQ(m_dialogues.CheminsProposes.last(), gif);
    EXPECT_EQ(controle<QListWidget>("lbZone")->count(), 1);
    QTest::mouseClick(controle<QToolButton>("sbArbre"), Qt::LeftButton);
    EXPECT_EQ(controle<QComboBox>("cbSorte")->currentText(), u"Photo de l'arbre");
    // Closing without OK keeps the kind.
    QTest::keyClick(m_editeur.get(), Qt::Key_Escape);
    EXPECT_EQ(fichier(), jpeg);
    EXPECT_EQ(m_bd.SourceField(m_source, SrcGenre), u"Photo");

    // Cancelling the file dialog detaches the file and its legends, once
    // the user has said so: No keeps both.
    m_bd.SetSourceField(m_source, SrcFichier, jpeg + u"|5|5|x"_s);
    ouvre();
    const int lignes = controle<QListWidget>("lbZone")->count();
    QTest::mouseClick(controle<QToolButton>("sbFichier"), Qt::LeftButton);
    ASSERT_TRUE(m_dialogues.Messages.last().contains(u"portrait.jpeg"_s));
    EXPECT_EQ(controle<QListWidget>("lbZone")->count(), lignes);
    m_dialogues.OuiNon = {true};
    QTest::mouseClick(controle<QToolButton>("sbFichier"), Qt::LeftButton);
    EXPECT_TRUE(m_dialogues.OuiNon.empty());
    EXPECT_EQ(controle<QListWidget>("lbZone")->count(), 1);
    EXPECT_EQ(m_editeur->windowTitle(), u"Édition de la source");
    // A kind typed joins the list; OK writes it.
    QComboBox *sorte = controle<QComboBox>("cbSorte");
    sorte->setFocus();
    sorte->lineEdit()->selectAll();
    QTest::keyClicks(sorte, u"Lettre"_s);
    controle<QLineEdit>("eNature")->setFocus();
    EXPECT_GE(sorte->findText(u"Lettre"_s), 0);
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(fichier(), QString());
    EXPECT_EQ(m_bd.SourceField(m_source, SrcGenre), u"Lettre");

    // A file name with "|" cannot be kept in the field.
    m_dialogues.Fichiers = {u"/a|b.jpg"_s};
    ouvre();
    QTest::mouseClick(controle<QToolButton>("sbFichier"), Qt::LeftButton);
    EXPECT_TRUE(m_dialogues.Messages.last().contains(u"/a|b.jpg"_s));
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(fichier(), QString());
}

TEST_F(Editeur, TitleNoteBrokenPicturesAndSounds)
{
    QFile casse(m_dossier.filePath(u"casse.jpg"_s));
    casse.open(QIODevice::WriteOnly);
    casse.write("\xff\xd8\xff\xe0 pas la suite");
    casse.close();
    m_bd.SetSourceField(m_source, SrcFichier, u"casse.jpg|3|4|x"_s);
    m_bd.SetSourceField(m_source, SrcTitre, QString());
    ouvre();
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(u"casse.jpg"_s));
    EXPECT_FALSE(controle<QWidget>("pPhoto")->isVisible());
    // A new source shows the default title; an empty title keeps the
    // window open.
    QLineEdit *titre = controle<QLineEdit>("eNature");
    EXPECT_EQ(titre->text(), u"Nouvelle source");
    titre->clear();
    EXPECT_FALSE(controle<QPushButton>("bOk")->isEnabled());
    QTest::keyClick(m_editeur.get(), Qt::Key_Escape);
    EXPECT_TRUE(m_editeur->isVisible());
    QTest::keyClicks(titre, u"Registre"_s);
    controle<QPlainTextEdit>("reNote")->setPlainText(u"ligne 1\nligne 2  \n\n"_s);
    m_editeur->close();
    EXPECT_FALSE(m_editeur->isVisible());
    EXPECT_EQ(m_bd.SourceField(m_source, SrcTitre), u"Registre");
    EXPECT_EQ(m_bd.SourceField(m_source, SrcNote), u"ligne 1\r\nligne 2");
    EXPECT_EQ(fichier(), u"casse.jpg|3|4|x");

    // A sound: the player opens the file found, the picture part hides.
    QFile(m_dossier.filePath(u"voix.WAV"_s)).open(QIODevice::WriteOnly);
    m_bd.SetSourceField(m_source, SrcFichier, u"voix.WAV"_s);
    ouvre();
    EXPECT_TRUE(controle<QWidget>("mp")->isVisible());
    EXPECT_FALSE(controle<QWidget>("pLegende")->isVisible());
    EXPECT_EQ(TMediaFactice::Appels().last(), u"Ouvre "_s + m_dossier.filePath(u"voix.WAV"_s));
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(TMediaFactice::Appels().last(), u"Ferme");
}

TEST_F(Editeur, AScannedPictureIsSavedBeforeItReplacesTheFile)
{
    EXPECT_FALSE(ouvre().findChild<QToolButton *>(u"sbScan"_s)->isVisibleTo(m_editeur.get()));
    SetAcquisitionImage([](QImage &i) {
        i = QImage(30, 20, QImage::Format_RGB32);
        i.fill(Qt::green);
        return true;
    });
    m_bd.SetSourceField(m_source, SrcTitre, u"Acte: n°2/3"_s);
    m_bd.SetSourceField(m_source, SrcFichier, image("acte.png", 200, 150) + u"|1|1|garde"_s);
    ouvre();
    QToolButton *scan = controle<QToolButton>("sbScan");
    EXPECT_TRUE(scan->isVisible());
    // A folder that does not exist: told, nothing changed.
    m_dialogues.Fichiers = {m_dossier.filePath(u"absent/x"_s)};
    QTest::mouseClick(scan, Qt::LeftButton);
    EXPECT_EQ(m_dialogues.CheminsProposes.last(), m_dossier.filePath(u"Acte_ n°2_3"_s));
    EXPECT_TRUE(m_dialogues.Messages.last().contains(u"absent/x.bmp"_s));
    EXPECT_EQ(controle<QListWidget>("lbZone")->count(), 2);
    // Saved as JPEG: the file replaces the old one, its legends go.
    m_dialogues.TypeFichier = 1;
    m_dialogues.Fichiers = {m_dossier.filePath(u"scan.JPG"_s)};
    QTest::mouseClick(scan, Qt::LeftButton);
    EXPECT_EQ(controle<QListWidget>("lbZone")->count(), 1);
    controle<QPushButton>("bOk")->click();
    EXPECT_EQ(fichier(), m_dossier.filePath(u"scan.JPG"_s));
    QImage lue;
    EXPECT_TRUE(ChargeImageSource(lue, fichier()));
    EXPECT_EQ(lue.size(), QSize(30, 20));

    // An unsaved base proposes the genealogy folder.
    FichierCourant.clear();
    DossierGenealogie = m_dossier.filePath(u"genealogie/"_s);
    ouvre();
    QTest::mouseClick(controle<QToolButton>("sbScan"), Qt::LeftButton);
    EXPECT_EQ(m_dialogues.CheminsProposes.last(), m_dossier.filePath(u"genealogie/Acte_ n°2_3"_s));
    SetAcquisitionImage({});
}

// "Ajouter une source" of the main window: a new source the user left as
// it came is dropped when its editor is cancelled; one that holds anything
// typed or chosen is kept whichever way the window closes.
TEST_F(Editeur, ANewSourceIsDroppedOnlyWhenNothingWasPutInIt)
{
    QWidget fenetre;
    auto *ajoute = new QToolButton(&fenetre);
    ajoute->setObjectName(u"sbSourceAjoute"_s);
    int rafraichissements = 0;
    auto *commandes = new TCommandesSources(m_bd, {{}, {}, [&] { ++rafraichissements; }}, &fenetre);
    commandes->Branche();
    SetAcquisitionImage({});
    const QString photo = image("registre.png", 40, 30);
    const auto enUsage = [&] {
        int n = 0;
        for (int s = 1; s <= m_bd.SourceCount(); ++s)
            n += m_bd.SourceInUse(s) ? 1 : 0;
        return n;
    };
    enum Fermeture { Echap, CaseFermeture, Fermer };
    struct Cas
    {
        const char *nom;
        std::function<void(TfmSource &)> saisie;
        Fermeture fermeture;
        bool garde;
        QString titre, note, fichier;
    };
    const auto tape = [](TfmSource &e, const char *nom, const QString &texte) {
        QWidget *c = e.findChild<QWidget *>(QString::fromLatin1(nom));
        QTest::mouseClick(c, Qt::LeftButton);
        QTest::keyClick(c, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(c, texte);
    };
    const Cas cas[] = {
        {"untouched, Escape", {}, Echap, false, {}, {}, {}},
        {"untouched, close box", {}, CaseFermeture, false, {}, {}, {}},
        {"untouched, Fermer", {}, Fermer, true, u"Nouvelle source"_s, {}, {}},
        {"title emptied, Escape",
         [&](TfmSource &e) { e.findChild<QLineEdit *>(u"eNature"_s)->clear(); }, Echap, false, {}, {}, {}},
        {"title typed, Escape", [&](TfmSource &e) { tape(e, "eNature", u"Registre de Lyon"_s); }, Echap, true,
         u"Registre de Lyon"_s, {}, {}},
        {"title typed, close box", [&](TfmSource &e) { tape(e, "eNature", u"Registre"_s); }, CaseFermeture, true,
         u"Registre"_s, {}, {}},
        {"transcription typed, Escape",
         [&](TfmSource &e) {
             QWidget *note = e.findChild<QWidget *>(u"reNote"_s);
             QTest::mouseClick(note, Qt::LeftButton);
             QTest::keyClicks(note, u"Le 3 mai"_s);
         },
         Echap, true, u"Nouvelle source"_s, u"Le 3 mai"_s, {}},
        {"file chosen, close box",
         [&](TfmSource &e) {
             m_dialogues.Fichiers = {photo};
             QTest::mouseClick(e.findChild<QToolButton *>(u"sbFichier"_s), Qt::LeftButton);
         },
         CaseFermeture, true, u"Nouvelle source"_s, {}, photo},
    };
    const int avant = enUsage();
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        BaseModifiee = 0;
        rafraichissements = 0;
        int nouvelle = 0;
        ReponseModale<TfmSource> reponse([&](TfmSource &e) {
            nouvelle = e.Source();
            if (c.saisie)
                c.saisie(e);
            switch (c.fermeture) {
            case Echap:
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &e, Qt::Key_Escape);
                break;
            case CaseFermeture:
                e.close();
                break;
            case Fermer:
                e.findChild<QPushButton *>(u"bOk"_s)->click();
                break;
            }
            // A window that refused to close would hang the test.
            if (e.isVisible())
                e.done(QDialog::Accepted);
        });
        QTest::mouseClick(ajoute, Qt::LeftButton);
        ASSERT_TRUE(reponse.Ouvert);
        ASSERT_GT(nouvelle, 0);
        EXPECT_EQ(m_bd.SourceInUse(nouvelle), c.garde);
        EXPECT_EQ(enUsage(), avant + (c.garde ? 1 : 0));
        EXPECT_EQ(BaseModifiee, c.garde ? 1 : 0);
        EXPECT_EQ(rafraichissements > 0, c.garde);
        if (c.garde) {
            EXPECT_EQ(m_bd.SourceField(nouvelle, SrcTitre), c.titre);
            EXPECT_EQ(m_bd.SourceField(nouvelle, SrcNote), c.note);
            EXPECT_EQ(m_bd.SourceField(nouvelle, SrcFichier), c.fichier);
            OublieSource(m_bd, nouvelle);
        }
    }
}

} // namespace
