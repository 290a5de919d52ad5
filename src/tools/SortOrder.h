// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Notebook.h"

#include <QCollator>
#include <QLocale>

#include <vector>

namespace kelto {

// Which sections a sort reorders, seen from the selected section.
enum class SortScope
{
    WholeTree = 0,          // every level of the tree
    LevelWithSublevels = 1, // the selected section's level and all below it
    LevelOnly = 2           // the selected section and its siblings only
};

// Orders captions as the desktop does: the locale's collation with letter
// case significant; digits compare as characters, so "10" comes before "9".
class CaptionCollator
{
public:
    explicit CaptionCollator(const QLocale& locale = QLocale::system());

    int compare(const QString& a, const QString& b) const;
    // The subsections of owner in sorted order, as ChildOrder::oldRows.
    // The sort is stable: sections whose captions compare equal keep their
    // order, in either direction.
    std::vector<int> sortedRows(const Section* owner, bool descending) const;

private:
    QCollator m_collator;
};

// The new orders a sort gives; owners whose order does not change are left
// out. Without a selected section the whole tree is sorted; a top-level
// selection widens the level with its sublevels to the whole tree, and
// narrows the level alone to the top level.
std::vector<ChildOrder> sortOrders(const Notebook& notebook, const Section* selected,
                                   SortScope scope, bool descending,
                                   const CaptionCollator& collator);

// Applies sortOrders() to the notebook as one reorder. The current section
// stays; the modified flag is left to the caller.
void sortSections(Notebook& notebook, const Section* selected, SortScope scope, bool descending,
                  const CaptionCollator& collator);

} // namespace kelto
