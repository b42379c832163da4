#include "TfmMaps.h"

#include "BD.h"
#include "Dialogues.h"
#include "Langue.h"
#include "ScriptCarte.h"
#include "TCarteWeb.h"

#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {

constexpr int TextePageLente = 8001;
constexpr int TextePageEchouee = 8002;
constexpr int TexteErreurScript = 8003;
constexpr int TexteIntrouvables = 8004;

QPointer<TfmMaps> g_carte;

} // namespace

TfmMaps::TfmMaps(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("fmMaps"));
    setWindowTitle(QStringLiteral("Carte"));
    resize(640, 520);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    m_lIntrouvables = new QLabel(this);
    m_lIntrouvables->setObjectName(QStringLiteral("lIntrouvables"));
    m_lIntrouvables->setTextFormat(Qt::PlainText);
    m_lIntrouvables->setWordWrap(true);
    m_lIntrouvables->setContentsMargins(6, 3, 6, 3);
    m_lIntrouvables->hide();
    l->addWidget(m_lIntrouvables);
    m_wb = new TCarteWeb(this);
    l->addWidget(m_wb, 1);
    MLTranslateForm(this);

    connect(m_wb, &TCarteWeb::Navigation, this, [this](const QUrl &adresse) { setWindowTitle(adresse.toString()); });
    connect(m_wb, &TCarteWeb::PersonneChoisie, this, [this](int p) {
        if (m_choix)
            m_choix(p);
    });
    connect(m_wb, &TCarteWeb::ErreurScript, this, [](const QString &message) {
        AppMessageBox(MLFormat(TexteErreurScript, {message}), MsgErreur, BoutonsOk);
    });
    connect(m_wb, &TCarteWeb::ScriptsTermines, this, &TfmMaps::AfficheIntrouvables);
    g_carte = this;
    m_wb->Charge();
}

TfmMaps::~TfmMaps() = default;

TfmMaps *TfmMaps::Instance()
{
    return g_carte;
}

bool TfmMaps::AttendPage()
{
    if (m_wb->AttendPage())
        return true;
    AppMessageBox(MLText(m_wb->EnChargement() ? TextePageLente : TextePageEchouee), MsgErreur,
                  BoutonsOk);
    return false;
}

void TfmMaps::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_wb->ResizeApp();
}

void TfmMaps::AfficheIntrouvables()
{
    const QStringList lieux = m_wb->Introuvables();
    m_lIntrouvables->setText(lieux.isEmpty() ? QString() : MLFormat(TexteIntrouvables, {lieux.join(QStringLiteral(" ; "))}));
    m_lIntrouvables->setVisible(!lieux.isEmpty());
}

bool ShowMapPlace(QWidget *owner, const TBD &bd, const QString &lieu, int personne,
                  const std::function<void(int)> &choix)
{
    TfmMaps *carte = TfmMaps::Instance();
    if (!carte)
        carte = new TfmMaps(owner);
    carte->SetChoixPersonne(choix);
    if (!carte->isVisible())
        carte->show();
    if (!carte->AttendPage())
        return false;
    const TPointCarte point = PointPersonne(lieu, personne, personne >= 1 ? bd.FullName(personne) : QString());
    if (!point.Lieu.isEmpty())
        carte->Carte()->PlotAdd(point.Lieu, point.Libelle);
    return true;
}
