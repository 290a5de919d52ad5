// SPDX-License-Identifier: GPL-3.0-or-later
#include "Section.h"

#include <algorithm>
#include <iterator>

namespace kelto {

QString Section::fittedCaption(QString caption)
{
    if (caption.size() <= MaxCaptionLength)
        return caption;
    qsizetype length = MaxCaptionLength;
    if (caption.at(length - 1).isHighSurrogate() && caption.at(length).isLowSurrogate())
        --length;
    caption.truncate(length);
    return caption;
}

Section::Section(QString caption) : m_caption(fittedCaption(std::move(caption))) {}

Section::~Section()
{
    // Take the subtree apart level by level so that destroying a tree of
    // any depth never nests destructor calls.
    std::vector<std::unique_ptr<Section>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<Section> s = std::move(pending.back());
        pending.pop_back();
        for (auto& c : s->m_children)
            pending.push_back(std::move(c));
        s->m_children.clear();
    }
}

Section* Section::previousSibling() const
{
    if (!m_parent || m_row == 0)
        return nullptr;
    return m_parent->m_children[size_t(m_row - 1)].get();
}

Section* Section::nextSibling() const
{
    if (!m_parent || size_t(m_row + 1) >= m_parent->m_children.size())
        return nullptr;
    return m_parent->m_children[size_t(m_row + 1)].get();
}

int Section::level() const
{
    int level = -1;
    for (const Section* p = m_parent; p; p = p->m_parent)
        ++level;
    return level;
}

bool Section::contains(const Section* other) const
{
    for (const Section* s = other; s; s = s->m_parent) {
        if (s == this)
            return true;
    }
    return false;
}

Section* Section::nextInPreOrder(const Section* scope) const
{
    if (hasChildren())
        return firstChild();
    const Section* s = this;
    while (s != scope && s) {
        if (Section* next = s->nextSibling())
            return next;
        s = s->m_parent;
    }
    return nullptr;
}

Section* Section::lastDescendant() const
{
    const Section* s = this;
    while (s->hasChildren())
        s = s->lastChild();
    return const_cast<Section*>(s);
}

void Section::insertChild(int row, std::unique_ptr<Section> child)
{
    child->m_parent = this;
    m_childHasChildren.insert(m_childHasChildren.begin() + row, child->hasChildren());
    m_children.insert(m_children.begin() + row, std::move(child));
    renumberFrom(row);
    if (m_children.size() == 1 && m_parent)
        m_parent->m_childHasChildren[size_t(m_row)] = true;
}

void Section::insertChildren(int row, std::vector<std::unique_ptr<Section>> children)
{
    if (children.empty())
        return;
    for (auto& child : children)
        child->m_parent = this;
    const bool wasEmpty = m_children.empty();
    m_childHasChildren.insert(m_childHasChildren.begin() + row, children.size(), false);
    m_children.insert(m_children.begin() + row, std::make_move_iterator(children.begin()),
                      std::make_move_iterator(children.end()));
    renumberFrom(row);
    if (wasEmpty && m_parent)
        m_parent->m_childHasChildren[size_t(m_row)] = true;
}

void Section::reorderChildren(const std::vector<int>& oldRows)
{
    std::vector<std::unique_ptr<Section>> children(m_children.size());
    std::vector<bool> flags(m_children.size());
    for (size_t i = 0; i < oldRows.size(); ++i) {
        children[i] = std::move(m_children[size_t(oldRows[i])]);
        flags[i] = m_childHasChildren[size_t(oldRows[i])];
    }
    m_children = std::move(children);
    m_childHasChildren = std::move(flags);
    renumberFrom(0);
}

std::unique_ptr<Section> Section::takeChild(int row)
{
    std::unique_ptr<Section> child = std::move(m_children[size_t(row)]);
    m_children.erase(m_children.begin() + row);
    m_childHasChildren.erase(m_childHasChildren.begin() + row);
    renumberFrom(row);
    if (m_children.empty() && m_parent)
        m_parent->m_childHasChildren[size_t(m_row)] = false;
    child->m_parent = nullptr;
    child->m_row = 0;
    return child;
}

void Section::renumberFrom(int row)
{
    for (size_t i = size_t(row); i < m_children.size(); ++i)
        m_children[i]->m_row = int(i);
}

} // namespace kelto
