// SPDX-License-Identifier: GPL-3.0-or-later
// The export command: the dialog's rules driven through its controls, the
// questions of its OK button, and the files and settings an export leaves.

#include "WindowFixture.h"
#include "export/ExportBox.h"
#include "export/TextExport.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

struct Export : Window
{
    explicit Export(const char* shape = "A(B) C") : Window(shape) {}
    // Opens the dialog with Ctrl+E's command and lets act() work in it; the
    // dialog is cancelled afterwards if it is still open.
    void run(const std::function<void(TExportBox&)>& act)
    {
        EXPECT_TRUE(withDialog<TExportBox>(*this, "ActionFileExport", act));
    }
    static void radio(TExportBox& box, const char* group, int item)
    {
        child<QGroupBox>(box, group)->findChildren<QRadioButton*>().at(item)->click();
    }
    static QString state(TExportBox& box) // path, delimiter, frames, split enabled; delimiter
    {
        QString s;
        for (const char* name :
             {"PathCheckBox", "DelimiterEdit", "UseFrameCheckBox", "BreakRadioGroup"})
            s += child(box, name)->isEnabled() ? u'1' : u'0';
        return s + u' ' + child<QLineEdit>(box, "DelimiterEdit")->text();
    }
};

} // namespace

// Each format enables its own options and shows its own delimiter; edits
// are kept for the next opening, the frame split starts vertical again.
TEST(ExportCommands, FormatsEnableTheirOptionsAndHoldTheirDelimiters)
{
    Export n;
    const QString dashes(50, u'-');
    n.run([&](TExportBox& box) {
        EXPECT_EQ(Export::state(box), u8("0000 "));
        EXPECT_EQ(child<QLineEdit>(box, "FileNameEdit")->text(),
                  QDir::current().filePath(u8("Новый файл.nib")));
        Export::radio(box, "FormatRadioGroup", 1);
        EXPECT_EQ(Export::state(box), u8("1100 ") + dashes);
        EXPECT_EQ(child<QLineEdit>(box, "FileNameEdit")->text(),
                  QDir::current().filePath(u8("Новый файл.txt")));
        QTest::keyClicks(child(box, "DelimiterEdit"), u8("*"));
        Export::radio(box, "FormatRadioGroup", 2);
        EXPECT_EQ(Export::state(box), u8("1110 <hr>"));
        child<QCheckBox>(box, "UseFrameCheckBox")->click();
        Export::radio(box, "BreakRadioGroup", 1);
        EXPECT_EQ(Export::state(box), u8("1111 <hr>"));
        Export::radio(box, "FormatRadioGroup", 0);
        EXPECT_EQ(Export::state(box), u8("0000 "));
        EXPECT_EQ(box.job().frames, FrameLayout::None);
        Export::radio(box, "FormatRadioGroup", 1);
        EXPECT_EQ(Export::state(box), u8("1100 ") + dashes + u'*');
    });
    n.run([&](TExportBox& box) {
        Export::radio(box, "FormatRadioGroup", 2);
        EXPECT_EQ(Export::state(box), u8("1110 <hr>")) << "the frames box is back as stored";
        child<QCheckBox>(box, "UseFrameCheckBox")->click();
        EXPECT_EQ(box.job().frames, FrameLayout::Columns);
        Export::radio(box, "FormatRadioGroup", 1);
        EXPECT_EQ(Export::state(box), u8("1100 ") + dashes + u'*');
    });
    EXPECT_EQ(n.w().settings().read(keys::exporting::TextDelimiter), dashes) << "not yet stored";
}

// OK asks for a missing folder and for an existing file, refuses the open
// notebook's own file, and only a finished export stores the choices.
TEST(ExportCommands, OkChecksTheTargetBeforeExporting)
{
    struct Case
    {
        const char* target; // in the test folder; "" alone: a bare name
        QList<UserPrompts::Answer> answers;
        int questions;
        const char* error;
        bool written;
    };
    using A = UserPrompts::Answer;
    const Case cases[] = {
        {"out.txt", {}, 0, "", true},
        {"", {A::Yes}, 1, "Невозможно создать директорию", false},
        {"new/out.txt", {A::No}, 1, "", false},
        {"new/out.txt", {A::Yes}, 1, "", true},
        {"no/such/out.txt", {A::Yes}, 1, "Невозможно создать директорию", false},
        {"old.txt", {A::No}, 1, "", false},
        {"old.txt", {A::Yes}, 1, "", true},
        {"own.txt", {}, 0, "открытой записной книжки", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        Export n;
        n.select("B");
        const QString own = n.dir.path(u8("own.txt"));
        n.nb().setFileName(own);
        n.dir.file(u8("old.txt"), "old");
        const QString target = *c.target ? n.dir.path(u8(c.target)) : u8("bare.txt");
        n.prompts.answers = c.answers;
        n.run([&](TExportBox& box) {
            Export::radio(box, "FormatRadioGroup", 1);
            Export::radio(box, "RangeRadioGroup", 2);
            Export::radio(box, "ObjectsRadioGroup", 1);
            child<QCheckBox>(box, "DocInfoCheckBox")->setChecked(false);
            child<QLineEdit>(box, "FileNameEdit")->setText(target);
            child<QPushButton>(box, "OkButton")->click();
            EXPECT_EQ(box.isVisible(), !c.written);
        });
        EXPECT_EQ(n.prompts.questions.size(), c.questions);
        EXPECT_EQ(n.prompts.errors.join(u8("")).contains(u8(c.error)), true);
        EXPECT_EQ(n.prompts.errors.isEmpty(), !*c.error);
        TextExportOptions options;
        options.range = ExportRange::SectionOnly;
        options.documentInfo = false;
        options.delimiter = QString(50, u'-');
        options.selected = n.s("B");
        if (c.written)
            EXPECT_EQ(readBytes(target), BuildTextExport(n.nb(), options));
        else
            EXPECT_TRUE(!QFile::exists(target) || readBytes(target) == "old");
        EXPECT_EQ(n.w().settings().read(keys::exporting::SaveRange), c.written ? 2 : 0);
    }
    EXPECT_FALSE(QDir(u8("bare.txt")).exists());
}

// A frameset export writes NAME_c and NAME_d beside NAME: every one of the
// three that exists is named in one replace question, and none of them may
// be the open notebook's own file. No leaves every file as it was and the
// dialog open.
TEST(ExportCommands, FramePagesAreAskedForAndRefusedLikeTheTarget)
{
    using A = UserPrompts::Answer;
    struct Case
    {
        QStringList existing; // files present before, holding "mine"
        bool frames;
        A answer;
        const char* question; // "" when none is asked
        bool written;
    };
    const Case cases[] = {
        {{u8("out_d.htm")}, true, A::No, "Файл \"out_d.htm\" уже существует. Заменить его?", false},
        {{u8("out.htm"), u8("out_c.htm")},
         true,
         A::No,
         "Эти файлы уже существуют:\nout.htm\nout_c.htm\nЗаменить их?",
         false},
        {{u8("out.htm")}, true, A::No, "Файл с таким именем уже существует. Заменить его?", false},
        {{u8("out_c.htm")}, true, A::Yes, "Файл \"out_c.htm\" уже существует. Заменить его?", true},
        {{u8("out_d.htm")}, false, A::No, "", true}, // without frames no page is written
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.existing.join(u' ').toStdString());
        Export n;
        for (const QString& name : c.existing)
            n.dir.file(name, "mine");
        n.prompts.answers = {c.answer};
        n.run([&](TExportBox& box) {
            Export::radio(box, "FormatRadioGroup", 2);
            child<QCheckBox>(box, "UseFrameCheckBox")->setChecked(c.frames);
            child<QLineEdit>(box, "FileNameEdit")->setText(n.dir.path(u8("out.htm")));
            child<QPushButton>(box, "OkButton")->click();
            EXPECT_EQ(box.isVisible(), !c.written);
        });
        EXPECT_EQ(n.prompts.questions, *c.question ? QStringList{u8(c.question)} : QStringList{});
        for (const char* name : {"out.htm", "out_c.htm", "out_d.htm"}) {
            const QString file = n.dir.path(u8(name));
            const bool before = c.existing.contains(u8(name));
            const bool page = QByteArrayView(name) != "out.htm";
            if (c.written && (c.frames || !page))
                EXPECT_TRUE(readBytes(file).startsWith("<")) << name;
            else if (before)
                EXPECT_EQ(readBytes(file), "mine") << name;
            else
                EXPECT_FALSE(QFile::exists(file)) << name;
        }
    }
    // The notebook saved under a page's name is never replaced by it.
    Export own;
    const QString notebook = own.dir.path(u8("out_d.htm"));
    own.prompts.saveNames << notebook;
    own.trigger("ActionFileSaveAs");
    const QByteArray saved = readBytes(notebook);
    own.run([&](TExportBox& box) {
        Export::radio(box, "FormatRadioGroup", 2);
        child<QCheckBox>(box, "UseFrameCheckBox")->setChecked(true);
        child<QLineEdit>(box, "FileNameEdit")->setText(own.dir.path(u8("out.htm")));
        child<QPushButton>(box, "OkButton")->click();
        EXPECT_TRUE(box.isVisible());
    });
    EXPECT_EQ(own.prompts.errors.size(), 1);
    EXPECT_EQ(readBytes(notebook), saved);
    EXPECT_FALSE(QFile::exists(own.dir.path(u8("out.htm"))));
}

// A notebook never saved proposes its export in the current folder, so OK
// writes it there without asking for a folder.
TEST(ExportCommands, NeverSavedNotebookExportsIntoTheCurrentFolder)
{
    Export n;
    const QString before = QDir::currentPath();
    QDir::setCurrent(n.dir.root());
    n.run([&](TExportBox& box) {
        Export::radio(box, "FormatRadioGroup", 1);
        child<QPushButton>(box, "OkButton")->click();
        EXPECT_FALSE(box.isVisible());
    });
    QDir::setCurrent(before);
    EXPECT_TRUE(n.prompts.questions.isEmpty() && n.prompts.errors.isEmpty());
    EXPECT_TRUE(readBytes(n.dir.path(u8("Новый файл.txt"))).contains("A"));
}
