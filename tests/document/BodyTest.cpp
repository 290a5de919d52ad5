#include "TestSupport.h"
#include "common/TextCodec.h"
#include "document/BodyEdits.h"
#include "document/SectionBody.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kelto;
using namespace Qt::StringLiterals;

TEST(SectionBody, EveryBreakFormIsOneParagraphAndIsWrittenAsCrLf)
{
    // Typed or pasted text, and bytes read from a file, alike.
    const QByteArray raw("a\r\nb\rc\nd\n\re");
    SectionBody typed(QString::fromLatin1(raw)), stored;
    stored.setStored("xx" + raw + "yy", 2, raw.size(), TextEncoding::Cp1251);
    for (const SectionBody* body : {&typed, &stored}) {
        EXPECT_EQ(body->text(), u"a\nb\nc\nd\n\ne"_s);
        EXPECT_EQ(body->textLengthCrLf(), 15);
        QByteArray out;
        body->appendEncoded(out, TextEncoding::Cp1251);
        EXPECT_EQ(out, QByteArray("a\r\nb\r\nc\r\nd\r\n\r\ne"));
    }
}

TEST(SectionBody, StoredBytesAreConvertedWhenTheFileEncodingDiffers)
{
    const QByteArray bytes = cp1251::encode(u"Привет\r\nмир");
    SectionBody body;
    body.setStored(bytes, 0, bytes.size(), TextEncoding::Cp1251);
    QByteArray utf;
    body.appendEncoded(utf, TextEncoding::Utf8);
    EXPECT_EQ(utf, u"Привет\r\nмир"_s.toUtf8());
    // Stored UTF-8 bytes fit the code page exactly when their characters do.
    for (const auto& [text, fits] : {std::pair{"plain", true}, {"Ёж", true}, {"λ", false}}) {
        body.setStored(text, 0, qsizetype(strlen(text)), TextEncoding::Utf8);
        EXPECT_EQ(body.fitsCp1251(), fits) << text;
    }
}

namespace {
struct FakeDocument : BodyDocument
{
    QString text;
    QString plainText() const override { return text; }
    void loadPlainText(const QString& t) override { text = t; }
};
} // namespace

TEST(SectionBody, AnAttachedDocumentHoldsTheTextFromThenOn)
{
    SectionBody body(u"one\ntwo"_s);
    auto owned = std::make_unique<FakeDocument>();
    FakeDocument* doc = owned.get();
    body.attachDocument(std::move(owned));
    EXPECT_EQ(doc->text, u"one\ntwo"_s);
    doc->text = u"edited\nby user"_s;
    QByteArray out;
    body.appendEncoded(out, TextEncoding::Cp1251);
    EXPECT_EQ(out, QByteArray("edited\r\nby user"));
    body.setText(u"x\r\ny"_s);
    EXPECT_EQ(doc->text, u"x\ny"_s);
}

namespace {
QString applied(const QString& text, const TextReplacement& r)
{
    return QString(text).replace(r.start, r.end - r.start, r.text);
}
} // namespace

// The window tests cover the usual shift, child-list and clipping cases; these
// are the edges that are easier to reach on plain text.
TEST(BodyEdits, ShiftEdgesOfTheSelection)
{
    const QString text = u"ab\ncd"_s;
    // Only the line break selected: the line it ends. Backwards, and beyond the text.
    EXPECT_EQ(applied(text, shiftLines(text, 2, 3, ShiftDirection::Right, 1)), u" ab\ncd"_s);
    EXPECT_EQ(applied(text, shiftLines(text, 99, 4, ShiftDirection::Right, 1)), u"ab\n cd"_s);
    // The replaced range stops before the line break after the last line.
    const TextReplacement r = shiftLines(text, 0, 2, ShiftDirection::Right, 3);
    EXPECT_EQ(std::tuple(r.start, r.end, r.caret), std::tuple(0, 2, 5));
    // Only plain spaces are removed; no count changes nothing.
    EXPECT_EQ(shiftLine(u"\u00a0 x", ShiftDirection::Left, 4), u"\u00a0 x"_s);
    EXPECT_EQ(shiftLine(u"\t x", ShiftDirection::Left, 4), u"\t x"_s);
    EXPECT_EQ(shiftLine(u"   ", ShiftDirection::Left, 2), u" "_s);
    for (int count : {0, -3}) {
        EXPECT_EQ(shiftLine(u" a", ShiftDirection::Right, count), u" a"_s);
        EXPECT_EQ(shiftLine(u" a", ShiftDirection::Left, count), u" a"_s);
    }
}

TEST(BodyEdits, ClippingsOnEmptyBodiesRepeatedAndWithForeignLineBreaks)
{
    const QString dashes(30, u'-');
    EXPECT_EQ(applied(QString(), appendClipping(u"", u"x")), dashes + u"\nx\n"_s);
    // A second clipping takes the empty last line the first one left.
    const QString once = u"a\n"_s + dashes + u"\nx\n"_s;
    const TextReplacement r = appendClipping(once, u"1\r\n2\r3");
    EXPECT_EQ(applied(once, r), once + dashes + u"\n1\n2\n3\n"_s);
    EXPECT_EQ(r.caret, applied(once, r).size() - 1) << "right after the clipping";
    EXPECT_EQ(applied(u"b"_s, appendClipping(u"b", u"y")), u"b\n"_s + dashes + u"\ny\n"_s);
}
