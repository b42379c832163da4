#pragma once

#include "Chemins.h"
#include "Demarrage.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "Options.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

// Tests that run the program's windows: the program's start-up on the
// shipped models folder, with the user's folders in a temporary folder,
// scripted dialogs and the default settings.
class ProgrammeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        SetRepModele(QStringLiteral(LIGNEE_MODELE));
        ASSERT_TRUE(PrepareDemarrage(m_tmp.path()));
        FichierCourant.clear();
        BaseModifiee = 0;
        Reglages() = TReglages();
        Options() = TOptions();
    }
    void TearDown() override
    {
        SetRepModele(QString());
        // The user's folders lay in the temporary folder, gone after the test.
        DossierArbreUser.clear();
        DossierRapportUser.clear();
        DossierCarteUser.clear();
        DossierImageArbreUser.clear();
        DossierImpressionModelesUser.clear();
    }

    QString chemin(const char *nom) const { return m_tmp.path() + QLatin1Char('/') + QString::fromLatin1(nom); }

    QTemporaryDir m_tmp;
    TDialoguesScriptes m_dialogues;
};
