// SPDX-License-Identifier: GPL-3.0-or-later
// The window's life as a user meets it: start-up, the file commands and
// their questions, drops, the editor's per-section state, the status panels,
// the settings, and what ends up on disk.

#include "WindowFixture.h"
#include "document/NotebookFile.h"
#include "mainwindow/ApplicationSetup.h"
#include "mainwindow/StatusPanels.h"
#include "search/SearchCommands.h"
#include "search/SearchUnit.h"
#include "settings/SettingsKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <functional>

using namespace kelto;
using namespace kelto::test;
using Answer = kelto::UserPrompts::Answer;

namespace {

QString bodyIn(const QString& path, int index = 0)
{
    Notebook nb;
    ReadNotebook(path, nb);
    return nb.sectionAt(index) ? nb.sectionAt(index)->body().text() : QString();
}

} // namespace

TEST(MainWindow, StartUpDocumentFollowsArgumentsAndOnLoad)
{
    {
        Window n;
        EXPECT_EQ(n.w().windowTitle(), u8("Тримбель - Новый файл"));
        EXPECT_EQ(qobject_cast<QLabel*>(n.w().editorArea()->currentWidget())->text(),
                  u8("нет разделов для редактирования"));
        EXPECT_FALSE(n.enabled("ActionFileSave"));
        EXPECT_TRUE(n.close()) << "an empty notebook closes without a question";
        EXPECT_TRUE(n.prompts.questions.isEmpty());
    }
    {
        Window n("", "[Treepad]\r\nOnLoad=0\r\n");
        n.w().startUp({});
        EXPECT_EQ(n.shape(), u8("Новый раздел"));
        EXPECT_FALSE(n.nb().isModified());
    }
    {
        Window n;
        const QString path = writeSample(n.dir.path(QStringLiteral("named.nib")), u8("Мои записи"));
        n.w().startUp({path});
        EXPECT_EQ(n.shape(), QStringLiteral("A(B) C"));
        EXPECT_EQ(n.w().windowTitle(), u8("Тримбель - Мои записи"));
        EXPECT_EQ(n.w().status().pathText(), path);
        EXPECT_EQ(QDir::currentPath(), n.dir.root());
    }
    {
        // Default settings: kelto.nib of the current folder; when missing, a
        // message and an empty, usable notebook.
        Window n("", "");
        QDir::setCurrent(n.dir.root());
        n.w().startUp({});
        EXPECT_EQ(n.prompts.errors, QStringList{u8("Невозможно открыть файл \"kelto.nib\".")});
        writeSample(n.dir.path(QStringLiteral("kelto.nib")));
        n.w().startUp({});
        EXPECT_EQ(n.nb().sectionCount(), 3);
        EXPECT_EQ(n.w().windowTitle(), u8("Тримбель - Без названия"));
    }
    {
        Window n;
        const QString path = writeSample(n.dir.path(QStringLiteral("recent.nib")));
        const QString older = writeSample(n.dir.path(QStringLiteral("older.nib")));
        writeBytes(n.settingsPath(), "[Treepad]\r\nOnLoad=1\r\n[FileList]\r\nFile0=" +
                                         path.toUtf8() + "\r\nFile1=" + older.toUtf8() + "\r\n");
        n.reopen();
        n.w().startUp({});
        EXPECT_EQ(n.nb().fileName(), path);
    }
}

TEST(MainWindow, UnsavedChangesQuestionAndClose)
{
    Window n;
    const QString path = writeSample(n.dir.path(QStringLiteral("a.nib")));
    n.w().startUp({path});
    n.type(QStringLiteral("x"));

    n.prompts.answers = {Answer::Cancel};
    n.trigger("ActionFileNew");
    EXPECT_EQ(n.prompts.questions.last(), u8("Файл \"a.nib\" изменён. Сохранить изменения?"));
    EXPECT_EQ(n.nb().sectionCount(), 3) << "Cancel stops the command";
    EXPECT_TRUE(n.nb().isModified());

    n.prompts.answers = {Answer::Yes};
    n.trigger("ActionFileNew");
    EXPECT_EQ(n.shape(), u8("Новый раздел")) << "Yes saves, then the command goes on";
    EXPECT_TRUE(bodyIn(path).startsWith(u'x'));
    EXPECT_FALSE(n.nb().hasFile());

    // Yes on a never-saved notebook opens Save As; cancelling that cancels all.
    n.type(u8("Привет"));
    EXPECT_TRUE(n.w().status().modifiedShown());
    n.prompts.answers = {Answer::Yes};
    EXPECT_FALSE(n.close());
    EXPECT_EQ(n.prompts.saveDialogs, 1);
    EXPECT_TRUE(n.w().isVisible());
    // Save does the same; once named, the file opens again as it was saved.
    const QString book = n.dir.path(QStringLiteral("book.nib"));
    n.prompts.saveNames.push_back(book);
    n.trigger("ActionFileSave");
    EXPECT_EQ(n.prompts.saveDialogs, 2);
    EXPECT_FALSE(n.w().status().modifiedShown());
    EXPECT_EQ(n.w().status().pathText(), book);
    n.trigger("ActionFileNew");
    n.prompts.openNames.push_back(book);
    n.trigger("ActionFileOpen");
    EXPECT_EQ(n.text(), u8("Привет"));
    n.type(QStringLiteral("y"));

    // With the last section deleted nothing is asked, modified or not.
    n.nb().deleteSection(n.nb().firstSection());
    n.settle();
    EXPECT_TRUE(n.nb().isModified());
    const qsizetype asked = n.prompts.questions.size();
    EXPECT_TRUE(n.close());
    EXPECT_EQ(n.prompts.questions.size(), asked);
}

TEST(MainWindow, SavingAFileOpenedAsTextWritesANotebookBesideIt)
{
    // Named like a never-saved notebook's caption, yet a file: no Save As.
    Window n;
    QDir::setCurrent(n.dir.root());
    const QString text = u8("Новый файл"), nib = n.dir.path(u8("Новый файл.nib"));
    writeBytes(text, u8("строка\r\nещё").toUtf8());
    n.w().startUp({text});
    n.trigger("ActionFileSave");
    EXPECT_EQ(n.prompts.saveDialogs, 0);
    EXPECT_EQ(n.nb().fileName(), nib);
    EXPECT_EQ(readBytes(text), u8("строка\r\nещё").toUtf8()) << "the text file is left alone";
    EXPECT_EQ(bodyIn(nib), u8("строка\nещё"));

    // Now a notebook is in the way: Cancel writes nothing, No turns into Save
    // As, Yes replaces it keeping the old one as the backup.
    const QByteArray old = readBytes(writeSample(nib));
    n.w().startUp({text});
    n.prompts.answers = {Answer::Cancel};
    n.trigger("ActionFileSave");
    EXPECT_EQ(n.prompts.questions.last(), u8("Файл \"%1\" уже существует. Заменить его?").arg(nib));
    EXPECT_EQ(readBytes(nib), old);
    const QString elsewhere = n.dir.path(QStringLiteral("elsewhere.nib"));
    n.prompts.answers = {Answer::No};
    n.prompts.saveNames.push_back(elsewhere);
    n.trigger("ActionFileSave");
    EXPECT_EQ(readBytes(nib), old);
    EXPECT_EQ(n.nb().fileName(), elsewhere);
    n.w().startUp({text});
    n.prompts.answers = {Answer::Yes};
    n.trigger("ActionFileSave");
    EXPECT_EQ(readBytes(n.dir.path(u8("Новый файл.bak"))), old);
    EXPECT_EQ(bodyIn(nib), u8("строка\nещё"));
}

TEST(MainWindow, FailedOpenLeavesTheOpenNotebookAlone)
{
    Window n;
    const QString path = writeSample(n.dir.path(QStringLiteral("good.nib")), u8("Good"));
    n.w().startUp({path});
    n.type(QStringLiteral("edit "));
    const QString bad = n.dir.path(QStringLiteral("bad.nib"));
    writeBytes(bad, QByteArray("NIB\x01\x10\x00\x00\x00short", 13));
    n.prompts.openNames = {bad};
    n.trigger("ActionFileOpen");
    EXPECT_EQ(
        n.prompts.errors,
        QStringList{u8("Нарушена структура файла или данный формат файла не поддерживается")});
    EXPECT_EQ(n.w().windowTitle(), u8("Тримбель - Good"));
    EXPECT_EQ(n.nb().fileName(), path);
    EXPECT_TRUE(n.nb().isModified());
    EXPECT_EQ(n.shape(), QStringLiteral("A(B) C"));
    EXPECT_TRUE(n.text().startsWith(QStringLiteral("edit first")));
    EXPECT_EQ(n.w().editorArea()->currentWidget(), n.editor());
}

TEST(MainWindow, EachSectionKeepsItsTextUndoSelectionAndStatus)
{
    Window n;
    n.w().startUp({writeSample(n.dir.path(QStringLiteral("s.nib")))});
    EXPECT_FALSE(n.nb().isModified()) << "loading is not an edit";
    const int third = n.editor()->document()->findBlockByNumber(2).position() + 2;
    n.setSelection(third, third);
    EXPECT_EQ(n.w().status().caretText(), QStringLiteral("    3:    3"));
    EXPECT_EQ(n.w().status().linesText(), u8("Строк: 4 (75.0 %)"));
    n.type(QStringLiteral("AA"));
    n.setSelection(1, 4);

    n.select("C");
    EXPECT_EQ(n.text(), QStringLiteral("c body"));
    EXPECT_EQ(n.w().status().caretText(), QStringLiteral("    1:    1"));
    EXPECT_EQ(n.w().status().linesText(), u8("Строк: 1 (100.0 %)"));
    EXPECT_FALSE(n.editor()->document()->isUndoAvailable()) << "C has its own history";
    n.type(QStringLiteral("CC"));

    // Selecting in the navigator goes through the core and back.
    n.w().navigator()->setCurrentIndex(n.index("A"));
    EXPECT_EQ(n.current(), QStringLiteral("A"));
    EXPECT_EQ(n.editor()->textCursor().selectionStart(), 1);
    EXPECT_EQ(n.editor()->textCursor().selectionEnd(), 4);
    n.editor()->undo();
    EXPECT_EQ(n.text(), QStringLiteral("first\nsecond\nthird\nfourth"));
    EXPECT_EQ(n.s("C")->body().text(), QStringLiteral("CCc body"));
}

TEST(MainWindow, EditorKeysCtrlYWordWrapAndTab)
{
    Window n("A", "[Editor]\r\nUseTabChar=1\r\n");
    TKeltoEdit* e = n.editor();
    n.select("A", QStringLiteral("one\ntwo\nthree"));
    n.setSelection(5, 5);
    QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(n.text(), QStringLiteral("one\nthree"));
    EXPECT_EQ(e->caretLine(), 1);
    EXPECT_TRUE(n.nb().isModified());

    n.select("A", QString(500, u'w') + QStringLiteral(" end"));
    n.setSelection(10, 300);
    QTest::keyClick(&n.w(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(e->wordWrap());
    EXPECT_TRUE(n.w().settings().read(keys::editor::WordWrap));
    EXPECT_EQ(e->textCursor().selectionStart(), 10);
    EXPECT_EQ(e->textCursor().selectionEnd(), 300);
    EXPECT_FALSE(n.nb().isModified());

    // With tab characters on, Tab types one; with them off, Ctrl+Tab does.
    n.select("A", QStringLiteral(""));
    e->setFocus();
    QTest::keyClick(e, Qt::Key_Tab);
    EXPECT_EQ(n.text(), QStringLiteral("\t"));
    n.w().settings().write(keys::editor::UseTabChar, false);
    n.settle();
    e->setFocus();
    QTest::keyClick(e, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(n.text(), QStringLiteral("\t\t"));
}

TEST(MainWindow, SettingsApplyAtOnceAndAreWrittenAtExit)
{
    Window n("A", "[Position]\r\nWidth=700\r\nHeight=500\r\n[Treepad]\r\nColor=255\r\n"
                  "[EditorFont]\r\nName=DejaVu Sans Mono\r\nSize=14\r\nBold=1\r\n");
    EXPECT_EQ(n.w().size(), QSize(700, 500));
    EXPECT_EQ(n.editor()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_TRUE(n.editor()->font().bold());
    auto* splitter = n.w().findChild<QSplitter*>(QStringLiteral("Splitter"));
    n.w().settings().write(keys::navigator::Align, 4);
    EXPECT_EQ(splitter->indexOf(n.w().navigator()), 1) << "navigator on the right";
    n.w().settings().write(keys::treepad::Color, 0x00FF0000); // blue in BGR order
    EXPECT_EQ(n.editor()->palette().color(QPalette::Base), QColor(0, 0, 255));

    n.w().resize(640, 480);
    EXPECT_TRUE(n.close());
    TpIniFile stored(n.settingsPath());
    EXPECT_EQ(stored.read(keys::position::State), 0);
    EXPECT_EQ(stored.read(keys::position::Width), 640);
    EXPECT_EQ(stored.read(keys::navigator::Align), 4);
    // Closed maximised: only the state is stored, the size stays.
    n.reopen();
    n.w().showMaximized();
    n.settle();
    EXPECT_TRUE(n.close());
    TpIniFile again(n.settingsPath());
    EXPECT_EQ(again.read(keys::position::State), 2);
    EXPECT_EQ(again.read(keys::position::Height), 480);
}

TEST(WindowLifecycle, FileCommandsTakeTheCaptionStillBeingEdited)
{
    const std::pair<const char*, std::function<void(Window&, const QString&)>> cases[] = {
        {"Ctrl+S", [](Window& n, auto&) { n.press(Qt::Key_S, Qt::ControlModifier); }},
        {"Ctrl+Shift+S",
         [](Window& n, auto&) {
             n.prompts.saveNames.push_back(n.nb().fileName());
             n.press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
         }},
        {"Alt+X", [](Window& n, auto&) { n.press(Qt::Key_X, Qt::AltModifier); }},
        {"Ctrl+N", [](Window& n, auto&) { n.press(Qt::Key_N, Qt::ControlModifier); }},
        {"Ctrl+O",
         [](Window& n, const QString& other) {
             n.prompts.openNames.push_back(other);
             n.press(Qt::Key_O, Qt::ControlModifier);
         }},
        {"drop", [](Window& n, const QString& other) { n.dropFile(n.w().editorArea(), other); }},
    };
    for (const auto& [command, run] : cases) {
        Window n;
        const QString path = writeShape(n.dir.path(QStringLiteral("a.nib")), "A B");
        n.w().startUp({path});
        n.prompts.answers = {Answer::Yes};
        n.view()->setFocus();
        n.press(Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Renamed"));
        run(n, writeShape(n.dir.path(QStringLiteral("other.nib")), "O"));
        EXPECT_EQ(shapeInFile(path), QStringLiteral("Renamed B")) << command;
    }
}

TEST(WindowLifecycle, QtDialogsSpeakRussianAndTitlesGetNoProgramNameAppended)
{
    const QString testName = QCoreApplication::applicationName();
    setUpApplication(*QCoreApplication::instance());
    // Without a display name of its own the application's follows its name;
    // one set explicitly would be appended by the platform to every title.
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(testName);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Тримбель"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QStringList buttons;
    for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        buttons << box.button(b)->text().remove(u'&');
    EXPECT_EQ(buttons.join(u','), u8("Да,Нет,Отмена"));
}

TEST(WindowLifecycle, DropsOnTheEditorOpenFilesAndInsertTextFoldersAreNoFiles)
{
    Window n;
    const QString path = writeShape(n.dir.path(QStringLiteral("a.nib")), "A");
    n.w().startUp({path});
    QMimeData text;
    text.setText(QStringLiteral("dragged"));
    n.dropOn(n.editor(), text);
    EXPECT_EQ(n.text(), QStringLiteral("dragged"));
    // Of several files only the first is opened.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(writeShape(n.dir.path(QStringLiteral("o.nib")), "O P")),
                   QUrl::fromLocalFile(path)});
    n.dropOn(n.editor(), files);
    EXPECT_EQ(n.prompts.questions, QStringList{u8("Файл \"a.nib\" изменён. Сохранить изменения?")});
    EXPECT_EQ(n.shape(), QStringLiteral("O P"));

    const QString folder = n.dir.path(QStringLiteral("folder.nib"));
    ASSERT_TRUE(QDir().mkdir(folder));
    n.dropFile(n.view(), folder);
    n.w().startUp({folder});
    const QString message = u8("Невозможно открыть файл \"%1\".").arg(folder);
    EXPECT_EQ(n.prompts.errors, QStringList({message, message}));
    EXPECT_EQ(n.shape(), QStringLiteral("O P"));

    // A notebook without sections leaves the caret panels blank.
    n.prompts.openNames.push_back(writeShape(n.dir.path(QStringLiteral("empty.nib")), ""));
    n.press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(n.nb().isEmpty());
    EXPECT_EQ(n.w().status().caretText() + n.w().status().linesText(), QString());
}

TEST(WindowLifecycle, SaveKeepsANibExtensionInAnyCaseAndAsksBeforeReplacingAnotherSave)
{
    Window n;
    const QString path = writeShape(n.dir.path(QStringLiteral("NOTES.NIB")), "A");
    n.w().startUp({path});
    Window second;
    second.w().startUp({path});
    n.type(QStringLiteral("first"));
    n.press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(QFile::exists(n.dir.path(QStringLiteral("NOTES.nib")))) << "no second file";
    EXPECT_EQ(n.prompts.questions, QStringList()) << "nobody else wrote the file";

    second.type(QStringLiteral("second"));
    second.prompts.answers = {Answer::No, Answer::Yes};
    second.press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(second.prompts.questions,
              QStringList{u8("Файл \"NOTES.NIB\" был изменён другой программой. Заменить его?")});
    EXPECT_TRUE(readBytes(path).contains("first")) << "No keeps the other version";
    EXPECT_TRUE(second.nb().isModified());
    // A double click on the modified mark saves as well.
    QTest::mouseDClick(second.w().findChild<QLabel*>(QStringLiteral("StatusModified")),
                       Qt::LeftButton);
    second.settle();
    EXPECT_TRUE(readBytes(path).contains("second"));
    EXPECT_TRUE(readBytes(n.dir.path(QStringLiteral("NOTES.bak"))).contains("first"));
    EXPECT_FALSE(second.nb().isModified());
}

// The open notebook is held in memory: another program truncating or
// replacing its file changes nothing of what the window shows, finds or
// saves.
TEST(WindowLifecycle, AFileTruncatedOrReplacedWhileOpenChangesNothingShownOrSaved)
{
    for (const bool replace : {false, true}) {
        Window n;
        const QString path = writeSample(n.dir.path(u8("open.nib")));
        n.w().startUp({path});
        if (replace) {
            QFile::remove(path);
            writeShape(path, "X Y");
        } else {
            QFile::resize(path, 10);
        }
        n.select("C");
        EXPECT_EQ(n.text(), u8("c body"));
        n.select("A");
        EXPECT_EQ(n.text(), u8("first\nsecond\nthird\nfourth"));
        n.editor()->setFocus();
        n.trigger("ActionEditFind");
        auto& find = n.w().searchCommands().dialog();
        find.findChild<QComboBox*>(u8("FindComboBox"))->setEditText(u8("body"));
        find.findChild<QCheckBox*>(u8("CheckAllFile"))->setChecked(true);
        find.findChild<QPushButton*>(u8("FindButton"))->click();
        EXPECT_EQ(n.current(), u8("C"));
        find.reject();
        n.nb().setModified(true);
        n.prompts.answers = {UserPrompts::Answer::Yes}; // replace what the other program left
        n.trigger("ActionFileSave");
        EXPECT_EQ(n.prompts.questions.size(), 1);
        EXPECT_FALSE(n.nb().isModified());
        Notebook saved;
        ReadNotebook(path, saved);
        EXPECT_EQ(shapeOf(saved), u8("A(B) C"));
        EXPECT_EQ(findSection(saved, u8("C"))->body().text(), u8("c body"));
    }
}
