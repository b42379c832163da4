#include "TfmChampAjoute.h"

#include <iterator>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "Langue.h"

using namespace Qt::StringLiterals;

namespace {

// The kinds the dialog offers, in the order of its radio buttons; the
// yes/no kind ("r") is left out.
struct TSorteProposee {
    const char16_t *Nom;
    const char16_t *Titre;
    const char16_t *Sorte;
};
constexpr TSorteProposee SortesProposees[] = {
    {u"rbTexte", u"Du texte", u"t"},
    {u"rbMultiligne", u"multiligne", u"m"},
    {u"rbDate", u"Une date", u"d"},
    {u"rbLieu", u"Un lieu", u"l"},
};

} // namespace

TfmChampAjoute::TfmChampAjoute(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmChampAjoute"_s);
    setWindowTitle(u"Ajouter un champ"_s);
    setModal(true);

    const QString aide = u"Sélectionnez ou tapez un nouveau champ"_s;
    m_cbLibelle = new QLineEdit(this);
    m_cbLibelle->setObjectName(u"cbLibelle"_s);
    m_cbLibelle->setToolTip(aide);
    m_cbLibelle->setPlaceholderText(aide);
    m_cbLibelleListe = new QListWidget(this);
    m_cbLibelleListe->setObjectName(u"cbLibelleListe"_s);
    SetLibelles({u"Adresse"_s, u"Adresse du domicile"_s, u"Adresse du bureau"_s, u"Adresse E-Mail"_s,
                 u"Numéro de téléphone personnel"_s, u"Numéro de téléphone professionnel"_s,
                 u"Note personnelle"_s, u"Signature"_s, u"Parrain"_s, u"Marraine"_s});

    auto *rgSorte = new QGroupBox(u"Que contiendra ce champ"_s, this);
    rgSorte->setObjectName(u"rgSorte"_s);
    auto *grille = new QGridLayout(rgSorte);
    m_rgSorte = new QButtonGroup(this);
    int id = 0;
    for (const TSorteProposee &s : SortesProposees) {
        auto *radio = new QRadioButton(QString::fromUtf16(s.Titre), rgSorte);
        radio->setObjectName(QString::fromUtf16(s.Nom));
        m_rgSorte->addButton(radio, id);
        grille->addWidget(radio, id / 3, id % 3);
        ++id;
    }

    m_cbListe = new QCheckBox(u"Ajouter les nouveaux champs à la liste"_s, this);
    m_cbListe->setObjectName(u"cbListe"_s);
    m_cbListe->setChecked(true);
    m_cbTous = new QCheckBox(u"Ajouter ce champ pour toutes les personnes"_s, this);
    m_cbTous->setObjectName(u"cbTous"_s);

    m_bOk = new QPushButton(u"&Ok"_s, this);
    m_bOk->setObjectName(u"bOk"_s);
    m_bOk->setDefault(true);
    auto *bAnnuler = new QPushButton(u"&Annuler"_s, this);
    bAnnuler->setObjectName(u"bAnnuler"_s);
    bAnnuler->setAutoDefault(false);

    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_bOk);
    boutons->addWidget(bAnnuler);
    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(m_cbLibelle);
    disposition->addWidget(m_cbLibelleListe, 1);
    disposition->addWidget(rgSorte);
    disposition->addWidget(m_cbListe);
    disposition->addWidget(m_cbTous);
    disposition->addLayout(boutons);

    connect(m_cbLibelle, &QLineEdit::textChanged, this, &TfmChampAjoute::cbLibelleChange);
    connect(m_cbLibelleListe, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_cbLibelle->setText(item->text()); });
    connect(m_cbLibelleListe, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_cbLibelle->setText(item->text());
        if (m_bOk->isEnabled())
            bOkClick();
    });
    connect(m_bOk, &QPushButton::clicked, this, &TfmChampAjoute::bOkClick);
    connect(bAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    MLTranslateForm(this);
}

void TfmChampAjoute::SetLibelles(const QStringList &libelles)
{
    m_cbLibelleListe->clear();
    m_cbLibelleListe->addItems(libelles);
}

QStringList TfmChampAjoute::Libelles() const
{
    QStringList libelles;
    for (int i = 0; i < m_cbLibelleListe->count(); ++i)
        libelles << m_cbLibelleListe->item(i)->text();
    return libelles;
}

QString TfmChampAjoute::Libelle() const
{
    return m_cbLibelle->text().trimmed();
}

QString TfmChampAjoute::Sorte() const
{
    const int id = m_rgSorte->checkedId();
    return id >= 0 && id < static_cast<int>(std::size(SortesProposees))
        ? QString::fromUtf16(SortesProposees[id].Sorte)
        : QString();
}

bool TfmChampAjoute::Liste() const
{
    return m_cbListe->isChecked();
}

bool TfmChampAjoute::Tous() const
{
    return m_cbTous->isChecked();
}

void TfmChampAjoute::showEvent(QShowEvent *event)
{
    m_cbLibelle->clear();
    m_cbLibelleListe->clearSelection();
    m_rgSorte->button(0)->setChecked(true);
    cbLibelleChange();
    m_cbLibelle->setFocus();
    if (const QScreen *ecran = screen()) {
        QRect cadre = frameGeometry();
        cadre.moveCenter(ecran->availableGeometry().center());
        move(cadre.topLeft());
    }
    QDialog::showEvent(event);
}

void TfmChampAjoute::cbLibelleChange()
{
    m_bOk->setEnabled(!Libelle().isEmpty());
}

void TfmChampAjoute::bOkClick()
{
    // Enter reaches here only through the default button, which stays
    // disabled for a blank label: a nameless field must never be added.
    if (Libelle().isEmpty())
        return;
    accept();
}
