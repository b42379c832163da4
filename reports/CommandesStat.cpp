#include "CommandesStat.h"

#include <QBoxLayout>
#include <QDir>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

#include "Langue.h"
#include "TfmStat.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteStatEnregistrees = 9405;

} // namespace

TCommandesStat::TCommandesStat(const TBD &bd, TfmRapport &rapport, TReglagesStat &reglages,
                               std::function<QPrinter &()> imprimante, QWidget *fenetre)
    : QObject(fenetre)
    , m_stat(new TfmStat(bd, rapport, reglages, std::move(imprimante), fenetre))
    , m_fenetre(fenetre)
{
}

TCommandesStat::~TCommandesStat() = default;

QToolButton *TCommandesStat::Bouton(QToolButton *modele, const QString &nom, const QString &texte)
{
    auto *b = new QToolButton(modele->parentWidget());
    b->setObjectName(nom);
    b->setText(texte);
    b->setToolTip(texte);
    b->setToolButtonStyle(modele->toolButtonStyle());
    b->setSizePolicy(modele->sizePolicy());
    b->setEnabled(false);
    if (auto *disposition = qobject_cast<QBoxLayout *>(modele->parentWidget()->layout())) {
        int apres = disposition->indexOf(modele);
        while (apres + 1 < disposition->count() && disposition->itemAt(apres + 1)->widget()
               && disposition->itemAt(apres + 1)->widget()->objectName().startsWith(u"sbStat"_s))
            ++apres;
        disposition->insertWidget(apres + 1, b);
    }
    return b;
}

void TCommandesStat::Branche()
{
    auto *sbStat = m_fenetre->findChild<QToolButton *>(u"sbStat"_s);
    if (!sbStat)
        return;
    sbStat->setEnabled(true);
    sbStat->setCheckable(true);
    QToolButton *rapport = Bouton(sbStat, u"sbStatRapport"_s, u"Valeurs dans le rapport"_s);
    QToolButton *imprime = Bouton(sbStat, u"sbStatImprime"_s, u"Imprimer les statistiques"_s);

    connect(sbStat, &QToolButton::toggled, m_stat, [this](bool bas) {
        if (bas) {
            m_stat->show();
            m_stat->raise();
        } else {
            m_stat->hide();
        }
    });
    // The pages are found by name, their page control as the one holding
    // them: other windows of the program have page controls of their own.
    auto montrePage = [this](const QString &nom) {
        QWidget *page = m_fenetre->findChild<QWidget *>(nom);
        for (QWidget *w = page ? page->parentWidget() : nullptr; w; w = w->parentWidget()) {
            if (auto *pc = qobject_cast<QTabWidget *>(w); pc && pc->indexOf(page) >= 0) {
                pc->setCurrentWidget(page);
                return;
            }
        }
    };
    connect(m_stat, &TfmStat::Montree, this, [=] {
        sbStat->setChecked(true);
        rapport->setEnabled(true);
        imprime->setEnabled(true);
        montrePage(u"TS_Stat"_s);
    });
    connect(m_stat, &TfmStat::Cachee, this, [=] {
        sbStat->setChecked(false);
        rapport->setEnabled(false);
        imprime->setEnabled(false);
        montrePage(u"TS_Afficher"_s);
    });
    connect(rapport, &QToolButton::clicked, m_stat, &TfmStat::StatToRapport);
    connect(imprime, &QToolButton::clicked, m_stat, [this] { m_stat->Imprime(); });
    // A file written says nothing by itself: the main window's status line
    // tells where it went.
    connect(m_stat, &TfmStat::Enregistrees, this, [this](const QString &fichier) {
        if (auto *principale = qobject_cast<QMainWindow *>(m_fenetre))
            principale->statusBar()->showMessage(
                MLFormat(TexteStatEnregistrees, {QDir::toNativeSeparators(fichier)}));
    });
}
