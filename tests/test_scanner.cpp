// Picture acquisition from a scanner: through a made-up SANE whose every
// answer the test chooses, then through the real SANE library and its
// "test" back end, compared with what scanimage gets from it.

#include "AcquireImage.h"
#include "BD.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "HoteSourceTest.h"
#include "Langue.h"
#include "Options.h"
#include "ReponseModale.h"
#include "Sane.h"
#include "Scanner.h"
#include "Sources.h"
#include "Ini.h"
#include "TfmScanProgres.h"
#include "TfmScanReglages.h"
#include "TfmScanner.h"
#include "TfmSource.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <cstring>
#include <deque>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// ---- A made-up SANE ------------------------------------------------------------

struct Trame {
    SANE_Parameters p{};
    QByteArray donnees;
};

// Answers as told and records every call ("Init", "Open test:0", ...).
struct SaneFactice {
    SANE_Status init = SANE_STATUS_GOOD;
    SANE_Status liste = SANE_STATUS_GOOD;
    SANE_Status ouverture = SANE_STATUS_GOOD;
    SANE_Status demarrage = SANE_STATUS_GOOD;
    std::vector<Trame> trames;
    int morceau = 4096;          // bytes given by each read at most
    qint64 erreurApres = -1;     // bytes read before the read fails with...
    SANE_Status erreur = SANE_STATUS_IO_ERROR;
    qint64 lentApres = -1;       // bytes read before reads give nothing more
    bool nonBloquant = false;    // accepts the non-blocking mode (no descriptor)

    // The settings offered: resolutions as a list, or as a range when
    // `plage` ({min, max, step}); modes; fixed-point resolutions. Nothing
    // offered: the table has no option functions.
    std::vector<SANE_Word> resolutions;
    std::optional<SANE_Range> plage;
    bool virguleFixe = false;
    std::vector<const char *> modes;
    SANE_Status reglage = SANE_STATUS_GOOD; // what setting an option answers
    SANE_Word resolution = 0;               // the device's settings
    QByteArray mode;

    QStringList appels;
    Qt::CursorShape curseurListe = Qt::ArrowCursor;

    // The texts are the caller's literals.
    void ajoutePeripherique(const char *nom, const char *fabricant, const char *modele)
    {
        m_peripheriques.push_back({nom, fabricant, modele, "flatbed scanner"});
    }

    TFonctionsSane table()
    {
        TFonctionsSane t;
        t.Init = [this](SANE_Int *, SANE_Auth_Callback) {
            appels << u"Init"_s;
            return init;
        };
        t.Exit = [this] { appels << u"Exit"_s; };
        t.GetDevices = [this](const SANE_Device ***l, SANE_Bool) {
            appels << u"GetDevices"_s;
            curseurListe = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                                             : Qt::ArrowCursor;
            m_pointeurs.clear();
            for (const SANE_Device &p : m_peripheriques)
                m_pointeurs.push_back(&p);
            m_pointeurs.push_back(nullptr);
            *l = m_pointeurs.data();
            return liste;
        };
        t.Open = [this](SANE_String_Const nom, SANE_Handle *h) {
            appels << u"Open "_s + QString::fromUtf8(nom);
            *h = this;
            return ouverture;
        };
        t.Close = [this](SANE_Handle) { appels << u"Close"_s; };
        t.Start = [this](SANE_Handle) {
            appels << u"Start"_s;
            if (m_annule)
                return SANE_STATUS_CANCELLED;
            if (m_trame < 0 && demarrage != SANE_STATUS_GOOD)
                return demarrage;
            if (++m_trame >= static_cast<int>(trames.size()))
                return SANE_STATUS_NO_DOCS;
            m_position = 0;
            return SANE_STATUS_GOOD;
        };
        t.GetParameters = [this](SANE_Handle, SANE_Parameters *p) {
            *p = trames[static_cast<size_t>(std::max(m_trame, 0))].p;
            return SANE_STATUS_GOOD;
        };
        t.Read = [this](SANE_Handle, SANE_Byte *d, SANE_Int taille, SANE_Int *lus) {
            *lus = 0;
            if (m_annule)
                return SANE_STATUS_CANCELLED;
            if (erreurApres >= 0 && m_total >= erreurApres)
                return erreur;
            if (lentApres >= 0 && m_total >= lentApres)
                return SANE_STATUS_GOOD;
            const QByteArray &donnees = trames[static_cast<size_t>(m_trame)].donnees;
            if (m_position >= donnees.size())
                return SANE_STATUS_EOF;
            qint64 n = std::min<qint64>({taille, morceau, donnees.size() - m_position});
            if (erreurApres >= 0)
                n = std::min(n, erreurApres - m_total);
            if (lentApres >= 0)
                n = std::min(n, lentApres - m_total);
            std::memcpy(d, donnees.constData() + m_position, static_cast<size_t>(n));
            m_position += n;
            m_total += n;
            *lus = static_cast<SANE_Int>(n);
            return SANE_STATUS_GOOD;
        };
        t.Cancel = [this](SANE_Handle) {
            appels << u"Cancel"_s;
            m_annule = true;
        };
        t.SetIoMode = [this](SANE_Handle, SANE_Bool) {
            return nonBloquant ? SANE_STATUS_GOOD : SANE_STATUS_UNSUPPORTED;
        };
        t.GetSelectFd = [](SANE_Handle, SANE_Int *) { return SANE_STATUS_UNSUPPORTED; };
        t.StrStatus = [](SANE_Status s) { return s == SANE_STATUS_IO_ERROR ? "Erreur d'E/S factice" : "autre"; };
        if (resolutions.empty() && !plage && modes.empty())
            return t;
        // Option 0 counts the options; 1 is the resolution, 2 the mode.
        m_options.assign(3, SANE_Option_Descriptor{});
        m_options[0] = {"", "", "", SANE_TYPE_INT, SANE_UNIT_NONE, sizeof(SANE_Word), SANE_CAP_SOFT_DETECT,
                        SANE_CONSTRAINT_NONE, {}};
        const SANE_Int reglable = SANE_CAP_SOFT_SELECT | SANE_CAP_SOFT_DETECT;
        SANE_Option_Descriptor &r = m_options[1];
        r = {"resolution", "", "", virguleFixe ? SANE_TYPE_FIXED : SANE_TYPE_INT, SANE_UNIT_DPI, sizeof(SANE_Word),
             resolutions.empty() && !plage ? SANE_CAP_INACTIVE | reglable : reglable, SANE_CONSTRAINT_NONE, {}};
        if (plage) {
            r.constraint_type = SANE_CONSTRAINT_RANGE;
            r.constraint.range = &*plage;
        } else {
            m_liste = {SANE_Word(resolutions.size())};
            m_liste.insert(m_liste.end(), resolutions.begin(), resolutions.end());
            r.constraint_type = SANE_CONSTRAINT_WORD_LIST;
            r.constraint.word_list = m_liste.data();
        }
        m_modes = modes;
        m_modes.push_back(nullptr);
        m_options[2] = {"mode", "", "", SANE_TYPE_STRING, SANE_UNIT_NONE, 32,
                        modes.empty() ? SANE_CAP_INACTIVE | reglable : reglable, SANE_CONSTRAINT_STRING_LIST, {}};
        m_options[2].constraint.string_list = m_modes.data();
        t.GetOptionDescriptor = [this](SANE_Handle, SANE_Int n) -> const SANE_Option_Descriptor * {
            return n >= 0 && n < static_cast<SANE_Int>(m_options.size()) ? &m_options[static_cast<size_t>(n)] : nullptr;
        };
        t.ControlOption = [this](SANE_Handle, SANE_Int n, SANE_Action action, void *v, SANE_Int *info) {
            if (info)
                *info = 0;
            if (action == SANE_ACTION_GET_VALUE) {
                if (n == 0)
                    *static_cast<SANE_Int *>(v) = static_cast<SANE_Int>(m_options.size());
                else if (n == 1)
                    *static_cast<SANE_Word *>(v) = resolution;
                else
                    std::strcpy(static_cast<char *>(v), mode.constData());
                return SANE_STATUS_GOOD;
            }
            if (action != SANE_ACTION_SET_VALUE || n == 0)
                return SANE_STATUS_INVAL;
            if (n == 1)
                appels << u"Set resolution %1"_s.arg(*static_cast<SANE_Word *>(v));
            else
                appels << u"Set mode "_s + QString::fromUtf8(static_cast<const char *>(v));
            if (reglage != SANE_STATUS_GOOD)
                return reglage;
            if (n == 1)
                resolution = *static_cast<SANE_Word *>(v);
            else
                mode = static_cast<const char *>(v);
            return SANE_STATUS_GOOD;
        };
        return t;
    }

    qint64 lus() const { return m_total; }

    // The calls that close: what follows the reading.
    QStringList fin() const
    {
        QStringList f;
        for (const QString &a : appels)
            if (a == u"Cancel" || a == u"Close" || a == u"Exit")
                f << a;
        return f;
    }

private:
    std::vector<SANE_Option_Descriptor> m_options;
    std::vector<SANE_Word> m_liste;
    std::vector<const char *> m_modes;
    std::deque<SANE_Device> m_peripheriques;
    std::vector<const SANE_Device *> m_pointeurs;
    int m_trame = -1;
    qint64 m_position = 0;
    qint64 m_total = 0;
    bool m_annule = false;
};

// ---- Frames made from a picture ------------------------------------------------
// The encoding is written from the SANE rules, independently of the reader.

enum class Genre { Gris, Rvb, TroisPasses };

void ecrit16(QByteArray &ligne, quint16 v)
{
    ligne.append(reinterpret_cast<const char *>(&v), 2);
}

// The frames of picture `image` (RGB888) in that kind and depth; extra
// bytes pad every line; with lignesConnues false the frames announce -1.
// 16-bit samples are the 8-bit ones times 257.
std::vector<Trame> trames(const QImage &image, Genre genre, int depth, int extra = 0, bool lignesConnues = true,
                          const std::vector<SANE_Frame> &ordre = {SANE_FRAME_RED, SANE_FRAME_GREEN, SANE_FRAME_BLUE})
{
    std::vector<Trame> resultat;
    const auto trame = [&](SANE_Frame format, const std::vector<int> &canaux) {
        Trame t;
        const int n = static_cast<int>(canaux.size());
        t.p.format = format;
        t.p.depth = depth;
        t.p.pixels_per_line = image.width();
        t.p.bytes_per_line = (image.width() * n * depth + 7) / 8 + extra;
        t.p.lines = lignesConnues ? image.height() : -1;
        for (int y = 0; y < image.height(); ++y) {
            QByteArray ligne;
            const uchar *l = image.constScanLine(y);
            int bits = 0;
            for (int x = 0; x < image.width(); ++x) {
                for (int c : canaux) {
                    const uchar v = c < 0 ? l[3 * x] : l[3 * x + c];
                    if (depth == 8) {
                        ligne.append(static_cast<char>(v));
                    } else if (depth == 16) {
                        ecrit16(ligne, static_cast<quint16>(v * 257));
                    } else {
                        if (bits % 8 == 0)
                            ligne.append('\0');
                        // Gray line art: 1 is black; colour: 1 is light.
                        const bool un = c < 0 ? v < 128 : v >= 128;
                        if (un)
                            ligne[ligne.size() - 1] = static_cast<char>(ligne.back() | (0x80 >> (bits % 8)));
                        ++bits;
                    }
                }
            }
            ligne.append(QByteArray(t.p.bytes_per_line - ligne.size(), '\x5a'));
            t.donnees += ligne;
        }
        t.p.last_frame = SANE_TRUE;
        resultat.push_back(t);
    };
    switch (genre) {
    case Genre::Gris:
        trame(SANE_FRAME_GRAY, {-1});
        break;
    case Genre::Rvb:
        trame(SANE_FRAME_RGB, {0, 1, 2});
        break;
    case Genre::TroisPasses:
        for (SANE_Frame f : ordre)
            trame(f, {f == SANE_FRAME_RED ? 0 : (f == SANE_FRAME_GREEN ? 1 : 2)});
        for (size_t i = 0; i + 1 < resultat.size(); ++i)
            resultat[i].p.last_frame = SANE_FALSE;
        break;
    }
    return resultat;
}

// A picture of random colours; gray ones for a gray scan, and only 0 and
// 255 for line art.
QImage hasard(int largeur, int hauteur, bool gris, bool traits)
{
    QImage i(largeur, hauteur, QImage::Format_RGB888);
    QRandomGenerator g(42);
    for (int y = 0; y < hauteur; ++y) {
        uchar *l = i.scanLine(y);
        for (int x = 0; x < largeur; ++x) {
            for (int c = 0; c < 3; ++c) {
                int v = static_cast<int>(g.bounded(256));
                if (traits)
                    v = v >= 128 ? 255 : 0;
                l[3 * x + c] = static_cast<uchar>(v);
            }
            if (gris)
                l[3 * x + 1] = l[3 * x + 2] = l[3 * x];
        }
    }
    return i;
}

::testing::AssertionResult memesPoints(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "tailles " << a.width() << "x" << a.height() << " et " << b.width()
                                             << "x" << b.height();
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i)
            if (x.pixel(i, j) != y.pixel(i, j))
                return ::testing::AssertionFailure()
                       << "point (" << i << ", " << j << "): " << std::hex << x.pixel(i, j) << " et " << y.pixel(i, j);
    return ::testing::AssertionSuccess();
}

// ---- The acquisition through the program's windows ------------------------------

class Acquisition : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr)); }

    // The user chooses line `ligne` of the chooser with a double click.
    static std::unique_ptr<ReponseModale<TfmScanner>> choisit(int ligne)
    {
        return std::make_unique<ReponseModale<TfmScanner>>([ligne](TfmScanner &d) {
            auto *liste = d.findChild<QTreeWidget *>(u"lvScanner"_s);
            const QRect r = liste->visualItemRect(liste->topLevelItem(ligne));
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, r.center());
            // A gesture that did not close the chooser fails the test
            // instead of leaving it open.
            if (d.isVisible())
                d.reject();
        });
    }

    bool acquiert(QImage &image)
    {
        const TFonctionsSane t = m_sane.table();
        return AcquiertImage(image, &t);
    }
    // One device, one frame list; the scan of it.
    QImage scanne(std::vector<Trame> t, bool *ok = nullptr)
    {
        m_sane.ajoutePeripherique("factice:0", "Fabricant", "Modèle");
        m_sane.trames = std::move(t);
        const auto reponse = choisit(0);
        QImage image;
        const bool resultat = acquiert(image);
        if (ok)
            *ok = resultat;
        return image;
    }

    SaneFactice m_sane;
    TDialoguesScriptes m_dialogues;
};

TEST_F(Acquisition, WithoutSaneNothingOpensAndTheResultIsFalse)
{
    ReponseModale<TfmScanner> choix([](TfmScanner &d) { d.reject(); });
    QImage image(2, 2, QImage::Format_RGB888);
    image.fill(Qt::red);
    EXPECT_FALSE(AcquiertImage(image, nullptr));
    QCoreApplication::processEvents();
    EXPECT_FALSE(choix.Ouvert);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());

    // A file that is no library, and a library that is not SANE.
    EXPECT_EQ(ChargeFonctionsSane(u"libabsente-de-ce-systeme.so.7"_s), nullptr);
    EXPECT_EQ(ChargeFonctionsSane(u"libz.so.1"_s), nullptr);
}

// The chooser lists vendor, model and name, or says that no scanner was
// found; cancelling it opens nothing. Listing shows the busy cursor.
TEST_F(Acquisition, TheChooserListsTheDevicesOrSaysThereIsNone)
{
    for (const bool aucun : {true, false}) {
        SCOPED_TRACE(aucun);
        m_sane = SaneFactice();
        if (!aucun) {
            m_sane.ajoutePeripherique("epson2:libusb:001:004", "Epson", "Perfection V39");
            m_sane.ajoutePeripherique("test:0", "Noname", "frontend-tester");
        }
        QStringList lignes;
        bool message = false, ok = true;
        ReponseModale<TfmScanner> choix([&](TfmScanner &d) {
            auto *liste = d.findChild<QTreeWidget *>(u"lvScanner"_s);
            for (int i = 0; i < liste->topLevelItemCount(); ++i) {
                const QTreeWidgetItem *l = liste->topLevelItem(i);
                lignes << l->text(0) + u'|' + l->text(1) + u'|' + l->text(2);
            }
            auto *lAucun = d.findChild<QLabel *>(u"lAucun"_s);
            message = lAucun->isVisible() && lAucun->text() == u"Aucun scanner trouvé" && !liste->isVisible();
            ok = d.findChild<QPushButton *>(u"bOk"_s)->isEnabled();
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QImage image;
        EXPECT_FALSE(acquiert(image));
        EXPECT_TRUE(choix.Ouvert);
        EXPECT_TRUE(image.isNull());
        EXPECT_EQ(message, aucun);
        EXPECT_EQ(ok, !aucun);
        const QStringList attendues = {u"Epson|Perfection V39|epson2:libusb:001:004"_s,
                                       u"Noname|frontend-tester|test:0"_s};
        EXPECT_EQ(lignes, aucun ? QStringList() : attendues);
        EXPECT_EQ(m_sane.curseurListe, Qt::WaitCursor);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(m_sane.appels, (QStringList{u"Init"_s, u"GetDevices"_s, u"Exit"_s}));
        EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    }
}

// Each failure ends with false, the picture untouched, the closing calls
// made, and the user told why (except for a cancel).
TEST_F(Acquisition, EveryFailureReturnsFalseAndClosesWhatWasOpened)
{
    const QImage source = hasard(20, 6, false, false);
    const struct {
        const char *nom;
        std::function<void(SaneFactice &)> regle;
        QStringList fin;
        const char *message; // part of the message, empty for none
    } cas[] = {
        {"SANE ne démarre pas", [](SaneFactice &s) { s.init = SANE_STATUS_NO_MEM; }, {}, "n'a pas pu démarrer"},
        {"la liste échoue", [](SaneFactice &s) { s.liste = SANE_STATUS_IO_ERROR; }, {u"Exit"_s},
         "Erreur d'E/S factice"},
        {"l'ouverture échoue", [](SaneFactice &s) { s.ouverture = SANE_STATUS_DEVICE_BUSY; }, {u"Exit"_s},
         "factice:0 n'a pas pu être ouvert"},
        {"le démarrage échoue", [](SaneFactice &s) { s.demarrage = SANE_STATUS_JAMMED; },
         {u"Cancel"_s, u"Close"_s, u"Exit"_s}, "n'a pas pu commencer sur factice:0"},
        {"erreur d'E/S pendant la lecture", [](SaneFactice &s) { s.erreurApres = 100; },
         {u"Cancel"_s, u"Close"_s, u"Exit"_s}, "Erreur d'E/S factice"},
        {"erreur après la première passe",
         [&](SaneFactice &s) {
             s.trames = trames(source, Genre::TroisPasses, 8);
             s.erreurApres = 20 * 6 + 7;
         },
         {u"Cancel"_s, u"Close"_s, u"Exit"_s}, "Erreur d'E/S factice"},
        {"une deuxième passe manque",
         [&](SaneFactice &s) {
             s.trames = trames(source, Genre::TroisPasses, 8);
             s.trames.pop_back();
         },
         {u"Cancel"_s, u"Close"_s, u"Exit"_s}, "s'est interrompue"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        m_sane = SaneFactice();
        m_dialogues.Messages.clear();
        m_sane.ajoutePeripherique("factice:0", "Fabricant", "Modèle");
        m_sane.trames = trames(source, Genre::Rvb, 8);
        c.regle(m_sane);
        const auto reponse = choisit(0);
        QImage image(3, 3, QImage::Format_RGB888);
        image.fill(Qt::green);
        EXPECT_FALSE(acquiert(image));
        EXPECT_EQ(image.size(), QSize(3, 3));
        EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
        EXPECT_EQ(m_sane.fin(), c.fin);
        ASSERT_EQ(m_dialogues.Messages.size(), 1);
        EXPECT_TRUE(m_dialogues.Messages[0].contains(QString::fromUtf8(c.message))) << m_dialogues.Messages[0].toStdString();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(Acquisition, CancelDuringTheReadCallsSaneCancelAndReturnsFalse)
{
    const QImage source = hasard(50, 40, false, false);
    m_sane.lentApres = 1000; // then the device sends nothing more, as a slow one
    m_sane.morceau = 300;
    // The user cancels once the device went quiet.
    bool barre = false;
    bool annule = false;
    QTimer guet;
    guet.setInterval(0);
    QObject::connect(&guet, &QTimer::timeout, [&] {
        auto *d = qobject_cast<TfmScanProgres *>(QApplication::activeModalWidget());
        if (!d || m_sane.lus() < 1000)
            return;
        guet.stop();
        annule = true;
        barre = d->findChild<QLabel *>(u"lPeripherique"_s)->text().contains(u"Modèle");
        QTest::mouseClick(d->findChild<QPushButton *>(u"bAnnuler"_s), Qt::LeftButton);
    });
    guet.start();
    bool ok = true;
    const QImage image = scanne(trames(source, Genre::Rvb, 8), &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(image.isNull());
    EXPECT_TRUE(annule);
    EXPECT_TRUE(barre);
    // Cancel came at once, then the closing calls.
    EXPECT_EQ(m_sane.fin(), (QStringList{u"Cancel"_s, u"Cancel"_s, u"Close"_s, u"Exit"_s}));
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Frames of every kind give back the picture they were made from; a last
// line left incomplete is dropped, lines past the count announced are
// ignored, and no line at all acquires nothing.
TEST_F(Acquisition, FramesOfEveryKindAndDepthMakeThePicture)
{
    const QImage couleur = hasard(10, 8, false, false);
    const QImage gris = hasard(10, 8, true, false);
    const QImage traitCouleur = hasard(10, 8, false, true);
    const QImage traitGris = hasard(10, 8, true, true);
    const auto coupe = [](std::vector<Trame> t, qsizetype taille) {
        t[0].donnees.resize(taille, '\x11');
        return t;
    };
    const struct {
        const char *nom;
        QImage attendue; // null: nothing acquired
        std::vector<Trame> t;
        int morceau;
        bool nonBloquant;
    } cas[] = {
        {"gris 8 bits", gris, trames(gris, Genre::Gris, 8), 4096, false},
        {"gris 16 bits", gris, trames(gris, Genre::Gris, 16), 4096, false},
        {"gris 1 bit, lignes complétées", traitGris, trames(traitGris, Genre::Gris, 1, 3), 4096, false},
        {"RVB 8 bits, lues 7 octets à la fois", couleur, trames(couleur, Genre::Rvb, 8), 7, false},
        {"RVB 8 bits, non bloquant", couleur, trames(couleur, Genre::Rvb, 8), 50, true},
        {"RVB 16 bits", couleur, trames(couleur, Genre::Rvb, 16, 2), 4096, false},
        {"RVB 1 bit", traitCouleur, trames(traitCouleur, Genre::Rvb, 1), 4096, false},
        {"trois passes, vert bleu rouge", couleur,
         trames(couleur, Genre::TroisPasses, 8, 0, true, {SANE_FRAME_GREEN, SANE_FRAME_BLUE, SANE_FRAME_RED}), 11,
         false},
        {"trois passes de 16 bits", couleur, trames(couleur, Genre::TroisPasses, 16), 4096, false},
        {"hauteur inconnue (scanner à main)", couleur, trames(couleur, Genre::Rvb, 8, 1, false), 5, false},
        {"hauteur inconnue, 5 lignes et demie", couleur.copy(0, 0, 10, 5),
         coupe(trames(couleur, Genre::Rvb, 8, 0, false), 5 * 30 + 17), 4096, false},
        {"lignes en trop", couleur, coupe(trames(couleur, Genre::Rvb, 8), 8 * 30 + 95), 4096, false},
        {"pas une ligne entière", QImage(), coupe(trames(couleur, Genre::Rvb, 8, 0, false), 29), 4096, false},
    };
    // What the user had copied stays where it was.
    QGuiApplication::clipboard()->setText(u"copié par l'utilisateur"_s);
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        m_sane = SaneFactice();
        m_sane.morceau = c.morceau;
        m_sane.nonBloquant = c.nonBloquant;
        bool ok = false;
        const QImage image = scanne(c.t, &ok);
        EXPECT_EQ(ok, !c.attendue.isNull());
        if (ok) {
            EXPECT_EQ(image.format(), QImage::Format_RGB888);
            EXPECT_TRUE(memesPoints(image, c.attendue));
        }
        EXPECT_EQ(m_sane.fin(), (QStringList{u"Cancel"_s, u"Close"_s, u"Exit"_s}));
        EXPECT_TRUE(m_dialogues.Messages.isEmpty());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), u"copié par l'utilisateur");
    }
}

// Parameters that cannot be true stop the scan before anything is kept.
TEST_F(Acquisition, ParametersThatCannotBeTrueAreRefused)
{
    const QImage couleur = hasard(10, 8, false, false);
    const struct {
        const char *nom;
        std::function<void(std::vector<Trame> &)> casse;
    } cas[] = {
        {"profondeur 4", [](auto &t) { t[0].p.depth = 4; }},
        {"trame JPEG", [](auto &t) { t[0].p.format = static_cast<SANE_Frame>(0x0B); }},
        {"largeur nulle", [](auto &t) { t[0].p.pixels_per_line = 0; }},
        {"largeur négative", [](auto &t) { t[0].p.pixels_per_line = -8; }},
        {"ligne trop courte", [](auto &t) { t[0].p.bytes_per_line = 29; }},
        {"image démesurée", [](auto &t) { t[0].p.lines = 2000000000; t[0].p.pixels_per_line = 100000; t[0].p.bytes_per_line = 300000; }},
        {"passes de largeurs différentes", [](auto &t) { t[1].p.pixels_per_line = 9; t[1].p.bytes_per_line = 9; }},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        m_sane = SaneFactice();
        m_dialogues.Messages.clear();
        std::vector<Trame> t = trames(couleur, Genre::TroisPasses, 8);
        if (QByteArray(c.nom) != "passes de largeurs différentes")
            t = trames(couleur, Genre::Rvb, 8);
        c.casse(t);
        bool ok = true;
        EXPECT_TRUE(scanne(t, &ok).isNull());
        EXPECT_FALSE(ok);
        ASSERT_EQ(m_dialogues.Messages.size(), 1);
        EXPECT_TRUE(m_dialogues.Messages[0].contains(u"ne sait pas lire"_s));
        EXPECT_EQ(m_sane.fin(), (QStringList{u"Cancel"_s, u"Close"_s, u"Exit"_s}));
    }
}

// ---- Settings ---------------------------------------------------------------------

// A settings folder of its own for a test, given back whatever happens.
struct DossierParametres {
    QTemporaryDir dossier;
    const QString ancien = DossierParamUser;
    DossierParametres() { DossierParamUser = dossier.path() + u'/'; }
    ~DossierParametres() { DossierParamUser = ancien; }
    DossierParametres(const DossierParametres &) = delete;
    DossierParametres &operator=(const DossierParametres &) = delete;
};

// Where a choice of settings starts: the last one where the device takes
// it, else 300 dpi (or the resolution nearest to the last one) and colour.
TEST(ReglagesScan, TheLastChoiceElse300DpiColourElseTheNearest)
{
    TOffreScan liste;
    liste.Resolutions = {100, 200, 600};
    liste.Modes = {u"Lineart"_s, u"Gray"_s};
    TOffreScan plage;
    plage.Resolutions = {50, 75, 100, 150, 200, 300, 400, 600, 1200};
    plage.Min = 1;
    plage.Max = 1200;
    plage.Pas = 1;
    plage.Modes = {u"Gray"_s, u"Color"_s};
    TOffreScan pas5 = plage;
    pas5.Min = 50;
    pas5.Pas = 5;
    TOffreScan sansMode = liste;
    sansMode.Modes.clear();
    TOffreScan couleurs;
    couleurs.Modes = {u"Lineart"_s, u"Grey"_s, u"24bit Colour"_s};
    const struct {
        const char *nom;
        const TOffreScan &offre;
        TReglagesScan dernier, attendus;
    } cas[] = {
        {"premier choix sur une plage", plage, {}, {300, u"Color"_s}},
        {"premier choix sur une liste", liste, {}, {200, u"Gray"_s}},
        {"le dernier choix, hors des valeurs usuelles", plage, {240, u"Gray"_s}, {240, u"Gray"_s}},
        {"un dernier choix hors du pas", pas5, {242, u"Gray"_s}, {200, u"Gray"_s}},
        {"le plus proche du dernier choix", liste, {1200, u"Color"_s}, {600, u"Gray"_s}},
        {"à égale distance, le plus fin", liste, {150, u"Lineart"_s}, {200, u"Lineart"_s}},
        {"pas de résolution", couleurs, {300, u"Gray"_s}, {0, u"24bit Colour"_s}},
        {"pas de mode", sansMode, {600, u"Color"_s}, {600, QString()}},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        const TReglagesScan r = ReglagesInitiaux(c.offre, c.dernier);
        EXPECT_EQ(r.Resolution, c.attendus.Resolution);
        EXPECT_EQ(r.Mode, c.attendus.Mode);
    }
    TOffreScan gris;
    gris.Modes = {u"Lineart"_s, u"Grey"_s};
    EXPECT_EQ(ReglagesInitiaux(gris, {}).Mode, u"Grey");
}

// The settings window lists what the device offers, starts on the last
// choice kept in gene.ini, and the choice is set before the scan starts.
TEST_F(Acquisition, SettingsAreChosenThenSetBeforeTheScan)
{
    const DossierParametres parametres;
    const QImage source = hasard(6, 4, false, false);
    const struct {
        const char *nom;
        std::function<void(SaneFactice &)> offre;
        QStringList proposees, modes; // the window's lines
        const char *initiale, *mode;  // the lines selected at first
        int choisie;                  // the line of cbResolution chosen; -1: cancel
        QStringList reglages;         // the settings made, in order
        const char *message;          // part of the message told, empty for none
    } cas[] = {
        {"liste entière, modes sans couleur",
         [](SaneFactice &s) {
             s.resolutions = {100, 200, 600};
             s.modes = {"Lineart", "Gray"};
             s.resolution = 100;
             s.mode = "Lineart";
         },
         {u"100"_s, u"200"_s, u"600"_s}, {u"Noir et blanc"_s, u"Niveaux de gris"_s}, "200", "Niveaux de gris", 2,
         {u"Set mode Gray"_s, u"Set resolution 600"_s}, ""},
        {"le choix précédent, sur une plage en virgule fixe",
         [](SaneFactice &s) {
             s.plage = SANE_Range{SANE_FIX(25), SANE_FIX(9600), SANE_FIX(25)};
             s.virguleFixe = true;
             s.modes = {"Gray", "Color"};
         },
         {u"50"_s, u"75"_s, u"100"_s, u"150"_s, u"200"_s, u"300"_s, u"400"_s, u"600"_s, u"1200"_s, u"2400"_s,
          u"4800"_s},
         {u"Niveaux de gris"_s, u"Couleur"_s}, "600", "Niveaux de gris", 1,
         {u"Set mode Gray"_s, u"Set resolution %1"_s.arg(SANE_FIX(75))}, ""},
        {"une résolution seule, refusée",
         [](SaneFactice &s) {
             s.resolutions = {300};
             s.reglage = SANE_STATUS_INVAL;
         },
         {u"300"_s}, {}, "300", "", 0, {u"Set resolution 300"_s}, "n'a pas accepté les réglages"},
        {"annulé", [](SaneFactice &s) { s.resolutions = {300, 600}; }, {u"300"_s, u"600"_s}, {}, "300", "", -1, {},
         ""},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        m_sane = SaneFactice();
        m_dialogues.Messages.clear();
        m_sane.ajoutePeripherique("factice:0", "Fabricant", "Modèle");
        m_sane.trames = trames(source, Genre::Rvb, 8);
        c.offre(m_sane);
        QStringList proposees, modes;
        QString initiale, mode;
        bool visible = true;
        ReponseModale<TfmScanReglages> reglages([&](TfmScanReglages &d) {
            auto *resolution = d.findChild<QComboBox *>(u"cbResolution"_s);
            auto *cbMode = d.findChild<QComboBox *>(u"cbMode"_s);
            for (int i = 0; i < resolution->count(); ++i)
                proposees << resolution->itemText(i);
            for (int i = 0; i < cbMode->count(); ++i)
                modes << cbMode->itemText(i);
            initiale = resolution->currentText();
            mode = cbMode->currentText();
            visible = cbMode->isVisible();
            if (c.choisie < 0) {
                QTest::mouseClick(d.findChild<QPushButton *>(u"bAnnuler"_s), Qt::LeftButton);
                return;
            }
            resolution->setFocus();
            QTest::keyClick(resolution, Qt::Key_Home);
            for (int i = 0; i < c.choisie; ++i)
                QTest::keyClick(resolution, Qt::Key_Down);
            QTest::mouseClick(d.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
        });
        const auto choix = choisit(0);
        QImage image;
        const bool ok = acquiert(image);
        EXPECT_TRUE(reglages.Ouvert);
        EXPECT_EQ(proposees, c.proposees);
        EXPECT_EQ(modes, c.modes);
        EXPECT_EQ(visible, !c.modes.isEmpty());
        EXPECT_EQ(initiale, QString::fromUtf8(c.initiale));
        EXPECT_EQ(mode, QString::fromUtf8(c.mode));
        QStringList faits;
        for (const QString &a : m_sane.appels)
            if (a.startsWith(u"Set "_s))
                faits << a;
        EXPECT_EQ(faits, c.reglages);
        const bool scanne = c.choisie >= 0 && !*c.message;
        EXPECT_EQ(ok, scanne);
        EXPECT_EQ(m_sane.appels.contains(u"Start"_s), scanne);
        EXPECT_EQ(m_sane.fin(), (QStringList{u"Cancel"_s, u"Close"_s, u"Exit"_s}));
        if (*c.message) {
            ASSERT_EQ(m_dialogues.Messages.size(), 1);
            EXPECT_TRUE(m_dialogues.Messages[0].contains(QString::fromUtf8(c.message)));
        } else {
            EXPECT_TRUE(m_dialogues.Messages.isEmpty()) << m_dialogues.Messages.join(u'\n').toStdString();
        }
    }
    // The last choice made is kept (300 dpi, though that device refused it);
    // a resolution alone keeps the mode chosen before.
    const TIniFile gene(DossierParamUser + u"gene.ini"_s);
    EXPECT_EQ(gene.ReadString(u"Scanner"_s, u"Resolution"_s), u"300");
    EXPECT_EQ(gene.ReadString(u"Scanner"_s, u"Mode"_s), u"Gray");
}

// ---- The real SANE and its "test" back end ----------------------------------------

// The configuration folder of this test program: dll.conf names only
// "test", so that no real scanner nor network is ever looked for.
const QString &dossierSane()
{
    static QTemporaryDir dossier;
    static const bool pret = [] {
        QFile dll(dossier.filePath(u"dll.conf"_s));
        dll.open(QIODevice::WriteOnly);
        dll.write("test\n");
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(dossier.path()));
        return true;
    }();
    Q_UNUSED(pret);
    static const QString chemin = dossier.path();
    return chemin;
}

// The back end's settings: its defaults, with `changes` ("key value") put
// in their place.
void configureTest(const QStringList &changes)
{
    QStringList lignes = {
        u"number_of_devices 2"_s, u"mode Gray"_s, u"depth 8"_s, u"hand-scanner false"_s, u"three-pass false"_s,
        u"three-pass-order RGB"_s, u"resolution_min 1.0"_s, u"resolution_max 1200.0"_s, u"resolution_quant 1.0"_s,
        u"resolution 50.0"_s, u"test-picture \"Solid black\""_s, u"invert-endianess false"_s, u"read-limit false"_s,
        u"read-limit-size 1"_s, u"read-delay false"_s, u"read-delay-duration 1000"_s,
        u"read-status-code \"Default\""_s, u"fuzzy-parameters false"_s, u"ppl-loss 0"_s, u"non-blocking false"_s,
        u"select-fd false"_s, u"enable-test-options false"_s, u"geometry_min 0.0"_s, u"geometry_max 200.0"_s,
        u"geometry_quant 1.0"_s, u"tl_x 0.0"_s, u"tl_y 0.0"_s, u"br_x 80.0"_s, u"br_y 100.0"_s,
    };
    for (const QString &c : changes) {
        const QString cle = c.section(u' ', 0, 0) + u' ';
        for (QString &l : lignes)
            if (l.startsWith(cle))
                l = c;
    }
    QFile f(dossierSane() + u"/test.conf"_s);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(lignes.join(u'\n').toUtf8() + '\n');
}

// A picture of PNM data. Samples of 16 bits (which Qt's reader cuts down)
// are read here, to the nearest 8-bit value.
QImage litPnm(const QByteArray &pnm)
{
    QList<QByteArray> champs;
    qsizetype i = 0;
    while (champs.size() < 4 && i < pnm.size()) {
        if (pnm[i] == '#') {
            while (i < pnm.size() && pnm[i] != '\n')
                ++i;
        } else if (!QChar::isSpace(static_cast<uchar>(pnm[i]))) {
            const qsizetype debut = i;
            while (i < pnm.size() && !QChar::isSpace(static_cast<uchar>(pnm[i])))
                ++i;
            champs << pnm.mid(debut, i - debut);
            continue;
        }
        ++i;
    }
    if (champs.size() < 4 || champs[3] != "65535" || (champs[0] != "P5" && champs[0] != "P6"))
        return QImage::fromData(pnm);
    const int canaux = champs[0] == "P6" ? 3 : 1;
    QImage image(champs[1].toInt(), champs[2].toInt(), QImage::Format_RGB888);
    const uchar *d = reinterpret_cast<const uchar *>(pnm.constData()) + i + 1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int c = 0; c < 3; ++c) {
                const uchar *e = d + 2 * ((y * image.width() + x) * canaux + (canaux == 3 ? c : 0));
                image.scanLine(y)[3 * x + c] = static_cast<uchar>(qRound(((e[0] << 8) | e[1]) * 255.0 / 65535.0));
            }
    return image;
}

// What scanimage gets from test:0 with the same settings, and `options`.
QImage scanimage(const QStringList &options = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"SANE_CONFIG_DIR"_s, dossierSane());
    p.setProcessEnvironment(env);
    p.start(u"scanimage"_s, QStringList{u"-d"_s, u"test:0"_s, u"--format=pnm"_s} + options);
    EXPECT_TRUE(p.waitForFinished(60000)) << "scanimage (paquet sane-utils) n'a pas pu être lancé";
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return litPnm(p.readAllStandardOutput());
}

class SaneReel : public Acquisition
{
protected:
    void SetUp() override
    {
        Acquisition::SetUp();
        dossierSane();
        // Never skipped: without SANE this test fails.
        ASSERT_NE(FonctionsSane(), nullptr) << "libsane.so.1 (paquet libsane1) est introuvable";
    }
    // Chooses the line of `liste` whose data is `valeur` with the keyboard.
    static void choisitLigne(QComboBox *liste, const QVariant &valeur)
    {
        const int ligne = liste->findData(valeur);
        ASSERT_GE(ligne, 0) << valeur.toString().toStdString();
        liste->setFocus();
        QTest::keyClick(liste, Qt::Key_Home);
        for (int i = 0; i < ligne; ++i)
            QTest::keyClick(liste, Qt::Key_Down);
        EXPECT_EQ(liste->currentIndex(), ligne);
    }
    // The user sets the resolution and the mode, and confirms; the settings
    // the window showed first go to `initiaux`.
    static std::unique_ptr<ReponseModale<TfmScanReglages>> regle(int resolution, const QString &mode,
                                                                 TReglagesScan *initiaux = nullptr)
    {
        return std::make_unique<ReponseModale<TfmScanReglages>>([=](TfmScanReglages &d) {
            if (initiaux)
                *initiaux = d.Reglages();
            choisitLigne(d.findChild<QComboBox *>(u"cbResolution"_s), resolution);
            choisitLigne(d.findChild<QComboBox *>(u"cbMode"_s), mode);
            QTest::mouseClick(d.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
            if (d.isVisible())
                d.reject();
        });
    }
    // The scan of test:0, chosen in the chooser among the two test devices,
    // with the resolution and the mode given.
    QImage scanneTest(int resolution, const QString &mode, TReglagesScan *initiaux = nullptr)
    {
        const auto reglages = regle(resolution, mode, initiaux);
        QStringList noms;
        ReponseModale<TfmScanner> choix([&](TfmScanner &d) {
            auto *liste = d.findChild<QTreeWidget *>(u"lvScanner"_s);
            for (int i = 0; i < liste->topLevelItemCount(); ++i)
                noms << liste->topLevelItem(i)->text(2);
            const int ligne = static_cast<int>(noms.indexOf(u"test:0"_s));
            if (ligne < 0) {
                d.reject();
                return;
            }
            const QRect r = liste->visualItemRect(liste->topLevelItem(ligne));
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseClick(d.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
            if (d.isVisible())
                d.reject();
        });
        QImage image;
        EXPECT_TRUE(AcquiertImage(image));
        EXPECT_TRUE(reglages->Ouvert);
        EXPECT_TRUE(noms.contains(u"test:1"_s)) << noms.join(u' ').toStdString();
        EXPECT_TRUE(m_dialogues.Messages.isEmpty()) << m_dialogues.Messages.join(u'\n').toStdString();
        return image;
    }
};

TEST_F(SaneReel, TheTestBackEndGivesWhatScanimageGets)
{
    const struct {
        const char *nom;
        QStringList reglages;
    } cas[] = {
        {"noir uni, gris 8 bits", {}},
        {"mire de couleurs, RVB 8 bits", {u"mode Color"_s, u"test-picture \"Color pattern\""_s}},
        {"mire, gris 1 bit", {u"depth 1"_s, u"test-picture \"Color pattern\""_s}},
        {"mire, gris 16 bits", {u"depth 16"_s, u"test-picture \"Color pattern\""_s}},
        {"mire, RVB 16 bits", {u"mode Color"_s, u"depth 16"_s, u"test-picture \"Color pattern\""_s}},
        {"mire, trois passes BGR",
         {u"mode Color"_s, u"three-pass true"_s, u"three-pass-order BGR"_s, u"test-picture \"Color pattern\""_s}},
        {"grille, scanner à main", {u"hand-scanner true"_s, u"test-picture Grid"_s}},
        {"mire, lecture non bloquante avec descripteur",
         {u"mode Color"_s, u"non-blocking true"_s, u"select-fd true"_s, u"read-limit true"_s,
          u"read-limit-size 1000"_s, u"test-picture \"Color pattern\""_s}},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        configureTest(c.reglages);
        const QImage reference = scanimage();
        ASSERT_FALSE(reference.isNull());
        // The settings window given the back end's own settings.
        const QImage image = scanneTest(50, c.reglages.contains(u"mode Color"_s) ? u"Color"_s : u"Gray"_s);
        EXPECT_EQ(image.format(), QImage::Format_RGB888);
        EXPECT_TRUE(memesPoints(image, reference));
    }
}

TEST_F(SaneReel, AUserScansAPictureIntoASource)
{
    configureTest({u"mode Color"_s, u"test-picture \"Color pattern\""_s});
    const QImage reference = scanimage({u"--resolution"_s, u"75"_s});
    QTemporaryDir dossier;
    FichierCourant = dossier.filePath(u"famille.mvd"_s);
    Options() = TOptions();
    TBD bd;
    THoteSourceTest hote;
    const int s = bd.NewSource();
    bd.SetSourceField(s, SrcTitre, u"Acte"_s);

    InstalleScanner();
    TfmSource editeur(bd, hote, s);
    editeur.show();
    QApplication::setActiveWindow(&editeur);
    auto *scan = editeur.findChild<QToolButton *>(u"sbScan"_s);
    ASSERT_TRUE(scan->isVisible());
    m_dialogues.Fichiers = {dossier.filePath(u"acte"_s)};
    const auto choix = choisit(0);
    const auto reglages = regle(75, u"Color"_s);
    QTest::mouseClick(scan, Qt::LeftButton);
    EXPECT_TRUE(choix->Ouvert);
    EXPECT_TRUE(reglages->Ouvert);
    QTest::mouseClick(editeur.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
    EXPECT_EQ(bd.SourceField(s, SrcFichier), dossier.filePath(u"acte.bmp"_s));
    EXPECT_TRUE(memesPoints(QImage(dossier.filePath(u"acte.bmp"_s)), reference));
    SetAcquisitionImage({});
    FichierCourant.clear();
}

// The settings window starts at 300 dpi in colour, whatever the device
// was set to; the choice made is kept for the next scan.
TEST_F(SaneReel, TheSettingsStartAt300DpiColourAndTheLastChoiceIsKept)
{
    const DossierParametres parametres;
    configureTest({u"test-picture \"Color pattern\""_s}); // the device: gray, 50 dpi
    TReglagesScan initiaux;
    const QImage image = scanneTest(75, u"Gray"_s, &initiaux);
    EXPECT_EQ(initiaux.Resolution, 300);
    EXPECT_EQ(initiaux.Mode, u"Color");
    EXPECT_TRUE(memesPoints(image, scanimage({u"--resolution"_s, u"75"_s, u"--mode"_s, u"Gray"_s})));
    const TIniFile gene(DossierParamUser + u"gene.ini"_s);
    EXPECT_EQ(gene.ReadInteger(u"Scanner"_s, u"Resolution"_s), 75);
    EXPECT_EQ(gene.ReadString(u"Scanner"_s, u"Mode"_s), u"Gray");

    // The next scan starts on that choice; cancelled, it scans nothing.
    const auto choix = choisit(0);
    TReglagesScan suivants;
    QString libelle;
    ReponseModale<TfmScanReglages> annule([&](TfmScanReglages &d) {
        suivants = d.Reglages();
        libelle = d.findChild<QComboBox *>(u"cbMode"_s)->currentText();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QImage rien;
    EXPECT_FALSE(AcquiertImage(rien));
    EXPECT_TRUE(rien.isNull());
    EXPECT_EQ(suivants.Resolution, 75);
    EXPECT_EQ(suivants.Mode, u"Gray");
    EXPECT_EQ(libelle, u"Niveaux de gris");
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
}

} // namespace
