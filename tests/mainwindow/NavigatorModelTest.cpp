// The navigator model over a notebook, under Qt's model tester, checked after
// each change by a fresh walk and by the persistent indexes a view holds.
// Moves, insertions and deletions through the window are checked the same
// way by the window suites, whose fixture carries a model tester too.

#include "mainwindow/NavigatorModel.h"

#include "TreeShape.h"
#include "document/OutlineText.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>
#include <unordered_set>

using namespace kelto;
using kelto::test::buildShape;
using kelto::test::findSection;
using kelto::test::shapeOf;

namespace {

// The tree as lines of dots (one per level below the top) and captions.
QStringList listingOf(const Notebook& nb)
{
    QStringList out;
    forEachDescendant(nb.container(), [&](const Section* s, int depth) {
        out << QString(depth - 1, u'.') + s->caption();
    });
    return out;
}

// The same listing read through index() and rowCount() only, checking that
// parent() and the section helpers agree on the way.
QStringList walkModel(const NavigatorModel& model)
{
    QStringList out;
    std::vector<std::pair<QModelIndex, int>> stack{{QModelIndex(), 0}};
    while (!stack.empty()) {
        auto [index, depth] = stack.back();
        stack.pop_back();
        if (index.isValid()) {
            const Section* section = NavigatorModel::sectionOf(index);
            if (!section)
                return out << QStringLiteral("<index without section>");
            EXPECT_EQ(model.indexOf(section), index);
            EXPECT_EQ(model.parent(index), model.indexOf(section->parent()));
            out << QString(depth - 1, u'.') + index.data().toString();
        }
        for (int r = model.rowCount(index) - 1; r >= 0; --r)
            stack.emplace_back(model.index(r, 0, index), depth + 1);
    }
    return out;
}

class NavigatorModelTest : public ::testing::Test
{
protected:
    NavigatorModelTest() { view.setModel(&model); }

    // Runs one change and checks what follows it: a fresh walk and the
    // persistent indexes held before it. A section is told apart by its
    // address, so fn must not create sections after destroying some.
    template <typename Change> void change(const char* what, Change&& fn)
    {
        SCOPED_TRACE(what);
        std::vector<std::pair<QPersistentModelIndex, const Section*>> held;
        forEachDescendant(nb.container(),
                          [&](const Section* s, int) { held.emplace_back(model.indexOf(s), s); });
        fn();
        std::unordered_set<const Section*> alive;
        forEachDescendant(nb.container(), [&](const Section* s, int) { alive.insert(s); });
        for (const auto& [persistent, section] : held) {
            if (alive.count(section))
                EXPECT_EQ(NavigatorModel::sectionOf(persistent), section);
            else
                EXPECT_FALSE(persistent.isValid()) << "a removed section is still reachable";
        }
        EXPECT_EQ(walkModel(model), listingOf(nb));
    }
    Section* sec(const char* caption) const { return findSection(nb, QString::fromUtf8(caption)); }

    Notebook nb;
    NavigatorModel model{&nb};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Warning};
    QTreeView view;
};

} // namespace

TEST_F(NavigatorModelTest, EditedCaptionsAreCleanedAndOnlyRealEditsCount)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1) B")); });
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    const QModelIndex a = model.index(0, 0);
    change("empty", [&] { EXPECT_FALSE(model.setData(a, QString())); });
    change("same", [&] { EXPECT_TRUE(model.setData(a, QStringLiteral("A"))); });
    change("role", [&] { EXPECT_FALSE(model.setData(a, QStringLiteral("x"), Qt::ToolTipRole)); });
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(nb.isModified());
    // A caption is cleaned as the file keeps it, announced once, and reads
    // back from the outline at the same level.
    const QModelIndex index = model.indexOf(sec("a1"));
    change("edit", [&] { EXPECT_TRUE(model.setData(index, QStringLiteral(" x\r\ny"))); });
    EXPECT_EQ(index.data().toString(), QChar(0xA0) + QStringLiteral("x  y"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<QModelIndex>(), index);
    Notebook reread;
    ReadOutline(WriteOutline(nb), reread);
    EXPECT_EQ(listingOf(reread), listingOf(nb));
    EXPECT_TRUE(nb.isModified());
}

TEST_F(NavigatorModelTest, RestoringClearingAndAdoptingAreFollowed)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1(x) a2) B")); });
    view.expandAll();
    change("delete", [&] { nb.deleteSection(sec("a1")); });
    change("restore", [&] { EXPECT_EQ(nb.restoreDeleted()->caption(), QStringLiteral("a1")); });
    change("restore", [&] { EXPECT_EQ(nb.restoreDeleted()->caption(), QStringLiteral("x")); });
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    view.setCurrentIndex(model.indexOf(sec("x")));
    change("clear", [&] { nb.clearNotebook(); });
    EXPECT_EQ(resets.count(), 1);
    EXPECT_FALSE(view.currentIndex().isValid());
    change("build again", [&] { buildShape(nb, QStringLiteral("P(q) R")); });
    Notebook other;
    buildShape(other, QStringLiteral("X(y(z)) W"));
    other.setCurrent(findSection(other, QStringLiteral("z")));
    change("adopt", [&] { nb.adoptTree(other); });
    EXPECT_EQ(NavigatorModel::sectionOf(model.indexOf(nb.current())), nb.current());
    // The model must read the adopted tree, not the one it saw first.
    change("change the adopted tree", [&] {
        nb.addChildSection(sec("y"), QStringLiteral("y2"));
        nb.moveSection(sec("W"), sec("z"), MoveMode::Before);
        nb.deleteSection(sec("X"));
    });
    EXPECT_TRUE(nb.isEmpty());
}

TEST(NavigatorModelLifetime, NotebookDestroyedFirstLeavesAnEmptyModel)
{
    auto nb = std::make_unique<Notebook>();
    NavigatorModel model(nb.get());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    buildShape(*nb, QStringLiteral("A(a1(x)) B"));
    QPersistentModelIndex held(model.indexOf(findSection(*nb, QStringLiteral("x"))));
    nb.reset();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(held.isValid());
}
