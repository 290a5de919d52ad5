// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "TreeShape.h"
#include "common/KeltoError.h"
#include "document/ImportFile.h"
#include "document/NotebookFile.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;
using namespace kelto::test;

namespace {

// TreePad records from "caption:level ..."; each body is the caption and
// " text" on one line. br is the line break used throughout.
QByteArray treePad(const char* records, const QByteArray& br = "\r\n")
{
    QByteArray out = "<Treepad version 3.0>" + br;
    for (const QByteArray& record : QByteArray(records).split(' ')) {
        const QList<QByteArray> parts = record.split(':');
        out += "dt=Text" + br + "<node>" + br + parts[0] + br + parts[1] + br + parts[0] + " text" +
               br + "<end node> 5P9i0s8y19Z" + br;
    }
    return out;
}

// The tree as "caption/level|body" lines, bodies' breaks as "/".
QStringList sections(const Notebook& nb)
{
    QStringList out;
    forEachDescendant(nb.container(), [&](const Section* s, int depth) {
        out << u"%1/%2|%3"_s.arg(s->caption())
                   .arg(depth - 1)
                   .arg(s->body().text().replace(u'\n', u'/'));
    });
    return out;
}

QString sample(const char* name)
{
    return QStringLiteral(KELTO_TESTDATA_DIR "/treepad/") + QLatin1String(name);
}

} // namespace

TEST(TreePadImport, PlacesRecordsByLevelUnderTheSelectedSection)
{
    // Start shape, selected section ("" none), records, expected shape.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"", "", "a:0 b:0", "a b"},
        {"", "", "a:0 b:1 c:1", "a(b c)"},
        {"", "", "a:0 b:3 c:2 d:1", "a(b(c) d)"}, // a jump is one level deeper
        {"", "", "a:0 b:1 c:2 d:3 e:1 f:0", "a(b(c(d)) e) f"},
        {"", "", "a:2 b:2 c:0", "a(b) c"}, // the first record is always on top
        {"A(B(C)) D", "C", "a:0 b:0", "A(B(C(a b))) D"},
        {"A(B(C)) D", "C", "a:0 b:1 c:0", "A(B(C(a(b) c))) D"},
        {"A(x) B", "A", "a:0", "A(x a) B"},
        {"A B", "", "a:0", "A B a"},
    };
    for (const auto& [start, selected, records, expected] : cases) {
        SCOPED_TRACE(records);
        Notebook nb;
        buildShape(nb, QString::fromUtf8(start));
        Section* parent = findSection(nb, QString::fromUtf8(selected));
        nb.setCurrent(nb.firstSection());
        Section* const current = nb.current();
        const ImportResult r = ImportTreePadImage(treePad(records), nb, parent);
        EXPECT_EQ(shapeOf(nb), QString::fromUtf8(expected));
        EXPECT_EQ(r.error, QString());
        EXPECT_EQ(r.first, findSection(nb, u"a"_s));
        EXPECT_EQ(findSection(nb, u"a"_s)->body().text(), u"a text\n"_s);
        EXPECT_EQ(nb.current(), current); // selecting is the caller's
    }
}

TEST(TreePadImport, BodiesLineBreaksNulsAndEncodings)
{
    const QByteArray end = "<end node> 5P9i0s8y19Z";
    const QString utf16 = u"\uFEFF<node>\r\nЯ\r\n0\r\n<end node> 5P9i0s8y19Z"_s;
    const std::tuple<QByteArray, QStringList> cases[] = {
        // Empty body, a body of one break, NUL bytes read as blanks.
        {"<node>\r\ne\r\n0\r\n" + end + "<node>\r\nn\r\n0\r\n\r\n" + end, {u"e/0|"_s, u"n/0|/"_s}},
        {QByteArray("<node>\r\na\0b\r\n0\r\nx\0y\r\n", 21) + end, {u"a b/0|x y/"_s}},
        // Breaks of any kind; the body keeps its text (an inner "<node>" too).
        {"<node>\nc\n 1 \nl1\rl2\n<node>\n" + end, {u"c/0|l1/l2/<node>/"_s}},
        // Windows-1251, UTF-8 with and without its mark, UTF-16 with its mark.
        {"<node>\r\n\xc8\xec\xff\r\n0\r\n\xe8\r\n" + end, {u"Имя/0|и/"_s}},
        {"\xEF\xBB\xBF<node>\r\n\xd0\x98\r\n0\r\n" + end, {u"И/0|"_s}},
        {"<node>\r\n\xd0\x98\r\n0\r\n\xd0\xb8\r\n" + end, {u"И/0|и/"_s}},
        {QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2), {u"Я/0|"_s}},
        // Leading blanks of a caption would read back as outline levels.
        {"<node>\r\n\t x\r\n0\r\n" + end, {u"\u00a0\u00a0x/0|"_s}},
        // UTF-8 past 64 KiB with a character across the 65,536th byte.
        {"<node>\r\n\xd0\x98\r\n0\r\n" + QByteArray(65520, 'a') + "\xd0\xb8\r\n" + end,
         {u"И/0|"_s + QString(65520, u'a') + u"и/"_s}},
    };
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        Notebook nb;
        EXPECT_EQ(ImportTreePadImage(bytes, nb, nullptr).error, QString());
        EXPECT_EQ(sections(nb), expected);
    }
}

TEST(TreePadImport, MalformedInputStopsWithTheSectionsBeforeIt)
{
    const QByteArray good = "<node>\r\na\r\n0\r\n<end node> 5P9i0s8y19Z";
    const std::tuple<QByteArray, const char*, const char*> cases[] = {
        {good + "<node>\r\nb\r\n0\r\nbody", "a", "нет метки конца записи (запись 2)"},
        {good + "<node>", "a", "нет метки конца записи (запись 2)"},
        {"<node>\r\nb<end node> 5P9i0s8y19Z", "", "строка заголовка не закончена (запись 1)"},
        {good + "<node>\r\nb\r\n0<end node> 5P9i0s8y19Z", "a",
         "строка уровня не закончена (запись 2)"},
        {good + "<node>\r\nb\r\n-1\r\n<end node> 5P9i0s8y19Z", "a",
         "отрицательный уровень -1 (запись 2)"},
        {good + "<node>\r\nb\r\nx1\r\n<end node> 5P9i0s8y19Z", "a",
         "'x1' is not a valid integer value"},
        {good + "<node>\r\nb\r\n99999999999\r\n<end node> 5P9i0s8y19Z", "a",
         "'99999999999' is not a valid integer value"},
        {"", "", ""},
        {"no records <end node> 5P9i0s8y19Z", "", ""},
        {QByteArray("<\0n\0o\0d\0e\0>\0", 12) + good, "a", ""}, // UTF-16 without a mark
    };
    for (const auto& [bytes, shape, error] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        Notebook nb;
        buildShape(nb, u"A"_s);
        const ImportResult r = ImportTreePadImage(bytes, nb, nb.firstSection());
        EXPECT_EQ(shapeOf(nb), *shape ? u"A(%1)"_s.arg(QString::fromUtf8(shape)) : u"A"_s);
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(error))) << r.error.toStdString();
        EXPECT_EQ(r.error.isEmpty(), !*error);
    }
}

TEST(TreePadImport, ChainOfAHundredThousandLevels)
{
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "<node>\r\nc\r\n" + QByteArray::number(i) + "\r\n<end node> 5P9i0s8y19Z";
    Notebook nb;
    ImportTreePadImage(bytes, nb, nullptr);
    EXPECT_EQ(nb.sectionCount(), 100000);
    EXPECT_EQ(nb.sectionAt(99999)->level(), 99999);
}

TEST(TreePadImport, RealFilesFromOtherPrograms)
{
    if (!QFileInfo::exists(sample("tp77-four-levels.hjt")))
        GTEST_SKIP() << "no sample files beside the project";
    Notebook nb;
    ImportTreePad(sample("tp77-four-levels.hjt"), nb, nullptr);
    EXPECT_EQ(shapeOf(nb), u"root(1(1.1 1.2) 2(2.1(2.1.1 2.1.2)) 3 4(4.1))"_s);
    for (Section* s = nb.firstSection(); s; s = nb.nextSection(s))
        EXPECT_EQ(s->body().text(), u"text\n"_s);

    const std::tuple<const char*, int, const char*, const char*> files[] = {
        {"tp77-single-empty.hjt", 1, "1", ""},
        {"tp77-rtf-mixed.hjt", 7, "History/to-do", "{\\rtf1"}, // RTF kept as its markup
        {"jreepad27-manual-crlf.hjt", 33, "Additional information", "\n"},
        {"jreepad27-manual-lf-latin1.hjt", 34, "HTML", "з"}, // 0xE7 in the code page
    };
    for (const auto& [file, count, caption, body] : files) {
        SCOPED_TRACE(file);
        Notebook book;
        EXPECT_EQ(ImportTreePad(sample(file), book, nullptr).error, QString());
        EXPECT_EQ(book.sectionCount(), count);
        const Section* s = findSection(book, QString::fromUtf8(caption));
        ASSERT_TRUE(s);
        EXPECT_TRUE(*body ? s->body().text().contains(QString::fromUtf8(body))
                          : s->body().isEmpty());
    }
    // Lines ending in LF alone import as the same file with CR LF does.
    Notebook lf, crlf;
    ImportTreePad(sample("storytllr30-lf-latin1-deep.hjt"), lf, nullptr);
    ImportTreePad(sample("storytllr30-latin1-deep-crlf-restored.hjt"), crlf, nullptr);
    EXPECT_EQ(lf.sectionCount(), 102);
    EXPECT_EQ(sections(lf), sections(crlf));
    EXPECT_TRUE(sections(lf).join(u'\n').contains(u"/6|"_s)); // seven levels deep
}

TEST(Import, TextAndNotebookFilesByExtension)
{
    TempDir dir;
    Notebook source;
    buildShape(source, u"X(Y) Z"_s);
    findSection(source, u"Y"_s)->body().setText(u"тело"_s);
    source.properties().setValue(u"Name", u"источник"_s);
    WriteNotebook(source, dir.path(u"in.NIB"_s));

    Notebook nb;
    buildShape(nb, u"A(B) C"_s);
    nb.properties().setValue(u"Name", u"своё"_s);
    const QString utf8 = dir.file(u"u.Txt"_s, u"строка\r\nдве"_s.toUtf8());
    const QString cp = dir.file(u"c.TXT"_s, "\xf1\xf2\xf0\xee\xea\xe0");
    EXPECT_EQ(ImportFile(utf8, nb, findSection(nb, u"B"_s)).first->body().text(), u"строка\nдве"_s);
    EXPECT_EQ(ImportFile(cp, nb, nullptr).first->body().text(), u"строка"_s);
    EXPECT_EQ(ImportFile(dir.path(u"in.NIB"_s), nb, findSection(nb, u"B"_s)).first->caption(),
              u"X"_s);
    EXPECT_EQ(shapeOf(nb), u"A(B(X(Y) Z)) C %1 %2"_s.arg(QFileInfo(utf8).absoluteFilePath(),
                                                         QFileInfo(cp).absoluteFilePath()));
    EXPECT_EQ(findSection(nb, u"Y"_s)->body().text(), u"тело"_s);
    EXPECT_EQ(nb.properties().value(u"Name"), u"своё"_s);

    // Files that cannot be read, or are no notebook, add nothing.
    QDir(dir.root()).mkdir(u"d.txt"_s);
    const QString bad[] = {dir.path(u"missing.txt"_s), dir.path(u"d.txt"_s),
                           dir.file(u"x.nib"_s, "text"), dir.file(u"x.dat"_s, "text")};
    for (const QString& path : bad)
        EXPECT_NE(errorOf([&] { ImportFile(path, nb, nullptr); }), u"no error"_s)
            << path.toStdString();
    EXPECT_EQ(nb.sectionCount(), 8);
    EXPECT_EQ(fileLinesText(dir.file(u"l.dat"_s, "a\r\nb")), u"a\nb\n"_s);
}
