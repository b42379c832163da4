#include "TxiloCADBloc.h"

TxiloCADBloc::TxiloCADBloc(TxiloCADMdl &modele, const QString &name, const QStringList &lignes)
    : TxiloCADObj(modele)
{
    SetName(name);
    m_params.SetLignes(lignes);
}

const QStringList &TxiloCADBloc::SaveToStrings()
{
    return m_params.Lignes();
}

void TxiloCADBloc::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
}
