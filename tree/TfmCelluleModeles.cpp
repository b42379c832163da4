// The model panel of the look editor: the look models (the user's and the
// shipped ones) with their thumbnails, choosing one, saving the look as one,
// making the thumbnails again.

#include "TfmCellule.h"

#include <functional>

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "BD.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Images.h"
#include "Langue.h"
#include "ModelesLook.h"
#include "ModelesUtilisateur.h"
#include "TAffArbre.h"
#include "TPage.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteToutesVignettes = 7500;
constexpr int TexteRemplacer = 7501;
constexpr int TexteModeleNonEcrit = 7502;
constexpr int TexteVignetteNonEcrite = 7503;

// Item data of both lists: the model's file name as spelled on the disk, and
// (thumbnail list) its thumbnail.
constexpr int RoleFichier = Qt::UserRole;
constexpr int RoleVignette = Qt::UserRole + 1;

// Height of a model listed without thumbnail, and the size its name is
// written at so that it fits.
constexpr int HauteurSansVignette = 12;
constexpr int TaillePoliceSansVignette = 10;

// A model's file as read: the user's, else the shipped one.
QString CheminModele(const QString &fichier, const char *extension)
{
    return FichierModele(DossiersArbre(), fichier, QLatin1String(extension));
}

// A model's file as written: always the user's, the shipped folder being
// only read.
QString CheminModeleEcrit(const QString &fichier, const char *extension)
{
    return FichierModeleAEcrire(DossiersArbre(), fichier, QLatin1String(extension));
}

// The drop-down of the models, with the model name edit laid over its text:
// the drop-down refills itself each time it opens (models saved meanwhile, by
// this window or another program, appear), and only a model picked in it is
// chosen. A name typed in the edit is only a name, never a choice.
class TComboModeles final : public QComboBox
{
public:
    TComboModeles(QLineEdit *edit, std::function<void()> avantOuverture)
        : m_edit(edit)
        , m_avantOuverture(std::move(avantOuverture))
    {
        m_edit->setParent(this);
        m_edit->setFrame(false);
        setFocusProxy(m_edit);
    }

    void showPopup() override
    {
        m_avantOuverture();
        QComboBox::showPopup();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QComboBox::resizeEvent(event);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        m_edit->setGeometry(style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this));
    }

private:
    QLineEdit *m_edit;
    std::function<void()> m_avantOuverture;
};

} // namespace

// Each model is drawn as its thumbnail, centred, on white (grey when
// selected); one without thumbnail by its name.
class TfmCellule::TDelegueVignettes final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QPixmap vignette = index.data(RoleVignette).value<QPixmap>();
        return {option.rect.width(), vignette.isNull() ? HauteurSansVignette : vignette.height() + 2};
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect r = option.rect;
        const QColor fond = (option.state & QStyle::State_Selected) ? QColor(128, 128, 128) : QColor(Qt::white);
        p->save();
        p->setPen(QPen(fond, 2));
        p->setBrush(fond);
        p->drawRect(r.adjusted(1, 2, -1, -1));
        const QPixmap vignette = index.data(RoleVignette).value<QPixmap>();
        if (!vignette.isNull()) {
            const int x = vignette.width() < r.width() ? r.left() + (r.width() - vignette.width()) / 2 : r.left();
            p->drawPixmap(x, r.top() + 1, vignette);
        } else {
            QFont f = option.font;
            f.setPixelSize(TaillePoliceSansVignette);
            p->setFont(f);
            p->setPen(Qt::black);
            p->drawText(r.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
        }
        p->restore();
    }
};

QWidget *TfmCellule::CreeModeles()
{
    auto *haut = new QWidget;
    haut->setObjectName(u"pModeles"_s);
    m_eFile = new QLineEdit;
    m_eFile->setObjectName(u"eFile"_s);
    m_eFile->setToolTip(
        u"Nom du modèle. Entrez ici un nouveau nom et enregistrez pour créer un double de ce modèle."_s);
    m_eFile->installEventFilter(this);
    m_cbFileList = new TComboModeles(m_eFile, [this] { RemplitModeles(); });
    m_cbFileList->setObjectName(u"CB_FileList"_s);
    m_cbFileList->setMinimumWidth(200);

    m_sbCelluleSauve = new QToolButton;
    m_sbCelluleSauve->setObjectName(u"SB_CelluleSauve"_s);
    m_sbCelluleSauve->setText(u"Enregistrer"_s);
    m_sbModifier = new QToolButton;
    m_sbModifier->setObjectName(u"sbModifier"_s);
    m_sbModifier->setText(u"&Modifier"_s);
    m_sbModifier->setCheckable(true);

    auto *l = new QHBoxLayout(haut);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(m_cbFileList, 1);
    l->addWidget(m_sbCelluleSauve);
    l->addWidget(m_sbModifier);

    m_pApercu = new QWidget;
    m_pApercu->setObjectName(u"pApercu"_s);
    m_lbFileList = new QListWidget;
    m_lbFileList->setObjectName(u"lbFileList"_s);
    m_lbFileList->setItemDelegate(new TDelegueVignettes(m_lbFileList));
    m_lbFileList->setMinimumHeight(200);
    auto *la = new QVBoxLayout(m_pApercu);
    la->setContentsMargins(0, 0, 0, 0);
    la->addWidget(m_lbFileList);

    connect(m_lbFileList, &QListWidget::itemClicked, this, &TfmCellule::lbFileListClick);
    connect(m_lbFileList, &QListWidget::itemActivated, this, &TfmCellule::lbFileListClick);
    connect(m_cbFileList, &QComboBox::activated, this, &TfmCellule::CB_FileListChange);
    connect(m_sbCelluleSauve, &QToolButton::clicked, this, &TfmCellule::SB_CelluleSauveClick);
    connect(m_sbModifier, &QToolButton::toggled, this, &TfmCellule::sbModifierClick);
    return haut;
}

void TfmCellule::sbModifierClick(bool bas)
{
    m_pile->setCurrentWidget(bas ? static_cast<QWidget *>(m_onglets) : m_pApercu);
    m_sbCelluleSauve->setVisible(bas);
}

bool TfmCellule::eventFilter(QObject *objet, QEvent *evenement)
{
    if (objet == m_eFile && evenement->type() == QEvent::KeyPress) {
        const auto *touche = static_cast<QKeyEvent *>(evenement);
        if (touche->key() == Qt::Key_F5 && (touche->modifiers() & Qt::ShiftModifier)) {
            RefaitVignettes();
            return true;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

void TfmCellule::RemplitModeles()
{
    QScopedValueRollback chargement(m_chargement, true);
    const QString nom = m_eFile->text();
    m_lbFileList->clear();
    m_cbFileList->clear();
    for (const TModeleLook &modele : ListeModeles(DossiersArbre())) {
        // Each thumbnail is read once here and kept with its item, not read
        // again at each paint or measure.
        QPixmap vignette;
        const QString png = CheminModele(modele.Fichier, ".png");
        QImage image;
        if (QFileInfo(png).isFile() && ChargeImage(image, png))
            vignette = QPixmap::fromImage(image);
        auto *item = new QListWidgetItem(modele.Nom, m_lbFileList);
        item->setData(RoleFichier, modele.Fichier);
        item->setData(RoleVignette, vignette);
        m_cbFileList->addItem(modele.Nom, modele.Fichier);
    }
    m_cbFileList->setCurrentIndex(-1);
    m_eFile->setText(nom);
}

void TfmCellule::SelectionneModele(const QString &fichier)
{
    QScopedValueRollback chargement(m_chargement, true);
    // The exact file first; another spelling of it on a system that ignores
    // letter case.
    for (Qt::CaseSensitivity casse : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int i = 0; i < m_lbFileList->count(); ++i) {
            QListWidgetItem *item = m_lbFileList->item(i);
            if (item->data(RoleFichier).toString().compare(fichier, casse) == 0) {
                m_lbFileList->setCurrentItem(item);
                m_lbFileList->scrollToItem(item);
                return;
            }
        }
    }
    m_lbFileList->setCurrentItem(nullptr);
}

void TfmCellule::lbFileListClick(QListWidgetItem *item)
{
    if (m_chargement)
        return;
    ChoisitModele(item ? item->data(RoleFichier).toString() : NomModeleDefaut);
}

void TfmCellule::CB_FileListChange(int index)
{
    if (m_chargement)
        return;
    const QString fichier = m_cbFileList->itemData(index, RoleFichier).toString();
    ChoisitModele(fichier.isEmpty() ? m_eFile->text() : fichier);
}

void TfmCellule::ChoisitModele(const QString &fichier)
{
    // The reader changes the screen colour and texture at once.
    TLooks lus;
    const QString avant = NomLook;
    LitLook(CheminModele(fichier, ".mva"), lus);
    NommeLookDeLaBase(avant);
    {
        QScopedValueRollback chargement(m_chargement, true);
        m_eFile->setText(fichier);
    }
    m_look = lus[Cible() == 2 ? 2 : 1];
    m_modifie = false;
    SetAff();
    if (Direct())
        AppCalcule();
    else if (TPage *page = m_arbre.Page())
        page->update();
    SelectionneModele(fichier);
}

void TfmCellule::NommeLookDeLaBase(const QString &avant)
{
    // The database's header is the only place that remembers its look: a
    // database whose look changed has to be saved, or it opens again in the
    // look it had.
    if (NomLook == avant)
        return;
    BaseModifiee = 1;
    m_hote.TitreFenetre();
}

void TfmCellule::SB_CelluleSauveClick()
{
    const QString saisi = m_eFile->text();
    if (const int defaut = DefautNomModele(saisi)) {
        AppMessageBox(MLFormat(defaut, {saisi}), MsgErreur, BoutonsOk);
        return;
    }
    // A model whose name differs only by letter case is the same model to
    // the user: it is replaced, after the question, rather than doubled on a
    // system that tells the two apart.
    QString fichier = saisi;
    for (const TModeleLook &m : ListeModeles(DossiersArbre())) {
        if (m.Fichier == saisi) {
            fichier = saisi;
            break;
        }
        if (m.Fichier.compare(saisi, Qt::CaseInsensitive) == 0)
            fichier = m.Fichier;
    }
    // A shipped model of that name is replaced too, for the user: the
    // user's model hides it from then on.
    if (QFileInfo::exists(CheminModele(fichier, ".mva"))
        && AppMessageBox(MLText(TexteRemplacer), MsgQuestion, BoutonsOuiNon) != ReponseOui)
        return;
    const QString chemin = CheminModeleEcrit(fichier, ".mva");
    AppCalcule();
    QString erreur;
    if (!SauveLook(chemin, Looks, &erreur)) {
        AppMessageBox(MLFormat(TexteModeleNonEcrit, {chemin, erreur}), MsgErreur, BoutonsOk);
        return;
    }
    // The database names its look: saved now, it comes back with this one.
    const QString avant = NomLook;
    NomLook = fichier;
    NommeLookDeLaBase(avant);
    const QString vignette = CheminModeleEcrit(fichier, ".png");
    if (!EcritPng(VignetteLook(Looks, m_bd, m_hote.SelecPers(), false), vignette))
        AppMessageBox(MLFormat(TexteVignetteNonEcrite, {vignette}), MsgErreur, BoutonsOk);
    {
        QScopedValueRollback chargement(m_chargement, true);
        m_eFile->setText(fichier);
    }
    RemplitModeles();
    SelectionneModele(fichier);
}

void TfmCellule::RefaitVignettes()
{
    AppMessageBox(MLText(TexteToutesVignettes), MsgInformation, BoutonsOk);
    QStringList fichiers;
    for (int i = 0; i < m_lbFileList->count(); ++i)
        fichiers << m_lbFileList->item(i)->data(RoleFichier).toString();
    for (const QString &fichier : fichiers) {
        SelectionneModele(fichier);
        ChoisitModele(fichier);
        const QString vignette = CheminModeleEcrit(fichier, ".png");
        if (!EcritPng(VignetteLook(Looks, m_bd, m_hote.SelecPers(), true), vignette)) {
            AppMessageBox(MLFormat(TexteVignetteNonEcrite, {vignette}), MsgErreur, BoutonsOk);
            break;
        }
    }
    // The list shows the thumbnails it read: it reads the new ones.
    RemplitModeles();
    SelectionneModele(m_eFile->text());
}
