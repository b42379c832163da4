#include "DialoguesQt.h"

#include <algorithm>
#include <cmath>

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
#include <QPrinter>

#include "Langue.h"

TDialoguesQt::TDialoguesQt(QWidget *parent)
    : m_parent(parent)
{
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
    QMessageBox boite(icone, QApplication::applicationName(), texte, choix, m_parent);
    const std::pair<QMessageBox::StandardButton, const char *> libelles[] = {
        {QMessageBox::Yes, "Oui"}, {QMessageBox::No, "Non"}, {QMessageBox::Cancel, "Annuler"}};
    for (const auto &[bouton, libelle] : libelles) {
        if (QAbstractButton *b = boite.button(bouton))
            b->setText(QString::fromUtf8(libelle));
    }
    switch (boite.exec()) {
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
    QInputDialog boite(m_parent);
    boite.setWindowTitle(titre);
    boite.setLabelText(invite);
    boite.setTextValue(texte);
    boite.setOkButtonText(QStringLiteral("OK"));
    boite.setCancelButtonText(QStringLiteral("Annuler"));
    if (auto *edit = boite.findChild<QLineEdit *>())
        edit->setMaxLength(255);
    if (boite.exec() != QDialog::Accepted)
        return false;
    texte = boite.textValue().left(255);
    return true;
}

QString TDialoguesQt::FichierAOuvrir(const QString &titre, const QString &dossier, const QString &filtre)
{
    return QFileDialog::getOpenFileName(m_parent, titre, dossier, filtre);
}

QString TDialoguesQt::FichierAEnregistrer(const QString &titre, const QString &chemin, const QString &filtre)
{
    return QFileDialog::getSaveFileName(m_parent, titre, chemin, filtre);
}

QString TDialoguesQt::FichierAEnregistrerType(const QString &titre, const QString &chemin, const QString &filtre,
                                              int *filtreChoisi)
{
    QString choisi;
    const QString r = QFileDialog::getSaveFileName(m_parent, titre, chemin, filtre, &choisi);
    if (filtreChoisi)
        *filtreChoisi = std::max(0, static_cast<int>(filtre.split(QStringLiteral(";;")).indexOf(choisi)));
    return r;
}

bool TDialoguesQt::ChoisitCouleur(QColor &couleur)
{
    const QColor choisie = QColorDialog::getColor(couleur, m_parent);
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
    QDialog boite(m_parent);
    boite.setWindowTitle(QStringLiteral("Police"));
    auto *polices = new QFontDialog(&boite);
    polices->setWindowFlags(Qt::Widget);
    polices->setOption(QFontDialog::NoButtons);
    const double ppp = PointsParPixel(&boite);
    QFont initiale = fonte;
    initiale.setPointSizeF(std::max(1, fonte.pixelSize()) * ppp);
    polices->setCurrentFont(initiale);
    QColor choisie = couleur;
    auto *bCouleur = new QPushButton(QStringLiteral("Couleur..."));
    MontreCouleur(bCouleur, choisie);
    QObject::connect(bCouleur, &QPushButton::clicked, &boite, [&] {
        const QColor c = QColorDialog::getColor(choisie, &boite);
        if (c.isValid()) {
            choisie = c;
            MontreCouleur(bCouleur, choisie);
        }
    });
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(boutons, &QDialogButtonBox::accepted, &boite, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &boite, &QDialog::reject);
    auto *bas = new QHBoxLayout;
    bas->addWidget(bCouleur);
    bas->addStretch();
    bas->addWidget(boutons);
    auto *l = new QVBoxLayout(&boite);
    l->addWidget(polices);
    l->addLayout(bas);
    if (boite.exec() != QDialog::Accepted)
        return false;
    QFont resultat = polices->currentFont();
    const int pixels = std::max(1, static_cast<int>(std::lround(resultat.pointSizeF() / ppp)));
    resultat.setPixelSize(pixels);
    fonte = resultat;
    couleur = choisie;
    return true;
}

void TDialoguesQt::AffichePage(const QString &chemin)
{
    // Without a browser the desktop opens nothing and says nothing: the user
    // is told where the page is.
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)))
        return;
    const QString texte = MLText(8525);
    AppMessageBox(FormatTexte(texte.isEmpty() ? QStringLiteral("Aucun navigateur n'a pu afficher la page. "
                                                               "Elle a été enregistrée dans %1.")
                                              : texte,
                              {QDir::toNativeSeparators(chemin)}),
                  MsgInformation, BoutonsOk);
}

void TDialoguesQt::Astuce(int numero, const QString &texte)
{
    QMessageBox boite(QMessageBox::Information, QStringLiteral("Astuce n° %1").arg(numero), texte,
                      QMessageBox::Ok, m_parent);
    boite.exec();
}

bool TDialoguesQt::DialogueImpression(QPrinter &imprimante, int premiere, int derniere)
{
    QPrintDialog boite(&imprimante, m_parent);
    boite.setMinMax(premiere, derniere);
    boite.setFromTo(premiere, derniere);
    return boite.exec() == QDialog::Accepted;
}
