// The look editor: a change applied to a tree of about 2,000 boxes (the
// rebuild and the repaint the user waits for), and the model list refilled
// from a look folder of 200 models with their thumbnails.

#include "BD.h"
#include "Globales.h"
#include "Images.h"
#include "Look.h"
#include "ModelesLook.h"
#include "Options.h"
#include "TAffArbre.h"
#include "TPage.h"
#include "TfmCellule.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>

#include <climits>
#include <vector>

namespace {

class Hote final : public THoteArbre
{
public:
    int SelecPers() const override { return 1; }
    void SetSelecPers(int) override {}
    void ShowFiche() override {}
    void TitreFenetre() override {}
    void ArbreMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint &) override {}
    QMenu *MenuBoite() override { return nullptr; }
};

// Eleven generations: person 1 and its 2,046 ancestors, named and dated.
struct Pedigree {
    TBD bd;
    Pedigree()
    {
        bd.SetAppendOnly(true);
        const auto personne = [this](int sexe) {
            const int p = bd.NewPerson();
            bd.SetSex(p, sexe);
            bd.SetSurname(p, QStringLiteral("MARTIN %1").arg(p));
            bd.SetGivenNames(p, sexe == SexeHomme ? QStringLiteral("Jean") : QStringLiteral("Marie"));
            bd.SetBirthDate(p, QStringLiteral("%1/%2/%3").arg(1 + p % 28).arg(1 + p % 12).arg(1700 + p % 250));
            return p;
        };
        std::vector<int> generation{personne(SexeHomme)};
        for (int g = 1; g < 11; ++g) {
            std::vector<int> suivante;
            for (int p : generation) {
                const int pere = personne(SexeHomme);
                const int mere = personne(SexeFemme);
                bd.SetFather(p, pere);
                bd.SetMother(p, mere);
                suivante.push_back(pere);
                suivante.push_back(mere);
            }
            generation.swap(suivante);
        }
    }
};

// The main window's tree view and the editor over it, in the shipped
// default look, the ascendance drawn over ten generations.
struct Editeur {
    Pedigree pedigree;
    Hote hote;
    QScrollArea vue;
    TPage *page = new TPage; // owned by the scroll area
    TAffArbre arbre{pedigree.bd, &vue, hote};
    TfmCellule fenetre{pedigree.bd, arbre, hote};

    Editeur()
    {
        DossierImageArbre = QStringLiteral(LIGNEE_MODELE "/0/ImageArbre/");
        LitLook(QStringLiteral(LIGNEE_MODELE "/1/arbre/defaut.mva"), Looks);
        Looks[1].Style = 2;
        Looks[1].NbreGen = 10;
        Looks[2].Style = 0;
        Reglages().ZoomAuto = false;
        RefPers = 1;
        vue.resize(1200, 800);
        vue.setWidget(page);
        vue.setWidgetResizable(true);
        arbre.SetPage(page);
        page->SetArbre(&arbre);
        page->PrintZoomAuto = false;
        vue.show();
        arbre.Execute();
        fenetre.show();
        QApplication::processEvents();
    }
};

// A width typed in the editor ("Largeur des cellules en points"): the look
// applied, the tree rebuilt by the deferred rebuild at the next turn of the
// event loop, then painted: the visible area of the view (range 0), or every
// box and link of the tree (range 1).
void BM_ChangementLookReconstruitEtRepeint(benchmark::State &state)
{
    Editeur e;
    auto *largeur = e.fenetre.findChild<QSpinBox *>(QStringLiteral("seLarge"));
    QImage image(e.vue.viewport()->size(), QImage::Format_RGB32);
    int valeur = largeur->value();
    for (auto _ : state) {
        valeur = valeur == 140 ? 141 : 140;
        largeur->setValue(valeur);
        QApplication::processEvents();
        if (state.range(0) == 0) {
            e.page->render(&image, QPoint(), QRegion(QRect(QPoint(), image.size())));
        } else {
            QPainter p(&image);
            e.arbre.Peint(p, QRect(0, 0, INT_MAX / 2, INT_MAX / 2));
        }
        benchmark::DoNotOptimize(image.bits());
    }
    if (e.arbre.Boites().empty() || e.arbre.Boites()[0]->Bounds().width() != valeur)
        state.SkipWithError("the change did not reach the tree");
    state.counters["boites"] = static_cast<double>(e.arbre.Boites().size());
}
BENCHMARK(BM_ChangementLookReconstruitEtRepeint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The model list refilled (as when the editor is shown or a model saved)
// from a look folder of 200 models, each with its thumbnail.
void BM_RemplitModeles200(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString ancien = DossierArbre;
    DossierArbre = dossier.path() + QLatin1Char('/');
    Editeur e;
    const QImage vignette = VignetteLook(Looks, e.pedigree.bd, 1, false);
    for (int i = 0; i < 200; ++i) {
        const QString base = DossierArbre + QStringLiteral("modele %1").arg(i, 3, 10, QLatin1Char('0'));
        QFile::copy(QStringLiteral(LIGNEE_MODELE "/1/arbre/defaut.mva"), base + QStringLiteral(".mva"));
        EcritPng(vignette, base + QStringLiteral(".png"));
    }
    auto *liste = e.fenetre.findChild<QListWidget *>(QStringLiteral("lbFileList"));
    for (auto _ : state) {
        e.fenetre.RemplitModeles();
        benchmark::DoNotOptimize(liste->count());
    }
    if (liste->count() != 200)
        state.SkipWithError("the list does not hold the 200 models");
    state.counters["modeles"] = liste->count();
    DossierArbre = ancien;
}
BENCHMARK(BM_RemplitModeles200)->Unit(benchmark::kMillisecond);

} // namespace
