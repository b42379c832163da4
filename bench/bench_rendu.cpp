// Printable designs: an A4 design exported at 300 dpi (2,480 x 3,508 pixels)
// as a JPEG file within 1 s; an A4 design of full-page pictures saved as a
// JPEG picture as the print window saves it (10 pixels per millimetre)
// within 500 ms and 300 MB at the most; and a 4,000 x 3,000 picture
// resampled to 800 x 600 within 150 ms with the default filter (Box, the one
// the exports use); the other filters for comparison.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTemporaryDir>

#include "BitmapFX.h"
#include "CanevasQt.h"
#include "Convertisseurs.h"
#include "Images.h"
#include "TfmGenePrint.h"
#include "TxiloCADImage.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;

namespace {

// An A4 page of 200 turned shapes of every kind, filled and outlined,
// spread over the page.
void Remplit(TxiloCADMdl &m)
{
    for (int i = 0; i < 200; ++i) {
        auto &r = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
        r.SetFace(1);
        r.SetCentre(10 + (i * 37) % 190, 10 + (i * 53) % 277);
        r.SetTaille(10 + i % 40, 8 + i % 30);
        r.SetR((i * 7) % 360);
        r.SetCote(i % 5 == 0 ? TxiloCADRectangle::CoteEllipse : 3 + i % 4);
        r.SetPen(TStylo{CouleurRGB(i % 256, 0, 128), 250 + i % 300, 0});
        r.SetBrush(TPinceau{CouleurRGB(0, i % 256, 64), i % 2 == 0 ? 0 : 4});
    }
}

void BM_ExportA4Jpeg300dpi(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"page.jpg"_s);
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 210, 297);
    Remplit(m);
    m.SetQualiteExport(int(state.range(0)));
    for (auto _ : state) {
        if (!m.ExportJpeg(chemin, 2480, 3508, CouleurNoire))
            state.SkipWithError("la page n'a pu être exportée");
    }
}
// Quality 0 (the default) draws at twice the size and reduces; 7 draws
// directly.
BENCHMARK(BM_ExportA4Jpeg300dpi)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);

// The pictures of the design below, written into `dossier`: a photograph
// of 2,400 x 3,400 pixels, a picture of 1,800 x 2,400 whose middle is white,
// and the strip of a tiled frame.
void EcritPhotos(const QString &dossier)
{
    QImage photo(2400, 3400, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *ligne = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            ligne[x] = qRgb((x / 7 + y / 5) & 255, (x / 3) & 255, (y / 9) & 255);
    }
    EcritJpeg(photo, dossier + u"/photo.jpg"_s);
    QImage calque = photo.copy(0, 0, 1800, 2400);
    {
        QPainter p(&calque);
        p.fillRect(QRect(300, 400, 1200, 1600), Qt::white);
    }
    EcritPng(calque, dossier + u"/calque.png"_s);
    QImage bande(240, 120, QImage::Format_RGB32);
    bande.fill(Qt::darkRed);
    EcritPng(bande, dossier + u"/bande.png"_s);
}

// An A4 design of full-page pictures (those of EcritPhotos in `dossier`), as
// the print window holds it after showing it in a window of about 1,000
// pixels: the photograph over the whole page, the second picture turned and
// transparent in white, a tiled frame round the page, a title and a few
// shapes.
struct DessinPhotos {
    TxiloCADMdl m{nullptr, QRect(0, 0, 210, 297), 210, 297};

    explicit DessinPhotos(const QString &dossier)
    {
        const QString chemin = dossier + u'/';
        m.SetOnResolveFile([chemin](TxiloCADObj *, QString &nom) { nom = chemin + nom; });
        m.Interrupteurs().ReduitTexte = true;

        const auto image = [&](const QString &fichier, double l, double h, double r) -> TxiloCADImage & {
            auto &i = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
            i.SetFace(1);
            i.SetCentre(105, 148.5);
            i.SetTaille(l, h);
            i.SetR(r);
            i.SetFichierImage(fichier);
            return i;
        };
        image(u"photo.jpg"_s, 210, 297, 0);
        TxiloCADImage &calqueTourne = image(u"calque.png"_s, 180, 240, 8);
        calqueTourne.SetTransparent(true);
        calqueTourne.SetTransparentColor(CouleurBlanche);
        image(u"bande.png"_s, 204, 288, 0).SetBordure(TBordure{true, 12, 12, 2});
        for (int i = 0; i < 20; ++i) {
            auto &r = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
            r.SetFace(1);
            r.SetCentre(20 + (i * 37) % 170, 20 + (i * 53) % 257);
            r.SetTaille(15, 10);
            r.SetR(i * 9);
            r.SetBrush(TPinceau{CouleurRGB(0, i * 12, 64), 0});
        }
        auto &titre = dynamic_cast<TxiloCADTexte &>(*m.AddObject(u"texte"_s));
        titre.SetFace(1);
        titre.SetFont(TFonteCAD{CouleurNoire, u"Arial"_s, 9000, 0, 0});
        titre.SetCentre(105, 30);
        titre.SetText(u"Généalogie de ma famille"_s);
        // Shown once in the window, as before a save.
        QImage ecran(700, 990, QImage::Format_RGB32);
        QPainter p(&ecran);
        TCanevasQt canevas(p);
        m.Draw(canevas, ecran.rect());
    }
    // What the print window's "Enregistrer" writes for a JPEG picture.
    bool Enregistre(const QString &fichier)
    {
        const auto &jpeg = TfmGenePrint::FormatsImage().at(2);
        return jpeg.Ecrit(m, fichier, 210 * TfmGenePrint::PixelsParMm, 297 * TfmGenePrint::PixelsParMm, nullptr);
    }
};

void BM_EnregistreA4PhotosJpeg(benchmark::State &state)
{
    QTemporaryDir dossier;
    EcritPhotos(dossier.path());
    DessinPhotos dessin(dossier.path());
    const QString fichier = dossier.filePath(u"page.jpg"_s);
    for (auto _ : state) {
        if (!dessin.Enregistre(fichier))
            state.SkipWithError("la page n'a pu être enregistrée");
    }
}
BENCHMARK(BM_EnregistreA4PhotosJpeg)->Unit(benchmark::kMillisecond);

// The peak memory of one save, measured in a process of its own (this
// program run again on this benchmark alone): its largest resident size once
// the design is shown (avant_Mo) and once it is saved (pic_Mo), in
// megabytes; their difference is what the save takes.
constexpr const char *VariableDossier = "LIGNEE_MESURE_DOSSIER";

// The largest resident size of this process so far, in kilobytes (VmHWM,
// which unlike getrusage owes nothing to the process it was started from).
long PicResident()
{
    QFile statut(u"/proc/self/status"_s);
    if (!statut.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &ligne : statut.readAll().split('\n')) {
        if (ligne.startsWith("VmHWM:"))
            return ligne.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Runs this program again on the pictures of `dossier`; true when it ended
// well. What it prints is left out.
bool LanceMesure(const QString &dossier)
{
    char programme[4096];
    const ssize_t n = readlink("/proc/self/exe", programme, sizeof programme - 1);
    if (n <= 0)
        return false;
    programme[n] = 0;
    char filtre[] = "--benchmark_filter=^BM_EnregistreA4PhotosJpegMemoire/";
    char *arguments[] = {programme, filtre, nullptr};
    const std::string variable = std::string(VariableDossier) + "=" + dossier.toStdString();
    std::vector<char *> environnement;
    for (char **e = environ; *e; ++e)
        environnement.push_back(*e);
    environnement.push_back(const_cast<char *>(variable.c_str()));
    environnement.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t fils = 0;
    const int lance = posix_spawn(&fils, programme, &actions, nullptr, arguments, environnement.data());
    posix_spawn_file_actions_destroy(&actions);
    int statut = 0;
    return lance == 0 && waitpid(fils, &statut, 0) == fils && WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
}

void BM_EnregistreA4PhotosJpegMemoire(benchmark::State &state)
{
    if (const char *variable = std::getenv(VariableDossier)) {
        // The process measured: it writes its two figures into the folder.
        const QString dossier = QString::fromLocal8Bit(variable);
        for (auto _ : state) {
            DessinPhotos dessin(dossier);
            const long avant = PicResident();
            if (!dessin.Enregistre(dossier + u"/page.jpg"_s))
                std::exit(1);
            QFile mesures(dossier + u"/mesures.txt"_s);
            if (!mesures.open(QIODevice::WriteOnly)
                || mesures.write(QByteArray::number(qint64(avant)) + ' ' + QByteArray::number(qint64(PicResident())))
                       < 0)
                std::exit(1);
        }
        return;
    }
    QTemporaryDir dossier;
    EcritPhotos(dossier.path());
    for (auto _ : state) {
        QFile mesures(dossier.filePath(u"mesures.txt"_s));
        if (!LanceMesure(dossier.path()) || !mesures.open(QIODevice::ReadOnly)) {
            state.SkipWithError("la mesure n'a pu être faite");
            return;
        }
        const QList<QByteArray> valeurs = mesures.readAll().split(' ');
        state.counters["avant_Mo"] = valeurs.value(0).toDouble() / 1024;
        state.counters["pic_Mo"] = valeurs.value(1).toDouble() / 1024;
    }
}
BENCHMARK(BM_EnregistreA4PhotosJpegMemoire)->Iterations(1)->Unit(benchmark::kMillisecond);

QImage Photo()
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *ligne = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ligne[x] = qRgb((x * 7 + y) & 255, (x ^ y) & 255, (y * 3) & 255);
    }
    return image;
}

void BM_Redimension(benchmark::State &state)
{
    const QImage source = Photo();
    QImage destination(800, 600, QImage::Format_RGB32);
    const int filtre = int(state.range(0));
    for (auto _ : state) {
        if (!TBitmapFX::Stretch(source, destination, filtre))
            state.SkipWithError("échec du redimensionnement");
    }
    state.SetLabel(QString::fromUtf16(TBitmapFX::Filtres()[size_t(filtre)].Nom).toStdString());
}
BENCHMARK(BM_Redimension)->DenseRange(0, TBitmapFX::NombreFiltres - 1)->Unit(benchmark::kMillisecond);

} // namespace
