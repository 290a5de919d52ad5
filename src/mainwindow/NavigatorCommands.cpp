// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigatorCommands.h"

#include "ActionCatalog.h"
#include "CommandHost.h"
#include "NavigatorModel.h"
#include "NavigatorMoves.h"
#include "UserPrompts.h"
#include "common/Clock.h"
#include "document/Notebook.h"
#include "document/OutlineText.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "tools/DateTimeFormat.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTimer>

#include <vector>

namespace kelto {

const QString NavigatorCommands::DeleteQuestion =
    QStringLiteral("Данный раздел будет удалён. Продолжить?");
const QString NavigatorCommands::DeleteQuestionTitle = QStringLiteral("Удаление раздела");

namespace {

// The commands whose keys (Ctrl+Z, X, C, V, A) a caption editor needs while
// a caption is being edited in the navigator.
constexpr QStringView CaptionKeyCommands[] = {
    cmd::EditUndo,  cmd::EditCutMulti,       cmd::EditCut, cmd::EditCopy, cmd::EditPasteMulti,
    cmd::EditPaste, cmd::EditQuickSelectAll,
};

} // namespace

NavigatorCommands::NavigatorCommands(CommandHost& host, ActionTable& actions, Notebook& notebook,
                                     NavigatorView& view, NavigatorModel& model,
                                     TpIniFile& settings, UserPrompts& prompts, Hooks hooks)
    : m_host(host), m_actions(actions), m_notebook(notebook), m_view(view), m_model(model),
      m_settings(settings), m_prompts(prompts), m_hooks(std::move(hooks)),
      m_moves(std::make_unique<NavigatorMoves>(notebook, view, model))
{
    for (QStringView name : CaptionKeyCommands)
        m_captionKeys.insert(name.toString(), m_actions.action(name)->shortcut());
    m_view.setContextMenu(m_actions.buildNavigatorMenu(&m_view));
    wire();
    m_moves->wire(host);
    wireView();
    m_host.enableWhen(cmd::NavigatorExpand, [this] {
        const Section* s = selected();
        return s && s->hasChildren();
    });
    m_host.enableWhen(cmd::NavigatorUndo, [this] { return !m_notebook.deletedSections().empty(); });
    m_host.addUpdateRule([this] { withdrawCaptionKeys(captionEditing()); });
}

NavigatorCommands::~NavigatorCommands() = default;

Section* NavigatorCommands::selected() const
{
    return m_notebook.current();
}

void NavigatorCommands::wire()
{
    CommandHost& w = m_host;
    w.wireCommand(cmd::NavigatorUndo, [this] { undoDelete(); });
    w.wireCommand(cmd::NavigatorNewNode, [this] { newSection(NewPlace::AfterSiblings); });
    w.wireCommand(cmd::NavigatorNewChild, [this] { newSection(NewPlace::LastChild); });
    w.wireCommand(cmd::NavigatorInsertNode, [this] { newSection(NewPlace::Before); });
    // The context menu's twin runs the command itself, and so does nothing
    // where that one is disabled.
    w.wireCommand(cmd::NppInsertNode,
                  [this] { m_actions.action(cmd::NavigatorInsertNode)->trigger(); });
    w.wireCommand(cmd::NavigatorRenameNode, [this] { renameSelected(); });
    w.wireCommand(cmd::NavigatorDeleteNode, [this] { deleteSelected(true); });
    w.wireCommand(cmd::NavigatorExpand, [this] { expandSelected(); });
    w.wireCommand(cmd::NavigatorCollapse, [this] { collapseSelected(); });
    w.wireCommand(cmd::NavigatorSelPrev, [this] { selectNeighbour(false); });
    w.wireCommand(cmd::NavigatorSelNext, [this] { selectNeighbour(true); });
    w.wireCommand(cmd::NppInsDT, [this] { stampDate(); });
    w.wireCommand(cmd::NppCopyPath, [this] { copyPath(); });
    w.wireCommand(cmd::NppInfo, [this] { showStatistics(); });
}

void NavigatorCommands::wireView()
{
    QObject::connect(&m_view, &NavigatorView::keyCommand, &m_context,
                     [this](NavigatorView::KeyCommand command) { runKey(command); });
    QObject::connect(&m_view, &NavigatorView::sectionDropped, &m_context,
                     [this](const QModelIndex& target, NavigatorView::Zone zone) {
                         m_host.run([&] { m_moves->drop(target, zone); });
                     });
    // F4 and the shared item follow the branches: opening one offers to
    // close, closing one offers to open.
    ActionTable& table = m_actions;
    QAction* expand = m_actions.action(cmd::NavigatorExpand);
    QAction* collapse = m_actions.action(cmd::NavigatorCollapse);
    QObject::connect(&m_view, &QTreeView::expanded, &m_context,
                     [&table, collapse] { table.placeInSharedSlot(collapse); });
    QObject::connect(&m_view, &QTreeView::collapsed, &m_context,
                     [&table, expand] { table.placeInSharedSlot(expand); });
    // After a selection change it offers what the new section needs. That
    // waits until the window has brought the section into sight, which may
    // open its parents.
    QObject::connect(&m_notebook, &Notebook::currentChanged, &m_context,
                     [this] { QTimer::singleShot(0, &m_context, [this] { followSelection(); }); });
}

void NavigatorCommands::followSelection()
{
    // The view counts a leaf as open once a branch above it was opened
    // completely; a leaf has nothing to close.
    const Section* s = selected();
    const QModelIndex index = m_model.indexOf(s);
    const bool open = index.isValid() && s->hasChildren() && m_view.isExpanded(index);
    m_actions.placeInSharedSlot(
        m_actions.action(open ? cmd::NavigatorCollapse : cmd::NavigatorExpand));
}

bool NavigatorCommands::captionEditing() const
{
    const QWidget* focus = m_view.window()->focusWidget();
    return focus && focus != &m_view && m_view.isAncestorOf(focus);
}

void NavigatorCommands::withdrawCaptionKeys(bool withdraw)
{
    if (withdraw == m_captionKeysWithdrawn)
        return;
    m_captionKeysWithdrawn = withdraw;
    for (auto it = m_captionKeys.cbegin(); it != m_captionKeys.cend(); ++it)
        m_actions.action(it.key())->setShortcut(withdraw ? QKeySequence() : it.value());
}

void NavigatorCommands::runKey(NavigatorView::KeyCommand command)
{
    switch (command) {
    case NavigatorView::KeyCommand::InsertBefore:
        m_actions.action(cmd::NavigatorInsertNode)->trigger();
        break;
    case NavigatorView::KeyCommand::Delete:
        m_actions.action(cmd::NavigatorDeleteNode)->trigger();
        break;
    case NavigatorView::KeyCommand::NewChild:
        m_actions.action(cmd::NavigatorNewChild)->trigger();
        break;
    case NavigatorView::KeyCommand::DeleteWithoutAsking:
        m_host.run([this] { deleteSelected(false); });
        break;
    }
}

void NavigatorCommands::newSection(NewPlace place)
{
    Notebook& nb = m_notebook;
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
    if (ask && m_settings.read(keys::navigator::DelNodeQuery) &&
        m_prompts.warningQuestion(m_view.window(), DeleteQuestion, DeleteQuestionTitle) !=
            UserPrompts::Answer::Yes)
        return;
    m_notebook.deleteSection(s);
    m_notebook.setModified(true);
    if (!selected())
        m_hooks.selectionEmptied();
}

void NavigatorCommands::undoDelete()
{
    if (m_notebook.restoreDeleted())
        m_notebook.setModified(true);
}

void NavigatorCommands::expandSelected()
{
    const QModelIndex index = m_model.indexOf(selected());
    if (!index.isValid())
        return;
    m_view.setUpdatesEnabled(false);
    m_view.expandRecursively(index);
    m_view.setUpdatesEnabled(true);
    m_actions.placeInSharedSlot(m_actions.action(cmd::NavigatorCollapse));
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
    m_actions.placeInSharedSlot(m_actions.action(cmd::NavigatorExpand));
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
    m_notebook.setCurrent(target);
    if (!inNavigator)
        m_hooks.focusEditor();
}

QString NavigatorCommands::dateStampText(const TpIniFile& settings)
{
    return formatDateTime(DateTimeFormats[storedDateTimeFormat(settings)], currentDateTime(),
                          systemDateTimeLocale());
}

void NavigatorCommands::stampDate()
{
    Section* s = selected();
    if (!s)
        return;
    m_notebook.renameSection(s, outlineSafeCaption(dateStampText(m_settings)));
    m_notebook.setModified(true);
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
    m_prompts.information(m_view.window(), statisticsText(m_notebook));
}

bool NavigatorCommands::hasClipboardFocus() const
{
    return m_view.window()->focusWidget() == &m_view;
}

bool NavigatorCommands::canCut() const
{
    return m_moves->canCut();
}

void NavigatorCommands::cut()
{
    if (m_moves->canCut())
        m_moves->cut();
}

bool NavigatorCommands::canPaste() const
{
    return m_moves->canPaste();
}

void NavigatorCommands::paste()
{
    if (m_moves->canPaste())
        m_moves->paste();
}

} // namespace kelto
