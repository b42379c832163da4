#pragma once

#include <QComboBox>

#include <functional>

// The editable list of model files of a report panel ("Utiliser le modèle"):
// it fills itself each time it opens, through the function given, so that
// it shows the models saved since. A name typed in its edit is the name to
// save under, not a new entry.
class TListeModeles final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TListeModeles)

public:
    TListeModeles(std::function<void()> avantOuverture, QWidget *parent = nullptr);
    ~TListeModeles() override;

    void showPopup() override;

private:
    std::function<void()> m_avantOuverture;
};
