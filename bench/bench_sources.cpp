// The source windows on the synthetic 100,000-person database with 50,000
// sources: the editor's person list, the chooser's titles, the overview of
// 300 large pictures and the scrolling of a picture zoomed at 1,600 %.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Globales.h"
#include "Options.h"
#include "TfmSource.h"
#include "TfmSourceRech.h"
#include "TfmSourceVue.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

class Hote final : public THoteSource
{
public:
    void MontrePersonne(int) override {}
    int ChoisitPersonne() override { return 0; }
    void SourcesModifiees() override {}
};

struct Banc {
    TBD bd;
    Hote hote;
    QTemporaryDir dossier;
    Banc()
    {
        RemplitBaseSynthetique(bd);
        // 50,000 sources, each cited by two persons spread over the base.
        const int n = bd.PersonCount();
        for (int i = 0; i < MaxSources; ++i) {
            const int p = 1 + (i * 7) % n;
            const int s = bd.AddPersonSource(p);
            bd.LinkSource(1 + (i * 13 + 5) % n, s);
            bd.SetSourceField(s, SrcTitre, QStringLiteral("Acte n° %1").arg(i + 1));
            bd.SetSourceField(s, SrcGenre, i % 3 ? QStringLiteral("Acte") : QStringLiteral("Photo"));
        }
        FichierCourant = dossier.filePath(QStringLiteral("base.mvd"));
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

// A picture with some detail, so that its file is not trivially small.
QImage Image(int largeur, int hauteur)
{
    QImage i(largeur, hauteur, QImage::Format_RGB32);
    QPainter p(&i);
    QLinearGradient g(0, 0, largeur, hauteur);
    g.setColorAt(0, Qt::darkBlue);
    g.setColorAt(1, Qt::yellow);
    p.fillRect(i.rect(), g);
    for (int x = 0; x < largeur; x += 97)
        p.drawLine(x, 0, largeur - x, hauteur);
    return i;
}

void BM_EditeurListePersonnes(benchmark::State &state)
{
    Banc &b = banc();
    int s = 1;
    for (auto _ : state) {
        TfmSource editeur(b.bd, b.hote, s);
        benchmark::DoNotOptimize(editeur.Source());
        s = s % 49000 + 997;
    }
}
BENCHMARK(BM_EditeurListePersonnes)->Unit(benchmark::kMillisecond);

void BM_ChoixCinquanteMilleTitres(benchmark::State &state)
{
    Banc &b = banc();
    TfmSourceRech choix(b.bd);
    for (auto _ : state)
        choix.Affiche();
}
BENCHMARK(BM_ChoixCinquanteMilleTitres)->Unit(benchmark::kMillisecond);

// Builds the overview of 300 sources of 3,000 x 2,000 JPEG pictures; the
// counter "attente_max_ms" is the longest time the window went without
// handling its events.
void BM_ApercuTroisCentsImages(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString modele = dossier.filePath(QStringLiteral("modele.jpg"));
    Image(3000, 2000).save(modele, "JPEG", 85);
    TBD bd;
    bd.NewPerson();
    for (int i = 0; i < 300; ++i) {
        const QString chemin = dossier.filePath(QStringLiteral("p%1.jpg").arg(i));
        QFile::copy(modele, chemin);
        const int s = bd.NewSource();
        bd.SetSourceField(s, SrcTitre, QStringLiteral("Photo %1").arg(i));
        bd.SetSourceField(s, SrcFichier, chemin);
    }
    Hote hote;
    double attenteMax = 0;
    for (auto _ : state) {
        TfmSourceVue vue(bd, hote);
        vue.resize(800, 600);
        QElapsedTimer tour;
        tour.start();
        vue.show();
        while (!vue.Construite()) {
            QElapsedTimer t;
            t.start();
            QCoreApplication::processEvents();
            attenteMax = std::max(attenteMax, t.nsecsElapsed() / 1e6);
        }
        state.SetIterationTime(tour.nsecsElapsed() / 1e9);
    }
    state.counters["attente_max_ms"] = attenteMax;
}
BENCHMARK(BM_ApercuTroisCentsImages)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// Repaints the viewport of a 4,000 x 3,000 picture at 1,600 % after each
// scroll step.
void BM_DefilementZoom1600(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("grande.png"));
    Image(4000, 3000).save(chemin);
    TBD bd;
    bd.NewPerson();
    const int s = bd.AddPersonSource(1);
    bd.SetSourceField(s, SrcFichier, chemin);
    Hote hote;
    TfmSource editeur(bd, hote, s);
    editeur.resize(900, 700);
    editeur.show();
    QWidget *zone = editeur.findChild<QWidget *>(QStringLiteral("pbZone"));
    while (editeur.Zoom() != 1600)
        QTest::mouseClick(zone, Qt::LeftButton, {}, QPoint(1, 1));
    auto *defile = editeur.findChild<QScrollArea *>(QStringLiteral("sbPhoto"));
    QScrollBar *barre = defile->horizontalScrollBar();
    barre->setValue(barre->maximum() / 2);
    // The viewport drawn as the screen would get it.
    QImage ecran(defile->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    int pas = 40;
    for (auto _ : state) {
        barre->setValue(barre->value() + pas);
        if (barre->value() >= barre->maximum() || barre->value() <= 0)
            pas = -pas;
        defile->viewport()->render(&ecran);
    }
    state.counters["largeur"] = ecran.width();
    state.counters["hauteur"] = ecran.height();
}
BENCHMARK(BM_DefilementZoom1600)->Unit(benchmark::kMillisecond);

} // namespace
