#include "TfmFiche.h"

#include "BD.h"
#include "Chemins.h"
#include "Coherence.h"
#include "Dates.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "Lieux.h"
#include "Modeles.h"
#include "Options.h"
#include "Parente.h"
#include "Relatifs.h"
#include "TChamp.h"
#include "TfmChampAjoute.h"
#include "TfmLieuV3.h"
#include "TfmMaps.h"
#include "TfmFicheEve.h"
#include "TfmListe.h"
#include "TfmNote.h"
#include "TOngletSources.h"
#include "Textes.h"

#include <functional>

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The last line of every list of the form.
const QString &LigneNouvelle()
{
    static const QString t = QStringLiteral("<Double cliquer ici pour créer>");
    return t;
}

constexpr int TexteHomme = 101;
constexpr int TexteFemme = 102;
constexpr int TexteSosa = 103;
constexpr int TexteNumero = 104;
constexpr int TexteCreee = 105;
constexpr int TexteModifiee = 106;
constexpr int TexteAge = 107;
constexpr int TexteAn = 108;
constexpr int TexteAns = 109;
constexpr int TexteDecede = 110;
constexpr int TexteJour = 111;
constexpr int TexteJours = 112;
constexpr int TexteVers = 113;
constexpr int TexteOngletEve = 114;
constexpr int TexteOngletNote = 115;
constexpr int TexteOngletUnion = 116;
constexpr int TexteOngletDonnee = 117;
constexpr int TexteStatut0 = 120;
constexpr int TexteNaissance = 201;
constexpr int TexteBapteme = 202;
constexpr int TexteDeces = 203;
constexpr int TexteInhumation = 204;
constexpr int TexteMariage = 205;
constexpr int TexteTablePleine = 5032;
constexpr int TextePersonnesPleines = 5061;
constexpr int TexteDateInexistante = 7100;

QLineEdit *Edit(QWidget *parent, const char *nom)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(nom));
    return e;
}

QListWidget *ListeDe(QWidget *parent, const char *nom)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(nom));
    return l;
}

// An events list beside its details: as wide as its new-entry line, the
// longest it holds, with room for a scroll bar.
void LargeurListeEve(QListWidget *liste)
{
    liste->setFixedWidth(liste->fontMetrics().horizontalAdvance(LigneNouvelle()) + 2 * liste->frameWidth()
                         + liste->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
}

// The details beside an events list keep their room while hidden: the list
// must not move between the two clicks of a double-click on its new-entry
// line, the first of which hides the details.
void GardePlace(QWidget *details)
{
    QSizePolicy politique = details->sizePolicy();
    politique.setRetainSizeWhenHidden(true);
    details->setSizePolicy(politique);
}

QLabel *Libelle(const QString &texte, QWidget *parent, const char *nom = nullptr)
{
    auto *l = new QLabel(texte, parent);
    if (nom)
        l->setObjectName(QString::fromLatin1(nom));
    return l;
}

// A certainty panel: a coloured frame holding its step button.
void Statut(QWidget *parent, const char *panneau, const char *bouton, QFrame **p, QToolButton **b)
{
    *p = new QFrame(parent);
    (*p)->setObjectName(QString::fromLatin1(panneau));
    (*p)->setAutoFillBackground(true);
    auto *l = new QHBoxLayout(*p);
    l->setContentsMargins(2, 2, 2, 2);
    *b = new QToolButton(*p);
    (*b)->setObjectName(QString::fromLatin1(bouton));
    (*b)->setAutoRaise(true);
    l->addWidget(*b);
}

QString SansRetour(const QString &texte)
{
    QString t = StripTrailingBlanks(texte);
    t.remove(QLatin1Char('\r'));
    t.remove(QLatin1Char('\n'));
    return t;
}

// An event whose date, time, place and note are all empty.
bool EvenementVide(const TBD &bd, int e)
{
    return bd.EventField(e, EveDate).isEmpty() && bd.EventField(e, EveHeure).isEmpty()
        && bd.EventField(e, EveLieu).isEmpty() && bd.EventField(e, EveNote).isEmpty();
}

Qt::KeyboardModifiers ModificateursSansPave(const QKeyEvent &touche)
{
    return touche.modifiers() & ~Qt::KeypadModifier;
}

// The keys the form keeps for itself: Ctrl and a letter of an event, and the
// function keys of the form.
bool ToucheDeLaFiche(const QKeyEvent &touche)
{
    const Qt::KeyboardModifiers m = ModificateursSansPave(touche);
    switch (touche.key()) {
    case Qt::Key_N:
    case Qt::Key_B:
    case Qt::Key_D:
    case Qt::Key_S:
    case Qt::Key_M:
        return m == Qt::ControlModifier;
    case Qt::Key_F2:
    case Qt::Key_F3:
        return m == Qt::NoModifier;
    default:
        return false;
    }
}

// Sees the keys typed anywhere in the form before the control that has the
// focus does. Without it, the main window would take Ctrl+N and Ctrl+S as
// its shortcuts (a tool window lends its keys to its parent window's), and a
// line edit would take Ctrl+D as "delete" on X11 desktops, where the form
// means a birth, a burial or a death. The form's own Ctrl keys are acted on
// here; F2 and F3 are only kept from the shortcuts and go on to the control.
class TTouchesFiche final : public QObject
{
public:
    TTouchesFiche(QWidget &fiche, std::function<bool(int)> ctrl)
        : QObject(&fiche)
        , m_fiche(fiche)
        , m_ctrl(std::move(ctrl))
    {
    }

    bool eventFilter(QObject *objet, QEvent *evenement) override
    {
        const QEvent::Type type = evenement->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
            return false;
        auto *w = qobject_cast<QWidget *>(objet);
        if (!w || (w != &m_fiche && !m_fiche.isAncestorOf(w)))
            return false;
        auto *touche = static_cast<QKeyEvent *>(evenement);
        if (!ToucheDeLaFiche(*touche))
            return false;
        if (type == QEvent::ShortcutOverride) {
            touche->accept();
            return true;
        }
        return ModificateursSansPave(*touche) == Qt::ControlModifier && m_ctrl(touche->key());
    }

private:
    QWidget &m_fiche;
    std::function<bool(int)> m_ctrl;
};

QString Majuscule(QChar c)
{
    // Unicode upper case, except ß which has no single upper-case letter.
    if (c == QChar(0x00DF))
        return QString(c);
    const QString m = QString(c).toUpper();
    return m.size() == 1 ? m : QString(c);
}

} // namespace

// ---- Names -----------------------------------------------------------------

QString TfmFiche::FormateNom(const QString &nom)
{
    QString r;
    r.reserve(nom.size());
    for (QChar c : nom)
        r += Majuscule(c);
    return r;
}

QString TfmFiche::FormatePrenom(const QString &prenoms)
{
    QString r;
    r.reserve(prenoms.size());
    bool debut = true;
    for (QChar c : prenoms) {
        r += debut ? Majuscule(c) : QString(c).toLower();
        debut = c == QLatin1Char('"') || c == QLatin1Char(',') || c == QLatin1Char(';')
             || c == QLatin1Char('-') || c == QLatin1Char(' ');
    }
    return r;
}

// ---- Construction ----------------------------------------------------------

TfmFiche::TfmFiche(TBD &bd, THoteFiche &hote, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_bd(bd)
    , m_hote(hote)
{
    setObjectName(QStringLiteral("fmFiche"));
    setWindowTitle(QStringLiteral("Fiche"));
    setMinimumSize(320, 208);
    resize(420, 360);

    m_liste = new TfmListe(m_bd, this);

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    m_pc = new QTabWidget(this);
    m_pc->setObjectName(QStringLiteral("PC"));
    l->addWidget(m_pc);

    CreeIdentite();
    CreeEvenements();
    CreeFamille();
    CreeUnion();
    CreeAutres();
    CreeMenuRelatifs();
    // On these fields the right button is a command (the place picker, the
    // note editor): the edit menu must not come up on top of what it opens.
    for (QWidget *w : std::initializer_list<QWidget *>{m_eveLieu, m_eveUnionLieu, m_eveNote, m_eveUnionNote, m_note})
        w->setContextMenuPolicy(Qt::PreventContextMenu);
    // Never shown: clicked by a program, it closes the form as its close box
    // does.
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("bOK"));
    ok->hide();
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    qApp->installEventFilter(new TTouchesFiche(*this, [this](int touche) { return ToucheCtrl(touche); }));
    MLTranslateForm(this);
}

TfmFiche::~TfmFiche()
{
    // The controls go before the connections of this object would.
    disconnect(m_focusChamps);
}

void TfmFiche::CreeIdentite()
{
    m_tsIdentite = new QWidget;
    m_tsIdentite->setObjectName(QStringLiteral("TS_Identite"));
    auto *f = new QFormLayout(m_tsIdentite);
    m_nom = Edit(m_tsIdentite, "E_Nom");
    m_prenoms = Edit(m_tsIdentite, "E_Pre");
    f->addRow(Libelle(QStringLiteral("Nom"), m_tsIdentite), m_nom);
    f->addRow(Libelle(QStringLiteral("Prénoms"), m_tsIdentite), m_prenoms);

    m_pSexe = new QFrame(m_tsIdentite);
    m_pSexe->setObjectName(QStringLiteral("pSexe"));
    m_pSexe->setAutoFillBackground(true);
    auto *ls = new QHBoxLayout(m_pSexe);
    ls->setContentsMargins(2, 2, 2, 2);
    m_sbSexe = new QToolButton(m_pSexe);
    m_sbSexe->setObjectName(QStringLiteral("sbSexe"));
    m_sbSexe->setAutoRaise(true);
    ls->addWidget(m_sbSexe);
    m_lSexe = Libelle(QStringLiteral("Sexe"), m_tsIdentite, "lSexe");
    f->addRow(m_lSexe, m_pSexe);
    m_lSosa = Libelle(QString(), m_tsIdentite, "lSosa");
    m_lDate = Libelle(QString(), m_tsIdentite, "L_Date");
    f->addRow(m_lSosa);
    f->addRow(m_lDate);

    m_champs = new TChamp(m_tsIdentite);
    m_champs->setObjectName(QStringLiteral("PChp"));
    m_champs->SetSplit(80);
    f->addRow(m_champs);
    m_sbPersChp = new QToolButton(m_tsIdentite);
    m_sbPersChp->setObjectName(QStringLiteral("sbPersChp"));
    m_sbPersChp->setText(QStringLiteral("Ajouter un nouveau champ..."));
    f->addRow(m_sbPersChp);
    m_pc->addTab(m_tsIdentite, QStringLiteral("Identité"));

    connect(m_nom, &QLineEdit::textEdited, this, [this] { ChangeNomPre(); });
    connect(m_prenoms, &QLineEdit::textEdited, this, [this] { ChangeNomPre(); });
    connect(m_sbSexe, &QToolButton::clicked, this, &TfmFiche::sbSexeClick);
    connect(m_sbPersChp, &QToolButton::clicked, this, &TfmFiche::sbPersChpClick);
    connect(m_champs, &TChamp::EditeurChange, this, &TfmFiche::ChpChampChange);
    connect(m_champs, &TChamp::ChampKeyDown, this,
            [this](QWidget *editeur, int touche, const QString &, const QString &libelle, const QString &valeur) {
                auto *edit = qobject_cast<QLineEdit *>(editeur);
                if (!edit || !PersonneValide())
                    return;
                if (touche == Qt::Key_F3)
                    m_liste->ListeChamp(edit, libelle, valeur, m_personne, true);
                else if (EditKeyDown(edit, touche))
                    m_champs->AvaleTouche();
            });
    // The list serves one field: the focus coming into the fields, or going
    // out of them, leaves it behind.
    m_focusChamps = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *avant, QWidget *apres) {
        const bool dedans = avant && m_champs->isAncestorOf(avant);
        if (dedans != (apres && m_champs->isAncestorOf(apres)))
            m_liste->Ferme();
    });
    m_nom->installEventFilter(this);
    m_prenoms->installEventFilter(this);
}

void TfmFiche::CreeEvenements()
{
    m_tsEvenement = new QWidget;
    m_tsEvenement->setObjectName(QStringLiteral("TS_Evenement"));
    auto *l = new QHBoxLayout(m_tsEvenement);
    m_lbEve = ListeDe(m_tsEvenement, "lbEve");
    LargeurListeEve(m_lbEve);
    l->addWidget(m_lbEve);
    m_pEveDetails = new QWidget(m_tsEvenement);
    m_pEveDetails->setObjectName(QStringLiteral("pEveDetails"));
    auto *f = new QFormLayout(m_pEveDetails);
    m_eveDate = Edit(m_pEveDetails, "eveDate");
    m_eveTime = Edit(m_pEveDetails, "eveTime");
    Statut(m_pEveDetails, "pEveSta", "sbEveSta", &m_pEveSta, &m_sbEveSta);
    auto *ligneDate = new QHBoxLayout;
    ligneDate->addWidget(m_eveDate, 3);
    ligneDate->addWidget(m_eveTime, 1);
    ligneDate->addWidget(m_pEveSta);
    f->addRow(Libelle(QStringLiteral("Date/heure"), m_pEveDetails), ligneDate);
    m_lJour = Libelle(QString(), m_pEveDetails, "lJour");
    m_lJour->setWordWrap(true);
    f->addRow(m_lJour);
    m_eveLieu = Edit(m_pEveDetails, "eveLieu");
    // The map button wears the map's own marker.
    auto *iMaps = new QToolButton(m_pEveDetails);
    iMaps->setObjectName(QStringLiteral("iMaps"));
    iMaps->setAutoRaise(true);
    iMaps->setIcon(QIcon(RepModele() + QStringLiteral("/0/carte/leaflet/images/marker-icon.png")));
    iMaps->setToolTip(QStringLiteral("Voir le lieu sur la carte"));
    auto *ligneLieu = new QHBoxLayout;
    ligneLieu->addWidget(m_eveLieu, 1);
    ligneLieu->addWidget(iMaps);
    f->addRow(Libelle(QStringLiteral("Lieu"), m_pEveDetails), ligneLieu);
    m_eveNote = Edit(m_pEveDetails, "eveNote");
    f->addRow(Libelle(QStringLiteral("Note"), m_pEveDetails), m_eveNote);
    GardePlace(m_pEveDetails);
    l->addWidget(m_pEveDetails, 1);
    m_pc->addTab(m_tsEvenement, QStringLiteral("Événement"));

    connect(m_lbEve, &QListWidget::itemClicked, this, [this] { lbEveClick(); });
    connect(m_lbEve, &QListWidget::itemDoubleClicked, this, [this] { lbEveDblClick(); });
    for (QLineEdit *e : {m_eveDate, m_eveTime, m_eveLieu, m_eveNote}) {
        connect(e, &QLineEdit::textEdited, this, [this, e] { ChangeEve(e); });
        e->installEventFilter(this);
    }
    connect(m_sbEveSta, &QToolButton::clicked, this, &TfmFiche::sbEveStaClick);
    connect(iMaps, &QToolButton::clicked, this, [this] {
        ShowMapPlace(this, m_bd, m_eveLieu->text(), m_personne, [this](int p) {
            if (m_bd.PersonInUse(p))
                m_hote.SetSelecPers(p);
        });
    });
}

void TfmFiche::CreeFamille()
{
    m_tsFamille = new QWidget;
    m_tsFamille->setObjectName(QStringLiteral("TS_Famille"));
    auto *f = new QFormLayout(m_tsFamille);
    m_pere = Edit(m_tsFamille, "E_Pere");
    m_mere = Edit(m_tsFamille, "E_Mere");
    m_pere->setReadOnly(true);
    m_mere->setReadOnly(true);
    Statut(m_tsFamille, "pStaP", "sbStaP", &m_pStaP, &m_sbStaP);
    Statut(m_tsFamille, "pStaM", "sbStaM", &m_pStaM, &m_sbStaM);
    auto *lp = new QHBoxLayout;
    lp->addWidget(m_pere, 1);
    lp->addWidget(m_pStaP);
    auto *lm = new QHBoxLayout;
    lm->addWidget(m_mere, 1);
    lm->addWidget(m_pStaM);
    f->addRow(Libelle(QStringLiteral("Père"), m_tsFamille), lp);
    f->addRow(Libelle(QStringLiteral("Mère"), m_tsFamille), lm);
    m_lbFratrie = ListeDe(m_tsFamille, "LB_Fatrie");
    m_lbEnfant = ListeDe(m_tsFamille, "LB_Enfant");
    f->addRow(Libelle(QStringLiteral("Fratrie"), m_tsFamille), m_lbFratrie);
    f->addRow(Libelle(QStringLiteral("Enfant(s)"), m_tsFamille), m_lbEnfant);
    m_pc->addTab(m_tsFamille, QStringLiteral("Famille"));

    connect(m_sbStaP, &QToolButton::clicked, this, [this] { sbStaClick(true); });
    connect(m_sbStaM, &QToolButton::clicked, this, [this] { sbStaClick(false); });
    m_pere->installEventFilter(this);
    m_mere->installEventFilter(this);
    connect(m_lbFratrie, &QListWidget::itemDoubleClicked, this,
            [this] { SelectionneRelatif(m_lbFratrie, m_freres); });
    connect(m_lbEnfant, &QListWidget::itemDoubleClicked, this,
            [this] { SelectionneRelatif(m_lbEnfant, m_enfants); });
}

void TfmFiche::CreeUnion()
{
    m_tsUnion = new QWidget;
    m_tsUnion->setObjectName(QStringLiteral("TS_Union"));
    auto *l = new QVBoxLayout(m_tsUnion);
    m_lbUnion = ListeDe(m_tsUnion, "LB_Union");
    l->addWidget(Libelle(QStringLiteral("Conjoint"), m_tsUnion));
    l->addWidget(m_lbUnion, 1);
    m_pEveUnion = new QWidget(m_tsUnion);
    m_pEveUnion->setObjectName(QStringLiteral("pEveUnion"));
    auto *le = new QHBoxLayout(m_pEveUnion);
    le->setContentsMargins(0, 0, 0, 0);
    m_lbUnionEve = ListeDe(m_pEveUnion, "lbUnionEve");
    LargeurListeEve(m_lbUnionEve);
    le->addWidget(m_lbUnionEve);
    m_pEveUnionDetails = new QWidget(m_pEveUnion);
    m_pEveUnionDetails->setObjectName(QStringLiteral("pEveUnionDetails"));
    auto *f = new QFormLayout(m_pEveUnionDetails);
    m_eveUnionDate = Edit(m_pEveUnionDetails, "eveUnionDate");
    m_eveUnionTime = Edit(m_pEveUnionDetails, "eveUnionTime");
    Statut(m_pEveUnionDetails, "pEveUnionSta", "sbEveUnionSta", &m_pEveUnionSta, &m_sbEveUnionSta);
    auto *ligneDate = new QHBoxLayout;
    ligneDate->addWidget(m_eveUnionDate, 3);
    ligneDate->addWidget(m_eveUnionTime, 1);
    ligneDate->addWidget(m_pEveUnionSta);
    f->addRow(Libelle(QStringLiteral("Date/heure"), m_pEveUnionDetails), ligneDate);
    m_eveUnionLieu = Edit(m_pEveUnionDetails, "eveUnionLieu");
    f->addRow(Libelle(QStringLiteral("Lieu"), m_pEveUnionDetails), m_eveUnionLieu);
    m_eveUnionNote = Edit(m_pEveUnionDetails, "eveUnionNote");
    f->addRow(Libelle(QStringLiteral("Note"), m_pEveUnionDetails), m_eveUnionNote);
    GardePlace(m_pEveUnionDetails);
    le->addWidget(m_pEveUnionDetails, 1);
    l->addWidget(m_pEveUnion, 2);
    m_pc->addTab(m_tsUnion, QStringLiteral("Union"));

    connect(m_lbUnion, &QListWidget::itemClicked, this, [this] { lbUnionClick(); });
    connect(m_lbUnion, &QListWidget::currentRowChanged, this, [this] {
        if (!m_remplissage)
            lbUnionClick();
    });
    connect(m_lbUnion, &QListWidget::itemDoubleClicked, this, [this] {
        const int u = UnionChoisie();
        if (u == 0) {
            if (m_lbUnion->currentRow() == m_lbUnion->count() - 1) {
                AjouteRelatif(&TRelatifs::AjouteConjoint);
                ActualiseOnglet();
            }
            return;
        }
        const int conjoint = m_bd.Husband(u) == m_personne ? m_bd.Wife(u) : m_bd.Husband(u);
        if (m_bd.PersonInUse(conjoint))
            m_hote.SetSelecPers(conjoint);
    });
    connect(m_lbUnionEve, &QListWidget::itemClicked, this, [this] { lbUnionEveClick(); });
    connect(m_lbUnionEve, &QListWidget::itemDoubleClicked, this, [this] { lbUnionEveDblClick(); });
    for (QLineEdit *e : {m_eveUnionDate, m_eveUnionTime, m_eveUnionLieu, m_eveUnionNote}) {
        connect(e, &QLineEdit::textEdited, this, [this, e] { ChangeEve(e); });
        e->installEventFilter(this);
    }
    connect(m_sbEveUnionSta, &QToolButton::clicked, this, &TfmFiche::sbEveUnionStaClick);
}

void TfmFiche::CreeAutres()
{
    m_tsNote = new QWidget;
    m_tsNote->setObjectName(QStringLiteral("TS_Note"));
    auto *ln = new QVBoxLayout(m_tsNote);
    m_note = new QPlainTextEdit(m_tsNote);
    m_note->setObjectName(QStringLiteral("M_Note"));
    ln->addWidget(m_note);
    m_pc->addTab(m_tsNote, QStringLiteral("Note"));
    connect(m_note, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_remplissage)
            ChangeNote();
    });
    m_note->viewport()->installEventFilter(this);
    m_note->installEventFilter(this);

    m_donnees = new TOngletSources(m_bd);
    m_tsDonnee = m_donnees;
    m_lbDonnee = m_donnees->Liste();
    m_pc->addTab(m_tsDonnee, QStringLiteral("Donnée"));
    connect(m_donnees, &TOngletSources::ListeModifiee, this, [this] {
        ActualiseOnglet();
        FicheMAJ();
    });

    m_tsErreur = new QWidget;
    m_tsErreur->setObjectName(QStringLiteral("tsErreur"));
    auto *le = new QVBoxLayout(m_tsErreur);
    m_info = new QPlainTextEdit(m_tsErreur);
    m_info->setObjectName(QStringLiteral("mInfo"));
    m_info->setReadOnly(true);
    QPalette jaune = m_info->palette();
    jaune.setColor(QPalette::Base, QColor(255, 255, 0));
    m_info->setPalette(jaune);
    le->addWidget(m_info);
    m_pc->addTab(m_tsErreur, QStringLiteral("Erreur"));
    m_pc->setTabVisible(m_pc->indexOf(m_tsErreur), false);
}

// ---- Filling ---------------------------------------------------------------

bool TfmFiche::PersonneValide() const
{
    return m_bd.PersonInUse(m_personne);
}

void TfmFiche::Affiche()
{
    m_personne = m_hote.SelecPers();
    if (!PersonneValide()) {
        AfficheVide();
        return;
    }
    m_remplissage = true;
    ActiveControles(true);
    const int p = m_personne;
    const TOptions &o = Options();
    setWindowTitle(ExpandTemplate(m_bd, p, o.FicheTitre));

    AfficheSexe(m_bd.Sex(p));
    const bool libre = !HasChildren(m_bd, p) && !HasUnion(m_bd, p);
    m_sbSexe->setEnabled(libre);
    m_lSexe->setEnabled(libre);
    const QString numero = m_bd.GetField(p, PcNumerotation);
    if (numero.isEmpty())
        m_lSosa->clear();
    else
        m_lSosa->setText(MLText(HasSosaNumber(m_bd, p) ? TexteSosa : TexteNumero) + QStringLiteral(" : ") + numero);
    m_nom->setText(m_bd.Surname(p));
    m_prenoms->setText(m_bd.GivenNames(p));

    if (m_bd.GetField(p, PcCreation).isEmpty()) {
        m_bd.SetField(p, PcCreation, TodayDateText());
        m_bd.SetField(p, PcModification, TodayDateText());
    }
    AfficheDates();
    m_note->setPlainText(m_bd.GetField(p, PcNote));

    m_eveAffiche = 0;
    ListeEve(0);

    // Family.
    const int pere = m_bd.Father(p);
    const int mere = m_bd.Mother(p);
    m_pere->setText(m_bd.PersonInUse(pere) ? ExpandTemplate(m_bd, pere, o.Fiche1) : LigneNouvelle());
    m_mere->setText(m_bd.PersonInUse(mere) ? ExpandTemplate(m_bd, mere, o.Fiche1) : LigneNouvelle());
    AfficheStatut(m_pStaP, m_sbStaP, m_bd.FatherLinkStatus(p));
    AfficheStatut(m_pStaM, m_sbStaM, m_bd.MotherLinkStatus(p));
    auto remplit = [&](QListWidget *liste, TR &personnes, TR nouvelles) {
        SortList(m_bd, nouvelles, PcPrenoms);
        SortListByDate(m_bd, nouvelles, PcNaissanceDate);
        personnes = std::move(nouvelles);
        liste->clear();
        for (int x : personnes)
            liste->addItem(ExpandTemplate(m_bd, x, o.Fiche2));
        liste->addItem(LigneNouvelle());
    };
    remplit(m_lbFratrie, m_freres, SiblingsOf(m_bd, p));
    remplit(m_lbEnfant, m_enfants, ChildrenOf(m_bd, p));

    // Unions.
    m_unions = UnionsOf(m_bd, p);
    m_lbUnion->clear();
    for (int u : m_unions) {
        const int conjoint = m_bd.Sex(p) == SexeFemme || m_bd.Sex(p) == SexeInconnu ? m_bd.Husband(u) : m_bd.Wife(u);
        m_lbUnion->addItem(ExpandTemplate(m_bd, conjoint, o.Fiche1));
    }
    m_lbUnion->addItem(LigneNouvelle());
    m_lbUnion->setCurrentRow(0);
    m_unionEveAffiche = 0;
    lbUnionClick();

    m_donnees->Affiche(p);

    m_champs->SetChampDef(m_hote.DefinitionChamps());
    m_champs->SetChamp(m_bd.GetField(p, PcChamps));
    ActualiseOnglet();
    m_remplissage = false;
    CtrlCoherence();
}

void TfmFiche::AfficheVide()
{
    // Nothing of the person shown before may stay (the base was emptied or
    // replaced): the form shows that there is nobody, and the name edits
    // wait for the first person (ChangeNomPre).
    m_personne = 0;
    const QScopedValueRollback remplissage(m_remplissage, true);
    setWindowTitle(QStringLiteral("Fiche"));
    ActiveControles(false);
    for (QLineEdit *e : {m_nom, m_prenoms, m_pere, m_mere})
        e->clear();
    for (QListWidget *l : {m_lbEve, m_lbEnfant, m_lbFratrie, m_lbUnion, m_lbUnionEve})
        l->clear();
    m_donnees->Affiche(0);
    for (QLabel *l : {m_lSosa, m_lDate, m_lJour})
        l->clear();
    m_sbSexe->setText(QString());
    m_note->clear();
    m_pEveDetails->hide();
    m_pEveUnion->hide();
    m_freres = TR();
    m_enfants = TR();
    m_unions = TR();
    m_eveAffiche = 0;
    m_unionEveAffiche = 0;
    m_champs->SetChampDef(QString());
    m_champs->SetChamp(QString());
    ActualiseOnglet();
    CtrlCoherence();
}

void TfmFiche::ActiveControles(bool personne)
{
    for (int i = 0; i < m_pc->count(); ++i) {
        if (m_pc->widget(i) != m_tsIdentite)
            m_pc->setTabEnabled(i, personne);
    }
    if (!personne) {
        m_pc->setCurrentWidget(m_tsIdentite);
        m_sbSexe->setEnabled(false);
        m_lSexe->setEnabled(false);
    }
    m_champs->setEnabled(personne);
    m_sbPersChp->setEnabled(personne);
}

void TfmFiche::CreePersonne()
{
    QLineEdit *champ = m_prenoms->hasFocus() ? m_prenoms : m_nom;
    if (!m_bd.CanAddPerson()) {
        AppMessageBox(MLText(TextePersonnesPleines), MsgErreur, BoutonsOk);
        const QScopedValueRollback remplissage(m_remplissage, true);
        champ->clear();
        return;
    }
    const TOptions &o = Options();
    const int p = m_bd.NewPerson();
    const QString nom = StripTrailingBlanks(m_nom->text());
    const QString prenoms = StripTrailingBlanks(m_prenoms->text());
    m_bd.SetSurname(p, o.NomMaj ? FormateNom(nom) : nom);
    m_bd.SetGivenNames(p, o.PreMaj ? FormatePrenom(prenoms) : prenoms);
    BaseModifiee = 1;
    m_liste->Invalide();
    // Making the person current fills the form again: the user goes on
    // typing where he was.
    const int curseur = champ->cursorPosition();
    m_hote.SetSelecPers(p);
    if (m_personne != m_hote.SelecPers())
        Affiche();
    champ->setFocus();
    champ->setCursorPosition(curseur);
    m_hote.ArbreModifie();
}

void TfmFiche::AfficheSexe(int sexe)
{
    const bool homme = sexe == SexeHomme;
    m_sbSexe->setText(MLText(homme ? TexteHomme : TexteFemme));
    QPalette pal = m_pSexe->palette();
    pal.setColor(QPalette::Window, m_hote.CouleurSexe(homme ? SexeHomme : SexeFemme));
    m_pSexe->setPalette(pal);
}

void TfmFiche::AfficheDates()
{
    const QString creation = m_bd.GetField(m_personne, PcCreation);
    const QString modification = m_bd.GetField(m_personne, PcModification);
    QString t = MLText(TexteCreee) + QLatin1Char(' ') + DateVersAffichage(creation);
    if (modification != creation)
        t += QLatin1Char(' ') + MLText(TexteModifiee) + QLatin1Char(' ') + DateVersAffichage(modification);
    m_lDate->setText(t);
}

void TfmFiche::ActualiseOnglet()
{
    auto onglet = [this](QWidget *page, int texte, bool plein) {
        m_pc->setTabText(m_pc->indexOf(page), MLText(texte) + (plein ? QStringLiteral("+") : QString()));
    };
    onglet(m_tsEvenement, TexteOngletEve, m_bd.PersonEventCount(m_personne) > 0);
    onglet(m_tsNote, TexteOngletNote, !m_bd.GetField(m_personne, PcNote).isEmpty());
    onglet(m_tsUnion, TexteOngletUnion, m_lbUnion->count() >= 2);
    onglet(m_tsDonnee, TexteOngletDonnee, m_lbDonnee->count() >= 2);
}

void TfmFiche::AfficheStatut(QFrame *panneau, QToolButton *bouton, int statut)
{
    static const QColor couleurs[4] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 128, 0),
                                       QColor(255, 0, 0)};
    const int s = std::clamp(statut, 0, 3);
    bouton->setText(MLText(TexteStatut0 + s));
    QPalette pal = panneau->palette();
    pal.setColor(QPalette::Window, couleurs[s]);
    panneau->setPalette(pal);
}

// ---- Changes ---------------------------------------------------------------

void TfmFiche::FicheMAJ()
{
    if (!PersonneValide())
        return;
    // Names, places and fields may have changed what the list proposes.
    m_liste->Invalide();
    BaseModifiee = 1;
    m_bd.SetField(m_personne, PcModification, TodayDateText());
    AfficheDates();
    m_hote.PersonneModifiee(m_personne);
}

void TfmFiche::CtrlCoherence()
{
    const QString messages = PersonneValide() ? ControleCoherence(m_bd, m_personne) : QString();
    m_info->setPlainText(messages);
    m_pc->setTabVisible(m_pc->indexOf(m_tsErreur), !messages.isEmpty());
}

void TfmFiche::ChangeNomPre()
{
    if (m_remplissage)
        return;
    if (!PersonneValide()) {
        CreePersonne();
        return;
    }
    const TOptions &o = Options();
    QLineEdit *champ = m_prenoms->hasFocus() ? m_prenoms : m_nom;
    // Capital letters as they are typed, the caret kept where it was.
    if (champ == m_nom && o.NomMaj) {
        const int curseur = m_nom->cursorPosition();
        const QString t = FormateNom(m_nom->text());
        if (t != m_nom->text()) {
            m_nom->setText(t);
            m_nom->setCursorPosition(curseur);
        }
    }
    const QString nom = StripTrailingBlanks(m_nom->text());
    const QString prenoms = StripTrailingBlanks(m_prenoms->text());
    if (m_liste->Ouverte() && (nom.size() < m_bd.Surname(m_personne).size()
                                 || prenoms.size() < m_bd.GivenNames(m_personne).size()))
        m_liste->Ferme();
    m_bd.SetSurname(m_personne, o.NomMaj ? FormateNom(nom) : nom);
    m_bd.SetGivenNames(m_personne, o.PreMaj ? FormatePrenom(prenoms) : prenoms);
    setWindowTitle(ExpandTemplate(m_bd, m_personne, o.FicheTitre));
    if (o.SaisieNom)
        m_liste->ListeNoms(champ, champ == m_nom ? PcNom : PcPrenoms, false);
    FicheMAJ();
}

void TfmFiche::E_NomExit()
{
    if (Options().NomMaj && !m_remplissage)
        m_nom->setText(FormateNom(m_nom->text()));
    m_liste->Ferme();
}

void TfmFiche::E_PreExit()
{
    if (Options().PreMaj && !m_remplissage)
        m_prenoms->setText(FormatePrenom(m_prenoms->text()));
    m_liste->Ferme();
}

void TfmFiche::sbSexeClick()
{
    if (!PersonneValide())
        return;
    const int sexe = m_bd.Sex(m_personne) == SexeHomme ? SexeFemme : SexeHomme;
    m_bd.SetSex(m_personne, sexe);
    AfficheSexe(sexe);
    FicheMAJ();
}

void TfmFiche::sbStaClick(bool pere)
{
    if (!PersonneValide())
        return;
    const int statut = ((pere ? m_bd.FatherLinkStatus(m_personne) : m_bd.MotherLinkStatus(m_personne)) + 1) % 4;
    if (pere) {
        m_bd.SetFatherLinkStatus(m_personne, statut);
        AfficheStatut(m_pStaP, m_sbStaP, statut);
    } else {
        m_bd.SetMotherLinkStatus(m_personne, statut);
        AfficheStatut(m_pStaM, m_sbStaM, statut);
    }
    FicheMAJ();
    m_hote.LiensModifies();
}

void TfmFiche::ChangeNote()
{
    if (!PersonneValide())
        return;
    m_bd.SetField(m_personne, PcNote, TexteNote(m_note->toPlainText()));
    ActualiseOnglet();
    FicheMAJ();
}

void TfmFiche::EditeMemo()
{
    QStringList lignes = m_note->toPlainText().split(QLatin1Char('\n'));
    if (EditeNote(this, lignes))
        m_note->setPlainText(lignes.join(QLatin1Char('\n')));
}

void TfmFiche::sbPersChpClick()
{
    if (!PersonneValide())
        return;
    TOptions &o = Options();
    TfmChampAjoute *dialogue = m_champs->DialogueAjout();
    QStringList libelles;
    for (const TChampPropose &c : o.Champs)
        libelles << c.Nom;
    dialogue->SetLibelles(libelles);
    // The new field has no value yet: nothing is stored until one is typed.
    if (!m_champs->AjouteChamp() || !dialogue->Liste())
        return;
    ProposeChamp(o.Champs, SansSeparateur(dialogue->Libelle()), dialogue->Tous());
    m_champs->SetChampDef(m_hote.DefinitionChamps());
}

void TfmFiche::ChpChampChange(QWidget *editeur, const QString &, const QString &libelle, const QString &valeur)
{
    if (m_remplissage || !PersonneValide())
        return;
    const QString texte = m_champs->Champ();
    // A shorter text: the values proposed for the longer one no longer all
    // fit; the list is opened again below, with the maximum, when asked.
    if (m_liste->Ouverte() && m_bd.GetField(m_personne, PcChamps).size() > texte.size())
        m_liste->Ferme();
    m_bd.SetField(m_personne, PcChamps, texte);
    auto *edit = qobject_cast<QLineEdit *>(editeur);
    if (edit && Options().SaisieChp)
        m_liste->ListeChamp(edit, libelle, valeur, m_personne, false);
    FicheMAJ();
}

// ---- Tabs and focus --------------------------------------------------------

int TfmFiche::Onglet() const
{
    return m_pc->currentIndex();
}

void TfmFiche::SetOnglet(int onglet)
{
    if (onglet >= 0 && onglet < m_pc->count() && m_pc->isTabVisible(onglet))
        m_pc->setCurrentIndex(onglet);
}

void TfmFiche::SetSources(THoteSource *hote)
{
    m_donnees->SetHote(hote);
}

void TfmFiche::SetConvertisseurDate(std::function<QString(QWidget *, const QString &)> convertit)
{
    m_convertitDate = std::move(convertit);
    // The right button is the command: no edit menu on top of it.
    for (QLineEdit *e : {m_eveDate, m_eveUnionDate})
        e->setContextMenuPolicy(m_convertitDate ? Qt::NoContextMenu : Qt::DefaultContextMenu);
}

void TfmFiche::ConvertitDate(QLineEdit *champ)
{
    const QString date = DateVersAffichage(m_convertitDate(this, DateDepuisAffichage(champ->text())));
    if (date != champ->text()) {
        champ->setText(date);
        ChangeEve(champ);
    }
    if (champ == m_eveDate)
        eveDateExit();
    else
        eveUnionDateExit();
}

void TfmFiche::FocusNom(bool nom)
{
    activateWindow();
    (nom ? m_nom : m_prenoms)->setFocus();
}

// ---- Events ----------------------------------------------------------------

int TfmFiche::IndexEve() const
{
    const int i = m_lbEve->currentRow() + 1;
    return i >= 1 && i <= m_bd.PersonEventCount(m_personne) ? i : 0;
}

int TfmFiche::UnionChoisie() const
{
    const int ligne = m_lbUnion->currentRow();
    return ligne >= 0 && ligne < m_unions.Count() ? m_unions.Get(ligne + 1) : 0;
}

int TfmFiche::IndexUnionEve() const
{
    const int u = UnionChoisie();
    const int i = m_lbUnionEve->currentRow() + 1;
    return u != 0 && i >= 1 && i <= m_bd.UnionEventCount(u) ? i : 0;
}

void TfmFiche::RetireLigne(QListWidget *liste, int ligne)
{
    // The list is not refilled: a click is often the first half of a
    // double-click, whose second half must find the line it was pressed on
    // (the new-entry line opens the event type chooser).
    const QScopedValueRollback remplissage(m_remplissage, true);
    delete liste->takeItem(ligne);
}

void TfmFiche::ListeEve(int selection)
{
    const bool remplissage = m_remplissage;
    m_remplissage = true;
    m_lbEve->clear();
    for (int i = 1; i <= m_bd.PersonEventCount(m_personne); ++i)
        m_lbEve->addItem(m_bd.GetPersonEventField(m_personne, i, EveType));
    m_lbEve->addItem(LigneNouvelle());
    m_lbEve->setCurrentRow(std::clamp(selection, 0, m_lbEve->count() - 1));
    m_remplissage = remplissage;
    AfficheEve();
}

void TfmFiche::AfficheEve()
{
    const int i = IndexEve();
    m_eveAffiche = i;
    m_pEveDetails->setVisible(i != 0);
    if (i == 0)
        return;
    const bool remplissage = m_remplissage;
    m_remplissage = true;
    m_eveDate->setText(DateVersAffichage(m_bd.GetPersonEventField(m_personne, i, EveDate)));
    m_eveTime->setText(m_bd.GetPersonEventField(m_personne, i, EveHeure));
    m_eveLieu->setText(m_bd.GetPersonEventField(m_personne, i, EveLieu));
    m_eveNote->setText(m_bd.GetPersonEventField(m_personne, i, EveNote));
    m_statutCalcule = m_bd.GetPersonEventField(m_personne, i, EveQualite).toInt();
    AfficheStatut(m_pEveSta, m_sbEveSta, m_statutCalcule);
    m_remplissage = remplissage;
    eveDateExit();
}

void TfmFiche::lbEveClick()
{
    if (!PersonneValide())
        return;
    // An event left with nothing in it is removed when the user moves on.
    const int ancien = m_eveAffiche;
    if (ancien >= 1 && ancien <= m_bd.PersonEventCount(m_personne) && ancien != m_lbEve->currentRow() + 1
        && EvenementVide(m_bd, m_bd.PersonEventNumber(m_personne, ancien))) {
        m_bd.RemovePersonEvent(m_personne, ancien);
        RetireLigne(m_lbEve, ancien - 1);
        FicheMAJ();
    }
    AfficheEve();
    ActualiseOnglet();
    if (IndexEve() != 0)
        m_eveDate->setFocus();
}

void TfmFiche::lbEveDblClick()
{
    if (!PersonneValide() || IndexEve() != 0)
        return;
    const QString type = ChoisitEvenement(this, GenreEveIndividu());
    if (!type.isEmpty())
        AjouteEvenementDeType(type);
}

bool TfmFiche::AjouteEvenementDeType(const QString &type)
{
    if (!PersonneValide())
        return false;
    // A type the person has already is only shown.
    for (int i = 1; i <= m_bd.PersonEventCount(m_personne); ++i) {
        if (m_bd.GetPersonEventField(m_personne, i, EveType).compare(type, Qt::CaseInsensitive) == 0) {
            m_pc->setCurrentWidget(m_tsEvenement);
            ListeEve(i - 1);
            return false;
        }
    }
    if (!m_bd.SetPersonEventByType(m_personne, type, type, EveType)) {
        AppMessageBox(MLText(TexteTablePleine), MsgErreur, BoutonsOk);
        return false;
    }
    m_pc->setCurrentWidget(m_tsEvenement);
    ListeEve(m_bd.PersonEventCount(m_personne) - 1);
    ActualiseOnglet();
    FicheMAJ();
    m_eveDate->setFocus();
    return true;
}

bool TfmFiche::AjouteEvenementUnionDeType(const QString &type)
{
    const int u = UnionChoisie();
    if (!PersonneValide() || u == 0)
        return false;
    for (int i = 1; i <= m_bd.UnionEventCount(u); ++i) {
        if (m_bd.GetUnionEventField(u, i, EveType).compare(type, Qt::CaseInsensitive) == 0)
            return false;
    }
    if (!m_bd.SetUnionEventByType(u, type, type, EveType)) {
        AppMessageBox(MLText(TexteTablePleine), MsgErreur, BoutonsOk);
        return false;
    }
    m_pc->setCurrentWidget(m_tsUnion);
    ListeUnionEve(m_bd.UnionEventCount(u) - 1);
    FicheMAJ();
    m_eveUnionDate->setFocus();
    return true;
}

void TfmFiche::ChangeEve(QLineEdit *champ)
{
    if (m_remplissage || !PersonneValide())
        return;
    // "95" in a place field: the place of that French département.
    if (champ == m_eveLieu || champ == m_eveUnionLieu) {
        const QString t = champ->text();
        if (t.size() == 2 && t[0].isDigit() && t[1].isDigit() && t[0].unicode() < 128 && t[1].unicode() < 128
            && t.toInt() > 0) {
            const QString region = RegionOfDepartement(t.toInt());
            m_remplissage = true;
            champ->setText(QStringLiteral("FRA,") + region + QStringLiteral(",F") + t);
            champ->setCursorPosition(champ->text().size());
            m_remplissage = false;
        }
    } else {
        m_liste->Ferme();
    }

    const bool union_ = champ == m_eveUnionDate || champ == m_eveUnionTime || champ == m_eveUnionLieu
                     || champ == m_eveUnionNote;
    if (!union_) {
        const int i = IndexEve();
        if (i == 0)
            return;
        if (champ == m_eveLieu && m_liste->Ouverte()
            && m_eveLieu->text().size() < m_bd.GetPersonEventField(m_personne, i, EveLieu).size())
            m_liste->Ferme();
        m_bd.SetPersonEventField(m_personne, i, DateDepuisAffichage(m_eveDate->text()), EveDate);
        m_bd.SetPersonEventField(m_personne, i, m_eveTime->text(), EveHeure);
        m_bd.SetPersonEventField(m_personne, i, m_eveLieu->text(), EveLieu);
        m_bd.SetPersonEventField(m_personne, i, SansRetour(m_eveNote->text()), EveNote);
    } else {
        const int u = UnionChoisie();
        const int i = IndexUnionEve();
        if (i == 0)
            return;
        if (champ == m_eveUnionLieu && m_liste->Ouverte()
            && m_eveUnionLieu->text().size() < m_bd.GetUnionEventField(u, i, EveLieu).size())
            m_liste->Ferme();
        m_bd.SetUnionEventField(u, i, DateDepuisAffichage(m_eveUnionDate->text()), EveDate);
        m_bd.SetUnionEventField(u, i, m_eveUnionTime->text(), EveHeure);
        m_bd.SetUnionEventField(u, i, m_eveUnionLieu->text(), EveLieu);
        m_bd.SetUnionEventField(u, i, SansRetour(m_eveUnionNote->text()), EveNote);
    }
    if ((champ == m_eveLieu || champ == m_eveUnionLieu) && Options().SaisieNom)
        m_liste->ListeLieux(champ, false);
    FicheMAJ();
}

void TfmFiche::eveDateExit()
{
    const int i = IndexEve();
    if (!PersonneValide() || i == 0)
        return;
    const int p = m_personne;
    const QString saisie = NormalizeDateInput(DateDepuisAffichage(m_eveDate->text()));
    const QString type = m_bd.GetPersonEventField(p, i, EveType);
    auto est = [&type](int texte) { return type.compare(MLText(texte), Qt::CaseInsensitive) == 0; };
    QString date;
    if (est(TexteNaissance) || est(TexteBapteme))
        date = NormalisePeriode(saisie, m_bd.DeathDate(p), 1);
    else if (est(TexteDeces) || est(TexteInhumation))
        date = NormalisePeriode(m_bd.BirthDate(p), saisie, 2);
    else
        date = NormalisePeriode(m_bd.BirthDate(p), saisie, 2);
    if (date != m_bd.GetPersonEventField(p, i, EveDate) && !m_remplissage) {
        m_bd.SetPersonEventField(p, i, date, EveDate);
        FicheMAJ();
    }
    const bool remplissage = m_remplissage;
    m_remplissage = true;
    if (m_eveDate->text() != DateVersAffichage(date))
        m_eveDate->setText(DateVersAffichage(date));
    m_remplissage = remplissage;

    // The day, in words. The date is kept as typed, but a day that never
    // was is not given a weekday, nor read as the partial date that its
    // readable parts make.
    const TQualifiedDate q = SplitQualifiedDate(date);
    QString jour;
    if (DateInexistante(date)) {
        jour = MLText(TexteDateInexistante) + QLatin1Char(' ');
    } else if (q.Jour >= 1) {
        jour = DateLongue(q.Jour, q.Mois, q.Annee) + QStringLiteral(". ");
    } else if (q.Annee >= 1) {
        jour = (q.Mois >= 1 ? NomsMois[q.Mois] + QLatin1Char(' ') : QString()) + QString::number(q.Annee)
             + QStringLiteral(". ");
        jour[0] = jour[0].toUpper();
    }

    // Age, or the length of the life.
    if (est(TexteNaissance) || est(TexteDeces)) {
        const QString naissance = m_bd.BirthDate(p);
        const QString deces = m_bd.DeathDate(p);
        if (!naissance.isEmpty() && deces.isEmpty()) {
            const int age = AgeInYears(naissance);
            if (age > 0)
                jour += MLText(TexteAge) + QStringLiteral(": ") + QString::number(age) + QLatin1Char(' ')
                      + MLText(age == 1 ? TexteAn : TexteAns) + QLatin1Char('.');
        } else if (!naissance.isEmpty() && !deces.isEmpty()) {
            const int ans = YearsBetween(naissance, deces);
            if (ans > 0) {
                jour += MLText(TexteDecede) + QLatin1Char(' ') + QString::number(ans) + QLatin1Char(' ')
                      + MLText(ans == 1 ? TexteAn : TexteAns) + QLatin1Char('.');
            } else {
                const int jours = DaysBetween(deces, naissance);
                if (jours >= 1 && jours <= 366)
                    jour += MLText(TexteDecede) + QLatin1Char(' ') + QString::number(jours) + QLatin1Char(' ')
                          + MLText(jours == 1 ? TexteJour : TexteJours) + QLatin1Char('.');
            }
        }
    }
    m_lJour->setText(jour);
    CtrlCoherence();

    // Certainty of the date: a complete date is sure; "vers" with no year
    // is possible.
    const int stocke = m_bd.GetPersonEventField(p, i, EveQualite).toInt();
    int statut = stocke;
    if (q.Qualif.isEmpty() && q.Jour != 0 && q.Mois != 0 && q.Annee != 0)
        statut = 0;
    if (q.Qualif.compare(MLText(TexteVers), Qt::CaseInsensitive) == 0 && statut == 0 && q.Annee == 0)
        statut = 2;
    m_statutCalcule = statut;
    AfficheStatut(m_pEveSta, m_sbEveSta, statut);
    if (statut != stocke && !m_remplissage) {
        m_bd.SetPersonEventField(p, i, QString::number(statut), EveQualite);
        FicheMAJ();
    }
}

void TfmFiche::sbEveStaClick()
{
    const int i = IndexEve();
    if (!PersonneValide() || i == 0)
        return;
    m_bd.SetPersonEventField(m_personne, i, QString::number(m_statutCalcule), EveQualite);
    const int statut = (m_statutCalcule + 1) % 4;
    m_bd.SetPersonEventField(m_personne, i, QString::number(statut), EveQualite);
    m_statutCalcule = statut;
    AfficheStatut(m_pEveSta, m_sbEveSta, statut);
    FicheMAJ();
}

// ---- Unions ----------------------------------------------------------------

void TfmFiche::lbUnionClick()
{
    const int u = UnionChoisie();
    m_pEveUnion->setVisible(u != 0);
    if (u != 0) {
        m_unionEveAffiche = 0;
        ListeUnionEve(0);
    }
}

void TfmFiche::ListeUnionEve(int selection)
{
    const int u = UnionChoisie();
    const bool remplissage = m_remplissage;
    m_remplissage = true;
    m_lbUnionEve->clear();
    for (int i = 1; i <= m_bd.UnionEventCount(u); ++i)
        m_lbUnionEve->addItem(m_bd.GetUnionEventField(u, i, EveType));
    m_lbUnionEve->addItem(LigneNouvelle());
    m_lbUnionEve->setCurrentRow(std::clamp(selection, 0, m_lbUnionEve->count() - 1));
    m_remplissage = remplissage;
    AfficheUnionEve();
}

void TfmFiche::AfficheUnionEve()
{
    const int u = UnionChoisie();
    const int i = IndexUnionEve();
    m_unionEveAffiche = i;
    m_pEveUnionDetails->setVisible(i != 0);
    if (i == 0)
        return;
    const bool remplissage = m_remplissage;
    m_remplissage = true;
    m_eveUnionDate->setText(DateVersAffichage(m_bd.GetUnionEventField(u, i, EveDate)));
    m_eveUnionTime->setText(m_bd.GetUnionEventField(u, i, EveHeure));
    m_eveUnionLieu->setText(m_bd.GetUnionEventField(u, i, EveLieu));
    m_eveUnionNote->setText(m_bd.GetUnionEventField(u, i, EveNote));
    AfficheStatut(m_pEveUnionSta, m_sbEveUnionSta, m_bd.GetUnionEventField(u, i, EveQualite).toInt());
    m_remplissage = remplissage;
}

void TfmFiche::lbUnionEveClick()
{
    const int u = UnionChoisie();
    if (!PersonneValide() || u == 0)
        return;
    const int ancien = m_unionEveAffiche;
    if (ancien >= 1 && ancien <= m_bd.UnionEventCount(u) && ancien != m_lbUnionEve->currentRow() + 1
        && EvenementVide(m_bd, m_bd.UnionEventNumber(u, ancien))) {
        m_bd.RemoveUnionEvent(u, ancien);
        RetireLigne(m_lbUnionEve, ancien - 1);
        FicheMAJ();
    }
    AfficheUnionEve();
    if (IndexUnionEve() != 0)
        m_eveUnionDate->setFocus();
}

void TfmFiche::lbUnionEveDblClick()
{
    if (!PersonneValide() || UnionChoisie() == 0 || IndexUnionEve() != 0)
        return;
    const QString type = ChoisitEvenement(this, GenreEveUnion());
    if (!type.isEmpty())
        AjouteEvenementUnionDeType(type);
}

void TfmFiche::eveUnionDateExit()
{
    const int u = UnionChoisie();
    const int i = IndexUnionEve();
    if (!PersonneValide() || i == 0)
        return;
    const QString saisie = NormalizeDateInput(DateDepuisAffichage(m_eveUnionDate->text()));
    const QString date = NormalisePeriode(m_bd.BirthDate(m_personne), saisie, 2);
    if (date != m_bd.GetUnionEventField(u, i, EveDate) && !m_remplissage) {
        m_bd.SetUnionEventField(u, i, date, EveDate);
        FicheMAJ();
    }
    const bool remplissage = m_remplissage;
    m_remplissage = true;
    if (m_eveUnionDate->text() != DateVersAffichage(date))
        m_eveUnionDate->setText(DateVersAffichage(date));
    m_remplissage = remplissage;
    CtrlCoherence();
}

void TfmFiche::sbEveUnionStaClick()
{
    const int u = UnionChoisie();
    const int i = IndexUnionEve();
    if (!PersonneValide() || i == 0)
        return;
    // The union event's own status steps.
    const int statut = (std::clamp(m_bd.GetUnionEventField(u, i, EveQualite).toInt(), 0, 3) + 1) % 4;
    m_bd.SetUnionEventField(u, i, QString::number(statut), EveQualite);
    AfficheStatut(m_pEveUnionSta, m_sbEveUnionSta, statut);
    FicheMAJ();
}

// ---- Exit handlers and keys ------------------------------------------------

void TfmFiche::Sorties()
{
    if (!PersonneValide())
        return;
    if (m_eveDate->hasFocus())
        eveDateExit();
    if (m_eveUnionDate->hasFocus())
        eveUnionDateExit();
    if (m_nom->hasFocus())
        E_NomExit();
    if (m_prenoms->hasFocus())
        E_PreExit();
}

bool TfmFiche::LanceCodePostal(QLineEdit *champ)
{
    const TOptions &o = Options();
    if (!o.Lindafor || !QFileInfo(o.CheminLindafor).isFile())
        return false;
    // The program receives the field's window id; on success the first
    // non-empty line it writes is the place.
    auto *processus = new QProcess(this);
    connect(processus, &QProcess::finished, this, [this, processus, champ](int code, QProcess::ExitStatus etat) {
        processus->deleteLater();
        if (etat != QProcess::NormalExit || code != 0)
            return;
        const QStringList lignes = QString::fromLocal8Bit(processus->readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString &l : lignes) {
            const QString lieu = l.trimmed();
            if (!lieu.isEmpty()) {
                champ->setText(lieu);
                ChangeEve(champ);
                return;
            }
        }
    });
    processus->start(o.CheminLindafor, {QString::number(champ->winId())});
    return true;
}

bool TfmFiche::EditKeyDown(QLineEdit *champ, int key)
{
    // While the completion list is open it takes Up, Down, Esc, Tab and
    // Enter itself, before they reach this handler.
    if (key == Qt::Key_F3) {
        if (champ == m_nom || champ == m_prenoms)
            m_liste->ListeNoms(champ, champ == m_nom ? PcNom : PcPrenoms, true);
        else if (champ == m_eveLieu || champ == m_eveUnionLieu)
            m_liste->ListeLieux(champ, true);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextChild();
        return true;
    }
    return false;
}

bool TfmFiche::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(evenement);
        if (auto *champ = qobject_cast<QLineEdit *>(objet); champ && !(ke->modifiers() & Qt::ControlModifier)) {
            if (EditKeyDown(champ, ke->key()))
                return true;
        }
    } else if (evenement->type() == QEvent::FocusOut) {
        if (objet == m_eveDate)
            eveDateExit();
        else if (objet == m_eveUnionDate)
            eveUnionDateExit();
        else if (objet == m_nom)
            E_NomExit();
        else if (objet == m_prenoms)
            E_PreExit();
        else if (objet == m_eveLieu || objet == m_eveUnionLieu)
            m_hote.AffCarte();
    } else if (evenement->type() == QEvent::FocusIn) {
        if (objet == m_eveLieu || objet == m_eveUnionLieu)
            AfficheAstuceUneFois(1);
        else if (objet == m_eveNote || objet == m_eveUnionNote || objet == m_note)
            AfficheAstuceUneFois(2);
    } else if (evenement->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(evenement);
        if (me->button() == Qt::RightButton && (objet == m_eveLieu || objet == m_eveUnionLieu)) {
            auto *champ = static_cast<QLineEdit *>(objet);
            if (!LanceCodePostal(champ)) {
                champ->setText(ChoisitLieu(this, champ->text()));
                ChangeEve(champ);
            }
            m_hote.AffCarte();
            return true;
        }
        if (me->button() == Qt::RightButton && (objet == m_eveDate || objet == m_eveUnionDate) && m_convertitDate) {
            ConvertitDate(static_cast<QLineEdit *>(objet));
            return true;
        }
        if (me->button() == Qt::RightButton && objet == m_note->viewport()) {
            EditeMemo();
            return true;
        }
        if (me->button() == Qt::RightButton && (objet == m_eveNote || objet == m_eveUnionNote)) {
            auto *champ = static_cast<QLineEdit *>(objet);
            QStringList lignes{champ->text()};
            if (EditeNote(this, lignes)) {
                champ->setText(lignes.join(QLatin1Char(' ')));
                ChangeEve(champ);
            }
            return true;
        }
    } else if (evenement->type() == QEvent::MouseButtonDblClick) {
        if (objet == m_note->viewport()) {
            EditeMemo();
            return true;
        }
        if (objet == m_pere || objet == m_mere) {
            const int parent = objet == m_pere ? m_bd.Father(m_personne) : m_bd.Mother(m_personne);
            if (m_bd.PersonInUse(parent))
                m_hote.SetSelecPers(parent);
            else
                AjouteRelatif(objet == m_pere ? &TRelatifs::AjoutePere : &TRelatifs::AjouteMere);
            return true;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

bool TfmFiche::ToucheCtrl(int key)
{
    switch (key) {
    case Qt::Key_N:
        AjouteEvenementDeType(MLText(TexteNaissance));
        return true;
    case Qt::Key_B:
        AjouteEvenementDeType(MLText(TexteBapteme));
        return true;
    case Qt::Key_D:
        AjouteEvenementDeType(MLText(TexteDeces));
        return true;
    case Qt::Key_S:
        AjouteEvenementDeType(MLText(TexteInhumation));
        return true;
    case Qt::Key_M:
        AjouteEvenementUnionDeType(MLText(TexteMariage));
        return true;
    default:
        return false;
    }
}

void TfmFiche::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_F3 && m_hote.FormKeyDown(event->key(), event->modifiers()))
        return;
    QWidget::keyPressEvent(event);
}

void TfmFiche::closeEvent(QCloseEvent *event)
{
    m_liste->Ferme();
    m_hote.FicheCachee();
    event->accept();
}
