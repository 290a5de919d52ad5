// SPDX-License-Identifier: GPL-3.0-or-later
// The command table as the window uses it: every command reachable, no key
// made ambiguous, hints split into their two parts.

#include "mainwindow/ActionCatalog.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

// The widgets whose actions' keys work in the window: the window itself, its
// toolbar and every menu of the menu bar with its submenus.
QSet<const QObject*> keyedContainers(TNotesForm& w)
{
    QSet<const QObject*> out{&w};
    for (const QToolBar* bar : w.findChildren<QToolBar*>())
        out.insert(bar);
    QList<QMenu*> pending;
    for (QAction* a : w.menuBar()->actions())
        pending << a->menu();
    while (!pending.isEmpty()) {
        QMenu* menu = pending.takeLast();
        out.insert(menu);
        for (QAction* a : menu->actions())
            if (a->menu())
                pending << a->menu();
    }
    return out;
}

// Qt ignores a key that two enabled actions of the window share.
void expectNoSharedKeys(TNotesForm& w, const char* state)
{
    w.updateActions();
    const QSet<const QObject*> containers = keyedContainers(w);
    QMap<QString, QStringList> byKey;
    for (QAction* a : w.actions().all()) {
        if (!a->isEnabled() || a->shortcut().isEmpty())
            continue;
        for (const QObject* o : a->associatedObjects()) {
            if (containers.contains(o)) {
                byKey[a->shortcut().toString()] << a->objectName();
                break;
            }
        }
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        EXPECT_EQ(it.value().size(), 1) << state << ": " << it.key().toStdString() << " on "
                                        << it.value().join(u' ').toStdString();
}

} // namespace

TEST(ActionCatalog, EveryCommandIsReachableKeysAreUniqueAndHintsSplit)
{
    Window n("A(B) C");
    const QStringList laidOut = ActionTable::layoutActionNames();
    // The second command of each shared item enters it only when swapped in.
    const QSet<QString> swappedIn{QStringLiteral("ActionNavigatorCollapse"),
                                  QStringLiteral("ActionServiceShowNavigator")};
    for (QAction* a : n.w().actions().all()) {
        const QString name = a->objectName();
        SCOPED_TRACE(name.toStdString());
        const bool placed = !a->associatedObjects().isEmpty();
        EXPECT_TRUE(placed || swappedIn.contains(name) || !a->isVisible());
        EXPECT_TRUE(laidOut.contains(name) || n.w().actions().shortcutOnly().contains(a));
        EXPECT_FALSE(a->toolTip().contains(u'|') || a->statusTip().contains(u'|'));
        if (!a->text().isEmpty()) {
            EXPECT_FALSE(a->toolTip().isEmpty());
            EXPECT_FALSE(a->toolTip().contains(u'&'));
        }
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("p"));
    n.select("A", QStringLiteral("text"));
    n.editor()->setFocus();
    n.setSelection(0, 2);
    expectNoSharedKeys(n.w(), "editor with a selection");
    n.view()->setFocus();
    n.settle();
    expectNoSharedKeys(n.w(), "navigator");
    n.trigger("ActionNavigatorExpand");
    expectNoSharedKeys(n.w(), "branch expanded");
    n.trigger("ActionServiceHideNavigator");
    expectNoSharedKeys(n.w(), "navigator hidden");
}
