// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigatorMoves.h"

#include "CommandHost.h"
#include "CommandIds.h"
#include "NavigatorModel.h"

namespace kelto {

NavigatorMoves::NavigatorMoves(Notebook& notebook, NavigatorView& view, NavigatorModel& model)
    : m_notebook(notebook), m_view(view), m_model(model)
{
}

Section* NavigatorMoves::selected() const
{
    return m_notebook.current();
}

void NavigatorMoves::wire(CommandHost& host)
{
    host.wireCommand(cmd::NavigatorMoveUp, [this] { moveUp(); });
    host.wireCommand(cmd::NavigatorMoveDown, [this] { moveDown(); });
    host.wireCommand(cmd::NavigatorInsertPrev, [this] { insertIntoPrevious(); });
    host.wireCommand(cmd::NavigatorInsertNext, [this] { insertIntoNext(); });
    host.wireCommand(cmd::NavigatorUpOneLevel, [this] { upOneLevel(); });
    // These always move, even where the section is already in place, and so
    // always count as a change.
    host.wireCommand(cmd::NavigatorUpToRoot,
                     [this] { moveSelected(nullptr, MoveMode::LastSibling); });
    host.wireCommand(cmd::NppUppestLevel, [this] { moveSelected(nullptr, MoveMode::LastSibling); });
    host.wireCommand(cmd::NppMakeFirst, [this] {
        if (Section* s = selected())
            moveSelected(s->parent(), MoveMode::FirstChild);
    });
    host.wireCommand(cmd::NppMakeLast, [this] {
        if (Section* s = selected())
            moveSelected(s->parent(), MoveMode::LastChild);
    });
}

bool NavigatorMoves::move(Section* section, Section* target, MoveMode mode)
{
    Section* formerParent = section->parent();
    if (!m_notebook.moveSection(section, target, mode))
        return false;
    // The section is shown in its new place, its branch closed; a parent
    // left without subsections is closed too, so it opens empty no more.
    const bool emptied = formerParent && !formerParent->hasChildren();
    m_view.showMoved(m_model.indexOf(section), m_model.indexOf(section->parent()),
                     m_model.indexOf(emptied ? formerParent : nullptr));
    if (Section* current = selected())
        m_view.scrollTo(m_model.indexOf(current));
    return true;
}

void NavigatorMoves::moveSelected(Section* target, MoveMode mode)
{
    Section* s = selected();
    if (!s)
        return;
    move(s, target, mode);
    m_notebook.setModified(true);
}

void NavigatorMoves::moveUp()
{
    m_view.setFocus();
    Section* s = selected();
    if (Section* previous = s ? s->previousSibling() : nullptr)
        moveSelected(previous, MoveMode::Before);
}

void NavigatorMoves::moveDown()
{
    m_view.setFocus();
    Section* s = selected();
    Section* next = s ? s->nextSibling() : nullptr;
    if (!next)
        return;
    if (Section* afterNext = next->nextSibling())
        moveSelected(afterNext, MoveMode::Before);
    else
        moveSelected(s->parent(), MoveMode::LastChild);
}

void NavigatorMoves::insertIntoPrevious()
{
    Section* s = selected();
    if (Section* previous = s ? s->previousSibling() : nullptr)
        moveSelected(previous, MoveMode::LastChild);
}

void NavigatorMoves::insertIntoNext()
{
    Section* s = selected();
    if (Section* next = s ? s->nextSibling() : nullptr)
        moveSelected(next, MoveMode::LastChild);
}

void NavigatorMoves::upOneLevel()
{
    Section* s = selected();
    if (Section* parent = s ? s->parent() : nullptr)
        moveSelected(parent, MoveMode::Before);
}

bool NavigatorMoves::canCut() const
{
    return !m_view.isHidden() && selected();
}

// Nothing moves yet: the section is marked (in italics) until it is pasted.
void NavigatorMoves::cut()
{
    m_model.markCut(m_model.indexOf(selected()));
}

Section* NavigatorMoves::cutMark() const
{
    return NavigatorModel::sectionOf(m_model.cutMark());
}

bool NavigatorMoves::canPaste() const
{
    return m_model.cutMark().isValid() && selected();
}

void NavigatorMoves::paste()
{
    Section* marked = cutMark();
    Section* target = selected();
    if (!marked || !target)
        return;
    m_model.markCut({});
    // Into its own subtree nothing moves, yet the paste still counts.
    move(marked, target, MoveMode::LastChild);
    m_notebook.setModified(true);
}

void NavigatorMoves::drop(const QModelIndex& target, NavigatorView::Zone zone)
{
    Section* s = selected();
    if (!s)
        return;
    Section* onto = NavigatorModel::sectionOf(target);
    MoveMode mode = MoveMode::LastSibling;
    switch (zone) {
    case NavigatorView::Zone::Button:
    case NavigatorView::Zone::Indent:
        mode = MoveMode::FirstChild;
        break;
    case NavigatorView::Zone::Caption:
        mode = MoveMode::Before;
        break;
    case NavigatorView::Zone::Right:
        mode = MoveMode::LastChild;
        break;
    case NavigatorView::Zone::Nowhere:
        mode = MoveMode::LastSibling; // the last top-level without a target
        break;
    case NavigatorView::Zone::Outside:
        return;
    }
    if (!onto && zone != NavigatorView::Zone::Nowhere)
        return;
    // A real move always changes the section's parent or its pre-order
    // index (siblings each hold at least one section), and either is worth
    // saving; a drop that leaves it in place is no change.
    if (move(s, onto, mode))
        m_notebook.setModified(true);
}

} // namespace kelto
