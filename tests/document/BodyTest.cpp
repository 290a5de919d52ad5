// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "document/BodyEdits.h"
#include "document/SectionBody.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

namespace {

QString applied(const QString& text, const TextReplacement& r)
{
    return QString(text).replace(r.start, r.end - r.start, r.text);
}

} // namespace

TEST(SectionBody, EveryBreakFormIsOneParagraphAndIsWrittenAsCrLf)
{
    // Typed or pasted text, and bytes read from a file, alike; each form of
    // break alone, at either end, and all mixed.
    const std::pair<QByteArray, QString> cases[] = {{"a\r\nb\rc\nd\n\re", u"a\nb\nc\nd\n\ne"_s},
                                                    {"a\rb", u"a\nb"_s},
                                                    {"a\nb", u"a\nb"_s},
                                                    {"\na\r", u"\na\n"_s},
                                                    {"a\r\r\nb\r\n", u"a\n\nb\n"_s}};
    for (const auto& [raw, text] : cases) {
        SCOPED_TRACE(raw.toStdString());
        SectionBody typed(QString::fromLatin1(raw)), stored;
        stored.setStored("xx" + raw + "yy", 2, raw.size(), TextEncoding::Cp1251);
        for (const SectionBody* body : {&typed, &stored}) {
            EXPECT_EQ(body->text(), text);
            QByteArray out;
            body->appendEncoded(out, TextEncoding::Cp1251);
            EXPECT_EQ(out, text.toLatin1().replace("\n", "\r\n"));
            EXPECT_EQ(body->textLengthCrLf(), out.size());
        }
    }
}

// The window tests cover the usual shift and clipping cases with their undo;
// these are the edges that are easier to reach on plain text.
TEST(BodyEdits, EdgesOfShiftAndClipping)
{
    const QString text = u"ab\ncd"_s, dashes(30, u'-');
    // Only the line break selected: the line it ends. Backwards, and beyond the text.
    EXPECT_EQ(applied(text, shiftLines(text, 2, 3, ShiftDirection::Right, 1)), u" ab\ncd"_s);
    EXPECT_EQ(applied(text, shiftLines(text, 99, 4, ShiftDirection::Right, 1)), u"ab\n cd"_s);
    EXPECT_EQ(shiftLines(text, 0, 2, ShiftDirection::Right, 3).caret, 5);
    // Only plain spaces are removed; no count changes nothing.
    EXPECT_EQ(shiftLine(u"\u00a0 x", ShiftDirection::Left, 4), u"\u00a0 x"_s);
    EXPECT_EQ(shiftLine(u" a", ShiftDirection::Right, -3), u" a"_s);
    EXPECT_EQ(shiftLine(u" a", ShiftDirection::Left, 0), u" a"_s);
    // A clipping into an empty body; clipboard line breaks of any form.
    EXPECT_EQ(applied(QString(), appendClipping(u"", u"x")), dashes + u"\nx\n"_s);
    const TextReplacement r = appendClipping(u"a\n", u"1\r\n2\r3");
    EXPECT_EQ(applied(u"a\n"_s, r), u"a\n"_s + dashes + u"\n1\n2\n3\n"_s);
    EXPECT_EQ(r.caret, applied(u"a\n"_s, r).size() - 1) << "right after the clipping";
}
