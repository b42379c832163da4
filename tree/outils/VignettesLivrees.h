#pragma once

// The thumbnails of the look models shipped in modele/1/arbre, as the
// program makes them when a model is saved: the box of the current person
// with the template texts. Shared by the tool that writes them and the test
// that checks they are up to date.

#include "BD.h"
#include "Globales.h"
#include "Look.h"
#include "ModelesLook.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

// Points the tree-pictures folder at the models folder `modele` (the
// shipped link pictures), as the program does.
inline void PrepareVignettesLivrees(const QString &modele)
{
    DossierImageArbre = modele + QStringLiteral("/0/ImageArbre/");
}

// The look files of the shipped models, in name order.
inline QStringList ModelesLivres(const QString &modele)
{
    const QDir dossier(modele + QStringLiteral("/1/arbre"));
    QStringList chemins;
    for (const QString &nom : dossier.entryList({QStringLiteral("*.mva")}, QDir::Files, QDir::Name))
        chemins << dossier.filePath(nom);
    return chemins;
}

// The thumbnail of a shipped model: a man's box, current, with the raw
// templates.
inline QImage VignetteLivree(const QString &mva)
{
    TBD bd;
    const int p = bd.NewPerson();
    bd.SetSex(p, SexeHomme);
    TLooks looks;
    LitLook(mva, looks);
    return VignetteLook(looks, bd, p, false);
}
