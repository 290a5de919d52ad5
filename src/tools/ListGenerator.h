// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kelto {

class Notebook;
class Section;

// What the list generator is asked for: captions made of the prefix, a
// running value and the suffix. The values run from start to end, both
// included, upwards or downwards: whole numbers when both limits are
// numbers, else the characters from the first character of start to the
// first character of end.
struct ListSpec
{
    QString prefix;
    QString start;
    QString end;
    QString suffix;
};

// Where a generated series goes, relative to the current section.
enum class ListPlacement
{
    After = 0,       // right after it, on its level, in order
    Before = 1,      // right before it, on its level, in order
    LastChildren = 2 // as its last subsections
};

// The most captions one series may have.
inline constexpr int MaxListCaptions = 100000;

// A limit as a whole number: optional leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x". The whole text
// must be the number and it must fit in 64 bits (hexadecimal up to 16
// digits, read as a 64-bit pattern).
std::optional<qint64> parseListNumber(QStringView text);

// The captions, in order. Throws KeltoError when a limit is empty or when
// the series would exceed MaxListCaptions; nothing is generated then.
QStringList generateListCaptions(const ListSpec& series);

// Creates one empty section per caption, placed as asked around current,
// in the captions' order, announced as one insertion. Without a current
// section the series goes to the end of the top level. The current section
// stays; the modified flag is left to the caller. Returns the first new
// section, nullptr for an empty list.
Section* insertListSections(Notebook& notebook, Section* current, ListPlacement placement,
                            const QStringList& captions);

} // namespace kelto
