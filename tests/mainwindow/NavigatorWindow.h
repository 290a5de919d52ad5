#pragma once

// A main window set up for driving the navigator as a user does, and the
// points of a row a user aims at, worked out from the view's rectangles.

#include "TreeShape.h"
#include "WindowFixture.h"
#include "mainwindow/NavigatorModel.h"
#include "mainwindow/NavigatorView.h"

#include <QAction>
#include <QApplication>
#include <QDragMoveEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kelto::test {

inline std::string str(const QString& text)
{
    return text.toStdString();
}

inline QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// A window whose notebook has the given shape, the first section selected
// and nothing modified.
class Navigator
{
public:
    explicit Navigator(const char* shape, const char* settings = "[Treepad]\r\nOnLoad=3\r\n")
        : f(QByteArray(settings)), w(f.window()), nb(w.notebook()),
          view(qobject_cast<NavigatorView*>(w.navigator()))
    {
        test::buildShape(nb, u8(shape));
        nb.setCurrent(nb.firstSection());
        nb.setModified(false);
        QApplication::setActiveWindow(&w);
        settle();
    }

    static void settle() { QCoreApplication::processEvents(); }

    Section* s(const char* caption) const { return test::findSection(nb, u8(caption)); }
    QString shape() const { return test::shapeOf(nb); }
    QString current() const { return nb.current() ? nb.current()->caption() : QString(); }
    void select(const char* caption)
    {
        nb.setCurrent(s(caption));
        settle();
    }
    QAction* action(const char* name) const { return w.action(QString::fromLatin1(name)); }
    void trigger(const char* name)
    {
        QAction* a = action(name);
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
        settle();
    }
    bool enabled(const char* name)
    {
        w.updateActions();
        return action(name)->isEnabled();
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(view, Qt::Key(key), modifiers);
        settle();
    }
    // True when the navigator could take the keyboard focus.
    bool focusNavigator()
    {
        view->setFocus();
        settle();
        return view->hasFocus();
    }
    QModelIndex index(const char* caption) const { return w.navigatorModel()->indexOf(s(caption)); }
    QRect rect(const char* caption) const { return view->visualRect(index(caption)); }
    // Ends a caption edit as Enter would, with the given text typed.
    void finishEdit(const QString& text)
    {
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << "no caption editor has the focus";
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }

    WindowFixture f;
    TNotesForm& w;
    Notebook& nb;
    NavigatorView* view;
};

// Points of a row, worked out from the view's rectangles as a user would
// aim: the middle of the expand button, the indentation left of it, the
// caption's text, and the row's empty part right of the caption.
inline QPoint onButton(const Navigator& n, const char* caption)
{
    const QRect r = n.rect(caption);
    return {r.left() - n.view->indentation() / 2, r.center().y()};
}
inline QPoint onIndent(const Navigator& n, const char* caption)
{
    const QRect r = n.rect(caption);
    return {r.left() - n.view->indentation() - 3, r.center().y()};
}
inline QPoint onCaption(const Navigator& n, const char* caption)
{
    const QRect r = n.rect(caption);
    return {r.left() + 4, r.center().y()};
}
inline QPoint rightOfCaption(const Navigator& n, const char* caption)
{
    const QRect r = n.rect(caption);
    return {r.right() - 4, r.center().y()};
}
inline QPoint belowLast(const Navigator& n, const char* lastShown)
{
    const QRect r = n.rect(lastShown);
    return {r.left() + 4, r.bottom() + r.height() * 2};
}

inline void sendDrag(NavigatorView* view, QEvent::Type type, const QPoint& point,
                     const QMimeData* data)
{
    if (type == QEvent::DragEnter) {
        QDragEnterEvent event(point, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    } else if (type == QEvent::DragMove) {
        QDragMoveEvent event(point, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    } else {
        QDropEvent event(point, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    }
}

// The selected section dragged from where it is and dropped at point.
inline void dropAt(Navigator& n, const QPoint& point)
{
    const std::unique_ptr<QMimeData> data(n.view->createDragData());
    sendDrag(n.view, QEvent::DragEnter, n.rect(str(n.current()).c_str()).center(), data.get());
    sendDrag(n.view, QEvent::DragMove, point, data.get());
    sendDrag(n.view, QEvent::Drop, point, data.get());
    Navigator::settle();
}

inline QString describeMenu(const QMenu* menu)
{
    QStringList parts;
    for (const QAction* a : menu->actions()) {
        if (a->menu())
            parts << a->menu()->title() + u'(' + describeMenu(a->menu()) + u')';
        else if (a->isSeparator())
            parts << QStringLiteral("-");
        else
            parts << a->objectName();
    }
    return parts.join(u',');
}

} // namespace kelto::test
