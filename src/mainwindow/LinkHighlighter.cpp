// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkHighlighter.h"

#include "common/Links.h"

#include <QGuiApplication>
#include <QPalette>

namespace kelto {

LinkHighlighter::LinkHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void LinkHighlighter::highlightBlock(const QString& text)
{
    if (!text.contains(QLatin1Char(':')) && !text.contains(QLatin1Char('.')))
        return;
    const QList<LinkSpan> links = findLinks(text);
    if (links.isEmpty())
        return;
    QTextCharFormat format;
    format.setForeground(QGuiApplication::palette().color(QPalette::Link));
    format.setFontUnderline(true);
    for (const LinkSpan& link : links)
        setFormat(int(link.start), int(link.length), format);
}

} // namespace kelto
