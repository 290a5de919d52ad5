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
        EXPECT_EQ(child<QLineEdit>(box, "FileNameEdit")->text(), u8("Новый файл.nib"));
        Export::radio(box, "FormatRadioGroup", 1);
        EXPECT_EQ(Export::state(box), u8("1100 ") + dashes);
        EXPECT_EQ(child<QLineEdit>(box, "FileNameEdit")->text(), u8("Новый файл.txt"));
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
