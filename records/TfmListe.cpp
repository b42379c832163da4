#include "TfmListe.h"

#include <algorithm>
#include <numeric>

#include <QCollator>
#include <QCollatorSortKey>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QScreen>
#include <QSet>
#include <QStringListModel>
#include <QVBoxLayout>

#include "BD.h"
#include "Langue.h"
#include "Listes.h"
#include "Options.h"
#include "Voisinage.h"

namespace {

int partieLieuNormale(int item)
{
    return item >= 1 && item <= 5 ? item : 0;
}

// Part `item` (1 = country .. 5 = locality) of a place, as SplitPlace gives
// it. Cut out directly because splitting every place of a 50,000-event table
// into six strings at each keystroke costs more than the whole search.
QString partieLieu(const QString &lieu, int item)
{
    qsizetype debut = 0;
    for (int i = 1; i < item; ++i) {
        debut = lieu.indexOf(QLatin1Char(','), debut);
        if (debut < 0)
            return QString();
        ++debut;
    }
    qsizetype fin = lieu.indexOf(QLatin1Char(','), debut);
    if (fin < 0)
        fin = lieu.size();
    return QStringView(lieu).mid(debut, fin - debut).trimmed().toString();
}

// Calls f with the candidate of each record of the source in use, in table
// order, until f returns false.
template <typename F>
void parcourt(const TBD &bd, const TSourceSaisie &source, F &&f)
{
    switch (source.Genre) {
    case TGenreSaisie::Noms:
    case TGenreSaisie::Prenoms: {
        const bool noms = source.Genre == TGenreSaisie::Noms;
        for (int p = 1; p <= bd.PersonCount(); ++p) {
            if (!bd.PersonInUse(p))
                continue;
            const TFiche &fiche = bd.Fiche(p);
            if (!f(noms ? fiche.Nom : fiche.Prenoms))
                return;
        }
        return;
    }
    case TGenreSaisie::Lieux: {
        const int item = partieLieuNormale(source.PartieLieu);
        for (int e = 1; e <= bd.EventCount(); ++e) {
            if (!bd.EventInUse(e))
                continue;
            const QString &lieu = bd.Event(e).Lieu;
            if (lieu.isEmpty())
                continue;
            if (!f(item == 0 ? lieu : partieLieu(lieu, item)))
                return;
        }
        return;
    }
    case TGenreSaisie::Champ:
        for (int p = 1; p <= bd.PersonCount(); ++p) {
            if (p == source.Exclu || !bd.PersonInUse(p) || bd.Fiche(p).Champs.isEmpty())
                continue;
            if (!f(bd.GetAttribute(p, source.Libelle)))
                return;
        }
        return;
    }
}

bool proposable(const QString &valeur, const QString &saisi)
{
    return valeur.startsWith(saisi, Qt::CaseInsensitive)
           && valeur.compare(saisi, Qt::CaseInsensitive) != 0;
}

// Collation keys are computed once per value: comparing keys is far cheaper
// than collating the texts at every comparison of the sort. Texts that
// collate equal ("Dupont", "DUPONT") fall back to code order so that the
// list never depends on the order of discovery.
void trie(std::vector<QString> &valeurs)
{
    if (valeurs.size() < 2)
        return;
    const QCollator &c = CollationFrancaise();
    std::vector<QCollatorSortKey> cles;
    cles.reserve(valeurs.size());
    for (const QString &v : valeurs)
        cles.push_back(c.sortKey(v));
    std::vector<size_t> ordre(valeurs.size());
    std::iota(ordre.begin(), ordre.end(), size_t{0});
    std::sort(ordre.begin(), ordre.end(), [&](size_t a, size_t b) {
        const int k = cles[a].compare(cles[b]);
        return k != 0 ? k < 0 : valeurs[a] < valeurs[b];
    });
    std::vector<QString> triees;
    triees.reserve(valeurs.size());
    for (size_t i : ordre)
        triees.push_back(std::move(valeurs[i]));
    valeurs.swap(triees);
}

// The distinct candidates, sorted; empty when `maximum` matches were found.
// A hash set keeps the test for a value already taken constant-time: the
// candidates of "all" on a full person table number 100,000.
std::vector<QString> distinctes(const TBD &bd, const TSourceSaisie &source, const QString &saisi,
                                bool tout, int maximum)
{
    const qsizetype plafond = std::max(1, maximum);
    QSet<QString> vues;
    std::vector<QString> valeurs;
    bool plein = false;
    parcourt(bd, source, [&](const QString &valeur) {
        if (valeur.isEmpty() || (!tout && !proposable(valeur, saisi)))
            return true;
        const qsizetype avant = vues.size();
        vues.insert(valeur);
        if (vues.size() == avant)
            return true;
        valeurs.push_back(valeur);
        if (!tout && vues.size() >= plafond) {
            plein = true;
            return false;
        }
        return true;
    });
    if (plein)
        return {};
    trie(valeurs);
    return valeurs;
}

bool memeSource(const TSourceSaisie &a, const TSourceSaisie &b)
{
    if (a.Genre != b.Genre)
        return false;
    switch (a.Genre) {
    case TGenreSaisie::Lieux:
        return partieLieuNormale(a.PartieLieu) == partieLieuNormale(b.PartieLieu);
    case TGenreSaisie::Champ:
        return a.Exclu == b.Exclu && a.Libelle.compare(b.Libelle, Qt::CaseInsensitive) == 0;
    default:
        return true;
    }
}

bool toucheDeLaListe(int touche)
{
    switch (touche) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

constexpr int LignesVisibles = 12;
constexpr int LargeurMin = 160;

} // namespace

QStringList CandidatsSaisie(const TBD &bd, const TSourceSaisie &source, const QString &saisi,
                            bool tout, int maximum)
{
    const std::vector<QString> valeurs = distinctes(bd, source, saisi, tout, maximum);
    return QStringList(valeurs.begin(), valeurs.end());
}

TfmListe::TfmListe(TBD &bd, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , m_bd(bd)
{
    setObjectName(QStringLiteral("fmListe"));
    setWindowTitle(QStringLiteral("Aide à la saisie (F3 pour tout afficher)"));
    // The edit being typed in must keep the focus while the list shows.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    // A plain view over a string model, with lines of one height: "all" on a
    // large database fills it with 100,000 lines, which item widgets and a
    // per-line layout would take seconds to show.
    m_lignes = new QStringListModel(this);
    m_lbListe = new QListView(this);
    m_lbListe->setObjectName(QStringLiteral("lbListe"));
    m_lbListe->setModel(m_lignes);
    m_lbListe->setUniformItemSizes(true);
    m_lbListe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lbListe->setFrameShape(QFrame::NoFrame);
    m_lbListe->setFocusPolicy(Qt::NoFocus);
    m_lbListe->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette palette = m_lbListe->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 0));
    m_lbListe->setPalette(palette);
    m_lbListe->installEventFilter(this);
    connect(m_lbListe, &QAbstractItemView::pressed, this,
            [this](const QModelIndex &index) { lbListeMouseDown(index.row()); });

    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(m_lbListe);

    MLTranslateForm(this);
}

TfmListe::~TfmListe()
{
    if (m_edit)
        m_edit->removeEventFilter(this);
}

void TfmListe::ListeNoms(QLineEdit *edit, int code, bool tout)
{
    if (code != PcNom && code != PcPrenoms) {
        Ferme();
        return;
    }
    TSourceSaisie source;
    source.Genre = code == PcNom ? TGenreSaisie::Noms : TGenreSaisie::Prenoms;
    Remplit(edit, source, edit ? edit->text() : QString(), tout);
}

void TfmListe::ListeLieux(QLineEdit *edit, bool tout)
{
    TSourceSaisie source;
    source.Genre = TGenreSaisie::Lieux;
    source.PartieLieu = Options().SaisieLieu;
    Remplit(edit, source, edit ? edit->text() : QString(), tout);
}

void TfmListe::ListeChamp(QLineEdit *edit, const QString &libelle, const QString &saisi,
                          int personne, bool tout)
{
    TSourceSaisie source;
    source.Genre = TGenreSaisie::Champ;
    source.Libelle = libelle;
    source.Exclu = personne;
    Remplit(edit, source, saisi, tout);
}

void TfmListe::Ferme()
{
    hide();
}

void TfmListe::Invalide()
{
    for (Cache &c : m_caches) {
        c.Valide = false;
        c.Valeurs.clear();
    }
}

bool TfmListe::Ouverte() const
{
    return isVisible();
}

QLineEdit *TfmListe::Edit() const
{
    return m_edit.data();
}

void TfmListe::Remplit(QLineEdit *edit, const TSourceSaisie &source, QString saisi, bool tout)
{
    if (!edit) {
        Ferme();
        return;
    }
    // "Open" means open for this very edit: a list left showing another
    // field's values must not turn the first F3 here into "every value".
    const bool ouverte = isVisible() && m_edit == edit;
    Sert(edit);

    const bool demandeTout = tout;
    int maximum = std::max(1, Options().SaisieNomMax);
    if (ouverte) {
        maximum = SaisieIllimitee;
        if (tout)
            saisi.clear();
    } else if (tout) {
        tout = false;
        maximum = SaisieIllimitee;
    }
    Affiche(Valeurs(source, saisi, tout, maximum, demandeTout));
}

// The kept values serve every call until Invalide(). Without them, a call
// made while typing searches the database directly: it sorts only the few
// matches and stops at the maximum, so it stays cheap even when the owner
// invalidates at each keystroke. F3 keeps the sorted values, since the
// keystrokes that follow, without maximum, would otherwise sort every match
// again each time.
QStringList TfmListe::Valeurs(const TSourceSaisie &source, const QString &saisi, bool tout,
                              int maximum, bool garde)
{
    Cache &cache = m_caches[static_cast<size_t>(source.Genre)];
    const bool valide = cache.Valide && memeSource(cache.Source, source);
    if (!valide && !garde)
        return CandidatsSaisie(m_bd, source, saisi, tout, maximum);
    if (!valide) {
        cache.Source = source;
        cache.Valeurs = distinctes(m_bd, source, QString(), true, SaisieIllimitee);
        cache.Valide = true;
    }
    if (tout)
        return QStringList(cache.Valeurs.begin(), cache.Valeurs.end());
    QStringList candidats;
    for (const QString &valeur : cache.Valeurs) {
        if (!proposable(valeur, saisi))
            continue;
        candidats << valeur;
        if (candidats.size() >= maximum)
            return {};
    }
    return candidats;
}

void TfmListe::Sert(QLineEdit *edit)
{
    if (m_edit == edit) {
        // Installing again puts this filter first, ahead of any the owner
        // added since, so that the list's keys never reach the owner.
        edit->installEventFilter(this);
        return;
    }
    if (m_edit)
        m_edit->removeEventFilter(this);
    disconnect(m_finEdit);
    m_edit = edit;
    m_editFiltre = edit;
    edit->installEventFilter(this);
    m_finEdit = connect(edit, &QObject::destroyed, this, &TfmListe::Ferme);
}

void TfmListe::Affiche(const QStringList &candidats)
{
    const bool plusieurs = candidats.size() > 1;
    QString titre = MLText(plusieurs ? 642 : 7201);
    if (titre.isEmpty())
        titre = plusieurs ? QStringLiteral("%1 propositions (F3 pour tout afficher)")
                          : QStringLiteral("%1 proposition (F3 pour tout afficher)");
    setWindowTitle(titre.arg(candidats.size()));

    m_lignes->setStringList(candidats);
    SelectionneLigne(-1);
    if (candidats.isEmpty() || !m_edit) {
        hide();
        return;
    }

    Place();
    show();
    // The first time the window is shown, its frame is only guessed (from
    // the owner's, which may differ: a tool window's title bar is often
    // thinner); placed by that guess it could lie on the very text being
    // typed. It is placed again once the window system has told the frame.
    m_cadreEstime = !m_cadreConnu;
    VerifieCadre();
}

void TfmListe::Place()
{
    if (!m_edit)
        return;
    const int lignes = static_cast<int>(std::min<qsizetype>(m_lignes->rowCount(), LignesVisibles));
    const int ligne = m_lbListe->sizeHintForRow(0);
    const int bords = 2 * m_lbListe->frameWidth() + 4;
    // The window, title bar included, drops down under the edit; where the
    // screen has no room for it there it goes above the edit, shorter if it
    // must: moved back onto the screen by the window system, it would lie
    // on the very text being typed.
    const QRect champ(m_edit->mapToGlobal(QPoint(0, 0)), m_edit->size());
    const QMargins cadre = CadreDe(this);
    const QRect dessous(QPoint(champ.left(), champ.bottom() + 1),
                        QSize(std::max(m_edit->width(), LargeurMin), ligne * lignes + bords).grownBy(cadre));
    const QSize minimum(dessous.width(), ligne * std::min(lignes, 3) + bords + cadre.top() + cadre.bottom());
    const QScreen *ecran = m_edit->screen();
    const QRect place = ecran ? RectACote(dessous, minimum, champ, ecran->availableGeometry(), CoteDessous | CoteDessus)
                              : dessous;
    PlaceCadre(this, place);
}

void TfmListe::VerifieCadre()
{
    if (!m_cadreEstime || !isVisible() || MargesCadre(this).isNull())
        return;
    m_cadreEstime = false;
    m_cadreConnu = true;
    Place();
}

bool TfmListe::event(QEvent *evenement)
{
    const bool resultat = QWidget::event(evenement);
    switch (evenement->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Expose:
        VerifieCadre();
        break;
    default:
        break;
    }
    return resultat;
}

int TfmListe::Ligne() const
{
    const QModelIndex index = m_lbListe->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TfmListe::SelectionneLigne(int ligne)
{
    const QModelIndex index = m_lignes->index(ligne, 0);
    m_lbListe->setCurrentIndex(index);
    if (index.isValid())
        m_lbListe->scrollTo(index);
}

bool TfmListe::EditKeyDown(int touche)
{
    if (!isVisible())
        return false;
    const int ligne = Ligne();
    switch (touche) {
    case Qt::Key_Up:
        if (ligne > 0)
            SelectionneLigne(ligne - 1);
        return true;
    case Qt::Key_Down:
        if (ligne < m_lignes->rowCount() - 1)
            SelectionneLigne(ligne + 1);
        return true;
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        Ferme();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Copy first, then close: the edit's owner may refill the list when
        // the text changes, and the list must end closed. The line goes in
        // as typed text, so that owners listening to the user's edits
        // (textEdited) store it.
        if (ligne >= 0 && m_edit) {
            m_edit->selectAll();
            m_edit->insert(m_lignes->index(ligne, 0).data().toString());
        }
        Ferme();
        return true;
    default:
        return false;
    }
}

void TfmListe::lbListeMouseDown(int ligne)
{
    if (ligne < 0)
        return;
    SelectionneLigne(ligne);
    EditKeyDown(Qt::Key_Return);
}

bool TfmListe::eventFilter(QObject *objet, QEvent *evenement)
{
    const QEvent::Type type = evenement->type();
    if (objet == m_editFiltre && !m_edit.isNull() && isVisible()) {
        if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
            auto *touche = static_cast<QKeyEvent *>(evenement);
            if (!toucheDeLaListe(touche->key()))
                return false;
            if (type == QEvent::ShortcutOverride) {
                // Keep window shortcuts (Esc closing a dialog...) from taking
                // the keys the list answers.
                touche->accept();
                return true;
            }
            return EditKeyDown(touche->key());
        }
    } else if (objet == m_lbListe && type == QEvent::KeyPress && m_edit) {
        // Keys that reach the list belong to the edit: they move the
        // selection or go on typing.
        auto *touche = static_cast<QKeyEvent *>(evenement);
        QKeyEvent copie(QEvent::KeyPress, touche->key(), Qt::NoModifier, touche->text());
        QCoreApplication::sendEvent(m_edit, &copie);
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

void TfmListe::changeEvent(QEvent *evenement)
{
    if (evenement->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            m_active = true;
        else if (m_active) {
            m_active = false;
            Ferme();
        }
    }
    QWidget::changeEvent(evenement);
}
