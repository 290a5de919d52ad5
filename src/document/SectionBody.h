// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/TextCodec.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace kelto {

// A live editing document the desktop program attaches to a body once the
// section is shown or edited. From then on it holds the text (and its own
// undo history); the body only forwards to it.
class BodyDocument
{
public:
    virtual ~BodyDocument() = default;
    // Paragraph breaks as '\n'.
    virtual QString plainText() const = 0;
    // Replaces the whole text without it counting as a user edit.
    virtual void loadPlainText(const QString& text) = 0;
};

// The text of one section. A body read from a file keeps a slice of the file
// image and decodes it on first use, so opening a large notebook costs no
// more than reading it. Inside the program paragraph breaks are '\n'; in a
// file a lone CR, a lone LF and CR LF all end a paragraph, and bodies are
// written with CR LF.
class SectionBody
{
public:
    SectionBody() = default;
    explicit SectionBody(QString text) { setText(std::move(text)); }
    SectionBody(SectionBody&&) noexcept = default;
    SectionBody& operator=(SectionBody&&) noexcept = default;
    SectionBody(const SectionBody&) = delete;
    SectionBody& operator=(const SectionBody&) = delete;
    ~SectionBody();

    // Bytes [offset, offset + length) of a shared file image, in the given
    // encoding, decoded when first needed.
    void setStored(const QByteArray& image, qsizetype offset, qsizetype length,
                   TextEncoding encoding);
    // Any paragraph break form is accepted and kept as '\n'.
    void setText(QString text);
    QString text() const;
    bool isEmpty() const;
    // Length as written to a file: every paragraph break counts as two.
    qsizetype textLengthCrLf() const;
    // True when the text is still the undecoded bytes of a file.
    bool isStored() const { return !m_document && m_storedLength >= 0; }

    // The body's text as a file holds it: encoded, with CR LF breaks.
    // Undecoded bytes are copied as they are when no conversion is needed.
    void appendEncoded(QByteArray& out, TextEncoding encoding) const;
    bool fitsCp1251() const;
    // About the number of bytes appendEncoded() adds (exact for undecoded
    // bytes that need no conversion); lets a writer reserve its buffer once.
    qsizetype encodedSizeHint(TextEncoding encoding) const;

    void attachDocument(std::unique_ptr<BodyDocument> document);
    BodyDocument* document() const { return m_document.get(); }

    // Paragraph breaks of any form become '\n'.
    static QString normalizeBreaks(QString text);

private:
    QByteArrayView storedBytes() const;

    QByteArray m_image; // shared file image while stored
    qsizetype m_storedOffset = 0;
    qsizetype m_storedLength = -1; // -1: not stored
    TextEncoding m_storedEncoding = TextEncoding::Cp1251;
    QString m_text; // the text when not stored
    std::unique_ptr<BodyDocument> m_document;
};

} // namespace kelto
