// SPDX-License-Identifier: GPL-3.0-or-later
#include "Notebook.h"

#include <algorithm>

namespace kelto {

const QString Notebook::DefaultFileName = QStringLiteral("Новый файл");
const QString Notebook::NewSectionCaption = QStringLiteral("Новый раздел");

Notebook::Notebook(QObject* parent) : QObject(parent), m_container(std::make_unique<Section>()) {}

Notebook::~Notebook() = default;

void Notebook::ensureOrder() const
{
    if (m_orderValid)
        return;
    m_order.clear();
    m_order.reserve(size_t(m_count));
    for (Section* s = m_container->firstChild(); s; s = s->nextInPreOrder(nullptr)) {
        s->m_preIndex = int(m_order.size());
        m_order.push_back(s);
    }
    m_orderValid = true;
}

Section* Notebook::sectionAt(int index) const
{
    ensureOrder();
    if (index < 0 || size_t(index) >= m_order.size())
        return nullptr;
    return m_order[size_t(index)];
}

int Notebook::indexOf(const Section* section) const
{
    if (!section)
        return -1;
    ensureOrder();
    return section->m_preIndex;
}

Section* Notebook::nextSection(const Section* section) const
{
    return section->nextInPreOrder(nullptr);
}

Section* Notebook::previousSection(const Section* section) const
{
    if (Section* before = section->previousSibling())
        return before->lastDescendant();
    return section->parent();
}

void Notebook::setCurrent(Section* section)
{
    if (section == m_current)
        return;
    m_current = section;
    Q_EMIT currentChanged(section);
}

Section* Notebook::insertNew(Section* owner, int row, std::unique_ptr<Section> section)
{
    Section* raw = section.get();
    Q_EMIT sectionsAboutToBeInserted(parentOf(owner), row, row);
    owner->insertChild(row, std::move(section));
    ++m_count;
    invalidateOrder();
    Q_EMIT sectionsInserted(parentOf(owner), row, row);
    return raw;
}

Section* Notebook::appendSection(Section* parent, QString caption)
{
    Section* owner = parent ? parent : m_container.get();
    return insertNew(owner, owner->childCount(), std::make_unique<Section>(std::move(caption)));
}

Section* Notebook::insertSections(Section* parent, int row, const QStringList& captions)
{
    if (captions.isEmpty())
        return nullptr;
    Section* owner = parent ? parent : m_container.get();
    std::vector<std::unique_ptr<Section>> created;
    created.reserve(size_t(captions.size()));
    for (const QString& caption : captions)
        created.push_back(std::make_unique<Section>(caption));
    const int last = row + int(created.size()) - 1;
    Q_EMIT sectionsAboutToBeInserted(parent, row, last);
    owner->insertChildren(row, std::move(created));
    m_count += int(captions.size());
    invalidateOrder();
    Q_EMIT sectionsInserted(parent, row, last);
    return owner->child(row);
}

void Notebook::reorderChildren(const std::vector<ChildOrder>& orders)
{
    if (orders.empty())
        return;
    Q_EMIT childrenAboutToBeReordered();
    for (const ChildOrder& order : orders)
        order.owner->reorderChildren(order.oldRows);
    invalidateOrder();
    Q_EMIT childrenReordered(orders);
}

Section* Notebook::addSection(Section* anchor, const QString& caption)
{
    Section* owner = anchor ? anchor->owner() : m_container.get();
    Section* s = insertNew(owner, owner->childCount(), std::make_unique<Section>(caption));
    setCurrent(s);
    return s;
}

Section* Notebook::addChildSection(Section* parent, const QString& caption)
{
    Section* owner = parent ? parent : m_container.get();
    Section* s = insertNew(owner, owner->childCount(), std::make_unique<Section>(caption));
    setCurrent(s);
    return s;
}

Section* Notebook::insertSection(Section* before, const QString& caption)
{
    if (!before)
        return addSection(nullptr, caption);
    Section* s = insertNew(before->owner(), before->row(), std::make_unique<Section>(caption));
    setCurrent(s);
    return s;
}

bool Notebook::renameSection(Section* section, const QString& newCaption)
{
    const QString caption = Section::fittedCaption(newCaption);
    if (caption.isEmpty() || caption == section->m_caption)
        return false;
    section->m_caption = caption;
    Q_EMIT captionChanged(section);
    setModified(true);
    return true;
}

bool Notebook::moveSection(Section* section, Section* target, MoveMode mode)
{
    if (target && section->contains(target))
        return false;
    Section* container = m_container.get();
    Section* dstOwner = nullptr;
    int dstRow = 0; // counted before the section is taken out
    switch (mode) {
    case MoveMode::Before:
        if (!target)
            return false;
        dstOwner = target->owner();
        dstRow = target->row();
        break;
    case MoveMode::LastChild:
        dstOwner = target ? target : container;
        dstRow = dstOwner->childCount();
        break;
    case MoveMode::FirstChild:
        dstOwner = target ? target : container;
        dstRow = 0;
        break;
    case MoveMode::LastSibling:
        dstOwner = target ? target->owner() : container;
        dstRow = dstOwner->childCount();
        break;
    }
    Section* srcOwner = section->owner();
    const int srcRow = section->row();
    const int finalRow = (dstOwner == srcOwner && dstRow > srcRow) ? dstRow - 1 : dstRow;
    if (dstOwner == srcOwner && finalRow == srcRow)
        return false;
    Q_EMIT sectionAboutToBeMoved(parentOf(srcOwner), srcRow, parentOf(dstOwner), dstRow);
    std::unique_ptr<Section> taken = srcOwner->takeChild(srcRow);
    dstOwner->insertChild(finalRow, std::move(taken));
    invalidateOrder();
    Q_EMIT sectionMoved(section);
    return true;
}

void Notebook::deleteSection(Section* section)
{
    Section* owner = section->owner();
    const int row = section->row();
    const bool currentGoes = m_current && section->contains(m_current);
    Section* successor = nullptr;
    if (currentGoes) {
        successor = section->nextSibling();
        if (!successor)
            successor = section->previousSibling();
        if (!successor)
            successor = section->parent();
    }
    Q_EMIT sectionsAboutToBeRemoved(parentOf(owner), row, row);
    std::unique_ptr<Section> taken = owner->takeChild(row);
    if (currentGoes)
        m_current = successor;
    invalidateOrder();
    disposeRemoved(std::move(taken));
    Q_EMIT sectionsRemoved(parentOf(owner), row, row);
    if (currentGoes)
        Q_EMIT currentChanged(m_current);
}

void Notebook::disposeRemoved(std::unique_ptr<Section> top)
{
    // Post-order without recursion: a node's children are reversed when it
    // is pushed, so popping them from the back visits them in order.
    std::vector<std::unique_ptr<Section>> stack;
    std::reverse(top->m_children.begin(), top->m_children.end());
    stack.push_back(std::move(top));
    while (!stack.empty()) {
        Section* s = stack.back().get();
        if (!s->m_children.empty()) {
            std::unique_ptr<Section> child = std::move(s->m_children.back());
            s->m_children.pop_back();
            std::reverse(child->m_children.begin(), child->m_children.end());
            stack.push_back(std::move(child));
            continue;
        }
        std::unique_ptr<Section> done = std::move(stack.back());
        stack.pop_back();
        --m_count;
        m_deleted.push_front({std::move(done->m_caption), std::move(done->m_body)});
        if (m_deleted.size() > size_t(MaxDeleted))
            m_deleted.pop_back();
    }
}

Section* Notebook::restoreDeleted()
{
    if (m_deleted.empty())
        return nullptr;
    DeletedSection entry = std::move(m_deleted.front());
    m_deleted.pop_front();
    auto section = std::make_unique<Section>(std::move(entry.caption));
    section->m_body = std::move(entry.body);
    return insertNew(m_container.get(), m_container->childCount(), std::move(section));
}

void Notebook::clearNotebook()
{
    Q_EMIT aboutToReset();
    const bool hadCurrent = m_current != nullptr;
    m_current = nullptr;
    m_container = std::make_unique<Section>();
    m_count = 0;
    m_deleted.clear();
    m_order.clear();
    invalidateOrder();
    Q_EMIT resetDone();
    if (hadCurrent)
        Q_EMIT currentChanged(nullptr);
}

void Notebook::adoptTree(Notebook& source)
{
    Q_EMIT aboutToReset();
    Q_EMIT source.aboutToReset();
    m_deleted.clear();
    m_container = std::move(source.m_container);
    m_count = source.m_count;
    m_current = source.m_current;
    source.m_container = std::make_unique<Section>();
    source.m_count = 0;
    source.m_current = nullptr;
    source.m_order.clear();
    source.invalidateOrder();
    m_order.clear();
    invalidateOrder();
    Q_EMIT source.resetDone();
    Q_EMIT resetDone();
    if (m_current)
        Q_EMIT source.currentChanged(nullptr);
    Q_EMIT currentChanged(m_current);
}

Section* Notebook::adoptSections(Section* parent, Notebook& source)
{
    Section* from = source.m_container.get();
    const int moved = from->childCount();
    if (moved == 0)
        return nullptr;
    Section* owner = parent ? parent : m_container.get();
    const int first = owner->childCount();
    Q_EMIT source.aboutToReset();
    Q_EMIT sectionsAboutToBeInserted(parent, first, first + moved - 1);
    for (std::unique_ptr<Section>& top : from->m_children)
        owner->insertChild(owner->childCount(), std::move(top));
    from->m_children.clear();
    from->m_childHasChildren.clear();
    m_count += source.m_count;
    invalidateOrder();
    source.m_count = 0;
    source.m_current = nullptr;
    source.m_order.clear();
    source.invalidateOrder();
    Q_EMIT sectionsInserted(parent, first, first + moved - 1);
    Q_EMIT source.resetDone();
    return owner->child(first);
}

void Notebook::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(modified);
}

QString sectionPath(const Section* section)
{
    std::vector<const Section*> chain;
    for (const Section* s = section; s; s = s->parent())
        chain.push_back(s);
    QString path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.isEmpty() || it != chain.rbegin())
            path += QLatin1Char('\\');
        path += (*it)->caption();
    }
    return path;
}

} // namespace kelto
