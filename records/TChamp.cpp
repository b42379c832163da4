#include "TChamp.h"

#include <algorithm>

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

#include "TfmChampAjoute.h"

using namespace Qt::StringLiterals;

namespace {

// Vertical gap between two rows, in pixels.
constexpr int kEcart = 6;
// Index of its entry in the table, carried by each editor.
constexpr const char *kProprieteEntree = "entree";

// A line edit runs its validator on every change, typed, pasted or set by a
// program, and takes the text the validator returns: the "|" never reaches
// the text, and the undo history stays whole.
class TValideurSansSeparateur final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &texte, int &) const override
    {
        if (texte.contains(u'|'))
            texte = SansSeparateur(texte);
        return Acceptable;
    }
};

void RetireSeparateurs(QPlainTextEdit *editeur)
{
    QTextDocument *doc = editeur->document();
    QTextCursor c = doc->find(u"|"_s);
    if (c.isNull())
        return;
    QTextCursor bloc(doc);
    bloc.beginEditBlock();
    while (!c.isNull()) {
        c.insertText(u" "_s);
        c = doc->find(u"|"_s, c);
    }
    bloc.endEditBlock();
}

bool SorteAvecLigne(const QString &sorte)
{
    return sorte == u"t" || sorte == u"m" || sorte == u"d" || sorte == u"l" || sorte == u"r";
}

} // namespace

// ---- TRButton ----------------------------------------------------------------

TRButton::TRButton(QWidget *parent)
    : QWidget(parent)
    , m_groupe(new QButtonGroup(this))
{
    auto *disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char16_t *Nom;
        const char16_t *Titre;
        TOuiNon Choix;
    } boutons[] = {
        {u"rbOui", u"Oui", TOuiNon::Oui},
        {u"rbNon", u"Non", TOuiNon::Non},
        {u"rbNul", u"Nul", TOuiNon::Nul},
    };
    for (const auto &b : boutons) {
        auto *radio = new QRadioButton(QString::fromUtf16(b.Titre), this);
        radio->setObjectName(QString::fromUtf16(b.Nom));
        m_groupe->addButton(radio, static_cast<int>(b.Choix));
        disposition->addWidget(radio);
    }
    disposition->addStretch(1);
    Coche(TOuiNon::Nul);
    connect(m_groupe, &QButtonGroup::idClicked, this, &TRButton::Clique);
}

QString TRButton::Valeur() const
{
    return m_valeur;
}

void TRButton::SetValeur(const QString &valeur)
{
    m_valeur = valeur;
    Coche(LitOuiNon(valeur));
}

void TRButton::Coche(TOuiNon choix)
{
    // An exclusive group refuses to clear its checked button, and an unknown
    // value must show no choice at all.
    m_groupe->setExclusive(false);
    for (QAbstractButton *b : m_groupe->buttons())
        b->setChecked(m_groupe->id(b) == static_cast<int>(choix));
    m_groupe->setExclusive(true);
}

void TRButton::Clique(int id)
{
    const QString valeur = TexteOuiNon(static_cast<TOuiNon>(id));
    if (valeur == m_valeur)
        return;
    m_valeur = valeur;
    emit Change();
}

// ---- TChamp ------------------------------------------------------------------

TChamp::TChamp(QWidget *parent)
    : QScrollArea(parent)
    , m_fm(new TfmChampAjoute(this))
    , m_principal(new QSplitter(Qt::Horizontal))
    , m_libelles(new QWidget)
    , m_editeurs(new QWidget)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    resize(160, 80);

    m_principal->setObjectName(u"pPrincipal"_s);
    m_libelles->setObjectName(u"pLibelles"_s);
    m_editeurs->setObjectName(u"pEditeurs"_s);
    m_principal->addWidget(m_libelles);
    m_principal->addWidget(m_editeurs);
    m_principal->setChildrenCollapsible(false);
    // The label column keeps its width when the control is resized.
    m_principal->setStretchFactor(0, 0);
    m_principal->setStretchFactor(1, 1);
    m_principal->setFixedHeight(0);
    setWidget(m_principal);

    m_principal->installEventFilter(this);
    m_libelles->installEventFilter(this);
    m_editeurs->installEventFilter(this);
    connect(m_principal, &QSplitter::splitterMoved, this, [this] {
        m_split = m_principal->sizes().value(0);
    });
}

TChamp::~TChamp()
{
    // The editors are children and die with the control; their signals must
    // not reach a half-destroyed control on the way.
    for (const TLigne &l : m_lignes) {
        l.Editeur->removeEventFilter(this);
        disconnect(l.Editeur, nullptr, this, nullptr);
    }
}

QString TChamp::Champ() const
{
    return AssembleChamps(m_entrees);
}

void TChamp::SetChamp(const QString &texte)
{
    VideLignes();
    m_entrees = FusionneChamps(m_definitions, texte);
    ConstruitLignes();
}

QString TChamp::ChampDef() const
{
    return m_definitions;
}

void TChamp::SetChampDef(const QString &definitions)
{
    m_definitions = definitions;
}

int TChamp::Split() const
{
    return m_split;
}

void TChamp::SetSplit(int largeur)
{
    m_split = std::max(0, largeur);
    AppliqueSplit();
}

int TChamp::Hauteur() const
{
    return m_hauteur;
}

const TTableChamps &TChamp::Entrees() const
{
    return m_entrees;
}

QWidget *TChamp::AjouteEntree(const QString &sorte, const QString &libelle)
{
    m_entrees.push_back({sorte, SansSeparateur(libelle), QString()});
    if (m_lignes.size() >= static_cast<size_t>(MaxLignes) || !AjouteLigne(m_entrees.size() - 1))
        return nullptr;
    Dispose();
    return m_lignes.back().Editeur;
}

TfmChampAjoute *TChamp::DialogueAjout() const
{
    return m_fm;
}

bool TChamp::AjouteChamp()
{
    if (m_fm->exec() != QDialog::Accepted)
        return false;
    AjouteEntree(m_fm->Sorte(), m_fm->Libelle());
    return true;
}

void TChamp::VideLignes()
{
    // This may run inside a signal of one of these editors (a slot that
    // refills the control): they are detached now and deleted once control
    // returns to the event loop.
    for (const TLigne &l : m_lignes) {
        for (QWidget *w : {static_cast<QWidget *>(l.Libelle), l.Editeur}) {
            w->removeEventFilter(this);
            disconnect(w, nullptr, this, nullptr);
            w->hide();
            w->setParent(nullptr);
            w->deleteLater();
        }
    }
    m_lignes.clear();
    m_hauteur = 0;
    m_principal->setFixedHeight(0);
}

void TChamp::ConstruitLignes()
{
    for (size_t i = 0; i < m_entrees.size() && m_lignes.size() < static_cast<size_t>(MaxLignes); ++i)
        AjouteLigne(i);
    Dispose();
}

bool TChamp::AjouteLigne(size_t i)
{
    if (!SorteAvecLigne(m_entrees[i].Sorte))
        return false;
    TLigne ligne;
    ligne.Entree = i;
    ligne.Y = m_lignes.empty() ? 0 : m_lignes.back().Y + m_lignes.back().H + kEcart;

    ligne.Libelle = new QLabel(m_libelles);
    ligne.Libelle->setObjectName(u"L_Champ%1"_s.arg(i + 1));
    // A label is the user's text, never markup.
    ligne.Libelle->setTextFormat(Qt::PlainText);
    ligne.Libelle->setText(m_entrees[i].Libelle);

    {
        const QScopedValueRollback remplissage(m_remplissage, true);
        ligne.Editeur = CreeEditeur(i, ligne.H);
    }

    m_hauteur = ligne.Y + ligne.H;
    m_principal->setFixedHeight(m_hauteur);
    ligne.Libelle->show();
    ligne.Editeur->show();
    m_lignes.push_back(ligne);
    return true;
}

QWidget *TChamp::CreeEditeur(size_t i, int &hauteur)
{
    const TEntreeChamp &e = m_entrees[i];
    QWidget *editeur = nullptr;
    if (e.Sorte == u"m") {
        auto *m = new QPlainTextEdit(m_editeurs);
        m->setFrameShape(QFrame::NoFrame);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QString lignes = e.Valeur;
        lignes.replace(u"\r\n"_s, u"\n"_s);
        m->setPlainText(lignes);
        hauteur = std::max(52, m->fontMetrics().lineSpacing() * 3 + 10);
        connect(m, &QPlainTextEdit::textChanged, this, [this, m, i] {
            if (m_remplissage)
                return;
            {
                const QScopedValueRollback remplissage(m_remplissage, true);
                RetireSeparateurs(m);
            }
            EditeurModifie(i, m);
        });
        editeur = m;
    } else if (e.Sorte == u"r") {
        auto *r = new TRButton(m_editeurs);
        r->SetValeur(e.Valeur);
        hauteur = r->sizeHint().height();
        connect(r, &TRButton::Change, this, [this, r, i] { EditeurModifie(i, r); });
        editeur = r;
    } else {
        auto *t = new QLineEdit(m_editeurs);
        t->setFrame(false);
        t->setValidator(new TValideurSansSeparateur(t));
        t->setText(e.Valeur);
        t->setCursorPosition(0);
        hauteur = t->sizeHint().height();
        // textChanged rather than textEdited: a date or place helper that
        // writes into the editor changes the field as typing would.
        connect(t, &QLineEdit::textChanged, this, [this, t, i] {
            if (!m_remplissage)
                EditeurModifie(i, t);
        });
        t->installEventFilter(this);
        editeur = t;
    }
    editeur->setObjectName(u"E_Champ%1"_s.arg(i + 1));
    editeur->setProperty(kProprieteEntree, static_cast<qulonglong>(i));
    return editeur;
}

void TChamp::Dispose()
{
    const int largeurLibelles = m_libelles->width();
    const int largeurEditeurs = m_editeurs->width();
    for (const TLigne &l : m_lignes) {
        const QSize taille = l.Libelle->sizeHint();
        const int largeur = std::min(taille.width(), largeurLibelles);
        l.Libelle->setGeometry(std::max(0, (largeurLibelles - largeur) / 2),
                               l.Y + (l.H - taille.height()) / 2, largeur, taille.height());
        l.Editeur->setGeometry(0, l.Y, largeurEditeurs, l.H);
    }
}

void TChamp::AppliqueSplit()
{
    const int total = m_principal->width() - m_principal->handleWidth();
    if (total <= 0)
        return;
    const int gauche = std::min(m_split, total);
    m_principal->setSizes({gauche, total - gauche});
}

void TChamp::EditeurModifie(size_t i, QWidget *editeur)
{
    if (i >= m_entrees.size())
        return;
    TEntreeChamp &e = m_entrees[i];
    // Only the changed editor is read back: the others keep their entry's
    // value exactly as it was read.
    if (auto *t = qobject_cast<QLineEdit *>(editeur))
        e.Valeur = SansSeparateur(t->text());
    else if (auto *m = qobject_cast<QPlainTextEdit *>(editeur))
        e.Valeur = SansSeparateur(ValeurMultiligne(m->toPlainText()));
    else if (auto *r = qobject_cast<TRButton *>(editeur))
        e.Valeur = r->Valeur();
    // A slot may refill the control: the entry is copied before emitting.
    const TEntreeChamp copie = e;
    emit EditeurChange(editeur, copie.Sorte, copie.Libelle, copie.Valeur);
    emit ChampChange(Champ());
}

bool TChamp::eventFilter(QObject *objet, QEvent *evenement)
{
    const QEvent::Type type = evenement->type();
    if (type == QEvent::Resize) {
        if (objet == m_principal)
            AppliqueSplit();
        else if (objet == m_libelles || objet == m_editeurs)
            Dispose();
        return QScrollArea::eventFilter(objet, evenement);
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::FocusOut)
        return QScrollArea::eventFilter(objet, evenement);
    auto *editeur = qobject_cast<QLineEdit *>(objet);
    bool ok = false;
    const size_t i = editeur ? editeur->property(kProprieteEntree).toULongLong(&ok) : 0;
    if (!ok || i >= m_entrees.size())
        return QScrollArea::eventFilter(objet, evenement);
    const TEntreeChamp e = m_entrees[i];
    if (type == QEvent::FocusOut) {
        if (e.Sorte == u"d")
            emit DateExit(editeur);
        else if (e.Sorte == u"l")
            emit LieuExit(editeur);
    } else {
        const int touche = static_cast<QKeyEvent *>(evenement)->key();
        if (type == QEvent::KeyPress) {
            m_avalee = false;
            emit ChampKeyDown(editeur, touche, e.Sorte, e.Libelle, e.Valeur);
            if (m_avalee)
                return true;
        } else {
            emit ChampKeyUp(editeur, touche, e.Sorte, e.Libelle, e.Valeur);
        }
    }
    return QScrollArea::eventFilter(objet, evenement);
}
