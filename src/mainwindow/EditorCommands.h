#pragma once

namespace kelto {

class TNotesForm;

// The commands of the section editor: undo and redo, the clipboard, select
// all, block indent and outdent, case, the insertions and the automatic
// clipboard paste.
class EditorCommands
{
public:
    explicit EditorCommands(TNotesForm& window);
    ~EditorCommands();

private:
    TNotesForm& m_window;
};

} // namespace kelto
