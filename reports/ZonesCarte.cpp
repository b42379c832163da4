#include "ZonesCarte.h"

#include <algorithm>
#include <cstdint>

#include <QImage>

qsizetype RemplitBordure(QImage &image, QPoint germe, QRgb couleur)
{
    if (image.isNull() || !image.rect().contains(germe))
        return 0;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const qsizetype pas = image.bytesPerLine() / 4;
    auto *pixels = reinterpret_cast<QRgb *>(image.bits());
    auto noir = [](QRgb p) { return (p & 0x00ffffffu) == 0; };
    if (noir(pixels[germe.y() * pas + germe.x()]))
        return 0;
    if (image.format() == QImage::Format_RGB32)
        couleur |= 0xff000000u;

    // Pixels of the fill colour may lie inside the region: a visited mask,
    // not the colour, tells what is done, so that the whole region is
    // reached whatever it holds.
    std::vector<uint8_t> vu(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    auto libre = [&](int x, int y) {
        return !vu[static_cast<size_t>(y) * w + x] && !noir(pixels[y * pas + x]);
    };
    struct TSegment {
        int X, Y;
    };
    std::vector<TSegment> pile;
    pile.push_back({germe.x(), germe.y()});
    qsizetype total = 0;
    while (!pile.empty()) {
        const TSegment s = pile.back();
        pile.pop_back();
        if (!libre(s.X, s.Y))
            continue;
        int g = s.X;
        while (g > 0 && libre(g - 1, s.Y))
            --g;
        int d = s.X;
        while (d + 1 < w && libre(d + 1, s.Y))
            ++d;
        QRgb *ligne = pixels + s.Y * pas;
        uint8_t *marque = vu.data() + static_cast<size_t>(s.Y) * w;
        for (int x = g; x <= d; ++x) {
            ligne[x] = couleur;
            marque[x] = 1;
        }
        total += d - g + 1;
        // One seed per run of free pixels above and below the span.
        for (const int y : {s.Y - 1, s.Y + 1}) {
            if (y < 0 || y >= h)
                continue;
            bool dansRun = false;
            for (int x = g; x <= d; ++x) {
                if (libre(x, y)) {
                    if (!dansRun)
                        pile.push_back({x, y});
                    dansRun = true;
                } else {
                    dansRun = false;
                }
            }
        }
    }
    return total;
}

TIndexZones::TIndexZones(const std::vector<TZoneCarte> &zones, TComparaisonLieux comparaison)
    : m_comparaison(comparaison)
{
    for (size_t i = 0; i < zones.size(); ++i) {
        const QString forme = FormeComparee(zones[i].Lieu);
        if (!forme.isEmpty())
            m_parInitiale[forme.at(0)].push_back({forme, static_cast<int>(i)});
    }
}

const std::vector<int> &TIndexZones::Zones(const QString &lieu)
{
    if (lieu.isEmpty() || m_parInitiale.isEmpty())
        return m_aucune;
    if (auto it = m_cache.constFind(lieu); it != m_cache.constEnd())
        return *it;
    const QString l = FormeComparee(lieu);
    std::vector<int> trouvees;
    for (qsizetype debut = 0; debut >= 0 && debut < l.size();) {
        if (auto it = m_parInitiale.constFind(l.at(debut)); it != m_parInitiale.constEnd()) {
            const QStringView reste = QStringView(l).sliced(debut);
            for (const TCode &c : *it) {
                if (!reste.startsWith(c.Forme))
                    continue;
                const qsizetype fin = debut + c.Forme.size();
                if (fin == l.size() || !l.at(fin).isLetter())
                    trouvees.push_back(c.Index);
            }
        }
        if (m_comparaison == TComparaisonLieux::Debut)
            break;
        debut = l.indexOf(u',', debut);
        if (debut >= 0)
            ++debut;
    }
    std::sort(trouvees.begin(), trouvees.end());
    trouvees.erase(std::unique(trouvees.begin(), trouvees.end()), trouvees.end());
    return *m_cache.insert(lieu, std::move(trouvees));
}

int TIndexZones::Premiere(const QString &lieu)
{
    const std::vector<int> &z = Zones(lieu);
    return z.empty() ? -1 : z.front();
}

bool ZoneCouvre(const QString &code, const QString &lieu)
{
    TIndexZones index({TZoneCarte{QString(), code, 0, 0}});
    return index.Premiere(lieu) == 0;
}
