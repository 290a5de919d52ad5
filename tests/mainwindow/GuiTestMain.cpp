// SPDX-License-Identifier: GPL-3.0-or-later
// Window tests run offscreen, with one application object for the process.
// A Qt warning fails the running test: the model tester reports through
// warnings, and so does QAbstractItemModel when begin and end calls do not
// match. Only the offscreen platform's notes on what it cannot do pass.

#include "mainwindow/ApplicationSetup.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

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
    // One 1024 x 768 screen at 96 dpi, the smallest the program is made
    // for, so windows are placed and checked as on such a desktop.
    QTemporaryDir screens;
    const QString config = screens.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(R"({"screens": [{"name": "Screen", "x": 0, "y": 0, "width": 1024,
                       "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        file.close();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    // Keep the desktop's own settings and theme out of the tests.
    qputenv("QT_QPA_PLATFORMTHEME", "");
    qInstallMessageHandler(&failOnWarnings);
    QApplication app(argc, argv);
    // Qt's dialogs and buttons in Russian, as in the program.
    kelto::installQtTranslation(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
