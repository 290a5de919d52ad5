// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

class QWidget;

namespace kelto {

class CommandHost;
class EditorCommands;
class TCharsForm;
class TpIniFile;

// The character table (F11): shows its window, made on first use in the
// editor's font, and puts the characters it hands out in place of the
// selection of the section editor, while that editor is the main window's
// active control.
class CharsCommands
{
public:
    CharsCommands(CommandHost& host, EditorCommands& editorCommands, TpIniFile& settings,
                  QWidget* window);

    // The table's window; nullptr until it was first shown.
    TCharsForm* form() const;

private:
    void showTable();
    void insert(const QString& character);

    EditorCommands& m_editorCommands;
    TpIniFile& m_settings;
    QWidget* m_window;
    QPointer<TCharsForm> m_form;
};

} // namespace kelto
