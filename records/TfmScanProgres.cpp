#include "TfmScanProgres.h"

#include "Langue.h"

#include <algorithm>
#include <utility>

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteTitre = 7805;
constexpr int TexteNumerisation = 7806;
// Steps of the bar: a scan may pass 2 GB, which the bar's int cannot count.
constexpr int Pas = 1000;

} // namespace

TfmScanProgres::TfmScanProgres(const QString &peripherique, std::function<void()> annule, QWidget *parent)
    : QDialog(parent)
    , m_annule(std::move(annule))
{
    setObjectName(u"fmScanProgres"_s);
    setWindowTitle(MLText(TexteTitre));

    m_lPeripherique = new QLabel(MLFormat(TexteNumerisation, {peripherique}));
    m_lPeripherique->setObjectName(u"lPeripherique"_s);
    m_pbScan = new QProgressBar;
    m_pbScan->setObjectName(u"pbScan"_s);
    m_pbScan->setRange(0, 0);
    m_pbScan->setMinimumWidth(320);
    m_bAnnuler = new QPushButton(u"Annuler"_s);
    m_bAnnuler->setObjectName(u"bAnnuler"_s);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_bAnnuler);
    auto *principal = new QVBoxLayout(this);
    principal->addWidget(m_lPeripherique);
    principal->addWidget(m_pbScan);
    principal->addLayout(boutons);

    connect(m_bAnnuler, &QPushButton::clicked, this, &TfmScanProgres::reject);
}

TfmScanProgres::~TfmScanProgres() = default;

void TfmScanProgres::Ouvre()
{
    setWindowModality(Qt::ApplicationModal);
    show();
}

void TfmScanProgres::Progression(qint64 lus, qint64 attendus)
{
    if (attendus <= 0) {
        m_pbScan->setRange(0, 0);
        return;
    }
    m_pbScan->setRange(0, Pas);
    m_pbScan->setValue(static_cast<int>(std::min(lus, attendus) * Pas / attendus));
}

void TfmScanProgres::Ferme()
{
    m_fermeture = true;
    hide();
}

void TfmScanProgres::reject()
{
    // Escape, the window's close box and Cancel all land here; the reading
    // ends, then its owner closes the window.
    if (m_fermeture)
        return;
    m_bAnnuler->setEnabled(false);
    if (m_annule) {
        const auto annule = std::exchange(m_annule, nullptr);
        annule();
    }
}
