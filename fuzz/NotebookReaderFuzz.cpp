// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"
#include "TreeCompare.h"

#include "common/KeltoError.h"

namespace kelto::fuzz {

// A notebook file image: read whole and read as a stream, which must agree;
// what reads saves and reads back alike.
int notebookReader(const std::uint8_t* data, std::size_t size)
{
    const QByteArray image = bytesOf(data, size);
    Notebook notebook;
    bool read = false;
    try {
        ReadOptions options;
        options.activateLastNode = true;
        ReadNotebookImage(image, notebook, options);
        read = true;
    } catch (const KeltoError&) {
    }

    int streamed = 0;
    bool streamedAll = false;
    const Section* expected = notebook.firstSection();
    try {
        StreamNotebookImage(image, [&](const StreamedSection& s) {
            ++streamed;
            if (read) {
                require(expected && s.path == sectionPath(expected), "stream and tree paths");
                require(s.text() == expected->body().text(), "stream and tree bodies");
                expected = notebook.nextSection(expected);
            }
        });
        streamedAll = true;
    } catch (const KeltoError&) {
    }
    require(read == streamedAll, "stream and tree reads agree on success");
    if (!read)
        return 0;
    require(streamed == notebook.sectionCount(), "stream visits every section");
    require(notebook.isEmpty() || notebook.current(), "a read notebook has a current section");
    requireSavedAlike(notebook, "a read notebook saves and reads back alike");
    return 0;
}

} // namespace kelto::fuzz
