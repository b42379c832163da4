#include "TfmStat.h"

#include <algorithm>
#include <tuple>

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

#include "BD.h"
#include "Cadence.h"
#include "Dialogues.h"
#include "Imprimantes.h"
#include "Fichiers.h"
#include "Globales.h"
#include "Langue.h"
#include "Options.h"
#include "Parente.h"
#include "Style.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"
#include "TfmStatDate.h"
#include "TxiloGraph.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteRapportVide = 701;
constexpr int TexteValeur = 856;
constexpr int TexteNesEntre = 857;
constexpr int TexteSelonRapport = 858;
constexpr int TexteColonne = 859;
constexpr int TexteValeurColonne = 860;
constexpr int TextePlageRefusee = 7900;
constexpr int TexteImpressionRatee = 7901;
constexpr int TexteImprimerPdf = 7902;

constexpr int SourceToutes = 0;
constexpr int SourceNesEntre = 1;
constexpr int SourceRapport = 2;

// The ranges the window opens on, whatever was left last time: a century
// by decades, ages by decades.
constexpr TPlageStat AgesOuverture{0, 100, 10};
constexpr TPlageStat AnneesOuverture{1900, 2000, 10};

// A list wide enough for its longest entry: the source's entry grows with
// its period or its count.
void ajusteLargeur(QComboBox *liste)
{
    int texte = 0;
    for (int i = 0; i < liste->count(); ++i)
        texte = std::max(texte, liste->fontMetrics().horizontalAdvance(liste->itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(liste);
    const QSize taille = liste->style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                          QSize(texte, liste->fontMetrics().height()), liste);
    liste->setMinimumWidth(taille.width());
}

int entier(const QLineEdit *edit)
{
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    return ok ? v : 0;
}

} // namespace

// The progress bar of the window. A statistic over a large database takes
// a while: the window repaints meanwhile, but user input waits, so that no
// second computation starts inside the first. The bar is redrawn a few
// times a second only: redrawn at every step it would cost more than the
// count itself.
class TfmStat::TProgressionStat final : public TProgression
{
public:
    explicit TProgressionStat(QProgressBar *barre)
        : m_barre(barre)
    {
    }
    void Maximum(int n) override
    {
        m_barre->setMaximum(std::max(n, 1));
        m_cadence.Relance();
    }
    void Position(int i) override
    {
        if (i == 0) {
            m_barre->setValue(0);
            m_cadence.Relance();
        } else if (m_cadence.Echue()) {
            m_barre->setValue(i);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }

private:
    QProgressBar *m_barre;
    TCadence m_cadence;
};

TfmStat::TfmStat(const TBD &bd, TfmRapport &rapport, TReglagesStat &reglages,
                 std::function<QPrinter &()> imprimante, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_bd(bd)
    , m_rapport(rapport)
    , m_reglages(reglages)
    , m_imprimante(std::move(imprimante))
{
    setObjectName(u"fmStat"_s);
    setWindowTitle(u"Statistiques"_s);
    resize(560, 420);

    m_cbVoir = new QComboBox(this);
    m_cbVoir->setObjectName(u"cbVoir"_s);
    // Styles that open the list around the chosen entry show every line.
    m_cbVoir->setMaxVisibleItems(16);
    // The list gives way to the source and the range edits when the window
    // is narrow: the name of a source with its period must show whole.
    m_cbVoir->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbVoir->setMinimumContentsLength(16);
    for (int i = 0; i < NbStatistiques; ++i)
        m_cbVoir->addItem(NomStatistique(i));
    m_cbPour = new QComboBox(this);
    m_cbPour->setObjectName(u"cbPour"_s);
    m_cbPour->addItems({u"Toutes les personnes"_s, u"Né entre date"_s, u"Selon rapport"_s});
    ajusteLargeur(m_cbPour);

    auto edit = [this](const QString &nom, const QString &texte) {
        auto *e = new QLineEdit(texte, this);
        e->setObjectName(nom);
        e->setMaximumWidth(60);
        connect(e, &QLineEdit::editingFinished, this, &TfmStat::MinMaxPasExit);
        return e;
    };
    m_pMinMax = new QWidget(this);
    m_pMinMax->setObjectName(u"pMinMax"_s);
    m_eMin = edit(u"eMin"_s, u"1900"_s);
    m_eMax = edit(u"eMax"_s, u"2100"_s);
    auto *minMax = new QHBoxLayout(m_pMinMax);
    minMax->setContentsMargins(0, 0, 0, 0);
    minMax->addWidget(new QLabel(u"de"_s, m_pMinMax));
    minMax->addWidget(m_eMin);
    minMax->addWidget(new QLabel(u"à"_s, m_pMinMax));
    minMax->addWidget(m_eMax);
    m_pPas = new QWidget(this);
    m_pPas->setObjectName(u"pPas"_s);
    m_ePas = edit(u"ePas"_s, u"10"_s);
    auto *pas = new QHBoxLayout(m_pPas);
    pas->setContentsMargins(0, 0, 0, 0);
    pas->addWidget(new QLabel(u"pas de"_s, m_pPas));
    pas->addWidget(m_ePas);
    m_pMinMax->hide();
    m_pPas->hide();

    m_m = new QPlainTextEdit(this);
    m_m->setObjectName(u"M"_s);
    m_m->setMaximumHeight(90);

    m_graph = new TxiloGraph(this);
    m_graph->setObjectName(u"Graph"_s);
    m_graph->SetPaintOnChange(false);
    m_graph->SetMargeX(42);
    m_graph->SetMargeY(20);
    m_graph->SetColLarge(75);
    m_graph->SetMaxiY(0);
    m_graph->SetColor(Qt::white);
    m_graph->SetColorBar(Qt::white);
    m_graph->SetCursorSel(Qt::PointingHandCursor);
    m_graph->ValX().clear();
    m_graph->ValY().clear();
    m_graph->SetPaintOnChange(true);
    m_graph->SetOnMouseMove([this](TxiloGraph *, int col, int val) { GraphMouseMove(col, val); });
    m_graph->SetOnMouseColonneClick([this](TxiloGraph *, int col, int) { GraphMouseColonneClick(col); });
    m_graph->setMinimumSize(150, 150);

    m_lVal = new QLabel(this);
    m_lVal->setObjectName(u"lVal"_s);
    m_lVal->setMinimumWidth(100);
    m_pb = new QProgressBar(this);
    m_pb->setObjectName(u"PB"_s);
    m_pb->setTextVisible(false);
    m_pb->setFixedHeight(16);
    m_pb->setValue(0);
    m_progression = std::make_unique<TProgressionStat>(m_pb);

    auto *haut = new QHBoxLayout;
    haut->addWidget(m_cbVoir, 1);
    haut->addWidget(m_cbPour);
    haut->addWidget(m_pMinMax);
    haut->addWidget(m_pPas);
    auto *bas = new QHBoxLayout;
    bas->addWidget(m_lVal);
    bas->addWidget(m_pb, 1);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(4, 4, 4, 4);
    colonne->addLayout(haut);
    colonne->addWidget(m_m);
    colonne->addWidget(m_graph, 1);
    colonne->addLayout(bas);

    // Only the user's choices run the handlers: the window's own changes of
    // the lists compute nothing by themselves.
    connect(m_cbVoir, &QComboBox::activated, this, &TfmStat::cbVoirChange);
    connect(m_cbPour, &QComboBox::activated, this, &TfmStat::cbPourChange);
    MLTranslateForm(this);
}

TfmStat::~TfmStat()
{
    // Closing the window moves the focus out of an edit, which would read
    // the range and compute with members already gone.
    for (QLineEdit *edit : {m_eMin, m_eMax, m_ePas})
        disconnect(edit, nullptr, this, nullptr);
    m_graph->SetOnMouseMove({});
    m_graph->SetOnMouseColonneClick({});
}

int TfmStat::Statistique() const
{
    return std::max(0, m_cbVoir->currentIndex());
}

TPlageStat &TfmStat::PlageCourante()
{
    return m_mode == 1 ? m_ages : m_annees;
}

void TfmStat::MontrePlage()
{
    const TPlageStat &p = PlageCourante();
    m_eMin->setText(QString::number(p.Min));
    m_eMax->setText(QString::number(p.Max));
    m_ePas->setText(QString::number(p.Pas));
}

void TfmStat::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    const QColor barres = TxiloStyleEdit::HtmlToColor(StyleOptions().GetStyleValue(u".statgraph"_s, u"background-color"_s));
    m_graph->SetColorBar(barres.isValid() ? barres : QColor(Qt::white));
    emit Montree();
    if (m_premiere) {
        m_premiere = false;
        m_cbVoir->setCurrentIndex(StatAgeDeces);
        m_cbPour->setCurrentIndex(SourceToutes);
    }
    // Every showing starts from the usual ranges; the settings follow them.
    m_ages = AgesOuverture;
    m_annees = AnneesOuverture;
    TReglagesStat &r = m_reglages;
    r.AgeMin = m_ages.Min;
    r.AgeMax = m_ages.Max;
    r.AgePas = m_ages.Pas;
    r.AnneeMin = m_annees.Min;
    r.AnneeMax = m_annees.Max;
    r.AnneePas = m_annees.Pas;
    m_resultat = TResultatStat();
    // The birth period is not asked again: the one chosen last serves.
    ChoisitSource(false);
    cbVoirChange();
}

void TfmStat::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    m_source.Clear();
    m_resultat = TResultatStat();
    emit Cachee();
}

void TfmStat::BaseRechargee()
{
    // The numbers of the source name persons of the previous database.
    m_cbPour->setCurrentIndex(SourceToutes);
    MontrePanneaux();
    m_colonne = -1;
    m_source.Clear();
    m_resultat = TResultatStat();
    if (isVisible()) {
        ChoisitSource(false);
        Affiche();
    }
}

void TfmStat::cbVoirChange()
{
    int entree = m_cbVoir->currentIndex();
    if (entree < 0 || EstSeparateur(entree)) {
        entree = StatSexe;
        m_cbVoir->setCurrentIndex(entree);
    }
    const bool ages = StatistiqueAges(entree);
    const bool annees = StatistiqueAnnees(entree);
    if (ages || annees)
        m_mode = ages ? 1 : 0;
    MontrePlage();
    MontrePanneaux();
    m_colonne = -1;
    MinMaxPasExit();
}

void TfmStat::MontrePanneaux()
{
    const int entree = Statistique();
    const bool plage = StatistiqueAges(entree) || StatistiqueAnnees(entree);
    m_pMinMax->setVisible(plage || m_cbPour->currentIndex() == SourceNesEntre);
    m_pPas->setVisible(plage);
}

void TfmStat::MinMaxPasExit()
{
    const TPlageStat lue = CorrigePlage(entier(m_eMin), entier(m_eMax), entier(m_ePas));
    const qint64 colonnes = ColonnesPlage(lue);
    if (colonnes > MaxColonnesStat) {
        AppMessageBox(MLFormat(TextePlageRefusee, {QString::number(colonnes), QString::number(MaxColonnesStat)}),
                      MsgAvertissement, BoutonsOk);
    } else {
        PlageCourante() = lue;
        TReglagesStat &r = m_reglages;
        if (m_mode == 1) {
            r.AgeMin = lue.Min;
            r.AgeMax = lue.Max;
            r.AgePas = lue.Pas;
        } else {
            r.AnneeMin = lue.Min;
            r.AnneeMax = lue.Max;
            r.AnneePas = lue.Pas;
        }
    }
    MontrePlage();
    Affiche();
}

void TfmStat::cbPourChange()
{
    ChoisitSource(true);
    MontrePanneaux();
    Affiche();
}

void TfmStat::ChoisitSource(bool demande)
{
    switch (m_cbPour->currentIndex()) {
    case SourceNesEntre: {
        int debut = m_reglages.DateMin;
        int fin = m_reglages.DateMax;
        if (demande) {
            std::tie(debut, fin) = DemandePeriode(debut, fin, this);
            if (debut + fin < 1)
                break;
            m_reglages.DateMin = debut;
            m_reglages.DateMax = fin;
        }
        m_cbPour->setItemText(SourceNesEntre, MLFormat(TexteNesEntre, {QString::number(debut), QString::number(fin)}));
        ajusteLargeur(m_cbPour);
        m_source = PersonnesNeesEntre(m_bd, debut, fin);
        return;
    }
    case SourceRapport: {
        // Rows whose value is no person (headings, counts) are not persons
        // to count, nor are persons deleted since the report was made.
        const TBKStringGrid *grille = m_rapport.Grille();
        TR source;
        for (int r = 1; r < grille->RowCount(); ++r) {
            const int p = grille->GetRowData(r);
            if (p > 0 && m_bd.PersonInUse(p))
                source.Add(p);
        }
        if (source.IsEmpty()) {
            AppMessageBox(MLText(TexteRapportVide), MsgInformation, BoutonsOk);
            break;
        }
        m_cbPour->setItemText(SourceRapport, MLFormat(TexteSelonRapport, {QString::number(source.Count())}));
        ajusteLargeur(m_cbPour);
        m_source = source;
        return;
    }
    default:
        break;
    }
    m_cbPour->setCurrentIndex(SourceToutes);
    m_source = AllPersons(m_bd);
}

void TfmStat::Affiche()
{
    if (m_calcul)
        return;
    m_calcul = true;
    m_resultat = CalculeStatistique(m_bd, m_source, Statistique(), m_colonne, m_ages, m_annees, m_progression.get());
    m_graph->ValX() = m_resultat.ValX;
    m_graph->ValY() = m_resultat.ValY;
    m_graph->update();
    m_m->setPlainText(m_resultat.Commentaire.join(u'\n'));
    m_pb->setValue(0);
    m_calcul = false;
}

void TfmStat::GraphMouseMove(int col, int val)
{
    m_lVal->setText(col < 0 ? QString() : MLText(TexteValeur) + u' ' + QString::number(val));
}

void TfmStat::GraphMouseColonneClick(int col)
{
    if (m_rapport.Occupe())
        return;
    m_colonne = col;
    Affiche();
    if (col < 0 || col >= m_resultat.ValY.size())
        return;
    const QString titre = NomStatistique(Statistique()) + u" : "_s + m_resultat.Noms.value(col) + u'='
        + m_resultat.ValY[col];
    if (m_rapport.AfficheListe(m_resultat.Resultat, titre))
        m_rapport.setWindowTitle(titre);
}

void TfmStat::StatToRapport()
{
    if (!m_rapport.InitRapport())
        return;
    TBKStringGrid *grille = m_rapport.Grille();
    const int n = static_cast<int>(m_resultat.ValY.size());
    grille->Clear();
    grille->SetColCount(2);
    grille->SetRowCount(n + 1);
    grille->SetColumn(0, MLText(TexteColonne), 0, 0);
    grille->SetColumn(1, MLText(TexteValeurColonne), 0, 2);
    for (int k = 0; k < n; ++k) {
        grille->SetRow(k + 1, {m_resultat.Noms.value(k), m_resultat.ValY[k]});
        grille->SetRowData(k + 1, 0);
    }
    m_rapport.FinRapport();
    m_rapport.setWindowTitle(NomStatistique(Statistique()));
}

bool TfmStat::Imprime()
{
    if (!m_imprimante)
        return false;
    QPrinter &imprimante = m_imprimante();
    if (imprimante.outputFormat() == QPrinter::PdfFormat) {
        if (!DemandeFichierPdf(imprimante, MLText(TexteImprimerPdf), DossierGenealogie + u"statistiques.pdf"_s))
            return false;
    } else if (!Dialogues().DialogueImpression(imprimante, 1, 1)) {
        return false;
    }
    imprimante.setDocName(windowTitle());
    const QString destination = imprimante.outputFileName().isEmpty() ? imprimante.printerName()
                                                                      : imprimante.outputFileName();
    QPainter peintre;
    // A pipe as the output file would keep the program waiting for a reader.
    bool ok = ObstacleEcriture(imprimante.outputFileName()).isEmpty() && peintre.begin(&imprimante);
    if (ok) {
        // The window as it stands on screen, as large as the page allows,
        // centred across the page.
        const QSizeF page = imprimante.pageLayout().paintRectPixels(imprimante.resolution()).size();
        const double echelle = std::min(page.width() / width(), page.height() / height());
        peintre.translate((page.width() - width() * echelle) / 2, 0);
        peintre.scale(echelle, echelle);
        render(&peintre, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        ok = peintre.end() && imprimante.printerState() != QPrinter::Error;
    }
    if (!ok)
        AppMessageBox(MLFormat(TexteImpressionRatee, {destination}), MsgErreur, BoutonsOk);
    else if (!imprimante.outputFileName().isEmpty())
        emit Enregistrees(imprimante.outputFileName());
    return ok;
}
