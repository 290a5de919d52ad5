// SPDX-License-Identifier: GPL-3.0-or-later
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

const QString AppTitle = QStringLiteral("Тримбель");
const QString ReplaceQuestion = QStringLiteral("Файл с таким именем уже существует. Заменить его?");

} // namespace

PrintCommands::PrintCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings,
                             UserPrompts& prompts, QWidget* window)
    : openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }), m_host(host),
      m_notebook(notebook), m_settings(settings), m_prompts(prompts), m_window(window),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_toPdf = QPrinterInfo::availablePrinterNames().isEmpty();
    if (m_toPdf)
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
    QString pdf;
    if (m_toPdf) {
        pdf = pdfTarget();
        if (pdf.isEmpty())
            return;
        m_printer->setOutputFileName(pdf); // the print dialog names it
    }
    TPrintForm form(m_window, m_notebook, m_settings, m_printer.get());
    QObject::connect(&form, &TPrintForm::pageSetupRequested, &form, [this, &form] {
        TPageSetupForm setup(&form, m_settings, metricsOf(*m_printer), m_prompts);
        setup.exec();
    });
    if (form.exec() != QDialog::Accepted)
        return;
    const BusyCursor busy;
    if (m_toPdf) {
        printToPdf(pdf, form.printList());
        if (showHint)
            showHint(
                QStringLiteral("Печать записана в файл %1").arg(QDir::toNativeSeparators(pdf)));
        return;
    }
    m_printer->setDocName(jobTitle());
    m_printer->setFullPage(true);
    PrintSections(*m_printer, m_notebook, form.printList(), m_settings.read(keys::print::Contents),
                  m_settings.read(keys::print::DocInfo), m_settings);
}

QString PrintCommands::pdfTarget()
{
    const QString notebook = m_notebook.hasFile() ? m_notebook.fileName() : QString();
    if (const auto it = m_pdfFiles.constFind(notebook); it != m_pdfFiles.constEnd())
        return *it;
    const QString suggested =
        (notebook.isEmpty() ? QDir::current().filePath(Notebook::DefaultFileName)
                            : stripExtension(notebook)) +
        QStringLiteral(".pdf");
    const QString chosen = m_prompts.pdfFileName(m_window, suggested);
    if (chosen.isEmpty())
        return {};
    if (QFileInfo::exists(chosen) &&
        m_prompts.warningQuestion(m_window, ReplaceQuestion, AppTitle) != UserPrompts::Answer::Yes)
        return {};
    m_pdfFiles.insert(notebook, chosen);
    return chosen;
}

void PrintCommands::printToPdf(const QString& path, const std::vector<const Section*>& sections)
{
    PrintSectionsToPdf({path, jobTitle(), QStringLiteral("Тримбель"), m_printer->pageLayout()},
                       m_notebook, sections, m_settings.read(keys::print::Contents),
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
    // The mail takes the file as saved: a save that failed (its error is
    // shown) or was cancelled stops the command.
    if (m_notebook.isModified()) {
        m_host.trigger(cmd::FileSave);
        if (m_notebook.isModified())
            return;
    }
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
