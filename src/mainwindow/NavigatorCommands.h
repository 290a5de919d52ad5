#pragma once

namespace kelto {

class TNotesForm;

// The commands of the navigator: new, rename, delete and undo of sections,
// expand and collapse, moves, cut and paste of a section, drag and drop,
// and the navigator's own keys and mouse handling.
class NavigatorCommands
{
public:
    explicit NavigatorCommands(TNotesForm& window);
    ~NavigatorCommands();

    // The navigator side of the shared Cut and Paste commands (Ctrl+X and
    // Ctrl+V while the navigator has the focus).
    bool canCutSection() const;
    void cutSection();
    bool canPasteSection() const;
    void pasteSection();

private:
    TNotesForm& m_window;
};

} // namespace kelto
