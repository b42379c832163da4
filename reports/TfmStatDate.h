#pragma once

#include <QDialog>

#include <utility>

class QPushButton;
class QSpinBox;

// "Statistiques": the small modal dialog that asks for the birth period of
// the "born between" source: the first year seDebut and the last year seFin
// (0..3000; seFin never below seDebut), bOk and bAnnuler.
class TfmStatDate final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmStatDate)

public:
    explicit TfmStatDate(QWidget *parent = nullptr);
    ~TfmStatDate() override;

    QSpinBox *Debut() const { return m_seDebut; }
    QSpinBox *Fin() const { return m_seFin; }

private:
    QSpinBox *m_seDebut;
    QSpinBox *m_seFin;
    QPushButton *m_bOk;
    QPushButton *m_bAnnuler;
};

// Shows the dialog modally on the years debut and fin; returns the first
// and last years chosen, or (0, 0) when the user cancelled.
std::pair<int, int> DemandePeriode(int debut, int fin, QWidget *parent = nullptr);
