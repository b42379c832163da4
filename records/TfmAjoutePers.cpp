#include "TfmAjoutePers.h"

#include "BD.h"
#include "Langue.h"
#include "Options.h"
#include "Textes.h"
#include "TfmFiche.h"
#include "TfmListe.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int TexteHomme = 101;
constexpr int TexteFemme = 102;

} // namespace

TfmAjoutePers::TfmAjoutePers(TBD &bd, THoteFiche &hote, TfmListe *liste, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_bd(bd), m_hote(hote),
      m_liste(liste)
{
    setObjectName(QStringLiteral("fmAjoutePers"));

    auto *principal = new QVBoxLayout(this);
    auto *f = new QFormLayout;
    principal->addLayout(f);

    m_pSexe = new QFrame(this);
    m_pSexe->setObjectName(QStringLiteral("pSexe"));
    m_pSexe->setAutoFillBackground(true);
    m_pSexe->setFrameShape(QFrame::Panel);
    auto *ls = new QHBoxLayout(m_pSexe);
    ls->setContentsMargins(0, 0, 0, 0);
    m_sbSexe = new QToolButton(m_pSexe);
    m_sbSexe->setObjectName(QStringLiteral("sbSexe"));
    m_sbSexe->setAutoRaise(true);
    ls->addWidget(m_sbSexe, 1);
    m_lSexe = new QLabel(QStringLiteral("&Sexe"), this);
    m_lSexe->setObjectName(QStringLiteral("lSexe"));
    m_lSexe->setBuddy(m_sbSexe);
    f->addRow(m_lSexe, m_pSexe);

    m_nom = new QLineEdit(this);
    m_nom->setObjectName(QStringLiteral("eNom"));
    m_nom->setFrame(false);
    auto *lNom = new QLabel(QStringLiteral("&Nom"), this);
    lNom->setObjectName(QStringLiteral("lNom"));
    lNom->setBuddy(m_nom);
    f->addRow(lNom, m_nom);

    m_prenoms = new QLineEdit(this);
    m_prenoms->setObjectName(QStringLiteral("ePre"));
    m_prenoms->setFrame(false);
    m_prenoms->setToolTip(QStringLiteral("Le prénom usuel entre guillemets (\"), "
                                         "plusieurs prénoms séparés par une virgule ou un espace"));
    auto *lPre = new QLabel(QStringLiteral("&Prénoms"), this);
    lPre->setObjectName(QStringLiteral("lPre"));
    lPre->setBuddy(m_prenoms);
    f->addRow(lPre, m_prenoms);

    m_selec = new QCheckBox(QStringLiteral("Sélectionner cette personne maintenant"), this);
    m_selec->setObjectName(QStringLiteral("cbSelec"));
    m_selec->setChecked(true);
    principal->addWidget(m_selec);

    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setAutoDefault(false);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(ok);
    principal->addLayout(boutons);

    // textChanged rather than textEdited: a line taken from the completion
    // list is put in with setText and must be written too.
    connect(m_nom, &QLineEdit::textChanged, this, [this] { Change(m_nom); });
    connect(m_prenoms, &QLineEdit::textChanged, this, [this] { Change(m_prenoms); });
    connect(m_sbSexe, &QToolButton::clicked, this, &TfmAjoutePers::sbSexeClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    m_nom->installEventFilter(this);
    m_prenoms->installEventFilter(this);

    MLTranslateForm(this);
}

bool TfmAjoutePers::PersonneValide() const
{
    return m_personne > 0 && m_bd.PersonInUse(m_personne);
}

void TfmAjoutePers::Prepare(const QString &titre, int p, bool sexeChoisi)
{
    m_remplissage = true;
    m_personne = p;
    setWindowTitle(titre);
    m_sbSexe->setEnabled(sexeChoisi);
    m_lSexe->setEnabled(sexeChoisi);
    AfficheSexe(m_bd.Sex(p) != SexeHomme ? SexeFemme : SexeHomme);
    // Filled in every language: text left from the last use would be
    // written to this person at the first keystroke.
    m_nom->setText(m_bd.Surname(p));
    m_prenoms->setText(m_bd.GivenNames(p));
    m_remplissage = false;
}

bool TfmAjoutePers::SaisieIdentite(const QString &titre, int p, bool sexeChoisi)
{
    Prepare(titre, p, sexeChoisi);
    exec();
    if (m_liste)
        m_liste->Ferme();
    return m_selec->isChecked();
}

void TfmAjoutePers::AfficheSexe(int sexe)
{
    const bool homme = sexe == SexeHomme;
    m_sbSexe->setText(MLText(homme ? TexteHomme : TexteFemme));
    QPalette pal = m_pSexe->palette();
    pal.setColor(QPalette::Window, m_hote.CouleurSexe(homme ? SexeHomme : SexeFemme));
    m_pSexe->setPalette(pal);
}

void TfmAjoutePers::Change(QLineEdit *edit)
{
    if (m_remplissage || !PersonneValide())
        return;
    const TOptions &o = Options();
    // Capitals as they are typed, the caret kept where it was.
    if (edit == m_nom && o.NomMaj) {
        const QString t = TfmFiche::FormateNom(m_nom->text());
        if (t != m_nom->text()) {
            const int curseur = m_nom->cursorPosition();
            m_remplissage = true;
            m_nom->setText(t);
            m_nom->setCursorPosition(curseur);
            m_remplissage = false;
        }
    }
    m_bd.SetSurname(m_personne, StripTrailingBlanks(m_nom->text()));
    m_bd.SetGivenNames(m_personne, StripTrailingBlanks(m_prenoms->text()));
    if (m_liste) {
        if (o.SaisieNom)
            m_liste->ListeNoms(edit, edit == m_nom ? PcNom : PcPrenoms, false);
        // The names just written may change what the list proposes.
        m_liste->Invalide();
    }
    m_hote.PersonneModifiee(m_personne);
}

void TfmAjoutePers::sbSexeClick()
{
    if (!PersonneValide())
        return;
    const int sexe = m_bd.Sex(m_personne) == SexeHomme ? SexeFemme : SexeHomme;
    m_bd.SetSex(m_personne, sexe);
    AfficheSexe(sexe);
    m_hote.PersonneModifiee(m_personne);
}

void TfmAjoutePers::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_nom->setFocus();
}

bool TfmAjoutePers::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::KeyPress && (objet == m_nom || objet == m_prenoms)) {
        auto *edit = static_cast<QLineEdit *>(objet);
        const int touche = static_cast<QKeyEvent *>(evenement)->key();
        if (touche == Qt::Key_F3) {
            if (m_liste)
                m_liste->ListeNoms(edit, edit == m_nom ? PcNom : PcPrenoms, true);
            return true;
        }
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            // Enter moves on, as in the record form, instead of closing.
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}
