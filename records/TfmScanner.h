#pragma once

#include "Sane.h"

#include <QDialog>

#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTreeWidget;

// The scanner chooser "Choix du scanner": the devices SANE found, one line
// each with its vendor, model and name, the first one selected. Controls
// (objectName): lvScanner (the list), lAucun ("Aucun scanner trouvé",
// shown instead of the list when it is empty), bOk (disabled while no line
// is selected), bAnnuler. A double click on a line, or Enter, chooses it.
class TfmScanner final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmScanner)

public:
    TfmScanner(const std::vector<TPeripherique> &peripheriques, QWidget *parent = nullptr);
    ~TfmScanner() override;

    // The line chosen, 0-based in the list given; -1 when none.
    int Choix() const;

private:
    void Enable();

    QTreeWidget *m_lvScanner = nullptr;
    QLabel *m_lAucun = nullptr;
    QPushButton *m_bOk = nullptr;
    QPushButton *m_bAnnuler = nullptr;
};

// The row of buttons that ends the scanner's windows, on the right: bOk "Ok"
// (the default button), which accepts `dialogue`, and bAnnuler "Annuler",
// which rejects it. The buttons, children of `dialogue` once the row is laid
// out, are given in *ok and *annuler.
QHBoxLayout *RangeeOkAnnuler(QDialog *dialogue, QPushButton **ok, QPushButton **annuler);
