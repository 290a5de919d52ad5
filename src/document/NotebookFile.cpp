#include "NotebookFile.h"

#include "Notebook.h"
#include "OutlineText.h"
#include "common/Clock.h"
#include "common/FileIo.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "common/TextLines.h"

#include <QFileInfo>
#include <QtEndian>

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
    Section* current = notebook.firstSection();
    if (options.activateLastNode) {
        bool ok = false;
        const int index = properties.value(DocumentProperties::Activate).toInt(&ok);
        if (ok && index >= 0 && index < notebook.sectionCount())
            current = notebook.sectionAt(index);
    }
    notebook.setCurrent(current);
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

} // namespace

FileKind ReadNotebookImage(const QByteArray& image, Notebook& target, const ReadOptions& options)
{
    if (image.size() < 4 || std::memcmp(image.constData(), Signature, 3) != 0 ||
        image[3] != Version) {
        return readPlainText(image, target);
    }
    ImageReader reader(image);

    QByteArrayView header = reader.take(reader.readLength());
    // The writer ends the header with CR LF; only such a break is dropped.
    if (header.endsWith('\n')) {
        header.chop(1);
        if (header.endsWith('\r'))
            header.chop(1);
    }
    const std::vector<QByteArrayView> headerLines = splitLines(header);
    TextEncoding encoding = TextEncoding::Cp1251;
    for (QByteArrayView line : headerLines) {
        if (isUtf8CharsetLine(line))
            encoding = TextEncoding::Utf8;
    }
    QStringList lines;
    lines.reserve(qsizetype(headerLines.size()));
    for (QByteArrayView line : headerLines)
        lines.append(decodeText(line, encoding));
    DocumentProperties properties;
    properties.setLines(std::move(lines));

    Notebook fresh;
    ReadOutline(reader.take(reader.readLength()), encoding, fresh);
    for (Section* s = fresh.firstSection(); s; s = fresh.nextSection(s)) {
        const qsizetype length = reader.readLength();
        s->body().setStored(image, reader.position(), length, encoding);
        reader.take(length);
    }
    chooseCurrent(fresh, properties, options);

    target.adoptTree(fresh);
    target.properties() = std::move(properties);
    return FileKind::Notebook;
}

FileKind ReadNotebook(const QString& path, Notebook& notebook, const ReadOptions& options)
{
    return ReadNotebookImage(readWholeFile(path, StructureErrorMessage), notebook, options);
}

namespace {

struct OutlineEntry
{
    const Section* section;
    int level;
};

std::vector<OutlineEntry> collectEntries(const Notebook& notebook, ExportRange range,
                                         const Section* selected)
{
    std::vector<OutlineEntry> entries;
    if (range == ExportRange::All) {
        entries.reserve(size_t(notebook.sectionCount()));
        forEachDescendant(notebook.container(), [&](const Section* s, int depth) {
            entries.push_back({s, depth - 1});
        });
        return entries;
    }
    if (!selected)
        throw KeltoError(QStringLiteral("Не выбран раздел для записи."));
    if (range == ExportRange::Branch || range == ExportRange::SectionOnly)
        entries.push_back({selected, 0});
    if (range == ExportRange::Branch) {
        forEachDescendant(selected, [&](const Section* s, int depth) {
            entries.push_back({s, depth});
        });
    } else if (range == ExportRange::Subsections) {
        // The children go at level 0 so that the file reads back as exactly
        // these subsections.
        forEachDescendant(selected, [&](const Section* s, int depth) {
            entries.push_back({s, depth - 1});
        });
    }
    return entries;
}

// The outline of a very deep tree grows with the square of its depth; a tree
// the format cannot hold is refused before anything is built.
void checkOutlineSize(const std::vector<OutlineEntry>& entries)
{
    qint64 bytes = 0;
    for (const OutlineEntry& e : entries) {
        bytes += e.level + e.section->caption().size() + 2;
        if (bytes > MaxBlock)
            tooLargeError();
    }
}

bool everythingFitsCp1251(const QStringList& propertyLines,
                          const std::vector<OutlineEntry>& entries, bool bodies)
{
    for (const QString& line : propertyLines) {
        if (!cp1251::canEncode(line))
            return false;
    }
    for (const OutlineEntry& e : entries) {
        if (!cp1251::canEncode(e.section->caption()))
            return false;
        if (bodies && !e.section->body().fitsCp1251())
            return false;
    }
    return true;
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

int activateIndex(const Notebook& notebook, ExportRange range,
                  const std::vector<OutlineEntry>& entries)
{
    const Section* current = notebook.current();
    if (range == ExportRange::All)
        return std::max(0, notebook.indexOf(current));
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].section == current)
            return int(i);
    }
    return 0;
}

} // namespace

QByteArray BuildNotebookImage(Notebook& notebook, const QString& path, const WriteOptions& options)
{
    const Section* selected = options.selected ? options.selected : notebook.current();
    const std::vector<OutlineEntry> entries = collectEntries(notebook, options.range, selected);
    checkOutlineSize(entries);

    const QString now = fileStampText(currentDateTime());
    const bool targetExists = QFileInfo::exists(path);
    const bool ownFile =
        notebook.fileName() == Notebook::DefaultFileName || isSameFile(path, notebook.fileName());

    DocumentProperties separate;
    if (!ownFile && options.properties)
        separate = notebook.properties();
    DocumentProperties& properties = ownFile ? notebook.properties() : separate;
    properties.setValue(DocumentProperties::FlWrite, now);
    if (!targetExists)
        properties.setValue(DocumentProperties::FlCreate, now);
    properties.setValue(DocumentProperties::Activate,
                        QString::number(activateIndex(notebook, options.range, entries)));
    // Text the code page cannot hold is written as UTF-8, and the header
    // says so.
    properties.setValue(DocumentProperties::Charset, QString());
    const bool utf8 = !everythingFitsCp1251(properties.lines(), entries, options.bodies);
    if (utf8)
        properties.setValue(DocumentProperties::Charset, QStringLiteral("UTF-8"));
    const TextEncoding encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::Cp1251;

    // One allocation of about the right size: growing a buffer of this size
    // step by step would leave a third of it unused.
    qsizetype expected = 12 + 1024;
    for (const QString& line : properties.lines())
        expected += line.size() + 2;
    for (const OutlineEntry& e : entries) {
        expected += e.level + e.section->caption().size() + 2 + 4;
        if (options.bodies)
            expected += e.section->body().encodedSizeHint(encoding);
    }
    QByteArray image;
    image.reserve(expected);
    image.append(Signature, 3);
    image.append(Version);
    appendBlock(image, [&] {
        for (const QString& line : properties.lines()) {
            appendText(image, line, encoding);
            image.append("\r\n", 2);
        }
    });
    appendBlock(image, [&] {
        for (const OutlineEntry& e : entries)
            appendOutlineLine(image, e.level, e.section->caption(), encoding);
    });
    for (const OutlineEntry& e : entries) {
        appendBlock(image, [&] {
            if (options.bodies)
                e.section->body().appendEncoded(image, encoding);
        });
    }
    return image;
}

void WriteNotebook(Notebook& notebook, const QString& path, const WriteOptions& options)
{
    const bool targetExists = QFileInfo::exists(path);
    const QByteArray image = BuildNotebookImage(notebook, path, options);
    const QString backup = backupPathFor(path);
    const bool backupWanted = options.createBackup && targetExists && !isSameFile(backup, path);
    writeFileAtomically(path, image, [&] {
        if (backupWanted)
            makeBackupCopy(path, backup);
    });
}

} // namespace kelto
