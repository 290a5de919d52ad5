// SPDX-License-Identifier: GPL-3.0-or-later
// The navigator model over a notebook, under Qt's model tester, checked by a
// fresh walk. Moves, insertions, deletions, undo and clearing through the
// window are checked by the window suites, whose fixture carries a model
// tester too.

#include "mainwindow/NavigatorModel.h"

#include "TreeShape.h"

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

// The tree as the model shows it, in the notation of shapeOf(), read through
// index() and rowCount() only; each index must lead back to itself through
// its section.
QString shown(const NavigatorModel& model, const QModelIndex& parent = {})
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        EXPECT_EQ(model.indexOf(NavigatorModel::sectionOf(index)), index);
        const QString children = shown(model, index);
        rows << index.data().toString() + (children.isEmpty() ? QString() : u'(' + children + u')');
    }
    return rows.join(u' ');
}

class NavigatorModelTest : public ::testing::Test
{
protected:
    NavigatorModelTest() { view.setModel(&model); }
    // What the model shows, read afresh, is the notebook's tree.
    void expectFollowed(const char* after) { EXPECT_EQ(shown(model), shapeOf(nb)) << after; }
    Section* sec(const char* caption) const { return findSection(nb, QString::fromUtf8(caption)); }

    Notebook nb;
    NavigatorModel model{&nb};
    QAbstractItemModelTester tester{&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning};
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
    // A caption is cleaned as the file keeps it and announced once.
    const QModelIndex index = model.indexOf(sec("a1"));
    EXPECT_TRUE(model.setData(index, QStringLiteral(" x\r\ny")));
    EXPECT_EQ(index.data().toString(), QChar(0xA0) + QStringLiteral("x  y"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<QModelIndex>(), index);
    expectFollowed("edit");
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
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    buildShape(*nb, QStringLiteral("A(a1(x)) B"));
    QPersistentModelIndex held(model.indexOf(findSection(*nb, QStringLiteral("x"))));
    nb.reset();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(held.isValid());
}
