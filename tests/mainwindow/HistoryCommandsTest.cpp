// SPDX-License-Identifier: GPL-3.0-or-later
// Recent files and favourites in the window: menu items that reopen files,
// captions that show "&", the favourites dialog's moves, deletions and the
// line it opens, and the lists as kelto.ini keeps them.

#include "side/HistoryCommands.h"
#include "WindowFixture.h"
#include "side/ChangeFavUnit.h"
#include "side/InputQueryUnit.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;
using Answer = kelto::UserPrompts::Answer;

namespace {

QAction* item(Window& n, const QString& name)
{
    return n.w().findChild<QAction*>(name);
}

QStringList favoritesIn(Window& n)
{
    return n.w().settings().ReadList(keys::Favorite);
}

} // namespace

TEST(History, MenuItemsReopenFilesAndShowPathsAsWritten)
{
    Window n;
    const QString a = writeSample(n.dir.path(QStringLiteral("a.nib")));
    const QString b = writeSample(n.dir.path(QStringLiteral("b&c.nib")));
    n.prompts.openNames = {a, b};
    n.trigger("ActionFileOpen");
    n.trigger("ActionFileOpen");
    QString shown = b;
    shown.replace(u'&', QStringLiteral("&&"));
    EXPECT_EQ(item(n, QStringLiteral("HistItem0"))->text(), QStringLiteral("1 ") + shown);
    EXPECT_EQ(item(n, QStringLiteral("HistPopupItem1"))->text(), QStringLiteral("2 ") + a);
    EXPECT_TRUE(item(n, QStringLiteral("HistPopupItem1"))->shortcut().isEmpty());
    EXPECT_FALSE(item(n, QStringLiteral("HistItem2"))->isVisible());

    n.press(Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(n.nb().fileName(), a);
    // Cancel in the unsaved-changes question opens nothing; a missing file
    // is reported and keeps its entry.
    n.nb().setModified(true);
    n.prompts.answers = {Answer::Cancel};
    n.press(Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(n.nb().fileName(), a);
    n.nb().setModified(false);
    QFile::remove(b);
    item(n, QStringLiteral("HistPopupItem1"))->trigger();
    EXPECT_EQ(n.prompts.errors.size(), 1);
    EXPECT_EQ(n.w().historyCommands().history().entries(), (QStringList{a, b}));
    n.w().settings().write(keys::treepad::MaxHistoryCount, 1);
    EXPECT_FALSE(item(n, QStringLiteral("HistItem1")));
    n.close();
    EXPECT_EQ(TpIniFile(n.settingsPath()).ReadFileList(9), QStringList{a});
}

// Places are numbered 1 to 9, then A, B...; only the first nine have keys.
// The maximum decides how many places there are.
TEST(History, PlacesFollowTheMaximum)
{
    QByteArray ini = "[Treepad]\r\nMaxHistoryCount=10\r\n[FileList]\r\n";
    for (int i = 0; i < 10; ++i)
        ini += "File" + QByteArray::number(i) + "=/f" + QByteArray::number(i) + ".nib\r\n";
    Window n("", ini.constData());
    const auto places = [&] {
        QStringList shown;
        for (int i = 0; QAction* a = item(n, QStringLiteral("HistItem%1").arg(i)); ++i)
            shown << (a->isVisible() ? a->text() + u' ' + a->shortcut().toString() : u8("-"));
        return shown.join(u'|');
    };
    const QString ten = u8("1 /f0.nib Ctrl+Shift+1|2 /f1.nib Ctrl+Shift+2|3 /f2.nib Ctrl+Shift+3|"
                           "4 /f3.nib Ctrl+Shift+4|5 /f4.nib Ctrl+Shift+5|6 /f5.nib Ctrl+Shift+6|"
                           "7 /f6.nib Ctrl+Shift+7|8 /f7.nib Ctrl+Shift+8|9 /f8.nib Ctrl+Shift+9|"
                           "A /f9.nib ");
    EXPECT_EQ(places(), ten);
    n.w().settings().write(keys::treepad::MaxHistoryCount, 12);
    EXPECT_EQ(places(), ten + u8("|-|-"));
    n.w().settings().write(keys::treepad::MaxHistoryCount, 0);
    EXPECT_EQ(places(), QString());
}

TEST(Favorites, AddedChangedAndOpened)
{
    Window n("A", "[Treepad]\r\nMaxFavoriteCount=2\r\n");
    const QString a = writeSample(n.dir.path(QStringLiteral("a.nib")));
    const QString b = writeSample(n.dir.path(QStringLiteral("b.nib")));
    for (const QString& typed : {QStringLiteral("  ") + a, QStringLiteral("x&y")}) {
        EXPECT_TRUE(withDialog<TInputQueryForm>(n, "ActionFavoriteAdd", [&](TInputQueryForm& q) {
            q.pathEdit()->setText(typed);
            q.accept();
        }));
    }
    EXPECT_EQ(favoritesIn(n), (QStringList{a, QStringLiteral("x&y")}));
    // Already on disk while the window runs: a crash now keeps them.
    EXPECT_EQ(TpIniFile(n.settingsPath()).ReadList(keys::Favorite),
              (QStringList{a, QStringLiteral("x&y")}));
    EXPECT_EQ(item(n, QStringLiteral("FavItem1"))->text(), QStringLiteral("x&&y"));
    n.trigger("ActionFavoriteAdd");
    EXPECT_EQ(n.prompts.messageTitles, QStringList{u8("Избранное")});

    // Moves and deletions; Enter ends with OK.
    withDialog<TFChangeForm>(n, "ActionFavoriteChange", [&](TFChangeForm& f) {
        EXPECT_EQ(f.list()->currentRow(), 0);
        f.command(QStringLiteral("ActionFEditDown"))->trigger();
        f.command(QStringLiteral("ActionFEditDown"))->trigger();
        EXPECT_EQ(f.list()->currentRow(), 1);
        f.command(QStringLiteral("ActionFEditDelete"))->trigger();
        EXPECT_EQ(f.list()->currentRow(), 0);
        QTest::keyClick(f.list(), Qt::Key_Return);
    });
    EXPECT_EQ(favoritesIn(n), QStringList{QStringLiteral("x&y")});
    EXPECT_EQ(TpIniFile(n.settingsPath()).ReadList(keys::Favorite),
              QStringList{QStringLiteral("x&y")});
    EXPECT_FALSE(item(n, QStringLiteral("FavItem1")));

    // The line chosen is opened, and the edited list is kept even when the
    // unsaved-changes question is cancelled.
    n.w().settings().WriteList(keys::Favorite, {a, b});
    for (const Answer answer : {Answer::Cancel, Answer::No}) {
        n.nb().setModified(true);
        n.prompts.answers = {answer};
        withDialog<TFChangeForm>(n, "ActionFavoriteChange", [&](TFChangeForm& f) {
            f.list()->setCurrentRow(1);
            f.command(QStringLiteral("ActionFEditUp"))->trigger();
            f.command(QStringLiteral("ActionFEditGo"))->trigger();
        });
    }
    EXPECT_EQ(n.nb().fileName(), a);
    EXPECT_EQ(favoritesIn(n), (QStringList{a, b}));
    n.press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(n.nb().fileName(), b);
}
