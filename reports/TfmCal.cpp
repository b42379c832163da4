#include "TfmCal.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "BD.h"
#include "Dates.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Html.h"
#include "Langue.h"
#include "Options.h"
#include "Style.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteTousEve = 700;
constexpr int TexteRapportVide = 701;
constexpr int TextePersonnesEve = 702;
constexpr int TexteUnionsEve = 703;
constexpr int TexteEntreLe = 704;
constexpr int TexteLe = 705;
constexpr int TexteAnniversairesDu = 706;
constexpr int TexteIndividus = 709;
constexpr int TexteUnions = 710;
constexpr int TexteEt = 711;
constexpr int TexteNaissance = 201;
constexpr int TexteEnregistrerPage = 8302;
constexpr int TexteFiltrePage = 8303;
constexpr int TextePageNonEcrite = 8304;

// Entries of cbPour.
constexpr int PourTous = 0;
constexpr int PourEnVie = 1;
constexpr int PourRapport = 2;
constexpr int PourUnions = 3;

const int TableauxParEntree[] = {1, 2, 3, 4, 6, 12};

} // namespace

// The paint box: paints the grid the window holds, and passes the mouse on.
class TfmCal::TGrille final : public QWidget
{
public:
    explicit TGrille(TfmCal &cal)
        : QWidget(&cal), m_cal(cal)
    {
        setObjectName(u"pb"_s);
        setMouseTracking(true);
        setMinimumSize(400, 360);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        DessineCalendrier(p, size(), m_cal.m_cal, CouleursCal(palette().color(QPalette::Button)), Options().CalWE,
                          m_cal.m_seFin->value());
    }
    void mouseMoveEvent(QMouseEvent *event) override { m_cal.pbMouseMove(event->position().toPoint()); }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_cal.pbMouseDown(event->position().toPoint());
    }
    void leaveEvent(QEvent *) override { m_cal.pbMouseMove(QPoint(-1, -1)); }

private:
    TfmCal &m_cal;
};

TfmCal::TfmCal(const TBD &bd, TfmRapport &rapport, std::function<void(int)> selecFiche, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_bd(bd)
    , m_rapport(rapport)
    , m_selecFiche(std::move(selecFiche))
{
    setObjectName(u"fmCal"_s);
    setWindowTitle(u"Calendrier"_s);
    resize(640, 560);

    auto *pEve = new QWidget(this);
    pEve->setObjectName(u"pEve"_s);
    m_cbEve = new QComboBox(pEve);
    m_cbEve->setObjectName(u"cbEve"_s);
    m_cbEve->setMinimumContentsLength(14);
    m_seDeb = new QSpinBox(pEve);
    m_seDeb->setObjectName(u"seDeb"_s);
    m_seFin = new QSpinBox(pEve);
    m_seFin->setObjectName(u"seFin"_s);
    // A year typed digit by digit would otherwise drag the other end of the
    // period through 1, 19 and 195 on its way to 1950.
    for (QSpinBox *se : {m_seDeb, m_seFin}) {
        se->setRange(0, 9999);
        se->setKeyboardTracking(false);
    }
    m_seDeb->setValue(1950);
    m_seFin->setValue(2010);
    m_cbPour = new QComboBox(pEve);
    m_cbPour->setObjectName(u"cbPour"_s);
    m_cbPour->addItems({u"Tous les individus"_s, u"Individus en vie"_s, u"Individus du rapport"_s, u"Unions"_s});
    m_bPageWeb = new QPushButton(u"Page web..."_s, pEve);
    m_bPageWeb->setObjectName(u"bPageWeb"_s);
    m_bPageWeb->setAutoDefault(false);

    auto *ligne = new QHBoxLayout(pEve);
    ligne->setContentsMargins(0, 0, 0, 0);
    ligne->addWidget(new QLabel(u"Événement"_s, pEve));
    ligne->addWidget(m_cbEve, 1);
    ligne->addWidget(new QLabel(u"Période de"_s, pEve));
    ligne->addWidget(m_seDeb);
    ligne->addWidget(new QLabel(u"à"_s, pEve));
    ligne->addWidget(m_seFin);
    ligne->addWidget(new QLabel(u"Pour"_s, pEve));
    ligne->addWidget(m_cbPour);
    ligne->addWidget(m_bPageWeb);

    m_pb = new TGrille(*this);
    auto *vbox = new QVBoxLayout(this);
    vbox->addWidget(pEve);
    vbox->addWidget(m_pb, 1);

    connect(m_cbEve, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_maj)
            Change();
    });
    connect(m_cbPour, &QComboBox::currentIndexChanged, this, &TfmCal::PourChange);
    connect(m_seDeb, &QSpinBox::valueChanged, this, &TfmCal::seDebChange);
    connect(m_seFin, &QSpinBox::valueChanged, this, &TfmCal::seFinChange);
    connect(m_bPageWeb, &QPushButton::clicked, this, &TfmCal::bPageWebClick);
    MLTranslateForm(this);
}

TfmCal::~TfmCal() = default;

QWidget *TfmCal::Grille() const
{
    return m_pb;
}

void TfmCal::SetAnniversaires(bool anniversaires)
{
    m_anniversaires = anniversaires;
    if (isVisible())
        Prepare();
}

bool TfmCal::Unions() const
{
    return m_cbPour->currentIndex() == PourUnions;
}

void TfmCal::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    Prepare();
    emit Montree();
}

void TfmCal::Prepare()
{
    m_tousEve = MLText(TexteTousEve);
    m_maj = false;
    if (m_cbPour->currentIndex() < 0)
        m_cbPour->setCurrentIndex(PourTous);
    m_cbPour->setEnabled(!m_anniversaires);
    m_cbEve->setEnabled(!m_anniversaires);
    if (m_anniversaires) {
        m_maj = true;
        m_cbPour->setCurrentIndex(PourEnVie);
        m_cbEve->clear();
        m_cbEve->addItem(MLText(TexteNaissance));
        m_cbEve->setCurrentIndex(0);
        m_maj = false;
        Change();
    } else {
        PourChange();
    }
}

void TfmCal::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit Cachee();
}

void TfmCal::BaseRechargee()
{
    m_cal.Vide();
    if (isVisible())
        Change();
    else
        m_pb->update();
}

void TfmCal::PourChange()
{
    if (m_maj)
        return;
    m_maj = true;
    const QString genre = Unions() ? GenreEveUnion() : GenreEveIndividu();
    m_cbEve->clear();
    m_cbEve->addItem(m_tousEve.isEmpty() ? MLText(TexteTousEve) : m_tousEve);
    for (const TEvePropose &e : Options().Evenements) {
        if (e.Genre == genre)
            m_cbEve->addItem(e.Nom);
    }
    m_cbEve->setCurrentIndex(0);
    m_maj = false;
    Change();
}

void TfmCal::seDebChange()
{
    if (m_maj)
        return;
    if (m_seFin->value() < m_seDeb->value()) {
        m_maj = true;
        m_seFin->setValue(m_seDeb->value());
        m_maj = false;
    }
    Change();
}

void TfmCal::seFinChange()
{
    if (m_maj)
        return;
    if (m_seDeb->value() > m_seFin->value()) {
        m_maj = true;
        m_seDeb->setValue(m_seFin->value());
        m_maj = false;
    }
    Change();
}

void TfmCal::Change()
{
    if (m_maj)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TCritereCal c;
    switch (m_cbPour->currentIndex()) {
    case PourEnVie:
        c.Source = TSourceCal::EnVie;
        c.AgeMax = Options().AgeDecesMax;
        break;
    case PourRapport: {
        c.Source = TSourceCal::Rapport;
        const TR &liste = m_rapport.Liste();
        for (int i = 1; i <= liste.Count(); ++i)
            c.Rapport.push_back(liste.Get(i));
        if (c.Rapport.empty()) {
            QApplication::restoreOverrideCursor();
            AppMessageBox(MLText(TexteRapportVide), MsgInformation, BoutonsOk);
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
        break;
    }
    case PourUnions:
        c.Source = TSourceCal::Unions;
        break;
    default:
        c.Source = TSourceCal::Tous;
    }
    const QString eve = m_cbEve->currentText();
    if (eve != m_tousEve)
        c.Evenement = eve;
    c.Debut = m_seDeb->value();
    c.Fin = m_seFin->value();
    RemplitCalendrier(m_bd, c, m_cal);
    m_unions = c.Source == TSourceCal::Unions;
    QApplication::restoreOverrideCursor();
    m_pb->update();
}

void TfmCal::pbMouseMove(const QPoint &point)
{
    const QString titre = MLTextKey(u"fmCal.Caption"_s);
    const auto [mois, jour] = CelluleCalEn(m_pb->size(), point);
    const std::vector<int> &cellule = m_cal.Cellule(mois, jour);
    if (cellule.empty()) {
        setWindowTitle(titre);
        m_pb->unsetCursor();
        return;
    }
    m_pb->setCursor(Qt::PointingHandCursor);
    QString nom;
    if (cellule.size() > 1)
        nom = QString::number(cellule.size()) + u' ' + MLText(m_unions ? TexteUnions : TexteIndividus);
    else if (m_unions)
        nom = m_bd.FullName(m_bd.Husband(cellule[0])) + u' ' + MLText(TexteEt) + u' '
            + m_bd.FullName(m_bd.Wife(cellule[0]));
    else
        nom = m_bd.FullName(cellule[0]);
    setWindowTitle(titre + u" : "_s + nom);
}

QString TfmCal::TitreRapport(int mois, int jour) const
{
    const int fin = m_seFin->value();
    const QString date = DateLongue(jour, mois, fin);
    if (m_anniversaires)
        return MLText(TexteAnniversairesDu) + u' ' + date;
    QString titre = MLText(m_unions ? TexteUnionsEve : TextePersonnesEve) + u' ' + m_cbEve->currentText();
    if (m_seDeb->value() == fin)
        return titre + u' ' + MLText(TexteLe) + u' ' + date;
    return titre + u' '
        + MLFormat(TexteEntreLe, {QString::number(m_seDeb->value()), QString::number(fin), QString::number(jour),
                                  NomsMois[mois]});
}

void TfmCal::pbMouseDown(const QPoint &point)
{
    const auto [mois, jour] = CelluleCalEn(m_pb->size(), point);
    // Persons and unions deleted since the fill are no longer there to show.
    TR liste;
    for (int n : m_cal.Cellule(mois, jour)) {
        if (m_unions) {
            if (m_bd.CheckUnion(n) && m_bd.PersonInUse(m_bd.Husband(n)))
                liste.Add(m_bd.Husband(n));
        } else if (m_bd.PersonInUse(n)) {
            liste.Add(n);
        }
    }
    if (liste.Count() == 1) {
        m_selecFiche(liste.Get(1));
    } else if (liste.Count() > 0) {
        m_rapport.AfficheListe(liste, TitreRapport(mois, jour));
    }
}

bool TfmCal::CalculeCalendrier(const QString &chemin, QString *erreur)
{
    TPageCal page;
    page.Anniversaires = m_anniversaires;
    page.Pour = m_cbPour->currentText();
    page.Evenement = m_cbEve->currentText();
    page.Unions = m_unions;
    page.Debut = m_seDeb->value();
    page.Fin = m_seFin->value();
    const int entree = std::clamp(Options().CalNbre, BornesCalNbre.Min, BornesCalNbre.Max);
    page.Tableaux = TableauxParEntree[entree];
    page.WeekEnds = Options().CalWE;
    page.Fetes = Options().CalFete;
    THtml html(StyleOptions());
    PageCalendrier(html, m_bd, m_cal, page);
    return html.Enregistre(chemin, erreur);
}

void TfmCal::bPageWebClick()
{
    const QString nom = m_anniversaires ? u"anniversaires.htm"_s : u"calendrier.htm"_s;
    const QString chemin
        = Dialogues().FichierAEnregistrer(MLText(TexteEnregistrerPage), DossierGenealogie + nom, MLText(TexteFiltrePage));
    if (chemin.isEmpty())
        return;
    QString erreur;
    if (!CalculeCalendrier(chemin, &erreur)) {
        AppMessageBox(MLFormat(TextePageNonEcrite, {erreur}), MsgErreur, BoutonsOk);
        return;
    }
    Dialogues().AffichePage(chemin);
}
