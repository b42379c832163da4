#pragma once

#include <sane/sane.h>

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// The scanner interface of the system, SANE, as the picture acquisition
// uses it: its functions in a replaceable table, the list of devices, and
// the assembly of the frames a device sends into one picture.
//
// Nothing here depends on Qt Widgets.

// The SANE functions the acquisition calls, with the signatures of
// <sane/sane.h>. Tests fill a table of their own; in a table made by hand
// GetOptionDescriptor and ControlOption may be left empty: the devices then
// offer no settings.
struct TFonctionsSane {
    std::function<SANE_Status(SANE_Int *version, SANE_Auth_Callback authentification)> Init;
    std::function<void()> Exit;
    std::function<SANE_Status(const SANE_Device ***liste, SANE_Bool localSeulement)> GetDevices;
    std::function<SANE_Status(SANE_String_Const nom, SANE_Handle *poignee)> Open;
    std::function<void(SANE_Handle)> Close;
    std::function<SANE_Status(SANE_Handle, SANE_Parameters *)> GetParameters;
    std::function<SANE_Status(SANE_Handle)> Start;
    std::function<SANE_Status(SANE_Handle, SANE_Byte *donnees, SANE_Int taille, SANE_Int *lus)> Read;
    std::function<void(SANE_Handle)> Cancel;
    std::function<SANE_Status(SANE_Handle, SANE_Bool nonBloquant)> SetIoMode;
    std::function<SANE_Status(SANE_Handle, SANE_Int *descripteur)> GetSelectFd;
    std::function<SANE_String_Const(SANE_Status)> StrStatus;
    std::function<const SANE_Option_Descriptor *(SANE_Handle, SANE_Int option)> GetOptionDescriptor;
    std::function<SANE_Status(SANE_Handle, SANE_Int option, SANE_Action action, void *valeur, SANE_Int *info)>
        ControlOption;
};

// The system's SANE library (libsane.so.1), loaded at the first call and
// kept loaded until the program ends. Null when the library or one of the
// functions above cannot be found. The table is owned by this module.
const TFonctionsSane *FonctionsSane();

// The table of the SANE library in the given file (a path, or a name the
// system's loader looks up). Null when the file cannot be loaded or lacks
// one of the functions. A library that loads stays loaded for the life of
// the program, whatever happens to the table.
std::unique_ptr<TFonctionsSane> ChargeFonctionsSane(const QString &fichier);

// A device of the list SANE gives: its name (for sane_open), vendor, model
// and kind ("flatbed scanner", "virtual device"...).
struct TPeripherique {
    QString Nom;
    QString Fabricant;
    QString Modele;
    QString Genre;
};

// Copies a device list as sane_get_devices gives it (an array ended by a
// null pointer; null itself for none). Null texts read as empty.
std::vector<TPeripherique> ListePeripheriques(const SANE_Device *const *liste);

// The status text of a SANE status, through the table's StrStatus when it
// has one, else the status number.
QString TexteStatut(const TFonctionsSane &sane, SANE_Status statut);

// The settings of a scan the user chooses: the resolution in dots per inch
// (0: none) and the scan mode as SANE names it ("Color", "Gray",
// "Lineart"...; empty: none).
struct TReglagesScan {
    int Resolution = 0;
    QString Mode;
    bool operator==(const TReglagesScan &) const = default;
};

// What an open device lets the user set, read from its options
// "resolution" and "mode" (SANE_NAME_SCAN_RESOLUTION, SANE_NAME_SCAN_MODE)
// when they are active and settable.
struct TOffreScan {
    // Resolutions proposed, ascending, distinct: the list the device gives,
    // or for a range the usual values (50, 75, 100, 150, 200, 300, 400,
    // 600, 1200, 2400, 4800) that it allows, or its ends when it allows
    // none of them. Empty: no setting.
    std::vector<int> Resolutions;
    // The range, for a device that gives one (Pas 0: any whole value);
    // all 0 for a list.
    int Min = 0;
    int Max = 0;
    int Pas = 0;
    // Modes offered, in the device's order. Empty: no setting.
    QStringList Modes;

    bool Vide() const { return Resolutions.empty() && Modes.isEmpty(); }
    // True when the device takes that resolution: one of its list, or a
    // value of its range.
    bool Permet(int resolution) const;
};

// Reads what device `poignee` offers. Descriptors are not trusted: an
// option of an unexpected type, size or constraint, a list of more than
// 1,000 values, or no option functions in the table, offer nothing.
TOffreScan LitOffre(const TFonctionsSane &sane, SANE_Handle poignee);

// The settings a choice starts from: the last choice where the device
// takes it (a resolution of its range too); else a proposed resolution
// nearest to the last one chosen, or to 300 when none was (the higher of
// two equally near), and the colour mode ("Color", else the first mode
// whose name says colour), else a gray one, else the first. Parts the
// device does not offer stay 0 or empty.
TReglagesScan ReglagesInitiaux(const TOffreScan &offre, const TReglagesScan &dernier);

// Sets the mode, then the resolution (a mode may change the resolutions a
// device allows), on device `poignee`; parts left 0 or empty are not set.
// SANE_STATUS_GOOD, or the status of the first setting refused.
SANE_Status AppliqueReglages(const TFonctionsSane &sane, SANE_Handle poignee, const TReglagesScan &reglages);

// Builds one picture from the frames of a scan, as 24-bit RGB. A gray or
// RGB frame makes the whole picture; a red, green or blue frame fills its
// channel of it (a three-pass scan sends three, in any order). Samples of
// 1, 8 or 16 bits are read: 16-bit samples in the machine's byte order,
// scaled to 8 bits with rounding; 1-bit gray is black for 1, 1-bit colour
// is full intensity for 1; the bits of a line are taken from the high bit
// of each byte. Lines are bytes_per_line long, of which the first
// pixels_per_line pixels are kept. A frame of unknown line count (-1, hand
// scanners) takes the lines that arrive; a last line left incomplete is
// dropped.
//
// Numbers of the parameters are not trusted: a frame is refused (false,
// with the reason in Erreur()) for an unknown format or depth, a width or a
// line length that is not positive, a line too short for its pixels, a
// picture larger than MaxOctets, or a colour frame whose width differs from
// the picture's. Data past the announced line count are ignored.
class TImageSane final
{
public:
    // Largest picture made, in bytes of 24-bit RGB (1 GiB).
    static constexpr qint64 MaxOctets = qint64(1) << 30;

    // Starts a frame. False when its parameters cannot make a picture.
    bool DebutTrame(const SANE_Parameters &parametres);
    // Adds bytes of the current frame, in the order read. False when the
    // picture would grow past MaxOctets (frames of unknown line count).
    bool Ajoute(const SANE_Byte *donnees, int taille);
    // Ends the current frame.
    void FinTrame();

    // Bytes expected for the whole scan as far as known (all three frames
    // of a three-pass scan), -1 when a line count is unknown; and the bytes
    // read so far.
    qint64 Attendus() const { return m_attendus; }
    qint64 Lus() const { return m_lus; }

    // The picture (RGB888) with every complete line received; null before
    // the first line.
    QImage Image() const;
    const QString &Erreur() const { return m_erreur; }

private:
    // Sizes the buffer (a new picture is cleared); false, the picture
    // dropped, when the memory cannot be had.
    bool Alloue(size_t octets, bool nouvelle);
    // Stores one whole line of the current frame; false when the picture
    // would grow too large.
    bool Ligne(const uchar *octets);

    SANE_Parameters m_trame{};
    int m_largeur = 0;
    int m_hauteur = 0;     // lines of the picture's buffer
    int m_recues = 0;      // lines that received data
    int m_ligne = 0;       // next line of the current frame
    int m_lignesTrame = 0; // lines of the current frame, -1 unknown
    std::vector<uchar> m_pixels; // m_hauteur lines of m_largeur * 3 bytes
    QByteArray m_reste;    // the incomplete line of the current frame
    qint64 m_attendus = 0;
    qint64 m_lus = 0;
    QString m_erreur;
};
