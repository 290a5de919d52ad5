// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkHighlighter.h"

#include "common/Links.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace kelto {

namespace {

// A block's user state says whether its links are styled: blocks start at
// -1, and a change of the text sets them back to it.
constexpr int Unstyled = -1;
constexpr int Styled = 1;

} // namespace

LinkHighlighter::LinkHighlighter(QTextDocument* document) : QObject(document), m_document(document)
{
    connect(document, &QTextDocument::contentsChange, this, &LinkHighlighter::onContentsChange);
}

void LinkHighlighter::onContentsChange(int position, int, int added)
{
    const QTextBlock last = m_document->findBlock(position + added);
    for (QTextBlock block = m_document->findBlock(position); block.isValid();
         block = block.next()) {
        block.setUserState(Unstyled);
        if (block == last)
            break;
    }
}

void LinkHighlighter::style(const QTextBlock& block)
{
    if (!block.isValid() || block.userState() == Styled)
        return;
    QList<QTextLayout::FormatRange> ranges;
    const QString text = block.text();
    if (text.contains(QLatin1Char(':')) || text.contains(QLatin1Char('.'))) {
        QTextCharFormat format;
        format.setForeground(QGuiApplication::palette().color(QPalette::Link));
        format.setFontUnderline(true);
        for (const LinkSpan& link : findLinks(text))
            ranges.append({int(link.start), int(link.length), format});
    }
    QTextLayout* layout = block.layout();
    if (ranges != layout->formats()) {
        layout->setFormats(ranges);
        // Lays the block out again and repaints it, without reporting a
        // change of its text.
        m_document->markContentsDirty(block.position(), block.length());
    }
    QTextBlock(block).setUserState(Styled);
}

} // namespace kelto
