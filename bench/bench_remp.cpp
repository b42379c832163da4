// Find and replace on the synthetic database (100,000 persons, 50,000
// events): the value lists shown in the report window, and replacements
// walking every person. A second database gives every event its own place
// and every person its own surname, the worst case for the counting.

#include "BaseSynthetique.h"
#include "BD.h"
#include "CommandesRemp.h"
#include "Langue.h"
#include "Remplacement.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"
#include "TfmRemp.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

class Hote final : public THoteRapport
{
public:
    TfmRapport *Fenetre = nullptr;
    int SelecPers() const override { return 0; }
    void SelecFiche(int) override {}
    void MontreRapport() override { Fenetre->show(); }
    void RapportCache() override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
};

// The find-and-replace window over one database, with its report window.
struct Banc {
    TBD bd;
    Hote hote;
    TfmRapport *rapport = nullptr;
    TCommandesRemp *commandes = nullptr;
    TfmRemp *remp = nullptr;

    explicit Banc(bool distinctes)
    {
        ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"));
        RemplitBaseSynthetique(bd);
        if (distinctes) {
            for (int e = 1; e <= bd.EventCount(); ++e)
                bd.SetEventField(e, EveLieu, QStringLiteral("FRA,IDF,F95,Lieu %1").arg(e));
            for (int p = 1; p <= bd.PersonCount(); ++p)
                bd.SetSurname(p, QStringLiteral("NOM%1").arg(p));
        }
        rapport = new TfmRapport(bd, hote);
        hote.Fenetre = rapport;
        commandes = new TCommandesRemp(
            bd,
            {[this] { return rapport->InitRapport() ? rapport->Grille() : nullptr; },
             [this] { return rapport->Progression(); },
             [this](const QString &titre) {
                 rapport->setWindowTitle(titre);
                 rapport->FinRapport();
             },
             {}, {}},
            nullptr);
        commandes->AfficheRemplacer();
        remp = commandes->Fenetre();
    }
    template <typename T>
    T *controle(const char *nom)
    {
        return remp->findChild<T *>(QString::fromLatin1(nom));
    }
    void choisit(int donnee) { controle<QListWidget>("lb")->setCurrentRow(donnee); }
};

Banc &banc(bool distinctes)
{
    static Banc courante(false);
    static Banc pire(true);
    return distinctes ? pire : courante;
}

// Ticking "Voir la liste" with a kind chosen: every value counted, written
// into the report grid and sorted on its first column.
void BM_ListeValeurs(benchmark::State &state)
{
    Banc &b = banc(state.range(1) != 0);
    b.controle<QCheckBox>("cbVoir")->setChecked(false);
    b.choisit(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        b.controle<QCheckBox>("cbVoir")->setChecked(false);
        b.controle<QCheckBox>("cbVoir")->setChecked(true);
    }
    b.controle<QCheckBox>("cbVoir")->setChecked(false);
    state.counters["valeurs"] = b.rapport->Grille()->RowCount() - 1;
}
BENCHMARK(BM_ListeValeurs)
    ->ArgNames({"donnee", "distinctes"})
    ->Args({RempLieu, 0})
    ->Args({RempNom, 0})
    ->Args({RempPrenom, 0})
    ->Args({RempDate, 0})
    ->Args({RempLieu, 1})
    ->Args({RempNom, 1})
    ->Unit(benchmark::kMillisecond);

// "Rechercher et remplacer" on the surnames, every person walked: the most
// common surname changes its spelling at each run, one way then back.
void BM_RemplaceValeurEntiere(benchmark::State &state)
{
    Banc &b = banc(false);
    b.choisit(RempNom);
    b.controle<QRadioButton>("rb3")->setChecked(true);
    b.controle<QLineEdit>("e1")->setText(QStringLiteral("martin"));
    bool capitales = false;
    int changees = 0;
    for (auto _ : state) {
        capitales = !capitales;
        b.controle<QLineEdit>("e2")->setText(capitales ? QStringLiteral("MARTIN") : QStringLiteral("Martin"));
        b.controle<QPushButton>("bOk")->click();
        changees = 0;
        for (int p = 1; p <= b.bd.PersonCount(); ++p)
            changees += b.bd.Surname(p).compare(QStringLiteral("martin"), Qt::CaseInsensitive) == 0;
    }
    state.counters["changees"] = changees;
}
BENCHMARK(BM_RemplaceValeurEntiere)->Unit(benchmark::kMillisecond);

// Every surname changes: upper case, then lower case, in turn.
void BM_RemplaceToutesLesPersonnes(benchmark::State &state)
{
    Banc &b = banc(false);
    b.choisit(RempNom);
    bool majuscules = false;
    for (auto _ : state) {
        majuscules = !majuscules;
        b.controle<QRadioButton>(majuscules ? "rb2" : "rb1")->setChecked(true);
        b.controle<QPushButton>("bOk")->click();
    }
    state.counters["personnes"] = b.bd.PersonCount();
}
BENCHMARK(BM_RemplaceToutesLesPersonnes)->Unit(benchmark::kMillisecond);

} // namespace
