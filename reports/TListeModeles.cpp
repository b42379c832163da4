#include "TListeModeles.h"

#include <utility>

TListeModeles::TListeModeles(std::function<void()> avantOuverture, QWidget *parent)
    : QComboBox(parent)
    , m_avantOuverture(std::move(avantOuverture))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

TListeModeles::~TListeModeles() = default;

void TListeModeles::showPopup()
{
    if (m_avantOuverture)
        m_avantOuverture();
    QComboBox::showPopup();
}
