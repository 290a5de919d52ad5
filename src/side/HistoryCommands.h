// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecentFiles.h"

#include <QList>

class QAction;
class QMenu;
class QWidget;

namespace kelto {

class ActionTable;
class CommandHost;
class FileCommands;
class Notebook;
class TpIniFile;
class UserPrompts;
struct KeyBase;

// Recent files and favourites: the history submenu of the File menu and the
// Open button's drop-down (items HistItem<i> and HistPopupItem<i>, as many
// as the history may hold, shown while they have an entry), the favourites
// after the fixed items of their menu, and the commands that add favourites
// and edit their list. Every item opens its file after the unsaved-changes
// question.
class HistoryCommands
{
public:
    HistoryCommands(CommandHost& host, ActionTable& actions, FileCommands& files,
                    Notebook& notebook, TpIniFile& settings, UserPrompts& prompts, QWidget* window);

    // A file opened or saved goes to the front of the history.
    void record(const QString& path);
    // Writes the history into the settings (the window does so at closing).
    void storeAtExit();
    // Follows a new MaxHistoryCount or MaxFavoriteCount written to the
    // settings: the lists are cut to it and the menus rebuilt.
    void apply(const KeyBase& key);

    const HistoryList& history() const { return m_history; }

private:
    void rebuildHistoryMenus();
    void fillHistoryMenu(QMenu* menu, const QString& namePrefix, bool withKeys);
    void rebuildFavoritesMenu();
    void addFavorite();
    void changeFavorites();
    void open(const QString& path);

    CommandHost& m_host;
    ActionTable& m_actions;
    FileCommands& m_files;
    Notebook& m_notebook;
    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    QWidget* m_window;
    HistoryList m_history;
    QList<QAction*> m_favoriteItems;
};

} // namespace kelto
