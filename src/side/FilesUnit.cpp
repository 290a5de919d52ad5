// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilesUnit.h"

#include "mainwindow/ItemActivation.h"

#include "common/KeltoError.h"
#include "mainwindow/UserPrompts.h"
#include "tools/DateTimeFormat.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace kelto {

namespace {

enum ViewMode
{
    LargeIcons,
    SmallIcons,
    List,
    Table
};

QStyle::StandardPixmap volumePixmap(VolumeKind kind)
{
    switch (kind) {
    case VolumeKind::Removable:
        return QStyle::SP_DriveFDIcon;
    case VolumeKind::Network:
        return QStyle::SP_DriveNetIcon;
    case VolumeKind::Optical:
        return QStyle::SP_DriveCDIcon;
    default:
        return QStyle::SP_DriveHDIcon;
    }
}

} // namespace

TFileManagerForm::TFileManagerForm(TpIniFile& settings, UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_settings(settings), m_prompts(prompts),
      m_opener([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("TFileManagerForm"));
    setWindowTitle(QStringLiteral("Менеджер файлов"));
    resize(340, 320);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(2);
    buildTools();
    buildViews();
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    m_total = new QLabel(QStringLiteral("Всего:"), status);
    m_total->setMinimumWidth(90);
    m_info = new QLabel(QStringLiteral("Размер"), status);
    status->addWidget(m_total);
    status->addWidget(m_info, 1);
    layout->addWidget(status);
    fillVolumes();
    m_folder = QDir::currentPath();
    try {
        showEntries(listFolder(m_folder));
    } catch (const KeltoError& e) {
        m_prompts.error(this, e.message());
    }
    selectVolumeOfFolder();
}

void TFileManagerForm::buildTools()
{
    m_volumeBox = new QComboBox(this);
    m_volumeBox->setObjectName(QStringLiteral("DriveComboBox"));
    // A long volume name must not push the buttons beside it out of the
    // panel: the box shows what fits and its list shows the rest.
    m_volumeBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_volumeBox->setMinimumContentsLength(8);
    connect(m_volumeBox, &QComboBox::activated, this, &TFileManagerForm::chooseVolume);

    m_up = new QAction(style()->standardIcon(QStyle::SP_FileDialogToParent),
                       QStringLiteral("Вверх"), this);
    m_up->setObjectName(QStringLiteral("ActionGoUp"));
    m_up->setToolTip(QStringLiteral("Вверх"));
    m_up->setStatusTip(QStringLiteral("Вверх на уровень"));
    m_up->setShortcut(Qt::Key_Backspace);
    m_up->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_up);
    connect(m_up, &QAction::triggered, this, &TFileManagerForm::goUp);
    auto* up = new QToolButton(this);
    up->setObjectName(QStringLiteral("UpToolButton"));
    up->setDefaultAction(m_up);

    QToolButton* view = makeViewButton();

    auto* row = new QHBoxLayout;
    row->addWidget(m_volumeBox, 1);
    row->addWidget(up);
    row->addWidget(view);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

// "Вид": large icons, small icons, a list (the first view) or a table.
QToolButton* TFileManagerForm::makeViewButton()
{
    auto* view = new QToolButton(this);
    view->setObjectName(QStringLiteral("ViewToolButton"));
    view->setText(QStringLiteral("Вид"));
    view->setToolTip(QStringLiteral("Вид"));
    view->setStatusTip(QStringLiteral("Изменить способ просмотра содержимого окна."));
    view->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(view);
    auto* modes = new QActionGroup(menu);
    const QString captions[] = {QStringLiteral("Крупные значки"), QStringLiteral("Мелкие значки"),
                                QStringLiteral("Список"), QStringLiteral("Таблица")};
    for (int mode = LargeIcons; mode <= Table; ++mode) {
        QAction* a = menu->addAction(captions[mode]);
        a->setCheckable(true);
        a->setChecked(mode == List);
        modes->addAction(a);
        connect(a, &QAction::triggered, this, [this, mode] { setViewMode(mode); });
    }
    view->setMenu(menu);
    // The style draws the menu's arrow in the corner without making room
    // for it; room is made so the arrow never covers the text.
    view->setMinimumWidth(
        view->sizeHint().width() +
        view->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, view));
    return view;
}

void TFileManagerForm::buildViews()
{
    m_model = new QStandardItemModel(0, 3, this);
    m_model->setHorizontalHeaderLabels(
        {QStringLiteral("Имя"), QStringLiteral("Размер"), QStringLiteral("Изменён")});
    m_model->horizontalHeaderItem(1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_viewStack = new QStackedWidget(this);
    m_listView = new QListView(m_viewStack);
    m_listView->setObjectName(QStringLiteral("DirListView"));
    m_listView->setModel(m_model);
    m_listView->setFlow(QListView::TopToBottom);
    m_listView->setWrapping(true);
    m_listView->setResizeMode(QListView::Adjust);
    m_tableView = new QTreeView(m_viewStack);
    m_tableView->setObjectName(QStringLiteral("DirTableView"));
    m_tableView->setRootIsDecorated(false);
    m_tableView->setUniformRowHeights(true);
    m_tableView->setModel(m_model);
    m_tableView->setSelectionModel(m_listView->selectionModel());
    for (int column = 0; column < 3; ++column)
        m_tableView->setColumnWidth(column, 100);
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(m_listView),
                                 static_cast<QAbstractItemView*>(m_tableView)}) {
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        new ItemActivation(v, [this](const QModelIndex& index) { activate(index.row()); });
    }
    connect(m_listView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFileManagerForm::showSelection);
    m_viewStack->addWidget(m_listView);
    m_viewStack->addWidget(m_tableView);
    layout()->addWidget(m_viewStack);
}

void TFileManagerForm::fillVolumes()
{
    m_volumes = mountedVolumes();
    for (const Volume& volume : m_volumes)
        m_volumeBox->addItem(style()->standardIcon(volumePixmap(volume.kind)), volume.text);
}

void TFileManagerForm::selectVolumeOfFolder()
{
    const QSignalBlocker blocker(m_volumeBox);
    m_volumeBox->setCurrentIndex(volumeOf(m_volumes, m_folder));
    m_up->setEnabled(!isRootFolder(m_folder));
}

void TFileManagerForm::chooseVolume(int index)
{
    if (index < 0 || index >= m_volumes.size())
        return;
    if (volumeOf(m_volumes, m_folder) != index)
        changeFolder(m_volumes[index].root);
    selectVolumeOfFolder();
}

bool TFileManagerForm::changeFolder(const QString& path)
{
    const QString target = QDir::cleanPath(QDir(m_folder).absoluteFilePath(path));
    if (target == m_folder)
        return true;
    m_info->setText(QStringLiteral("Чтение..."));
    m_info->repaint();
    try {
        // Read first, enter after: a folder that cannot be read leaves the
        // list and the current folder as they were.
        QList<FolderEntry> entries = listFolder(target);
        m_folder = enterFolder(target);
        showEntries(std::move(entries));
    } catch (const KeltoError& e) {
        showSelection();
        m_prompts.error(this, e.message());
        return false;
    }
    selectVolumeOfFolder();
    return true;
}

void TFileManagerForm::goUp()
{
    if (!isRootFolder(m_folder))
        changeFolder(parentFolder(m_folder));
}

void TFileManagerForm::activate(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    const FolderEntry& entry = m_entries[row];
    const QString path = joinFolderPath(m_folder, entry.name);
    if (entry.isFolder) {
        changeFolder(path);
        return;
    }
    // A notebook opens in this window; other files go to the desktop.
    if (QFileInfo(entry.name).suffix().compare(u"nib", Qt::CaseInsensitive) == 0) {
        Q_EMIT notebookChosen(path);
        return;
    }
    // By its absolute path as a URL: never relative to whatever the current
    // folder is now, never read as an option however the name begins.
    if (!m_opener(QUrl::fromLocalFile(path)))
        m_prompts.error(this, QStringLiteral("Не удалось открыть файл \"%1\".").arg(path));
}

void TFileManagerForm::showEntries(QList<FolderEntry> entries)
{
    m_entries = std::move(entries);
    m_model->removeRows(0, m_model->rowCount());
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    const QLocale locale = QLocale::system();
    const QStringView stamp = DateTimeFormats[storedDateTimeFormat(m_settings)];
    for (const FolderEntry& entry : std::as_const(m_entries)) {
        auto* name = new QStandardItem(entry.isFolder ? folderIcon : fileIcon, entry.name);
        auto* size = new QStandardItem(entry.isFolder ? QString() : locale.toString(entry.size));
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* modified = new QStandardItem(
            entry.modified.isValid() ? formatDateTime(stamp, entry.modified, systemDateTimeLocale())
                                     : QString());
        m_model->appendRow({name, size, modified});
    }
    m_total->setText(QStringLiteral("Всего: %1").arg(m_entries.size()));
    m_info->setText(folderMask(m_folder));
    if (!m_entries.isEmpty())
        m_listView->setCurrentIndex(m_model->index(0, 0));
}

void TFileManagerForm::showSelection()
{
    const int row = m_listView->currentIndex().row();
    if (row < 0 || row >= m_entries.size()) {
        m_info->setText(folderMask(m_folder));
        return;
    }
    m_info->setText(selectionSizeText(m_entries[row].size, QLocale::system()));
}

void TFileManagerForm::setViewMode(int mode)
{
    if (mode == Table) {
        m_viewStack->setCurrentWidget(m_tableView);
        return;
    }
    m_listView->setViewMode(mode == List ? QListView::ListMode : QListView::IconMode);
    const int extent = style()->pixelMetric(mode == LargeIcons ? QStyle::PM_LargeIconSize
                                                               : QStyle::PM_SmallIconSize);
    m_listView->setIconSize(QSize(extent, extent));
    // The list runs in columns, top to bottom, as the window is high.
    m_listView->setWrapping(true);
    if (mode == List)
        m_listView->setFlow(QListView::TopToBottom);
    m_viewStack->setCurrentWidget(m_listView);
}

void TFileManagerForm::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    Q_EMIT closedByUser();
}

} // namespace kelto
