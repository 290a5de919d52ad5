// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "side/FolderListing.h"

#include <QUrl>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QListView;
class QStackedWidget;
class QStandardItemModel;
class QToolButton;
class QTreeView;

namespace kelto {

class TpIniFile;
class UserPrompts;

// "Менеджер файлов": a tool window listing one folder at a time, its folders
// first, then its files, with sizes and modification times. Enter or a
// double click enters a folder or hands a file to the desktop; Backspace
// goes up; the volume list jumps to another mounted volume. Changing folder
// also changes the process's current folder. Errors go to the prompts.
class TFileManagerForm : public QWidget
{
    Q_OBJECT
public:
    // Hands a file to the desktop; true when that worked.
    using Opener = std::function<bool(const QUrl&)>;

    TFileManagerForm(TpIniFile& settings, UserPrompts& prompts, QWidget* parent = nullptr);

    const QString& folder() const { return m_folder; }
    const QList<FolderEntry>& entries() const { return m_entries; }
    // Enters path and lists it; nothing when it is the folder shown. An
    // error is shown and leaves the list as it was. False on error.
    bool changeFolder(const QString& path);
    void goUp();
    // Enter on the entry at row: a folder is entered, a file opened.
    void activate(int row);
    void setOpener(Opener opener) { m_opener = std::move(opener); }

Q_SIGNALS:
    // The user closed the window with its frame.
    void closedByUser();
    // A notebook (".nib" in any letter case) was chosen: the window opens it.
    void notebookChosen(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTools();
    QToolButton* makeViewButton();
    void buildViews();
    void fillVolumes();
    void showEntries(QList<FolderEntry> entries);
    void showSelection();
    void chooseVolume(int index);
    void setViewMode(int mode);
    void selectVolumeOfFolder();

    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    Opener m_opener;
    QString m_folder;
    QList<FolderEntry> m_entries;
    QList<Volume> m_volumes;
    QComboBox* m_volumeBox = nullptr;
    QAction* m_up = nullptr;
    QStandardItemModel* m_model = nullptr;
    QStackedWidget* m_viewStack = nullptr;
    QListView* m_listView = nullptr;
    QTreeView* m_tableView = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_info = nullptr;
};

} // namespace kelto
