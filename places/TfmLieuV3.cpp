#include "TfmLieuV3.h"

#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "ListesLieux.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

constexpr int TexteListeIllisible = 8000;

} // namespace

QString ChoisitLieu(QWidget *owner, const QString &defaut)
{
    TfmLieuV3 choix(owner);
    // OK without a line chosen keeps the place the field held: emptying it
    // would lose what the user typed, with no way back.
    if (choix.exec() != QDialog::Accepted || choix.Lieu().isEmpty())
        return defaut;
    return choix.Lieu();
}

TfmLieuV3::TfmLieuV3(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("fmLieuV3"));
    setWindowTitle(QStringLiteral("Liste des lieux"));
    resize(420, 480);
    auto *l = new QVBoxLayout(this);
    m_cbLieu = new QComboBox(this);
    m_cbLieu->setObjectName(QStringLiteral("cbLieu"));
    l->addWidget(m_cbLieu);
    m_lbLieu = new QListView(this);
    m_lbLieu->setObjectName(QStringLiteral("lbLieu"));
    // Every line has the same height: the view then lays out the
    // 35,000 communes without measuring each one.
    m_lbLieu->setUniformItemSizes(true);
    m_lbLieu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lieux = new QStringListModel(this);
    m_lbLieu->setModel(m_lieux);
    l->addWidget(m_lbLieu, 1);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("bOK"));
    ok->setDefault(true);
    auto *annuler = new QPushButton(QStringLiteral("&Annuler"), this);
    annuler->setObjectName(QStringLiteral("bAnnuler"));
    boutons->addWidget(ok);
    boutons->addWidget(annuler);
    l->addLayout(boutons);
    MLTranslateForm(this);

    // The list keeps each file's path: a list named "Pays.TXT" is read
    // under that name, not under "Pays.txt".
    for (const QString &chemin : ListesDeLieux(DossierLieu))
        m_cbLieu->addItem(NomListeLieux(chemin), chemin);
    connect(m_cbLieu, &QComboBox::currentIndexChanged, this, [this] { cbLieuChange(); });
    // The selection, not the current line: the view makes its first line
    // current when it takes the focus, which is no choice of the user's.
    connect(m_lbLieu->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { lbLieuClick(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    cbLieuChange();
}

TfmLieuV3::~TfmLieuV3() = default;

void TfmLieuV3::cbLieuChange()
{
    QStringList lieux;
    if (m_cbLieu->currentIndex() >= 0) {
        const QString chemin = m_cbLieu->currentData().toString();
        QString erreur;
        if (!ChargeListeLieux(chemin, lieux, &erreur))
            AppMessageBox(MLFormat(TexteListeIllisible, {chemin, erreur}), MsgErreur, BoutonsOk);
    }
    m_lieux->setStringList(lieux);
}

void TfmLieuV3::lbLieuClick()
{
    const QModelIndexList choix = m_lbLieu->selectionModel()->selectedIndexes();
    m_lieu = choix.isEmpty() ? QString() : choix.first().data().toString();
}
