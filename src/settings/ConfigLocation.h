// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelto {

// What decides where kelto.ini and kelto.ntl live.
struct ConfigLocationInputs
{
    QString overrideDir;   // KELTO_CONFIG_DIR; wins when not empty
    QString executableDir; // the program's folder; empty when unknown
    QString xdgConfigHome; // XDG_CONFIG_HOME; used only when absolute
    QString homeDir;
};

// The settings folder for these inputs: the override; else the program's
// folder when it is writable or already holds kelto.ini (portable use);
// else <XDG_CONFIG_HOME or ~/.config>/kelto, created when missing.
QString configDirectoryFor(const ConfigLocationInputs& inputs);

// The settings folder of this process, from its environment and, when an
// application object exists, the executable's folder.
QString settingsDirectory();
QString settingsFilePath();  // kelto.ini
QString templatesFilePath(); // kelto.ntl
// The templates file that belongs to a settings file: kelto.ntl beside it.
QString templatesFileBeside(const QString& settingsFile);

} // namespace kelto
