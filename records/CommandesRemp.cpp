#include "CommandesRemp.h"

#include <QAbstractButton>
#include <QWidget>

using namespace Qt::StringLiterals;

TCommandesRemp::TCommandesRemp(TBD &bd, TServices services, QWidget *fenetre)
    : QObject(fenetre)
    , m_bd(bd)
    , m_services(std::move(services))
    , m_fenetre(fenetre)
{
}

TCommandesRemp::~TCommandesRemp() = default;

void TCommandesRemp::Branche()
{
    auto *b = m_fenetre->findChild<QAbstractButton *>(u"sbRemp"_s);
    if (!b)
        return;
    b->setEnabled(true);
    connect(b, &QAbstractButton::clicked, this, &TCommandesRemp::AfficheRemplacer);
}

void TCommandesRemp::AfficheRemplacer()
{
    if (!m_remp) {
        m_remp = new TfmRemp(m_bd, *this, m_fenetre);
        if (m_services.Place)
            m_services.Place(m_remp);
    }
    m_remp->show();
    m_remp->raise();
    m_remp->activateWindow();
}

TBKStringGrid *TCommandesRemp::OuvreRapport()
{
    return m_services.OuvreRapport ? m_services.OuvreRapport() : nullptr;
}

TProgression *TCommandesRemp::ProgressionRapport()
{
    return m_services.ProgressionRapport ? m_services.ProgressionRapport() : nullptr;
}

void TCommandesRemp::FermeRapport(const QString &titre)
{
    if (m_services.FermeRapport)
        m_services.FermeRapport(titre);
}

void TCommandesRemp::ValeursRemplacees()
{
    if (m_services.ValeursRemplacees)
        m_services.ValeursRemplacees();
}
