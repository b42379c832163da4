#include "Sane.h"

#include <QLibrary>

#include <algorithm>
#include <cstring>
#include <new>

using namespace Qt::StringLiterals;

namespace {

template <typename F>
bool Resout(QLibrary &bibliotheque, const char *nom, std::function<F> &cible)
{
    auto *f = reinterpret_cast<F *>(bibliotheque.resolve(nom));
    if (!f)
        return false;
    cible = f;
    return true;
}

int Canaux(SANE_Frame format)
{
    return format == SANE_FRAME_RGB ? 3 : 1;
}

bool TrameCouleur(SANE_Frame format)
{
    return format == SANE_FRAME_RED || format == SANE_FRAME_GREEN || format == SANE_FRAME_BLUE;
}

} // namespace

std::unique_ptr<TFonctionsSane> ChargeFonctionsSane(const QString &fichier)
{
    // Never unloaded: back ends start threads and register handlers (the
    // network ones above all) that would run into unmapped code after an
    // unload.
    auto *bibliotheque = new QLibrary(fichier);
    if (!bibliotheque->load()) {
        delete bibliotheque;
        return nullptr;
    }
    auto t = std::make_unique<TFonctionsSane>();
    const bool complete = Resout(*bibliotheque, "sane_init", t->Init) && Resout(*bibliotheque, "sane_exit", t->Exit)
                          && Resout(*bibliotheque, "sane_get_devices", t->GetDevices)
                          && Resout(*bibliotheque, "sane_open", t->Open) && Resout(*bibliotheque, "sane_close", t->Close)
                          && Resout(*bibliotheque, "sane_get_parameters", t->GetParameters)
                          && Resout(*bibliotheque, "sane_start", t->Start) && Resout(*bibliotheque, "sane_read", t->Read)
                          && Resout(*bibliotheque, "sane_cancel", t->Cancel)
                          && Resout(*bibliotheque, "sane_set_io_mode", t->SetIoMode)
                          && Resout(*bibliotheque, "sane_get_select_fd", t->GetSelectFd)
                          && Resout(*bibliotheque, "sane_strstatus", t->StrStatus);
    if (!complete)
        return nullptr;
    return t;
}

const TFonctionsSane *FonctionsSane()
{
    static const std::unique_ptr<TFonctionsSane> table = ChargeFonctionsSane(u"libsane.so.1"_s);
    return table.get();
}

std::vector<TPeripherique> ListePeripheriques(const SANE_Device *const *liste)
{
    std::vector<TPeripherique> resultat;
    if (!liste)
        return resultat;
    for (; *liste; ++liste) {
        const SANE_Device &d = **liste;
        resultat.push_back({QString::fromUtf8(d.name), QString::fromUtf8(d.vendor), QString::fromUtf8(d.model),
                            QString::fromUtf8(d.type)});
    }
    return resultat;
}

QString TexteStatut(const TFonctionsSane &sane, SANE_Status statut)
{
    if (sane.StrStatus) {
        if (const char *t = sane.StrStatus(statut))
            return QString::fromLocal8Bit(t);
    }
    return QString::number(statut);
}

// ---- Frames ------------------------------------------------------------------

bool TImageSane::DebutTrame(const SANE_Parameters &p)
{
    m_erreur.clear();
    m_reste.clear();
    m_ligne = 0;
    if (p.format != SANE_FRAME_GRAY && p.format != SANE_FRAME_RGB && !TrameCouleur(p.format)) {
        m_erreur = u"trame de format %1"_s.arg(p.format);
        return false;
    }
    if (p.depth != 1 && p.depth != 8 && p.depth != 16) {
        m_erreur = u"échantillons de %1 bits"_s.arg(p.depth);
        return false;
    }
    if (p.pixels_per_line <= 0 || p.bytes_per_line <= 0) {
        m_erreur = u"%1 points sur %2 octets par ligne"_s.arg(p.pixels_per_line).arg(p.bytes_per_line);
        return false;
    }
    const qint64 bits = qint64(p.pixels_per_line) * Canaux(p.format) * p.depth;
    if (p.bytes_per_line < (bits + 7) / 8) {
        m_erreur = u"%1 points sur %2 octets par ligne"_s.arg(p.pixels_per_line).arg(p.bytes_per_line);
        return false;
    }
    const qint64 octetsLigne = qint64(p.pixels_per_line) * 3;
    if (octetsLigne > MaxOctets || (p.lines > 0 && octetsLigne * p.lines > MaxOctets)) {
        m_erreur = u"image de %1 x %2 points"_s.arg(p.pixels_per_line).arg(p.lines);
        return false;
    }
    const bool couleur = TrameCouleur(p.format);
    const bool suite = couleur && TrameCouleur(m_trame.format) && m_largeur > 0;
    if (suite && p.pixels_per_line != m_largeur) {
        m_erreur = u"trames de %1 et %2 points de large"_s.arg(m_largeur).arg(p.pixels_per_line);
        return false;
    }

    const qint64 octetsTrame = p.lines >= 0 ? qint64(p.bytes_per_line) * p.lines : -1;
    if (!suite) {
        // A new picture: a gray or RGB frame, or the first of a three-pass
        // scan, which announces its three frames.
        m_largeur = p.pixels_per_line;
        m_hauteur = std::max(p.lines, 0);
        m_recues = 0;
        if (!Alloue(static_cast<size_t>(octetsLigne * m_hauteur), true))
            return false;
        m_lus = 0;
        m_attendus = octetsTrame < 0 ? -1 : octetsTrame * (couleur ? 3 : 1);
    } else if (octetsTrame < 0) {
        m_attendus = -1;
    }
    m_trame = p;
    m_lignesTrame = p.lines < 0 ? -1 : p.lines;
    return true;
}

bool TImageSane::Ajoute(const SANE_Byte *donnees, int taille)
{
    if (taille <= 0 || m_largeur == 0)
        return true;
    m_lus += taille;
    const int longueur = m_trame.bytes_per_line;
    int i = 0;
    if (!m_reste.isEmpty()) {
        const int n = std::min(taille, longueur - static_cast<int>(m_reste.size()));
        m_reste.append(reinterpret_cast<const char *>(donnees), n);
        i = n;
        if (m_reste.size() < longueur)
            return true;
        const bool ok = Ligne(reinterpret_cast<const uchar *>(m_reste.constData()));
        m_reste.clear();
        if (!ok)
            return false;
    }
    for (; taille - i >= longueur; i += longueur) {
        if (!Ligne(donnees + i))
            return false;
    }
    if (i < taille)
        m_reste.append(reinterpret_cast<const char *>(donnees + i), taille - i);
    return true;
}

void TImageSane::FinTrame()
{
    // The end of an incomplete line carries no whole line: dropped.
    m_reste.clear();
}

bool TImageSane::Alloue(size_t octets, bool nouvelle)
{
    // A size within the bounds may still be more than the system gives.
    try {
        if (nouvelle)
            m_pixels.assign(octets, 0);
        else
            m_pixels.resize(octets, 0);
    } catch (const std::bad_alloc &) {
        m_pixels.clear();
        m_largeur = m_hauteur = m_recues = 0;
        m_erreur = u"mémoire insuffisante pour %1 octets"_s.arg(octets);
        return false;
    }
    return true;
}

bool TImageSane::Ligne(const uchar *octets)
{
    const int y = m_ligne;
    if (m_lignesTrame >= 0 && y >= m_lignesTrame)
        return true;
    ++m_ligne;
    const size_t largeurOctets = static_cast<size_t>(m_largeur) * 3;
    if (y >= m_hauteur) {
        // A frame of unknown length: the picture grows by half again.
        const qint64 hauteur = std::max<qint64>({qint64(y) + 1, qint64(m_hauteur) * 3 / 2, 64});
        if (hauteur * qint64(largeurOctets) > MaxOctets) {
            m_erreur = u"image de plus de %1 lignes"_s.arg(y);
            return false;
        }
        if (!Alloue(static_cast<size_t>(hauteur) * largeurOctets, false))
            return false;
        m_hauteur = static_cast<int>(hauteur);
    }
    uchar *cible = m_pixels.data() + static_cast<size_t>(y) * largeurOctets;
    const int depth = m_trame.depth;
    const bool gris = m_trame.format == SANE_FRAME_GRAY;
    const auto echantillon = [&](int i) -> uchar {
        if (depth == 8)
            return octets[i];
        if (depth == 16) {
            quint16 v;
            std::memcpy(&v, octets + 2 * i, 2);
            return static_cast<uchar>((v * 255u + 32767u) / 65535u);
        }
        const bool bit = (octets[i >> 3] >> (7 - (i & 7))) & 1;
        // In gray line art 1 is ink; in a colour channel it is light.
        return (bit != gris) ? 255 : 0;
    };
    switch (m_trame.format) {
    case SANE_FRAME_GRAY:
        for (int x = 0; x < m_largeur; ++x) {
            const uchar v = echantillon(x);
            cible[3 * x] = cible[3 * x + 1] = cible[3 * x + 2] = v;
        }
        break;
    case SANE_FRAME_RGB:
        for (int i = 0; i < 3 * m_largeur; ++i)
            cible[i] = echantillon(i);
        break;
    default: {
        const int canal = m_trame.format == SANE_FRAME_RED ? 0 : (m_trame.format == SANE_FRAME_GREEN ? 1 : 2);
        for (int x = 0; x < m_largeur; ++x)
            cible[3 * x + canal] = echantillon(x);
    }
    }
    m_recues = std::max(m_recues, y + 1);
    return true;
}

QImage TImageSane::Image() const
{
    if (m_largeur == 0 || m_recues == 0)
        return QImage();
    QImage image(m_largeur, m_recues, QImage::Format_RGB888);
    if (image.isNull())
        return image;
    const size_t largeurOctets = static_cast<size_t>(m_largeur) * 3;
    for (int y = 0; y < m_recues; ++y)
        std::memcpy(image.scanLine(y), m_pixels.data() + static_cast<size_t>(y) * largeurOctets, largeurOctets);
    return image;
}
