// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportJob.h"

#include "document/NotebookFile.h"
#include "export/ExportSettings.h"
#include "export/TextExport.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

namespace kelto {

QString exportExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Text:
        return QStringLiteral("txt");
    case ExportFormat::Html:
        return QStringLiteral("htm");
    case ExportFormat::Notebook:
        break;
    }
    return QStringLiteral("nib");
}

void runExport(Notebook& notebook, const ExportJob& job, const TpIniFile& settings)
{
    switch (job.format) {
    case ExportFormat::Text:
        ExportText(notebook, job.fileName, job.options);
        return;
    case ExportFormat::Html: {
        HtmlExportOptions options;
        static_cast<ExportOptions&>(options) = job.options;
        applyHtmlStyle(settings, options);
        options.frames = job.frames;
        ExportHtml(notebook, job.fileName, options);
        return;
    }
    case ExportFormat::Notebook:
        break;
    }
    WriteOptions options;
    options.range = job.options.range;
    options.bodies = job.options.objects != ExportObjects::Captions;
    options.properties = job.options.documentInfo;
    options.createBackup = settings.read(keys::treepad::CreateBackUp);
    options.selected = job.options.selected;
    options.progress = job.options.progress;
    WriteNotebook(notebook, job.fileName, options);
}

} // namespace kelto
