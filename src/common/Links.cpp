// SPDX-License-Identifier: GPL-3.0-or-later
#include "Links.h"

#include <QRegularExpression>

namespace kelto {

namespace {

const QRegularExpression& linkPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("(?:\\b(?:https?|ftp)://|\\bmailto:|\\bfile:|\\bwww\\.)[^\\s<>\"]+"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

bool isTrailingPunctuation(QChar c)
{
    return QStringView(u".,;:!?)]}'»").contains(c);
}

} // namespace

QList<LinkSpan> findLinks(QStringView line)
{
    QList<LinkSpan> links;
    auto it = linkPattern().globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QStringView text = line.sliced(m.capturedStart(), m.capturedLength());
        while (!text.isEmpty() && isTrailingPunctuation(text.back()))
            text.chop(1);
        if (text.isEmpty() || text.endsWith(u"://") ||
            text.compare(u"www.", Qt::CaseInsensitive) == 0)
            continue;
        QString url = text.toString();
        if (text.startsWith(u"www.", Qt::CaseInsensitive))
            url.prepend(QStringLiteral("http://"));
        links.append({m.capturedStart(), text.size(), url});
    }
    return links;
}

bool linkAt(QStringView line, qsizetype column, LinkSpan* link)
{
    for (const LinkSpan& span : findLinks(line)) {
        if (column >= span.start && column < span.start + span.length) {
            *link = span;
            return true;
        }
    }
    return false;
}

} // namespace kelto
