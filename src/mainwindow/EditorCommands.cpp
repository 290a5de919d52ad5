#include "EditorCommands.h"

#include "TreeNotesUnit.h"

namespace kelto {

EditorCommands::EditorCommands(TNotesForm& window) : m_window(window) {}

EditorCommands::~EditorCommands() = default;

} // namespace kelto
