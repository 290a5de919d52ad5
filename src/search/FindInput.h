// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace kelto {

// What the fields of the find dialog mean, apart from any window.

// A history of typed texts, newest first.
inline constexpr int HistoryLimit = 50;

// A text not yet in the list (compared without regard to letter case) goes
// to the top, and the list keeps at most HistoryLimit entries; a text
// already there keeps its place. Empty texts are not remembered.
void addToHistory(QStringList& history, const QString& text);

// The pattern a selection suggests: the selected text without the blanks and
// control characters at either end (paragraph breaks included).
QString patternFromSelection(const QString& selected);

// The text a pattern is searched for: every line break in it, whether the
// editor's paragraph or line separator, CR LF, CR or LF, becomes '\n', the
// paragraph break of the texts searched.
QString searchPattern(QString pattern);

// "Невозможно определить номер строки"
extern const QString BadLineNumberMessage;

// The caret position for "go to line": lines are the paragraphs of text
// (separated by '\n') counted from 1, columns their characters counted from
// 1. Both numbers are taken as absolute values and an empty column text
// means 1. A line past the last one goes to the last line (an empty line
// after a final break does not count); a column past the line's end goes to
// that end. No value when either text is no integer or a number is 0.
std::optional<qsizetype> goToLinePosition(QStringView text, const QString& lineText,
                                          const QString& columnText);

} // namespace kelto
