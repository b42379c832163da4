#include "TfmSourceRech.h"

#include "BD.h"
#include "Langue.h"
#include "Options.h"
#include "Sources.h"
#include "TApercu.h"
#include "TfmVoirImage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int TexteTousLesTypes = 1002;

} // namespace

int ChoisitSource(const TBD &bd, const QString &titre, QWidget *parent)
{
    TfmSourceRech choix(bd, parent);
    choix.setWindowTitle(titre);
    choix.Affiche();
    return choix.exec() == QDialog::Accepted ? choix.Choisie() : 0;
}

TfmSourceRech::TfmSourceRech(const TBD &bd, QWidget *parent)
    : QDialog(parent)
    , m_bd(bd)
{
    setObjectName(QStringLiteral("fmSourceRech"));
    setWindowTitle(QStringLiteral("Liste des sources"));
    resize(520, 360);
    auto *l = new QHBoxLayout(this);
    auto *gauche = new QVBoxLayout;
    m_cbSorte = new QComboBox(this);
    m_cbSorte->setObjectName(QStringLiteral("cbSorte"));
    gauche->addWidget(new QLabel(QStringLiteral("Liste des sources à afficher:"), this));
    gauche->addWidget(m_cbSorte);
    m_lb = new QListWidget(this);
    m_lb->setObjectName(QStringLiteral("lb"));
    m_lb->setUniformItemSizes(true);
    gauche->addWidget(new QLabel(QStringLiteral("Noms des sources:"), this));
    gauche->addWidget(m_lb, 1);
    l->addLayout(gauche, 1);
    auto *droite = new QVBoxLayout;
    m_iPhoto = new TApercu(this);
    m_iPhoto->setObjectName(QStringLiteral("iPhoto"));
    m_iPhoto->setMinimumSize(200, 200);
    droite->addWidget(m_iPhoto, 1);
    m_bOk = new QPushButton(QStringLiteral("Ok"), this);
    m_bOk->setObjectName(QStringLiteral("bOk"));
    m_bOk->setDefault(true);
    auto *annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName(QStringLiteral("bAnnuler"));
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_bOk);
    boutons->addWidget(annuler);
    droite->addLayout(boutons);
    l->addLayout(droite, 1);
    MLTranslateForm(this);

    connect(m_cbSorte, &QComboBox::activated, this, [this] { Affiche(); });
    connect(m_lb, &QListWidget::currentRowChanged, this, [this] { lbClick(); });
    connect(m_lb, &QListWidget::itemDoubleClicked, this, [this] {
        if (Choisie() > 0)
            accept();
    });
    connect(m_iPhoto, &TApercu::Relache, this, [this](Qt::MouseButton) {
        if (!m_iPhoto->Vide())
            AfficheImage(m_cheminApercu, this);
    });
    connect(m_bOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
}

TfmSourceRech::~TfmSourceRech() = default;

void TfmSourceRech::Affiche()
{
    const int sorte = std::max(m_cbSorte->currentIndex(), 0);
    m_cbSorte->clear();
    m_cbSorte->addItem(MLText(TexteTousLesTypes));
    m_cbSorte->addItems(Options().Sources);
    m_cbSorte->setCurrentIndex(sorte < m_cbSorte->count() ? sorte : 0);
    const QString genre = m_cbSorte->currentIndex() > 0 ? m_cbSorte->currentText() : QString();
    const bool tous = m_cbSorte->currentIndex() == 0;

    const int ligne = std::max(m_lb->currentRow(), 0);
    m_numeros.clear();
    QStringList titres;
    for (int s = 1; s <= m_bd.SourceCount(); ++s) {
        const TSrc &src = m_bd.Source(s);
        if (!src.EnService || (!tous && src.Genre != genre))
            continue;
        m_numeros.push_back(s);
        titres << src.Titre;
    }
    const QSignalBlocker bloque(m_lb);
    m_lb->clear();
    m_lb->addItems(titres);
    if (m_lb->count() > 0)
        m_lb->setCurrentRow(std::min(ligne, m_lb->count() - 1));
    lbClick();
}

int TfmSourceRech::Choisie() const
{
    const int ligne = m_lb->currentRow();
    return ligne >= 0 && ligne < static_cast<int>(m_numeros.size()) ? m_numeros[static_cast<size_t>(ligne)] : 0;
}

void TfmSourceRech::lbClick()
{
    m_iPhoto->SetImage(QImage());
    m_cheminApercu.clear();
    const int s = Choisie();
    m_bOk->setEnabled(s > 0);
    if (s == 0)
        return;
    const QString chemin = CheminSource(m_bd.SourceField(s, SrcCheminSeul));
    QImage image;
    if (!chemin.isEmpty() && ChargeImageSource(image, chemin, m_iPhoto->size().expandedTo(QSize(400, 400)))) {
        m_cheminApercu = chemin;
        m_iPhoto->SetImage(image);
    }
}
