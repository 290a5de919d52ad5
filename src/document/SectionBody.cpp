// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionBody.h"

#include <cstring>

namespace kelto {

SectionBody::~SectionBody() = default;

void SectionBody::setStored(const QByteArray& image, qsizetype offset, qsizetype length,
                            TextEncoding encoding)
{
    m_image = image;
    m_storedOffset = offset;
    m_storedLength = length;
    m_storedEncoding = encoding;
    m_text.clear();
    if (m_document)
        m_document->loadPlainText(text());
}

void SectionBody::setText(QString text)
{
    m_image.clear();
    m_storedLength = -1;
    m_text = normalizeBreaks(std::move(text));
    if (m_document)
        m_document->loadPlainText(m_text);
}

QByteArrayView SectionBody::storedBytes() const
{
    return QByteArrayView(m_image.constData() + m_storedOffset, m_storedLength);
}

QString SectionBody::text() const
{
    if (m_document)
        return m_document->plainText();
    if (m_storedLength >= 0)
        return normalizeBreaks(decodeText(storedBytes(), m_storedEncoding));
    return m_text;
}

bool SectionBody::isEmpty() const
{
    if (m_document)
        return m_document->plainText().isEmpty();
    if (m_storedLength >= 0)
        return m_storedLength == 0;
    return m_text.isEmpty();
}

qsizetype SectionBody::textLengthCrLf() const
{
    const QString t = text();
    return t.size() + t.count(QLatin1Char('\n'));
}

QString SectionBody::normalizeBreaks(QString text)
{
    const qsizetype cr = text.indexOf(QLatin1Char('\r'));
    if (cr < 0)
        return text;
    QChar* data = text.data();
    qsizetype out = cr;
    for (qsizetype i = cr, n = text.size(); i < n; ++i) {
        const QChar c = data[i];
        if (c == QLatin1Char('\r')) {
            data[out++] = QLatin1Char('\n');
            if (i + 1 < n && data[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            data[out++] = c;
        }
    }
    text.truncate(out);
    return text;
}

namespace {

// True when every CR is followed by LF and every LF follows a CR.
bool hasOnlyCrLfBreaks(QByteArrayView bytes)
{
    // Every CR is followed by an LF and every LF follows a CR; memchr finds
    // the breaks far faster than a look at every byte.
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\r', end - p)));) {
        if (++p == end || *p != '\n')
            return false;
    }
    for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\n', end - p)));) {
        if (p == begin || p[-1] != '\r')
            return false;
        ++p;
    }
    return true;
}

// Appends bytes with every paragraph break written as CR LF.
void appendWithCrLf(QByteArray& out, QByteArrayView bytes)
{
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '\r') {
            out.append("\r\n", 2);
            if (i + 1 < n && p[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out.append("\r\n", 2);
        } else {
            out.append(c);
        }
    }
}

void appendTextWithCrLf(QByteArray& out, QStringView text, TextEncoding encoding)
{
    qsizetype from = 0;
    while (from <= text.size()) {
        qsizetype nl = text.indexOf(QLatin1Char('\n'), from);
        if (nl < 0)
            nl = text.size();
        appendText(out, text.mid(from, nl - from), encoding);
        if (nl < text.size())
            out.append("\r\n", 2);
        from = nl + 1;
    }
}

} // namespace

void SectionBody::appendEncoded(QByteArray& out, TextEncoding encoding) const
{
    if (isStored() && m_storedEncoding == encoding) {
        const QByteArrayView bytes = storedBytes();
        if (hasOnlyCrLfBreaks(bytes))
            out.append(bytes);
        else
            appendWithCrLf(out, bytes);
        return;
    }
    appendTextWithCrLf(out, text(), encoding);
}

qsizetype SectionBody::encodedSizeHint(TextEncoding encoding) const
{
    if (isStored() && m_storedEncoding == encoding)
        return m_storedLength;
    if (isStored())
        return m_storedLength * (encoding == TextEncoding::Utf8 ? 2 : 1);
    return m_document ? 0 : m_text.size();
}

bool SectionBody::fitsCp1251() const
{
    if (isStored()) {
        if (m_storedEncoding == TextEncoding::Cp1251)
            return true;
        const QByteArrayView bytes = storedBytes();
        bool ascii = true;
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                ascii = false;
                break;
            }
        }
        if (ascii)
            return true;
    }
    return cp1251::canEncode(text());
}

void SectionBody::attachDocument(std::unique_ptr<BodyDocument> document)
{
    const QString current = text();
    m_image.clear();
    m_storedLength = -1;
    m_text.clear();
    m_document = std::move(document);
    if (m_document)
        m_document->loadPlainText(current);
    else
        m_text = current;
}

} // namespace kelto
