#pragma once

#include <QDialog>

class QComboBox;
class QListView;
class QStringListModel;

// The place picker "Liste des lieux": the user picks a list of the places
// folder (DossierLieu) in cbLieu, then a place of it in lbLieu.
class TfmLieuV3 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmLieuV3)

public:
    // Fills cbLieu with the lists of DossierLieu (ListesDeLieux) and loads
    // the first one.
    explicit TfmLieuV3(QWidget *owner = nullptr);
    ~TfmLieuV3() override;

    // The place text of the line chosen; empty while none is.
    QString Lieu() const { return m_lieu; }

private:
    // Loads lbLieu with the sorted lines of the list chosen in cbLieu; a
    // list that cannot be read is told to the user and shows nothing.
    void cbLieuChange();
    void lbLieuClick();

    QComboBox *m_cbLieu = nullptr;
    QListView *m_lbLieu = nullptr;
    QStringListModel *m_lieux = nullptr;
    QString m_lieu;
};

// Shows the picker modally; returns the chosen place text when the user
// confirms with OK with a line chosen, else `defaut`.
QString ChoisitLieu(QWidget *owner, const QString &defaut);
