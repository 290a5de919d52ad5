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
class WarningsFail
{
public:
    WarningsFail() { s_previous = qInstallMessageHandler(&WarningsFail::handle); }
    ~WarningsFail() { qInstallMessageHandler(s_previous); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtDebugMsg || type == QtInfoMsg) {
            if (s_previous)
                s_previous(type, context, text);
            return;
        }
        ADD_FAILURE() << "Qt warning [" << (context.category ? context.category : "") << "] "
                      << text.toStdString();
    }
    static inline QtMessageHandler s_previous = nullptr;
};

// The tree as lines of dots (one per level below the top) and captions.
using Listing = QStringList;

QString listingLine(int depth, const QString& caption)
{
    return QString(depth - 1, QLatin1Char('.')) + caption;
}

Listing listingOf(const Notebook& nb)
{
    Listing out;
    forEachDescendant(nb.container(), [&](const Section* s, int depth) {
        out << listingLine(depth, s->caption());
    });
    return out;
}

// A copy of the tree kept up to date from the model's change signals alone.
// If the model announces a wrong parent or row, this copy drifts away from
// the notebook.
class ModelMirror : public QObject
{
public:
    struct Node
    {
        QString caption;
        std::vector<std::unique_ptr<Node>> children;
    };

    int inserts = 0;
    int removals = 0;
    int moves = 0;
    int resets = 0;
    int dataChanges = 0;
    int layoutChanges = 0;
    int events() const { return inserts + removals + moves + resets + dataChanges + layoutChanges; }

    explicit ModelMirror(QAbstractItemModel* model) : m_model(model)
    {
        using M = QAbstractItemModel;
        connect(model, &M::rowsAboutToBeInserted, this,
                [this](const QModelIndex& p) { m_target = nodeOf(p); });
        connect(model, &M::rowsInserted, this, &ModelMirror::inserted);
        connect(model, &M::rowsAboutToBeRemoved, this,
                [this](const QModelIndex& p) { m_source = nodeOf(p); });
        connect(model, &M::rowsRemoved, this, &ModelMirror::removed);
        connect(model, &M::rowsAboutToBeMoved, this,
                [this](const QModelIndex& sp, int, int, const QModelIndex& dp) {
                    m_source = nodeOf(sp);
                    m_target = nodeOf(dp);
                });
        connect(model, &M::rowsMoved, this, &ModelMirror::moved);
        connect(model, &M::modelReset, this, [this] {
            ++resets;
            rebuild();
        });
        connect(model, &M::dataChanged, this, &ModelMirror::changed);
        connect(model, &M::layoutChanged, this, [this] {
            ++layoutChanges;
            rebuild();
        });
        rebuild();
    }

    Listing listing() const
    {
        Listing out;
        std::vector<std::pair<const Node*, int>> stack;
        for (auto it = m_root.children.rbegin(); it != m_root.children.rend(); ++it)
            stack.emplace_back(it->get(), 1);
        while (!stack.empty()) {
            auto [node, depth] = stack.back();
            stack.pop_back();
            out << listingLine(depth, node->caption);
            for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
                stack.emplace_back(it->get(), depth + 1);
        }
        return out;
    }

private:
    Node* nodeOf(const QModelIndex& index)
    {
        std::vector<int> rows;
        for (QModelIndex i = index; i.isValid(); i = i.parent())
            rows.push_back(i.row());
        Node* node = &m_root;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            if (*it < 0 || size_t(*it) >= node->children.size()) {
                ADD_FAILURE() << "the model names a parent the views never saw";
                return nullptr;
            }
            node = node->children[size_t(*it)].get();
        }
        return node;
    }

    std::unique_ptr<Node> copyOf(const QModelIndex& top) const
    {
        auto root = std::make_unique<Node>();
        root->caption = top.data().toString();
        std::vector<std::pair<Node*, QModelIndex>> pending{{root.get(), top}};
        while (!pending.empty()) {
            auto [node, index] = pending.back();
            pending.pop_back();
            for (int r = 0; r < m_model->rowCount(index); ++r) {
                const QModelIndex child = m_model->index(r, 0, index);
                auto copy = std::make_unique<Node>();
                copy->caption = child.data().toString();
                pending.emplace_back(copy.get(), child);
                node->children.push_back(std::move(copy));
            }
        }
        return root;
    }

    void rebuild() { m_root.children = std::move(copyOf(QModelIndex())->children); }

    void inserted(const QModelIndex& parent, int first, int last)
    {
        ++inserts;
        if (!m_target || first < 0 || size_t(first) > m_target->children.size()) {
            ADD_FAILURE() << "rows inserted outside their parent";
            return;
        }
        for (int r = first; r <= last; ++r)
            m_target->children.insert(m_target->children.begin() + r,
                                      copyOf(m_model->index(r, 0, parent)));
    }

    void removed(const QModelIndex&, int first, int last)
    {
        ++removals;
        if (!m_source || first < 0 || size_t(last) >= m_source->children.size()) {
            ADD_FAILURE() << "rows removed that were never there";
            return;
        }
        m_source->children.erase(m_source->children.begin() + first,
                                 m_source->children.begin() + last + 1);
    }

    void moved(const QModelIndex&, int start, int end, const QModelIndex&, int row)
    {
        ++moves;
        if (!m_source || !m_target || size_t(end) >= m_source->children.size()) {
            ADD_FAILURE() << "rows moved that were never there";
            return;
        }
        std::vector<std::unique_ptr<Node>> taken;
        for (int r = start; r <= end; ++r)
            taken.push_back(std::move(m_source->children[size_t(r)]));
        m_source->children.erase(m_source->children.begin() + start,
                                 m_source->children.begin() + end + 1);
        if (m_source == m_target && row > end)
            row -= end - start + 1;
        if (row < 0 || size_t(row) > m_target->children.size()) {
            ADD_FAILURE() << "rows moved to a place past the end";
            return;
        }
        for (auto& node : taken)
            m_target->children.insert(m_target->children.begin() + row++, std::move(node));
    }

    void changed(const QModelIndex& topLeft, const QModelIndex& bottomRight)
    {
        ++dataChanges;
        for (int r = topLeft.row(); r <= bottomRight.row(); ++r) {
            const QModelIndex index = topLeft.siblingAtRow(r);
            if (Node* node = nodeOf(index))
                node->caption = index.data().toString();
        }
    }

    QAbstractItemModel* m_model;
    Node m_root;
    Node* m_source = nullptr;
    Node* m_target = nullptr;
};

// Walks the model from the top through index() and rowCount() only, checking
// on the way that parent(), sibling() and the section helpers agree.
Listing walkModel(const NavigatorModel& model)
{
    Listing out;
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
        EXPECT_NE(section, nullptr);
        if (!section)
            return out;
        EXPECT_EQ(model.indexOf(section), index);
        EXPECT_EQ(section->row(), index.row());
        EXPECT_EQ(model.parent(index), model.indexOf(section->parent()));
        EXPECT_EQ(model.sibling(index.row(), 0, index), index);
        EXPECT_EQ(index.data(Qt::EditRole).toString(), section->caption());
        out << listingLine(depth, index.data().toString());
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
    // the mirror, a fresh walk of the model, the persistent indexes the views
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
        const Listing expected = listingOf(nb);
        EXPECT_EQ(mirror.listing(), expected);
        EXPECT_EQ(walkModel(model), expected);
        QCoreApplication::processEvents();
        view.grab();
    }

    void expandEverything()
    {
        view.expandAll();
        QCoreApplication::processEvents();
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
    ModelMirror mirror{&model};
    std::unique_ptr<QAbstractItemModelTester> tester;
    QTreeView view;
};

TEST_F(NavigatorModelTest, InsertionsAppearWhereTheNotebookPutsThem)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1 a2) B C(c1)")); });
    expandEverything();
    const int built = mirror.inserts;
    change("append top-level", [&] { nb.appendSection(nullptr, QStringLiteral("T")); });
    change("append to a parent", [&] { nb.appendSection(sec("A"), QStringLiteral("a3")); });
    change("append into a leaf", [&] { nb.appendSection(sec("a1"), QStringLiteral("x")); });
    change("add without anchor", [&] { nb.addSection(nullptr, QStringLiteral("U")); });
    change("add after nested anchor", [&] { nb.addSection(sec("c1"), QStringLiteral("c2")); });
    change("add child to leaf", [&] { nb.addChildSection(sec("B"), QStringLiteral("b1")); });
    change("add child to branch", [&] { nb.addChildSection(sec("A"), QStringLiteral("a4")); });
    change("add child to nothing", [&] { nb.addChildSection(nullptr, QStringLiteral("V")); });
    change("insert before first", [&] { nb.insertSection(sec("A"), QStringLiteral("I0")); });
    change("insert in the middle", [&] { nb.insertSection(sec("a2"), QStringLiteral("I1")); });
    change("insert before first child", [&] { nb.insertSection(sec("a1"), QStringLiteral("I2")); });
    change("insert before last", [&] { nb.insertSection(sec("V"), QStringLiteral("I3")); });
    change("insert before nothing", [&] { nb.insertSection(nullptr, QStringLiteral("I4")); });
    change("insert deep", [&] { nb.insertSection(sec("x"), QStringLiteral("I5")); });
    EXPECT_EQ(shapeOf(nb),
              QStringLiteral("I0 A(I2 a1(I5 x) I1 a2 a3 a4) B(b1) C(c1 c2) T U I3 V I4"));
    EXPECT_EQ(mirror.inserts - built, 14);
    EXPECT_EQ(mirror.resets, 0);
    EXPECT_EQ(mirror.removals + mirror.moves, 0);
    // Views keep expanded branches and the current item across insertions.
    EXPECT_TRUE(view.isExpanded(model.indexOf(sec("A"))));
}

TEST_F(NavigatorModelTest, RemovalsTakeWholeBranchesAndKeepTheRest)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1(x y) a2) B(b1(bx)) C D")); });
    expandEverything();
    view.setCurrentIndex(model.indexOf(sec("a2")));

    change("leaf", [&] { nb.deleteSection(sec("y")); });
    nb.setCurrent(sec("x"));
    change("branch holding the current section", [&] { nb.deleteSection(sec("a1")); });
    EXPECT_EQ(nb.current(), sec("a2"));
    change("current section itself", [&] { nb.deleteSection(nb.current()); });
    EXPECT_EQ(nb.current(), sec("A"));
    change("top-level branch in the middle", [&] { nb.deleteSection(sec("B")); });
    change("first top-level", [&] { nb.deleteSection(sec("A")); });
    change("last top-level", [&] { nb.deleteSection(sec("D")); });
    EXPECT_EQ(shapeOf(nb), QStringLiteral("C"));
    change("only section", [&] { nb.deleteSection(sec("C")); });
    EXPECT_TRUE(nb.isEmpty());
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(mirror.removals, 7);
    EXPECT_EQ(mirror.resets, 0);

    // Undo brings sections back one at a time, at the end of the top level.
    for (const char* expected : {"C", "D", "A", "B", "b1", "bx", "a2"}) {
        SCOPED_TRACE(expected);
        Section* restored = nullptr;
        change("restore", [&] { restored = nb.restoreDeleted(); });
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->caption(), QString::fromUtf8(expected));
        EXPECT_EQ(model.indexOf(restored).row(), model.rowCount() - 1);
    }
    while (!nb.deletedSections().empty())
        change("restore the rest", [&] { nb.restoreDeleted(); });
    const int before = mirror.events();
    change("restore with nothing left", [&] { EXPECT_EQ(nb.restoreDeleted(), nullptr); });
    EXPECT_EQ(mirror.events(), before);
    EXPECT_EQ(model.rowCount(), nb.topLevelCount());
    EXPECT_EQ(mirror.resets, 0);
}

struct MoveCase
{
    const char* section;
    const char* target; // nullptr: no target
    MoveMode mode;
    const char* shape; // the tree afterwards; nullptr when nothing moves
};

const char* const MoveStart = "A(a1 a2 a3) B(b1(bx)) C D(d1)";

const MoveCase RealMoves[] = {
    {"a3", "a1", MoveMode::Before, "A(a3 a1 a2) B(b1(bx)) C D(d1)"},
    {"a1", "a3", MoveMode::Before, "A(a2 a1 a3) B(b1(bx)) C D(d1)"},
    {"a1", "a3", MoveMode::LastSibling, "A(a2 a3 a1) B(b1(bx)) C D(d1)"},
    {"a3", "A", MoveMode::FirstChild, "A(a3 a1 a2) B(b1(bx)) C D(d1)"},
    {"a1", "A", MoveMode::LastChild, "A(a2 a3 a1) B(b1(bx)) C D(d1)"},
    {"A", "D", MoveMode::Before, "B(b1(bx)) C A(a1 a2 a3) D(d1)"},
    {"D", "A", MoveMode::Before, "D(d1) A(a1 a2 a3) B(b1(bx)) C"},
    {"a2", "b1", MoveMode::LastChild, "A(a1 a3) B(b1(bx a2)) C D(d1)"},
    {"a2", "C", MoveMode::LastChild, "A(a1 a3) B(b1(bx)) C(a2) D(d1)"},
    {"a2", "C", MoveMode::FirstChild, "A(a1 a3) B(b1(bx)) C(a2) D(d1)"},
    {"a2", "bx", MoveMode::FirstChild, "A(a1 a3) B(b1(bx(a2))) C D(d1)"},
    {"bx", nullptr, MoveMode::LastChild, "A(a1 a2 a3) B(b1) C D(d1) bx"},
    {"bx", nullptr, MoveMode::FirstChild, "bx A(a1 a2 a3) B(b1) C D(d1)"},
    {"bx", nullptr, MoveMode::LastSibling, "A(a1 a2 a3) B(b1) C D(d1) bx"},
    {"d1", "a1", MoveMode::LastSibling, "A(a1 a2 a3 d1) B(b1(bx)) C D"},
    {"d1", "a2", MoveMode::Before, "A(a1 d1 a2 a3) B(b1(bx)) C D"},
    {"b1", "D", MoveMode::Before, "A(a1 a2 a3) B C b1(bx) D(d1)"},
    {"B", "a2", MoveMode::Before, "A(a1 B(b1(bx)) a2 a3) C D(d1)"},
    {"A", "bx", MoveMode::LastChild, "B(b1(bx(A(a1 a2 a3)))) C D(d1)"},
    {"A", "d1", MoveMode::FirstChild, "B(b1(bx)) C D(d1(A(a1 a2 a3)))"},
    {"C", "A", MoveMode::LastSibling, "A(a1 a2 a3) B(b1(bx)) D(d1) C"},
    {"a1", nullptr, MoveMode::FirstChild, "a1 A(a2 a3) B(b1(bx)) C D(d1)"},
};

const MoveCase NoMoves[] = {
    {"a1", "a2", MoveMode::Before, nullptr},      // already right before it
    {"a1", "a1", MoveMode::Before, nullptr},      // before itself
    {"a3", "a1", MoveMode::LastSibling, nullptr}, // already last
    {"a1", "A", MoveMode::FirstChild, nullptr},   // already first
    {"a3", "A", MoveMode::LastChild, nullptr},    // already last
    {"A", "a2", MoveMode::Before, nullptr},       // into its own subtree
    {"A", "a1", MoveMode::LastChild, nullptr},    // into its own subtree
    {"B", "bx", MoveMode::FirstChild, nullptr},   // deep into its own subtree
    {"b1", "b1", MoveMode::LastChild, nullptr},   // into itself
    {"A", nullptr, MoveMode::FirstChild, nullptr},  {"D", nullptr, MoveMode::LastChild, nullptr},
    {"D", nullptr, MoveMode::LastSibling, nullptr}, {"C", "D", MoveMode::Before, nullptr},
    {"a1", nullptr, MoveMode::Before, nullptr}, // no target to go before
};

std::string describe(const MoveCase& c)
{
    static const char* const modes[] = {"Before", "LastChild", "FirstChild", "LastSibling"};
    return std::string(c.section) + " " + modes[int(c.mode)] + " " +
           (c.target ? c.target : "(none)");
}

TEST_F(NavigatorModelTest, EveryMoveIsOneRowMoveThatViewsFollow)
{
    for (const MoveCase& c : RealMoves) {
        SCOPED_TRACE(describe(c));
        // Not through change(): new sections may reuse the addresses of the
        // ones just cleared away.
        nb.clearNotebook();
        buildShape(nb, QString::fromUtf8(MoveStart));
        verify();
        expandEverything();
        Section* moving = sec(c.section);
        Section* target = c.target ? sec(c.target) : nullptr;
        view.setCurrentIndex(model.indexOf(moving));
        const bool wasExpanded = view.isExpanded(model.indexOf(moving));
        const int inserts = mirror.inserts, removals = mirror.removals, resets = mirror.resets;
        const int moves = mirror.moves;
        change("move", [&] { EXPECT_TRUE(nb.moveSection(moving, target, c.mode)); });
        EXPECT_EQ(shapeOf(nb), QString::fromUtf8(c.shape));
        EXPECT_EQ(mirror.moves - moves, 1);
        EXPECT_EQ(mirror.inserts - inserts, 0);
        EXPECT_EQ(mirror.removals - removals, 0);
        EXPECT_EQ(mirror.resets - resets, 0);
        EXPECT_EQ(NavigatorModel::sectionOf(view.currentIndex()), moving);
        EXPECT_EQ(view.isExpanded(model.indexOf(moving)), wasExpanded);
    }
}

TEST_F(NavigatorModelTest, MovesThatChangeNothingEmitNothing)
{
    change("build", [&] { buildShape(nb, QString::fromUtf8(MoveStart)); });
    QSignalSpy anyMove(&model, &QAbstractItemModel::rowsAboutToBeMoved);
    for (const MoveCase& c : NoMoves) {
        SCOPED_TRACE(describe(c));
        const int before = mirror.events();
        change("no move", [&] {
            EXPECT_FALSE(
                nb.moveSection(sec(c.section), c.target ? sec(c.target) : nullptr, c.mode));
        });
        EXPECT_EQ(shapeOf(nb), QString::fromUtf8(MoveStart));
        EXPECT_EQ(mirror.events(), before);
    }
    EXPECT_EQ(anyMove.count(), 0);
}

TEST_F(NavigatorModelTest, RenameChangesExactlyOneItem)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1(x) a2) B")); });
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    Section* x = sec("x");
    change("rename nested", [&] { EXPECT_TRUE(nb.renameSection(x, QStringLiteral("renamed"))); });
    ASSERT_EQ(spy.count(), 1);
    const QModelIndex expected = model.indexOf(x);
    EXPECT_EQ(spy.at(0).at(0).value<QModelIndex>(), expected);
    EXPECT_EQ(spy.at(0).at(1).value<QModelIndex>(), expected);
    EXPECT_TRUE(spy.at(0).at(2).value<QList<int>>().contains(Qt::DisplayRole));
    change("same caption", [&] { EXPECT_FALSE(nb.renameSection(x, QStringLiteral("renamed"))); });
    change("empty caption", [&] { EXPECT_FALSE(nb.renameSection(x, QString())); });
    EXPECT_EQ(spy.count(), 1);
    change("rename top-level", [&] { nb.renameSection(sec("B"), QStringLiteral("b")); });
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(mirror.inserts, 5);
    EXPECT_EQ(mirror.removals + mirror.moves + mirror.resets + mirror.layoutChanges, 0);
}

TEST_F(NavigatorModelTest, ClearingAndAdoptingResetTheModel)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1(x) a2) B")); });
    expandEverything();
    view.setCurrentIndex(model.indexOf(sec("x")));
    const int inserts = mirror.inserts;

    change("clear", [&] { nb.clearNotebook(); });
    EXPECT_EQ(mirror.resets, 1);
    EXPECT_EQ(mirror.inserts, inserts);
    EXPECT_EQ(mirror.removals, 0);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(view.currentIndex().isValid());
    change("clear an empty notebook", [&] { nb.clearNotebook(); });

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
    change("grow after adopting", [&] { nb.appendSection(nullptr, QStringLiteral("N")); });
    EXPECT_EQ(model.rowCount(), 1);
}

TEST_F(NavigatorModelTest, FlagsDataAndIndexBounds)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1) B")); });
    const QModelIndex a = model.index(0, 0);
    EXPECT_EQ(model.flags(a), Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    EXPECT_EQ(model.flags({}), Qt::NoItemFlags);
    EXPECT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.columnCount(a), 1);
    EXPECT_FALSE(model.index(0, 1).isValid());
    EXPECT_FALSE(model.index(-1, 0).isValid());
    EXPECT_FALSE(model.index(2, 0).isValid());
    EXPECT_FALSE(model.index(1, 0, a).isValid());
    EXPECT_FALSE(model.sibling(5, 0, a).isValid());
    EXPECT_FALSE(model.sibling(0, 1, a).isValid());
    EXPECT_FALSE(model.data(a, Qt::ToolTipRole).isValid());
    EXPECT_FALSE(model.data({}).isValid());
    EXPECT_EQ(model.indexOf(nullptr), QModelIndex());
    EXPECT_EQ(model.indexOf(nb.container()), QModelIndex());
    EXPECT_EQ(NavigatorModel::sectionOf({}), nullptr);
    EXPECT_EQ(model.rowCount(model.index(0, 0, a)), 0);
    EXPECT_FALSE(model.hasChildren(model.index(1, 0)));
}

TEST_F(NavigatorModelTest, EditedCaptionsAreCleanedAsTheFileKeepsThem)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A(a1) B")); });
    const QString nbsp(QChar(0x00A0));
    const QString nul(QChar(0));
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("\tTab"), nbsp + QStringLiteral("Tab")},
        {QStringLiteral("  two"), nbsp + nbsp + QStringLiteral("two")},
        {QStringLiteral(" \t mixed"), nbsp + nbsp + nbsp + QStringLiteral("mixed")},
        {QStringLiteral("line\r\nbreak\rand\nmore"), QStringLiteral("line  break and more")},
        {QStringLiteral("nul") + nul + QStringLiteral("inside"), QStringLiteral("nul inside")},
        {QStringLiteral("inner\ttab and end  "), QStringLiteral("inner\ttab and end  ")},
        {QStringLiteral("Обычный"), QStringLiteral("Обычный")},
        {QStringLiteral(" "), nbsp},
    };
    Section* a1 = sec("a1");
    const QModelIndex index = model.indexOf(a1);
    for (const auto& [typed, stored] : cases) {
        SCOPED_TRACE(typed.toStdString());
        change("edit", [&] { EXPECT_TRUE(model.setData(index, typed)); });
        EXPECT_EQ(a1->caption(), stored);
        EXPECT_EQ(index.data().toString(), stored);
        // Saved and read back, the caption is the same at the same level.
        Notebook reread;
        ReadOutline(WriteOutline(nb), reread);
        EXPECT_EQ(listingOf(reread), listingOf(nb));
    }
    EXPECT_TRUE(nb.isModified());
}

TEST_F(NavigatorModelTest, EditsThatChangeNothingAreHarmless)
{
    change("build", [&] { buildShape(nb, QStringLiteral("A B")); });
    const QModelIndex a = model.index(0, 0);
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    change("empty", [&] { EXPECT_FALSE(model.setData(a, QString())); });
    change("null", [&] { EXPECT_FALSE(model.setData(a, QVariant())); });
    change("same", [&] { EXPECT_TRUE(model.setData(a, QStringLiteral("A"))); });
    change("other role",
           [&] { EXPECT_FALSE(model.setData(a, QStringLiteral("x"), Qt::ToolTipRole)); });
    change("no item", [&] { EXPECT_FALSE(model.setData({}, QStringLiteral("x"))); });
    EXPECT_EQ(a.data().toString(), QStringLiteral("A"));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(nb.isModified());
    change("real edit", [&] { EXPECT_TRUE(model.setData(a, QStringLiteral("A2"))); });
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(nb.isModified());
}

TEST(NavigatorModelLifetime, NotebookDestroyedFirstLeavesAnEmptyModel)
{
    WarningsFail warningsFail;
    auto nb = std::make_unique<Notebook>();
    NavigatorModel model(nb.get());
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    QTreeView view;
    view.setModel(&model);
    buildShape(*nb, QStringLiteral("A(a1(x)) B"));
    view.expandAll();
    view.setCurrentIndex(model.indexOf(findSection(*nb, QStringLiteral("x"))));
    QPersistentModelIndex held(view.currentIndex());
    nb.reset();
    EXPECT_EQ(model.notebook(), nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.hasChildren());
    EXPECT_FALSE(model.index(0, 0).isValid());
    EXPECT_FALSE(held.isValid());
    view.expandAll();
    view.grab();
}

// A notebook of 100,000 sections: every call the view makes must be direct,
// whatever the shape. Nothing is timed; a model that searched would take
// minutes here.
TEST(NavigatorModelScale, HundredThousandSectionsStayDirect)
{
    constexpr int Count = 100000;
    Notebook nb;
    NavigatorModel model(&nb);

    for (int i = 0; i < Count; ++i)
        nb.appendSection(nullptr, QString::number(i));
    ASSERT_EQ(model.rowCount(), Count);
    bool allRight = true;
    for (int r = 0; r < Count; ++r) {
        const QModelIndex index = model.index(r, 0);
        allRight = allRight && !model.parent(index).isValid() &&
                   NavigatorModel::sectionOf(index) == nb.topLevel(r) &&
                   model.indexOf(nb.topLevel(r)) == index;
    }
    EXPECT_TRUE(allRight);
    nb.deleteSection(nb.firstSection());
    EXPECT_EQ(model.rowCount(), Count - 1);
    EXPECT_EQ(model.index(Count - 2, 0).data().toString(), QString::number(Count - 1));
    nb.moveSection(nb.topLevel(Count - 2), nb.firstSection(), MoveMode::Before);
    EXPECT_EQ(model.index(0, 0).data().toString(), QString::number(Count - 1));

    // 1,000 branches of 99 subsections each.
    nb.clearNotebook();
    for (int b = 0; b < 1000; ++b) {
        Section* branch = nb.appendSection(nullptr, QString::number(b));
        for (int c = 0; c < 99; ++c)
            nb.appendSection(branch, QString::number(c));
    }
    ASSERT_EQ(nb.sectionCount(), Count);
    for (int b = 0; b < 1000; ++b) {
        const QModelIndex branch = model.index(b, 0);
        allRight = allRight && model.rowCount(branch) == 99;
        for (int c = 0; c < 99; ++c)
            allRight = allRight && model.parent(model.index(c, 0, branch)) == branch;
    }
    EXPECT_TRUE(allRight);

    // One chain 100,000 deep.
    nb.clearNotebook();
    Section* last = nullptr;
    for (int i = 0; i < Count; ++i)
        last = nb.appendSection(last, QString::number(i));
    QModelIndex index;
    for (int i = 0; i < Count; ++i) {
        const QModelIndex child = model.index(0, 0, index);
        allRight = allRight && child.isValid() && model.parent(child) == index &&
                   model.rowCount(child) == (i + 1 < Count ? 1 : 0);
        index = child;
    }
    EXPECT_TRUE(allRight);
    EXPECT_EQ(NavigatorModel::sectionOf(index), last);
    EXPECT_EQ(model.indexOf(last), index);
}

} // namespace
