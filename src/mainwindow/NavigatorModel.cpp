// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigatorModel.h"

#include <QFont>

#include "document/Notebook.h"
#include "document/OutlineText.h"
#include "document/Section.h"

#include <QHash>

namespace kelto {

NavigatorModel::NavigatorModel(Notebook* notebook, QObject* parent)
    : QAbstractItemModel(parent), m_notebook(notebook)
{
    connectNotebook();
}

NavigatorModel::~NavigatorModel() = default;

void NavigatorModel::connectNotebook()
{
    if (!m_notebook)
        return;
    Notebook* nb = m_notebook;
    connect(nb, &Notebook::sectionsAboutToBeInserted, this,
            [this](Section* parent, int first, int last) {
                beginInsertRows(indexOf(parent), first, last);
            });
    connect(nb, &Notebook::sectionsInserted, this, [this] { endInsertRows(); });
    connect(nb, &Notebook::sectionsAboutToBeRemoved, this,
            [this](Section* parent, int first, int last) {
                beginRemoveRows(indexOf(parent), first, last);
            });
    connect(nb, &Notebook::sectionsRemoved, this, [this] { endRemoveRows(); });
    connect(nb, &Notebook::sectionAboutToBeMoved, this, &NavigatorModel::onAboutToMove);
    connect(nb, &Notebook::sectionMoved, this, &NavigatorModel::onMoved);
    // A reorder moves many rows at once: one change of layout, with the
    // persistent indexes (selection, current item, open branches) following
    // their sections, is far cheaper for a view than a move per row.
    connect(nb, &Notebook::childrenAboutToBeReordered, this,
            [this] { Q_EMIT layoutAboutToBeChanged({}, VerticalSortHint); });
    connect(nb, &Notebook::childrenReordered, this, &NavigatorModel::onReordered);
    connect(nb, &Notebook::captionChanged, this, &NavigatorModel::onCaptionChanged);
    connect(nb, &Notebook::aboutToReset, this, [this] { beginResetModel(); });
    connect(nb, &Notebook::resetDone, this, [this] { endResetModel(); });
    connect(nb, &QObject::destroyed, this, &NavigatorModel::onNotebookDestroyed);
}

void NavigatorModel::onAboutToMove(Section* sourceParent, int sourceRow, Section* destinationParent,
                                   int destinationRow)
{
    // The notebook announces only real moves, which views accept; should
    // one still be refused, the views are told to start over instead.
    if (beginMoveRows(indexOf(sourceParent), sourceRow, sourceRow, indexOf(destinationParent),
                      destinationRow)) {
        m_pendingMove = PendingMove::Rows;
    } else {
        beginResetModel();
        m_pendingMove = PendingMove::Reset;
    }
}

void NavigatorModel::onMoved()
{
    const PendingMove pending = m_pendingMove;
    m_pendingMove = PendingMove::None;
    if (pending == PendingMove::Rows)
        endMoveRows();
    else if (pending == PendingMove::Reset)
        endResetModel();
}

void NavigatorModel::onReordered(const std::vector<ChildOrder>& orders)
{
    // Per owner, the new row of every old row.
    QHash<const Section*, std::vector<int>> newRows;
    for (const ChildOrder& order : orders) {
        std::vector<int>& rows = newRows[order.owner];
        rows.resize(order.oldRows.size());
        for (size_t i = 0; i < order.oldRows.size(); ++i)
            rows[size_t(order.oldRows[i])] = int(i);
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const auto* owner = static_cast<const Section*>(index.internalPointer());
        const auto it = newRows.constFind(owner);
        after.append(it == newRows.cend() ? index
                                          : createIndex((*it)[size_t(index.row())], 0, owner));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, VerticalSortHint);
}

void NavigatorModel::onCaptionChanged(Section* section)
{
    const QModelIndex changed = indexOf(section);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

void NavigatorModel::onNotebookDestroyed()
{
    // The sections are gone already: forget them before anyone can ask.
    m_notebook = nullptr;
    m_pendingMove = PendingMove::None;
    beginResetModel();
    endResetModel();
}

// An index carries its row and the section that holds it (the notebook's
// container for the top level), so questions about a row - above all
// whether it has children - are answered without touching the row's own
// section.
QModelIndex NavigatorModel::indexOf(const Section* section) const
{
    if (!section || !section->owner())
        return {};
    return createIndex(section->row(), 0, section->owner());
}

Section* NavigatorModel::sectionOf(const QModelIndex& index)
{
    if (!index.isValid())
        return nullptr;
    const Section* owner = static_cast<const Section*>(index.internalPointer());
    if (index.row() >= owner->childCount())
        return nullptr;
    return owner->child(index.row());
}

Section* NavigatorModel::ownerOf(const QModelIndex& parent) const
{
    if (parent.isValid())
        return parent.column() == 0 ? sectionOf(parent) : nullptr;
    return m_notebook ? m_notebook->container() : nullptr;
}

QModelIndex NavigatorModel::index(int row, int column, const QModelIndex& parent) const
{
    const Section* owner = ownerOf(parent);
    if (!owner || column != 0 || row < 0 || row >= owner->childCount())
        return {};
    return createIndex(row, 0, owner);
}

QModelIndex NavigatorModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    return indexOf(static_cast<const Section*>(child.internalPointer()));
}

QModelIndex NavigatorModel::sibling(int row, int column, const QModelIndex& index) const
{
    if (!index.isValid() || column != 0)
        return {};
    const Section* owner = static_cast<const Section*>(index.internalPointer());
    if (row < 0 || row >= owner->childCount())
        return {};
    return createIndex(row, 0, owner);
}

int NavigatorModel::rowCount(const QModelIndex& parent) const
{
    const Section* owner = ownerOf(parent);
    return owner ? owner->childCount() : 0;
}

int NavigatorModel::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent);
    return 1;
}

bool NavigatorModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_notebook && m_notebook->container()->hasChildren();
    if (parent.column() != 0)
        return false;
    const Section* owner = static_cast<const Section*>(parent.internalPointer());
    return parent.row() < owner->childCount() && owner->childHasChildren(parent.row());
}

QVariant NavigatorModel::data(const QModelIndex& index, int role) const
{
    const Section* section = sectionOf(index);
    if (section && role == Qt::FontRole && index == m_cutMark) {
        QFont italic; // only the italics: the view's font gives the rest
        italic.setItalic(true);
        return italic;
    }
    if (!section || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return section->caption();
}

void NavigatorModel::markCut(const QModelIndex& index)
{
    const QModelIndex old = m_cutMark;
    m_cutMark = index;
    for (const QModelIndex& changed : {old, index}) {
        if (changed.isValid())
            Q_EMIT dataChanged(changed, changed, {Qt::FontRole});
    }
}

Qt::ItemFlags NavigatorModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool NavigatorModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Section* section = sectionOf(index);
    if (!section || !m_notebook || role != Qt::EditRole)
        return false;
    const QString caption = outlineSafeCaption(value.toString());
    if (caption.isEmpty())
        return false;
    // The notebook reports a real change through captionChanged; typing the
    // same caption again is accepted and changes nothing.
    m_notebook->renameSection(section, caption);
    return true;
}

} // namespace kelto
