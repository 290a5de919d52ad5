#include "NavigatorCommands.h"

#include "TreeNotesUnit.h"

namespace kelto {

NavigatorCommands::NavigatorCommands(TNotesForm& window) : m_window(window) {}

NavigatorCommands::~NavigatorCommands() = default;

bool NavigatorCommands::canCutSection() const
{
    return false;
}

void NavigatorCommands::cutSection() {}

bool NavigatorCommands::canPasteSection() const
{
    return false;
}

void NavigatorCommands::pasteSection() {}

} // namespace kelto
