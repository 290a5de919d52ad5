// SPDX-License-Identifier: GPL-3.0-or-later
// Date and time insertion (the dialog and the navigator's caption stamp)
// and the character table, each inserting into the section editor as one
// undo step.

#include "WindowFixture.h"
#include "common/Clock.h"
#include "settings/SettingsKeys.h"
#include "tools/CharsCommands.h"
#include "tools/CharsUnit.h"
#include "tools/DateTimeFormat.h"
#include "tools/DateTimeUnit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

const IntKey& DefFormat = keys::dateTime::DefFormat;

// A window over A and B with A's body "abc", "b" selected, the editor
// focused and a fixed clock.
struct Tools : Window
{
    explicit Tools(const char* settings = "") : Window("A B", settings)
    {
        qputenv("SOURCE_DATE_EPOCH", "1772715600");
        select("A", QStringLiteral("abc"));
        editor()->setFocus();
        setSelection(1, 2);
    }
    ~Tools() { qunsetenv("SOURCE_DATE_EPOCH"); }
    static QString format(int index)
    {
        return formatDateTime(DateTimeFormats[index], currentDateTime(), systemDateTimeLocale());
    }
    // F10 with act() working in the dialog; it is cancelled afterwards if
    // still open.
    void dateTime(const std::function<void(TDateTimeForm&, QListWidget&)>& act)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TDateTimeForm*>(QApplication::activeModalWidget());
            ASSERT_TRUE(form);
            shown = true;
            act(*form, *form->findChild<QListWidget*>(QStringLiteral("DateTimeListBox")));
            if (form->isVisible())
                form->reject();
        });
        trigger("ActionEditorDateTime");
        EXPECT_TRUE(shown);
    }
    TCharsForm& chars()
    {
        trigger("ActionEditorChar");
        return *w().charsCommands().form();
    }
    // Press, release, the double-click and its release, as a mouse sends them.
    static void doubleClick(QAbstractItemView& view, const QModelIndex& index)
    {
        const QPoint point = view.visualRect(index).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, point);
    }
    static void pickCode(TCharsForm& form, int code)
    {
        form.findChild<QTableWidget*>(QStringLiteral("CharsGrid"))
            ->setCurrentCell((code - 32) / 32, (code - 32) % 32);
    }
};

} // namespace

TEST(InsertTools, DateTimeDialogInsertsTheRowShownAndRemembersTheChoice)
{
    Tools n("[DateTime]\nDefFormat=3\n");
    n.dateTime([](TDateTimeForm& form, QListWidget& list) {
        ASSERT_EQ(list.count(), DateTimeFormatCount);
        EXPECT_EQ(list.currentRow(), 3);
        for (int i = 0; i < list.count(); ++i)
            EXPECT_EQ(list.item(i)->text(), Tools::format(i)) << i;
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Вставка даты/времени"));
        list.setCurrentRow(9);
        form.findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    EXPECT_EQ(n.text(), QStringLiteral("a") + Tools::format(9) + QStringLiteral("c"));
    EXPECT_EQ(n.editor()->textCursor().position(), 1 + Tools::format(9).size());
    EXPECT_TRUE(n.nb().isModified());
    n.editor()->undo();
    EXPECT_EQ(n.text(), QStringLiteral("abc"));

    // A double-click inserts that row; a row chosen and cancelled is still
    // the default, also for the caption stamp.
    n.setSelection(1, 2);
    n.dateTime([](TDateTimeForm&, QListWidget& list) {
        Tools::doubleClick(list, list.model()->index(1, 0));
    });
    EXPECT_EQ(n.text(), QStringLiteral("a") + Tools::format(1) + QStringLiteral("c"));
    n.dateTime([](TDateTimeForm&, QListWidget& list) { list.setCurrentRow(6); });
    EXPECT_EQ(n.w().settings().read(DefFormat), 6);
    n.nb().setModified(false);
    n.trigger("ActionNppInsDT");
    EXPECT_EQ(n.current(), Tools::format(6));
    EXPECT_TRUE(n.nb().isModified());

    n.view()->setFocus();
    EXPECT_FALSE(n.enabled("ActionEditorDateTime"));
}

TEST(InsertTools, StoredFormatThatNamesNoRowReadsAsTheFirst)
{
    Tools n("[DateTime]\nDefFormat=99\n");
    n.dateTime([](TDateTimeForm&, QListWidget& list) { EXPECT_EQ(list.currentRow(), 0); });
    n.trigger("ActionNppInsDT");
    EXPECT_EQ(n.current(), Tools::format(0));
}

TEST(InsertTools, CharacterTableInsertsIntoTheEditorAndCopies)
{
    Tools n;
    TCharsForm& form = n.chars();
    ASSERT_TRUE(form.isVisible());
    auto* grid = form.findChild<QTableWidget*>(QStringLiteral("CharsGrid"));
    Tools::pickCode(form, 0x98); // no character in the code page: inserted as its code
    QTest::keyClick(grid, Qt::Key_Return);
    Tools::pickCode(form, 255);
    Tools::doubleClick(*grid, grid->currentIndex());
    EXPECT_EQ(n.text(), QStringLiteral("a\u0098\u044Fc"));
    EXPECT_EQ(n.editor()->textCursor().position(), 3);
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("CodePanel"))->text(),
              QStringLiteral("Код: 255 (FFh)"));
    n.editor()->undo();
    EXPECT_EQ(n.text(), QStringLiteral("a\u0098c"));

    Tools::pickCode(form, 192);
    form.findChild<QAction*>(QStringLiteral("ActionCharsCopyToClip"))->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\u0410"));
    // With the navigator active nothing is inserted.
    n.view()->setFocus();
    n.w().updateActions();
    EXPECT_FALSE(form.findChild<QAction*>(QStringLiteral("ActionCharsInsert"))->isEnabled());
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(n.text(), QStringLiteral("a\u0098c"));
}

TEST(InsertTools, CharacterTableNamesTheFaceItDraws)
{
    Tools n("[EditorFont]\nName=No Such Face Anywhere\n");
    TCharsForm& form = n.chars();
    auto* grid = form.findChild<QTableWidget*>(QStringLiteral("CharsGrid"));
    const QString face = form.findChild<QFontComboBox*>()->currentFont().family();
    EXPECT_EQ(QFontInfo(grid->font()).family(), face);
    EXPECT_NE(face, QStringLiteral("No Such Face Anywhere"));
    form.findChild<QSpinBox*>(QStringLiteral("SizeSpin"))->setValue(72);
    EXPECT_EQ(std::pair(grid->columnWidth(0), grid->rowHeight(0)), std::pair(139, 142));
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}
