#pragma once

#include "Listes.h"

#include <QWidget>

class TBD;

// What the delete window needs from the main window.
class THoteSupprime
{
public:
    virtual ~THoteSupprime() = default;
    virtual int SelecPers() const = 0;
    virtual void SetSelecPers(int p) = 0;
    // The persons listed in the report window (empty when none).
    virtual TR ListeRapport() const = 0;
    // The report window lists these persons under this caption and is shown
    // (its button put down).
    virtual void MontreListe(const TR &liste, const QString &titre) = 0;
    // Persons were removed: the record form, the tree and the report are
    // refreshed where shown.
    virtual void PersonnesSupprimees() = 0;
    // The window was hidden (the main window puts its button up).
    virtual void SupprimeCache() = 0;
};

// The delete window "Supprimer une ou plusieurs fiche(s)": removes a set of
// persons gathered around the current person, or keeps only that set. A
// stay-on-top tool window, not modal, freed when closed.
class TfmSupprime final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmSupprime)

public:
    TfmSupprime(TBD &bd, THoteSupprime &hote, QWidget *parent = nullptr);
    ~TfmSupprime() override;
};
