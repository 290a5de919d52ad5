// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/BodyEdits.h"

#include "document/Section.h"

#include <QLocale>

#include <algorithm>

namespace kelto {

namespace {

constexpr QChar LineBreak = u'\n';
constexpr int SeparatorLength = 30;

// Start of the line that holds position.
int lineStart(QStringView text, int position)
{
    return position == 0 ? 0 : int(text.lastIndexOf(LineBreak, position - 1)) + 1;
}

// End of the line that holds position: its line break, or the end of text.
int lineEnd(QStringView text, int position)
{
    const qsizetype found = text.indexOf(LineBreak, position);
    return found < 0 ? int(text.size()) : int(found);
}

} // namespace

QString shiftLine(QStringView line, ShiftDirection direction, int count)
{
    if (line.isEmpty())
        return QString();
    count = std::max(count, 0);
    if (direction == ShiftDirection::Right) {
        QString padded(count, u' ');
        padded += line;
        return padded;
    }
    int spaces = 0;
    while (spaces < count && spaces < line.size() && line[spaces] == u' ')
        ++spaces;
    return line.mid(spaces).toString();
}

TextReplacement shiftLines(QStringView text, int selectionStart, int selectionEnd,
                           ShiftDirection direction, int count)
{
    const int size = int(text.size());
    int start = std::clamp(std::min(selectionStart, selectionEnd), 0, size);
    int end = std::clamp(std::max(selectionStart, selectionEnd), 0, size);
    // A selection that ends at the start of a line leaves that line alone.
    if (end > start && text[end - 1] == LineBreak)
        --end;
    TextReplacement result;
    result.start = lineStart(text, start);
    result.end = lineEnd(text, end);
    const QStringView block = text.mid(result.start, result.end - result.start);
    qsizetype from = 0;
    while (true) {
        const qsizetype to = block.indexOf(LineBreak, from);
        const QStringView line = block.mid(from, (to < 0 ? block.size() : to) - from);
        result.text += shiftLine(line, direction, count);
        if (to < 0)
            break;
        result.text += LineBreak;
        from = to + 1;
    }
    result.caret = result.start + int(result.text.size());
    return result;
}

QString changeCase(const QString& text, LetterCase letterCase)
{
    const QLocale locale = QLocale::system();
    return letterCase == LetterCase::Upper ? locale.toUpper(text) : locale.toLower(text);
}

QString childListText(const Section& section)
{
    if (!section.hasChildren())
        return QString();
    QString text(LineBreak);
    for (int row = 0; row < section.childCount(); ++row) {
        text += section.child(row)->caption();
        text += LineBreak;
    }
    return text;
}

QString clippingSeparator()
{
    return QString(SeparatorLength, u'-');
}

TextReplacement appendClipping(QStringView body, QStringView clipboard)
{
    QString clipping = clipboard.toString();
    clipping.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    clipping.replace(u'\r', LineBreak);

    TextReplacement result;
    result.start = result.end = int(body.size());
    if (!body.isEmpty() && !body.endsWith(LineBreak))
        result.text += LineBreak;
    result.text += clippingSeparator();
    result.text += LineBreak;
    result.text += clipping;
    result.caret = result.start + int(result.text.size());
    result.text += LineBreak;
    return result;
}

} // namespace kelto
