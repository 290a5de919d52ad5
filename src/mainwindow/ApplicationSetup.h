// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace kelto {

// What the desktop program sets on its application object before any window
// exists: its name and Qt's Russian translation. No display name is set:
// the platform would append it to every window title, and the titles
// already name the program where they should. Running it again changes
// nothing.
void setUpApplication(QCoreApplication& app);

// Qt's Russian translation, so Qt's own dialogs and buttons speak Russian
// whatever the system locale. Installed once however often it is called.
void installQtTranslation(QCoreApplication& app);

} // namespace kelto
