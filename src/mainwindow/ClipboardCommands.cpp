// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClipboardCommands.h"

#include "CommandHost.h"
#include "CommandIds.h"

namespace kelto {

ClipboardCommands::ClipboardCommands(CommandHost& host, std::vector<ClipboardTarget*> targets)
    : m_targets(std::move(targets))
{
    host.wireCommand(cmd::EditCutMulti, [this] {
        if (ClipboardTarget* target = focused())
            target->cut();
    });
    host.wireCommand(cmd::EditCopy, [this] {
        if (ClipboardTarget* target = focused())
            target->copy();
    });
    host.wireCommand(cmd::EditPasteMulti, [this] {
        if (ClipboardTarget* target = focused())
            target->paste();
    });
    host.enableWhen(cmd::EditCutMulti, [this] {
        if (ClipboardTarget* target = focused())
            m_cutEnabled = target->canCut();
        return m_cutEnabled;
    });
    host.enableWhen(cmd::EditCopy, [this] {
        ClipboardTarget* target = focused();
        return target && target->canCopy();
    });
    host.enableWhen(cmd::EditPasteMulti, [this] {
        if (ClipboardTarget* target = focused())
            m_pasteEnabled = target->canPaste();
        return m_pasteEnabled;
    });
}

ClipboardTarget* ClipboardCommands::focused() const
{
    for (ClipboardTarget* target : m_targets) {
        if (target->hasClipboardFocus())
            return target;
    }
    return nullptr;
}

} // namespace kelto
