#pragma once

#include "export/ExportOptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kelto {

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

struct HtmlExportOptions : ExportOptions
{
    // Colours (00BBGGRR) and link font of the page.
    int bgColor = 0xFFFFFF;
    int link = 0x0000FF;
    int aLink = 0x008000;
    int vLink = 0x808000;
    QString linkFont = QStringLiteral("Tahoma");
    int linkSize = 10;
    // The program named in the Generator meta element; the application's
    // name when empty.
    QString generator;
};

// The HTML export as the file holds it, CR LF after every line: the head,
// a nested contents list linking to the sections, and with captions and
// bodies one block per section that links back to its entry. Anchors are
// the pre-order indexes in the whole tree. Windows-1251 when every
// character fits, else UTF-8; the head declares which. Throws KeltoError
// when a range needs a selected section and there is none.
QByteArray BuildHtmlExport(const Notebook& notebook, const HtmlExportOptions& options);

// Writes BuildHtmlExport() over fileName in one step, so a failure leaves
// any old file whole. Throws KeltoError when the file cannot be written.
void ExportHtml(const Notebook& notebook, const QString& fileName,
                const HtmlExportOptions& options);

} // namespace kelto
