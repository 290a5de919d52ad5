// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/SectionRange.h"

#include <QString>

namespace kelto {

class Section;

// What every exporter is asked for: which sections, which of their parts,
// and how headings and separators look.
struct ExportOptions
{
    ExportRange range = ExportRange::All;
    ExportObjects objects = ExportObjects::CaptionsAndBodies;
    // The document's properties (and for text the export date) before the
    // sections.
    bool documentInfo = true;
    // Headings are the section's full path instead of its caption.
    bool pathCaptions = false;
    // The separator written with every section; none when empty.
    QString delimiter;
    // The section ranges other than All start from; the current one when null.
    const Section* selected = nullptr;
    ExportProgress progress = {};

    void reportProgress(std::size_t done, std::size_t total) const
    {
        reportExportProgress(progress, done, total);
    }
};

} // namespace kelto
