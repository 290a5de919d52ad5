// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutlineText.h"

#include "Notebook.h"
#include "NotebookFile.h"
#include "Section.h"
#include "common/KeltoError.h"
#include "common/TextLines.h"

#include <vector>

namespace kelto {

namespace {

constexpr char16_t NoBreakSpace = 0x00A0;

bool needsCleaning(const QString& caption)
{
    if (caption.isEmpty())
        return false;
    const QChar first = caption.front();
    if (first == QLatin1Char('\t') || first == QLatin1Char(' '))
        return true;
    for (QChar c : caption) {
        const char16_t u = c.unicode();
        if (u == '\r' || u == '\n' || u == 0)
            return true;
    }
    return false;
}

template <typename Emit> void walkBranch(const Section* top, int firstLevel, Emit&& emit)
{
    forEachDescendant(
        top, [&](const Section* s, int depth) { emit(depth - 1 + firstLevel, s->caption()); });
}

void appendLine(QString& out, int level, const QString& caption)
{
    out.append(QString(level, QLatin1Char('\t')));
    out.append(outlineSafeCaption(caption));
    out.append(QLatin1String("\r\n"));
}

inline unsigned codeOf(char c)
{
    return static_cast<unsigned char>(c);
}
inline unsigned codeOf(QChar c)
{
    return c.unicode();
}

// Calls add(depth, caption) for every line of the outline, the first line at
// depth 0 whatever its level; a line more than one level deeper than the one
// before it stops the walk with the level error. A caption longer than any
// the program makes marks the file as damaged; one of many megabytes is
// refused before it is decoded (no character takes more than four bytes).
template <typename View, typename Decode, typename Add>
void walkOutline(View text, Decode&& decode, Add&& add)
{
    qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (codeOf(text[i]) == 0) {
            n = i;
            break;
        }
    }
    qsizetype previousLevel = -1; // none yet
    forEachLine(text.first(n), [&](View line) {
        qsizetype level = 0;
        while (level < line.size() && (codeOf(line[level]) == '\t' || codeOf(line[level]) == ' '))
            ++level;
        const View rest = line.sliced(level);
        if (rest.size() > 4 * Section::MaxCaptionLength)
            throw KeltoError(StructureErrorMessage);
        // Decoding may drop a character (a byte order mark) before blanks
        // that then lead the caption; they are made what the writer would
        // store, so a caption read is always saved back unchanged.
        QString caption = outlineSafeCaption(decode(rest));
        if (caption.size() > Section::MaxCaptionLength)
            throw KeltoError(StructureErrorMessage);
        if (previousLevel < 0) {
            level = 0;
        } else if (level > previousLevel + 1) {
            throw KeltoError(
                QStringLiteral("Invalid level (%1) for item \"%2\"").arg(level).arg(caption));
        }
        previousLevel = level;
        add(int(level), std::move(caption));
    });
}

template <typename View, typename Decode>
void readOutlineImpl(View text, Notebook& notebook, Decode&& decode)
{
    if (!notebook.isEmpty())
        notebook.clearNotebook();
    // path[k] is the section of level k on the way to the previous line's.
    std::vector<Section*> path;
    walkOutline(text, decode, [&](int level, QString caption) {
        path.resize(size_t(level));
        Section* parent = level > 0 ? path.back() : nullptr;
        path.push_back(notebook.appendSection(parent, std::move(caption)));
    });
}

} // namespace

QString outlineSafeCaption(const QString& caption)
{
    if (!needsCleaning(caption))
        return caption;
    QString out = caption;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u == '\r' || u == '\n' || u == 0)
            c = QLatin1Char(' ');
    }
    // Only then the leading blanks, including those that were line breaks.
    for (qsizetype i = 0;
         i < out.size() && (out[i] == QLatin1Char('\t') || out[i] == QLatin1Char(' ')); ++i)
        out[i] = QChar(NoBreakSpace);
    return out;
}

QString WriteOutline(const Notebook& notebook)
{
    QString out;
    walkBranch(notebook.container(), 0,
               [&](int level, const QString& caption) { appendLine(out, level, caption); });
    return out;
}

QString WriteBranchOutline(const Section* section, bool includeSection)
{
    QString out;
    if (includeSection)
        appendLine(out, 0, section->caption());
    walkBranch(section, 1,
               [&](int level, const QString& caption) { appendLine(out, level, caption); });
    return out;
}

void appendOutlineLine(QByteArray& out, int level, const QString& caption, TextEncoding encoding)
{
    out.append(qsizetype(level), '\t');
    appendText(out, outlineSafeCaption(caption), encoding);
    out.append("\r\n", 2);
}

void appendBranchOutline(QByteArray& out, const Section* top, int firstLevel, TextEncoding encoding)
{
    walkBranch(top, firstLevel, [&](int level, const QString& caption) {
        appendOutlineLine(out, level, caption, encoding);
    });
}

void ReadOutline(QStringView text, Notebook& notebook)
{
    readOutlineImpl(text, notebook, [](QStringView caption) { return caption.toString(); });
}

void ReadOutline(QByteArrayView bytes, TextEncoding encoding, Notebook& notebook)
{
    readOutlineImpl(bytes, notebook,
                    [encoding](QByteArrayView caption) { return decodeText(caption, encoding); });
}

void ForEachOutlineLine(QByteArrayView bytes, TextEncoding encoding,
                        const std::function<void(int, QString)>& add)
{
    walkOutline(
        bytes, [encoding](QByteArrayView caption) { return decodeText(caption, encoding); }, add);
}

} // namespace kelto
