// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kelto {

class CommandHost;
class EditorCommands;
class TpIniFile;

// Date and time insertion (F10): the dialog of the fourteen formats, then
// the chosen text in place of the editor's selection, as one undo step.
class DateTimeCommands
{
public:
    DateTimeCommands(CommandHost& host, EditorCommands& editorCommands, TpIniFile& settings,
                     QWidget* window);

private:
    void insertDateTime();

    EditorCommands& m_editorCommands;
    TpIniFile& m_settings;
    QWidget* m_window;
};

} // namespace kelto
