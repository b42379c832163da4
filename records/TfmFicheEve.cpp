#include "TfmFicheEve.h"

#include <algorithm>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Langue.h"
#include "Options.h"

TfmFicheEve::TfmFicheEve(TOptions &options, const QString &categorie, QWidget *parent)
    : QDialog(parent)
    , m_options(options)
    , m_categorie(categorie)
{
    setObjectName(QStringLiteral("fmFicheEve"));
    setWindowTitle(QStringLiteral("Liste des événements"));

    const QString aide = QStringLiteral("Sélectionnez ou tapez un nouvel événement");
    m_cbEve = new QLineEdit(this);
    m_cbEve->setObjectName(QStringLiteral("cbEve"));
    m_cbEve->setToolTip(aide);
    m_cbEve->setPlaceholderText(aide);
    m_cbEveListe = new QListWidget(this);
    m_cbEveListe->setObjectName(QStringLiteral("cbEveListe"));

    m_cbAjoute = new QCheckBox(QStringLiteral("Ajouter les nouveaux événements à la liste"), this);
    m_cbAjoute->setObjectName(QStringLiteral("cbAjoute"));
    m_cbAjoute->setChecked(true);

    m_bOk = new QPushButton(QStringLiteral("&Ok"), this);
    m_bOk->setObjectName(QStringLiteral("bOk"));
    m_bOk->setDefault(true);
    m_BitBtn1 = new QPushButton(QStringLiteral("Astuce..."), this);
    m_BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_BitBtn1->setAutoDefault(false);
    m_bAdd = new QPushButton(QStringLiteral("Ajouter..."), this);
    m_bAdd->setObjectName(QStringLiteral("bAdd"));
    m_bAdd->setAutoDefault(false);
    m_bAdd->setVisible(false);

    auto *boutons = new QHBoxLayout;
    boutons->addWidget(m_BitBtn1);
    boutons->addWidget(m_bAdd);
    boutons->addStretch();
    boutons->addWidget(m_bOk);
    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(m_cbEve);
    disposition->addWidget(m_cbEveListe, 1);
    disposition->addWidget(m_cbAjoute);
    disposition->addLayout(boutons);

    connect(m_cbEve, &QLineEdit::textChanged, this, &TfmFicheEve::cbEveChange);
    connect(m_cbEveListe, &QListWidget::currentTextChanged, this, [this](const QString &texte) {
        if (!texte.isEmpty())
            m_cbEve->setText(texte);
    });
    connect(m_cbEveListe, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_cbEve->setText(item->text()); });
    connect(m_cbEveListe, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_cbEve->setText(item->text());
        if (m_bOk->isEnabled())
            bOkClick();
    });
    connect(m_bOk, &QPushButton::clicked, this, &TfmFicheEve::bOkClick);
    connect(m_bAdd, &QPushButton::clicked, this, &TfmFicheEve::bAddClick);
    connect(m_BitBtn1, &QPushButton::clicked, this, &TfmFicheEve::BitBtn1Click);

    Remplit();
    cbEveChange();
    m_cbEve->setFocus();
    MLTranslateForm(this);
}

QString TfmFicheEve::Type() const
{
    return result() == QDialog::Accepted ? m_cbEve->text().trimmed() : QString();
}

void TfmFicheEve::Remplit()
{
    m_cbEveListe->clear();
    for (const TEvePropose &eve : m_options.Evenements) {
        if (eve.Genre.compare(m_categorie, Qt::CaseInsensitive) == 0)
            m_cbEveListe->addItem(eve.Nom);
    }
    if (m_cbEveListe->count() > 0) {
        m_cbEve->setText(m_cbEveListe->item(0)->text());
        m_cbEveListe->setCurrentRow(0);
    }
}

void TfmFicheEve::cbEveChange()
{
    m_bOk->setEnabled(!m_cbEve->text().trimmed().isEmpty());
}

void TfmFicheEve::bOkClick()
{
    // Enter reaches here only through the default button, which stays
    // disabled for a blank text: a nameless type must never join the list.
    const QString type = m_cbEve->text().trimmed();
    if (type.isEmpty())
        return;
    if (m_cbAjoute->isChecked()) {
        auto &eves = m_options.Evenements;
        const bool connu = std::any_of(eves.begin(), eves.end(), [&](const TEvePropose &eve) {
            return eve.Genre.compare(m_categorie, Qt::CaseInsensitive) == 0
                   && eve.Nom.compare(type, Qt::CaseInsensitive) == 0;
        });
        if (!connu)
            eves.push_back({m_categorie, type, QString()});
    }
    accept();
}

void TfmFicheEve::bAddClick()
{
    QString texte;
    if (SaisieTexte(MLText(540), MLText(541), texte))
        m_cbEve->setText(texte);
}

void TfmFicheEve::BitBtn1Click()
{
    AfficheAstuce(10);
}

QString ChoisitEvenement(QWidget *parent, const QString &categorie)
{
    TfmFicheEve dialogue(Options(), categorie, parent);
    AvantDialogue();
    if (dialogue.exec() != QDialog::Accepted)
        return QString();
    return dialogue.Type();
}
