// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Links.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

TEST(Links, EverySchemeWithoutTrailingPunctuationAndNothingElse)
{
    const QString line =
        QStringLiteral("See http://a.example/x?y=1, https://b.example. ftp://c.example/f; "
                       "mailto:me@example.org and file:///tmp/n.nib or (www.example.com)! "
                       "not http:// alone, www. or awww.x");
    QStringList urls;
    for (const LinkSpan& link : findLinks(line))
        urls << link.url;
    EXPECT_EQ(urls, (QStringList{u"http://a.example/x?y=1"_s, u"https://b.example"_s,
                                 u"ftp://c.example/f"_s, u"mailto:me@example.org"_s,
                                 u"file:///tmp/n.nib"_s, u"http://www.example.com"_s}));
    // The span covers the text as written; a link ends at a blank.
    const QString cyrillic = u"Сайт (https://пример.рф/путь) здесь"_s;
    LinkSpan link;
    ASSERT_TRUE(linkAt(cyrillic, 10, &link));
    EXPECT_EQ(cyrillic.mid(link.start, link.length), u"https://пример.рф/путь"_s);
    EXPECT_FALSE(linkAt(cyrillic, 2, &link));
    EXPECT_FALSE(linkAt(cyrillic, link.start + link.length, &link));
}
