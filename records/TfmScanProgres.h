#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a scan, "Numérisation": the device's name, a
// progress bar (moving without end while the size is not known) and
// bAnnuler. Shown modal without a loop of its own (Ouvre): the caller's
// loop keeps running. Cancel, Escape or closing the window call the
// cancel function once; the window then stays until the caller closes it.
// Controls (objectName): lPeripherique, pbScan, bAnnuler.
class TfmScanProgres final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmScanProgres)

public:
    TfmScanProgres(const QString &peripherique, std::function<void()> annule, QWidget *parent = nullptr);
    ~TfmScanProgres() override;

    // Shows the window, modal for the whole application.
    void Ouvre();
    // Bytes read and expected (-1: not known).
    void Progression(qint64 lus, qint64 attendus);
    // Closes the window without cancelling.
    void Ferme();

    void reject() override;

private:
    std::function<void()> m_annule;
    bool m_fermeture = false;
    QLabel *m_lPeripherique = nullptr;
    QProgressBar *m_pbScan = nullptr;
    QPushButton *m_bAnnuler = nullptr;
};
