// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/TextCodec.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <iconv.h>

using namespace kelto;
using namespace Qt::StringLiterals;

TEST(TextCodec, AgreesWithTheSystemConverterOnEveryDefinedByte)
{
    iconv_t cd = iconv_open("UTF-16LE", "CP1251");
    if (cd == iconv_t(-1))
        GTEST_SKIP() << "the C library has no CP1251 converter";
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98)
            continue; // undefined in the code page
        char in = char(b), out[2] = {}, *inPtr = &in, *outPtr = out;
        size_t inLeft = 1, outLeft = 2;
        EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), size_t(-1)) << "byte " << b;
        EXPECT_EQ(cp1251::toUnicode(uchar(b)), uchar(out[0]) | uchar(out[1]) << 8) << "byte " << b;
    }
    iconv_close(cd);
}

TEST(TextCodec, EveryByteStringRoundTripsAndForeignCharactersAreNotTakenSilently)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = cp1251::decode(all);
    EXPECT_EQ(text.at(0x98).unicode(), 0x0098);
    EXPECT_EQ(encodingFor(text), TextEncoding::Cp1251);
    EXPECT_EQ(cp1251::encode(text), all);
    // Greek, a Latin-1 letter the code page lacks, CJK.
    for (const QString& foreign : {u"Ж λ"_s, u"ç"_s, u"日"_s})
        EXPECT_EQ(encodingFor(foreign), TextEncoding::Utf8) << foreign.toStdString();
    EXPECT_EQ(cp1251::encode(u"Ж λ"), QByteArray("\xC6 ?"));
}
