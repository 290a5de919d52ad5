// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NavigatorView.h"
#include "document/Notebook.h"

#include <QPersistentModelIndex>

namespace kelto {

class CommandHost;
class NavigatorModel;

// The commands that rearrange sections in the navigator: up and down among
// siblings, into a neighbour, one level up, to the top level, first or last
// on their level, cut and paste of a section, and drops of a dragged one.
// Each moves a section with Notebook::moveSection and then shows it as a
// move is shown: the new parent opened, an emptied former parent closed,
// the moved branch closed, the selection kept.
class NavigatorMoves
{
public:
    NavigatorMoves(Notebook& notebook, NavigatorView& view, NavigatorModel& model);

    // Wires the move commands.
    void wire(CommandHost& host);

    bool canCut() const;
    void cut();
    bool canPaste() const;
    void paste();
    // The section marked by cut; nullptr when none, or once it is gone.
    Section* cutMark() const;

    // A dragged section (the selected one) dropped at a zone of target.
    void drop(const QModelIndex& target, NavigatorView::Zone zone);

private:
    Section* selected() const;
    bool move(Section* section, Section* target, MoveMode mode);
    void moveSelected(Section* target, MoveMode mode);

    void moveUp();
    void moveDown();
    void insertIntoPrevious();
    void insertIntoNext();
    void upOneLevel();

    Notebook& m_notebook;
    NavigatorView& m_view;
    NavigatorModel& m_model;
    // Follows the section through moves and turns invalid when its row
    // goes, so a deleted section never comes back as a dangling mark.
};

} // namespace kelto
