#pragma once

#include "Media.h"

#include <QStringList>

// A media object for tests: it records what the windows ask of it, is loaded
// at once with a duration of 3 s (a file whose name holds "casse" fails to
// open instead), and has no video surface.
class TMediaFactice final : public TMedia
{
public:
    // Every call, in order: "Ouvre <file>", "Ferme", "Joue", "Pause",
    // "Arrete", "Deplace <ms>"; shared by all the fakes of a test.
    static QStringList &Appels()
    {
        static QStringList a;
        return a;
    }
    // Whether the system has a sound output (true unless a test says not).
    static bool &Sortie()
    {
        static bool s = true;
        return s;
    }
    // Makes every player control of the test use a fake until destroyed.
    struct Installe {
        Installe()
        {
            Appels().clear();
            Sortie() = true;
            SetFabriqueMedia([] { return std::make_unique<TMediaFactice>(); });
        }
        ~Installe() { SetFabriqueMedia({}); }
    };

    void Ouvre(const QString &fichier) override
    {
        Appels() << QStringLiteral("Ouvre ") + fichier;
        Passe(fichier.contains(QStringLiteral("casse")) ? Erreur : Charge);
    }
    void Ferme() override
    {
        Appels() << QStringLiteral("Ferme");
        Passe(Vide);
    }
    void Joue() override
    {
        Appels() << QStringLiteral("Joue");
        Passe(Lecture);
    }
    void Pause() override
    {
        Appels() << QStringLiteral("Pause");
        Passe(EnPause);
    }
    void Arrete() override
    {
        Appels() << QStringLiteral("Arrete");
        m_position = 0;
        Passe(Charge);
    }
    void Deplace(qint64 ms) override
    {
        m_position = std::clamp<qint64>(ms, 0, Duree());
        Appels() << QStringLiteral("Deplace %1").arg(m_position);
    }
    qint64 Position() const override { return m_position; }
    qint64 Duree() const override { return m_etat == Vide ? 0 : 3000; }
    Etat EtatMedia() const override { return m_etat; }
    QString Raison() const override { return m_etat == Erreur ? QStringLiteral("flux illisible") : QString(); }
    bool SortieAudio() const override { return Sortie(); }
    QWidget *Ecran() override { return nullptr; }

private:
    void Passe(Etat e)
    {
        m_etat = e;
        emit EtatChange(e);
    }
    Etat m_etat = Vide;
    qint64 m_position = 0;
};
