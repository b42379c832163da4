// Printable designs, pictures and metafiles:
// - a clip art of 5,000 records (pens, brushes, polygons, lines, rectangles,
//   ellipses, filled paths) played into an 800 x 600 picture within 20 ms;
// - an 800 x 600 page of 20 picture objects whose caches are composed,
//   four of them turned and four masked, redrawn within 10 ms, as the
//   editor redraws on a 10-millisecond timer;
// - an A4 page of a family chart (a background photograph, portraits, some
//   turned, clip art on a transparent colour, frames, names, some turned,
//   curves, calendars, a bar code, groups, a folder tree) saved as an
//   enhanced metafile at 10 pixels per millimetre within 200 ms, after the
//   editor has shown it at the screen's size, as the print window saves it;
// - the shipped A4 design "Entre mes parents", whose pictures fill the page
//   (a turned parchment and a frame of tiles on a transparent colour),
//   saved so within 150 ms and 15 MB;
// - an A4 page holding one text line of 64,000 and of 128,000 characters
//   saved so, in a time that grows with the line's length.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTemporaryDir>

#include "CanevasQt.h"
#include "ExportEmf.h"
#include "Images.h"
#include "LecteurEmf.h"
#include "Metafichier.h"
#include "TxiloCADArbo.h"
#include "TxiloCADCal.h"
#include "TxiloCADCodeBarre.h"
#include "TxiloCADForme.h"
#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;

namespace {

void Mot(QByteArray &o, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        o.append(char((v >> (8 * i)) & 0xFF));
}

// Metafile records written one after the other, a header before them and
// an EOF after, in hundredths of a millimetre over a 200 x 150 mm frame.
class Emf
{
public:
    void Enr(std::uint32_t type, std::initializer_list<std::uint32_t> mots)
    {
        Mot(m_corps, type);
        Mot(m_corps, std::uint32_t(8 + 4 * mots.size()));
        for (const std::uint32_t m : mots)
            Mot(m_corps, m);
        ++m_nombre;
    }
    void Poly16(std::uint32_t type, const std::vector<QPoint> &points)
    {
        Mot(m_corps, type);
        Mot(m_corps, std::uint32_t(28 + 4 * points.size()));
        for (int i = 0; i < 4; ++i)
            Mot(m_corps, 0);
        Mot(m_corps, std::uint32_t(points.size()));
        for (const QPoint &p : points)
            Mot(m_corps, std::uint32_t(std::uint16_t(p.x())) | (std::uint32_t(std::uint16_t(p.y())) << 16));
        ++m_nombre;
    }
    int Nombre() const { return m_nombre; }
    QByteArray Octets() const
    {
        QByteArray o;
        for (const std::uint32_t v : {1u, 88u, 0u, 0u, 799u, 599u, 0u, 0u, 20000u, 15000u, SignatureEmf, 0x10000u,
                                      std::uint32_t(88 + m_corps.size() + 20), std::uint32_t(m_nombre + 2), 64u, 0u,
                                      0u, 0u, 800u, 600u, 200u, 150u})
            Mot(o, v);
        o.append(m_corps);
        for (const std::uint32_t v : {14u, 20u, 0u, 16u, 20u})
            Mot(o, v);
        return o;
    }

private:
    QByteArray m_corps;
    int m_nombre = 0;
};

// 5,000 records: the mapping, then groups of ten records drawing a star,
// a bar, a frame, an ellipse and a filled path, each with its own pen and
// brush.
QByteArray ClipArt()
{
    Emf e;
    e.Enr(17, {8});
    e.Enr(9, {20000, 15000});
    e.Enr(11, {800, 600});
    e.Enr(18, {1});
    int i = 0;
    while (e.Nombre() + 16 <= 5000) {
        const int x = 500 + (i * 1370) % 19000;
        const int y = 500 + (i * 2290) % 14000;
        const std::uint32_t couleur = std::uint32_t((i * 2654435761u) & 0xFFFFFF);
        e.Enr(38, {1, 0, std::uint32_t(10 + i % 60), 0, couleur ^ 0x808080});
        e.Enr(37, {1});
        e.Enr(39, {2, 0, couleur, 0});
        e.Enr(37, {2});
        std::vector<QPoint> etoile;
        for (int k = 0; k < 10; ++k) {
            const double a = k * 3.14159265 / 5;
            const int r = k % 2 ? 180 : 450;
            etoile.emplace_back(x + int(r * std::cos(a)), y + int(r * std::sin(a)));
        }
        e.Poly16(86, etoile);
        e.Poly16(87, {{x - 400, y + 500}, {x, y + 650}, {x + 400, y + 500}});
        e.Enr(43, {std::uint32_t(x - 300), std::uint32_t(y - 300), std::uint32_t(x + 300), std::uint32_t(y + 200)});
        e.Enr(42, {std::uint32_t(x - 150), std::uint32_t(y - 150), std::uint32_t(x + 150), std::uint32_t(y + 150)});
        e.Enr(59, {});
        e.Enr(27, {std::uint32_t(x), std::uint32_t(y - 600)});
        e.Poly16(88, {{x + 200, y - 600}, {x + 300, y - 400}, {x + 200, y - 300}});
        e.Enr(61, {});
        e.Enr(60, {});
        e.Enr(62, {0, 0, 1, 1});
        e.Enr(40, {1});
        e.Enr(40, {2});
        ++i;
    }
    while (e.Nombre() < 5000)
        e.Enr(33, {}), e.Enr(34, {std::uint32_t(-1)});
    return e.Octets();
}

void BM_JoueMetafichier5000Enregistrements(benchmark::State &state)
{
    TMetafichier metafichier;
    if (!metafichier.ChargeOctets(ClipArt())) {
        state.SkipWithError("métafichier illisible");
        return;
    }
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        metafichier.Dessine(painter, QRectF(0, 0, 800, 600));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["enregistrements"] = 5000;
}
BENCHMARK(BM_JoueMetafichier5000Enregistrements)->Unit(benchmark::kMillisecond);

// A 1,600 x 1,200 photograph shaded from red to blue.
QImage Photographie()
{
    QImage photo(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(255 - x * 255 / 1600, y * 200 / 1200, x * 255 / 1600));
    return photo;
}

void BM_PageDe20ImagesEnCache(benchmark::State &state)
{
    // The photograph, and the clip art as a mask of white areas.
    QTemporaryDir dossier;
    const QImage photo = Photographie();
    const QString chemin = dossier.filePath(u"photo.jpg"_s);
    const QString masque = dossier.filePath(u"masque.emf"_s);
    QFile f(masque);
    if (!EcritJpeg(photo, chemin) || !f.open(QIODevice::WriteOnly) || f.write(ClipArt()) < 0) {
        state.SkipWithError("fichiers de test");
        return;
    }
    f.close();

    TxiloCADMdl m(nullptr, QRect(0, 0, 200, 150), 200, 150);
    for (int i = 0; i < 20; ++i) {
        auto &image = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
        image.SetFace(1);
        image.SetCentre(22 + (i % 5) * 39, 20 + (i / 5) * 37);
        image.SetTaille(36, 27);
        image.SetR(i % 5 == 4 ? 15 : 0);
        image.SetFichierImage(chemin);
        if (i % 5 == 3)
            image.SetFichierMasque(masque);
    }
    const QRect ecran(0, 0, 800, 600);
    QImage page(ecran.size(), QImage::Format_RGB32);
    QPainter painter(&page);
    TCanevasQt canevas(painter);
    // The caches are composed at the first drawing.
    m.Draw(canevas, ecran);
    for (auto _ : state) {
        m.Draw(canevas, ecran);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_PageDe20ImagesEnCache)->Unit(benchmark::kMillisecond);

// The A4 family chart of the benchmark, its files in `dossier`: 60
// objects of every kind.
bool ArbreA4(TxiloCADMdl &m, const QString &dossier)
{
    const QImage photo = Photographie();
    QImage portrait(300, 400, QImage::Format_RGB32);
    for (int y = 0; y < portrait.height(); ++y)
        for (int x = 0; x < portrait.width(); ++x)
            portrait.setPixel(x, y, qRgb(120 + x / 3, 90 + y / 5, 60 + (x + y) / 8));
    // A leaf of clip art on magenta.
    QImage feuille(256, 256, QImage::Format_RGB32);
    feuille.fill(qRgb(255, 0, 255));
    {
        QPainter painter(&feuille);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 140, 40));
        painter.drawEllipse(QRect(20, 60, 216, 136));
    }
    const QString fond = dossier + u"/fond.jpg"_s;
    const QString visage = dossier + u"/portrait.jpg"_s;
    const QString ornement = dossier + u"/feuille.png"_s;
    const QString sous = dossier + u"/blason.mdl"_s;
    QFile f(sous);
    if (!EcritJpeg(photo, fond) || !EcritJpeg(portrait, visage) || !feuille.save(ornement)
        || !f.open(QIODevice::WriteOnly))
        return false;
    f.write("Large=40\nHaut=40\nFace=1\n"
            "  R\n    Name=Rectangle\n    x=20\n    y=20\n    l=36\n    h=36\n    Cote=999\n    Brush=16711680,0\n  End\n"
            "  R\n    Name=Rectangle\n    x=20\n    y=20\n    l=20\n    h=30\n    Cote=3\n    Brush=65535,0\n  End\n"
            "  L\n    Name=Ligne\n    p=2;38|10;2|30;2|38;38|\n  End\nEnd\n");
    f.close();
    QDir(dossier).mkpath(u"archives/actes"_s);
    for (int i = 0; i < 10; ++i) {
        QFile acte(dossier + u"/archives/actes/acte%1.txt"_s.arg(i));
        if (!acte.open(QIODevice::WriteOnly))
            return false;
    }

    const auto ajoute = [&m](const QString &sorte) {
        TxiloCADObj *objet = m.AddObject(sorte);
        objet->SetFace(1);
        return objet;
    };
    auto *image = dynamic_cast<TxiloCADImage *>(ajoute(u"image"_s));
    image->SetCentre(105, 100);
    image->SetTaille(190, 140);
    image->SetFichierImage(fond);
    for (int i = 0; i < 8; ++i) {
        auto *cadre = dynamic_cast<TxiloCADRectangle *>(ajoute(u"rectangle"_s));
        cadre->SetCentre(30 + (i % 4) * 50, 190 + (i / 4) * 60);
        cadre->SetTaille(44, 54);
        cadre->SetCote(i % 3 ? 4 : TxiloCADRectangle::CoteEllipse);
        cadre->SetPen(TStylo{CouleurRGB(80, 40, 0), 800, StyloPlein});
        cadre->SetBrush(TPinceau{CouleurRGB(250, 240, 220), i % 4 ? PinceauPlein : PinceauDiagonaleAvant});
        auto *p = dynamic_cast<TxiloCADImage *>(ajoute(u"image"_s));
        p->SetCentre(30 + (i % 4) * 50, 185 + (i / 4) * 60);
        p->SetTaille(30, 40);
        p->SetR(i % 4 == 1 ? 8 : 0);
        p->SetFichierImage(visage);
        auto *nom = dynamic_cast<TxiloCADTexte *>(ajoute(u"texte"_s));
        nom->SetFont(TFonteCAD{CouleurNoire, u"Times New Roman"_s, 3500, i % 2 ? FonteItalique : FonteGras, 0});
        nom->SetText(u"Personne %1 Dupré|1850 – 1920"_s.arg(i + 1));
        nom->SetCentre(30 + (i % 4) * 50, 212 + (i / 4) * 60);
    }
    for (int i = 0; i < 6; ++i) {
        auto *o = dynamic_cast<TxiloCADImage *>(ajoute(u"image"_s));
        o->SetCentre(20 + i * 34, 25);
        o->SetTaille(25, 25);
        o->SetR(i * 30);
        o->SetTransparent(true);
        o->SetTransparentColor(CouleurMagenta);
        o->SetFichierImage(ornement);
    }
    for (int i = 0; i < 6; ++i) {
        auto *t = dynamic_cast<TxiloCADTexte *>(ajoute(u"texte"_s));
        t->SetFont(TFonteCAD{CouleurRGB(120, 0, 0), u"Arial"_s, 5000, FonteGras, 0});
        t->SetText(i == 0 ? u"Famille Dupré"_s : u"Branche %1"_s.arg(i));
        t->SetCentre(i == 0 ? 105 : 10 + i * 35, i == 0 ? 45 : 170);
        t->SetR(i == 0 ? 0 : -20 * i);
    }
    for (int i = 0; i < 6; ++i) {
        auto *l = dynamic_cast<TxiloCADLigne *>(ajoute(u"ligne"_s));
        l->SetPoints({{30.0 + i * 30, 160}, {40.0 + i * 30, 140}, {60.0 + i * 30, 180}, {70.0 + i * 30, 160},
                      {80.0 + i * 30, 140}, {90.0 + i * 30, 180}, {100.0 + i * 30, 160}});
        l->SetPen(TStylo{CouleurRGB(0, 60, 120), 500 + 200 * i, i % 3});
        auto *forme = dynamic_cast<TxiloCADForme *>(ajoute(u"forme"_s));
        forme->SetCentre(20 + i * 34, 280);
        forme->SetTaille(24, 16);
        forme->SetR(i * 15);
        forme->SetCadreForme(1, 1);
        forme->SetPoints({{0.5, 0}, {1, 0}, {1, 1}, {0.5, 1}, {0, 1}, {0, 0}, {0.5, 0}});
        forme->SetBrush(TPinceau{CouleurRGB(40 * i, 120, 200), PinceauPlein});
    }
    for (int i = 0; i < 2; ++i) {
        auto *c = dynamic_cast<TxiloCADCal *>(ajoute(u"cal"_s));
        c->SetCentre(55 + i * 100, 250);
        c->SetTaille(90, 40);
        c->SetAnnee(2024);
        c->SetMois(3 + i);
        c->SetR(i * 5);
        auto *g = dynamic_cast<TxiloCADGroup *>(ajoute(u"groupe"_s));
        g->SetCentre(30 + i * 150, 60);
        g->SetTaille(30, 30);
        g->SetR(i * 20);
        g->SetFichierMdl(sous);
    }
    auto *code = dynamic_cast<TxiloCADCodeBarre *>(ajoute(u"codebarre"_s));
    code->SetCentre(170, 288);
    code->SetTaille(40, 15);
    code->SetCodeBarre(u"9782070360024"_s);
    auto *arbo = dynamic_cast<TxiloCADArbo *>(ajoute(u"arbo"_s));
    arbo->SetCentre(160, 130);
    arbo->SetTaille(60, 40);
    arbo->SetViewFichier(true);
    arbo->SetPath(dossier + u"/archives"_s);
    return true;
}

void BM_EnregistreA4EnEmf(benchmark::State &state)
{
    QTemporaryDir dossier;
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 210, 297);
    if (!dossier.isValid() || !ArbreA4(m, dossier.path())) {
        state.SkipWithError("fichiers de test");
        return;
    }
    // The print window's editor shows the page 860 pixels wide.
    const QRect ecran(0, 0, 860, 1216);
    QImage page(ecran.size(), QImage::Format_RGB32);
    const QString fichier = dossier.filePath(u"arbre.emf"_s);
    for (auto _ : state) {
        state.PauseTiming();
        {
            QPainter painter(&page);
            TCanevasQt canevas(painter);
            m.Draw(canevas, ecran);
        }
        state.ResumeTiming();
        QString erreur;
        if (!ExporteEmf(m, fichier, 2100, 2970, &erreur)) {
            state.SkipWithError(qPrintable(erreur));
            return;
        }
    }
    state.counters["objets"] = m.Count();
    state.counters["octets"] = double(QFileInfo(fichier).size());
}
BENCHMARK(BM_EnregistreA4EnEmf)->Unit(benchmark::kMillisecond);

void BM_EnregistreA4PleinePageEnEmf(benchmark::State &state)
{
    const QString modeles = QStringLiteral(LIGNEE_MODELE);
    TxiloCADMdl m(nullptr, QRect(0, 0, 297, 210), 297, 210);
    m.SetOnResolveFile([&modeles](TxiloCADObj *, QString &nom) {
        if (!nom.isEmpty() && QFileInfo(nom).isRelative())
            nom = modeles + u"/0/impression/images/"_s + nom;
    });
    QString erreur;
    if (!m.LoadFromFile(modeles + u"/1/impression/modeles/Arbre généalogique/Entre mes parents.mdl"_s, &erreur)) {
        state.SkipWithError(qPrintable(erreur));
        return;
    }
    m.Interrupteurs().Messages = false;
    m.Interrupteurs().Interactif = false;
    QTemporaryDir dossier;
    const QRect ecran(0, 0, 1216, 860);
    QImage page(ecran.size(), QImage::Format_RGB32);
    const QString fichier = dossier.filePath(u"parents.emf"_s);
    for (auto _ : state) {
        state.PauseTiming();
        {
            QPainter painter(&page);
            TCanevasQt canevas(painter);
            m.Draw(canevas, ecran);
        }
        state.ResumeTiming();
        if (!ExporteEmf(m, fichier, 2970, 2100, &erreur)) {
            state.SkipWithError(qPrintable(erreur));
            return;
        }
    }
    state.counters["objets"] = m.Count();
    state.counters["octets"] = double(QFileInfo(fichier).size());
}
BENCHMARK(BM_EnregistreA4PleinePageEnEmf)->Unit(benchmark::kMillisecond);

void BM_EnregistreLigneLongueEnEmf(benchmark::State &state)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 210, 297);
    auto *texte = dynamic_cast<TxiloCADTexte *>(m.AddObject(u"texte"_s));
    texte->SetFace(1);
    QString ligne;
    for (qsizetype i = 0; i < state.range(0); ++i)
        ligne.append(i % 7 == 6 ? QChar(u' ') : QChar(char16_t(u'a' + i % 26)));
    texte->SetText(ligne);
    texte->SetCentre(105, 148);
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(u"ligne.emf"_s);
    for (auto _ : state) {
        QString erreur;
        if (!ExporteEmf(m, fichier, 2100, 2970, &erreur)) {
            state.SkipWithError(qPrintable(erreur));
            return;
        }
    }
    state.counters["octets"] = double(QFileInfo(fichier).size());
}
BENCHMARK(BM_EnregistreLigneLongueEnEmf)->Arg(64000)->Arg(128000)->Unit(benchmark::kMillisecond);

} // namespace
