#pragma once

#include <vector>

#include <QImage>
#include <QString>
#include <QStringList>

#include "StylesCAD.h"
#include "TxiloCADRect.h"

class TCanevas;

// The folder-tree kind ("arbo"): the contents of a disk folder drawn as an
// indented tree of names with their icons, in one or more columns inside
// the box (the cover of a disc listing its files). The box never turns:
// its rotation is 0 and handle 2 is off.
//
// Keys written after those of boxed objects, in this order: Path, DepthMax,
// Column (integers), ViewFichier ("1"/"0"), Font (font text). A Path that
// is one of the user's folders (NomsShellFolders, core/Chemins.h) is
// written as "[" + its kind + "]", so that the design lists that user's
// own folder on another machine.
class TxiloCADArbo final : public TxiloCADRect
{
public:
    // The listing stops after this many entries.
    static constexpr int EntreesMax = 1001;
    // Rows are laid out for icons of 16 units, names beginning 18 units in.
    static constexpr int TailleIcone = 32;

    struct TEntree {
        int Niveau = 1;  // 1 for the folder's own content
        QString Nom;     // the file or folder name, without its folder
        int Icone = 0;   // index into Icones()
    };

    // A folder tree of that geometry (millimetres), unturned, for no folder:
    // two levels, one column, folders only, Arial names.
    TxiloCADArbo(TxiloCADMdl &modele, double x, double y, double l, double h);

    const QStringList &SaveToStrings() override;
    // Reads Path (a "[kind]" value becomes that user folder; an unknown
    // kind is kept as read and lists nothing), DepthMax, Column, ViewFichier
    // and Font, each missing key keeping the present value; then the keys of
    // boxed objects, the rotation set back to 0. The folder is listed again
    // at the next drawing.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face: the entries (listed first when they have not
    // been since the folder or the listing switches last changed), row after
    // row down each column, each with its icon, a connector line to the
    // nearest earlier entry of a lower level (or to the box's top) in the
    // object's pen colour, and its name in the object's font at half the
    // row height, cut to the characters that fit in its column. With no
    // entry or fewer than one column, the boxed object's empty message when
    // the model's message switch is on. Then the frame and handles.
    void Draw(TCanevas &canevas) override;
    // The box keeps its rotation of 0.
    void Tourne(QPointF pointeur) override;

    // The folder listed; setting it lists again at the next drawing.
    const QString &Path() const { return m_path; }
    void SetPath(const QString &chemin);
    // The deepest level listed (1: the folder's own content).
    int DepthMax() const { return m_depthMax; }
    void SetDepthMax(int n);
    int Column() const { return m_column; }
    void SetColumn(int n) { m_column = n; }
    // Files are listed as well as folders.
    bool ViewFichier() const { return m_viewFichier; }
    void SetViewFichier(bool b);
    const TFonteCAD &Font() const { return m_font; }
    void SetFont(const TFonteCAD &fonte) { m_font = fonte; }

    // The entries in walk order: at each level the files (when listed)
    // sorted by name, then each sub-folder sorted by name followed by its
    // own entries down to DepthMax. Names beginning with "." are left out;
    // a sub-folder that is a symbolic link is listed but not walked.
    // Listed at the first call since the folder or a switch changed; empty
    // when Path is empty, is no folder or is a kind of user folder unknown
    // here. At most EntreesMax entries.
    const std::vector<TEntree> &Entrees();
    // The icons of the entries, TailleIcone pixels square: one for folders,
    // one for each extension met (files without extension share one).
    const std::vector<QImage> &Icones() const { return m_icones; }

private:
    void Liste();
    void Parcourt(const QString &dossier, int niveau);
    void Ajoute(int niveau, const QString &nom, const QString &cle);

    std::vector<QImage> m_icones;
    // The key of each icon: an extension in capitals, or the folders' own.
    QStringList m_cles;
    std::vector<TEntree> m_entrees;
    bool m_liste = false;
    double m_largeurTrait = 1000;
    QString m_path;
    int m_depthMax = 2;
    int m_column = 1;
    TFonteCAD m_font;
    int m_hauteurTexte = 50;
    bool m_viewFichier = false;
};

// The icon the folder trees show for a key: the folders' key, or a file
// extension in capitals (empty for files without one). A small drawn set
// that needs no desktop: a yellow folder, or a sheet with a band coloured
// by the kind of file (picture, sound, video, text, other) bearing the
// first letters of the extension. Square, TxiloCADArbo::TailleIcone pixels.
QImage IconeArbo(const QString &cle);
// The folders' icon key, which no extension can be.
QString CleDossierArbo();
