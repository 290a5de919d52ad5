// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kelto {

class CommandHost;
class Notebook;
class TKeltoEdit;
class UserPrompts;

// The import command: a file chosen in the import dialog brought into the
// open notebook, by its extension (any letter case): a text file as a new
// top-level section, a TreePad file or another notebook as a subtree under
// the selected section, any other file's text into the selected section's
// body at the caret.
class ImportCommands
{
public:
    struct Hooks
    {
        // The loading notice over the editor area while a file is read.
        std::function<void(bool shown)> showLoading;
    };

    ImportCommands(CommandHost& host, Notebook& notebook, TKeltoEdit& editor, UserPrompts& prompts,
                   QWidget* parent, Hooks hooks);

    // What the command does once a file is chosen. Sections it adds go
    // through the notebook (the navigator follows), the first of them is
    // selected and the notebook marked modified. A TreePad file that stops
    // early keeps the sections read before the fault and throws KeltoError
    // with the reason.
    void importFile(const QString& path);

private:
    void importSections(const QString& path);
    // The file's lines at the caret, replacing the selection, as one edit;
    // the caret ends right after them. Nothing happens without a section.
    void insertFileText(const QString& path);

    Notebook& m_notebook;
    TKeltoEdit& m_editor;
    UserPrompts& m_prompts;
    QWidget* m_parent;
    Hooks m_hooks;
};

} // namespace kelto
