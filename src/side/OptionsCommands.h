// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "side/OptionsUnit.h"

namespace kelto {

class CommandHost;
class TPatternsForm;

// The options command (F9): the dialog, then on OK every value stored and
// the templates handed to the picker and written to their file last, so a
// failed write is reported once everything else is stored.
class OptionsCommands
{
public:
    OptionsCommands(CommandHost& host, TpIniFile& settings, TPatternsForm& patterns,
                    const QString& templatesPath, TOptionsDialog::Window window, QWidget* parent);

private:
    void showOptions();

    TpIniFile& m_settings;
    TPatternsForm& m_patterns;
    QString m_templatesPath;
    TOptionsDialog::Window m_window;
    QWidget* m_parent;
};

} // namespace kelto
