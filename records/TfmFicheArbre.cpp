#include "TfmFicheArbre.h"

#include "BD.h"
#include "Dates.h"
#include "Globales.h"
#include "Images.h"
#include "Langue.h"
#include "Modeles.h"
#include "Options.h"
#include "Parente.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>

namespace {

constexpr int TexteNaissance = 620;
constexpr int TexteLieuNaissance = 630;
constexpr int TexteDeces = 640;
constexpr int TexteLieuDeces = 641;

} // namespace

TfmFicheArbre::TfmFicheArbre(TBD &bd, THoteFicheArbre &hote, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_bd(bd), m_hote(hote)
{
    setObjectName(QStringLiteral("fmFicheArbre"));
    setWindowTitle(QStringLiteral("Fiche sous forme d'arbre"));

    // The picture lies under the boxes, over the whole window.
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setScaledContents(true);
    const QString fond = DossierSkin + QStringLiteral("FicheArbre.png");
    QImage image;
    if (!DossierSkin.isEmpty() && ChargeImageQt(image, fond))
        m_image->setPixmap(QPixmap::fromImage(image));

    m_lbPere = Liste("lbPere", true);
    m_lbMere = Liste("lbMere", true);
    m_lbCentre = Liste("lbCentre", false);
    m_lbFatrie = Liste("lbFatrie", true);
    m_lbUnion = Liste("lbUnion", true);
    m_lbUnionParent = Liste("lbUnionParent", true);
    m_lbEnfant = Liste("lbEnfant", true);
    for (QListWidget *l : {m_lbPere, m_lbMere, m_lbCentre}) {
        l->setSelectionMode(QAbstractItemView::NoSelection);
        l->setFocusPolicy(Qt::NoFocus);
    }

    auto *grille = new QGridLayout(this);
    auto place = [&](QListWidget *liste, const QString &titre, int ligne, int colonne) {
        auto *libelle = new QLabel(titre, this);
        libelle->setBuddy(liste);
        grille->addWidget(libelle, ligne, colonne);
        grille->addWidget(liste, ligne + 1, colonne);
    };
    place(m_lbPere, QStringLiteral("Père"), 0, 0);
    place(m_lbMere, QStringLiteral("Mère"), 0, 1);
    place(m_lbUnionParent, QStringLiteral("Parents du conjoint"), 0, 2);
    place(m_lbFatrie, QStringLiteral("Fratrie"), 2, 0);
    place(m_lbCentre, QStringLiteral("Référence"), 2, 1);
    place(m_lbUnion, QStringLiteral("Conjoints"), 2, 2);
    place(m_lbEnfant, QStringLiteral("Enfants"), 4, 1);
    for (int colonne = 0; colonne < 3; ++colonne)
        grille->setColumnStretch(colonne, 1);

    auto personneDe = [](const TR &personnes, int ligne) {
        return ligne >= 0 && ligne < personnes.Count() ? personnes.Get(ligne + 1) : 0;
    };
    connect(m_lbFatrie, &QListWidget::itemClicked, this, [=, this](QListWidgetItem *item) {
        Choisit(personneDe(m_freres, m_lbFatrie->row(item)));
    });
    connect(m_lbEnfant, &QListWidget::itemClicked, this, [=, this](QListWidgetItem *item) {
        Choisit(personneDe(m_enfants, m_lbEnfant->row(item)));
    });
    connect(m_lbUnion, &QListWidget::itemClicked, this, [=, this](QListWidgetItem *item) {
        Choisit(Conjoint(personneDe(m_unions, m_lbUnion->row(item))));
    });
    connect(m_lbUnionParent, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        const int ligne = m_lbUnionParent->row(item);
        Choisit(ligne == 0 ? m_conjointPere : ligne == 1 ? m_conjointMere : 0);
    });
    for (QListWidget *l : {m_lbPere, m_lbMere, m_lbUnion})
        l->viewport()->installEventFilter(this);
    m_image->lower();
    resize(560, 420);
}

TfmFicheArbre::~TfmFicheArbre() = default;

QListWidget *TfmFicheArbre::Liste(const char *nom, bool main)
{
    auto *l = new QListWidget(this);
    l->setObjectName(QString::fromLatin1(nom));
    l->setFrameShape(QFrame::NoFrame);
    // White boxes whatever the style, so that they stand out on the picture.
    QPalette palette = l->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    l->setPalette(palette);
    if (main)
        l->viewport()->setCursor(Qt::PointingHandCursor);
    return l;
}

void TfmFicheArbre::SetBouton(QAbstractButton *bouton)
{
    m_bouton = bouton;
    if (!bouton)
        return;
    bouton->setCheckable(true);
    bouton->setEnabled(true);
    bouton->setChecked(isVisible());
    // Only the user's click moves the window; the button following the
    // window (below) sends no click, so hiding never runs into itself.
    connect(bouton, &QAbstractButton::clicked, this, [this](bool bas) { setVisible(bas); });
}

void TfmFicheArbre::Actualise()
{
    if (isVisible())
        AfficheFicheArbre();
}

int TfmFicheArbre::Conjoint(int u) const
{
    if (!m_bd.UnionInUse(u))
        return 0;
    return m_bd.Sex(m_personne) == SexeHomme ? m_bd.Wife(u) : m_bd.Husband(u);
}

void TfmFicheArbre::Choisit(int p)
{
    if (m_bd.PersonInUse(p))
        m_hote.SetSelecPers(p);
}

void TfmFicheArbre::AffichePersonne(QListWidget *liste, int p)
{
    liste->clear();
    if (!m_bd.PersonInUse(p))
        return;
    liste->addItem(m_bd.Surname(p) + QLatin1Char(' ') + m_bd.GivenNames(p));
    auto ligne = [liste](const QString &avant, const QString &valeur) {
        if (valeur.isEmpty())
            return;
        liste->addItem(avant.isEmpty() ? valeur : avant + QLatin1Char(' ') + valeur);
    };
    ligne(QString(), m_bd.Profession(p));
    ligne(MLText(TexteNaissance), DateVersAffichage(m_bd.BirthDate(p)));
    ligne(MLText(TexteLieuNaissance), m_bd.BirthPlace(p));
    ligne(MLText(TexteDeces), DateVersAffichage(m_bd.DeathDate(p)));
    ligne(MLText(TexteLieuDeces), m_bd.DeathPlace(p));
}

void TfmFicheArbre::AfficheFicheArbre()
{
    const int avant = m_personne;
    const int ligneUnion = m_lbUnion->currentRow();
    m_personne = m_bd.PersonInUse(m_hote.SelecPers()) ? m_hote.SelecPers() : 0;
    const int p = m_personne;
    m_pere = p ? m_bd.Father(p) : 0;
    m_mere = p ? m_bd.Mother(p) : 0;
    AffichePersonne(m_lbPere, m_pere);
    AffichePersonne(m_lbMere, m_mere);
    AffichePersonne(m_lbCentre, p);

    // Siblings and children in the record form's order and lines.
    const TOptions &o = Options();
    auto remplit = [&](QListWidget *liste, TR &personnes, TR nouvelles) {
        SortList(m_bd, nouvelles, PcPrenoms);
        SortListByDate(m_bd, nouvelles, PcNaissanceDate);
        personnes = std::move(nouvelles);
        liste->clear();
        for (int x : personnes)
            liste->addItem(ExpandTemplate(m_bd, x, o.Fiche2));
    };
    remplit(m_lbFatrie, m_freres, p ? SiblingsOf(m_bd, p) : TR());
    remplit(m_lbEnfant, m_enfants, p ? ChildrenOf(m_bd, p) : TR());

    m_unions = p ? UnionsOf(m_bd, p) : TR();
    m_lbUnion->clear();
    for (int u : m_unions) {
        QString texte = ExpandTemplate(m_bd, Conjoint(u), o.Fiche1);
        const QString date = m_bd.MarriageDate(u);
        if (!date.isEmpty())
            texte += QLatin1Char(' ') + date;
        m_lbUnion->addItem(texte);
    }
    if (m_lbUnion->count() > 0)
        m_lbUnion->setCurrentRow(p == avant && ligneUnion >= 0 && ligneUnion < m_lbUnion->count() ? ligneUnion : 0);
    AfficheParentConjoint();
}

void TfmFicheArbre::AfficheParentConjoint()
{
    m_lbUnionParent->clear();
    m_conjointPere = m_conjointMere = 0;
    const int ligne = m_lbUnion->currentRow();
    if (ligne < 0 || ligne >= m_unions.Count())
        return;
    const int conjoint = Conjoint(m_unions.Get(ligne + 1));
    if (!m_bd.PersonInUse(conjoint))
        return;
    m_conjointPere = m_bd.PersonInUse(m_bd.Father(conjoint)) ? m_bd.Father(conjoint) : 0;
    m_conjointMere = m_bd.PersonInUse(m_bd.Mother(conjoint)) ? m_bd.Mother(conjoint) : 0;
    // Two fixed lines, so that a line always means the same parent.
    for (int parent : {m_conjointPere, m_conjointMere})
        m_lbUnionParent->addItem(parent ? m_bd.Surname(parent) + QLatin1Char(' ') + m_bd.GivenNames(parent)
                                        : QString());
}

bool TfmFicheArbre::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(objet, evenement);
    const auto *souris = static_cast<QMouseEvent *>(evenement);
    if (objet == m_lbPere->viewport() || objet == m_lbMere->viewport()) {
        if (souris->button() == Qt::LeftButton)
            Choisit(objet == m_lbPere->viewport() ? m_pere : m_mere);
        return true;
    }
    if (objet == m_lbUnion->viewport() && souris->button() == Qt::RightButton) {
        QListWidgetItem *item = m_lbUnion->itemAt(souris->position().toPoint());
        if (item) {
            m_lbUnion->setCurrentItem(item);
            AfficheParentConjoint();
        }
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

void TfmFicheArbre::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_bouton)
        m_bouton->setChecked(true);
    AfficheFicheArbre();
}

void TfmFicheArbre::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // A window hidden with the minimised main window comes back with it.
    if (m_bouton && !event->spontaneous())
        m_bouton->setChecked(false);
}

void TfmFicheArbre::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_image->setGeometry(rect());
}

void TfmFicheArbre::keyPressEvent(QKeyEvent *event)
{
    if (!m_hote.FormKeyDown(event->key(), event->modifiers()))
        QWidget::keyPressEvent(event);
}
