// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListGenerator.h"

#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "document/Notebook.h"
#include "document/OutlineText.h"

#include <limits>

namespace kelto {

namespace {

int digitValue(QChar ch, int base)
{
    const char16_t c = ch.unicode();
    int value = 99;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

// The digits as an unsigned magnitude; nullopt on a stray character or
// when the value does not fit in 64 bits.
std::optional<quint64> parseDigits(QStringView digits, int base)
{
    if (digits.isEmpty())
        return std::nullopt;
    const quint64 max = std::numeric_limits<quint64>::max();
    quint64 value = 0;
    for (const QChar ch : digits) {
        const int d = digitValue(ch, base);
        if (d < 0 || value > (max - quint64(d)) / quint64(base))
            return std::nullopt;
        value = value * quint64(base) + quint64(d);
    }
    return value;
}

QString characterOf(uint code, bool codePage)
{
    if (codePage)
        return QString(QChar(cp1251::toUnicode(uchar(code))));
    const char32_t point = code;
    return QString::fromUcs4(&point, 1);
}

[[noreturn]] void refuseLength()
{
    throw KeltoError(QStringLiteral("Список слишком длинный: за один раз можно создать не "
                                    "больше %1 разделов.")
                         .arg(MaxListCaptions));
}

QStringList numberCaptions(const ListSpec& series, qint64 a, qint64 b)
{
    const bool up = b >= a;
    const quint64 span = up ? quint64(b) - quint64(a) : quint64(a) - quint64(b);
    if (span >= quint64(MaxListCaptions))
        refuseLength();
    QStringList captions;
    captions.reserve(qsizetype(span + 1));
    for (quint64 i = 0; i <= span; ++i) {
        const qint64 v = qint64(up ? quint64(a) + i : quint64(a) - i);
        captions.append(series.prefix + QString::number(v) + series.suffix);
    }
    return captions;
}

QStringList characterCaptions(const ListSpec& series)
{
    // Both in the code page: its order; otherwise the order of Unicode, so
    // characters the code page lacks still make a series.
    const int byteA = cp1251::fromUnicode(series.start.front().unicode());
    const int byteB = cp1251::fromUnicode(series.end.front().unicode());
    const bool codePage = byteA >= 0 && byteB >= 0;
    const uint from = codePage ? uint(byteA) : series.start.toUcs4().front();
    const uint to = codePage ? uint(byteB) : series.end.toUcs4().front();
    const uint span = to >= from ? to - from : from - to;
    if (span >= uint(MaxListCaptions))
        refuseLength();
    QStringList captions;
    for (uint i = 0; i <= span; ++i) {
        const uint code = to >= from ? from + i : from - i;
        if (!codePage && code >= 0xD800 && code <= 0xDFFF)
            continue; // halves of surrogate pairs are no characters
        captions.append(series.prefix + characterOf(code, codePage) + series.suffix);
    }
    return captions;
}

} // namespace

std::optional<qint64> parseListNumber(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.mid(1);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    std::optional<quint64> magnitude;
    if (text.startsWith(u'$'))
        magnitude = parseDigits(text.mid(1), 16);
    else if (text.startsWith(u"0x", Qt::CaseInsensitive))
        magnitude = parseDigits(text.mid(2), 16);
    else if (auto decimal = parseDigits(text, 10);
             decimal && *decimal <= quint64(std::numeric_limits<qint64>::max()) + negative)
        magnitude = decimal;
    if (!magnitude)
        return std::nullopt;
    // Hexadecimal is a 64-bit pattern; decimal was checked to fit above.
    const qint64 value = qint64(*magnitude);
    return negative ? qint64(0 - quint64(value)) : value;
}

QStringList generateListCaptions(const ListSpec& series)
{
    if (series.start.isEmpty() || series.end.isEmpty())
        throw KeltoError(QStringLiteral("Необходимо указать два предела диапазона."));
    const std::optional<qint64> a = parseListNumber(series.start);
    const std::optional<qint64> b = parseListNumber(series.end);
    if (a && b)
        return numberCaptions(series, *a, *b);
    return characterCaptions(series);
}

Section* insertListSections(Notebook& notebook, Section* current, ListPlacement placement,
                            const QStringList& captions)
{
    QStringList safe;
    safe.reserve(captions.size());
    for (const QString& caption : captions)
        safe.append(outlineSafeCaption(caption));
    if (!current)
        return notebook.insertSections(nullptr, notebook.topLevelCount(), safe);
    switch (placement) {
    case ListPlacement::After:
        return notebook.insertSections(current->parent(), current->row() + 1, safe);
    case ListPlacement::Before:
        return notebook.insertSections(current->parent(), current->row(), safe);
    case ListPlacement::LastChildren:
        break;
    }
    return notebook.insertSections(current, current->childCount(), safe);
}

} // namespace kelto
