#include "document/Notebook.h"
#include "TreeShape.h"

#include <QRandomGenerator>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::buildShape;
using kelto::test::findSection;
using kelto::test::shapeOf;

TEST(Notebook, NewSectionsArePlacedAsTheCommandsExpect)
{
    Notebook nb;
    EXPECT_EQ(nb.fileName(), QStringLiteral("Новый файл"));
    Section* a = nb.addSection(nullptr, QStringLiteral("A"));
    Section* b = nb.addSection(a, QStringLiteral("B"));
    nb.addSection(b, QStringLiteral("C"));
    nb.setCurrent(b);
    // A new section goes after the last sibling, not after the current one.
    Section* n = nb.addSection(nb.current(), QStringLiteral("N"));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("A B C N"));
    EXPECT_EQ(nb.current(), n);
    // Inserting puts it right before the given section.
    nb.insertSection(b, QStringLiteral("I"));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("A I B C N"));
    nb.addChildSection(b, QStringLiteral("x"));
    nb.addChildSection(b, QStringLiteral("y"));
    nb.addChildSection(nullptr, QStringLiteral("Z"));
    nb.insertSection(nullptr, QStringLiteral("W"));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("A I B(x y) C N Z W"));
    EXPECT_EQ(nb.sectionCount(), 9);
    EXPECT_EQ(nb.indexOf(findSection(nb, QStringLiteral("y"))), 4);
    EXPECT_EQ(nb.sectionAt(5)->caption(), QStringLiteral("C"));
    EXPECT_EQ(nb.sectionAt(9), nullptr);
    EXPECT_FALSE(nb.isModified()); // tree operations leave the flag to commands
}

TEST(Notebook, RenameRefusesEmptyAndComparesExactly)
{
    Notebook nb;
    Section* a = nb.addSection(nullptr, QStringLiteral("Abc"));
    QSignalSpy spy(&nb, &Notebook::captionChanged);
    EXPECT_FALSE(nb.renameSection(a, QString()));
    EXPECT_EQ(a->caption(), QStringLiteral("Abc"));
    EXPECT_FALSE(nb.renameSection(a, QStringLiteral("Abc")));
    EXPECT_FALSE(nb.isModified());
    EXPECT_TRUE(nb.renameSection(a, QStringLiteral("abc")));
    EXPECT_TRUE(nb.isModified()) << "a change of letter case is a change";
    EXPECT_EQ(a->caption(), QStringLiteral("abc"));
    EXPECT_EQ(spy.count(), 1);
}

TEST(Notebook, DeleteChoosesNextThenPreviousThenParent)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("A B C P(only)"));
    Section* c = findSection(nb, QStringLiteral("C"));
    nb.setCurrent(findSection(nb, QStringLiteral("B")));
    nb.deleteSection(nb.current());
    EXPECT_EQ(nb.current(), c);
    nb.deleteSection(findSection(nb, QStringLiteral("P")));
    EXPECT_EQ(nb.current(), c) << "deleting another section keeps the current one";
    nb.deleteSection(c);
    EXPECT_EQ(nb.current()->caption(), QStringLiteral("A"));
    Section* p = nb.addSection(nullptr, QStringLiteral("P2"));
    nb.setCurrent(nb.addChildSection(p, QStringLiteral("child")));
    nb.deleteSection(nb.current());
    EXPECT_EQ(nb.current(), p);
    nb.deleteSection(nb.firstSection());
    nb.deleteSection(nb.firstSection());
    EXPECT_TRUE(nb.isEmpty());
    EXPECT_EQ(nb.current(), nullptr);
    EXPECT_EQ(nb.sectionCount(), 0);
}

TEST(Notebook, DeletedSectionsKeepTwentyNewestInPostOrder)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("P(c1(g) c2) Q"));
    findSection(nb, QStringLiteral("g"))->body().setText(QStringLiteral("gee"));
    nb.setCurrent(findSection(nb, QStringLiteral("Q")));
    nb.deleteSection(findSection(nb, QStringLiteral("P")));
    ASSERT_EQ(nb.deletedSections().size(), 4u);
    QStringList order;
    for (const DeletedSection& d : nb.deletedSections())
        order << d.caption;
    // Subsections leave before their parent; the newest entry is first.
    EXPECT_EQ(order, QStringList({QStringLiteral("P"), QStringLiteral("c2"), QStringLiteral("c1"),
                                  QStringLiteral("g")}));
    // Undo brings them back one by one as last top-level sections.
    EXPECT_EQ(nb.restoreDeleted()->caption(), QStringLiteral("P"));
    nb.restoreDeleted();
    nb.restoreDeleted();
    Section* g = nb.restoreDeleted();
    EXPECT_EQ(shapeOf(nb), QStringLiteral("Q P c2 c1 g"));
    EXPECT_EQ(g->body().text(), QStringLiteral("gee"));
    EXPECT_EQ(nb.current(), findSection(nb, QStringLiteral("Q")))
        << "restored sections are not selected";
    EXPECT_EQ(nb.restoreDeleted(), nullptr);

    for (int i = 0; i < 21; ++i)
        nb.deleteSection(nb.addSection(nullptr, QString::number(i)));
    ASSERT_EQ(nb.deletedSections().size(), 20u);
    EXPECT_EQ(nb.deletedSections().front().caption, QStringLiteral("20"));
    EXPECT_EQ(nb.deletedSections().back().caption, QStringLiteral("1"));
    EXPECT_EQ(nb.sectionCount(), 5);

    nb.clearNotebook();
    EXPECT_TRUE(nb.deletedSections().empty());
    EXPECT_TRUE(nb.isEmpty());
    nb.addSection(nullptr, QStringLiteral("x"));
    nb.clearNotebook();
    EXPECT_TRUE(nb.deletedSections().empty()) << "clearing never fills the undo list";
}

TEST(Notebook, MoveModesAndTheirNoOps)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("A B C"));
    Section* a = findSection(nb, QStringLiteral("A"));
    Section* b = findSection(nb, QStringLiteral("B"));
    Section* c = findSection(nb, QStringLiteral("C"));
    EXPECT_TRUE(nb.moveSection(c, b, MoveMode::Before));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("A C B"));
    EXPECT_FALSE(nb.moveSection(c, c, MoveMode::Before)) << "before itself stays";
    EXPECT_FALSE(nb.moveSection(c, b, MoveMode::Before)) << "already right before";
    EXPECT_FALSE(nb.moveSection(b, nullptr, MoveMode::LastSibling)) << "already last";
    EXPECT_TRUE(nb.moveSection(a, nullptr, MoveMode::LastChild));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("C B A"));
    EXPECT_TRUE(nb.moveSection(a, nullptr, MoveMode::FirstChild));
    EXPECT_TRUE(nb.moveSection(b, a, MoveMode::LastChild));
    EXPECT_TRUE(nb.moveSection(c, a, MoveMode::FirstChild));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("A(C B)"));
    // Into its own subtree: nothing moves.
    EXPECT_FALSE(nb.moveSection(a, b, MoveMode::LastChild));
    EXPECT_FALSE(nb.moveSection(a, c, MoveMode::Before));
    EXPECT_FALSE(nb.moveSection(a, a, MoveMode::FirstChild));
    EXPECT_TRUE(nb.moveSection(b, a, MoveMode::Before));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("B A(C)"));
    EXPECT_TRUE(nb.moveSection(a, c, MoveMode::LastSibling) == false);
    EXPECT_TRUE(nb.moveSection(c, b, MoveMode::LastSibling));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("B A C"));
    EXPECT_EQ(nb.sectionCount(), 3);
    EXPECT_EQ(nb.indexOf(c), 2);
    EXPECT_EQ(b->row(), 0);
    EXPECT_EQ(c->row(), 2);
}

TEST(Notebook, MoveSignalsUseRowsBeforeTheMove)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("A B C"));
    QSignalSpy spy(&nb, &Notebook::sectionAboutToBeMoved);
    nb.moveSection(findSection(nb, QStringLiteral("A")), nullptr, MoveMode::LastSibling);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 0);
    EXPECT_EQ(spy.at(0).at(3).toInt(), 3);
}

TEST(Notebook, SectionPathJoinsCaptionsWithBackslash)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("Top(Mid(Leaf))"));
    EXPECT_EQ(sectionPath(findSection(nb, QStringLiteral("Leaf"))),
              QStringLiteral("Top\\Mid\\Leaf"));
    EXPECT_EQ(sectionPath(findSection(nb, QStringLiteral("Top"))), QStringLiteral("Top"));
}

TEST(Notebook, ModifiedSignalOnlyOnChange)
{
    Notebook nb;
    QSignalSpy spy(&nb, &Notebook::modifiedChanged);
    nb.setModified(false);
    nb.setModified(true);
    nb.setModified(true);
    nb.setModified(false);
    EXPECT_EQ(spy.count(), 2);
}

TEST(Notebook, AdoptTreeReplacesSectionsAndEmptiesTheSource)
{
    Notebook target;
    buildShape(target, QStringLiteral("Old(x)"));
    target.deleteSection(findSection(target, QStringLiteral("x")));
    target.properties().setValue(u"Name", QStringLiteral("T"));
    Notebook source;
    buildShape(source, QStringLiteral("N1(N2) N3"));
    source.setCurrent(findSection(source, QStringLiteral("N2")));
    // Whoever watches the source hears that its sections are gone.
    QSignalSpy sourceReset(&source, &Notebook::resetDone);
    QSignalSpy sourceCurrent(&source, &Notebook::currentChanged);
    target.adoptTree(source);
    EXPECT_EQ(sourceReset.count(), 1);
    ASSERT_EQ(sourceCurrent.count(), 1);
    EXPECT_EQ(source.current(), nullptr);
    EXPECT_EQ(shapeOf(target), QStringLiteral("N1(N2) N3"));
    EXPECT_EQ(target.current()->caption(), QStringLiteral("N2"));
    EXPECT_EQ(target.sectionCount(), 3);
    EXPECT_TRUE(target.deletedSections().empty());
    EXPECT_EQ(target.properties().value(u"name"), QStringLiteral("T"));
    EXPECT_TRUE(source.isEmpty());
    EXPECT_EQ(source.sectionCount(), 0);
    // The adopted sections really belong to the target now.
    target.deleteSection(findSection(target, QStringLiteral("N1")));
    EXPECT_EQ(shapeOf(target), QStringLiteral("N3"));
}

TEST(DocumentProperties, CaseInsensitiveNamesOrderAndRemoval)
{
    DocumentProperties p;
    p.setLines({QStringLiteral("activate=2"), QStringLiteral("Odd line"), QStringLiteral("X=a=b")});
    EXPECT_EQ(p.value(u"Activate"), QStringLiteral("2"));
    EXPECT_EQ(p.value(u"x"), QStringLiteral("a=b"));
    EXPECT_EQ(p.value(u"Odd line"), QString());
    p.setValue(u"Activate", QStringLiteral("5"));
    p.setValue(u"Name", QStringLiteral("T"));
    EXPECT_EQ(p.lines(), QStringList({QStringLiteral("Activate=5"), QStringLiteral("Odd line"),
                                      QStringLiteral("X=a=b"), QStringLiteral("Name=T")}));
    p.setValue(u"X", QString());
    EXPECT_EQ(p.lines().size(), 3);
    EXPECT_FALSE(p.contains(u"X"));
}

TEST(Notebook, EachSectionKnowsWhichOfItsChildrenHaveChildren)
{
    // The navigator asks a parent whether a row has children; after any mix
    // of operations the answer must match the child itself.
    Notebook nb;
    QRandomGenerator rng(7);
    std::vector<Section*> live;
    const auto check = [&] {
        for (Section* s = nb.firstSection(); s; s = nb.nextSection(s))
            ASSERT_EQ(s->owner()->childHasChildren(s->row()), s->hasChildren())
                << s->caption().toStdString();
    };
    for (int step = 0; step < 400; ++step) {
        const int count = nb.sectionCount();
        Section* any = count ? nb.sectionAt(int(rng.bounded(quint32(count)))) : nullptr;
        Section* other = count ? nb.sectionAt(int(rng.bounded(quint32(count)))) : nullptr;
        switch (rng.bounded(6)) {
        case 0:
        case 1:
            nb.addChildSection(any, QString::number(step));
            break;
        case 2:
            nb.insertSection(any, QString::number(step));
            break;
        case 3:
            if (any)
                nb.moveSection(any, other, MoveMode(rng.bounded(4)));
            break;
        case 4:
            if (any)
                nb.deleteSection(any);
            break;
        case 5:
            nb.restoreDeleted();
            break;
        }
        check();
    }
    EXPECT_GT(nb.sectionCount(), 10);
}
