#include "TfmCarteNouvelleZone.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Langue.h"
#include "TfmLieuV3.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteNomOuLieu = 8413;
constexpr int TexteExplication = 8414;

} // namespace

TfmCarteNouvelleZone::TfmCarteNouvelleZone(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmCarteNouvelleZone"_s);
    setWindowTitle(u"Ajout d'une nouvelle zone"_s);
    auto *l = new QVBoxLayout(this);
    auto *explication = new QLabel(MLText(TexteExplication), this);
    explication->setObjectName(u"Memo1"_s);
    explication->setWordWrap(true);
    l->addWidget(explication);
    auto *f = new QFormLayout;
    m_eNom = new QLineEdit(this);
    m_eNom->setObjectName(u"eNom"_s);
    f->addRow(u"Nom de la zone:"_s, m_eNom);
    m_eLieu = new QLineEdit(this);
    m_eLieu->setObjectName(u"eLieu"_s);
    f->addRow(u"Le lieu doit commencer par:"_s, m_eLieu);
    l->addLayout(f);
    auto *b = new QHBoxLayout;
    auto *lieux = new QPushButton(u"Liste des lieux"_s, this);
    lieux->setObjectName(u"Button3"_s);
    lieux->setAutoDefault(false);
    auto *ok = new QPushButton(u"&Ok"_s, this);
    ok->setObjectName(u"Button1"_s);
    ok->setDefault(true);
    auto *annuler = new QPushButton(u"&Annuler"_s, this);
    annuler->setObjectName(u"Button2"_s);
    annuler->setAutoDefault(false);
    b->addWidget(lieux);
    b->addStretch();
    b->addWidget(ok);
    b->addWidget(annuler);
    l->addLayout(b);
    MLTranslateForm(this);

    connect(ok, &QPushButton::clicked, this, &TfmCarteNouvelleZone::Button1Click);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(lieux, &QPushButton::clicked, this, &TfmCarteNouvelleZone::Button3Click);
}

TfmCarteNouvelleZone::~TfmCarteNouvelleZone() = default;

QString TfmCarteNouvelleZone::Nom() const
{
    return m_eNom->text().trimmed();
}

QString TfmCarteNouvelleZone::Lieu() const
{
    return m_eLieu->text().trimmed();
}

void TfmCarteNouvelleZone::Button1Click()
{
    if (Nom().isEmpty() || Lieu().isEmpty()) {
        AppMessageBox(MLText(TexteNomOuLieu), MsgAvertissement, BoutonsOk);
        return;
    }
    accept();
}

void TfmCarteNouvelleZone::Button3Click()
{
    // The picker gives the whole place, which the user then shortens to the
    // part that names the zone.
    const QString lieu = ChoisitLieu(this, QString());
    if (lieu.isEmpty())
        return;
    m_eNom->setText(lieu);
    m_eLieu->setText(lieu);
}
