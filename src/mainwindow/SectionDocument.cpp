// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionDocument.h"

#include "LinkHighlighter.h"

#include <QPlainTextDocumentLayout>

namespace kelto {

SectionDocument::SectionDocument()
    : m_document(std::make_unique<QTextDocument>()), m_links(new LinkHighlighter(m_document.get()))
{
    m_document->setDocumentLayout(new QPlainTextDocumentLayout(m_document.get()));
    m_document->setUndoRedoEnabled(true);
}

SectionDocument::~SectionDocument() = default;

QString SectionDocument::plainText() const
{
    // toPlainText() would turn no-break spaces into plain ones; the raw text
    // keeps every character and only its paragraph marks need mapping.
    QString text = m_document->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
    }
    return text;
}

void SectionDocument::loadPlainText(const QString& text)
{
    m_loading = true;
    m_document->setPlainText(text);
    m_document->setModified(false);
    m_loading = false;
    anchor = position = firstVisibleLine = 0;
}

SectionDocument* SectionDocument::of(SectionBody& body)
{
    if (auto* existing = dynamic_cast<SectionDocument*>(body.document()))
        return existing;
    auto created = std::make_unique<SectionDocument>();
    SectionDocument* raw = created.get();
    body.attachDocument(std::move(created));
    return raw;
}

} // namespace kelto
