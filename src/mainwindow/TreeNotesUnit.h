// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ActionCatalog.h"
#include "CommandHost.h"
#include "document/Notebook.h"
#include "settings/IniUnit.h"

#include <QMainWindow>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QSplitter;
class QStackedWidget;
class QSystemTrayIcon;

namespace kelto {

class CharsCommands;
class ClipboardCommands;
class DateTimeCommands;
class EditorCommands;
class FileCommands;
class HelpWindow;
class HistoryCommands;
class ExportCommands;
class ImportCommands;
class PrintCommands;
class NavigatorCommands;
class NavigatorModel;
class NavigatorView;
class SearchCommands;
class OptionsCommands;
class RecoveryJournal;
class SideCommands;
class StatusPanels;
class TKeltoEdit;
class ToolCommands;
class UserPrompts;
class WindowSettings;

// The main window: the navigator at one side, the editor area beside it,
// menus, toolbar and status bar, and the one notebook they show. It hosts
// the command groups: each wires its commands through the window and is
// given only the parts it works on.
class TNotesForm : public QMainWindow, public CommandHost
{
    Q_OBJECT
public:
    // Settings are read from settingsPath now and written back when the
    // window closes. Every question and message goes through prompts.
    TNotesForm(const QString& settingsPath, UserPrompts& prompts, QWidget* parent = nullptr);
    ~TNotesForm() override;

    // Opens the start-up document: the first argument, else what
    // [Treepad] OnLoad names. Errors are shown; the window stays usable.
    void startUp(const QStringList& arguments);

    Notebook& notebook() { return m_notebook; }
    TpIniFile& settings() { return m_settings; }
    FileCommands& fileCommands() { return *m_fileCommands; }
    StatusPanels& status() { return *m_status; }
    TKeltoEdit* editor() const { return m_editor; }
    NavigatorView* navigator() const { return m_tree; }
    NavigatorModel* navigatorModel() const { return m_model; }
    QStackedWidget* editorArea() const { return m_rePanel; }
    QAction* action(QStringView name) const;
    ActionTable& actions() { return *m_actions; }
    bool navigatorShown() const;
    // Enables and disables the commands (normally when idle).
    void updateActions() override;
    void scheduleUpdate() override;
    void addUpdateRule(std::function<void()> rule) override;
    void trigger(QStringView name) override;
    bool run(const std::function<void()>& command) override;
    void wireCommand(QStringView name, std::function<void()> handler) override;
    void enableWhen(QStringView name, std::function<bool()> condition) override;
    UserPrompts& prompts() { return m_prompts; }
    NavigatorCommands& navigatorCommands() { return *m_navigatorCommands; }
    EditorCommands& editorCommands() { return *m_editorCommands; }
    SearchCommands& searchCommands() { return *m_searchCommands; }
    PrintCommands& printCommands() { return *m_printCommands; }
    CharsCommands& charsCommands() { return *m_charsCommands; }
    SideCommands& sideCommands() { return *m_sideCommands; }
    HistoryCommands& historyCommands() { return *m_historyCommands; }
    // Files dropped on the window: the first one is opened.
    void openDroppedFiles(const QList<QUrl>& urls);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool restoreJournal();
    void buildLayout();
    void buildCommands();
    void buildCommandGroups();
    // Which of the conditions the command table knows hold now.
    Needs metNeeds() const;
    // The section the editor shows; nullptr when none.
    Section* shownSection() const;
    void connectNotebook();
    void connectEditor();
    void buildTray();
    void applySetting(const KeyBase& key);

    void showCurrentSection();
    void detachEditorIfInside(Section* parent, int row);
    void refreshStatus();
    void showLoading(bool shown);
    void showFileName(const QString& caption, const QString& path);
    void setNavigatorShown(bool shown);
    void toggleWordWrap();
    void startNewWindow();
    void showHelp();
    void typeTab();
    void storeSettings();

    TpIniFile m_settings;
    UserPrompts& m_prompts;
    Notebook m_notebook;
    std::unique_ptr<ActionTable> m_actions;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<WindowSettings> m_windowSettings;
    std::unique_ptr<NavigatorCommands> m_navigatorCommands;
    std::unique_ptr<EditorCommands> m_editorCommands;
    std::unique_ptr<ClipboardCommands> m_clipboardCommands;
    std::unique_ptr<SearchCommands> m_searchCommands;
    std::unique_ptr<ImportCommands> m_importCommands;
    std::unique_ptr<ExportCommands> m_exportCommands;
    std::unique_ptr<PrintCommands> m_printCommands;
    std::unique_ptr<DateTimeCommands> m_dateTimeCommands;
    std::unique_ptr<CharsCommands> m_charsCommands;
    std::unique_ptr<ToolCommands> m_toolCommands;
    std::unique_ptr<SideCommands> m_sideCommands;
    std::unique_ptr<OptionsCommands> m_optionsCommands;
    RecoveryJournal* m_recovery = nullptr;
    std::unique_ptr<HistoryCommands> m_historyCommands;
    std::vector<std::function<void()>> m_updateRules;
    NavigatorModel* m_model = nullptr;
    QSplitter* m_splitter = nullptr;
    NavigatorView* m_tree = nullptr;
    QStackedWidget* m_rePanel = nullptr;
    QLabel* m_emptyPage = nullptr;
    QLabel* m_loadingPage = nullptr;
    TKeltoEdit* m_editor = nullptr;
    StatusPanels* m_status = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    QPointer<HelpWindow> m_help;
    bool m_loadingShown = false;
    bool m_syncingSelection = false;
    bool m_updateScheduled = false;
    bool m_settingsStored = false;
};

} // namespace kelto
