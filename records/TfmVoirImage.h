#pragma once

#include <QWidget>

class TApercu;

// The picture view: one picture file in a small sizeable tool window that
// stays on top, centred on its parent, the picture `img` stretched keeping
// its proportions. A click on the picture or closing the window frees it.
class TfmVoirImage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmVoirImage)

public:
    explicit TfmVoirImage(QWidget *parent = nullptr);
    ~TfmVoirImage() override;

    // Loads the picture; false when it cannot be read (nothing is shown).
    bool Charge(const QString &chemin);

private:
    TApercu *m_img = nullptr;
};

// Shows the picture file `chemin` in the picture view, captioned "Aperçu
// (<chemin>)", its client area as large as the picture but at most 640 x
// 480, and returns the view (the one view of the program: it replaces the
// one shown before). Nothing happens for a missing file, and a picture that
// cannot be read is reported (Dialogues()); both give nullptr.
TfmVoirImage *AfficheImage(const QString &chemin, QWidget *parent = nullptr);
