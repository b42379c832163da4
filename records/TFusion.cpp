#include "TFusion.h"

#include "BD.h"
#include "Dialogues.h"
#include "Fusion.h"
#include "Langue.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *Bouton(QWidget *parent, const char *nom, const QString &texte)
{
    auto *b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFusion::TFusion(TBD &bd, THoteFusion &hote, QWidget *parent)
    : QDialog(parent), m_bd(bd), m_hote(hote)
{
    setObjectName(QStringLiteral("Fusion"));
    setWindowTitle(QStringLiteral("Fusion"));

    auto champ = [this](const char *nom) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(nom));
        e->setReadOnly(true);
        e->setMinimumWidth(320);
        return e;
    };
    m_personne1 = champ("Personne1");
    m_personne2 = champ("Personne2");
    auto *select1 = Bouton(this, "SelectFiche1", QStringLiteral("Sélectionner"));
    auto *select2 = Bouton(this, "SelectFiche2", QStringLiteral("Sélectionner"));
    auto *voir1 = Bouton(this, "VoirFiche1", QStringLiteral("Voir fiche"));
    auto *voir2 = Bouton(this, "VoirFiche2", QStringLiteral("Voir fiche"));
    m_fusionner = Bouton(this, "Fusionner", QStringLiteral("Fusionner"));
    auto *annuler = Bouton(this, "Annuler", QStringLiteral("Annuler"));

    auto *grille = new QGridLayout;
    grille->addWidget(new QLabel(QStringLiteral("Fusionner"), this), 0, 0);
    grille->addWidget(m_personne1, 0, 1);
    grille->addWidget(select1, 0, 2);
    grille->addWidget(voir1, 0, 3);
    grille->addWidget(new QLabel(QStringLiteral("avec"), this), 1, 0);
    grille->addWidget(m_personne2, 1, 1);
    grille->addWidget(select2, 1, 2);
    grille->addWidget(voir2, 1, 3);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_fusionner);
    boutons->addWidget(annuler);
    auto *vbox = new QVBoxLayout(this);
    vbox->addLayout(grille);
    vbox->addLayout(boutons);

    connect(select1, &QPushButton::clicked, this, [this] { SelectFicheClick(m_premier, m_personne1); });
    connect(select2, &QPushButton::clicked, this, [this] { SelectFicheClick(m_second, m_personne2); });
    connect(voir1, &QPushButton::clicked, this, [this] { VoirFicheClick(m_premier); });
    connect(voir2, &QPushButton::clicked, this, [this] { VoirFicheClick(m_second); });
    connect(m_fusionner, &QPushButton::clicked, this, &TFusion::FusionnerClick);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
}

TFusion::~TFusion() = default;

void TFusion::AffichePersonne(int personne, QLineEdit *champ)
{
    if (!m_bd.PersonInUse(personne)) {
        champ->clear();
        return;
    }
    champ->setText(m_bd.Surname(personne) + QLatin1Char(' ') + m_bd.GivenNames(personne) + QLatin1Char(' ')
                   + m_bd.BirthDate(personne));
}

void TFusion::SelectFicheClick(int &personne, QLineEdit *champ)
{
    personne = m_hote.ChoisitPersonne();
    if (personne > 0)
        m_hote.SetSelecPers(personne);
    AffichePersonne(personne, champ);
}

void TFusion::VoirFicheClick(int personne)
{
    // The navigator shows the current person: the one beside the button
    // when chosen, rather than whichever was chosen last.
    if (m_bd.PersonInUse(personne) && personne != m_hote.SelecPers())
        m_hote.SetSelecPers(personne);
    m_hote.MontreFicheArbre();
}

void TFusion::FusionnerClick()
{
    const TResultatFusion resultat = FusionneFiches(m_bd, m_premier, m_second);
    const bool faite = FusionFaite(resultat);
    AppMessageBox(MLText(TexteFusion(resultat)), faite ? MsgInformation : MsgAvertissement, BoutonsOk);
    if (!faite)
        return;
    AffichePersonne(m_premier, m_personne1);
    AffichePersonne(m_second, m_personne2);
    m_hote.SetSelecPers(m_premier);
    m_hote.ApresFusion();
}

QAction *AjouteCommandeFusion(QMenu *menu, TBD &bd, THoteFusion &hote, QWidget *parent)
{
    QAction *action = menu->addAction(QStringLiteral("Fusionner deux fiches..."));
    action->setObjectName(QStringLiteral("MI_Fusion"));
    QObject::connect(action, &QAction::triggered, parent, [&bd, &hote, parent] {
        TFusion fenetre(bd, hote, parent);
        fenetre.exec();
    });
    return action;
}
