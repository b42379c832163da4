#pragma once

#include <memory>

#include <QRect>
#include <QScrollArea>
#include <QString>
#include <QStringList>

#include "TxiloCADMdl.h"

// The model chooser: the design models (".mdl" files) of a folder shown as a
// grid of preview pictures, a click on one reported with OnClique.
//
// Each model has its preview beside it, the same name with the extension
// ".jpg". A missing preview is rendered from the model once
// (ExportJpeg at most LargeurRendu x HauteurRendu, frame CadreRendu) and
// written beside it; where it cannot be written there (the models folder
// of an installed program is read-only) it goes to the user's cache folder
// instead (DossierCache), where it is used again as long as it is not older
// than its model. A preview beside its model is used as it is, even when
// older than the model, unless the cache holds one that is newer than it
// and not older than the model: the one drawn again (F5) for a model whose
// own preview could not be replaced.
//
// Cells are ApercuLarge x ApercuHaut pixels, laid out in Colonnes() columns
// on the picture control (objectName "Apercus"), which the chooser keeps
// centred across its width; each preview is drawn at its own size, centred
// in its cell as FitRect places the picture's proportions, moved right and
// down by the spacing. Indexes are 0-based, in the order of the files (name
// order).
class TxiloApercuModele final : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TxiloApercuModele)

public:
    static constexpr int LargeurRendu = 160;
    static constexpr int HauteurRendu = 120;
    static constexpr TColor CadreRendu = CouleurRGB(128, 128, 128);
    // The width the columns leave for the vertical scroll bar.
    static constexpr int MargeDefilement = 20;

    // A chooser of 400 x 400 pixels, cells of 100 x 100, no spacing, cells
    // sized from the first preview; the cache folder is "apercus" in the
    // application's cache folder (QStandardPaths::CacheLocation).
    explicit TxiloApercuModele(QWidget *parent = nullptr);
    ~TxiloApercuModele() override;

    int ApercuLarge() const { return m_large; }
    int ApercuHaut() const { return m_haut; }
    void SetApercuLarge(int v) { m_large = v; }
    void SetApercuHaut(int v) { m_haut = v; }
    int Espacement() const { return m_espacement; }
    void SetEspacement(int v) { m_espacement = v; }
    // On: at each Refresh the cells take the size of the first preview.
    bool TailleAuto() const { return m_tailleAuto; }
    void SetTailleAuto(bool b) { m_tailleAuto = b; }
    // Where previews that cannot be written beside their models go (one
    // subfolder per models folder); ending with "/".
    QString DossierCache() const { return m_dossierCache; }
    void SetDossierCache(const QString &dossier);
    // The file-name handler of the model that renders missing previews, so
    // that they show the pictures the models name (TxiloCADMdl).
    void SetOnResolveFile(TxiloCADMdl::TOnResolveFile f);
    // Sets `rendu` up to draw previews as the print window shows designs:
    // texts kept within their boxes, no notice in place of a missing picture,
    // file names resolved by `resout`. The chooser's own rendering model and
    // the tool that writes the shipped previews both use it.
    static void PrepareRendu(TxiloCADMdl &rendu, TxiloCADMdl::TOnResolveFile resout);

    // Lists the models of `dossier` (not its subfolders), finds or renders
    // their previews, and redraws. A folder without models leaves the
    // chooser empty.
    void LoadFolder(const QString &dossier);
    // Lays the grid out again at the chooser's width and draws it: the
    // picture control takes the size of the cells' columns and rows (0 x 0
    // without models). A preview whose file is gone or cannot be read is
    // not drawn and keeps its cell.
    void Refresh();

    // The model files and their previews, in the same order.
    const QStringList &Modeles() const { return m_modeles; }
    const QStringList &Apercus() const { return m_apercus; }
    int Count() const { return int(m_modeles.size()); }
    // (width - MargeDefilement) div (ApercuLarge + spacing), at least 1,
    // and 1 when ApercuLarge + spacing is 0 or below.
    int Colonnes() const;
    // Cell i in the picture control's pixels (whatever the count).
    QRect CellRect(int i) const;
    // The index of the entry whose cell holds (x, y) of the picture
    // control, -1 for none (outside the grid, or a cell after the last
    // entry).
    int IndexAt(int x, int y) const;
    // Where the preview of `modele` is kept when it cannot be written
    // beside it.
    QString ApercuEnCache(const QString &modele) const;
    // Writes the preview of `modele` from `rendu` (already loaded) at most
    // largeur x hauteur with that frame: beside the model, else in the
    // cache. The path written, empty when neither could be.
    QString EcritApercu(TxiloCADMdl &rendu, const QString &modele, int largeur, int hauteur, TColor cadre);

signals:
    // A press of any button on the cell of entry `index`: its model file.
    void OnClique(int index, const QString &modele);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    class TImageApercus;

    // The preview to show for a model: beside it, else a fresh one in the
    // cache, else rendered now (written beside it or in the cache). Empty
    // when none could be made.
    QString TrouveApercu(const QString &modele);
    TxiloCADMdl &ModeleRendu();
    // Sizes the picture control for the cells' columns at the present width
    // and repaints it.
    void Dispose();
    void SourisDeplace(QPoint p);
    void SourisBas(QPoint p);

    TImageApercus *m_image;
    QStringList m_modeles;
    QStringList m_apercus;
    int m_large = 100;
    int m_haut = 100;
    int m_espacement = 0;
    bool m_tailleAuto = true;
    // The columns the grid was last laid out in; 0 for no grid.
    int m_colonnesDessinees = 0;
    QString m_dossierCache;
    TxiloCADMdl::TOnResolveFile m_resout;
    std::unique_ptr<TxiloCADMdl> m_rendu;
};
