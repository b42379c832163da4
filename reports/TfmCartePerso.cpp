#include "TfmCartePerso.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Globales.h"
#include "IOCarte.h"
#include "Langue.h"
#include "ModelesUtilisateur.h"
#include "TfmCarte.h"
#include "TfmCarteNouvelleZone.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteNonEnregistree = 8403;
constexpr int TexteSansImage = 8404;

enum Colonne { ColNom = 0, ColLieu, ColX, ColY };

} // namespace

TfmCartePerso::TfmCartePerso(TfmCarte &carte, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_carte(carte)
{
    setObjectName(u"fmCartePerso"_s);
    setWindowTitle(u"Personnalisation de la carte affichée"_s);
    auto *l = new QVBoxLayout(this);
    auto *f = new QFormLayout;
    m_eFile = new QLineEdit(this);
    m_eFile->setObjectName(u"eFile"_s);
    f->addRow(u"Nom de la carte"_s, m_eFile);
    m_eBmp = new QLineEdit(this);
    m_eBmp->setObjectName(u"eBmp"_s);
    m_eBmp->setReadOnly(true);
    f->addRow(u"Fichier image"_s, m_eBmp);
    l->addLayout(f);

    m_lvCarte = new QTreeWidget(this);
    m_lvCarte->setObjectName(u"lvCarte"_s);
    m_lvCarte->setRootIsDecorated(false);
    m_lvCarte->setSortingEnabled(false);
    m_lvCarte->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvCarte->setHeaderLabels({u"Nom"_s, u"Lieu"_s, u"PtsX"_s, u"PtsY"_s});
    m_lvCarte->header()->setSectionsClickable(false);
    m_lvCarte->setColumnWidth(ColNom, 150);
    m_lvCarte->setColumnWidth(ColLieu, 100);
    m_lvCarte->headerItem()->setTextAlignment(ColX, Qt::AlignCenter);
    m_lvCarte->headerItem()->setTextAlignment(ColY, Qt::AlignCenter);
    l->addWidget(m_lvCarte, 1);

    auto *g = new QFormLayout;
    m_eNom = new QLineEdit(this);
    m_eNom->setObjectName(u"eNom"_s);
    g->addRow(u"Nom"_s, m_eNom);
    m_eLieu = new QLineEdit(this);
    m_eLieu->setObjectName(u"eLieu"_s);
    g->addRow(u"Lieu"_s, m_eLieu);
    l->addLayout(g);
    m_ePtsX = new QLineEdit(this);
    m_ePtsX->setObjectName(u"ePtsX"_s);
    m_ePtsY = new QLineEdit(this);
    m_ePtsY->setObjectName(u"ePtsY"_s);
    for (QLineEdit *e : {m_ePtsX, m_ePtsY}) {
        e->setReadOnly(true);
        e->hide();
    }

    auto *b = new QHBoxLayout;
    auto bouton = [this, b](const char *nom, const QString &texte) {
        auto *p = new QPushButton(texte, this);
        p->setObjectName(QString::fromLatin1(nom));
        b->addWidget(p);
        return p;
    };
    QPushButton *tout = bouton("bAfficheTout", u"Affiche défini"_s);
    QPushButton *aucun = bouton("bAfficheAucun", u"Affiche aucun"_s);
    QPushButton *sauve = bouton("sbSauve", u"&Sauver"_s);
    QPushButton *fermer = bouton("bFermer", u"&Fermer"_s);
    l->addLayout(b);
    resize(420, 480);
    MLTranslateForm(this);

    connect(m_lvCarte, &QTreeWidget::itemClicked, this, &TfmCartePerso::lvCarteClick);
    connect(m_eNom, &QLineEdit::textChanged, this, &TfmCartePerso::Change);
    connect(m_eLieu, &QLineEdit::textChanged, this, &TfmCartePerso::Change);
    connect(tout, &QPushButton::clicked, this, &TfmCartePerso::bAfficheToutClick);
    connect(aucun, &QPushButton::clicked, this, [this] { m_carte.AffAucun(); });
    connect(sauve, &QPushButton::clicked, this, &TfmCartePerso::Sauve);
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);
}

TfmCartePerso::~TfmCartePerso() = default;

void TfmCartePerso::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        emit Montree();
}

void TfmCartePerso::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit Cachee();
}

void TfmCartePerso::MontreCarte(const QString &nom, const QString &image)
{
    m_eFile->setText(nom);
    m_eBmp->setText(image);
    RemplitListe();
    ListeToEdit(-1);
}

void TfmCartePerso::RemplitListe()
{
    m_lvCarte->clear();
    QList<QTreeWidgetItem *> lignes;
    for (const TZoneCarte &z : m_carte.Zones()) {
        auto *ligne = new QTreeWidgetItem({z.Nom, z.Lieu, QString::number(z.X), QString::number(z.Y)});
        ligne->setTextAlignment(ColX, Qt::AlignCenter);
        ligne->setTextAlignment(ColY, Qt::AlignCenter);
        lignes << ligne;
    }
    m_lvCarte->addTopLevelItems(lignes);
}

void TfmCartePerso::ListeToEdit(int i)
{
    m_maj = true;
    const auto &zones = m_carte.Zones();
    if (i >= 0 && i < static_cast<int>(zones.size())) {
        const TZoneCarte &z = zones[static_cast<size_t>(i)];
        m_eNom->setText(z.Nom);
        m_eLieu->setText(z.Lieu);
        m_ePtsX->setText(QString::number(z.X));
        m_ePtsY->setText(QString::number(z.Y));
        m_courant = i;
    } else {
        for (QLineEdit *e : {m_eNom, m_eLieu, m_ePtsX, m_ePtsY})
            e->clear();
        m_courant = -1;
    }
    m_maj = false;
}

QString TfmCartePerso::NomCourant() const
{
    return m_eNom->text();
}

QString TfmCartePerso::LieuCourant() const
{
    return m_eLieu->text();
}

void TfmCartePerso::lvCarteClick()
{
    QTreeWidgetItem *ligne = m_lvCarte->currentItem();
    if (!ligne || !ligne->isSelected()) {
        m_courant = -1;
        return;
    }
    const int i = m_lvCarte->indexOfTopLevelItem(ligne);
    m_carte.EffaceClick();
    ListeToEdit(i);
    const TZoneCarte &z = m_carte.Zones()[static_cast<size_t>(i)];
    m_carte.SetPointClic(QPoint(z.X, z.Y));
    m_carte.AfficheClick();
}

void TfmCartePerso::Change()
{
    auto &zones = m_carte.Zones();
    if (m_maj || m_courant < 0 || m_courant >= static_cast<int>(zones.size()))
        return;
    TZoneCarte &z = zones[static_cast<size_t>(m_courant)];
    z.Nom = m_eNom->text();
    z.Lieu = m_eLieu->text();
    if (QTreeWidgetItem *ligne = m_lvCarte->topLevelItem(m_courant)) {
        ligne->setText(ColNom, z.Nom);
        ligne->setText(ColLieu, z.Lieu);
    }
    m_carte.ZonesModifiees();
}

void TfmCartePerso::bAfficheToutClick()
{
    m_carte.EffaceClick();
    for (const TZoneCarte &z : m_carte.Zones())
        m_carte.Remplit(QPoint(z.X, z.Y), TfmCarte::CouleurZone());
}

bool TfmCartePerso::ListeNouveau()
{
    TfmCarteNouvelleZone dialogue(this);
    if (dialogue.exec() != QDialog::Accepted)
        return false;
    const QPoint p = m_carte.PointClic();
    m_carte.Zones().push_back({dialogue.Nom(), dialogue.Lieu(), p.x(), p.y()});
    m_carte.ZonesModifiees();
    RemplitListe();
    return true;
}

bool TfmCartePerso::Sauve()
{
    const QString nom = m_eFile->text().trimmed();
    QString raison;
    if (!NomCarteValide(nom, &raison)) {
        AppMessageBox(raison, MsgErreur, BoutonsOk);
        return false;
    }
    // A map without picture could not be used again: nothing is written.
    if (m_carte.ImageVide().isNull()) {
        AppMessageBox(MLFormat(TexteNonEnregistree, {nom, MLText(TexteSansImage)}), MsgErreur, BoutonsOk);
        return false;
    }
    m_carte.AffAucun();
    QString erreur;
    // Saved as the user's map, a shipped one too: the shipped folder is only
    // read.
    const TDossiersModeles dossiers = DossiersCarte();
    if (!SauveCarte(FichierModeleAEcrire(dossiers, nom, u".mvc"_s), m_carte.Zones(), m_carte.Comparaison(), &erreur)
        || !SauveImageCarte(m_carte.ImageVide(), FichierModeleAEcrire(dossiers, nom, u".bmp"_s), &erreur)) {
        AppMessageBox(MLFormat(TexteNonEnregistree, {nom, erreur}), MsgErreur, BoutonsOk);
        return false;
    }
    return true;
}
