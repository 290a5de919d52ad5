// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandIds.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QToolBar;
class QWidget;

namespace kelto {

struct LayoutItem;

// The conditions a command of the table may need before it can be enabled;
// each row lists its own, and the window reports which hold.
using Needs = quint8;
namespace need {
inline constexpr Needs NotEmpty = 1 << 0;        // the notebook has a section
inline constexpr Needs NavigatorShown = 1 << 1;  // the navigator is not hidden
inline constexpr Needs SectionSelected = 1 << 2; // a current section
inline constexpr Needs EditorFocused = 1 << 3;   // the editor is active, showing a section
inline constexpr Needs EditorSelection = 1 << 4; // ... and text is selected in it
inline constexpr Needs TabTyping = 1 << 5;       // Tab types a tab character
} // namespace need

// Every command of the main window as a QAction, made from one table of
// captions, shortcuts and hints, together with the menus, the toolbar and the
// two context menus that show them.
//
// Each action's object name is its command name ("ActionFileSave"). The short
// part of a hint (before "|") is the tool tip, the long part (after it) the
// status tip; a hint without "|" is both. An empty short part leaves the
// caption, without its "&", as tool tip. Every action starts disabled: only
// the commands the window wires are enabled, each while the conditions its
// row needs hold and its own condition, if it has one, is true.
//
// Two pairs of commands share one menu item or toolbar button and one key:
// expand/collapse branch (F4) and show/hide navigator (Ctrl+B). The builders
// put ActionNavigatorExpand and ActionServiceHideNavigator there; the window
// swaps with placeInSharedSlot() as the state changes. Only the command in
// the item gets the key, as long as the window does not add its twin to
// itself. ActionEditCut and ActionEditPaste repeat the keys of
// ActionEditCutMulti and ActionEditPasteMulti but live in the editor's
// context menu only, where the keys are just shown.
//
// The actions are children of the parent given; the table must not outlive
// it. Menus are children of the widget they are built into.
class ActionTable
{
public:
    explicit ActionTable(QObject* parent);
    ActionTable(const ActionTable&) = delete;
    ActionTable& operator=(const ActionTable&) = delete;

    // nullptr when no command has that name.
    QAction* action(QStringView name) const;
    // Lets updateEnabled() enable the command; returns its action, enabled.
    QAction* wire(QStringView name);
    // A condition of the command beyond what its row needs; it is asked
    // only while those needs are met.
    void addCondition(QStringView name, std::function<bool()> condition);
    // Enables every wired command whose needs are all met and whose
    // condition holds, and disables the other wired ones.
    void updateEnabled(Needs met);
    // In table order: file, export and print, service, help, favorites,
    // navigator, moves, editor, search.
    QList<QAction*> all() const;
    // Commands that sit in no menu, toolbar or context menu and are reached by
    // their key only; the window adds them to itself so the keys work.
    QList<QAction*> shortcutOnly() const;

    // The seven menus "&Файл" ... "&?" in order. "&Шаблоны" (MenuTemplates)
    // is built hidden and disabled; "&История" (HistoryMenu) is left empty for
    // the window; favourites go before the hidden FavoritesMarker action.
    QList<QMenu*> buildMenuBar(QMenuBar* bar);
    // The toolbar; the Open button gets the empty drop-down OpenPopupMenu for
    // the history, the Save button SavePopupMenu with a Save As item.
    void buildToolBar(QToolBar* bar);
    QMenu* buildNavigatorMenu(QWidget* parent); // TVPopupMenu
    QMenu* buildEditorMenu(QWidget* parent);    // EditorPopupMenu
    // Any menu built so far, by object name; nullptr when none.
    QMenu* menu(QStringView objectName) const;

    // Puts the action into every shared item or button of its pair, in place
    // of the other command of the pair.
    void placeInSharedSlot(QAction* action);

    // Every command name that a menu, the toolbar or a context menu refers to.
    static QStringList layoutActionNames();
    // Caption of ActionServiceFiles while the file manager is shown or hidden.
    static QString fileManagerCaption(bool shown);

private:
    struct SharedSlot
    {
        QPointer<QWidget> container;
        QAction* first;
        QAction* second;
    };

    QList<QMenu*> build(QWidget* root, const LayoutItem* first, const LayoutItem* last);
    QMenu* openSubmenu(QWidget* container, const LayoutItem& item);
    void addShared(QWidget* container, const LayoutItem& item);
    void attachDropDowns(QToolBar* bar);
    QMenu* makeSaveDropDown(QWidget* parent);
    QMenu* makeMenu(QWidget* parent, const QString& objectName, const QString& title);

    struct Command
    {
        QAction* action;
        Needs needs;
        bool wired = false;
        std::function<bool()> condition;
    };
    Command& command(QStringView name);

    QList<QAction*> m_actions;
    std::vector<Command> m_commands; // in table order, as m_actions
    QHash<QString, int> m_byName;
    QHash<QString, QPointer<QMenu>> m_menus;
    std::vector<SharedSlot> m_slots;
};

} // namespace kelto
