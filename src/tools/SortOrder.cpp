// SPDX-License-Identifier: GPL-3.0-or-later
#include "SortOrder.h"

#include <algorithm>
#include <numeric>

namespace kelto {

CaptionCollator::CaptionCollator(const QLocale& locale) : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
}

int CaptionCollator::compare(const QString& a, const QString& b) const
{
    return m_collator.compare(a, b);
}

std::vector<int> CaptionCollator::sortedRows(const Section* owner, bool descending) const
{
    const int count = owner->childCount();
    // One key per caption, then cheap comparisons of keys.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(count));
    for (int row = 0; row < count; ++row)
        keys.push_back(m_collator.sortKey(owner->child(row)->caption()));
    std::vector<int> rows(static_cast<size_t>(count));
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&keys, descending](int a, int b) {
        const int order = keys[size_t(a)].compare(keys[size_t(b)]);
        return descending ? order > 0 : order < 0;
    });
    return rows;
}

namespace {

void addOrder(std::vector<ChildOrder>& orders, Section* owner, bool descending,
              const CaptionCollator& collator)
{
    std::vector<int> rows = collator.sortedRows(owner, descending);
    if (!std::is_sorted(rows.begin(), rows.end()))
        orders.push_back({owner, std::move(rows)});
}

// The owner and every section below it that has subsections.
void addSubtreeOrders(std::vector<ChildOrder>& orders, Section* owner, bool descending,
                      const CaptionCollator& collator)
{
    addOrder(orders, owner, descending, collator);
    forEachDescendant(owner, [&](const Section* s, int) {
        if (s->hasChildren())
            addOrder(orders, const_cast<Section*>(s), descending, collator);
    });
}

} // namespace

std::vector<ChildOrder> sortOrders(const Notebook& notebook, const Section* selected,
                                   SortScope scope, bool descending,
                                   const CaptionCollator& collator)
{
    std::vector<ChildOrder> orders;
    Section* parent = selected ? selected->parent() : nullptr;
    if (!selected || (!parent && scope != SortScope::LevelOnly) || scope == SortScope::WholeTree)
        addSubtreeOrders(orders, notebook.container(), descending, collator);
    else if (scope == SortScope::LevelWithSublevels)
        addSubtreeOrders(orders, parent, descending, collator);
    else
        addOrder(orders, parent ? parent : notebook.container(), descending, collator);
    return orders;
}

void sortSections(Notebook& notebook, const Section* selected, SortScope scope, bool descending,
                  const CaptionCollator& collator)
{
    notebook.reorderChildren(sortOrders(notebook, selected, scope, descending, collator));
}

} // namespace kelto
