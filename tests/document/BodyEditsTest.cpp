#include "document/BodyEdits.h"

#include <gtest/gtest.h>

using namespace kelto;

// The window tests cover the usual shift, child-list and clipping cases;
// these are the edges that are easier to reach on plain text.

namespace {

QString applied(const QString& text, const TextReplacement& r)
{
    QString out = text;
    out.replace(r.start, r.end - r.start, r.text);
    return out;
}

} // namespace

TEST(ShiftLines, EdgesOfTheSelection)
{
    const QString text = QStringLiteral("ab\ncd");
    // Only the line break selected: the line it ends.
    EXPECT_EQ(applied(text, shiftLines(text, 2, 3, ShiftDirection::Right, 1)),
              QStringLiteral(" ab\ncd"));
    // Backwards, and beyond the text.
    EXPECT_EQ(applied(text, shiftLines(text, 99, 4, ShiftDirection::Right, 1)),
              QStringLiteral("ab\n cd"));
    // The replaced range stops before the line break after the last line.
    const TextReplacement r = shiftLines(text, 0, 2, ShiftDirection::Right, 3);
    EXPECT_EQ(r.start, 0);
    EXPECT_EQ(r.end, 2);
    EXPECT_EQ(r.caret, 5);
}

TEST(ShiftLines, OnlyPlainSpacesAreRemovedAndNoCountChangesNothing)
{
    EXPECT_EQ(shiftLine(u"\u00a0 x", ShiftDirection::Left, 4), QStringLiteral("\u00a0 x"));
    EXPECT_EQ(shiftLine(u"   ", ShiftDirection::Left, 2), QStringLiteral(" "));
    EXPECT_EQ(shiftLine(u"   ", ShiftDirection::Right, 1), QStringLiteral("    "));
    for (int count : {0, -3}) {
        EXPECT_EQ(shiftLine(u" a", ShiftDirection::Right, count), QStringLiteral(" a"));
        EXPECT_EQ(shiftLine(u" a", ShiftDirection::Left, count), QStringLiteral(" a"));
    }
}

TEST(AppendClipping, EmptyBodiesRepeatedClippingsAndForeignLineBreaks)
{
    const QString dashes(30, u'-');
    EXPECT_EQ(clippingSeparator(), dashes);
    EXPECT_EQ(applied(QString(), appendClipping(u"", u"x")), dashes + QStringLiteral("\nx\n"));
    // A second clipping takes the empty last line the first one left.
    const QString once = QStringLiteral("a\n") + dashes + QStringLiteral("\nx\n");
    const TextReplacement r = appendClipping(once, u"1\r\n2\r3");
    EXPECT_EQ(applied(once, r), once + dashes + QStringLiteral("\n1\n2\n3\n"));
    EXPECT_EQ(r.caret, applied(once, r).size() - 1) << "right after the clipping";
}
