// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DocumentProperties.h"
#include "Section.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

namespace kelto {

// Where MoveSection puts a section relative to its target.
enum class MoveMode
{
    Before,      // right before the target, on its level
    LastChild,   // last subsection of the target (last top-level without one)
    FirstChild,  // first subsection of the target (first top-level without one)
    LastSibling, // last on the target's level (last top-level without one)
};

// A new order of one section's subsections (of the top level when owner is
// the notebook's container): oldRows[i] is the row, before the change, of
// the subsection that goes to row i.
struct ChildOrder
{
    Section* owner;
    std::vector<int> oldRows;
};

// A removed section kept for the navigator's undo.
struct DeletedSection
{
    QString caption;
    SectionBody body;
};

// The one document of a window: the section tree, the document properties,
// the file name, the modified flag, the current section and the recently
// deleted sections. Tree operations leave the modified flag to the commands
// that call them (whether a move counts as a change depends on the command),
// except a rename, which marks the notebook exactly when the caption really
// changed. Nothing here recurses, so trees of any depth are safe.
class Notebook : public QObject
{
    Q_OBJECT
public:
    // The name shown for a notebook that has never been saved.
    static const QString DefaultFileName;   // "Новый файл"
    static const QString NewSectionCaption; // "Новый раздел"
    static constexpr int MaxDeleted = 20;

    explicit Notebook(QObject* parent = nullptr);
    ~Notebook() override;

    // --- tree queries
    // The invisible section whose children are the top-level sections.
    Section* container() const { return m_container.get(); }
    int topLevelCount() const { return m_container->childCount(); }
    Section* topLevel(int row) const { return m_container->child(row); }
    bool isEmpty() const { return !m_container->hasChildren(); }
    int sectionCount() const { return m_count; }
    // Position in a pre-order walk of the whole tree, from 0.
    Section* sectionAt(int index) const;
    int indexOf(const Section* section) const;
    Section* firstSection() const { return m_container->firstChild(); }
    // Pre-order successor in the whole tree.
    Section* nextSection(const Section* section) const;
    // Pre-order predecessor in the whole tree.
    Section* previousSection(const Section* section) const;

    Section* current() const { return m_current; }
    void setCurrent(Section* section);

    // --- tree operations
    // A new section as the last sibling of anchor (last top-level without
    // one); it becomes current.
    Section* addSection(Section* anchor, const QString& caption);
    // A new last subsection of parent (last top-level without one); current.
    Section* addChildSection(Section* parent, const QString& caption);
    // A new section right before `before` (as addSection without one); current.
    Section* insertSection(Section* before, const QString& caption);
    // Appends without touching the current section; for builders.
    Section* appendSection(Section* parent, QString caption);
    // New sections with these captions and empty bodies from row on among
    // parent's subsections (the top level without one), announced as one
    // insertion; the current section stays. Returns the first new section,
    // nullptr when there are no captions.
    Section* insertSections(Section* parent, int row, const QStringList& captions);
    // Puts the subsections of every owner listed in its new order (each a
    // permutation of all its rows), announced as one change of layout:
    // sections keep their subtrees, bodies and identity; the current
    // section stays.
    void reorderChildren(const std::vector<ChildOrder>& orders);
    // An empty caption is refused; a longer one than Section::MaxCaptionLength
    // is cut. True when the caption changed (exact, case-sensitive
    // comparison); the notebook is then marked modified.
    bool renameSection(Section* section, const QString& caption);
    // Moves section with its subtree. Nothing moves when target is the
    // section or inside its subtree. True when its position changed.
    bool moveSection(Section* section, Section* target, MoveMode mode);
    // Removes section with its subtree. Each removed section, subsections
    // before their parent, goes to the front of the deleted list (at most
    // MaxDeleted kept). When the current section is removed, its next sibling,
    // else its previous sibling, else its parent becomes current.
    void deleteSection(Section* section);
    // Brings back the newest deleted section as the last top-level section,
    // not made current. Returns it, or nullptr when the list is empty.
    Section* restoreDeleted();
    const std::deque<DeletedSection>& deletedSections() const { return m_deleted; }

    // Removes every section (none reaches the deleted list) and empties the
    // deleted list. File name, modified flag and properties stay.
    void clearNotebook();
    // Replaces the tree with source's tree and current section, as clear()
    // followed by the sections of source; source is left empty.
    void adoptTree(Notebook& source);
    // Moves source's top-level sections, each with its subtree, to the end
    // of parent's subsections (of the top level without one), announced as
    // one insertion however large the subtrees; source is left empty. The
    // current section stays. Returns the first section moved, nullptr when
    // source was empty.
    Section* adoptSections(Section* parent, Notebook& source);

    // --- document state
    DocumentProperties& properties() { return m_properties; }
    const DocumentProperties& properties() const { return m_properties; }
    void clearProperties() { m_properties.clear(); }
    // The notebook's file; empty while it has never been saved.
    const QString& fileName() const { return m_fileName; }
    bool hasFile() const { return !m_fileName.isEmpty(); }
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified);

Q_SIGNALS:
    // Parents are nullptr for the top level.
    void sectionsAboutToBeInserted(kelto::Section* parent, int first, int last);
    void sectionsInserted(kelto::Section* parent, int first, int last);
    void sectionsAboutToBeRemoved(kelto::Section* parent, int first, int last);
    void sectionsRemoved(kelto::Section* parent, int first, int last);
    // destinationRow counts rows before the section is taken out.
    void sectionAboutToBeMoved(kelto::Section* sourceParent, int sourceRow,
                               kelto::Section* destinationParent, int destinationRow);
    void sectionMoved(kelto::Section* section);
    // Around reorderChildren(); the orders name the rows as they were.
    void childrenAboutToBeReordered();
    void childrenReordered(const std::vector<kelto::ChildOrder>& orders);
    void captionChanged(kelto::Section* section);
    void aboutToReset();
    void resetDone();
    void currentChanged(kelto::Section* current);
    void modifiedChanged(bool modified);

private:
    Section* parentOf(Section* owner) const { return owner == m_container.get() ? nullptr : owner; }
    Section* insertNew(Section* owner, int row, std::unique_ptr<Section> section);
    void disposeRemoved(std::unique_ptr<Section> top);
    void ensureOrder() const;
    void invalidateOrder() { m_orderValid = false; }

    std::unique_ptr<Section> m_container;
    int m_count = 0;
    Section* m_current = nullptr;
    std::deque<DeletedSection> m_deleted;
    DocumentProperties m_properties;
    QString m_fileName;
    bool m_modified = false;

    mutable std::vector<Section*> m_order;
    mutable bool m_orderValid = false;
};

// The captions from the top-level ancestor down to the section, joined by "\".
QString sectionPath(const Section* section);

} // namespace kelto
