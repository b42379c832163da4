#include "TfmSource.h"

#include "BD.h"
#include "Dialogues.h"
#include "Fichiers.h"
#include "Globales.h"
#include "Langue.h"
#include "Media.h"
#include "Options.h"
#include "TfmNote.h"
#include "Textes.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int TexteCreer = 100;
constexpr int TexteChoisir = 539;
constexpr int TexteNouvelleSource = 540;
constexpr int TexteLegende = 541;
constexpr int TexteTexteLegende = 542;
constexpr int TexteZoom = 543;
constexpr int TexteEdition = 544;
constexpr int TexteLegendesPleines = 7600;
constexpr int TexteImageIllisible = 7601;
constexpr int TexteImageNonEcrite = 7603;
constexpr int TexteBarreDansNom = 7604;
constexpr int TexteDetacheFichier = 7607;
constexpr int TexteChoixFichier = 7605;
constexpr int TexteEnregistreImage = 7606;
constexpr int AstuceLegende = 5;
constexpr int AstucePhotoArbre = 6;

// Sizes of the two parts when both show.
constexpr int LargeurPhoto = 420;
constexpr int LargeurTexte = 320;
constexpr int HauteurDefaut = 480;

const TAcquisition &Acquisition(const TAcquisition *nouvelle = nullptr)
{
    static TAcquisition a;
    if (nouvelle)
        a = *nouvelle;
    return a;
}

// The picture at its zoom. Only the exposed part is painted, through a
// scaled painter: an enlarged picture is never made whole (at 1,600 % a
// 4,000 x 3,000 picture would take 12 GB). A reduced one is made once per
// zoom, smoothly.
class TPhoto final : public QWidget
{
public:
    explicit TPhoto(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("iPhoto"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void Montre(const QImage *image, int zoom)
    {
        m_image = image;
        m_zoom = zoom;
        m_reduite = QImage();
        if (m_image && Facteur(zoom) < 1.0 && !m_image->isNull())
            m_reduite = m_image->scaled(VersEcran(m_image->width(), zoom), VersEcran(m_image->height(), zoom),
                                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        const QRect r = event->rect();
        p.fillRect(r, palette().window());
        if (!m_image || m_image->isNull())
            return;
        if (!m_reduite.isNull()) {
            p.drawImage(r.topLeft(), m_reduite, r);
            return;
        }
        const double f = Facteur(m_zoom);
        const QRect source = QRectF(r.left() / f, r.top() / f, r.width() / f, r.height() / f).toAlignedRect()
                             & m_image->rect();
        p.scale(f, f);
        p.drawImage(source.topLeft(), *m_image, source);
    }

private:
    const QImage *m_image = nullptr;
    QImage m_reduite;
    int m_zoom = 100;
};

// The transparent layer over the picture where the legends are drawn.
class TZone final : public QWidget
{
public:
    TZone(QWidget *parent, std::function<void(QPainter &)> dessin)
        : QWidget(parent)
        , m_dessin(std::move(dessin))
    {
        setObjectName(QStringLiteral("pbZone"));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        m_dessin(p);
    }

private:
    std::function<void(QPainter &)> m_dessin;
};

QToolButton *Bouton(QWidget *parent, const char *nom, const QString &texte, bool etat = false)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setAutoRaise(true);
    b->setCheckable(etat);
    // A toggle down is drawn in the selection colours: the style's own
    // sunken look differs from the raised look of a button under the mouse
    // by a shade only, and the user could not tell its state.
    if (etat)
        b->setStyleSheet(QStringLiteral("QToolButton:checked { background-color: palette(highlight); "
                                        "color: palette(highlighted-text); border: 1px solid palette(dark); "
                                        "border-radius: 2px; padding: 2px 4px; }"));
    return b;
}

QLabel *Libelle(const QString &texte, QWidget *parent)
{
    return new QLabel(texte, parent);
}

} // namespace

void SetAcquisitionImage(TAcquisition acquisition)
{
    Acquisition(&acquisition);
}

int EditeSource(TBD &bd, THoteSource &hote, int s, QWidget *parent, bool nouvelle)
{
    TfmSource editeur(bd, hote, s, parent, nouvelle);
    editeur.exec();
    return editeur.Source();
}

// ---- Construction ----------------------------------------------------------

TfmSource::TfmSource(TBD &bd, THoteSource &hote, int s, QWidget *parent, bool nouvelle)
    : QDialog(parent)
    , m_bd(bd)
    , m_hote(hote)
    , m_source(s)
    , m_nouvelle(nouvelle)
{
    setObjectName(QStringLiteral("fmSource"));
    setWindowTitle(QStringLiteral("Édition de la source"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto *l = new QHBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    CreePhoto();
    CreeTexte();
    l->addWidget(m_pPhoto, 1);
    l->addWidget(m_pTexte);
    MLTranslateForm(this);

    // What the source holds.
    const TChampFichier champ = LitChampFichier(m_bd.SourceField(s, SrcFichier));
    m_chemin = champ.Chemin;
    m_legendes = champ.Legendes;
    QStringList sortes = Options().Sources;
    sortes.removeAll(QString());
    sortes.removeDuplicates();
    std::sort(sortes.begin(), sortes.end(),
              [](const QString &a, const QString &b) { return QString::localeAwareCompare(a, b) < 0; });
    m_cbSorte->addItems(sortes);
    const QString titre = m_bd.SourceField(s, SrcTitre);
    m_titreInitial = titre.isEmpty() ? MLText(TexteNouvelleSource) : titre;
    m_eNature->setText(m_titreInitial);
    m_cbSorte->setCurrentText(m_bd.SourceField(s, SrcGenre));
    m_reNote->setPlainText(m_bd.SourceField(s, SrcNote));
    m_sbScan->setVisible(static_cast<bool>(Acquisition()));

    ListeZone();
    ListePers();
    ChargeFichier();
}

TfmSource::~TfmSource() = default;

void TfmSource::CreeTexte()
{
    m_pTexte = new QWidget(this);
    m_pTexte->setObjectName(QStringLiteral("pTexte"));
    m_pTexte->setFixedWidth(LargeurTexte);
    auto *l = new QVBoxLayout(m_pTexte);
    l->setContentsMargins(0, 0, 0, 0);
    m_eNature = new QLineEdit(m_pTexte);
    m_eNature->setObjectName(QStringLiteral("eNature"));
    l->addWidget(Libelle(QStringLiteral("Nom de la source:"), m_pTexte));
    l->addWidget(m_eNature);
    m_cbSorte = new QComboBox(m_pTexte);
    m_cbSorte->setObjectName(QStringLiteral("cbSorte"));
    m_cbSorte->setEditable(true);
    m_cbSorte->setInsertPolicy(QComboBox::InsertAlphabetically);
    l->addWidget(Libelle(QStringLiteral("Type de source:"), m_pTexte));
    l->addWidget(m_cbSorte);
    m_lbPers = new QListWidget(m_pTexte);
    m_lbPers->setObjectName(QStringLiteral("lbPers"));
    l->addWidget(Libelle(QStringLiteral("Individus concernés:"), m_pTexte));
    l->addWidget(m_lbPers, 1);
    m_reNote = new QPlainTextEdit(m_pTexte);
    m_reNote->setObjectName(QStringLiteral("reNote"));
    l->addWidget(Libelle(QStringLiteral("Note libre ou transcription de l'acte:"), m_pTexte));
    l->addWidget(m_reNote, 1);
    m_mp = new TLecteur(true, m_pTexte);
    m_mp->setObjectName(QStringLiteral("mp"));
    m_mp->hide();
    l->addWidget(m_mp);

    m_pLegende = new QWidget(m_pTexte);
    m_pLegende->setObjectName(QStringLiteral("pLegende"));
    auto *ll = new QVBoxLayout(m_pLegende);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->addWidget(Libelle(QStringLiteral("Légendes de l'image:"), m_pLegende));
    m_lbZone = new QListWidget(m_pLegende);
    m_lbZone->setObjectName(QStringLiteral("lbZone"));
    m_lbZone->setContextMenuPolicy(Qt::CustomContextMenu);
    ll->addWidget(m_lbZone);
    l->addWidget(m_pLegende, 1);
    m_pmZone = new QMenu(this);
    m_pmZone->setObjectName(QStringLiteral("pmZone"));
    QAction *ajoute = m_pmZone->addAction(QStringLiteral("Nouvelle légende..."));
    ajoute->setObjectName(QStringLiteral("miZoneAjoute"));
    m_miZoneSupprime = m_pmZone->addAction(QStringLiteral("Supprimer la légende"));
    m_miZoneSupprime->setObjectName(QStringLiteral("miZoneSupprime"));

    auto *boutons = new QHBoxLayout;
    m_sbFichier = Bouton(m_pTexte, "sbFichier", QStringLiteral("Fi&chier..."));
    m_sbFichier->setToolTip(QStringLiteral("Sélectionner le fichier à associer à cette source."));
    m_sbScan = Bouton(m_pTexte, "sbScan", QStringLiteral("&Scanner..."));
    m_sbArbre = Bouton(m_pTexte, "sbArbre", QStringLiteral("&Photo de l'arbre"));
    m_sbArbre->setToolTip(QStringLiteral("Cette photo pourra apparaître dans l'arbre avec l'utilisation de la "
                                         "commande <photo>. Elle doit être pour cela au format BMP."));
    m_sbApercu = Bouton(m_pTexte, "sbApercu", QStringLiteral("<<"), true);
    for (QToolButton *b : {m_sbApercu, m_sbFichier, m_sbScan, m_sbArbre})
        boutons->addWidget(b);
    boutons->addStretch();
    l->addLayout(boutons);
    m_bOk = new QPushButton(QStringLiteral("&Fermer"), m_pTexte);
    m_bOk->setObjectName(QStringLiteral("bOk"));
    m_bOk->setDefault(true);
    l->addWidget(m_bOk, 0, Qt::AlignRight);

    connect(m_eNature, &QLineEdit::textChanged, this, [this](const QString &t) { m_bOk->setEnabled(!t.isEmpty()); });
    connect(m_bOk, &QPushButton::clicked, this, [this] {
        if (m_eNature->text().isEmpty())
            return;
        m_mp->Ferme();
        Enregistre(true);
        accept();
    });
    connect(m_lbZone, &QListWidget::itemClicked, this, [this] {
        const int ligne = m_lbZone->currentRow();
        m_selection = ligne >= 0 && ligne < static_cast<int>(m_legendes.size()) ? ligne + 1 : 0;
        m_pbZone->update();
    });
    connect(m_lbZone, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_lbZone->currentRow() == m_lbZone->count() - 1) {
            AfficheAstuceUneFois(AstuceLegende);
            ModeLegende();
        }
    });
    connect(m_lbZone, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        const int ligne = m_lbZone->currentRow();
        m_miZoneSupprime->setEnabled(ligne >= 0 && ligne < static_cast<int>(m_legendes.size()));
        m_pmZone->popup(m_lbZone->viewport()->mapToGlobal(p));
    });
    connect(ajoute, &QAction::triggered, this, &TfmSource::ModeLegende);
    connect(m_miZoneSupprime, &QAction::triggered, this, &TfmSource::SupprimeLegende);
    m_lbZone->installEventFilter(this);
    connect(m_lbPers, &QListWidget::itemClicked, this, [this] {
        const int ligne = m_lbPers->currentRow();
        if (ligne >= 0 && ligne < static_cast<int>(m_personnes.size()))
            m_hote.MontrePersonne(m_personnes[static_cast<size_t>(ligne)]);
    });
    connect(m_lbPers, &QListWidget::itemDoubleClicked, this, &TfmSource::lbPersDblClick);
    m_cbSorte->installEventFilter(this);
    m_reNote->viewport()->installEventFilter(this);
    // The right button opens the note editor, without the edit menu on top.
    m_reNote->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(m_sbFichier, &QToolButton::clicked, this, &TfmSource::sbFichierClick);
    connect(m_sbScan, &QToolButton::clicked, this, &TfmSource::sbScanClick);
    connect(m_sbArbre, &QToolButton::clicked, this, &TfmSource::sbArbreClick);
    connect(m_sbApercu, &QToolButton::clicked, this, [this] {
        // Hiding the picture while the text part is hidden would leave an
        // empty window.
        if (!m_sbApercu->isChecked())
            m_sbTexte->setChecked(true);
        AffMasque();
    });
}

void TfmSource::CreePhoto()
{
    m_pPhoto = new QWidget(this);
    m_pPhoto->setObjectName(QStringLiteral("pPhoto"));
    auto *l = new QVBoxLayout(m_pPhoto);
    l->setContentsMargins(0, 0, 0, 0);
    m_panel1 = new QWidget(m_pPhoto);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    auto *lb = new QHBoxLayout(m_panel1);
    lb->setContentsMargins(0, 0, 0, 0);
    m_lZoom = new QLabel(m_panel1);
    m_lZoom->setObjectName(QStringLiteral("lZoom"));
    m_sbZoneVoir = Bouton(m_panel1, "sbZoneVoir", QStringLiteral("Voir les légendes"), true);
    m_sbZoneVoir->setChecked(true);
    m_sbTexte = Bouton(m_panel1, "sbTexte", QStringLiteral(">>"), true);
    m_sbTexte->setChecked(true);
    m_sbTexte->setToolTip(QStringLiteral("Afficher ou cacher la partie texte ; la fenêtre peut être agrandie."));
    lb->addWidget(m_lZoom, 1);
    lb->addWidget(m_sbZoneVoir);
    lb->addWidget(m_sbTexte);
    l->addWidget(m_panel1);
    m_sbPhoto = new QScrollArea(m_pPhoto);
    m_sbPhoto->setObjectName(QStringLiteral("sbPhoto"));
    m_sbPhoto->setAlignment(Qt::AlignCenter);
    m_iPhoto = new TPhoto(m_sbPhoto);
    m_pbZone = new TZone(m_iPhoto, [this](QPainter &p) {
        if (m_sbZoneVoir->isChecked())
            DessineLegendes(p, m_legendes, m_selection, m_zoom);
    });
    m_sbPhoto->setWidget(m_iPhoto);
    l->addWidget(m_sbPhoto, 1);
    m_pbZone->installEventFilter(this);
    connect(m_sbZoneVoir, &QToolButton::toggled, m_pbZone, qOverload<>(&QWidget::update));
    connect(m_sbTexte, &QToolButton::clicked, this, &TfmSource::AffMasque);
}

// ---- File and picture ------------------------------------------------------

void TfmSource::ChargeFichier()
{
    m_mp->Ferme();
    m_photo = QImage();
    m_image = false;
    // The stored name may lack the extension of the file found (a bare
    // "portrait" beside "portrait.jpg") or name a file that was replaced
    // (a lost "voix.wav" beside "voix.jpg"): what is loaded is judged.
    m_trouve = CheminSource(m_chemin);
    const QString &resolu = m_trouve;
    const TGenreMedia genre = GenreMedia(resolu);
    if (!resolu.isEmpty() && genre == TGenreMedia::Image) {
        m_image = ChargeImageSource(m_photo, resolu);
        if (!m_image)
            AppMessageBox(MLFormat(TexteImageIllisible, {resolu}), MsgErreur, BoutonsOk);
    }
    if (m_image) {
        m_sbApercu->setChecked(true);
        m_zoom = ZoomInitial(m_photo.width());
        m_mp->hide();
    } else {
        m_sbApercu->setChecked(false);
        m_sbTexte->setChecked(true);
        const bool media = !resolu.isEmpty() && (genre == TGenreMedia::Son || genre == TGenreMedia::Video);
        m_mp->setVisible(media);
        if (media)
            m_mp->Ouvre(resolu);
    }
    m_sbArbre->setEnabled(m_image);
    PhotoTaille();
    AffMasque();
    setWindowTitle(MLText(TexteEdition)
                   + (m_chemin.isEmpty() ? QString() : QStringLiteral(" (") + m_chemin + QLatin1Char(')')));
}

void TfmSource::PhotoTaille()
{
    const QSize taille = m_image ? QSize(VersEcran(m_photo.width(), m_zoom), VersEcran(m_photo.height(), m_zoom))
                                 : QSize(0, 0);
    m_iPhoto->setFixedSize(taille);
    m_pbZone->setGeometry(QRect(QPoint(0, 0), taille));
    static_cast<TPhoto *>(m_iPhoto)->Montre(m_image ? &m_photo : nullptr, m_zoom);
    m_pbZone->update();
    m_lZoom->setText(MLFormat(TexteZoom, {QString::number(m_zoom)}));
}

void TfmSource::AffMasque()
{
    const bool photo = m_sbApercu->isChecked();
    const bool texte = m_sbTexte->isChecked() || !photo;
    m_pPhoto->setVisible(photo);
    m_pTexte->setVisible(texte);
    m_pLegende->setVisible(photo);
    if (photo && texte) {
        resize(LargeurPhoto + LargeurTexte, HauteurDefaut);
    } else if (photo) {
        resize(std::max(width(), LargeurPhoto), std::max(height(), m_panel1->sizeHint().height()));
    } else {
        resize(LargeurTexte, HauteurDefaut);
    }
}

void TfmSource::ChangeFichier(const QString &chemin)
{
    m_chemin = chemin;
    m_legendes.clear();
    m_selection = 0;
    ListeZone();
    ChargeFichier();
}

void TfmSource::sbFichierClick()
{
    const QString filtre = QStringLiteral("Tout fichier (*);;Image (bmp,jpg,jpeg,gif,png) (*.gif *.jpg *.jpeg *.bmp "
                                          "*.png);;Son (wav) (*.wav);;Vidéo (avi) (*.avi)");
    const QString depart = m_chemin.isEmpty() ? QString() : CheminSource(m_chemin);
    const QString fichier = Dialogues().FichierAOuvrir(MLText(TexteChoixFichier), depart, filtre);
    // Cancelling the dialog detaches the file, and its legends go with it:
    // the user, who may only have meant to close the dialog, says so first.
    if (fichier.isEmpty() && !m_chemin.isEmpty()
        && !AskYesNo(MLFormat(TexteDetacheFichier, {QFileInfo(m_chemin).fileName()})))
        return;
    // A "|" would end the path inside the file field.
    if (fichier.contains(QLatin1Char('|'))) {
        AppMessageBox(MLFormat(TexteBarreDansNom, {fichier}), MsgErreur, BoutonsOk);
        return;
    }
    ChangeFichier(fichier);
}

void TfmSource::sbScanClick()
{
    QImage acquise;
    if (!Acquisition() || !Acquisition()(acquise) || acquise.isNull())
        return;
    // A base not saved yet has no folder: the user's genealogy folder is
    // proposed instead.
    const QString dossier = FichierCourant.isEmpty() ? DossierGenealogie : QFileInfo(FichierCourant).absolutePath();
    const QString propose = QDir(dossier).filePath(NomDeFichierPour(m_eNature->text()));
    int type = 0;
    QString fichier = Dialogues().FichierAEnregistrerType(MLText(TexteEnregistreImage), propose,
                                                          QStringLiteral("BMP (*.bmp);;JPG (*.jpg)"), &type);
    if (fichier.isEmpty())
        return;
    const QString extension = type == 1 ? QStringLiteral(".jpg") : QStringLiteral(".bmp");
    if (!fichier.right(4).toLower().endsWith(extension))
        fichier += extension;
    if (fichier.contains(QLatin1Char('|'))) {
        AppMessageBox(MLFormat(TexteBarreDansNom, {fichier}), MsgErreur, BoutonsOk);
        return;
    }
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter ecrivain(&tampon, type == 1 ? "jpeg" : "bmp");
    QString erreur;
    if (!ecrivain.write(acquise))
        erreur = ecrivain.errorString();
    else if (!EcritFichierEntier(fichier, octets.constData(), octets.size(), &erreur) && erreur.isEmpty())
        erreur = QStringLiteral("?");
    if (!erreur.isEmpty()) {
        // The picture shown and its legends stay as they were.
        AppMessageBox(MLFormat(TexteImageNonEcrite, {fichier, erreur}), MsgErreur, BoutonsOk);
        return;
    }
    ChangeFichier(fichier);
}

void TfmSource::sbArbreClick()
{
    if (!EstPhotoArbre(m_trouve)) {
        AfficheAstuceUneFois(AstucePhotoArbre);
        return;
    }
    m_cbSorte->setCurrentText(Options().Photo);
}

// ---- Legends ---------------------------------------------------------------

void TfmSource::ListeZone()
{
    m_lbZone->clear();
    for (const TLegende &l : m_legendes)
        m_lbZone->addItem(l.Texte);
    m_lbZone->addItem(MLText(TexteCreer));
    if (m_pbZone)
        m_pbZone->update();
}

void TfmSource::ModeLegende()
{
    if (static_cast<int>(m_legendes.size()) >= MaxLegendes) {
        AppMessageBox(MLFormat(TexteLegendesPleines, {QString::number(MaxLegendes)}), MsgAvertissement, BoutonsOk);
        return;
    }
    m_modeLegende = true;
    m_pbZone->setCursor(Qt::CrossCursor);
}

void TfmSource::AjouteLegende(const QPoint &ecran)
{
    m_modeLegende = false;
    m_pbZone->setCursor(Qt::PointingHandCursor);
    QString texte;
    if (!SaisieTexte(MLText(TexteLegende), MLText(TexteTexteLegende), texte) || texte.isEmpty())
        return;
    m_legendes.push_back({DepuisEcran(ecran.x(), m_zoom), DepuisEcran(ecran.y(), m_zoom), SansSeparateur(texte)});
    ListeZone();
}

void TfmSource::SupprimeLegende()
{
    const int ligne = m_lbZone->currentRow();
    if (ligne < 0 || ligne >= static_cast<int>(m_legendes.size()))
        return;
    m_legendes.erase(m_legendes.begin() + ligne);
    m_selection = 0;
    ListeZone();
}

void TfmSource::ZoomClic(Qt::MouseButton bouton)
{
    if (bouton == Qt::LeftButton)
        m_zoom = ZoomPlus(m_zoom);
    else if (bouton == Qt::RightButton)
        m_zoom = ZoomMoins(m_zoom);
    else
        return;
    PhotoTaille();
}

// ---- Persons, kind, note ---------------------------------------------------

void TfmSource::ListePers()
{
    m_lbPers->clear();
    m_personnes = PersonnesDeSource(m_bd, m_source);
    QStringList noms;
    noms.reserve(static_cast<qsizetype>(m_personnes.size()) + 1);
    for (int p : m_personnes)
        noms << m_bd.FullName(p);
    noms << MLText(TexteChoisir);
    m_lbPers->addItems(noms);
}

void TfmSource::lbPersDblClick()
{
    if (m_lbPers->currentRow() != m_lbPers->count() - 1)
        return;
    const int p = m_hote.ChoisitPersonne();
    if (p <= 0 || !m_bd.LinkSource(p, m_source))
        return;
    m_personnes.push_back(p);
    m_lbPers->insertItem(m_lbPers->count() - 1, m_bd.FullName(p));
    m_lie = true;
    BaseModifiee = 1;
    m_hote.SourcesModifiees();
}

void TfmSource::cbSorteExit()
{
    const QString t = m_cbSorte->currentText();
    if (t.isEmpty() || m_cbSorte->findText(t, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    int i = 0;
    while (i < m_cbSorte->count() && QString::localeAwareCompare(m_cbSorte->itemText(i), t) < 0)
        ++i;
    m_cbSorte->insertItem(i, t);
    m_cbSorte->setCurrentIndex(i);
}

void TfmSource::EditeMemo()
{
    QStringList lignes = m_reNote->toPlainText().split(QLatin1Char('\n'));
    if (EditeNote(this, lignes))
        m_reNote->setPlainText(lignes.join(QLatin1Char('\n')));
}

// ---- Closing ---------------------------------------------------------------

bool TfmSource::Intacte() const
{
    const QString titre = m_eNature->text();
    return (titre.isEmpty() || titre == m_titreInitial) && TexteNote(m_reNote->toPlainText()).isEmpty()
           && m_chemin.isEmpty() && m_legendes.empty() && !m_lie;
}

QString TfmSource::ChampFichier() const
{
    return EcritChampFichier({m_chemin, m_legendes});
}

void TfmSource::Enregistre(bool avecGenre)
{
    if (!m_bd.SourceInUse(m_source))
        return;
    bool change = false;
    auto ecrit = [&](int champ, const QString &texte) {
        if (m_bd.SourceField(m_source, champ) != texte) {
            m_bd.SetSourceField(m_source, champ, texte);
            change = true;
        }
    };
    ecrit(SrcTitre, m_eNature->text());
    ecrit(SrcNote, TexteNote(m_reNote->toPlainText()));
    ecrit(SrcFichier, ChampFichier());
    if (avecGenre)
        ecrit(SrcGenre, m_cbSorte->currentText());
    if (change) {
        BaseModifiee = 1;
        m_hote.SourcesModifiees();
    }
}

void TfmSource::done(int resultat)
{
    if (resultat != Accepted && m_nouvelle && m_source != 0 && Intacte()) {
        // A new source closed without anything put in it: an empty
        // "Nouvelle source" left in every list would only be clutter the
        // user has to find and remove. Anything the user typed or chose is
        // kept, whichever way the window is closed.
        m_mp->Ferme();
        OublieSource(m_bd, m_source);
        m_source = 0;
        if (m_lie)
            m_hote.SourcesModifiees();
        QDialog::done(resultat);
        return;
    }
    if (m_eNature->text().isEmpty())
        return;
    m_mp->Ferme();
    if (resultat != Accepted)
        Enregistre(false);
    QDialog::done(resultat);
}

bool TfmSource::eventFilter(QObject *objet, QEvent *evenement)
{
    const QEvent::Type type = evenement->type();
    if (objet == m_pbZone && type == QEvent::MouseButtonPress) {
        auto *souris = static_cast<QMouseEvent *>(evenement);
        if (m_modeLegende && souris->button() == Qt::LeftButton)
            AjouteLegende(souris->position().toPoint());
        else
            ZoomClic(souris->button());
        return true;
    }
    if (objet == m_lbZone && type == QEvent::KeyPress
        && static_cast<QKeyEvent *>(evenement)->key() == Qt::Key_Delete) {
        SupprimeLegende();
        return true;
    }
    if (objet == m_cbSorte && type == QEvent::FocusOut)
        cbSorteExit();
    if (objet == m_reNote->viewport() && type == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(evenement)->button() == Qt::RightButton) {
        EditeMemo();
        return true;
    }
    return QDialog::eventFilter(objet, evenement);
}
