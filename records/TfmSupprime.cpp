#include "TfmSupprime.h"

#include <algorithm>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "BD.h"
#include "CurseurAttente.h"
#include "Langue.h"
#include "Parente.h"

using namespace Qt::StringLiterals;

namespace {

QCheckBox *case_(const QString &nom, const QString &libelle, bool cochee = false)
{
    auto *c = new QCheckBox(libelle);
    c->setObjectName(nom);
    c->setChecked(cochee);
    return c;
}

// The spin box keeps its text a number at all times: a letter typed is
// refused by its validator, so the "not a number" case of a free edit
// cannot arise.
QSpinBox *nombre(const QString &nom, int valeur)
{
    auto *e = new QSpinBox;
    e->setObjectName(nom);
    e->setRange(1, 999);
    e->setValue(valeur);
    return e;
}

// A box, its number and the unit after it on one line, indented by `retrait`
// levels under the box it depends on.
QHBoxLayout *ligne(int retrait, QWidget *a, QWidget *b = nullptr, QWidget *unite = nullptr)
{
    auto *l = new QHBoxLayout;
    l->addSpacing(20 * retrait);
    l->addWidget(a);
    if (b)
        l->addWidget(b);
    if (unite)
        l->addWidget(unite);
    l->addStretch();
    return l;
}

// The unit after a number, singular up to one as the number changes.
QLabel *unite(const QString &nom, QSpinBox *nombre, const QString &un, const QString &plusieurs)
{
    auto *l = new QLabel;
    l->setObjectName(nom);
    const auto accorde = [=] { l->setText(nombre->value() > 1 ? plusieurs : un); };
    QObject::connect(nombre, &QSpinBox::valueChanged, l, accorde);
    accorde();
    return l;
}

QString texteListe(int n)
{
    if (n == 0)
        return u"Liste vide"_s;
    if (n == 1)
        return u"Liste d'une fiche supprimée"_s;
    return u"Liste des %1 fiches supprimées"_s.arg(n);
}

} // namespace

TfmSupprime::TfmSupprime(TBD &bd, THoteSupprime &hote, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_bd(bd)
    , m_hote(hote)
{
    setObjectName(u"fmSupprime"_s);
    setWindowTitle(u"Supprimer une ou plusieurs fiche(s)"_s);
    setAttribute(Qt::WA_DeleteOnClose);

    m_L_Nom = new QLabel;
    m_L_Nom->setObjectName(u"L_Nom"_s);
    auto *haut = new QHBoxLayout;
    haut->addWidget(new QLabel(u"Par rapport à :"_s));
    haut->addWidget(m_L_Nom, 1);

    m_CB_Pers = case_(u"CB_Pers"_s, u"Juste cette personne"_s, true);
    m_CB_Pere = case_(u"CB_Pere"_s, u"Son père"_s);
    m_CB_Mere = case_(u"CB_Mere"_s, u"Sa mère"_s);
    m_CB_Conj = case_(u"CB_Conj"_s, u"Ses conjoints"_s);
    m_CB_Fatrie = case_(u"CB_Fatrie"_s, u"Sa fratrie"_s);
    m_CB_Enfant = case_(u"CB_Enfant"_s, u"Ses enfants"_s);
    m_CB_Asc = case_(u"CB_Asc"_s, u"Son ascendance sur"_s);
    m_eAscGen = nombre(u"eAscGen"_s, 1);
    m_cbAscConj = case_(u"cbAscConj"_s, u"Les conjoints de toutes ces personnes"_s);
    m_cbAscConjAsc = case_(u"cbAscConjAsc"_s, u"L'ascendance des conjoints sur"_s);
    m_eAscConjAsc = nombre(u"eAscConjAsc"_s, 1);
    m_cbAscFratrie = case_(u"cbAscFratrie"_s, u"La fratrie de son ascendance"_s);
    m_cbAscFratrieDes = case_(u"cbAscFratrieDes"_s, u"La descendance de la fratrie de son ascendance"_s);
    m_CB_Des = case_(u"CB_Des"_s, u"Sa descendance sur"_s);
    m_eDesGen = nombre(u"eDesGen"_s, 1);
    m_cbDesConj = case_(u"cbDesConj"_s, u"Les conjoints de la descendance"_s);
    m_cbDesConjAsc = case_(u"cbDesConjAsc"_s, u"L'ascendance des conjoints sur"_s);
    m_eDesConjAsc = nombre(u"eDesConjAsc"_s, 1);
    m_cbAge = case_(u"cbAge"_s, u"Les personnes de moins de"_s);
    m_eAge = nombre(u"eAge"_s, 100);
    m_cbRapport = case_(u"cbRapport"_s, QString());

    auto *groupe = new QGroupBox;
    groupe->setObjectName(u"GB_Ajoute"_s);
    auto *g = new QVBoxLayout(groupe);
    for (QCheckBox *c : {m_CB_Pers, m_CB_Pere, m_CB_Mere, m_CB_Conj, m_CB_Fatrie, m_CB_Enfant})
        g->addLayout(ligne(0, c));
    const QString generation = MLTextOu(7202, u"génération"_s);
    const QString generations = MLTextOu(7203, u"générations"_s);
    const auto abrege = [] { return new QLabel(u"gén."_s); };
    g->addLayout(ligne(0, m_CB_Asc, m_eAscGen, unite(u"L_AscGen"_s, m_eAscGen, generation, generations)));
    g->addLayout(ligne(1, m_cbAscConj));
    g->addLayout(ligne(2, m_cbAscConjAsc, m_eAscConjAsc, abrege()));
    g->addLayout(ligne(1, m_cbAscFratrie));
    g->addLayout(ligne(2, m_cbAscFratrieDes));
    g->addLayout(ligne(0, m_CB_Des, m_eDesGen, unite(u"L_DesGen"_s, m_eDesGen, generation, generations)));
    g->addLayout(ligne(1, m_cbDesConj));
    g->addLayout(ligne(2, m_cbDesConjAsc, m_eDesConjAsc, abrege()));
    g->addLayout(ligne(0, m_cbAge, m_eAge, unite(u"L_Age"_s, m_eAge, MLTextOu(108, u"an"_s), MLTextOu(109, u"ans"_s))));
    g->addLayout(ligne(0, m_cbRapport));

    m_rbSupprimer = new QRadioButton(u"Supprimer"_s);
    m_rbSupprimer->setObjectName(u"rbSupprimer"_s);
    m_rbSupprimer->setChecked(true);
    m_rbConserver = new QRadioButton(u"Conserver seulement"_s);
    m_rbConserver->setObjectName(u"rbConserver"_s);
    auto *radios = new QButtonGroup(this);
    radios->addButton(m_rbSupprimer);
    radios->addButton(m_rbConserver);
    auto *mode = new QHBoxLayout;
    mode->addWidget(m_rbSupprimer);
    mode->addWidget(m_rbConserver);
    mode->addStretch();

    m_cbCalculer = case_(u"cbCalculer"_s, u"Calculer le nombre de fiche"_s);
    m_sbListe = new QToolButton;
    m_sbListe->setObjectName(u"sbListe"_s);
    m_sbListe->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Wide enough for the longest count from the start: a window that grew
    // with the count would push its buttons off the screen.
    m_sbListe->setMinimumWidth(m_sbListe->fontMetrics().horizontalAdvance(texteListe(MaxPersonnes))
                               + 4 * m_sbListe->fontMetrics().averageCharWidth());
    auto *calcul = new QHBoxLayout;
    calcul->addWidget(m_cbCalculer);
    calcul->addWidget(m_sbListe, 1);

    m_B_Ok = new QPushButton(u"Ok"_s);
    m_B_Ok->setObjectName(u"B_Ok"_s);
    m_B_Ok->setDefault(true);
    m_B_Annuler = new QPushButton(u"Annuler"_s);
    m_B_Annuler->setObjectName(u"B_Annuler"_s);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_B_Ok);
    boutons->addWidget(m_B_Annuler);

    auto *principal = new QVBoxLayout(this);
    principal->addLayout(haut);
    principal->addWidget(groupe);
    principal->addLayout(mode);
    principal->addLayout(calcul);
    principal->addLayout(boutons);

    for (QCheckBox *c : findChildren<QCheckBox *>()) {
        if (c != m_cbCalculer)
            connect(c, &QCheckBox::toggled, this, [this] { Changement(); });
    }
    for (QSpinBox *e : findChildren<QSpinBox *>())
        connect(e, &QSpinBox::valueChanged, this, [this] { Changement(); });
    // Every change of mode toggles "Supprimer" one way or the other.
    connect(m_rbSupprimer, &QRadioButton::toggled, this, [this] { Changement(); });
    connect(m_cbCalculer, &QCheckBox::toggled, this, [this] { Compte(); });
    connect(m_sbListe, &QToolButton::clicked, this, [this] { sbListeClick(); });
    connect(m_B_Ok, &QPushButton::clicked, this, [this] { B_OkClick(); });
    connect(m_B_Annuler, &QPushButton::clicked, this, [this] { close(); });

    MLTranslateForm(this);
    Initialise();
}

TfmSupprime::~TfmSupprime() = default;

TCriteresSuppression TfmSupprime::Criteres() const
{
    TCriteresSuppression c;
    c.Personne = m_CB_Pers->isChecked();
    c.Pere = m_CB_Pere->isChecked();
    c.Mere = m_CB_Mere->isChecked();
    c.Conjoints = m_CB_Conj->isChecked();
    c.Fratrie = m_CB_Fatrie->isChecked();
    c.Enfants = m_CB_Enfant->isChecked();
    c.Asc = m_CB_Asc->isChecked();
    c.AscGen = m_eAscGen->value();
    c.AscConj = m_cbAscConj->isChecked();
    c.AscConjAsc = m_cbAscConjAsc->isChecked();
    c.AscConjAscGen = m_eAscConjAsc->value();
    c.AscFratrie = m_cbAscFratrie->isChecked();
    c.AscFratrieDes = m_cbAscFratrieDes->isChecked();
    c.Des = m_CB_Des->isChecked();
    c.DesGen = m_eDesGen->value();
    c.DesConj = m_cbDesConj->isChecked();
    c.DesConjAsc = m_cbDesConjAsc->isChecked();
    c.DesConjAscGen = m_eDesConjAsc->value();
    c.Age = m_cbAge->isChecked();
    c.AgeMax = m_eAge->value();
    c.Rapport = m_cbRapport->isChecked();
    return c;
}

void TfmSupprime::Initialise()
{
    m_miseAJour = true;
    m_reference = m_hote.SelecPers();
    m_rapport = m_hote.ListeRapport();
    m_sbListe->setText(texteListe(0));
    m_sbListe->setEnabled(false);
    ActualiseControles();
    m_miseAJour = false;

    m_cbCalculer->setChecked(true);
}

void TfmSupprime::ActualiseControles()
{
    m_cbRapport->setText(u"Les personnes listées dans le rapport (%1 pers.)"_s.arg(m_rapport.Count()));
    const int ref = m_bd.PersonInUse(m_reference) ? m_reference : 0;
    m_L_Nom->setText(ref != 0 ? m_bd.FullName(ref) : QString());
    const auto applicable = [](QCheckBox *c, bool oui) {
        if (!oui)
            c->setChecked(false);
        c->setEnabled(oui);
    };
    applicable(m_cbRapport, !m_rapport.IsEmpty());
    applicable(m_CB_Pere, m_bd.PersonInUse(m_bd.Father(ref)));
    applicable(m_CB_Mere, m_bd.PersonInUse(m_bd.Mother(ref)));
    applicable(m_CB_Conj, ref != 0 && HasUnion(m_bd, ref));
    applicable(m_CB_Fatrie, ref != 0 && !SiblingsOf(m_bd, ref).IsEmpty());
    applicable(m_CB_Enfant, HasChildren(m_bd, ref));
    Enable();
}

void TfmSupprime::Actualise()
{
    // The list sbListe put in the report is what this window would remove,
    // not "the persons listed in the report": taking it as such would turn
    // "Conserver seulement" against the user. The report's list of before
    // stays in use until another one replaces it.
    const TR rapport = m_hote.ListeRapport();
    if (m_listeMontree.IsEmpty() || !std::ranges::equal(rapport.Items(), m_listeMontree.Items()))
        m_rapport = rapport;
    m_miseAJour = true;
    ActualiseControles();
    m_miseAJour = false;
    Compte();
}

void TfmSupprime::Enable()
{
    auto depend = [](QCheckBox *c, const QCheckBox *de) {
        const bool actif = de->isEnabled() && de->isChecked();
        if (!actif)
            c->setChecked(false);
        c->setEnabled(actif);
    };
    // Each box after the one it depends on, so that a cascade settles in
    // one pass.
    depend(m_cbAscConj, m_CB_Asc);
    depend(m_cbAscConjAsc, m_cbAscConj);
    depend(m_cbAscFratrie, m_CB_Asc);
    depend(m_cbAscFratrieDes, m_cbAscFratrie);
    depend(m_cbDesConj, m_CB_Des);
    depend(m_cbDesConjAsc, m_cbDesConj);
}

void TfmSupprime::Changement()
{
    // The boxes Enable() unticks report their change too: one computation
    // once they have all settled is enough.
    if (m_miseAJour)
        return;
    m_miseAJour = true;
    Enable();
    m_miseAJour = false;
    Compte();
}

void TfmSupprime::Compte()
{
    if (m_miseAJour)
        return;
    if (m_cbCalculer->isChecked()) {
        TCurseurAttente occupe;
        m_marques = MarquesSuppression(m_bd, m_reference, Criteres(), m_rapport);
    }
    CompteListe();
}

void TfmSupprime::CompteListe()
{
    const bool calcule = m_cbCalculer->isChecked();
    const int n = calcule ? CompteSuppression(m_bd, m_marques, m_rbConserver->isChecked()) : 0;
    m_sbListe->setText(texteListe(n));
    m_sbListe->setEnabled(calcule && n > 0);
}

void TfmSupprime::sbListeClick()
{
    // Counted again first, for the same reason as in B_OkClick: the list
    // and its caption then say what Ok would remove now.
    Compte();
    TR liste;
    {
        TCurseurAttente occupe;
        liste = ListeSuppression(m_bd, m_marques, m_rbConserver->isChecked());
    }
    m_listeMontree = liste;
    m_hote.MontreListe(liste, m_sbListe->text());
}

void TfmSupprime::B_OkClick()
{
    {
        TCurseurAttente occupe;
        // The window is not modal: persons may have been added or removed
        // elsewhere since the last count, and marks of another state of the
        // database would remove the wrong persons. The set is taken afresh.
        m_marques = MarquesSuppression(m_bd, m_reference, Criteres(), m_rapport);
        const int courant = SupprimePersonnes(m_bd, m_marques, m_rbConserver->isChecked(), m_hote.SelecPers());
        m_hote.SetSelecPers(courant);
        m_hote.PersonnesSupprimees();
    }
    close();
}

void TfmSupprime::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter in a number only confirms the number: removing persons
        // takes a deliberate press.
        if (!qobject_cast<QAbstractSpinBox *>(focusWidget()))
            m_B_Ok->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TfmSupprime::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_hote.SupprimeCache();
}
