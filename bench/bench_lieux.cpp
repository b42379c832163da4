// The place picker on the communes of France, a look-up in the map's
// gazetteer, and 10,000 places plotted on the web map.

#include "Chemins.h"
#include "Globales.h"
#include "Langue.h"
#include "ListesLieux.h"
#include "TCarteWeb.h"
#include "TfmLieuV3.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListView>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

namespace {

const QString Modele = QStringLiteral(LIGNEE_MODELE);

// Only the page's own files are loaded: the tiles would time the network.
class Barriere final : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (info.requestUrl().scheme() != QLatin1String("file"))
            info.block(true);
    }
};

// One place in 35 of the communes list, as the record form sends them, with
// a foreign town in every ten.
QStringList Lieux(int nombre)
{
    QStringList communes;
    ChargeListeLieux(Modele + QStringLiteral("/1/lieu/Communes de France.txt"), communes);
    const QStringList etrangers{QStringLiteral("ITA,,,Roma"), QStringLiteral("DEU,,,München"),
                                QStringLiteral("Bruxelles,Belgique"), QStringLiteral("New York")};
    QStringList lieux;
    for (int i = 0; lieux.size() < nombre; ++i) {
        if (i % 10 == 9)
            lieux << etrangers[(i / 10) % etrangers.size()];
        else
            lieux << communes[(i * 35) % communes.size()].section(QLatin1Char(','), 3) + QStringLiteral(",France");
    }
    return lieux;
}

TCarteWeb *Carte()
{
    static Barriere barriere;
    static TCarteWeb *carte = nullptr;
    if (!carte) {
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&barriere);
        carte = new TCarteWeb;
        carte->resize(800, 600);
        carte->show();
        carte->Charge();
        if (!carte->AttendPage(60000))
            qFatal("la page de la carte ne se charge pas");
    }
    return carte;
}

QVariant Js(TCarteWeb *carte, const QString &script)
{
    QVariant resultat;
    bool fini = false;
    carte->Evalue(script, [&](const QVariant &v) {
        resultat = v;
        fini = true;
    });
    if (!QTest::qWaitFor([&] { return fini; }, 60000))
        qFatal("la page ne répond pas");
    return resultat;
}

void BM_ChoixCommunes(benchmark::State &state)
{
    DossierLieu = Modele + QStringLiteral("/1/lieu/");
    for (auto _ : state) {
        TfmLieuV3 choix;
        choix.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(choix.findChild<QListView *>(QStringLiteral("lbLieu"))->model()->rowCount());
    }
}
BENCHMARK(BM_ChoixCommunes)->Unit(benchmark::kMillisecond);

// Timed inside the page: 20,000 look-ups of place texts a run.
void BM_RechercheLieu(benchmark::State &state)
{
    TCarteWeb *carte = Carte();
    const QStringList lieux = Lieux(2000) + QStringList{QStringLiteral("FRA,IDF,F95,Pontoise"), QStringLiteral("FRA,IDF"),
                                                        QStringLiteral("Trifouilly,France")};
    Js(carte, QStringLiteral("window.essai = ")
                  + QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(lieux)).toJson(QJsonDocument::Compact)));
    constexpr int Recherches = 20000;
    for (auto _ : state) {
        const double ms = Js(carte, QStringLiteral("(function(){let n = 0; const t = performance.now();"
                                                   "for (let i = 0; i < %1; ++i) if (trouveLieu(essai[i % essai.length])) ++n;"
                                                   "return performance.now() - t;})()")
                                        .arg(Recherches))
                              .toDouble();
        state.SetIterationTime(ms / 1000.0 / Recherches);
    }
}
// The time given is that of one look-up; the runs are few, each being
// 20,000 of them.
BENCHMARK(BM_RechercheLieu)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(10);

// 10,000 places through PlotAdd, run by the page in lots of 500: the
// 10,000 most populous towns the map knows, each at a position of its own,
// as "name,country code".
void BM_Carte10000(benchmark::State &state)
{
    TCarteWeb *carte = Carte();
    const QStringList lieux =
        Js(carte, QStringLiteral("LIEUX_CONNUS.villes.split('\\n').slice(0, 10000)"
                                 ".map(l => { const c = l.split('\\t'); return c[1] + ',' + c[0]; })"))
            .toStringList();
    if (lieux.size() != 10000)
        qFatal("%d lieux", int(lieux.size()));
    for (auto _ : state) {
        for (int i = 0; i < lieux.size(); ++i)
            carte->PlotAdd(lieux[i], QStringLiteral("<a href=\"%1\">PERSONNE %1</a><br/>%2").arg(i + 1).arg(lieux[i]));
        carte->Envoie();
        if (!QTest::qWaitFor([&] { return carte->RunsEnCours() == 0; }, 60000))
            qFatal("la carte ne répond pas");
        // The view takes in the markers once the runs are over.
        Js(carte, QStringLiteral("0"));
        state.PauseTiming();
        state.counters[QStringLiteral("marqueurs").toStdString()] = Js(carte, QStringLiteral("marqueurs.getLayers().length")).toInt();
        carte->PlotClear();
        carte->Envoie();
        if (!QTest::qWaitFor([&] { return carte->RunsEnCours() == 0; }, 60000))
            qFatal("la carte ne répond pas");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Carte10000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TCarteWeb::PrepareApplication();
    QApplication app(argc, argv);
    ChargeLangue(Modele + QStringLiteral("/langue.txt"));
    SetRepModele(Modele);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete Carte();
    return 0;
}
