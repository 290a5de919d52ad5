// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/TextCodec.h"
#include "export/ExportOptions.h"

#include <QByteArray>
#include <QStringView>

#include <functional>

namespace kelto {

class AtomicFileWriter;
class SectionBody;

// Collects an export's bytes in their final encoding and tells whether the
// code page held everything. With a file, the bytes are handed on every
// megabyte, so an export of any size needs little memory; without one they
// stay in bytes().
class ExportWriter
{
public:
    ExportWriter(TextEncoding encoding, const ExportOptions& options,
                 AtomicFileWriter* file = nullptr);
    void text(QStringView text);
    // The body as a file holds it: CR LF breaks.
    void body(const SectionBody& body);
    // The body as HTML character data: "&", "<" and ">" escaped.
    void htmlBody(const SectionBody& body);
    // Reports progress; throws ExportCancelled when asked to stop.
    void written(std::size_t done, std::size_t total) { m_options.reportProgress(done, total); }
    TextEncoding encoding() const { return m_encoding; }
    // False once something written had no byte in the code page.
    bool fits() const { return m_fits; }
    // Hands the rest to the file.
    void finish();
    QByteArray& bytes() { return m_out; }

private:
    void noteBody(const SectionBody& body);
    void handOn();

    TextEncoding m_encoding;
    const ExportOptions& m_options;
    AtomicFileWriter* m_file;
    bool m_fits = true;
    QByteArray m_out;
    QByteArray m_scratch; // one body at a time
};

// Runs write(writer) in the code page and, when something did not fit, once
// more in UTF-8 after utf8Mark, starting the file afresh. Returns the bytes
// when there is no file.
QByteArray exportInFittingEncoding(const ExportOptions& options, AtomicFileWriter* file,
                                   QByteArrayView utf8Mark,
                                   const std::function<void(ExportWriter&)>& write);

} // namespace kelto
