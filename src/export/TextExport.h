// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/ExportOptions.h"

#include <QByteArray>
#include <QString>

namespace kelto {

class AtomicFileWriter;
class Notebook;
class Section;

using TextExportOptions = ExportOptions;

// The plain-text export as the file holds it: the document information, the
// outline of captions, then each section's heading and body, with CR LF
// breaks. Windows-1251 when every character fits, else UTF-8 after a byte
// order mark. With a file, the bytes go there as they are made and none are
// returned. Throws KeltoError when a range needs a selected section and
// there is none.
QByteArray BuildTextExport(const Notebook& notebook, const TextExportOptions& options,
                           AtomicFileWriter* file = nullptr);

// Writes the export over fileName through a temporary file, so a failure
// or a cancel leaves any old file whole. Throws KeltoError when the file cannot be written.
void ExportText(const Notebook& notebook, const QString& fileName,
                const TextExportOptions& options);

} // namespace kelto
