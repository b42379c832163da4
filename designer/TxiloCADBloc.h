#pragma once

#include "TxiloCADObj.h"

// A block of a model file whose kind this program does not make (a kind of
// a later version, or a block without a Name key): kept as it was read, so
// that saving the model writes it back whole. It draws nothing, is never
// hit and cannot be copied (the model makes no object of its kind).
class TxiloCADBloc final : public TxiloCADObj
{
public:
    // `name`: the block's Name value, possibly empty; `lignes`: its lines as
    // read, nested blocks included, each without the indentation of an
    // object's keys (TIndexSections::SectionBrute, FichierMdl.h).
    TxiloCADBloc(TxiloCADMdl &modele, const QString &name, const QStringList &lignes);

    // The lines as read; the model's writer gives the Face key the face the
    // block is written in.
    const QStringList &SaveToStrings() override;
    // Takes the lines as they stand.
    void LoadFromStrings(const QStringList &lignes) override;
};
