#pragma once

#include <QDialog>

#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;
class TApercu;
class TBD;

// The source chooser "Liste des sources": the titles of the sources of one
// kind, with a preview of the picture of the highlighted one.
//
// Controls (objectName): cbSorte (language text 1002, every kind, then the
// kinds of the options), lb (the titles in source number order), iPhoto
// (the preview; a click opens the picture view), bOk (enabled while a line
// is highlighted; a double click on a line acts as it) and bAnnuler.
class TfmSourceRech final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmSourceRech)

public:
    explicit TfmSourceRech(const TBD &bd, QWidget *parent = nullptr);
    ~TfmSourceRech() override;

    // Fills the kinds and the list again, keeping the kind and the line
    // highlighted (the first line when none), and shows the preview.
    void Affiche();
    // The source of the highlighted line, 0 when none.
    int Choisie() const;

private:
    void lbClick();

    const TBD &m_bd;
    std::vector<int> m_numeros; // the source of each line
    QString m_cheminApercu;
    QComboBox *m_cbSorte = nullptr;
    QListWidget *m_lb = nullptr;
    TApercu *m_iPhoto = nullptr;
    QPushButton *m_bOk = nullptr;
};

// Shows the chooser modally with that caption; the source highlighted when
// closed with Ok, else 0.
int ChoisitSource(const TBD &bd, const QString &titre, QWidget *parent = nullptr);
