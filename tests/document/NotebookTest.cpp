#include "document/Notebook.h"
#include "TestSupport.h"
#include "TreeShape.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;
using namespace kelto::test;

// Where new sections go, renaming and which section a deletion selects are
// checked through the window's commands; here the deleted list and the moves.

TEST(Notebook, DeletedSectionsLeaveChildrenFirstAndComeBackNewestFirst)
{
    Notebook nb;
    buildShape(nb, u"A(x) P(c1(g) c2) B"_s);
    findSection(nb, u"g"_s)->body().setText(u"gee"_s);
    nb.setCurrent(findSection(nb, u"A"_s));
    nb.indexOf(nb.current()); // the order is known before the deletions
    for (const QString& caption : {u"x"_s, u"P"_s, u"B"_s})
        nb.deleteSection(findSection(nb, caption));
    EXPECT_EQ(nb.sectionCount(), 1);
    EXPECT_FALSE(nb.container()->childHasChildren(0)) << "A lost its only child";
    QStringList order;
    for (const DeletedSection& d : nb.deletedSections())
        order << d.caption;
    EXPECT_EQ(order, (QStringList{u"B"_s, u"P"_s, u"c2"_s, u"c1"_s, u"g"_s, u"x"_s}));
    // Each comes back as the last top-level section, not selected.
    for (int i = 0; i < 5; ++i)
        nb.restoreDeleted();
    EXPECT_EQ(shapeOf(nb), u"A B P c2 c1 g"_s);
    EXPECT_EQ(nb.indexOf(findSection(nb, u"g"_s)), 5);
    EXPECT_EQ(findSection(nb, u"g"_s)->body().text(), u"gee"_s);
    EXPECT_EQ(nb.current()->caption(), u"A"_s);
    nb.clearNotebook();
    EXPECT_EQ(nb.current(), nullptr);
    EXPECT_EQ(nb.restoreDeleted(), nullptr) << "clearing empties the undo list";
}

TEST(Notebook, EachMoveModeAndItsNoOps)
{
    // Each case starts from "A(a1 a2) B C"; "-" is no target (the top level).
    const std::tuple<const char*, const char*, MoveMode, const char*> cases[] = {
        {"C", "B", MoveMode::Before, "A(a1 a2) C B"},
        {"a2", "a1", MoveMode::Before, "A(a2 a1) B C"},
        {"B", "a1", MoveMode::LastChild, "A(a1(B) a2) C"},
        {"B", "A", MoveMode::FirstChild, "A(B a1 a2) C"},
        {"C", "-", MoveMode::FirstChild, "C A(a1 a2) B"},
        {"A", "-", MoveMode::LastChild, "B C A(a1 a2)"},
        {"a1", "B", MoveMode::LastSibling, "A(a2) B C a1"},
        {"a1", "a2", MoveMode::LastSibling, "A(a2 a1) B C"},
        // Nothing moves: already there, onto itself, into its own subtree.
        {"B", "C", MoveMode::Before, nullptr},
        {"C", "-", MoveMode::LastSibling, nullptr},
        {"A", "A", MoveMode::FirstChild, nullptr},
        {"A", "a2", MoveMode::Before, nullptr},
        {"A", "a1", MoveMode::LastChild, nullptr},
        {"A", "-", MoveMode::Before, nullptr}};
    for (const auto& [section, target, mode, expected] : cases) {
        SCOPED_TRACE(testing::Message() << section << " to " << target << " mode " << int(mode));
        Notebook nb;
        buildShape(nb, u"A(a1 a2) B C"_s);
        QSignalSpy moving(&nb, &Notebook::sectionAboutToBeMoved);
        QSignalSpy moved(&nb, &Notebook::sectionMoved);
        Section* s = findSection(nb, QString::fromUtf8(section));
        const int row = s->row();
        nb.indexOf(s); // the order is known before the move and must follow it
        EXPECT_EQ(nb.moveSection(s, findSection(nb, QString::fromUtf8(target)), mode), !!expected);
        EXPECT_EQ(shapeOf(nb), expected ? QString::fromUtf8(expected) : u"A(a1 a2) B C"_s);
        ASSERT_EQ(moving.count(), expected ? 1 : 0);
        EXPECT_EQ(moved.count(), moving.count());
        if (expected) { // the model hears the rows as they were before the move
            EXPECT_EQ(moving.at(0).at(1).toInt(), row);
        }
        // A parent answers for each child whether it has children (the
        // navigator asks for every shown row).
        int index = 0;
        for (Section* x = nb.firstSection(); x; x = nb.nextSection(x), ++index) {
            EXPECT_EQ(nb.indexOf(x), index);
            EXPECT_EQ(x->owner()->childHasChildren(x->row()), x->hasChildren())
                << x->caption().toStdString();
        }
    }
}
