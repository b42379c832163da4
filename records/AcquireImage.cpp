#include "AcquireImage.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>

namespace {

// Bytes asked for at each read.
constexpr int TailleLecture = 64 * 1024;
// Time spent reading before the event loop gets its turn, in ms.
constexpr int TrancheLecture = 30;
// Pause between two polls of a non-blocking device that had no data, in ms.
constexpr int AttenteDonnees = 10;

class TCurseurAttente final
{
public:
    TCurseurAttente() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TCurseurAttente() { QGuiApplication::restoreOverrideCursor(); }
    TCurseurAttente(const TCurseurAttente &) = delete;
    TCurseurAttente &operator=(const TCurseurAttente &) = delete;
};

} // namespace

TAcquireImage::TAcquireImage(const TFonctionsSane *sane, TFenetresAcquisition &fenetres)
    : m_sane(sane)
    , m_fenetres(fenetres)
{
}

TAcquireImage::~TAcquireImage() = default;

void TAcquireImage::Erreur(Etape etape, SANE_Status statut, const QString &detail)
{
    if (m_erreur)
        return;
    m_erreur = true;
    m_etape = etape;
    m_statut = statut;
    m_detail = detail;
}

bool TAcquireImage::AcquiertImage(QImage &image)
{
    if (!m_sane)
        return false;
    const TFonctionsSane &s = *m_sane;
    m_erreur = false;
    m_annule = false;

    const SANE_Device **liste = nullptr;
    std::vector<TPeripherique> peripheriques;
    {
        // Starting SANE and listing the devices may take seconds (network
        // back ends wait for answers).
        TCurseurAttente attente;
        SANE_Int version = 0;
        const SANE_Status statut = s.Init(&version, nullptr);
        if (statut != SANE_STATUS_GOOD) {
            Erreur(EtapeInit, statut);
        } else {
            const SANE_Status statutListe = s.GetDevices(&liste, SANE_FALSE);
            if (statutListe != SANE_STATUS_GOOD)
                Erreur(EtapeChoix, statutListe);
            else
                peripheriques = ListePeripheriques(liste);
        }
    }

    bool acquise = false;
    TPeripherique choisi;
    if (!m_erreur) {
        const int choix = m_fenetres.ChoisitPeripherique(peripheriques);
        if (choix >= 0 && choix < static_cast<int>(peripheriques.size())) {
            choisi = peripheriques[static_cast<size_t>(choix)];
            SANE_Handle poignee = nullptr;
            // The name as SANE gave it, byte for byte.
            const SANE_Status statut = s.Open(liste[choix]->name, &poignee);
            if (statut != SANE_STATUS_GOOD) {
                Erreur(EtapeOuvre, statut);
            } else {
                if (Regle(poignee, choisi))
                    acquise = Numerise(poignee, choisi, image);
                s.Cancel(poignee);
                s.Close(poignee);
            }
        }
    }
    if (!(m_erreur && m_etape == EtapeInit))
        s.Exit();

    if (m_erreur && OnErreur)
        OnErreur(m_etape, m_statut, choisi.Nom, m_detail);
    return acquise;
}

bool TAcquireImage::Regle(SANE_Handle poignee, const TPeripherique &peripherique)
{
    const TOffreScan offre = LitOffre(*m_sane, poignee);
    if (offre.Vide())
        return true;
    TReglagesScan reglages;
    if (!m_fenetres.ChoisitReglages(peripherique, offre, reglages))
        return false;
    const SANE_Status statut = AppliqueReglages(*m_sane, poignee, reglages);
    if (statut != SANE_STATUS_GOOD) {
        Erreur(EtapeReglage, statut);
        return false;
    }
    return true;
}

bool TAcquireImage::Numerise(SANE_Handle poignee, const TPeripherique &peripherique, QImage &image)
{
    const TFonctionsSane &s = *m_sane;
    TImageSane assembleur;
    // The window shows before the scan starts: a scanner may take long to
    // warm up.
    m_fenetres.DebutLecture(peripherique, [this, poignee] { Annule(poignee); });
    const std::unique_ptr<TFenetresAcquisition, void (*)(TFenetresAcquisition *)> fin(
        &m_fenetres, [](TFenetresAcquisition *f) { f->FinLecture(); });
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    for (bool premiere = true;; premiere = false) {
        if (m_annule)
            return false;
        SANE_Status statut = s.Start(poignee);
        if (statut != SANE_STATUS_GOOD) {
            if (statut != SANE_STATUS_CANCELLED || !m_annule)
                Erreur(premiere ? EtapeDemarre : EtapeTrame, statut);
            return false;
        }
        SANE_Parameters parametres{};
        statut = s.GetParameters(poignee, &parametres);
        if (statut != SANE_STATUS_GOOD) {
            Erreur(EtapeTrame, statut);
            return false;
        }
        if (!assembleur.DebutTrame(parametres)) {
            Erreur(EtapeTrame, SANE_STATUS_INVAL, assembleur.Erreur());
            return false;
        }
        m_fenetres.Progression(assembleur.Lus(), assembleur.Attendus());
        statut = LitTrame(poignee, assembleur);
        if (statut != SANE_STATUS_EOF) {
            if (!m_annule && statut != SANE_STATUS_CANCELLED)
                Erreur(EtapeLecture, statut, assembleur.Erreur());
            return false;
        }
        assembleur.FinTrame();
        if (parametres.last_frame)
            break;
    }
    const QImage resultat = assembleur.Image();
    if (resultat.isNull())
        return false;
    image = resultat;
    return true;
}

SANE_Status TAcquireImage::LitTrame(SANE_Handle poignee, TImageSane &assembleur)
{
    const TFonctionsSane &s = *m_sane;
    // Non-blocking reads where the device allows them, woken by its file
    // descriptor where it offers one; otherwise each read may wait for the
    // device, and the event loop gets its turn between slices of reads.
    const bool nonBloquant = s.SetIoMode(poignee, SANE_TRUE) == SANE_STATUS_GOOD;
    SANE_Int descripteur = -1;
    if (!nonBloquant || s.GetSelectFd(poignee, &descripteur) != SANE_STATUS_GOOD)
        descripteur = -1;

    QEventLoop boucle;
    m_boucle = &boucle;
    SANE_Status resultat = SANE_STATUS_GOOD;
    std::vector<SANE_Byte> tampon(TailleLecture);
    QTimer pompe;
    std::unique_ptr<QSocketNotifier> veille;

    const auto termine = [&](SANE_Status statut) {
        resultat = statut;
        pompe.stop();
        if (veille)
            veille->setEnabled(false);
        boucle.quit();
    };
    const auto lit = [&] {
        QElapsedTimer tranche;
        tranche.start();
        bool attente = false;
        do {
            if (m_annule) {
                termine(SANE_STATUS_CANCELLED);
                return;
            }
            SANE_Int lus = 0;
            const SANE_Status statut = s.Read(poignee, tampon.data(), TailleLecture, &lus);
            if (statut != SANE_STATUS_GOOD) {
                termine(statut);
                return;
            }
            // A count outside the buffer cannot be true: nothing is taken.
            if (lus < 0 || lus > TailleLecture) {
                termine(SANE_STATUS_IO_ERROR);
                return;
            }
            if (!assembleur.Ajoute(tampon.data(), lus)) {
                termine(SANE_STATUS_NO_MEM);
                return;
            }
            attente = lus == 0;
        } while (!attente && tranche.elapsed() < TrancheLecture);
        m_fenetres.Progression(assembleur.Lus(), assembleur.Attendus());
        if (!veille)
            pompe.setInterval(attente && nonBloquant ? AttenteDonnees : 0);
    };

    if (descripteur >= 0) {
        veille = std::make_unique<QSocketNotifier>(descripteur, QSocketNotifier::Read);
        QObject::connect(veille.get(), &QSocketNotifier::activated, &boucle, lit);
    } else {
        pompe.setInterval(0);
        QObject::connect(&pompe, &QTimer::timeout, &boucle, lit);
        pompe.start();
    }
    boucle.exec();
    m_boucle = nullptr;
    if (m_annule && resultat != SANE_STATUS_EOF)
        return SANE_STATUS_CANCELLED;
    return resultat;
}

void TAcquireImage::Annule(SANE_Handle poignee)
{
    if (m_annule)
        return;
    m_annule = true;
    m_sane->Cancel(poignee);
    // A device woken by its descriptor may never wake again once cancelled.
    if (m_boucle)
        m_boucle->quit();
}
