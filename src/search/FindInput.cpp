// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindInput.h"

#include "document/SectionBody.h"

#include <cstdlib>
#include <limits>

namespace kelto {

const QString BadLineNumberMessage = QStringLiteral("Невозможно определить номер строки");

void addToHistory(QStringList& history, const QString& text)
{
    if (text.isEmpty() || history.contains(text, Qt::CaseInsensitive))
        return;
    history.prepend(text);
    while (history.size() > HistoryLimit)
        history.removeLast();
}

namespace {

bool isTrimmed(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control || c == QChar::ParagraphSeparator ||
           c == QChar::LineSeparator;
}

// The absolute value of a whole number, or none.
std::optional<qsizetype> absoluteNumber(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    // The most negative number has no positive twin; any line that far is
    // past the last one anyway.
    if (value == std::numeric_limits<qlonglong>::min())
        return std::numeric_limits<qsizetype>::max();
    return qsizetype(std::llabs(value));
}

} // namespace

QString patternFromSelection(const QString& selected)
{
    qsizetype start = 0;
    qsizetype end = selected.size();
    while (start < end && isTrimmed(selected.at(start)))
        ++start;
    while (end > start && isTrimmed(selected.at(end - 1)))
        --end;
    return selected.mid(start, end - start);
}

QString searchPattern(QString pattern)
{
    pattern.replace(QChar::ParagraphSeparator, u'\n');
    pattern.replace(QChar::LineSeparator, u'\n');
    return SectionBody::normalizeBreaks(std::move(pattern));
}

std::optional<qsizetype> goToLinePosition(QStringView text, const QString& lineText,
                                          const QString& columnText)
{
    const auto line = absoluteNumber(lineText);
    const auto column = absoluteNumber(columnText.isEmpty() ? QStringLiteral("1") : columnText);
    if (!line || !column || *line == 0 || *column == 0)
        return std::nullopt;
    // The lines that count: an empty one after a final break does not.
    qsizetype lines = text.count(u'\n') + 1;
    if (lines > 1 && text.endsWith(u'\n'))
        --lines;
    const qsizetype wanted = std::min(*line, lines);
    qsizetype start = 0;
    for (qsizetype n = 1; n < wanted; ++n)
        start = text.indexOf(u'\n', start) + 1;
    qsizetype end = text.indexOf(u'\n', start);
    if (end < 0)
        end = text.size();
    return start + std::min(end - start, *column - 1);
}

} // namespace kelto
