// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharsCommands.h"

#include "mainwindow/AdnlActns.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/EditorCommands.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "tools/CharsUnit.h"

namespace kelto {

CharsCommands::CharsCommands(CommandHost& host, EditorCommands& editorCommands, TpIniFile& settings,
                             QWidget* window)
    : m_editorCommands(editorCommands), m_settings(settings), m_window(window)
{
    host.wireCommand(cmd::EditorChar, [this] { showTable(); });
    // The table's insert follows the main window's active control.
    host.addUpdateRule([this] {
        if (m_form)
            m_form->setInsertEnabled(m_editorCommands.focusedEditor() != nullptr);
    });
}

TCharsForm* CharsCommands::form() const
{
    return m_form;
}

void CharsCommands::showTable()
{
    if (!m_form) {
        FontSpec font;
        m_settings.ReadFont(keys::EditorFont, font);
        m_form = new TCharsForm(m_window, font.name);
        m_form->setInsertEnabled(m_editorCommands.focusedEditor() != nullptr);
        QObject::connect(m_form, &TCharsForm::insertRequested, m_form,
                         [this](const QString& character) { insert(character); });
    }
    m_form->show();
    m_form->raise();
    m_form->activateWindow();
}

void CharsCommands::insert(const QString& character)
{
    if (TKeltoEdit* editor = m_editorCommands.focusedEditor())
        editactions::replaceSelection(*editor, character);
}

} // namespace kelto
