// SPDX-License-Identifier: GPL-3.0-or-later
#include "SideCommands.h"

#include "document/Notebook.h"
#include "mainwindow/ActionCatalog.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "side/AboutBox.h"
#include "side/FilesUnit.h"
#include "side/InfoUnit.h"

#include <QAction>
#include <QScreen>
#include <QTimer>

namespace kelto {

SideCommands::SideCommands(CommandHost& host, Notebook& notebook, TpIniFile& settings,
                           UserPrompts& prompts, QWidget* window)
    : m_host(host), m_notebook(notebook), m_settings(settings), m_prompts(prompts), m_window(window)
{
    host.wireCommand(cmd::ServiceInfo, [this] { editProperties(); });
    host.wireCommand(cmd::HelpAbout, [this] {
        TAboutBox box(m_window);
        box.exec();
    });
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

namespace {

// Room the window manager's frame takes around a window, as far as it can
// be known before the window is shown.
constexpr int FrameAllowance = 40;

// On the right of the main window, or at the screen's right edge when there
// is no room there, and never below the screen's bottom.
void placeBeside(QWidget& panel, const QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect main = window.frameGeometry();
    QSize size = panel.size().boundedTo(room.size() - QSize(FrameAllowance, FrameAllowance));
    panel.resize(size);
    int x = main.right() + 1;
    if (x + size.width() + FrameAllowance / 2 > room.right())
        x = room.right() - size.width() - FrameAllowance / 2;
    int y = std::max(room.top(), main.top());
    if (y + size.height() + FrameAllowance > room.bottom())
        y = room.bottom() - size.height() - FrameAllowance;
    panel.move(std::max(room.left(), x), std::max(room.top(), y));
}

} // namespace

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
            placeBeside(*m_filePanel, *m_window);
            QObject::connect(m_filePanel, &TFileManagerForm::notebookChosen, m_filePanel,
                             [this](const QString& path) {
                                 if (openNotebook)
                                     openNotebook(path);
                             });
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
