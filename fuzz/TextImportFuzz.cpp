// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"

#include "common/TextCodec.h"
#include "document/ImportFile.h"
#include "document/Notebook.h"
#include "document/Section.h"

namespace kelto::fuzz {

// A text file imported as a new section and as lines into a body: the body
// holds the file's text, however the file is encoded.
int textImport(const std::uint8_t* data, std::size_t size)
{
    const QString path = scratchFile(data, size, QStringLiteral(".txt"));
    Notebook notebook;
    notebook.addSection(nullptr, QStringLiteral("first"));
    Section* added = ImportTextFile(path, notebook);
    require(added && notebook.sectionCount() == 2 && added == notebook.sectionAt(1),
            "a text import adds one last top-level section");
    require(added->caption() == path, "the new section is captioned with the path");
    require(added->body().text() ==
                SectionBody::normalizeBreaks(decodePlainText(bytesOf(data, size))),
            "the new section holds the file's text");
    fileLinesText(path);
    return 0;
}

} // namespace kelto::fuzz
