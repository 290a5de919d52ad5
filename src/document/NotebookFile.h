// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DocumentProperties.h"
#include "SectionRange.h"
#include "common/TextCodec.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace kelto {

class Notebook;
class Section;

extern const QString StructureErrorMessage;

struct ReadOptions
{
    // Select the section the file recorded as current ("Activate").
    bool activateLastNode = false;
};

enum class FileKind
{
    Notebook,
    PlainText
};

// Reads a notebook file, or any other file as one section "Новый раздел"
// holding its text. The file is read into a new tree first: only a complete
// success replaces the notebook's tree (and, for a notebook file, its
// properties); on failure KeltoError is thrown and the notebook is left as it
// was. File name and modified flag are the caller's.
FileKind ReadNotebook(const QString& path, Notebook& notebook, const ReadOptions& options = {});
// What a listing needs, read without the bodies: the properties and the
// outline of a notebook file, with every body's length checked against the
// file (the same checks and errors as ReadNotebook) but only the body of the
// section with pre-order index bodyIndex read, when that is not negative;
// the others are left empty. Any other file is read whole, as ReadNotebook
// reads it.
FileKind ReadNotebookOutline(const QString& path, Notebook& notebook, int bodyIndex = -1,
                             const ReadOptions& options = {});
// The same from a file image already in memory.
FileKind ReadNotebookImage(const QByteArray& image, Notebook& notebook,
                           const ReadOptions& options = {});

// One section as a streaming read gives it: the captions from its top-level
// ancestor down to it joined by "\" (what sectionPath() gives once the file
// is opened) and its body as the file holds it. The views last for the call.
struct StreamedSection
{
    QStringView path;
    QByteArrayView body;
    TextEncoding encoding;
    // The body's text, as SectionBody::text() gives it.
    QString text() const;
};
using SectionVisitor = std::function<void(const StreamedSection&)>;

// Reads a file as ReadNotebook does, with the same checks and errors, but
// builds no tree: visit is called for each section in tree order as the file
// is read through. The outline is checked whole before the first visit; a
// damaged body fails once the sections before it have been visited. Any
// other file is one section "Новый раздел" holding its text.
FileKind StreamNotebook(const QString& path, const SectionVisitor& visit);
FileKind StreamNotebookImage(const QByteArray& image, const SectionVisitor& visit);

struct WriteOptions
{
    ExportRange range = ExportRange::All;
    bool bodies = true;
    bool properties = true;
    // Keep the previous content of an existing target as its ".bak".
    bool createBackup = true;
    // The section ranges 1-3 start from; the current section when null.
    const Section* selected = nullptr;
    ExportProgress progress = {};
};

// Builds the file image and writes it over the target in one step (through a
// temporary file), so a failed write leaves any old file whole. Writing to
// the notebook's own file, or while it has never been saved, stamps the
// notebook's own properties, once the file is written; otherwise a separate
// list is written. Never touches the modified flag.
void WriteNotebook(Notebook& notebook, const QString& path, const WriteOptions& options = {});

// Takes the next piece of an image as it is made.
using ImageWriter = std::function<void(QByteArrayView piece)>;

// What WriteNotebook writes to path (path decides only whether the target
// exists and whether it is the notebook's own file).
struct NotebookImage
{
    // The whole image, or nothing when it went to a writer piece by piece.
    QByteArray bytes;
    // The properties in the header. With ownProperties they are the
    // notebook's own, stamped, and become its properties once written.
    DocumentProperties header;
    bool ownProperties = false;
};
NotebookImage BuildNotebookImage(const Notebook& notebook, const QString& path,
                                 const WriteOptions& options, const ImageWriter& write = {});

// The pieces of an image:
// base with "FlWrite" := now, "FlCreate" := now for a target that does not
// exist yet, "Activate" := activate, and without any "Charset" line;
DocumentProperties stampedProperties(DocumentProperties base, const QString& now, bool targetExists,
                                     int activate);
// the code page when the header, every caption and (with bodies) every body
// fit in it, else UTF-8, which is then marked in the header (Charset=UTF-8);
TextEncoding chooseNotebookEncoding(DocumentProperties& header, const SectionRange& range,
                                    bool bodies);
// signature, header, outline and body entries (empty ones without bodies).
// With write given, the image goes to it in pieces of about a megabyte, so
// no more than a piece is held at a time, and the result is empty.
QByteArray assembleNotebookImage(const DocumentProperties& header, const SectionRange& range,
                                 bool bodies, TextEncoding encoding,
                                 const ExportProgress& progress = {},
                                 const ImageWriter& write = {});

} // namespace kelto
