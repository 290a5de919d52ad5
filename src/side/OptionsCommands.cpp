// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionsCommands.h"

#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"
#include "settings/IniUnit.h"
#include "tools/PatternsUnit.h"

namespace kelto {

OptionsCommands::OptionsCommands(CommandHost& host, TpIniFile& settings, TPatternsForm& patterns,
                                 const QString& templatesPath, TOptionsDialog::Window window,
                                 QWidget* parent)
    : m_settings(settings), m_patterns(patterns), m_templatesPath(templatesPath),
      m_window(std::move(window)), m_parent(parent)
{
    host.wireCommand(cmd::ServiceOptions, [this] { showOptions(); });
}

void OptionsCommands::showOptions()
{
    TOptionsDialog dialog(m_parent, m_settings, m_patterns.templates(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.store();
    m_patterns.setTemplates(dialog.templates());
    // A confirmed choice is on disk at once: a crash later loses nothing.
    m_settings.UpdateFile();
    writeTemplates(m_templatesPath, dialog.templates());
}

} // namespace kelto
