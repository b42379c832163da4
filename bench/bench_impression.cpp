// The artistic print window:
// - the model chooser showing a folder of 60 models whose previews are on
//   the disk (listed, the previews read, the grid painted): within 300 ms;
// - a family chart of 48 objects filled for a person of the 100,000-person
//   database (person templates, the three texts, the photograph) and drawn
//   in the window's editor: within 200 ms.

#include <benchmark/benchmark.h>

#include <memory>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "BD.h"
#include "BaseSynthetique.h"
#include "Globales.h"
#include "Images.h"
#include "Parente.h"
#include "TfmGenePrint.h"
#include "TxiloApercuModele.h"
#include "Modeles.h"
#include "TxiloCAD.h"
#include "TxiloCADImage.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;

namespace {

const QString Fixtures = QStringLiteral(LIGNEE_FIXTURES "/impression/modeles/");

// 60 models, copies of the test models, with their previews rendered once.
QString DossierDeModeles(const QTemporaryDir &tmp)
{
    const QString dossier = tmp.path() + u"/modeles/"_s;
    QDir().mkpath(dossier);
    const QString sources[] = {Fixtures + u"Famille/arbre.mdl"_s, Fixtures + u"Famille/etiquette.mdl"_s,
                               Fixtures + u"Divers/marque_page.mdl"_s};
    for (int i = 0; i < 60; ++i)
        QFile::copy(sources[i % 3], dossier + u"modele%1.mdl"_s.arg(i, 2, 10, QLatin1Char('0')));
    TxiloApercuModele choix;
    choix.LoadFolder(dossier);
    return dossier;
}

void BM_ChoixSoixanteModeles(benchmark::State &state)
{
    QTemporaryDir tmp;
    const QString dossier = DossierDeModeles(tmp);
    TxiloApercuModele choix;
    choix.SetTailleAuto(false);
    choix.SetApercuLarge(164);
    choix.SetApercuHaut(164);
    choix.SetEspacement(4);
    choix.resize(356, 700);
    choix.show();
    QWidget *image = choix.findChild<QWidget *>(u"Apercus"_s);
    for (auto _ : state) {
        choix.LoadFolder(dossier);
        // Every cell painted, not only those on screen.
        benchmark::DoNotOptimize(image->grab());
    }
    if (choix.Count() != 60)
        state.SkipWithError("the folder does not show 60 models");
}
BENCHMARK(BM_ChoixSoixanteModeles)->Unit(benchmark::kMillisecond);

// A chart of the person and two generations around: a title, the three
// texts, 40 lines of person templates and the photograph.
QString Tableau(const QTemporaryDir &tmp)
{
    QString t = u"Large=297\nHaut=210\nFace=1\n"
                u"  Fond\n    Name=Rectangle\n    Pen=000000,1,5\n    Brush=E0F0FF,0\n    x=148,5\n    y=105\n"
                u"    l=297\n    h=210\n    r=0\n  End\n"
                u"  Photo\n    Name=Image\n    Code=<photo>\n    x=40\n    y=60\n    l=50\n    h=65\n    r=0\n  End\n"_s;
    const QString textes[] = {u"<Texte1>"_s, u"<texte2>"_s, u"<TEXTE3>"_s};
    const QString modeles[] = {u"<nom> <prénom>"_s, u"° <naissance> <lieu naissance>"_s, u"+ <décès> <lieu décès>"_s,
                               u"Père : <père>"_s, u"Mère : <mère>"_s, u"Conjoint : <conjoint> (<mariage>)"_s,
                               u"<profession>, <âge> ans"_s, u"<zodiaque>"_s};
    for (int i = 0; i < 46; ++i) {
        const QString texte = i < 3 ? textes[i] : modeles[i % 8];
        t += u"  T%1\n    Name=Texte\n    x=%2\n    y=%3\n    l=60\n    h=6\n    r=0\n"
             u"    Font=000000,Arial,3500,\n    Aligne=0\n    Alignement=2\n    txt=%4\n  End\n"_s
                 .arg(i)
                 .arg(110 + (i % 3) * 62)
                 .arg(15 + (i / 3) * 12)
                 .arg(texte);
    }
    t += u"End\n"_s;
    const QString chemin = tmp.path() + u"/tableau.mdl"_s;
    QFile f(chemin);
    f.open(QIODevice::WriteOnly);
    f.write(t.toUtf8());
    return chemin;
}

void BM_RemplitEtAfficheUnModele(benchmark::State &state)
{
    auto base = std::make_unique<TBD>();
    TBD &bd = *base;
    RemplitBaseSynthetique(bd);
    QTemporaryDir tmp;
    const QString modele = Tableau(tmp);
    QImage photo(600, 800, QImage::Format_RGB32);
    photo.fill(Qt::darkYellow);
    EcritJpeg(photo, tmp.path() + u"/photo.jpg"_s);
    FichierCourant = tmp.path() + u"/base.mvd"_s;
    // A person with parents, a spouse and the photograph as "<photo>" finds
    // it (a source of kind "Photo de l'arbre" named "photo.jpg").
    int p = 0;
    for (int q = bd.PersonCount(); q > 0 && !p; --q) {
        if (bd.PersonInUse(q) && bd.Father(q) && bd.Mother(q) && SpouseCount(bd, q) > 0)
            p = q;
    }
    const int s = bd.AddPersonSource(p);
    bd.SetSourceField(s, SrcGenre, u"Photo de l'arbre"_s);
    bd.SetSourceField(s, SrcFichier, u"photo.jpg"_s);
    RefPers = p;
    TfmGenePrint fenetre(bd, {QString(), tmp.path() + u"/"_s, tmp.path() + u"/"_s, QString()});
    fenetre.resize(1200, 800);
    fenetre.show();
    for (auto _ : state) {
        fenetre.ApplyModel(modele);
        fenetre.Editeur().Redraw();
    }
    const TxiloCADMdl &m = fenetre.Editeur().Modele();
    if (fenetre.Editeur().Image().isNull() || dynamic_cast<const TxiloCADImage &>(m.Objet(1)).Image().isNull()
        || dynamic_cast<const TxiloCADTexte &>(m.Objet(10)).TexteAffiche() != ExpandTemplate(bd, p, u"<nom> <prénom>"_s))
        state.SkipWithError("the model was not filled for the person");
}
BENCHMARK(BM_RemplitEtAfficheUnModele)->Unit(benchmark::kMillisecond);

} // namespace
