// Test programs that build windows run them inside one QApplication.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#ifdef LIGNEE_NAVIGATEUR
#include "TCarteWeb.h"
#endif

int main(int argc, char **argv)
{
#ifdef LIGNEE_PLATEFORME
    qputenv("QT_QPA_PLATFORM", LIGNEE_PLATEFORME);
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QStandardPaths::setTestModeEnabled(true);
#ifdef LIGNEE_NAVIGATEUR
    // Programs that show the web map prepare the browser as the program does.
    TCarteWeb::PrepareApplication();
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
