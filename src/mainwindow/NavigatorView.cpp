// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigatorView.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

namespace kelto {

const QString NavigatorView::DragMimeType = QStringLiteral("application/x-kelto-section");

NavigatorView::NavigatorView(QWidget* parent) : QTreeView(parent), m_hoverTimer(new QTimer(this))
{
    // Resting on an expand button during a drag opens that branch one level.
    m_hoverTimer->setObjectName(QStringLiteral("Timer"));
    m_hoverTimer->setSingleShot(true);
    m_hoverTimer->setInterval(HoverExpandDelay);
    connect(m_hoverTimer, &QTimer::timeout, this, &NavigatorView::expandHovered);
    // Dragging is done here, not by QAbstractItemView: a drag moves one
    // section of the notebook and never removes rows on its own.
    setDragEnabled(false);
    setDropIndicatorShown(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setAutoScroll(true);
}

NavigatorView::~NavigatorView() = default;

void NavigatorView::setContextMenu(QMenu* menu)
{
    m_contextMenu = menu;
}

QMenu* NavigatorView::contextMenu() const
{
    return m_contextMenu.data();
}

QRect NavigatorView::captionRect(const QModelIndex& index) const
{
    const QRect item = visualRect(index);
    if (!item.isValid())
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = item;
    const QSize hint = itemDelegateForIndex(index)->sizeHint(option, index);
    QRect caption = item;
    caption.setWidth(std::min(hint.width(), item.width()));
    return caption;
}

void NavigatorView::showMoved(const QModelIndex& moved, const QModelIndex& newParent,
                              const QModelIndex& emptiedParent)
{
    // The rows are laid out anew first: until then the view's own record of
    // which rows are open still describes the tree before the move, and a
    // collapse judged by it may be lost.
    executeDelayedItemsLayout();
    collapse(moved);
    if (newParent.isValid())
        expand(newParent);
    if (emptiedParent.isValid())
        collapse(emptiedParent);
}

void NavigatorView::commitCaptionEdit()
{
    // A caption is edited only on the current item: moving the current item
    // away closes the editor first.
    QWidget* editor = isEditingCaption() ? indexWidget(currentIndex()) : nullptr;
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

NavigatorView::Hit NavigatorView::hitTest(const QPoint& point) const
{
    if (!viewport()->rect().contains(point))
        return {Zone::Outside, {}};
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return {Zone::Nowhere, {}};
    const QRect item = visualRect(index);
    if (point.x() < item.left()) {
        // The expand button sits in the last indentation step before the
        // item; top-level items have one only while the root is decorated.
        const bool hasButtonPlace = rootIsDecorated() || index.parent().isValid();
        const bool onButton = hasButtonPlace && point.x() >= item.left() - indentation() &&
                              model()->hasChildren(index);
        return {onButton ? Zone::Button : Zone::Indent, index};
    }
    if (point.x() <= captionRect(index).right())
        return {Zone::Caption, index};
    return {Zone::Right, index};
}

void NavigatorView::keyPressEvent(QKeyEvent* event)
{
    // While a caption is edited the keys belong to the caption editor.
    if (!isEditingCaption()) {
        const Qt::KeyboardModifiers modifiers =
            event->modifiers() &
            (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        std::optional<KeyCommand> command;
        if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Insert)
            command = KeyCommand::InsertBefore;
        else if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Delete)
            command = KeyCommand::Delete;
        else if (modifiers == Qt::ShiftModifier && event->key() == Qt::Key_Insert)
            command = KeyCommand::NewChild;
        else if (modifiers == Qt::ShiftModifier &&
                 (event->key() == Qt::Key_Delete || event->key() == Qt::Key_F8))
            command = KeyCommand::DeleteWithoutAsking;
        if (command) {
            event->accept();
            Q_EMIT keyCommand(*command);
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

void NavigatorView::mousePressEvent(QMouseEvent* event)
{
    m_swallowRelease = false;
    m_pressIndex = QModelIndex();
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    // A press on empty space keeps the selection as it is.
    if (!index.isValid()) {
        event->accept();
        return;
    }
    // The right button selects the item before its context menu opens.
    if (event->button() == Qt::RightButton) {
        setCurrentIndex(index);
        event->accept();
        return;
    }
    // A drag starts from the item itself, not from its button or indent.
    if (event->button() == Qt::LeftButton && point.x() >= visualRect(index).left()) {
        m_pressIndex = index;
        m_pressPoint = point;
    }
    QTreeView::mousePressEvent(event);
}

void NavigatorView::mouseMoveEvent(QMouseEvent* event)
{
    // While the left button holds an item, moving never drags the selection
    // along (as the base class would): far enough, it drags the section.
    if ((event->buttons() & Qt::LeftButton) && m_pressIndex.isValid() && state() != EditingState) {
        const QPoint point = event->position().toPoint();
        if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            const QModelIndex index = m_pressIndex;
            m_pressIndex = QModelIndex();
            m_swallowRelease = true;
            startSectionDrag(index);
        }
        event->accept();
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void NavigatorView::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressIndex = QModelIndex();
    // After a drag the release is no click (and opens no caption editor).
    if (m_swallowRelease) {
        m_swallowRelease = false;
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void NavigatorView::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_contextMenu) {
        event->ignore();
        return;
    }
    QPoint global = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const QRect current = visualRect(currentIndex());
        global = viewport()->mapToGlobal(current.isValid() ? current.center() : QPoint());
    }
    event->accept();
    m_contextMenu->popup(global);
}

QMimeData* NavigatorView::createDragData() const
{
    auto* data = new QMimeData;
    data->setData(DragMimeType, QByteArray::number(QCoreApplication::applicationPid()) + ':' +
                                    QByteArray::number(quintptr(this)));
    return data;
}

bool NavigatorView::isOwnDrag(const QMimeData* data) const
{
    if (!data || !data->hasFormat(DragMimeType))
        return false;
    const std::unique_ptr<QMimeData> own(createDragData());
    return data->data(DragMimeType) == own->data(DragMimeType);
}

void NavigatorView::startSectionDrag(const QModelIndex& index)
{
    if (currentIndex() != index)
        setCurrentIndex(index);
    auto* drag = new QDrag(this);
    drag->setMimeData(createDragData());
    const QRect caption = captionRect(index).intersected(viewport()->rect());
    if (caption.isValid()) {
        // A faded picture of the caption, so the drop target stays readable
        // beneath it.
        const QPixmap grabbed = viewport()->grab(caption);
        QPixmap faded(grabbed.size());
        faded.setDevicePixelRatio(grabbed.devicePixelRatio());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.6);
        painter.drawPixmap(0, 0, grabbed);
        painter.end();
        drag->setPixmap(faded);
        drag->setHotSpot(m_pressPoint - caption.topLeft());
    }
    m_dragHover = index;
    drag->exec(Qt::MoveAction);
    endDragOver();
}

void NavigatorView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!isOwnDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    // The hover starts on the dragged section, which is the selected one.
    m_dragHover = currentIndex();
    setDropTarget(QModelIndex());
    setState(DraggingState);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void NavigatorView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!isOwnDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const Hit hit = hitTest(point);
    if (hit.index.isValid())
        setDropTarget(hit.index);
    trackHover(hit);
    if (hasAutoScroll() && nearViewportEdge(point))
        startAutoScroll();
    // Every place is a drop place; where it leads is decided on the drop.
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void NavigatorView::trackHover(const Hit& hit)
{
    // Two drag-over events in a row on the expand button of the highlighted
    // item start the timer; anything else stops it. A running timer is left
    // running, so resting there opens the branch after the delay.
    const QModelIndex target = m_dropTarget;
    const bool onButton = hit.zone == Zone::Button && target.isValid() && hit.index == target;
    if (onButton && target == QModelIndex(m_dragHover)) {
        if (!m_hoverTimer->isActive())
            m_hoverTimer->start();
    } else {
        m_hoverTimer->stop();
    }
    m_dragHover = target;
}

void NavigatorView::expandHovered()
{
    if (m_dragHover.isValid())
        expand(m_dragHover);
}

void NavigatorView::dragLeaveEvent(QDragLeaveEvent* event)
{
    endDragOver();
    event->accept();
}

void NavigatorView::dropEvent(QDropEvent* event)
{
    if (!isOwnDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    const Hit hit = hitTest(event->position().toPoint());
    if (hit.index.isValid())
        setDropTarget(hit.index);
    const QPersistentModelIndex target = m_dropTarget;
    endDragOver();
    event->setDropAction(Qt::MoveAction);
    event->accept();
    if (hit.zone != Zone::Outside)
        Q_EMIT sectionDropped(target, hit.zone);
}

void NavigatorView::endDragOver()
{
    m_hoverTimer->stop();
    stopAutoScroll();
    setDropTarget(QModelIndex());
    if (state() == DraggingState)
        setState(NoState);
}

void NavigatorView::setDropTarget(const QModelIndex& index)
{
    if (index == QModelIndex(m_dropTarget))
        return;
    m_dropTarget = index;
    viewport()->update();
}

bool NavigatorView::nearViewportEdge(const QPoint& point) const
{
    const QRect area = viewport()->rect();
    const int margin = autoScrollMargin();
    return point.y() - area.top() < margin || area.bottom() - point.y() < margin ||
           point.x() - area.left() < margin || area.right() - point.x() < margin;
}

void NavigatorView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (state() != DraggingState || !m_dropTarget.isValid())
        return;
    // The drop target is highlighted like a selected caption with a frame.
    const QRect caption = captionRect(m_dropTarget);
    if (!caption.isValid())
        return;
    QPainter painter(viewport());
    QColor fill = palette().color(QPalette::Highlight);
    fill.setAlpha(96);
    painter.fillRect(caption, fill);
    QStyleOption option;
    option.initFrom(this);
    option.rect = caption;
    style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemDrop, &option, &painter, this);
}

} // namespace kelto
