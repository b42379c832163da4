#include "TOngletSources.h"

#include "BD.h"
#include "Dialogues.h"
#include "Langue.h"
#include "Media.h"
#include "Source.h"
#include "TApercu.h"
#include "TfmSource.h"
#include "TfmSourceRech.h"
#include "TfmVoirImage.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

namespace {

constexpr int TexteChoisirSource = 124;
constexpr int TexteSourcesPleines = 7602;

} // namespace

TOngletSources::TOngletSources(TBD &bd, QWidget *parent)
    : QWidget(parent)
    , m_bd(bd)
{
    setObjectName(QStringLiteral("TS_Donnee"));
    auto *l = new QHBoxLayout(this);
    m_lbDonnee = new QListWidget(this);
    m_lbDonnee->setObjectName(QStringLiteral("lbDonnee"));
    m_lbDonnee->setContextMenuPolicy(Qt::CustomContextMenu);
    l->addWidget(m_lbDonnee, 1);
    m_pPhoto = new QWidget(this);
    m_pPhoto->setObjectName(QStringLiteral("pPhoto"));
    auto *lp = new QVBoxLayout(m_pPhoto);
    lp->setContentsMargins(0, 0, 0, 0);
    m_iPhoto = new TApercu(m_pPhoto);
    m_iPhoto->setObjectName(QStringLiteral("iPhoto"));
    lp->addWidget(m_iPhoto, 1);
    m_mpDonnee = new TLecteur(false, m_pPhoto);
    m_mpDonnee->setObjectName(QStringLiteral("mpDonnee"));
    m_mpDonnee->hide();
    lp->addWidget(m_mpDonnee);
    l->addWidget(m_pPhoto, 1);

    m_pmDonnee = new QMenu(this);
    m_pmDonnee->setObjectName(QStringLiteral("pmDonnee"));
    auto entree = [this](const char *nom, const QString &texte, void (TOngletSources::*action)()) {
        QAction *a = m_pmDonnee->addAction(texte);
        a->setObjectName(QString::fromLatin1(nom));
        connect(a, &QAction::triggered, this, action);
    };
    entree("miDonneeAjoute", QStringLiteral("Créer une nouvelle source..."), &TOngletSources::miDonneeAjouteClick);
    entree("Slectionnerlasourcedanslaliste1", QStringLiteral("Sélectionner la source dans la liste..."),
           &TOngletSources::SelectionneClick);
    entree("pmDonneeSupprime", QStringLiteral("Supprimer le lien avec la source sélectionnée"),
           &TOngletSources::pmDonneeSupprimeClick);
    entree("miDonneeModifie", QStringLiteral("Modifier la source sélectionnée..."),
           &TOngletSources::miDonneeModifieClick);

    connect(m_lbDonnee, &QListWidget::currentRowChanged, this, &TOngletSources::lbDonneeClick);
    connect(m_lbDonnee, &QListWidget::itemDoubleClicked, this, [this] {
        if (SourceChoisie() > 0)
            miDonneeModifieClick();
        else if (m_lbDonnee->currentRow() == m_lbDonnee->count() - 1)
            miDonneeAjouteClick();
    });
    connect(m_lbDonnee, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { m_pmDonnee->popup(m_lbDonnee->viewport()->mapToGlobal(p)); });
    connect(m_iPhoto, &TApercu::Relache, this, &TOngletSources::iPhotoRelache);
}

TOngletSources::~TOngletSources() = default;

void TOngletSources::Affiche(int p)
{
    m_personne = p;
    Rafraichit(0);
}

void TOngletSources::Rafraichit(int ligne)
{
    const QSignalBlocker bloque(m_lbDonnee);
    m_lbDonnee->clear();
    if (m_bd.PersonInUse(m_personne)) {
        for (int i = 1; i <= m_bd.PersonSourceCount(m_personne); ++i)
            m_lbDonnee->addItem(m_bd.GetPersonSourceField(m_personne, i, SrcTitre));
        m_lbDonnee->addItem(QStringLiteral("<Double cliquer ici pour créer>"));
        m_lbDonnee->setCurrentRow(std::clamp(ligne, 0, m_lbDonnee->count() - 1));
    }
    lbDonneeClick();
}

int TOngletSources::IndexChoisi() const
{
    const int i = m_lbDonnee->currentRow() + 1;
    return i >= 1 && i <= m_bd.PersonSourceCount(m_personne) ? i : 0;
}

int TOngletSources::SourceChoisie() const
{
    const int i = IndexChoisi();
    return i > 0 ? m_bd.PersonSourceNumber(m_personne, i) : 0;
}

void TOngletSources::lbDonneeClick()
{
    m_mpDonnee->Ferme();
    m_mpDonnee->hide();
    m_iPhoto->SetImage(QImage());
    m_cheminImage.clear();
    const int s = SourceChoisie();
    if (s == 0)
        return;
    const QString chemin = CheminSource(m_bd.SourceField(s, SrcCheminSeul));
    if (chemin.isEmpty())
        return;
    switch (GenreMedia(chemin)) {
    case TGenreMedia::Image: {
        QImage image;
        if (ChargeImageSource(image, chemin, m_iPhoto->size().expandedTo(QSize(320, 320)))) {
            m_iPhoto->SetImage(image);
            m_cheminImage = chemin;
        }
        break;
    }
    case TGenreMedia::Son:
    case TGenreMedia::Video:
        m_mpDonnee->show();
        m_mpDonnee->Ouvre(chemin);
        break;
    case TGenreMedia::Aucun:
        break;
    }
}

void TOngletSources::miDonneeAjouteClick()
{
    if (!m_hote || !m_bd.PersonInUse(m_personne))
        return;
    const int s = m_bd.AddPersonSource(m_personne);
    if (s == 0) {
        AppMessageBox(MLText(TexteSourcesPleines), MsgErreur, BoutonsOk);
        return;
    }
    const int ligne = m_lbDonnee->currentRow();
    if (EditeSource(m_bd, *m_hote, s, window(), true) == 0) {
        Rafraichit(ligne);
        return;
    }
    Rafraichit(m_bd.PersonSourceCount(m_personne) - 1);
    emit ListeModifiee();
}

void TOngletSources::miDonneeModifieClick()
{
    const int s = SourceChoisie();
    if (!m_hote || s <= 0)
        return;
    const int ligne = m_lbDonnee->currentRow();
    EditeSource(m_bd, *m_hote, s, window());
    Rafraichit(ligne);
}

void TOngletSources::pmDonneeSupprimeClick()
{
    const int i = IndexChoisi();
    if (i == 0)
        return;
    m_bd.RemovePersonSource(m_personne, i);
    Rafraichit(i - 1);
    emit ListeModifiee();
}

void TOngletSources::SelectionneClick()
{
    if (!m_hote || !m_bd.PersonInUse(m_personne))
        return;
    const int s = ChoisitSource(m_bd, MLText(TexteChoisirSource) + QLatin1Char(' ') + m_bd.FullName(m_personne),
                                window());
    if (s <= 0 || !m_bd.LinkSource(m_personne, s))
        return;
    Rafraichit(m_bd.PersonSourceCount(m_personne) - 1);
    emit ListeModifiee();
}

void TOngletSources::iPhotoRelache(Qt::MouseButton bouton)
{
    if (!m_bd.PersonInUse(m_personne))
        return;
    if (SourceChoisie() == 0) {
        if (m_lbDonnee->currentRow() == m_lbDonnee->count() - 1)
            miDonneeAjouteClick();
        return;
    }
    if (bouton == Qt::LeftButton && !m_iPhoto->Vide())
        AfficheImage(m_cheminImage, window());
    else
        miDonneeModifieClick();
}
