#pragma once

// The designs shipped for the artistic print window, as the program finds
// them: the models folder "1/impression/modeles/" of the program's models
// folder, one subfolder per category, each model ".mdl" with its ".jpg"
// preview beside it; and the pictures they name, in "0/impression/images/".
// Shared by the tool that writes them (lignee_modeles_impression) and the
// tests that check them.

#include <memory>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "ImpressionModele.h"
#include "TxiloApercuModele.h"

class QTemporaryDir;
class TxiloCADMdl;

// The preview of a model, as the model chooser makes a missing one: the page
// exported as a JPEG picture of at most this size, in its proportions, with
// this frame colour.
constexpr int LargeurApercuLivre = TxiloApercuModele::LargeurRendu;
constexpr int HauteurApercuLivre = TxiloApercuModele::HauteurRendu;
constexpr TColor CadreApercuLivre = TxiloApercuModele::CadreRendu;

// The folders under the program's models folder `modele`, each ending
// with "/".
QString DossierModelesImpression(const QString &modele);
QString DossierImagesImpression(const QString &modele);

// The model files of every category of the models folder (its direct
// subfolders), sorted by category then by name.
QStringList ModelesImpressionLivres(const QString &modele);

// The path of the preview of a model file: the same name with ".jpg".
QString CheminApercu(const QString &mdl);

// Gives the model `modele` the print window's resolution of its file names
// (ResoutNomImpression, ImpressionModele.h).
void ResoutDansImages(TxiloCADMdl &modele, const QString &images, const QString &base = QString());

// Writes the preview of the model file `mdl` at `jpg`: a fresh model reads
// the file, its pictures found in `images`, nothing filled in, set up and
// exported as the chooser does (TxiloApercuModele::PrepareRendu) (ExportJpeg at most LargeurApercuLivre x
// HauteurApercuLivre, frame CadreApercuLivre). False when the model cannot be
// read or the picture written; *erreur (may be null) then says why.
bool EcritApercuLivre(const QString &mdl, const QString &images, const QString &jpg, QString *erreur = nullptr);

// While it lives, the user's folders are those of a made-up user whose
// pictures folder holds a few family albums, so that a folder tree of a
// design lists the same names on every machine: HOME points at a temporary
// folder and XDG_CONFIG_HOME is unset. Both are put back afterwards.
class TUtilisateurExemple final
{
public:
    TUtilisateurExemple();
    ~TUtilisateurExemple();
    TUtilisateurExemple(const TUtilisateurExemple &) = delete;
    TUtilisateurExemple &operator=(const TUtilisateurExemple &) = delete;

    // False when the folders could not be made.
    bool Pret() const { return m_pret; }
    // The albums, relative to the pictures folder, in the order made.
    static QStringList Albums();

private:
    std::unique_ptr<QTemporaryDir> m_dossier;
    QByteArray m_home;
    QByteArray m_config;
    bool m_avaitConfig = false;
    bool m_pret = false;
};
