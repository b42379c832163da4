#include "Media.h"

#include "Dialogues.h"
#include "Langue.h"
#include "Sources.h"

#include <algorithm>

#include <QAudioDevice>
#include <QAudioOutput>
#include <QHBoxLayout>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace {

constexpr qint64 PasMs = 5000;
constexpr int TexteIllisible = 7610;
constexpr int TexteSansSortie = 7611;
constexpr int TexteRaisonInconnue = 7612;

// The media object of the program: Qt Multimedia's player with the default
// sound output and, for videos, a video widget.
class TMediaQt final : public TMedia
{
public:
    TMediaQt()
    {
        m_lecteur.setAudioOutput(&m_sortie);
        connect(&m_lecteur, &QMediaPlayer::mediaStatusChanged, this, [this] { Signale(); });
        connect(&m_lecteur, &QMediaPlayer::playbackStateChanged, this, [this] { Signale(); });
        connect(&m_lecteur, &QMediaPlayer::errorOccurred, this, [this] { Signale(); });
    }
    ~TMediaQt() override
    {
        // The surface may live in a window's layout by now: the player must
        // let go of it first.
        m_lecteur.setVideoOutput(nullptr);
        if (m_ecran && !m_ecran->parent())
            delete m_ecran;
    }

    void Ouvre(const QString &fichier) override
    {
        m_lecteur.stop();
        if (GenreMedia(fichier) == TGenreMedia::Video)
            m_lecteur.setVideoOutput(Ecran());
        m_lecteur.setSource(QUrl::fromLocalFile(fichier));
        Signale();
    }
    void Ferme() override
    {
        m_lecteur.stop();
        m_lecteur.setSource(QUrl());
        Signale();
    }
    void Joue() override { m_lecteur.play(); }
    void Pause() override { m_lecteur.pause(); }
    void Arrete() override
    {
        m_lecteur.stop();
        m_lecteur.setPosition(0);
    }
    void Deplace(qint64 ms) override { m_lecteur.setPosition(std::clamp<qint64>(ms, 0, Duree())); }
    qint64 Position() const override { return m_lecteur.position(); }
    qint64 Duree() const override { return std::max<qint64>(m_lecteur.duration(), 0); }
    Etat EtatMedia() const override
    {
        if (m_lecteur.error() != QMediaPlayer::NoError)
            return Erreur;
        switch (m_lecteur.mediaStatus()) {
        case QMediaPlayer::NoMedia:
            return Vide;
        case QMediaPlayer::LoadingMedia:
            return Chargement;
        case QMediaPlayer::InvalidMedia:
            return Erreur;
        default:
            break;
        }
        switch (m_lecteur.playbackState()) {
        case QMediaPlayer::PlayingState:
            return Lecture;
        case QMediaPlayer::PausedState:
            return EnPause;
        default:
            return Charge;
        }
    }
    QString Raison() const override { return m_lecteur.errorString(); }
    bool SortieAudio() const override { return !QMediaDevices::audioOutputs().isEmpty(); }
    QWidget *Ecran() override
    {
        if (!m_ecran)
            m_ecran = new QVideoWidget;
        return m_ecran;
    }

private:
    void Signale()
    {
        const Etat e = EtatMedia();
        if (e != m_dernier) {
            m_dernier = e;
            emit EtatChange(e);
        }
    }

    QMediaPlayer m_lecteur;
    QAudioOutput m_sortie;
    QVideoWidget *m_ecran = nullptr;
    Etat m_dernier = Vide;
};

TFabriqueMedia &Fabrique()
{
    static TFabriqueMedia f;
    return f;
}

} // namespace

void SetFabriqueMedia(TFabriqueMedia fabrique)
{
    Fabrique() = std::move(fabrique);
}

std::unique_ptr<TMedia> NouveauMedia()
{
    if (Fabrique())
        return Fabrique()();
    return std::make_unique<TMediaQt>();
}

TLecteur::TLecteur(bool pas, QWidget *parent)
    : QWidget(parent)
{
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    auto *boutons = new QHBoxLayout;
    auto bouton = [&](const char *nom, QStyle::StandardPixmap icone, const QString &bulle) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(nom));
        b->setIcon(style()->standardIcon(icone));
        b->setToolTip(bulle);
        boutons->addWidget(b);
        return b;
    };
    m_joue = bouton("btJoue", QStyle::SP_MediaPlay, QStringLiteral("Lecture"));
    m_pause = bouton("btPause", QStyle::SP_MediaPause, QStringLiteral("Pause"));
    m_arret = bouton("btArret", QStyle::SP_MediaStop, QStringLiteral("Arrêt"));
    if (pas) {
        m_recule = bouton("btRecule", QStyle::SP_MediaSeekBackward, QStringLiteral("Reculer"));
        m_avance = bouton("btAvance", QStyle::SP_MediaSeekForward, QStringLiteral("Avancer"));
        connect(m_recule, &QToolButton::clicked, this, [this] { Media().Deplace(Media().Position() - PasMs); });
        connect(m_avance, &QToolButton::clicked, this, [this] { Media().Deplace(Media().Position() + PasMs); });
    }
    boutons->addStretch();
    l->addLayout(boutons);
    connect(m_joue, &QToolButton::clicked, this, &TLecteur::btJoueClick);
    connect(m_pause, &QToolButton::clicked, this, [this] { Media().Pause(); });
    connect(m_arret, &QToolButton::clicked, this, [this] { Media().Arrete(); });
    MetAJour();
}

TMedia &TLecteur::Media()
{
    // Made at first use: a window that never plays anything does not start
    // the sound system.
    if (!m_media) {
        m_media = NouveauMedia();
        connect(m_media.get(), &TMedia::EtatChange, this, &TLecteur::EtatChange);
    }
    return *m_media;
}

TLecteur::~TLecteur()
{
    // The surface belongs to the media object, which goes after it.
    if (m_ecran)
        m_ecran->setParent(nullptr);
}

void TLecteur::Ouvre(const QString &fichier)
{
    Ferme();
    m_fichier = fichier;
    m_erreurDite = false;
    if (GenreMedia(fichier) == TGenreMedia::Video) {
        m_ecran = Media().Ecran();
        if (m_ecran) {
            m_ecran->setMinimumHeight(120);
            layout()->addWidget(m_ecran);
            m_ecran->show();
        }
    }
    Media().Ouvre(fichier);
    MetAJour();
}

void TLecteur::Ferme()
{
    if (m_media)
        m_media->Ferme();
    m_fichier.clear();
    if (m_ecran) {
        m_ecran->hide();
        layout()->removeWidget(m_ecran);
        m_ecran->setParent(nullptr);
        m_ecran = nullptr;
    }
    MetAJour();
}

void TLecteur::btJoueClick()
{
    // Without a sound output the back end "plays" a sound in silence, and
    // the user would wait for nothing.
    if (GenreMedia(m_fichier) == TGenreMedia::Son && !Media().SortieAudio()) {
        AppMessageBox(MLFormat(TexteSansSortie, {m_fichier}), MsgErreur, BoutonsOk);
        return;
    }
    Media().Joue();
}

void TLecteur::EtatChange(TMedia::Etat etat)
{
    MetAJour();
    if (etat != TMedia::Erreur || m_erreurDite || m_fichier.isEmpty())
        return;
    m_erreurDite = true;
    QString raison = Media().Raison();
    if (raison.isEmpty())
        raison = MLText(TexteRaisonInconnue);
    // Told from the event loop: the state may change inside a call of the
    // back end, which a modal message box must not run within.
    QMetaObject::invokeMethod(
        this,
        [fichier = m_fichier, raison] {
            AppMessageBox(MLFormat(TexteIllisible, {fichier, raison}), MsgErreur, BoutonsOk);
        },
        Qt::QueuedConnection);
}

void TLecteur::MetAJour()
{
    const TMedia::Etat e = m_media ? m_media->EtatMedia() : TMedia::Vide;
    const bool pret = e == TMedia::Charge || e == TMedia::Lecture || e == TMedia::EnPause;
    for (QToolButton *b : {m_joue, m_pause, m_arret, m_avance, m_recule}) {
        if (b)
            b->setEnabled(pret);
    }
}
