#include "CommandesSources.h"

#include "BD.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "Scanner.h"
#include "TfmSource.h"
#include "TfmSourceRech.h"
#include "TfmSourceVue.h"

#include <QAbstractButton>
#include <QWidget>

namespace {

constexpr int TexteSourcesPleines = 7602;

} // namespace

TCommandesSources::TCommandesSources(TBD &bd, TServices services, QWidget *fenetre)
    : QObject(fenetre)
    , m_bd(bd)
    , m_services(std::move(services))
    , m_fenetre(fenetre)
{
}

TCommandesSources::~TCommandesSources() = default;

void TCommandesSources::Branche()
{
    const std::pair<const char *, void (TCommandesSources::*)()> commandes[] = {
        {"sbSourceAjoute", &TCommandesSources::Ajoute},
        {"sbSourceRech", &TCommandesSources::Recherche},
        {"SpeedButton4", &TCommandesSources::Choisit},
        {"SpeedButton6", &TCommandesSources::Apercu},
    };
    for (const auto &[nom, commande] : commandes) {
        auto *b = m_fenetre->findChild<QAbstractButton *>(QString::fromLatin1(nom));
        if (!b)
            continue;
        b->setEnabled(true);
        connect(b, &QAbstractButton::clicked, this, commande);
    }
    InstalleScanner();
}

void TCommandesSources::Ajoute()
{
    const int s = m_bd.NewSource();
    if (s == 0) {
        AppMessageBox(MLText(TexteSourcesPleines), MsgErreur, BoutonsOk);
        return;
    }
    if (EditeSource(m_bd, *this, s, m_fenetre, true) == 0)
        return;
    BaseModifiee = 1;
    SourcesModifiees();
}

void TCommandesSources::Recherche()
{
    const int s = ChoisitSource(m_bd, QStringLiteral("Liste des sources"), m_fenetre);
    if (s > 0)
        EditeSource(m_bd, *this, s, m_fenetre);
}

void TCommandesSources::Choisit()
{
    ChoisitSource(m_bd, QStringLiteral("Liste des sources"), m_fenetre);
}

void TCommandesSources::Apercu()
{
    AfficheSourceVue(m_bd, *this, m_fenetre);
}

void TCommandesSources::MontrePersonne(int p)
{
    if (m_services.MontrePersonne)
        m_services.MontrePersonne(p);
}

int TCommandesSources::ChoisitPersonne()
{
    return m_services.ChoisitPersonne ? m_services.ChoisitPersonne() : 0;
}

QBrush TCommandesSources::Fond() const
{
    return m_services.Fond ? m_services.Fond() : QBrush();
}

void TCommandesSources::SourcesModifiees()
{
    if (m_services.SourcesModifiees)
        m_services.SourcesModifiees();
}
