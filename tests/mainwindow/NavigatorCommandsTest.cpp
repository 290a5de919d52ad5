// SPDX-License-Identifier: GPL-3.0-or-later
// The navigator's commands driven as a user drives them: the window's
// actions, the navigator's keys, its mouse and its context menu.

#include "WindowFixture.h"
#include "mainwindow/StatusPanels.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;
using Answer = kelto::UserPrompts::Answer;

TEST(NavigatorCommands, NewSectionsGoWhereTheirCommandPutsThem)
{
    struct Case
    {
        const char* start;
        const char* selected; // nullptr: nothing selected
        const char* command;  // an action, or "Insert"/"Shift+Insert" in the navigator
        const char* shape;
    };
    const Case cases[] = {
        {"A B C", "B", "ActionNavigatorNewNode", "A B C N"},
        {"A B(X) C", "X", "ActionNavigatorNewNode", "A B(X N) C"},
        {"A B(X) C", "B", "ActionNavigatorInsertNode", "A N B(X) C"},
        {"A B(X) C", "A", "ActionNppInsertNode", "N A B(X) C"},
        {"A B(X) C", "B", "ActionNavigatorNewChild", "A B(X N) C"},
        {"A B C", "C", "Insert", "A B N C"},
        {"A B C", "C", "Shift+Insert", "A B C(N)"},
        {"A", nullptr, "ActionNavigatorInsertNode", "A N"},
        {"", nullptr, "ActionNavigatorNewNode", "N"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " / " + c.command);
        Window n(c.start);
        n.nb().setCurrent(c.selected ? n.s(c.selected) : nullptr);
        n.settle();
        if (c.command == std::string("Insert"))
            n.key(Qt::Key_Insert);
        else if (c.command == std::string("Shift+Insert"))
            n.key(Qt::Key_Insert, Qt::ShiftModifier);
        else
            n.trigger(c.command);
        ASSERT_TRUE(n.view()->isEditingCaption());
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), u8("Новый раздел"));
        EXPECT_TRUE(n.nb().isModified());
        n.finishEdit(QStringLiteral("N"));
        EXPECT_EQ(n.shape(), QString::fromLatin1(c.shape));
        EXPECT_EQ(n.current(), QStringLiteral("N"));
    }
}

TEST(NavigatorCommands, RenameRefusesEmptyCleansAndMarksOnlyRealChanges)
{
    Window n("Word Other");
    struct Step
    {
        QString typed;
        QString caption;
        bool modified;
    };
    const Step steps[] = {
        {QString(), QStringLiteral("Word"), false},              // an empty caption is refused
        {QStringLiteral("Word"), QStringLiteral("Word"), false}, // the same is no change
        {QStringLiteral("word"), QStringLiteral("word"), true},  // a change of case is one
        // What the file could not keep is cleaned as the file would.
        {QString::fromUtf16(u"\t two\r\nlines\0x", 14),
         QString(2, QChar(0xA0)) + QStringLiteral("two  lines x"), true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed.toStdString());
        n.nb().setModified(false);
        n.trigger("ActionNavigatorRenameNode");
        n.finishEdit(step.typed);
        EXPECT_EQ(n.nb().firstSection()->caption(), step.caption);
        EXPECT_EQ(n.nb().isModified(), step.modified);
    }
    EXPECT_EQ(n.savedShape(), n.shape()) << "the file gives back what the navigator shows";
    // Escape cancels.
    n.nb().setModified(false);
    n.trigger("ActionNavigatorRenameNode");
    qobject_cast<QLineEdit*>(QApplication::focusWidget())->setText(QStringLiteral("gone"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_NE(n.nb().firstSection()->caption(), QStringLiteral("gone"));
    EXPECT_FALSE(n.nb().isModified());
}

TEST(NavigatorCommands, DeletionSelectsNextThenPreviousSiblingThenParent)
{
    // Without the setting nothing is asked (an unexpected question gets No).
    Window n("A B C P(Q)");
    for (auto [selected, then] : {std::pair{"C", "P"}, {"B", "P"}, {"Q", "P"}, {"P", "A"}}) {
        n.select(selected);
        n.trigger("ActionNavigatorDeleteNode");
        EXPECT_EQ(n.current(), u8(then)) << selected;
        EXPECT_EQ(n.view()->currentIndex(), n.index(then));
        EXPECT_EQ(n.editor()->body(), &n.s(then)->body());
        EXPECT_TRUE(n.nb().isModified());
    }
    n.w().status().setPath(QStringLiteral("/tmp/x.nib"));
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_EQ(n.nb().current(), nullptr);
    EXPECT_FALSE(n.view()->currentIndex().isValid());
    EXPECT_EQ(n.w().status().caretText(), QString());
    EXPECT_EQ(n.w().status().pathText(), QString());
    EXPECT_FALSE(n.enabled("ActionNavigatorDeleteNode"));
    EXPECT_FALSE(n.enabled("ActionNavigatorRenameNode"));
    EXPECT_TRUE(n.enabled("ActionNavigatorNewNode"));
}

TEST(NavigatorCommands, DeleteAsksAsConfiguredAndShiftKeysNeverAsk)
{
    Window n("A B C D", "[Navigator]\r\nDelNodeQuery=1\r\n");
    n.prompts.answers = {Answer::No, Answer::Yes};
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_EQ(n.prompts.questions.last(), u8("Данный раздел будет удалён. Продолжить?"));
    EXPECT_EQ(n.prompts.questionTitles.last(), u8("Удаление раздела"));
    EXPECT_EQ(n.shape(), QStringLiteral("A B C D"));
    EXPECT_FALSE(n.nb().isModified());
    n.key(Qt::Key_Delete);
    EXPECT_EQ(n.shape(), QStringLiteral("B C D"));
    n.key(Qt::Key_Delete, Qt::ShiftModifier);
    n.key(Qt::Key_F8, Qt::ShiftModifier);
    EXPECT_EQ(n.prompts.questions.size(), 2);
    EXPECT_EQ(n.shape(), QStringLiteral("D"));
}

TEST(NavigatorCommands, UndoBringsBackSectionsBodiesAndHistories)
{
    Window n("Keep P(Q R)");
    n.s("P")->body().setText(QStringLiteral("p"));
    n.s("Q")->body().setText(QStringLiteral("q"));
    n.select("R", QStringLiteral("r"));
    QTest::keyClicks(n.editor(), QStringLiteral("typed "));
    n.select("P");
    EXPECT_FALSE(n.enabled("ActionNavigatorUndo"));
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_EQ(n.nb().deletedSections().size(), 3u);
    n.nb().setModified(false);
    n.trigger("ActionNavigatorUndo");
    EXPECT_EQ(n.shape(), QStringLiteral("Keep P"));
    EXPECT_TRUE(n.nb().isModified());
    EXPECT_EQ(n.current(), QStringLiteral("Keep")) << "the restored section is not selected";
    n.trigger("ActionNavigatorUndo");
    n.trigger("ActionNavigatorUndo");
    EXPECT_EQ(n.shape(), QStringLiteral("Keep P R Q"));
    EXPECT_FALSE(n.enabled("ActionNavigatorUndo"));
    EXPECT_EQ(n.s("P")->body().text() + n.s("Q")->body().text(), QStringLiteral("pq"));
    n.select("R");
    EXPECT_EQ(n.text(), QStringLiteral("typed r"));
    n.editor()->undo();
    EXPECT_EQ(n.text(), QStringLiteral("r")) << "the editing history came back too";
    n.trigger("ActionNavigatorDeleteNode");
    n.trigger("ActionFileNew");
    EXPECT_FALSE(n.enabled("ActionNavigatorUndo")) << "a new notebook has nothing to bring back";
}

TEST(NavigatorCommands, F4ExpandsAndCollapsesWholeBranchesWithOneSharedItem)
{
    Window n("A(B(C(D))) E");
    QMenu* menu = n.w().actions().menu(u"MenuNavigator");
    const auto offered = [&] {
        return menu->actions().contains(n.w().action(u"ActionNavigatorExpand")) ? "expand"
                                                                                : "collapse";
    };
    n.key(Qt::Key_F4);
    for (const char* c : {"A", "B", "C"})
        EXPECT_TRUE(n.view()->isExpanded(n.index(c))) << c;
    EXPECT_STREQ(offered(), "collapse");
    n.key(Qt::Key_F4);
    for (const char* c : {"A", "B", "C"})
        EXPECT_FALSE(n.view()->isExpanded(n.index(c))) << "closed below as well: " << c;
    EXPECT_STREQ(offered(), "expand");
    // A leaf offers Expand, disabled; an open section offers Collapse.
    n.select("E");
    EXPECT_STREQ(offered(), "expand");
    EXPECT_FALSE(n.enabled("ActionNavigatorExpand"));
    n.view()->expand(n.index("A"));
    n.select("A");
    EXPECT_STREQ(offered(), "collapse");
    // Selecting a hidden section opens the branches above it.
    n.view()->collapse(n.index("A"));
    n.select("C");
    EXPECT_TRUE(n.view()->isExpanded(n.index("B")));
    EXPECT_STREQ(offered(), "expand");
    // A leaf reached by the keys inside a branch opened with F4 as well.
    n.view()->collapseAll();
    n.select("A");
    n.key(Qt::Key_F4);
    for (int i = 0; i < 3; ++i)
        n.key(Qt::Key_Down);
    ASSERT_EQ(n.current(), QStringLiteral("D"));
    EXPECT_STREQ(offered(), "expand");
    EXPECT_FALSE(n.enabled("ActionNavigatorExpand"));
}

// From the editor the walk goes among siblings and the keys stay there.
TEST(NavigatorCommands, AltUpAndAltDownInTheEditorSelectTheNeighbours)
{
    Window n("A(X) B C");
    n.view()->expand(n.index("A"));
    n.select("B");
    n.editor()->setFocus();
    const std::pair<int, const char*> steps[] = {
        {Qt::Key_Down, "C"}, {Qt::Key_Down, "C"}, {Qt::Key_Up, "B"}, {Qt::Key_Up, "A"}};
    for (const auto& [key, current] : steps) {
        n.press(key, Qt::AltModifier);
        EXPECT_EQ(n.current(), QString::fromLatin1(current));
    }
    EXPECT_TRUE(n.editor()->hasFocus());
}
