#include "SideCommands.h"

#include "document/Notebook.h"
#include "mainwindow/ActionCatalog.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "side/FilesUnit.h"
#include "side/InfoUnit.h"

#include <QAction>
#include <QTimer>

namespace kelto {

SideCommands::SideCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings,
                           UserPrompts& prompts, QWidget* window)
    : m_host(host), m_notebook(notebook), m_settings(settings), m_prompts(prompts), m_window(window)
{
    host.wireCommand(cmd::ServiceInfo, [this] { editProperties(); });
    host.wireCommand(cmd::ServiceFiles, [this] {
        m_settings.write(keys::treepad::ShowFileManager, !filePanelShown());
    });
    QAction* files = window->findChild<QAction*>(cmd::ServiceFiles.toString());
    host.addUpdateRule(
        [this, files] { files->setText(ActionTable::fileManagerCaption(filePanelShown())); });
    // The stored visibility is applied once the window is up.
    QTimer::singleShot(0, window, [this] {
        if (m_settings.read(keys::treepad::ShowFileManager))
            showFilePanel(true);
    });
}

// A changed property marks the notebook modified: otherwise closing the
// window would drop the edit without asking.
void SideCommands::editProperties()
{
    TFileInfoDialog dialog(m_notebook.properties(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (writeDocumentInfo(m_notebook.properties(), dialog.info()))
        m_notebook.setModified(true);
}

void SideCommands::apply(const KeyBase& key)
{
    if (key == keys::treepad::ShowFileManager)
        showFilePanel(m_settings.read(keys::treepad::ShowFileManager));
}

TFileManagerForm* SideCommands::filePanel() const
{
    return m_filePanel;
}

bool SideCommands::filePanelShown() const
{
    return m_filePanel && m_filePanel->isVisible();
}

// The panel is made on first use, listing the current folder of that moment.
void SideCommands::showFilePanel(bool shown)
{
    if (shown == filePanelShown())
        return;
    if (!shown) {
        m_filePanel->hide();
    } else {
        if (!m_filePanel) {
            m_filePanel = new TFileManagerForm(m_settings, m_prompts, m_window);
            QObject::connect(m_filePanel, &TFileManagerForm::closedByUser, m_filePanel,
                             [this] { m_settings.write(keys::treepad::ShowFileManager, false); });
        }
        m_filePanel->show();
        m_filePanel->raise();
        m_filePanel->activateWindow();
    }
    m_host.scheduleUpdate();
}

} // namespace kelto
