// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/FileIo.h"

#include <QString>

#include <functional>

class QWidget;

namespace kelto {

class Notebook;
class TpIniFile;
class UserPrompts;

// New, Open, Save, Save As, the unsaved-changes question and the closing
// rule. Errors are thrown as KeltoError for the command dispatcher to show;
// a user's cancellation is a false result, never an error.
class FileCommands
{
public:
    struct Hooks
    {
        // The window caption and the status bar's path panel.
        std::function<void(const QString& caption, const QString& path)> showFileName;
        // The loading notice over the editor area while a file is read.
        std::function<void(bool shown)> showLoading;
        // A file opened or saved, for the history of recent files.
        std::function<void(const QString& path)> recordFile;
        // Ends a caption edit still open in the navigator, taking its text.
        std::function<void()> commitCaptionEdit;
    };

    FileCommands(Notebook& notebook, TpIniFile& settings, UserPrompts& prompts, QWidget* parent,
                 Hooks hooks);

    // Every command that reads or replaces the whole notebook (save, close,
    // new, open, a dropped file, export, print) calls this first: a caption
    // still being edited becomes part of the notebook, as it does when the
    // user clicks elsewhere, and the modified mark follows.
    void commitOpenEdit();
    // Offers to save unsaved changes. False when the user cancelled (the
    // calling command stops silently).
    bool askSave();
    // Reads the file into the notebook; a failure leaves the open notebook,
    // its name and its modified flag as they were.
    void openFile(const QString& path);
    // Loads a recovery journal as the unsaved state of the notebook it was
    // written for: under original's name (none when empty), modified.
    void restoreFile(const QString& journal, const QString& original);
    // The Open command: a file dialog, then askSave and openFile. False when
    // nothing was opened.
    bool open();
    // One empty section in a notebook that has never been saved.
    bool newNotebook();
    // Saves under the notebook's name with the extension ".nib"; a notebook
    // that was never saved goes through Save As. False when cancelled.
    bool save();
    bool saveAs();
    // The question before the window closes. False keeps it open.
    bool canClose();

    // An empty path: the notebook has never been saved.
    void setFileName(const QString& path);
    // "Тримбель - <title>" for the window caption.
    QString caption() const;

    // The name Save writes: the file name's extension replaced by ".nib" (or
    // ".nib" appended when it has none); an extension "nib" in any letter
    // case is kept as it is.
    static QString withNibExtension(const QString& path);

private:
    // False when the user chose not to replace a file that another program
    // changed since this window read or wrote it.
    bool saveNotebook(const QString& path);
    bool mayReplace(const QString& path);
    void remember(const QString& path, const FileStamp& stamp);

    Notebook& m_notebook;
    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    QWidget* m_parent;
    Hooks m_hooks;
    // The file this window last read or wrote, as it was then.
    QString m_seenPath;
    FileStamp m_seenStamp;
};

} // namespace kelto
