#include "CommandesCarte.h"

#include <QToolButton>
#include <QWidget>

#include "TfmCarte.h"
#include "TfmCarteNouvelle.h"
#include "TfmCartePerso.h"
#include "Voisinage.h"

using namespace Qt::StringLiterals;

TCommandesCarte::TCommandesCarte(const TBD &bd, TfmRapport &rapport, std::function<int()> selecPers,
                                 QWidget *fenetre)
    : QObject(fenetre)
    , m_carte(new TfmCarte(bd, rapport, std::move(selecPers), fenetre))
    , m_fenetre(fenetre)
{
}

TCommandesCarte::~TCommandesCarte() = default;

void TCommandesCarte::Branche()
{
    auto *sbCarte = m_fenetre->findChild<QToolButton *>(u"sbCarte"_s);
    auto *sbCarteDef = m_fenetre->findChild<QToolButton *>(u"sbCarteDef"_s);
    auto *sbCarteNouvelle = m_fenetre->findChild<QToolButton *>(u"sbCarteNouvelle"_s);
    TfmCartePerso *perso = m_carte->Perso();
    auto montre = [](QWidget *w, bool bas) {
        if (bas) {
            w->show();
            w->raise();
        } else {
            w->hide();
        }
    };
    if (sbCarte) {
        sbCarte->setEnabled(true);
        sbCarte->setCheckable(true);
        connect(sbCarte, &QToolButton::toggled, m_carte, [=, this](bool bas) { montre(m_carte, bas); });
        connect(m_carte, &TfmCarte::Montree, sbCarte, [sbCarte] { sbCarte->setChecked(true); });
        connect(m_carte, &TfmCarte::Cachee, sbCarte, [sbCarte] { sbCarte->setChecked(false); });
    }
    if (sbCarteDef) {
        sbCarteDef->setEnabled(true);
        sbCarteDef->setCheckable(true);
        connect(sbCarteDef, &QToolButton::toggled, perso, [=, this](bool bas) {
            // The editor works on the map on show.
            if (bas && !m_carte->isVisible())
                montre(m_carte, true);
            montre(perso, bas);
        });
        connect(perso, &TfmCartePerso::Montree, sbCarteDef, [sbCarteDef] { sbCarteDef->setChecked(true); });
        connect(perso, &TfmCartePerso::Cachee, sbCarteDef, [sbCarteDef] { sbCarteDef->setChecked(false); });
    }
    if (sbCarteNouvelle) {
        sbCarteNouvelle->setEnabled(true);
        connect(sbCarteNouvelle, &QToolButton::clicked, m_carte, [this] {
            if (!m_carte->isVisible()) {
                m_carte->show();
                m_carte->raise();
            }
            // Over the map, which stays on top: under it, the dialog could
            // not be seen.
            TfmCarteNouvelle dialogue(*m_carte, m_carte);
            DialogueAuDessus(&dialogue);
            dialogue.exec();
        });
    }
}

void TCommandesCarte::AffCarte()
{
    m_carte->PersonneCouranteChangee();
}

void TCommandesCarte::LieuxModifies(int p)
{
    m_carte->LieuxModifies(p);
}

void TCommandesCarte::BaseRechargee()
{
    m_carte->BaseRechargee();
}
