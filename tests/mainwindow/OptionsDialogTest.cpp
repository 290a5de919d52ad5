// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog: OK stores what its pages show (and the window
// follows), Cancel stores nothing, and the templates file is written last.

#include "WindowFixture.h"
#include "export/ExportSettings.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "side/OptionsUnit.h"
#include "side/RecentFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

// Changes a control of every page.
void changeEveryPage(TOptionsDialog& d)
{
    child<QCheckBox>(d, "AlwaysOnTopCheckBox")->setChecked(true);
    child<QCheckBox>(d, "BackUpCheck")->setChecked(false);
    child<QRadioButton>(d, "LoadLastFileRadioButton")->click();
    child<QLineEdit>(d, "LoadFirstFileEdit")->setText(u8("other.nib"));
    child<QSpinBox>(d, "FavMaxSpinEdit")->setValue(1);
    child<QRadioButton>(d, "TabKeyTab")->click();
    child<QRadioButton>(d, "RightRadioButton")->click();
    child<QCheckBox>(d, "DelNodeQueryCheck")->setChecked(true);
    child<QSpinBox>(d, "ShiftsSpinEdit")->setValue(4);
    child<QCheckBox>(d, "WrapCheckBox")->setChecked(true);
    child<QComboBox>(d, "LinkFontComboBox")->setCurrentText(u8("Не установлен"));
    child<QComboBox>(d, "LinkSizeComboBox")->setCurrentText(u8("14"));
    d.pages()->setCurrentIndex(2);
}

QString stored(const TpIniFile& s)
{
    return QStringList{QString::number(s.read(keys::treepad::AlwaysOnTop)),
                       QString::number(s.read(keys::treepad::CreateBackUp)),
                       QString::number(s.read(keys::treepad::OnLoad)),
                       s.read(keys::treepad::LoadFile),
                       QString::number(s.read(keys::treepad::MaxFavoriteCount)),
                       QString::number(s.read(keys::editor::UseTabChar)),
                       QString::number(s.read(keys::navigator::Align)),
                       QString::number(s.read(keys::navigator::DelNodeQuery)),
                       QString::number(s.read(keys::editor::ShiftsCount)),
                       QString::number(s.read(keys::editor::WordWrap)),
                       s.read(keys::html::LinkFont),
                       QString::number(s.read(keys::html::LinkSize)),
                       QString::number(s.read(keys::treepad::ActiveOptionsPage))}
        .join(u' ');
}

} // namespace

TEST(OptionsDialog, OkStoresEveryPageAndCancelNothing)
{
    // The stored page 7 reads as 4 (the last) outside the dialog.
    const QString before = u8("0 1 2 kelto.nib 3 0 3 0 1 0 Tahoma 10 4");
    const QString after = u8("1 0 1 kelto.nib 1 1 4 1 4 1 Не установлен 14 2");
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        Window n("A", "[Treepad]\r\nActiveOptionsPage=7\r\nMaxFavoriteCount=3\r\n"
                      "[Favorite]\r\nFile0=/a.nib\r\nFile1=/b.nib\r\nFile2=/c.nib\r\n");
        ASSERT_TRUE(withDialog<TOptionsDialog>(n, "ActionServiceOptions", [&](TOptionsDialog& d) {
            EXPECT_EQ(d.pages()->currentIndex(), 0) << "a page outside the five opens the first";
            changeEveryPage(d);
            if (ok)
                child<QPushButton>(d, "OkButton")->click();
        }));
        TpIniFile& s = n.w().settings();
        EXPECT_EQ(stored(s), ok ? after : before);
        // OK has put the choices on disk already: a crash now keeps them.
        const TpIniFile onDisk(n.settingsPath());
        EXPECT_EQ(stored(onDisk), ok ? after : before);
        EXPECT_EQ(favorites::read(s).size(), ok ? 1 : 3);
        auto* splitter = n.w().findChild<QSplitter*>();
        ASSERT_TRUE(splitter);
        EXPECT_EQ(
            splitter->widget(0) == n.editor() || splitter->widget(0)->isAncestorOf(n.editor()), ok)
            << "the navigator moves to the right";
    }
}

// The templates file is written after everything else is stored; a file
// that cannot be written is reported and the other values stay stored.
TEST(OptionsDialog, TemplatesAreWrittenLast)
{
    Window n("A");
    const QString ntl = QFileInfo(n.settingsPath()).dir().filePath(u8("kelto.ntl"));
    QDir().mkpath(ntl); // a folder in the file's place
    ASSERT_TRUE(withDialog<TOptionsDialog>(n, "ActionServiceOptions", [&](TOptionsDialog& d) {
        child<QSpinBox>(d, "ShiftsSpinEdit")->setValue(5);
        child<QPushButton>(d, "OkButton")->click();
    }));
    EXPECT_EQ(n.w().settings().read(keys::editor::ShiftsCount), 5);
    EXPECT_EQ(TpIniFile(n.settingsPath()).read(keys::editor::ShiftsCount), 5);
    EXPECT_EQ(n.prompts.errors.size(), 1);
}

namespace {

// Answers the next colour or font dialog with value.
void answerColour(QColor value)
{
    QTimer::singleShot(0, [value] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->setCurrentColor(value);
        dialog->accept();
    });
}

void answerFont(const QFont& value)
{
    QTimer::singleShot(0, [value] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->setCurrentFont(value);
        dialog->accept();
    });
}

} // namespace

// The font and background buttons apply and store at once, and Cancel keeps
// what they did. OK alone stores the four HTML colours, the start-up file
// (only with that choice), the file manager's state read at opening and a
// stored link size the list lacks; Cancel leaves the templates file alone.
TEST(OptionsDialog, ButtonsActAtOnceTheRestWaitsForOk)
{
    namespace h = keys::html;
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        Window n("A", "[HTML]\r\nLinkSize=13\r\n");
        const QString ntl = QFileInfo(n.settingsPath()).dir().filePath(u8("kelto.ntl"));
        QFile::remove(ntl);
        TpIniFile& s = n.w().settings();
        ASSERT_TRUE(withDialog<TOptionsDialog>(n, "ActionServiceOptions", [&](TOptionsDialog& d) {
            answerColour(QColor(0x11, 0x22, 0x33));
            child<QPushButton>(d, "EditorBGColorButton")->click();
            answerColour(QColor(0x44, 0x55, 0x66));
            child<QPushButton>(d, "NavBGColorButton")->click();
            answerFont(QFont(n.editor()->font().family(), 15));
            child<QPushButton>(d, "EditorFontButton")->click();
            const char* html[] = {"BgColorButton", "Button1", "Button2", "Button3"};
            for (int i = 0; i < 4; ++i) {
                answerColour(QColor(i, 0x80, 0xF0));
                child<QPushButton>(d, html[i])->click();
            }
            child<QRadioButton>(d, "LoadDirectFileRadioButton")->click();
            child<QLineEdit>(d, "LoadFirstFileEdit")->setText(u8("other.nib"));
            s.write(keys::treepad::ShowFileManager, true); // as if shown meanwhile
            if (ok)
                child<QPushButton>(d, "OkButton")->click();
        }));
        // Colours are stored as 00BBGGRR.
        EXPECT_EQ(s.read(keys::treepad::Color), 0x332211);
        EXPECT_EQ(n.editor()->palette().color(QPalette::Base), QColor(0x11, 0x22, 0x33));
        EXPECT_EQ(s.read(keys::navigator::Color), 0x665544);
        EXPECT_EQ(n.editor()->font().pointSize(), 15);
        FontSpec font;
        s.ReadFont(keys::EditorFont, font);
        EXPECT_EQ(font.size, 15);
        const QList<int> colours{s.read(h::BgColor), s.read(h::Link), s.read(h::ALink),
                                 s.read(h::VLink)};
        const QList<int> chosen{0xF08000, 0xF08001, 0xF08002, 0xF08003};
        const QList<int> defaults{0xFFFFFF, 0x0000FF, 0x008000, 0x808000};
        EXPECT_EQ(colours, ok ? chosen : defaults);
        EXPECT_EQ(s.read(keys::treepad::LoadFile), ok ? u8("other.nib") : u8("kelto.nib"));
        EXPECT_EQ(s.read(keys::treepad::ShowFileManager), !ok);
        EXPECT_EQ(s.read(h::LinkSize), 13);
        HtmlExportOptions exported;
        applyHtmlStyle(s, exported);
        EXPECT_EQ(exported.linkSize, 13);
        EXPECT_EQ(QFile::exists(ntl), ok);
    }
}
