// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemModel>
#include <QPersistentModelIndex>

#include <vector>

namespace kelto {

class Notebook;
class Section;
struct ChildOrder;

// The navigator's view of a notebook: one item per section, one column, the
// caption as its text. The model holds no section data of its own; an index
// carries its Section* as the internal pointer, and every lookup goes
// through the section's own parent and row, so index() and parent() cost
// the same on a notebook of any size. It follows the notebook's change
// signals and turns each one into the matching begin/end call, so views keep
// their selection and expanded state across inserts, removals and moves.
//
// The notebook normally outlives the model; if it is destroyed first the
// model resets itself to empty.
class NavigatorModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit NavigatorModel(Notebook* notebook, QObject* parent = nullptr);
    ~NavigatorModel() override;

    Notebook* notebook() const { return m_notebook; }

    // The item of a section of this notebook; an invalid index for nullptr
    // (the level above the top-level sections).
    QModelIndex indexOf(const Section* section) const;
    // The section an index stands for, nullptr for an invalid index.
    static Section* sectionOf(const QModelIndex& index);

    // The section cut to be pasted elsewhere, shown in italics until it is
    // pasted or removed; an invalid index clears the mark.
    void markCut(const QModelIndex& index);
    QModelIndex cutMark() const { return m_cutMark; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Renames the section through the notebook. The text is cleaned as the
    // file keeps captions (line breaks and NULs become blanks, leading
    // blanks and TABs no-break spaces); an empty text is refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    // The section whose children are the rows under parent: the notebook's
    // container for the top level.
    Section* ownerOf(const QModelIndex& parent) const;
    void connectNotebook();
    void onAboutToMove(Section* sourceParent, int sourceRow, Section* destinationParent,
                       int destinationRow);
    void onMoved();
    void onReordered(const std::vector<ChildOrder>& orders);
    void onCaptionChanged(Section* section);
    void onNotebookDestroyed();

    Notebook* m_notebook;
    // How the move announced last is being reported: as a row move, or as
    // a reset when the views refused the move.
    enum class PendingMove
    {
        None,
        Rows,
        Reset,
    };
    PendingMove m_pendingMove = PendingMove::None;
    QPersistentModelIndex m_cutMark;
};

} // namespace kelto
