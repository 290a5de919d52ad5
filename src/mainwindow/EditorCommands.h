// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClipboardCommands.h"

#include <QObject>

namespace kelto {

class ActionTable;
class CommandHost;
class Notebook;
class TKeltoEdit;
class TpIniFile;
enum class LetterCase;
enum class ShiftDirection;

// The commands of the section editor: undo and redo, the clipboard, select
// all, block indent and outdent, case, the insertions and the automatic
// clipboard paste.
//
// They act on the section editor only while it is the window's active
// control (its focus widget) and shows a section. Ctrl+X, C, V, Z, Shift+Z
// and A reach the editor itself when it has the focus (it claims them before
// the window's shortcuts), and the editor then does just what the commands
// do.
class EditorCommands : public QObject, public ClipboardTarget
{
    Q_OBJECT
public:
    EditorCommands(CommandHost& host, ActionTable& actions, Notebook& notebook, TKeltoEdit& editor,
                   TpIniFile& settings);
    ~EditorCommands() override;

    // The editor while it is the active control and shows a section, else
    // nullptr.
    TKeltoEdit* focusedEditor() const;
    bool autoClipboard() const;

    bool hasClipboardFocus() const override { return focusedEditor() != nullptr; }
    bool canCut() const override { return canCopy(); }
    void cut() override;
    bool canCopy() const override;
    void copy() override;
    bool canPaste() const override;
    void paste() override;

private:
    void wireCommands();
    void wireClipboardCommands();
    void wireInsertions();
    void addConditions();

    // Runs edit on the focused editor, when there is one.
    void onFocusedEditor(void (*edit)(TKeltoEdit&));
    void shift(ShiftDirection direction);
    void changeCase(LetterCase letterCase);
    void insertCaption();
    void insertPath();
    void insertChildList();
    void clipboardChanged();

    CommandHost& m_host;
    ActionTable& m_actions;
    Notebook& m_notebook;
    TKeltoEdit& m_editor;
    TpIniFile& m_settings;
};

} // namespace kelto
