#pragma once

#include <QUrl>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace kelto {

class CommandHost;
class Notebook;
class TpIniFile;
class UserPrompts;

// Printing, printer setup, page setup and send by mail. One printer is kept
// for the window's life and shared by the three print commands. When the
// system lists no printer, printing goes to a PDF file beside the notebook,
// so a notebook can always be printed.
class PrintCommands
{
public:
    static const QString MailErrorTitle; // "Отправка сообщения"

    PrintCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings, UserPrompts& prompts,
                  QWidget* window);
    ~PrintCommands();

    QPrinter& printer() { return *m_printer; }
    // Opens a URL with the desktop's handler; false when none took it.
    std::function<bool(const QUrl&)> openUrl;

private:
    void print();
    void printerSetup();
    void pageSetup();
    void sendMail();
    // The notebook's file name without its folder.
    QString jobTitle() const;

    CommandHost& m_host;
    Notebook& m_notebook;
    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    QWidget* m_window;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace kelto
