#pragma once

#include <QDialog>

class QLineEdit;

// "Ajout d'une nouvelle zone": the name and the place code of a zone the
// user just clicked. "Liste des lieux" fills both from the place picker;
// "&Ok" needs both.
class TfmCarteNouvelleZone final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmCarteNouvelleZone)

public:
    explicit TfmCarteNouvelleZone(QWidget *parent = nullptr);
    ~TfmCarteNouvelleZone() override;

    QString Nom() const;
    QString Lieu() const;

private:
    void Button1Click();
    void Button3Click();

    QLineEdit *m_eNom;
    QLineEdit *m_eLieu;
};
