// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreePadImport.h"

#include "ImportFile.h"
#include "Notebook.h"
#include "OutlineText.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <vector>

namespace kelto {

namespace {

constexpr QByteArrayView StartMarker("<node>");
constexpr QByteArrayView EndMarker("<end node> 5P9i0s8y19Z");

// The file's bytes as the records are read from them: in one encoding,
// without a byte order mark, NUL bytes turned into blanks.
struct TreePadText
{
    QByteArray image;
    TextEncoding encoding = TextEncoding::Cp1251;
};

bool hasNonAscii(QByteArrayView bytes)
{
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Valid UTF-8, judged piece by piece so that a file that is not (any
// Windows-1251 prose) stops at its first fault instead of being decoded
// whole. Pieces end before an ASCII byte, which no sequence contains.
bool isUtf8(QByteArrayView bytes)
{
    constexpr qsizetype Piece = 1 << 16;
    for (qsizetype from = 0, to = 0; from < bytes.size(); from = to) {
        to = std::min(bytes.size(), from + Piece);
        while (to < bytes.size() && static_cast<unsigned char>(bytes[to]) >= 0x80)
            ++to;
        if (!isValidUtf8(bytes.sliced(from, to - from)))
            return false;
    }
    return true;
}

TreePadText prepare(const QByteArray& bytes)
{
    TreePadText text{bytes, TextEncoding::Cp1251};
    const bool utf16le = bytes.startsWith("\xFF\xFE");
    if (utf16le || bytes.startsWith("\xFE\xFF")) {
        // Markers and breaks are ASCII, so the UTF-8 form reads like any other.
        QStringDecoder decoder(utf16le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text.image = QString(decoder(QByteArrayView(bytes).sliced(2))).toUtf8();
        text.encoding = TextEncoding::Utf8;
    } else if (bytes.startsWith(Utf8Bom) && isValidUtf8(QByteArrayView(bytes).sliced(3))) {
        text.image = bytes.sliced(3);
        text.encoding = TextEncoding::Utf8;
    } else if (hasNonAscii(bytes) && isUtf8(bytes)) {
        text.encoding = TextEncoding::Utf8;
    }
    text.image.replace('\0', ' ');
    return text;
}

QString faultText(int record, const QString& what)
{
    return QStringLiteral("Нарушена структура файла TreePad: %1 (запись %2). Импорт остановлен.")
        .arg(what)
        .arg(record);
}

struct Record
{
    QByteArrayView caption;
    QByteArrayView level;
    qsizetype bodyStart = 0;
    qsizetype bodyLength = 0;
};

// Finds the records one after another. Every part of a record is looked for
// between its start marker and its end marker only, so a damaged record
// never takes text of the next one or reads past the data.
class RecordReader
{
public:
    explicit RecordReader(QByteArrayView data) : m_data(data) {}

    int number() const { return m_number; }

    // False when no further record starts. Throws KeltoError for a record
    // without its end marker or without a caption or level line.
    bool next(Record& record)
    {
        const qsizetype start = m_data.indexOf(StartMarker, m_pos);
        if (start < 0)
            return false;
        ++m_number;
        const qsizetype end = m_data.indexOf(EndMarker, start + StartMarker.size());
        if (end < 0)
            throw KeltoError(faultText(m_number, QStringLiteral("нет метки конца записи")));
        qsizetype pos = skipMarkerBreak(start + StartMarker.size(), end);
        record.caption = line(pos, end, QStringLiteral("строка заголовка не закончена"));
        record.level = line(pos, end, QStringLiteral("строка уровня не закончена"));
        record.bodyStart = pos;
        record.bodyLength = end - pos;
        m_pos = end + EndMarker.size();
        return true;
    }

private:
    // After the start marker up to two characters, each CR or LF, whatever
    // their order: CR LF, LF LF, CR CR and LF CR all lead to the caption.
    qsizetype skipMarkerBreak(qsizetype pos, qsizetype end) const
    {
        for (int skipped = 0; skipped < 2 && pos < end; ++skipped, ++pos) {
            if (m_data[pos] != '\r' && m_data[pos] != '\n')
                break;
        }
        return pos;
    }

    // One line break (CR LF, CR or LF) at pos, if there is one.
    qsizetype skipBreak(qsizetype pos, qsizetype end) const
    {
        if (pos < end && m_data[pos] == '\r')
            ++pos;
        if (pos < end && m_data[pos] == '\n')
            ++pos;
        return pos;
    }

    // The line at pos, which must end with a break before end; pos moves
    // behind the break.
    QByteArrayView line(qsizetype& pos, qsizetype end, const QString& fault) const
    {
        qsizetype i = pos;
        while (i < end && m_data[i] != '\r' && m_data[i] != '\n')
            ++i;
        if (i == end)
            throw KeltoError(faultText(m_number, fault));
        const QByteArrayView text = m_data.sliced(pos, i - pos);
        pos = skipBreak(i, end);
        return text;
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    int m_number = 0;
};

// A level line: a decimal integer, blanks around it allowed. Negative
// levels are refused: the climb they ask for leaves the imported subtree.
int levelOf(QByteArrayView line, TextEncoding encoding, int record)
{
    bool ok = false;
    const qint64 level = line.toByteArray().toLongLong(&ok, 10);
    if (!ok || level > std::numeric_limits<int>::max() || level < std::numeric_limits<int>::min()) {
        throw KeltoError(
            QStringLiteral("'%1' is not a valid integer value").arg(decodeText(line, encoding)));
    }
    if (level < 0) {
        throw KeltoError(faultText(record, QStringLiteral("отрицательный уровень %1").arg(level)));
    }
    return int(level);
}

// Builds the records into fresh, whose top level stands for the place the
// import goes to. The tree level of a section made is BASE plus its depth
// here, so comparing a record's level with the depth of the section made
// last is comparing LEVEL with PREV: equal adds a sibling, greater (by any
// amount) a child, smaller a sibling of the ancestor at that depth. The
// first record always lands on the top level of fresh.
void readRecords(const TreePadText& text, Notebook& fresh)
{
    RecordReader reader(text.image);
    // chain[d]: the section at depth d on the way down to the one made last.
    std::vector<Section*> chain;
    Record record;
    while (reader.next(record)) {
        const int level = levelOf(record.level, text.encoding, reader.number());
        chain.resize(std::min(size_t(level), chain.size()));
        // A caption is cut to the longest the program keeps; of a huge one
        // only the bytes that can reach that length are decoded.
        const QByteArrayView caption =
            record.caption.first(std::min(record.caption.size(), 4 * Section::MaxCaptionLength));
        Section* section =
            fresh.appendSection(chain.empty() ? nullptr : chain.back(),
                                outlineSafeCaption(decodeText(caption, text.encoding)));
        section->body().setStored(text.image, record.bodyStart, record.bodyLength, text.encoding);
        chain.push_back(section);
    }
}

} // namespace

ImportResult ImportTreePadImage(const QByteArray& bytes, Notebook& notebook, Section* parent)
{
    const TreePadText text = prepare(bytes);
    Notebook fresh;
    ImportResult result;
    try {
        readRecords(text, fresh);
    } catch (const KeltoError& e) {
        result.error = e.message();
    }
    result.first = notebook.adoptSections(parent, fresh);
    return result;
}

ImportResult ImportTreePad(const QString& path, Notebook& notebook, Section* parent)
{
    return ImportTreePadImage(readImportFile(path), notebook, parent);
}

} // namespace kelto
