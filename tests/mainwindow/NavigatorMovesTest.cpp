// SPDX-License-Identifier: GPL-3.0-or-later
// The navigator's moves: the move commands and their keys, cut and paste of
// sections, and drag and drop at points taken from the view's rectangles.

#include "mainwindow/NavigatorMoves.h"
#include "WindowFixture.h"

#include "mainwindow/NavigatorCommands.h"
#include <QFont>

#include <QMimeData>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

TEST(NavigatorMoves, EachCommandAndKeyMovesAndMarksOnlyRealChanges)
{
    struct Case
    {
        const char* start;
        const char* selected;
        const char* command; // an action, or a key: "^" Ctrl, "^+" Ctrl+Shift
        const char* shape;
        bool modified;
    };
    const Case cases[] = {
        {"A B C", "C", "ActionNavigatorMoveUp", "A C B", true},
        {"A B C", "A", "ActionNavigatorMoveDown", "B A C", true},
        {"A B C", "B", "^Down", "A C B", true},
        {"A B C", "C", "ActionNavigatorMoveDown", "A B C", false},
        {"Q(A B) Z", "B", "ActionNavigatorMoveDown", "Q(A B) Z", false},
        {"Q(A B) Z", "B", "ActionNppMakeFirst", "Q(B A) Z", true},
        {"A B C", "A", "ActionNppMakeLast", "B C A", true},
        {"Q(A B) Z", "B", "ActionNavigatorUpOneLevel", "B Q(A) Z", true},
        {"Q(A B) Z", "A", "^Backspace", "A Q(B) Z", true},
        {"B Q Z", "B", "ActionNavigatorUpOneLevel", "B Q Z", false},
        {"A B C", "B", "ActionNavigatorInsertPrev", "A(B) C", true},
        {"A B C", "B", "ActionNavigatorInsertNext", "A C(B)", true},
        {"A(B) C", "A", "^+Down", "C(A(B))", true},
        {"A(B) C", "B", "ActionNavigatorInsertPrev", "A(B) C", false},
        {"A B(X Y)", "X", "ActionNppUppestLevel", "A B(Y) X", true},
        {"A B(X Y)", "X", "^+Backspace", "A B(Y) X", true},
        // Already last on the top level: nothing moves, yet it counts.
        {"A B(X Y)", "B", "ActionNavigatorUpToRoot", "A B(X Y)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.selected + " " + c.command);
        Window n(c.start);
        n.select(c.selected);
        const std::string command = c.command;
        if (command[0] == '^') {
            const bool shift = command[1] == '+';
            const Qt::Key key =
                command.find("Down") != std::string::npos ? Qt::Key_Down : Qt::Key_Backspace;
            n.key(key, Qt::ControlModifier | (shift ? Qt::ShiftModifier : Qt::NoModifier));
        } else {
            n.trigger(c.command);
        }
        EXPECT_EQ(n.shape(), QString::fromLatin1(c.shape));
        EXPECT_EQ(n.nb().isModified(), c.modified);
        EXPECT_EQ(n.current(), QString::fromLatin1(c.selected));
        EXPECT_EQ(n.view()->currentIndex(), n.index(c.selected));
    }
}

TEST(NavigatorMoves, MovesKeepTheEditorTheBodiesAndTheOpenBranches)
{
    Window n("A(A1) B C Q(D)");
    for (const char* c : {"A", "A1", "B", "C", "D"})
        n.s(c)->body().setText(QString::fromLatin1(c).toLower());
    n.select("B");
    n.setSelection(0, 1);
    n.trigger("ActionNavigatorMoveUp");
    EXPECT_EQ(n.editor()->body(), &n.s("B")->body());
    EXPECT_EQ(n.editor()->textCursor().selectionEnd(), 1);
    n.select("C");
    n.trigger("ActionNavigatorInsertPrev");
    EXPECT_TRUE(n.view()->isExpanded(n.index("A"))) << "the new parent is opened";
    // A parent opened to show the selection closes when its last child leaves.
    n.select("D");
    ASSERT_TRUE(n.view()->isExpanded(n.index("Q")));
    n.trigger("ActionNavigatorUpOneLevel");
    EXPECT_FALSE(n.view()->isExpanded(n.index("Q")));
    n.nb().appendSection(n.s("Q"), QStringLiteral("N"));
    n.settle();
    EXPECT_FALSE(n.view()->isExpanded(n.index("Q")));
    EXPECT_EQ(n.savedShape(), QStringLiteral("B A(A1 C) D Q(N)"));
    EXPECT_EQ(n.s("C")->body().text() + n.s("A1")->body().text(), QStringLiteral("ca1"));
}

TEST(NavigatorMoves, CutAndPasteMovesTheMarkedSectionUnderTheSelectedOne)
{
    Window n("A(A1(A2)) B C");
    NavigatorCommands& commands = n.w().navigatorCommands();
    EXPECT_FALSE(commands.canPaste());
    n.select("C");
    n.view()->setFocus();
    // The toolbar's Cut acts: its section shows in italics until pasted;
    // Copy has nothing to copy in the navigator and is off.
    EXPECT_TRUE(n.enabled("ActionEditCutMulti"));
    EXPECT_FALSE(n.enabled("ActionEditCopy"));
    const auto italic = [&](const char* caption) {
        return n.index(caption).data(Qt::FontRole).value<QFont>().italic();
    };
    EXPECT_FALSE(italic("C"));
    n.trigger("ActionEditCutMulti");
    EXPECT_TRUE(italic("C"));
    EXPECT_EQ(commands.moves().cutMark(), n.s("C"));
    n.key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(commands.moves().cutMark(), n.s("C"));
    EXPECT_FALSE(n.nb().isModified()) << "cut moves nothing yet";
    n.select("A");
    n.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1(A2) C) B"));
    EXPECT_TRUE(n.view()->isExpanded(n.index("A")));
    EXPECT_TRUE(n.nb().isModified());
    EXPECT_FALSE(commands.canPaste()) << "the mark is used up";
    EXPECT_FALSE(italic("C"));

    // A mark follows its section through other moves.
    n.select("B");
    commands.cut();
    n.trigger("ActionNppMakeFirst");
    n.select("C");
    commands.paste();
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1(A2) C(B))"));
    // Into its own subtree: nothing moves, yet the mark is cleared and counts.
    n.select("A");
    commands.cut();
    n.select("A2");
    n.nb().setModified(false);
    commands.paste();
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1(A2) C(B))"));
    EXPECT_TRUE(n.nb().isModified());
    EXPECT_FALSE(commands.canPaste());

    // A deleted section's mark is gone, also after undo brings it back.
    n.select("A2");
    commands.cut();
    n.select("A1");
    n.trigger("ActionNavigatorDeleteNode");
    n.trigger("ActionNavigatorUndo");
    n.trigger("ActionNavigatorUndo");
    EXPECT_FALSE(commands.canPaste());
    commands.cut();
    n.trigger("ActionFileNew");
    EXPECT_FALSE(commands.canPaste()) << "a cleared notebook drops it";
}

TEST(NavigatorDrops, ZonesOfARowDecideWhereTheSectionGoes)
{
    struct Case
    {
        const char* start;
        const char* dragged;
        const char* zone; // button, indent, caption, right, below
        const char* target;
        const char* shape;
    };
    const Case cases[] = {
        {"A(A1) B C", "C", "button", "A", "A(C A1) B"},
        {"A(A1) B C", "C", "indent", "A1", "A(A1(C)) B"},
        {"A B C", "C", "caption", "B", "A C B"},
        {"A B", "B", "caption", "A", "B A"},
        {"A(A1) B C", "C", "right", "A", "A(A1 C) B"},
        {"A(A1 A2) B", "A1", "below", "B", "A(A2) B A1"},
        {"A(A1) B", "B", "button", "A", "A(B A1)"}, // same place in order, other parent
        // Its own caption or subtree, or where it is already: nothing.
        {"A(A1) B", "A", "caption", "A", "A(A1) B"},
        {"A(A1) B", "A", "right", "A1", "A(A1) B"},
        {"A(A1) B", "A", "indent", "A1", "A(A1) B"},
        {"A(A1) B", "A", "caption", "B", "A(A1) B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.dragged + " " + c.zone + " " + c.target);
        Window n(c.start);
        n.view()->expandAll();
        n.select(c.dragged);
        const std::string zone = c.zone;
        n.dropAt(zone == "button"   ? n.onButton(c.target)
                 : zone == "indent" ? n.onIndent(c.target)
                 : zone == "right"  ? n.rightOf(c.target)
                 : zone == "below"  ? n.below(c.target)
                                    : n.onCaption(c.target));
        EXPECT_EQ(n.shape(), QString::fromLatin1(c.shape));
        EXPECT_EQ(n.nb().isModified(), n.shape() != QString::fromLatin1(c.start));
        EXPECT_EQ(n.current(), QString::fromLatin1(c.dragged));
    }
}

TEST(NavigatorDrops, OnlyThisNavigatorsOwnDragIsTaken)
{
    Window n("A B");
    n.select("B");
    QMimeData forged; // another process's drag of the same kind
    forged.setData(NavigatorView::DragMimeType, "1:2");
    for (QEvent::Type type : {QEvent::DragEnter, QEvent::DragMove, QEvent::Drop})
        n.drag(type, n.onCaption("A"), &forged);
    EXPECT_EQ(n.shape(), QStringLiteral("A B"));
}
