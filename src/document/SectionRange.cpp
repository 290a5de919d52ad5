// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionRange.h"

#include "Notebook.h"
#include "common/KeltoError.h"

namespace kelto {

SectionRange::SectionRange(const Notebook& notebook, ExportRange range, const Section* selected)
{
    if (range == ExportRange::All) {
        m_entries.reserve(std::size_t(notebook.sectionCount()));
        forEachDescendant(notebook.container(), [this](const Section* s, int depth) {
            m_entries.push_back({s, depth - 1});
        });
        return;
    }
    if (!selected)
        selected = notebook.current();
    if (!selected)
        throw KeltoError(QStringLiteral("Не выбран раздел для записи."));
    if (range == ExportRange::Branch || range == ExportRange::SectionOnly)
        m_entries.push_back({selected, 0});
    if (range == ExportRange::SectionOnly)
        return;
    // A branch's subsections sit below its top; subsections alone are the top.
    const int shift = range == ExportRange::Branch ? 0 : -1;
    forEachDescendant(selected, [this, shift](const Section* s, int depth) {
        m_entries.push_back({s, depth + shift});
    });
}

int SectionRange::indexOf(const Section* section) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].section == section)
            return int(i);
    }
    return -1;
}

} // namespace kelto
