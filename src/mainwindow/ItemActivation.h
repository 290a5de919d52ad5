// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>

#include <functional>

namespace kelto {

// Acts on the current item of a view when Enter or Return is pressed in it,
// or on an item double-clicked, and never on a single click, whatever the
// desktop's style says about activating items with one click.
class ItemActivation : public QObject
{
public:
    using Action = std::function<void(const QModelIndex&)>;

    ItemActivation(QAbstractItemView* view, Action act)
        : QObject(view), m_view(view), m_act(std::move(act))
    {
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex& index) { m_act(index); });
        view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_view && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
                m_view->currentIndex().isValid()) {
                m_act(m_view->currentIndex());
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractItemView* m_view;
    Action m_act;
};

} // namespace kelto
