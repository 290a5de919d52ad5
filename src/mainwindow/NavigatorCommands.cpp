#include "NavigatorCommands.h"

#include "ActionCatalog.h"
#include "KeltoRichEd.h"
#include "NavigatorModel.h"
#include "NavigatorMoves.h"
#include "StatusPanels.h"
#include "TreeNotesUnit.h"
#include "UserPrompts.h"
#include "common/Clock.h"
#include "document/Notebook.h"
#include "document/OutlineText.h"
#include "settings/SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QTimer>

#include <vector>

namespace kelto {

const QString NavigatorCommands::DeleteQuestion =
    QStringLiteral("Данный раздел будет удалён. Продолжить?");
const QString NavigatorCommands::DeleteQuestionTitle = QStringLiteral("Удаление раздела");

namespace {

// Enabled while the navigator is shown.
const QStringView VisibleCommands[] = {
    u"ActionNavigatorNewNode",
    u"ActionNavigatorNewChild",
    u"ActionNavigatorInsertNode",
};
// Enabled while the navigator is shown and a section is selected.
const QStringView SelectedCommands[] = {
    u"ActionNavigatorRenameNode", u"ActionNavigatorDeleteNode",
    u"ActionNavigatorCollapse",   u"ActionNppInsDT",
    u"ActionNppCopyPath",
};

NavigatorView& navigatorViewOf(TNotesForm& window)
{
    auto* view = qobject_cast<NavigatorView*>(window.navigator());
    Q_ASSERT(view);
    return *view;
}

} // namespace

NavigatorCommands::NavigatorCommands(TNotesForm& window)
    : m_window(window), m_view(navigatorViewOf(window)), m_model(*window.navigatorModel()),
      m_moves(std::make_unique<NavigatorMoves>(window, m_view))
{
    m_view.setContextMenu(window.actions().buildNavigatorMenu(&m_view));
    wire();
    m_moves->wire();
    wireView();
    m_window.addUpdateRule([this] { updateRules(); });
}

NavigatorCommands::~NavigatorCommands() = default;

Notebook& NavigatorCommands::notebook() const
{
    return m_window.notebook();
}

Section* NavigatorCommands::selected() const
{
    return notebook().current();
}

void NavigatorCommands::wire()
{
    TNotesForm& w = m_window;
    w.wireCommand(u"ActionNavigatorUndo", [this] { undoDelete(); });
    w.wireCommand(u"ActionNavigatorNewNode", [this] { newSection(NewPlace::AfterSiblings); });
    w.wireCommand(u"ActionNavigatorNewChild", [this] { newSection(NewPlace::LastChild); });
    w.wireCommand(u"ActionNavigatorInsertNode", [this] { newSection(NewPlace::Before); });
    // The context menu's twin runs the command itself, and so does nothing
    // where that one is disabled.
    w.wireCommand(u"ActionNppInsertNode",
                  [&w] { w.action(u"ActionNavigatorInsertNode")->trigger(); });
    w.wireCommand(u"ActionNavigatorRenameNode", [this] { renameSelected(); });
    w.wireCommand(u"ActionNavigatorDeleteNode", [this] { deleteSelected(true); });
    w.wireCommand(u"ActionNavigatorExpand", [this] { expandSelected(); });
    w.wireCommand(u"ActionNavigatorCollapse", [this] { collapseSelected(); });
    w.wireCommand(u"ActionNavigatorSelPrev", [this] { selectNeighbour(false); });
    w.wireCommand(u"ActionNavigatorSelNext", [this] { selectNeighbour(true); });
    w.wireCommand(u"ActionNppInsDT", [this] { stampDate(); });
    w.wireCommand(u"ActionNppCopyPath", [this] { copyPath(); });
    w.wireCommand(u"ActionNppInfo", [this] { showStatistics(); });
}

void NavigatorCommands::wireView()
{
    QObject::connect(&m_view, &NavigatorView::keyCommand, &m_context,
                     [this](NavigatorView::KeyCommand command) { runKey(command); });
    QObject::connect(&m_view, &NavigatorView::sectionDropped, &m_context,
                     [this](const QModelIndex& target, NavigatorView::Zone zone) {
                         m_window.run([&] { m_moves->drop(target, zone); });
                     });
    // F4 and the shared item follow the branches: opening one offers to
    // close, closing one offers to open.
    ActionTable& table = m_window.actions();
    QAction* expand = m_window.action(u"ActionNavigatorExpand");
    QAction* collapse = m_window.action(u"ActionNavigatorCollapse");
    QObject::connect(&m_view, &QTreeView::expanded, &m_context,
                     [&table, collapse] { table.placeInSharedSlot(collapse); });
    QObject::connect(&m_view, &QTreeView::collapsed, &m_context,
                     [&table, expand] { table.placeInSharedSlot(expand); });
    // After a selection change it offers what the new section needs. That
    // waits until the window has brought the section into sight, which may
    // open its parents.
    QObject::connect(&notebook(), &Notebook::currentChanged, &m_context,
                     [this] { QTimer::singleShot(0, &m_context, [this] { followSelection(); }); });
}

void NavigatorCommands::followSelection()
{
    // The view counts a leaf as open once a branch above it was opened
    // completely; a leaf has nothing to close.
    const Section* s = selected();
    const QModelIndex index = m_model.indexOf(s);
    const bool open = index.isValid() && s->hasChildren() && m_view.isExpanded(index);
    m_window.actions().placeInSharedSlot(
        m_window.action(open ? u"ActionNavigatorCollapse" : u"ActionNavigatorExpand"));
}

void NavigatorCommands::updateRules()
{
    const bool visible = m_window.navigatorShown();
    Section* s = selected();
    const bool withSelection = visible && s;
    for (QStringView name : VisibleCommands)
        m_window.action(name)->setEnabled(visible);
    for (QStringView name : SelectedCommands)
        m_window.action(name)->setEnabled(withSelection);
    m_window.action(u"ActionNavigatorExpand")->setEnabled(withSelection && s->hasChildren());
    m_window.action(u"ActionNavigatorUndo")->setEnabled(!notebook().deletedSections().empty());
}

void NavigatorCommands::runKey(NavigatorView::KeyCommand command)
{
    switch (command) {
    case NavigatorView::KeyCommand::InsertBefore:
        m_window.action(u"ActionNavigatorInsertNode")->trigger();
        break;
    case NavigatorView::KeyCommand::Delete:
        m_window.action(u"ActionNavigatorDeleteNode")->trigger();
        break;
    case NavigatorView::KeyCommand::NewChild:
        m_window.action(u"ActionNavigatorNewChild")->trigger();
        break;
    case NavigatorView::KeyCommand::DeleteWithoutAsking:
        m_window.run([this] { deleteSelected(false); });
        break;
    }
}

void NavigatorCommands::newSection(NewPlace place)
{
    Notebook& nb = notebook();
    Section* anchor = selected();
    const QString& caption = Notebook::NewSectionCaption;
    Section* created = nullptr;
    switch (place) {
    case NewPlace::AfterSiblings:
        created = nb.addSection(anchor, caption);
        break;
    case NewPlace::LastChild:
        created = nb.addChildSection(anchor, caption);
        break;
    case NewPlace::Before:
        created = nb.insertSection(anchor, caption);
        break;
    }
    nb.setModified(true);
    // The new caption opens for editing at once, its default text selected.
    const QModelIndex index = m_model.indexOf(created);
    m_view.scrollTo(index);
    m_view.edit(index);
}

void NavigatorCommands::renameSelected()
{
    const QModelIndex index = m_model.indexOf(selected());
    if (!index.isValid())
        return;
    m_view.scrollTo(index);
    m_view.edit(index);
}

void NavigatorCommands::deleteSelected(bool ask)
{
    Section* s = selected();
    if (!s)
        return;
    if (ask && m_window.settings().read(keys::navigator::DelNodeQuery) &&
        m_window.prompts().warningQuestion(&m_window, DeleteQuestion, DeleteQuestionTitle) !=
            UserPrompts::Answer::Yes)
        return;
    notebook().deleteSection(s);
    notebook().setModified(true);
    if (!selected()) {
        m_window.status().clearCaret();
        m_window.status().setPath(QString());
    }
}

void NavigatorCommands::undoDelete()
{
    if (notebook().restoreDeleted())
        notebook().setModified(true);
}

void NavigatorCommands::expandSelected()
{
    const QModelIndex index = m_model.indexOf(selected());
    if (!index.isValid())
        return;
    m_view.setUpdatesEnabled(false);
    m_view.expandRecursively(index);
    m_view.setUpdatesEnabled(true);
    m_window.actions().placeInSharedSlot(m_window.action(u"ActionNavigatorCollapse"));
}

void NavigatorCommands::collapseSelected()
{
    Section* s = selected();
    if (!s)
        return;
    // The section first, then every open branch below it, hidden by then,
    // so that none of them shows open when the section is opened again.
    m_view.setUpdatesEnabled(false);
    m_view.collapse(m_model.indexOf(s));
    forEachDescendant(s, [this](const Section* d, int) {
        if (d->hasChildren()) {
            const QModelIndex index = m_model.indexOf(d);
            if (m_view.isExpanded(index))
                m_view.collapse(index);
        }
    });
    m_view.setUpdatesEnabled(true);
    m_window.actions().placeInSharedSlot(m_window.action(u"ActionNavigatorExpand"));
}

void NavigatorCommands::selectNeighbour(bool next)
{
    Section* s = selected();
    if (!s)
        return;
    // With the navigator focused the walk follows the rows as shown;
    // elsewhere it stays among the siblings and leaves the focus in the
    // editor, so sibling sections can be read one after another.
    QWidget* focus = QApplication::focusWidget();
    const bool inNavigator = focus && (focus == &m_view || m_view.isAncestorOf(focus));
    Section* target = nullptr;
    if (inNavigator) {
        const QModelIndex current = m_model.indexOf(s);
        target = NavigatorModel::sectionOf(next ? m_view.indexBelow(current)
                                                : m_view.indexAbove(current));
    } else {
        target = next ? s->nextSibling() : s->previousSibling();
    }
    if (!target)
        return;
    notebook().setCurrent(target);
    if (!inNavigator)
        m_window.editor()->setFocus();
}

QString NavigatorCommands::dateStampText()
{
    return QLocale::system().toString(currentDateTime().date(), QLocale::ShortFormat);
}

void NavigatorCommands::stampDate()
{
    Section* s = selected();
    if (!s)
        return;
    notebook().renameSection(s, outlineSafeCaption(dateStampText()));
    notebook().setModified(true);
}

void NavigatorCommands::copyPath()
{
    if (Section* s = selected())
        QGuiApplication::clipboard()->setText(sectionPath(s));
}

QString NavigatorCommands::statisticsText(const Notebook& notebook)
{
    std::vector<int> perLevel(1, 0);
    forEachDescendant(notebook.container(), [&perLevel](const Section*, int depth) {
        const size_t level = size_t(depth - 1);
        if (level >= perLevel.size())
            perLevel.resize(level + 1, 0);
        ++perLevel[level];
    });
    QStringList lines;
    for (size_t level = 0; level < perLevel.size(); ++level)
        lines << QStringLiteral("На уровне %1 : %2").arg(level).arg(perLevel[level]);
    lines << QString() << QStringLiteral("Всего узлов: %1").arg(notebook.sectionCount());
    return lines.join(QLatin1Char('\n'));
}

void NavigatorCommands::showStatistics()
{
    m_window.prompts().information(&m_window, statisticsText(notebook()));
}

bool NavigatorCommands::canCutSection() const
{
    return m_moves->canCut();
}

void NavigatorCommands::cutSection()
{
    m_moves->cut();
}

bool NavigatorCommands::canPasteSection() const
{
    return m_moves->canPaste();
}

void NavigatorCommands::pasteSection()
{
    m_moves->paste();
}

} // namespace kelto
