#include "TreeShape.h"
#include "WindowFixture.h"
#include "common/TextCodec.h"
#include "document/NotebookFile.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/NavigatorModel.h"
#include "mainwindow/StatusPanels.h"
#include "settings/SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::WindowFixture;
using Answer = kelto::UserPrompts::Answer;

namespace {

void trigger(TNotesForm& w, const char* name)
{
    QAction* a = w.action(QString::fromLatin1(name));
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
    QCoreApplication::processEvents();
}

// A notebook file with sections A (child B) and C and the given bodies.
QString writeSample(const QString& path, const QString& name = QString())
{
    Notebook nb;
    test::buildShape(nb, QStringLiteral("A(B) C"));
    nb.firstSection()->body().setText(QStringLiteral("first\nsecond\nthird\nfourth"));
    test::findSection(nb, QStringLiteral("C"))->body().setText(QStringLiteral("c body"));
    if (!name.isEmpty())
        nb.properties().setValue(u"Name", name);
    nb.setCurrent(nb.firstSection());
    WriteNotebook(nb, path);
    return path;
}

// Types as a user would, one key event per character (Cyrillic included).
void typeText(TKeltoEdit* editor, const QString& text)
{
    editor->setFocus();
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCoreApplication::processEvents();
}

QByteArray settingsText(const char* text)
{
    return QByteArray(text);
}

} // namespace

TEST(MainWindow, StartsWithTheLayoutAndNamesOfAnEmptyNotebook)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=3\r\n"));
    TNotesForm& w = f.window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Тримбель - Новый файл"));
    EXPECT_TRUE(w.notebook().isEmpty());
    EXPECT_EQ(w.editorArea()->currentWidget()->objectName(), QStringLiteral("RePanelCaption"));
    EXPECT_EQ(qobject_cast<QLabel*>(w.editorArea()->currentWidget())->text(),
              QStringLiteral("нет разделов для редактирования"));
    EXPECT_FALSE(w.action(u"ActionFileSave")->isEnabled());
    EXPECT_FALSE(w.action(u"ActionFileSaveAs")->isEnabled());
    QStringList menus;
    for (QAction* a : w.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({QStringLiteral("&Файл"), QStringLiteral("&Навигатор"),
                                  QStringLiteral("&Редактор"), QStringLiteral("&Избранное"),
                                  QStringLiteral("&Шаблоны"), QStringLiteral("&Сервис"),
                                  QStringLiteral("&?")}));
    EXPECT_FALSE(w.menuBar()->actions().at(4)->isVisible());
    EXPECT_NE(w.findChild<QTreeView*>(QStringLiteral("TreeView")), nullptr);
    EXPECT_NE(w.findChild<QWidget*>(QStringLiteral("HideLoadingPanel")), nullptr);
    EXPECT_TRUE(f.close()) << "an empty notebook closes without a question";
    EXPECT_TRUE(f.prompts.questions.isEmpty());
}

TEST(MainWindow, StartUpDocumentFollowsArgumentsAndOnLoad)
{
    {
        WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n"));
        f.window().startUp({});
        EXPECT_EQ(test::shapeOf(f.window().notebook()), QStringLiteral("Новый раздел"));
        EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Тримбель - Новый файл"));
        EXPECT_FALSE(f.window().notebook().isModified());
    }
    {
        WindowFixture f;
        const QString path =
            writeSample(f.dir.path(QStringLiteral("named.nib")), QStringLiteral("Мои записи"));
        f.window().startUp({path});
        EXPECT_EQ(test::shapeOf(f.window().notebook()), QStringLiteral("A(B) C"));
        EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Тримбель - Мои записи"));
        EXPECT_EQ(f.window().status().pathText(), path);
        EXPECT_EQ(QDir::currentPath(), f.dir.root());
    }
    {
        // Default settings: kelto.nib from the current folder; missing, the
        // window shows the message and stays usable with an empty notebook.
        WindowFixture f;
        QDir::setCurrent(f.dir.root());
        f.window().startUp({});
        ASSERT_EQ(f.prompts.errors.size(), 1);
        EXPECT_EQ(f.prompts.errors.first(),
                  QStringLiteral("Невозможно открыть файл \"kelto.nib\"."));
        EXPECT_TRUE(f.window().notebook().isEmpty());
        writeSample(f.dir.path(QStringLiteral("kelto.nib")));
        f.window().startUp({});
        EXPECT_EQ(f.window().notebook().sectionCount(), 3);
        EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Тримбель - Без названия"));
    }
    {
        WindowFixture f;
        const QString path = writeSample(f.dir.path(QStringLiteral("recent.nib")));
        test::writeBytes(f.settingsPath(),
                         "[Treepad]\r\nOnLoad=1\r\n[FileList]\r\nFile0=" + path.toUtf8() + "\r\n");
        f.reopen();
        f.window().startUp({});
        EXPECT_EQ(f.window().notebook().fileName(), path);
    }
}

TEST(MainWindow, NewOpenSaveAndSaveAsRoundTrip)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=3\r\n"));
    TNotesForm& w = f.window();
    trigger(w, "ActionFileNew");
    EXPECT_EQ(test::shapeOf(w.notebook()), QStringLiteral("Новый раздел"));
    EXPECT_TRUE(w.action(u"ActionFileSave")->isEnabled());
    typeText(w.editor(), QStringLiteral("Привет, мир"));
    EXPECT_TRUE(w.notebook().isModified());
    EXPECT_TRUE(w.status().modifiedShown());

    // Save of a new notebook goes through Save As.
    const QString path = f.dir.path(QStringLiteral("book.nib"));
    f.prompts.saveNames.push_back(path);
    trigger(w, "ActionFileSave");
    EXPECT_EQ(f.prompts.saveDialogs, 1);
    EXPECT_FALSE(w.notebook().isModified());
    EXPECT_FALSE(w.status().modifiedShown());
    EXPECT_EQ(w.status().pathText(), path);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Тримбель - Без названия"));

    const QString copy = f.dir.path(QStringLiteral("copy.nib"));
    f.prompts.saveNames.push_back(copy);
    trigger(w, "ActionFileSaveAs");
    EXPECT_EQ(w.notebook().fileName(), copy);

    trigger(w, "ActionFileNew");
    EXPECT_EQ(w.notebook().fileName(), Notebook::DefaultFileName);
    f.prompts.openNames.push_back(path);
    trigger(w, "ActionFileOpen");
    EXPECT_EQ(w.notebook().fileName(), path);
    EXPECT_EQ(w.notebook().firstSection()->body().text(), QStringLiteral("Привет, мир"));
    EXPECT_TRUE(w.navigator()->hasFocus() || !w.isActiveWindow());
    EXPECT_TRUE(f.prompts.errors.isEmpty())
        << f.prompts.errors.join(QLatin1Char('\n')).toStdString();
}

TEST(MainWindow, UnsavedChangesQuestionAnswers)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=3\r\n"));
    TNotesForm& w = f.window();
    const QString path = writeSample(f.dir.path(QStringLiteral("a.nib")));
    w.startUp({path});
    typeText(w.editor(), QStringLiteral("x"));

    // Cancel: nothing happens.
    f.prompts.answers = {Answer::Cancel};
    trigger(w, "ActionFileNew");
    EXPECT_EQ(f.prompts.questions.last(),
              QStringLiteral("Файл \"a.nib\" изменён. Сохранить изменения?"));
    EXPECT_EQ(w.notebook().sectionCount(), 3);
    EXPECT_TRUE(w.notebook().isModified());

    // Yes saves, then the command goes on.
    f.prompts.answers = {Answer::Yes};
    trigger(w, "ActionFileNew");
    EXPECT_EQ(test::shapeOf(w.notebook()), QStringLiteral("Новый раздел"));
    Notebook saved;
    ReadNotebook(path, saved);
    EXPECT_TRUE(saved.firstSection()->body().text().startsWith(QLatin1Char('x')));

    // Yes on a never-saved notebook opens Save As; cancelling it cancels all.
    typeText(w.editor(), QStringLiteral("y"));
    f.prompts.answers = {Answer::Yes};
    trigger(w, "ActionFileNew");
    EXPECT_EQ(f.prompts.saveDialogs, 1);
    EXPECT_EQ(w.notebook().firstSection()->body().text(), QStringLiteral("y"));
    f.prompts.answers = {Answer::Yes};
    EXPECT_FALSE(f.close()) << "Yes, then a cancelled Save As, keeps the window";
    EXPECT_EQ(f.prompts.saveDialogs, 2);
    EXPECT_TRUE(w.isVisible());

    // No goes on without saving.
    f.prompts.answers = {Answer::No};
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(w.isVisible());
}

TEST(MainWindow, ClosingAsksOnlyWhenThereIsSomethingToLose)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n"));
    TNotesForm& w = f.window();
    w.startUp({});
    typeText(w.editor(), QStringLiteral("text"));
    f.prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(f.close());
    EXPECT_EQ(f.prompts.questions.size(), 1);
    // With the last section deleted nothing is asked, modified or not.
    w.notebook().deleteSection(w.notebook().firstSection());
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.notebook().isModified());
    EXPECT_FALSE(w.action(u"ActionFileSave")->isEnabled());
    EXPECT_EQ(w.editorArea()->currentWidget()->objectName(), QStringLiteral("RePanelCaption"));
    EXPECT_TRUE(f.close());
    EXPECT_EQ(f.prompts.questions.size(), 1);
}

TEST(MainWindow, SavingANotebookOpenedFromTextWritesANibBesideIt)
{
    WindowFixture f;
    TNotesForm& w = f.window();
    const QString text = f.dir.path(QStringLiteral("notes.txt"));
    test::writeBytes(text, QStringLiteral("строка\r\nещё").toUtf8());
    w.startUp({text});
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Тримбель - notes.txt"));
    trigger(w, "ActionFileSave");
    const QString nib = f.dir.path(QStringLiteral("notes.nib"));
    EXPECT_EQ(w.notebook().fileName(), nib);
    EXPECT_EQ(w.status().pathText(), nib);
    EXPECT_EQ(test::readBytes(text), QStringLiteral("строка\r\nещё").toUtf8());
    Notebook back;
    ReadNotebook(nib, back);
    EXPECT_EQ(back.firstSection()->body().text(), QStringLiteral("строка\nещё"));

    // A file without extension gets ".nib" appended.
    const QString readme = f.dir.path(QStringLiteral("README"));
    test::writeBytes(readme, "read me");
    w.startUp({readme});
    trigger(w, "ActionFileSave");
    EXPECT_EQ(w.notebook().fileName(), f.dir.path(QStringLiteral("README.nib")));
}

TEST(MainWindow, AnotherNotebookBesideATextFileIsNotReplacedSilently)
{
    WindowFixture f;
    TNotesForm& w = f.window();
    const QString other = writeSample(f.dir.path(QStringLiteral("plan.nib")));
    const QByteArray otherBytes = test::readBytes(other);
    const QString text = f.dir.path(QStringLiteral("plan.txt"));
    test::writeBytes(text, "text");
    w.startUp({text});

    // Cancel: nothing written.
    f.prompts.answers = {Answer::Cancel};
    trigger(w, "ActionFileSave");
    EXPECT_EQ(f.prompts.questions.last(),
              QStringLiteral("Файл \"%1\" уже существует. Заменить его?").arg(other));
    EXPECT_EQ(test::readBytes(other), otherBytes);
    EXPECT_EQ(w.notebook().fileName(), text);

    // No turns into Save As.
    const QString elsewhere = f.dir.path(QStringLiteral("elsewhere.nib"));
    f.prompts.answers = {Answer::No};
    f.prompts.saveNames.push_back(elsewhere);
    trigger(w, "ActionFileSave");
    EXPECT_EQ(test::readBytes(other), otherBytes);
    EXPECT_EQ(w.notebook().fileName(), elsewhere);

    // Yes replaces it (the old one is kept as the backup).
    w.startUp({text});
    f.prompts.answers = {Answer::Yes};
    trigger(w, "ActionFileSave");
    EXPECT_EQ(w.notebook().fileName(), other);
    EXPECT_EQ(test::readBytes(f.dir.path(QStringLiteral("plan.bak"))), otherBytes);
    Notebook back;
    ReadNotebook(other, back);
    EXPECT_EQ(back.firstSection()->body().text(), QStringLiteral("text"));
}

TEST(MainWindow, FailedOpenLeavesTheOpenNotebookAlone)
{
    WindowFixture f;
    TNotesForm& w = f.window();
    const QString path =
        writeSample(f.dir.path(QStringLiteral("good.nib")), QStringLiteral("Good"));
    w.startUp({path});
    typeText(w.editor(), QStringLiteral("edit "));
    const QString title = w.windowTitle();
    const QString bad = f.dir.path(QStringLiteral("bad.nib"));
    test::writeBytes(bad, QByteArray("NIB\x01\x10\x00\x00\x00short", 13));
    f.prompts.answers = {Answer::No};
    f.prompts.openNames.push_back(bad);
    trigger(w, "ActionFileOpen");
    ASSERT_EQ(f.prompts.errors.size(), 1);
    EXPECT_EQ(f.prompts.errors.first(),
              QStringLiteral("Нарушена структура файла или данный формат файла не поддерживается"));
    EXPECT_EQ(w.windowTitle(), title);
    EXPECT_EQ(w.notebook().fileName(), path);
    EXPECT_TRUE(w.notebook().isModified());
    EXPECT_EQ(test::shapeOf(w.notebook()), QStringLiteral("A(B) C"));
    EXPECT_TRUE(w.editor()->toPlainText().startsWith(QStringLiteral("edit first")));
    EXPECT_EQ(w.editorArea()->currentWidget(), w.editor());

    f.prompts.openNames.push_back(f.dir.path(QStringLiteral("gone.nib")));
    trigger(w, "ActionFileOpen");
    EXPECT_EQ(f.prompts.errors.last(), QStringLiteral("Невозможно открыть файл \"%1\".")
                                           .arg(f.dir.path(QStringLiteral("gone.nib"))));
    EXPECT_EQ(w.notebook().fileName(), path);
}

TEST(MainWindow, StatusPanelsFollowTheCaret)
{
    WindowFixture f;
    TNotesForm& w = f.window();
    w.startUp({writeSample(f.dir.path(QStringLiteral("s.nib")))});
    TKeltoEdit* e = w.editor();
    QTextCursor c = e->textCursor();
    c.setPosition(e->document()->findBlockByNumber(2).position() + 2);
    e->setTextCursor(c);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.status().caretText(), QStringLiteral("    3:    3"));
    EXPECT_EQ(w.status().linesText(), QStringLiteral("Строк: 4 (75.0 %)"));
    // Selecting another section refreshes them.
    w.notebook().setCurrent(test::findSection(w.notebook(), QStringLiteral("C")));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.status().caretText(), QStringLiteral("    1:    1"));
    EXPECT_EQ(w.status().linesText(), QStringLiteral("Строк: 1 (100.0 %)"));
    EXPECT_EQ(StatusPanels::formatLines(0, 0), QStringLiteral("Строк: 0 (0.0 %)"));
}

TEST(MainWindow, EachSectionKeepsItsOwnTextUndoAndSelection)
{
    WindowFixture f;
    TNotesForm& w = f.window();
    w.startUp({writeSample(f.dir.path(QStringLiteral("s.nib")))});
    Notebook& nb = w.notebook();
    TKeltoEdit* e = w.editor();
    EXPECT_FALSE(nb.isModified()) << "loading is not an edit";
    typeText(e, QStringLiteral("AA"));
    QTextCursor c = e->textCursor();
    c.setPosition(1);
    c.setPosition(4, QTextCursor::KeepAnchor);
    e->setTextCursor(c);

    nb.setCurrent(test::findSection(nb, QStringLiteral("C")));
    QCoreApplication::processEvents();
    EXPECT_EQ(e->toPlainText(), QStringLiteral("c body"));
    EXPECT_FALSE(e->document()->isUndoAvailable()) << "C has its own, empty history";
    typeText(e, QStringLiteral("CC"));

    nb.setCurrent(nb.firstSection());
    QCoreApplication::processEvents();
    EXPECT_EQ(e->textCursor().selectionStart(), 1);
    EXPECT_EQ(e->textCursor().selectionEnd(), 4);
    e->undo();
    EXPECT_EQ(e->toPlainText(), QStringLiteral("first\nsecond\nthird\nfourth"));
    EXPECT_EQ(test::findSection(nb, QStringLiteral("C"))->body().text(),
              QStringLiteral("CCc body"));
    // Selection changes in the navigator follow the core and back.
    w.navigator()->setCurrentIndex(
        w.navigatorModel()->indexOf(test::findSection(nb, QStringLiteral("C"))));
    EXPECT_EQ(nb.current()->caption(), QStringLiteral("C"));
    EXPECT_EQ(e->toPlainText(), QStringLiteral("CCc body"));
}

TEST(MainWindow, CtrlYDeletesTheCaretLine)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n"));
    TNotesForm& w = f.window();
    w.startUp({});
    TKeltoEdit* e = w.editor();
    typeText(e, QStringLiteral("only"));
    w.notebook().setModified(false);
    QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(e->toPlainText(), QStringLiteral("only")) << "Ctrl+Shift+Y does nothing";
    QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e->toPlainText(), QString());
    EXPECT_TRUE(w.notebook().isModified());

    e->setPlainText(QStringLiteral("one\ntwo\nthree"));
    QTextCursor c = e->textCursor();
    c.setPosition(5);
    e->setTextCursor(c);
    QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e->toPlainText(), QStringLiteral("one\nthree"));
    EXPECT_EQ(e->caretLine(), 1);
}

TEST(MainWindow, WordWrapKeepsSelectionAndModifiedFlag)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n"));
    TNotesForm& w = f.window();
    w.startUp({});
    TKeltoEdit* e = w.editor();
    e->setPlainText(QString(500, QLatin1Char('w')) + QStringLiteral(" end"));
    w.notebook().setModified(false);
    QTextCursor c = e->textCursor();
    c.setPosition(10);
    c.setPosition(300, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
    ASSERT_FALSE(e->wordWrap());
    QTest::keyClick(&w, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(e->wordWrap());
    EXPECT_TRUE(w.settings().read(keys::editor::WordWrap));
    EXPECT_EQ(e->textCursor().selectionStart(), 10);
    EXPECT_EQ(e->textCursor().selectionEnd(), 300);
    EXPECT_FALSE(w.notebook().isModified());
    QTest::keyClick(&w, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(e->wordWrap());
}

TEST(MainWindow, TabKeysFollowTheTabSetting)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n[Editor]\r\nUseTabChar=1\r\n"));
    TNotesForm& w = f.window();
    w.startUp({});
    TKeltoEdit* e = w.editor();
    EXPECT_TRUE(w.action(u"ActionEditorDisableTab")->isEnabled());
    e->setFocus();
    QTest::keyClick(e, Qt::Key_Tab);
    EXPECT_EQ(e->toPlainText(), QStringLiteral("\t"));
    // In the navigator Tab neither moves the focus nor changes anything.
    w.navigator()->setFocus();
    QCoreApplication::processEvents();
    QTest::keyClick(w.navigator(), Qt::Key_Tab);
    EXPECT_TRUE(w.navigator()->hasFocus() || !w.isActiveWindow());
    EXPECT_EQ(e->toPlainText(), QStringLiteral("\t"));

    w.settings().write(keys::editor::UseTabChar, false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.action(u"ActionEditorDisableTab")->isEnabled());
    e->setFocus();
    QTest::keyClick(e, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(e->toPlainText(), QStringLiteral("\t\t")) << "Ctrl+Tab types the tab character";
    EXPECT_TRUE(e->tabChangesFocus());
}

TEST(MainWindow, DoubleClickSelectsTheWordWithoutTrailingBlanks)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n"));
    TNotesForm& w = f.window();
    w.startUp({});
    TKeltoEdit* e = w.editor();
    e->setPlainText(QStringLiteral("word  next"));
    QTextCursor c = e->textCursor();
    c.setPosition(1);
    const QPoint point = e->cursorRect(c).center();
    QTest::mouseDClick(e->viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(e->textCursor().selectedText(), QStringLiteral("word"));
}

TEST(MainWindow, SettingsAreAppliedAndWrittenAtExit)
{
    WindowFixture f(settingsText("[Position]\r\nLeft=40\r\nTop=50\r\nWidth=700\r\nHeight=500\r\n"
                                 "[Navigator]\r\nWidth=150\r\n[Treepad]\r\nOnLoad=3\r\n"));
    TNotesForm& w = f.window();
    EXPECT_EQ(w.width(), 700);
    EXPECT_EQ(w.height(), 500);
    w.resize(640, 480);
    EXPECT_TRUE(f.close());
    TpIniFile stored(f.settingsPath());
    EXPECT_EQ(stored.read(keys::position::State), 0);
    EXPECT_EQ(stored.read(keys::position::Width), 640);
    EXPECT_EQ(stored.read(keys::position::Height), 480);
    EXPECT_GT(stored.read(keys::navigator::Width), 0);

    // Closed maximised: only the state is stored.
    f.reopen();
    f.window().showMaximized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.close());
    TpIniFile again(f.settingsPath());
    EXPECT_EQ(again.read(keys::position::State), 2);
    EXPECT_EQ(again.read(keys::position::Width), 640);
    EXPECT_EQ(again.read(keys::position::Height), 480);
}

TEST(MainWindow, NavigatorCanBeHiddenAndShownWithOneItem)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n"));
    TNotesForm& w = f.window();
    EXPECT_TRUE(w.navigatorShown());
    trigger(w, "ActionServiceHideNavigator");
    EXPECT_FALSE(w.navigatorShown());
    EXPECT_TRUE(w.navigator()->isHidden());
    trigger(w, "ActionServiceShowNavigator");
    EXPECT_TRUE(w.navigatorShown());
}

TEST(MainWindow, ModifiedMarkDoubleClickSaves)
{
    WindowFixture f;
    TNotesForm& w = f.window();
    const QString path = writeSample(f.dir.path(QStringLiteral("m.nib")));
    w.startUp({path});
    typeText(w.editor(), QStringLiteral("z"));
    auto* mark = w.findChild<QLabel*>(QStringLiteral("StatusModified"));
    ASSERT_NE(mark, nullptr);
    QTest::mouseDClick(mark, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.notebook().isModified());
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_TRUE(back.firstSection()->body().text().startsWith(QLatin1Char('z')));
}

TEST(MainWindow, OnlyTheFirstDroppedFileIsOpened)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=3\r\n"));
    TNotesForm& w = f.window();
    const QString first = writeSample(f.dir.path(QStringLiteral("first.nib")));
    const QString second = writeSample(f.dir.path(QStringLiteral("second.nib")));
    w.openDroppedFiles({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second),
                        QUrl::fromLocalFile(f.dir.path(QStringLiteral("third.txt")))});
    EXPECT_EQ(w.notebook().fileName(), first);
    EXPECT_TRUE(f.prompts.errors.isEmpty());
    EXPECT_TRUE(w.acceptDrops());
}

TEST(MainWindow, HelpShowsTheUserGuide)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=3\r\n"));
    trigger(f.window(), "ActionHelpContents");
    auto* help = f.window().findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QString text = help->browser()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Тримбель")));
    EXPECT_TRUE(text.contains(QStringLiteral("Ctrl+S")));
    // Every toolbar button has a picture even without an icon theme.
    for (QAction* a : f.window().findChild<QToolBar*>(QStringLiteral("ToolBar"))->actions()) {
        if (!a->isSeparator() && a->isVisible()) {
            EXPECT_FALSE(a->icon().pixmap(16, 16).isNull()) << a->objectName().toStdString();
        }
    }
}

TEST(MainWindow, SettingsThatApplyAtOnce)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\nColor=255\r\n"
                                 "[EditorFont]\r\nName=DejaVu Sans Mono\r\nSize=14\r\nBold=1\r\n"));
    TNotesForm& w = f.window();
    w.startUp({});
    auto* splitter = w.findChild<QSplitter*>(QStringLiteral("Splitter"));
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->indexOf(w.navigator()), 0);
    EXPECT_EQ(w.editor()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(w.editor()->font().pointSize(), 14);
    EXPECT_TRUE(w.editor()->font().bold());
    // The window background system colour is the palette's base colour.
    EXPECT_EQ(w.navigator()->palette().color(QPalette::Base),
              QApplication::palette(w.navigator()).color(QPalette::Base));

    w.settings().write(keys::navigator::Align, 4);
    EXPECT_EQ(splitter->indexOf(w.navigator()), 1);
    w.settings().write(keys::navigator::Align, 3);
    EXPECT_EQ(splitter->indexOf(w.navigator()), 0);
    w.settings().write(keys::treepad::Color, 0x00FF0000); // blue in BGR order
    EXPECT_EQ(w.editor()->palette().color(QPalette::Base), QColor(0, 0, 255));
    w.settings().write(keys::navigator::Color, 0x0000FF00);
    EXPECT_EQ(w.navigator()->palette().color(QPalette::Base), QColor(0, 255, 0));
    w.settings().write(keys::treepad::AlwaysOnTop, true);
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.isVisible());
    w.settings().write(keys::treepad::AlwaysOnTop, false);
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(MainWindow, CtrlTabMovesTheFocusWhenTabTypesTabs)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n[Editor]\r\nUseTabChar=1\r\n"));
    TNotesForm& w = f.window();
    w.startUp({});
    QApplication::setActiveWindow(&w);
    w.editor()->setFocus();
    QCoreApplication::processEvents();
    if (!w.editor()->hasFocus())
        GTEST_SKIP() << "the platform gives no focus";
    QTest::keyClick(w.editor(), Qt::Key_Tab, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.editor()->hasFocus());
    EXPECT_EQ(w.editor()->toPlainText(), QString()) << "Ctrl+Tab types nothing then";
    // Ctrl+Shift+Tab goes back.
    QWidget* next = QApplication::focusWidget();
    ASSERT_NE(next, nullptr);
    QTest::keyClick(next, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.editor()->hasFocus());
}

TEST(MainWindow, ClickingALinkOpensIt)
{
    WindowFixture f(settingsText("[Treepad]\r\nOnLoad=0\r\n"));
    TNotesForm& w = f.window();
    w.startUp({});
    TKeltoEdit* e = w.editor();
    e->setPlainText(QStringLiteral("see www.example.com now"));
    QStringList opened;
    QObject::connect(e, &TKeltoEdit::linkActivated, e,
                     [&opened](const QString& url) { opened << url; });
    // Temporarily stop the real handler so no browser starts.
    QObject::disconnect(e, &TKeltoEdit::linkActivated, &w, nullptr);
    QTextCursor c = e->textCursor();
    c.setPosition(8);
    QTest::mouseClick(e->viewport(), Qt::LeftButton, {}, e->cursorRect(c).center());
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://www.example.com")});
    c.setPosition(1);
    QTest::mouseClick(e->viewport(), Qt::LeftButton, {}, e->cursorRect(c).center());
    EXPECT_EQ(opened.size(), 1) << "plain words are no links";
}
