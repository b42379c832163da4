#include "TfmGenePrint.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "Arrondi.h"
#include "Bitmaps.h"
#include "Chemins.h"
#include "CurseurAttente.h"
#include "Dialogues.h"
#include "ExportEmf.h"
#include "Fichiers.h"
#include "Globales.h"
#include "ImpressionModele.h"
#include "Imprimantes.h"
#include "Langue.h"
#include "Modeles.h"
#include "TxiloApercuModele.h"
#include "TxiloCAD.h"
#include "TxiloCADImage.h"
#include "TxiloCADMdl.h"
#include "TxiloCADTexte.h"
#include "TxiloMenuBarre.h"

using namespace Qt::StringLiterals;

namespace {

const QString Softprint = u"<softprint>"_s;
constexpr int TailleApercuRefait = 160;

// A target that cannot take a file (a folder, a pipe) is told as such, not
// as a folder that refuses writing.
bool Remplacable(const QString &fichier, QString *erreur)
{
    const QString obstacle = ObstacleEcriture(fichier);
    if (!obstacle.isEmpty() && erreur)
        *erreur = obstacle;
    return obstacle.isEmpty();
}

bool EnregistreBmp(TxiloCADMdl &modele, const QString &fichier, int largeur, int hauteur, QString *erreur)
{
    return Remplacable(fichier, erreur) && modele.ExportBmp(fichier, largeur, hauteur, CouleurBlanche);
}

bool EnregistreJpeg(TxiloCADMdl &modele, const QString &fichier, int largeur, int hauteur, QString *erreur)
{
    return Remplacable(fichier, erreur) && modele.ExportJpeg(fichier, largeur, hauteur, CouleurBlanche);
}

// A reason given in lower case, as the readers and writers give theirs, put
// after a full stop.
QString Phrase(QString raison)
{
    if (!raison.isEmpty())
        raison[0] = raison[0].toUpper();
    return raison;
}

} // namespace

const std::vector<TfmGenePrint::TFormatImage> &TfmGenePrint::FormatsImage()
{
    // The vector picture first: it keeps the design sharp at any size.
    static const std::vector<TFormatImage> formats = {
        {u"Image vectorielle (*.emf)"_s, u".emf"_s, &ExporteEmf},
        {u"Image bitmap (*.bmp)"_s, u".bmp"_s, &EnregistreBmp},
        {u"Image jpeg (*.jpg)"_s, u".jpg"_s, &EnregistreJpeg},
    };
    return formats;
}

TfmGenePrint::TfmGenePrint(const TBD &bd, const TDossiersGenePrint &dossiers, QWidget *parent)
    : TfmGenePrint(bd, dossiers, parent, nullptr)
{
}

TfmGenePrint::TfmGenePrint(const TBD &bd, const TDossiersGenePrint &dossiers, QWidget *parent,
                           std::unique_ptr<QPrinter> imprimante)
    : QWidget(parent, Qt::Window), m_bd(bd), m_dossiers(dossiers), m_imprimante(std::move(imprimante))
{
    for (QString *d : {&m_dossiers.Skin, &m_dossiers.Modeles, &m_dossiers.Images, &m_dossiers.ModelesUser}) {
        if (!d->isEmpty() && !d->endsWith(u'/'))
            d->append(u'/');
    }
    setObjectName(u"fmGenePrint"_s);
    setWindowTitle(MLTextOu(8710, u"Impression artistique"_s));
    resize(800, 600);
    setMinimumSize(600, 500);

    auto *principale = new QVBoxLayout(this);
    principale->setContentsMargins(0, 0, 0, 0);
    principale->setSpacing(0);

    m_panel1 = new QWidget(this);
    m_panel1->setObjectName(u"Panel1"_s);
    m_panel1->setFixedHeight(65);
    auto *boutons = new QHBoxLayout(m_panel1);
    boutons->setContentsMargins(0, 0, 0, 0);
    boutons->setSpacing(0);
    principale->addWidget(m_panel1);
    m_sbModele = Bouton("sbModele", u"Modèle"_s, QStyle::SP_DirOpenIcon);
    m_sbPersonnalise = Bouton("sbPersonnalise", u"Personnaliser"_s, QStyle::SP_FileDialogContentsView);
    QToolButton *enregistrer = Bouton("sbEnregistrer", u"Enregistrer"_s, QStyle::SP_DialogSaveButton);
    QToolButton *imprimer = Bouton("sbPrint", u"Imprimer"_s, QStyle::SP_ComputerIcon);
    QToolButton *fermer = Bouton("sbClose", u"Retour"_s, QStyle::SP_ArrowBack);
    boutons->addStretch(1);
    m_sbModele->setCheckable(true);
    m_sbPersonnalise->setCheckable(true);
    connect(m_sbModele, &QToolButton::clicked, this, &TfmGenePrint::sbModeleClick);
    connect(m_sbPersonnalise, &QToolButton::clicked, this, &TfmGenePrint::sbPersonnaliseClick);
    connect(enregistrer, &QToolButton::clicked, this, &TfmGenePrint::sbEnregistrerClick);
    connect(imprimer, &QToolButton::clicked, this, &TfmGenePrint::sbPrintClick);
    connect(fermer, &QToolButton::clicked, this, &QWidget::close);

    auto *milieu = new QHBoxLayout;
    milieu->setSpacing(0);
    principale->addLayout(milieu, 1);

    m_pModele = new QWidget(this);
    m_pModele->setObjectName(u"pModele"_s);
    m_pModele->setFixedWidth(201);
    m_pModele->hide();
    auto *modeles = new QVBoxLayout(m_pModele);
    modeles->setContentsMargins(0, 0, 0, 0);
    modeles->setSpacing(0);
    m_panel2 = new QWidget(m_pModele);
    m_panel2->setObjectName(u"Panel2"_s);
    auto *categories = new QVBoxLayout(m_panel2);
    categories->setContentsMargins(4, 4, 4, 4);
    m_cbFolder = new QComboBox(m_panel2);
    m_cbFolder->setObjectName(u"cbFolder"_s);
    m_cbFolder->installEventFilter(this);
    categories->addWidget(m_cbFolder);
    modeles->addWidget(m_panel2);
    m_choix = new TxiloApercuModele(m_pModele);
    m_choix->setFrameShape(QFrame::NoFrame);
    m_choix->SetApercuLarge(164);
    m_choix->SetApercuHaut(164);
    m_choix->SetEspacement(4);
    m_choix->SetTailleAuto(false);
    m_choix->SetOnResolveFile([this](TxiloCADObj *, QString &nom) { nom = ResoutNom(nom); });
    connect(m_choix, &TxiloApercuModele::OnClique, this, [this](int, const QString &modele) { ApplyModel(modele); });
    modeles->addWidget(m_choix, 1);
    milieu->addWidget(m_pModele);

    auto *panel3 = new QWidget(this);
    panel3->setObjectName(u"Panel3"_s);
    auto *droite = new QVBoxLayout(panel3);
    droite->setContentsMargins(0, 0, 0, 0);
    droite->setSpacing(0);
    milieu->addWidget(panel3, 1);

    m_pCAD = new QWidget(panel3);
    m_pCAD->setObjectName(u"pCAD"_s);
    m_pCAD->setAutoFillBackground(true);
    QPalette blanc = m_pCAD->palette();
    blanc.setColor(QPalette::Window, Qt::white);
    m_pCAD->setPalette(blanc);
    auto *cad = new QVBoxLayout(m_pCAD);
    cad->setContentsMargins(0, 0, 0, 0);
    m_cad = new TxiloCAD(m_pCAD);
    m_cad->setPalette(blanc);
    m_cad->setAutoFillBackground(true);
    m_cad->viewport()->setPalette(blanc);
    cad->addWidget(m_cad);
    droite->addWidget(m_pCAD, 1);
    // The editor only shows the design here, as it prints: no tool, no
    // editing marks (guides, handles), placeholders left unfilled dropped,
    // long texts kept within their boxes, and no notice where a picture is
    // missing.
    TxiloCADMdl &m = m_cad->Modele();
    m.SetOnGetTagValue([](TxiloCADObj *, const QString &, QString &) {});
    m.SetOnResolveFile([this](TxiloCADObj *, QString &nom) { nom = ResoutNom(nom); });
    m.Interrupteurs().ReduitTexte = true;
    m.Interrupteurs().Messages = false;
    m.Interrupteurs().Interactif = false;
    m_cad->SetOutil(TxiloCAD::OutilAucun);

    m_pPersonnalise = new QWidget(panel3);
    m_pPersonnalise->setObjectName(u"pPersonnalise"_s);
    m_pPersonnalise->setMinimumHeight(87);
    m_pPersonnalise->hide();
    auto *grille = new QGridLayout(m_pPersonnalise);
    grille->setContentsMargins(8, 4, 8, 4);
    grille->setVerticalSpacing(2);
    const auto edit = [this, grille](int ligne, const char *nom, const QString &libelle, const QString &valeur) {
        auto *l = new QLabel(libelle, m_pPersonnalise);
        auto *e = new QLineEdit(valeur, m_pPersonnalise);
        e->setObjectName(QString::fromLatin1(nom));
        l->setBuddy(e);
        grille->addWidget(l, ligne, 0);
        grille->addWidget(e, ligne, 1);
        return e;
    };
    m_eTexte1 = edit(0, "eTexte1", u"Titre :"_s, MLTextOu(8721, u"Généalogie de ma famille"_s));
    m_eTexte2 = edit(1, "eTexte2", u"Texte :"_s,
                     MLTextOu(8722, u"À ceux qui nous ont transmis leur nom|et à ceux qui le porteront après nous"_s));
    m_eTexte3 = edit(2, "eTexte3", u"Signature :"_s, MLTextOu(8723, u"Avec toute notre affection"_s));
    m_button1 = new QPushButton(u"Rafraichir"_s, m_pPersonnalise);
    m_button1->setObjectName(u"Button1"_s);
    grille->addWidget(m_button1, 0, 2, 3, 1, Qt::AlignRight | Qt::AlignVCenter);
    grille->setColumnStretch(1, 1);
    connect(m_button1, &QPushButton::clicked, this, &TfmGenePrint::Button1Click);
    droite->addWidget(m_pPersonnalise);

    // Where the last picture or PDF file went.
    m_lStatut = new QLabel(this);
    m_lStatut->setObjectName(u"lStatut"_s);
    m_lStatut->setContentsMargins(6, 2, 6, 2);
    m_lStatut->setTextInteractionFlags(Qt::TextSelectableByMouse);
    principale->addWidget(m_lStatut);
}

TfmGenePrint::~TfmGenePrint() = default;

QToolButton *TfmGenePrint::Bouton(const char *nom, const QString &texte, int glyphe)
{
    auto *b = new QToolButton(m_panel1);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setToolTip(texte);
    b->setAutoRaise(true);
    b->setFixedSize(96, 64);
    b->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(glyphe)));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_panel1->layout()->addWidget(b);
    return b;
}

QString TfmGenePrint::ResoutNom(const QString &nom) const
{
    return ResoutNomImpression(nom, m_dossiers.Images, FichierCourant);
}

bool TfmGenePrint::Prepare()
{
    if (!m_dossiers.Skin.isEmpty() && !m_barre) {
        m_panel1->hide();
        m_barre = new TxiloMenuBarre(this);
        static_cast<QVBoxLayout *>(layout())->insertWidget(0, m_barre);
        m_barre->LoadSkin(m_dossiers.Skin + u"skin.txt"_s, u"skin2"_s);
        QToolButton *modele = m_barre->AddButton(u"btn21"_s, u"Modèle"_s, [this] { sbModeleClick(); });
        QToolButton *personnalise =
            m_barre->AddButton(u"btn22"_s, u"Personnaliser"_s, [this] { sbPersonnaliseClick(); });
        m_barre->AddButton(u"btn23"_s, u"Enregistrer"_s, [this] { sbEnregistrerClick(); });
        m_barre->AddButton(u"btn24"_s, u"Imprimer"_s, [this] { sbPrintClick(); });
        m_barre->AddButton(u"btn25"_s, u"Retour"_s, [this] { close(); });
        modele->setCheckable(true);
        personnalise->setCheckable(true);
        m_sbModele = modele;
        m_sbPersonnalise = personnalise;
        for (QWidget *panneau : {m_pModele, m_panel2}) {
            QPalette p = panneau->palette();
            p.setColor(QPalette::Window, m_barre->Couleur());
            p.setColor(QPalette::WindowText, m_barre->CouleurTexte());
            panneau->setPalette(p);
            panneau->setAutoFillBackground(true);
        }
        m_choix->setPalette(m_pModele->palette());
    }

    m_cbFolder->blockSignals(true);
    m_cbFolder->clear();
    QStringList dossiers;
    ListSubFolders(dossiers, m_dossiers.Modeles, false);
    for (qsizetype i = 1; i < dossiers.size(); ++i)
        m_cbFolder->addItem(QFileInfo(dossiers[i].chopped(1)).fileName());
    if (!m_dossiers.ModelesUser.isEmpty())
        m_cbFolder->insertItem(0, Softprint);
    m_cbFolder->setCurrentIndex(-1);
    m_cbFolder->blockSignals(false);
    connect(m_cbFolder, &QComboBox::currentIndexChanged, this, &TfmGenePrint::cbFolderChange, Qt::UniqueConnection);
    if (m_cbFolder->count() == 0) {
        AppMessageBox(MLTextOu(8711, u"Not found : path_modele_print=%1"_s).arg(m_dossiers.Modeles), MsgErreur,
                      BoutonsOk);
        return false;
    }

    m_pModele->hide();
    sbModeleClick();
    if (m_choix->Count() > 0)
        ApplyModel(m_choix->Modeles().first());
    else
        AppMessageBox(MLTextOu(8712, u"Aucun modèle"_s), MsgInformation, BoutonsOk);
    return true;
}

void TfmGenePrint::MajBoutons()
{
    m_sbModele->setChecked(m_pModele->isVisibleTo(this));
    m_sbPersonnalise->setChecked(m_pPersonnalise->isVisibleTo(this));
}

void TfmGenePrint::sbModeleClick()
{
    m_pModele->setVisible(!m_pModele->isVisibleTo(this));
    if (m_cbFolder->currentIndex() < 0 && m_cbFolder->count() > 0)
        m_cbFolder->setCurrentIndex(0); // loads it
    MajBoutons();
}

void TfmGenePrint::sbPersonnaliseClick()
{
    m_pPersonnalise->setVisible(!m_pPersonnalise->isVisibleTo(this));
    MajBoutons();
}

void TfmGenePrint::cbFolderChange()
{
    const QString entree = m_cbFolder->currentText();
    if (m_cbFolder->currentIndex() < 0)
        return;
    m_dossierCharge = entree == Softprint && !m_dossiers.ModelesUser.isEmpty() ? m_dossiers.ModelesUser
                                                                                : m_dossiers.Modeles + entree + u'/';
    m_choix->LoadFolder(m_dossierCharge);
}

bool TfmGenePrint::eventFilter(QObject *objet, QEvent *evenement)
{
    if (objet == m_cbFolder && evenement->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent *>(evenement)->key() == Qt::Key_F5) {
            RefaitApercus();
            return true;
        }
        // Any other key reloads the category once the list has handled it,
        // so that models added to the folder meanwhile show.
        QTimer::singleShot(0, this, &TfmGenePrint::cbFolderChange);
    }
    return QWidget::eventFilter(objet, evenement);
}

void TfmGenePrint::RefaitApercus()
{
    // Every preview of the category drawn again as the window fills it,
    // then the category shown again with them.
    const QStringList modeles = m_choix->Modeles();
    for (const QString &modele : modeles) {
        if (ApplyModel(modele))
            m_choix->EcritApercu(m_cad->Modele(), modele, TailleApercuRefait, TailleApercuRefait, CouleurNoire);
    }
    cbFolderChange();
}

bool TfmGenePrint::ApplyModel(const QString &fichier)
{
    if (!QFileInfo(fichier).isFile()) {
        AppMessageBox(MLTextOu(8713, u"Not found : %1"_s).arg(fichier), MsgErreur, BoutonsOk);
        return false;
    }
    const TCurseurAttente sablier;
    m_personne = RefPers;
    m_modeleCourant = fichier;
    TxiloCADMdl &m = m_cad->Modele();
    QString erreur;
    const bool lu = m.LoadFromFile(fichier, &erreur);
    if (!lu || !m.PageValide()) {
        // Nothing of the design shown before stays on screen: the page is
        // empty, and what is saved or printed is nothing of it either.
        m.ClearObjects();
        m.SetLarge(0);
        m.SetHaut(0);
        m_cad->Redraw();
        AppMessageBox(lu ? MLTextOu(9200, u"Le modèle %1 ne peut pas être utilisé : sa page n'a pas de taille "
                                          u"valide."_s)
                               .arg(fichier)
                         : MLTextOu(8720, u"Le modèle %1 n'a pas pu être lu : %2"_s).arg(fichier, erreur),
                      MsgErreur, BoutonsOk);
        return false;
    }
    const QString textes[] = {m_eTexte1->text(), m_eTexte2->text(), m_eTexte3->text()};
    for (int i = 0; i < m.Count(); ++i) {
        TxiloCADObj &objet = m.Objet(i);
        if (auto *image = dynamic_cast<TxiloCADImage *>(&objet)) {
            if (!image->Code().isEmpty())
                image->SetFichierImage(ExpandTemplate(m_bd, m_personne, image->Code()));
        } else if (auto *texteObjet = dynamic_cast<TxiloCADTexte *>(&objet)) {
            const QString source = texteObjet->TexteSource().toLower();
            QString valeur;
            if (source == u"<texte1>"_s)
                valeur = textes[0];
            else if (source == u"<texte2>"_s)
                valeur = textes[1];
            else if (source == u"<texte3>"_s)
                valeur = textes[2];
            else
                valeur = TextePersonne(texteObjet->TexteSource());
            texteObjet->SetText(valeur);
        }
    }
    m_cad->RequestRedraw();
    return true;
}

QString TfmGenePrint::TextePersonne(const QString &modele) const
{
    // A "|" breaks the lines of a design's text; one in the person's data
    // (the names of two records merged, "BERNARD | FOURNIER") is not a line
    // break: taken as one, it would break the name apart and push its end
    // out of the design. Each line of the model is filled on its own.
    QStringList lignes = modele.split(TxiloCADTexte::SeparateurLignes);
    for (QString &ligne : lignes)
        ligne = ExpandTemplate(m_bd, m_personne, ligne).replace(TxiloCADTexte::SeparateurLignes, u'/');
    return lignes.join(TxiloCADTexte::SeparateurLignes);
}

void TfmGenePrint::Button1Click()
{
    if (!m_modeleCourant.isEmpty())
        ApplyModel(m_modeleCourant);
}

void TfmGenePrint::sbEnregistrerClick()
{
    TxiloCADMdl &m = m_cad->Modele();
    // The picture's size comes from the model file: checked before the
    // user is asked anything, and before any bitmap is made.
    const qint64 w = m.PageValide() ? qint64(Round(m.Large() * PixelsParMm)) : 0;
    const qint64 h = m.PageValide() ? qint64(Round(m.Haut() * PixelsParMm)) : 0;
    if (w < 1 || h < 1) {
        AppMessageBox(MLTextOu(8717, u"La page de ce modèle n'a pas de taille valide : elle ne peut pas être "
                                  u"enregistrée en image."_s),
                      MsgErreur, BoutonsOk);
        return;
    }
    if (w > CoteMaxBitmap || h > CoteMaxBitmap || w * h > PixelsMaxImage) {
        AppMessageBox(MLTextOu(8716, u"Cette page de %1 x %2 mm est trop grande pour être enregistrée en image : "
                                  u"à %3 pixels par millimètre, une image a au plus %4 pixels de côté et "
                                  u"%5 millions de pixels."_s)
                          .arg(QString::number(m.Large()), QString::number(m.Haut()),
                               QString::number(PixelsParMm), QString::number(CoteMaxBitmap),
                               QString::number(PixelsMaxImage / 1000000)),
                      MsgErreur, BoutonsOk);
        return;
    }

    const std::vector<TFormatImage> &formats = FormatsImage();
    QStringList filtres;
    for (const TFormatImage &f : formats)
        filtres << f.Filtre;
    int choisi = 0;
    QString fichier = Dialogues().FichierAEnregistrerType(MLTextOu(8714, u"Enregistrer l'image"_s),
                                                          ShellFolder(u"My Pictures"_s), filtres.join(u";;"_s),
                                                          &choisi);
    if (fichier.isEmpty())
        return;
    // A name with the extension of one of the formats is written in that
    // format; any other takes the filter's, and its extension.
    const TFormatImage *format = nullptr;
    for (const TFormatImage &f : formats) {
        if (fichier.endsWith(f.Extension, Qt::CaseInsensitive))
            format = &f;
    }
    if (!format) {
        format = &formats[size_t(std::clamp(choisi, 0, int(formats.size()) - 1))];
        fichier += format->Extension;
    }

    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QString erreur;
    bool ok;
    {
        const TCurseurAttente sablier;
        ok = format->Ecrit(m, fichier, int(w), int(h), &erreur);
    }
    m_lStatut->setText(ok ? MLTextOu(9201, u"Image enregistrée dans %1"_s).arg(QDir::toNativeSeparators(fichier))
                          : QString());
    if (!ok) {
        Signale(MLTextOu(8715, u"L'image n'a pas été enregistrée dans %1. %2"_s)
                    .arg(fichier, erreur.isEmpty() ? MLTextOu(8724, u"Le dossier n'accepte peut-être pas "
                                                                 u"d'écriture, ou le disque est plein."_s)
                                                   : Phrase(erreur))
                    .trimmed(),
                MsgErreur);
    }
    m_cad->RequestRedraw();
}

QPrinter &TfmGenePrint::Imprimante()
{
    if (!m_imprimante)
        m_imprimante = CreeImprimante();
    return *m_imprimante;
}

void TfmGenePrint::sbPrintClick()
{
    QPrinter &imprimante = Imprimante();
    if (imprimante.outputFormat() == QPrinter::PdfFormat) {
        const QString base =
            m_modeleCourant.isEmpty() ? u"impression"_s : QFileInfo(m_modeleCourant).completeBaseName();
        if (!DemandeFichierPdf(imprimante, MLTextOu(8718, u"Imprimer le modèle dans un fichier PDF"_s),
                               DossierGenealogie + base + u".pdf"_s))
            return;
    } else if (!Dialogues().DialogueImpression(imprimante, 1, 1)) {
        return;
    }
    imprimante.setDocName(u"Lignée"_s);
    QString erreur;
    bool ok;
    {
        const TCurseurAttente sablier;
        ok = ImprimeModele(m_cad->Modele(), imprimante, &erreur);
    }
    const QString pdf = imprimante.outputFormat() == QPrinter::PdfFormat ? imprimante.outputFileName() : QString();
    m_lStatut->setText(ok && !pdf.isEmpty()
                           ? MLTextOu(9202, u"Modèle imprimé dans le fichier %1"_s).arg(QDir::toNativeSeparators(pdf))
                           : QString());
    if (!ok)
        Signale(MLTextOu(8719, u"Le modèle n'a pas pu être imprimé : %1"_s).arg(erreur), MsgErreur);
}

void TfmGenePrint::Signale(const QString &texte, int genre)
{
    // The save or print dialog that has just closed leaves no window of the
    // program active until the window system gives the focus back: the
    // message would open over the main window, which would then cover this
    // one. It belongs to this window.
    if (isVisible() && !QApplication::activeModalWidget() && QApplication::activeWindow() != this) {
        activateWindow();
        QApplication::setActiveWindow(this);
    }
    AppMessageBox(texte, genre, BoutonsOk);
}

bool ShowGenePrint(QWidget *owner, const TBD &bd, const TDossiersGenePrint &dossiers)
{
    auto *fenetre = new TfmGenePrint(bd, dossiers, owner);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    if (!fenetre->Prepare()) {
        delete fenetre;
        return false;
    }
    fenetre->showMaximized();
    return true;
}

TDossiersGenePrint DossiersGenePrint()
{
    TDossiersGenePrint d{DossierImpressionSkin, DossierImpressionModeles, DossierImpressionImages, QString()};
    QStringList modelesUser;
    ListFiles(modelesUser, DossierImpressionModelesUser, u".mdl"_s, false);
    if (!modelesUser.isEmpty())
        d.ModelesUser = DossierImpressionModelesUser;
    return d;
}

QAction *AjouteCommandeGenePrint(QMenu *menu, const TBD &bd, QWidget *fenetre)
{
    QAction *action = menu->addAction(u"Impression artistique..."_s);
    action->setObjectName(u"MI_GenePrint"_s);
    QObject::connect(action, &QAction::triggered, fenetre, [&bd, fenetre] {
        if (auto *ouverte = fenetre->findChild<TfmGenePrint *>(QString(), Qt::FindDirectChildrenOnly)) {
            ouverte->showMaximized();
            ouverte->raise();
            ouverte->activateWindow();
            return;
        }
        ShowGenePrint(fenetre, bd, DossiersGenePrint());
    });
    return action;
}
