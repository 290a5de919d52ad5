// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaptionSearch.h"

#include "document/Notebook.h"

namespace kelto {

Section* findSectionByCaption(const Notebook& notebook, Section* selected, QStringView pattern,
                              bool matchCase, bool down)
{
    if (!selected || pattern.isEmpty())
        return nullptr;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    Section* s = selected;
    for (;;) {
        s = down ? notebook.nextSection(s) : notebook.previousSection(s);
        if (!s || s->caption().contains(pattern, cs))
            return s;
    }
}

} // namespace kelto
