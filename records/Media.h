#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QToolButton;

// Sound and video files of the sources, played through Qt Multimedia. The
// windows hold a player control (TLecteur) whose media object comes from a
// replaceable factory, so that tests play through a fake.

// One media file being played.
class TMedia : public QObject
{
    Q_OBJECT

public:
    enum Etat {
        Vide,       // nothing opened
        Chargement, // opening: the duration is not known yet
        Charge,     // ready to play (also after Arrete and at the end)
        Lecture,
        EnPause,
        Erreur,     // the file cannot be played
    };

    using QObject::QObject;
    ~TMedia() override = default;

    // Opens a file; the state then goes through Chargement to Charge, or to
    // Erreur, as the back end reads it (possibly later, from the event
    // loop). Opening replaces whatever was open.
    virtual void Ouvre(const QString &fichier) = 0;
    // Stops and forgets the file: state Vide.
    virtual void Ferme() = 0;
    virtual void Joue() = 0;
    virtual void Pause() = 0;
    // Stops and goes back to the start.
    virtual void Arrete() = 0;
    // Moves to a position in milliseconds, held within 0..Duree().
    virtual void Deplace(qint64 ms) = 0;
    virtual qint64 Position() const = 0;
    // Length in milliseconds; 0 while unknown.
    virtual qint64 Duree() const = 0;
    virtual Etat EtatMedia() const = 0;
    // Why the file cannot be played, in the back end's words, while the
    // state is Erreur; may be empty.
    virtual QString Raison() const = 0;
    // True when the system offers a sound output to play through.
    virtual bool SortieAudio() const = 0;
    // The surface that shows a video, owned by the media object until a
    // window takes it into its layout; nullptr when there is none.
    virtual QWidget *Ecran() = 0;

signals:
    void EtatChange(TMedia::Etat etat);
};

// Makes the media objects of every player control from now on; an empty
// factory restores the one that plays through Qt Multimedia.
using TFabriqueMedia = std::function<std::unique_ptr<TMedia>()>;
void SetFabriqueMedia(TFabriqueMedia fabrique);
std::unique_ptr<TMedia> NouveauMedia();

// A player control: the buttons play (btJoue), pause (btPause), stop
// (btArret) and, when asked, step forward and back by five seconds
// (btAvance, btRecule), over the video surface of the file open, if any.
// The buttons are enabled while a file is loaded.
//
// What cannot be played is told through the dialog service (AppMessageBox):
// a file the back end cannot read, once per opening, from the event loop
// (the back end may find it out late); and, when btJoue is pressed on a
// sound, the lack of any sound output (nothing is played then).
class TLecteur final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLecteur)

public:
    explicit TLecteur(bool pas, QWidget *parent = nullptr);
    ~TLecteur() override;

    // Opens a file (a video shows its surface) / stops and closes it.
    void Ouvre(const QString &fichier);
    void Ferme();
    // The media object, made at first use.
    TMedia &Media();
    // The file open, empty when none.
    QString Fichier() const { return m_fichier; }

private:
    void MetAJour();
    void btJoueClick();
    void EtatChange(TMedia::Etat etat);

    std::unique_ptr<TMedia> m_media;
    QString m_fichier;
    // The failure of the file open was told already.
    bool m_erreurDite = false;
    QWidget *m_ecran = nullptr;
    QToolButton *m_joue = nullptr;
    QToolButton *m_pause = nullptr;
    QToolButton *m_arret = nullptr;
    QToolButton *m_avance = nullptr;
    QToolButton *m_recule = nullptr;
};
