// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include <functional>

class QWidget;

namespace kelto {

class CommandHost;
struct KeyBase;
class Notebook;
class TFileManagerForm;
class TpIniFile;
class UserPrompts;

// The side tools of the window: the document properties (Ctrl+M) and the
// file manager panel (Ctrl+Q), whose visibility lives in the setting
// [Treepad] ShowFileManager.
class SideCommands
{
public:
    SideCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings, UserPrompts& prompts,
                 QWidget* window);

    // Follows a setting just written; the panel's visibility key shows or
    // hides it.
    void apply(const KeyBase& key);
    // The panel; nullptr until it was first shown.
    TFileManagerForm* filePanel() const;
    // Opens a notebook chosen in the panel in the window, as a dropped file.
    std::function<void(const QString&)> openNotebook;

private:
    void editProperties();
    void showFilePanel(bool shown);
    bool filePanelShown() const;

    CommandHost& m_host;
    Notebook& m_notebook;
    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    QWidget* m_window;
    QPointer<TFileManagerForm> m_filePanel;
};

} // namespace kelto
