#include "common/TextCodec.h"

#include <gtest/gtest.h>

#include <iconv.h>

using namespace kelto;

namespace {

// What the C library's converter makes of one Windows-1251 byte, or 0 when
// it refuses it (0x98 is undefined in the code page).
char32_t systemDecode(unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-32LE", "CP1251");
    if (cd == iconv_t(-1))
        return 0;
    char in[1] = {char(byte)};
    char out[4] = {};
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = 4;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1))
        return 0;
    return char32_t(uint8_t(out[0])) | char32_t(uint8_t(out[1])) << 8 |
           char32_t(uint8_t(out[2])) << 16 | char32_t(uint8_t(out[3])) << 24;
}

} // namespace

TEST(TextCodec, AgreesWithSystemConverterOnEveryDefinedByte)
{
    iconv_t probe = iconv_open("UTF-32LE", "CP1251");
    if (probe == iconv_t(-1))
        GTEST_SKIP() << "the C library has no CP1251 converter";
    iconv_close(probe);
    int compared = 0;
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue;
        const char32_t expected = systemDecode(uchar(b));
        if (b != 0) {
            ASSERT_NE(expected, 0u) << "byte " << b;
        }
        EXPECT_EQ(char32_t(cp1251::toUnicode(uchar(b))), expected) << "byte " << b;
        ++compared;
    }
    EXPECT_EQ(compared, 255);
}

TEST(TextCodec, EveryByteStringRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = cp1251::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0x98).unicode(), 0x0098);
    EXPECT_EQ(text.at(0xC0), QChar(0x0410)); // А
    EXPECT_EQ(text.at(0xB9), QChar(0x2116)); // №
    EXPECT_TRUE(cp1251::canEncode(text));
    EXPECT_EQ(cp1251::encode(text), all);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(cp1251::fromUnicode(cp1251::toUnicode(uchar(b))), b);
}

TEST(TextCodec, CharactersOutsideTheCodePage)
{
    const QString greek = QStringLiteral("Привет λ");
    EXPECT_FALSE(cp1251::canEncode(greek));
    EXPECT_EQ(cp1251::fromUnicode(u'λ'), -1);
    EXPECT_EQ(cp1251::encode(greek).right(1), QByteArray("?"));
    EXPECT_EQ(encodingFor(greek), TextEncoding::Utf8);
    EXPECT_EQ(encodingFor(QStringLiteral("Привет")), TextEncoding::Cp1251);
    // Latin-1 letters that the code page lacks are not silently taken.
    EXPECT_FALSE(cp1251::canEncode(QStringLiteral("ç")));
}

TEST(TextCodec, PlainTextFilesAreReadAsUtf8WhenValid)
{
    const QString cyr = QStringLiteral("Ёлка и λ");
    EXPECT_EQ(decodePlainText(cyr.toUtf8()), cyr);
    EXPECT_EQ(decodePlainText(QByteArray(Utf8Bom) + cyr.toUtf8()), cyr);
    // The same letters in the code page are not valid UTF-8.
    const QByteArray cp = cp1251::encode(QStringLiteral("Ёлка"));
    EXPECT_EQ(decodePlainText(cp), QStringLiteral("Ёлка"));
    // A byte order mark followed by bytes that are not UTF-8: the code page.
    const QByteArray odd = QByteArray(Utf8Bom) + cp;
    EXPECT_EQ(decodePlainText(odd), cp1251::decode(odd));
    qsizetype skip = -1;
    EXPECT_EQ(detectPlainText(QByteArray("plain ascii"), &skip), TextEncoding::Utf8);
    EXPECT_EQ(skip, 0);
    EXPECT_EQ(decodePlainText(QByteArray()), QString());
    // A truncated multi-byte sequence at the end is not valid UTF-8.
    EXPECT_FALSE(isValidUtf8(QByteArray("abc\xD0")));
}

TEST(TextCodec, MarkedTextUsesTheCodePageUnlessSomethingDoesNotFit)
{
    const QString fits = QStringLiteral("[Treepad]\r\nLoadFile=Записки.nib\r\n");
    EXPECT_EQ(encodeMarkedText(fits), cp1251::encode(fits));
    EXPECT_EQ(decodeMarkedText(encodeMarkedText(fits)), fits);
    const QString wide = QStringLiteral("LoadFile=ノート.nib");
    const QByteArray bytes = encodeMarkedText(wide);
    EXPECT_TRUE(bytes.startsWith(Utf8Bom));
    EXPECT_EQ(decodeMarkedText(bytes), wide);
}
