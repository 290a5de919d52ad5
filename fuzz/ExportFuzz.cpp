// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"

#include "common/KeltoError.h"
#include "document/Notebook.h"
#include "document/NotebookFile.h"
#include "export/HtmlExport.h"
#include "export/TextExport.h"

namespace kelto::fuzz {

namespace {

// The notebook the input reads as (any input reads as one: a file that is
// no notebook is one section holding its text), with options picked by the
// selector byte.
bool readForExport(const std::uint8_t* data, std::size_t size, Notebook& notebook,
                   ExportOptions& options)
{
    try {
        ReadOptions read;
        read.activateLastNode = true;
        ReadNotebookImage(bytesOf(data, size), notebook, read);
    } catch (const KeltoError&) {
        return false;
    }
    const unsigned pick = selector(data, size);
    options.range = ExportRange(pick % 4);
    options.objects = ExportObjects((pick / 4) % 3);
    options.documentInfo = pick & 0x10;
    options.pathCaptions = pick & 0x20;
    options.delimiter = (pick & 0x40) ? QStringLiteral("-- \u2014 --") : QString();
    options.selected = (pick & 0x80) ? notebook.sectionAt(notebook.sectionCount() / 2) : nullptr;
    return true;
}

bool needsSelection(const ExportOptions& options, const Notebook& notebook)
{
    return options.range != ExportRange::All && !options.selected && !notebook.current();
}

} // namespace

int textExport(const std::uint8_t* data, std::size_t size)
{
    Notebook notebook;
    TextExportOptions options;
    if (!readForExport(data, size, notebook, options))
        return 0;
    try {
        BuildTextExport(notebook, options);
    } catch (const KeltoError&) {
        require(needsSelection(options, notebook), "a text export fails only without a selection");
    }
    return 0;
}

int htmlExport(const std::uint8_t* data, std::size_t size)
{
    Notebook notebook;
    HtmlExportOptions options;
    if (!readForExport(data, size, notebook, options))
        return 0;
    options.frames = FrameLayout(selector(data, size) % 3);
    const QString name = QStringLiteral("/nonexistent/export.html");
    try {
        for (HtmlPage page :
             {HtmlPage::Whole, HtmlPage::Frameset, HtmlPage::Contents, HtmlPage::Data}) {
            const QByteArray html = BuildHtmlExport(notebook, options, page, name);
            require(html.contains("</html>") || html.contains("</HTML>"), "every page is complete");
        }
    } catch (const KeltoError&) {
        require(needsSelection(options, notebook), "an HTML export fails only without a selection");
    }
    return 0;
}

} // namespace kelto::fuzz
