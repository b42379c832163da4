#include "Cadence.h"

TCadence::TCadence(int intervalleMs)
    : m_intervalle(intervalleMs)
{
}

bool TCadence::Echue()
{
    if (m_horloge.isValid() && m_horloge.elapsed() < m_intervalle)
        return false;
    m_horloge.start();
    return true;
}

void TCadence::Relance()
{
    m_horloge.invalidate();
}
