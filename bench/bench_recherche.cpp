// The person search window on the synthetic 100,000-person database.
// Arguments of the window benchmarks: 0 the unique list form, 1 the names form.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Listes.h"
#include "Recherche.h"
#include "Relatifs.h"
#include "TfmRechFiche.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QRadioButton>
#include <QStringListModel>
#include <QTest>

#include <memory>

namespace {

class Hote final : public THoteRelatifs
{
public:
    int Selec = 1;
    int Onglet = 0;
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    bool SaisieIdentite(const QString &, int, bool) override { return false; }
    void MontreNouvelle(int, const QString &, bool) override {}
    void FicheAffiche() override {}
    int OngletFiche() const override { return Onglet; }
    void SetOngletFiche(int onglet) override { Onglet = onglet; }
};

struct Banc {
    TBD bd;
    Hote hote;
    TRelatifs relatifs{bd, hote};
    Banc() { RemplitBaseSynthetique(bd); }

    std::unique_ptr<TfmRechFiche> fenetre(int forme)
    {
        auto f = std::make_unique<TfmRechFiche>(bd, relatifs, hote);
        f->findChild<QRadioButton *>(forme == 0 ? QStringLiteral("rbListeUnique") : QStringLiteral("rbNomPrenom"))
            ->setChecked(true);
        return f;
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

// A person born in a known year, for the link searches.
int personneDatee(const TBD &bd)
{
    int p = bd.NextPerson(0);
    while (p != 0 && bd.BirthDate(p).isEmpty())
        p = bd.NextPerson(p);
    return p;
}

// A new window each time: the sorted orders are built from nothing.
void BM_PremiereOuverture(benchmark::State &state)
{
    Banc &b = banc();
    for (auto _ : state) {
        state.PauseTiming();
        auto f = b.fenetre(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        f->Prepare(TModeRecherche::Simple, 1);
        f->show();
        QApplication::processEvents();
        state.PauseTiming();
        f->reject();
        f.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PremiereOuverture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same window opened again on an unchanged database.
void BM_Reouverture(benchmark::State &state)
{
    Banc &b = banc();
    auto f = b.fenetre(static_cast<int>(state.range(0)));
    f->Prepare(TModeRecherche::Simple, 1);
    f->show();
    f->reject();
    for (auto _ : state) {
        f->Prepare(TModeRecherche::Simple, 1);
        f->show();
        QApplication::processEvents();
        state.PauseTiming();
        f->reject();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Reouverture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One letter typed in eCommence, then taken back: the lists alternate
// between every person and the persons whose surname begins with "M".
void frappe(benchmark::State &state, TModeRecherche mode)
{
    Banc &b = banc();
    auto f = b.fenetre(static_cast<int>(state.range(0)));
    f->Prepare(mode, mode == TModeRecherche::Simple ? 1 : personneDatee(b.bd));
    f->show();
    QApplication::setActiveWindow(f.get());
    auto *commence = f->findChild<QLineEdit *>(QStringLiteral("eCommence"));
    commence->setFocus();
    bool ajoute = true;
    for (auto _ : state) {
        QTest::keyClick(commence, ajoute ? Qt::Key_M : Qt::Key_Backspace);
        QApplication::processEvents();
        ajoute = !ajoute;
    }
    f->reject();
}

void BM_FrappeRechercheSimple(benchmark::State &state)
{
    frappe(state, TModeRecherche::Simple);
}
BENCHMARK(BM_FrappeRechercheSimple)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FrappeRecherchePere(benchmark::State &state)
{
    frappe(state, TModeRecherche::Pere);
}
BENCHMARK(BM_FrappeRecherchePere)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a user waits for at the first search after opening a base: the window
// has been shown before, on another base, and the base read since is new to
// it (a copy changed once stands for the base read from its file).
void BM_OuvertureApresChargement(benchmark::State &state)
{
    Banc &b = banc();
    auto f = b.fenetre(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        TBD lue = b.bd;
        lue.SetSurname(1, lue.Surname(1));
        b.bd = std::move(lue);
        state.ResumeTiming();
        f->Prepare(TModeRecherche::Simple, 1);
        f->show();
        QApplication::processEvents();
        state.PauseTiming();
        f->reject();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OuvertureApresChargement)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every person of `bd` listed, then sorted by surname and given names.
void TrieNomComplet(benchmark::State &state, const TBD &bd)
{
    for (auto _ : state) {
        TR liste;
        for (int p = bd.NextPerson(0); p != 0; p = bd.NextPerson(p))
            liste.Add(p);
        SortList(bd, liste, PcNomComplet);
        benchmark::DoNotOptimize(liste.Get(1));
    }
}

// The sort behind the unique list: every person by surname and given names.
void BM_TriNomComplet(benchmark::State &state)
{
    TrieNomComplet(state, banc().bd);
}
BENCHMARK(BM_TriNomComplet)->Unit(benchmark::kMillisecond);

// The same sort where no two persons share a full name (each given name
// carries the person's number), the case where collating each distinct
// text once saves nothing.
void BM_TriNomCompletDistincts(benchmark::State &state)
{
    static const TBD bd = [] {
        TBD b = banc().bd;
        for (int p = b.NextPerson(0); p != 0; p = b.NextPerson(p))
            b.SetGivenNames(p, b.GivenNames(p) + QStringLiteral(" n") + QString::number(p));
        return b;
    }();
    TrieNomComplet(state, bd);
}
BENCHMARK(BM_TriNomCompletDistincts)->Unit(benchmark::kMillisecond);

// The sorted order of the unique list and its lines, built from nothing.
void BM_OrdreEtLignes(benchmark::State &state)
{
    const TBD &bd = banc().bd;
    for (auto _ : state) {
        TOrdresRecherche ordres(bd);
        benchmark::DoNotOptimize(ordres.LignesParNomComplet().size());
    }
}
BENCHMARK(BM_OrdreEtLignes)->Unit(benchmark::kMillisecond);

// Why the lists are views over a string model: 100,000 lines put into a
// shown QListWidget, then into a shown QListView.
QStringList centMilleLignes()
{
    Banc &b = banc();
    TOrdresRecherche ordres(b.bd);
    return ordres.LignesParNomComplet();
}

void BM_CentMilleLignesQListWidget(benchmark::State &state)
{
    const QStringList lignes = centMilleLignes();
    QListWidget liste;
    liste.setUniformItemSizes(true);
    liste.show();
    for (auto _ : state) {
        liste.clear();
        liste.addItems(lignes);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_CentMilleLignesQListWidget)->Unit(benchmark::kMillisecond);

void BM_CentMilleLignesQListView(benchmark::State &state)
{
    const QStringList lignes = centMilleLignes();
    QStringListModel modele;
    QListView liste;
    liste.setUniformItemSizes(true);
    liste.setModel(&modele);
    liste.show();
    for (auto _ : state) {
        modele.setStringList({});
        modele.setStringList(lignes);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_CentMilleLignesQListView)->Unit(benchmark::kMillisecond);

} // namespace
