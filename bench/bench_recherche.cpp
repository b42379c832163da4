// The person search window on the synthetic 100,000-person database.
// Arguments of the window benchmarks: 0 the unique list form, 1 the names form.

#include "BaseSynthetique.h"
#include "BD.h"
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
