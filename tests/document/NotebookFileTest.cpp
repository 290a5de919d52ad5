#include "document/NotebookFile.h"
#include "TestSupport.h"
#include "TreeShape.h"
#include "common/Clock.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "document/SectionBody.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::buildShape;
using kelto::test::findSection;
using kelto::test::shapeOf;
using kelto::test::TempDir;

namespace {

QByteArray le32(quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

QByteArray nib(const QByteArray& header, const QByteArray& outline, const QList<QByteArray>& bodies)
{
    QByteArray out("NIB\x01", 4);
    out += le32(quint32(header.size())) + header + le32(quint32(outline.size())) + outline;
    for (const QByteArray& b : bodies)
        out += le32(quint32(b.size())) + b;
    return out;
}

// A, its child B, and C; B current; bodies "x", empty and "yz"; Name=T.
void buildSample(Notebook& nb)
{
    buildShape(nb, QStringLiteral("A(B) C"));
    findSection(nb, QStringLiteral("A"))->body().setText(QStringLiteral("x"));
    findSection(nb, QStringLiteral("C"))->body().setText(QStringLiteral("yz"));
    nb.setCurrent(findSection(nb, QStringLiteral("B")));
    nb.properties().setValue(u"Name", QStringLiteral("T"));
}

class FixedClock : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("SOURCE_DATE_EPOCH", "1765000000"); }
    void TearDown() override { qunsetenv("SOURCE_DATE_EPOCH"); }
    QByteArray stamp() const { return cp1251::encode(fileStampText(currentDateTime())); }
    TempDir dir;
};

using NotebookFile = FixedClock;

} // namespace

TEST_F(NotebookFile, FirstSaveWritesTheExactLayout)
{
    Notebook nb;
    buildSample(nb);
    const QString path = dir.path(QStringLiteral("a.nib"));
    WriteNotebook(nb, path);
    const QByteArray header =
        "Name=T\r\nFlWrite=" + stamp() + "\r\nFlCreate=" + stamp() + "\r\nActivate=1\r\n";
    const QByteArray expected = nib(header, "A\r\n\tB\r\nC\r\n", {"x", "", "yz"});
    EXPECT_EQ(test::readBytes(path), expected);
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("a.bak")))) << "a new file has no backup";
}

TEST_F(NotebookFile, RoundTripKeepsTreeBodiesPropertiesAndCurrent)
{
    Notebook nb;
    buildSample(nb);
    findSection(nb, QStringLiteral("B"))->body().setText(QStringLiteral("Тело\nс переносом\n"));
    nb.properties().setValue(u"Unknown", QStringLiteral("kept"));
    const QString path = dir.path(QStringLiteral("a.nib"));
    WriteNotebook(nb, path);

    Notebook back;
    EXPECT_EQ(ReadNotebook(path, back, ReadOptions{true}), FileKind::Notebook);
    EXPECT_EQ(shapeOf(back), QStringLiteral("A(B) C"));
    EXPECT_EQ(back.current()->caption(), QStringLiteral("B"));
    EXPECT_EQ(findSection(back, QStringLiteral("B"))->body().text(),
              QStringLiteral("Тело\nс переносом\n"));
    EXPECT_EQ(findSection(back, QStringLiteral("C"))->body().text(), QStringLiteral("yz"));
    EXPECT_EQ(back.properties().value(u"unknown"), QStringLiteral("kept"));
    // Without the setting the first section is current.
    Notebook plain;
    ReadNotebook(path, plain);
    EXPECT_EQ(plain.current()->caption(), QStringLiteral("A"));
}

TEST_F(NotebookFile, StampsFollowOwnFileRules)
{
    Notebook nb;
    buildSample(nb);
    const QString path = dir.path(QStringLiteral("a.nib"));
    WriteNotebook(nb, path);
    nb.setFileName(path);
    const QString firstCreate = nb.properties().value(u"FlCreate");
    qputenv("SOURCE_DATE_EPOCH", "1765100000");
    WriteNotebook(nb, path);
    EXPECT_EQ(nb.properties().value(u"FlCreate"), firstCreate) << "set only by the first write";
    const QString secondWrite = nb.properties().value(u"FlWrite");
    EXPECT_NE(secondWrite, firstCreate);

    // Saving under another name stamps the new file, not the notebook.
    qputenv("SOURCE_DATE_EPOCH", "1765200000");
    const QString other = dir.path(QStringLiteral("b.nib"));
    WriteNotebook(nb, other);
    EXPECT_EQ(nb.properties().value(u"FlWrite"), secondWrite);
    Notebook back;
    ReadNotebook(other, back);
    EXPECT_EQ(back.properties().value(u"FlWrite"), QString::fromLatin1(stamp()));
    EXPECT_EQ(back.properties().value(u"FlCreate"), QString::fromLatin1(stamp()));
    EXPECT_EQ(back.properties().value(u"Name"), QStringLiteral("T"));

    // Without properties, only the writer's own keys go to the other file.
    WriteOptions noProps;
    noProps.properties = false;
    WriteNotebook(nb, dir.path(QStringLiteral("c.nib")), noProps);
    Notebook bare;
    ReadNotebook(dir.path(QStringLiteral("c.nib")), bare);
    EXPECT_FALSE(bare.properties().contains(u"Name"));
    EXPECT_EQ(bare.properties().lines().size(), 3);
}

TEST_F(NotebookFile, BackupKeepsThePreviousContent)
{
    Notebook nb;
    buildSample(nb);
    const QString path = dir.path(QStringLiteral("a.nib"));
    const QString bak = dir.path(QStringLiteral("a.bak"));
    test::writeBytes(bak, "older backup");
    test::writeBytes(path, "previous");
    WriteNotebook(nb, path);
    EXPECT_EQ(test::readBytes(bak), QByteArray("previous"));
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_EQ(back.sectionCount(), 3);

    WriteOptions noBackup;
    noBackup.createBackup = false;
    test::writeBytes(path, "again");
    WriteNotebook(nb, path, noBackup);
    EXPECT_EQ(test::readBytes(bak), QByteArray("previous"));
}

TEST_F(NotebookFile, RangesWriteTheRightSectionsAndReadBackAsThem)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("R(S(c1 c2(g1(gg)) ) t) Z"));
    Section* s = findSection(nb, QStringLiteral("S"));
    for (Section* x = nb.firstSection(); x; x = nb.nextSection(x))
        x->body().setText(x->caption() + QStringLiteral(" body"));
    nb.setFileName(dir.path(QStringLiteral("own.nib")));
    nb.setCurrent(s);
    const auto readBack = [&](ExportRange range, bool bodies) {
        WriteOptions o;
        o.range = range;
        o.bodies = bodies;
        const QString path = dir.path(QStringLiteral("r%1%2.nib").arg(int(range)).arg(bodies));
        WriteNotebook(nb, path, o);
        auto back = std::make_unique<Notebook>();
        ReadNotebook(path, *back, ReadOptions{true});
        return back;
    };
    auto all = readBack(ExportRange::All, true);
    EXPECT_EQ(shapeOf(*all), shapeOf(nb));
    EXPECT_EQ(all->current()->caption(), QStringLiteral("S"));

    auto branch = readBack(ExportRange::Branch, true);
    EXPECT_EQ(shapeOf(*branch), QStringLiteral("S(c1 c2(g1(gg)))"));
    EXPECT_EQ(findSection(*branch, QStringLiteral("gg"))->body().text(), QStringLiteral("gg body"));
    EXPECT_EQ(branch->current()->caption(), QStringLiteral("S"));

    auto only = readBack(ExportRange::SectionOnly, true);
    EXPECT_EQ(shapeOf(*only), QStringLiteral("S"));

    // Subsections only: the children come back as top-level sections.
    auto subs = readBack(ExportRange::Subsections, true);
    EXPECT_EQ(shapeOf(*subs), QStringLiteral("c1 c2(g1(gg))"));
    EXPECT_EQ(findSection(*subs, QStringLiteral("g1"))->body().text(), QStringLiteral("g1 body"));
    EXPECT_EQ(subs->current()->caption(), QStringLiteral("c1"));

    // A single section without bodies ends with one zero length.
    WriteOptions o;
    o.range = ExportRange::SectionOnly;
    o.bodies = false;
    const QString path = dir.path(QStringLiteral("nobody.nib"));
    WriteNotebook(nb, path, o);
    const QByteArray bytes = test::readBytes(path);
    EXPECT_TRUE(bytes.endsWith(QByteArray("S\r\n") + le32(0)));
    auto noBodies = readBack(ExportRange::All, false);
    EXPECT_TRUE(findSection(*noBodies, QStringLiteral("gg"))->body().isEmpty());
}

TEST_F(NotebookFile, ActivateNamesTheCurrentSectionWithinTheWrittenFile)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("P(a b(c)) Q"));
    nb.setFileName(dir.path(QStringLiteral("own.nib")));
    nb.setCurrent(findSection(nb, QStringLiteral("c")));
    WriteOptions o;
    o.range = ExportRange::Branch;
    o.selected = findSection(nb, QStringLiteral("b"));
    const QString path = dir.path(QStringLiteral("branch.nib"));
    WriteNotebook(nb, path, o);
    Notebook back;
    ReadNotebook(path, back, ReadOptions{true});
    EXPECT_EQ(back.properties().value(u"Activate"), QStringLiteral("1"));
    EXPECT_EQ(back.current()->caption(), QStringLiteral("c"));
    o.selected = findSection(nb, QStringLiteral("Q"));
    WriteNotebook(nb, path, o);
    ReadNotebook(path, back, ReadOptions{true});
    EXPECT_EQ(back.properties().value(u"Activate"), QStringLiteral("0"));
}

TEST_F(NotebookFile, OtherFilesOpenAsOneTextSection)
{
    Notebook nb;
    nb.properties().setValue(u"Name", QStringLiteral("Kept"));
    const QString empty = dir.path(QStringLiteral("empty.txt"));
    test::writeBytes(empty, QByteArray());
    EXPECT_EQ(ReadNotebook(empty, nb), FileKind::PlainText);
    EXPECT_EQ(shapeOf(nb), QStringLiteral("Новый раздел"));
    EXPECT_TRUE(nb.firstSection()->body().isEmpty());
    EXPECT_EQ(nb.current(), nb.firstSection());
    EXPECT_EQ(nb.properties().value(u"Name"), QStringLiteral("Kept"));

    // Version 2 is not ours: the whole file is the text.
    const QByteArray v2 = nib("A=1\r\n", "X\r\n", {"body"}).replace(3, 1, "\x02");
    const QString v2path = dir.path(QStringLiteral("v2.nib"));
    test::writeBytes(v2path, v2);
    ReadNotebook(v2path, nb);
    EXPECT_EQ(nb.firstSection()->body().text(), SectionBody::normalizeBreaks(cp1251::decode(v2)));

    // Text files: UTF-8 when valid, else Windows-1251; breaks become paragraphs.
    const QString utf = dir.path(QStringLiteral("u.txt"));
    test::writeBytes(utf, QStringLiteral("Ёжик λ\r\nвторая").toUtf8());
    ReadNotebook(utf, nb);
    EXPECT_EQ(nb.firstSection()->body().text(), QStringLiteral("Ёжик λ\nвторая"));
    const QString cp = dir.path(QStringLiteral("c.txt"));
    test::writeBytes(cp, cp1251::encode(QStringLiteral("Ёжик\nдва")));
    ReadNotebook(cp, nb);
    EXPECT_EQ(nb.firstSection()->body().text(), QStringLiteral("Ёжик\nдва"));
    EXPECT_EQ(nb.sectionCount(), 1);
}

TEST_F(NotebookFile, DamagedFilesLeaveTheOpenNotebookUntouched)
{
    Notebook nb;
    buildSample(nb);
    nb.setFileName(QStringLiteral("/somewhere/own.nib"));
    nb.setModified(true);
    nb.deleteSection(findSection(nb, QStringLiteral("C")));
    const QString before = shapeOf(nb);
    const QStringList props = nb.properties().lines();

    const QByteArray good = nib("Activate=0\r\n", "A\r\n\tB\r\n", {"one", "two"});
    QList<QByteArray> damaged;
    for (int cut = 4; cut < good.size(); ++cut) // every truncation point
        damaged << good.left(cut);
    damaged << nib("", "A\r\n\t\tB\r\n", {"", ""}); // level error
    // A 20-byte file that claims a 4 GB header fails without allocating it.
    damaged << QByteArray("NIB\x01", 4) + le32(0xFFFFFFFFu) + QByteArray(12, 'x');
    damaged << nib("", "A\r\n", {});                       // body length missing
    damaged << nib("", "A\r\n", {}) + le32(100) + "short"; // body past the end
    int index = 0;
    for (const QByteArray& bytes : damaged) {
        const QString path = dir.path(QStringLiteral("bad%1.nib").arg(index++));
        test::writeBytes(path, bytes);
        EXPECT_THROW(ReadNotebook(path, nb), KeltoError) << "case " << index;
        ASSERT_EQ(shapeOf(nb), before);
        ASSERT_EQ(nb.properties().lines(), props);
        ASSERT_EQ(nb.fileName(), QStringLiteral("/somewhere/own.nib"));
        ASSERT_TRUE(nb.isModified());
        ASSERT_EQ(nb.deletedSections().size(), 1u);
    }
    try {
        const QString path = dir.path(QStringLiteral("trunc.nib"));
        test::writeBytes(path, good.left(10));
        ReadNotebook(path, nb);
    } catch (const KeltoError& e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("Нарушена структура файла или данный формат файла не поддерживается"));
    }
    try {
        const QString path = dir.path(QStringLiteral("level.nib"));
        test::writeBytes(path, nib("", "A\r\n\t\tB\r\n", {"", ""}));
        ReadNotebook(path, nb);
    } catch (const KeltoError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Invalid level (2) for item \"B\""));
    }
    EXPECT_THROW(ReadNotebook(dir.path(QStringLiteral("missing.nib")), nb), KeltoError);
    EXPECT_EQ(shapeOf(nb), before);
    // Bytes after the last body are ignored.
    const QString tail = dir.path(QStringLiteral("tail.nib"));
    test::writeBytes(tail, good + "trailing");
    EXPECT_NO_THROW(ReadNotebook(tail, nb));
    EXPECT_EQ(shapeOf(nb), QStringLiteral("A(B)"));
}

TEST_F(NotebookFile, HeaderLosesOnlyItsFinalLineBreak)
{
    Notebook nb;
    const QString path = dir.path(QStringLiteral("h.nib"));
    test::writeBytes(path, nib("Name=Tom", "A\r\n", {""}));
    ReadNotebook(path, nb);
    EXPECT_EQ(nb.properties().value(u"Name"), QStringLiteral("Tom"));
    test::writeBytes(path, nib("Name=Tom\n", "A\r\n", {""}));
    ReadNotebook(path, nb);
    EXPECT_EQ(nb.properties().value(u"Name"), QStringLiteral("Tom"));
    test::writeBytes(path, nib("Name=Tom\r\nActivate=0\r\n", "A\r\n", {""}));
    ReadNotebook(path, nb);
    EXPECT_EQ(nb.properties().lines(),
              QStringList({QStringLiteral("Name=Tom"), QStringLiteral("Activate=0")}));
    test::writeBytes(path, nib("", "", {}));
    ReadNotebook(path, nb);
    EXPECT_TRUE(nb.isEmpty());
    EXPECT_TRUE(nb.properties().isEmpty());
    EXPECT_EQ(nb.current(), nullptr);
}

TEST_F(NotebookFile, ActivateOutOfRangeOrJunkSelectsTheFirstSection)
{
    Notebook nb;
    const QString path = dir.path(QStringLiteral("act.nib"));
    for (const char* value : {"3", "-1", "abc", ""}) {
        test::writeBytes(
            path, nib(QByteArray("Activate=") + value + "\r\n", "A\r\nB\r\nC\r\n", {"", "", ""}));
        ReadNotebook(path, nb, ReadOptions{true});
        EXPECT_EQ(nb.current()->caption(), QStringLiteral("A")) << value;
    }
    test::writeBytes(path, nib("activate=2\r\n", "A\r\nB\r\nC\r\n", {"", "", ""}));
    ReadNotebook(path, nb, ReadOptions{true});
    EXPECT_EQ(nb.current()->caption(), QStringLiteral("C"));
}

TEST_F(NotebookFile, CharactersOutsideTheCodePageAreSavedAsMarkedUtf8)
{
    Notebook nb;
    buildShape(nb, QStringLiteral("Plain"));
    Section* greek = nb.appendSection(nb.firstSection(), QStringLiteral("Ελλάδα"));
    greek->body().setText(QStringLiteral("κείμενο и текст"));
    nb.properties().setValue(u"Author", QStringLiteral("Ёж"));
    const QString path = dir.path(QStringLiteral("u.nib"));
    WriteNotebook(nb, path);
    const QByteArray bytes = test::readBytes(path);
    EXPECT_TRUE(bytes.contains("Charset=UTF-8\r\n"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("Ελλάδα").toUtf8()));
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_EQ(findSection(back, QStringLiteral("Ελλάδα"))->body().text(),
              QStringLiteral("κείμενο и текст"));
    EXPECT_EQ(back.properties().value(u"Author"), QStringLiteral("Ёж"));

    // Once everything fits again the file goes back to the code page, and
    // bodies still held as UTF-8 bytes are converted.
    back.setFileName(path);
    back.renameSection(findSection(back, QStringLiteral("Ελλάδα")), QStringLiteral("Греция"));
    findSection(back, QStringLiteral("Греция"))->body().setText(QStringLiteral("текст"));
    back.appendSection(nullptr, QStringLiteral("x"))->body().setText(QStringLiteral("ещё"));
    WriteNotebook(back, path);
    const QByteArray cp = test::readBytes(path);
    EXPECT_FALSE(cp.contains("Charset"));
    EXPECT_TRUE(cp.contains(cp1251::encode(QStringLiteral("Греция"))));
    Notebook again;
    ReadNotebook(path, again);
    EXPECT_EQ(findSection(again, QStringLiteral("x"))->body().text(), QStringLiteral("ещё"));
    EXPECT_EQ(again.properties().value(u"Author"), QStringLiteral("Ёж"));
}

TEST_F(NotebookFile, UnsafeCaptionsReadBackAsWritten)
{
    Notebook nb;
    Section* a = nb.appendSection(nullptr, QStringLiteral("line\r\nbreak"));
    nb.appendSection(a, QStringLiteral("\tindented"));
    nb.appendSection(nullptr, QStringLiteral("  two"));
    const QString path = dir.path(QStringLiteral("c.nib"));
    WriteNotebook(nb, path);
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_EQ(back.sectionCount(), 3);
    EXPECT_EQ(back.sectionAt(0)->caption(), QStringLiteral("line  break"));
    EXPECT_EQ(back.sectionAt(1)->caption(), QStringLiteral("\u00A0indented"));
    EXPECT_EQ(back.sectionAt(1)->level(), 1);
    EXPECT_EQ(back.sectionAt(2)->level(), 0);
    EXPECT_FALSE(test::readBytes(path).contains("Charset")) << "no-break space is in the code page";
}

TEST_F(NotebookFile, StoredBodiesWithLoneBreaksAreSavedWithCrLf)
{
    Notebook nb;
    const QString path = dir.path(QStringLiteral("lf.nib"));
    test::writeBytes(path, nib("", "A\r\nB\r\n", {"one\ntwo", "keep\r\nthis"}));
    ReadNotebook(path, nb);
    nb.setFileName(path);
    WriteNotebook(nb, path);
    const QByteArray bytes = test::readBytes(path);
    EXPECT_TRUE(bytes.contains(le32(8) + "one\r\ntwo"));
    EXPECT_TRUE(bytes.contains(le32(10) + "keep\r\nthis"));
}

TEST_F(NotebookFile, FailedWriteKeepsTheOldFileAndReportsIt)
{
    Notebook nb;
    buildSample(nb);
    findSection(nb, QStringLiteral("C"))->body().setText(QString(50000, QLatin1Char('z')));
    const QString target = dir.path(QStringLiteral("a.nib"));
    test::writeBytes(target, "the old notebook");
    test::writeBytes(dir.path(QStringLiteral("a.bak")), "the old backup");
    {
        const test::FileSizeLimit full(8192); // as if the disk were full
        EXPECT_THROW(WriteNotebook(nb, target), KeltoError);
    }
    EXPECT_EQ(test::readBytes(target), QByteArray("the old notebook"));
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files),
              QStringList({QStringLiteral("a.bak"), QStringLiteral("a.nib")}));
    const QString path = dir.path(QStringLiteral("no/such/dir/a.nib"));
    EXPECT_THROW(WriteNotebook(nb, path), KeltoError);
    // A folder in the way of the target.
    const QString folder = dir.path(QStringLiteral("folder.nib"));
    QDir().mkpath(folder);
    EXPECT_THROW(WriteNotebook(nb, folder), KeltoError);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}
