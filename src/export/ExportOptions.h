#pragma once

#include "document/SectionRange.h"

#include <QString>

#include <exception>
#include <functional>

namespace kelto {

class Section;

// Thrown by an exporter whose progress callback asked it to stop; nothing
// has been written then.
struct ExportCancelled : std::exception
{
    const char* what() const noexcept override { return "export cancelled"; }
};

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
    // Told now and then how many of the range's sections are written;
    // returning false stops the export with ExportCancelled.
    std::function<bool(std::size_t done, std::size_t total)> progress = {};

    // Calls progress every few sections and at the last one.
    void reportProgress(std::size_t done, std::size_t total) const
    {
        if (progress && (done % 64 == 0 || done == total) && !progress(done, total))
            throw ExportCancelled();
    }
};

} // namespace kelto
