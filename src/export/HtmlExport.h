// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/ExportOptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kelto {

class AtomicFileWriter;
class Notebook;
class Section;

// Which parts of an element htmlTag() writes.
enum HtmlTagPart
{
    HtmlOpen = 1,
    HtmlClose = 2,
    HtmlElement = HtmlOpen | HtmlClose,
};

// indent blanks, then (with HtmlOpen) "<tag name="value" ...>", content as
// given, then (with HtmlClose) "</tag>". Names and values pair up to the
// shorter list. Values are quoted with "&" and '"' escaped; content is not
// escaped (callers pass markup or escapeHtml() text).
QString htmlTag(int indent, QStringView tag, const QStringList& names, const QStringList& values,
                const QString& content, int parts);

// Text as HTML character data: "&", "<" and ">" escaped.
QString escapeHtml(const QString& text);

// A colour stored as 00BBGGRR as the six upper-case hex digits RRGGBB; the
// high byte (system colour codes) is ignored.
QString htmlColor(int colour);

// Where the two frames of a frameset export sit.
enum class FrameLayout
{
    None = 0,    // one page with the contents and the sections
    Columns = 1, // contents left of the sections
    Rows = 2,    // contents above the sections
};

struct HtmlExportOptions : ExportOptions
{
    // Colours (00BBGGRR) and link font of the page.
    int bgColor = 0xFFFFFF;
    int link = 0x0000FF;
    int aLink = 0x008000;
    int vLink = 0x808000;
    QString linkFont = QStringLiteral("Tahoma");
    int linkSize = 10;
    FrameLayout frames = FrameLayout::None;
};

// The pages an export may write. A frameset export writes the frameset
// under the chosen name and two pages beside it: BASE_c.EXT with the
// contents, whose links open the sections in the other frame, and
// BASE_d.EXT with the sections.
enum class HtmlPage
{
    Whole,
    Frameset,
    Contents,
    Data,
};

// name without the extension of its file-name part; whole when it has none.
QString stripExtension(const QString& name);

// The file a page of the export to fileName goes to.
QString htmlPagePath(const QString& fileName, HtmlPage page);

// One page of the HTML export as its file holds it, CR LF after every line.
// The whole page has the head, a nested contents list linking to the
// sections, and with captions and bodies one block per section that links
// back to its entry. Anchors are the pre-order indexes in the whole tree.
// Windows-1251 when every character fits, else UTF-8; the head declares
// which. fileName names the frameset, whose pages link to each other by
// name. With a file, the bytes go there as they are made and none are
// returned. Throws KeltoError when a range needs a selected section and
// there is none.
QByteArray BuildHtmlExport(const Notebook& notebook, const HtmlExportOptions& options,
                           HtmlPage page = HtmlPage::Whole, const QString& fileName = {},
                           AtomicFileWriter* file = nullptr);

// Writes the export over fileName (with frames, its two pages first), each
// file through a temporary file, so a failure or a cancel leaves any old
// file whole. Throws
// KeltoError when a file cannot be written.
void ExportHtml(const Notebook& notebook, const QString& fileName,
                const HtmlExportOptions& options);

} // namespace kelto
