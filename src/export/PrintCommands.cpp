#include "PrintCommands.h"

#include "document/Notebook.h"
#include "export/HtmlExport.h"
#include "export/PageSetupUnit.h"
#include "export/PrintDocument.h"
#include "export/PrintUnit.h"
#include "mainwindow/BusyCursor.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/UserPrompts.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kelto {

const QString PrintCommands::MailErrorTitle = QStringLiteral("Отправка сообщения");

namespace {

// No desktop handler for the address (the shell's "no association" code).
constexpr int NoMailHandler = 31;

} // namespace

PrintCommands::PrintCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings,
                             UserPrompts& prompts, QWidget* window)
    : openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }), m_host(host),
      m_notebook(notebook), m_settings(settings), m_prompts(prompts), m_window(window),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        m_printer->setOutputFormat(QPrinter::PdfFormat);
    host.wireCommand(cmd::FilePrint, [this] { print(); });
    host.wireCommand(cmd::FilePrintSetup, [this] { printerSetup(); });
    host.wireCommand(cmd::FilePageSetup, [this] { pageSetup(); });
    host.wireCommand(cmd::FileSendMail, [this] { sendMail(); });
}

PrintCommands::~PrintCommands() = default;

QString PrintCommands::jobTitle() const
{
    return m_notebook.hasFile() ? QFileInfo(m_notebook.fileName()).fileName()
                                : Notebook::DefaultFileName;
}

void PrintCommands::print()
{
    // A PDF printer without a file writes beside the notebook (in the home
    // folder for a notebook never saved).
    if (m_printer->outputFormat() == QPrinter::PdfFormat && m_printer->outputFileName().isEmpty()) {
        const QString base = m_notebook.hasFile()
                                 ? stripExtension(m_notebook.fileName())
                                 : QDir::home().filePath(Notebook::DefaultFileName);
        m_printer->setOutputFileName(base + QStringLiteral(".pdf"));
    }
    TPrintForm form(m_window, m_notebook, m_settings, m_printer.get());
    if (form.exec() != QDialog::Accepted)
        return;
    const BusyCursor busy;
    m_printer->setDocName(jobTitle());
    m_printer->setFullPage(true);
    PrintSections(*m_printer, m_notebook, form.printList(), m_settings.read(keys::print::Contents),
                  m_settings.read(keys::print::DocInfo), m_settings);
}

void PrintCommands::printerSetup()
{
    QPrintDialog dialog(m_printer.get(), m_window);
    dialog.setWindowTitle(QStringLiteral("Настройка принтера"));
    dialog.exec();
}

void PrintCommands::pageSetup()
{
    TPageSetupForm form(m_window, m_settings, metricsOf(*m_printer), m_prompts);
    form.exec();
}

void PrintCommands::sendMail()
{
    if (m_notebook.isModified())
        m_host.trigger(cmd::FileSave);
    // A notebook never saved has no file, whatever lies in the working
    // folder under the placeholder name.
    if (!m_notebook.hasFile() || !QFileInfo::exists(m_notebook.fileName()))
        return;
    if (!openUrl(QUrl(QStringLiteral("mailto:"))))
        m_prompts.warning(m_window,
                          QStringLiteral("Ошибка при отправке вложения: %1").arg(NoMailHandler),
                          MailErrorTitle);
}

} // namespace kelto
