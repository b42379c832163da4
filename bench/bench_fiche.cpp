// The person record form on the synthetic 100,000-person database.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Options.h"
#include "TfmFiche.h"
#include "TfmListe.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

class Hote final : public THoteFiche
{
public:
    int Selec = 1;
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
    void PersonneModifiee(int) override {}
    void LiensModifies() override {}
    QColor CouleurSexe(int) const override { return Qt::white; }
    QString DefinitionChamps() const override { return QStringLiteral("t|Profession||"); }
    void FicheCachee() override {}
};

struct Banc {
    TBD bd;
    Hote hote;
    TfmFiche *fiche;
    Banc()
    {
        RemplitBaseSynthetique(bd);
        fiche = new TfmFiche(bd, hote);
        fiche->show();
        QApplication::setActiveWindow(fiche);
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

void BM_RemplitFiche(benchmark::State &state)
{
    Banc &b = banc();
    int p = 1;
    for (auto _ : state) {
        b.hote.Selec = p;
        b.fiche->Affiche();
        p = p % 90000 + 997;
    }
}
BENCHMARK(BM_RemplitFiche)->Unit(benchmark::kMillisecond);

void BM_FrappeDansLeNom(benchmark::State &state)
{
    Banc &b = banc();
    b.hote.Selec = 5000;
    b.fiche->Affiche();
    auto *nom = b.fiche->findChild<QLineEdit *>(QStringLiteral("E_Nom"));
    nom->setFocus();
    nom->setText(QStringLiteral("M"));
    bool ajoute = true;
    for (auto _ : state) {
        // One letter typed, then taken back: stored, repainted, listed.
        QTest::keyClick(nom, ajoute ? Qt::Key_A : Qt::Key_Backspace);
        ajoute = !ajoute;
    }
}
BENCHMARK(BM_FrappeDansLeNom)->Unit(benchmark::kMillisecond);

void BM_FrappeDansLeLieu(benchmark::State &state)
{
    Banc &b = banc();
    int p = b.bd.NextPerson(0);
    while (p != 0 && b.bd.BirthPlace(p).isEmpty())
        p = b.bd.NextPerson(p);
    b.hote.Selec = p;
    b.fiche->Affiche();
    auto *lieu = b.fiche->findChild<QLineEdit *>(QStringLiteral("eveLieu"));
    lieu->setFocus();
    lieu->setText(QStringLiteral("FRA,I"));
    bool ajoute = true;
    for (auto _ : state) {
        QTest::keyClick(lieu, ajoute ? Qt::Key_D : Qt::Key_Backspace);
        ajoute = !ajoute;
    }
}
BENCHMARK(BM_FrappeDansLeLieu)->Unit(benchmark::kMillisecond);

void BM_ListeToutesLesValeurs(benchmark::State &state)
{
    Banc &b = banc();
    auto *nom = b.fiche->findChild<QLineEdit *>(QStringLiteral("E_Nom"));
    for (auto _ : state) {
        b.fiche->Liste()->Invalide();
        b.fiche->Liste()->Ferme();
        b.fiche->Liste()->ListeNoms(nom, PcNom, true);
        b.fiche->Liste()->ListeNoms(nom, PcNom, true); // F3 again: every value
    }
}
BENCHMARK(BM_ListeToutesLesValeurs)->Unit(benchmark::kMillisecond);

} // namespace
