// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportWriter.h"

#include "common/FileIo.h"
#include "document/SectionBody.h"

namespace kelto {

namespace {

constexpr qsizetype HandOnSize = 1 << 20;

} // namespace

ExportWriter::ExportWriter(TextEncoding encoding, const ExportOptions& options,
                           AtomicFileWriter* file)
    : m_encoding(encoding), m_options(options), m_file(file)
{
    if (file)
        m_out.reserve(2 * HandOnSize);
}

void ExportWriter::text(QStringView text)
{
    if (m_encoding == TextEncoding::Cp1251)
        m_fits = cp1251::appendEncoded(m_out, text) && m_fits;
    else
        appendText(m_out, text, m_encoding);
    handOn();
}

void ExportWriter::noteBody(const SectionBody& body)
{
    if (m_encoding == TextEncoding::Cp1251 && m_fits)
        m_fits = body.fitsCp1251();
}

void ExportWriter::body(const SectionBody& body)
{
    noteBody(body);
    body.appendEncoded(m_out, m_encoding);
    handOn();
}

// The markup characters are single ASCII bytes in both encodings and never
// part of a longer character, so the encoded bytes are escaped directly.
void ExportWriter::htmlBody(const SectionBody& body)
{
    noteBody(body);
    m_scratch.resize(0); // keeps the buffer
    body.appendEncoded(m_scratch, m_encoding);
    const char* from = m_scratch.constData();
    const char* const end = from + m_scratch.size();
    for (const char* p = from; p != end; ++p) {
        const char* entity = *p == '&'   ? "&amp;"
                             : *p == '<' ? "&lt;"
                             : *p == '>' ? "&gt;"
                                         : nullptr;
        if (entity) {
            m_out.append(from, p - from).append(entity);
            from = p + 1;
        }
    }
    m_out.append(from, end - from);
    handOn();
}

void ExportWriter::handOn()
{
    if (m_file && m_out.size() >= HandOnSize) {
        m_file->write(m_out);
        m_out.resize(0); // keeps the buffer
    }
}

void ExportWriter::finish()
{
    if (m_file) {
        m_file->write(m_out);
        m_out.clear();
    }
}

QByteArray exportInFittingEncoding(const ExportOptions& options, AtomicFileWriter* file,
                                   QByteArrayView utf8Mark,
                                   const std::function<void(ExportWriter&)>& write)
{
    {
        ExportWriter writer(TextEncoding::Cp1251, options, file);
        write(writer);
        if (writer.fits()) {
            writer.finish();
            return writer.bytes();
        }
    }
    if (file)
        file->restart();
    ExportWriter writer(TextEncoding::Utf8, options, file);
    writer.bytes() = utf8Mark.toByteArray();
    write(writer);
    writer.finish();
    return writer.bytes();
}

} // namespace kelto
