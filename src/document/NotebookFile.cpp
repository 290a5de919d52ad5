// SPDX-License-Identifier: GPL-3.0-or-later
#include "NotebookFile.h"

#include "Notebook.h"
#include "OutlineText.h"
#include "SectionRange.h"
#include "common/Clock.h"
#include "common/FileIo.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "common/TextLines.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace kelto {

const QString StructureErrorMessage =
    QStringLiteral("Нарушена структура файла или данный формат файла не поддерживается");

namespace {

constexpr char Signature[] = "NIB";
constexpr char Version = 1;
constexpr qsizetype MaxBlock = std::numeric_limits<quint32>::max();

[[noreturn]] void structureError()
{
    throw KeltoError(StructureErrorMessage);
}

[[noreturn]] void tooLargeError()
{
    throw KeltoError(QStringLiteral("Записная книжка слишком велика для этого формата файла: его "
                                    "блок не может превышать 4 ГБ."));
}

// Walks the blocks of a file image; every declared length is checked against
// what is left before anything is used.
class ImageReader
{
public:
    explicit ImageReader(const QByteArray& image) : m_image(image) {}

    qsizetype position() const { return m_pos; }

    qsizetype readLength()
    {
        if (m_image.size() - m_pos < 4)
            structureError();
        const quint32 value = qFromLittleEndian<quint32>(m_image.constData() + m_pos);
        m_pos += 4;
        if (qsizetype(value) > m_image.size() - m_pos)
            structureError();
        return qsizetype(value);
    }

    QByteArrayView take(qsizetype length)
    {
        QByteArrayView view(m_image.constData() + m_pos, length);
        m_pos += length;
        return view;
    }

private:
    const QByteArray& m_image;
    qsizetype m_pos = 4;
};

// Lines of the header block, split like outline lines; a NUL ends the text.
std::vector<QByteArrayView> splitLines(QByteArrayView text)
{
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text = text.first(nul);
    std::vector<QByteArrayView> lines;
    forEachLine(text, [&](QByteArrayView line) { lines.push_back(line); });
    return lines;
}

bool isUtf8CharsetLine(QByteArrayView line)
{
    return QLatin1StringView(line).compare(QLatin1StringView("Charset=UTF-8"),
                                           Qt::CaseInsensitive) == 0;
}

void chooseCurrent(Notebook& notebook, const DocumentProperties& properties,
                   const ReadOptions& options)
{
    const int index =
        options.activateLastNode ? properties.activateIndex(notebook.sectionCount()) : 0;
    notebook.setCurrent(notebook.sectionAt(index));
}

FileKind readPlainText(const QByteArray& image, Notebook& target)
{
    Notebook fresh;
    Section* section = fresh.addSection(nullptr, Notebook::NewSectionCaption);
    qsizetype skip = 0;
    const TextEncoding encoding = detectPlainText(image, &skip);
    section->body().setStored(image, skip, image.size() - skip, encoding);
    target.adoptTree(fresh);
    return FileKind::PlainText;
}

bool isNotebookImage(const QByteArray& image)
{
    return image.size() >= 4 && std::memcmp(image.constData(), Signature, 3) == 0 &&
           image[3] == Version;
}

struct HeaderBlock
{
    std::vector<QByteArrayView> lines;
    TextEncoding encoding = TextEncoding::Cp1251;
};

// The header block's lines and the encoding they declare for the file.
HeaderBlock readHeader(ImageReader& reader)
{
    QByteArrayView header = reader.take(reader.readLength());
    // The writer ends the header with CR LF; only such a break is dropped.
    if (header.endsWith('\n')) {
        header.chop(1);
        if (header.endsWith('\r'))
            header.chop(1);
    }
    HeaderBlock block;
    block.lines = splitLines(header);
    for (QByteArrayView line : block.lines) {
        if (isUtf8CharsetLine(line))
            block.encoding = TextEncoding::Utf8;
    }
    return block;
}

} // namespace

namespace {

// The header and the outline: the document properties, the encoding they
// declare, and the tree built into fresh.
struct Head
{
    DocumentProperties properties;
    TextEncoding encoding = TextEncoding::Cp1251;
};

Head readHead(ImageReader& reader, Notebook& fresh)
{
    const HeaderBlock header = readHeader(reader);
    Head head;
    head.encoding = header.encoding;
    QStringList lines;
    lines.reserve(qsizetype(header.lines.size()));
    for (QByteArrayView line : header.lines)
        lines.append(decodeText(line, head.encoding));
    head.properties.setLines(std::move(lines));
    ReadOutline(reader.take(reader.readLength()), head.encoding, fresh);
    return head;
}

} // namespace

FileKind ReadNotebookImage(const QByteArray& image, Notebook& target, const ReadOptions& options)
{
    if (!isNotebookImage(image))
        return readPlainText(image, target);
    ImageReader reader(image);
    Notebook fresh;
    Head head = readHead(reader, fresh);
    for (Section* s = fresh.firstSection(); s; s = fresh.nextSection(s)) {
        const qsizetype length = reader.readLength();
        s->body().setStored(image, reader.position(), length, head.encoding);
        reader.take(length);
    }
    chooseCurrent(fresh, head.properties, options);

    target.adoptTree(fresh);
    target.properties() = std::move(head.properties);
    return FileKind::Notebook;
}

namespace {

// Reads a file's blocks in order through a buffer of a megabyte, so that
// skipping many small bodies costs no system call each. Every declared
// length is checked against what the file has left before anything is
// read, skipped or allocated.
class FileBlocks
{
public:
    explicit FileBlocks(QFile& file) : m_file(file), m_size(file.size()), m_bufferStart(file.pos())
    {
    }

    QByteArray read(qsizetype length)
    {
        check(length);
        if (m_buffer.size() - m_at < length && length <= Chunk)
            refill();
        const qsizetype fromBuffer = std::min(length, m_buffer.size() - m_at);
        QByteArray bytes = m_buffer.mid(m_at, fromBuffer);
        m_at += fromBuffer;
        if (fromBuffer < length) {
            // A block larger than the buffer comes straight from the file.
            bytes += m_file.read(length - fromBuffer);
            restartAt(m_file.pos());
            if (bytes.size() != length)
                structureError();
        }
        return bytes;
    }
    // A length field, and the length it declares.
    qsizetype readLength(QByteArray* into = nullptr)
    {
        const QByteArray field = read(4);
        const quint32 value = qFromLittleEndian<quint32>(field.constData());
        check(qint64(value));
        if (into)
            *into += field;
        return qsizetype(value);
    }
    void skip(qsizetype length)
    {
        check(length);
        if (m_at + length <= m_buffer.size()) {
            m_at += length;
            return;
        }
        const qint64 target = position() + length;
        if (!m_file.seek(target))
            structureError();
        restartAt(target);
    }

private:
    static constexpr qsizetype Chunk = 1 << 20;

    qint64 position() const { return m_bufferStart + m_at; }
    void check(qint64 length) const
    {
        if (length > m_size - position())
            structureError();
    }
    // What is left of the buffer, then the next chunk (the file's own
    // position is always the buffer's end).
    void refill()
    {
        m_buffer = m_buffer.mid(m_at) + m_file.read(Chunk);
        m_bufferStart = m_file.pos() - m_buffer.size();
        m_at = 0;
    }
    void restartAt(qint64 at)
    {
        m_buffer.clear();
        m_bufferStart = at;
        m_at = 0;
    }

    QFile& m_file;
    qint64 m_size;
    QByteArray m_buffer;
    qint64 m_bufferStart;
    qsizetype m_at = 0;
};

} // namespace

FileKind ReadNotebookOutline(const QString& path, Notebook& target, int bodyIndex,
                             const ReadOptions& options)
{
    QFile file(path);
    openForReading(file, QIODevice::Unbuffered, StructureErrorMessage);
    FileBlocks blocks(file);
    if (file.size() < 4)
        return ReadNotebook(path, target, options);
    QByteArray image = blocks.read(4);
    if (!isNotebookImage(image))
        return ReadNotebook(path, target, options);
    // The signature, the header and the outline, as one small image.
    for (int block = 0; block < 2; ++block) {
        const qsizetype length = blocks.readLength(&image);
        image += blocks.read(length);
    }
    ImageReader reader(image);
    Notebook fresh;
    Head head = readHead(reader, fresh);
    int index = 0;
    for (Section* s = fresh.firstSection(); s; s = fresh.nextSection(s), ++index) {
        const qsizetype length = blocks.readLength();
        if (index == bodyIndex)
            s->body().setStored(blocks.read(length), 0, length, head.encoding);
        else
            blocks.skip(length);
    }
    chooseCurrent(fresh, head.properties, options);

    target.adoptTree(fresh);
    target.properties() = std::move(head.properties);
    return FileKind::Notebook;
}

QString StreamedSection::text() const
{
    return SectionBody::normalizeBreaks(decodeText(body, encoding));
}

FileKind StreamNotebookImage(const QByteArray& image, const SectionVisitor& visit)
{
    if (!isNotebookImage(image)) {
        qsizetype skip = 0;
        const TextEncoding encoding = detectPlainText(image, &skip);
        visit({Notebook::NewSectionCaption, QByteArrayView(image).sliced(skip), encoding});
        return FileKind::PlainText;
    }
    ImageReader reader(image);
    const TextEncoding encoding = readHeader(reader).encoding;
    struct Entry
    {
        int depth;
        QString caption;
    };
    std::vector<Entry> entries;
    ForEachOutlineLine(reader.take(reader.readLength()), encoding, [&](int depth, QString caption) {
        entries.push_back({depth, std::move(caption)});
    });
    QString path;
    std::vector<qsizetype> ends; // ends[d]: where the path's part of depth d ends
    for (const Entry& e : entries) {
        ends.resize(size_t(e.depth));
        path.truncate(ends.empty() ? 0 : ends.back());
        if (e.depth > 0)
            path += QLatin1Char('\\');
        path += e.caption;
        ends.push_back(path.size());
        // Each body is checked as it is reached, the way the file is read
        // through, so a damaged one fails after the sections before it.
        visit({path, reader.take(reader.readLength()), encoding});
    }
    return FileKind::Notebook;
}

FileKind ReadNotebook(const QString& path, Notebook& notebook, const ReadOptions& options)
{
    return ReadNotebookImage(readWholeFile(path, StructureErrorMessage), notebook, options);
}

FileKind StreamNotebook(const QString& path, const SectionVisitor& visit)
{
    // A mapped file is read in place, without first copying all of it into
    // memory; a file that cannot be mapped is read whole. A file the window
    // could not open (no smaller than memory) is refused here too.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.size() >= physicalMemory())
        structureError();
    if (file.isOpen() && file.size() > 0) {
        if (const uchar* bytes = file.map(0, file.size())) {
            const QByteArray image =
                QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), file.size());
            return StreamNotebookImage(image, visit);
        }
    }
    return StreamNotebookImage(readWholeFile(path, StructureErrorMessage), visit);
}

namespace {

// The outline of a very deep tree grows with the square of its depth; a tree
// the format cannot hold is refused before anything is built.
void checkOutlineSize(const SectionRange& range)
{
    qint64 bytes = 0;
    for (const SectionRange::Entry& e : range) {
        bytes += e.level + e.section->caption().size() + 2;
        if (bytes > MaxBlock)
            tooLargeError();
    }
}

// Appends a length field followed by whatever fill() appends, then sets the
// length.
template <typename Fill> void appendBlock(QByteArray& out, Fill&& fill)
{
    const qsizetype lengthAt = out.size();
    out.append(4, '\0');
    fill();
    const qsizetype length = out.size() - lengthAt - 4;
    if (length > MaxBlock)
        tooLargeError();
    qToLittleEndian<quint32>(quint32(length), out.data() + lengthAt);
}

bool everythingFitsCp1251(const DocumentProperties& header, const SectionRange& range, bool bodies)
{
    for (const QString& line : header.lines()) {
        if (!cp1251::canEncode(line))
            return false;
    }
    for (const SectionRange::Entry& e : range) {
        if (!cp1251::canEncode(e.section->caption()))
            return false;
        if (bodies && !e.section->body().fitsCp1251())
            return false;
    }
    return true;
}

// One allocation of about the right size: growing a buffer of this size
// step by step would leave a third of it unused.
qsizetype expectedImageSize(const DocumentProperties& header, const SectionRange& range,
                            bool bodies, TextEncoding encoding)
{
    qsizetype expected = 12 + 1024;
    for (const QString& line : header.lines())
        expected += line.size() + 2;
    for (const SectionRange::Entry& e : range) {
        expected += e.level + e.section->caption().size() + 2 + 4;
        if (bodies)
            expected += e.section->body().encodedSizeHint(encoding);
    }
    return expected;
}

} // namespace

DocumentProperties stampedProperties(DocumentProperties base, const QString& now, bool targetExists,
                                     int activate)
{
    base.setValue(DocumentProperties::FlWrite, now);
    if (!targetExists)
        base.setValue(DocumentProperties::FlCreate, now);
    base.setValue(DocumentProperties::Activate, QString::number(activate));
    // Every charset line goes, not just the first: the reader takes any
    // "Charset=UTF-8" line as the file's encoding, so one left behind would
    // make a Windows-1251 file read back as garbled UTF-8.
    while (base.contains(DocumentProperties::Charset))
        base.setValue(DocumentProperties::Charset, QString());
    return base;
}

TextEncoding chooseNotebookEncoding(DocumentProperties& header, const SectionRange& range,
                                    bool bodies)
{
    // Text the code page cannot hold is written as UTF-8, and the header
    // says so.
    if (everythingFitsCp1251(header, range, bodies))
        return TextEncoding::Cp1251;
    header.setValue(DocumentProperties::Charset, QStringLiteral("UTF-8"));
    return TextEncoding::Utf8;
}

QByteArray assembleNotebookImage(const DocumentProperties& header, const SectionRange& range,
                                 bool bodies, TextEncoding encoding, const ExportProgress& progress,
                                 const ImageWriter& write)
{
    constexpr qsizetype Piece = 1 << 20;
    QByteArray image;
    image.reserve(write ? 2 * Piece : expectedImageSize(header, range, bodies, encoding));
    // Pieces are handed over between blocks: a block's length is set once
    // its content is in place.
    const auto handOver = [&](qsizetype atLeast) {
        if (write && image.size() >= atLeast) {
            write(image);
            image.resize(0); // keeps the allocation for the next piece
        }
    };
    image.append(Signature, 3);
    image.append(Version);
    appendBlock(image, [&] {
        for (const QString& line : header.lines()) {
            appendText(image, line, encoding);
            image.append("\r\n", 2);
        }
    });
    appendBlock(image, [&] {
        for (const SectionRange::Entry& e : range)
            appendOutlineLine(image, e.level, e.section->caption(), encoding);
    });
    std::size_t done = 0;
    for (const SectionRange::Entry& e : range) {
        appendBlock(image, [&] {
            if (bodies)
                e.section->body().appendEncoded(image, encoding);
        });
        handOver(Piece);
        reportExportProgress(progress, ++done, range.size());
    }
    handOver(0);
    return image;
}

NotebookImage BuildNotebookImage(const Notebook& notebook, const QString& path,
                                 const WriteOptions& options, const ImageWriter& write)
{
    const SectionRange range(notebook, options.range, options.selected);
    checkOutlineSize(range);

    NotebookImage image;
    image.ownProperties = !notebook.hasFile() || isSameFile(path, notebook.fileName());
    DocumentProperties base;
    if (image.ownProperties || options.properties)
        base = notebook.properties();
    image.header =
        stampedProperties(std::move(base), fileStampText(currentDateTime()),
                          QFileInfo::exists(path), std::max(0, range.indexOf(notebook.current())));
    const TextEncoding encoding = chooseNotebookEncoding(image.header, range, options.bodies);
    image.bytes = assembleNotebookImage(image.header, range, options.bodies, encoding,
                                        options.progress, write);
    return image;
}

void WriteNotebook(Notebook& notebook, const QString& path, const WriteOptions& options)
{
    const bool targetExists = QFileInfo::exists(path);
    const QString backup = backupPathFor(path);
    const bool backupWanted = options.createBackup && targetExists && !isSameFile(backup, path);
    // The image goes to the temporary file as it is made, so a save holds
    // a megabyte of it rather than a second copy of the notebook.
    AtomicFileWriter file(path);
    NotebookImage image = BuildNotebookImage(notebook, path, options,
                                             [&](QByteArrayView piece) { file.write(piece); });
    file.commit([&] {
        if (backupWanted)
            makeBackupCopy(path, backup);
    });
    if (image.ownProperties)
        notebook.properties() = std::move(image.header);
}

} // namespace kelto
