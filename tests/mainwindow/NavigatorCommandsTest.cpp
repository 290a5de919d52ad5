// The navigator's commands driven as a user drives them: through the
// window's actions, the navigator's keys, its mouse and its context menu.

#include "NavigatorWindow.h"
#include "document/NotebookFile.h"
#include "mainwindow/ActionCatalog.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/NavigatorModel.h"
#include "mainwindow/StatusPanels.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenuBar>

using namespace kelto;
using namespace kelto::test;
using Answer = kelto::UserPrompts::Answer;

// ---- new sections

TEST(NavigatorCommands, NewSectionGoesAfterTheLastSiblingAndOpensItsCaption)
{
    Navigator n("A B C");
    n.select("B");
    n.trigger("ActionNavigatorNewNode");
    EXPECT_EQ(n.shape(), u8("A B C Новый раздел"));
    EXPECT_EQ(n.current(), u8("Новый раздел"));
    EXPECT_TRUE(n.nb.isModified());
    EXPECT_TRUE(n.view->isEditingCaption());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), u8("Новый раздел"));
    n.finishEdit(QStringLiteral("D"));
    EXPECT_EQ(n.shape(), QStringLiteral("A B C D"));
}

TEST(NavigatorCommands, InsertAndChildPlacementAndTheirKeys)
{
    Navigator n("A B(X) C");
    n.select("B");
    n.trigger("ActionNavigatorInsertNode");
    n.finishEdit(QStringLiteral("I"));
    EXPECT_EQ(n.shape(), QStringLiteral("A I B(X) C"));

    n.select("B");
    n.trigger("ActionNavigatorNewChild");
    n.finishEdit(QStringLiteral("K"));
    EXPECT_EQ(n.shape(), QStringLiteral("A I B(X K) C"));
    EXPECT_EQ(n.current(), QStringLiteral("K"));

    // Insert and Shift+Insert in the navigator do the same.
    n.select("C");
    n.key(Qt::Key_Insert);
    n.finishEdit(QStringLiteral("J"));
    EXPECT_EQ(n.shape(), QStringLiteral("A I B(X K) J C"));
    n.select("C");
    n.key(Qt::Key_Insert, Qt::ShiftModifier);
    n.finishEdit(QStringLiteral("L"));
    EXPECT_EQ(n.shape(), QStringLiteral("A I B(X K) J C(L)"));

    // The context menu's twin runs the same command.
    n.select("A");
    n.trigger("ActionNppInsertNode");
    n.finishEdit(QStringLiteral("Z"));
    EXPECT_EQ(n.shape(), QStringLiteral("Z A I B(X K) J C(L)"));
}

TEST(NavigatorCommands, WithNothingSelectedNewSectionsGoToTheEndOfTheTopLevel)
{
    Navigator n("");
    ASSERT_TRUE(n.nb.isEmpty());
    n.trigger("ActionNavigatorNewChild");
    n.finishEdit(QStringLiteral("A"));
    n.nb.setCurrent(nullptr);
    n.settle();
    n.trigger("ActionNavigatorInsertNode");
    n.finishEdit(QStringLiteral("B"));
    EXPECT_EQ(n.shape(), QStringLiteral("A B"));
    EXPECT_EQ(n.nb.sectionCount(), 2);
}

// ---- rename

TEST(NavigatorCommands, RenameRefusesEmptyAndMarksOnlyRealChanges)
{
    Navigator n("Word Other");
    n.trigger("ActionNavigatorRenameNode");
    ASSERT_TRUE(n.view->isEditingCaption());
    n.finishEdit(QString());
    EXPECT_EQ(n.s("Word")->caption(), QStringLiteral("Word"));
    EXPECT_FALSE(n.nb.isModified()) << "an empty caption is refused";

    n.trigger("ActionNavigatorRenameNode");
    n.finishEdit(QStringLiteral("Word"));
    EXPECT_FALSE(n.nb.isModified()) << "the same caption is no change";

    n.trigger("ActionNavigatorRenameNode");
    n.finishEdit(QStringLiteral("word"));
    EXPECT_EQ(n.nb.firstSection()->caption(), QStringLiteral("word"));
    EXPECT_TRUE(n.nb.isModified()) << "a change of case is a change";

    // Escape cancels.
    n.nb.setModified(false);
    n.trigger("ActionNavigatorRenameNode");
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("gone"));
    QTest::keyClick(editor, Qt::Key_Escape);
    n.settle();
    EXPECT_EQ(n.nb.firstSection()->caption(), QStringLiteral("word"));
    EXPECT_FALSE(n.nb.isModified());
}

TEST(NavigatorCommands, RenamedCaptionsAreCleanedAsTheFileKeepsThem)
{
    Navigator n("A");
    n.trigger("ActionNavigatorRenameNode");
    n.finishEdit(QString::fromUtf16(u"\t two\r\nlines\0x", 14));
    const QString caption = n.nb.firstSection()->caption();
    EXPECT_FALSE(caption.contains(u'\r') || caption.contains(u'\n') || caption.contains(QChar(0)));
    EXPECT_FALSE(caption.startsWith(u'\t') || caption.startsWith(u' '));
    EXPECT_TRUE(caption.endsWith(QStringLiteral("two  lines x")));

    // What the navigator shows is what a saved file gives back.
    const QString path = n.f.dir.path(QStringLiteral("clean.nib"));
    n.f.prompts.saveNames.push_back(path);
    n.trigger("ActionFileSaveAs");
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_EQ(back.firstSection()->caption(), caption);
}

// ---- delete and undo

TEST(NavigatorCommands, DeletionSelectsNextThenPreviousSiblingThenParent)
{
    Navigator n("A B C P(Q)");
    n.select("C");
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_EQ(n.current(), QStringLiteral("P")) << "the following sibling";
    EXPECT_TRUE(n.nb.isModified());
    n.select("B");
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_EQ(n.current(), QStringLiteral("P"));
    n.select("P");
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_EQ(n.current(), QStringLiteral("A")) << "the preceding sibling when last";
    EXPECT_EQ(n.shape(), QStringLiteral("A"));

    Navigator m("A(B) C");
    m.select("B");
    m.trigger("ActionNavigatorDeleteNode");
    EXPECT_EQ(m.current(), QStringLiteral("A")) << "an only child's parent";
    EXPECT_EQ(m.view->currentIndex(), m.index("A"));
    EXPECT_EQ(m.w.editor()->body(), &m.s("A")->body());
}

TEST(NavigatorCommands, DeletingTheOnlySectionLeavesNothingSelectedAndBlankPanels)
{
    Navigator n("Only");
    n.w.status().setPath(QStringLiteral("/tmp/x.nib"));
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_TRUE(n.nb.isEmpty());
    EXPECT_EQ(n.nb.current(), nullptr);
    EXPECT_FALSE(n.view->currentIndex().isValid());
    EXPECT_EQ(n.w.status().caretText(), QString());
    EXPECT_EQ(n.w.status().pathText(), QString());
    EXPECT_FALSE(n.enabled("ActionNavigatorDeleteNode"));
    EXPECT_FALSE(n.enabled("ActionNavigatorRenameNode"));
    EXPECT_TRUE(n.enabled("ActionNavigatorNewNode"));
    EXPECT_TRUE(n.enabled("ActionNavigatorUndo"));
}

TEST(NavigatorCommands, DeleteAsksAsConfiguredAndShiftKeysNeverAsk)
{
    Navigator n("A B C D", "[Treepad]\r\nOnLoad=3\r\n[Navigator]\r\nDelNodeQuery=1\r\n");
    n.f.prompts.answers = {Answer::No};
    n.trigger("ActionNavigatorDeleteNode");
    ASSERT_EQ(n.f.prompts.questions.size(), 1);
    EXPECT_EQ(n.f.prompts.questions.last(), u8("Данный раздел будет удалён. Продолжить?"));
    EXPECT_EQ(n.f.prompts.questionTitles.last(), u8("Удаление раздела"));
    EXPECT_EQ(n.shape(), QStringLiteral("A B C D"));
    EXPECT_FALSE(n.nb.isModified());

    n.f.prompts.answers = {Answer::Yes};
    n.key(Qt::Key_Delete);
    EXPECT_EQ(n.f.prompts.questions.size(), 2) << "Delete in the navigator asks too";
    EXPECT_EQ(n.shape(), QStringLiteral("B C D"));

    n.key(Qt::Key_Delete, Qt::ShiftModifier);
    n.key(Qt::Key_F8, Qt::ShiftModifier);
    EXPECT_EQ(n.f.prompts.questions.size(), 2);
    EXPECT_EQ(n.shape(), QStringLiteral("D"));

    Navigator quiet("A B");
    QTest::keyClick(quiet.view, Qt::Key_F8);
    quiet.settle();
    EXPECT_TRUE(quiet.f.prompts.questions.isEmpty());
    EXPECT_EQ(quiet.shape(), QStringLiteral("B"));
}

TEST(NavigatorCommands, ThreeUndoStepsBringBackAParentAndItsSubsectionsWithBodies)
{
    Navigator n("Keep P(Q R)");
    n.s("P")->body().setText(QStringLiteral("p text"));
    n.s("Q")->body().setText(QStringLiteral("q text"));
    n.s("R")->body().setText(QStringLiteral("r text"));
    // R gets an editing history of its own.
    n.select("R");
    n.w.editor()->setFocus();
    QTest::keyClicks(n.w.editor(), QStringLiteral("typed "));
    n.select("P");
    EXPECT_FALSE(n.enabled("ActionNavigatorUndo"));
    n.trigger("ActionNavigatorDeleteNode");
    EXPECT_EQ(n.nb.deletedSections().size(), 3u);
    EXPECT_EQ(n.shape(), QStringLiteral("Keep"));

    n.nb.setModified(false);
    ASSERT_TRUE(n.enabled("ActionNavigatorUndo"));
    n.trigger("ActionNavigatorUndo");
    EXPECT_EQ(n.shape(), QStringLiteral("Keep P"));
    EXPECT_TRUE(n.nb.isModified());
    EXPECT_EQ(n.current(), QStringLiteral("Keep")) << "the restored section is not selected";
    n.trigger("ActionNavigatorUndo");
    n.trigger("ActionNavigatorUndo");
    EXPECT_EQ(n.shape(), QStringLiteral("Keep P R Q"));
    EXPECT_FALSE(n.enabled("ActionNavigatorUndo"));
    EXPECT_EQ(n.s("P")->body().text(), QStringLiteral("p text"));
    EXPECT_EQ(n.s("Q")->body().text(), QStringLiteral("q text"));
    EXPECT_EQ(n.s("R")->body().text(), QStringLiteral("typed r text"));

    n.select("R");
    EXPECT_EQ(n.w.editor()->toPlainText(), QStringLiteral("typed r text"));
    ASSERT_TRUE(n.w.editor()->document()->isUndoAvailable()) << "the history came back too";
    n.w.editor()->undo();
    EXPECT_EQ(n.w.editor()->toPlainText(), QStringLiteral("r text"));
}

TEST(NavigatorCommands, TwentyOneDeletionsLeaveTwentyUndoSteps)
{
    QString shape;
    for (int i = 1; i <= 21; ++i)
        shape += QStringLiteral("s%1 ").arg(i);
    Navigator n((shape + QStringLiteral("last")).toUtf8().constData());
    for (int i = 1; i <= 21; ++i) {
        n.select(QStringLiteral("s%1").arg(i).toUtf8().constData());
        n.trigger("ActionNavigatorDeleteNode");
    }
    EXPECT_EQ(n.shape(), QStringLiteral("last"));
    int undone = 0;
    while (n.enabled("ActionNavigatorUndo") && undone < 30) {
        n.trigger("ActionNavigatorUndo");
        ++undone;
    }
    EXPECT_EQ(undone, 20);
    EXPECT_EQ(n.s("s1"), nullptr) << "the oldest deletion is gone";
    EXPECT_NE(n.s("s2"), nullptr);
    EXPECT_EQ(n.nb.topLevel(1)->caption(), QStringLiteral("s21")) << "newest first";
}

// ---- expand, collapse and walking

TEST(NavigatorCommands, F4ExpandsAndCollapsesWholeBranchesWithOneSharedItem)
{
    Navigator n("A(B(C(D))) E");
    QMenu* menu = n.w.actions().menu(u"MenuNavigator");
    ASSERT_NE(menu, nullptr);
    const auto shared = [&] {
        for (QAction* a : menu->actions()) {
            if (a->objectName() == u"ActionNavigatorExpand" ||
                a->objectName() == u"ActionNavigatorCollapse")
                return a->objectName();
        }
        return QString();
    };
    EXPECT_EQ(shared(), QStringLiteral("ActionNavigatorExpand"));
    QTest::keyClick(n.view, Qt::Key_F4);
    n.settle();
    EXPECT_TRUE(n.view->isExpanded(n.index("A")));
    EXPECT_TRUE(n.view->isExpanded(n.index("B")));
    EXPECT_TRUE(n.view->isExpanded(n.index("C")));
    EXPECT_EQ(shared(), QStringLiteral("ActionNavigatorCollapse"));

    QTest::keyClick(n.view, Qt::Key_F4);
    n.settle();
    EXPECT_FALSE(n.view->isExpanded(n.index("A")));
    EXPECT_FALSE(n.view->isExpanded(n.index("B"))) << "everything below is closed as well";
    EXPECT_FALSE(n.view->isExpanded(n.index("C")));
    EXPECT_EQ(shared(), QStringLiteral("ActionNavigatorExpand"));

    // A leaf offers Expand, disabled; opening any branch offers Collapse.
    n.select("E");
    EXPECT_EQ(shared(), QStringLiteral("ActionNavigatorExpand"));
    EXPECT_FALSE(n.enabled("ActionNavigatorExpand"));
    EXPECT_TRUE(n.enabled("ActionNavigatorCollapse"));
    n.view->expand(n.index("A"));
    n.settle();
    EXPECT_EQ(shared(), QStringLiteral("ActionNavigatorCollapse"));
    // Selecting an open section offers Collapse, a closed one Expand.
    n.select("A");
    EXPECT_EQ(shared(), QStringLiteral("ActionNavigatorCollapse"));
    n.select("B");
    EXPECT_EQ(shared(), QStringLiteral("ActionNavigatorExpand"));
    // Selecting a section hidden in closed branches opens them to show it;
    // F4 still offers what the selected section needs.
    n.view->collapse(n.index("A"));
    n.view->collapse(n.index("B"));
    n.settle();
    n.select("C");
    EXPECT_TRUE(n.view->isExpanded(n.index("B")));
    EXPECT_EQ(shared(), QStringLiteral("ActionNavigatorExpand"));
}

TEST(NavigatorCommands, AltArrowsWalkShownRowsInTheNavigatorAndSiblingsFromTheEditor)
{
    Navigator n("A(A1 A2) B C");
    n.view->expand(n.index("A"));
    n.select("A");
    if (!n.focusNavigator())
        GTEST_SKIP() << "the platform gives no focus";
    n.key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(n.current(), QStringLiteral("A1")) << "the next row as shown";
    EXPECT_TRUE(n.view->hasFocus());
    n.key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(n.current(), QStringLiteral("A"));

    n.w.editor()->setFocus();
    n.settle();
    QTest::keyClick(n.w.editor(), Qt::Key_Down, Qt::AltModifier);
    n.settle();
    EXPECT_EQ(n.current(), QStringLiteral("B")) << "the next sibling, over A's subsections";
    EXPECT_TRUE(n.w.editor()->hasFocus());
    EXPECT_EQ(n.w.editor()->body(), &n.s("B")->body());
    QTest::keyClick(n.w.editor(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(n.w.editor(), Qt::Key_Down, Qt::AltModifier);
    n.settle();
    EXPECT_EQ(n.current(), QStringLiteral("C")) << "at the last sibling nothing happens";
    EXPECT_TRUE(n.w.editor()->hasFocus());
    EXPECT_FALSE(n.nb.isModified());
}

// ---- caption stamp, path, statistics

TEST(NavigatorCommands, DateStampPathAndStatistics)
{
    Navigator n("A(B(C)) D");
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    n.select("C");
    n.trigger("ActionNppInsDT");
    qunsetenv("SOURCE_DATE_EPOCH");
    const QDate day = QDateTime::fromSecsSinceEpoch(1700000000).toLocalTime().date();
    EXPECT_EQ(n.current(), QLocale::system().toString(day, QLocale::ShortFormat));
    EXPECT_TRUE(n.nb.isModified());

    n.trigger("ActionNppCopyPath");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("A\\B\\") + n.current());

    n.trigger("ActionNppInfo");
    ASSERT_EQ(n.f.prompts.messages.size(), 1);
    EXPECT_EQ(n.f.prompts.messages.last(),
              u8("На уровне 0 : 2\nНа уровне 1 : 1\nНа уровне 2 : 1\n\nВсего узлов: 4"));
    EXPECT_TRUE(n.f.prompts.messageTitles.last().isEmpty()) << "the program's title";

    Navigator empty("");
    empty.trigger("ActionNppInfo");
    ASSERT_EQ(empty.f.prompts.messages.size(), 1);
    EXPECT_EQ(empty.f.prompts.messages.last(), u8("На уровне 0 : 0\n\nВсего узлов: 0"));
}

// ---- enabling and the hidden navigator

TEST(NavigatorCommands, HiddenNavigatorDisablesItsCommands)
{
    const char* const navigatorCommands[] = {
        "ActionNavigatorNewNode",    "ActionNavigatorNewChild",
        "ActionNavigatorInsertNode", "ActionNavigatorRenameNode",
        "ActionNavigatorDeleteNode", "ActionNavigatorExpand",
        "ActionNavigatorCollapse",   "ActionNppInsDT",
        "ActionNppCopyPath",         "ActionNavigatorMoveUp",
        "ActionNavigatorMoveDown",   "ActionNavigatorInsertPrev",
        "ActionNavigatorInsertNext", "ActionNavigatorUpOneLevel",
        "ActionNavigatorUpToRoot",   "ActionNppUppestLevel",
        "ActionNppMakeFirst",        "ActionNppMakeLast"};
    Navigator n("A(B) C");
    for (const char* name : navigatorCommands)
        EXPECT_TRUE(n.enabled(name)) << name;
    n.trigger("ActionServiceHideNavigator");
    for (const char* name : navigatorCommands)
        EXPECT_FALSE(n.enabled(name)) << name;
    for (const char* name : {"ActionNavigatorSelPrev", "ActionNavigatorSelNext", "ActionNppInfo",
                             "ActionNppInsertNode"})
        EXPECT_TRUE(n.enabled(name)) << name;
    QTest::keyClick(&n.w, Qt::Key_F5);
    n.trigger("ActionNppInsertNode");
    EXPECT_EQ(n.shape(), QStringLiteral("A(B) C")) << "with the navigator hidden F5 does nothing";
    EXPECT_FALSE(n.nb.isModified());
}

// ---- mouse and context menu

TEST(NavigatorCommands, RightClickSelectsTheItemAndOpensTheContextMenu)
{
    Navigator n("A B C");
    QMenu* menu = n.view->contextMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("TVPopupMenu"));
    EXPECT_EQ(describeMenu(menu),
              u8("Создать(ActionNavigatorNewNode,ActionNppInsertNode,ActionNavigatorNewChild),"
                 "ActionNavigatorDeleteNode,-,"
                 "Имя раздела(ActionNavigatorRenameNode,ActionNppInsDT,ActionNppCopyPath),"
                 "Порядок(ActionNavigatorSort,ActionNppUppestLevel,ActionNppMakeFirst,"
                 "ActionNppMakeLast),-,ActionNavigatorFindNode,ActionNppInfo"));

    const QPoint onC = n.rect("C").center();
    QTest::mousePress(n.view->viewport(), Qt::RightButton, {}, onC);
    QContextMenuEvent event(QContextMenuEvent::Mouse, onC, n.view->viewport()->mapToGlobal(onC));
    QApplication::sendEvent(n.view->viewport(), &event);
    n.settle();
    EXPECT_EQ(n.current(), QStringLiteral("C"));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    QTest::mouseRelease(n.view->viewport(), Qt::RightButton, {}, onC);

    // Pressing below the last item selects nothing new.
    QTest::mousePress(n.view->viewport(), Qt::RightButton, {}, belowLast(n, "C"));
    QTest::mouseRelease(n.view->viewport(), Qt::RightButton, {}, belowLast(n, "C"));
    QTest::mouseClick(n.view->viewport(), Qt::LeftButton, {}, belowLast(n, "C"));
    n.settle();
    menu->hide();
    EXPECT_EQ(n.current(), QStringLiteral("C"));
    EXPECT_TRUE(n.view->selectionModel()->isSelected(n.index("C")));
}
