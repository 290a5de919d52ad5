// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace kelto {

class Notebook;
class Section;

// The first section after (down) or before the selected one in tree order
// whose caption contains pattern; the selected section itself is never a
// candidate and the search does not wrap around. Without matchCase letters
// compare by their Unicode case folding, Cyrillic included. Returns nullptr
// when none matches, when nothing is selected or the pattern is empty.
Section* findSectionByCaption(const Notebook& notebook, Section* selected, QStringView pattern,
                              bool matchCase, bool down);

} // namespace kelto
