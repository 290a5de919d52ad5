// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SectionBody.h"

#include <QString>

#include <memory>
#include <vector>

namespace kelto {

class Notebook;

// One node of the notebook's tree: a caption, a body and ordered subsections.
// A notebook's top-level sections hang under an invisible container section
// that the notebook owns; parent() hides it and answers nullptr for them.
class Section
{
public:
    // The longest caption, in UTF-16 units. A caption is one line of the
    // navigator and of the file's outline; a longer one is cut here, so every
    // caption the program makes is one its reader accepts, and a file with a
    // longer one is refused as damaged before it costs time or memory.
    static constexpr qsizetype MaxCaptionLength = 1 << 20;
    // The caption cut to MaxCaptionLength, never inside a surrogate pair.
    static QString fittedCaption(QString caption);

    explicit Section(QString caption = QString());
    ~Section();
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    const QString& caption() const { return m_caption; }
    SectionBody& body() { return m_body; }
    const SectionBody& body() const { return m_body; }

    Section* parent() const { return m_parent && m_parent->m_parent ? m_parent : nullptr; }
    // The parent, or the notebook's container for a top-level section.
    Section* owner() const { return m_parent; }
    // Position among its siblings, from 0.
    int row() const { return m_row; }
    int childCount() const { return int(m_children.size()); }
    bool hasChildren() const { return !m_children.empty(); }
    Section* child(int row) const { return m_children[size_t(row)].get(); }
    // Whether the child at row has children, answered from this section
    // alone: a view asks it for every shown row, and touching each child
    // instead would cost a memory fetch per row of a large tree.
    bool childHasChildren(int row) const { return m_childHasChildren[size_t(row)]; }
    Section* firstChild() const { return m_children.empty() ? nullptr : m_children.front().get(); }
    Section* lastChild() const { return m_children.empty() ? nullptr : m_children.back().get(); }
    Section* previousSibling() const;
    Section* nextSibling() const;
    // Depth in the tree, top-level sections 0. Walks up: O(depth).
    int level() const;
    // True when this section is other or one of its ancestors.
    bool contains(const Section* other) const;

    // The next section in pre-order within the subtree of `scope` (the whole
    // tree when scope is the container), or nullptr after the last one. The
    // walk climbs each edge once over a full traversal: no recursion.
    Section* nextInPreOrder(const Section* scope) const;
    // The last section of this subtree in pre-order (itself when it has none).
    Section* lastDescendant() const;

private:
    friend class Notebook;
    friend class SectionTreeBuilder;

    void insertChild(int row, std::unique_ptr<Section> child);
    // New sections without children at row, renumbered once.
    void insertChildren(int row, std::vector<std::unique_ptr<Section>> children);
    // oldRows[i] is the row of the child that goes to row i.
    void reorderChildren(const std::vector<int>& oldRows);
    std::unique_ptr<Section> takeChild(int row);
    void renumberFrom(int row);

    QString m_caption;
    SectionBody m_body;
    Section* m_parent = nullptr;
    int m_row = 0;
    int m_preIndex = -1;
    std::vector<std::unique_ptr<Section>> m_children;
    // Parallel to m_children while the section is in a tree.
    std::vector<bool> m_childHasChildren;
};

// Calls fn(section, depth) for every section below `top` in pre-order, with
// depth 1 for its children. Iterative, so any depth is safe.
template <typename Fn> void forEachDescendant(const Section* top, Fn&& fn)
{
    const Section* s = top->firstChild();
    int depth = 1;
    while (s) {
        fn(s, depth);
        if (s->hasChildren()) {
            s = s->firstChild();
            ++depth;
            continue;
        }
        for (;;) {
            if (const Section* next = s->nextSibling()) {
                s = next;
                break;
            }
            s = s->owner();
            --depth;
            if (s == top)
                return;
        }
    }
}

} // namespace kelto
