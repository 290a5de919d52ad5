// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include "document/NotebookFile.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/NavigatorModel.h"
#include "mainwindow/NavigatorView.h"

#include <QAction>
#include <QApplication>
#include <QDragMoveEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

namespace kelto::test {

Window::Window(const char* shape, const char* settings)
{
    writeBytes(settingsPath(), QByteArray(settings));
    reopen();
    buildShape(nb(), u8(shape));
    nb().setCurrent(nb().firstSection());
    nb().setModified(false);
    settle();
}

Window::~Window()
{
    if (m_window && m_window->isVisible()) {
        prompts.answers.clear();
        nb().setModified(false);
        m_window->close();
    }
}

bool Window::close()
{
    const bool closed = m_window->close();
    settle();
    return closed;
}

void Window::reopen()
{
    m_modelTester.reset();
    m_window.reset();
    m_window = std::make_unique<TNotesForm>(settingsPath(), prompts);
    // Every change the navigator shows is checked as it is announced.
    m_modelTester = std::make_unique<QAbstractItemModelTester>(
        m_window->navigatorModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    (void)QTest::qWaitForWindowExposed(m_window.get());
    settle();
}

void Window::select(const char* caption, const QString& body)
{
    Section* section = s(caption);
    ASSERT_NE(section, nullptr) << caption;
    if (!body.isNull())
        section->body().setText(body);
    nb().setCurrent(section);
    nb().setModified(false);
    settle();
}

void Window::trigger(const char* name)
{
    QAction* a = m_window->action(QString::fromLatin1(name));
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
    settle();
}

bool Window::enabled(const char* name)
{
    m_window->updateActions();
    return m_window->action(QString::fromLatin1(name))->isEnabled();
}

void Window::key(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(view(), Qt::Key(key), modifiers);
    settle();
}

void Window::press(int key, Qt::KeyboardModifiers modifiers)
{
    QApplication::setActiveWindow(m_window.get());
    QWidget* focus = m_window->focusWidget();
    QTest::keyClick(focus ? focus : view(), Qt::Key(key), modifiers);
    settle();
}

void Window::dropOn(QWidget* area, const QMimeData& data)
{
    const QPoint point = area->mapTo(m_window.get(), area->rect().center());
    QWidget* under = m_window->childAt(point);
    ASSERT_NE(under, nullptr);
    const QPoint at = under->mapFrom(m_window.get(), point);
    for (QEvent::Type type : {QEvent::DragEnter, QEvent::DragMove, QEvent::Drop}) {
        QDragMoveEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier, type);
        QApplication::sendEvent(under, &event);
    }
    settle();
}

void Window::dropFile(QWidget* area, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    dropOn(area, data);
}

void Window::type(const QString& text)
{
    editor()->setFocus();
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    settle();
}

void Window::setSelection(int anchor, int position)
{
    QTextCursor c = editor()->textCursor();
    c.setPosition(anchor);
    c.setPosition(position, QTextCursor::KeepAnchor);
    editor()->setTextCursor(c);
    m_window->updateActions();
}

void Window::finishEdit(const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr) << "no caption editor has the focus";
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
}

QString Window::savedShape(const QString& name)
{
    prompts.saveNames.push_back(dir.path(name));
    trigger("ActionFileSaveAs");
    return shapeInFile(dir.path(name));
}

QPoint Window::rowPoint(const char* caption, int dx, int rows, bool fromRight) const
{
    const QRect r = view()->visualRect(index(caption));
    return {(fromRight ? r.right() : r.left()) + dx, r.center().y() + rows * r.height()};
}

void Window::drag(QEvent::Type type, const QPoint& point, const QMimeData* data)
{
    // Enter and move events are drop events of another type.
    QDragMoveEvent event(point, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier, type);
    QApplication::sendEvent(view()->viewport(), &event);
}

void Window::dropAt(const QPoint& point)
{
    const std::unique_ptr<QMimeData> data(view()->createDragData());
    drag(QEvent::DragEnter, view()->visualRect(view()->currentIndex()).center(), data.get());
    drag(QEvent::DragMove, point, data.get());
    drag(QEvent::Drop, point, data.get());
    settle();
}

QString writeSample(const QString& path, const QString& name)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("A(B) C"));
    nb.firstSection()->body().setText(QStringLiteral("first\nsecond\nthird\nfourth"));
    findSection(nb, QStringLiteral("C"))->body().setText(QStringLiteral("c body"));
    if (!name.isEmpty())
        nb.properties().setValue(u"Name", name);
    nb.setCurrent(nb.firstSection());
    WriteNotebook(nb, path);
    return path;
}

QString writeShape(const QString& path, const char* shape)
{
    Notebook nb;
    buildShape(nb, u8(shape));
    nb.setCurrent(nb.firstSection());
    WriteNotebook(nb, path);
    return path;
}

QString shapeInFile(const QString& path)
{
    Notebook nb;
    ReadNotebook(path, nb);
    return shapeOf(nb);
}

} // namespace kelto::test
