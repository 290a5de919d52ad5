// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/HtmlExport.h"
#include "TestSupport.h"
#include "TreeShape.h"
#include "common/TextCodec.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

TEST(HtmlExport, TagsQuoteValuesAndColoursSwapRedAndBlue)
{
    EXPECT_EQ(htmlTag(-1, u"a", {u"href"_s, u"name"_s}, {u"a\"&b"_s}, u"x"_s, HtmlElement),
              u"<a href=\"a&quot;&amp;b\">x</a>"_s);
    EXPECT_EQ(htmlTag(2, u"ul", {}, {}, {}, HtmlClose), u"  </ul>"_s);
    EXPECT_EQ(htmlColor(0x00008000), u"008000"_s);
    EXPECT_EQ(htmlColor(0x80808000), u"008080"_s);
    EXPECT_EQ(htmlColor(0x000000FF), u"FF0000"_s);
}

TEST(HtmlExport, NestsTheContentsWithWholeTreeAnchors)
{
    Notebook nb;
    test::buildShape(nb, u"A(B C(D)) E"_s);
    const QString head = u"<html>\r\n<head>\r\n  <meta http-equiv=\"Content-Type\" "
                         u"content=\"text/html; charset=windows-1251\">\r\n</head>\r\n\r\n"
                         u"<body bgcolor=\"FFFFFF\" link=\"FF0000\" alink=\"008000\" "
                         u"vlink=\"008080\">\r\n<h2>Содержание</h2>\r\n"_s;
    const auto li = [](int i, const char* c) {
        return u"<li><a href=\"#%1\" name=\"bk%1\">%2</a>"_s.arg(i).arg(QLatin1String(c));
    };
    const QString all = u"  <ul>\r\n    %1\r\n    <ul>\r\n      %2\r\n      %3\r\n      <ul>\r\n"
                        u"        %4\r\n      </ul>\r\n    </ul>\r\n    %5\r\n  </ul>\r\n"_s.arg(
                            li(0, "A"), li(1, "B"), li(2, "C"), li(3, "D"), li(4, "E"));
    const QString tail = u"\r\n</body>\r\n</html>\r\n"_s;
    const auto options = [](ExportRange range, ExportObjects objects, const Section* from) {
        HtmlExportOptions o;
        o.range = range;
        o.objects = objects;
        o.documentInfo = false;
        o.selected = from;
        return o;
    };
    EXPECT_EQ(BuildHtmlExport(nb, options(ExportRange::All, ExportObjects::Captions, nullptr)),
              cp1251::encode(head + all + tail));
    // A section block: comment, delimiter, anchor, heading, escaped body,
    // the link back to its entry.
    const Section* d = nb.sectionAt(3);
    nb.sectionAt(3)->body().setText(u"a<b>c\n&"_s);
    auto block = options(ExportRange::SectionOnly, ExportObjects::CaptionsAndBodies, d);
    block.delimiter = u"<hr>"_s;
    EXPECT_EQ(BuildHtmlExport(nb, block),
              cp1251::encode(head + u"<ul>\r\n  "_s + li(3, "D") + u"\r\n</ul>\r\n\r\n"_s +
                             u"<!------------------------- Секция 3 ------------------------->\r\n"
                             u"<hr>\r\n<a name=\"3\"></a>\r\n<h3>D</h3>\r\n<pre>\r\n"
                             u"a&lt;b&gt;c\r\n&amp;\r\n</pre>\r\n<a align=\"right\" "
                             u"href=\"#bk3\">Наверх</a>\r\n\r\n</body>\r\n</html>\r\n"_s));
    const Section* c = nb.sectionAt(2);
    EXPECT_EQ(BuildHtmlExport(nb, options(ExportRange::Branch, ExportObjects::BodiesOnly, c)),
              cp1251::encode(head + u"<ul>\r\n  "_s + li(2, "C") + u"\r\n  <ul>\r\n    "_s +
                             li(3, "D") + u"\r\n  </ul>\r\n</ul>\r\n"_s + tail));
    // Subsections alone: a list of D; below a leaf nothing at all, and an
    // empty tree has neither the list nor the empty line after it.
    EXPECT_EQ(
        BuildHtmlExport(nb, options(ExportRange::Subsections, ExportObjects::Captions, c)),
        cp1251::encode(head + u"  <ul>\r\n    "_s + li(3, "D") + u"\r\n  </ul>\r\n"_s + tail));
    EXPECT_EQ(BuildHtmlExport(nb, options(ExportRange::Subsections,
                                          ExportObjects::CaptionsAndBodies, nb.sectionAt(1))),
              cp1251::encode(head + tail));
    EXPECT_EQ(
        BuildHtmlExport(Notebook(), options(ExportRange::All, ExportObjects::Captions, nullptr)),
        cp1251::encode(head + tail.mid(2)));
}

TEST(HtmlExport, EscapesTextAndDeclaresUtf8WhenTheCodePageFallsShort)
{
    Notebook nb;
    test::buildShape(nb, u"X"_s);
    nb.renameSection(nb.firstSection(), u"<script>"_s);
    nb.firstSection()->body().setText(u"a & b\n<i>Ω"_s);
    nb.properties().setValue(u"Name", u"a & b"_s);
    const QString html = QString::fromUtf8(BuildHtmlExport(nb, {}));
    EXPECT_TRUE(html.startsWith(u"<html>\r\n<head>\r\n  <meta http-equiv=\"Content-Type\" "
                                u"content=\"text/html; charset=utf-8\">\r\n  <title>a &amp; b"_s));
    EXPECT_TRUE(html.contains(u"name=\"bk0\">&lt;script&gt;</a>"_s));
    EXPECT_TRUE(
        html.contains(u"<h3>&lt;script&gt;</h3>\r\n<pre>\r\na &amp; b\r\n&lt;i&gt;Ω\r\n"_s));
}

// A frameset names its two pages; both are written beside it and link to
// each other across the frames, also for a name without an extension.
TEST(HtmlExport, FramesWriteTheContentsAndDataPagesTheFramesetNames)
{
    const std::pair<const char*, const char*> names[] = {{"C:/Docs/notes.htm", "C:/Docs/notes"},
                                                         {"/a.b/report", "/a.b/report"},
                                                         {"x.tar.gz", "x.tar"}};
    for (const auto& [name, stripped] : names)
        EXPECT_EQ(stripExtension(QString::fromUtf8(name)), QString::fromUtf8(stripped));

    Notebook nb;
    test::buildShape(nb, u"A(B)"_s);
    test::TempDir dir;
    HtmlExportOptions options;
    options.frames = FrameLayout::Rows;
    ExportHtml(nb, dir.path(u"r"_s), options);
    const QString frameset = QString::fromLatin1(test::readBytes(dir.path(u"r"_s)));
    const QString contents = QString::fromLatin1(test::readBytes(dir.path(u"r_c"_s)));
    const QString data = QString::fromLatin1(test::readBytes(dir.path(u"r_d"_s)));
    EXPECT_TRUE(frameset.contains(u"<frameset rows=\"250,*\">\r\n  <frame src=\"r_c\" "
                                  u"name=\"contents\">\r\n  <frame src=\"r_d\" name=\"data\">"_s));
    EXPECT_FALSE(frameset.contains(u"<body"_s));
    EXPECT_TRUE(contents.contains(u"<li><a href=\"r_d#1\" name=\"bk1\" target=\"data\">B</a>"_s));
    EXPECT_FALSE(contents.contains(u"<pre>"_s));
    EXPECT_TRUE(data.contains(u"<h3>B</h3>"_s));
    EXPECT_TRUE(data.contains(u"<a align=\"right\" href=\"r_c#bk1\" target=\"contents\">"_s));
    EXPECT_FALSE(data.contains(u"<li>"_s));
}

// Stopping through the progress callback writes nothing.
TEST(HtmlExport, CancelledExportLeavesNoFile)
{
    Notebook nb;
    test::buildShape(nb, u"A B C"_s);
    test::TempDir dir;
    HtmlExportOptions options;
    std::vector<std::size_t> told;
    options.progress = [&](std::size_t done, std::size_t total) {
        told.push_back(done * 10 + total);
        return false;
    };
    EXPECT_THROW(ExportHtml(nb, dir.path(u"x.htm"_s), options), ExportCancelled);
    EXPECT_EQ(told, std::vector<std::size_t>{33});
    EXPECT_FALSE(QFile::exists(dir.path(u"x.htm"_s)));
}
