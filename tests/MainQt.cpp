// Test programs that build windows run them inside one QApplication.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char **argv)
{
#ifdef LIGNEE_PLATEFORME
    qputenv("QT_QPA_PLATFORM", LIGNEE_PLATEFORME);
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
