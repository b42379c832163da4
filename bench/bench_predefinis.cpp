// The predefined reports and the column model editor on the synthetic
// 100,000-person database, the way a user runs them: a report chosen in the
// list of the report options window (computed, written into the report grid
// and shown), and one cell of the column editor changed while the report
// shows every person.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Langue.h"
#include "Parente.h"
#include "Predefinis.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"
#include "TfmRapportCritere.h"

#include <benchmark/benchmark.h>

#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>

namespace {

class Hote final : public THoteRapport
{
public:
    TfmRapport *Fenetre = nullptr;
    int SelecPers() const override { return 5000; }
    void SelecFiche(int) override {}
    void MontreRapport() override { Fenetre->show(); }
    void RapportCache() override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
};

struct Banc {
    TBD bd;
    Hote hote;
    TfmRapport *rapport;
    TfmRapportCritere *critere;
    Banc()
    {
        ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"));
        RemplitBaseSynthetique(bd);
        // Professions on a share of the persons, so that their report has
        // rows to count.
        static const char *const metiers[] = {"Cultivateur", "Menuisier", "Instituteur", "Couturière", "Charron"};
        for (int p = 1; p <= bd.PersonCount(); p += 3)
            bd.SetAttribute(p, QStringLiteral("Profession"), QString::fromUtf8(metiers[p % 5]));
        rapport = new TfmRapport(bd, hote);
        hote.Fenetre = rapport;
        rapport->Charge(QStringLiteral(LIGNEE_MODELE "/1/rapport/defaut.mvr"));
        critere = new TfmRapportCritere(bd, *rapport, [] { return 5000; }, {});
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

void compteBase(benchmark::State &state, const TBD &bd)
{
    state.counters["personnes"] = bd.PersonCount();
    state.counters["unions"] = bd.UnionCount();
    state.counters["evenements"] = bd.EventCount();
}

// One report chosen in the list, from the click to the grid shown.
void BM_RapportPredefini(benchmark::State &state)
{
    Banc &b = banc();
    const int r = static_cast<int>(state.range(0));
    b.critere->MontrePanneau(TfmRapportCritere::PanneauDef);
    auto *liste = b.critere->findChild<QListWidget *>(QStringLiteral("lbDef"));
    for (auto _ : state) {
        liste->setCurrentRow(-1);
        liste->setCurrentRow(r);
    }
    state.SetLabel(TexteRapportPredefini(r).toStdString());
    state.counters["lignes"] = b.rapport->Grille()->RowCount() - 1;
    compteBase(state, b.bd);
}
BENCHMARK(BM_RapportPredefini)->DenseRange(0, NbRapportsPredefinis - 1)->Unit(benchmark::kMillisecond);

// The consanguine marriages searched over more generations than the
// database holds: every ancestor of both partners of every union.
void BM_MariagesConsanguinsProfondeur(benchmark::State &state)
{
    Banc &b = banc();
    b.critere->MontrePanneau(TfmRapportCritere::PanneauDef);
    auto *liste = b.critere->findChild<QListWidget *>(QStringLiteral("lbDef"));
    auto *profondeur = b.critere->findChild<QSpinBox *>(QStringLiteral("seCons"));
    profondeur->setValue(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        liste->setCurrentRow(-1);
        liste->setCurrentRow(3);
    }
    state.counters["lignes"] = b.rapport->Grille()->RowCount() - 1;
}
BENCHMARK(BM_MariagesConsanguinsProfondeur)->Arg(10)->Arg(998)->Unit(benchmark::kMillisecond);

// One title typed into the column editor while the report shows all
// 100,000 persons: the report is filled again once.
void BM_ColonneModifiee(benchmark::State &state)
{
    Banc &b = banc();
    b.rapport->AfficheListe(AllPersons(b.bd), QStringLiteral("Toutes les personnes"));
    b.critere->MontrePanneau(TfmRapportCritere::PanneauCol);
    auto *editeur = b.critere->findChild<QTableWidget *>(QStringLiteral("sgCol"));
    int n = 0;
    for (auto _ : state)
        editeur->item(0, 0)->setText(QStringLiteral("Nom %1").arg(++n));
    state.counters["lignes"] = b.rapport->Grille()->RowCount() - 1;
}
BENCHMARK(BM_ColonneModifiee)->Unit(benchmark::kMillisecond);

} // namespace
