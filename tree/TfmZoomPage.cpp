#include "TfmZoomPage.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Langue.h"
#include "TAffArbre.h"
#include "TPage.h"

namespace {

constexpr int AstuceZoomPage = 9;

QSpinBox *Spin(QWidget *parent, const char *nom, int mini, int maxi, int pas, int defaut)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(nom));
    s->setRange(mini, maxi);
    s->setSingleStep(pas);
    s->setValue(defaut);
    return s;
}

QCheckBox *Case(QWidget *parent, const char *nom, const QString &texte, bool coche)
{
    auto *c = new QCheckBox(texte, parent);
    c->setObjectName(QString::fromLatin1(nom));
    c->setChecked(coche);
    return c;
}

} // namespace

TfmZoomPage::TfmZoomPage(TPage &page, TAffArbre &arbre, std::function<void(bool)> voirPage,
                         std::function<bool()> voirPageEnfonce, QWidget *parent)
    : QDialog(parent)
    , m_page(page)
    , m_arbre(arbre)
    , m_voirPage(std::move(voirPage))
{
    setObjectName(QStringLiteral("fmZoomPage"));
    setWindowTitle(QStringLiteral("Zoom et croisement de la page"));

    auto *principal = new QHBoxLayout(this);
    auto *icone = new QLabel(this);
    icone->setObjectName(QStringLiteral("Image1"));
    icone->setAlignment(Qt::AlignTop);
    const QIcon ic = QApplication::windowIcon();
    if (ic.isNull())
        icone->hide();
    else
        icone->setPixmap(ic.pixmap(32, 32));
    principal->addWidget(icone);

    auto *droite = new QVBoxLayout;
    principal->addLayout(droite, 1);
    auto *titre = new QLabel(QStringLiteral("Facteur de zoom  et croisement de la page d'impression"), this);
    titre->setObjectName(QStringLiteral("Label1"));
    QFont gras = titre->font();
    gras.setBold(true);
    titre->setFont(gras);
    droite->addWidget(titre);

    m_zoom = Spin(this, "seZoomPage", 1, 10000, 10, 100);
    m_croise = Spin(this, "seCroise", 0, 49, 5, 0);
    m_marge = Spin(this, "seMarge", 0, 200, 5, 0);
    m_methode = new QComboBox(this);
    m_methode->setObjectName(QStringLiteral("cbMethodeImpression"));
    m_methode->addItems({QStringLiteral("Directe (plus rapide)"), QStringLiteral("Bitmap (plus lente)"),
                         QStringLiteral("Mode sans échec")});
    auto *formulaire = new QFormLayout;
    const auto ligne = [&](const char *nom, const QString &texte, QWidget *champ) {
        auto *l = new QLabel(texte, this);
        l->setObjectName(QString::fromLatin1(nom));
        l->setBuddy(champ);
        formulaire->addRow(l, champ);
    };
    ligne("Label2", QStringLiteral("Zoom de la page (défaut 100%)"), m_zoom);
    ligne("Label3", QStringLiteral("Croisement des pages de 0 à 49 (Défaut 0%)"), m_croise);
    ligne("Label4", QStringLiteral("Marge en haut et à gauche (Défaut 0%)"), m_marge);
    ligne("Label5", QStringLiteral("Méthode d'impression"), m_methode);
    droite->addLayout(formulaire);

    m_auto = Case(this, "cbAuto", QStringLiteral("Tout imprimer sur la même page"), false);
    m_voir = Case(this, "cbVoirPage", QStringLiteral("Garder visible l'aperçu à l'impression"),
                  voirPageEnfonce && voirPageEnfonce());
    m_appliquer = Case(this, "cbAppliquer", QStringLiteral("Appliquer à chaque modification"), true);
    droite->addWidget(m_auto);
    droite->addWidget(m_voir);
    droite->addWidget(m_appliquer);

    auto *boutons = new QHBoxLayout;
    auto *astuce = new QPushButton(QStringLiteral("Astuce..."), this);
    astuce->setObjectName(QStringLiteral("BitBtn1"));
    astuce->setAutoDefault(false);
    astuce->hide();
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("B_Ok"));
    ok->setDefault(true);
    boutons->addWidget(astuce);
    boutons->addStretch(1);
    boutons->addWidget(ok);
    droite->addLayout(boutons);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    for (QSpinBox *s : {m_zoom, m_croise, m_marge})
        connect(s, &QSpinBox::valueChanged, this, &TfmZoomPage::Change);
    for (QCheckBox *c : {m_auto, m_voir, m_appliquer})
        connect(c, &QCheckBox::toggled, this, &TfmZoomPage::Change);
    connect(m_methode, &QComboBox::currentIndexChanged, this, &TfmZoomPage::Change);
    connect(ok, &QPushButton::clicked, this, &TfmZoomPage::B_OkClick);
    connect(astuce, &QPushButton::clicked, this, [] { AfficheAstuce(AstuceZoomPage); });

    MLTranslateForm(this);
}

TfmZoomPage::~TfmZoomPage() = default;

void TfmZoomPage::SansReagir(const std::function<void()> &f)
{
    const bool avant = m_occupe;
    m_occupe = true;
    f();
    m_occupe = avant;
}

void TfmZoomPage::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Remplit();
}

void TfmZoomPage::Remplit()
{
    SansReagir([this] {
        m_zoom->setValue(m_page.PrintZoom / 10);
        m_croise->setValue(m_page.PrintCroise);
        m_marge->setValue(m_page.PrintMargeH);
        m_auto->setChecked(m_page.PrintZoomAuto);
        m_methode->setCurrentIndex(std::clamp(m_page.MethodeImpression, 0, m_methode->count() - 1));
    });
    ActiveZoom();
}

void TfmZoomPage::ActiveZoom()
{
    m_zoom->setEnabled(!m_auto->isChecked());
    m_croise->setEnabled(!m_auto->isChecked());
}

void TfmZoomPage::Change()
{
    if (m_occupe)
        return;
    ActiveZoom();
    if (!m_appliquer->isChecked() || !m_page.VoirPage)
        return;
    if (m_auto->isChecked()) {
        m_page.CalculZoomAuto();
        m_page.PrintCroise = 0;
        SansReagir([this] {
            m_zoom->setValue(m_page.PrintZoom / 10);
            m_croise->setValue(0);
        });
    } else {
        m_page.PrintZoom = m_zoom->value() * 10;
        m_page.PrintCroise = m_croise->value();
        m_page.PrintMargeH = m_page.PrintMargeG = m_marge->value();
    }
    m_page.PrintZoomAuto = m_auto->isChecked();
    m_page.MethodeImpression = m_methode->currentIndex();
    m_arbre.DecaleZero();
    m_page.update();
}

void TfmZoomPage::B_OkClick()
{
    if (m_auto->isChecked()) {
        m_page.CalculZoomAuto();
        m_page.PrintCroise = 0;
    } else {
        m_page.PrintZoom = m_zoom->value() * 10;
        m_page.PrintCroise = m_croise->value();
        m_page.PrintMargeH = m_page.PrintMargeG = m_marge->value();
    }
    m_page.PrintZoomAuto = m_auto->isChecked();
    m_arbre.DecaleZero();
    m_page.MethodeImpression = m_methode->currentIndex();
    m_page.update();
    if (m_voirPage)
        m_voirPage(m_voir->isChecked());
    accept();
}
