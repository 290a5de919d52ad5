// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextCodec.h"

#include <QStringDecoder>

#include <array>
#include <cstring>

namespace kelto {
namespace cp1251 {
namespace {

// Upper half of the code page, 0x80..0xFF.
constexpr char16_t kHigh[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// Reverse map for the characters above U+007F: -1 or the byte.
struct ReverseTable
{
    std::array<short, 0x10000> byteOf;
    ReverseTable()
    {
        byteOf.fill(-1);
        for (int i = 0; i < 0x80; ++i)
            byteOf[i] = short(i);
        for (int i = 0; i < 128; ++i)
            byteOf[kHigh[i]] = short(0x80 + i);
    }
};

const ReverseTable& reverse()
{
    static const ReverseTable table;
    return table;
}

} // namespace

char16_t toUnicode(unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : kHigh[byte - 0x80];
}

int fromUnicode(char16_t ch)
{
    return reverse().byteOf[ch];
}

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    auto* dst = reinterpret_cast<char16_t*>(out.data());
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i) {
        const unsigned char b = src[i];
        dst[i] = b < 0x80 ? char16_t(b) : kHigh[b - 0x80];
    }
    return out;
}

bool canEncode(QStringView text)
{
    const auto& table = reverse().byteOf;
    for (QChar c : text) {
        if (c.unicode() >= 0x80 && table[c.unicode()] < 0)
            return false;
    }
    return true;
}

bool appendEncoded(QByteArray& out, QStringView text)
{
    bool fits = true;
    const auto& table = reverse().byteOf;
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* dst = out.data() + start;
    const char16_t* src = text.utf16();
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const char16_t c = src[i];
        if (c < 0x80) {
            dst[i] = char(c);
        } else {
            const short b = table[c];
            dst[i] = b < 0 ? '?' : char(b);
            fits = fits && b >= 0;
        }
    }
    return fits;
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    appendEncoded(out, text);
    return out;
}

} // namespace cp1251

bool isValidUtf8(QByteArrayView bytes)
{
    // Skip the ASCII run quickly, then let the decoder judge the rest.
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    if (i == n)
        return true;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString ignored = decoder.decode(bytes.sliced(i));
    return !decoder.hasError();
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return QString::fromUtf8(bytes);
    return cp1251::decode(bytes);
}

void appendText(QByteArray& out, QStringView text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        out.append(text.toUtf8());
    else
        cp1251::appendEncoded(out, text);
}

QByteArray encodeText(QStringView text, TextEncoding encoding)
{
    QByteArray out;
    appendText(out, text, encoding);
    return out;
}

TextEncoding encodingFor(QStringView text)
{
    return cp1251::canEncode(text) ? TextEncoding::Cp1251 : TextEncoding::Utf8;
}

static bool startsWithBom(QByteArrayView bytes)
{
    return bytes.size() >= 3 && std::memcmp(bytes.data(), Utf8Bom, 3) == 0;
}

TextEncoding detectPlainText(QByteArrayView bytes, qsizetype* skip)
{
    *skip = 0;
    if (startsWithBom(bytes) && isValidUtf8(bytes.sliced(3))) {
        *skip = 3;
        return TextEncoding::Utf8;
    }
    return isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp1251;
}

QString decodePlainText(QByteArrayView bytes)
{
    qsizetype skip = 0;
    const TextEncoding encoding = detectPlainText(bytes, &skip);
    return decodeText(bytes.sliced(skip), encoding);
}

QByteArray encodeMarkedText(QStringView text)
{
    if (cp1251::canEncode(text))
        return cp1251::encode(text);
    return QByteArray(Utf8Bom) + text.toUtf8();
}

QString decodeMarkedText(QByteArrayView bytes)
{
    if (startsWithBom(bytes))
        return QString::fromUtf8(bytes.sliced(3));
    return cp1251::decode(bytes);
}

} // namespace kelto
