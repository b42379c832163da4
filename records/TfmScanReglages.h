#pragma once

#include "Sane.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The settings of a scan, "Réglages de la numérisation", asked before it
// starts: the resolution in dots per inch (cbResolution, with its label
// lResolution) and the scan mode (cbMode, with lMode), each among what the
// device offers and hidden when it offers nothing; the device's name in
// lPeripherique; bOk and bAnnuler. Known SANE modes show under French
// names ("Color" as "Couleur", "Gray" as "Niveaux de gris", "Lineart" as
// "Noir et blanc"), others as the device names them.
class TfmScanReglages final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmScanReglages)

public:
    // Shows `initiaux` selected; an initial resolution the device takes but
    // does not propose (a value of its range) is proposed too.
    TfmScanReglages(const QString &peripherique, const TOffreScan &offre, const TReglagesScan &initiaux,
                    QWidget *parent = nullptr);
    ~TfmScanReglages() override;

    // The settings selected (0 or empty for what the device does not offer).
    TReglagesScan Reglages() const;

private:
    QLabel *m_lPeripherique = nullptr;
    QComboBox *m_cbResolution = nullptr;
    QComboBox *m_cbMode = nullptr;
    QPushButton *m_bOk = nullptr;
    QPushButton *m_bAnnuler = nullptr;
};
