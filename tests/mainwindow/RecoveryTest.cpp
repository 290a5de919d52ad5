// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved changes survive a killed program: a window process types, waits
// one pause and is killed with SIGKILL; the next start offers the journal
// back and restores it under the notebook's own name.

#include "WindowFixture.h"
#include "document/NotebookFile.h"
#include "search/SearchCommands.h"
#include "search/SearchUnit.h"
#include "side/RecoveryJournal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace kelto;
using namespace kelto::test;

// Run only as the child of the test below: types into a saved notebook,
// waits for the journal, saves when asked to and kills itself.
TEST(Recovery, KilledWindow)
{
    const QString notebook = qEnvironmentVariable("KELTO_RECOVERY_NOTEBOOK");
    if (notebook.isEmpty())
        GTEST_SKIP() << "run by Recovery.SurvivesSigkill";
    // The journal goes where the parent looks for it.
    qputenv("KELTO_CONFIG_DIR", qgetenv("KELTO_RECOVERY_CONFIG"));
    Window n("", "[Treepad]\r\nRecoveryInterval=1\r\n");
    n.w().startUp({notebook});
    n.select("B");
    n.editor()->setFocus();
    n.type(u8("набрано"));
    QTest::qWait(1500);
    if (qEnvironmentVariableIsSet("KELTO_RECOVERY_SAVE"))
        n.trigger("ActionFileSave");
    ::kill(::getpid(), SIGKILL);
}

TEST(Recovery, SurvivesSigkill)
{
    TempDir dir;
    const QString notebook = writeSample(dir.path(u8("n.nib")));
    const QByteArray saved = readBytes(notebook);
    const auto killedWindow = [&](bool save) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u8("KELTO_RECOVERY_NOTEBOOK"), notebook);
        environment.insert(u8("KELTO_RECOVERY_CONFIG"), qEnvironmentVariable("KELTO_CONFIG_DIR"));
        if (save)
            environment.insert(u8("KELTO_RECOVERY_SAVE"), u8("1"));
        child.setProcessEnvironment(environment);
        // An earlier test's save may have left this process in a folder that
        // is gone since; the child starts in one that exists.
        child.setWorkingDirectory(dir.root());
        child.start(QCoreApplication::applicationFilePath(),
                    {u8("--gtest_filter=Recovery.KilledWindow")});
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    };
    killedWindow(false);
    EXPECT_EQ(readBytes(notebook), saved);
    ASSERT_EQ(RecoveryJournal::leftBehind().size(), 1u);

    {
        // The real question: Enter restores, as No would delete the journal.
        DialogPrompts real;
        TNotesForm w(QDir(qEnvironmentVariable("KELTO_CONFIG_DIR")).filePath(u8("kelto.ini")),
                     real);
        QString asked;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        w.startUp({});
        EXPECT_EQ(asked, u8("Восстановить несохранённые изменения файла ") + notebook + u8("?"));
        EXPECT_EQ(w.notebook().fileName(), notebook);
        EXPECT_TRUE(w.notebook().isModified());
        EXPECT_TRUE(findSection(w.notebook(), u8("B"))->body().text().startsWith(u8("набрано")));
        // A crash again now would still find the journal.
        EXPECT_EQ(QDir(RecoveryJournal::folder()).entryList({u8("*.nib")}).size(), 1);
        w.notebook().setModified(false);
    }
    {
        Window n;
        n.prompts.answers << UserPrompts::Answer::No;
        n.w().startUp({});
        EXPECT_TRUE(n.prompts.offers.isEmpty()) << "the restored run ended normally";
        n.nb().setModified(false);
    }
    EXPECT_TRUE(QDir(RecoveryJournal::folder()).entryList({u8("*.nib")}).isEmpty());

    // A save removes the journal at once: killed after it, nothing is left.
    killedWindow(true);
    Notebook back;
    ReadNotebook(notebook, back);
    EXPECT_TRUE(findSection(back, u8("B"))->body().text().startsWith(u8("набрано")));
    EXPECT_TRUE(RecoveryJournal::leftBehind().empty());
}

// A command that passes through sections (here a replace-all that follows
// its matches) journals unsaved changes once it ends, as a switch by hand
// does.
TEST(Recovery, ACommandThatSwitchesSectionsJournalsWhenItEnds)
{
    Window n("A B C");
    n.select("C", u8("x"));
    n.select("A", u8("x"));
    auto& dialog = n.w().searchCommands().dialog();
    n.editor()->setFocus();
    n.trigger("ActionEditReplace");
    dialog.findChild<QComboBox*>(u8("FindComboBox"))->setEditText(u8("x"));
    dialog.findChild<QComboBox*>(u8("ReplaceComboBox"))->setEditText(u8("y"));
    dialog.findChild<QCheckBox*>(u8("CheckAllFile"))->setChecked(true);
    EXPECT_TRUE(QDir(RecoveryJournal::folder()).entryList({u8("*.nib")}).isEmpty());
    dialog.findChild<QPushButton*>(u8("RpAllButton"))->click();
    Window::settle();
    EXPECT_EQ(n.current(), u8("C"));
    const QStringList journals = QDir(RecoveryJournal::folder()).entryList({u8("*.nib")});
    ASSERT_EQ(journals.size(), 1);
    Notebook journalled;
    ReadNotebook(QDir(RecoveryJournal::folder()).filePath(journals.first()), journalled);
    EXPECT_EQ(journalled.sectionAt(2)->body().text(), u8("y"));
    n.nb().setModified(false);
}
