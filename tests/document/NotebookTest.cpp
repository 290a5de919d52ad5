#include "document/Notebook.h"
#include "TestSupport.h"
#include "TreeShape.h"

#include <QRandomGenerator>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;
using test::buildShape;
using test::findSection;
using test::shapeOf;

TEST(Notebook, NewSectionsArePlacedAsTheCommandsExpect)
{
    Notebook nb;
    buildShape(nb, u"A B(C)"_s);
    Section* b = findSection(nb, u"B"_s);
    // After the anchor's last sibling, not right after it.
    Section* n = nb.addSection(findSection(nb, u"A"_s), u"N"_s);
    EXPECT_EQ(nb.current(), n);
    nb.insertSection(b, u"I"_s); // right before
    nb.addChildSection(b, u"x"_s);
    nb.addChildSection(nullptr, u"Z"_s);
    nb.insertSection(nullptr, u"W"_s);
    EXPECT_EQ(shapeOf(nb), u"A I B(C x) N Z W"_s);
    EXPECT_EQ(nb.indexOf(findSection(nb, u"x"_s)), 4);
    EXPECT_EQ(nb.sectionAt(5)->caption(), u"N"_s);
    EXPECT_EQ(nb.sectionAt(8), nullptr);
    EXPECT_EQ(sectionPath(findSection(nb, u"x"_s)), u"B\\x"_s);
    EXPECT_FALSE(nb.isModified()) << "tree operations leave the flag to the commands";
}

TEST(Notebook, RenameMarksTheNotebookOnlyForARealChange)
{
    Notebook nb;
    Section* a = nb.addSection(nullptr, u"Abc"_s);
    QSignalSpy captions(&nb, &Notebook::captionChanged);
    QSignalSpy modified(&nb, &Notebook::modifiedChanged);
    EXPECT_FALSE(nb.renameSection(a, QString()));
    EXPECT_FALSE(nb.renameSection(a, u"Abc"_s));
    EXPECT_FALSE(nb.isModified());
    EXPECT_TRUE(nb.renameSection(a, u"abc"_s)) << "a change of letter case is a change";
    EXPECT_TRUE(nb.renameSection(a, u"abd"_s));
    EXPECT_TRUE(nb.isModified());
    EXPECT_EQ(captions.count(), 2);
    EXPECT_EQ(modified.count(), 1);
}

TEST(Notebook, DeleteSelectsNextThenPreviousThenParentAndUndoRestoresNewestFirst)
{
    Notebook nb;
    buildShape(nb, u"A B C P(c1(g) c2)"_s);
    findSection(nb, u"g"_s)->body().setText(u"gee"_s);
    Section* c = findSection(nb, u"C"_s);
    nb.setCurrent(findSection(nb, u"B"_s));
    nb.deleteSection(nb.current());
    EXPECT_EQ(nb.current(), c);
    nb.deleteSection(findSection(nb, u"P"_s));
    EXPECT_EQ(nb.current(), c) << "deleting another section keeps the current one";
    nb.deleteSection(c);
    EXPECT_EQ(nb.current()->caption(), u"A"_s);
    nb.setCurrent(nb.addChildSection(nb.current(), u"child"_s));
    nb.deleteSection(nb.current());
    EXPECT_EQ(nb.current()->caption(), u"A"_s);

    // Subsections leave before their parent; the newest comes back first, as
    // the last top-level section, and is not selected.
    QStringList order;
    for (const DeletedSection& d : nb.deletedSections())
        order << d.caption;
    EXPECT_EQ(order, (QStringList{u"child"_s, u"C"_s, u"P"_s, u"c2"_s, u"c1"_s, u"g"_s, u"B"_s}));
    for (int i = 0; i < 6; ++i)
        nb.restoreDeleted();
    EXPECT_EQ(shapeOf(nb), u"A child C P c2 c1 g"_s);
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
        EXPECT_EQ(nb.moveSection(s, findSection(nb, QString::fromUtf8(target)), mode), !!expected);
        EXPECT_EQ(shapeOf(nb), expected ? QString::fromUtf8(expected) : u"A(a1 a2) B C"_s);
        ASSERT_EQ(moving.count(), expected ? 1 : 0);
        EXPECT_EQ(moved.count(), moving.count());
        if (expected) // the model hears the rows as they were before the move
            EXPECT_EQ(moving.at(0).at(1).toInt(), row);
    }
}

TEST(Notebook, EachSectionKnowsWhichOfItsChildrenHaveChildren)
{
    // The navigator asks a parent whether a row has children; after any mix
    // of operations the answer must match the child itself, and the count
    // and the indexes must match a walk of the tree.
    Notebook nb;
    QRandomGenerator rng(7);
    for (int step = 0; step < 400; ++step) {
        const int count = nb.sectionCount();
        Section* any = count ? nb.sectionAt(int(rng.bounded(quint32(count)))) : nullptr;
        Section* other = count ? nb.sectionAt(int(rng.bounded(quint32(count)))) : nullptr;
        const quint32 op = rng.bounded(6);
        if (op < 2)
            nb.addChildSection(any, QString::number(step));
        else if (op == 2)
            nb.insertSection(any, QString::number(step));
        else if (op == 3 && any)
            nb.moveSection(any, other, MoveMode(rng.bounded(4)));
        else if (op == 4 && any)
            nb.deleteSection(any);
        else if (op == 5)
            nb.restoreDeleted();
        int index = 0;
        for (Section* s = nb.firstSection(); s; s = nb.nextSection(s), ++index) {
            ASSERT_EQ(s->owner()->childHasChildren(s->row()), s->hasChildren()) << step;
            ASSERT_EQ(nb.indexOf(s), index) << step;
        }
        ASSERT_EQ(nb.sectionCount(), index) << step;
    }
    EXPECT_GT(nb.sectionCount(), 10);
}
