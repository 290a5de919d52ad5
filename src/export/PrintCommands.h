// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace kelto {

class CommandHost;
class Notebook;
class Section;
class TpIniFile;
class UserPrompts;

// Printing, printer setup, page setup and send by mail. One printer is kept
// for the window's life and shared by the three print commands. When the
// system lists no printer, printing goes to a PDF file, so a notebook can
// always be printed: the first printout of a notebook asks where (NAME.pdf
// beside it is proposed), and that file is used for the notebook's
// printouts for the rest of the run.
class PrintCommands
{
public:
    static const QString MailErrorTitle; // "Отправка сообщения"

    PrintCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings, UserPrompts& prompts,
                  QWidget* window);
    ~PrintCommands();

    QPrinter& printer() { return *m_printer; }
    // True when printouts go to PDF files because no printer is listed.
    bool printsToPdf() const { return m_toPdf; }
    // Opens a URL with the desktop's handler; false when none took it.
    std::function<bool(const QUrl&)> openUrl;
    // Shows a line in the status bar's hint panel.
    std::function<void(const QString&)> showHint;

private:
    void print();
    void printerSetup();
    void pageSetup();
    void sendMail();
    // The notebook's file name without its folder.
    QString jobTitle() const;
    // The PDF file of this notebook's printouts; asked for on its first
    // printout. Empty when the user cancelled.
    QString pdfTarget();
    void printToPdf(const QString& path, const std::vector<const Section*>& sections);

    CommandHost& m_host;
    Notebook& m_notebook;
    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    QWidget* m_window;
    std::unique_ptr<QPrinter> m_printer;
    bool m_toPdf = false;
    QHash<QString, QString> m_pdfFiles; // notebook file ("" unsaved) -> its PDF
};

} // namespace kelto
