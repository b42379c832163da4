#include "TfmAjoute.h"

#include "BD.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "Relatifs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The group box is laid out by hand: one language moves the right column.
constexpr int LargeurGroupe = 400;
constexpr int HauteurLigne = 26;
constexpr int HautGroupe = 22;
constexpr int GaucheColonne1 = 10;
constexpr int LargeurColonne1 = 185;
constexpr int GaucheColonne2 = 200;

constexpr int AstuceAjoute = 2;

} // namespace

TfmAjoute::TfmAjoute(TBD &bd, TRelatifs &relatifs, THoteRelatifs &hote, QWidget *parent)
    : QDialog(parent), m_bd(bd), m_relatifs(relatifs), m_hote(hote)
{
    setObjectName(QStringLiteral("fmAjoute"));
    setWindowTitle(QStringLiteral("Ajouter une nouvelle fiche"));

    auto *principal = new QVBoxLayout(this);
    auto *ligneNom = new QHBoxLayout;
    auto *par = new QLabel(QStringLiteral("Par rapport à :"), this);
    par->setObjectName(QStringLiteral("Label1"));
    m_nom = new QLabel(this);
    m_nom->setObjectName(QStringLiteral("L_Nom"));
    QFont gras = m_nom->font();
    gras.setBold(true);
    m_nom->setFont(gras);
    ligneNom->addWidget(par);
    ligneNom->addWidget(m_nom, 1);
    principal->addLayout(ligneNom);

    m_groupe = new QGroupBox(QStringLiteral("ajouter"), this);
    m_groupe->setObjectName(QStringLiteral("GB_Ajoute"));
    m_groupe->setFixedSize(LargeurGroupe, HautGroupe + 3 * HauteurLigne + 8);
    const auto bouton = [this](const char *nom, const QString &texte, int colonne, int ligne) {
        auto *b = new QRadioButton(texte, m_groupe);
        b->setObjectName(QString::fromLatin1(nom));
        const int gauche = colonne == 0 ? GaucheColonne1 : GaucheColonne2;
        const int largeur = colonne == 0 ? LargeurColonne1 : LargeurGroupe - GaucheColonne2 - 5;
        b->setGeometry(gauche, HautGroupe + ligne * HauteurLigne, largeur, HauteurLigne - 4);
        return b;
    };
    m_nouvelle = bouton("RB_Nouvelle", QStringLiteral("Une nouvelle personne"), 0, 0);
    m_pere = bouton("RB_Pere", QStringLiteral("Le père"), 0, 1);
    m_mere = bouton("RB_Mere", QStringLiteral("La mère"), 0, 2);
    m_fratrie = bouton("RB_Fatrie", QStringLiteral("Un frère ou une sœur"), 1, 0);
    m_enfant = bouton("RB_Enfant", QStringLiteral("Un fils ou une fille"), 1, 1);
    m_conjoint = bouton("RB_Conj", QStringLiteral("Un conjoint"), 1, 2);
    m_nouvelle->setChecked(true);
    principal->addWidget(m_groupe);

    auto *boutons = new QHBoxLayout;
    auto *astuce = new QPushButton(QStringLiteral("Astuce..."), this);
    astuce->setObjectName(QStringLiteral("BitBtn1"));
    astuce->setAutoDefault(false);
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("B_Ok"));
    ok->setDefault(true);
    auto *annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName(QStringLiteral("B_Annuler"));
    annuler->setAutoDefault(false);
    boutons->addWidget(astuce);
    boutons->addStretch(1);
    boutons->addWidget(ok);
    boutons->addWidget(annuler);
    principal->addLayout(boutons);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &TfmAjoute::B_OkClick);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(astuce, &QPushButton::clicked, this, [] { AfficheAstuce(AstuceAjoute); });

    MLTranslateForm(this);
}

void TfmAjoute::Affiche()
{
    const int p = m_hote.SelecPers();
    const bool connue = p > 0 && m_bd.PersonInUse(p);
    m_nom->setText(connue ? m_bd.FullName(p) : QString());
    m_pere->setEnabled(connue && !m_bd.PersonInUse(m_bd.Father(p)));
    m_mere->setEnabled(connue && !m_bd.PersonInUse(m_bd.Mother(p)));
    for (QRadioButton *b : {m_fratrie, m_enfant, m_conjoint})
        b->setEnabled(connue);
    // The window keeps its choice between uses: a choice no longer allowed
    // (a father that now exists) must not be replayed by OK.
    for (QRadioButton *b : {m_pere, m_mere, m_fratrie, m_enfant, m_conjoint}) {
        if (b->isChecked() && !b->isEnabled())
            m_nouvelle->setChecked(true);
    }
}

void TfmAjoute::B_OkClick()
{
    const int reference = m_hote.SelecPers();
    int p = 0;
    if (m_nouvelle->isChecked())
        p = m_relatifs.AjouteNouvelle();
    else if (m_pere->isChecked() && m_pere->isEnabled())
        p = m_relatifs.AjoutePere(reference);
    else if (m_mere->isChecked() && m_mere->isEnabled())
        p = m_relatifs.AjouteMere(reference);
    else if (m_enfant->isChecked() && m_enfant->isEnabled())
        p = m_relatifs.AjouteEnfant(reference);
    else if (m_conjoint->isChecked() && m_conjoint->isEnabled())
        p = m_relatifs.AjouteConjoint(reference);
    else if (m_fratrie->isChecked() && m_fratrie->isEnabled())
        p = m_relatifs.AjouteFratrie(reference);
    if (p != 0)
        emit PersonneAjoutee(p);
    accept();
}

void TfmAjoute::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (LangueActive == 3) {
        // That language's captions need a wider right column: it starts
        // further left and takes the rest of the box.
        const int largeur = m_groupe->width();
        const int gauche = largeur * 40 / 100;
        for (QRadioButton *b : {m_conjoint, m_fratrie, m_enfant})
            b->setGeometry(gauche, b->y(), largeur - gauche - 5, b->height());
    }
}
