// SPDX-License-Identifier: GPL-3.0-or-later
// The import command: the dialog bypassed through the prompts, each kind of
// file by its extension in any letter case, and a damaged TreePad file.

#include "WindowFixture.h"
#include "document/NotebookFile.h"

#include <QAction>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

TEST(ImportCommands, EachKindOfFileByItsExtension)
{
    const QByteArray record = "<node>\r\na\r\n0\r\n<end node> 5P9i0s8y19Z<node>\r\nb\r\n1\r\n";
    struct Case
    {
        const char* name;
        QByteArray bytes;
        const char* shape; // nullptr: the path of the file as a new top-level section
        const char* current;
        const char* text; // the shown body afterwards
        const char* error;
    };
    const Case cases[] = {
        {"t.HJT", record + "<end node> 5P9i0s8y19Z", "A(B(a(b))) C", "A", "", ""},
        {"bad.Hjt", record + "x", "A(B(a)) C", "A", "", "нет метки конца записи"},
        {"none.hjt", "no records", "A(B) C", "A", "", ""},
        {"t.TXT", "строка", nullptr, nullptr, "строка", ""},
        {"n.NIB", QByteArray(), "A(B(X)) C", "X", "", ""},
        {"d.Dat", "l1\r\nl2", "A(B) C", "B", "xl1\nl2\ny", ""},
        {"", QByteArray(), "A(B) C", "B", "xy", ""}, // the dialog cancelled
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window n("A(B) C");
        n.select("B", u8("xy"));
        n.setSelection(1, 1);
        QString path;
        if (*c.name) {
            path = c.bytes.isNull() ? writeShape(n.dir.path(u8(c.name)), "X")
                                    : n.dir.file(u8(c.name), c.bytes);
            n.prompts.importNames << path;
        }
        ASSERT_TRUE(n.enabled("ActionServiceImport"));
        n.trigger("ActionServiceImport");
        EXPECT_EQ(n.shape(), c.shape ? u8(c.shape) : u8("A(B) C ") + path);
        EXPECT_EQ(n.current(), c.current ? u8(c.current) : path);
        EXPECT_EQ(n.text(), u8(c.text));
        EXPECT_EQ(n.nb().isModified(), *c.name != 0);
        EXPECT_EQ(n.prompts.errors.join(u8("")).contains(u8(c.error)), true);
        EXPECT_EQ(n.prompts.errors.isEmpty(), !*c.error);
        if (QStringLiteral("d.Dat") == QLatin1String(c.name)) { // right after the new text
            EXPECT_EQ(n.editor()->textCursor().position(), 7);
        }
    }
}

TEST(ImportCommands, TextGoesNowhereWithoutASection)
{
    Window n;
    n.prompts.importNames << n.dir.file(u8("d.dat"), "text");
    n.trigger("ActionServiceImport");
    EXPECT_EQ(n.shape(), QString());
    EXPECT_FALSE(n.nb().isModified());
    EXPECT_EQ(n.w().action(u"ActionServiceImport")->shortcut(), QKeySequence(u8("Ctrl+I")));
}
