// The navigator's moves: the move commands, cut and paste of sections and
// drag and drop, with drops at points taken from the view's own item
// rectangles.

#include "mainwindow/NavigatorMoves.h"
#include "NavigatorWindow.h"
#include "document/NotebookFile.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/NavigatorCommands.h"
#include "mainwindow/NavigatorModel.h"

#include <QTimer>

using namespace kelto;
using namespace kelto::test;

// ---- moves

TEST(NavigatorMoves, UpAndDownAmongThreeSiblings)
{
    Navigator n("A B C");
    n.select("C");
    n.trigger("ActionNavigatorMoveDown");
    EXPECT_EQ(n.shape(), QStringLiteral("A B C"));
    EXPECT_FALSE(n.nb.isModified()) << "no neighbour, no change";
    n.trigger("ActionNavigatorMoveUp");
    EXPECT_EQ(n.shape(), QStringLiteral("A C B"));
    EXPECT_TRUE(n.nb.isModified());
    EXPECT_EQ(n.current(), QStringLiteral("C"));
    EXPECT_EQ(n.view->currentIndex(), n.index("C"));

    Navigator m("A B C");
    m.select("B");
    QTest::keyClick(m.view, Qt::Key_Down, Qt::ControlModifier);
    m.settle();
    EXPECT_EQ(m.shape(), QStringLiteral("A C B"));
    EXPECT_TRUE(m.view->hasFocus() || !m.w.isActiveWindow()) << "moves focus the navigator";
    m.select("A");
    m.trigger("ActionNavigatorMoveDown");
    EXPECT_EQ(m.shape(), QStringLiteral("C A B"));
    m.nb.setModified(false);
    m.select("C");
    m.trigger("ActionNavigatorMoveUp");
    EXPECT_EQ(m.shape(), QStringLiteral("C A B"));
    EXPECT_FALSE(m.nb.isModified());
}

TEST(NavigatorMoves, MovingKeepsTheSelectedSectionAndItsEditor)
{
    Navigator n("A B C");
    n.s("B")->body().setText(QStringLiteral("b body"));
    n.select("B");
    n.w.editor()->setFocus();
    QTextCursor cursor = n.w.editor()->textCursor();
    cursor.setPosition(2);
    n.w.editor()->setTextCursor(cursor);
    n.trigger("ActionNavigatorMoveUp");
    EXPECT_EQ(n.current(), QStringLiteral("B"));
    EXPECT_EQ(n.w.editor()->body(), &n.s("B")->body());
    EXPECT_EQ(n.w.editor()->toPlainText(), QStringLiteral("b body"));
    EXPECT_EQ(n.w.editor()->textCursor().position(), 2);
}

TEST(NavigatorMoves, OnlyChildDownIsImpossibleMakeFirstAndUpOneLevel)
{
    Navigator n("Q(A B) Z");
    n.select("B");
    n.trigger("ActionNavigatorMoveDown");
    EXPECT_EQ(n.shape(), QStringLiteral("Q(A B) Z"));
    EXPECT_FALSE(n.nb.isModified());
    n.trigger("ActionNppMakeFirst");
    EXPECT_EQ(n.shape(), QStringLiteral("Q(B A) Z"));
    EXPECT_TRUE(n.nb.isModified());
    n.nb.setModified(false);
    n.trigger("ActionNavigatorUpOneLevel");
    EXPECT_EQ(n.shape(), QStringLiteral("B Q(A) Z"));
    EXPECT_TRUE(n.nb.isModified());
    n.nb.setModified(false);
    n.trigger("ActionNavigatorUpOneLevel");
    EXPECT_EQ(n.shape(), QStringLiteral("B Q(A) Z")) << "a top-level section has no parent";
    EXPECT_FALSE(n.nb.isModified());
    // Ctrl+Backspace is the key.
    n.select("A");
    QTest::keyClick(n.view, Qt::Key_Backspace, Qt::ControlModifier);
    n.settle();
    EXPECT_EQ(n.shape(), QStringLiteral("B A Q Z"));
    EXPECT_FALSE(n.view->isExpanded(n.index("Q"))) << "an emptied parent is closed";
}

TEST(NavigatorMoves, AParentOpenedToShowTheSelectionClosesWhenItsLastChildLeaves)
{
    Navigator n("Q(A) Z");
    n.select("A");
    ASSERT_TRUE(n.view->isExpanded(n.index("Q")));
    n.trigger("ActionNavigatorUpOneLevel");
    EXPECT_EQ(n.shape(), QStringLiteral("A Q Z"));
    EXPECT_FALSE(n.view->isExpanded(n.index("Q")));
    // A new subsection of Q then shows Q closed, as a parent without
    // subsections was left.
    n.nb.appendSection(n.s("Q"), QStringLiteral("N"));
    n.settle();
    EXPECT_FALSE(n.view->isExpanded(n.index("Q")));
}

TEST(NavigatorMoves, InsertIntoPreviousAndNext)
{
    Navigator n("A B C");
    n.select("B");
    n.trigger("ActionNavigatorInsertPrev");
    EXPECT_EQ(n.shape(), QStringLiteral("A(B) C"));
    EXPECT_TRUE(n.view->isExpanded(n.index("A"))) << "the new parent is opened";
    EXPECT_TRUE(n.nb.isModified());
    n.nb.setModified(false);
    n.trigger("ActionNavigatorInsertPrev");
    n.trigger("ActionNavigatorInsertNext");
    EXPECT_EQ(n.shape(), QStringLiteral("A(B) C")) << "an only child has no neighbours";
    EXPECT_FALSE(n.nb.isModified());

    n.select("A");
    QTest::keyClick(n.view, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    n.settle();
    EXPECT_EQ(n.shape(), QStringLiteral("C(A(B))"));
    EXPECT_TRUE(n.view->isExpanded(n.index("C")));
    EXPECT_FALSE(n.view->isExpanded(n.index("A"))) << "the moved branch is shown closed";
    EXPECT_TRUE(n.nb.isModified());
}

TEST(NavigatorMoves, ToTheRootFirstAndLastAlwaysCount)
{
    Navigator n("A B(X Y)");
    n.select("B");
    n.trigger("ActionNavigatorUpToRoot");
    EXPECT_EQ(n.shape(), QStringLiteral("A B(X Y)"));
    EXPECT_TRUE(n.nb.isModified()) << "already last on the top level, still marked";

    n.nb.setModified(false);
    n.select("X");
    n.trigger("ActionNppUppestLevel");
    EXPECT_EQ(n.shape(), QStringLiteral("A B(Y) X"));
    EXPECT_TRUE(n.nb.isModified());

    n.nb.setModified(false);
    n.select("A");
    n.trigger("ActionNppMakeLast");
    EXPECT_EQ(n.shape(), QStringLiteral("B(Y) X A"));
    EXPECT_TRUE(n.nb.isModified());
    n.trigger("ActionNppMakeFirst");
    EXPECT_EQ(n.shape(), QStringLiteral("A B(Y) X"));

    QTest::keyClick(n.view, Qt::Key_Backspace, Qt::ControlModifier | Qt::ShiftModifier);
    n.settle();
    EXPECT_EQ(n.shape(), QStringLiteral("B(Y) X A"));
}

TEST(NavigatorMoves, MovedBodiesReachTheFileWithTheirSections)
{
    Navigator n("A(A1) B C");
    n.s("A")->body().setText(QStringLiteral("a"));
    n.s("A1")->body().setText(QStringLiteral("a1"));
    n.s("B")->body().setText(QStringLiteral("b"));
    n.s("C")->body().setText(QStringLiteral("c"));
    n.select("C");
    n.trigger("ActionNavigatorInsertPrev");
    n.select("A");
    n.trigger("ActionNppMakeLast");
    const QString path = n.f.dir.path(QStringLiteral("moved.nib"));
    n.f.prompts.saveNames.push_back(path);
    n.trigger("ActionFileSaveAs");
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_EQ(test::shapeOf(back), QStringLiteral("B(C) A(A1)"));
    for (const char* caption : {"A", "A1", "B", "C"}) {
        Section* s = test::findSection(back, QString::fromLatin1(caption));
        ASSERT_NE(s, nullptr) << caption;
        EXPECT_EQ(s->body().text(), QString::fromLatin1(caption).toLower());
    }
}

// ---- cut and paste of sections

TEST(NavigatorMoves, CutAndPasteMovesTheMarkedSectionUnderTheSelectedOne)
{
    Navigator n("A(A1) B C");
    NavigatorCommands& commands = n.w.navigatorCommands();
    EXPECT_FALSE(commands.canPasteSection());
    n.select("C");
    ASSERT_TRUE(commands.canCutSection());
    commands.cutSection();
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1) B C")) << "cut moves nothing yet";
    EXPECT_FALSE(n.nb.isModified());
    n.select("A");
    ASSERT_TRUE(commands.canPasteSection());
    commands.pasteSection();
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1 C) B"));
    EXPECT_TRUE(n.view->isExpanded(n.index("A"))) << "opened to show the pasted section";
    EXPECT_TRUE(n.nb.isModified());
    EXPECT_EQ(n.current(), QStringLiteral("A"));
    EXPECT_FALSE(commands.canPasteSection()) << "the mark is used up";

    // A mark follows its section through other moves.
    n.select("B");
    commands.cutSection();
    n.trigger("ActionNppMakeFirst");
    n.select("C");
    ASSERT_TRUE(commands.canPasteSection());
    commands.pasteSection();
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1 C(B))"));
}

TEST(NavigatorMoves, CtrlXAndCtrlVInTheFocusedNavigatorCutAndPasteSections)
{
    Navigator n("A(A1) B C");
    n.select("C");
    if (!n.focusNavigator())
        GTEST_SKIP() << "the platform gives no focus";
    n.key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(n.w.navigatorCommands().moves().cutMark(), n.s("C"));
    n.select("A");
    n.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1 C) B"));
    EXPECT_TRUE(n.nb.isModified());
    EXPECT_EQ(n.w.navigatorCommands().moves().cutMark(), nullptr);
}

TEST(NavigatorMoves, PasteIntoItsOwnSubtreeMovesNothingButClearsAndMarks)
{
    Navigator n("A(A1(A2)) B");
    NavigatorCommands& commands = n.w.navigatorCommands();
    commands.cutSection();
    n.select("A2");
    commands.pasteSection();
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1(A2)) B"));
    EXPECT_TRUE(n.nb.isModified());
    EXPECT_FALSE(commands.canPasteSection());
    n.select("A");
    commands.cutSection();
    commands.pasteSection();
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1(A2)) B")) << "onto itself";
}

TEST(NavigatorMoves, AMarkOfADeletedSectionLeavesPasteDisabled)
{
    Navigator n("A(A1 A2) B");
    NavigatorCommands& commands = n.w.navigatorCommands();
    n.select("A2");
    commands.cutSection();
    n.select("A");
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_FALSE(commands.canPasteSection()) << "deleted with its parent";
    EXPECT_EQ(n.w.navigatorCommands().moves().cutMark(), nullptr);
    // A new section in the freed place is not the marked one.
    n.trigger("ActionNavigatorUndo");
    n.trigger("ActionNavigatorUndo");
    n.trigger("ActionNavigatorUndo");
    EXPECT_FALSE(commands.canPasteSection());
    n.select("B");
    commands.pasteSection();
    EXPECT_EQ(n.shape(), QStringLiteral("B A A2 A1"));

    Navigator m("A B");
    m.w.navigatorCommands().cutSection();
    m.trigger("ActionFileNew");
    EXPECT_FALSE(m.w.navigatorCommands().canPasteSection()) << "a cleared notebook drops it";
}

// ---- drag and drop

TEST(NavigatorDrops, ZonesOfARowDecideWhereTheSectionGoes)
{
    {
        Navigator n("A(A1) B C");
        n.select("C");
        dropAt(n, onButton(n, "A"));
        EXPECT_EQ(n.shape(), QStringLiteral("A(C A1) B")) << "button: first subsection";
        EXPECT_TRUE(n.nb.isModified());
        EXPECT_EQ(n.current(), QStringLiteral("C"));
        EXPECT_TRUE(n.view->isExpanded(n.index("A")));
    }
    {
        Navigator n("A(A1) B C");
        n.view->expand(n.index("A"));
        n.settle();
        n.select("C");
        dropAt(n, onIndent(n, "A1"));
        EXPECT_EQ(n.shape(), QStringLiteral("A(A1(C)) B")) << "indent: first subsection";
    }
    {
        Navigator n("A B C");
        n.select("C");
        dropAt(n, onCaption(n, "B"));
        EXPECT_EQ(n.shape(), QStringLiteral("A C B")) << "caption: right before";
    }
    {
        Navigator n("A(A1) B C");
        n.select("C");
        dropAt(n, rightOfCaption(n, "A"));
        EXPECT_EQ(n.shape(), QStringLiteral("A(A1 C) B")) << "right of the caption: last";
    }
    {
        Navigator n("A(A1 A2) B");
        n.view->expand(n.index("A"));
        n.settle();
        n.select("A1");
        dropAt(n, belowLast(n, "B"));
        EXPECT_EQ(n.shape(), QStringLiteral("A(A2) B A1")) << "below the last: its last sibling";
    }
    {
        Navigator n("A(A1 A2) B");
        n.view->expand(n.index("A"));
        n.settle();
        n.select("B");
        // Passing over A2 highlights it; the drop below the last row then
        // puts B last among A2's siblings.
        const std::unique_ptr<QMimeData> data(n.view->createDragData());
        sendDrag(n.view, QEvent::DragEnter, n.rect("B").center(), data.get());
        sendDrag(n.view, QEvent::DragMove, onCaption(n, "A2"), data.get());
        EXPECT_EQ(n.view->dropTarget(), n.index("A2"));
        sendDrag(n.view, QEvent::Drop, belowLast(n, "B"), data.get());
        n.settle();
        EXPECT_EQ(n.shape(), QStringLiteral("A(A1 A2 B)"));
    }
}

TEST(NavigatorDrops, OwnCaptionAndOwnSubtreeChangeNothing)
{
    Navigator n("A(A1) B");
    n.view->expand(n.index("A"));
    n.settle();
    n.select("A");
    dropAt(n, onCaption(n, "A"));
    dropAt(n, rightOfCaption(n, "A1"));
    dropAt(n, onIndent(n, "A1"));
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1) B"));
    EXPECT_FALSE(n.nb.isModified());
    // Before the following sibling is where it is already.
    n.view->collapse(n.index("A"));
    n.settle();
    dropAt(n, onCaption(n, "B"));
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1) B"));
    EXPECT_FALSE(n.nb.isModified());
}

TEST(NavigatorDrops, OntoAPrecedingCaptionAndAChangedParentMark)
{
    Navigator n("A B");
    n.select("B");
    dropAt(n, onCaption(n, "A"));
    EXPECT_EQ(n.shape(), QStringLiteral("B A"));
    EXPECT_TRUE(n.nb.isModified());

    // Same pre-order place, other parent: that is a change to keep too.
    Navigator m("A(A1) B");
    m.select("B");
    dropAt(m, onButton(m, "A"));
    EXPECT_EQ(m.shape(), QStringLiteral("A(B A1)"));
    EXPECT_EQ(m.nb.indexOf(m.s("B")), 1);
    EXPECT_TRUE(m.nb.isModified());
}

TEST(NavigatorDrops, OnlyDragsOfThisNavigatorAreTaken)
{
    Navigator n("A B");
    n.select("B");
    QMimeData text;
    text.setText(QStringLiteral("A"));
    QDragEnterEvent enter(onCaption(n, "A"), Qt::MoveAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(n.view->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    // Another process's (or another view's) drag of the same kind.
    QMimeData forged;
    forged.setData(NavigatorView::DragMimeType, "1:2");
    sendDrag(n.view, QEvent::DragEnter, onCaption(n, "B"), &forged);
    sendDrag(n.view, QEvent::DragMove, onCaption(n, "A"), &forged);
    sendDrag(n.view, QEvent::Drop, onCaption(n, "A"), &forged);
    n.settle();
    EXPECT_EQ(n.shape(), QStringLiteral("A B"));
    // The view's own drag is taken.
    dropAt(n, onCaption(n, "A"));
    EXPECT_EQ(n.shape(), QStringLiteral("B A"));
}

TEST(NavigatorDrops, RestingOnAnExpandButtonOpensOneLevelAfterASecond)
{
    Navigator n("A(A1(A2)) B");
    n.select("B");
    auto* timer = n.view->findChild<QTimer*>(QStringLiteral("Timer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_FALSE(timer->isActive());

    const std::unique_ptr<QMimeData> data(n.view->createDragData());
    sendDrag(n.view, QEvent::DragEnter, n.rect("B").center(), data.get());
    sendDrag(n.view, QEvent::DragMove, onButton(n, "A"), data.get());
    EXPECT_FALSE(timer->isActive()) << "one event on the button is not yet resting there";
    sendDrag(n.view, QEvent::DragMove, onCaption(n, "B"), data.get());
    EXPECT_FALSE(timer->isActive());
    sendDrag(n.view, QEvent::DragMove, onButton(n, "A"), data.get());
    EXPECT_FALSE(timer->isActive()) << "the last item passed was another one";
    sendDrag(n.view, QEvent::DragMove, onButton(n, "A") + QPoint(1, 0), data.get());
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return n.view->isExpanded(n.index("A")); }, 5000));
    EXPECT_FALSE(n.view->isExpanded(n.index("A1"))) << "one level only";
    EXPECT_FALSE(timer->isActive());
    sendDrag(n.view, QEvent::Drop, rightOfCaption(n, "A1"), data.get());
    n.settle();
    EXPECT_EQ(n.shape(), QStringLiteral("A(A1(A2 B))"));
}

TEST(NavigatorDrops, PressingAndMovingOnACaptionDragsThatSection)
{
    Navigator n("A B C");
    // From C's caption up to B's row: the selection does not follow the
    // mouse, C is dragged (the drag itself ends at once offscreen).
    const QPoint start = onCaption(n, "C");
    const QPoint over = onCaption(n, "B");
    ASSERT_GT((start - over).manhattanLength(), QApplication::startDragDistance());
    QTest::mousePress(n.view->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(n.view->viewport(), over);
    QTest::mouseRelease(n.view->viewport(), Qt::LeftButton, {}, over);
    n.settle();
    EXPECT_EQ(n.current(), QStringLiteral("C")) << "the dragged section is the selected one";
    EXPECT_FALSE(n.view->isEditingCaption());
    EXPECT_EQ(n.shape(), QStringLiteral("A B C"));
}
