#include "TfmCarteNouvelle.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Fichiers.h"
#include "Globales.h"
#include "Images.h"
#include "IOCarte.h"
#include "Langue.h"
#include "ModelesUtilisateur.h"
#include "TfmCarte.h"
#include "TfmCartePerso.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteExiste = 8402;
constexpr int TexteNonEnregistree = 8403;
constexpr int TexteImageIllisible = 8405;
constexpr int TexteExplication = 8415;
constexpr int TexteImageIntrouvable = 8416;
constexpr int TexteChoixImage = 8417;

} // namespace

TfmCarteNouvelle::TfmCarteNouvelle(TfmCarte &carte, QWidget *parent)
    : QDialog(parent)
    , m_carte(carte)
{
    setObjectName(u"fmCarteNouvelle"_s);
    setWindowTitle(u"Création d'une nouvelle carte"_s);
    auto *l = new QVBoxLayout(this);
    auto *explication = new QLabel(MLText(TexteExplication), this);
    explication->setObjectName(u"Memo1"_s);
    explication->setWordWrap(true);
    l->addWidget(explication);
    auto *f = new QFormLayout;
    m_eBmp = new QLineEdit(this);
    m_eBmp->setObjectName(u"eBmp"_s);
    auto *charge = new QToolButton(this);
    charge->setObjectName(u"sbCharge"_s);
    charge->setText(u"..."_s);
    auto *ligne = new QHBoxLayout;
    ligne->addWidget(m_eBmp, 1);
    ligne->addWidget(charge);
    f->addRow(u"Fichier image"_s, ligne);
    m_eNom = new QLineEdit(this);
    m_eNom->setObjectName(u"eNom"_s);
    f->addRow(u"Nom de la carte"_s, m_eNom);
    l->addLayout(f);
    auto *b = new QHBoxLayout;
    auto *creer = new QPushButton(u"&Créer la carte"_s, this);
    creer->setObjectName(u"Button1"_s);
    creer->setDefault(true);
    auto *annuler = new QPushButton(u"&Annuler"_s, this);
    annuler->setObjectName(u"Button2"_s);
    annuler->setAutoDefault(false);
    b->addStretch();
    b->addWidget(creer);
    b->addWidget(annuler);
    l->addLayout(b);
    resize(460, sizeHint().height());
    MLTranslateForm(this);

    connect(charge, &QToolButton::clicked, this, &TfmCarteNouvelle::sbChargeClick);
    connect(creer, &QPushButton::clicked, this, &TfmCarteNouvelle::Button1Click);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
}

TfmCarteNouvelle::~TfmCarteNouvelle() = default;

void TfmCarteNouvelle::sbChargeClick()
{
    const QString chemin = Dialogues().FichierAOuvrir(MLText(TexteChoixImage), DossierCarte, u"Carte (*.bmp)"_s);
    if (!chemin.isEmpty() && ObstacleLecture(chemin).isEmpty())
        m_eBmp->setText(chemin);
}

void TfmCarteNouvelle::Button1Click()
{
    const QString nom = m_eNom->text().trimmed();
    QString raison;
    if (!NomCarteValide(nom, &raison)) {
        AppMessageBox(raison, MsgErreur, BoutonsOk);
        return;
    }
    const QString source = m_eBmp->text();
    if (source.isEmpty() || !ObstacleLecture(source).isEmpty()) {
        AppMessageBox(MLText(TexteImageIntrouvable), MsgErreur, BoutonsOk);
        return;
    }
    QImage image;
    if (!ChargeImage(image, source)) {
        AppMessageBox(MLFormat(TexteImageIllisible, {source}), MsgErreur, BoutonsOk);
        return;
    }
    // Another map of that name would lose its zones and its picture, or a
    // shipped one be hidden by the new one: the user is asked. The new map is
    // the user's.
    const TDossiersModeles dossiers = DossiersCarte();
    if ((QFileInfo::exists(FichierModele(dossiers, nom, u".mvc"_s))
         || QFileInfo::exists(FichierModele(dossiers, nom, u".bmp"_s)))
        && !AskYesNo(MLFormat(TexteExiste, {nom})))
        return;
    const QString definition = FichierModeleAEcrire(dossiers, nom, u".mvc"_s);
    const QString bmp = FichierModeleAEcrire(dossiers, nom, u".bmp"_s);
    QString erreur;
    if (!NouvelleCarte(definition, &erreur) || !SauveImageCarte(image, bmp, &erreur)) {
        AppMessageBox(MLFormat(TexteNonEnregistree, {nom, erreur}), MsgErreur, BoutonsOk);
        return;
    }
    m_carte.AjouteCarte(nom);
    accept();
    m_carte.Perso()->show();
    m_carte.Perso()->raise();
}
