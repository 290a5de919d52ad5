// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"
#include "TreeCompare.h"

#include "document/TreePadImport.h"

namespace kelto::fuzz {

// A TreePad file imported into an empty notebook or under a section two
// levels down: the tree stays whole, the new sections sit where the result
// says, and the notebook saves and reads back alike.
int treePadImport(const std::uint8_t* data, std::size_t size)
{
    Notebook notebook;
    Section* parent = nullptr;
    if (selector(data, size) & 1) {
        Section* top = notebook.addSection(nullptr, QStringLiteral("top"));
        parent = notebook.addChildSection(top, QStringLiteral("parent"));
        notebook.addSection(top, QStringLiteral("after"));
    }
    const int before = notebook.sectionCount();
    const ImportResult result = ImportTreePadImage(bytesOf(data, size), notebook, parent);
    require((result.first != nullptr) == (notebook.sectionCount() > before),
            "the result names the first new section exactly when sections were added");
    if (result.first && parent)
        require(result.first->parent() == parent, "an import goes under the selected section");
    int counted = 0;
    for (const Section* s = notebook.firstSection(); s; s = notebook.nextSection(s))
        ++counted;
    require(counted == notebook.sectionCount(), "the section count matches the tree");
    requireSavedAlike(notebook, "an imported notebook saves and reads back alike");
    return 0;
}

} // namespace kelto::fuzz
