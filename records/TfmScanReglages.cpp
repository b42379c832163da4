#include "TfmScanReglages.h"

#include "Langue.h"
#include "TfmScanner.h"

#include <algorithm>
#include <vector>

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteTitre = 7807;
constexpr int TexteResolution = 7808;
constexpr int TexteMode = 7809;
constexpr int TexteCouleur = 7817;
constexpr int TexteGris = 7818;
constexpr int TexteTrait = 7819;

QString LibelleMode(const QString &mode)
{
    if (mode == u"Color")
        return MLText(TexteCouleur);
    if (mode == u"Gray")
        return MLText(TexteGris);
    if (mode == u"Lineart")
        return MLText(TexteTrait);
    return mode;
}

} // namespace

TfmScanReglages::TfmScanReglages(const QString &peripherique, const TOffreScan &offre,
                                 const TReglagesScan &initiaux, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmScanReglages"_s);
    setWindowTitle(MLText(TexteTitre));

    m_lPeripherique = new QLabel(peripherique);
    m_lPeripherique->setObjectName(u"lPeripherique"_s);
    m_cbResolution = new QComboBox;
    m_cbResolution->setObjectName(u"cbResolution"_s);
    std::vector<int> resolutions = offre.Resolutions;
    if (initiaux.Resolution > 0
        && std::find(resolutions.begin(), resolutions.end(), initiaux.Resolution) == resolutions.end()) {
        resolutions.push_back(initiaux.Resolution);
        std::sort(resolutions.begin(), resolutions.end());
    }
    for (int r : resolutions)
        m_cbResolution->addItem(QString::number(r), r);
    m_cbResolution->setCurrentIndex(std::max(m_cbResolution->findData(initiaux.Resolution), 0));
    m_cbMode = new QComboBox;
    m_cbMode->setObjectName(u"cbMode"_s);
    for (const QString &m : offre.Modes)
        m_cbMode->addItem(LibelleMode(m), m);
    m_cbMode->setCurrentIndex(std::max(m_cbMode->findData(initiaux.Mode), 0));

    auto *lResolution = new QLabel(MLText(TexteResolution));
    lResolution->setObjectName(u"lResolution"_s);
    auto *lMode = new QLabel(MLText(TexteMode));
    lMode->setObjectName(u"lMode"_s);
    auto *grille = new QFormLayout;
    grille->addRow(lResolution, m_cbResolution);
    grille->addRow(lMode, m_cbMode);
    for (auto [libelle, liste] : {std::pair{lResolution, m_cbResolution}, {lMode, m_cbMode}}) {
        libelle->setVisible(liste->count() > 0);
        liste->setVisible(liste->count() > 0);
    }

    auto *principal = new QVBoxLayout(this);
    principal->addWidget(m_lPeripherique);
    principal->addLayout(grille);
    principal->addLayout(RangeeOkAnnuler(this, &m_bOk, &m_bAnnuler));
    (m_cbResolution->count() > 0 ? m_cbResolution : m_cbMode)->setFocus();
}

TfmScanReglages::~TfmScanReglages() = default;

TReglagesScan TfmScanReglages::Reglages() const
{
    TReglagesScan r;
    r.Resolution = m_cbResolution->currentData().toInt();
    r.Mode = m_cbMode->currentData().toString();
    return r;
}
