#include "TfmCarte.h"

#include <algorithm>

#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

#include "BD.h"
#include "Cadence.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Images.h"
#include "Langue.h"
#include "ModelesUtilisateur.h"
#include "Options.h"
#include "ScriptCarte.h"
#include "TBKStringGrid.h"
#include "TCarteWeb.h"
#include "TfmCartePerso.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteCarteTronquee = 8400;
constexpr int TexteCarteIllisible = 8401;
constexpr int TexteImageIllisible = 8405;
constexpr int TexteSelonPers = 8410;
constexpr int TexteRapportVide = 8411;
constexpr int TextePasImage = 8412;
// The web map's own messages.
constexpr int TextePageLente = 8001;
constexpr int TextePageEchouee = 8002;

// Width of the empty picture of a map without one.
constexpr int LargeurSansImage = 310;

// The list of maps, listed again each time it opens (files may have come
// or gone).
class TListeCartes final : public QComboBox
{
public:
    using QComboBox::QComboBox;
    std::function<void()> AvantOuverture;

protected:
    void showPopup() override
    {
        if (AvantOuverture)
            AvantOuverture();
        QComboBox::showPopup();
    }
};

} // namespace

// The map picture: paints the window's picture as it stands and passes the
// mouse on.
class TImageCarte final : public QWidget
{
public:
    TImageCarte(const QImage &image, QWidget *parent)
        : QWidget(parent)
        , m_image(image)
    {
        setObjectName(u"carte"_s);
        setMouseTracking(true);
    }
    std::function<void(QPoint, Qt::MouseButton)> Clic;
    std::function<void(QPoint)> Survol;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!m_image.isNull())
            p.drawImage(0, 0, m_image);
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (Clic)
            Clic(e->position().toPoint(), e->button());
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (Survol)
            Survol(e->position().toPoint());
    }

private:
    const QImage &m_image;
};

QRgb TfmCarte::CouleurSurbrillance()
{
    return qRgb(0, 153, 255);
}

QRgb TfmCarte::CouleurZone()
{
    return qRgb(153, 204, 255);
}

QRgb TfmCarte::CouleurVide()
{
    return qRgb(255, 255, 255);
}

TfmCarte::TfmCarte(const TBD &bd, TfmRapport &rapport, std::function<int()> selecPers, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_bd(bd)
    , m_rapport(rapport)
    , m_selecPers(std::move(selecPers))
    , m_sauvee(CouleurVide())
{
    setObjectName(u"fmCarte"_s);
    setWindowTitle(u"Carte"_s);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);

    m_panneau = new QWidget(this);
    m_panneau->setObjectName(u"Panel1"_s);
    auto *h = new QHBoxLayout(m_panneau);
    h->setContentsMargins(4, 3, 4, 3);
    auto libelle = [this, h](const QString &texte, QWidget *controle) {
        auto *lb = new QLabel(texte, m_panneau);
        lb->setBuddy(controle);
        h->addWidget(lb);
        h->addWidget(controle);
    };
    m_cbPour = new QComboBox(m_panneau);
    m_cbPour->setObjectName(u"cbPour"_s);
    m_cbPour->addItems({u"Sélection"_s, u"Référence"_s, u"Tout le monde"_s, u"Selon rapport"_s});
    m_cbPour->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    libelle(u"Pour"_s, m_cbPour);
    m_cbEvenement = new QComboBox(m_panneau);
    m_cbEvenement->setObjectName(u"cbEvenement"_s);
    m_cbEvenement->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    libelle(u"Événement"_s, m_cbEvenement);
    auto *cartes = new TListeCartes(m_panneau);
    cartes->AvantOuverture = [this] { ListeCartesFichier(); };
    m_cbFileList = cartes;
    m_cbFileList->setObjectName(u"CB_FileList"_s);
    m_cbFileList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    libelle(u"Utiliser la carte"_s, m_cbFileList);
    h->addStretch();
    l->addWidget(m_panneau);

    m_zone = new QScrollArea(this);
    m_zone->setObjectName(u"sbCarte"_s);
    m_zone->setFrameShape(QFrame::NoFrame);
    m_carte = new TImageCarte(m_image, m_zone);
    m_carte->Clic = [this](QPoint p, Qt::MouseButton b) { carteMouseDown(p, b); };
    m_carte->Survol = [this](QPoint p) { carteMouseMove(p); };
    m_zone->setWidget(m_carte);
    l->addWidget(m_zone, 1);

    m_perso = new TfmCartePerso(*this, parent);
    MLTranslateForm(this);

    // The editor shows every zone or none, and saves a blank picture: once
    // closed, the map shows again what it was asked for.
    connect(m_perso, &TfmCartePerso::Cachee, this, [this] {
        if (isVisible() && !m_web)
            AfficheTout();
    });
    connect(m_cbPour, &QComboBox::activated, this, &TfmCarte::cbPourChange);
    connect(m_cbEvenement, &QComboBox::activated, this, &TfmCarte::AfficheTout);
    connect(m_cbFileList, &QComboBox::activated, this, &TfmCarte::CB_FileListChange);
}

TfmCarte::~TfmCarte() = default;

int TfmCarte::SourceChoisie() const
{
    return m_cbPour->currentIndex();
}

void TfmCarte::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_montree) {
        m_montree = true;
        m_enRetard = 0;
        PremiereFois();
    } else if (m_enRetard == 2) {
        Affiche();
    } else if (m_enRetard == 1) {
        m_enRetard = 0;
        AfficheTout();
    }
    emit Montree();
}

void TfmCarte::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit Cachee();
}

void TfmCarte::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_web && m_wb)
        m_wb->ResizeApp();
}

void TfmCarte::PremiereFois()
{
    m_sauvee = CouleurVide();
    m_filtre = -1;
    ListeCartesFichier();
    QString nom = Reglages().Carte;
    if (nom.isEmpty() || m_cbFileList->findText(nom) < 0) {
        // The first time, a map of zones rather than the web map, which
        // needs the network for its background.
        nom.clear();
        for (int i = m_cbFileList->count() - 1; i >= 0; --i) {
            if (nom.isEmpty() || m_cbFileList->itemText(i) != NomCarteWeb())
                nom = m_cbFileList->itemText(i);
        }
    }
    m_cbFileList->setCurrentIndex(m_cbFileList->findText(nom));
    if (!nom.isEmpty())
        Charge(nom);
    if (m_cbPour->currentIndex() < 0)
        m_cbPour->setCurrentIndex(SourceSelection);
    m_tous = MLTextKey(u"fmSourceRech.cbSorte.C 0"_s);
    m_cbEvenement->clear();
    m_cbEvenement->addItem(m_tous);
    const QString individu = GenreEveIndividu();
    for (const TEvePropose &e : Options().Evenements) {
        if (e.Genre == individu && !e.Nom.isEmpty())
            m_cbEvenement->addItem(e.Nom);
    }
    m_cbEvenement->setCurrentIndex(0);
    cbPourChange();
}

void TfmCarte::ListeCartesFichier()
{
    const QString choisie = m_cbFileList->currentText();
    m_cbFileList->clear();
    m_cbFileList->addItems(NomsModeles(DossiersCarte(), u".mvc"_s));
    m_cbFileList->setCurrentIndex(m_cbFileList->findText(choisie));
}

void TfmCarte::CB_FileListChange()
{
    const QString nom = m_cbFileList->currentText();
    if (!nom.isEmpty())
        Charge(nom);
}

void TfmCarte::AjouteCarte(const QString &nom)
{
    if (m_cbFileList->findText(nom) < 0)
        m_cbFileList->addItem(nom);
    m_cbFileList->setCurrentIndex(m_cbFileList->findText(nom));
    Charge(nom);
}

void TfmCarte::Charge(const QString &nom)
{
    EffaceClick();
    m_nom = nom;
    Reglages().Carte = nom;
    m_web = nom == NomCarteWeb();
    if (m_web) {
        ChargeWeb();
        AfficheTout();
        return;
    }
    if (m_wb) {
        m_wb->hide();
        m_wb->setFixedSize(40, 4);
    }
    m_zone->show();

    const QString definition = FichierModele(DossiersCarte(), nom, u".mvc"_s);
    const TLectureCarte lecture = ChargeCarte(definition, m_zones);
    m_comparaison = lecture.Comparaison;
    if (!lecture.Ok)
        AppMessageBox(MLFormat(TexteCarteIllisible, {definition, lecture.Erreur}), MsgErreur, BoutonsOk);
    else if (lecture.Tronquee)
        AppMessageBox(MLFormat(TexteCarteTronquee, {definition, QString::number(MaxZonesCarte)}), MsgAvertissement,
                      BoutonsOk);
    // The zones come sorted by name; zones added later go at the end.
    std::stable_sort(m_zones.begin(), m_zones.end(), [](const TZoneCarte &a, const TZoneCarte &b) {
        return CollationFrancaise().compare(a.Nom, b.Nom) < 0;
    });
    m_index = TIndexZones(m_zones, m_comparaison);

    const QString bmp = FichierModele(DossiersCarte(), nom, u".bmp"_s);
    m_vide = QImage();
    // A named pipe or a device in the picture's place would block the
    // program or never end: the picture loader refuses what is no ordinary
    // file, and pictures too large to decode.
    if (QFileInfo(bmp).exists() || QFileInfo(bmp).isSymLink()) {
        if (!ChargeImage(m_vide, bmp))
            AppMessageBox(MLFormat(TexteImageIllisible, {bmp}), MsgErreur, BoutonsOk);
    }
    if (!m_vide.isNull())
        m_vide.convertTo(QImage::Format_RGB32);
    m_image = m_vide;
    m_clic = {};
    m_zoneClic = 0;
    m_perso->MontreCarte(nom, m_vide.isNull() ? MLText(TextePasImage) : bmp);
    Ajuste();
    AfficheTout();
}

void TfmCarte::ChargeWeb()
{
    m_zones.clear();
    m_comparaison = TComparaisonLieux::Partie;
    m_index = TIndexZones();
    m_image = m_vide = QImage();
    m_zone->hide();
    m_perso->MontreCarte(m_nom, MLText(TextePasImage));
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!m_wb) {
        m_wb = new TCarteWeb(this);
        static_cast<QVBoxLayout *>(layout())->addWidget(m_wb, 1);
    }
    m_wb->setMinimumSize(0, 0);
    m_wb->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_wb->show();
    if (width() < 640 || height() < 480)
        resize(std::max(width(), 640), std::max(height(), 480));
    if (!m_wb->PageChargee()) {
        if (!m_wb->EnChargement())
            m_wb->Charge();
        if (!m_wb->AttendPage()) {
            AppMessageBox(MLText(m_wb->EnChargement() ? TextePageLente : TextePageEchouee), MsgErreur, BoutonsOk);
            return;
        }
    }
    m_wb->ResizeApp();
}

void TfmCarte::Ajuste()
{
    // The window takes the size of its picture, the lists on top always
    // shown whole, and cannot be resized; on a small screen the picture
    // scrolls.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize taille = m_image.isNull() ? QSize(LargeurSansImage, 0) : m_image.size();
    m_carte->setFixedSize(taille);
    QSize client(std::max(taille.width(), m_panneau->sizeHint().width()),
                 m_panneau->sizeHint().height() + taille.height());
    if (const QScreen *ecran = screen()) {
        const QSize place = ecran->availableGeometry().size() - QSize(16, 48);
        client = client.boundedTo(place);
    }
    setFixedSize(client);
}

void TfmCarte::ZonesModifiees()
{
    m_index = TIndexZones(m_zones, m_comparaison);
}

void TfmCarte::Affiche()
{
    m_enRetard = 0;
    cbPourChange();
}

void TfmCarte::PersonneCouranteChangee()
{
    if (m_cbPour->currentIndex() != SourceSelection)
        return;
    if (isVisible())
        Affiche();
    else
        m_enRetard = 2;
}

void TfmCarte::LieuxModifies(int p)
{
    if (p <= 0 || !m_liste.Contains(p))
        return;
    if (isVisible())
        AfficheTout();
    else
        m_enRetard = std::max(m_enRetard, 1);
}

void TfmCarte::BaseRechargee()
{
    // The report was emptied with the previous database.
    if (m_cbPour->currentIndex() == SourceRapport)
        m_cbPour->setCurrentIndex(SourceSelection);
    m_cbPour->setItemText(SourceRapport, u"Selon rapport"_s);
    m_liste.Clear();
    if (isVisible())
        cbPourChange();
}

void TfmCarte::cbPourChange()
{
    m_liste.Clear();
    switch (m_cbPour->currentIndex()) {
    case SourceSelection:
        if (const int p = m_selecPers ? m_selecPers() : 0; m_bd.PersonInUse(p))
            m_liste.Add(p);
        break;
    case SourceReference:
        if (m_bd.PersonInUse(RefPers))
            m_liste.Add(RefPers);
        break;
    case SourceTous:
        for (int p = m_bd.NextPerson(0); p != 0; p = m_bd.NextPerson(p))
            m_liste.Add(p);
        break;
    case SourceRapport: {
        // Rows that are no person (counts, places) and persons deleted since
        // the report was made are not counted.
        const TBKStringGrid *grille = m_rapport.Grille();
        for (int r = 1; r < grille->RowCount(); ++r) {
            const int p = grille->GetRowData(r);
            if (p > 0 && m_bd.PersonInUse(p))
                m_liste.Add(p);
        }
        if (m_liste.IsEmpty()) {
            AppMessageBox(MLText(TexteRapportVide), MsgInformation, BoutonsOk);
            m_cbPour->setCurrentIndex(SourceSelection);
            cbPourChange();
            return;
        }
        m_cbPour->setItemText(SourceRapport, MLFormat(TexteSelonPers, {QString::number(m_liste.Count())}));
        break;
    }
    default:
        break;
    }
    AfficheTout();
}

void TfmCarte::AfficheTout()
{
    Parcourt(true);
}

void TfmCarte::Parcourt(bool dessine)
{
    if (m_enCours) {
        m_relance = true;
        return;
    }
    m_enCours = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    do {
        m_relance = false;
        if (dessine) {
            if (m_web) {
                if (m_wb)
                    m_wb->PlotClear();
            } else {
                AffAucun();
            }
        }
        m_listeZone.Clear();
        // The list may be rebuilt while events are processed: the pass
        // works on its own copy and starts again when asked.
        const TR liste = m_liste;
        TCadence cadence;
        for (const int p : liste) {
            AfficheUnePers(p, dessine);
            if (cadence.Echue()) {
                if (dessine)
                    m_carte->update();
                QCoreApplication::processEvents();
                if (m_relance)
                    break;
            }
        }
    } while (m_relance);
    m_carte->update();
    QApplication::restoreOverrideCursor();
    m_enCours = false;
}

void TfmCarte::AfficheUnePers(int p, bool dessine)
{
    if (!m_bd.PersonInUse(p))
        return;
    if (m_cbEvenement->currentIndex() <= 0 || m_cbEvenement->currentText() == m_tous) {
        const int n = m_bd.PersonEventCount(p);
        for (int i = 1; i <= n; ++i)
            AfficheLieu(p, m_bd.GetPersonEventField(p, i, EveLieu), dessine);
    } else {
        AfficheLieu(p, m_bd.GetPersonEventByType(p, m_cbEvenement->currentText(), EveLieu), dessine);
    }
}

void TfmCarte::AfficheLieu(int p, const QString &lieu, bool dessine)
{
    if (lieu.isEmpty())
        return;
    if (dessine) {
        if (m_web) {
            if (m_wb) {
                const TPointCarte point = PointLieuCarte(lieu, m_bd.FullName(p));
                m_wb->PlotAdd(point.Lieu, point.Libelle);
            }
        } else {
            for (const int z : m_index.Zones(lieu)) {
                const QPoint germe(m_zones[static_cast<size_t>(z)].X, m_zones[static_cast<size_t>(z)].Y);
                // A zone already filled or highlighted is left as it is.
                if (Pixel(germe) == CouleurVide())
                    RemplitBordure(m_image, germe, CouleurZone());
            }
        }
    }
    if (m_filtre > 0 && m_index.Premiere(lieu) == m_filtre - 1)
        m_listeZone.Add(p);
}

int TfmCarte::LieuToIndex(const QString &lieu)
{
    return m_index.Premiere(lieu);
}

void TfmCarte::FaitRapportDep(int zone)
{
    if (m_enCours)
        return;
    // The pieces of a zone come one after the other under its name and
    // code: a place covered by the zone has its first piece as first zone.
    if (zone >= 1 && zone <= static_cast<int>(m_zones.size())) {
        const TZoneCarte &z = m_zones[static_cast<size_t>(zone - 1)];
        const QString code = FormeComparee(z.Lieu);
        for (int i = 1; i < zone; ++i) {
            const TZoneCarte &autre = m_zones[static_cast<size_t>(i - 1)];
            if (autre.Nom == z.Nom && FormeComparee(autre.Lieu) == code) {
                zone = i;
                break;
            }
        }
    }
    // The persons are collected without drawing again, so that the clicked
    // zone stays highlighted while its report shows.
    m_filtre = zone;
    Parcourt(false);
    const TR liste = m_listeZone;
    m_filtre = -1;
    m_listeZone.Clear();
    const QString titre = FormatTexte(MLTextKey(u"CarteRapport"_s),
                                      {m_cbPour->currentText(), m_cbEvenement->currentText(),
                                       QString::number(liste.Count())});
    m_rapport.AfficheListe(liste, titre);
}

QRgb TfmCarte::Pixel(QPoint point) const
{
    if (!m_image.valid(point))
        return qRgb(0, 0, 0);
    return m_image.pixel(point) | 0xff000000u;
}

void TfmCarte::Remplit(QPoint germe, QRgb couleur)
{
    RemplitBordure(m_image, germe, couleur);
    m_carte->update();
}

void TfmCarte::AffAucun()
{
    m_clic = {};
    m_zoneClic = 0;
    m_image = m_vide;
    m_carte->update();
}

void TfmCarte::EffaceClick()
{
    if (m_web) {
        if (m_wb)
            m_wb->PlotClear();
        return;
    }
    if (m_clic.x() > 0 && m_clic.y() > 0)
        Remplit(m_clic, m_sauvee);
    m_clic = {};
    m_zoneClic = 0;
}

void TfmCarte::AfficheClick()
{
    const QRgb c = Pixel(m_clic);
    if (m_clic.x() >= 1 && m_clic.y() >= 1 && (c == CouleurVide() || c == CouleurZone())) {
        m_sauvee = c;
        Remplit(m_clic, CouleurSurbrillance());
    } else {
        m_clic = {};
    }
}

int TfmCarte::GetIndexDep() const
{
    for (size_t i = 0; i < m_zones.size(); ++i) {
        if (Pixel(QPoint(m_zones[i].X, m_zones[i].Y)) == CouleurSurbrillance())
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void TfmCarte::carteMouseDown(QPoint point, Qt::MouseButton bouton)
{
    // A click while the persons are gone through would collect a report
    // from half a pass.
    if (bouton != Qt::LeftButton || m_enCours || m_web)
        return;
    EffaceClick();
    m_clic = point;
    AfficheClick();
    m_zoneClic = GetIndexDep();
    if (m_sauvee == CouleurZone() && m_zoneClic > 0 && m_clic != QPoint())
        FaitRapportDep(m_zoneClic);
    if (m_zoneClic == 0 && Pixel(point) == CouleurSurbrillance() && m_perso->isVisible()) {
        m_perso->ListeNouveau();
        m_zoneClic = GetIndexDep();
    }
    const QString lieu = m_perso->LieuCourant();
    setWindowTitle(lieu.isEmpty() ? MLTextKey(u"fmCarte.Caption"_s) : m_perso->NomCourant() + u' ' + lieu);
}

void TfmCarte::carteMouseMove(QPoint point)
{
    m_carte->setCursor(Pixel(point) == CouleurZone() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}
