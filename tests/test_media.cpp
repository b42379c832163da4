// The player control, through a fake and through the real back end.

#include "DialoguesScriptes.h"
#include "Langue.h"
#include "Media.h"
#include "MediaFactice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// Writes `donnees` as little-endian RIFF fields.
struct Riff {
    QByteArray octets;
    void mot(quint32 v) { octets.append(reinterpret_cast<const char *>(&v), 4); }
    void demi(quint16 v) { octets.append(reinterpret_cast<const char *>(&v), 2); }
    void id(const char *c) { octets.append(c, 4); }
};

// A mono 16-bit PCM WAV file of `ms` milliseconds at 8,000 Hz.
void EcritWav(const QString &chemin, int ms)
{
    const quint32 echantillons = 8 * ms;
    Riff r;
    r.id("RIFF");
    r.mot(36 + 2 * echantillons);
    r.id("WAVE");
    r.id("fmt ");
    r.mot(16);
    r.demi(1);
    r.demi(1);
    r.mot(8000);
    r.mot(16000);
    r.demi(2);
    r.demi(16);
    r.id("data");
    r.mot(2 * echantillons);
    for (quint32 i = 0; i < echantillons; ++i)
        r.demi((i / 10) % 2 ? 3000 : quint16(-3000));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(r.octets);
}

// An uncompressed AVI of `images` frames of 32 x 24 at 10 frames a second.
void EcritAvi(const QString &chemin, int images)
{
    const quint32 l = 32, h = 24, taille = l * h * 3;
    auto morceau = [](const char *id, const QByteArray &donnees) {
        Riff r;
        r.id(id);
        r.mot(quint32(donnees.size()));
        r.octets += donnees;
        return r.octets;
    };
    auto liste = [&](const char *type, const QByteArray &donnees) {
        return morceau("LIST", QByteArray(type, 4) + donnees);
    };
    Riff avih;
    for (quint32 v : {100000u, taille * 10, 0u, 0x10u, quint32(images), 0u, 1u, taille, l, h, 0u, 0u, 0u, 0u})
        avih.mot(v);
    Riff strh;
    strh.id("vids");
    strh.id("DIB ");
    for (quint32 v : {0u, 0u, 0u, 1u, 10u, 0u, quint32(images), taille, 0xFFFFFFFFu, 0u})
        strh.mot(v);
    strh.mot(0);
    strh.demi(quint16(l));
    strh.demi(quint16(h));
    Riff strf;
    strf.mot(40);
    strf.mot(l);
    strf.mot(h);
    strf.demi(1);
    strf.demi(24);
    for (quint32 v : {0u, taille, 0u, 0u, 0u, 0u})
        strf.mot(v);
    QByteArray film;
    Riff index;
    quint32 position = 4;
    for (int i = 0; i < images; ++i) {
        const QByteArray image(int(taille), char(i * 12));
        const QByteArray m = morceau("00db", image);
        index.id("00db");
        index.mot(0x10);
        index.mot(position);
        index.mot(taille);
        position += quint32(m.size());
        film += m;
    }
    const QByteArray corps = QByteArray("AVI ")
                             + liste("hdrl", morceau("avih", avih.octets)
                                                 + liste("strl", morceau("strh", strh.octets)
                                                                     + morceau("strf", strf.octets)))
                             + liste("movi", film) + morceau("idx1", index.octets);
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(morceau("RIFF", corps));
}

// Lets the back end work until the media leaves the loading state.
TMedia::Etat AttendChargement(TMedia &media)
{
    const QDeadlineTimer limite(20000);
    while ((media.EtatMedia() == TMedia::Chargement || media.EtatMedia() == TMedia::Vide) && !limite.hasExpired())
        QTest::qWait(20);
    return media.EtatMedia();
}

TEST(Lecteur, ButtonsDriveTheMediaOnceLoaded)
{
    TMediaFactice::Installe fausse;
    TLecteur lecteur(true);
    lecteur.show();
    auto *joue = lecteur.findChild<QToolButton *>(u"btJoue"_s);
    auto *avance = lecteur.findChild<QToolButton *>(u"btAvance"_s);
    ASSERT_TRUE(joue && avance);
    EXPECT_FALSE(joue->isEnabled());
    lecteur.Ouvre(u"/sons/voix.wav"_s);
    EXPECT_TRUE(joue->isEnabled());
    for (const char *nom : {"btJoue", "btAvance", "btAvance", "btRecule", "btPause", "btArret"})
        QTest::mouseClick(lecteur.findChild<QToolButton *>(QString::fromLatin1(nom)), Qt::LeftButton);
    EXPECT_EQ(TMediaFactice::Appels(),
              (QStringList{u"Ouvre /sons/voix.wav"_s, u"Joue"_s, u"Deplace 3000"_s, u"Deplace 3000"_s,
                           u"Deplace 0"_s, u"Pause"_s, u"Arrete"_s}));
    lecteur.Ferme();
    EXPECT_FALSE(joue->isEnabled());
    EXPECT_TRUE(lecteur.Fichier().isEmpty());

    // The record form's player has no step buttons.
    TLecteur simple(false);
    EXPECT_EQ(simple.findChild<QToolButton *>(u"btAvance"_s), nullptr);
}

// A sound with no sound output, or a file the back end cannot read, is told
// instead of showing nothing.
TEST(Lecteur, WhatCannotBePlayedIsTold)
{
    ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
    TDialoguesScriptes dialogues;
    TMediaFactice::Installe fausse;
    TLecteur lecteur(true);
    lecteur.show();
    auto *joue = lecteur.findChild<QToolButton *>(u"btJoue"_s);
    const struct {
        const char *fichier;
        bool sortie;
        bool joue;           // the media was asked to play
        const char *message; // part of the one message told, empty for none
    } cas[] = {
        {"/sons/voix.wav", false, false, "aucune sortie audio"},
        {"/sons/voix.wav", true, true, ""},
        {"/films/film.avi", false, true, ""}, // the picture without its sound
        {"/sons/casse.wav", true, false, "flux illisible"},
        {"/films/casse.avi", true, false, "flux illisible"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.fichier);
        dialogues.Messages.clear();
        TMediaFactice::Appels().clear();
        TMediaFactice::Sortie() = c.sortie;
        const QString fichier = QString::fromLatin1(c.fichier);
        lecteur.Ouvre(fichier);
        QCoreApplication::processEvents();
        if (joue->isEnabled())
            QTest::mouseClick(joue, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_EQ(TMediaFactice::Appels().contains(u"Joue"_s), c.joue);
        if (*c.message) {
            ASSERT_EQ(dialogues.Messages.size(), 1) << dialogues.Messages.join(u'\n').toStdString();
            EXPECT_TRUE(dialogues.Messages[0].contains(fichier));
            EXPECT_TRUE(dialogues.Messages[0].contains(QString::fromUtf8(c.message)));
        } else {
            EXPECT_TRUE(dialogues.Messages.isEmpty()) << dialogues.Messages.join(u'\n').toStdString();
        }
    }
    lecteur.Ferme();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogues.Messages.size(), 1);
}

// The back end installed with the program plays these files here, with no
// sound card.
TEST(Lecteur, RealBackEndLoadsAWavAndAnAviWithTheirDurations)
{
    QTemporaryDir dossier;
    const QString wav = dossier.filePath(u"voix.wav"_s);
    const QString avi = dossier.filePath(u"film.avi"_s);
    EcritWav(wav, 1500);
    EcritAvi(avi, 20);

    TLecteur lecteur(true);
    lecteur.show();
    lecteur.Ouvre(wav);
    ASSERT_EQ(AttendChargement(lecteur.Media()), TMedia::Charge);
    EXPECT_EQ(lecteur.Media().Duree(), 1500);
    EXPECT_TRUE(lecteur.findChild<QToolButton *>(u"btJoue"_s)->isEnabled());
    lecteur.Media().Joue();
    const QDeadlineTimer limite(10000);
    while (lecteur.Media().Position() < 200 && !limite.hasExpired())
        QTest::qWait(20);
    EXPECT_GE(lecteur.Media().Position(), 200);
    lecteur.Media().Arrete();

    lecteur.Ouvre(avi);
    ASSERT_EQ(AttendChargement(lecteur.Media()), TMedia::Charge);
    EXPECT_EQ(lecteur.Media().Duree(), 2000);

    // A file that is no video: the user is told why.
    ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
    TDialoguesScriptes dialogues;
    const QString casse = dossier.filePath(u"casse.avi"_s);
    QFile f(casse);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    lecteur.Ouvre(casse);
    EXPECT_EQ(AttendChargement(lecteur.Media()), TMedia::Erreur);
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].contains(casse));
    lecteur.Ferme();
}

} // namespace
