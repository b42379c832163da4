#include "Sane.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sane/saneopts.h>

#include <QLibrary>

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

// Options, lists and strings longer than these come from a broken back end.
constexpr SANE_Int MaxOptions = 10000;
constexpr SANE_Int MaxValeurs = 1000;
constexpr SANE_Int MaxTexte = 4096;

constexpr int ResolutionDefaut = 300;
constexpr int ResolutionsUsuelles[] = {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400, 4800};

// The number of the active, settable option of that name; 0 when none.
SANE_Int Option(const TFonctionsSane &s, SANE_Handle h, const char *nom, const SANE_Option_Descriptor **descripteur)
{
    if (!s.GetOptionDescriptor || !s.ControlOption)
        return 0;
    SANE_Int nombre = 0;
    const SANE_Option_Descriptor *d0 = s.GetOptionDescriptor(h, 0);
    if (!d0 || d0->type != SANE_TYPE_INT || d0->size != static_cast<SANE_Int>(sizeof(SANE_Word))
        || s.ControlOption(h, 0, SANE_ACTION_GET_VALUE, &nombre, nullptr) != SANE_STATUS_GOOD)
        return 0;
    nombre = std::clamp<SANE_Int>(nombre, 0, MaxOptions);
    for (SANE_Int i = 1; i < nombre; ++i) {
        const SANE_Option_Descriptor *d = s.GetOptionDescriptor(h, i);
        if (d && d->name && std::strcmp(d->name, nom) == 0 && SANE_OPTION_IS_ACTIVE(d->cap)
            && SANE_OPTION_IS_SETTABLE(d->cap)) {
            *descripteur = d;
            return i;
        }
    }
    return 0;
}

bool Resolution(const SANE_Option_Descriptor &d)
{
    return (d.type == SANE_TYPE_INT || d.type == SANE_TYPE_FIXED) && d.size == static_cast<SANE_Int>(sizeof(SANE_Word));
}

// A resolution value of the option in whole dots per inch, and back.
int EnPpp(const SANE_Option_Descriptor &d, SANE_Word v)
{
    const double ppp = d.type == SANE_TYPE_FIXED ? SANE_UNFIX(v) : double(v);
    return static_cast<int>(std::lround(std::clamp(ppp, -1e9, 1e9)));
}

SANE_Word DePpp(const SANE_Option_Descriptor &d, int ppp)
{
    return d.type == SANE_TYPE_FIXED ? SANE_FIX(ppp) : ppp;
}

bool Mode(const SANE_Option_Descriptor &d)
{
    return d.type == SANE_TYPE_STRING && d.size > 0 && d.size <= MaxTexte
        && d.constraint_type == SANE_CONSTRAINT_STRING_LIST && d.constraint.string_list;
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
                          && Resout(*bibliotheque, "sane_strstatus", t->StrStatus)
                          && Resout(*bibliotheque, "sane_get_option_descriptor", t->GetOptionDescriptor)
                          && Resout(*bibliotheque, "sane_control_option", t->ControlOption);
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

// ---- Settings ----------------------------------------------------------------

bool TOffreScan::Permet(int resolution) const
{
    if (resolution <= 0)
        return false;
    if (Max > 0)
        return resolution >= Min && resolution <= Max && (Pas <= 0 || (resolution - Min) % Pas == 0);
    return std::find(Resolutions.begin(), Resolutions.end(), resolution) != Resolutions.end();
}

TOffreScan LitOffre(const TFonctionsSane &s, SANE_Handle h)
{
    TOffreScan offre;
    const SANE_Option_Descriptor *d = nullptr;
    if (const SANE_Int n = Option(s, h, SANE_NAME_SCAN_RESOLUTION, &d); n > 0 && Resolution(*d)) {
        std::vector<int> valeurs;
        if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
            const SANE_Range &r = *d->constraint.range;
            offre.Min = std::max(EnPpp(*d, r.min), 1);
            offre.Max = EnPpp(*d, r.max);
            offre.Pas = std::max(EnPpp(*d, r.quant), 0);
            if (offre.Max >= offre.Min) {
                for (int v : ResolutionsUsuelles)
                    if (offre.Permet(v))
                        valeurs.push_back(v);
                if (valeurs.empty())
                    valeurs = {offre.Min, offre.Max};
            } else {
                offre.Min = offre.Max = offre.Pas = 0;
            }
        } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list) {
            const SANE_Int nombre = d->constraint.word_list[0];
            if (nombre > 0 && nombre <= MaxValeurs)
                for (SANE_Int i = 1; i <= nombre; ++i)
                    if (const int v = EnPpp(*d, d->constraint.word_list[i]); v > 0)
                        valeurs.push_back(v);
        }
        std::sort(valeurs.begin(), valeurs.end());
        valeurs.erase(std::unique(valeurs.begin(), valeurs.end()), valeurs.end());
        offre.Resolutions = std::move(valeurs);
    }
    if (const SANE_Int n = Option(s, h, SANE_NAME_SCAN_MODE, &d); n > 0 && Mode(*d)) {
        for (SANE_Int i = 0; i < MaxValeurs && d->constraint.string_list[i]; ++i)
            offre.Modes << QString::fromUtf8(d->constraint.string_list[i]);
    }
    return offre;
}

TReglagesScan ReglagesInitiaux(const TOffreScan &offre, const TReglagesScan &dernier)
{
    TReglagesScan r;
    if (offre.Permet(dernier.Resolution)) {
        r.Resolution = dernier.Resolution;
    } else if (!offre.Resolutions.empty()) {
        const int cible = dernier.Resolution > 0 ? dernier.Resolution : ResolutionDefaut;
        r.Resolution = offre.Resolutions.front();
        for (int v : offre.Resolutions)
            if (std::abs(v - cible) <= std::abs(r.Resolution - cible))
                r.Resolution = v;
    }
    if (offre.Modes.contains(dernier.Mode) && !dernier.Mode.isEmpty()) {
        r.Mode = dernier.Mode;
    } else if (!offre.Modes.isEmpty()) {
        const auto premier = [&](const QStringList &mots) {
            for (const QString &m : offre.Modes)
                for (const QString &mot : mots)
                    if (m.contains(mot, Qt::CaseInsensitive))
                        return m;
            return QString();
        };
        r.Mode = offre.Modes.contains(QStringLiteral(SANE_VALUE_SCAN_MODE_COLOR))
                     ? QStringLiteral(SANE_VALUE_SCAN_MODE_COLOR)
                     : premier({QStringLiteral("color"), QStringLiteral("colour")});
        if (r.Mode.isEmpty())
            r.Mode = premier({QStringLiteral("gray"), QStringLiteral("grey")});
        if (r.Mode.isEmpty())
            r.Mode = offre.Modes.front();
    }
    return r;
}

SANE_Status AppliqueReglages(const TFonctionsSane &s, SANE_Handle h, const TReglagesScan &reglages)
{
    const SANE_Option_Descriptor *d = nullptr;
    if (!reglages.Mode.isEmpty()) {
        const SANE_Int n = Option(s, h, SANE_NAME_SCAN_MODE, &d);
        if (n <= 0 || !Mode(*d))
            return SANE_STATUS_UNSUPPORTED;
        const QByteArray texte = reglages.Mode.toUtf8();
        if (texte.size() >= d->size)
            return SANE_STATUS_INVAL;
        std::vector<char> valeur(static_cast<size_t>(d->size), '\0');
        std::memcpy(valeur.data(), texte.constData(), static_cast<size_t>(texte.size()));
        SANE_Int info = 0;
        if (const SANE_Status st = s.ControlOption(h, n, SANE_ACTION_SET_VALUE, valeur.data(), &info);
            st != SANE_STATUS_GOOD)
            return st;
    }
    if (reglages.Resolution > 0) {
        // Looked up again: the mode may have changed the descriptors.
        const SANE_Int n = Option(s, h, SANE_NAME_SCAN_RESOLUTION, &d);
        if (n <= 0 || !Resolution(*d))
            return SANE_STATUS_UNSUPPORTED;
        SANE_Word valeur = DePpp(*d, reglages.Resolution);
        SANE_Int info = 0;
        if (const SANE_Status st = s.ControlOption(h, n, SANE_ACTION_SET_VALUE, &valeur, &info); st != SANE_STATUS_GOOD)
            return st;
    }
    return SANE_STATUS_GOOD;
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
