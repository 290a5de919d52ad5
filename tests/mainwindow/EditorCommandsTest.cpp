#include "mainwindow/EditorCommands.h"
#include "TreeShape.h"
#include "WindowFixture.h"
#include "mainwindow/ActionCatalog.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/NavigatorCommands.h"
#include "mainwindow/NavigatorModel.h"
#include "settings/SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::WindowFixture;

namespace {

const QString Dashes(30, u'-');

// A window over the sections A(B(C) D) E with A selected and its body given,
// the editor the active control and the notebook unmodified.
class EditorCommandsTest : public ::testing::Test
{
protected:
    explicit EditorCommandsTest(const char* settings = "")
        : f(QByteArray("[Treepad]\r\nOnLoad=3\r\n") + settings)
    {
        test::buildShape(nb(), QStringLiteral("A(B(C) D) E"));
        select(u"A");
        QApplication::setActiveWindow(&w());
        editor()->setFocus();
        QCoreApplication::processEvents();
    }

    TNotesForm& w() { return f.window(); }
    Notebook& nb() { return w().notebook(); }
    TKeltoEdit* editor() { return w().editor(); }
    QAction* action(QStringView name) { return w().action(name); }
    QString text() { return editor()->toPlainText(); }

    // Makes the section current and its body the given text, as if loaded.
    void select(QStringView caption, const QString& body = QString())
    {
        Section* s = test::findSection(nb(), caption.toString());
        ASSERT_NE(s, nullptr);
        if (!body.isNull())
            s->body().setText(body);
        nb().setCurrent(s);
        nb().setModified(false);
        QCoreApplication::processEvents();
    }

    void setSelection(int anchor, int position)
    {
        QTextCursor c = editor()->textCursor();
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        editor()->setTextCursor(c);
        w().updateActions();
    }

    void selectAll() { setSelection(0, editor()->document()->characterCount() - 1); }

    // Start of a line (paragraph), counted from 0.
    int lineStart(int line) { return editor()->document()->findBlockByNumber(line).position(); }

    // Runs a command as a menu item or button does; false when it is disabled.
    bool trigger(QStringView name)
    {
        w().updateActions();
        QAction* a = action(name);
        if (!a->isEnabled())
            return false;
        a->trigger();
        QCoreApplication::processEvents();
        return true;
    }

    bool editorFocused() { return w().focusWidget() == editor(); }
    bool windowActive() { return w().isActiveWindow() && editor()->hasFocus(); }

    WindowFixture f;
};

class ShiftByTwo : public EditorCommandsTest
{
protected:
    ShiftByTwo() : EditorCommandsTest("[Editor]\r\nShiftsCount=2\r\n") {}
};

class ShiftByFour : public EditorCommandsTest
{
protected:
    ShiftByFour() : EditorCommandsTest("[Editor]\r\nShiftsCount=4\r\n") {}
};

} // namespace

TEST_F(ShiftByTwo, IndentAndOutdentOfThreeLines)
{
    select(u"A", QStringLiteral("a\n\n  b\nrest"));
    setSelection(0, lineStart(2) + 3);
    ASSERT_TRUE(trigger(u"ActionEditShr"));
    EXPECT_EQ(text(), QStringLiteral("  a\n\n    b\nrest"));
    EXPECT_FALSE(editor()->textCursor().hasSelection());
    EXPECT_EQ(editor()->textCursor().position(), lineStart(2) + 5) << "after the block";
    EXPECT_TRUE(nb().isModified());

    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_EQ(text(), QStringLiteral("a\n\n  b\nrest")) << "one step takes it back";
    setSelection(0, lineStart(2) + 3);
    ASSERT_TRUE(trigger(u"ActionEditShl"));
    EXPECT_EQ(text(), QStringLiteral("a\n\nb\nrest"));
}

TEST_F(ShiftByTwo, ShiftIsItsOwnUndoStepAfterTyping)
{
    select(u"A", QStringLiteral("line"));
    setSelection(4, 4);
    QTest::keyClicks(editor(), QStringLiteral("xy"));
    setSelection(0, 2);
    ASSERT_TRUE(trigger(u"ActionEditShr"));
    EXPECT_EQ(text(), QStringLiteral("  linexy"));
    editor()->undo();
    EXPECT_EQ(text(), QStringLiteral("linexy")) << "the typing stays";
    editor()->redo();
    EXPECT_EQ(text(), QStringLiteral("  linexy"));
}

TEST_F(ShiftByFour, OutdentRemovesSpacesButNeverTabs)
{
    select(u"A", QStringLiteral("  \tx\n\ty\n      z"));
    selectAll();
    ASSERT_TRUE(trigger(u"ActionEditShl"));
    EXPECT_EQ(text(), QStringLiteral("\tx\n\ty\n  z"));
}

TEST_F(ShiftByFour, SelectionEndingAtALineStartLeavesThatLine)
{
    select(u"A", QStringLiteral("l1\nl2\nline3\nl4\nl5\nl6\nl7"));
    // The selected text ends with the line break of line 5.
    setSelection(lineStart(2) + 2, lineStart(5));
    ASSERT_TRUE(trigger(u"ActionEditShr"));
    EXPECT_EQ(text(), QStringLiteral("l1\nl2\n    line3\n    l4\n    l5\nl6\nl7"));
    EXPECT_EQ(editor()->textCursor().position(), lineStart(5) - 1);
}

TEST_F(ShiftByFour, SelectionInsideOneLineShiftsThatLine)
{
    select(u"A", QStringLiteral("one\n two words\nthree"));
    setSelection(lineStart(1) + 6, lineStart(1) + 3) /* backwards */;
    ASSERT_TRUE(trigger(u"ActionEditShr"));
    EXPECT_EQ(text(), QStringLiteral("one\n     two words\nthree"));
    // Lines are paragraphs even when wrapping breaks them on screen, the
    // same lines the status bar and Ctrl+Y count.
    editor()->setWordWrap(true);
    editor()->resize(60, 200);
    select(u"D", QStringLiteral("word word word word word word word word\nnext"));
    setSelection(30, 31);
    EXPECT_EQ(editor()->caretLine(), 0);
    ASSERT_TRUE(trigger(u"ActionEditShr"));
    EXPECT_EQ(text(), QStringLiteral("    word word word word word word word word\nnext"));
}

TEST_F(ShiftByTwo, ALineEndedWithShiftEnterIsALineOfItsOwn)
{
    select(u"A", QString());
    QTest::keyClicks(editor(), QStringLiteral("a"));
    QTest::keyClick(editor(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(editor(), QStringLiteral("b"));
    EXPECT_EQ(editor()->lineCount(), 2);
    selectAll();
    ASSERT_TRUE(trigger(u"ActionEditShr"));
    EXPECT_EQ(nb().current()->body().text(), QStringLiteral("  a\n  b"));
}

TEST_F(ShiftByFour, ShiftWidthIsHeldToTheRangeTheOptionsOffer)
{
    w().settings().write(keys::editor::ShiftsCount, 100000000);
    select(u"A", QStringLiteral("x"));
    selectAll();
    ASSERT_TRUE(trigger(u"ActionEditShr"));
    EXPECT_EQ(text(), QString(10, u' ') + QStringLiteral("x"));
    w().settings().write(keys::editor::ShiftsCount, -5);
    selectAll();
    ASSERT_TRUE(trigger(u"ActionEditShl"));
    EXPECT_EQ(text(), QString(9, u' ') + QStringLiteral("x"));
}

TEST_F(EditorCommandsTest, CaseOfCyrillicTextAndUndo)
{
    select(u"A", QStringLiteral("Привет, Ёжик!\nВторая строка"));
    selectAll();
    ASSERT_TRUE(trigger(u"ActionEditUpper"));
    EXPECT_EQ(text(), QStringLiteral("ПРИВЕТ, ЁЖИК!\nВТОРАЯ СТРОКА"));
    EXPECT_EQ(editor()->lineCount(), 2) << "the paragraph break survives";
    EXPECT_TRUE(nb().isModified());
    selectAll();
    ASSERT_TRUE(trigger(u"ActionEditLower"));
    EXPECT_EQ(text(), QStringLiteral("привет, ёжик!\nвторая строка"));
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_EQ(text(), QStringLiteral("ПРИВЕТ, ЁЖИК!\nВТОРАЯ СТРОКА"));
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_EQ(text(), QStringLiteral("Привет, Ёжик!\nВторая строка"));
}

TEST_F(EditorCommandsTest, CaseWithNothingToChangeIsNoEdit)
{
    select(u"A", QStringLiteral("ABC abc"));
    setSelection(2, 2);
    ASSERT_TRUE(trigger(u"ActionEditUpper")) << "enabled without a selection";
    EXPECT_EQ(text(), QStringLiteral("ABC abc"));
    setSelection(0, 3);
    ASSERT_TRUE(trigger(u"ActionEditUpper"));
    EXPECT_FALSE(nb().isModified());
    EXPECT_FALSE(editor()->document()->isUndoAvailable());
}

TEST_F(EditorCommandsTest, CaseKeysWorkInTheFocusedEditor)
{
    if (!windowActive())
        GTEST_SKIP() << "the platform gives no focus";
    select(u"A", QStringLiteral("мир"));
    selectAll();
    QTest::keyClick(editor(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(text(), QStringLiteral("МИР"));
    selectAll();
    QTest::keyClick(editor(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(text(), QStringLiteral("мир"));
    selectAll();
    QTest::keyClick(editor(), Qt::Key_Period, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text(), QStringLiteral(" мир"));
    selectAll();
    QTest::keyClick(editor(), Qt::Key_Comma, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text(), QStringLiteral("мир"));
}

TEST_F(EditorCommandsTest, CaptionPathAndChildListReplaceTheSelection)
{
    select(u"B", QStringLiteral("[old]"));
    setSelection(1, 4);
    ASSERT_TRUE(trigger(u"ActionEditorNodeText"));
    EXPECT_EQ(text(), QStringLiteral("[B]"));
    EXPECT_TRUE(nb().isModified());
    setSelection(1, 2);
    ASSERT_TRUE(trigger(u"ActionEditorNodePath"));
    EXPECT_EQ(text(), QStringLiteral("[A\\B]"));
    EXPECT_EQ(editor()->textCursor().position(), 4);
    ASSERT_TRUE(trigger(u"ActionEditorChildList"));
    EXPECT_EQ(text(), QStringLiteral("[A\\B\nC\n]"));
    EXPECT_EQ(editor()->textCursor().position(), 7);
    // Each insertion is one undo step.
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_EQ(text(), QStringLiteral("[A\\B]"));
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_EQ(text(), QStringLiteral("[B]"));
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_EQ(text(), QStringLiteral("[old]"));

    select(u"A", QStringLiteral("x"));
    setSelection(1, 1);
    ASSERT_TRUE(trigger(u"ActionEditorChildList"));
    EXPECT_EQ(text(), QStringLiteral("x\nB\nD\n")) << "direct subsections only";
}

TEST_F(EditorCommandsTest, ChildListOfALeafInsertsNothing)
{
    select(u"C", QStringLiteral("keep"));
    setSelection(0, 2);
    ASSERT_TRUE(trigger(u"ActionEditorChildList"));
    EXPECT_EQ(text(), QStringLiteral("keep"));
    EXPECT_TRUE(editor()->textCursor().hasSelection()) << "the selection stays too";
    EXPECT_FALSE(nb().isModified());
    ASSERT_TRUE(trigger(u"ActionEditorNodePath"));
    EXPECT_EQ(text(), QStringLiteral("A\\B\\Cep"));
}

TEST_F(EditorCommandsTest, AutoClipboardAddsEachClipboardChange)
{
    select(u"A", QStringLiteral("abc"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    EXPECT_FALSE(action(u"ActionEditAutoClipboard")->isChecked()) << "off at start";
    clipboard->setText(QStringLiteral("ignored"));
    QCoreApplication::processEvents();
    EXPECT_EQ(text(), QStringLiteral("abc"));

    ASSERT_TRUE(trigger(u"ActionEditAutoClipboard"));
    EXPECT_TRUE(action(u"ActionEditAutoClipboard")->isChecked());
    clipboard->setText(QStringLiteral("xyz"));
    QCoreApplication::processEvents();
    EXPECT_EQ(text(), QStringLiteral("abc\n") + Dashes + QStringLiteral("\nxyz\n"));
    EXPECT_EQ(editor()->lineCount(), 4);
    EXPECT_TRUE(nb().isModified());
    // Also a copy made by the program itself counts.
    setSelection(0, 3);
    ASSERT_TRUE(trigger(u"ActionEditCopy"));
    EXPECT_EQ(text(), QStringLiteral("abc\n") + Dashes + QStringLiteral("\nxyz\n") + Dashes +
                          QStringLiteral("\nabc\n"));
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_EQ(text(), QStringLiteral("abc\n") + Dashes + QStringLiteral("\nxyz\n"))
        << "each addition is one undo step";

    ASSERT_TRUE(trigger(u"ActionEditAutoClipboard"));
    clipboard->setText(QStringLiteral("off again"));
    QCoreApplication::processEvents();
    EXPECT_EQ(text(), QStringLiteral("abc\n") + Dashes + QStringLiteral("\nxyz\n"));
}

TEST_F(EditorCommandsTest, AutoClipboardWithCutStillRemovesTheSelection)
{
    select(u"A", QStringLiteral("keep cut"));
    ASSERT_TRUE(trigger(u"ActionEditAutoClipboard"));
    setSelection(4, 8);
    ASSERT_TRUE(trigger(u"ActionEditCutMulti"));
    EXPECT_EQ(text(), QStringLiteral("keep\n") + Dashes + QStringLiteral("\n cut\n"));
}

TEST_F(EditorCommandsTest, AutoClipboardNeedsASelectedSectionAndText)
{
    ASSERT_TRUE(trigger(u"ActionEditAutoClipboard"));
    select(u"E", QStringLiteral("e"));
    QGuiApplication::clipboard()->clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(text(), QStringLiteral("e")) << "an empty clipboard adds nothing";
    EXPECT_FALSE(nb().isModified());
    nb().clearNotebook();
    QCoreApplication::processEvents();
    QGuiApplication::clipboard()->setText(QStringLiteral("nowhere"));
    QCoreApplication::processEvents();
    EXPECT_EQ(text(), QString());
    EXPECT_TRUE(action(u"ActionEditAutoClipboard")->isChecked());
}

TEST_F(EditorCommandsTest, EnablingFollowsTheFocusedEditorAndItsSelection)
{
    select(u"A", QStringLiteral("text"));
    ASSERT_TRUE(editorFocused());
    setSelection(1, 1);
    for (QStringView name :
         {u"ActionEditLower", u"ActionEditUpper", u"ActionEditorNodeText", u"ActionEditorNodePath",
          u"ActionEditorChildList", u"ActionEditAutoClipboard", u"ActionEditQuickSelectAll"})
        EXPECT_TRUE(action(name)->isEnabled()) << name.toString().toStdString();
    for (QStringView name :
         {u"ActionEditUndo", u"ActionEditRedo", u"ActionEditCut", u"ActionEditCutMulti",
          u"ActionEditCopy", u"ActionEditDelete", u"ActionEditShl", u"ActionEditShr"})
        EXPECT_FALSE(action(name)->isEnabled()) << name.toString().toStdString();
    setSelection(1, 3);
    for (QStringView name : {u"ActionEditCut", u"ActionEditCutMulti", u"ActionEditCopy",
                             u"ActionEditDelete", u"ActionEditShl", u"ActionEditShr"})
        EXPECT_TRUE(action(name)->isEnabled()) << name.toString().toStdString();

    QGuiApplication::clipboard()->setText(QStringLiteral("p"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(action(u"ActionEditPaste")->isEnabled());
    EXPECT_TRUE(action(u"ActionEditPasteMulti")->isEnabled());
    QGuiApplication::clipboard()->clear();
    QCoreApplication::processEvents();
    EXPECT_FALSE(action(u"ActionEditPaste")->isEnabled());

    ASSERT_TRUE(trigger(u"ActionEditDelete"));
    EXPECT_EQ(text(), QStringLiteral("tt"));
    EXPECT_TRUE(action(u"ActionEditUndo")->isEnabled());
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_TRUE(action(u"ActionEditRedo")->isEnabled());
    ASSERT_TRUE(trigger(u"ActionEditRedo"));
    EXPECT_EQ(text(), QStringLiteral("tt"));
}

TEST_F(EditorCommandsTest, WithoutEditorFocusTheEditorCommandsAreOff)
{
    select(u"A", QStringLiteral("text"));
    setSelection(0, 4);
    QGuiApplication::clipboard()->setText(QStringLiteral("p"));
    w().navigator()->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(w().focusWidget(), w().navigator());
    w().updateActions();
    for (QStringView name :
         {u"ActionEditUndo", u"ActionEditRedo", u"ActionEditCut", u"ActionEditCopy",
          u"ActionEditPaste", u"ActionEditDelete", u"ActionEditQuickSelectAll", u"ActionEditShl",
          u"ActionEditShr", u"ActionEditLower", u"ActionEditUpper", u"ActionEditorNodeText",
          u"ActionEditorNodePath", u"ActionEditorChildList", u"ActionEditAutoClipboard"})
        EXPECT_FALSE(action(name)->isEnabled()) << name.toString().toStdString();
    // The shared cut and paste ask the navigator instead.
    EXPECT_EQ(action(u"ActionEditCutMulti")->isEnabled(), w().navigatorCommands().canCutSection());
    EXPECT_EQ(action(u"ActionEditPasteMulti")->isEnabled(),
              w().navigatorCommands().canPasteSection());
    // Triggered anyway (a stale button), they leave the editor's text alone.
    action(u"ActionEditCutMulti")->setEnabled(true);
    action(u"ActionEditCutMulti")->trigger();
    action(u"ActionEditUpper")->setEnabled(true);
    action(u"ActionEditUpper")->trigger();
    EXPECT_EQ(text(), QStringLiteral("text"));
}

TEST_F(EditorCommandsTest, MultiCutAndPasteActOnTheFocusedEditor)
{
    select(u"A", QStringLiteral("one two"));
    setSelection(3, 7);
    ASSERT_TRUE(trigger(u"ActionEditCutMulti"));
    EXPECT_EQ(text(), QStringLiteral("one"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(" two"));
    EXPECT_TRUE(nb().isModified());
    setSelection(0, 0);
    ASSERT_TRUE(trigger(u"ActionEditPasteMulti"));
    EXPECT_EQ(text(), QStringLiteral(" twoone"));
    ASSERT_TRUE(trigger(u"ActionEditQuickSelectAll"));
    EXPECT_EQ(editor()->textCursor().selectedText(), QStringLiteral(" twoone"));
    ASSERT_TRUE(trigger(u"ActionEditPaste"));
    EXPECT_EQ(text(), QStringLiteral(" two"));
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    ASSERT_TRUE(trigger(u"ActionEditUndo"));
    EXPECT_EQ(text(), QStringLiteral("one"));
}

TEST_F(EditorCommandsTest, ClipboardKeysInTheFocusedEditorEditAndMarkTheNotebook)
{
    if (!windowActive())
        GTEST_SKIP() << "the platform gives no focus";
    select(u"A", QStringLiteral("alpha beta"));
    setSelection(5, 10);
    QTest::keyClick(editor(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text(), QStringLiteral("alpha"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(" beta"));
    EXPECT_TRUE(nb().isModified());
    QTest::keyClick(editor(), Qt::Key_Home);
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), QStringLiteral(" betaalpha"));
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(), QStringLiteral("alpha"));
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text(), QStringLiteral(" betaalpha"));
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(" betaalpha"));
}

TEST_F(EditorCommandsTest, CaptionEditingTakesTheEditingKeysFromTheWindow)
{
    select(u"A", QStringLiteral("text"));
    setSelection(0, 2);
    const QStringList withdrawn{
        QStringLiteral("ActionEditUndo"),          QStringLiteral("ActionEditCutMulti"),
        QStringLiteral("ActionEditCut"),           QStringLiteral("ActionEditCopy"),
        QStringLiteral("ActionEditPasteMulti"),    QStringLiteral("ActionEditPaste"),
        QStringLiteral("ActionEditQuickSelectAll")};
    QList<QKeySequence> before;
    for (const QString& name : withdrawn)
        before << action(name)->shortcut();
    QTreeView* tree = w().navigator();
    tree->edit(w().navigatorModel()->indexOf(nb().current()));
    QCoreApplication::processEvents();
    auto* caption = tree->findChild<QLineEdit*>();
    ASSERT_NE(caption, nullptr);
    ASSERT_EQ(w().focusWidget(), caption);
    w().updateActions();
    EXPECT_TRUE(w().editorCommands().captionEditing());
    for (const QString& name : withdrawn)
        EXPECT_TRUE(action(name)->shortcut().isEmpty()) << name.toStdString();
    EXPECT_TRUE(action(u"ActionEditCutMulti")->isEnabled()) << "kept as it was";
    EXPECT_FALSE(action(u"ActionEditUpper")->shortcut().isEmpty());
    if (windowActive() || caption->hasFocus()) {
        QTest::keyClick(caption, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(caption, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(caption->text(), QString());
        EXPECT_EQ(text(), QStringLiteral("text")) << "the section editor is not touched";
    }

    QTest::keyClick(caption, Qt::Key_Escape);
    QCoreApplication::processEvents();
    w().updateActions();
    EXPECT_FALSE(w().editorCommands().captionEditing());
    for (int i = 0; i < withdrawn.size(); ++i)
        EXPECT_EQ(action(withdrawn[i])->shortcut(), before[i]) << withdrawn[i].toStdString();
    EXPECT_EQ(action(u"ActionEditCopy")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(nb().current()->caption(), QStringLiteral("A"));
}

TEST_F(EditorCommandsTest, MenusShowTheStateOfTheMomentTheyOpen)
{
    select(u"A", QStringLiteral("text"));
    QMenu* popup = w().actions().menu(u"EditorPopupMenu");
    ASSERT_NE(popup, nullptr);
    QTextCursor c = editor()->textCursor();
    c.setPosition(0);
    c.setPosition(2, QTextCursor::KeepAnchor);
    // The selection changes and the menu opens before any idle update.
    editor()->blockSignals(true);
    editor()->setTextCursor(c);
    editor()->blockSignals(false);
    EXPECT_FALSE(action(u"ActionEditCopy")->isEnabled());
    Q_EMIT popup->aboutToShow();
    EXPECT_TRUE(action(u"ActionEditCopy")->isEnabled());
}
