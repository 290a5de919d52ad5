// Window tests run offscreen, with one application object for the process.
// A Qt warning fails the running test: the model tester reports through
// warnings, and so does QAbstractItemModel when begin and end calls do not
// match. Only the offscreen platform's notes on what it cannot do pass.

#include "mainwindow/ApplicationSetup.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

void failOnWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !text.contains(u"does not support") &&
        !text.contains(u"XDG_RUNTIME_DIR"))
        ADD_FAILURE() << "Qt warning: " << text.toStdString();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep the desktop's own settings and theme out of the tests.
    qputenv("QT_QPA_PLATFORMTHEME", "");
    qInstallMessageHandler(&failOnWarnings);
    QApplication app(argc, argv);
    // Qt's dialogs and buttons in Russian, as in the program.
    kelto::installQtTranslation(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
