#include "TQuorWin.h"

#include "AnniFete.h"
#include "Chemins.h"
#include "CommandesCal.h"
#include "CommandesCarte.h"
#include "TfmCarte.h"
#include "CommandesRemp.h"
#include "CommandesSources.h"
#include "CommandesStat.h"
#include "Dates.h"
#include "Dialogues.h"
#include "FichierMvd.h"
#include "Fichiers.h"
#include "GardeEcran.h"
#include "Globales.h"
#include "Ini.h"
#include "Langue.h"
#include "Options.h"
#include "Placement.h"
#include "Dessin.h"
#include "TPage.h"
#include "TfmListe.h"
#include "Style.h"
#include "TBKStringGrid.h"
#include "TfmAjoute.h"
#include "TfmAjoutePers.h"
#include "TfmCellule.h"
#include "TfmOptions.h"
#include "TfmRapportCritere.h"
#include "TfmRechFiche.h"
#include "TfmCal.h"
#include "TfmCalConv.h"
#include "TfmGenePrint.h"
#include "TfmStat.h"
#include "Verification.h"
#include "Voisinage.h"
#include "Look.h"
#include "ModelesUtilisateur.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Messages of the main window (language file).
constexpr int TexteModifiee = 5020;
constexpr int TexteNouvelleBase = 5021;
constexpr int TexteOuvrir = 5022;
constexpr int TexteEnregistrerSous = 5023;
constexpr int TexteFiltreBases = 5024;
constexpr int TexteReglagesNonEcrits = 5025;
constexpr int TexteStatut = 5027;
constexpr int TexteAucunePersonne = 5028;
constexpr int TexteArbreCoupe = 5031;
constexpr int TexteExporte = 531;
constexpr int TexteExporter = 5033;
constexpr int TexteAnniFeteNonEcrit = 8301;

QAction *action(QMenu *menu, const char *nom, const QString &texte, const QKeySequence &raccourci = {})
{
    QAction *a = menu->addAction(texte);
    a->setObjectName(QString::fromLatin1(nom));
    if (!raccourci.isEmpty())
        a->setShortcut(raccourci);
    return a;
}

} // namespace

TQuorWin::TQuorWin(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TQuorWin"));
    // The window opens within the screen, frame and panels included.
    const QSize ecran = screen()->availableGeometry().size();
    resize(QSize(1100, 750).boundedTo(ecran - QSize(16, 48)));

    m_pc = new QTabWidget;
    m_pc->setObjectName(QStringLiteral("PC"));
    m_arbre = new QScrollArea;
    m_arbre->setObjectName(QStringLiteral("Arbre"));
    m_arbre->setBackgroundRole(QPalette::Base);
    m_arbre->setWidgetResizable(true);
    // The canvas of the tree exists before any build, and the builder keeps
    // it through every rebuild.
    m_page = new TPage;
    m_arbre->setWidget(m_page);
    m_affArbre = new TAffArbre(m_bd, m_arbre, *this, this);
    m_affArbre->SetPage(m_page);
    m_page->SetArbre(m_affArbre);
    AffArbre = m_affArbre;
    connect(this, &TQuorWin::SelecPersChangee, m_affArbre, &TAffArbre::AfficheSelecPers);
    m_fiche = new TfmFiche(m_bd, *this, this);
    AjouteSortieFiche([this] { m_fiche->Sorties(); });
    connect(this, &TQuorWin::SelecPersChangee, m_fiche, [this] {
        if (m_fiche->isVisible())
            m_fiche->Affiche();
    });
    // A form on screen shows the new database at once: its exit handlers,
    // which run before the new current person is set, then hold nothing of
    // the previous one.
    connect(this, &TQuorWin::BaseRechargee, m_fiche, [this] {
        m_fiche->Liste()->Invalide();
        if (m_fiche->isVisible())
            m_fiche->Affiche();
    });
    m_ajoute = new TfmAjoute(m_bd, m_relatifs, *this, this);
    connect(m_ajoute, &TfmAjoute::PersonneAjoutee, this, &TQuorWin::ArbreModifie);
    m_ajoutePers = new TfmAjoutePers(m_bd, *this, m_fiche->Liste(), this);
    m_rechFiche = new TfmRechFiche(m_bd, m_relatifs, *this, this);
    m_fiche->SetRelatifs(&m_relatifs, m_rechFiche);
    m_rapport = new TfmRapport(m_bd, *this, this);
    m_critere = new TfmRapportCritere(
        m_bd, *m_rapport, [this] { return m_selecPers; }, [this] { return m_affArbre->ListeEcran(); }, this);
    // Windows that hold person numbers drop them when the database is
    // replaced: a number of the previous database names somebody else here.
    connect(this, &TQuorWin::BaseRechargee, m_rapport, &TfmRapport::Vide);
    connect(this, &TQuorWin::PersonnesRetirees, m_rapport, &TfmRapport::PersonnesChangees);
    connect(this, &TQuorWin::BaseRechargee, m_rechFiche, &TfmRechFiche::OubliePersonne);
    connect(this, &TQuorWin::SelecPersChangee, m_critere, &TfmRapportCritere::AffichePersonne);
    // Names shown elsewhere follow the edits.
    connect(this, &TQuorWin::DonneesModifiees, m_critere, &TfmRapportCritere::AffichePersonne);
    connect(this, &TQuorWin::DonneesModifiees, this, &TQuorWin::AfficheStatut);
    connect(this, &TQuorWin::BaseRechargee, m_affArbre, &TAffArbre::Affiche);
    connect(m_affArbre, &TAffArbre::Construit, this, [this] {
        if (m_affArbre->Coupe())
            statusBar()->showMessage(MLText(TexteArbreCoupe).arg(TAffArbre::MaxElements));
        else
            statusBar()->clearMessage();
    });

    auto *separation = new QSplitter;
    separation->addWidget(m_pc);
    separation->addWidget(m_arbre);
    separation->setStretchFactor(1, 1);
    separation->setSizes({230, 870});
    setCentralWidget(separation);

    m_statut = new QLabel;
    m_statut->setObjectName(QStringLiteral("lStatut"));
    statusBar()->addWidget(m_statut, 1);

    // The tree's two context menus; the tree display fills them.
    m_pmArbre = new QMenu(this);
    m_pmArbre->setObjectName(QStringLiteral("PM_Arbre"));
    m_pmArbreBoite = new QMenu(this);
    m_pmArbreBoite->setObjectName(QStringLiteral("PM_ArbreBoite"));

    // Every window of the program stays on the screen, whatever frame the
    // window system gives it.
    new TGardeEcran(this);
    // The tool windows open beside the tree area, then where they were left.
    m_placement = new TPlacement(this, m_arbre, this);
    m_placement->Suit(m_fiche, TPlacement::HautDroite);
    m_placement->Suit(m_rapport, TPlacement::BasDroite);
    m_placement->Suit(m_critere, TPlacement::BasGauche);
    // The options window works on the report: it does not hide its columns.
    m_placement->Accompagne(m_critere, m_rapport);
    // The look editor lives from start-up to exit; the tree library gives
    // its command, placed in the tree menus below.
    m_cellule = new TfmCellule(m_bd, *m_affArbre, *this, this);
    m_placement->Suit(m_cellule, TPlacement::HautGauche);
    // Another database brings its own look: an editor left open edits it.
    connect(this, &TQuorWin::BaseRechargee, m_cellule, [this] {
        if (m_cellule->isVisible())
            m_cellule->Recharge();
    });

    CreeMenus();
    CreeMenuArbre();
    CreeMenuBoite();
    CreeTaches();
    // The source commands come with the records library.
    auto *sources = new TCommandesSources(
        m_bd,
        {[this](int p) { SetSelecPers(p); }, [this] { return m_rechFiche->ChoisitPersonne(m_selecPers); },
         [this] {
             ArbreModifie();
             if (m_fiche->isVisible())
                 m_fiche->Affiche();
         },
         [this] { return m_page->Fond(); }},
        this);
    sources->Branche();
    m_fiche->SetSources(sources);
    // The statistics window and its commands come with the reports library.
    auto *statistiques = new TCommandesStat(m_bd, *m_rapport, ReglagesStat(),
                                            [this]() -> QPrinter & { return Imprimante(); }, this);
    statistiques->Branche();
    m_placement->Suit(statistiques->Stat(), TPlacement::HautGauche);
    connect(this, &TQuorWin::BaseRechargee, statistiques->Stat(), &TfmStat::BaseRechargee);
    // So do the calendar, the date converter and the anniversary reminder.
    auto *calendrier = new TCommandesCal(m_bd, *m_rapport, [this](int p) { SelecFiche(p); }, this);
    calendrier->Branche();
    m_placement->Suit(calendrier->Cal(), TPlacement::HautGauche);
    connect(this, &TQuorWin::BaseRechargee, calendrier->Cal(), &TfmCal::BaseRechargee);
    m_fiche->SetConvertisseurDate(&ConvertitDateCalendrier);
    // The map window, its zone editor and the new-map dialog come with the
    // reports library too.
    m_cartes = new TCommandesCarte(m_bd, *m_rapport, [this] { return m_selecPers; }, this);
    m_cartes->Branche();
    m_placement->Suit(m_cartes->Carte(), TPlacement::HautGauche);
    connect(this, &TQuorWin::SelecPersChangee, m_cartes, &TCommandesCarte::AffCarte);
    connect(this, &TQuorWin::BaseRechargee, m_cartes, &TCommandesCarte::BaseRechargee);
    m_ficheArbre = new TfmFicheArbre(m_bd, *this, this);
    m_ficheArbre->SetBouton(findChild<QToolButton *>(QStringLiteral("sbFicheArbre")));
    m_placement->Suit(m_ficheArbre, TPlacement::HautGauche);
    connect(this, &TQuorWin::SelecPersChangee, m_ficheArbre, &TfmFicheArbre::Actualise);
    connect(this, &TQuorWin::DonneesModifiees, m_ficheArbre, &TfmFicheArbre::Actualise);
    connect(this, &TQuorWin::BaseRechargee, m_ficheArbre, &TfmFicheArbre::Actualise);
    // Find and replace comes with the records library too; it lists its
    // values in the report window.
    auto *remplacer = new TCommandesRemp(
        m_bd,
        {[this] { return m_rapport->InitRapport() ? m_rapport->Grille() : nullptr; },
         [this] { return m_rapport->Progression(); },
         [this](const QString &titre) {
             m_rapport->setWindowTitle(titre);
             m_rapport->FinRapport();
         },
         [this] {
             m_fiche->Liste()->Invalide();
             SetSelecPers(m_selecPers);
             ArbreModifie();
         },
         [this](QWidget *fenetre) { m_placement->Suit(fenetre, TPlacement::HautGauche); }},
        this);
    remplacer->Branche();
    MLTranslateForm(this);
    TitreFenetre();
    AfficheStatut();
}

TQuorWin::~TQuorWin()
{
    if (AffArbre == m_affArbre)
        AffArbre = nullptr;
}

void TQuorWin::CreeMenus()
{
    QMenu *fichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
    fichier->setObjectName(QStringLiteral("MI_Fichier"));
    connect(action(fichier, "MI_Nouveau", QStringLiteral("Nouveau"), QKeySequence::New),
            &QAction::triggered, this, [this] { Nouveau(); });
    connect(action(fichier, "MI_Ouvrir", QStringLiteral("Ouvrir..."), QKeySequence::Open),
            &QAction::triggered, this, [this] { Ouvrir(); });
    connect(action(fichier, "MI_Enregistrer", QStringLiteral("Enregistrer"), QKeySequence::Save),
            &QAction::triggered, this, [this] { Enregistrer(); });
    connect(action(fichier, "MI_EnregistrerSous", QStringLiteral("Enregistrer sous..."),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, [this] { EnregistrerSous(); });
    fichier->addSeparator();
    connect(action(fichier, "MI_ExporteRapport", QStringLiteral("Exporter le rapport...")), &QAction::triggered,
            this, [this] { ExporteRapport(); });
    // The printable designs bring their window and its command.
    AjouteCommandeGenePrint(fichier, m_bd, this);
    fichier->addSeparator();
    connect(action(fichier, "MI_Quitter", QStringLiteral("Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q)),
            &QAction::triggered, this, &QWidget::close);

    QMenu *edition = menuBar()->addMenu(QStringLiteral("&Édition"));
    edition->setObjectName(QStringLiteral("MI_Edition"));
    QAction *precedent = action(edition, "MI_Precedent", QStringLiteral("Personne précédente"),
                                QKeySequence(Qt::ALT | Qt::Key_Left));
    connect(precedent, &QAction::triggered, this, [this] { Precedent(); });
    QAction *suivant = action(edition, "MI_Suivant", QStringLiteral("Personne suivante"),
                              QKeySequence(Qt::ALT | Qt::Key_Right));
    connect(suivant, &QAction::triggered, this, [this] { Suivant(); });
    connect(action(edition, "MI_Fiche", QStringLiteral("Fiche de la personne"), QKeySequence(Qt::Key_F2)),
            &QAction::triggered, this, &TQuorWin::ShowFiche);
    edition->addSeparator();
    connect(action(edition, "MI_Supprime", QStringLiteral("Supprimer...")), &QAction::triggered, this,
            &TQuorWin::AfficheSupprime);
    AjouteCommandeFusion(edition, m_bd, *this, this);

    QMenu *outils = menuBar()->addMenu(QStringLiteral("&Outils"));
    outils->setObjectName(QStringLiteral("MI_Outils"));
    connect(action(outils, "MI_Options", QStringLiteral("Options..."), QKeySequence(Qt::Key_F9)),
            &QAction::triggered, this, &TQuorWin::AfficheOptions);
}

void TQuorWin::CreeMenuArbre()
{
    const std::pair<const char *, const char *> commandes[] = {
        {"MI_ArbreApparence", "Apparence de l'arbre..."},
        {"MI_ArbreEcart", "Écart entre les cellules..."},
        {"MI_ArbreLarge", "Largeur des cellules..."},
        {"MI_ArbreNbreGen", "Nombre de générations..."},
        {"MI_ArbreZoom", "Zoom..."},
        {"MI_ArbreVoirPage", "Voir la page"},
        {"MI_ArbreImprime", "Imprimer l'arbre..."},
    };
    for (const auto &[nom, texte] : commandes)
        action(m_pmArbre, nom, QString::fromUtf8(texte));
}

void TQuorWin::CreeMenuBoite()
{
    QAction *fiche = action(m_pmArbreBoite, "MI_BoiteFiche", QStringLiteral("Afficher la fiche"));
    connect(fiche, &QAction::triggered, this, &TQuorWin::ShowFiche);
    QAction *recherche = action(m_pmArbreBoite, "MI_BoiteRecherche", QStringLiteral("Rechercher une fiche..."));
    connect(recherche, &QAction::triggered, this, [this] { RechercheFiche(false); });
    QAction *reference = action(m_pmArbreBoite, "MI_BoiteReference", QStringLiteral("Référence de l'arbre (De Cujus)"));
    connect(reference, &QAction::triggered, this, [this] { m_affArbre->ChangeReference(m_selecPers); });
    QAction *plie = action(m_pmArbreBoite, "MI_BoitePlie", QStringLiteral("Déployer/réduire la branche"));
    connect(plie, &QAction::triggered, this, [this] {
        if (!m_bd.PersonInUse(m_selecPers))
            return;
        m_bd.SetTreeFold(m_selecPers, m_bd.TreeFold(m_selecPers) ? 0 : 1);
        // The fold is saved with the base: the title says it is modified.
        BaseModifiee = 1;
        TitreFenetre();
        m_affArbre->Affiche();
    });
    QAction *ajoute = action(m_pmArbreBoite, "MI_BoiteAjoute", QStringLiteral("Ajouter..."));
    connect(ajoute, &QAction::triggered, this, &TQuorWin::AfficheAjoute);
    connect(action(m_pmArbreBoite, "MI_BoiteSupprime", QStringLiteral("Supprimer...")), &QAction::triggered, this,
            &TQuorWin::AfficheSupprime);
}

QToolButton *TQuorWin::Bouton(QWidget *parent, const char *nom, const QString &texte, bool aEtat)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setToolTip(texte);
    b->setCheckable(aEtat);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Each command is enabled by the part of the program that provides it.
    b->setEnabled(false);
    parent->layout()->addWidget(b);
    return b;
}

void TQuorWin::CreeTaches()
{
    auto groupe = [](QWidget *page, const QString &titre) {
        auto *g = new QGroupBox(titre, page);
        g->setLayout(new QVBoxLayout);
        page->layout()->addWidget(g);
        return g;
    };
    // Each page scrolls: the window then fits a small screen, whatever the
    // number of commands in the column.
    auto page = [this](QWidget *contenu, const char *nom, const QString &titre) {
        auto *defile = new QScrollArea;
        defile->setObjectName(QString::fromLatin1(nom));
        defile->setWidget(contenu);
        defile->setWidgetResizable(true);
        defile->setFrameShape(QFrame::NoFrame);
        defile->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        defile->setMinimumWidth(contenu->minimumSizeHint().width()
                                + defile->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        m_pc->addTab(defile, titre);
    };

    auto *afficher = new QWidget;
    afficher->setLayout(new QVBoxLayout);
    QGroupBox *arbre = groupe(afficher, QStringLiteral("Arbre"));
    Bouton(arbre, "sbVoirPage", QStringLiteral("Voir la page"), true);
    Bouton(arbre, "sbZoomPage", QStringLiteral("Zoom de la page"));
    Bouton(arbre, "sbCroisePage", QStringLiteral("Recouvrement des pages"));
    Bouton(arbre, "sbArbreImprime", QStringLiteral("Imprimer l'arbre"));
    Bouton(arbre, "sbArbreApparence", QStringLiteral("Apparence"));
    Bouton(arbre, "sbArbreEcart", QStringLiteral("Écart"));
    Bouton(arbre, "sbArbreLarge", QStringLiteral("Largeur"));
    Bouton(arbre, "sbArbreNbreGen", QStringLiteral("Générations"));
    Bouton(arbre, "sbArbreZoom", QStringLiteral("Zoom"));
    Bouton(arbre, "sbFicheArbre", QStringLiteral("Navigateur"), true);
    CreeCommandesArbre(arbre);
    QGroupBox *fiches = groupe(afficher, QStringLiteral("Fiches"));
    QToolButton *sbRechFiche = Bouton(fiches, "SB_RechFiche", QStringLiteral("Rechercher une personne"));
    sbRechFiche->setEnabled(true);
    connect(sbRechFiche, &QToolButton::clicked, this, [this] { RechercheFiche(false); });
    QToolButton *sbReference = Bouton(fiches, "SB_Reference", QStringLiteral("Personne de référence"));
    sbReference->setEnabled(true);
    connect(sbReference, &QToolButton::clicked, this, [this] { RechercheFiche(true); });
    QToolButton *sbSupprime = Bouton(fiches, "sbSupprime", QStringLiteral("Supprimer des personnes"), true);
    sbSupprime->setEnabled(true);
    connect(sbSupprime, &QToolButton::clicked, this, [this](bool bas) {
        if (bas)
            AfficheSupprime();
        else if (m_supprime)
            m_supprime->close();
    });
    Bouton(fiches, "sbRemp", QStringLiteral("Rechercher et remplacer"));
    QGroupBox *sources = groupe(afficher, QStringLiteral("Sources"));
    Bouton(sources, "sbSourceAjoute", QStringLiteral("Ajouter une source"));
    Bouton(sources, "sbSourceRech", QStringLiteral("Rechercher une source"));
    Bouton(sources, "SpeedButton4", QStringLiteral("Choisir une source"));
    Bouton(sources, "SpeedButton6", QStringLiteral("Vue des sources"));
    QGroupBox *rapports = groupe(afficher, QStringLiteral("Rapports"));
    QToolButton *sbRapport = Bouton(rapports, "SB_Rapport", QStringLiteral("Rapport"), true);
    sbRapport->setEnabled(true);
    connect(sbRapport, &QToolButton::clicked, this, &TQuorWin::SB_RapportClick);
    QToolButton *sbRapAff = Bouton(rapports, "sbRapAff", QStringLiteral("Affichage"), true);
    QToolButton *sbRapCol = Bouton(rapports, "sbRapCol", QStringLiteral("Colonnes"), true);
    QToolButton *sbRapAvance = Bouton(rapports, "sbRapAvance", QStringLiteral("Sélection avancée"), true);
    QToolButton *sbRapDef = Bouton(rapports, "sbRapDef", QStringLiteral("Rapports prédéfinis"), true);
    QToolButton *sbRapWeb = Bouton(rapports, "sbRapWeb", QStringLiteral("Page web"), true);
    // Each button shows its panel of the options window while it is down,
    // one at a time; the window hides when none is.
    const std::pair<QToolButton *, TfmRapportCritere::Panneau> panneaux[] = {
        {sbRapAff, TfmRapportCritere::PanneauAff},
        {sbRapCol, TfmRapportCritere::PanneauCol},
        {sbRapAvance, TfmRapportCritere::PanneauAvance},
        {sbRapDef, TfmRapportCritere::PanneauDef},
        {sbRapWeb, TfmRapportCritere::PanneauWeb}};
    // Not a structured binding: Clang 14 cannot capture one in a lambda.
    for (const auto &tache : panneaux) {
        QToolButton *const bouton = tache.first;
        const TfmRapportCritere::Panneau panneau = tache.second;
        bouton->setEnabled(true);
        connect(bouton, &QToolButton::toggled, this, [=, this](bool bas) {
            if (bas) {
                for (QToolButton *autre : {sbRapAff, sbRapCol, sbRapAvance, sbRapDef, sbRapWeb}) {
                    const QSignalBlocker bloque(autre);
                    autre->setChecked(autre == bouton);
                }
                m_critere->MontrePanneau(panneau);
                // The web page panel comes with the report window.
                if (panneau == TfmRapportCritere::PanneauWeb)
                    MontreRapport();
            } else if (!sbRapAff->isChecked() && !sbRapCol->isChecked() && !sbRapAvance->isChecked()
                       && !sbRapDef->isChecked() && !sbRapWeb->isChecked()) {
                m_critere->hide();
            }
        });
    }
    // The buttons follow the window, so that one click always shows it; the
    // web page button stays as it is.
    connect(m_critere, &TfmRapportCritere::Cachee, this, [=] {
        for (QToolButton *b : {sbRapAff, sbRapCol, sbRapAvance, sbRapDef})
            b->setChecked(false);
    });
    static_cast<QVBoxLayout *>(afficher->layout())->addStretch();
    page(afficher, "TS_Afficher", QStringLiteral("Afficher"));

    auto *stat = new QWidget;
    stat->setLayout(new QVBoxLayout);
    QGroupBox *outils = groupe(stat, QStringLiteral("Statistiques et calendrier"));
    Bouton(outils, "sbStat", QStringLiteral("Statistiques"), true);
    Bouton(outils, "sbCal", QStringLiteral("Calendrier"), true);
    QToolButton *eve = Bouton(outils, "sbCalEve", QStringLiteral("Événements"), true);
    QToolButton *ann = Bouton(outils, "sbCalAnn", QStringLiteral("Anniversaires"), true);
    eve->setAutoExclusive(true);
    ann->setAutoExclusive(true);
    eve->setChecked(true);
    QGroupBox *cartes = groupe(stat, QStringLiteral("Cartes"));
    Bouton(cartes, "sbCarte", QStringLiteral("Carte"), true);
    Bouton(cartes, "sbCarteDef", QStringLiteral("Personnaliser la carte"), true);
    Bouton(cartes, "sbCarteNouvelle", QStringLiteral("Nouvelle carte..."));
    static_cast<QVBoxLayout *>(stat->layout())->addStretch();
    page(stat, "TS_Stat", QStringLiteral("Statistiques"));
}

QString TQuorWin::FichierGene() const
{
    return DossierParamUser + QStringLiteral("gene.ini");
}

void TQuorWin::Initialise(const QStringList &arguments)
{
    const TIniFile gene(FichierGene());
    LitParametres(gene, ::Options(), Reglages(), ReglagesStat());
    m_placement->Lit(gene);
    m_page->PrintZoom = Reglages().PrintZoom;
    m_page->PrintCroise = Reglages().PrintCroise;
    m_page->PrintMargeH = Reglages().PrintMargeH;
    m_page->PrintMargeG = Reglages().PrintMargeG;
    m_page->PrintZoomAuto = Reglages().PrintZoomAuto;
    m_options = new TfmOptions(::Options(), this);
    m_options->hide();
    m_options->SetVerification([this] {
        if (VerificationBase(m_bd, m_options)) {
            FicheAffiche();
            ArbreModifie();
        }
    });
    m_options->SetStyle(&StyleOptions(), DossierParamUser + QStringLiteral("style.css"));
    // The colours of the reports: the user's style sheet, else the shipped one.
    const QString style = QFileInfo::exists(DossierParamUser + QStringLiteral("style.css"))
        ? DossierParamUser + QStringLiteral("style.css")
        : FichierStyleDefaut();
    // A pipe or a device is never read: it could keep the program waiting.
    QFile fichierStyle(style);
    if (ObstacleLecture(style).isEmpty() && fichierStyle.open(QIODevice::ReadOnly))
        StyleOptions().SetTexte(QString::fromUtf8(fichierStyle.readAll()));
    m_rapport->Charge(FichierModele(DossiersRapport(), NomModeleDefaut, QStringLiteral(".mvr")));
    m_critere->SetSorte(0);
    Reset();

    QStringList candidats;
    if (!arguments.isEmpty())
        candidats << arguments.first();
    if (!Reglages().DernierFichier.isEmpty())
        candidats << Reglages().DernierFichier;
    candidats << DossierGenealogie + NomModeleDefaut + QStringLiteral(".mvd");
    for (int i = 0; i < candidats.size(); ++i) {
        // A file named on the command line is tried even when missing, so
        // that the user hears why it did not open; the others only when there.
        const bool nomme = i == 0 && !arguments.isEmpty();
        if (!nomme && !QFileInfo::exists(candidats[i]))
            continue;
        if (Charge(candidats[i]))
            return;
    }
    Nouveau();
}

void TQuorWin::Reset()
{
    const QString perso = FichierModele(DossiersArbre(), QStringLiteral("perso"), QStringLiteral(".mva"));
    LitLook(QFileInfo::exists(perso) ? perso : FichierModele(DossiersArbre(), NomModeleDefaut, QStringLiteral(".mva")),
            Looks);
    TBoite::VideCacheImages();
    TLien::VideCacheImages();
}

void TQuorWin::ArbreMouseDown(Qt::MouseButton bouton, Qt::KeyboardModifiers, const QPoint &position)
{
    if (bouton == Qt::RightButton && !m_pmArbre->actions().isEmpty())
        m_pmArbre->popup(m_page->mapToGlobal(position));
}

// ---- Current person --------------------------------------------------------

void TQuorWin::AjouteSortieFiche(std::function<void()> sortie)
{
    m_sortiesFiche.push_back(std::move(sortie));
}

void TQuorWin::SetSelecPers(int p)
{
    // Pending edits of the record form are written before anything moves.
    EcritSaisies();
    m_selecPers = m_bd.PersonInUse(p) ? p : 0;
    // A base without a reference person (a new one) takes the first person
    // made current.
    if (m_selecPers != 0 && !m_bd.PersonInUse(RefPers))
        RefPers = m_selecPers;
    if (!m_dansHistorique && m_selecPers != 0
        && (m_position < 0 || m_historique[static_cast<size_t>(m_position)] != m_selecPers)) {
        m_historique.resize(static_cast<size_t>(m_position + 1));
        m_historique.push_back(m_selecPers);
        m_position = static_cast<int>(m_historique.size()) - 1;
    }
    AfficheStatut();
    emit SelecPersChangee(m_selecPers);
}

bool TQuorWin::Precedent()
{
    return Navigue(-1);
}

bool TQuorWin::Suivant()
{
    return Navigue(1);
}

bool TQuorWin::Navigue(int pas)
{
    // Persons deleted since are skipped.
    for (int i = m_position + pas; i >= 0 && i < static_cast<int>(m_historique.size()); i += pas) {
        const int p = m_historique[static_cast<size_t>(i)];
        if (m_bd.PersonInUse(p)) {
            m_position = i;
            m_dansHistorique = true;
            SetSelecPers(p);
            m_dansHistorique = false;
            return true;
        }
    }
    return false;
}

void TQuorWin::AfficheStatut()
{
    if (m_selecPers == 0)
        m_statut->setText(MLText(TexteAucunePersonne));
    else
        m_statut->setText(MLFormat(TexteStatut, {m_bd.FullName(m_selecPers), QString::number(m_selecPers)}));
}

void TQuorWin::ShowFiche()
{
    m_ficheVisible = true;
    // A visible form already follows the current person (SelecPersChangee).
    if (m_fiche->isVisible() && m_fiche->Personne() == m_selecPers)
        return;
    m_fiche->show();
    m_fiche->Affiche();
}

void TQuorWin::HideFiche()
{
    m_ficheVisible = false;
}

void TQuorWin::PersonneModifiee(int p)
{
    m_affArbre->RepaintPers(p);
    TitreFenetre();
    emit DonneesModifiees();
}

void TQuorWin::AffCarte()
{
    // The record form edited a place of its person.
    m_cartes->LieuxModifies(m_fiche->Personne());
}

void TQuorWin::ArbreModifie()
{
    TitreFenetre();
    m_affArbre->Affiche();
    emit DonneesModifiees();
}

void TQuorWin::ChangeReference(int p)
{
    m_affArbre->ChangeReference(p);
}

bool TQuorWin::SaisieIdentite(const QString &titre, int p, bool sexeChoisi)
{
    return m_ajoutePers->SaisieIdentite(titre, p, sexeChoisi);
}

void TQuorWin::MontreNouvelle(int p, const QString &titreFiche, bool focusNom)
{
    m_fiche->SetOnglet(0);
    SetSelecPers(p);
    ShowFiche();
    m_fiche->setWindowTitle(titreFiche);
    m_fiche->FocusNom(focusNom);
}

void TQuorWin::FicheAffiche()
{
    if (m_fiche->isVisible())
        m_fiche->Affiche();
}

int TQuorWin::OngletFiche() const
{
    return m_fiche->Onglet();
}

void TQuorWin::SetOngletFiche(int onglet)
{
    m_fiche->SetOnglet(onglet);
}

TR TQuorWin::ListeRapport() const
{
    return m_rapport->Liste();
}

void TQuorWin::MontreListe(const TR &liste, const QString &titre)
{
    m_rapport->AfficheListe(liste, titre);
    MontreRapport();
}

void TQuorWin::PersonnesSupprimees()
{
    emit PersonnesRetirees();
    m_fiche->Liste()->Invalide();
    FicheAffiche();
    ArbreModifie();
    if (m_rapport->isVisible())
        m_critere->Applique();
}

void TQuorWin::SupprimeCache()
{
    findChild<QToolButton *>(QStringLiteral("sbSupprime"))->setChecked(false);
}

void TQuorWin::AfficheSupprime()
{
    if (m_supprime)
        return;
    findChild<QToolButton *>(QStringLiteral("sbSupprime"))->setChecked(true);
    m_supprime = new TfmSupprime(m_bd, *this, this);
    m_placement->Suit(m_supprime, TPlacement::HautGauche);
    // The window was prepared around a person of this database: it must not
    // remove anybody from the next one.
    connect(this, &TQuorWin::BaseRechargee, m_supprime, &QWidget::close);
    // Not modal: persons, links and the report may change while it is open.
    connect(this, &TQuorWin::DonneesModifiees, m_supprime, &TfmSupprime::Actualise);
    connect(m_rapport, &TfmRapport::ListeChangee, m_supprime, &TfmSupprime::Actualise);
    m_supprime->show();
}

int TQuorWin::ChoisitPersonne()
{
    return m_rechFiche->ChoisitPersonne(m_selecPers);
}

void TQuorWin::MontreFicheArbre()
{
    m_ficheArbre->show();
    // Asked for from a modal window (the merge's "Voir fiche"), the
    // navigator goes beside it: under it, it could not be seen.
    if (const QWidget *modale = QApplication::activeModalWidget())
        MetACote(m_ficheArbre, modale->frameGeometry());
    m_ficheArbre->raise();
}

void TQuorWin::ApresFusion()
{
    emit PersonnesRetirees();
    // Names changed: the completion lists are built again.
    m_fiche->Liste()->Invalide();
    FicheAffiche();
    ArbreModifie();
}

void TQuorWin::AfficheAjoute()
{
    m_ajoute->Affiche();
    m_ajoute->exec();
}

void TQuorWin::RechercheFiche(bool reference)
{
    const int p = m_rechFiche->ChoisitPersonne(m_selecPers);
    if (p <= 0)
        return;
    SetSelecPers(p);
    if (reference)
        m_affArbre->ChangeReference(p);
}

void TQuorWin::LiensModifies()
{
    m_affArbre->RePositionne();
    emit DonneesModifiees();
}

QColor TQuorWin::CouleurSexe(int sexe) const
{
    const TLook &look = Looks[1].Look;
    return CouleurQt(sexe == SexeHomme ? look.Homme.Couleur : look.Femme.Couleur);
}

QString TQuorWin::DefinitionChamps() const
{
    return ::DefinitionChamps(::Options().Champs);
}

void TQuorWin::TitreFenetre()
{
    const QString nom = FichierCourant.isEmpty() ? MLText(TexteNouvelleBase)
                                                 : QFileInfo(FichierCourant).fileName();
    setWindowTitle(QApplication::applicationName() + QStringLiteral(" - ") + nom
                   + (BaseModifiee ? QStringLiteral(" *") : QString()));
}

bool TQuorWin::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool fonction = key >= Qt::Key_F1 && key <= Qt::Key_F35;
    const bool commande = modifiers & (Qt::ControlModifier | Qt::AltModifier);
    if (!fonction && !commande)
        return false;
    const QKeySequence touche(QKeyCombination(modifiers & ~Qt::KeypadModifier, static_cast<Qt::Key>(key)));
    for (QAction *a : findChildren<QAction *>()) {
        if (a->isEnabled() && a->shortcut() == touche) {
            a->trigger();
            return true;
        }
    }
    return false;
}

void TQuorWin::keyPressEvent(QKeyEvent *event)
{
    if (!FormKeyDown(event->key(), event->modifiers()))
        QMainWindow::keyPressEvent(event);
}

// ---- Files -----------------------------------------------------------------

void TQuorWin::EcritSaisies()
{
    for (const auto &sortie : m_sortiesFiche)
        sortie();
}

bool TQuorWin::DemandeEnregistrement()
{
    // An edit in progress belongs to this database: it is written before the
    // question, so that it is saved with it or dropped with it.
    EcritSaisies();
    if (!BaseModifiee)
        return true;
    const QString nom = FichierCourant.isEmpty() ? MLText(TexteNouvelleBase)
                                                 : QFileInfo(FichierCourant).fileName();
    switch (AppMessageBox(MLText(TexteModifiee).arg(nom), MsgQuestion, BoutonsOuiNonAnnuler)) {
    case ReponseOui:
        return Enregistrer();
    case ReponseNon:
        return true;
    default:
        return false;
    }
}

bool TQuorWin::Nouveau()
{
    if (!DemandeEnregistrement())
        return false;
    m_bd.Clear();
    FichierCourant.clear();
    BaseModifiee = 0;
    Reset();
    ApresChargement(0);
    return true;
}

bool TQuorWin::Ouvrir()
{
    if (!DemandeEnregistrement())
        return false;
    const QString dossier = FichierCourant.isEmpty() ? DossierGenealogie
                                                     : QFileInfo(FichierCourant).absolutePath();
    const QString chemin = Dialogues().FichierAOuvrir(MLText(TexteOuvrir), dossier, MLText(TexteFiltreBases));
    if (chemin.isEmpty())
        return false;
    return Charge(chemin);
}

bool TQuorWin::Charge(const QString &chemin)
{
    EcritSaisies();
    TEnteteMvd entete;
    const TResultatMvd resultat = ChargeMvd(chemin, m_bd, &entete);
    if (!resultat.Ok()) {
        AppMessageBox(MessageMvd(resultat, chemin), MsgErreur, BoutonsOk);
        return false;
    }
    FichierCourant = QFileInfo(chemin).absoluteFilePath();
    BaseModifiee = 0;
    LitLook(FichierModele(DossiersArbre(), entete.NomLook.isEmpty() ? NomModeleDefaut : entete.NomLook,
                          QStringLiteral(".mva")),
            Looks);
    TBoite::VideCacheImages();
    TLien::VideCacheImages();
    Reglages().DernierFichier = FichierCourant;
    ++m_chargements;
    ApresChargement(entete.RefPers);
    return true;
}

void TQuorWin::ApresChargement(int reference)
{
    // The reference person stored in the file may have been deleted since.
    RefPers = m_bd.PersonInUse(reference) ? reference : m_bd.NextPerson(0);
    m_historique.clear();
    m_position = -1;
    // The views that refill themselves on BaseRechargee find the new current
    // person already, never a number of the previous database.
    m_selecPers = RefPers;
    TitreFenetre();
    emit BaseRechargee();
    SetSelecPers(RefPers);
    m_affArbre->MontreSelecPers();
}

bool TQuorWin::Sauve(const QString &chemin)
{
    TEnteteMvd entete;
    entete.NomLook = NomLook;
    entete.RefPers = RefPers;
    const TResultatMvd resultat = SauveMvd(chemin, m_bd, entete);
    if (!resultat.Ok()) {
        AppMessageBox(MessageMvd(resultat, chemin), MsgErreur, BoutonsOk);
        return false;
    }
    FichierCourant = QFileInfo(chemin).absoluteFilePath();
    Reglages().DernierFichier = FichierCourant;
    BaseModifiee = 0;
    TitreFenetre();
    return true;
}

bool TQuorWin::Enregistrer()
{
    if (FichierCourant.isEmpty())
        return EnregistrerSous();
    return Sauve(FichierCourant);
}

bool TQuorWin::EnregistrerSous()
{
    const QString propose = FichierCourant.isEmpty()
        ? DossierGenealogie + NomModeleDefaut + QStringLiteral(".mvd")
        : FichierCourant;
    QString chemin = Dialogues().FichierAEnregistrer(MLText(TexteEnregistrerSous), propose,
                                                     MLText(TexteFiltreBases));
    if (chemin.isEmpty())
        return false;
    if (QFileInfo(chemin).suffix().isEmpty())
        chemin += QStringLiteral(".mvd");
    return Sauve(chemin);
}

void TQuorWin::SelecFiche(int p)
{
    if (!m_bd.PersonInUse(p))
        return;
    SetSelecPers(p);
    ShowFiche();
}

void TQuorWin::MontreRapport()
{
    auto *bouton = findChild<QToolButton *>(QStringLiteral("SB_Rapport"));
    if (!bouton->isChecked()) {
        bouton->setChecked(true);
        SB_RapportClick();
    }
}

QRect TQuorWin::ZoneLibre() const
{
    return m_placement->ZoneLibre();
}

void TQuorWin::RapportCache()
{
    findChild<QToolButton *>(QStringLiteral("SB_Rapport"))->setChecked(false);
    LeveBoutonsOptionsRapport();
}

void TQuorWin::SB_RapportClick()
{
    const bool bas = findChild<QToolButton *>(QStringLiteral("SB_Rapport"))->isChecked();
    m_rapport->setVisible(bas);
    if (!bas)
        LeveBoutonsOptionsRapport();
}

// The options window goes with the report window.
void TQuorWin::LeveBoutonsOptionsRapport()
{
    for (const char *nom : {"sbRapAff", "sbRapCol", "sbRapAvance", "sbRapDef"})
        findChild<QToolButton *>(QLatin1String(nom))->setChecked(false);
}

bool TQuorWin::ExporteRapport()
{
    const QString filtres = QStringLiteral(
        "Texte séparé par des points-virgules (*.csv);;Texte séparé par des virgules (*.csv);;"
        "Texte séparé par des tabulations (*.txt)");
    int type = 0;
    const QString chemin = Dialogues().FichierAEnregistrerType(MLText(TexteExporter),
                                                                DossierGenealogie + QStringLiteral("rapport.csv"),
                                                                filtres, &type);
    if (chemin.isEmpty())
        return false;
    static const QString separateurs[] = {QStringLiteral(";"), QStringLiteral(","), QStringLiteral("\t")};
    QString erreur;
    if (!m_rapport->SauveTableau(chemin, separateurs[std::clamp(type, 0, 2)], &erreur)) {
        AppMessageBox(erreur, MsgErreur, BoutonsOk);
        return false;
    }
    AppMessageBox(MLText(TexteExporte), MsgInformation, BoutonsOk);
    return true;
}

void TQuorWin::AfficheOptions()
{
    if (!m_options)
        return;
    m_options->Charge();
    if (m_options->exec() != QDialog::Accepted)
        return;
    EcritParametresEtStatistiques();
    // The windows that take their colours from the style sheet show the
    // ones just chosen.
    for (QWidget *w : QApplication::topLevelWidgets())
        w->update();
    // The reminder started alone reads the birthdays and name days of the
    // persons of this database, as of now.
    QString erreur;
    if (!EcritAnniFete(FichierAnniFete, m_bd, ::Options().NbreJour, ::Options().AgeDecesMax, &erreur))
        AppMessageBox(MLFormat(TexteAnniFeteNonEcrit, {FichierAnniFete, erreur}), MsgAvertissement, BoutonsOk);
}

// ---- Closing ---------------------------------------------------------------

void TQuorWin::EcritParametresEtStatistiques()
{
    Reglages().PrintZoom = m_page->PrintZoom;
    Reglages().PrintCroise = m_page->PrintCroise;
    Reglages().PrintMargeH = m_page->PrintMargeH;
    Reglages().PrintMargeG = m_page->PrintMargeG;
    Reglages().PrintZoomAuto = m_page->PrintZoomAuto;
    TIniFile gene(FichierGene());
    EcritParametres(gene, ::Options(), Reglages(), ReglagesStat());
    m_placement->Ecrit(gene);
    if (!gene.UpdateFile())
        AppMessageBox(MLText(TexteReglagesNonEcrits).arg(FichierGene(), gene.ErrorString()),
                      MsgAvertissement, BoutonsOk);
}

void TQuorWin::closeEvent(QCloseEvent *event)
{
    if (!DemandeEnregistrement()) {
        event->ignore();
        return;
    }
    EcritParametresEtStatistiques();
    // Usage counters: sessions and databases loaded.
    TIniFile stats(DossierParamUser + QStringLiteral("stats.sta"));
    const QString section = QStringLiteral("Stats");
    stats.WriteInteger(section, QStringLiteral("Sessions"), stats.ReadInteger(section, QStringLiteral("Sessions")) + 1);
    stats.WriteInteger(section, QStringLiteral("Chargements"),
                       stats.ReadInteger(section, QStringLiteral("Chargements")) + m_chargements);
    stats.WriteString(section, QStringLiteral("Derniere"), TodayDateText());
    stats.UpdateFile();
    event->accept();
}
