#include "TfmReglagesArbre.h"

#include <algorithm>
#include <cstdint>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Langue.h"
#include "Look.h"
#include "Options.h"
#include "TAffArbre.h"

using namespace Qt::StringLiterals;

namespace {

QSpinBox *spin(const QString &nom, int min, int max)
{
    auto *s = new QSpinBox;
    s->setObjectName(nom);
    s->setRange(min, max);
    return s;
}

QSlider *barre(const QString &nom, int min, int max, int graduation)
{
    auto *b = new QSlider(Qt::Horizontal);
    b->setObjectName(nom);
    b->setRange(min, max);
    b->setTickPosition(QSlider::TicksBelow);
    b->setTickInterval(graduation);
    b->setMinimumWidth(200);
    return b;
}

QLabel *etiquette(const QString &nom, const QString &texte)
{
    auto *l = new QLabel(texte);
    l->setObjectName(nom);
    return l;
}

QCheckBox *caseAppliquer()
{
    auto *c = new QCheckBox(u"Appliquer à chaque modification"_s);
    c->setObjectName(u"cbAppliquer"_s);
    c->setChecked(true);
    return c;
}

QPushButton *bouton(const QString &nom, const QString &texte)
{
    auto *b = new QPushButton(texte);
    b->setObjectName(nom);
    b->setAutoDefault(false);
    return b;
}

// The tip button is kept hidden: the tips come up from the main window.
QPushButton *boutonAstuce(QWidget *fenetre, int astuce)
{
    auto *b = bouton(u"BitBtn1"_s, u"Astuce..."_s);
    b->setVisible(false);
    QObject::connect(b, &QPushButton::clicked, fenetre, [astuce] { AfficheAstuce(astuce); });
    return b;
}

// The bottom row: the tip button (when there is one), then the buttons on
// the right.
QHBoxLayout *ligneBoutons(QPushButton *astuce, std::initializer_list<QPushButton *> boutons)
{
    auto *ligne = new QHBoxLayout;
    if (astuce)
        ligne->addWidget(astuce);
    ligne->addStretch();
    for (QPushButton *b : boutons)
        ligne->addWidget(b);
    return ligne;
}

QPushButton *boutonOk()
{
    auto *b = bouton(u"B_Ok"_s, u"Ok"_s);
    b->setDefault(true);
    return b;
}

} // namespace

// ---- Gaps ----------------------------------------------------------------

TfmEcart::TfmEcart(TAffArbre &arbre, QWidget *parent)
    : QDialog(parent)
    , m_arbre(arbre)
{
    setObjectName(u"fmEcart"_s);
    setWindowTitle(u"Écart entre les cellules"_s);
    setModal(true);

    m_rbAsc = new QRadioButton(u"Ascendance"_s);
    m_rbAsc->setObjectName(u"rbAsc"_s);
    m_rbDes = new QRadioButton(u"Descendance"_s);
    m_rbDes->setObjectName(u"rbDes"_s);
    m_rbDeux = new QRadioButton(u"Les deux"_s);
    m_rbDeux->setObjectName(u"rbDeux"_s);
    m_rbDeux->setChecked(true);
    m_seH = spin(u"seH"_s, 0, 300);
    m_seV = spin(u"seV"_s, 0, 300);
    m_tbH = barre(u"tbH"_s, 0, 300, 50);
    m_tbV = barre(u"tbV"_s, 0, 300, 50);
    m_cbAppliquer = caseAppliquer();
    auto *ok = boutonOk();

    auto *looks = new QHBoxLayout;
    looks->addWidget(m_rbAsc);
    looks->addWidget(m_rbDes);
    looks->addWidget(m_rbDeux);
    auto *grille = new QGridLayout;
    grille->addWidget(etiquette(u"Label1"_s, u"Horizontal"_s), 0, 0);
    grille->addWidget(m_seH, 0, 1);
    grille->addWidget(m_tbH, 0, 2);
    grille->addWidget(etiquette(u"Label2"_s, u"Vertical"_s), 1, 0);
    grille->addWidget(m_seV, 1, 1);
    grille->addWidget(m_tbV, 1, 2);
    auto *vbox = new QVBoxLayout(this);
    vbox->addLayout(looks);
    vbox->addLayout(grille);
    vbox->addWidget(m_cbAppliquer);
    vbox->addLayout(ligneBoutons(boutonAstuce(this, 7), {ok}));

    // Picking a look only shows its values; the arrow keys check a radio
    // button without a click, hence toggled.
    for (QRadioButton *rb : {m_rbAsc, m_rbDes, m_rbDeux})
        connect(rb, &QRadioButton::toggled, this, [this](bool coche) {
            if (coche)
                Remplit();
        });
    for (QSpinBox *se : {m_seH, m_seV})
        connect(se, &QSpinBox::valueChanged, this, &TfmEcart::Change);
    connect(m_tbH, &QSlider::valueChanged, this, &TfmEcart::tbChange);
    connect(m_tbV, &QSlider::valueChanged, this, &TfmEcart::tbChange);
    connect(m_cbAppliquer, &QCheckBox::toggled, this, &TfmEcart::Change);
    connect(ok, &QPushButton::clicked, this, &TfmEcart::B_OkClick);

    Remplit();
    MLTranslateForm(this);
}

TfmEcart::~TfmEcart() = default;

void TfmEcart::showEvent(QShowEvent *event)
{
    Remplit();
    QDialog::showEvent(event);
}

void TfmEcart::Remplit()
{
    const QScopedValueRollback occupe(m_occupe, true);
    const T1Aff &aff = Looks[m_rbDes->isChecked() ? 2 : 1];
    m_seH->setValue(aff.EcatHorz);
    m_seV->setValue(aff.EcartVert);
    m_tbH->setValue(m_seH->value());
    m_tbV->setValue(m_seV->value());
}

void TfmEcart::Applique()
{
    for (int i = 1; i <= 2; ++i) {
        if ((i == 1 && m_rbDes->isChecked()) || (i == 2 && m_rbAsc->isChecked()))
            continue;
        Looks[i].EcatHorz = m_seH->value();
        Looks[i].EcartVert = m_seV->value();
    }
}

void TfmEcart::Change()
{
    if (m_occupe)
        return;
    {
        // The track bars follow the spin edits, so that moving one track bar
        // never brings back an old value of the other gap.
        const QScopedValueRollback occupe(m_occupe, true);
        m_tbH->setValue(m_seH->value());
        m_tbV->setValue(m_seV->value());
    }
    Applique();
    if (m_cbAppliquer->isChecked())
        m_arbre.Affiche();
}

void TfmEcart::tbChange()
{
    if (m_occupe)
        return;
    {
        const QScopedValueRollback occupe(m_occupe, true);
        m_seH->setValue(m_tbH->value());
        m_seV->setValue(m_tbV->value());
    }
    Change();
}

void TfmEcart::B_OkClick()
{
    if (!m_cbAppliquer->isChecked()) {
        Applique();
        m_arbre.Affiche();
    }
    accept();
}

// ---- Widths --------------------------------------------------------------

TfmLarge::TfmLarge(TAffArbre &arbre, QWidget *parent)
    : QDialog(parent)
    , m_arbre(arbre)
{
    setObjectName(u"fmLarge"_s);
    setWindowTitle(u"Largeur des cellules"_s);
    setModal(true);

    m_seAsc = spin(u"seAsc"_s, 1, 1000);
    m_seDes = spin(u"seDes"_s, 1, 1000);
    m_tbAsc = barre(u"tbAsc"_s, 1, 1000, 50);
    m_tbDes = barre(u"tbDes"_s, 1, 1000, 50);
    m_tbAsc->setPageStep(5);
    m_tbDes->setPageStep(5);
    m_cbAppliquer = caseAppliquer();
    auto *ok = boutonOk();

    auto *grille = new QGridLayout;
    grille->addWidget(etiquette(u"Label1"_s, u"Ascendance"_s), 0, 0);
    grille->addWidget(m_seAsc, 0, 1);
    grille->addWidget(m_tbAsc, 0, 2);
    grille->addWidget(etiquette(u"Label2"_s, u"Descendance"_s), 1, 0);
    grille->addWidget(m_seDes, 1, 1);
    grille->addWidget(m_tbDes, 1, 2);
    auto *vbox = new QVBoxLayout(this);
    vbox->addLayout(grille);
    vbox->addWidget(m_cbAppliquer);
    vbox->addLayout(ligneBoutons(boutonAstuce(this, 6), {ok}));

    connect(m_seAsc, &QSpinBox::valueChanged, this, &TfmLarge::Change);
    connect(m_seDes, &QSpinBox::valueChanged, this, &TfmLarge::Change);
    connect(m_tbAsc, &QSlider::valueChanged, this, &TfmLarge::tbChange);
    connect(m_tbDes, &QSlider::valueChanged, this, &TfmLarge::tbChange);
    connect(m_cbAppliquer, &QCheckBox::toggled, this, &TfmLarge::Change);
    connect(ok, &QPushButton::clicked, this, &TfmLarge::B_OkClick);

    Remplit();
    MLTranslateForm(this);
}

TfmLarge::~TfmLarge() = default;

void TfmLarge::showEvent(QShowEvent *event)
{
    Remplit();
    QDialog::showEvent(event);
}

void TfmLarge::Remplit()
{
    const QScopedValueRollback occupe(m_occupe, true);
    m_seAsc->setValue(Looks[1].Large);
    m_seDes->setValue(Looks[2].Large);
    m_tbAsc->setValue(m_seAsc->value());
    m_tbDes->setValue(m_seDes->value());
}

void TfmLarge::Change()
{
    if (m_occupe)
        return;
    Looks[1].Large = m_seAsc->value();
    Looks[2].Large = m_seDes->value();
    {
        const QScopedValueRollback occupe(m_occupe, true);
        m_tbAsc->setValue(m_seAsc->value());
        m_tbDes->setValue(m_seDes->value());
    }
    if (m_cbAppliquer->isChecked())
        m_arbre.Affiche();
}

void TfmLarge::tbChange()
{
    if (m_occupe)
        return;
    {
        const QScopedValueRollback occupe(m_occupe, true);
        m_seAsc->setValue(m_tbAsc->value());
        m_seDes->setValue(m_tbDes->value());
    }
    Change();
}

void TfmLarge::B_OkClick()
{
    Looks[1].Large = m_seAsc->value();
    Looks[2].Large = m_seDes->value();
    if (!m_cbAppliquer->isChecked())
        m_arbre.Affiche();
    accept();
}

// ---- Generations ---------------------------------------------------------

TfmNbreGen::TfmNbreGen(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmNbreGen"_s);
    setWindowTitle(u"Génération"_s);
    setModal(true);

    m_seAsc = spin(u"SE_Asc"_s, 0, 999);
    m_seDes = spin(u"SE_Des"_s, 0, 999);
    auto *ok = boutonOk();
    auto *annuler = bouton(u"B_Annuler"_s, u"Annuler"_s);

    auto *grille = new QGridLayout;
    grille->addWidget(etiquette(u"Label1"_s, u"Nombre maximum de génération d'ascendant"_s), 0, 0);
    grille->addWidget(m_seAsc, 0, 1);
    grille->addWidget(etiquette(u"Label2"_s, u"Nombre maximum de génération de descendant"_s), 1, 0);
    grille->addWidget(m_seDes, 1, 1);
    auto *vbox = new QVBoxLayout(this);
    vbox->addLayout(grille);
    vbox->addLayout(ligneBoutons(boutonAstuce(this, 5), {ok, annuler}));

    connect(ok, &QPushButton::clicked, this, &TfmNbreGen::B_OkClick);
    connect(annuler, &QPushButton::clicked, this, &TfmNbreGen::reject);

    Remplit();
    MLTranslateForm(this);
}

TfmNbreGen::~TfmNbreGen() = default;

void TfmNbreGen::showEvent(QShowEvent *event)
{
    Remplit();
    QDialog::showEvent(event);
}

void TfmNbreGen::Remplit()
{
    m_seAsc->setValue(Looks[1].NbreGen);
    m_seDes->setValue(Looks[2].NbreGen);
}

void TfmNbreGen::B_OkClick()
{
    Looks[1].NbreGen = m_seAsc->value();
    Looks[2].NbreGen = m_seDes->value();
    accept();
}

// ---- Zoom ----------------------------------------------------------------

TfmZoom::TfmZoom(TAffArbre &arbre, QWidget *parent)
    : QDialog(parent)
    , m_arbre(arbre)
    , m_zoomEcran(Looks[1].Zoom)
{
    setObjectName(u"fmZoom"_s);
    setWindowTitle(u"Facteur de zoom pour l'affichage de l'arbre"_s);
    setModal(true);

    m_seZoom = spin(u"seZoom"_s, 0, 999);
    m_seZoom->setSingleStep(10);
    m_tbZoom = barre(u"tbZoom"_s, 1, 1000, 25);
    m_tbZoom->setValue(100);
    m_cbAuto = new QCheckBox(u"Ajuster Automatiquement l'arbre à l'écran"_s);
    m_cbAuto->setObjectName(u"cbAuto"_s);
    auto *cent = bouton(u"Button1"_s, u"100%"_s);
    m_cbAppliquer = caseAppliquer();
    auto *ok = boutonOk();

    auto *ligneZoom = new QHBoxLayout;
    ligneZoom->addWidget(etiquette(u"Label1"_s, u"Facteur de zoom (défaut 100%)"_s));
    ligneZoom->addWidget(m_seZoom);
    ligneZoom->addWidget(cent);
    auto *vbox = new QVBoxLayout(this);
    vbox->addLayout(ligneZoom);
    vbox->addWidget(m_tbZoom);
    vbox->addWidget(m_cbAuto);
    vbox->addWidget(m_cbAppliquer);
    vbox->addLayout(ligneBoutons(boutonAstuce(this, 8), {ok}));

    connect(m_seZoom, &QSpinBox::valueChanged, this, &TfmZoom::Change);
    connect(m_cbAuto, &QCheckBox::toggled, this, &TfmZoom::Change);
    connect(m_cbAppliquer, &QCheckBox::toggled, this, &TfmZoom::Change);
    connect(m_tbZoom, &QSlider::valueChanged, this, &TfmZoom::tbZoomChange);
    connect(cent, &QPushButton::clicked, this, &TfmZoom::Button1Click);
    connect(ok, &QPushButton::clicked, this, &TfmZoom::B_OkClick);

    Remplit();
    MLTranslateForm(this);
}

TfmZoom::~TfmZoom() = default;

void TfmZoom::showEvent(QShowEvent *event)
{
    Remplit();
    QDialog::showEvent(event);
}

void TfmZoom::Remplit()
{
    const QScopedValueRollback occupe(m_occupe, true);
    const bool autoZoom = Reglages().ZoomAuto;
    if (autoZoom)
        ZoomAjuste();
    m_cbAuto->setChecked(autoZoom);
    m_seZoom->setValue(Looks[1].Zoom);
    m_tbZoom->setValue(m_seZoom->value());
    ActiveZoom(autoZoom);
}

void TfmZoom::ActiveZoom(bool autoZoom)
{
    m_seZoom->setEnabled(!autoZoom);
    m_tbZoom->setEnabled(!autoZoom);
}

void TfmZoom::MetZoom(int zoom)
{
    Looks[1].Zoom = zoom;
    Looks[2].Zoom = zoom;
    // A pending repositioning will place the boxes at this zoom.
    if (m_arbre.RePositionnePrevu())
        m_zoomEcran = zoom;
}

void TfmZoom::Repositionne()
{
    m_arbre.RePositionneDiffere();
    m_zoomEcran = Looks[1].Zoom;
}

void TfmZoom::ZoomAjuste()
{
    // A repositioning still pending is run first, so that the screen is
    // where m_zoomEcran says.
    if (m_arbre.RePositionnePrevu()) {
        m_arbre.RePositionne();
        m_zoomEcran = Looks[1].Zoom;
    }
    const int tape = Looks[1].Zoom;
    // The builder fits the tree by placing it at the zoom it tries.
    m_arbre.CalculZoomAuto();
    // The fit gives both looks the same zoom; looks left apart mean that the
    // tree could not be measured (hidden or empty), and the typed zoom stays.
    if (Looks[1].Zoom != Looks[2].Zoom) {
        Looks[1].Zoom = tape;
        return;
    }
    const int ajuste = Looks[1].Zoom;
    if (m_cbAppliquer->isChecked() || ajuste == m_zoomEcran) {
        m_zoomEcran = ajuste;
        return;
    }
    // Not applied before OK: the tree goes back to the zoom it is shown at,
    // and the looks keep the fit for OK.
    Looks[1].Zoom = Looks[2].Zoom = m_zoomEcran;
    m_arbre.DecaleZero();
    Looks[1].Zoom = Looks[2].Zoom = ajuste;
}

void TfmZoom::Change()
{
    if (m_occupe)
        return;
    {
        const QScopedValueRollback occupe(m_occupe, true);
        const bool autoZoom = m_cbAuto->isChecked();
        Reglages().ZoomAuto = autoZoom;
        ActiveZoom(autoZoom);
        m_seZoom->setValue(std::clamp(m_seZoom->value(), 1, 1000));
        if (autoZoom) {
            ZoomAjuste();
            m_seZoom->setValue(Looks[1].Zoom);
        } else {
            MetZoom(m_seZoom->value());
        }
        m_tbZoom->setValue(m_seZoom->value());
    }
    if (m_cbAppliquer->isChecked())
        Repositionne();
}

void TfmZoom::tbZoomChange()
{
    if (m_occupe)
        return;
    m_seZoom->setValue(m_tbZoom->value());
    // The spin edit stops at 999; when it did not move (it held 999
    // already) Change did not run, and the track bar still shows 1000.
    if (m_tbZoom->value() != m_seZoom->value()) {
        const QScopedValueRollback occupe(m_occupe, true);
        m_tbZoom->setValue(m_seZoom->value());
    }
}

void TfmZoom::Button1Click()
{
    {
        const QScopedValueRollback occupe(m_occupe, true);
        m_cbAuto->setChecked(false);
        m_seZoom->setValue(100);
    }
    Change();
}

void TfmZoom::B_OkClick()
{
    // A zoom of 0 would make every box vanish and the tree divide by it.
    MetZoom(std::clamp(m_seZoom->value(), 1, 1000));
    if (!m_cbAppliquer->isChecked())
        Repositionne();
    accept();
}

// ---- Layout styles -------------------------------------------------------

TfmArbreApparence::TfmArbreApparence(TAffArbre &arbre, QWidget *parent)
    : QDialog(parent)
    , m_arbre(arbre)
{
    setObjectName(u"fmArbreApparence"_s);
    setWindowTitle(u"Apparence de l'arbre"_s);
    setModal(true);

    auto outil = [this](const QString &nom, const QString &texte) {
        auto *b = new QToolButton;
        b->setObjectName(nom);
        b->setText(texte);
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        connect(b, &QToolButton::clicked, this, [this, b] { BoutonClick(b); });
        return b;
    };
    m_asc[1] = outil(u"SB_AscGrp"_s, u"Groupé"_s);
    m_asc[2] = outil(u"SB_AscVertGrp"_s, u"Compact"_s);
    m_asc[3] = outil(u"SB_AscHorzGrp"_s, u"Compact"_s);
    m_asc[4] = outil(u"SB_AscVert"_s, u"Vertical"_s);
    m_asc[5] = outil(u"SB_AscHorz"_s, u"Horizontal"_s);
    m_des[1] = outil(u"SB_DesGrp"_s, u"Groupé"_s);
    m_des[2] = outil(u"SB_DesVertGrp"_s, u"Vertical"_s);
    m_des[3] = outil(u"SB_DesHorzGrp"_s, u"Horizontal"_s);
    m_sbConj = outil(u"sbConj"_s, u"Le dernier conjoint"_s);
    m_sbFratrie = outil(u"sbFratrie"_s, u"La fratrie"_s);
    auto *cbAppliquer = caseAppliquer();
    auto *ok = boutonOk();

    auto groupe = [](const QString &nom, const QString &titre, std::initializer_list<QToolButton *> boutons) {
        auto *g = new QGroupBox(titre);
        g->setObjectName(nom);
        auto *ligne = new QHBoxLayout(g);
        for (QToolButton *b : boutons)
            ligne->addWidget(b);
        ligne->addStretch();
        return g;
    };
    auto *vbox = new QVBoxLayout(this);
    vbox->addWidget(groupe(u"gbAsc"_s, u"Ascendance :"_s, {m_asc[1], m_asc[2], m_asc[3], m_asc[4], m_asc[5]}));
    vbox->addWidget(groupe(u"gbDes"_s, u"Descendance :"_s, {m_des[1], m_des[2], m_des[3]}));
    vbox->addWidget(groupe(u"gbAussi"_s, u"Afficher également :"_s, {m_sbConj, m_sbFratrie}));
    vbox->addWidget(cbAppliquer);
    vbox->addLayout(ligneBoutons(nullptr, {ok}));
    connect(ok, &QPushButton::clicked, this, &TfmArbreApparence::accept);

    {
        const QScopedValueRollback occupe(m_occupe, true);
        const int asc = Looks[1].Style;
        const int des = Looks[2].Style;
        if (asc >= 1 && asc <= 5)
            m_asc[static_cast<size_t>(asc)]->setChecked(true);
        if (des >= 1 && des <= 3)
            m_des[static_cast<size_t>(des)]->setChecked(true);
        m_sbConj->setChecked(m_arbre.ShowConj);
        m_sbFratrie->setChecked(m_arbre.ShowFratrie);
        // The rules hold from the start: with every button enabled, the
        // first click could pick a pair of layouts that overlap.
        Active();
    }
    MLTranslateForm(this);
}

TfmArbreApparence::~TfmArbreApparence() = default;

void TfmArbreApparence::BoutonClick(QToolButton *bouton)
{
    if (m_occupe)
        return;
    // A style button going down puts the others of its group up; going up
    // it leaves the group with none, style 0.
    auto seul = [bouton](auto &groupe) {
        if (std::find(groupe.begin(), groupe.end(), bouton) == groupe.end() || !bouton->isChecked())
            return;
        for (QToolButton *b : groupe)
            if (b && b != bouton)
                b->setChecked(false);
    };
    seul(m_asc);
    seul(m_des);

    auto style = [](const auto &groupe) {
        for (size_t i = 1; i < groupe.size(); ++i)
            if (groupe[i]->isChecked())
                return static_cast<std::uint8_t>(i);
        return std::uint8_t{0};
    };
    Looks[1].Style = style(m_asc);
    Looks[2].Style = style(m_des);
    Active();
    m_arbre.ShowConj = m_sbConj->isChecked();
    m_arbre.ShowFratrie = m_sbFratrie->isChecked();
    m_arbre.Affiche();
}

void TfmArbreApparence::Active()
{
    const auto bas = [](QToolButton *b) { return b->isChecked(); };
    m_asc[2]->setEnabled(!bas(m_des[3]));
    m_asc[4]->setEnabled(!bas(m_des[3]));
    for (size_t i : {1u, 3u, 5u})
        m_asc[i]->setEnabled(!bas(m_des[2]));
    m_des[2]->setEnabled(!bas(m_asc[1]) && !bas(m_asc[3]) && !bas(m_asc[5]));
    m_des[3]->setEnabled(!bas(m_asc[2]) && !bas(m_asc[4]));
    m_sbConj->setEnabled(bas(m_des[1]) || bas(m_des[2]) || bas(m_des[3]));
    m_sbFratrie->setEnabled(bas(m_des[2]) || bas(m_des[3]));
}
