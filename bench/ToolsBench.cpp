// SPDX-License-Identifier: GPL-3.0-or-later
// Sorting and list generation on a large notebook in the window.
//
//   kelto_tools_bench   sorts the top level of the generated 100,000-section
//                       notebook up and down, sorts the whole tree, and
//                       inserts a 10,000-caption series after a section in
//                       the middle, each measured from the call to a
//                       navigator that has laid out and painted the change;
//                       then the same on a flat notebook whose rows are all
//                       shown. The navigator's model must not be reset.
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "NotebookGenerator.h"
#include "SilentPrompts.h"
#include "document/Notebook.h"
#include "mainwindow/NavigatorModel.h"
#include "mainwindow/NavigatorView.h"
#include "mainwindow/TreeNotesUnit.h"
#include "tools/ListGenerator.h"
#include "tools/SortOrder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace kelto;

namespace {

constexpr double TargetMs = 1000.0;

double timed(TNotesForm& window, const std::function<void()>& work)
{
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    work();
    window.navigator()->viewport()->repaint();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

void report(const char* what, double ms, bool target)
{
    if (target)
        std::printf("  %-44s %9.1f ms  (target < %.0f)  %s\n", what, ms, TargetMs,
                    ms < TargetMs ? "ok" : "MISSED");
    else
        std::printf("  %-44s %9.1f ms  (information)\n", what, ms);
}

void measure(TNotesForm& window, const char* title)
{
    Notebook& nb = window.notebook();
    int resets = 0;
    QObject::connect(window.navigatorModel(), &QAbstractItemModel::modelReset, &window,
                     [&resets] { ++resets; });
    std::printf("%s: %d sections, %d top-level\n", title, nb.sectionCount(), nb.topLevelCount());
    Section* middle = nb.topLevel(nb.topLevelCount() / 2);
    nb.setCurrent(middle);
    const CaptionCollator collator;
    for (bool descending : {false, true}) {
        report(descending ? "sort the top level, descending" : "sort the top level, ascending",
               timed(window,
                     [&] { sortSections(nb, middle, SortScope::LevelOnly, descending, collator); }),
               true);
    }
    report("sort the whole tree",
           timed(window, [&] { sortSections(nb, middle, SortScope::WholeTree, false, collator); }),
           false);
    const QStringList captions = generateListCaptions(
        {QStringLiteral("Пункт "), QStringLiteral("1"), QStringLiteral("10000"), QString()});
    report("10,000 captions generated",
           timed(window,
                 [&] {
                     (void)generateListCaptions({QStringLiteral("Пункт "), QStringLiteral("1"),
                                                 QStringLiteral("10000"), QString()});
                 }),
           false);
    report("a 10,000-section series inserted",
           timed(window,
                 [&] { insertListSections(nb, nb.current(), ListPlacement::After, captions); }),
           true);
    std::printf("  model resets: %d%s\n", resets, resets == 0 ? "" : "  MISSED");
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
    SilentPrompts prompts(UserPrompts::Answer::No);
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
