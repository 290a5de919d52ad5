// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace kelto {

class Section;

// The changes the editor commands make to a section's text, worked out on
// plain text so they can be checked without a window. Text uses '\n' between
// lines (paragraphs); positions count characters from 0.

// Replace [start, end) of the text by `text`; afterwards the caret stands at
// `caret` (a position in the changed text) with nothing selected.
struct TextReplacement
{
    int start = 0;
    int end = 0;
    QString text;
    int caret = 0;
};

enum class ShiftDirection
{
    Left,
    Right
};

enum class LetterCase
{
    Lower,
    Upper
};

// Block indent and outdent. The lines touched by the selection [selectionStart,
// selectionEnd) are taken whole; a selection that ends right after a line break
// does not take in the line after it. Right puts `count` spaces in front of
// each line; left removes up to `count` leading spaces (tabs and other blanks
// stay). Empty lines stay empty. The caret ends after the changed lines.
TextReplacement shiftLines(QStringView text, int selectionStart, int selectionEnd,
                           ShiftDirection direction, int count);
// One line of the above.
QString shiftLine(QStringView line, ShiftDirection direction, int count);

// The text in lower or upper case by the rules of the user's locale
// (Cyrillic included). The length may change (German sharp s).
QString changeCase(const QString& text, LetterCase letterCase);

// What the child-list insertion puts into a body: a line break, then each
// direct subsection's caption followed by a line break; empty for a section
// without subsections.
QString childListText(const Section& section);

// The line the automatic clipboard paste puts before each clipping.
QString clippingSeparator();

// The automatic clipboard paste at the end of a body: a new last line with the
// separator, then the clipboard text, then an empty last line. A body that is
// empty or already ends with an empty line takes the separator on that line.
// The caret ends right after the clipboard text. Line breaks of the clipboard
// text (CR LF, CR, LF) become '\n'.
TextReplacement appendClipping(QStringView body, QStringView clipboard);

} // namespace kelto
