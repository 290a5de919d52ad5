// SPDX-License-Identifier: GPL-3.0-or-later
// The document properties dialog (Ctrl+M) and the file manager panel
// (Ctrl+Q).

#include "WindowFixture.h"
#include "settings/SettingsKeys.h"
#include "side/AboutBox.h"
#include "side/FilesUnit.h"
#include "side/InfoUnit.h"
#include "side/SideCommands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

// OK writes the edits back (a pasted line break cannot start a property of
// its own) and marks the notebook modified only when a value changed;
// Cancel changes nothing. The stamps are shown, never written.
TEST(SideTools, PropertiesDialogOkAndCancel)
{
    const std::tuple<const char*, const char*, bool, const char*, bool> cases[] = {
        {"N2", "x\nActivate=7", true, "FlWrite=w|Name=N2|Descript=x Activate=7", true},
        {"N2", "x", false, "FlWrite=w|name=N", false},
        {"N", "", true, "FlWrite=w|name=N", false},
        {"", "", true, "FlWrite=w", true}};
    for (const auto& [name, description, ok, lines, modified] : cases) {
        SCOPED_TRACE(name);
        Window n("A");
        n.nb().properties().setLines({QStringLiteral("FlWrite=w"), QStringLiteral("name=N")});
        EXPECT_TRUE(withDialog<TFileInfoDialog>(n, "ActionServiceInfo", [&](TFileInfoDialog& d) {
            EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("edtLastWrite"))->text(), u"w");
            EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("edtCreation"))->text(),
                      u8("(нет данных)"));
            d.findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(u8(name));
            auto* memo = d.findChild<QPlainTextEdit*>(QStringLiteral("MemoDesc"));
            memo->setPlainText(u8(description));
            if (ok)
                QTest::keyClick(memo, Qt::Key_Return);
        }));
        EXPECT_EQ(n.nb().properties().lines().join(u'|'), u8(lines));
        EXPECT_EQ(n.nb().isModified(), modified);
    }
}

namespace {

// The panel shown by Ctrl+Q over a temporary folder holding a subfolder, a
// file of 1536 bytes and one whose name begins with "-".
struct Panel : Window
{
    Panel()
    {
        QDir(dir.root()).mkpath(QStringLiteral("f/sub"));
        writeBytes(path("b.txt"), QByteArray(1536, 'x'));
        writeBytes(path("-o"), QByteArray());
        trigger("ActionServiceFiles");
        form().setOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        EXPECT_TRUE(form().changeFolder(path("")));
    }
    QString path(const char* name) const
    {
        return QDir::cleanPath(dir.path(QStringLiteral("f/") + u8(name)));
    }
    ~Panel() { QDir::setCurrent(saved); }
    TFileManagerForm& form() { return *w().sideCommands().filePanel(); }
    QString status(int panel)
    {
        return form().findChild<QStatusBar*>()->findChildren<QLabel*>().at(panel)->text();
    }
    int row(const char* name)
    {
        const auto& entries = form().entries();
        for (int i = 0; i < entries.size(); ++i) {
            if (entries[i].name == u8(name))
                return i;
        }
        return -1;
    }
    QString saved = QDir::currentPath();
    QList<QUrl> opened;
};

} // namespace

TEST(SideTools, FilePanelListsEntersOpensAndToggles)
{
    Panel n;
    EXPECT_TRUE(n.form().isVisible());
    EXPECT_TRUE(n.w().settings().read(keys::treepad::ShowFileManager));
    EXPECT_EQ(n.w().action(u"ActionServiceFiles")->text(), u8("Скрыть &файлы"));
    EXPECT_EQ(n.status(0), u8("Всего: 4"));
    auto* model = n.form().findChild<QStandardItemModel*>();
    const int file = n.row("b.txt");
    EXPECT_EQ(model->item(file, 1)->text(), QLocale::system().toString(1536));
    EXPECT_FALSE(model->item(file, 2)->text().isEmpty());
    EXPECT_TRUE(model->item(n.row("sub"), 1)->text().isEmpty());

    n.form().activate(n.row("-o"));
    EXPECT_EQ(n.opened, QList<QUrl>{QUrl::fromLocalFile(n.path("-o"))});
    n.form().activate(n.row("sub"));
    EXPECT_EQ(n.form().folder(), n.path("sub"));
    EXPECT_EQ(QDir::currentPath(), n.form().folder());
    EXPECT_EQ(n.status(0), u8("Всего: 1"));
    n.form().activate(n.row(".."));
    EXPECT_EQ(n.form().folder(), n.path(""));

    // A folder that can be entered but not read says so and is not entered.
    const QString sub = n.path("sub");
    QFile::setPermissions(sub, QFileDevice::ExeOwner);
    if (QDir(sub).entryList().isEmpty()) {
        EXPECT_FALSE(n.form().changeFolder(sub));
        EXPECT_EQ(n.prompts.errors.size(), 1);
        EXPECT_EQ(n.form().folder(), n.path(""));
    }
    QFile::setPermissions(sub,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    n.trigger("ActionServiceFiles");
    EXPECT_FALSE(n.form().isVisible());
    EXPECT_FALSE(n.w().settings().read(keys::treepad::ShowFileManager));
}

// The stored visibility shows the panel at start; closing it with its frame
// stores it hidden.
TEST(SideTools, FilePanelFollowsStoredVisibility)
{
    Window n("A", "[Treepad]\r\nShowFileManager=1\r\n");
    TFileManagerForm* panel = n.w().sideCommands().filePanel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    panel->close();
    EXPECT_FALSE(n.w().settings().read(keys::treepad::ShowFileManager));
}

// Ctrl+F1 opens the about box whatever the window holds; Enter closes it.
TEST(SideTools, AboutBoxNamesTheProgramItsVersionLicenceAndHome)
{
    Window n; // an empty notebook: nothing selected, nothing to edit
    EXPECT_TRUE(n.enabled("ActionHelpAbout"));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = true;
        EXPECT_EQ(box->windowTitle(), u8("О программе"));
        EXPECT_EQ(child<QLabel>(*box, "NameLabel")->text(), u8("Тримбель"));
        EXPECT_TRUE(child<QLabel>(*box, "VersionLabel")
                        ->text()
                        .contains(QRegularExpression(u8("^Версия \\d+\\.\\d+\\.\\d+$"))));
        EXPECT_TRUE(child<QLabel>(*box, "LicenceLabel")->text().contains(u8("GPL-3.0-or-later")));
        auto* home = child<QLabel>(*box, "HomeLabel");
        EXPECT_TRUE(home->text().contains(u8("href=\"https://github.com/kelto/kelto\"")));
        EXPECT_TRUE(home->openExternalLinks());
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(box->isVisible());
    });
    n.press(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_TRUE(shown);
}

// One click only selects, even where the style activates on one click; a
// double click or Enter acts. A notebook (".NIB" too) opens in this window
// after the unsaved-changes question; other files go to the desktop.
TEST(SideTools, FilePanelActsOnEnterOrDoubleClickAndOpensNotebooksHere)
{
    SingleClickStyle style;
    Panel n;
    const QString book = writeSample(n.path("Book.NIB"));
    n.form().changeFolder(n.path("sub"));
    n.form().changeFolder(n.path(""));
    auto* view = n.form().findChild<QListView*>(u8("DirListView"));
    view->setStyle(&style);
    const auto at = [&](const char* name) {
        return view->visualRect(view->model()->index(n.row(name), 0)).center();
    };
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at("b.txt"));
    n.settle();
    EXPECT_TRUE(n.opened.isEmpty()) << "a single click opened the file";
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(n.opened, QList<QUrl>{QUrl::fromLocalFile(n.path("b.txt"))});

    n.nb().setModified(true);
    n.prompts.answers = {UserPrompts::Answer::No}; // do not save, open
    const QPoint onBook = at("Book.NIB");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onBook);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, onBook);
    n.settle();
    EXPECT_EQ(n.prompts.questions.size(), 1) << "the unsaved-changes question";
    EXPECT_EQ(n.nb().fileName(), book);
    EXPECT_EQ(n.opened.size(), 1) << "a notebook is not handed to the desktop";
    view->setStyle(nullptr);
}

// The favourite's browse dialog takes an existing folder as well as a file.
TEST(SideTools, FavouriteBrowseTakesAFolder)
{
    TempDir dir;
    QDir(dir.root()).mkpath(u8("notes"));
    DialogPrompts real;
    QString chosen = u8("-");
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(dir.path(u8("notes")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    chosen = real.anyFileName(nullptr, dir.root());
    EXPECT_EQ(QDir::cleanPath(chosen), QDir::cleanPath(dir.path(u8("notes"))));
}
