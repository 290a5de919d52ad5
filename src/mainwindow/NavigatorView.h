// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeView>

class QMenu;
class QMimeData;
class QTimer;

namespace kelto {

// The navigator's tree view. Beyond QTreeView it has the navigator's own
// keys, selects the item under the mouse before its context menu opens, and
// drags one section at a time within itself: the view works out where a
// drop lands and leaves the move to whoever listens to sectionDropped().
class NavigatorView : public QTreeView
{
    Q_OBJECT
public:
    // What lies under a point of the viewport, as a drop sees it.
    enum class Zone
    {
        Button,  // the expand button of an item with subsections
        Indent,  // the indentation left of an item (or its button place)
        Caption, // the caption
        Right,   // the item's row right of the caption
        Nowhere, // inside the viewport below the last item
        Outside, // not in the viewport at all
    };
    struct Hit
    {
        Zone zone = Zone::Outside;
        QModelIndex index; // the item of the row, for the first four zones
    };

    // The keys the navigator itself answers (none while a caption is edited).
    enum class KeyCommand
    {
        InsertBefore,        // Insert
        Delete,              // Delete: with the configured question
        NewChild,            // Shift+Insert
        DeleteWithoutAsking, // Shift+Delete, Shift+F8
    };

    static constexpr int HoverExpandDelay = 1000; // ms on an expand button
    static const QString DragMimeType;

    explicit NavigatorView(QWidget* parent = nullptr);
    ~NavigatorView() override;

    // Shown on a right click or the context-menu key.
    void setContextMenu(QMenu* menu);
    QMenu* contextMenu() const;

    Hit hitTest(const QPoint& viewportPoint) const;
    // The caption's part of an item's visual rectangle: from the left of the
    // item to the end of its text.
    QRect captionRect(const QModelIndex& index) const;

    // What a drag of the selected section carries. Only drags that started
    // in this view (in this process) are taken.
    QMimeData* createDragData() const;
    // The item highlighted as drop target: the last one a drag passed over.
    QModelIndex dropTarget() const { return m_dropTarget; }
    bool isEditingCaption() const { return state() == EditingState; }
    // Ends an open caption edit as moving the focus elsewhere does: the
    // typed caption is taken.
    void commitCaptionEdit();
    // Shows a section that was just moved: its branch closed, its new parent
    // (if any) opened, and a former parent it left without subsections
    // closed as well.
    void showMoved(const QModelIndex& moved, const QModelIndex& newParent,
                   const QModelIndex& emptiedParent);

Q_SIGNALS:
    void keyCommand(kelto::NavigatorView::KeyCommand command);
    // A section dropped at a zone; target is the highlighted item (invalid
    // when a drop below the last item comes before any item was passed).
    void sectionDropped(const QModelIndex& target, kelto::NavigatorView::Zone zone);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool isOwnDrag(const QMimeData* data) const;
    void startSectionDrag(const QModelIndex& index);
    void trackHover(const Hit& hit);
    void expandHovered();
    void endDragOver();
    void setDropTarget(const QModelIndex& index);
    bool nearViewportEdge(const QPoint& point) const;

    QPointer<QMenu> m_contextMenu;
    QTimer* m_hoverTimer;
    QPersistentModelIndex m_dropTarget;
    QPersistentModelIndex m_dragHover;
    QPersistentModelIndex m_pressIndex;
    QPoint m_pressPoint;
    bool m_swallowRelease = false;
};

} // namespace kelto
