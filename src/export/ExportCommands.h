// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/ExportBox.h"

class QWidget;

namespace kelto {

class CommandHost;
class Notebook;
class TpIniFile;
class UserPrompts;

// The export command of the window (Ctrl+E): the export dialog, then the
// chosen exporter with its progress shown on large notebooks (and a way to
// stop it that leaves the target as it was), then the choices stored. The
// delimiters edited in the dialog are kept here for the next opening.
class ExportCommands
{
public:
    // An export of at least this many sections shows its progress.
    static constexpr int ProgressSections = 200;

    ExportCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings, UserPrompts& prompts,
                   QWidget* window);

private:
    void exportNotebook();
    void run(ExportJob job);

    Notebook& m_notebook;
    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    QWidget* m_window;
    ExportDelimiters m_delimiters;
};

} // namespace kelto
