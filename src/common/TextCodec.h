// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace kelto {

// How the bytes of a file hold text. Windows-1251 is the program's own code
// page; UTF-8 is used only where a text holds characters the code page lacks.
enum class TextEncoding
{
    Cp1251,
    Utf8
};

namespace cp1251 {

// Every one of the 256 bytes maps to one UTF-16 unit and back; 0x98, which
// the code page leaves undefined, maps to U+0098 so any byte string survives.
char16_t toUnicode(unsigned char byte);
// -1 when the character has no byte in the code page.
int fromUnicode(char16_t ch);

QString decode(QByteArrayView bytes);
bool canEncode(QStringView text);
// Characters without a byte become '?' and make the result false; callers
// that must not lose text check canEncode() first or the result after.
bool appendEncoded(QByteArray& out, QStringView text);
QByteArray encode(QStringView text);

} // namespace cp1251

bool isValidUtf8(QByteArrayView bytes);

QString decodeText(QByteArrayView bytes, TextEncoding encoding);
void appendText(QByteArray& out, QStringView text, TextEncoding encoding);
QByteArray encodeText(QStringView text, TextEncoding encoding);

// The code page when it can hold every character, else UTF-8.
TextEncoding encodingFor(QStringView text);

inline constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

// Plain-text files opened or imported: UTF-8 (with or without a byte order
// mark) when the bytes are valid UTF-8, Windows-1251 otherwise.
// detectPlainText() tells the encoding and how many leading bytes (the
// mark) to skip.
TextEncoding detectPlainText(QByteArrayView bytes, qsizetype* skip);
QString decodePlainText(QByteArrayView bytes);

// Files of the program that mark UTF-8 with a byte order mark (settings,
// templates, text exports): the code page when every character fits, else
// the mark followed by UTF-8. Reading honours the mark.
QByteArray encodeMarkedText(QStringView text);
QString decodeMarkedText(QByteArrayView bytes);

} // namespace kelto
