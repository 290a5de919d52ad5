#include "common/Links.h"

#include <gtest/gtest.h>

using namespace kelto;

TEST(Links, EverySchemeIsFoundWithoutTrailingPunctuation)
{
    const QString line =
        QStringLiteral("See http://a.example/x?y=1, https://b.example. ftp://c.example/f; "
                       "mailto:me@example.org and file:///tmp/n.nib or www.example.com!");
    const QList<LinkSpan> links = findLinks(line);
    ASSERT_EQ(links.size(), 6);
    EXPECT_EQ(links[0].url, QStringLiteral("http://a.example/x?y=1"));
    EXPECT_EQ(links[1].url, QStringLiteral("https://b.example"));
    EXPECT_EQ(links[2].url, QStringLiteral("ftp://c.example/f"));
    EXPECT_EQ(links[3].url, QStringLiteral("mailto:me@example.org"));
    EXPECT_EQ(links[4].url, QStringLiteral("file:///tmp/n.nib"));
    EXPECT_EQ(links[5].url, QStringLiteral("http://www.example.com"));
    EXPECT_EQ(line.mid(links[5].start, links[5].length), QStringLiteral("www.example.com"));
}

TEST(Links, OnlyRealLinks)
{
    EXPECT_TRUE(findLinks(QStringLiteral("no links: http:// alone, www. and awww.x")).isEmpty());
    EXPECT_TRUE(findLinks(QString()).isEmpty());
    // Cyrillic text around a link; the link ends at a blank.
    const QString line = QStringLiteral("Сайт (https://пример.рф/путь) здесь");
    LinkSpan link;
    ASSERT_TRUE(linkAt(line, 10, &link));
    EXPECT_EQ(link.url, QStringLiteral("https://пример.рф/путь"));
    EXPECT_FALSE(linkAt(line, 2, &link));
    EXPECT_FALSE(linkAt(line, link.start + link.length, &link));
}
