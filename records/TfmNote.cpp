#include "TfmNote.h"

#include <algorithm>

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "Dialogues.h"
#include "Fichiers.h"
#include "Langue.h"

using namespace Qt::StringLiterals;

namespace {

QString messageEchecSauvegarde()
{
    return MLTextOu(5040, u"Le texte n'a pas pu être enregistré dans %1 : %2. "
                       "Le fichier existant n'a pas été modifié."_s);
}

QString messageEchecImpression()
{
    return MLTextOu(5041, u"Le texte n'a pas pu être imprimé (%1)."_s);
}

QPushButton *bouton(const QString &nom, const QString &libelle)
{
    auto *b = new QPushButton(libelle);
    b->setObjectName(nom);
    // Enter belongs to the editor (a new line), never to a button.
    b->setAutoDefault(false);
    return b;
}

// Writes the lines, each followed by a line break in the system's
// convention, replacing the file only once everything is written.
bool ecritLignes(const QString &chemin, const QStringList &lignes, QString *erreur)
{
    QByteArray octets;
    for (const QString &ligne : lignes)
        octets += ligne.toUtf8() + '\n';
    return EcritFichierEntier(chemin, octets.constData(), octets.size(), erreur);
}

// The text laid out in pages of the printer's printable area, measured in
// the printer's own resolution so that the font keeps its size on paper.
void metEnPage(QTextDocument &document, QPrinter &imprimante)
{
    document.documentLayout()->setPaintDevice(&imprimante);
    document.setDocumentMargin(0);
    document.setPageSize(imprimante.pageRect(QPrinter::DevicePixel).size());
}

bool imprimePages(QTextDocument &document, QPrinter &imprimante)
{
    metEnPage(document, imprimante);
    const int nombre = document.pageCount();
    int premiere = 1;
    int derniere = nombre;
    if (imprimante.printRange() == QPrinter::PageRange && imprimante.fromPage() > 0) {
        premiere = std::max(premiere, imprimante.fromPage());
        derniere = std::min(derniere, std::max(imprimante.toPage(), premiere));
    }
    if (premiere > derniere)
        return true; // the pages asked for hold no text

    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return false;
    const QSizeF page = document.pageSize();
    for (int i = premiere; i <= derniere; ++i) {
        if (i > premiere && !imprimante.newPage()) {
            peintre.end();
            return false;
        }
        const QRectF zone(0, (i - 1) * page.height(), page.width(), page.height());
        peintre.save();
        peintre.translate(0, -zone.top());
        document.drawContents(&peintre, zone);
        peintre.restore();
    }
    peintre.end();
    return imprimante.printerState() != QPrinter::Error;
}

} // namespace

TfmNote::TfmNote(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmNote"_s);
    setWindowTitle(u"Édition de texte"_s);
    setModal(true);
    resize(640, 480);

    m_m = new QPlainTextEdit;
    m_m->setObjectName(u"m"_s);
    m_m->setFrameShape(QFrame::NoFrame);
    m_m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_bOk = bouton(u"Button1"_s, u"&Ok"_s);
    m_bAnnuler = bouton(u"Button2"_s, u"&Annuler"_s);
    m_sbSauve = bouton(u"sbSauve"_s, u"&Sauver..."_s);
    m_sbImprime = bouton(u"sbImprime"_s, u"&Imprimer"_s);
    connect(m_bOk, &QPushButton::clicked, this, &TfmNote::accept);
    connect(m_bAnnuler, &QPushButton::clicked, this, &TfmNote::reject);
    connect(m_sbSauve, &QPushButton::clicked, this, &TfmNote::sbSauveClick);
    connect(m_sbImprime, &QPushButton::clicked, this, &TfmNote::sbImprimeClick);

    auto *panel = new QWidget;
    panel->setObjectName(u"Panel1"_s);
    auto *boutons = new QHBoxLayout(panel);
    boutons->addWidget(m_sbSauve);
    boutons->addWidget(m_sbImprime);
    boutons->addStretch();
    boutons->addWidget(m_bOk);
    boutons->addWidget(m_bAnnuler);

    auto *vbox = new QVBoxLayout(this);
    vbox->setContentsMargins(0, 0, 0, 0);
    vbox->setSpacing(0);
    vbox->addWidget(m_m, 1);
    vbox->addWidget(panel);

    MLTranslateForm(this);
}

TfmNote::~TfmNote() = default;

void TfmNote::SetLignes(const QStringList &lignes)
{
    m_m->setPlainText(lignes.join(u'\n'));
}

QStringList TfmNote::Lignes() const
{
    const QString t = m_m->toPlainText();
    if (t.isEmpty())
        return {};
    return t.split(u'\n');
}

QPrinter &TfmNote::Imprimante()
{
    if (!m_imprimante)
        m_imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_imprimante;
}

void TfmNote::sbSauveClick()
{
    QString chemin = Dialogues().FichierAEnregistrer(MLTextOu(5042, u"Enregistrer le texte sous"_s),
                                                     QString(), MLTextOu(5043, u"Texte (*.txt)"_s));
    if (chemin.isEmpty())
        return;
    if (QFileInfo(chemin).suffix().isEmpty())
        chemin += u".txt"_s;
    QString erreur;
    if (!ecritLignes(chemin, Lignes(), &erreur))
        AppMessageBox(messageEchecSauvegarde().arg(chemin, erreur), MsgErreur, BoutonsOk);
}

void TfmNote::sbImprimeClick()
{
    QPrinter &imprimante = Imprimante();
    imprimante.setDocName(QString());
    QTextDocument document;
    document.setDefaultFont(m_m->font());
    document.setPlainText(m_m->toPlainText());
    metEnPage(document, imprimante);
    if (!Dialogues().DialogueImpression(imprimante, 1, document.pageCount()))
        return;
    // The dialog may have changed the paper or the printer: lay out again.
    if (!imprimePages(document, imprimante)) {
        const QString destination = imprimante.outputFileName().isEmpty()
            ? imprimante.printerName() : imprimante.outputFileName();
        AppMessageBox(messageEchecImpression().arg(destination), MsgErreur, BoutonsOk);
    }
}

bool EditeNote(QWidget *parent, QStringList &lignes)
{
    // Held by a guarded pointer: a parent closed while the editor is shown
    // deletes it, and the edit then counts as cancelled.
    QPointer<TfmNote> fiche = new TfmNote(parent);
    fiche->SetLignes(lignes);
    const bool accepte = fiche->exec() == QDialog::Accepted && fiche;
    if (accepte)
        lignes = fiche->Lignes();
    delete fiche;
    return accepte;
}
