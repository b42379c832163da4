// The map window, its zone editor and the new-map dialogs on a map made
// here: white zones with black borders (one of them diagonal), a blue sea
// and an area that is no zone; then the main window on the example database.

#include "BD.h"
#include "Chemins.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "IOCarte.h"
#include "Ini.h"
#include "Langue.h"
#include "ModelesLivres.h"
#include "Options.h"
#include "ProgrammeTest.h"
#include "ReponseModale.h"
#include "TBKStringGrid.h"
#include "TQuorWin.h"
#include "TfmCarte.h"
#include "TfmCarteNouvelle.h"
#include "TfmCarteNouvelleZone.h"
#include "TfmCartePerso.h"
#include "TfmFiche.h"
#include "TfmRapport.h"
#include "ToursBoucle.h"
#include "CommandesCarte.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

class Hote final : public THoteRapport
{
public:
    TfmRapport *Fenetre = nullptr;
    int SelecPers() const override { return 0; }
    void SelecFiche(int) override {}
    void MontreRapport() override { Fenetre->show(); }
    void RapportCache() override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
};

// Whether `action` opened the named pipe `tube`: a writer polls it
// meanwhile, which gets in only while a reader holds it, and then lets that
// reader go on (it reads nothing) instead of waiting for ever.
bool OuvertPendant(const QString &tube, const std::function<void()> &action)
{
    std::atomic<bool> fini{false}, ouvert{false};
    std::thread ecrivain([&] {
        const QByteArray chemin = QFile::encodeName(tube);
        while (!fini) {
            if (const int fd = ::open(chemin.constData(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                ouvert = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    action();
    fini = true;
    ecrivain.join();
    return ouvert;
}

QByteArray lit(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Seeds of the map made below.
const QPoint GermeOise(30, 30);     // square, "Val-d'Oise", F95
const QPoint GermeIdf(80, 30);      // square beside it, "Île-de-France", FRA,IDF
const QPoint GermeNord(160, 15);    // above a diagonal border, "Finistère", F29
const QPoint GermeSud(120, 50);     // below it, "Côtes-d'Armor", F22
const QPoint GermeIle(130, 90);     // an island, the Finistère's second piece
const QPoint PointLibre(30, 95);    // a white area that is no zone
const QPoint PointMer(190, 110);

class CarteFenetre : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        SetRepModele(QStringLiteral(LIGNEE_MODELE));
        ASSERT_TRUE(ChargeLangue(FichierLangue()));
        DossierCarte = m_tmp.path() + u'/';
        DossierLieu = QStringLiteral(LIGNEE_MODELE "/1/lieu/");
        DossierRapport = QStringLiteral(LIGNEE_MODELE "/1/rapport/");
        NomModeleDefaut = u"defaut"_s;
        Reglages() = TReglages();
        Reglages().Carte = u"Essai"_s;
        Options() = TOptions();
        Options().Evenements = {{GenreEveIndividu(), u"Naissance"_s, u"BIRT"_s},
                                {GenreEveIndividu(), u"Décès"_s, u"DEAT"_s},
                                {GenreEveUnion(), u"Mariage"_s, u"MARR"_s}};
        fabriqueCarte(u"Essai"_s);

        // p1: three events in the Val-d'Oise; p2: born there; p3: born in
        // the Finistère; p4: no place.
        m_p1 = personne(u"DUPONT"_s, {{u"Naissance"_s, u"FRA,IDF,F95,Pontoise"_s},
                                      {u"Baptême"_s, u"FRA,IDF,F95,Pontoise"_s},
                                      {u"Décès"_s, u"FRA,IDF,F95000,Cergy"_s}});
        m_p2 = personne(u"MARTIN"_s, {{u"Naissance"_s, u"FRA,IDF,F95,Osny"_s}});
        m_p3 = personne(u"LE GALL"_s, {{u"Naissance"_s, u"FRA,BRE,F29,Quimper"_s}, {u"Décès"_s, u"ITA,,,Roma"_s}});
        m_p4 = personne(u"SANS"_s, {});
        RefPers = m_p3;

        m_rapport = std::make_unique<TfmRapport>(m_bd, m_hote);
        m_hote.Fenetre = m_rapport.get();
        m_carte = std::make_unique<TfmCarte>(m_bd, *m_rapport, [this] { return m_selec; });
        m_carte->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_carte.get()));
        m_image = m_carte->findChild<QWidget *>(u"carte"_s);
        ASSERT_TRUE(m_image);
    }
    void TearDown() override
    {
        m_carte.reset();
        m_rapport.reset();
        SetRepModele(QString());
        DossierCarteUser.clear();
    }

    void fabriqueCarte(const QString &nom)
    {
        QImage image(200, 120, QImage::Format_RGB32);
        image.fill(qRgb(80, 140, 220));
        QPainter p(&image);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(5, 5, 50, 50);     // Val-d'Oise
        p.drawRect(55, 5, 50, 50);    // Île-de-France, sharing its left border
        p.drawRect(105, 5, 80, 60);   // cut in two by the diagonal
        p.drawLine(105, 5, 185, 65);
        p.drawRect(5, 80, 60, 30);    // no zone
        p.drawRect(120, 80, 20, 20);  // an island of the Finistère
        p.end();
        ASSERT_TRUE(image.save(DossierCarte + nom + u".bmp"_s, "BMP"));
        ASSERT_TRUE(SauveCarte(DossierCarte + nom + u".mvc"_s,
                               {{u"Val-d'Oise"_s, u"F95"_s, GermeOise.x(), GermeOise.y()},
                                {u"Île-de-France"_s, u"FRA,IDF"_s, GermeIdf.x(), GermeIdf.y()},
                                {u"Finistère"_s, u"F29"_s, GermeNord.x(), GermeNord.y()},
                                {u"Côtes-d'Armor"_s, u"F22"_s, GermeSud.x(), GermeSud.y()},
                                {u"Finistère"_s, u"F29"_s, GermeIle.x(), GermeIle.y()}},
                               TComparaisonLieux::Partie));
    }

    int personne(const QString &nom, const std::vector<std::pair<QString, QString>> &evenements)
    {
        const int p = m_bd.NewPerson();
        m_bd.SetSurname(p, nom);
        for (const auto &[type, lieu] : evenements) {
            const int e = m_bd.AddPersonEvent(p);
            m_bd.SetEventField(e, EveType, type);
            m_bd.SetEventField(e, EveLieu, lieu);
        }
        return p;
    }

    QRgb pixel(QPoint p) const { return m_carte->Image().pixel(p) | 0xff000000u; }

    static void choisit(QComboBox *liste, int index)
    {
        liste->showPopup();
        QAbstractItemView *vue = liste->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(vue->window()));
        const QModelIndex ligne = vue->model()->index(index, 0);
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(ligne).center());
    }
    static void choisitTexte(QComboBox *liste, const QString &texte)
    {
        liste->showPopup();
        QAbstractItemView *vue = liste->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(vue->window()));
        const QModelIndex ligne = vue->model()->index(liste->findText(texte), 0);
        ASSERT_TRUE(ligne.isValid()) << texte.toStdString();
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(ligne).center());
    }
    QComboBox *liste(const char *nom) const { return m_carte->findChild<QComboBox *>(QString::fromLatin1(nom)); }
    void clic(QPoint p) { QTest::mouseClick(m_image, Qt::LeftButton, {}, p); }
    std::vector<int> rapport() const { return {m_rapport->Liste().begin(), m_rapport->Liste().end()}; }

    QTemporaryDir m_tmp;
    TDialoguesScriptes m_dialogues;
    TBD m_bd;
    Hote m_hote;
    int m_selec = 0;
    int m_p1 = 0, m_p2 = 0, m_p3 = 0, m_p4 = 0;
    std::unique_ptr<TfmRapport> m_rapport;
    std::unique_ptr<TfmCarte> m_carte;
    QWidget *m_image = nullptr;
};

TEST_F(CarteFenetre, FillsTheZonesOfThePlacesAndReportsAClickedZone)
{
    EXPECT_EQ(m_carte->NomCarte(), u"Essai"_s);
    EXPECT_EQ(m_image->size(), QSize(200, 120));
    const QRgb zone = TfmCarte::CouleurZone(), blanc = TfmCarte::CouleurVide();
    // The selection is nobody: a blank map.
    for (const QPoint g : {GermeOise, GermeIdf, GermeNord, GermeSud})
        EXPECT_EQ(pixel(g), blanc);

    choisit(liste("cbPour"), TfmCarte::SourceTous);
    EXPECT_EQ(m_carte->Liste().Count(), 4);
    // Two zones cover the places of the Val-d'Oise; the diagonal border
    // keeps the Côtes-d'Armor white; the sea and the free area stay.
    EXPECT_EQ(pixel(GermeOise), zone);
    EXPECT_EQ(pixel(GermeIdf), zone);
    EXPECT_EQ(pixel(GermeNord), zone);
    EXPECT_EQ(pixel(GermeIle), zone);
    EXPECT_EQ(pixel(GermeSud), blanc);
    EXPECT_EQ(pixel(QPoint(184, 6)), zone);
    EXPECT_EQ(pixel(QPoint(106, 63)), blanc); // the corner beside the diagonal, on the other side
    EXPECT_EQ(pixel(PointLibre), blanc);
    EXPECT_EQ(pixel(PointMer), qRgb(80, 140, 220));

    // The zones are listed by name: "Île-de-France" comes first and takes
    // the report of every place of the Val-d'Oise, once per event; the
    // Val-d'Oise, filled too, is the first zone of none.
    clic(GermeOise);
    EXPECT_EQ(pixel(GermeOise), TfmCarte::CouleurSurbrillance());
    EXPECT_EQ(m_carte->Zones()[static_cast<size_t>(m_carte->ZoneClic() - 1)].Nom, u"Val-d'Oise"_s);
    EXPECT_TRUE(rapport().empty());
    clic(GermeIdf + QPoint(10, 10));
    EXPECT_EQ(pixel(GermeOise), zone);
    EXPECT_EQ(pixel(GermeIdf), TfmCarte::CouleurSurbrillance());
    ASSERT_GT(m_carte->ZoneClic(), 0);
    EXPECT_EQ(m_carte->Zones()[static_cast<size_t>(m_carte->ZoneClic() - 1)].Nom, u"Île-de-France"_s);
    EXPECT_EQ(rapport(), (std::vector<int>{m_p1, m_p1, m_p1, m_p2}));
    EXPECT_TRUE(m_rapport->isVisible());
    EXPECT_TRUE(m_rapport->Titre().contains(u"Tout le monde"_s));
    EXPECT_TRUE(m_rapport->Titre().contains(u'4'));

    // Another zone: the first one gets its colour back.
    clic(GermeNord);
    EXPECT_EQ(pixel(GermeIdf), zone);
    EXPECT_EQ(pixel(GermeNord), TfmCarte::CouleurSurbrillance());
    EXPECT_EQ(rapport(), (std::vector<int>{m_p3}));
    // Its island, another piece of the same zone, is filled with it and
    // gives the same report.
    clic(GermeIle);
    EXPECT_EQ(pixel(GermeNord), zone);
    EXPECT_EQ(pixel(GermeIle), TfmCarte::CouleurSurbrillance());
    EXPECT_EQ(rapport(), (std::vector<int>{m_p3}));
    // A white zone or the sea makes no report.
    clic(GermeSud);
    EXPECT_EQ(pixel(GermeIle), zone);
    EXPECT_EQ(rapport(), (std::vector<int>{m_p3}));
    clic(PointMer);
    EXPECT_EQ(pixel(GermeSud), blanc);
    EXPECT_EQ(m_carte->PointClic(), QPoint());

    // One event type only: the deaths.
    choisit(liste("cbEvenement"), 2);
    EXPECT_EQ(pixel(GermeOise), zone);
    EXPECT_EQ(pixel(GermeNord), blanc);
    clic(GermeIdf);
    EXPECT_EQ(rapport(), (std::vector<int>{m_p1}));
}

// The maps that ship. On the world map a place of Normandy colours France,
// not Norway, one of Guyane France and French Guiana, not Guyana. On the
// départements, a birth in Paris colours Paris enlarged beside the map.
TEST_F(CarteFenetre, ShippedMapsColourTheZonesOfThePlaces)
{
    DossierCarte = QStringLiteral(LIGNEE_MODELE "/1/carte/");
    personne(u"NORMAND"_s, {{u"Naissance"_s, u"FRA,NOR,F76,Rouen"_s}});
    personne(u"GUYANAIS"_s, {{u"Naissance"_s, u"FRA,GUY,F973,Cayenne"_s}});
    m_selec = personne(u"PARISIEN"_s, {{u"Naissance"_s, u"FRA,IDF,F75,Paris"_s}});
    choisit(liste("cbPour"), TfmCarte::SourceTous);
    choisitTexte(liste("CB_FileList"), u"Pays du monde"_s);
    ASSERT_EQ(m_carte->NomCarte(), u"Pays du monde"_s);
    const QStringList colores{u"FRA"_s, u"FRA,GUY"_s, u"ITA"_s};
    for (const TZoneCarte &z : m_carte->Zones())
        EXPECT_EQ(pixel(QPoint(z.X, z.Y)), colores.contains(z.Lieu) ? TfmCarte::CouleurZone() : TfmCarte::CouleurVide())
            << z.Nom.toStdString();

    choisitTexte(liste("CB_FileList"), u"Départements de France"_s);
    choisit(liste("cbPour"), TfmCarte::SourceSelection);
    qsizetype pixels = 0;
    const QImage &image = m_carte->Image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels += (image.pixel(x, y) | 0xff000000u) == TfmCarte::CouleurZone();
    EXPECT_GT(pixels, 400);
    for (const TZoneCarte &z : m_carte->Zones())
        EXPECT_EQ(pixel(QPoint(z.X, z.Y)) == TfmCarte::CouleurZone(), z.Lieu == u"F75"_s) << z.Nom.toStdString();
}

// A long redraw repaints the map a few times a second, not every few persons.
TEST_F(CarteFenetre, ALongRedrawIsPacedByTime)
{
    for (int i = 0; i < 3000; ++i)
        personne(u"NOMBREUX"_s, {{u"Naissance"_s, u"FRA,BRE,F22,Lannion"_s}});
    choisit(liste("cbPour"), TfmCarte::SourceTous);
    const TToursBoucle t = ToursPendant([this] { m_carte->Affiche(); });
    EXPECT_TRUE(t.Cadences()) << t.Tours << " tours en " << t.Ms << " ms";
    EXPECT_EQ(pixel(GermeSud), TfmCarte::CouleurZone());
}

TEST_F(CarteFenetre, ReportSourceCountsPersonsOnlyAndRedrawsAtOnce)
{
    // A report of non-person rows around two persons.
    ASSERT_TRUE(m_rapport->InitRapport());
    TBKStringGrid *grille = m_rapport->Grille();
    grille->SetRowCount(5);
    grille->SetRowData(1, 0);
    grille->SetRowData(2, m_p3);
    grille->SetRowData(3, 0);
    grille->SetRowData(4, m_p2);
    m_rapport->FinRapport();
    choisit(liste("cbPour"), TfmCarte::SourceRapport);
    EXPECT_EQ(liste("cbPour")->currentText(), u"Selon 2 pers."_s);
    EXPECT_EQ(pixel(GermeNord), TfmCarte::CouleurZone());
    EXPECT_EQ(pixel(GermeOise), TfmCarte::CouleurZone());

    // A report of no person: the user is told, the selection comes back.
    ASSERT_TRUE(m_rapport->InitRapport());
    grille->SetRowCount(2);
    grille->SetRowData(1, 0);
    m_rapport->FinRapport();
    m_selec = m_p3;
    m_dialogues.Messages.clear();
    choisit(liste("cbPour"), TfmCarte::SourceRapport);
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].startsWith(u"Il n'y a aucune personne dans le rapport"_s));
    EXPECT_EQ(liste("cbPour")->currentIndex(), TfmCarte::SourceSelection);
    EXPECT_EQ(pixel(GermeNord), TfmCarte::CouleurZone());
    EXPECT_EQ(pixel(GermeOise), TfmCarte::CouleurVide());
}

TEST_F(CarteFenetre, ZoneEditorAddsAZoneAtTheClickAndSavesACopy)
{
    TfmCartePerso *perso = m_carte->Perso();
    perso->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(perso));
    auto *lv = perso->findChild<QTreeWidget *>(u"lvCarte"_s);
    ASSERT_EQ(lv->topLevelItemCount(), 5);

    // Cancelled: nothing is added, the area stays highlighted.
    {
        ReponseModale<TfmCarteNouvelleZone> reponse([](TfmCarteNouvelleZone &d) {
            QTest::mouseClick(d.findChild<QPushButton *>(u"Button2"_s), Qt::LeftButton);
        });
        clic(PointLibre);
        EXPECT_TRUE(reponse.Ouvert);
    }
    EXPECT_EQ(lv->topLevelItemCount(), 5);
    EXPECT_EQ(pixel(PointLibre), TfmCarte::CouleurSurbrillance());

    // Ok without a place code is refused; with both, the zone is added with
    // the click point as its seed.
    const QPoint point = PointLibre + QPoint(5, 2);
    {
        ReponseModale<TfmCarteNouvelleZone> reponse([this](TfmCarteNouvelleZone &d) {
            QTest::keyClicks(d.findChild<QLineEdit *>(u"eNom"_s), u"Morbihan"_s);
            QTest::mouseClick(d.findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(m_dialogues.Messages.value(0), u"Vous n'avez pas indiqué le nom ou le lieu"_s);
            QTest::keyClicks(d.findChild<QLineEdit *>(u"eLieu"_s), u"F56"_s);
            QTest::mouseClick(d.findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
        });
        clic(point);
        EXPECT_TRUE(reponse.Ouvert);
    }
    ASSERT_EQ(lv->topLevelItemCount(), 6);
    EXPECT_EQ(m_carte->Zones().back(), (TZoneCarte{u"Morbihan"_s, u"F56"_s, point.x(), point.y()}));
    EXPECT_EQ(m_carte->ZoneClic(), 6);
    EXPECT_EQ(m_carte->LieuToIndex(u"FRA,BRE,F56,Vannes"_s), 5);

    // A zone chosen in the list shows on the map; renaming it changes the
    // list, editing with no zone chosen changes nothing.
    QTreeWidgetItem *oise = lv->findItems(u"Val-d'Oise"_s, Qt::MatchExactly).value(0);
    ASSERT_TRUE(oise);
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, lv->visualItemRect(oise).center());
    EXPECT_EQ(pixel(GermeOise), TfmCarte::CouleurSurbrillance());
    auto *eNom = perso->findChild<QLineEdit *>(u"eNom"_s);
    EXPECT_EQ(eNom->text(), u"Val-d'Oise"_s);
    QTest::keyClicks(eNom, u" (95)"_s);
    EXPECT_EQ(oise->text(0), u"Val-d'Oise (95)"_s);

    // Saved under another name: a copy, the old files untouched.
    const QByteArray mvc = lit(DossierCarte + u"Essai.mvc"_s), bmp = lit(DossierCarte + u"Essai.bmp"_s);
    auto *eFile = perso->findChild<QLineEdit *>(u"eFile"_s);
    eFile->clear();
    QTest::keyClicks(eFile, u"Copie"_s);
    QTest::mouseClick(perso->findChild<QPushButton *>(u"sbSauve"_s), Qt::LeftButton);
    EXPECT_EQ(lit(DossierCarte + u"Essai.mvc"_s), mvc);
    EXPECT_EQ(lit(DossierCarte + u"Essai.bmp"_s), bmp);
    std::vector<TZoneCarte> copie;
    ASSERT_TRUE(ChargeCarte(DossierCarte + u"Copie.mvc"_s, copie).Ok);
    EXPECT_EQ(copie, m_carte->Zones());
    QImage image(DossierCarte + u"Copie.bmp"_s);
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), m_carte->ImageVide());

    // A name that leaves the folder, or a folder in the way, is refused.
    m_dialogues.Messages.clear();
    eFile->setText(u"../Dehors"_s);
    QTest::mouseClick(perso->findChild<QPushButton *>(u"sbSauve"_s), Qt::LeftButton);
    ASSERT_TRUE(QDir().mkdir(DossierCarte + u"Bloque.mvc"_s));
    eFile->setText(u"Bloque"_s);
    QTest::mouseClick(perso->findChild<QPushButton *>(u"sbSauve"_s), Qt::LeftButton);
    EXPECT_EQ(m_dialogues.Messages.size(), 2);
    EXPECT_FALSE(QFile::exists(m_tmp.path() + u"/../Dehors.mvc"_s));
    EXPECT_FALSE(QFile::exists(DossierCarte + u"Bloque.bmp"_s));
}

// The zone editor shows every zone, changes a zone's place code and saves a
// blank picture; once it is closed the map shows its persons again.
TEST_F(CarteFenetre, ZoneEditorChangesAPlaceCodeAndGivesTheMapBackWhenClosed)
{
    const QRgb zone = TfmCarte::CouleurZone(), blanc = TfmCarte::CouleurVide();
    choisit(liste("cbPour"), TfmCarte::SourceTous);
    TfmCartePerso *perso = m_carte->Perso();
    auto bouton = [perso](const char *nom) { return perso->findChild<QPushButton *>(QString::fromLatin1(nom)); };
    perso->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(perso));
    QTest::mouseClick(bouton("bAfficheTout"), Qt::LeftButton);
    EXPECT_EQ(pixel(GermeSud), zone);
    QTest::mouseClick(bouton("bFermer"), Qt::LeftButton);
    EXPECT_FALSE(perso->isVisible());
    EXPECT_EQ(pixel(GermeSud), blanc);
    EXPECT_EQ(pixel(GermeOise), zone);

    // The Côtes-d'Armor, which no place falls in, take the code of Italy.
    perso->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(perso));
    auto *lv = perso->findChild<QTreeWidget *>(u"lvCarte"_s);
    QTreeWidgetItem *armor = lv->findItems(u"Côtes-d'Armor"_s, Qt::MatchExactly).value(0);
    ASSERT_TRUE(armor);
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, lv->visualItemRect(armor).center());
    auto *eLieu = perso->findChild<QLineEdit *>(u"eLieu"_s);
    EXPECT_EQ(eLieu->text(), u"F22"_s);
    eLieu->setFocus();
    QTest::keyClick(eLieu, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(eLieu, u"ITA"_s);
    const int i = lv->indexOfTopLevelItem(armor);
    EXPECT_EQ(armor->text(1), u"ITA"_s);
    EXPECT_EQ(m_carte->Zones()[static_cast<size_t>(i)].Lieu, u"ITA"_s);
    EXPECT_EQ(m_carte->LieuToIndex(u"ITA,,,Roma"_s), i);
    EXPECT_EQ(m_carte->LieuToIndex(u"FRA,BRE,F22,Lannion"_s), -1);

    // Saved: the blank picture on show, the code in the file; closed: the
    // persons again, Rome now in the zone.
    QTest::mouseClick(bouton("sbSauve"), Qt::LeftButton);
    EXPECT_EQ(pixel(GermeOise), blanc);
    std::vector<TZoneCarte> lues;
    ASSERT_TRUE(ChargeCarte(DossierCarte + u"Essai.mvc"_s, lues).Ok);
    EXPECT_EQ(lues, m_carte->Zones());
    QTest::mouseClick(bouton("bFermer"), Qt::LeftButton);
    EXPECT_EQ(pixel(GermeOise), zone);
    EXPECT_EQ(pixel(GermeSud), zone);
    EXPECT_EQ(pixel(PointLibre), blanc);
}

TEST_F(CarteFenetre, BrokenOrPictureLessMapsAreToldAndKeptApart)
{
    // A damaged count is cut, and said.
    QFile f(DossierCarte + u"Abimee.mvc"_s);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Description]\r\nNbre=99999999\r\n");
    f.close();
    m_carte->Charge(u"Abimee"_s);
    EXPECT_EQ(m_carte->Zones().size(), size_t(MaxZonesCarte));
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(u"10000"_s));

    // No picture: "pas d'image", an empty picture 310 wide, and saving it
    // writes nothing.
    ASSERT_TRUE(NouvelleCarte(DossierCarte + u"Nue.mvc"_s));
    m_carte->Charge(u"Nue"_s);
    EXPECT_EQ(m_carte->Perso()->findChild<QLineEdit *>(u"eBmp"_s)->text(), u"pas d'image"_s);
    EXPECT_EQ(m_image->size(), QSize(310, 0));
    const QByteArray avant = lit(DossierCarte + u"Nue.mvc"_s);
    m_dialogues.Messages.clear();
    m_carte->Perso()->show();
    QTest::mouseClick(m_carte->Perso()->findChild<QPushButton *>(u"sbSauve"_s), Qt::LeftButton);
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(lit(DossierCarte + u"Nue.mvc"_s), avant);
    EXPECT_FALSE(QFile::exists(DossierCarte + u"Nue.bmp"_s));
    EXPECT_EQ(Reglages().Carte, u"Nue"_s);

    // A named pipe in the picture's place is never opened: the map shows
    // without picture, and the user is told.
    ASSERT_TRUE(NouvelleCarte(DossierCarte + u"Tube.mvc"_s));
    const QString tube = DossierCarte + u"Tube.bmp"_s;
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    m_dialogues.Messages.clear();
    EXPECT_FALSE(OuvertPendant(tube, [this] { m_carte->Charge(u"Tube"_s); }));
    EXPECT_EQ(m_carte->Perso()->findChild<QLineEdit *>(u"eBmp"_s)->text(), u"pas d'image"_s);
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(u"Tube.bmp"_s));

    // A definition that cannot be read is no map of no zones: the user is
    // told why.
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, DossierCarte + u"Illisible.mvc"_s));
    m_dialogues.Messages.clear();
    m_carte->Charge(u"Illisible"_s);
    EXPECT_TRUE(m_carte->Zones().empty());
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].startsWith(u"La carte "_s)) << m_dialogues.Messages[0].toStdString();
    // A picture of 16,383 x 16,383 pixels once decoded, 43 bytes on the disk
    // (a GIF's screen around one pixel): said unreadable, never decoded.
    ASSERT_TRUE(NouvelleCarte(DossierCarte + u"Geante.mvc"_s));
    QByteArray gif = QByteArray::fromBase64("R0lGODlhAQABAIAAAP8AAP///yH5BAAAAAAALAAAAAABAAEAAAICRAEAOw==");
    gif.replace(6, 4, "\xFF\x3F\xFF\x3F");
    QFile geante(DossierCarte + u"Geante.bmp"_s);
    ASSERT_TRUE(geante.open(QIODevice::WriteOnly) && geante.write(gif) == 43);
    geante.close();
    // Qt's own limit (128 MB) is raised once the program has read a
    // picture, and 1 GB passes the raised one.
    const int limite = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1024);
    m_dialogues.Messages.clear();
    m_carte->Charge(u"Geante"_s);
    QImageReader::setAllocationLimit(limite);
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(m_image->size(), QSize(310, 0));
}

TEST_F(CarteFenetre, NewMapFromAPictureAsksBeforeReplacingOne)
{
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QString source = m_tmp.path() + u"/source.png"_s;
    ASSERT_TRUE(image.save(source));
    auto cree = [&](const QString &nom, bool oui) {
        m_dialogues.OuiNon.clear();
        TfmCarteNouvelle dialogue(*m_carte);
        ReponseModale<TfmCarteNouvelle> reponse([&](TfmCarteNouvelle &d) {
            m_dialogues.Fichiers.push_back(source);
            QTest::mouseClick(d.findChild<QToolButton *>(u"sbCharge"_s), Qt::LeftButton);
            QTest::keyClicks(d.findChild<QLineEdit *>(u"eNom"_s), nom);
            m_dialogues.OuiNon.push_back(oui);
            QTest::mouseClick(d.findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
            if (d.isVisible())
                d.reject();
        });
        return dialogue.exec() == QDialog::Accepted;
    };
    ASSERT_TRUE(cree(u"Nouvelle"_s, true));
    EXPECT_EQ(lit(DossierCarte + u"Nouvelle.mvc"_s), QByteArray("[Description]\r\nNbre=0\r\n"));
    EXPECT_EQ(QImage(DossierCarte + u"Nouvelle.bmp"_s).size(), QSize(60, 40));
    EXPECT_EQ(m_carte->NomCarte(), u"Nouvelle"_s);
    EXPECT_TRUE(m_carte->Perso()->isVisible());
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());

    // The name of an existing map: No keeps it whole.
    const QByteArray mvc = lit(DossierCarte + u"Essai.mvc"_s), bmp = lit(DossierCarte + u"Essai.bmp"_s);
    EXPECT_FALSE(cree(u"Essai"_s, false));
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(lit(DossierCarte + u"Essai.mvc"_s), mvc);
    EXPECT_EQ(lit(DossierCarte + u"Essai.bmp"_s), bmp);
    // Yes replaces it; the name is listed once.
    EXPECT_TRUE(cree(u"Essai"_s, true));
    EXPECT_TRUE(m_carte->Zones().empty());
    QComboBox *cartes = liste("CB_FileList");
    QStringList noms;
    for (int i = 0; i < cartes->count(); ++i)
        noms << cartes->itemText(i);
    EXPECT_EQ(noms.count(u"Essai"_s), 1);
    EXPECT_EQ(cartes->currentText(), u"Essai"_s);
}

// An installed program's maps folder cannot be written: a shipped map saved
// from the zone editor and a new map go to the user's folder; the list shows
// the maps of both folders, the user's where both have a name, and a map is
// read from the user's folder first.
TEST_F(CarteFenetre, MapsAreSavedInTheUsersFolderNeverInTheShippedOne)
{
    TModelesLivres livres(m_tmp.path());
    DossierCarte = livres.Livre();
    fabriqueCarte(u"Essai"_s);
    fabriqueCarte(u"Monde"_s);
    livres.Fige();
    DossierCarteUser = livres.User();
    m_carte->hide();
    m_carte->show();
    m_carte->Charge(u"Essai"_s);

    TfmCartePerso *perso = m_carte->Perso();
    perso->show();
    auto *lv = perso->findChild<QTreeWidget *>(u"lvCarte"_s);
    QTreeWidgetItem *oise = lv->findItems(u"Val-d'Oise"_s, Qt::MatchExactly).value(0);
    ASSERT_TRUE(oise);
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, lv->visualItemRect(oise).center());
    QTest::keyClicks(perso->findChild<QLineEdit *>(u"eNom"_s), u" (95)"_s);
    EXPECT_EQ(perso->findChild<QLineEdit *>(u"eFile"_s)->text(), u"Essai"_s);
    QTest::mouseClick(perso->findChild<QPushButton *>(u"sbSauve"_s), Qt::LeftButton);

    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QString source = m_tmp.path() + u"/source.png"_s;
    ASSERT_TRUE(image.save(source));
    {
        TfmCarteNouvelle dialogue(*m_carte);
        ReponseModale<TfmCarteNouvelle> reponse([&](TfmCarteNouvelle &d) {
            m_dialogues.Fichiers.push_back(source);
            QTest::mouseClick(d.findChild<QToolButton *>(u"sbCharge"_s), Qt::LeftButton);
            QTest::keyClicks(d.findChild<QLineEdit *>(u"eNom"_s), u"Nouvelle"_s);
            QTest::mouseClick(d.findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
            if (d.isVisible())
                d.reject();
        });
        ASSERT_EQ(dialogue.exec(), QDialog::Accepted);
    }
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    EXPECT_TRUE(livres.Intact());
    EXPECT_EQ(QDir(livres.User()).entryList(QDir::Files),
              (QStringList{u"Essai.bmp"_s, u"Essai.mvc"_s, u"Nouvelle.bmp"_s, u"Nouvelle.mvc"_s}));

    QComboBox *cartes = liste("CB_FileList");
    cartes->showPopup();
    QStringList noms;
    for (int i = 0; i < cartes->count(); ++i)
        noms << cartes->itemText(i);
    cartes->hidePopup();
    EXPECT_EQ(noms, (QStringList{u"Essai"_s, u"Monde"_s, u"Nouvelle"_s}));
    m_carte->Charge(u"Monde"_s);
    m_carte->Charge(u"Essai"_s);
    std::vector<QString> zones;
    for (const TZoneCarte &z : m_carte->Zones())
        zones.push_back(z.Nom);
    EXPECT_NE(std::find(zones.begin(), zones.end(), u"Val-d'Oise (95)"_s), zones.end());
    EXPECT_EQ(m_carte->ImageVide().size(), QSize(200, 120));
    EXPECT_TRUE(livres.Intact());
}

// On the example database, as a user finds it: the map of the départements
// of the births, a département clicked, the world map, the web map left for
// another test; the map shown is kept in gene.ini at close.
class CarteProgramme : public ProgrammeTest
{
};

TEST_F(CarteProgramme, BirthsOfTheExampleOnTheDepartementsThenTheWorld)
{
    auto fenetre = std::make_unique<TQuorWin>();
    fenetre->show();
    fenetre->Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
    auto *pc = fenetre->centralWidget()->findChild<QTabWidget *>(u"PC"_s);
    pc->setCurrentWidget(fenetre->findChild<QWidget *>(u"TS_Stat"_s));
    auto *sbCarte = fenetre->findChild<QToolButton *>(u"sbCarte"_s);
    ASSERT_TRUE(sbCarte && sbCarte->isEnabled());
    QTest::mouseClick(sbCarte, Qt::LeftButton);
    TfmCarte *carte = fenetre->Cartes()->Carte();
    ASSERT_TRUE(carte->isVisible());
    EXPECT_EQ(carte->NomCarte(), u"Départements de France"_s);

    auto choisitTexte = [](QComboBox *l, const QString &texte) {
        l->showPopup();
        QAbstractItemView *vue = l->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(vue->window()));
        const QModelIndex ligne = vue->model()->index(l->findText(texte), 0);
        ASSERT_TRUE(ligne.isValid()) << texte.toStdString();
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(ligne).center());
    };
    choisitTexte(carte->findChild<QComboBox *>(u"cbPour"_s), u"Tout le monde"_s);
    choisitTexte(carte->findChild<QComboBox *>(u"cbEvenement"_s), u"Naissance"_s);
    // Every département holding a birth is coloured, in all its pieces, the
    // others are white.
    const TBD &bd = fenetre->Base();
    std::set<int> attendues;
    std::set<QString> codes;
    for (int p = bd.NextPerson(0); p; p = bd.NextPerson(p))
        if (const int z = carte->LieuToIndex(bd.BirthPlace(p)); z >= 0) {
            attendues.insert(z);
            codes.insert(carte->Zones()[static_cast<size_t>(z)].Lieu);
        }
    ASSERT_FALSE(attendues.empty());
    for (const TZoneCarte &zone : carte->Zones()) {
        EXPECT_EQ(carte->Image().pixel(zone.X, zone.Y) | 0xff000000u,
                  codes.count(zone.Lieu) ? TfmCarte::CouleurZone() : TfmCarte::CouleurVide())
            << zone.Nom.toStdString();
    }
    // One clicked: its persons in the report window.
    const int z = *attendues.begin();
    QTest::mouseClick(carte->findChild<QWidget *>(u"carte"_s), Qt::LeftButton, {},
                      QPoint(carte->Zones()[static_cast<size_t>(z)].X, carte->Zones()[static_cast<size_t>(z)].Y));
    ASSERT_FALSE(fenetre->Rapport()->Liste().IsEmpty());
    for (const int p : fenetre->Rapport()->Liste())
        EXPECT_EQ(carte->LieuToIndex(bd.BirthPlace(p)), z);
    EXPECT_TRUE(fenetre->Rapport()->isVisible());

    choisitTexte(carte->findChild<QComboBox *>(u"CB_FileList"_s), u"Pays du monde"_s);
    EXPECT_EQ(carte->NomCarte(), u"Pays du monde"_s);
    bool france = false;
    for (const TZoneCarte &zone : carte->Zones())
        if (zone.Lieu == u"FRA"_s)
            france = carte->Image().pixel(zone.X, zone.Y) == (TfmCarte::CouleurZone() | 0xff000000u);
    EXPECT_TRUE(france);

    // Closing the map window puts its button up; the map is in gene.ini.
    carte->close();
    EXPECT_FALSE(sbCarte->isChecked());
    fenetre->close();
    const TIniFile gene(DossierParamUser + u"gene.ini"_s);
    EXPECT_EQ(gene.ReadString(u"Carte"_s, u"Nom"_s), u"Pays du monde"_s);
}

// A place typed in the record form shows at once on the map of every source
// holding its person, not only on the map of the selection; a map hidden
// while the current person changes shows the new one when it comes back.
TEST_F(CarteProgramme, EditedPlacesAndANewCurrentPersonRedrawTheMapsThatShowThem)
{
    auto fenetre = std::make_unique<TQuorWin>();
    fenetre->show();
    fenetre->Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
    auto *pc = fenetre->centralWidget()->findChild<QTabWidget *>(u"PC"_s);
    pc->setCurrentWidget(fenetre->findChild<QWidget *>(u"TS_Stat"_s));
    auto *sbCarte = fenetre->findChild<QToolButton *>(u"sbCarte"_s);
    QTest::mouseClick(sbCarte, Qt::LeftButton);
    TfmCarte *carte = fenetre->Cartes()->Carte();
    ASSERT_TRUE(carte->isVisible());
    ASSERT_EQ(carte->NomCarte(), u"Départements de France"_s);
    auto *cbPour = carte->findChild<QComboBox *>(u"cbPour"_s);
    const auto source = [&](int index) {
        cbPour->showPopup();
        QAbstractItemView *vue = cbPour->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(vue->window()));
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(vue->model()->index(index, 0)).center());
        ASSERT_EQ(carte->SourceChoisie(), index);
    };
    const auto couleur = [&](const QString &lieu) {
        const int z = carte->LieuToIndex(lieu);
        EXPECT_GE(z, 0) << lieu.toStdString();
        const TZoneCarte &zone = carte->Zones()[static_cast<size_t>(std::max(z, 0))];
        return carte->Image().pixel(zone.X, zone.Y) | 0xff000000u;
    };
    const TBD &bd = fenetre->Base();
    std::set<int> prises;
    for (int p = bd.NextPerson(0); p; p = bd.NextPerson(p))
        for (int i = 1; i <= bd.PersonEventCount(p); ++i)
            prises.insert(carte->LieuToIndex(bd.GetPersonEventField(p, i, EveLieu)));

    // Every person on the map; the current person's first event placed in
    // the record form, by its département's number, where nobody was.
    source(TfmCarte::SourceTous);
    fenetre->ShowFiche();
    TfmFiche *fiche = fenetre->Fiche();
    fiche->findChild<QTabWidget *>(u"PC"_s)->setCurrentWidget(fiche->findChild<QWidget *>(u"TS_Evenement"_s));
    fiche->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == fiche; }));
    auto *lieu = fiche->findChild<QLineEdit *>(u"eveLieu"_s);
    QString nouveau;
    for (const char *numero : {"48", "05", "23", "90", "15", "04"}) {
        lieu->setFocus();
        lieu->selectAll();
        QTest::keyClick(lieu, Qt::Key_Delete);
        QTest::keyClicks(lieu, QLatin1String(numero));
        if (!prises.count(carte->LieuToIndex(lieu->text()))) {
            nouveau = lieu->text();
            break;
        }
    }
    ASSERT_FALSE(nouveau.isEmpty());
    EXPECT_EQ(couleur(nouveau), TfmCarte::CouleurVide());
    fiche->findChild<QLineEdit *>(u"eveDate"_s)->setFocus();
    EXPECT_EQ(couleur(nouveau), TfmCarte::CouleurZone());

    // The selection, hidden while another person becomes current.
    source(TfmCarte::SourceSelection);
    const int avant = fenetre->SelecPers();
    EXPECT_EQ(couleur(nouveau), TfmCarte::CouleurZone());
    QTest::mouseClick(sbCarte, Qt::LeftButton);
    ASSERT_FALSE(carte->isVisible());
    const int apres = bd.Father(avant);
    ASSERT_GT(apres, 0);
    fenetre->SetSelecPers(apres);
    QTest::mouseClick(sbCarte, Qt::LeftButton);
    ASSERT_TRUE(carte->isVisible());
    ASSERT_EQ(carte->Liste().Count(), 1);
    EXPECT_EQ(carte->Liste().Get(1), apres);
    EXPECT_EQ(couleur(nouveau), TfmCarte::CouleurVide());
}

} // namespace
