#include "TfmEditeContenu.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "BD.h"
#include "Langue.h"
#include "Modeles.h"

using namespace Qt::StringLiterals;

TfmEditeContenu::TfmEditeContenu(const TBD &bd, int personne, const QString &texte, QWidget *parent)
    : QDialog(parent)
    , m_bd(bd)
    , m_personne(personne)
{
    setObjectName(u"fmEditeContenu"_s);
    setWindowTitle(u"Codes de champ"_s);
    setModal(true);

    m_balises = new QTreeWidget;
    m_balises->setObjectName(u"lvBalises"_s);
    m_balises->setColumnCount(2);
    m_balises->setHeaderLabels({u"Code"_s, u"Exemple"_s});
    m_balises->setRootIsDecorated(false);
    m_balises->setUniformRowHeights(true);
    // The example is the person's own data: it tells what each tag gives
    // better than a description would.
    const bool enService = m_bd.PersonInUse(m_personne);
    for (const QString &balise : BalisesModele()) {
        auto *item = new QTreeWidgetItem(m_balises);
        item->setText(0, balise);
        if (enService)
            item->setText(1, ExpandTemplate(m_bd, m_personne, balise));
    }
    m_balises->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_balises->setCurrentItem(m_balises->topLevelItem(0));
    m_balises->setMinimumSize(360, 300);

    auto *insere = new QPushButton(u"Insérer"_s);
    insere->setObjectName(u"bInsere"_s);
    insere->setAutoDefault(false);

    m_contenu = new QLineEdit(texte);
    m_contenu->setObjectName(u"eContenu"_s);
    m_apercu = new QLabel;
    m_apercu->setObjectName(u"lApercu"_s);
    m_apercu->setTextFormat(Qt::PlainText);
    m_apercu->setFrameShape(QFrame::StyledPanel);
    m_apercu->setMinimumHeight(m_apercu->fontMetrics().height() + 8);

    auto *ok = new QPushButton(u"Ok"_s);
    ok->setObjectName(u"B_Ok"_s);
    ok->setDefault(true);
    auto *annuler = new QPushButton(u"Annuler"_s);
    annuler->setObjectName(u"B_Annuler"_s);
    annuler->setAutoDefault(false);

    auto *ligneContenu = new QHBoxLayout;
    ligneContenu->addWidget(m_contenu, 1);
    ligneContenu->addWidget(insere);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(ok);
    boutons->addWidget(annuler);
    auto *l = new QVBoxLayout(this);
    l->addWidget(m_balises, 1);
    l->addLayout(ligneContenu);
    l->addWidget(m_apercu);
    l->addLayout(boutons);

    connect(m_balises, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { Insere(item); });
    connect(insere, &QPushButton::clicked, this, [this] { Insere(m_balises->currentItem()); });
    connect(m_contenu, &QLineEdit::textChanged, this, &TfmEditeContenu::Apercu);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);

    Apercu();
    m_contenu->setFocus();
    m_contenu->end(false);
    MLTranslateForm(this);
}

TfmEditeContenu::~TfmEditeContenu() = default;

QString TfmEditeContenu::Contenu() const
{
    return m_contenu->text();
}

void TfmEditeContenu::Insere(QTreeWidgetItem *item)
{
    if (!item)
        return;
    m_contenu->insert(item->text(0));
    m_contenu->setFocus();
}

void TfmEditeContenu::Apercu()
{
    m_apercu->setText(ExpandTemplate(m_bd, m_personne, m_contenu->text()));
}

QString EditeContenu(const TBD &bd, int p, const QString &texte, QWidget *parent)
{
    TfmEditeContenu dialogue(bd, p, texte, parent);
    if (dialogue.exec() != QDialog::Accepted)
        return QString();
    return dialogue.Contenu();
}
