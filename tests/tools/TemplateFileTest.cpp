// SPDX-License-Identifier: GPL-3.0-or-later
// The templates file read and written, and template lines through an editor.

#include "tools/TemplateFile.h"
#include "TestSupport.h"
#include "common/TextCodec.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

// Lines that look like INI syntax, empty lines and lines ending a template
// come back unchanged; the file is laid out key by key in the code page.
TEST(TemplateFile, WritesTheLayoutAndReadsItBack)
{
    TempDir dir;
    const TemplateList templates = {
        {u8("подпись"), u8("Подпись"), {u8("a=b"), u8(";c"), u8("[d]"), u8(""), u8("e"), u8("")}},
        {u8("пусто"), u8(""), {}},
        {u8("x"), u8("y=z"), {u8("")}},
    };
    const QString path = dir.path(QStringLiteral("kelto.ntl"));
    writeTemplates(path, templates);
    EXPECT_EQ(readTemplates(path), templates);
    EXPECT_EQ(readBytes(path),
              cp1251::encode(u8("[Name]\r\nT0=подпись\r\nT1=пусто\r\nT2=x\r\n\r\n"
                                "[Description]\r\nT0=Подпись\r\nT1=\r\nT2=y=z\r\n\r\n"
                                "[T0]\r\nS0=a=b\r\nS1=;c\r\nS2=[d]\r\nS3=\r\nS4=e\r\nS5=\r\n\r\n"
                                "[T1]\r\n\r\n[T2]\r\nS0=\r\n\r\n")));
    // With every template gone only the two headers remain.
    writeTemplates(path, {});
    EXPECT_EQ(readBytes(path), QByteArray("[Name]\r\n\r\n[Description]\r\n\r\n"));
    EXPECT_TRUE(readTemplates(path).isEmpty());
    EXPECT_TRUE(readTemplates(dir.path(QStringLiteral("missing.ntl"))).isEmpty());
}

// Only the keys of the name section link the parts; writing renumbers them.
// A character outside the code page makes the file UTF-8 behind a mark.
TEST(TemplateFile, FollowsTheKeysAndKeepsEveryCharacter)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("kelto.ntl"),
                                  "[Name]\r\nT5=b\r\nt2=a\r\n[T2]\r\nS1=two\r\nS0=one\r\n"
                                  "S1=again\r\n[description]\r\nT2=second\r\n[t5]\r\nS=only\r\n"
                                  "[T9]\r\nS0=unused\r\n");
    const TemplateList read = readTemplates(path);
    const TemplateList expected = {{u8("b"), u8(""), {u8("only")}},
                                   {u8("a"), u8("second"), {u8("two"), u8("one"), u8("two")}}};
    EXPECT_EQ(read, expected);
    writeTemplates(path, {{u8("α"), u8("d"), {u8("ω")}}});
    EXPECT_EQ(readBytes(path), QByteArray(Utf8Bom) + u8("[Name]\r\nT0=α\r\n\r\n[Description]\r\n"
                                                        "T0=d\r\n\r\n[T0]\r\nS0=ω\r\n\r\n")
                                                         .toUtf8());
    EXPECT_EQ(readTemplates(path).value(0).lines, QStringList{u8("ω")});
}

// An editor's text gives back the lines it was loaded with, without an
// empty line added at the end on each round.
TEST(TemplateFile, EditorTextKeepsTheLines)
{
    const QList<QStringList> cases = {
        {}, {u8("")}, {u8("a"), u8("b")}, {u8("a"), u8("")}, {u8(""), u8("")}, {u8("x"), u8("y")}};
    for (const QStringList& lines : cases) {
        EXPECT_EQ(templateLinesOf(templateMemoText(lines)), lines)
            << lines.join(u'|').toStdString();
        EXPECT_EQ(templateInsertionText({{}, {}, lines}), templateMemoText(lines));
    }
    EXPECT_EQ(templateMemoText({u8("x"), u8("y")}), u8("x\ny\n"));
    EXPECT_EQ(templateLinesOf(u8("typed")), QStringList{u8("typed")});
    EXPECT_EQ(templateLinesOf(u8("")), QStringList());
}
