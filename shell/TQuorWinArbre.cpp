// The main window's tree commands: page frames, print settings, printing
// and the tree setting dialogs.

#include "TQuorWin.h"

#include "Dialogues.h"
#include "Imprimantes.h"
#include "Globales.h"
#include "Impression.h"
#include "Langue.h"
#include "Options.h"
#include "TPage.h"
#include "TfmCellule.h"
#include "TfmReglagesArbre.h"
#include "TfmZoomPage.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr int TexteRienAImprimer = 5034;
constexpr int TexteImpressionRatee = 5035;
constexpr int TexteImprimerPdf = 5036;
constexpr int TexteArbreEnregistre = 9500;

// A dialog made for one use and freed after it.
template <typename Dialogue, typename... Arguments>
int Montre(QWidget *parent, Arguments &&...arguments)
{
    Dialogue dialogue(std::forward<Arguments>(arguments)..., parent);
    return dialogue.exec();
}

} // namespace

void TQuorWin::CreeCommandesArbre(QWidget *groupe)
{
    auto bouton = [groupe](const char *nom) {
        auto *b = groupe->findChild<QToolButton *>(QString::fromLatin1(nom));
        b->setEnabled(true);
        return b;
    };
    auto menu = [this](const char *nom) { return m_pmArbre->findChild<QAction *>(QString::fromLatin1(nom)); };

    QToolButton *voirPage = bouton("sbVoirPage");
    connect(voirPage, &QToolButton::clicked, this, &TQuorWin::sbVoirPageClick);
    QAction *menuVoirPage = menu("MI_ArbreVoirPage");
    menuVoirPage->setCheckable(true);
    connect(menuVoirPage, &QAction::triggered, this, [this, voirPage](bool bas) {
        voirPage->setChecked(bas);
        sbVoirPageClick();
    });

    // The left button opens the dialog; the others step the settings.
    for (const char *nom : {"sbZoomPage", "sbCroisePage"}) {
        QToolButton *b = bouton(nom);
        connect(b, &QToolButton::clicked, this, &TQuorWin::AfficheZoomPage);
        b->installEventFilter(this);
    }

    // The look editor's own command, first in the tree menu.
    auto *cellule = new QToolButton(groupe);
    cellule->setObjectName(QStringLiteral("sbCellule"));
    cellule->setDefaultAction(m_cellule->Commande());
    cellule->setToolButtonStyle(Qt::ToolButtonTextOnly);
    cellule->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    groupe->layout()->addWidget(cellule);
    m_pmArbre->insertAction(m_pmArbre->actions().value(0), m_cellule->Commande());

    const std::pair<const char *, void (TQuorWin::*)()> commandes[] = {
        {"Imprime", nullptr},
        {"Apparence", &TQuorWin::AfficheApparence},
        {"Ecart", &TQuorWin::AfficheEcart},
        {"Large", &TQuorWin::AfficheLarge},
        {"NbreGen", &TQuorWin::AfficheNbreGen},
        {"Zoom", &TQuorWin::AfficheZoom},
    };
    for (const auto &[nom, commande] : commandes) {
        const QByteArray sb = "sbArbre" + QByteArray(nom);
        const QByteArray mi = "MI_Arbre" + QByteArray(nom);
        auto lance = [this, commande = commande] {
            if (commande)
                (this->*commande)();
            else
                sbArbreImprimeClick();
        };
        connect(bouton(sb.constData()), &QToolButton::clicked, this, lance);
        connect(menu(mi.constData()), &QAction::triggered, this, lance);
    }
}

bool TQuorWin::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::MouseButtonRelease) {
        auto *b = qobject_cast<QToolButton *>(objet);
        auto *souris = static_cast<QMouseEvent *>(evenement);
        if (b && souris->button() != Qt::LeftButton
            && (b->objectName() == u"sbZoomPage" || b->objectName() == u"sbCroisePage")) {
            PasPage(b->objectName() == u"sbZoomPage", souris->position().y() < b->height() / 2);
            return true;
        }
    }
    return QMainWindow::eventFilter(objet, evenement);
}

void TQuorWin::sbVoirPageClick()
{
    const bool bas = findChild<QToolButton *>(QStringLiteral("sbVoirPage"))->isChecked();
    if (bas)
        PageImprimanteChangee();
    m_page->VoirPage = bas;
    m_pmArbre->findChild<QAction *>(QStringLiteral("MI_ArbreVoirPage"))->setChecked(bas);
    m_page->update();
}

void TQuorWin::AfficheZoomPage()
{
    auto *voirPage = findChild<QToolButton *>(QStringLiteral("sbVoirPage"));
    PageImprimanteChangee();
    // The dialog's "keep the frames visible" box reads the button as it was;
    // the frames are then shown while the dialog is open.
    TfmZoomPage dialogue(
        *m_page, *m_affArbre,
        [this, voirPage](bool bas) {
            voirPage->setChecked(bas);
            sbVoirPageClick();
        },
        [voirPage] { return voirPage->isChecked(); }, this);
    if (!voirPage->isChecked()) {
        voirPage->setChecked(true);
        sbVoirPageClick();
    }
    dialogue.exec();
}

void TQuorWin::PasPage(bool zoom, bool monte)
{
    if (zoom) {
        if (monte)
            m_page->PrintZoom += 100;
        else if (m_page->PrintZoom > 100)
            m_page->PrintZoom -= 100;
    } else {
        if (monte && m_page->PrintCroise < 45)
            m_page->PrintCroise += 5;
        else if (!monte && m_page->PrintCroise >= 5)
            m_page->PrintCroise -= 5;
    }
    m_page->update();
}

QPrinter &TQuorWin::Imprimante()
{
    if (!m_imprimante)
        m_imprimante = CreeImprimante();
    return *m_imprimante;
}

void TQuorWin::PageImprimanteChangee()
{
    QPrinter &imprimante = Imprimante();
    m_page->PageImprimante = imprimante.pageLayout().paintRectPixels(imprimante.resolution()).size();
    m_page->update();
}

int TQuorWin::PagesAImprimer()
{
    PageImprimanteChangee();
    if (m_page->PrintZoomAuto)
        m_page->CalculZoomAuto();
    return m_page->ComptePages();
}

bool TQuorWin::sbArbreImprimeClick()
{
    QPrinter &imprimante = Imprimante();
    int pages = PagesAImprimer();
    if (pages == 0) {
        AppMessageBox(MLText(TexteRienAImprimer), MsgInformation, BoutonsOk);
        return false;
    }
    int premiere = 1;
    int derniere = pages;
    if (imprimante.outputFormat() == QPrinter::PdfFormat) {
        const QString base = FichierCourant.isEmpty() ? QStringLiteral("arbre") : QFileInfo(FichierCourant).completeBaseName();
        if (!DemandeFichierPdf(imprimante, MLText(TexteImprimerPdf), DossierGenealogie + base + QStringLiteral(".pdf")))
            return false;
    } else {
        if (!Dialogues().DialogueImpression(imprimante, 1, pages))
            return false;
        // Another paper may have been chosen: the grid follows it.
        pages = PagesAImprimer();
        derniere = pages;
        if (imprimante.printRange() == QPrinter::PageRange && imprimante.fromPage() > 0) {
            premiere = imprimante.fromPage();
            derniere = std::min(pages, imprimante.toPage());
        }
    }
    imprimante.setDocName(QStringLiteral("Lignée"));
    QString erreur;
    if (!ImprimeArbre(*m_affArbre, *m_page, imprimante, premiere, derniere, &erreur)) {
        AppMessageBox(MLFormat(TexteImpressionRatee, {erreur}), MsgErreur, BoutonsOk);
        return false;
    }
    // Printed into a file, nothing comes out of a printer: the user is told
    // where the file is.
    if (const QString fichier = imprimante.outputFileName(); !fichier.isEmpty())
        statusBar()->showMessage(MLFormat(TexteArbreEnregistre, {QDir::toNativeSeparators(fichier)}));
    return true;
}

void TQuorWin::AfficheEcart()
{
    if (Montre<TfmEcart>(this, *m_affArbre) == QDialog::Accepted)
        m_affArbre->Affiche();
}

void TQuorWin::AfficheLarge()
{
    if (Montre<TfmLarge>(this, *m_affArbre) == QDialog::Accepted)
        m_affArbre->Affiche();
}

void TQuorWin::AfficheNbreGen()
{
    if (Montre<TfmNbreGen>(this) == QDialog::Accepted)
        m_affArbre->Affiche();
}

void TQuorWin::AfficheZoom()
{
    Montre<TfmZoom>(this, *m_affArbre);
}

void TQuorWin::AfficheApparence()
{
    Montre<TfmArbreApparence>(this, *m_affArbre);
}
