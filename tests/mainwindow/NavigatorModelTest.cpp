#include "mainwindow/NavigatorModel.h"

#include "TreeShape.h"
#include "document/Notebook.h"
#include "document/OutlineText.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

using namespace kelto;
using kelto::test::buildShape;
using kelto::test::findSection;
using kelto::test::shapeOf;

namespace {

// Every warning Qt prints while a model test runs is a failure: the model
// tester reports through warnings, and so does QAbstractItemModel when
// begin/end calls do not match.
struct WarningsFail
{
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            ADD_FAILURE() << "Qt warning: " << text.toStdString();
    }
    QtMessageHandler previous = qInstallMessageHandler(&handle);
    ~WarningsFail() { qInstallMessageHandler(previous); }
};

// The tree as lines of dots (one per level below the top) and captions.
QStringList listingOf(const Notebook& nb)
{
    QStringList out;
    forEachDescendant(nb.container(), [&](const Section* s, int depth) {
        out << QString(depth - 1, u'.') + s->caption();
    });
    return out;
}

// How many changes of each kind the model announced.
struct Announced
{
    int inserts = 0, removals = 0, moves = 0, resets = 0;
    int events() const { return inserts + removals + moves + resets; }
    explicit Announced(QAbstractItemModel* m)
    {
        QObject::connect(m, &QAbstractItemModel::rowsInserted, [this] { ++inserts; });
        QObject::connect(m, &QAbstractItemModel::rowsRemoved, [this] { ++removals; });
        QObject::connect(m, &QAbstractItemModel::rowsMoved, [this] { ++moves; });
        QObject::connect(m, &QAbstractItemModel::modelReset, [this] { ++resets; });
    }
};

// Walks the model from the top through index() and rowCount() only, checking
// on the way that parent(), sibling() and the section helpers agree.
QStringList walkModel(const NavigatorModel& model)
{
    QStringList out;
    std::vector<std::pair<QModelIndex, int>> stack;
    const auto pushChildren = [&](const QModelIndex& parent, int depth) {
        EXPECT_EQ(model.hasChildren(parent), model.rowCount(parent) > 0);
        for (int r = model.rowCount(parent) - 1; r >= 0; --r)
            stack.emplace_back(model.index(r, 0, parent), depth);
    };
    pushChildren({}, 1);
    while (!stack.empty()) {
        auto [index, depth] = stack.back();
        stack.pop_back();
        const Section* section = NavigatorModel::sectionOf(index);
        if (!section) {
            ADD_FAILURE() << "an index without its section";
            return out;
        }
        EXPECT_EQ(model.indexOf(section), index);
        EXPECT_EQ(model.parent(index), model.indexOf(section->parent()));
        out << QString(depth - 1, u'.') + index.data().toString();
        pushChildren(index, depth + 1);
    }
    return out;
}

class NavigatorModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tester = std::make_unique<QAbstractItemModelTester>(
            &model, QAbstractItemModelTester::FailureReportingMode::Warning);
        view.setModel(&model);
        view.resize(300, 400);
        view.show();
    }

    // Runs one change of the notebook and checks everything that follows it:
    // a fresh walk of the model, the persistent indexes the views
    // hold, and a repaint of the view. A section is told apart by its
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
            if (alive.count(section)) {
                EXPECT_TRUE(persistent.isValid()) << section->caption().toStdString();
                EXPECT_EQ(NavigatorModel::sectionOf(persistent), section)
                    << "a persistent index now points at another section";
            } else {
                EXPECT_FALSE(persistent.isValid()) << "a removed section is still reachable";
            }
        }
        verify();
    }

    void verify()
    {
        const QStringList expected = listingOf(nb);
        EXPECT_EQ(walkModel(model), expected);
        QCoreApplication::processEvents();
        view.grab();
    }

    Section* sec(const char* caption) const
    {
        Section* s = findSection(nb, QString::fromUtf8(caption));
        EXPECT_NE(s, nullptr) << caption;
        return s;
    }

    WarningsFail warningsFail;
    Notebook nb;
    NavigatorModel model{&nb};
    Announced mirror{&model};
    std::unique_ptr<QAbstractItemModelTester> tester;
    QTreeView view;
};

TEST_F(NavigatorModelTest, InsertionsAndRemovalsAreAnnouncedWhereTheyHappen)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1 a2) B C(c1)")); });
    view.expandAll();
    view.setCurrentIndex(model.indexOf(sec("a2")));
    change("append into a leaf", [&] { nb.appendSection(sec("a1"), QStringLiteral("x")); });
    change("add after nested anchor", [&] { nb.addSection(sec("c1"), QStringLiteral("c2")); });
    change("add child to branch", [&] { nb.addChildSection(sec("A"), QStringLiteral("a3")); });
    change("add child to nothing", [&] { nb.addChildSection(nullptr, QStringLiteral("V")); });
    change("insert before first", [&] { nb.insertSection(sec("A"), QStringLiteral("I0")); });
    change("insert before first child", [&] { nb.insertSection(sec("a1"), QStringLiteral("I1")); });
    change("insert deep", [&] { nb.insertSection(sec("x"), QStringLiteral("I2")); });
    EXPECT_EQ(shapeOf(nb), QStringLiteral("I0 A(I1 a1(I2 x) a2 a3) B C(c1 c2) V"));
    EXPECT_TRUE(view.isExpanded(model.indexOf(sec("A"))));

    nb.setCurrent(sec("x"));
    change("branch holding the current section", [&] { nb.deleteSection(sec("a1")); });
    EXPECT_EQ(nb.current(), sec("a2"));
    change("leaf", [&] { nb.deleteSection(sec("c2")); });
    change("first top-level", [&] { nb.deleteSection(sec("I0")); });
    change("last top-level", [&] { nb.deleteSection(sec("V")); });
    EXPECT_EQ(mirror.resets + mirror.moves, 0);
    // Undo brings sections back one at a time at the end of the top level;
    // with nothing left it announces nothing.
    for (const char* expected : {"V", "I0", "c2", "a1", "x", "I2"}) {
        Section* restored = nullptr;
        change(expected, [&] { restored = nb.restoreDeleted(); });
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->caption(), QString::fromLatin1(expected));
        EXPECT_EQ(model.indexOf(restored).row(), model.rowCount() - 1);
    }
    const int before = mirror.events();
    change("nothing to restore", [&] { EXPECT_EQ(nb.restoreDeleted(), nullptr); });
    EXPECT_EQ(mirror.events(), before);
}

struct MoveCase
{
    const char* section;
    const char* target; // nullptr: no target
    MoveMode mode;
    const char* shape; // the tree afterwards; nullptr when nothing moves
};

const char* const MoveStart = "A(a1 a2 a3) B(b1(bx)) C D(d1)";

const MoveCase Moves[] = {
    {"a3", "a1", MoveMode::Before, "A(a3 a1 a2) B(b1(bx)) C D(d1)"},
    {"a1", "a3", MoveMode::Before, "A(a2 a1 a3) B(b1(bx)) C D(d1)"},
    {"a3", "A", MoveMode::FirstChild, "A(a3 a1 a2) B(b1(bx)) C D(d1)"},
    {"A", "D", MoveMode::Before, "B(b1(bx)) C A(a1 a2 a3) D(d1)"},
    {"a2", "bx", MoveMode::FirstChild, "A(a1 a3) B(b1(bx(a2))) C D(d1)"},
    {"bx", nullptr, MoveMode::FirstChild, "bx A(a1 a2 a3) B(b1) C D(d1)"},
    {"B", "a2", MoveMode::Before, "A(a1 B(b1(bx)) a2 a3) C D(d1)"},
    {"A", "bx", MoveMode::LastChild, "B(b1(bx(A(a1 a2 a3)))) C D(d1)"},
    // Nothing to do: already there, onto itself, into its own subtree.
    {"a1", "a2", MoveMode::Before, nullptr},
    {"A", "a2", MoveMode::Before, nullptr},
    {"B", "bx", MoveMode::FirstChild, nullptr},
    {"a1", nullptr, MoveMode::Before, nullptr},
};

TEST_F(NavigatorModelTest, EveryMoveIsOneRowMoveThatViewsFollow)
{
    static const char* const modes[] = {"Before", "LastChild", "FirstChild", "LastSibling"};
    for (const MoveCase& c : Moves) {
        SCOPED_TRACE(std::string(c.section) + " " + modes[int(c.mode)] + " " +
                     (c.target ? c.target : "(none)"));
        // Not through change(): new sections may reuse the cleared addresses.
        nb.clearNotebook();
        buildShape(nb, QString::fromLatin1(MoveStart));
        verify();
        view.expandAll();
        Section* moving = sec(c.section);
        view.setCurrentIndex(model.indexOf(moving));
        const bool wasExpanded = view.isExpanded(model.indexOf(moving));
        const int moves = mirror.moves, others = mirror.events() - moves;
        change("move", [&] {
            EXPECT_EQ(nb.moveSection(moving, c.target ? sec(c.target) : nullptr, c.mode),
                      c.shape != nullptr);
        });
        EXPECT_EQ(shapeOf(nb), QString::fromLatin1(c.shape ? c.shape : MoveStart));
        EXPECT_EQ(mirror.moves - moves, c.shape ? 1 : 0);
        EXPECT_EQ(mirror.events() - mirror.moves, others);
        EXPECT_EQ(NavigatorModel::sectionOf(view.currentIndex()), moving);
        EXPECT_EQ(view.isExpanded(model.indexOf(moving)), wasExpanded);
    }
}

TEST_F(NavigatorModelTest, EditedCaptionsAreCleanedAndOnlyRealEditsCount)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1) B")); });
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    const QModelIndex a = model.index(0, 0);
    change("empty", [&] { EXPECT_FALSE(model.setData(a, QString())); });
    change("same", [&] { EXPECT_TRUE(model.setData(a, QStringLiteral("A"))); });
    change("other role", [&] { EXPECT_FALSE(model.setData(a, QStringLiteral("x"), Qt::ToolTipRole)); });
    change("no item", [&] { EXPECT_FALSE(model.setData({}, QStringLiteral("x"))); });
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(nb.isModified());

    // A caption is cleaned as the file keeps it, announced once, and reads
    // back from the outline at the same level.
    const QModelIndex index = model.indexOf(sec("a1"));
    change("edit", [&] { EXPECT_TRUE(model.setData(index, QStringLiteral(" x\r\ny"))); });
    EXPECT_EQ(index.data().toString(), QChar(0xA0) + QStringLiteral("x  y"));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<QModelIndex>(), index);
    Notebook reread;
    ReadOutline(WriteOutline(nb), reread);
    EXPECT_EQ(listingOf(reread), listingOf(nb));
    EXPECT_TRUE(nb.isModified());
}

TEST_F(NavigatorModelTest, ClearingAndAdoptingResetTheModel)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1(x) a2) B")); });
    view.expandAll();
    view.setCurrentIndex(model.indexOf(sec("x")));
    change("clear", [&] { nb.clearNotebook(); });
    EXPECT_EQ(mirror.resets, 1);
    EXPECT_EQ(mirror.removals, 0);
    EXPECT_FALSE(view.currentIndex().isValid());
    change("build again", [&] { buildShape(nb, QStringLiteral("P(q) R")); });
    Notebook other;
    buildShape(other, QStringLiteral("X(y(z)) W"));
    other.setCurrent(findSection(other, QStringLiteral("z")));
    change("adopt", [&] { nb.adoptTree(other); });
    EXPECT_EQ(shapeOf(nb), QStringLiteral("X(y(z)) W"));
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
    WarningsFail warningsFail;
    auto nb = std::make_unique<Notebook>();
    NavigatorModel model(nb.get());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    buildShape(*nb, QStringLiteral("A(a1(x)) B"));
    QPersistentModelIndex held(model.indexOf(findSection(*nb, QStringLiteral("x"))));
    nb.reset();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(held.isValid());
}

} // namespace
