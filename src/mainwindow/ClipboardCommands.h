// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace kelto {

class CommandHost;

// A control that cut, copy and paste act on while it has the focus.
class ClipboardTarget
{
public:
    virtual bool hasClipboardFocus() const = 0;
    virtual bool canCut() const = 0;
    virtual void cut() = 0;
    virtual bool canCopy() const = 0;
    virtual void copy() = 0;
    virtual bool canPaste() const = 0;
    virtual void paste() = 0;

protected:
    ~ClipboardTarget() = default;
};

// The menu's and toolbar's Cut, Copy and Paste: each acts on whichever
// target has the focus. Cut and Paste keep their state while no target has
// it (a toolbar click takes the focus from none); Copy is then off.
class ClipboardCommands
{
public:
    ClipboardCommands(CommandHost& host, std::vector<ClipboardTarget*> targets);

private:
    ClipboardTarget* focused() const;

    std::vector<ClipboardTarget*> m_targets;
    // The state of the shared Cut and Paste when a target last had the
    // focus; wired commands start enabled.
    bool m_cutEnabled = true;
    bool m_pasteEnabled = true;
};

} // namespace kelto
