// The report window on the synthetic 100,000-person database: the fill of
// every person with the default column model, a sort on a title click and
// the delimited text export.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Langue.h"
#include "Parente.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

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
    TR toutes;
    QTemporaryDir dossier;
    Banc()
    {
        ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"));
        RemplitBaseSynthetique(bd);
        toutes = AllPersons(bd);
        rapport = new TfmRapport(bd, hote);
        hote.Fenetre = rapport;
        rapport->Charge(QStringLiteral(LIGNEE_MODELE "/1/rapport/defaut.mvr"));
        rapport->AfficheListe(toutes, QStringLiteral("Toutes les personnes"));
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

void BM_RemplitToutesLesPersonnes(benchmark::State &state)
{
    Banc &b = banc();
    for (auto _ : state)
        b.rapport->AfficheListe(b.toutes, QStringLiteral("Toutes les personnes"));
    state.counters["lignes"] = b.rapport->Grille()->RowCount() - 1;
}
BENCHMARK(BM_RemplitToutesLesPersonnes)->Unit(benchmark::kMillisecond);

// A click on a title, the way the user sorts: each click turns the order.
void BM_TriSurTitre(benchmark::State &state)
{
    Banc &b = banc();
    const int col = static_cast<int>(state.range(0));
    QHeaderView *titres = b.rapport->Grille()->horizontalHeader();
    const QPoint point(titres->sectionViewportPosition(col) + titres->sectionSize(col) / 2, titres->height() / 2);
    for (auto _ : state)
        QTest::mouseClick(titres->viewport(), Qt::LeftButton, {}, point);
}
// Column 0 the surnames (text), column 2 the birth dates (date).
BENCHMARK(BM_TriSurTitre)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ExportTexte(benchmark::State &state)
{
    Banc &b = banc();
    const QString chemin = b.dossier.filePath(QStringLiteral("rapport.csv"));
    for (auto _ : state) {
        if (!b.rapport->SauveTableau(chemin, QStringLiteral(";")))
            state.SkipWithError("export impossible");
    }
}
BENCHMARK(BM_ExportTexte)->Unit(benchmark::kMillisecond);

} // namespace
