#include "TfmCellule.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "Dessin.h"
#include "Dialogues.h"
#include "Globales.h"
#include "ImagesArbre.h"
#include "Images.h"
#include "Langue.h"
#include "ModelesUtilisateur.h"
#include "TAffArbre.h"
#include "TBoite.h"
#include "TLien.h"
#include "TPage.h"
#include "TfmEditeContenu.h"

using namespace Qt::StringLiterals;

namespace {

// Language texts of the window.
constexpr int TexteCopieRatee = 7504;
constexpr int TexteTitreTexture = 7510;
constexpr int TexteFiltreImages = 7511;
constexpr int TexteFiltreLien = 7512;
constexpr int TexteTitreLien = 7513;
constexpr int TexteTitreEcran = 7514;

// The look allows at most this many text lines; the record has one slot
// more.
constexpr int LignesMax = NbreLignesMax - 1;
// The previews of the pictures chosen.
constexpr int TailleApercu = 64;

QSpinBox *Spin(const QString &nom, int min, int max)
{
    auto *s = new QSpinBox;
    s->setObjectName(nom);
    s->setRange(min, max);
    return s;
}

QCheckBox *Case(const QString &nom, const QString &texte)
{
    auto *c = new QCheckBox(texte);
    c->setObjectName(nom);
    return c;
}

QToolButton *Bouton(const QString &nom, const QString &texte, bool aEtat = false, const QString &bulle = QString())
{
    auto *b = new QToolButton;
    b->setObjectName(nom);
    b->setText(texte);
    b->setCheckable(aEtat);
    if (!bulle.isEmpty())
        b->setToolTip(bulle);
    return b;
}

QPushButton *BoutonTexte(const QString &nom, const QString &texte)
{
    auto *b = new QPushButton(texte);
    b->setObjectName(nom);
    b->setAutoDefault(false);
    return b;
}

// A colour swatch.
QFrame *Panneau(const QString &nom)
{
    auto *p = new QFrame;
    p->setObjectName(nom);
    p->setFrameShape(QFrame::Box);
    p->setAutoFillBackground(true);
    p->setFixedSize(48, 22);
    return p;
}

void MetCouleur(QFrame *panneau, TColor couleur)
{
    QPalette palette = panneau->palette();
    palette.setColor(QPalette::Window, CouleurQt(couleur));
    panneau->setPalette(palette);
}

TColor CouleurDe(const QFrame *panneau)
{
    return CouleurDeQt(panneau->palette().color(QPalette::Window));
}

QLabel *Apercu(const QString &nom)
{
    auto *l = new QLabel;
    l->setObjectName(nom);
    l->setFixedSize(TailleApercu + 4, TailleApercu + 4);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

// Shows the picture file in a preview, reduced to fit; clears the preview
// when the file cannot be read.
void MontreImage(QLabel *apercu, const QString &chemin)
{
    QImage image;
    if (chemin.isEmpty() || !ChargeImage(image, chemin)) {
        apercu->clear();
        return;
    }
    apercu->setPixmap(QPixmap::fromImage(
        image.scaled(TailleApercu, TailleApercu, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QGroupBox *Groupe(const QString &nom, const QString &titre, const QStringList &choix, QButtonGroup *groupe)
{
    auto *g = new QGroupBox(titre);
    g->setObjectName(nom);
    auto *l = new QVBoxLayout(g);
    for (int i = 0; i < choix.size(); ++i) {
        auto *rb = new QRadioButton(choix[i]);
        rb->setObjectName(nom + QString::number(i));
        groupe->addButton(rb, i);
        l->addWidget(rb);
    }
    return g;
}

void Coche(QButtonGroup *groupe, int id)
{
    if (QAbstractButton *b = groupe->button(id))
        b->setChecked(true);
    else if (QAbstractButton *coche = groupe->checkedButton()) {
        groupe->setExclusive(false);
        coche->setChecked(false);
        groupe->setExclusive(true);
    }
}

QString FiltreImages()
{
    return MLText(TexteFiltreImages);
}

} // namespace

// The line list draws each line in its own font, as tall as its height.
class TfmCellule::TDelegueLignes final : public QStyledItemDelegate
{
public:
    TDelegueLignes(const T1Aff &look, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_look(look)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {option.rect.width(), std::max(1, Ligne(index).Fonte.Hauteur)};
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const TLigne &ligne = Ligne(index);
        const QRect r = option.rect;
        p->save();
        p->fillRect(r, (option.state & QStyle::State_Selected) ? QColor(128, 128, 128) : QColor(Qt::white));
        // The font's character height is the line's height.
        const TFonteDessin fonte = FonteDessin(ligne.Fonte.Nom, -std::max(1, ligne.Fonte.Hauteur), ligne.Fonte.Style);
        const int largeur = LargeurTexte(fonte, ligne.Texte);
        int x = r.left() + 1;
        if (ligne.Fonte.Alignement == AlignDroite)
            x = r.right() + 1 - largeur;
        else if (ligne.Fonte.Alignement == AlignCentre)
            x = r.left() + (r.width() - largeur) / 2;
        DessineTexte(*p, fonte, ligne.Fonte.Couleur, x, r.top(), ligne.Texte, r);
        p->restore();
    }

private:
    const TLigne &Ligne(const QModelIndex &index) const
    {
        const int i = std::clamp(index.row(), 0, NbreLignesMax - 1);
        return m_look.Look.Ligne[std::size_t(i)];
    }

    const T1Aff &m_look;
};

// ---- Construction ----------------------------------------------------------

TfmCellule::TfmCellule(TBD &bd, TAffArbre &arbre, THoteArbre &hote, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_bd(bd)
    , m_arbre(arbre)
    , m_hote(hote)
{
    setObjectName(u"fmCellule"_s);
    setWindowTitle(u"Affichage de l'arbre"_s);
    AfficheMarges = false;
    TLooks parDefaut;
    LooksParDefaut(parDefaut);
    m_look = parDefaut[1];

    m_commande = new QAction(u"Affichage de l'arbre..."_s, this);
    m_commande->setObjectName(u"MI_Cellule"_s);
    m_commande->setCheckable(true);
    connect(m_commande, &QAction::toggled, this, [this](bool bas) {
        if (bas != isVisible())
            setVisible(bas);
    });

    m_onglets = new QTabWidget;
    m_onglets->setObjectName(u"PageControl"_s);
    m_onglets->addTab(CreeTexte(), u"Texte"_s);
    m_onglets->addTab(CreeFond(), u"Fond"_s);
    m_onglets->addTab(CreeMarges(), u"Marges"_s);
    m_onglets->addTab(CreeLiens(), u"Liens"_s);
    m_onglets->addTab(CreeEcran(), u"Écran"_s);
    m_onglets->addTab(CreeNombres(), u"Dimensions"_s);

    // The model panel lies over the editing tabs until "Modifier" is down.
    QWidget *modeles = CreeModeles();
    m_pile = new QStackedWidget;
    m_pile->addWidget(m_pApercu);
    m_pile->addWidget(m_onglets);

    m_cbPour = new QComboBox;
    m_cbPour->setObjectName(u"cbPour"_s);
    m_cbPour->addItems({u"tout l'arbre"_s, u"l'ascendance"_s, u"la descendance"_s});
    m_cbApp = Case(u"cbApp"_s, u"Appliquer à chaque modification"_s);
    m_cbApp->setChecked(true);
    auto *ok = BoutonTexte(u"B_Ok"_s, u"&Ok"_s);

    auto *pour = new QHBoxLayout;
    auto *lPour = new QLabel(u"Pour"_s);
    lPour->setObjectName(u"lPour"_s);
    pour->addWidget(lPour);
    pour->addWidget(m_cbPour, 1);
    auto *bas = new QHBoxLayout;
    bas->addWidget(m_cbApp);
    bas->addStretch();
    bas->addWidget(ok);
    auto *l = new QVBoxLayout(this);
    l->addWidget(modeles);
    l->addLayout(pour);
    l->addWidget(m_pile, 1);
    l->addLayout(bas);

    connect(ok, &QPushButton::clicked, this, &TfmCellule::B_OkClick);
    Connecte();
    sbModifierClick(false);
    MLTranslateForm(this);
}

TfmCellule::~TfmCellule()
{
    // The window closes in the base destructor, after the members are gone:
    // an edit losing the focus then must not reach a handler of this class.
    for (QObject *enfant : findChildren<QObject *>())
        enfant->blockSignals(true);
}

QWidget *TfmCellule::CreeTexte()
{
    auto *page = new QWidget;
    page->setObjectName(u"tsTexte"_s);
    m_lb = new QListWidget;
    m_lb->setObjectName(u"LB"_s);
    m_lb->setItemDelegate(new TDelegueLignes(m_look, m_lb));
    m_lb->setMinimumHeight(120);
    m_e = new QLineEdit;
    m_e->setObjectName(u"E"_s);
    auto *bEdite = BoutonTexte(u"bEdite"_s, u"?"_s);
    bEdite->setToolTip(u"Codes de champ"_s);
    connect(bEdite, &QPushButton::clicked, this, &TfmCellule::bEditeClick);

    m_gras = Bouton(u"SB_CelluleGras"_s, u"B"_s, true);
    m_italique = Bouton(u"SB_CelluleItalique"_s, u"I"_s, true);
    m_souligne = Bouton(u"SB_CelluleSouligne"_s, u"U"_s, true);
    QFont f = m_gras->font();
    f.setBold(true);
    m_gras->setFont(f);
    f = m_italique->font();
    f.setItalic(true);
    m_italique->setFont(f);
    f = m_souligne->font();
    f.setUnderline(true);
    m_souligne->setFont(f);
    m_gauche = Bouton(u"SB_LeftAlign"_s, u"Gauche"_s, true);
    m_centre = Bouton(u"SB_CenterAlign"_s, u"Centre"_s, true);
    m_droite = Bouton(u"SB_RightAlign"_s, u"Droite"_s, true);
    for (QToolButton *b : {m_gauche, m_centre, m_droite})
        b->setAutoExclusive(true);
    auto *fonte = Bouton(u"SB_Fonte"_s, u"Police..."_s);
    auto *plus = Bouton(u"SB_Plus"_s, u"+"_s, false, u"Ajoute une nouvelle ligne au dessus de celle qui est sélectionnée."_s);
    auto *moins = Bouton(u"SB_Moins"_s, u"-"_s, false, u"Supprime la ligne en cours."_s);
    auto *haut = Bouton(u"SB_Up"_s, u"Monter"_s);
    auto *bas = Bouton(u"SB_Down"_s, u"Descendre"_s);

    auto *styles = new QHBoxLayout;
    for (QToolButton *b : {m_gras, m_italique, m_souligne, m_gauche, m_centre, m_droite, fonte})
        styles->addWidget(b);
    styles->addStretch();
    auto *lignes = new QHBoxLayout;
    for (QToolButton *b : {plus, moins, haut, bas})
        lignes->addWidget(b);
    lignes->addStretch();
    auto *edition = new QHBoxLayout;
    edition->addWidget(m_e, 1);
    edition->addWidget(bEdite);
    auto *l = new QVBoxLayout(page);
    l->addLayout(lignes);
    l->addWidget(m_lb, 1);
    l->addLayout(edition);
    l->addLayout(styles);

    connect(m_lb, &QListWidget::currentRowChanged, this, [this] { LBClick(); });
    connect(m_lb, &QListWidget::itemClicked, this, [this] { LBClick(); });
    connect(m_e, &QLineEdit::textChanged, this, &TfmCellule::EChange);
    for (QToolButton *b : {m_gras, m_italique, m_souligne, m_gauche, m_centre, m_droite})
        connect(b, &QToolButton::clicked, this, &TfmCellule::StyleClick);
    connect(fonte, &QToolButton::clicked, this, &TfmCellule::SB_FonteClick);
    connect(plus, &QToolButton::clicked, this, &TfmCellule::SB_PlusClick);
    connect(moins, &QToolButton::clicked, this, &TfmCellule::SB_MoinsClick);
    connect(haut, &QToolButton::clicked, this, [this] { DeplaceLigne(-1); });
    connect(bas, &QToolButton::clicked, this, [this] { DeplaceLigne(1); });
    return page;
}

QWidget *TfmCellule::CreeFond()
{
    auto *page = new QWidget;
    page->setObjectName(u"tsFond"_s);
    m_cbSexe = new QComboBox;
    m_cbSexe->setObjectName(u"cbSexe"_s);
    m_cbSexe->addItems({u"Les hommes"_s, u"Les femmes"_s});
    m_rgSexe = new QButtonGroup(this);
    QGroupBox *genre = Groupe(u"rgSexe"_s, u"Type de fond"_s,
                              {u"Aucun"_s, u"Couleur"_s, u"Texture"_s, u"Texture calculée"_s}, m_rgSexe);
    m_pSexe = Panneau(u"pSexe"_s);
    m_sbChoix = BoutonTexte(u"sbChoix"_s, u"Texture..."_s);
    m_iSexe = Apercu(u"iSexe"_s);
    m_eTexture = new QLineEdit;
    m_eTexture->setObjectName(u"eTexture"_s);
    m_lTexture = new QLabel(u"Nom du fichier, codes de champ compris (par exemple <photo>) :"_s);
    m_lTexture->setObjectName(u"lTexture"_s);
    m_cbOmbre = Case(u"cbOmbre"_s, u"Ombrage de la cellule"_s);
    m_cbArrondis = Case(u"cbArrondis"_s, u"Coin arrondis"_s);
    m_cbCadre = Case(u"cbCadre"_s, u"Afficher l'encadrement"_s);
    m_cbStretch = Case(u"cbStretch"_s, u"Étirer la texture sur toute la surface"_s);
    m_cbStretch->setVisible(false);

    auto *choix = new QHBoxLayout;
    choix->addWidget(m_pSexe);
    choix->addWidget(m_sbChoix);
    choix->addWidget(m_iSexe);
    choix->addStretch();
    auto *l = new QVBoxLayout(page);
    l->addWidget(m_cbSexe);
    l->addWidget(genre);
    l->addLayout(choix);
    l->addWidget(m_lTexture);
    l->addWidget(m_eTexture);
    l->addWidget(m_cbCadre);
    l->addWidget(m_cbOmbre);
    l->addWidget(m_cbArrondis);
    l->addWidget(m_cbStretch);
    l->addStretch();

    connect(m_cbSexe, &QComboBox::currentIndexChanged, this, &TfmCellule::RemplitSexe);
    connect(m_rgSexe, &QButtonGroup::idClicked, this, &TfmCellule::SexeChange);
    for (QCheckBox *c : {m_cbOmbre, m_cbArrondis, m_cbCadre, m_cbStretch})
        connect(c, &QCheckBox::toggled, this, &TfmCellule::SexeChange);
    connect(m_eTexture, &QLineEdit::editingFinished, this, &TfmCellule::SexeChange);
    connect(m_sbChoix, &QPushButton::clicked, this, &TfmCellule::sbChoixClick);
    return page;
}

QWidget *TfmCellule::CreeMarges()
{
    auto *page = new QWidget;
    page->setObjectName(u"tsMarges"_s);
    const std::pair<const char16_t *, const char16_t *> marges[] = {
        {u"seMH", u"Marge du haut"}, {u"seMB", u"Marge du bas"},
        {u"seMD", u"Marge de droite"}, {u"seMG", u"Marge de gauche"}};
    auto *f = new QFormLayout;
    for (std::size_t i = 0; i < m_marges.size(); ++i) {
        m_marges[i] = Spin(QString::fromUtf16(marges[i].first), 0, 40);
        f->addRow(QString::fromUtf16(marges[i].second), m_marges[i]);
        connect(m_marges[i], &QSpinBox::valueChanged, this, [this, i] { MargeChange(m_marges[i]); });
    }
    m_cbMargeIdentique = Case(u"cbMargeIdentique"_s, u"Toutes les marges identiques"_s);
    m_cbAfficheMarge = Case(u"cbAfficheMarge"_s, u"Afficher les marges (aide au réglage)"_s);
    auto *l = new QVBoxLayout(page);
    l->addLayout(f);
    l->addWidget(m_cbMargeIdentique);
    l->addWidget(m_cbAfficheMarge);
    l->addStretch();
    for (QCheckBox *c : {m_cbMargeIdentique, m_cbAfficheMarge})
        connect(c, &QCheckBox::toggled, this, [this, c] { MargeChange(c); });
    return page;
}

QWidget *TfmCellule::CreeLiens()
{
    auto *page = new QWidget;
    page->setObjectName(u"tsLiens"_s);
    m_rgRelier = new QButtonGroup(this);
    QGroupBox *relier = Groupe(u"rgRelier"_s, u"Liaison des cellules:"_s,
                               {u"Ne pas relier"_s, u"Ligne droite"_s, u"Ligne brisée"_s, u"Texture"_s}, m_rgRelier);
    m_seRelierLarge = Spin(u"seRelierLarge"_s, 1, 999);
    m_sRelierColor = Panneau(u"sRelierColor"_s);
    auto *couleur = BoutonTexte(u"B_LienCouleurChange"_s, u"Change..."_s);

    m_pLienTexture = new QWidget;
    m_pLienTexture->setObjectName(u"pLienTexture"_s);
    auto *formes = new QGridLayout;
    for (int k = 1; k <= 9; ++k) {
        m_sbLien[std::size_t(k)] = Bouton(u"sbLien%1"_s.arg(k), QString::number(k), true);
        m_sbLien[std::size_t(k)]->setAutoExclusive(true);
        formes->addWidget(m_sbLien[std::size_t(k)], (k - 1) / 3, (k - 1) % 3);
        connect(m_sbLien[std::size_t(k)], &QToolButton::clicked, this, [this, k] { LienTextureClick(k); });
    }
    m_iLien = Apercu(u"iLien"_s);
    auto *changeTexture = BoutonTexte(u"SpeedButton11"_s, u"Change..."_s);
    auto *lt = new QHBoxLayout(m_pLienTexture);
    lt->setContentsMargins(0, 0, 0, 0);
    lt->addLayout(formes);
    lt->addWidget(m_iLien);
    lt->addWidget(changeTexture);
    lt->addStretch();

    auto *f = new QFormLayout;
    auto *ligneCouleur = new QHBoxLayout;
    ligneCouleur->addWidget(m_sRelierColor);
    ligneCouleur->addWidget(couleur);
    ligneCouleur->addStretch();
    f->addRow(u"Épaisseur des liens:"_s, m_seRelierLarge);
    f->addRow(u"Couleur des liens:"_s, ligneCouleur);
    auto *l = new QVBoxLayout(page);
    l->addWidget(relier);
    l->addLayout(f);
    l->addWidget(m_pLienTexture);
    l->addStretch();

    connect(m_rgRelier, &QButtonGroup::idClicked, this, &TfmCellule::LienChange);
    connect(m_seRelierLarge, &QSpinBox::valueChanged, this, &TfmCellule::LienChange);
    connect(couleur, &QPushButton::clicked, this, &TfmCellule::B_LienCouleurChangeClick);
    connect(changeTexture, &QPushButton::clicked, this, &TfmCellule::SpeedButton11Click);
    return page;
}

QWidget *TfmCellule::CreeEcran()
{
    auto *page = new QWidget;
    page->setObjectName(u"tsEcran"_s);
    m_pFond = Panneau(u"pFond"_s);
    auto *couleur = BoutonTexte(u"bFondColor"_s, u"Couleur..."_s);
    auto *texture = BoutonTexte(u"bFondTexture"_s, u"Texture..."_s);
    m_iFond = Apercu(u"iFond"_s);
    auto *g = new QGridLayout;
    g->addWidget(m_pFond, 0, 0);
    g->addWidget(couleur, 0, 1);
    g->addWidget(m_iFond, 1, 0);
    g->addWidget(texture, 1, 1);
    g->setColumnStretch(2, 1);
    auto *l = new QVBoxLayout(page);
    l->addLayout(g);
    l->addStretch();
    connect(couleur, &QPushButton::clicked, this, &TfmCellule::bFondColorClick);
    connect(texture, &QPushButton::clicked, this, &TfmCellule::bFondTextureClick);
    return page;
}

QWidget *TfmCellule::CreeNombres()
{
    auto *page = new QWidget;
    page->setObjectName(u"tsDimensions"_s);
    m_seNbreGen = Spin(u"seNbreGen"_s, 0, 999);
    m_seLarge = Spin(u"seLarge"_s, 0, 999);
    m_seZoom = Spin(u"seZoom"_s, 1, 1000);
    m_seEcartHorz = Spin(u"seEcartHorz"_s, 0, 999);
    m_seEcartVert = Spin(u"seEcartVert"_s, 0, 999);
    auto *ecarts = new QHBoxLayout;
    ecarts->addWidget(m_seEcartHorz);
    ecarts->addWidget(m_seEcartVert);
    auto *f = new QFormLayout(page);
    f->addRow(u"Nombre de génération à l'écran"_s, m_seNbreGen);
    f->addRow(u"Largeur des cellules en points"_s, m_seLarge);
    f->addRow(u"Facteur de zoom"_s, m_seZoom);
    f->addRow(u"Écart horizontal et vertical "_s, ecarts);
    for (QSpinBox *s : {m_seNbreGen, m_seLarge, m_seZoom, m_seEcartHorz, m_seEcartVert})
        connect(s, &QSpinBox::valueChanged, this, &TfmCellule::NombreChange);
    return page;
}

void TfmCellule::Connecte()
{
    connect(m_cbApp, &QCheckBox::toggled, this, [this](bool coche) {
        if (coche)
            AppCalcule();
    });
}

// ---- Applying ------------------------------------------------------------

int TfmCellule::Cible() const
{
    return std::max(0, m_cbPour->currentIndex());
}

bool TfmCellule::Direct() const
{
    return m_cbApp->isChecked();
}

void TfmCellule::AppliqueLook(int i)
{
    // The layout belongs to the ascendance or the descendance, not to the
    // box look being edited.
    const std::uint8_t style = Looks[std::size_t(i)].Style;
    Looks[std::size_t(i)] = m_look;
    Looks[std::size_t(i)].Style = style;
}

void TfmCellule::CopieLooks()
{
    m_modifie = false;
    if (Cible() != 2)
        AppliqueLook(1);
    if (Cible() != 1)
        AppliqueLook(2);
}

void TfmCellule::AppCalcule()
{
    if (m_chargement)
        return;
    CopieLooks();
    CouleurEcran = CouleurDe(m_pFond);
    m_arbre.Affiche();
}

void TfmCellule::Rafraichis()
{
    if (m_chargement)
        return;
    CopieLooks();
    // The boxes keep their places and their texts; they read the look again
    // as they paint.
    if (TPage *page = m_arbre.Page())
        page->update();
}

// ---- Filling ---------------------------------------------------------------

void TfmCellule::SetAff()
{
    QScopedValueRollback chargement(m_chargement, true);
    RemplitLignes();
    MontreLigne(0);
    RemplitSexe();
    const TLook &look = m_look.Look;
    const int marges[] = {look.MargeHaut, look.MargeBas, look.MargeDroite, look.MargeGauche};
    for (std::size_t i = 0; i < m_marges.size(); ++i)
        m_marges[i]->setValue(marges[i]);
    m_seNbreGen->setValue(m_look.NbreGen);
    m_seLarge->setValue(m_look.Large);
    m_seEcartHorz->setValue(m_look.EcatHorz);
    m_seEcartVert->setValue(m_look.EcartVert);
    m_seZoom->setValue(m_look.Zoom);
    Coche(m_rgRelier, m_look.Relier);
    m_pLienTexture->setVisible(m_look.Relier == 3);
    MetCouleur(m_sRelierColor, m_look.RelierColor);
    m_seRelierLarge->setValue(m_look.RelierLarge);
    m_sbLien[1]->setChecked(true);
    MontreImage(m_iLien, CheminTextureLien(m_look.RelierTexture[1]));
    MetCouleur(m_pFond, CouleurEcran);
    const QString fond = CheminImageArbre(TextEcran);
    if (!fond.isEmpty() && QFileInfo(fond).isFile()) {
        MontreImage(m_iFond, fond);
    } else {
        TextEcran.clear();
        m_iFond->clear();
    }
    m_modifie = false;
}

void TfmCellule::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_commande->setChecked(true);
    if (!event->spontaneous())
        Recharge();
}

void TfmCellule::Recharge()
{
    if (m_cbPour->currentIndex() < 0)
        m_cbPour->setCurrentIndex(0);
    m_look = Looks[Cible() == 2 ? 2 : 1];
    {
        QScopedValueRollback chargement(m_chargement, true);
        m_eFile->setText(NomLook);
    }
    m_modifie = false;
    SetAff();
    RemplitModeles();
    SelectionneModele(NomLook);
}

void TfmCellule::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_commande->setChecked(false);
}

void TfmCellule::closeEvent(QCloseEvent *event)
{
    Ferme();
    event->accept();
}

void TfmCellule::B_OkClick()
{
    close();
}

void TfmCellule::Ferme()
{
    AfficheMarges = false;
    if (!Direct() || m_modifie)
        AppCalcule();
    else if (TPage *page = m_arbre.Page())
        page->update(); // the margins drawn as an aid go
}

// ---- Lines -------------------------------------------------------------------

void TfmCellule::RemplitLignes()
{
    QScopedValueRollback chargement(m_chargement, true);
    const int courante = m_lb->currentRow();
    m_lb->clear();
    const int n = std::clamp(m_look.Look.LigneNbre, 0, LignesMax);
    for (int i = 0; i < n; ++i)
        m_lb->addItem(m_look.Look.Ligne[std::size_t(i)].Texte);
    if (courante >= 0 && courante < n)
        m_lb->setCurrentRow(courante);
}

void TfmCellule::MontreLigne(int ligne)
{
    QScopedValueRollback chargement(m_chargement, true);
    if (ligne < 0 || ligne >= m_lb->count())
        return;
    m_lb->setCurrentRow(ligne);
    const TFonte &f = m_look.Look.Ligne[std::size_t(ligne)].Fonte;
    m_e->setText(m_look.Look.Ligne[std::size_t(ligne)].Texte);
    m_gras->setChecked(f.Style & fsGras);
    m_italique->setChecked(f.Style & fsItalique);
    m_souligne->setChecked(f.Style & fsSouligne);
    (f.Alignement == AlignDroite ? m_droite : f.Alignement == AlignCentre ? m_centre : m_gauche)->setChecked(true);
}

void TfmCellule::LBClick()
{
    if (m_chargement)
        return;
    MontreLigne(m_lb->currentRow());
    if (m_modifie && Direct())
        AppCalcule();
    m_modifie = false;
}

void TfmCellule::EChange(const QString &texte)
{
    if (m_chargement)
        return;
    const int ligne = m_lb->currentRow();
    if (ligne < 0 || ligne >= m_lb->count())
        return;
    m_look.Look.Ligne[std::size_t(ligne)].Texte = texte;
    m_lb->item(ligne)->setText(texte);
    m_modifie = true;
}

void TfmCellule::StyleClick()
{
    if (m_chargement)
        return;
    const int ligne = m_lb->currentRow();
    if (ligne < 0 || ligne >= m_lb->count())
        return;
    TFonte &f = m_look.Look.Ligne[std::size_t(ligne)].Fonte;
    // Strike-out has no button: it stays as it was.
    std::uint8_t style = f.Style & fsBarre;
    if (m_gras->isChecked())
        style |= fsGras;
    if (m_italique->isChecked())
        style |= fsItalique;
    if (m_souligne->isChecked())
        style |= fsSouligne;
    f.Style = style;
    f.Alignement = m_droite->isChecked() ? AlignDroite : m_centre->isChecked() ? AlignCentre : AlignGauche;
    RemplitLignes();
    if (Direct())
        Rafraichis();
}

void TfmCellule::SB_FonteClick()
{
    if (m_lb->count() == 0)
        return;
    if (m_lb->currentRow() < 0)
        MontreLigne(0);
    const int ligne = m_lb->currentRow();
    TFonte &f = m_look.Look.Ligne[std::size_t(ligne)].Fonte;
    QFont fonte(FamilleInstallee(f.Nom));
    fonte.setPixelSize(std::max(1, f.Hauteur));
    fonte.setBold(f.Style & fsGras);
    fonte.setItalic(f.Style & fsItalique);
    fonte.setUnderline(f.Style & fsSouligne);
    fonte.setStrikeOut(f.Style & fsBarre);
    QColor couleur = CouleurQt(f.Couleur);
    if (!Dialogues().ChoisitFonte(fonte, couleur))
        return;
    f.Nom = fonte.family();
    f.Couleur = CouleurDeQt(couleur);
    f.Hauteur = std::max(1, fonte.pixelSize());
    f.Style = (fonte.bold() ? fsGras : 0) | (fonte.italic() ? fsItalique : 0) | (fonte.underline() ? fsSouligne : 0)
              | (fonte.strikeOut() ? fsBarre : 0);
    RemplitLignes();
    MontreLigne(ligne);
    if (Direct())
        AppCalcule();
}

void TfmCellule::SB_PlusClick()
{
    const int n = std::clamp(m_look.Look.LigneNbre, 0, LignesMax);
    const int ligne = std::clamp(m_lb->currentRow(), 0, n);
    // At the most lines a look holds, the last line gives way.
    const int total = std::min(n + 1, LignesMax);
    auto &lignes = m_look.Look.Ligne;
    for (int i = total - 1; i > ligne; --i)
        lignes[std::size_t(i)] = lignes[std::size_t(i - 1)];
    LigneDefaut(lignes[std::size_t(ligne)]);
    m_look.Look.LigneNbre = total;
    RemplitLignes();
    MontreLigne(ligne);
    {
        QScopedValueRollback chargement(m_chargement, true);
        m_e->clear();
    }
    m_e->setFocus();
    if (Direct())
        AppCalcule();
}

void TfmCellule::SB_MoinsClick()
{
    const int n = std::clamp(m_look.Look.LigneNbre, 0, LignesMax);
    const int ligne = m_lb->currentRow();
    if (n <= 1 || ligne < 0 || ligne >= n)
        return;
    auto &lignes = m_look.Look.Ligne;
    for (int i = ligne; i < n - 1; ++i)
        lignes[std::size_t(i)] = lignes[std::size_t(i + 1)];
    lignes[std::size_t(n - 1)] = TLigne();
    m_look.Look.LigneNbre = n - 1;
    RemplitLignes();
    MontreLigne(std::max(0, ligne - 1));
    if (Direct())
        AppCalcule();
}

void TfmCellule::DeplaceLigne(int pas)
{
    const int n = std::clamp(m_look.Look.LigneNbre, 0, LignesMax);
    const int ligne = m_lb->currentRow();
    const int autre = ligne + pas;
    if (ligne < 0 || ligne >= n || autre < 0 || autre >= n)
        return;
    std::swap(m_look.Look.Ligne[std::size_t(ligne)], m_look.Look.Ligne[std::size_t(autre)]);
    RemplitLignes();
    MontreLigne(autre);
    if (Direct())
        AppCalcule();
}

void TfmCellule::bEditeClick()
{
    const QString resultat = EditeContenu(m_bd, m_hote.SelecPers(), m_e->text(), this);
    if (!resultat.isEmpty())
        m_e->setText(resultat);
    if (m_modifie && Direct())
        AppCalcule();
}

// ---- Backgrounds -------------------------------------------------------------

TLookSexe &TfmCellule::Sexe()
{
    return m_cbSexe->currentIndex() == 1 ? m_look.Look.Femme : m_look.Look.Homme;
}

void TfmCellule::RemplitSexe()
{
    QScopedValueRollback chargement(m_chargement, true);
    if (m_cbSexe->currentIndex() < 0)
        m_cbSexe->setCurrentIndex(0);
    const TLookSexe &sexe = Sexe();
    Coche(m_rgSexe, sexe.Fond);
    MontreGenreFond();
    MetCouleur(m_pSexe, sexe.Couleur);
    m_eTexture->setText(sexe.Texture);
    const QString chemin = CheminImageArbre(sexe.Texture);
    MontreImage(m_iSexe, QFileInfo(chemin).isFile() ? chemin : QString());
    m_cbStretch->setChecked(sexe.Stretch);
    m_cbOmbre->setChecked(sexe.Ombre);
    m_cbArrondis->setChecked(sexe.Arrondis);
    m_cbCadre->setChecked(sexe.Cadre);
    m_cbArrondis->setEnabled(sexe.Cadre);
    m_cbOmbre->setEnabled(sexe.Cadre);
}

void TfmCellule::MontreGenreFond()
{
    const int genre = m_rgSexe->checkedId();
    m_pSexe->setVisible(genre == 1 || genre == 2);
    m_sbChoix->setVisible(genre == 1 || genre == 2);
    const QString legende = MLTextKey(genre == 1 ? u"fmCellule.bFondColor.Caption"_s : u"fmCellule.sbChoix.Caption"_s);
    m_sbChoix->setText(!legende.isEmpty() ? legende : genre == 1 ? u"Couleur..."_s : u"Texture..."_s);
    m_iSexe->setVisible(genre == 2);
    m_eTexture->setVisible(genre == 3);
    m_lTexture->setVisible(genre == 3);
    m_cbStretch->setEnabled(genre > 1);
}

void TfmCellule::SexeChange()
{
    if (m_chargement)
        return;
    MontreGenreFond();
    m_cbArrondis->setEnabled(m_cbCadre->isChecked());
    m_cbOmbre->setEnabled(m_cbCadre->isChecked());
    TLookSexe &sexe = Sexe();
    sexe.Fond = std::max(0, m_rgSexe->checkedId());
    sexe.Couleur = CouleurDe(m_pSexe);
    sexe.Texture = m_eTexture->text();
    sexe.Stretch = m_cbStretch->isChecked();
    sexe.Ombre = m_cbOmbre->isChecked();
    sexe.Arrondis = m_cbArrondis->isChecked();
    sexe.Cadre = m_cbCadre->isChecked();
    if (Direct())
        Rafraichis();
}

void TfmCellule::sbChoixClick()
{
    const int genre = m_rgSexe->checkedId();
    if (genre == 1) {
        QColor couleur = CouleurQt(CouleurDe(m_pSexe));
        if (Dialogues().ChoisitCouleur(couleur))
            MetCouleur(m_pSexe, CouleurDeQt(couleur));
    } else if (genre == 2) {
        const QString fichier = Dialogues().FichierAOuvrir(MLText(TexteTitreTexture), DossierImageArbre, FiltreImages());
        if (!fichier.isEmpty() && QFileInfo(fichier).isFile()) {
            QString nom;
            if (!CopieImage(fichier, &nom))
                return;
            MontreImage(m_iSexe, CheminImageArbre(nom));
            QScopedValueRollback chargement(m_chargement, true);
            m_eTexture->setText(nom);
        } else {
            m_iSexe->clear();
            QScopedValueRollback chargement(m_chargement, true);
            m_eTexture->clear();
        }
    }
    SexeChange();
}

bool TfmCellule::CopieImage(const QString &fichier, QString *nom)
{
    QString erreur;
    if (!CopieImageArbre(fichier, nom, &erreur)) {
        AppMessageBox(MLFormat(TexteCopieRatee, {fichier, DossierImagesCopiees(), erreur}), MsgErreur, BoutonsOk);
        return false;
    }
    // A name the boxes or links looked for in vain may be there now.
    TBoite::VideCacheImages();
    TLien::VideCacheImages();
    return true;
}

// ---- Margins, links, screen, numbers ---------------------------------------

void TfmCellule::MargeChange(QObject *source)
{
    if (m_chargement)
        return;
    if (m_cbMargeIdentique->isChecked()) {
        auto *spin = qobject_cast<QSpinBox *>(source);
        const int valeur = (spin ? spin : m_marges[0])->value();
        QScopedValueRollback chargement(m_chargement, true);
        for (QSpinBox *s : m_marges)
            s->setValue(valeur);
    }
    TLook &look = m_look.Look;
    look.MargeHaut = m_marges[0]->value();
    look.MargeBas = m_marges[1]->value();
    look.MargeDroite = m_marges[2]->value();
    look.MargeGauche = m_marges[3]->value();
    AfficheMarges = m_cbAfficheMarge->isChecked();
    if (Direct())
        AppCalcule();
}

void TfmCellule::LienChange()
{
    if (m_chargement)
        return;
    m_look.Relier = std::uint8_t(std::max(0, m_rgRelier->checkedId()));
    m_look.RelierColor = CouleurDe(m_sRelierColor);
    m_look.RelierLarge = m_seRelierLarge->value();
    m_pLienTexture->setVisible(m_look.Relier == 3);
    if (Direct())
        Rafraichis();
}

void TfmCellule::B_LienCouleurChangeClick()
{
    QColor couleur = CouleurQt(m_look.RelierColor);
    if (!Dialogues().ChoisitCouleur(couleur))
        return;
    m_look.RelierColor = CouleurDeQt(couleur);
    MetCouleur(m_sRelierColor, m_look.RelierColor);
    if (Direct())
        AppCalcule();
}

void TfmCellule::LienTextureClick(int k)
{
    if (m_chargement || k < 1 || k > 9)
        return;
    QString &texture = m_look.RelierTexture[std::size_t(k)];
    const QString chemin = CheminTextureLien(texture);
    if (chemin.isEmpty()) {
        m_iLien->clear();
        texture.clear();
    } else {
        MontreImage(m_iLien, chemin);
    }
    if (Direct())
        Rafraichis();
}

void TfmCellule::SpeedButton11Click()
{
    const QString fichier = Dialogues().FichierAOuvrir(MLText(TexteTitreLien), DossierImageArbre, MLText(TexteFiltreLien));
    if (fichier.isEmpty() || !QFileInfo(fichier).isFile())
        return;
    QString nom;
    if (!CopieImage(fichier, &nom))
        return;
    int k = 1;
    while (k < 9 && !m_sbLien[std::size_t(k)]->isChecked())
        ++k;
    m_sbLien[std::size_t(k)]->setChecked(true);
    m_look.RelierTexture[std::size_t(k)] = nom;
    LienTextureClick(k);
}

void TfmCellule::bFondTextureClick()
{
    const QString fichier = Dialogues().FichierAOuvrir(MLText(TexteTitreEcran), DossierImageArbre, FiltreImages());
    if (!fichier.isEmpty() && QFileInfo(fichier).isFile()) {
        QString nom;
        if (!CopieImage(fichier, &nom))
            return;
        MontreImage(m_iFond, CheminImageArbre(nom));
        TextEcran = nom;
    } else {
        m_iFond->clear();
        TextEcran.clear();
    }
    if (Direct())
        AppCalcule();
}

void TfmCellule::bFondColorClick()
{
    QColor couleur = CouleurQt(CouleurEcran);
    if (Dialogues().ChoisitCouleur(couleur)) {
        CouleurEcran = CouleurDeQt(couleur);
        MetCouleur(m_pFond, CouleurEcran);
    }
    if (Direct())
        AppCalcule();
}

void TfmCellule::NombreChange()
{
    if (m_chargement)
        return;
    m_look.NbreGen = m_seNbreGen->value();
    m_look.Large = m_seLarge->value();
    m_look.EcatHorz = m_seEcartHorz->value();
    m_look.EcartVert = m_seEcartVert->value();
    m_look.Zoom = m_seZoom->value();
    if (Direct())
        AppCalcule();
}
