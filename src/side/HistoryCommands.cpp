// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryCommands.h"

#include "ChangeFavUnit.h"
#include "InputQueryUnit.h"
#include "document/Notebook.h"
#include "mainwindow/ActionCatalog.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/UserPrompts.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QAction>
#include <QMenu>

namespace kelto {

namespace {

const QString FavoritesTitle = QStringLiteral("Избранное");
const QString OpenThisFile = QStringLiteral("Открыть данный файл.");
// Keys Ctrl(+Shift)+1 .. 9 go to the first nine items.
constexpr int KeyedItems = 9;

// A path shown as written: "&" would otherwise mark an accelerator.
QString menuText(const QString& path)
{
    return QString(path).replace(u'&', QStringLiteral("&&"));
}

QString withoutLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    return text.mid(start);
}

QKeySequence digitKey(int index, Qt::KeyboardModifiers modifiers)
{
    if (index >= KeyedItems)
        return QKeySequence();
    return QKeySequence(modifiers | Qt::Key(Qt::Key_1 + index));
}

} // namespace

HistoryCommands::HistoryCommands(CommandHost& host, ActionTable& actions, FileCommands& files,
                                 Notebook& notebook, TpIniFile& settings, UserPrompts& prompts,
                                 QWidget* window)
    : m_host(host), m_actions(actions), m_files(files), m_notebook(notebook), m_settings(settings),
      m_prompts(prompts), m_window(window)
{
    m_history.load(m_settings);
    host.wireCommand(cmd::FavoriteAdd, [this] { addFavorite(); });
    host.wireCommand(cmd::FavoriteChange, [this] { changeFavorites(); });
    rebuildHistoryMenus();
    rebuildFavoritesMenu();
}

void HistoryCommands::record(const QString& path)
{
    m_history.record(path);
    rebuildHistoryMenus();
}

void HistoryCommands::storeAtExit()
{
    m_history.save(m_settings);
}

void HistoryCommands::apply(const KeyBase& key)
{
    if (key == keys::treepad::MaxHistoryCount) {
        m_history.setMaximum(m_settings.read(keys::treepad::MaxHistoryCount));
        rebuildHistoryMenus();
    } else if (key == keys::treepad::MaxFavoriteCount) {
        if (favorites::trimToMaximum(m_settings))
            rebuildFavoritesMenu();
    }
}

void HistoryCommands::rebuildHistoryMenus()
{
    fillHistoryMenu(m_actions.menu(u"HistoryMenu"), QStringLiteral("HistItem"), true);
    fillHistoryMenu(m_actions.menu(u"OpenPopupMenu"), QStringLiteral("HistPopupItem"), false);
}

// One item per place of the history, numbered 1, 2, ... 9, A, B, ...; only
// the places that hold an entry are shown.
void HistoryCommands::fillHistoryMenu(QMenu* menu, const QString& namePrefix, bool withKeys)
{
    if (!menu)
        return;
    // An item may be the one whose click is being handled: it goes later.
    for (QAction* old : menu->actions()) {
        menu->removeAction(old);
        old->setParent(nullptr);
        old->deleteLater();
    }
    const QStringList& entries = m_history.entries();
    for (int i = 0; i < m_history.maximum(); ++i) {
        const QString path = entries.value(i);
        auto* item = new QAction(menu);
        item->setObjectName(namePrefix + QString::number(i));
        item->setText(QString::number(i + 1, 16).toUpper() + u' ' + menuText(path));
        item->setToolTip(OpenThisFile);
        item->setStatusTip(OpenThisFile);
        if (withKeys)
            item->setShortcut(digitKey(i, Qt::ControlModifier | Qt::ShiftModifier));
        item->setVisible(!path.isEmpty());
        item->setEnabled(!path.isEmpty());
        QObject::connect(item, &QAction::triggered, m_window, [this, path] { open(path); });
        menu->addAction(item);
    }
}

void HistoryCommands::rebuildFavoritesMenu()
{
    QMenu* menu = m_actions.menu(u"MenuFavorites");
    if (!menu)
        return;
    for (QAction* old : std::as_const(m_favoriteItems)) {
        menu->removeAction(old);
        old->setParent(nullptr);
        old->deleteLater();
    }
    m_favoriteItems.clear();
    QAction* marker = menu->findChild<QAction*>(QStringLiteral("FavoritesMarker"));
    const QStringList paths = favorites::read(m_settings);
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        auto* item = new QAction(menuText(path), menu);
        item->setObjectName(QStringLiteral("FavItem%1").arg(i));
        item->setShortcut(digitKey(i, Qt::ControlModifier));
        QObject::connect(item, &QAction::triggered, m_window, [this, path] { open(path); });
        menu->insertAction(marker, item);
        m_favoriteItems.append(item);
    }
}

void HistoryCommands::open(const QString& path)
{
    m_host.run([&] {
        if (m_files.askSave())
            m_files.openFile(path);
    });
}

void HistoryCommands::addFavorite()
{
    if (favorites::isFull(m_settings)) {
        m_prompts.information(m_window, QStringLiteral("Достигнуто ограничение на размер списка."),
                              FavoritesTitle);
        return;
    }
    const QString current =
        m_notebook.hasFile() ? m_notebook.fileName() : Notebook::DefaultFileName;
    TInputQueryForm query(FavoritesTitle, QStringLiteral("Добавить путь с файлом:"), current,
                          m_prompts, m_window);
    if (query.exec() != QDialog::Accepted)
        return;
    // Taken as typed, whether or not such a file exists, but for leading blanks.
    const QString path = withoutLeadingBlanks(query.path());
    if (path.isEmpty())
        return;
    favorites::add(m_settings, path);
    rebuildFavoritesMenu();
    // A favourite added is on disk at once: a crash later loses nothing.
    m_settings.UpdateFile();
}

// The edited list is stored before a chosen file is opened, so a Cancel in
// the unsaved-changes question keeps the edits.
void HistoryCommands::changeFavorites()
{
    TFChangeForm form(favorites::read(m_settings), m_settings.read(keys::treepad::MaxFavoriteCount),
                      m_prompts, m_window);
    if (form.exec() != QDialog::Accepted)
        return;
    favorites::store(m_settings, form.paths());
    rebuildFavoritesMenu();
    m_settings.UpdateFile();
    if (!form.chosenPath().isEmpty() && m_files.askSave())
        m_files.openFile(form.chosenPath());
}

} // namespace kelto
