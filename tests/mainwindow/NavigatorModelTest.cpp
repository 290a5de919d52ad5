// The navigator model over a notebook, under Qt's model tester, checked by a
// fresh walk. Moves, insertions, deletions, undo and clearing through the
// window are checked by the window suites, whose fixture carries a model
// tester too.

#include "mainwindow/NavigatorModel.h"

#include "TreeShape.h"
#include "document/OutlineText.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

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
    // What the model shows, read afresh, is the notebook's tree.
    void expectFollowed(const char* after) { EXPECT_EQ(walkModel(model), listingOf(nb)) << after; }
    Section* sec(const char* caption) const { return findSection(nb, QString::fromUtf8(caption)); }

    Notebook nb;
    NavigatorModel model{&nb};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Warning};
    QTreeView view;
};

} // namespace

TEST_F(NavigatorModelTest, EditedCaptionsAreCleanedAndOnlyRealEditsCount)
{
    buildShape(nb, QStringLiteral("A(a1) B"));
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    const QModelIndex a = model.index(0, 0);
    EXPECT_FALSE(model.setData(a, QString())) << "empty";
    EXPECT_TRUE(model.setData(a, QStringLiteral("A"))) << "the same";
    EXPECT_FALSE(model.setData(a, QStringLiteral("x"), Qt::ToolTipRole));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(nb.isModified());
    // A caption is cleaned as the file keeps it, announced once, and reads
    // back from the outline at the same level.
    const QModelIndex index = model.indexOf(sec("a1"));
    EXPECT_TRUE(model.setData(index, QStringLiteral(" x\r\ny")));
    EXPECT_EQ(index.data().toString(), QChar(0xA0) + QStringLiteral("x  y"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<QModelIndex>(), index);
    expectFollowed("edit");
    Notebook reread;
    ReadOutline(WriteOutline(nb), reread);
    EXPECT_EQ(listingOf(reread), listingOf(nb));
    EXPECT_TRUE(nb.isModified());
}

TEST_F(NavigatorModelTest, AnAdoptedTreeIsTheOneShownAndChanged)
{
    buildShape(nb, QStringLiteral("P(q) R"));
    view.expandAll();
    view.setCurrentIndex(model.indexOf(sec("q")));
    Notebook other;
    buildShape(other, QStringLiteral("X(y(z)) W"));
    other.setCurrent(findSection(other, QStringLiteral("z")));
    nb.adoptTree(other);
    expectFollowed("adopt");
    EXPECT_EQ(NavigatorModel::sectionOf(model.indexOf(nb.current())), nb.current());
    // The model must read the adopted tree, not the one it saw first.
    nb.addChildSection(sec("y"), QStringLiteral("y2"));
    nb.moveSection(sec("W"), sec("z"), MoveMode::Before);
    expectFollowed("change the adopted tree");
    nb.deleteSection(sec("X"));
    EXPECT_TRUE(nb.isEmpty());
    EXPECT_EQ(model.rowCount(), 0);
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
