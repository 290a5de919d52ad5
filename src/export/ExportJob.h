// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/HtmlExport.h"

#include <QString>

namespace kelto {

class Notebook;
class TpIniFile;

// The file an export writes.
enum class ExportFormat
{
    Notebook = 0,
    Text = 1,
    Html = 2,
};

// "nib", "txt" or "htm".
QString exportExtension(ExportFormat format);

// Everything an export run is told: the common choices, the format, the
// frames of an HTML export and the file. The delimiter is the one of the
// format.
struct ExportJob
{
    ExportFormat format = ExportFormat::Notebook;
    ExportOptions options;
    FrameLayout frames = FrameLayout::None;
    QString fileName;
};

// Runs the exporter of the job's format. A notebook file takes the range,
// bodies unless only captions are asked for, and the document information;
// it keeps a backup of an old target when the settings ask for one. HTML
// takes its colours and link font from the settings. Throws KeltoError when
// the file cannot be written and ExportCancelled when the progress callback
// stops the run; either way the target is left as it was.
void runExport(Notebook& notebook, const ExportJob& job, const TpIniFile& settings);

} // namespace kelto
