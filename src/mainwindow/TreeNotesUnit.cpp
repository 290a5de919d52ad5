// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeNotesUnit.h"

#include "AdnlActns.h"
#include "ClipboardCommands.h"
#include "EditorCommands.h"
#include "FileCommands.h"
#include "HelpWindow.h"
#include "ImportCommands.h"
#include "KeltoRichEd.h"
#include "NavigatorCommands.h"
#include "NavigatorModel.h"
#include "NavigatorView.h"
#include "StatusPanels.h"
#include "UserPrompts.h"
#include "WindowSettings.h"
#include "common/KeltoError.h"
#include "export/ExportCommands.h"
#include "export/PrintCommands.h"
#include "search/SearchCommands.h"
#include "settings/ConfigLocation.h"
#include "settings/SettingsKeys.h"
#include "side/HistoryCommands.h"
#include "side/OptionsCommands.h"
#include "side/RecoveryJournal.h"
#include "side/SideCommands.h"
#include "tools/CharsCommands.h"
#include "tools/DateTimeCommands.h"
#include "tools/ToolCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QScopeGuard>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>

// Resources of a static library must be registered by hand.
static void initKeltoResources()
{
    Q_INIT_RESOURCE(kelto);
}

namespace kelto {

TNotesForm::TNotesForm(const QString& settingsPath, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_settings(settingsPath), m_prompts(prompts)
{
    initKeltoResources();
    setObjectName(QStringLiteral("TNotesForm"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/kelto.svg")));
    setAcceptDrops(true);
    buildLayout();
    m_fileCommands = std::make_unique<FileCommands>(
        m_notebook, m_settings, m_prompts, this,
        FileCommands::Hooks{
            [this](const QString& caption, const QString& path) { showFileName(caption, path); },
            [this](bool shown) { showLoading(shown); },
            [this](const QString& path) {
                if (m_historyCommands)
                    m_historyCommands->record(path);
            },
            [this] { m_tree->commitCaptionEdit(); }});
    buildCommands();
    buildCommandGroups();
    connectNotebook();
    connectEditor();
    buildTray();
    m_windowSettings = std::make_unique<WindowSettings>(
        m_settings, WindowParts{this, m_splitter, m_tree, m_rePanel, m_editor});
    m_windowSettings->applyOnShow();
    m_settings.setWriteObserver([this](const KeyBase& key) { applySetting(key); });
    m_notebook.setModified(false);
    m_fileCommands->setFileName(QString());
    showCurrentSection();
    updateActions();
}

TNotesForm::~TNotesForm()
{
    m_settings.setWriteObserver({});
    m_editor->detachBody();
}

void TNotesForm::buildLayout()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_splitter->setChildrenCollapsible(false);

    m_tree = new NavigatorView(m_splitter);
    m_tree->setObjectName(QStringLiteral("TreeView"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setIndentation(19);
    m_tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_model = new NavigatorModel(&m_notebook, this);
    m_tree->setModel(m_model);

    m_rePanel = new QStackedWidget(m_splitter);
    m_rePanel->setObjectName(QStringLiteral("RePanel"));
    m_emptyPage = new QLabel(QStringLiteral("нет разделов для редактирования"), m_rePanel);
    m_emptyPage->setObjectName(QStringLiteral("RePanelCaption"));
    m_emptyPage->setAlignment(Qt::AlignCenter);
    m_editor = new TKeltoEdit(m_rePanel);
    m_loadingPage = new QLabel(QStringLiteral("Загрузка..."), m_rePanel);
    m_loadingPage->setObjectName(QStringLiteral("HideLoadingPanel"));
    m_loadingPage->setAlignment(Qt::AlignCenter);
    m_rePanel->addWidget(m_emptyPage);
    m_rePanel->addWidget(m_editor);
    m_rePanel->addWidget(m_loadingPage);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(bar);
    m_status = new StatusPanels(bar);
    connect(m_status, &StatusPanels::modifiedMarkDoubleClicked, this,
            [this] { action(cmd::FileSave)->trigger(); });
}

QAction* TNotesForm::action(QStringView name) const
{
    return m_actions->action(name);
}

void TNotesForm::wireCommand(QStringView name, std::function<void()> handler)
{
    QAction* a = m_actions->wire(name);
    connect(a, &QAction::triggered, this, [this, handler = std::move(handler)] { run(handler); });
}

void TNotesForm::buildCommands()
{
    m_actions = std::make_unique<ActionTable>(this);
    m_actions->buildMenuBar(menuBar());
    auto* toolBar = addToolBar(QStringLiteral("ToolBar"));
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    toolBar->setMovable(false);
    m_actions->buildToolBar(toolBar);
    m_editor->setContextMenu(m_actions->buildEditorMenu(this));
    addActions(m_actions->shortcutOnly());

    FileCommands& files = *m_fileCommands;
    wireCommand(cmd::FileNew, [&files] { files.newNotebook(); });
    wireCommand(cmd::FileOpen, [this, &files] {
        if (files.open())
            m_tree->setFocus();
    });
    wireCommand(cmd::FileSave, [&files] { files.save(); });
    wireCommand(cmd::FileSaveAs, [&files] { files.saveAs(); });
    wireCommand(cmd::FileExit, [this] { close(); });
    wireCommand(cmd::ServiceNewWindow, [this] { startNewWindow(); });
    wireCommand(cmd::ServiceShowNavigator, [this] { setNavigatorShown(true); });
    wireCommand(cmd::ServiceHideNavigator, [this] { setNavigatorShown(false); });
    wireCommand(cmd::HelpContents, [this] { showHelp(); });
    wireCommand(cmd::EditorDisableTab, [this] { typeTab(); });

    wireCommand(cmd::EditorWordWrap, [this] { toggleWordWrap(); });
    wireCommand(cmd::FocusNext, [this] { focusNextChild(); });
    wireCommand(cmd::FocusPrevious, [this] { focusPreviousChild(); });
}

// The navigator's and the editor's commands, each group in its own class;
// the shared cut, copy and paste reach whichever of them has the focus.
void TNotesForm::buildCommandGroups()
{
    m_navigatorCommands = std::make_unique<NavigatorCommands>(
        *this, *m_actions, m_notebook, *m_tree, *m_model, m_settings, m_prompts,
        NavigatorCommands::Hooks{[this] {
                                     m_status->clearCaret();
                                     m_status->setPath(QString());
                                 },
                                 [this] { m_editor->setFocus(); }});
    m_editorCommands =
        std::make_unique<EditorCommands>(*this, *m_actions, m_notebook, *m_editor, m_settings);
    m_clipboardCommands = std::make_unique<ClipboardCommands>(
        *this, std::vector<ClipboardTarget*>{m_editorCommands.get(), m_navigatorCommands.get()});
    m_searchCommands =
        std::make_unique<SearchCommands>(*this, m_notebook, *m_editor, m_settings, m_prompts);
    m_importCommands = std::make_unique<ImportCommands>(
        *this, m_notebook, *m_editor, m_prompts, this,
        ImportCommands::Hooks{[this](bool shown) { showLoading(shown); }});
    m_exportCommands =
        std::make_unique<ExportCommands>(*this, m_notebook, m_settings, m_prompts, this);
    m_printCommands =
        std::make_unique<PrintCommands>(*this, m_notebook, m_settings, m_prompts, this);
    m_printCommands->showHint = [this](const QString& text) { statusBar()->showMessage(text); };
    m_dateTimeCommands =
        std::make_unique<DateTimeCommands>(*this, *m_editorCommands, m_settings, this);
    m_charsCommands = std::make_unique<CharsCommands>(*this, *m_editorCommands, m_settings, this);
    m_toolCommands = std::make_unique<ToolCommands>(
        *this, ToolCommands::Parts{m_notebook, *m_tree, *m_model, *m_editor}, m_settings, m_prompts,
        templatesFileBeside(m_settings.fileName()));
    m_sideCommands = std::make_unique<SideCommands>(*this, m_notebook, m_settings, m_prompts, this);
    m_sideCommands->openNotebook = [this](const QString& path) {
        openDroppedFiles({QUrl::fromLocalFile(path)});
    };
    m_recovery = new RecoveryJournal(m_notebook, *m_editor, m_settings, this);
    TOptionsDialog::Window parts{
        [this](bool editor) { return editor ? m_editor->font() : m_tree->font(); },
        [this] { m_windowSettings->applyFonts(); },
        [this](bool editor) {
            return (editor ? static_cast<QWidget*>(m_editor) : m_tree)
                ->palette()
                .color(QPalette::Base);
        },
        QSystemTrayIcon::isSystemTrayAvailable()};
    m_optionsCommands =
        std::make_unique<OptionsCommands>(*this, m_settings, m_toolCommands->patterns(),
                                          templatesFileBeside(m_settings.fileName()), parts, this);
    m_historyCommands = std::make_unique<HistoryCommands>(*this, *m_actions, *m_fileCommands,
                                                          m_notebook, m_settings, m_prompts, this);
    // The enabling rules follow the focus.
    m_editor->installEventFilter(this);
    m_tree->installEventFilter(this);
}

void TNotesForm::trigger(QStringView name)
{
    if (QAction* a = action(name))
        a->trigger();
}

void TNotesForm::enableWhen(QStringView name, std::function<bool()> condition)
{
    m_actions->addCondition(name, std::move(condition));
}

bool TNotesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        scheduleUpdate();
    return QMainWindow::eventFilter(watched, event);
}

bool TNotesForm::run(const std::function<void()>& command)
{
    // A command's own section switches are not the user's: the journal is
    // written once, after it, if they left anything unsaved.
    m_recovery->hold();
    const auto release = qScopeGuard([this] { m_recovery->release(); });
    try {
        command();
        scheduleUpdate();
        return true;
    } catch (const KeltoError& e) {
        scheduleUpdate();
        m_prompts.error(this, e.message());
        return false;
    }
}

void TNotesForm::connectNotebook()
{
    connect(&m_notebook, &Notebook::currentChanged, this, [this] {
        showCurrentSection();
        scheduleUpdate();
    });
    // While the tree changes under the view, the view's own moves of its
    // current item are not the user's choice; the notebook names the new
    // current section when it is done.
    connect(&m_notebook, &Notebook::aboutToReset, this, [this] {
        m_syncingSelection = true;
        m_editor->detachBody();
    });
    // A notebook emptied or replaced as a whole leaves no caret to show;
    // the new current section, if any, fills the panels again.
    connect(&m_notebook, &Notebook::resetDone, this, [this] {
        m_syncingSelection = false;
        m_status->clearCaret();
        showCurrentSection();
        scheduleUpdate();
    });
    connect(&m_notebook, &Notebook::sectionsAboutToBeRemoved, this,
            [this](Section* parent, int first, int) {
                m_syncingSelection = true;
                detachEditorIfInside(parent, first);
            });
    connect(&m_notebook, &Notebook::sectionsRemoved, this, [this] {
        m_syncingSelection = false;
        showCurrentSection();
        scheduleUpdate();
    });
    connect(&m_notebook, &Notebook::sectionsInserted, this, [this] { scheduleUpdate(); });
    connect(&m_notebook, &Notebook::modifiedChanged, m_status, &StatusPanels::setModified);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncingSelection)
                    return;
                m_notebook.setCurrent(NavigatorModel::sectionOf(current));
            });
}

void TNotesForm::connectEditor()
{
    connect(m_editor, &TKeltoEdit::edited, this, [this] { m_notebook.setModified(true); });
    connect(m_editor, &TKeltoEdit::caretMoved, this, &TNotesForm::refreshStatus);
    connect(m_editor, &TKeltoEdit::linkActivated, this,
            [](const QString& url) { QDesktopServices::openUrl(QUrl::fromUserInput(url)); });
}

void TNotesForm::detachEditorIfInside(Section* parent, int row)
{
    Section* removed = parent ? parent->child(row) : m_notebook.topLevel(row);
    if (Section* shown = shownSection(); shown && removed->contains(shown))
        m_editor->detachBody();
}

// The editor shows the current section's body, or nothing.
Section* TNotesForm::shownSection() const
{
    Section* current = m_notebook.current();
    return current && m_editor->body() == &current->body() ? current : nullptr;
}

void TNotesForm::showCurrentSection()
{
    Section* current = m_notebook.current();
    m_editor->showBody(current ? &current->body() : nullptr);
    {
        m_syncingSelection = true;
        const QModelIndex index = m_model->indexOf(current);
        if (m_tree->currentIndex() != index)
            m_tree->setCurrentIndex(index);
        // The selected section is always in sight, its branch opened.
        if (index.isValid())
            m_tree->scrollTo(index);
        m_syncingSelection = false;
    }
    if (!m_loadingShown)
        m_rePanel->setCurrentWidget(current ? static_cast<QWidget*>(m_editor) : m_emptyPage);
    refreshStatus();
}

void TNotesForm::refreshStatus()
{
    if (!m_editor->body())
        return;
    m_status->setCaret(m_editor->caretLine(), m_editor->caretColumn(), m_editor->lineCount());
}

void TNotesForm::showLoading(bool shown)
{
    m_loadingShown = shown;
    if (shown) {
        m_rePanel->setCurrentWidget(m_loadingPage);
        m_loadingPage->repaint();
        return;
    }
    m_rePanel->setCurrentWidget(m_editor->body() ? static_cast<QWidget*>(m_editor) : m_emptyPage);
}

void TNotesForm::showFileName(const QString& caption, const QString& path)
{
    setWindowTitle(caption);
    m_status->setPath(path);
}

void TNotesForm::scheduleUpdate()
{
    if (m_updateScheduled)
        return;
    m_updateScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_updateScheduled = false;
        updateActions();
    });
}

void TNotesForm::addUpdateRule(std::function<void()> rule)
{
    m_updateRules.push_back(std::move(rule));
}

void TNotesForm::updateActions()
{
    m_actions->updateEnabled(metNeeds());
    for (const auto& rule : m_updateRules)
        rule();
    m_actions->placeInSharedSlot(
        action(navigatorShown() ? cmd::ServiceHideNavigator : cmd::ServiceShowNavigator));
}

Needs TNotesForm::metNeeds() const
{
    const bool editorActive = focusWidget() == m_editor && m_editor->body();
    const std::pair<bool, Needs> conditions[] = {
        {!m_notebook.isEmpty(), need::NotEmpty},
        {navigatorShown(), need::NavigatorShown},
        {m_notebook.current() != nullptr, need::SectionSelected},
        {editorActive, need::EditorFocused},
        {editorActive && editactions::hasSelection(*m_editor), need::EditorSelection},
        {m_settings.read(keys::editor::UseTabChar), need::TabTyping},
    };
    Needs met = 0;
    for (const auto& [holds, condition] : conditions)
        met |= holds ? condition : Needs(0);
    return met;
}

bool TNotesForm::navigatorShown() const
{
    return !m_tree->isHidden();
}

void TNotesForm::setNavigatorShown(bool shown)
{
    m_tree->setVisible(shown);
    updateActions();
}

void TNotesForm::toggleWordWrap()
{
    m_settings.write(keys::editor::WordWrap, !m_settings.read(keys::editor::WordWrap));
}

void TNotesForm::typeTab()
{
    if (m_editor->hasFocus() && !m_editor->isReadOnly())
        m_editor->insertPlainText(QStringLiteral("\t"));
}

void TNotesForm::applySetting(const KeyBase& key)
{
    m_windowSettings->apply(key);
    m_sideCommands->apply(key);
    m_historyCommands->apply(key);
    if (key == keys::editor::UseTabChar)
        updateActions();
}

void TNotesForm::startNewWindow()
{
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {}))
        throw KeltoError(QStringLiteral("Ошибка обращения к исполняемому модулю."));
}

void TNotesForm::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

// A journal left by a run that ended without saving is offered first; a
// restored notebook takes the place of the start-up document.
bool TNotesForm::restoreJournal()
{
    for (const RecoveryJournal::Left& left : RecoveryJournal::leftBehind()) {
        const QString name = left.original.isEmpty() ? Notebook::DefaultFileName : left.original;
        // Enter restores: No deletes the journal for good.
        if (m_prompts.offer(this, RecoveryJournal::RestoreQuestion.arg(name)) ==
            UserPrompts::Answer::Yes) {
            m_fileCommands->restoreFile(left.journal, left.original);
            RecoveryJournal::discard(left.journal);
            m_recovery->writeNow();
            return true;
        }
        RecoveryJournal::discard(left.journal);
    }
    return false;
}

void TNotesForm::startUp(const QStringList& arguments)
{
    run([&] {
        if (restoreJournal())
            return;
        if (!arguments.isEmpty()) {
            m_fileCommands->openFile(arguments.first());
            return;
        }
        switch (m_settings.read(keys::treepad::OnLoad)) {
        case keys::treepad::OnLoadNew:
            m_notebook.addSection(nullptr, Notebook::NewSectionCaption);
            break;
        case keys::treepad::OnLoadRecent: {
            const QStringList& history = m_historyCommands->history().entries();
            if (!history.isEmpty())
                m_fileCommands->openFile(history.first());
            break;
        }
        case keys::treepad::OnLoadFile:
            m_fileCommands->openFile(m_settings.read(keys::treepad::LoadFile));
            break;
        }
    });
    updateActions();
}

void TNotesForm::closeEvent(QCloseEvent* event)
{
    bool mayClose = false;
    run([&] { mayClose = m_fileCommands->canClose(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    storeSettings();
    if (m_help)
        m_help->close();
    if (m_tray)
        m_tray->hide();
    event->accept();
}

void TNotesForm::storeSettings()
{
    if (m_settingsStored)
        return;
    m_settingsStored = true;
    m_searchCommands->storeAtExit();
    m_historyCommands->storeAtExit();
    m_windowSettings->storeAtExit();
    run([this] { m_settings.UpdateFile(); });
}

void TNotesForm::buildTray()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setObjectName(QStringLiteral("RxTray"));
    auto* menu = new QMenu(this);
    menu->addAction(action(cmd::FileExit));
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r != QSystemTrayIcon::Trigger && r != QSystemTrayIcon::DoubleClick)
            return;
        showNormal();
        m_tray->hide();
    });
}

void TNotesForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !m_tray)
        return;
    if (isMinimized() && m_settings.read(keys::treepad::MinimizeToTray)) {
        m_tray->show();
        QTimer::singleShot(0, this, &QWidget::hide);
    }
}

void TNotesForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TNotesForm::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    // Let the drag end before any question is asked.
    QTimer::singleShot(0, this, [this, urls] { openDroppedFiles(urls); });
}

void TNotesForm::openDroppedFiles(const QList<QUrl>& urls)
{
    // Of several files dropped at once only the first one counts.
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    const QString path = urls.first().toLocalFile();
    run([&] {
        if (m_fileCommands->askSave())
            m_fileCommands->openFile(path);
    });
}

} // namespace kelto
