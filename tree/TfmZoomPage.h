#pragma once

#include <functional>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class TAffArbre;
class TPage;

// The print page dialog "Zoom et croisement de la page": print zoom,
// overlap, margins, fit on one page, page frames, print method, on the
// canvas `page`. Controls by objectName: seZoomPage (PrintZoom div 10),
// seCroise, seMarge (both margins), cbAuto, cbVoirPage, cbMethodeImpression,
// cbAppliquer, B_Ok, BitBtn1 (hidden tip button).
//
// While cbAppliquer is checked and the frames are shown (page.VoirPage),
// every change is applied at once and the tree is placed at the margins
// again; OK applies everything whatever those say, sets the page-view button
// from cbVoirPage and closes. Closing otherwise keeps what was applied.
class TfmZoomPage final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmZoomPage)

public:
    // voirPage(bool) sets the main window's page-view button and runs its
    // handler; voirPageEnfonce() reads that button. cbVoirPage starts
    // checked when the button is down at construction: make the dialog
    // before pressing the button to show the frames.
    TfmZoomPage(TPage &page, TAffArbre &arbre, std::function<void(bool)> voirPage,
                std::function<bool()> voirPageEnfonce, QWidget *parent = nullptr);
    ~TfmZoomPage() override;

protected:
    // Fills the controls from the canvas's settings.
    void showEvent(QShowEvent *event) override;

private:
    void Remplit();
    void Change();
    void B_OkClick();
    void ActiveZoom();
    // Sets a control's value without the change handler reacting.
    void SansReagir(const std::function<void()> &f);

    TPage &m_page;
    TAffArbre &m_arbre;
    std::function<void(bool)> m_voirPage;
    bool m_occupe = false;

    QSpinBox *m_zoom = nullptr;
    QSpinBox *m_croise = nullptr;
    QSpinBox *m_marge = nullptr;
    QCheckBox *m_auto = nullptr;
    QCheckBox *m_voir = nullptr;
    QComboBox *m_methode = nullptr;
    QCheckBox *m_appliquer = nullptr;
};
