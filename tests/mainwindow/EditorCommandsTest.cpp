// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's commands: block shift, case, insertions, the clipboard
// commands, the automatic clipboard and the enabling that follows the focus.

#include "mainwindow/EditorCommands.h"
#include "WindowFixture.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/NavigatorCommands.h"
#include "settings/SettingsKeys.h"

#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

const QString Dashes(30, u'-');

// A window over A(B(C) D) E with the editor focused.
class EditorCommandsTest : public ::testing::Test
{
protected:
    EditorCommandsTest() : n("A(B(C) D) E")
    {
        n.editor()->setFocus();
        n.settle();
    }
    // Runs a command as a menu item does; false when it is disabled.
    bool run(const char* name)
    {
        if (!n.enabled(name))
            return false;
        n.trigger(name);
        return true;
    }
    void selectAll() { n.setSelection(0, n.editor()->document()->characterCount() - 1); }

    Window n;
};

} // namespace

TEST_F(EditorCommandsTest, BlockShiftTakesWholeLinesAsOneUndoStep)
{
    struct Case
    {
        int width;
        QString body;
        int anchor, position; // -1: everything
        const char* command;
        QString result;
    };
    const Case cases[] = {
        {2, QStringLiteral("a\n\n  b\nrest"), 0, 6, "ActionEditShr",
         QStringLiteral("  a\n\n    b\nrest")},
        {2, QStringLiteral("a\n\n  b\nrest"), 0, 6, "ActionEditShl",
         QStringLiteral("a\n\nb\nrest")},
        // Spaces go, tabs never.
        {4, QStringLiteral("  \tx\n\ty\n      z"), -1, -1, "ActionEditShl",
         QStringLiteral("\tx\n\ty\n  z")},
        // A selection ending at a line start leaves that line.
        {4, QStringLiteral("l1\nline2\nl3\nl4"), 5, 12, "ActionEditShr",
         QStringLiteral("l1\n    line2\n    l3\nl4")},
        // Backwards inside one line shifts that line.
        {4, QStringLiteral("one\n two words\nthree"), 10, 7, "ActionEditShr",
         QStringLiteral("one\n     two words\nthree")},
        // Widths beyond what the options offer are held to 1..10.
        {100000000, QStringLiteral("x"), -1, -1, "ActionEditShr", QStringLiteral("          x")},
        {-5, QStringLiteral("  x"), -1, -1, "ActionEditShl", QStringLiteral(" x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body.toStdString() + " " + c.command);
        n.w().settings().write(keys::editor::ShiftsCount, c.width);
        n.select("A", c.body);
        if (c.anchor < 0)
            selectAll();
        else
            n.setSelection(c.anchor, c.position);
        ASSERT_TRUE(run(c.command));
        EXPECT_EQ(n.text(), c.result);
        EXPECT_FALSE(n.editor()->textCursor().hasSelection());
        EXPECT_TRUE(n.nb().isModified());
        ASSERT_TRUE(run("ActionEditUndo"));
        EXPECT_EQ(n.text(), c.body) << "one step takes it back";
    }
    // Typing before a shift stays when the shift is undone; a line ended with
    // Shift+Enter is a line of its own.
    n.w().settings().write(keys::editor::ShiftsCount, 2);
    n.select("D", QString());
    QTest::keyClicks(n.editor(), QStringLiteral("a"));
    QTest::keyClick(n.editor(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(n.editor(), QStringLiteral("b"));
    selectAll();
    ASSERT_TRUE(run("ActionEditShr"));
    EXPECT_EQ(n.s("D")->body().text(), QStringLiteral("  a\n  b"));
    n.editor()->undo();
    EXPECT_EQ(n.s("D")->body().text(), QStringLiteral("a\nb"));
}

TEST_F(EditorCommandsTest, CaseOfCyrillicTextAndNothingToChangeIsNoEdit)
{
    n.select("A", u8("Привет, Ёжик!\nВторая"));
    selectAll();
    ASSERT_TRUE(run("ActionEditUpper"));
    EXPECT_EQ(n.text(), u8("ПРИВЕТ, ЁЖИК!\nВТОРАЯ"));
    EXPECT_EQ(n.editor()->lineCount(), 2) << "the paragraph break survives";
    EXPECT_TRUE(n.nb().isModified());

    // Nothing to change is no edit.
    n.select("E", QStringLiteral("ABC abc"));
    n.setSelection(0, 3);
    ASSERT_TRUE(run("ActionEditUpper"));
    EXPECT_FALSE(n.nb().isModified());
    EXPECT_FALSE(n.editor()->document()->isUndoAvailable());
}

TEST_F(EditorCommandsTest, CaptionPathAndChildListReplaceTheSelection)
{
    n.select("B", QStringLiteral("[old]"));
    n.setSelection(1, 4);
    ASSERT_TRUE(run("ActionEditorNodeText"));
    EXPECT_EQ(n.text(), QStringLiteral("[B]"));
    EXPECT_TRUE(n.nb().isModified());
    n.setSelection(1, 2);
    ASSERT_TRUE(run("ActionEditorNodePath"));
    EXPECT_EQ(n.text(), QStringLiteral("[A\\B]"));
    ASSERT_TRUE(run("ActionEditorChildList"));
    EXPECT_EQ(n.text(), QStringLiteral("[A\\B\nC\n]"));
    EXPECT_EQ(n.editor()->textCursor().position(), 7);
    for (const char* before : {"[A\\B]", "[B]", "[old]"}) {
        ASSERT_TRUE(run("ActionEditUndo"));
        EXPECT_EQ(n.text(), QString::fromLatin1(before)) << "each insertion is one step";
    }
    n.select("A", QStringLiteral("x"));
    n.setSelection(1, 1);
    ASSERT_TRUE(run("ActionEditorChildList"));
    EXPECT_EQ(n.text(), QStringLiteral("x\nB\nD\n")) << "direct subsections only";
    // A leaf's list is empty: nothing inserted, the selection kept.
    n.select("C", QStringLiteral("keep"));
    n.setSelection(0, 2);
    ASSERT_TRUE(run("ActionEditorChildList"));
    EXPECT_TRUE(n.editor()->textCursor().hasSelection());
    EXPECT_FALSE(n.nb().isModified());
}

TEST_F(EditorCommandsTest, AutoClipboardAddsEachClipboardChange)
{
    n.select("A", QStringLiteral("abc"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    ASSERT_TRUE(run("ActionEditAutoClipboard"));
    EXPECT_TRUE(n.w().action(u"ActionEditAutoClipboard")->isChecked());
    clipboard->setText(QStringLiteral("xyz"));
    n.settle();
    const QString once = QStringLiteral("abc\n") + Dashes + QStringLiteral("\nxyz\n");
    EXPECT_EQ(n.text(), once);
    EXPECT_TRUE(n.nb().isModified());
    // A copy made by the program counts too, each addition one undo step.
    n.setSelection(0, 3);
    ASSERT_TRUE(run("ActionEditCopy"));
    EXPECT_EQ(n.text(), once + Dashes + QStringLiteral("\nabc\n"));
    ASSERT_TRUE(run("ActionEditUndo"));
    EXPECT_EQ(n.text(), once);
    // A change without text adds the separator and an empty last line.
    auto* picture = new QMimeData;
    picture->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    clipboard->setMimeData(picture);
    n.settle();
    EXPECT_EQ(n.text(), once + Dashes + QStringLiteral("\n\n"));
    QTest::keyClick(n.editor(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); // off
    clipboard->setText(QStringLiteral("off again"));
    n.settle();
    EXPECT_FALSE(n.text().contains(QStringLiteral("off again")));

    // Without a section nothing is added anywhere.
    ASSERT_TRUE(run("ActionEditAutoClipboard"));
    n.nb().clearNotebook();
    n.settle();
    clipboard->setText(QStringLiteral("nowhere"));
    n.settle();
    EXPECT_EQ(n.text(), QString());
}

TEST_F(EditorCommandsTest, EnablingFollowsTheFocusedEditorAndItsSelection)
{
    n.select("A", QStringLiteral("text"));
    QGuiApplication::clipboard()->clear();
    n.setSelection(1, 1);
    for (const char* name : {"ActionEditUpper", "ActionEditorNodeText", "ActionEditAutoClipboard"})
        EXPECT_TRUE(n.enabled(name)) << name;
    for (const char* name : {"ActionEditUndo", "ActionEditCutMulti", "ActionEditCopy",
                             "ActionEditDelete", "ActionEditShr", "ActionEditPaste"})
        EXPECT_FALSE(n.enabled(name)) << name;
    // The keys edit, mark the notebook and fill the clipboard.
    n.setSelection(1, 3);
    QTest::keyClick(n.editor(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(n.text(), QStringLiteral("tt"));
    EXPECT_TRUE(n.nb().isModified());
    for (const char* name : {"ActionEditUndo", "ActionEditPaste", "ActionEditPasteMulti"})
        EXPECT_TRUE(n.enabled(name)) << name;
    QTest::keyClick(n.editor(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(n.editor(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(n.editor(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(n.text(), QStringLiteral("text"));
    n.setSelection(0, 2);
    ASSERT_TRUE(run("ActionEditDelete"));
    EXPECT_EQ(n.text(), QStringLiteral("xt"));

    // In the navigator the editor's commands are off; the shared cut and
    // paste ask the navigator instead and leave the text alone.
    n.setSelection(0, 2);
    n.w().navigator()->setFocus();
    n.settle();
    for (const char* name :
         {"ActionEditUndo", "ActionEditCopy", "ActionEditPaste", "ActionEditQuickSelectAll",
          "ActionEditShl", "ActionEditUpper", "ActionEditorNodePath", "ActionEditAutoClipboard"})
        EXPECT_FALSE(n.enabled(name)) << name;
    EXPECT_EQ(n.enabled("ActionEditCutMulti"), n.w().navigatorCommands().canCut());
    n.trigger("ActionEditCutMulti");
    EXPECT_EQ(n.text(), QStringLiteral("xt"));
}

// Links are drawn underlined in the link colour. The styling of a line is
// applied when it comes into view and again after it is edited; applying it
// never counts as an edit of the notebook.
TEST_F(EditorCommandsTest, LinksAreStyledInViewAndStylingIsNoEdit)
{
    QString body = QStringLiteral("see http://example.org/x now\n");
    for (int i = 0; i < 3000; ++i)
        body += QStringLiteral("plain line\n");
    body += QStringLiteral("mail mailto:a@b.c");
    n.s("E")->body().setText(body);
    n.nb().setModified(false);
    n.nb().setCurrent(n.s("E"));
    TKeltoEdit* editor = n.editor();
    const auto links = [&](int line) {
        QStringList spans;
        const QTextBlock block = editor->document()->findBlockByNumber(line);
        for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
            if (r.format.fontUnderline())
                spans << block.text().mid(r.start, r.length);
        }
        return spans;
    };
    editor->viewport()->repaint();
    n.settle();
    EXPECT_EQ(links(0), QStringList{QStringLiteral("http://example.org/x")});
    EXPECT_EQ(links(1), QStringList{});
    EXPECT_FALSE(n.nb().isModified()) << "showing links is no edit";

    editor->verticalScrollBar()->setValue(editor->verticalScrollBar()->maximum());
    editor->viewport()->repaint();
    n.settle();
    EXPECT_EQ(links(3001), QStringList{QStringLiteral("mailto:a@b.c")});
    EXPECT_FALSE(n.nb().isModified());

    // A space typed into the first link cuts it short where it was typed.
    n.setSelection(14, 14);
    n.type(QStringLiteral(" "));
    editor->viewport()->repaint();
    n.settle();
    EXPECT_EQ(links(0), QStringList{QStringLiteral("http://exa")});
    EXPECT_TRUE(n.nb().isModified());
}
