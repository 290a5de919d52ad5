// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCommands.h"

#include "document/Notebook.h"
#include "mainwindow/BusyCursor.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"

#include <QProgressDialog>

#include <optional>

namespace kelto {

ExportCommands::ExportCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings,
                               UserPrompts& prompts, QWidget* window)
    : m_notebook(notebook), m_settings(settings), m_prompts(prompts), m_window(window)
{
    host.wireCommand(cmd::FileExport, [this] { exportNotebook(); });
}

void ExportCommands::exportNotebook()
{
    TExportBox box(m_window, m_settings, m_delimiters,
                   m_notebook.hasFile() ? m_notebook.fileName() : QString(), m_prompts);
    if (box.exec() != QDialog::Accepted)
        return;
    try {
        run(box.job());
    } catch (const ExportCancelled&) {
        return; // the target is as it was; the choices are not stored
    }
    box.storeChoices();
}

void ExportCommands::run(ExportJob job)
{
    job.options.selected = m_notebook.current();
    std::optional<QProgressDialog> progress;
    if (m_notebook.sectionCount() >= ProgressSections) {
        progress.emplace(QStringLiteral("Экспорт разделов..."), QStringLiteral("Отмена"), 0, 0,
                         m_window);
        progress->setWindowTitle(QStringLiteral("Экспорт"));
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(500);
        job.options.progress = [&progress](std::size_t done, std::size_t total) {
            progress->setMaximum(int(total));
            progress->setValue(int(done));
            return !progress->wasCanceled();
        };
    }
    const BusyCursor busy;
    runExport(m_notebook, job, m_settings);
}

} // namespace kelto
