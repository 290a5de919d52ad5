// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Notebook.h"
#include "document/NotebookFile.h"
#include "document/Section.h"

#include "FuzzTargets.h"

namespace kelto::fuzz {

// True when both trees have the same shape and captions, and with bodies
// the same body texts.
inline bool sameTree(const Notebook& a, const Notebook& b, bool bodies)
{
    if (a.sectionCount() != b.sectionCount())
        return false;
    const Section* x = a.firstSection();
    const Section* y = b.firstSection();
    for (; x && y; x = a.nextSection(x), y = b.nextSection(y)) {
        if (x->level() != y->level() || x->caption() != y->caption())
            return false;
        if (bodies && x->body().text() != y->body().text())
            return false;
    }
    return !x && !y;
}

// The notebook as the writer would save it to a new file, read back.
inline void requireSavedAlike(const Notebook& notebook, const char* what)
{
    WriteOptions options;
    options.createBackup = false;
    const NotebookImage image =
        BuildNotebookImage(notebook, QStringLiteral("/nonexistent/kelto-fuzz.nib"), options);
    Notebook back;
    require(ReadNotebookImage(image.bytes, back) == FileKind::Notebook, what);
    require(sameTree(notebook, back, true), what);
}

} // namespace kelto::fuzz
