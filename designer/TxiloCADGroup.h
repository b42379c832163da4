#pragma once

#include <memory>

#include <QString>

#include "TxiloCADRect.h"

class TxiloCADMdl;

// The group kind ("groupe"): a whole sub-model, read from another model file
// (".mdl") or imported from an enhanced metafile (".emf", ImportEmf.h),
// placed in a box that turns with the object and stretched to it, mirrored
// on request, and optionally drawn with the group's own pen and brush.
//
// Keys written after those of boxed objects: Name again, mirroirx and
// mirroiry (1, or -1 for a mirror), FichierMdl (the file name alone,
// without folder), ForcePenBrush ("1"/"0").
class TxiloCADGroup final : public TxiloCADRect
{
public:
    // A group at (x, y), l x h millimetres, turned by r degrees, of an empty
    // sub-model of the page's size (so that it says it has no model): a
    // black pen 300 thousandths of a millimetre wide, a white
    // solid brush, no mirror. The sub-model has the page model's editor and
    // fills placeholders and resolves file names through the page model.
    TxiloCADGroup(TxiloCADMdl &modele, double x, double y, double l, double h, double r);
    ~TxiloCADGroup() override;

    const QStringList &SaveToStrings() override;
    // Reads mirroirx and mirroiry (0, a missing key or any positive value
    // is 1, a negative one -1), ForcePenBrush (missing keeps the present
    // value), FichierMdl (loading the sub-model, SetFichierMdl), then the
    // keys of boxed objects.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face, for a sub-model of positive page size: the
    // sub-model's page angle becomes the object's rotation plus the page's,
    // its fill switch and background mode those of the page; its scales
    // stretch its page over the box (a mirror being a negative scale), its
    // page's top-left corner placed at the box's corner that the mirrors
    // take there (top-left without mirror); then each of its objects of its
    // first face draws, taking first the group's pen and brush when
    // ForcePenBrush is on (the change stays on the object). A sub-model
    // without objects shows "Pas de modèle". Then the frame and handles.
    void Draw(TCanevas &canevas) override;
    // The boxed turn; the sub-model's page angle follows.
    void Tourne(QPointF pointeur) override;
    // A copy keeps the source's sub-model file as it was found.
    void CompleteCopie(const TxiloCADObj &source) override;

    // Sets the sub-model from a stored file name, resolved by the page
    // model: a ".mdl" file (letter case ignored) is read into it, an ".emf"
    // file imported into it; otherwise, or when no file is there, it stays
    // empty. A file that names itself, directly or through other groups, is
    // not read again within its own reading (the group inside stays empty),
    // groups are read at most ProfondeurMax levels deep, and not at all once
    // the reading under way has spent its budget
    // (TxiloCADMdl::ReserveSousModele).
    void SetFichierMdl(const QString &nom);
    static constexpr int ProfondeurMax = 8;
    const QString &FichierMdl() const { return m_fichierMdl; }
    // The path the sub-model was read from; empty when none was.
    const QString &CheminMdl() const { return m_cheminMdl; }

    TxiloCADMdl &SousModele() { return *m_sousModele; }
    bool ForcePenBrush() const { return m_forcePenBrush; }
    void SetForcePenBrush(bool b) { m_forcePenBrush = b; }
    // 1, or -1 for a mirror; other values are taken by their sign (0 as 1).
    int MirroirX() const { return m_mirroirX; }
    int MirroirY() const { return m_mirroirY; }
    void SetMirroirX(int m) { m_mirroirX = m < 0 ? -1 : 1; }
    void SetMirroirY(int m) { m_mirroirY = m < 0 ? -1 : 1; }

private:
    void ChargeSousModele(const QString &chemin);

    std::unique_ptr<TxiloCADMdl> m_sousModele;
    QString m_fichierMdl;
    QString m_cheminMdl;
    bool m_forcePenBrush = false;
    int m_mirroirX = 1;
    int m_mirroirY = 1;
};
