// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <vector>

namespace kelto {

class Notebook;
class Section;

// Which sections a written notebook, an export or a printout takes.
enum class ExportRange
{
    All = 0,         // the whole tree
    Branch = 1,      // the selected section with its subsections
    SectionOnly = 2, // the selected section alone
    Subsections = 3, // the subsections of the selected section
};

// What an export takes of each section.
enum class ExportObjects
{
    Captions = 0,
    CaptionsAndBodies = 1,
    BodiesOnly = 2,
};

// Thrown by a writer whose progress callback asked it to stop; nothing has
// been written then.
struct ExportCancelled : std::exception
{
    const char* what() const noexcept override { return "export cancelled"; }
};

// Told now and then how many of a range's sections are written; returning
// false stops the writing with ExportCancelled.
using ExportProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Calls progress every few sections and at the last one.
inline void reportExportProgress(const ExportProgress& progress, std::size_t done,
                                 std::size_t total)
{
    if (progress && (done % 64 == 0 || done == total) && !progress(done, total))
        throw ExportCancelled();
}

// The sections of a range in pre-order, each with its level counted from the
// top of the range (0). Subsections of the selected section start at level 0,
// so that written out they read back as exactly those sections. Built
// without recursion, so trees of any depth are safe.
class SectionRange
{
public:
    struct Entry
    {
        const Section* section;
        int level;
    };

    // selected is the section ranges other than All start from; the
    // notebook's current section when null. Throws KeltoError when such a
    // range has no section to start from.
    SectionRange(const Notebook& notebook, ExportRange range, const Section* selected = nullptr);

    const std::vector<Entry>& entries() const { return m_entries; }
    using Iterator = std::vector<Entry>::const_iterator;
    Iterator begin() const { return m_entries.begin(); }
    Iterator end() const { return m_entries.end(); }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    // Position of section within the range, or -1 when it is not in it.
    int indexOf(const Section* section) const;

private:
    std::vector<Entry> m_entries;
};

} // namespace kelto
