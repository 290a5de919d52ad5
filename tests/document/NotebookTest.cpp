#include "document/Notebook.h"
#include "TestSupport.h"
#include "TreeShape.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;
using namespace kelto::test;

// Where new sections go, renaming, deletion and undo are checked through the
// window's commands; here each move mode with what a move announces.

TEST(Notebook, EachMoveModeAndItsNoOps)
{
    // Each case starts from "A(a1 a2) B C"; "-" is no target (the top level).
    const std::tuple<const char*, const char*, MoveMode, const char*> cases[] = {
        {"C", "B", MoveMode::Before, "A(a1 a2) C B"},
        {"B", "a1", MoveMode::LastChild, "A(a1(B) a2) C"},
        {"B", "A", MoveMode::FirstChild, "A(B a1 a2) C"},
        {"C", "-", MoveMode::FirstChild, "C A(a1 a2) B"},
        {"a1", "B", MoveMode::LastSibling, "A(a2) B C a1"},
        {"a1", "a2", MoveMode::LastSibling, "A(a2 a1) B C"},
        // Nothing moves: already there, onto itself, into its own subtree.
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
