// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: the main window over one notebook.
//
//   kelto [FILE]                 open FILE (or the start-up document)
//   kelto --version              print the version
//   kelto --self-test [FILE]     build the window offscreen, load FILE,
//                                close; exit status 0 when all went well

#include "mainwindow/ApplicationSetup.h"
#include "mainwindow/TreeNotesUnit.h"
#include "mainwindow/UserPrompts.h"
#include "settings/ConfigLocation.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// Answers for a run nobody watches: nothing is saved, every message is
// printed and counted as a failure.
class SelfTestPrompts : public kelto::UserPrompts
{
public:
    int errors = 0;
    Answer question(QWidget*, const QString&, bool) override { return Answer::No; }
    void error(QWidget*, const QString& text) override
    {
        ++errors;
        std::fprintf(stderr, "kelto: %s\n", text.toUtf8().constData());
    }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&) override { return {}; }
};

bool hasArgument(int argc, char** argv, const char* wanted)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], wanted) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("kelto %s\n", KELTO_VERSION);
        return 0;
    }
    const bool selfTest = hasArgument(argc, argv, "--self-test");
    if (selfTest && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kelto::setUpApplication(app);

    QStringList files = app.arguments().mid(1);
    files.removeAll(QStringLiteral("--self-test"));

    if (selfTest) {
        SelfTestPrompts prompts;
        kelto::TNotesForm window(kelto::settingsFilePath(), prompts);
        window.show();
        if (!files.isEmpty())
            window.startUp(files);
        QCoreApplication::processEvents();
        // For the start-up benchmark: the moment the window is usable.
        if (qEnvironmentVariableIsSet("KELTO_REPORT_READY")) {
            std::printf("ready-at-ms: %lld\n", QDateTime::currentMSecsSinceEpoch());
            std::fflush(stdout);
        }
        window.close();
        return prompts.errors == 0 ? 0 : 1;
    }

    kelto::DialogPrompts prompts;
    kelto::TNotesForm window(kelto::settingsFilePath(), prompts);
    window.show();
    QTimer::singleShot(0, &window, [&window, files] { window.startUp(files); });
    return app.exec();
}
