// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A main window over its own settings in a temporary folder, driven as a
// user drives it: actions, keys, the mouse and drags at points taken from
// the navigator's own rectangles.

#include "TestSupport.h"
#include "TreeShape.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/NavigatorModel.h"
#include "mainwindow/NavigatorView.h"
#include "mainwindow/TreeNotesUnit.h"
#include "mainwindow/UserPrompts.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPoint>
#include <QProxyStyle>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QMimeData;

namespace kelto::test {

// Answers the window's questions from a script and records every message.
class ScriptedPrompts : public UserPrompts
{
public:
    QList<Answer> answers;                                   // for the questions; No when empty
    QStringList saveNames, openNames, importNames, pdfNames; // file dialogs; cancel when empty
    QStringList questions, questionTitles, errors, messages, messageTitles;
    QStringList pdfSuggested, offers; // what the PDF dialog proposed; Yes-default questions
    int saveDialogs = 0;

    Answer question(QWidget*, const QString& text, bool) override
    {
        questions << text;
        return answers.isEmpty() ? Answer::No : answers.takeFirst();
    }
    Answer warningQuestion(QWidget* parent, const QString& text, const QString& title) override
    {
        questionTitles << title;
        return question(parent, text, false);
    }
    void error(QWidget*, const QString& text) override { errors << text; }
    void information(QWidget*, const QString& text, const QString& title) override
    {
        messages << text;
        messageTitles << title;
    }
    QString openFileName(QWidget*, const QString&) override { return take(openNames); }
    QString importFileName(QWidget*, const QString&) override { return take(importNames); }
    QString anyFileName(QWidget*, const QString&) override { return take(openNames); }
    QString saveFileName(QWidget*, const QString&) override
    {
        ++saveDialogs;
        return take(saveNames);
    }
    QString pdfFileName(QWidget*, const QString& suggested) override
    {
        pdfSuggested << suggested;
        return take(pdfNames);
    }
    Answer offer(QWidget* parent, const QString& text) override
    {
        offers << text;
        return question(parent, text, false);
    }

private:
    static QString take(QStringList& names)
    {
        return names.isEmpty() ? QString() : names.takeFirst();
    }
};

// The window, with a notebook of the given shape ("A(B) C"), the first
// section selected and nothing modified.
class Window
{
public:
    explicit Window(const char* shape = "", const char* settings = "");
    ~Window();

    static void settle() { QCoreApplication::processEvents(); }
    // Closes the window as a user would; false when it stayed open.
    bool close();
    // A new window over the same settings file.
    void reopen();
    QString settingsPath() const { return dir.path(QStringLiteral("kelto.ini")); }

    Section* s(const char* caption) const { return findSection(nb(), u8(caption)); }
    QString shape() const { return shapeOf(nb()); }
    QString current() const { return nb().current() ? nb().current()->caption() : QString(); }
    void select(const char* caption, const QString& body = QString());
    void trigger(const char* name);
    bool enabled(const char* name);
    // A key pressed in the navigator, or in the focused control.
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Data dragged over the middle of area and dropped there, delivered as
    // the platform does: to the widget under that point.
    void dropOn(QWidget* area, const QMimeData& data);
    void dropFile(QWidget* area, const QString& path);
    // Types one key event per character into the editor.
    void type(const QString& text);
    void setSelection(int anchor, int position);
    QString text() const { return editor()->toPlainText(); }
    // Ends the open caption edit as Enter does, with the text typed.
    void finishEdit(const QString& text);
    // The same notebook written as a file and read back.
    QString savedShape(const QString& name = QStringLiteral("saved.nib"));

    // Points of a row as a user aims: the expand button, the indentation
    // left of it, the caption, the empty part right of it, below the last.
    QPoint onButton(const char* caption) const { return rowPoint(caption, -indent() / 2, 0); }
    QPoint onIndent(const char* caption) const { return rowPoint(caption, -indent() - 3, 0); }
    QPoint onCaption(const char* caption) const { return rowPoint(caption, 4, 0); }
    QPoint rightOf(const char* caption) const { return rowPoint(caption, -4, 0, true); }
    QPoint below(const char* lastShown) const { return rowPoint(lastShown, 4, 2); }
    QModelIndex index(const char* caption) const
    {
        return m_window->navigatorModel()->indexOf(s(caption));
    }
    void drag(QEvent::Type type, const QPoint& point, const QMimeData* data);
    // The selected section dragged and dropped at point.
    void dropAt(const QPoint& point);

    TempDir dir;
    ScriptedPrompts prompts;
    TNotesForm& w() { return *m_window; }
    Notebook& nb() const { return m_window->notebook(); }
    TKeltoEdit* editor() const { return m_window->editor(); }
    NavigatorView* view() const { return m_window->navigator(); }

private:
    int indent() const { return view()->indentation(); }
    // A point of the row: dx from its left (or right) edge, rows further down.
    QPoint rowPoint(const char* caption, int dx, int rows, bool fromRight = false) const;
    std::unique_ptr<TNotesForm> m_window;
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
};

// A notebook file with sections A (child B) and C, A's body four lines.
QString writeSample(const QString& path, const QString& name = QString());
// A notebook file of the given shape, and the shape a file holds.
QString writeShape(const QString& path, const char* shape);
QString shapeInFile(const QString& path);

// A desktop style that activates items with a single click, as some do.
class SingleClickStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// The child widget of that object name, or nullptr.
template <class T = QWidget> T* child(const QWidget& in, const char* name)
{
    return in.findChild<T*>(QLatin1String(name));
}

// Triggers the command and lets act() work in the modal dialog it opens,
// which is rejected afterwards if still open. False when no dialog of that
// class opened.
template <class Dialog>
bool withDialog(Window& n, const char* command, const std::function<void(Dialog&)>& act)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            shown = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        }
    });
    n.trigger(command);
    return shown;
}

} // namespace kelto::test
