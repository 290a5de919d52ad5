#pragma once

#include "TestSupport.h"
#include "mainwindow/TreeNotesUnit.h"
#include "mainwindow/UserPrompts.h"

#include <QStringList>

#include <deque>
#include <memory>

namespace kelto::test {

// Answers the window's questions from a script and records every message.
class ScriptedPrompts : public UserPrompts
{
public:
    std::deque<Answer> answers;    // for question(); No when empty
    std::deque<QString> saveNames; // for saveFileName(); cancel when empty
    std::deque<QString> openNames; // for openFileName(); cancel when empty
    QStringList questions;
    QStringList errors;
    QStringList questionTitles; // of warningQuestion(), in order
    QStringList messages;       // information() texts
    QStringList messageTitles;  // their titles as passed (empty: the program's)
    int saveDialogs = 0;

    Answer question(QWidget*, const QString& text, bool) override
    {
        questions << text;
        if (answers.empty())
            return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void error(QWidget*, const QString& text) override { errors << text; }
    Answer warningQuestion(QWidget* parent, const QString& text, const QString& title) override
    {
        questionTitles << title;
        return question(parent, text, false);
    }
    void information(QWidget*, const QString& text, const QString& title) override
    {
        messages << text;
        messageTitles << title;
    }
    QString openFileName(QWidget*, const QString&) override { return take(openNames); }
    QString saveFileName(QWidget*, const QString&) override
    {
        ++saveDialogs;
        return take(saveNames);
    }

private:
    static QString take(std::deque<QString>& queue)
    {
        if (queue.empty())
            return {};
        QString s = queue.front();
        queue.pop_front();
        return s;
    }
};

// A main window over its own settings file in a temporary folder.
class WindowFixture
{
public:
    explicit WindowFixture(const QByteArray& settings = {});
    ~WindowFixture();

    TNotesForm& window() { return *m_window; }
    // Closes the window as a user would; false when it stayed open.
    bool close();
    // A new window over the same settings file.
    void reopen();
    QString settingsPath() const { return dir.path(QStringLiteral("kelto.ini")); }

    TempDir dir;
    ScriptedPrompts prompts;

private:
    std::unique_ptr<TNotesForm> m_window;
};

} // namespace kelto::test
