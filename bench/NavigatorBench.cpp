// SPDX-License-Identifier: GPL-3.0-or-later
// The navigator's commands on a 100,000-section notebook.
//
//   kelto_navigator_bench   a move up and down, a drop, a delete and its
//                           undo of one section, each measured from the
//                           command to a navigator that has laid out and
//                           painted the change, on the generated notebook
//                           (nested, branches closed) and on a flat one
//                           whose 100,000 rows are all shown
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "NotebookGenerator.h"
#include "SilentPrompts.h"
#include "document/Notebook.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/NavigatorCommands.h"
#include "mainwindow/NavigatorModel.h"
#include "mainwindow/NavigatorMoves.h"
#include "mainwindow/NavigatorView.h"
#include "mainwindow/TreeNotesUnit.h"
#include "mainwindow/UserPrompts.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace kelto;

namespace {

constexpr int Rounds = 21;
constexpr double TargetMs = 5.0;

// The command, then everything the window does because of it: the
// navigator's new layout, the repaint, the idle update of the commands.
double medianOf(TNotesForm& window, const std::function<void()>& command)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        command();
        window.navigator()->viewport()->repaint();
        QCoreApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* what, double ms)
{
    std::printf("  %-44s %8.3f ms  (target <= %.0f)  %s\n", what, ms, TargetMs,
                ms <= TargetMs ? "ok" : "MISSED");
}

void trigger(TNotesForm& window, QStringView name)
{
    window.action(name)->trigger();
}

void measure(TNotesForm& window, const char* title)
{
    Notebook& nb = window.notebook();
    std::printf("%s: %d sections, %d top-level\n", title, nb.sectionCount(), nb.topLevelCount());
    // A section in the middle of the top level, with siblings both sides.
    Section* s = nb.topLevel(nb.topLevelCount() / 2);
    nb.setCurrent(s);
    QCoreApplication::processEvents();

    bool up = true;
    report("move up or down (Ctrl+Up / Ctrl+Down)", medianOf(window, [&] {
               trigger(window, up ? cmd::NavigatorMoveUp : cmd::NavigatorMoveDown);
               up = !up;
           }));
    bool into = true;
    report("into the previous section and back", medianOf(window, [&] {
               trigger(window, into ? cmd::NavigatorInsertPrev : cmd::NavigatorUpOneLevel);
               into = !into;
           }));
    NavigatorMoves& moves = window.navigatorCommands().moves();
    report("drop on the caption of a section", medianOf(window, [&] {
               Section* target = up ? nb.topLevel(0) : nb.topLevel(nb.topLevelCount() - 1);
               moves.drop(window.navigatorModel()->indexOf(target), NavigatorView::Zone::Caption);
               up = !up;
           }));
    nb.setCurrent(nb.topLevel(nb.topLevelCount() / 2));
    bool deleting = true;
    report("delete a section (F8), then its undo", medianOf(window, [&] {
               if (deleting) {
                   nb.setCurrent(nb.topLevel(nb.topLevelCount() / 2)->lastDescendant());
                   trigger(window, cmd::NavigatorDeleteNode);
               } else {
                   trigger(window, cmd::NavigatorUndo);
               }
               deleting = !deleting;
           }));
}

void fill(TNotesForm& window, bool flat)
{
    Notebook generated;
    GeneratorOptions options;
    options.bodyBytes = 10 * 1000 * 1000;
    if (flat)
        options.maxLevel = 0;
    generateNotebook(generated, options);
    generated.setCurrent(generated.firstSection());
    window.notebook().adoptTree(generated);
    window.notebook().setModified(false);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("KELTO_CONFIG_DIR", dir.path().toUtf8());
    SilentPrompts prompts(UserPrompts::Answer::Yes);
    TNotesForm window(dir.filePath(QStringLiteral("kelto.ini")), prompts);
    window.resize(900, 700);
    window.show();
    QCoreApplication::processEvents();

    fill(window, false);
    measure(window, "generated notebook, branches closed");
    fill(window, true);
    measure(window, "flat notebook, every row shown");
    window.notebook().setModified(false);
    window.close();
    return 0;
}
