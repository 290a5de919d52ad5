// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/NotebookFile.h"
#include "TestSupport.h"
#include "TreeShape.h"
#include "common/Clock.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "document/OutlineText.h"

#include <QtEndian>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;
using namespace kelto::test;

namespace {

// Notebook files written with the clock fixed, so their time stamps are known.
class NotebookFile : public ::testing::Test
{
protected:
    NotebookFile() { qputenv("SOURCE_DATE_EPOCH", "1765000000"); } // a fixed clock
    ~NotebookFile() override { qunsetenv("SOURCE_DATE_EPOCH"); }
    QString now() const { return fileStampText(currentDateTime()); }
    QByteArray stamp() const { return cp1251::encode(now()); }
    // A(B) C with bodies "Тело\nстрока", empty and "yz"; B current; Name=T.
    static void buildSample(Notebook& nb)
    {
        buildShape(nb, u"A(B) C"_s);
        findSection(nb, u"A"_s)->body().setText(u"Тело\nстрока"_s);
        findSection(nb, u"C"_s)->body().setText(u"yz"_s);
        nb.setCurrent(findSection(nb, u"B"_s));
        nb.properties().setValue(u"Name", u"T"_s);
    }
    QString readBack(const QString& path, Notebook& nb, bool activate = false)
    {
        ReadNotebook(path, nb, ReadOptions{activate});
        return shapeOf(nb);
    }
    // What a streaming read visits: "path:text" for each section.
    static QStringList streamed(const QString& path)
    {
        QStringList seen;
        StreamNotebook(
            path, [&](const StreamedSection& s) { seen << s.path.toString() + u':' + s.text(); });
        return seen;
    }
    TempDir dir;
};

} // namespace

TEST_F(NotebookFile, SavesWriteTheExactBytesReadBackWholeAndStampByTheOwnFileRules)
{
    Notebook nb;
    buildSample(nb);
    nb.properties().setValue(u"Unknown", u"kept"_s);
    const QString path = dir.path(u"a.nib"_s);
    WriteNotebook(nb, path);
    const QByteArray first = readBytes(path);
    const QByteArray header = "Name=T\r\nUnknown=kept\r\nFlWrite=" + stamp() +
                              "\r\nFlCreate=" + stamp() + "\r\nActivate=1\r\n";
    EXPECT_EQ(first, notebookImage(header, "A\r\n\tB\r\nC\r\n",
                                   {cp1251::encode(u"Тело\r\nстрока"), "", "yz"}));
    EXPECT_EQ(dir.files(), QStringList{u"a.nib"_s}) << "a new file has no backup";
    Notebook back;
    EXPECT_EQ(readBack(path, back, true), u"A(B) C"_s);
    EXPECT_EQ(back.current()->caption(), u"B"_s);
    EXPECT_EQ(findSection(back, u"A"_s)->body().text(), u"Тело\nстрока"_s);
    EXPECT_EQ(findSection(back, u"C"_s)->body().text(), u"yz"_s);
    EXPECT_EQ(back.properties().lines(), nb.properties().lines());
    readBack(path, back);
    EXPECT_EQ(back.current()->caption(), u"A"_s) << "without the setting the first is current";

    // Saving again keeps the creation stamp, and the previous file as backup.
    nb.setFileName(path);
    const QString created = nb.properties().value(u"FlCreate");
    qputenv("SOURCE_DATE_EPOCH", "1765100000");
    WriteNotebook(nb, path);
    EXPECT_EQ(nb.properties().value(u"FlCreate"), created);
    EXPECT_EQ(readBytes(dir.path(u"a.bak"_s)), first);

    // Saving under another name stamps that file, not the notebook; without
    // properties only the writer's own keys go there.
    const QString written = nb.properties().value(u"FlWrite");
    qputenv("SOURCE_DATE_EPOCH", "1765200000");
    WriteOptions noProperties;
    noProperties.properties = false;
    WriteNotebook(nb, dir.path(u"b.nib"_s));
    WriteNotebook(nb, dir.path(u"c.nib"_s), noProperties);
    EXPECT_EQ(nb.properties().value(u"FlWrite"), written);
    const QStringList own{u"FlWrite="_s + now(), u"FlCreate="_s + now(), u"Activate=1"_s};
    readBack(dir.path(u"b.nib"_s), back);
    EXPECT_EQ(back.properties().lines(), (QStringList{u"Name=T"_s, u"Unknown=kept"_s} + own));
    readBack(dir.path(u"c.nib"_s), back);
    EXPECT_EQ(back.properties().lines(), own);
}

TEST_F(NotebookFile, AFailedSaveKeepsTheOldFileAndItsBackup)
{
    Notebook nb;
    buildSample(nb);
    findSection(nb, u"C"_s)->body().setText(QString(50000, u'z'));
    const QString path = dir.file(u"a.nib"_s, "old");
    const QString bak = dir.file(u"a.bak"_s, "older");
    {
        const FileSizeLimit full(8192); // as if the disk were full
        EXPECT_THROW(WriteNotebook(nb, path), KeltoError);
    }
    EXPECT_EQ(nb.properties().lines(), QStringList{u"Name=T"_s}) << "no stamps without a file";
    EXPECT_EQ(readBytes(path), QByteArray("old"));
    EXPECT_EQ(readBytes(bak), QByteArray("older"));
    WriteOptions noBackup;
    noBackup.createBackup = false;
    WriteNotebook(nb, path, noBackup);
    EXPECT_EQ(readBytes(bak), QByteArray("older")) << "backups switched off";
}

// A save goes to disk in pieces as it is made; pieces must join into the
// same bytes whatever the bodies' sizes, and a save that fails or is
// cancelled part way leaves the old file and no stray temporary file.
TEST_F(NotebookFile, ALargeSaveWrittenInPiecesIsWholeAndFailsCleanly)
{
    // Bodies below, across and well past a megabyte, with empty ones
    // between, and more sections than one progress report covers.
    const QList<qsizetype> sizes{700000, 900000, 0, 1500000, 3, 0, 2100000};
    Notebook nb;
    QByteArray outline;
    QList<QByteArray> bodies;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        Section* s = nb.appendSection(nullptr, QString::number(i));
        const char fill = char('a' + i);
        s->body().setText(QString(sizes[i], QLatin1Char(fill)));
        outline += QByteArray::number(i) + "\r\n";
        bodies << QByteArray(sizes[i], fill);
    }
    for (int i = 0; i < 100; ++i) {
        nb.appendSection(nullptr, u"s"_s)->body().setText(u"яя"_s);
        outline += "s\r\n";
        bodies << "\xff\xff";
    }
    nb.setCurrent(nb.firstSection());
    const QString path = dir.path(u"big.nib"_s);
    WriteNotebook(nb, path);
    const QByteArray header =
        "FlWrite=" + stamp() + "\r\nFlCreate=" + stamp() + "\r\nActivate=0\r\n";
    const QByteArray expected = notebookImage(header, outline, bodies);
    EXPECT_TRUE(readBytes(path) == expected) << "the pieces make the whole image";

    const QStringList before = dir.files();
    {
        const FileSizeLimit full(2500000); // the disk fills in the third piece
        EXPECT_THROW(WriteNotebook(nb, path), KeltoError);
    }
    WriteOptions cancelled;
    cancelled.progress = [](std::size_t done, std::size_t) { return done < 64; };
    EXPECT_THROW(WriteNotebook(nb, path, cancelled), ExportCancelled);
    EXPECT_TRUE(readBytes(path) == expected);
    EXPECT_EQ(dir.files(), before) << "no temporary file is left behind";
}

TEST_F(NotebookFile, AnyOtherFileOpensAsOneSectionHoldingItsText)
{
    // Version 2 is not ours: the whole file is the text. Text is UTF-8 when
    // valid, with or without a mark, else Windows-1251.
    const QByteArray v2 = notebookImage("A=1\r\n", "X\r\n", {"body"}).replace(3, 1, "\x02");
    const std::pair<QByteArray, QString> cases[] = {
        {"", QString()},
        {"NI", u"NI"_s},
        {v2, SectionBody::normalizeBreaks(cp1251::decode(v2))},
        {u"Ёжик λ\r\nвторая"_s.toUtf8(), u"Ёжик λ\nвторая"_s},
        {QByteArray(Utf8Bom) + u"λ"_s.toUtf8(), u"λ"_s},
        {cp1251::encode(u"Ёжик\rдва"), u"Ёжик\nдва"_s},
        // Not UTF-8 after a mark, or cut off in a sequence: the code page.
        {QByteArray(Utf8Bom) + "\xC0", cp1251::decode(QByteArray(Utf8Bom) + "\xC0")},
        {"abc\xD0", u"abcР"_s}};
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        Notebook nb;
        nb.properties().setValue(u"Name", u"Kept"_s);
        EXPECT_EQ(ReadNotebook(dir.file(u"t.txt"_s, bytes), nb), FileKind::PlainText);
        EXPECT_EQ(shapeOf(nb), u"Новый раздел"_s);
        EXPECT_EQ(nb.firstSection()->body().text(), text);
        EXPECT_EQ(nb.current(), nb.firstSection());
        EXPECT_EQ(nb.properties().lines(), QStringList{u"Name=Kept"_s});
        EXPECT_EQ(streamed(dir.path(u"t.txt"_s)), QStringList{u"Новый раздел:"_s + text});
    }
}

TEST_F(NotebookFile, DamagedFilesFailAndLeaveTheOpenNotebookUntouched)
{
    Notebook nb;
    buildSample(nb);
    nb.setFileName(u"/somewhere/own.nib"_s);
    nb.setModified(true);
    nb.deleteSection(findSection(nb, u"C"_s));
    const QString before = shapeOf(nb);
    const QStringList properties = nb.properties().lines();
    const auto untouched = [&] {
        return shapeOf(nb) == before && nb.properties().lines() == properties &&
               nb.fileName() == u"/somewhere/own.nib"_s && nb.isModified() &&
               nb.deletedSections().size() == 1;
    };

    const QByteArray good = notebookImage("Activate=0\r\n", "A\r\n\tB\r\n", {"one", "two"});
    QList<QByteArray> damaged;
    for (int cut = 4; cut < good.size(); ++cut) // every truncation point
        damaged << good.left(cut);
    // A body past the end; a 20-byte file claiming a 4 GB header, which must
    // fail without allocating it.
    damaged << notebookImage("", "A\r\n", {}) + le32(100) + "short"
            << QByteArray("NIB\x01", 4) + le32(0xFFFFFFFFu) + QByteArray(12, 'x');
    for (const QByteArray& bytes : damaged) {
        const QString path = dir.file(u"bad.nib"_s, bytes);
        EXPECT_EQ(errorOf([&] { ReadNotebook(path, nb); }), DamagedFile)
            << testing::PrintToString(bytes);
        ASSERT_TRUE(untouched()) << testing::PrintToString(bytes);
        EXPECT_EQ(errorOf([&] { streamed(path); }), DamagedFile);
        EXPECT_EQ(errorOf([&] { ReadNotebookOutline(path, nb); }), DamagedFile);
        ASSERT_TRUE(untouched()) << testing::PrintToString(bytes);
    }
    // A line may go one level below the section made for the line before it.
    for (const auto& [outline, level] : {std::pair{"A\r\n\t\tB\r\n", 2}, {"\t\tA\r\n\t\t\tB", 3}}) {
        const QString path = dir.file(u"level.nib"_s, notebookImage("", outline, {"", ""}));
        EXPECT_EQ(errorOf([&] { ReadNotebook(path, nb); }),
                  u"Invalid level (%1) for item \"B\""_s.arg(level));
        EXPECT_EQ(errorOf([&] { streamed(path); }), errorOf([&] { ReadNotebook(path, nb); }));
    }
    EXPECT_EQ(errorOf([&] { ReadNotebook(dir.path(u"missing.nib"_s), nb); }), DamagedFile);
    EXPECT_EQ(errorOf([&] { streamed(dir.path(u"missing.nib"_s)); }), DamagedFile);
    EXPECT_TRUE(untouched());

    // Bytes after the last body are ignored. A good file replaces the tree,
    // the properties and the list of deleted sections.
    EXPECT_EQ(readBack(dir.file(u"tail.nib"_s, good + "trailing"), nb), u"A(B)"_s);
    EXPECT_EQ(streamed(dir.path(u"tail.nib"_s)), (QStringList{u"A:one"_s, u"A\\B:two"_s}));
    EXPECT_EQ(nb.sectionCount(), 2);
    EXPECT_EQ(nb.properties().lines(), QStringList{u"Activate=0"_s});
    EXPECT_TRUE(nb.deletedSections().empty());
}

// A listing's read gives the tree and the properties a whole read gives,
// and the one body asked for, also where bodies straddle the reader's
// buffer or are larger than it; the other bodies stay empty.
TEST_F(NotebookFile, OutlineReadGivesTheTreeAndOneBodyAsAWholeReadDoes)
{
    Notebook written;
    buildShape(written, u"A(B(C) D) E F(G) H"_s);
    const qsizetype sizes[] = {10, 5, (2 << 20) + 3, 0, 7, 1 << 20, 1, 3};
    int i = 0;
    for (Section* s = written.firstSection(); s; s = written.nextSection(s), ++i)
        s->body().setText(QString(sizes[i], QChar(u'a' + i)));
    written.setCurrent(findSection(written, u"D"_s));
    const QString path = dir.path(u"big.nib"_s);
    WriteNotebook(written, path);
    // A's body is made to end two bytes before the first megabyte, so B's
    // length field straddles the end of the reader's first megabyte.
    const QByteArray bytes = readBytes(path);
    const qsizetype header = qFromLittleEndian<quint32>(bytes.constData() + 4);
    const qsizetype outline = qFromLittleEndian<quint32>(bytes.constData() + 8 + header);
    const qsizetype firstBody = 12 + header + outline + 4;
    written.sectionAt(0)->body().setText(QString((1 << 20) - 2 - firstBody, u'a'));
    WriteNotebook(written, path);
    ASSERT_EQ(qFromLittleEndian<quint32>(readBytes(path).constData() + firstBody - 4),
              quint32((1 << 20) - 2 - firstBody));
    Notebook whole;
    ReadNotebook(path, whole, ReadOptions{true});
    for (const int index : {-1, 0, 1, 2, 3, 5, 7}) {
        Notebook outline;
        EXPECT_EQ(ReadNotebookOutline(path, outline, index, ReadOptions{true}), FileKind::Notebook);
        EXPECT_EQ(shapeOf(outline), shapeOf(whole));
        EXPECT_EQ(outline.properties().lines(), whole.properties().lines());
        EXPECT_EQ(outline.indexOf(outline.current()), 3);
        for (int k = 0; k < outline.sectionCount(); ++k) {
            const QString want = k == index ? whole.sectionAt(k)->body().text() : QString();
            ASSERT_EQ(outline.sectionAt(k)->body().text(), want) << index << " " << k;
        }
    }
    // Any other file, however short, is read whole as one section.
    for (const char* text : {"", "ab", "text\nlines"}) {
        Notebook plain;
        EXPECT_EQ(ReadNotebookOutline(dir.file(u"t.txt"_s, text), plain, 0), FileKind::PlainText);
        EXPECT_EQ(plain.sectionAt(0)->body().text(), QString::fromUtf8(text));
    }
}

TEST_F(NotebookFile, HeaderLinesAndTheRecordedCurrentSection)
{
    // The header loses only its final line break.
    const std::pair<QByteArray, QStringList> headers[] = {
        {"Name=Tom", {u"Name=Tom"_s}},
        {"Name=Tom\n", {u"Name=Tom"_s}},
        {"A=1\r\n\r\nB=2\r\n", {u"A=1"_s, QString(), u"B=2"_s}},
        {"", {}}};
    Notebook nb;
    for (const auto& [header, lines] : headers) {
        readBack(dir.file(u"h.nib"_s, notebookImage(header, "A\r\n", {""})), nb);
        EXPECT_EQ(nb.properties().lines(), lines) << testing::PrintToString(header);
    }
    // Out of range or junk selects the first section; the name matches in any case.
    const std::pair<const char*, const char16_t*> activate[] = {
        {"Activate=1", u"B"},  {"activate=2", u"C"}, {"Activate=3", u"A"},
        {"Activate=-1", u"A"}, {"Activate=x", u"A"}, {"Activate=", u"A"}};
    for (const auto& [line, current] : activate) {
        const QByteArray image =
            notebookImage(line + QByteArray("\r\n"), "A\r\nB\r\nC\r\n", {"", "", ""});
        readBack(dir.file(u"act.nib"_s, image), nb, true);
        ASSERT_NE(nb.current(), nullptr) << line;
        EXPECT_EQ(nb.current()->caption(), QString::fromUtf16(current)) << line;
    }
    EXPECT_EQ(readBack(dir.file(u"e.nib"_s, notebookImage("", "", {})), nb), QString());
    EXPECT_EQ(nb.current(), nullptr);
}

TEST_F(NotebookFile, TextOutsideTheCodePageIsSavedAsMarkedUtf8UntilEverythingFitsAgain)
{
    Notebook nb;
    nb.appendSection(nullptr, u"Plain"_s)->body().setText(u"Ёж"_s);
    nb.appendSection(nb.firstSection(), u"Ελλάδα"_s)->body().setText(u"κείμενο и текст"_s);
    nb.properties().setValue(u"Author", u"Ёж"_s);
    const QString path = dir.path(u"u.nib"_s);
    WriteNotebook(nb, path);
    const QByteArray utf8 = readBytes(path);
    EXPECT_TRUE(utf8.contains("\r\nCharset=UTF-8\r\n"));
    EXPECT_TRUE(utf8.contains("Author=" + u"Ёж"_s.toUtf8()));
    EXPECT_TRUE(utf8.contains(u"\tΕλλάδα\r\n"_s.toUtf8()));
    // A body alone is enough.
    Notebook bodyOnly;
    bodyOnly.appendSection(nullptr, u"A"_s)->body().setText(u"κ"_s);
    WriteNotebook(bodyOnly, dir.path(u"b.nib"_s));
    readBack(dir.path(u"b.nib"_s), bodyOnly);
    EXPECT_EQ(bodyOnly.firstSection()->body().text(), u"κ"_s);

    // Once everything fits the file is in the code page again; bodies still
    // held as the UTF-8 bytes of the file are converted.
    Notebook back;
    readBack(path, back);
    EXPECT_EQ(back.sectionAt(1)->body().text(), u"κείμενο и текст"_s);
    back.setFileName(path);
    back.renameSection(back.sectionAt(1), u"Греция"_s);
    back.sectionAt(1)->body().setText(u"текст"_s);
    WriteNotebook(back, path);
    const QByteArray header = cp1251::encode(u"Author=Ёж\r\nFlWrite=") + stamp() +
                              "\r\nFlCreate=" + stamp() + "\r\nActivate=0\r\n";
    EXPECT_EQ(readBytes(path), notebookImage(header, cp1251::encode(u"Plain\r\n\tГреция\r\n"),
                                             {cp1251::encode(u"Ёж"), cp1251::encode(u"текст")}));
}

// The outline block: one line per section, a TAB per level.

TEST(Outline, ReadingPlacesEachLineByItsLevel)
{
    const std::pair<QString, const char*> cases[] = {
        {QString(), ""},
        {u"A\r\n\tB\r\n\t\tC\r\nD\r\n"_s, "A(B(C)) D"},
        // The first line is top-level whatever its indentation.
        {u"\t\tA\r\n\tB"_s, "A(B)"},
        // Blanks of any mix count one level each; climbing several levels.
        {u"A\n B\n\t C\n\tD\nE"_s, "A(B(C) D) E"},
        {u"A\n\tB\n \tC\nD"_s, "A(B(C)) D"},
        // Every break form; LF CR is two breaks around an empty caption.
        {u"A\rB\nC\r\nD"_s, "A B C D"},
        {u"A\n\rB"_s, "A  B"},
        {u"A\r\n\tB\r\n\r\nC"_s, "A(B)  C"},
        {u"A\n\tB\n  "_s, "A(B())"},
        // A NUL ends the text; blanks inside and after a caption belong to it.
        {QString::fromUtf16(u"A\r\nB\r\n\0C\r\n", 10), "A B"},
        {u"x y \r\n"_s, "x y "}};
    for (const auto& [text, shape] : cases) {
        Notebook nb;
        ReadOutline(QStringView(text), nb);
        EXPECT_EQ(shapeOf(nb), QString::fromUtf8(shape)) << testing::PrintToString(text);
    }
}

TEST(Outline, ACaptionReadIsSavedBackAsItWasRead)
{
    // A byte order mark between the level tabs of a UTF-8 outline is
    // dropped; the blanks after it lead the caption as no-break spaces,
    // which is how the writer stores them.
    const QByteArray bytes = "A\r\n\t\xef\xbb\xbf\tB\r\n\t\xef\xbb\xbf C\r\n";
    Notebook nb;
    ReadOutline(QByteArrayView(bytes), TextEncoding::Utf8, nb);
    EXPECT_EQ(shapeOf(nb), u"A(\u00A0B \u00A0C)"_s);
    QByteArray written;
    appendBranchOutline(written, nb.container(), 0, TextEncoding::Utf8);
    EXPECT_EQ(written, QByteArray("A\r\n\t\xc2\xa0"
                                  "B\r\n\t\xc2\xa0"
                                  "C\r\n"));
}

TEST(Outline, CaptionsThatWouldChangeTheTreeAreWrittenSafely)
{
    // Line breaks and NULs become blanks, then leading blanks no-break spaces.
    const std::pair<QString, QString> cases[] = {
        {u"\t lead"_s, u"\u00A0\u00A0lead"_s},
        {u" x"_s, u"\u00A0x"_s},
        {QString::fromUtf16(u"a\0b", 3), u"a b"_s},
        {QString::fromUtf16(u"two\r\nlines\0x", 12), u"two  lines x"_s},
        {u"\nX"_s, u"\u00A0X"_s},
        {u"\r\n\tY"_s, u"\u00A0\u00A0\u00A0Y"_s},
        {u"a \tb "_s, u"a \tb "_s}};
    for (const auto& [caption, written] : cases) {
        SCOPED_TRACE(testing::PrintToString(caption));
        Notebook nb;
        nb.appendSection(nb.appendSection(nullptr, u"top"_s), caption);
        nb.appendSection(nullptr, u"next"_s);
        // Both writers: the text one and the one of the notebook file.
        QByteArray bytes;
        appendBranchOutline(bytes, nb.container(), 0, TextEncoding::Utf8);
        for (const QString& text : {WriteOutline(nb), QString::fromUtf8(bytes)}) {
            Notebook back;
            ReadOutline(QStringView(text), back);
            EXPECT_EQ(shapeOf(back), u"top("_s + written + u") next"_s);
        }
    }
}
