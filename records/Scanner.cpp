// The acquisition the source editor's scanner button runs: the system's
// SANE library, with the program's chooser and progress windows.

#include "Scanner.h"

#include "AcquireImage.h"

#include "Dialogues.h"
#include "Langue.h"
#include "TfmScanProgres.h"
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
