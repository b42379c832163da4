// The acquisition the source editor's scanner button runs: the system's
// SANE library, with the program's chooser and progress windows.

#include "Scanner.h"

#include "AcquireImage.h"

#include "Dialogues.h"
#include "Globales.h"
#include "Ini.h"
#include "Langue.h"
#include "TfmScanProgres.h"
#include "TfmScanReglages.h"
#include "TfmScanner.h"
#include "TfmSource.h"

#include <QApplication>
#include <QImage>
#include <QPointer>

namespace {

constexpr int TexteInit = 7810;
constexpr int TexteListe = 7811;
constexpr int TexteOuvre = 7812;
constexpr int TexteDemarre = 7813;
constexpr int TexteLecture = 7814;
constexpr int TexteTrame = 7815;
constexpr int TexteReglage = 7816;
constexpr int TexteReglagesNonEcrits = 5025;

const QString SectionScanner = QStringLiteral("Scanner");
const QString CleResolution = QStringLiteral("Resolution");
const QString CleMode = QStringLiteral("Mode");

// gene.ini, where the last settings are kept; empty while the settings
// folder is not known.
QString FichierReglages()
{
    return DossierParamUser.isEmpty() ? QString() : DossierParamUser + QStringLiteral("gene.ini");
}

class TFenetresScanner final : public TFenetresAcquisition
{
public:
    TFenetresScanner()
        : m_parent(QApplication::activeWindow())
    {
    }
    ~TFenetresScanner() override { FinLecture(); }

    int ChoisitPeripherique(const std::vector<TPeripherique> &peripheriques) override
    {
        TfmScanner choix(peripheriques, m_parent);
        return choix.exec() == QDialog::Accepted ? choix.Choix() : -1;
    }
    bool ChoisitReglages(const TPeripherique &peripherique, const TOffreScan &offre,
                         TReglagesScan &reglages) override
    {
        const QString fichier = FichierReglages();
        TReglagesScan dernier;
        if (!fichier.isEmpty()) {
            const TIniFile ini(fichier);
            dernier.Resolution = ini.ReadInteger(SectionScanner, CleResolution, 0);
            dernier.Mode = ini.ReadString(SectionScanner, CleMode);
        }
        TfmScanReglages choix(peripherique.Modele.isEmpty() ? peripherique.Nom : peripherique.Modele, offre,
                              ReglagesInitiaux(offre, dernier), m_parent);
        if (choix.exec() != QDialog::Accepted)
            return false;
        reglages = choix.Reglages();
        // What this device does not offer leaves the choice kept for others.
        TReglagesScan garde = dernier;
        if (reglages.Resolution > 0)
            garde.Resolution = reglages.Resolution;
        if (!reglages.Mode.isEmpty())
            garde.Mode = reglages.Mode;
        if (!fichier.isEmpty() && garde != dernier) {
            TIniFile ini(fichier);
            ini.WriteInteger(SectionScanner, CleResolution, garde.Resolution);
            ini.WriteString(SectionScanner, CleMode, garde.Mode);
            if (!ini.UpdateFile())
                AppMessageBox(MLFormat(TexteReglagesNonEcrits, {fichier, ini.ErrorString()}), MsgAvertissement,
                              BoutonsOk);
        }
        return true;
    }
    void DebutLecture(const TPeripherique &peripherique, std::function<void()> annule) override
    {
        FinLecture();
        m_progres = new TfmScanProgres(peripherique.Modele.isEmpty() ? peripherique.Nom : peripherique.Modele,
                                       std::move(annule), m_parent);
        m_progres->Ouvre();
    }
    void Progression(qint64 lus, qint64 attendus) override
    {
        if (m_progres)
            m_progres->Progression(lus, attendus);
    }
    void FinLecture() override
    {
        if (m_progres) {
            m_progres->Ferme();
            delete m_progres;
        }
    }

private:
    QPointer<QWidget> m_parent;
    QPointer<TfmScanProgres> m_progres;
};

} // namespace

bool AcquiertImage(QImage &image, const TFonctionsSane *sane)
{
    TFenetresScanner fenetres;
    TAcquireImage acquisition(sane, fenetres);
    acquisition.OnErreur = [sane](TAcquireImage::Etape etape, SANE_Status statut, const QString &peripherique,
                                  const QString &detail) {
        const QString raison = detail.isEmpty() ? TexteStatut(*sane, statut) : detail;
        QString texte;
        switch (etape) {
        case TAcquireImage::EtapeInit:
            texte = MLFormat(TexteInit, {raison});
            break;
        case TAcquireImage::EtapeChoix:
            texte = MLFormat(TexteListe, {raison});
            break;
        case TAcquireImage::EtapeOuvre:
            texte = MLFormat(TexteOuvre, {peripherique, raison});
            break;
        case TAcquireImage::EtapeReglage:
            texte = MLFormat(TexteReglage, {peripherique, raison});
            break;
        case TAcquireImage::EtapeDemarre:
            texte = MLFormat(TexteDemarre, {peripherique, raison});
            break;
        case TAcquireImage::EtapeTrame:
            texte = MLFormat(detail.isEmpty() ? TexteLecture : TexteTrame, {peripherique, raison});
            break;
        case TAcquireImage::EtapeLecture:
            texte = MLFormat(TexteLecture, {peripherique, raison});
            break;
        }
        AppMessageBox(texte, MsgErreur, BoutonsOk);
    };
    return acquisition.AcquiertImage(image);
}

bool AcquiertImage(QImage &image)
{
    return AcquiertImage(image, FonctionsSane());
}

void InstalleScanner()
{
    if (FonctionsSane())
        SetAcquisitionImage([](QImage &image) { return AcquiertImage(image); });
}
