// Window tests run offscreen, with one application object for the process.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep the desktop's own settings and theme out of the tests.
    qputenv("QT_QPA_PLATFORMTHEME", "");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
