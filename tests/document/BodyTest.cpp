#include "common/TextCodec.h"
#include "document/SectionBody.h"

#include <gtest/gtest.h>

using namespace kelto;

TEST(SectionBody, EveryBreakFormIsOneParagraphBreak)
{
    SectionBody body(QStringLiteral("a\r\nb\rc\nd\n\re"));
    EXPECT_EQ(body.text(), QStringLiteral("a\nb\nc\nd\n\ne"));
    EXPECT_EQ(body.textLengthCrLf(), 10 + 5);
    QByteArray out;
    body.appendEncoded(out, TextEncoding::Cp1251);
    EXPECT_EQ(out, QByteArray("a\r\nb\r\nc\r\nd\r\n\r\ne"));
}

TEST(SectionBody, StoredBytesDecodeLazilyAndWriteBackUnchanged)
{
    const QByteArray image =
        QByteArray("xx") + cp1251::encode(QStringLiteral("Привет\r\nмир")) + QByteArray("yy");
    SectionBody body;
    body.setStored(image, 2, image.size() - 4, TextEncoding::Cp1251);
    EXPECT_TRUE(body.isStored());
    EXPECT_FALSE(body.isEmpty());
    EXPECT_TRUE(body.fitsCp1251());
    EXPECT_EQ(body.text(), QStringLiteral("Привет\nмир"));
    QByteArray out;
    body.appendEncoded(out, TextEncoding::Cp1251);
    EXPECT_EQ(out, image.mid(2, image.size() - 4));
    // The same body written as UTF-8 is converted.
    out.clear();
    body.appendEncoded(out, TextEncoding::Utf8);
    EXPECT_EQ(out, QStringLiteral("Привет\r\nмир").toUtf8());
}

TEST(SectionBody, StoredLoneBreaksAreWrittenAsCrLf)
{
    const QByteArray image("a\nb\rc\r\n");
    SectionBody body;
    body.setStored(image, 0, image.size(), TextEncoding::Cp1251);
    QByteArray out;
    body.appendEncoded(out, TextEncoding::Cp1251);
    EXPECT_EQ(out, QByteArray("a\r\nb\r\nc\r\n"));
}

TEST(SectionBody, Utf8StoredBodiesFitTheCodePageOnlyWhenTheirCharactersDo)
{
    const QByteArray ascii("plain");
    const QByteArray cyr = QStringLiteral("Ёж").toUtf8();
    const QByteArray greek = QStringLiteral("λ").toUtf8();
    SectionBody a, b, c;
    a.setStored(ascii, 0, ascii.size(), TextEncoding::Utf8);
    b.setStored(cyr, 0, cyr.size(), TextEncoding::Utf8);
    c.setStored(greek, 0, greek.size(), TextEncoding::Utf8);
    EXPECT_TRUE(a.fitsCp1251());
    EXPECT_TRUE(b.fitsCp1251());
    EXPECT_FALSE(c.fitsCp1251());
}

namespace {
class FakeDocument : public BodyDocument
{
public:
    QString text;
    int loads = 0;
    QString plainText() const override { return text; }
    void loadPlainText(const QString& t) override
    {
        text = t;
        ++loads;
    }
};
} // namespace

TEST(SectionBody, AnAttachedDocumentHoldsTheText)
{
    const QByteArray image("one\r\ntwo");
    SectionBody body;
    body.setStored(image, 0, image.size(), TextEncoding::Cp1251);
    auto doc = std::make_unique<FakeDocument>();
    FakeDocument* raw = doc.get();
    body.attachDocument(std::move(doc));
    EXPECT_EQ(raw->text, QStringLiteral("one\ntwo"));
    EXPECT_FALSE(body.isStored());
    raw->text = QStringLiteral("edited\nby user");
    EXPECT_EQ(body.text(), QStringLiteral("edited\nby user"));
    QByteArray out;
    body.appendEncoded(out, TextEncoding::Cp1251);
    EXPECT_EQ(out, QByteArray("edited\r\nby user"));
    body.setText(QStringLiteral("x\r\ny"));
    EXPECT_EQ(raw->text, QStringLiteral("x\ny"));
}
