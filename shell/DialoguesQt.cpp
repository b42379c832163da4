#include "DialoguesQt.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QElapsedTimer>

#include "Langue.h"
#include "Voisinage.h"

namespace {

// A dialog of the service, made over the window the user works in. It lives
// on the heap as a child of that window: should the window be freed while
// the dialog is open, the dialog goes with it (a dialog on the stack would
// be freed twice) and the call answers Cancel. It stays on top when its
// window does, so that the window system cannot put it under that window.
template <typename T>
class TDialogue final
{
public:
    template <typename... A>
    explicit TDialogue(A &&...arguments)
        : m_dialogue(new T(std::forward<A>(arguments)...))
    {
        DialogueAuDessus(m_dialogue);
    }
    ~TDialogue() { delete m_dialogue.data(); }
    TDialogue(const TDialogue &) = delete;
    TDialogue &operator=(const TDialogue &) = delete;

    T *operator->() const { return m_dialogue; }
    T *get() const { return m_dialogue; }
    // The dialog's result; -1 when it was freed meanwhile.
    int Execute() const
    {
        const int resultat = m_dialogue->exec();
        return m_dialogue ? resultat : -1;
    }

private:
    QPointer<T> m_dialogue;
};

} // namespace

TDialoguesQt::TDialoguesQt(QWidget *parent)
    : m_parent(parent)
{
}

QWidget *TDialoguesQt::Fenetre() const
{
    if (QWidget *modale = QApplication::activeModalWidget())
        return modale;
    QWidget *active = QApplication::activeWindow();
    return active && active->isVisible() ? active : m_parent.data();
}

int TDialoguesQt::AppMessageBox(const QString &texte, int genre, int boutons)
{
    QMessageBox::Icon icone = QMessageBox::Warning;
    switch (genre) {
    case MsgErreur:
        icone = QMessageBox::Critical;
        break;
    case MsgInformation:
        icone = QMessageBox::Information;
        break;
    case MsgQuestion:
        icone = QMessageBox::Question;
        break;
    default:
        break;
    }
    QMessageBox::StandardButtons choix = QMessageBox::Ok;
    switch (boutons) {
    case BoutonsOkAnnuler:
        choix = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case BoutonsOuiNonAnnuler:
        choix = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case BoutonsOuiNon:
        choix = QMessageBox::Yes | QMessageBox::No;
        break;
    default:
        break;
    }
    TDialogue<QMessageBox> boite(icone, QApplication::applicationName(), texte, choix, Fenetre());
    const std::pair<QMessageBox::StandardButton, const char *> libelles[] = {
        {QMessageBox::Yes, "Oui"}, {QMessageBox::No, "Non"}, {QMessageBox::Cancel, "Annuler"}};
    for (const auto &[bouton, libelle] : libelles) {
        if (QAbstractButton *b = boite->button(bouton))
            b->setText(QString::fromUtf8(libelle));
    }
    switch (boite.Execute()) {
    case QMessageBox::Yes:
        return ReponseOui;
    case QMessageBox::No:
        return ReponseNon;
    case QMessageBox::Cancel:
        return ReponseAnnuler;
    default:
        return boutons == BoutonsOk || boutons == BoutonsOkAnnuler ? ReponseOk : ReponseAnnuler;
    }
}

bool TDialoguesQt::AskYesNo(const QString &texte)
{
    return AppMessageBox(texte, MsgQuestion, BoutonsOuiNon) == ReponseOui;
}

bool TDialoguesQt::SaisieTexte(const QString &titre, const QString &invite, QString &texte)
{
    TDialogue<QInputDialog> boite(Fenetre());
    boite->setWindowTitle(titre);
    boite->setLabelText(invite);
    boite->setTextValue(texte);
    boite->setOkButtonText(QStringLiteral("OK"));
    boite->setCancelButtonText(QStringLiteral("Annuler"));
    if (auto *edit = boite->findChild<QLineEdit *>())
        edit->setMaxLength(255);
    if (boite.Execute() != QDialog::Accepted)
        return false;
    texte = boite->textValue().left(255);
    return true;
}

QString TDialoguesQt::FichierAOuvrir(const QString &titre, const QString &dossier, const QString &filtre)
{
    TDialogue<QFileDialog> boite(Fenetre(), titre, dossier, filtre);
    boite->setAcceptMode(QFileDialog::AcceptOpen);
    boite->setFileMode(QFileDialog::ExistingFile);
    if (boite.Execute() != QDialog::Accepted)
        return {};
    return boite->selectedFiles().value(0);
}

QString TDialoguesQt::FichierAEnregistrer(const QString &titre, const QString &chemin, const QString &filtre)
{
    return FichierAEnregistrerType(titre, chemin, filtre, nullptr);
}

QString TDialoguesQt::FichierAEnregistrerType(const QString &titre, const QString &chemin, const QString &filtre,
                                              int *filtreChoisi)
{
    if (filtreChoisi)
        *filtreChoisi = 0;
    TDialogue<QFileDialog> boite(Fenetre(), titre, chemin, filtre);
    boite->setAcceptMode(QFileDialog::AcceptSave);
    boite->setFileMode(QFileDialog::AnyFile);
    if (boite.Execute() != QDialog::Accepted)
        return {};
    if (filtreChoisi) {
        const int choisi = static_cast<int>(filtre.split(QStringLiteral(";;")).indexOf(boite->selectedNameFilter()));
        *filtreChoisi = std::max(0, choisi);
    }
    return boite->selectedFiles().value(0);
}

namespace {

// A colour dialog over `fenetre`, opening on `couleur`; an invalid colour
// when cancelled.
QColor DemandeCouleur(const QColor &couleur, QWidget *fenetre)
{
    TDialogue<QColorDialog> boite(couleur, fenetre);
    return boite.Execute() == QDialog::Accepted ? boite->selectedColor() : QColor();
}

} // namespace

bool TDialoguesQt::ChoisitCouleur(QColor &couleur)
{
    const QColor choisie = DemandeCouleur(couleur, Fenetre());
    if (!choisie.isValid())
        return false;
    couleur = choisie;
    return true;
}

namespace {

// The font dialog counts in points, the program in pixels of the screen.
double PointsParPixel(const QWidget *fenetre)
{
    const QScreen *ecran = fenetre ? fenetre->screen() : QGuiApplication::primaryScreen();
    const double ppp = ecran ? ecran->logicalDotsPerInchY() : 96.0;
    return 72.0 / (ppp > 0 ? ppp : 96.0);
}

void MontreCouleur(QPushButton *bouton, const QColor &couleur)
{
    QPixmap carre(16, 16);
    carre.fill(couleur);
    bouton->setIcon(QIcon(carre));
}

} // namespace

bool TDialoguesQt::ChoisitFonte(QFont &fonte, QColor &couleur)
{
    // Qt's font dialog has no text colour: it is embedded, without its own
    // buttons, beside a colour button.
    TDialogue<QDialog> boite(Fenetre());
    QDialog *d = boite.get();
    d->setWindowTitle(QStringLiteral("Police"));
    auto *polices = new QFontDialog(d);
    polices->setWindowFlags(Qt::Widget);
    polices->setOption(QFontDialog::NoButtons);
    const double ppp = PointsParPixel(d);
    QFont initiale = fonte;
    initiale.setPointSizeF(std::max(1, fonte.pixelSize()) * ppp);
    polices->setCurrentFont(initiale);
    QColor choisie = couleur;
    auto *bCouleur = new QPushButton(QStringLiteral("Couleur..."));
    MontreCouleur(bCouleur, choisie);
    QObject::connect(bCouleur, &QPushButton::clicked, d, [&choisie, bCouleur, d] {
        const QColor c = DemandeCouleur(choisie, d);
        if (c.isValid()) {
            choisie = c;
            MontreCouleur(bCouleur, choisie);
        }
    });
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(boutons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    auto *bas = new QHBoxLayout;
    bas->addWidget(bCouleur);
    bas->addStretch();
    bas->addWidget(boutons);
    auto *l = new QVBoxLayout(d);
    l->addWidget(polices);
    l->addLayout(bas);
    if (boite.Execute() != QDialog::Accepted)
        return false;
    QFont resultat = polices->currentFont();
    const int pixels = std::max(1, static_cast<int>(std::lround(resultat.pointSizeF() / ppp)));
    resultat.setPixelSize(pixels);
    fonte = resultat;
    couleur = choisie;
    return true;
}

namespace {

// Tells the user, through `dialogues`, that no browser showed the page, and
// where it is.
void PageNonAffichee(TDialogues &dialogues, const QString &chemin)
{
    const QString texte = MLText(8525);
    dialogues.AppMessageBox(FormatTexte(texte.isEmpty() ? QStringLiteral("Aucun navigateur n'a pu afficher la page. "
                                                               "Elle a été enregistrée dans %1.")
                                              : texte,
                              {QDir::toNativeSeparators(chemin)}),
                  MsgInformation, BoutonsOk);
}

// How long the desktop's opener has to say that it failed: it may run the
// browser itself, and a browser closed much later is no failure to open.
constexpr int DelaiOuverture = 10000;

} // namespace

void TDialoguesQt::AffichePage(const QString &chemin)
{
    // The desktop's opener, xdg-open, is started without waiting: it may
    // not return before the browser closes. It tells a failure only by its
    // exit code (and on its standard error), which QDesktopServices never
    // reads: it is watched here, and the user is told where the page is.
    const QString ouvreur = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (ouvreur.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)))
            PageNonAffichee(*this, chemin);
        return;
    }
    // Not owned by a window: should the program end first, the browser the
    // opener runs is left open.
    auto *processus = new QProcess;
    processus->setProcessChannelMode(QProcess::ForwardedChannels);
    auto *duree = new QElapsedTimer;
    duree->start();
    // The answer comes later: the program's dialog service of that moment
    // tells it.
    const auto fin = [processus, duree, chemin](bool echec) {
        if (echec && duree->elapsed() < DelaiOuverture)
            PageNonAffichee(Dialogues(), chemin);
        delete duree;
        processus->deleteLater();
    };
    QObject::connect(processus, &QProcess::finished, processus,
                     [fin](int code, QProcess::ExitStatus etat) { fin(code != 0 || etat != QProcess::NormalExit); });
    // A start that fails is not followed by finished().
    QObject::connect(processus, &QProcess::errorOccurred, processus, [fin](QProcess::ProcessError erreur) {
        if (erreur == QProcess::FailedToStart)
            fin(true);
    });
    processus->start(ouvreur, {chemin});
}

void TDialoguesQt::Astuce(int numero, const QString &texte)
{
    // A tip comes up on the way to something else (the first focus in a
    // place field, the first click in a note): it shows over the window
    // without taking the keyboard, so that what the user goes on typing
    // reaches the field, and it is closed when read.
    QWidget *fenetre = Fenetre();
    auto *boite = new QMessageBox(QMessageBox::Information, QStringLiteral("Astuce n° %1").arg(numero), texte,
                                  QMessageBox::Ok, fenetre);
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->setAttribute(Qt::WA_ShowWithoutActivating);
    boite->setWindowModality(Qt::NonModal);
    DialogueAuDessus(boite);
    if (fenetre) {
        // Beside the window when the screen has room, else at least off the
        // field being typed in: the tip must not hide the work it is about.
        boite->adjustSize();
        QRect cadre(QPoint(0, 0), boite->size());
        cadre.moveCenter(fenetre->frameGeometry().center());
        boite->move(cadre.topLeft());
        const QWidget *champ = fenetre->focusWidget();
        if (!MetACote(boite, fenetre->frameGeometry()) && champ)
            MetACote(boite, QRect(champ->mapToGlobal(QPoint(0, 0)), champ->size()));
        // Closed, it hands the keyboard back to the window, which some
        // window managers leave without any.
        QPointer<QWidget> retour(fenetre);
        QObject::connect(boite, &QDialog::finished, fenetre, [retour] {
            if (retour && retour->isVisible())
                retour->activateWindow();
        });
    }
    boite->show();
    // Some window systems activate every window shown all the same: the
    // keyboard goes back to the window the user works in.
    if (fenetre && fenetre == QApplication::activeWindow())
        fenetre->activateWindow();
}

bool TDialoguesQt::DialogueImpression(QPrinter &imprimante, int premiere, int derniere)
{
    TDialogue<QPrintDialog> boite(&imprimante, Fenetre());
    boite->setMinMax(premiere, derniere);
    boite->setFromTo(premiere, derniere);
    return boite.Execute() == QDialog::Accepted;
}
