// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <functional>

namespace kelto {

// What a command group needs of the window it serves: its commands wired to
// handlers that run through the window's dispatcher (an error a handler
// raises is shown and ends the command), extra enabling conditions, and
// updates of the commands' state.
class CommandHost
{
public:
    // Runs handler through run() whenever the command triggers; from now on
    // the command is enabled while its needs and its condition allow.
    virtual void wireCommand(QStringView name, std::function<void()> handler) = 0;
    // A condition of the command beyond the needs of its table row,
    // evaluated with every update once those needs are met.
    virtual void enableWhen(QStringView name, std::function<bool()> condition) = 0;
    // Work done with every update after the commands are enabled.
    virtual void addUpdateRule(std::function<void()> rule) = 0;
    // Runs a command; an error it raises is shown and ends it. False when
    // it failed.
    virtual bool run(const std::function<void()>& command) = 0;
    // Triggers the named command as a user would choose it.
    virtual void trigger(QStringView name) = 0;
    // Updates the commands' state now, or once the current event is handled.
    virtual void updateActions() = 0;
    virtual void scheduleUpdate() = 0;

protected:
    ~CommandHost() = default;
};

} // namespace kelto
