#include "TestSupport.h"
#include "TreeShape.h"
#include "common/KeltoError.h"
#include "document/OutlineText.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;
using test::shapeOf;

TEST(Outline, ReadingPlacesEachLineByItsLevel)
{
    const std::pair<QString, const char*> cases[] = {
        {QString(), ""},
        {u"A\r\n\tB\r\n\t\tC\r\nD\r\n"_s, "A(B(C)) D"},
        // The first line is top-level whatever its indentation.
        {u"\t\tA\r\n\tB"_s, "A(B)"},
        // Blanks of any mix count one level each; climbing several levels.
        {u"A\n B\n\t C\n\tD\nE"_s, "A(B(C) D) E"},
        {u"A\n\tB\n \tC\nD"_s, "A(B(C)) D"},
        // Every break form; LF CR is two breaks around an empty caption.
        {u"A\rB\nC\r\nD"_s, "A B C D"},
        {u"A\n\rB"_s, "A  B"},
        {u"A\r\n\tB\r\n\r\nC"_s, "A(B)  C"},
        {u"A\n\tB\n  "_s, "A(B())"},
        // A NUL ends the text; blanks inside and after a caption belong to it.
        {QString::fromUtf16(u"A\r\nB\r\n\0C\r\n", 10), "A B"},
        {u"x y \r\n"_s, "x y "}};
    for (const auto& [text, shape] : cases) {
        Notebook nb;
        ReadOutline(QStringView(text), nb);
        EXPECT_EQ(shapeOf(nb), QString::fromUtf8(shape)) << testing::PrintToString(text);
    }
}

TEST(Outline, ALineTooDeepStopsWithTheLevelMessageKeepingTheLinesBefore)
{
    Notebook nb;
    EXPECT_EQ(test::errorOf([&] { ReadOutline(QStringView(u"A\r\n\t\tB\r\nC"), nb); }),
              u"Invalid level (2) for item \"B\""_s);
    EXPECT_EQ(shapeOf(nb), u"A"_s);
    // The level is compared with the section made for the previous line.
    EXPECT_THROW(ReadOutline(QStringView(u"\t\tA\r\n\t\t\tB"), nb), KeltoError);
}

TEST(Outline, WritingUsesOneTabPerLevelAndCrLf)
{
    Notebook nb;
    test::buildShape(nb, u"A(B(C)) D"_s);
    EXPECT_EQ(WriteOutline(nb), u"A\r\n\tB\r\n\t\tC\r\nD\r\n"_s);
    const Section* a = nb.firstSection();
    EXPECT_EQ(WriteBranchOutline(a, true), u"A\r\n\tB\r\n\t\tC\r\n"_s);
    // Without the section its children still carry one TAB.
    EXPECT_EQ(WriteBranchOutline(a, false), u"\tB\r\n\t\tC\r\n"_s);
    EXPECT_EQ(WriteOutline(Notebook()), QString());
}

TEST(Outline, CaptionsThatWouldChangeTheTreeAreWrittenSafely)
{
    // Line breaks and NULs become blanks, then leading blanks no-break spaces.
    const std::pair<QString, QString> cases[] = {
        {u"\t lead"_s, u"\u00A0\u00A0lead"_s},
        {QString::fromUtf16(u"two\r\nlines\0x", 12), u"two  lines x"_s},
        {u"\nX"_s, u"\u00A0X"_s},
        {u"\r\n\tY"_s, u"\u00A0\u00A0\u00A0Y"_s},
        {u"a \tb "_s, u"a \tb "_s}};
    for (const auto& [caption, written] : cases) {
        SCOPED_TRACE(testing::PrintToString(caption));
        Notebook nb;
        nb.appendSection(nb.appendSection(nullptr, u"top"_s), caption);
        nb.appendSection(nullptr, u"next"_s);
        // Both writers: the text one and the one of the notebook file.
        QByteArray bytes;
        appendBranchOutline(bytes, nb.container(), 0, TextEncoding::Utf8);
        for (const QString& text : {WriteOutline(nb), QString::fromUtf8(bytes)}) {
            Notebook back;
            ReadOutline(QStringView(text), back);
            EXPECT_EQ(shapeOf(back), u"top("_s + written + u") next"_s);
        }
    }
}
