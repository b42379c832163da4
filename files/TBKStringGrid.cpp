#include "TBKStringGrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>

#include <QAbstractTableModel>
#include <QCollator>
#include <QCollatorSortKey>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionHeader>

#include "Dates.h"
#include "Listes.h"

namespace {

constexpr int DerniereLigneValeur = 100000;
// Keys are computed quickly; the progress moves every so many rows only.
constexpr int PasProgression = 4096;

// The grid's texts. Data row r of the grid is model row r - 1; the titles are
// the horizontal header. Rows are stored whole so that a sort moves one
// QStringList per row instead of one item per cell.
class TModeleGrille final : public QAbstractTableModel
{
public:
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_lignes.size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_titres.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        return Texte(index.column(), index.row());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return m_titres.value(section);
        return section + 1;
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    QString Titre(int col) const { return m_titres.value(col); }
    // A row's list may be shorter than the column count: cells never written
    // cost nothing.
    QString Texte(int col, int ligne) const
    {
        return m_lignes[static_cast<size_t>(ligne)].value(col);
    }
    const std::vector<QStringList> &Lignes() const { return m_lignes; }

    void SetTitre(int col, const QString &texte)
    {
        m_titres[col] = texte;
        emit headerDataChanged(Qt::Horizontal, col, col);
    }
    void SetTitres(const QStringList &titres)
    {
        const int n = columnCount();
        for (int c = 0; c < n; ++c)
            m_titres[c] = titres.value(c);
        if (n > 0)
            emit headerDataChanged(Qt::Horizontal, 0, n - 1);
    }
    void SetTexte(int col, int ligne, const QString &texte)
    {
        QStringList &cellules = m_lignes[static_cast<size_t>(ligne)];
        if (cellules.size() <= col) {
            if (texte.isEmpty())
                return;
            cellules.resize(col + 1);
        }
        cellules[col] = texte;
        emit dataChanged(index(ligne, col), index(ligne, col), {Qt::DisplayRole});
    }
    void SetLigne(int ligne, QStringList cellules)
    {
        const int n = columnCount();
        QStringList &cible = m_lignes[static_cast<size_t>(ligne)];
        if (cellules.size() > n)
            cellules.resize(n);
        cible = std::move(cellules);
        if (n > 0)
            emit dataChanged(index(ligne, 0), index(ligne, n - 1), {Qt::DisplayRole});
    }

    void SetNbColonnes(int n)
    {
        const int avant = columnCount();
        if (n > avant) {
            beginInsertColumns(QModelIndex(), avant, n - 1);
            m_titres.resize(n);
            endInsertColumns();
        } else if (n < avant) {
            beginRemoveColumns(QModelIndex(), n, avant - 1);
            m_titres.resize(n);
            for (QStringList &cellules : m_lignes) {
                if (cellules.size() > n)
                    cellules.resize(n);
            }
            endRemoveColumns();
        }
    }
    void SetNbLignes(int n)
    {
        const int avant = rowCount();
        if (n > avant) {
            beginInsertRows(QModelIndex(), avant, n - 1);
            m_lignes.resize(static_cast<size_t>(n));
            endInsertRows();
        } else if (n < avant) {
            beginRemoveRows(QModelIndex(), n, avant - 1);
            m_lignes.resize(static_cast<size_t>(n));
            endRemoveRows();
        }
    }
    void Vide()
    {
        beginResetModel();
        m_titres.clear();
        m_lignes.clear();
        endResetModel();
    }

    // New row i is old row ordre[i]. The persistent indexes (selection,
    // current cell) follow their rows.
    void Permute(const std::vector<int> &ordre)
    {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<QStringList> lignes;
        lignes.reserve(m_lignes.size());
        std::vector<int> nouvelle(ordre.size());
        for (size_t i = 0; i < ordre.size(); ++i) {
            const auto ancienne = static_cast<size_t>(ordre[i]);
            lignes.push_back(std::move(m_lignes[ancienne]));
            nouvelle[ancienne] = static_cast<int>(i);
        }
        m_lignes = std::move(lignes);
        const QModelIndexList avant = persistentIndexList();
        QModelIndexList apres;
        apres.reserve(avant.size());
        for (const QModelIndex &i : avant)
            apres.append(index(nouvelle[static_cast<size_t>(i.row())], i.column()));
        changePersistentIndexList(avant, apres);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

private:
    QStringList m_titres;
    std::vector<QStringList> m_lignes;
};

std::optional<double> cleDate(const QString &texte)
{
    const int cle = DateKey(texte);
    if (cle <= 0)
        return std::nullopt;
    return cle;
}

// Numbers come from templates and from the user, written the French way or
// not: a decimal comma or point, nothing else (no thousands separators, no
// exponent, no "inf").
std::optional<double> cleNombre(const QString &texte)
{
    const QString t = texte.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    int chiffres = 0;
    bool separateur = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            ++chiffres;
        } else if ((c == u',' || c == u'.') && !separateur) {
            separateur = true;
        } else {
            return std::nullopt;
        }
    }
    if (chiffres == 0)
        return std::nullopt;
    QString normal = t;
    normal.replace(u',', u'.');
    bool ok = false;
    const double x = QLocale::c().toDouble(normal, &ok);
    if (!ok || !std::isfinite(x))
        return std::nullopt;
    return x;
}

} // namespace

struct TBKStringGrid::Donnees {
    TModeleGrille modele;
    std::vector<int> sortes;
    // Row values of rows 0..100,000, allocated at the first non-zero write.
    std::vector<int> valeurs;
    QCollator collateur = CollationTexte();
};

TBKStringGrid::TBKStringGrid(QWidget *parent)
    : QTableView(parent)
    , m_d(new Donnees)
{
    setModel(&m_d->modele);
    setSortingEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);

    // A string grid has no row titles; fixed row heights keep 100,000 rows
    // cheap to lay out.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    QHeaderView *titres = horizontalHeader();
    titres->setSectionsMovable(true);
    titres->setSectionsClickable(true);
    titres->setHighlightSections(false);
    connect(titres, &QHeaderView::sectionClicked, this, [this](int col) { emit TitleClicked(col); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) { emit RowClicked(index.row() + 1); });
}

TBKStringGrid::~TBKStringGrid()
{
    // The view must let go of the model before the model goes.
    setModel(nullptr);
    delete m_d;
}

int TBKStringGrid::ColCount() const
{
    return m_d->modele.columnCount();
}

int TBKStringGrid::RowCount() const
{
    return m_d->modele.rowCount() + 1;
}

void TBKStringGrid::SetColCount(int n)
{
    n = std::max(n, 0);
    m_d->modele.SetNbColonnes(n);
    m_d->sortes.resize(static_cast<size_t>(n), 0);
}

void TBKStringGrid::SetRowCount(int n)
{
    m_d->modele.SetNbLignes(std::max(n, 1) - 1);
}

QString TBKStringGrid::Cell(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return {};
    return row == 0 ? m_d->modele.Titre(col) : m_d->modele.Texte(col, row - 1);
}

void TBKStringGrid::SetCell(int col, int row, const QString &texte)
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return;
    if (row == 0)
        m_d->modele.SetTitre(col, texte);
    else
        m_d->modele.SetTexte(col, row - 1, texte);
}

void TBKStringGrid::SetRow(int row, const QStringList &cellules)
{
    SetRow(row, QStringList(cellules));
}

void TBKStringGrid::SetRow(int row, QStringList &&cellules)
{
    if (row < 0 || row >= RowCount())
        return;
    if (row == 0)
        m_d->modele.SetTitres(cellules);
    else
        m_d->modele.SetLigne(row - 1, std::move(cellules));
}

int TBKStringGrid::GetRowData(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_d->valeurs.size()))
        return 0;
    return m_d->valeurs[static_cast<size_t>(row)];
}

void TBKStringGrid::SetRowData(int row, int valeur)
{
    if (row < 0 || row > DerniereLigneValeur)
        return;
    if (m_d->valeurs.empty()) {
        if (valeur == 0)
            return;
        m_d->valeurs.resize(DerniereLigneValeur + 1, 0);
    }
    m_d->valeurs[static_cast<size_t>(row)] = valeur;
}

int TBKStringGrid::ColSortType(int col) const
{
    if (col < 0 || col >= static_cast<int>(m_d->sortes.size()))
        return 0;
    return m_d->sortes[static_cast<size_t>(col)];
}

void TBKStringGrid::SetColSortType(int col, int sorte)
{
    if (col < 0 || col >= static_cast<int>(m_d->sortes.size()))
        return;
    m_d->sortes[static_cast<size_t>(col)] = sorte;
}

void TBKStringGrid::SetColumn(int col, const QString &titre, int largeur, int sorte)
{
    if (col < 0 || col >= ColCount())
        return;
    m_d->modele.SetTitre(col, titre);
    // A width given for the texts of the rows may be too narrow for the
    // title, which the header would then cut on both sides.
    const int voulue = largeur > 0 ? largeur : columnWidth(col);
    setColumnWidth(col, std::max(voulue, LargeurTitre(titre)));
    SetColSortType(col, sorte);
}

int TBKStringGrid::LargeurTitre(const QString &titre) const
{
    if (titre.isEmpty())
        return 0;
    const QHeaderView *titres = horizontalHeader();
    QStyleOptionHeader option;
    option.initFrom(titres);
    option.orientation = Qt::Horizontal;
    option.text = titre;
    option.fontMetrics = titres->fontMetrics();
    option.sortIndicator = QStyleOptionHeader::SortDown;
    const QStyle *style = titres->style();
    const int marge = style->pixelMetric(QStyle::PM_HeaderMargin, &option, titres);
    // The text with a margin on each side, and room for the sort mark (a
    // square as high as the text) with its own margin, whatever style
    // sheet the header gets later.
    const int texte = option.fontMetrics.horizontalAdvance(titre) + 2 * marge;
    const int marque = option.fontMetrics.height() + 2 * marge;
    const int selonStyle = style->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), titres).width();
    return std::max(texte + marque, selonStyle);
}

int TBKStringGrid::ColWidth(int col) const
{
    if (col < 0 || col >= ColCount())
        return 0;
    return columnWidth(col);
}

void TBKStringGrid::SortColumn(int col, bool ascendant, TProgression *progression)
{
    if (col < 0 || col >= ColCount())
        return;
    const std::vector<QStringList> &lignes = m_d->modele.Lignes();
    const int n = static_cast<int>(lignes.size());
    if (progression)
        progression->Maximum(n);
    auto avance = [progression](int i) {
        if (progression && i % PasProgression == 0)
            progression->Position(i);
    };

    // Rows with a key are sorted; the others keep their order after them.
    std::vector<int> avecCle;
    std::vector<int> sansCle;
    avecCle.reserve(static_cast<size_t>(n));

    auto trie = [&](auto &cles, auto inferieur) {
        std::vector<int> positions(cles.size());
        std::iota(positions.begin(), positions.end(), 0);
        std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
            const auto &ka = cles[static_cast<size_t>(a)];
            const auto &kb = cles[static_cast<size_t>(b)];
            return ascendant ? inferieur(ka, kb) : inferieur(kb, ka);
        });
        for (int &p : positions)
            p = avecCle[static_cast<size_t>(p)];
        avecCle = std::move(positions);
    };

    const int sorte = ColSortType(col);
    if (sorte == 1 || sorte == 2) {
        std::vector<double> cles;
        cles.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const QString texte = lignes[static_cast<size_t>(i)].value(col);
            const std::optional<double> cle = sorte == 1 ? cleDate(texte) : cleNombre(texte);
            if (cle) {
                cles.push_back(*cle);
                avecCle.push_back(i);
            } else {
                sansCle.push_back(i);
            }
            avance(i);
        }
        trie(cles, [](double a, double b) { return a < b; });
    } else {
        // One collation key per row: comparing keys is a byte comparison,
        // where collating two texts at every comparison would cost far more.
        std::vector<QCollatorSortKey> cles;
        cles.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const QString texte = lignes[static_cast<size_t>(i)].value(col);
            if (texte.trimmed().isEmpty()) {
                sansCle.push_back(i);
            } else {
                cles.push_back(m_d->collateur.sortKey(texte));
                avecCle.push_back(i);
            }
            avance(i);
        }
        trie(cles, [](const QCollatorSortKey &a, const QCollatorSortKey &b) {
            return a.compare(b) < 0;
        });
    }

    std::vector<int> ordre = std::move(avecCle);
    ordre.insert(ordre.end(), sansCle.begin(), sansCle.end());

    if (!m_d->valeurs.empty()) {
        // Values of data rows beyond the last stored row number read 0 and
        // cannot be kept; the others follow their rows.
        std::vector<int> anciennes(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            anciennes[static_cast<size_t>(i)] = GetRowData(i + 1);
        const int dernier = std::min(n, DerniereLigneValeur);
        for (int i = 0; i < dernier; ++i)
            m_d->valeurs[static_cast<size_t>(i + 1)] =
                anciennes[static_cast<size_t>(ordre[static_cast<size_t>(i)])];
    }
    m_d->modele.Permute(ordre);

    m_colonneTriee = col;
    m_ascendant = ascendant;
    if (progression)
        progression->Position(n);
}

void TBKStringGrid::ResetSort()
{
    m_colonneTriee = -1;
}

int TBKStringGrid::SelectedRow() const
{
    const QItemSelection selection = selectionModel()->selection();
    int haut = -1;
    for (const QItemSelectionRange &plage : selection) {
        if (haut < 0 || plage.top() < haut)
            haut = plage.top();
    }
    return haut < 0 ? 0 : haut + 1;
}

void TBKStringGrid::SelectRow(int row)
{
    if (row < 1 || row >= RowCount() || ColCount() == 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_d->modele.index(row - 1, horizontalHeader()->logicalIndex(0));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

std::vector<int> TBKStringGrid::VisualColumns() const
{
    const QHeaderView *titres = horizontalHeader();
    std::vector<int> colonnes;
    colonnes.reserve(static_cast<size_t>(ColCount()));
    for (int v = 0; v < ColCount(); ++v)
        colonnes.push_back(titres->logicalIndex(v));
    return colonnes;
}

void TBKStringGrid::Clear()
{
    m_d->modele.Vide();
    m_d->sortes.clear();
    m_d->valeurs.clear();
    m_colonneTriee = -1;
    m_ascendant = true;
}
