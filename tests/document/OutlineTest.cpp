#include "TreeShape.h"
#include "common/KeltoError.h"
#include "document/OutlineText.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::buildShape;
using kelto::test::findSection;
using kelto::test::shapeOf;

namespace {
QString readShape(const QString& text)
{
    Notebook nb;
    ReadOutline(QStringView(text), nb);
    return shapeOf(nb);
}
} // namespace

TEST(Outline, ReadingPlacesEachLineByItsLevel)
{
    EXPECT_EQ(readShape(QString()), QString());
    EXPECT_EQ(readShape(QStringLiteral("A\r\n\tB\r\n\t\tC\r\nD\r\n")), QStringLiteral("A(B(C)) D"));
    // The first line is top-level whatever its indentation.
    EXPECT_EQ(readShape(QStringLiteral("\t\tA\r\n\tB")), QStringLiteral("A(B)"));
    // Blanks of any mix count one level each; climbing back several levels.
    EXPECT_EQ(readShape(QStringLiteral("A\n B\n\t C\n\tD\nE")), QStringLiteral("A(B(C) D) E"));
    EXPECT_EQ(readShape(QStringLiteral("A\n\tB\n \tC\nD")), QStringLiteral("A(B(C)) D"));
    // Every break form; LF CR is two breaks with an empty line between.
    EXPECT_EQ(readShape(QStringLiteral("A\rB\nC\r\nD")), QStringLiteral("A B C D"));
    Notebook nb;
    ReadOutline(QStringView(u"A\n\rB"), nb);
    ASSERT_EQ(nb.topLevelCount(), 3);
    EXPECT_EQ(nb.topLevel(1)->caption(), QString());
    // A break at the end makes no empty last line; a NUL ends the text.
    ReadOutline(QStringView(u"A\r\nB\r\n\0C\r\n", 10), nb);
    EXPECT_EQ(shapeOf(nb), QStringLiteral("A B"));
    // Blanks inside and after a caption belong to it.
    ReadOutline(QStringView(u"x y \r\n"), nb);
    EXPECT_EQ(nb.firstSection()->caption(), QStringLiteral("x y "));
}

TEST(Outline, BlankLinesMakeEmptyCaptions)
{
    Notebook nb;
    ReadOutline(QStringView(u"A\r\n\tB\r\n\r\nC"), nb);
    ASSERT_EQ(nb.topLevelCount(), 3);
    EXPECT_EQ(nb.topLevel(1)->caption(), QString());
    ReadOutline(QStringView(u"A\n\tB\n\t\tC\n   "), nb);
    Section* blank = nb.sectionAt(3);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->level(), 3);
    EXPECT_EQ(blank->caption(), QString());
}

TEST(Outline, TooDeepALineStopsWithLevelMessage)
{
    Notebook nb;
    try {
        ReadOutline(QStringView(u"A\r\n\t\tB\r\nC"), nb);
        FAIL() << "no error";
    } catch (const KeltoError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Invalid level (2) for item \"B\""));
    }
    EXPECT_EQ(shapeOf(nb), QStringLiteral("A")) << "sections before the bad line stay";
    // The level is compared with the section made for the previous line.
    EXPECT_THROW(ReadOutline(QStringView(u"\t\tA\r\n\t\t\tB"), nb), KeltoError);
}

TEST(Outline, WritingUsesOneTabPerLevelAndCrLf)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("A(B(C)) D"));
    EXPECT_EQ(WriteOutline(nb), QStringLiteral("A\r\n\tB\r\n\t\tC\r\nD\r\n"));
    Section* a = findSection(nb, QStringLiteral("A"));
    EXPECT_EQ(WriteBranchOutline(a, true), QStringLiteral("A\r\n\tB\r\n\t\tC\r\n"));
    // Without the section its children still carry one TAB.
    EXPECT_EQ(WriteBranchOutline(a, false), QStringLiteral("\tB\r\n\t\tC\r\n"));
    EXPECT_EQ(WriteBranchOutline(findSection(nb, QStringLiteral("C")), false), QString());
    EXPECT_EQ(WriteOutline(Notebook()), QString());
    // Read back, a branch without its section makes its first line a root
    // and the other children its subsections.
    Notebook flat;
    buildShape(flat, QStringLiteral("S(c1 c2 c3)"));
    EXPECT_EQ(readShape(WriteBranchOutline(flat.firstSection(), false)),
              QStringLiteral("c1(c2 c3)"));
}

TEST(Outline, CaptionsThatWouldChangeTheTreeAreWrittenSafely)
{
    Notebook nb;
    nb.appendSection(nullptr, QStringLiteral("\t lead"));
    Section* s = nb.appendSection(nullptr, QStringLiteral("two\r\nlines\0x"));
    nb.appendSection(s, QStringLiteral(" child"));
    const QString text = WriteOutline(nb);
    Notebook back;
    ReadOutline(QStringView(text), back);
    ASSERT_EQ(back.sectionCount(), 3);
    EXPECT_EQ(back.sectionAt(0)->caption(), QStringLiteral("\u00A0\u00A0lead"));
    EXPECT_EQ(back.sectionAt(1)->caption(), QStringLiteral("two  lines x"));
    EXPECT_EQ(back.sectionAt(2)->caption(), QStringLiteral("\u00A0child"));
    EXPECT_EQ(back.sectionAt(2)->level(), 1);
    // A line break at the start must not become an indentation either.
    EXPECT_EQ(outlineSafeCaption(QStringLiteral("\nX")), QStringLiteral("\u00A0X"));
    EXPECT_EQ(outlineSafeCaption(QStringLiteral("\r\n\tY")), QStringLiteral("\u00A0\u00A0\u00A0Y"));
    // Inner blanks are kept as they are.
    EXPECT_EQ(outlineSafeCaption(QStringLiteral("a \tb ")), QStringLiteral("a \tb "));
}

TEST(Outline, RandomTreesRoundTrip)
{
    QRandomGenerator rng(20261206);
    for (int round = 0; round < 50; ++round) {
        Notebook nb;
        std::vector<Section*> all{nullptr};
        const int n = 1 + int(rng.bounded(200));
        for (int i = 0; i < n; ++i) {
            Section* parent = all[rng.bounded(quint32(all.size()))];
            QString caption;
            const int len = int(rng.bounded(6));
            for (int k = 0; k < len; ++k)
                caption += QChar(char16_t(u'a' + rng.bounded(3)));
            if (rng.bounded(4) == 0)
                caption += QStringLiteral(" Ж.");
            all.push_back(nb.appendSection(parent, caption));
        }
        const QString text = WriteOutline(nb);
        Notebook back;
        ReadOutline(QStringView(text), back);
        ASSERT_EQ(back.sectionCount(), nb.sectionCount());
        for (int i = 0; i < nb.sectionCount(); ++i) {
            ASSERT_EQ(back.sectionAt(i)->caption(), outlineSafeCaption(nb.sectionAt(i)->caption()));
            ASSERT_EQ(back.sectionAt(i)->level(), nb.sectionAt(i)->level());
        }
        QByteArray bytes;
        appendBranchOutline(bytes, nb.container(), 0, TextEncoding::Cp1251);
        Notebook fromBytes;
        ReadOutline(bytes, TextEncoding::Cp1251, fromBytes);
        ASSERT_EQ(WriteOutline(fromBytes), text);
    }
}
