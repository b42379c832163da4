#pragma once

#include "Sane.h"

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

class QEventLoop;

// What the acquisition shows the user while it runs.
class TFenetresAcquisition
{
public:
    virtual ~TFenetresAcquisition() = default;
    // The device the user chooses in `peripheriques`, as a 0-based index;
    // -1 when the user cancelled. An empty list tells the user that no
    // scanner was found; the answer is then -1.
    virtual int ChoisitPeripherique(const std::vector<TPeripherique> &peripheriques) = 0;
    // The settings the user chooses for a scan on `peripherique` among
    // those `offre` lists (never empty), given in `reglages`. False when the
    // user cancelled.
    virtual bool ChoisitReglages(const TPeripherique &peripherique, const TOffreScan &offre,
                                 TReglagesScan &reglages) = 0;
    // Opens the progress window of the scan of device `peripherique`: modal
    // (the other windows keep painting but take no input), with a Cancel
    // that calls `annule`; closing it cancels too.
    virtual void DebutLecture(const TPeripherique &peripherique, std::function<void()> annule) = 0;
    // Bytes read so far and bytes expected, -1 when not known.
    virtual void Progression(qint64 lus, qint64 attendus) = 0;
    // Closes the progress window.
    virtual void FinLecture() = 0;
};

// Acquires one picture from a scanner through SANE and hands it to the
// caller as a 24-bit RGB picture. Nothing else is touched: not the
// clipboard, nor the device's options other than the resolution and the
// scan mode that the user chooses (TFenetresAcquisition::ChoisitReglages)
// when the device offers them; no window of the device's own is shown.
//
// The acquisition runs on the window thread: the progress window is modal
// and the reads are paced by the event loop (in non-blocking mode, woken by
// the device's file descriptor where it offers one), so the windows keep
// painting while the data arrive. Cancel calls sane_cancel at once.
//
// One picture per acquisition: the reading stops after the last frame of
// the first picture, so a document feeder is never emptied and a flatbed
// is not asked for a next page.
class TAcquireImage final
{
public:
    // Steps of the acquisition, as given to OnErreur.
    enum Etape {
        EtapeInit = 2,    // starting SANE (sane_init)
        EtapeChoix = 3,   // listing the devices
        EtapeOuvre = 4,   // opening the device chosen (sane_open)
        EtapeReglage = 8, // setting the resolution and the mode
        EtapeDemarre = 5, // starting the scan (sane_start)
        EtapeTrame = 6,   // the parameters of a frame, the next frame
        EtapeLecture = 7, // reading the data (sane_read)
    };

    // `sane` may be null (no SANE library): every acquisition then fails at
    // once. Neither is owned; both must outlive the object.
    TAcquireImage(const TFonctionsSane *sane, TFenetresAcquisition &fenetres);
    ~TAcquireImage();
    TAcquireImage(const TAcquireImage &) = delete;
    TAcquireImage &operator=(const TAcquireImage &) = delete;

    // The steps, in order: SANE is started (the busy cursor shows while it
    // starts and lists the devices); the user chooses a device; it is
    // opened; the user chooses its settings, which are set; the scan is
    // started; every frame is read to its end; then
    // the closing calls are made whatever happened before: sane_cancel and
    // sane_close for an opened device, sane_exit once SANE was started.
    // True with the picture in `image`; false otherwise, `image` unchanged:
    // no library, SANE not started, no device or the choice cancelled, the
    // device not opened, its settings cancelled or refused, the scan not
    // started, cancelled or broken by an error, a frame that cannot be
    // read, or no line received.
    bool AcquiertImage(QImage &image);

    // Called once, after the closing calls, for the failure that ended an
    // acquisition (not for a choice, settings or a scan cancelled by the
    // user): the step, the SANE status, the device's name when one was
    // chosen, and the reason when a frame could not be read (empty
    // otherwise).
    std::function<void(Etape etape, SANE_Status statut, const QString &peripherique, const QString &detail)>
        OnErreur;

private:
    // The settings chosen and set; false when cancelled or refused.
    bool Regle(SANE_Handle poignee, const TPeripherique &peripherique);
    bool Numerise(SANE_Handle poignee, const TPeripherique &peripherique, QImage &image);
    SANE_Status LitTrame(SANE_Handle poignee, TImageSane &assembleur);
    void Annule(SANE_Handle poignee);
    void Erreur(Etape etape, SANE_Status statut, const QString &detail = QString());

    const TFonctionsSane *m_sane;
    TFenetresAcquisition &m_fenetres;
    bool m_annule = false;
    QEventLoop *m_boucle = nullptr;
    bool m_erreur = false;
    Etape m_etape = EtapeInit;
    SANE_Status m_statut = SANE_STATUS_GOOD;
    QString m_detail;
};
