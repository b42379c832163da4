#include "TPanneauPredefinis.h"

#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Cadence.h"
#include "Predefinis.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

// The report window's progress bar; its messages are handled now and then,
// so that it can be moved and redrawn, and a database replaced meanwhile
// stops the report. The bar moves a few times a second only: redrawn at
// every step, it would cost more than a fast report itself.
class TAvancementRapport final : public TAvancement
{
public:
    explicit TAvancementRapport(TfmRapport &rapport) : m_rapport(rapport) {}
    void Maximum(int n) override { m_rapport.Progression()->Maximum(n); }
    bool Etape(int i) override
    {
        if (m_cadence.Echue()) {
            m_rapport.Progression()->Position(i);
            QCoreApplication::processEvents();
        }
        return !m_rapport.Interrompu();
    }

private:
    TfmRapport &m_rapport;
    TCadence m_cadence;
};

// The rows are moved into the grid: the table is not used afterwards.
void remplitGrille(TBKStringGrid &grille, TTableau &t)
{
    const int nc = static_cast<int>(t.Colonnes.size());
    grille.Clear();
    grille.SetColCount(nc);
    grille.SetRowCount(t.NbLignes() + 1);
    for (int c = 0; c < nc; ++c) {
        const TColonneTableau &colonne = t.Colonnes[static_cast<size_t>(c)];
        grille.SetColumn(c, colonne.Titre, colonne.Large, colonne.Sorte);
    }
    for (int r = 0; r < t.NbLignes(); ++r) {
        grille.SetRow(r + 1, std::move(t.Lignes[static_cast<size_t>(r)]));
        grille.SetRowData(r + 1, t.Valeurs[static_cast<size_t>(r)]);
    }
}

} // namespace

TPanneauPredefinis::TPanneauPredefinis(const TBD &bd, TfmRapport &rapport, QWidget *parent)
    : QWidget(parent)
    , m_bd(bd)
    , m_rapport(rapport)
{
    setObjectName(u"pDef"_s);
    construit();
    DefInit();
}

TPanneauPredefinis::~TPanneauPredefinis() = default;

void TPanneauPredefinis::construit()
{
    m_lbDef = new QListWidget(this);
    m_lbDef->setObjectName(u"lbDef"_s);
    for (int r = 0; r < NbRapportsPredefinis; ++r)
        m_lbDef->addItem(TexteRapportPredefini(r));
    m_lbDef->setCurrentRow(-1);

    m_rbEclair1 = new QRadioButton(u"Tous les lieux"_s, this);
    m_rbEclair1->setObjectName(u"rbEclair1"_s);
    m_rbEclair1->setChecked(true);
    m_rbEclair2 = new QRadioButton(u"Lieu commençant par:"_s, this);
    m_rbEclair2->setObjectName(u"rbEclair2"_s);
    m_eEclair = new QLineEdit(u"FRA,IDF,F75"_s, this);
    m_eEclair->setObjectName(u"eEclair"_s);

    m_lLieux = new QLabel(u"Format des lieux"_s, this);
    m_lLieux->setObjectName(u"lLieux"_s);
    m_cbLieux = new QComboBox(this);
    m_cbLieux->setObjectName(u"cbLieux"_s);
    m_cbLieux->addItems({u"Identique à la saisie"_s, u"Commune"_s, u"Code-postal Commune"_s,
                         u"Commune (Département)"_s});
    m_lLieux->setBuddy(m_cbLieux);

    m_lCons = new QLabel(u"Nombre de génération de recherche"_s, this);
    m_lCons->setObjectName(u"lCons"_s);
    m_seCons = new QSpinBox(this);
    m_seCons->setObjectName(u"seCons"_s);
    m_seCons->setRange(1, 999);
    m_seCons->setValue(10);
    m_lCons->setBuddy(m_seCons);

    m_lZodiaque = new QLabel(u"Signe du zodiaque à afficher"_s, this);
    m_lZodiaque->setObjectName(u"lZodiaque"_s);
    m_cbZodiaque = new QComboBox(this);
    m_cbZodiaque->setObjectName(u"cbZodiaque"_s);
    m_cbZodiaque->addItems({u"Bélier"_s, u"Taureau"_s, u"Gémeaux"_s, u"Cancer"_s, u"Lion"_s, u"Vierge"_s,
                            u"Balance"_s, u"Scorpion"_s, u"Sagittaire"_s, u"Capricorne"_s, u"Verseau"_s,
                            u"Poissons"_s});
    m_lZodiaque->setBuddy(m_cbZodiaque);

    m_cbAppDef = new QCheckBox(u"Appliquer à chaque modification"_s, this);
    m_cbAppDef->setObjectName(u"cbAppDef"_s);
    m_cbAppDef->setChecked(true);
    m_bDef = new QPushButton(u"Ok"_s, this);
    m_bDef->setObjectName(u"bDef"_s);

    auto *options = new QGridLayout;
    options->addWidget(m_rbEclair1, 0, 0, 1, 2);
    options->addWidget(m_rbEclair2, 1, 0);
    options->addWidget(m_eEclair, 1, 1);
    options->addWidget(m_lLieux, 2, 0);
    options->addWidget(m_cbLieux, 2, 1);
    options->addWidget(m_lCons, 3, 0);
    options->addWidget(m_seCons, 3, 1);
    options->addWidget(m_lZodiaque, 4, 0);
    options->addWidget(m_cbZodiaque, 4, 1);
    auto *bas = new QHBoxLayout;
    bas->addWidget(m_cbAppDef, 1);
    bas->addWidget(m_bDef);
    auto *colonne = new QVBoxLayout(this);
    colonne->addWidget(new QLabel(u"Sélectionnez le rapport prédéfinis à afficher:"_s, this));
    colonne->addWidget(m_lbDef, 1);
    colonne->addLayout(options);
    colonne->addLayout(bas);

    const auto change = [this] { lbDefClick(false); };
    connect(m_lbDef, &QListWidget::currentRowChanged, this, change);
    // A radio button that comes up is followed by the one that goes down:
    // one run for the pair.
    connect(m_rbEclair1, &QRadioButton::toggled, this, [this](bool coche) {
        if (coche)
            lbDefClick(false);
    });
    connect(m_rbEclair2, &QRadioButton::toggled, this, [this](bool coche) {
        if (coche)
            lbDefClick(false);
    });
    connect(m_eEclair, &QLineEdit::textChanged, this, change);
    connect(m_cbLieux, &QComboBox::currentIndexChanged, this, change);
    connect(m_seCons, &QSpinBox::valueChanged, this, change);
    connect(m_cbZodiaque, &QComboBox::currentIndexChanged, this, change);
    connect(m_cbAppDef, &QCheckBox::toggled, this, change);
    connect(m_bDef, &QPushButton::clicked, this, [this] { lbDefClick(true); });
}

int TPanneauPredefinis::Rapport() const
{
    return m_lbDef->currentRow();
}

void TPanneauPredefinis::EffaceChoix()
{
    const bool avant = std::exchange(m_chargement, true);
    m_lbDef->setCurrentRow(-1);
    m_chargement = avant;
    DefInit();
}

void TPanneauPredefinis::DefInit()
{
    const int r = Rapport();
    const bool eclair = r == 0 || r == 9;
    m_rbEclair1->setVisible(eclair);
    m_rbEclair2->setVisible(eclair);
    m_eEclair->setVisible(eclair);
    const bool lieux = r == 2 || r == 4 || r == 5 || r == 7;
    m_lLieux->setVisible(lieux);
    m_cbLieux->setVisible(lieux);
    m_lCons->setVisible(r == 3);
    m_seCons->setVisible(r == 3);
    m_lZodiaque->setVisible(r == 10);
    m_cbZodiaque->setVisible(r == 10);
    const bool avant = std::exchange(m_chargement, true);
    if (m_cbLieux->currentIndex() < 0)
        m_cbLieux->setCurrentIndex(0);
    if (m_cbZodiaque->currentIndex() < 0)
        m_cbZodiaque->setCurrentIndex(0);
    m_chargement = avant;
}

void TPanneauPredefinis::lbDefClick(bool bouton)
{
    DefInit();
    if (m_chargement || (!bouton && !m_cbAppDef->isChecked()))
        return;
    // A fill runs (its messages are being handled): this request waits for
    // no one and does nothing.
    if (m_rapport.Occupe())
        return;
    execute(Rapport());
    if (bouton)
        emit Ferme();
}

void TPanneauPredefinis::execute(int rapport)
{
    if (rapport < 0 || rapport >= NbRapportsPredefinis || !m_rapport.InitRapport())
        return;
    TOptionsPredefinis options;
    options.TousLesLieux = m_rbEclair1->isChecked();
    options.Prefixe = m_eEclair->text();
    options.FormatLieux = m_cbLieux->currentIndex();
    options.Generations = m_seCons->value();
    options.Signe = m_cbZodiaque->currentText();

    TAvancementRapport avancement(m_rapport);
    TRapportPredefini r;
    // A report stopped because the database was replaced is dropped by
    // FinRapport, which then starts again from every person.
    if (CalculeRapportPredefini(rapport, m_bd, options, &avancement, &r) && !m_rapport.Interrompu()) {
        remplitGrille(*m_rapport.Grille(), r.Tableau);
        if (r.ListePersonnes)
            m_rapport.DefinitListe(r.Liste);
        if (r.ColonneTri >= 0)
            m_rapport.TrieColonne(r.ColonneTri, true);
        m_rapport.setWindowTitle(r.Titre);
    }
    m_rapport.FinRapport();
}
