#include "TfmRapport.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "BD.h"
#include "Cadence.h"
#include "Fichiers.h"
#include "Globales.h"
#include "Ini.h"
#include "Langue.h"
#include "Modeles.h"
#include "ModelesRapport.h"
#include "ModelesUtilisateur.h"
#include "Selections.h"
#include "Style.h"
#include "TBKStringGrid.h"
#include "Voisinage.h"

using namespace Qt::StringLiterals;

namespace {

// A column count read from a file is trusted only up to this: a hand-edited
// count of millions would build as many editor rows and grid columns.
constexpr int MaxColonnes = 256;
constexpr int MaxLargeur = 4000;
constexpr int LargeurDefaut = 100;

const QString SectionLignee = u"Lignee"_s;
const QString SectionColonne = u"Colonne"_s;

QString cle(const char *nom, int i)
{
    return QLatin1String(nom) + u' ' + QString::number(i);
}

// A cell as a field of the delimited text: as it stands, unless it holds
// what would split it, when it is quoted the usual way so that a reader
// gets the cell back.
void ajouteChamp(QString &sortie, const QString &cellule, const QString &separateur)
{
    const bool aQuoter = (!separateur.isEmpty() && cellule.contains(separateur)) || cellule.contains(u'"')
                         || cellule.contains(u'\r') || cellule.contains(u'\n');
    if (!aQuoter) {
        sortie += cellule;
        return;
    }
    QString double_ = cellule;
    double_.replace(u"\""_s, u"\"\""_s);
    sortie += u'"' + double_ + u'"';
}

QColor couleurStyle(const char *selecteur, const QColor &defaut)
{
    const QColor c = TxiloStyleEdit::HtmlToColor(
        StyleOptions().GetStyleValue(QLatin1String(selecteur), u"background-color"_s));
    return c.isValid() ? c : defaut;
}

class TBarreProgression final : public TProgression
{
public:
    explicit TBarreProgression(QProgressBar *barre) : m_barre(barre) {}
    void Maximum(int n) override { m_barre->setMaximum(std::max(n, 0)); }
    void Position(int i) override { m_barre->setValue(i); }

private:
    QProgressBar *m_barre;
};

} // namespace

// Paints the cells: the background by the line styling, the text 1 pixel in
// from the top left corner, clipped to the cell.
class TfmRapport::TDelegueLignes final : public QStyledItemDelegate
{
public:
    explicit TDelegueLignes(TfmRapport &rapport) : QStyledItemDelegate(&rapport), m_rapport(rapport) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QColor fond = (option.state & QStyle::State_Selected)
                                ? option.palette.color(QPalette::Button)
                                : m_rapport.CouleurLigne(index.row() + 1);
        painter->fillRect(option.rect, fond);
        painter->setPen(option.palette.color(QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
    }

private:
    TfmRapport &m_rapport;
};

TfmRapport::TfmRapport(TBD &bd, THoteRapport &hote, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_bd(bd)
    , m_hote(hote)
{
    setObjectName(u"fmRapport"_s);
    setWindowTitle(u"Rapport"_s);
    resize(544, 393);

    m_grille = new TBKStringGrid(this);
    m_grille->setObjectName(u"sgRapport"_s);
    m_grille->setToolTip(u"Aperçu du rapport. Pour trier les colonnes, cliquez sur le titre. Vous pouvez "
                         "permuter et élargir les colonnes. Si l'affichage des fiches est actif, cliquez "
                         "sur un nom pour l'afficher."_s);
    m_grille->setItemDelegate(new TDelegueLignes(*this));
    m_grille->horizontalHeader()->setSectionsMovable(true);
    m_grille->horizontalHeader()->setCursor(Qt::PointingHandCursor);
    m_grille->viewport()->setMouseTracking(true);
    m_grille->viewport()->installEventFilter(this);
    m_grille->installEventFilter(this);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(u"Memo1"_s);
    m_memo->setPlainText(u"Liste de personne vide.\nCliquez sur un bouton de la page \"Rapport\" \npour en créer un."_s);
    m_memo->setEnabled(false);
    m_memo->setFrameShape(QFrame::NoFrame);

    m_barre = new QProgressBar(this);
    m_barre->setObjectName(u"Bar"_s);
    m_barre->setFixedHeight(16);
    m_barre->setTextVisible(false);
    m_barre->setRange(0, 100);
    m_barre->setValue(0);
    m_progression = std::make_unique<TBarreProgression>(m_barre);

    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(m_grille, 1);
    disposition->addWidget(m_memo, 1);
    disposition->addWidget(m_barre);

    connect(m_grille, &TBKStringGrid::TitleClicked, this, &TfmRapport::TitreClic);
    connect(m_grille, &TBKStringGrid::RowClicked, this, &TfmRapport::SelecFiche);
    connect(m_grille->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int largeur) { LargeurChangee(col, largeur); });

    LitCouleurs();
    AppliqueCouleurTitre();
    AfficheGrille();
    MLTranslateForm(this);
    m_titreFenetre = windowTitle();
}

TfmRapport::~TfmRapport()
{
    if (m_curseurAttente)
        QApplication::restoreOverrideCursor();
}

TBKStringGrid *TfmRapport::Grille() const
{
    return m_grille;
}

TProgression *TfmRapport::Progression() const
{
    return m_progression.get();
}

std::vector<TColonneModele> &TfmRapport::Modele()
{
    return m_modele;
}

const QString &TfmRapport::NomModele() const
{
    return m_nomModele;
}

const TR &TfmRapport::Liste() const
{
    return m_liste;
}

const QString &TfmRapport::Titre() const
{
    return m_titre;
}

void TfmRapport::DefinitTitre(const QString &titre)
{
    m_titre = titre;
}

bool TfmRapport::Occupe() const
{
    return m_occupe;
}

int TfmRapport::StyleLignes() const
{
    return m_styleLignes;
}

void TfmRapport::SetStyleLignes(int style)
{
    m_styleLignes = style == -1 ? 1 : style;
    LitCouleurs();
    AppliqueCouleurTitre();
    m_grille->viewport()->update();
}

// ---- Column model file ---------------------------------------------------

bool TfmRapport::Charge(const QString &chemin, QString *erreur)
{
    const QString fichier = CheminSansCasse(chemin);
    // Nothing read, nothing changed: a model that cannot be used leaves the
    // report its columns and the model name, so that the next save does not
    // write the columns in use over the file that could not be read. A pipe
    // or a device is never opened: reading it could wait forever.
    QString raison = ObstacleLecture(fichier);
    QFile test(fichier);
    if (raison.isEmpty() && !test.open(QIODevice::ReadOnly))
        raison = MLTextOu(9400, u"il ne peut pas être ouvert"_s);
    if (raison.isEmpty() && test.size() == 0)
        raison = MLTextOu(9401, u"il est vide"_s);
    test.close();
    if (raison.isEmpty() && LitColonnes(TIniFile(fichier, TEncodage::Windows1252), &raison)) {
        m_nomModele = QFileInfo(chemin).completeBaseName();
        emit ModeleCharge();
        return true;
    }
    if (erreur)
        *erreur = FormatTexte(MLTextOu(9402, u"Le modèle de colonnes « %1 » ne peut pas être lu : %2. Les colonnes "
                                            "du rapport n'ont pas été changées."_s),
                              {QDir::toNativeSeparators(fichier), raison});
    return false;
}

bool TfmRapport::ChargeColonnes(const TIniFile &ini, QString *raison)
{
    if (!LitColonnes(ini, raison))
        return false;
    emit ModeleCharge();
    return true;
}

bool TfmRapport::LitColonnes(const TIniFile &ini, QString *raison)
{
    // An older model kept only its column count, without titles or codes:
    // applying it would leave columns without content.
    if (ini.ReadString(SectionLignee, u"Version"_s) != u"2"_s) {
        if (raison)
            *raison = MLTextOu(9403, u"ce n'est pas un modèle de colonnes de cette version"_s);
        return false;
    }
    // -1 (or no count) says there is nothing to read; any other negative
    // count is taken for it rather than read as a number of columns.
    int n = ini.ReadInteger(SectionColonne, u"Nbre"_s, -1);
    if (n < 0) {
        if (raison)
            *raison = MLTextOu(9404, u"il ne donne pas le nombre de ses colonnes"_s);
        return false;
    }
    n = std::min(n, MaxColonnes);
    m_modele.assign(static_cast<size_t>(n), TColonneModele());
    const QString typeDefaut = MLTextOu(2005, u"Texte"_s);
    for (int i = 1; i <= n; ++i) {
        TColonneModele &c = m_modele[static_cast<size_t>(i - 1)];
        c.Titre = ini.ReadString(SectionColonne, cle("Titre", i));
        c.Code = ini.ReadString(SectionColonne, cle("Code", i));
        c.Type = ini.ReadString(SectionColonne, cle("Type", i), typeDefaut);
        const int large = ini.ReadInteger(SectionColonne, cle("Large", i), LargeurDefaut);
        c.Large = large >= 1 && large <= MaxLargeur ? large : LargeurDefaut;
    }
    return true;
}

bool TfmRapport::Sauve(const QString &chemin, QString *erreur)
{
    // The model is written as a new file: built in memory by the settings
    // file writer, then saved in one piece, so that nothing of an older file
    // of that name survives and a failed write leaves it whole.
    TIniFile ini(QString(), TEncodage::Windows1252);
    SauveColonnes(ini);
    return EcritTexteWindows1252(CheminSansCasse(chemin), ini.Text(), erreur);
}

void TfmRapport::SauveColonnes(TIniFile &ini) const
{
    ini.WriteInteger(SectionLignee, u"Version"_s, 2);
    const int n = static_cast<int>(m_modele.size());
    ini.WriteInteger(SectionColonne, u"Nbre"_s, n);
    for (int i = 1; i <= n; ++i) {
        const TColonneModele &c = m_modele[static_cast<size_t>(i - 1)];
        ini.WriteString(SectionColonne, cle("Titre", i), c.Titre);
        ini.WriteString(SectionColonne, cle("Code", i), c.Code);
        ini.WriteString(SectionColonne, cle("Type", i), c.Type);
        ini.WriteInteger(SectionColonne, cle("Large", i), c.Large);
    }
}

// The user's column widths go into the model, so that saving the model keeps
// them and the next fill shows them again.
void TfmRapport::LargeurChangee(int col, int largeur)
{
    if (m_occupe || !m_grilleModele || col < 0 || col >= static_cast<int>(m_modele.size()) || largeur < 1)
        return;
    m_modele[static_cast<size_t>(col)].Large = std::min(largeur, MaxLargeur);
}

// ---- Fills ---------------------------------------------------------------

void TfmRapport::RemplitTableau(const TR &liste)
{
    if (m_occupe)
        return;
    m_occupe = true;
    if (m_nomModele.isEmpty()) {
        Charge(FichierModele(DossiersRapport(), NomModeleDefaut, u".mvr"_s));
        m_nomModele = NomModeleDefaut;
    }

    // Window messages are processed during the fill, and they may replace the
    // caller's list or the model: the fill works on copies.
    const TR personnes = liste;
    const std::vector<TColonneModele> colonnes = m_modele;
    const int n = personnes.Count();
    const int nc = static_cast<int>(colonnes.size());

    setWindowTitle(MLTextOu(571, u"Remplissage du tableau..."_s));
    m_grilleModele = false;
    m_grille->Clear();
    m_grille->SetColCount(nc);
    m_grille->SetRowCount(n + 1);
    const QString date = MLTextOu(572, u"Date"_s);
    const QString nombre = MLTextOu(573, u"Nombre"_s);
    for (int i = 0; i < nc; ++i) {
        const TColonneModele &c = colonnes[static_cast<size_t>(i)];
        const int sorte = c.Type == date ? 1 : (c.Type == nombre ? 2 : 0);
        m_grille->SetColumn(i, c.Titre, c.Large, sorte);
    }
    m_grille->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    AjusteLargeur(false);

    m_barre->setMaximum(std::max(n, 1));
    QStringList cellules;
    TCadence cadence;
    for (int k = 1; k <= n; ++k) {
        const int p = personnes.Get(k);
        m_grille->SetRowData(k, p);
        cellules.clear();
        for (const TColonneModele &c : colonnes)
            cellules << ExpandTemplate(m_bd, p, c.Code);
        m_grille->SetRow(k, cellules);
        if (cadence.Echue()) {
            m_barre->setValue(k);
            QCoreApplication::processEvents();
            if (m_abandon)
                break;
        }
    }
    m_barre->setValue(0);
    if (Abandonne())
        return;
    m_grilleModele = true;

    const QString compte = n > 1 ? MLTextOu(599, u"(%1 personnes)"_s) : MLTextOu(7200, u"(%1 personne)"_s);
    setWindowTitle(m_titre + u' ' + compte.arg(QString::number(n)));
    AfficheGrille();
    AppliqueCouleurTitre();
    SelectionneValeur(m_hote.SelecPers());
    m_occupe = false;
    ApresRemplissage();
}

bool TfmRapport::AfficheListe(const TR &liste, const QString &titre)
{
    if (m_occupe)
        return false;
    // Taken before the fill, which lets window messages through.
    m_source = FenetreSource();
    m_liste = liste;
    m_titre = titre;
    RemplitTableau(m_liste);
    if (!isVisible()) {
        // The list handed over is what the window must show, even empty:
        // showing it is no reason to start again from every person.
        const bool avant = std::exchange(m_remise, true);
        m_hote.MontreRapport();
        m_remise = avant;
    }
    emit ListeChangee();
    Presente();
    return true;
}

void TfmRapport::DefinitListe(const TR &liste)
{
    m_liste = liste;
    emit ListeChangee();
}

bool TfmRapport::Interrompu() const
{
    return m_abandon;
}

bool TfmRapport::InitRapport()
{
    if (m_occupe)
        return false;
    m_occupe = true;
    m_source = FenetreSource();
    setWindowTitle(MLTextOu(570, u"Préparation du rapport..."_s));
    m_liste.Clear();
    emit ListeChangee();
    m_grilleModele = false;
    const int lignes = std::min(m_grille->RowCount(), TR::Capacity + 1);
    for (int r = 1; r < lignes; ++r)
        m_grille->SetRowData(r, 0);
    m_grille->ResetSort();
    m_grille->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (!isVisible())
        m_hote.MontreRapport();
    if (!m_curseurAttente) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_curseurAttente = true;
    }
    return true;
}

void TfmRapport::FinRapport()
{
    m_barre->setValue(0);
    if (m_curseurAttente) {
        QApplication::restoreOverrideCursor();
        m_curseurAttente = false;
    }
    if (Abandonne())
        return;
    AfficheGrille();
    AppliqueCouleurTitre();
    AjusteLargeur(true);
    m_occupe = false;
    Presente();
    ApresRemplissage();
}

QWidget *TfmRapport::FenetreSource() const
{
    QWidget *active = QApplication::activeWindow();
    return active && active != this && active->isVisible() ? active : nullptr;
}

void TfmRapport::Presente()
{
    const QPointer<QWidget> source = std::exchange(m_source, nullptr);
    if (!isVisible())
        return;
    // The window that asked for the report is where the user works: the
    // report goes beside it, above it whatever it covers. A report left
    // under a window that stays on top would look as if the click had done
    // nothing.
    bool couvre = false;
    if (source && source->isVisible()) {
        MetEnVue(source->frameGeometry());
        couvre = frameGeometry().intersects(source->frameGeometry());
    }
    // Beside its window, the report needs no keyboard: the user goes on
    // where he was (a list of the options window walked with the arrows).
    MonteAuDessus(this, source, couvre);
}

int TfmRapport::LargeurColonnes() const
{
    int somme = 0;
    for (int i = 0; i < m_grille->ColCount(); ++i)
        somme += m_grille->ColWidth(i) + 1;
    return somme + 16;
}

void TfmRapport::MetEnVue(const QRect &servi)
{
    const QScreen *ecran = QGuiApplication::screenAt(servi.center());
    if (!ecran)
        ecran = screen();
    if (!ecran)
        return;
    const QRect zone = m_hote.ZoneLibre();
    const QRect permis = zone.isValid() ? zone.intersected(ecran->availableGeometry()) : ecran->availableGeometry();
    const QMargins cadre = CadreDe(this);
    // A report cut to its first column is of no use: it keeps the width its
    // columns need, up to half the screen. Made lower, it still shows a few
    // rows and scrolls to the others.
    const int largeur = std::min({LargeurColonnes(), ecran->availableGeometry().width() / 2 - cadre.left() - cadre.right(),
                                  permis.width() - cadre.left() - cadre.right()});
    if (width() < largeur)
        resize(largeur, height());
    const int quelquesLignes = m_grille->horizontalHeader()->sizeHint().height()
                               + 4 * m_grille->verticalHeader()->defaultSectionSize() + 2 * m_grille->frameWidth()
                               + m_barre->height();
    const QSize minimum(largeur, std::max(std::min(height(), quelquesLignes), minimumSizeHint().height()));
    MetACote(this, servi, zone, minimum);
    const QRect r = frameGeometry();
    if (!r.intersects(servi) && permis.contains(r))
        return;
    // No side has room for it: it goes where it covers the least of that
    // window, whole on the screen, rather than being cut.
    QRect meilleur;
    qint64 moindre = -1;
    const QSize taille = r.size().boundedTo(permis.size());
    for (int cote = 0; cote < 4; ++cote) {
        QRect essai(r.topLeft(), taille);
        essai.moveLeft(std::clamp(essai.left(), permis.left(), permis.right() - taille.width() + 1));
        essai.moveTop(std::clamp(essai.top(), permis.top(), permis.bottom() - taille.height() + 1));
        switch (cote) {
        case 0:
            essai.moveRight(permis.right());
            break;
        case 1:
            essai.moveLeft(permis.left());
            break;
        case 2:
            essai.moveBottom(permis.bottom());
            break;
        default:
            essai.moveTop(permis.top());
            break;
        }
        const QRect commun = essai.intersected(servi);
        const qint64 aire = commun.isEmpty() ? 0 : qint64(commun.width()) * commun.height();
        if (moindre < 0 || aire < moindre) {
            meilleur = essai;
            moindre = aire;
        }
    }
    PlaceCadre(this, meilleur);
}

void TfmRapport::Vide()
{
    m_liste.Clear();
    m_titre.clear();
    emit ListeChangee();
    if (m_occupe) {
        m_abandon = true;
        return;
    }
    VideGrille();
    if (isVisible())
        ToutesLesPersonnes();
}

void TfmRapport::PersonnesChangees()
{
    if (m_occupe) {
        m_personnesChangees = true;
        return;
    }
    m_personnesChangees = false;
    TR reste;
    for (int k = 1; k <= m_liste.Count(); ++k) {
        const int p = m_liste.Get(k);
        if (m_bd.PersonInUse(p))
            reste.Add(p);
    }
    if (reste.Count() != m_liste.Count()) {
        m_liste = reste;
        emit ListeChangee();
    }
    if (!m_grilleModele) {
        // A table of counts or places cannot be computed again here; its
        // rows of persons that are gone can go.
        RetireLignesOrphelines();
        return;
    }
    // Merged persons changed their names and dates, not only their number:
    // the rows are written again, in the order the user sorted them.
    const int colonne = m_grille->SortedColumn();
    const bool ascendant = m_grille->SortAscending();
    RemplitTableau(m_liste);
    if (colonne >= 0 && !m_occupe && m_grilleModele)
        TrieColonne(colonne, ascendant);
}

void TfmRapport::RetireLignesOrphelines()
{
    const int lignes = m_grille->RowCount();
    const int colonnes = m_grille->ColCount();
    const int selection = m_grille->GetRowData(m_grille->SelectedRow());
    int garde = 1;
    for (int r = 1; r < lignes; ++r) {
        const int p = m_grille->GetRowData(r);
        if (p > 0 && !m_bd.PersonInUse(p))
            continue;
        if (garde != r) {
            QStringList cellules;
            cellules.reserve(colonnes);
            for (int c = 0; c < colonnes; ++c)
                cellules << m_grille->Cell(c, r);
            m_grille->SetRow(garde, std::move(cellules));
            m_grille->SetRowData(garde, p);
        }
        ++garde;
    }
    if (garde == lignes)
        return;
    for (int r = garde; r < lignes; ++r)
        m_grille->SetRowData(r, 0);
    m_grille->SetRowCount(garde);
    AfficheGrille();
    if (selection > 0)
        SelectionneValeur(selection);
}

void TfmRapport::ApresRemplissage()
{
    if (m_personnesChangees && !m_occupe)
        PersonnesChangees();
}

void TfmRapport::VideGrille()
{
    m_grilleModele = false;
    const int lignes = std::min(m_grille->RowCount(), TR::Capacity + 1);
    for (int r = 1; r < lignes; ++r)
        m_grille->SetRowData(r, 0);
    m_grille->SetRowCount(1);
    m_grille->ResetSort();
    m_grille->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setWindowTitle(m_titreFenetre);
    AfficheGrille();
}

bool TfmRapport::Abandonne()
{
    if (!m_abandon)
        return false;
    // The rows written so far hold numbers of the database that was
    // replaced: none of them may stay.
    m_abandon = false;
    VideGrille();
    m_occupe = false;
    if (isVisible())
        ToutesLesPersonnes();
    return true;
}

void TfmRapport::AfficheGrille()
{
    const bool donnees = m_grille->RowCount() >= 2;
    m_grille->setVisible(donnees);
    m_memo->setVisible(!donnees);
}

// The window takes the width of its columns; a fill keeps a wider window as
// it is, since the user may have widened it on purpose.
void TfmRapport::AjusteLargeur(bool toujours)
{
    const int largeur = LargeurColonnes();
    if (toujours || largeur < 640 + 16)
        resize(largeur, height());
}

// ---- Rows shown ----------------------------------------------------------

void TfmRapport::SelectionneValeur(int valeur)
{
    const int lignes = m_grille->RowCount();
    for (int r = 0; r < lignes; ++r) {
        if (m_grille->GetRowData(r) == valeur) {
            m_grille->SelectRow(r);
            return;
        }
    }
    m_grille->SelectRow(0);
}

void TfmRapport::TitreClic(int col)
{
    // A sort during a fill would mix the rows written so far with the next.
    if (m_occupe)
        return;
    TrieColonne(col, !m_dernierTriCroissant);
}

void TfmRapport::TrieColonne(int col, bool ascendant)
{
    if (col < 0 || col >= m_grille->ColCount())
        return;
    const int valeur = m_grille->GetRowData(m_grille->SelectedRow());
    const QString titre = windowTitle();
    setWindowTitle(MLTextOu(588, u"Tri en cours..."_s));
    m_grille->SortColumn(col, ascendant, m_progression.get());
    m_dernierTriCroissant = ascendant;
    m_grille->horizontalHeader()->setSortIndicatorShown(true);
    m_grille->horizontalHeader()->setSortIndicator(col, ascendant ? Qt::AscendingOrder : Qt::DescendingOrder);
    setWindowTitle(titre);
    m_barre->setValue(0);
    SelectionneValeur(valeur);
}

void TfmRapport::SelecFiche(int ligne)
{
    if (ligne < 1)
        return;
    const int p = m_grille->GetRowData(ligne);
    // The person may have been deleted since the fill.
    if (p > 0 && m_bd.PersonInUse(p))
        m_hote.SelecFiche(p);
}

// ---- Export --------------------------------------------------------------

bool TfmRapport::SauveTableau(const QString &chemin, const QString &separateur, QString *erreur)
{
    const std::vector<int> colonnes = m_grille->VisualColumns();
    // A grid without columns has nothing to write, not even an empty line.
    const int lignes = colonnes.empty() ? 0 : m_grille->RowCount();
    QString sortie;
    for (int r = 0; r < lignes; ++r) {
        for (int c : colonnes) {
            ajouteChamp(sortie, m_grille->Cell(c, r), separateur);
            sortie += separateur;
        }
        sortie += u"\r\n"_s;
    }

    return EcritTexteWindows1252(chemin, sortie, erreur);
}

// ---- Colours -------------------------------------------------------------

void TfmRapport::LitCouleurs()
{
    m_couleurs.Titre = couleurStyle("table thead td", QColor(0xe0, 0xe0, 0xe0));
    m_couleurs.Unique = couleurStyle(".rowunique", Qt::white);
    m_couleurs.Pair = couleurStyle(".rowPair", Qt::white);
    m_couleurs.Impair = couleurStyle(".rowImpair", Qt::white);
    m_couleurs.Homme = couleurStyle(".rowHomme", Qt::white);
    m_couleurs.Femme = couleurStyle(".rowFemme", Qt::white);
}

// The header is drawn by the style; a style sheet on it is the one way to
// give it a plain colour of our own.
void TfmRapport::AppliqueCouleurTitre()
{
    const QString feuille = u"QHeaderView::section { background-color: %1; border: none; "
                            "border-right: 1px solid #a0a0a0; border-bottom: 1px solid #a0a0a0; "
                            "padding-left: 1px; }"_s.arg(m_couleurs.Titre.name());
    if (feuille == m_feuilleTitre)
        return;
    m_feuilleTitre = feuille;
    m_grille->horizontalHeader()->setStyleSheet(feuille);
}

// Data rows count from 1 in the order shown; the first one is "pair".
QColor TfmRapport::CouleurLigne(int ligne) const
{
    switch (m_styleLignes) {
    case 0:
        return m_couleurs.Unique;
    case 1:
        return ligne % 2 == 1 ? m_couleurs.Pair : m_couleurs.Impair;
    case 2:
        return m_bd.Sex(m_grille->GetRowData(ligne)) != SexeHomme ? m_couleurs.Femme : m_couleurs.Homme;
    default:
        return m_grille->palette().color(QPalette::Base);
    }
}

// ---- Window events -------------------------------------------------------

void TfmRapport::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window shown empty, whether nothing was put in it yet or the last
    // report found nobody, starts again from every person.
    if (!m_occupe && !m_remise && m_grille->RowCount() < 2)
        ToutesLesPersonnes();
    LitCouleurs();
    AppliqueCouleurTitre();
    AfficheGrille();
}

void TfmRapport::ToutesLesPersonnes()
{
    Charge(FichierModele(DossiersRapport(), NomModeleDefaut, u".mvr"_s));
    TSelection selection = SelectionneListe(m_bd, 0, m_hote.SelecPers(), 1);
    m_liste = selection.Liste;
    m_titre = selection.Titre;
    RemplitTableau(m_liste);
    emit ListeChangee();
    emit SelectionInitiale();
}

void TfmRapport::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Shown again by its button, the report takes its place among the
    // windows of the main window again.
    ChangeAuDessus(this, false);
    if (!event->spontaneous())
        m_hote.RapportCache();
}

void TfmRapport::keyPressEvent(QKeyEvent *event)
{
    if (!m_hote.FormKeyDown(event->key(), event->modifiers()))
        QWidget::keyPressEvent(event);
}

bool TfmRapport::eventFilter(QObject *objet, QEvent *event)
{
    if (objet == m_grille && event->type() == QEvent::KeyPress) {
        // The main window's shortcuts work while the grid has the focus.
        const auto *touche = static_cast<QKeyEvent *>(event);
        return m_hote.FormKeyDown(touche->key(), touche->modifiers());
    }
    if (objet != m_grille->viewport())
        return QWidget::eventFilter(objet, event);
    switch (event->type()) {
    case QEvent::Paint:
        // The style sheet may have changed in the options since the last
        // paint; it is read once per paint, not once per cell.
        LitCouleurs();
        break;
    case QEvent::Wheel:
        // The wheel does not scroll the report.
        return true;
    case QEvent::MouseMove: {
        const auto *souris = static_cast<QMouseEvent *>(event);
        const QModelIndex index = m_grille->indexAt(souris->position().toPoint());
        const bool main = index.isValid() && m_grille->GetRowData(index.row() + 1) >= 1;
        m_grille->viewport()->setCursor(main ? Qt::PointingHandCursor : Qt::ArrowCursor);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(objet, event);
}
