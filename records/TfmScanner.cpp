#include "TfmScanner.h"

#include "Langue.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteTitre = 7800;
constexpr int TexteFabricant = 7801;
constexpr int TexteModele = 7802;
constexpr int TexteNom = 7803;
constexpr int TexteAucun = 7804;

} // namespace

TfmScanner::TfmScanner(const std::vector<TPeripherique> &peripheriques, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmScanner"_s);
    setWindowTitle(MLText(TexteTitre));

    m_lvScanner = new QTreeWidget;
    m_lvScanner->setObjectName(u"lvScanner"_s);
    m_lvScanner->setRootIsDecorated(false);
    m_lvScanner->setHeaderLabels({MLText(TexteFabricant), MLText(TexteModele), MLText(TexteNom)});
    for (const TPeripherique &p : peripheriques)
        new QTreeWidgetItem(m_lvScanner, {p.Fabricant, p.Modele, p.Nom});
    m_lvScanner->header()->resizeSections(QHeaderView::ResizeToContents);

    m_lAucun = new QLabel(MLText(TexteAucun));
    m_lAucun->setObjectName(u"lAucun"_s);
    m_lAucun->setAlignment(Qt::AlignCenter);
    m_lAucun->setMinimumHeight(80);

    auto *principal = new QVBoxLayout(this);
    principal->addWidget(m_lvScanner, 1);
    principal->addWidget(m_lAucun, 1);
    principal->addLayout(RangeeOkAnnuler(this, &m_bOk, &m_bAnnuler));

    const bool vide = peripheriques.empty();
    m_lvScanner->setVisible(!vide);
    m_lAucun->setVisible(vide);
    if (!vide)
        m_lvScanner->setCurrentItem(m_lvScanner->topLevelItem(0));

    connect(m_lvScanner, &QTreeWidget::itemSelectionChanged, this, &TfmScanner::Enable);
    connect(m_lvScanner, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (Choix() >= 0)
            accept();
    });
    Enable();
    resize(480, 220);
    if (vide)
        m_bAnnuler->setFocus();
    else
        m_lvScanner->setFocus();
}

TfmScanner::~TfmScanner() = default;

int TfmScanner::Choix() const
{
    const QList<QTreeWidgetItem *> choisis = m_lvScanner->selectedItems();
    return choisis.isEmpty() ? -1 : m_lvScanner->indexOfTopLevelItem(choisis.first());
}

void TfmScanner::Enable()
{
    m_bOk->setEnabled(Choix() >= 0);
}

QHBoxLayout *RangeeOkAnnuler(QDialog *dialogue, QPushButton **ok, QPushButton **annuler)
{
    *ok = new QPushButton(u"Ok"_s);
    (*ok)->setObjectName(u"bOk"_s);
    (*ok)->setDefault(true);
    *annuler = new QPushButton(u"Annuler"_s);
    (*annuler)->setObjectName(u"bAnnuler"_s);
    QObject::connect(*ok, &QPushButton::clicked, dialogue, &QDialog::accept);
    QObject::connect(*annuler, &QPushButton::clicked, dialogue, &QDialog::reject);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(*ok);
    boutons->addWidget(*annuler);
    return boutons;
}
