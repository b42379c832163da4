#include "TfmStatDate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Langue.h"

using namespace Qt::StringLiterals;

TfmStatDate::TfmStatDate(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmStatDate"_s);
    setWindowTitle(u"Statistiques"_s);
    setModal(true);

    auto spin = [this](const QString &nom) {
        auto *s = new QSpinBox(this);
        s->setObjectName(nom);
        s->setRange(0, 3000);
        return s;
    };
    m_seDebut = spin(u"seDebut"_s);
    m_seFin = spin(u"seFin"_s);
    // A period that ends before it starts would hold nobody.
    connect(m_seDebut, &QSpinBox::valueChanged, m_seFin, &QSpinBox::setMinimum);

    m_bOk = new QPushButton(u"&Ok"_s, this);
    m_bOk->setObjectName(u"bOk"_s);
    m_bOk->setDefault(true);
    m_bAnnuler = new QPushButton(u"&Annuler"_s, this);
    m_bAnnuler->setObjectName(u"bAnnuler"_s);
    connect(m_bOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_bAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    auto *label = new QLabel(u"Période sur laquelle doivent se faire les recherches"_s, this);
    label->setObjectName(u"Label1"_s);
    auto *annees = new QHBoxLayout;
    annees->addWidget(m_seDebut);
    annees->addWidget(new QLabel(u"-"_s, this));
    annees->addWidget(m_seFin);
    annees->addStretch(1);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(m_bOk);
    boutons->addWidget(m_bAnnuler);
    auto *colonne = new QVBoxLayout(this);
    colonne->addWidget(label);
    colonne->addLayout(annees);
    colonne->addLayout(boutons);
    MLTranslateForm(this);
}

TfmStatDate::~TfmStatDate() = default;

std::pair<int, int> DemandePeriode(int debut, int fin, QWidget *parent)
{
    // Held by a guarded pointer: a parent closed while the dialog is shown
    // deletes it, and the question then counts as cancelled.
    QPointer<TfmStatDate> dialogue = new TfmStatDate(parent);
    dialogue->Debut()->setValue(debut);
    dialogue->Fin()->setMinimum(dialogue->Debut()->value());
    dialogue->Fin()->setValue(fin);
    std::pair<int, int> periode{0, 0};
    if (dialogue->exec() == QDialog::Accepted && dialogue)
        periode = {dialogue->Debut()->value(), dialogue->Fin()->value()};
    delete dialogue;
    return periode;
}
