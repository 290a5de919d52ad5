// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextExport.h"

#include "common/Clock.h"
#include "common/FileIo.h"
#include "common/TextCodec.h"
#include "document/Notebook.h"
#include "export/ExportWriter.h"
#include "tools/DateTimeFormat.h"

namespace kelto {

namespace {

constexpr QLatin1String CrLf("\r\n");
// Labels are right-aligned so the colons line up.
constexpr qsizetype LabelWidth = 11;

void writeDocumentInfo(const DocumentProperties& properties, const QString& stamp,
                       ExportWriter& sink)
{
    const std::pair<QStringView, QString> rows[] = {
        {u"Название", properties.value(DocumentProperties::Name)},
        {u"Автор", properties.value(DocumentProperties::Author)},
        {u"Адрес", properties.value(DocumentProperties::Addr)},
        {u"Описание", properties.value(DocumentProperties::Descript)},
        {u"Ключ. слова", properties.value(DocumentProperties::KeyWords)},
        {u"Дата записи", stamp},
    };
    for (const auto& [label, value] : rows)
        sink.text(label.toString().rightJustified(LabelWidth) + QLatin1String(": ") + value + CrLf);
    sink.text(QString(CrLf));
}

// The whole export, piece by piece, into sink. stamp is the export date.
void writeExport(const Notebook& notebook, const TextExportOptions& options, const QString& stamp,
                 ExportWriter& sink)
{
    if (options.documentInfo)
        writeDocumentInfo(notebook.properties(), stamp, sink);
    if (notebook.isEmpty())
        return;
    const SectionRange range(notebook, options.range, options.selected);
    // Subsections alone are indented as below their (unwritten) parent.
    const int indent = options.range == ExportRange::Subsections ? 1 : 0;
    if (options.objects != ExportObjects::BodiesOnly) {
        for (const SectionRange::Entry& e : range)
            sink.text(QString(e.level + indent, u'\t') + e.section->caption() + CrLf);
    }
    if (options.objects == ExportObjects::Captions)
        return;
    const QString separator =
        options.delimiter.isEmpty() ? QString() : CrLf + options.delimiter + CrLf;
    std::size_t done = 0;
    for (const SectionRange::Entry& e : range) {
        sink.text(separator);
        if (options.objects != ExportObjects::BodiesOnly) {
            const QString heading =
                options.pathCaptions ? sectionPath(e.section) : e.section->caption();
            sink.text(heading + CrLf + CrLf);
        }
        sink.body(e.section->body());
        sink.written(++done, range.size());
    }
}

} // namespace

QByteArray BuildTextExport(const Notebook& notebook, const TextExportOptions& options,
                           AtomicFileWriter* file)
{
    // The system's short date and, unless it is midnight, its long time.
    const QString stamp = options.documentInfo
                              ? formatDateTime(u"c", currentDateTime(), systemDateTimeLocale())
                              : QString();
    return exportInFittingEncoding(options, file, Utf8Bom, [&](ExportWriter& writer) {
        writeExport(notebook, options, stamp, writer);
    });
}

void ExportText(const Notebook& notebook, const QString& fileName, const TextExportOptions& options)
{
    AtomicFileWriter file(fileName);
    BuildTextExport(notebook, options, &file);
    file.commit();
}

} // namespace kelto
