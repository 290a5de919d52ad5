// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateTimeCommands.h"

#include "common/Clock.h"
#include "mainwindow/AdnlActns.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/EditorCommands.h"
#include "tools/DateTimeFormat.h"
#include "tools/DateTimeUnit.h"

namespace kelto {

DateTimeCommands::DateTimeCommands(CommandHost& host, EditorCommands& editorCommands,
                                   TpIniFile& settings, QWidget* window)
    : m_editorCommands(editorCommands), m_settings(settings), m_window(window)
{
    host.wireCommand(cmd::EditorDateTime, [this] { insertDateTime(); });
}

void DateTimeCommands::insertDateTime()
{
    TKeltoEdit* editor = m_editorCommands.focusedEditor();
    if (!editor)
        return;
    TDateTimeForm form(m_window, m_settings, currentDateTime(), systemDateTimeLocale());
    if (form.exec() != QDialog::Accepted)
        return;
    const QString text = form.chosenText();
    if (!text.isEmpty())
        editactions::replaceSelection(*editor, text);
}

} // namespace kelto
