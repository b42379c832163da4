#pragma once

#include <QDialog>

class QLineEdit;
class TfmCarte;

// "Création d'une nouvelle carte": turns a picture into a new map of the
// maps folder with no zones, loads it in the map window and opens the zone
// editor there. A name already used is replaced only when the user agrees.
class TfmCarteNouvelle final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmCarteNouvelle)

public:
    TfmCarteNouvelle(TfmCarte &carte, QWidget *parent = nullptr);
    ~TfmCarteNouvelle() override;

private:
    void sbChargeClick();
    void Button1Click();

    TfmCarte &m_carte;
    QLineEdit *m_eBmp;
    QLineEdit *m_eNom;
};
