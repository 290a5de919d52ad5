// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostileFiles.h"
#include "TestSupport.h"
#include "TreeShape.h"
#include "cli/CliCommands.h"
#include "common/Clock.h"
#include "common/TextCodec.h"
#include "document/NotebookFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

namespace {

struct Result
{
    int status;
    QByteArray out, err;
};

// Runs kelto-cli's commands; "%1" in the arguments is the sample notebook,
// "%2" the output file, "%3" the temporary folder.
class Cli : public ::testing::Test
{
protected:
    Cli() { qputenv("SOURCE_DATE_EPOCH", "1765000000"); } // a fixed clock
    ~Cli() override { qunsetenv("SOURCE_DATE_EPOCH"); }
    // A(B(C D) E) F, each body "<caption> текст" and a second line; B current.
    void SetUp() override
    {
        Notebook nb;
        test::buildShape(nb, u"A(B(C D) E) F"_s);
        for (Section* s = nb.firstSection(); s; s = nb.nextSection(s))
            s->body().setText(s->caption() + u" текст\nстрока"_s);
        nb.setCurrent(test::findSection(nb, u"B"_s));
        nb.properties().setValue(u"Name", u"Имя"_s);
        WriteNotebook(nb, path);
    }
    Result run(const char* arguments)
    {
        Result r{};
        const QString text = QString::fromUtf8(arguments)
                                 .replace(QLatin1String("%1"), path)
                                 .replace(QLatin1String("%2"), out)
                                 .replace(QLatin1String("%3"), dir.root());
        r.status = cli::run(text.split(u' ', Qt::SkipEmptyParts), r.out, r.err);
        return r;
    }
    test::TempDir dir;
    const QString path = dir.path(u"s.nib"_s), out = dir.path(u"out.nib"_s);
};

} // namespace

TEST_F(Cli, LsCatAndPropsPrintUtf8WithLineFeeds)
{
    const Result ls = run("ls %1"), cat = run("cat %1 3"), props = run("props %1");
    EXPECT_EQ(std::tuple(ls.status, cat.status, props.status), std::tuple(0, 0, 0));
    EXPECT_EQ(ls.out, "0\t0\tA\n1\t1\tB\n2\t2\tC\n3\t2\tD\n4\t1\tE\n5\t0\tF\n");
    EXPECT_EQ(cat.out, u"D текст\nстрока"_s.toUtf8());
    const QString stamp = fileStampText(currentDateTime());
    EXPECT_EQ(props.out,
              (u"Name=Имя\nFlWrite=%1\nFlCreate=%1\nActivate=1\n"_s.arg(stamp)).toUtf8());
}

TEST_F(Cli, ExportWritesEachRangeAsTheProgramWould)
{
    const QByteArray source = test::readBytes(path);
    // The section defaults to the one the file recorded as current (B); the
    // current section is recorded within the range written, with the bodies.
    const std::tuple<const char*, const char16_t*, const char16_t*> cases[] = {
        {"export %1 %2", u"A(B(C D) E) F", u"B"},
        {"export --range 1 %1 %2", u"B(C D)", u"B"},
        {"export --range 2 --section 5 %1 %2", u"F", u"F"},
        {"export --format nib --objects 0 --no-doc-info %1 %2", u"A(B(C D) E) F", u"B"},
        // An option given twice counts with the value given last.
        {"export --range 1 --range 2 --section 0 --section 5 %1 %2", u"F", u"F"}};
    for (const auto& [arguments, shape, current] : cases) {
        SCOPED_TRACE(arguments);
        const bool bare = QByteArray(arguments).contains("--no-doc-info");
        ASSERT_EQ(run(arguments).status, 0);
        Notebook nb;
        ReadNotebook(out, nb, ReadOptions{true});
        EXPECT_EQ(test::shapeOf(nb), QString::fromUtf16(shape));
        EXPECT_EQ(nb.current()->caption(), QString::fromUtf16(current));
        for (Section* s = nb.firstSection(); s; s = nb.nextSection(s))
            EXPECT_EQ(s->body().text(), bare ? QString() : s->caption() + u" текст\nстрока"_s);
        EXPECT_EQ(nb.properties().value(u"Name"), bare ? QString() : u"Имя"_s);
    }
    EXPECT_EQ(test::readBytes(path), source);
    EXPECT_TRUE(QFile::exists(dir.path(u"out.bak"_s))) << "backups are on by default";
}

TEST_F(Cli, ExportWritesTextAndHtmlWithTheStoredOrGivenDelimiter)
{
    const QString body = u"текст\r\nстрока"_s, dashes(50, u'-');
    const std::tuple<const char*, QString, QString> cases[] = {
        {"export --format txt --range 2 --path --no-doc-info %1 %2", out,
         u"B\r\n\r\n"_s + dashes + u"\r\nA\\B\r\n\r\nB "_s + body},
        {"export --range 3 --objects 2 --no-doc-info --delimiter = %1 %2.txt", out + u".txt"_s,
         u"\r\n=\r\nC "_s + body + u"\r\n=\r\nD "_s + body}};
    for (const auto& [arguments, file, text] : cases) {
        EXPECT_EQ(run(arguments).status, 0) << arguments;
        EXPECT_EQ(test::readBytes(file), cp1251::encode(text)) << arguments;
    }
    // An HTML page: the document information, the stored [HTML] colours and
    // link font, the stored delimiter (none: "<hr>").
    const QString ini = QDir(qEnvironmentVariable("KELTO_CONFIG_DIR")).filePath(u"kelto.ini"_s);
    test::writeBytes(ini, "[HTML]\r\nBgColor=255\r\nLink=65280\r\nALink=16711680\r\n"
                          "VLink=1193046\r\nLinkFont=Arial\r\nLinkSize=12\r\n");
    ASSERT_EQ(run("export --range 2 --section 5 %1 %2.htm").status, 0);
    QFile::remove(ini);
    const QString meta = u"  <meta name=\"%1\" content=\"%2\">\r\n"_s;
    const QString html =
        u"<html>\r\n<head>\r\n"
        u"  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
        u"  <title>Имя</title>\r\n"_s +
        meta.arg(u"Generator"_s, u"Тримбель v1"_s) + meta.arg(u"Author"_s, QString()) +
        meta.arg(u"Reply-To"_s, QString()) + meta.arg(u"Description"_s, QString()) +
        meta.arg(u"Keywords"_s, QString()) +
        u"<style name=\"internal_styles\">\r\n"
        u"  body { font-family: Arial; font-size: 12pt;}\r\n"
        u"  pre { font-family: Arial; font-size: 12pt;}\r\n</style>\r\n</head>\r\n\r\n"
        u"<body bgcolor=\"FF0000\" link=\"00FF00\" alink=\"0000FF\" vlink=\"563412\">\r\n"
        u"<h2>Содержание</h2>\r\n<ul>\r\n  <li><a href=\"#5\" name=\"bk5\">F</a>\r\n</ul>\r\n\r\n"
        u"<!------------------------- Секция 5 ------------------------->\r\n<hr>\r\n"
        u"<a name=\"5\"></a>\r\n<h3>F</h3>\r\n<pre>\r\nF текст\r\nстрока\r\n</pre>\r\n"
        u"<a align=\"right\" href=\"#bk5\">Наверх</a>\r\n\r\n</body>\r\n</html>\r\n"_s;
    EXPECT_EQ(cp1251::decode(test::readBytes(out + u".htm"_s)), html);
}

TEST_F(Cli, ErrorsGiveTheirExitStatusAndWriteNothing)
{
    test::writeBytes(out + u".bad"_s, QByteArray("NIB\x01\xff\xff\xff\xff", 8));
    // Usage errors give 2, file and format errors 3.
    const std::pair<const char*, int> cases[] = {{"", 2},
                                                 {"frobnicate", 2},
                                                 {"ls", 2},
                                                 {"cat %1 6", 2},
                                                 {"cat %1 x", 2},
                                                 {"export --range 4 %1 %2", 2},
                                                 {"export --bogus %1 %2", 2},
                                                 {"export --range", 2},
                                                 {"export --range 1 --section 6 %1 %2", 2},
                                                 {"export --format rtf %1 %2", 2},
                                                 {"print --all --section 1 %1 %2.pdf", 2},
                                                 {"print --section 6 %1 %2.pdf", 2},
                                                 {"export --frames 3 %1 %2.htm", 2},
                                                 {"ls %2.bad", 3},
                                                 {"props %2.bad", 3},
                                                 {"export %2.bad %2", 3},
                                                 {"ls %2.missing", 3},
                                                 {"grep x %2.bad", 3},
                                                 {"export %1 %2.missing/x.nib", 3}};
    for (const auto& [arguments, status] : cases) {
        const Result r = run(arguments);
        EXPECT_EQ(r.status, status) << arguments;
        EXPECT_TRUE(r.out.isEmpty() && !r.err.isEmpty()) << arguments;
    }
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(run("ls %2.bad").err.contains(test::DamagedFile.toUtf8()));
    EXPECT_EQ(run("--help").status, 0);
}

TEST_F(Cli, GrepPrintsEachBodyLineWithAMatchAndItsSectionPath)
{
    // A copy whose first body breaks its line with a lone CR: "A текст\rZстрока".
    QByteArray bytes = test::readBytes(path);
    test::writeBytes(out, bytes.replace(bytes.indexOf(cp1251::encode(u"\r\nс")), 2, "\rZ"));
    // A body whose lines end in CR LF, a lone CR and a lone LF.
    test::writeBytes(dir.path(u"g.nib"_s),
                     test::notebookImage("", "G\r\n", {"q1\r\nq2\rq3\nno\r\nq5"}));
    const std::tuple<const char*, int, QString> cases[] = {
        {"grep q %3/g.nib", 0, u"G:1:q1\nG:2:q2\nG:3:q3\nG:5:q5\n"_s},
        {"grep -w -i d %1", 0, u"A\\B\\D:1:D текст\n"_s},
        {"grep -i ZСТРОКА %2", 0, u"A:2:Zстрока\n"_s},
        {"grep -w стро %1", 1, QString()},
        {"grep ZСТРОКА %2", 1, QString()}};
    for (const auto& [arguments, status, output] : cases) {
        const Result r = run(arguments);
        EXPECT_EQ(std::pair(r.status, QString::fromUtf8(r.out)), std::pair(status, output))
            << arguments;
    }
}

TEST_F(Cli, ReplaceWritesEveryMatchReplacedAndPrintsTheCount)
{
    // Bodies "<caption> текст\nстрока": matches counted by hand.
    const std::tuple<const char*, int, const char*, const char16_t*> cases[] = {
        {"replace текст слово %1 %2", 0, "6\n", u"D слово\nстрока"},
        {"replace -i ТЕКСТ слово %1 %2", 0, "6\n", u"D слово\nстрока"},
        {"replace ТЕКСТ слово %1 %2", 1, "", nullptr},
        {"replace -w стро X %1 %2", 1, "", nullptr},
        {"replace -w -i D d %1 %2", 0, "1\n", u"d текст\nстрока"},
        {"replace с С %1 %2", 0, "12\n", u"D текСт\nСтрока"}};
    for (const auto& [arguments, status, output, d] : cases) {
        QFile::remove(out);
        const Result r = run(arguments);
        EXPECT_EQ(std::pair(r.status, r.out), std::pair(status, QByteArray(output))) << arguments;
        ASSERT_EQ(QFile::exists(out), d != nullptr) << arguments;
        if (!d)
            continue;
        Notebook nb;
        ReadNotebook(out, nb);
        EXPECT_EQ(test::shapeOf(nb), u"A(B(C D) E) F"_s);
        EXPECT_EQ(test::findSection(nb, u"D"_s)->body().text(), QString::fromUtf16(d)) << arguments;
    }
    // A line break in the pattern matches a CR LF of the file.
    const QStringList crlf{u"replace"_s, u"текст\r\nстрока"_s, u"-"_s, path, out};
    QByteArray cliOut, cliErr;
    EXPECT_EQ(cli::run(crlf, cliOut, cliErr), 0);
    EXPECT_EQ(cliOut, "6\n");
    EXPECT_TRUE(test::readBytes(out).contains(cp1251::encode(u"F -"_s)));
}

TEST_F(Cli, ReplaceInPlaceKeepsTheBackupAndFailsWithoutWriting)
{
    const QByteArray before = test::readBytes(path);
    const Result r = run("replace строка линия %1 %1");
    EXPECT_EQ(std::pair(r.status, r.out), std::pair(0, QByteArray("6\n")));
    EXPECT_EQ(test::readBytes(dir.path(u"s.bak"_s)), before);
    EXPECT_EQ(test::readBytes(path).count(cp1251::encode(u"линия"_s)), 6);
    // Usage errors give 2, file errors 3; nothing is written either way.
    const std::pair<const char*, int> cases[] = {{"replace a b %1", 2},
                                                 {"replace --all a b %1 %2", 2},
                                                 {"replace a b %2.missing %2", 3},
                                                 {"replace линия x %1 %3/no/such/x.nib", 3}};
    for (const auto& [arguments, status] : cases) {
        const Result e = run(arguments);
        EXPECT_EQ(e.status, status) << arguments;
        EXPECT_TRUE(e.out.isEmpty() && !e.err.isEmpty()) << arguments;
    }
    QByteArray cliOut, cliErr;
    EXPECT_EQ(cli::run({u"replace"_s, QString(), u"x"_s, path, out}, cliOut, cliErr), 2);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(run("--help").out.contains("replace [-i] [-w] PATTERN REPLACEMENT NOTEBOOK"));
}

// After "<node>" up to two characters, each CR or LF, are skipped: every
// pair imports the same tree, and so does a file with LF breaks only.
TEST_F(Cli, ImportTakesTreePadRecordsWhateverTwoBreaksFollowTheStartMarker)
{
    const char* const forms[][2] = {
        {"\r\n", "\r\n"}, {"\n\n", "\r\n"}, {"\r\r", "\r\n"}, {"\n\r", "\r\n"}, {"\n", "\n"}};
    for (const auto& [afterMarker, eol] : forms) {
        const QByteArray e(eol);
        QByteArray file = "<Treepad version 3.0>" + e;
        for (const char* record : {"Top\x01"
                                   "0\x01"
                                   "body one",
                                   "Child\x01"
                                   "1\x01"
                                   "body two"}) {
            file += "dt=Text" + e + "<node>" + afterMarker + QByteArray(record).replace('\x01', e) +
                    e + "<end node> 5P9i0s8y19Z" + e;
        }
        test::writeBytes(dir.path(u"t.hjt"_s), file);
        EXPECT_EQ(run("import %3/t.hjt %2").status, 0) << QByteArray(afterMarker).toHex().data();
        EXPECT_EQ(run("ls %2").out, "0\t0\tTop\n1\t1\tChild\n")
            << QByteArray(afterMarker).toHex().data();
        EXPECT_EQ(run("cat %2 1").out, "body two\n");
    }
}

TEST_F(Cli, TheProgramItselfPrintsUtf8AndReturnsTheStatus)
{
    QProcess p;
    p.start(QStringLiteral(KELTO_CLI_PATH), {u"cat"_s, path, u"0"_s});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardOutput(), u"A текст\nстрока"_s.toUtf8());
    p.start(QStringLiteral(KELTO_CLI_PATH), {u"cat"_s, path});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_FALSE(p.readAllStandardError().isEmpty());
}

// The PDF holds the chosen sections in tree order, each once; without a
// choice the section the file recorded as current.
TEST_F(Cli, PrintWritesTheChosenSectionsAsPdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const std::pair<QStringList, QString> cases[] = {
        {{u"--section"_s, u"3"_s, u"--section"_s, u"2"_s, u"--section"_s, u"3"_s, u"--contents"_s},
         u"СОДЕРЖАНИЕ C D - C C текст строка D D текст строка"_s},
        {{}, u"B B текст строка"_s}};
    for (const auto& [options, text] : cases) {
        QProcess p;
        p.start(QStringLiteral(KELTO_CLI_PATH),
                QStringList{u"print"_s} + options + QStringList{path, out + u".pdf"_s});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
        p.start(pdftotext, {out + u".pdf"_s, u"-"_s});
        ASSERT_TRUE(p.waitForFinished(30000));
        QString printed = QString::fromUtf8(p.readAllStandardOutput()).simplified();
        printed.replace(QRegularExpression(u"-+"_s), u"-"_s);
        EXPECT_EQ(printed, text);
    }
    // Margins that leave no room for text start no printout.
    QDir().mkpath(dir.path(u"cfg"_s));
    test::writeBytes(dir.path(u"cfg/kelto.ini"_s),
                     "[Print]\r\nMarginLeft=150\r\nMarginRight=150\r\n");
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"KELTO_CONFIG_DIR"_s, dir.path(u"cfg"_s));
    p.setProcessEnvironment(environment);
    p.start(QStringLiteral(KELTO_CLI_PATH), {u"print"_s, path, out + u"2.pdf"_s});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 3);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(u"Поля страницы"_s));
    EXPECT_FALSE(QFile::exists(out + u"2.pdf"_s));
}

TEST_F(Cli, ImportWritesANewNotebookOrACopyOfOne)
{
    // "%3" is the folder of the files; the first section imported is current.
    const QByteArray record = "<node>\r\nT\r\n0\r\nbody\r\n<end node> 5P9i0s8y19Z";
    test::writeBytes(dir.path(u"t.HJT"_s), record);
    test::writeBytes(dir.path(u"bad.hjt"_s), record + "<node>\r\nU\r\nx\r\n<end node> 5P9i0s8y19Z");
    test::writeBytes(dir.path(u"p.txt"_s), "plain");
    test::writeBytes(dir.path(u"n.nib"_s), test::notebookImage("", "N\r\n\tM\r\n", {"", ""}));
    const QString text = dir.path(u"p.txt"_s);
    const std::tuple<const char*, int, QString, QString> cases[] = {
        {"import %3/t.HJT %2", 0, u"T"_s, u"T"_s},
        {"import --into %1 --under 4 %3/t.HJT %2", 0, u"A(B(C D) E(T)) F"_s, u"T"_s},
        {"import --into %1 %3/p.txt %2", 0, u"A(B(C D) E) F "_s + text, text},
        {"import --into %1 %3/t.HJT %2", 0, u"A(B(C D) E) F T"_s, u"T"_s},
        {"import --into %1 %3/n.nib %2", 0, u"A(B(C D) E) F N(M)"_s, u"N"_s},
        {"import --into %1 --under 6 %3/t.HJT %2", 2, QString(), QString()},
        {"import --under 0 %3/t.HJT %2", 2, QString(), QString()},
        {"import %3/p.dat %2", 2, QString(), QString()},
        {"import --into %1 %3/bad.hjt %2", 3, QString(), QString()},
        {"import %3/missing.txt %2", 3, QString(), QString()}};
    for (const auto& [arguments, status, shape, current] : cases) {
        SCOPED_TRACE(arguments);
        QFile::remove(out);
        const Result r = run(arguments);
        EXPECT_EQ(r.status, status);
        ASSERT_EQ(QFile::exists(out), status == 0) << r.err.toStdString();
        if (status != 0)
            continue;
        Notebook nb;
        ReadNotebook(out, nb, ReadOptions{true});
        EXPECT_EQ(test::shapeOf(nb), shape);
        EXPECT_EQ(nb.current()->caption(), current);
    }
    EXPECT_TRUE(run("import --into %1 %3/bad.hjt %2").err.contains("'x' is not a valid integer"));
}

TEST_F(Cli, DateExpandsAPatternOrAFormatForTheMomentAndLocale)
{
    const QString today = currentDateTime().toString(u"yyyy-MM-dd"_s);
    const std::tuple<const char*, int, QString> cases[] = {
        {"date --at 2026-03-05T13:07:09 --locale ru_RU dd/mm/yyyy_hh:nn", 0, u"05.03.2026_13:07"_s},
        {"date --at 2026-03-05T13:07:09 --locale ru_RU 6", 0, u"четверг, март 05"_s},
        {"date --at 2026-03-05T00:05:00 --locale en_US 11", 0, u"12:05 am"_s},
        {"date --locale de_DE 13 --at 2026-03-05T13:07:09", 0, u"01:07:09 PM"_s},
        {"date --locale fi_FI yyyy-mm-dd", 0, today}, // the fixed clock
        {"date --at 2026-02-30T00:00:00 1", 2, QString()},
        {"date --at 2026-03-05 1", 2, QString()},
        {"date --locale xx_YY 1", 2, QString()},
        {"date 14", 2, QString()},
        {"date", 2, QString()}};
    for (const auto& [arguments, status, text] : cases) {
        SCOPED_TRACE(arguments);
        const Result r = run(arguments);
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(r.out, status == 0 ? (text + u'\n').toUtf8() : QByteArray());
        EXPECT_EQ(r.err.contains("usage:"), status != 0);
    }
    // The text export is dated with the system's pattern "c".
    ASSERT_EQ(run("export --format txt %1 %2").status, 0);
    const QString stamp = QString::fromUtf8(run("date C").out).trimmed();
    EXPECT_TRUE(
        decodeMarkedText(test::readBytes(out)).contains(u"Дата записи: "_s + stamp + u"\r\n"_s));
}

// Without --locale the system's locale names the months; a system with no
// locale configured (C or POSIX) writes Russian, as the program speaks.
TEST_F(Cli, DateWithoutALocaleFollowsTheSystemOrRussianForC)
{
    const std::pair<const char*, QString> systems[] = {{"C", u"четверг, март 05"_s},
                                                       {"POSIX", u"четверг, март 05"_s},
                                                       {"en_US.UTF-8", u"Thursday, March 05"_s}};
    for (const auto& [name, want] : systems) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"})
            env.insert(QLatin1String(variable), QLatin1String(name));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KELTO_CLI_PATH),
                {u"date"_s, u"--at"_s, u"2026-03-05T13:07:09"_s, u"6"_s});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()), want + u'\n') << name;
    }
}

// Files made to exhaust a reader are refused with the message the file
// deserves, whether read whole (ls, as the window reads) or as a stream
// (grep), and nothing is printed for them.
TEST(HostileInput, EveryReaderRefusesTheFileWithItsMessage)
{
    test::TempDir dir;
    for (const HostileFile& file : writeHostileFiles(dir.root())) {
        for (const QStringList& command : {QStringList{u"ls"_s}, QStringList{u"grep"_s, u"W"_s}}) {
            QProcess p;
            p.start(QStringLiteral(KELTO_CLI_PATH), command + QStringList{file.path});
            ASSERT_TRUE(p.waitForFinished(120000)) << qPrintable(file.name);
            EXPECT_EQ(p.exitCode(), 3) << qPrintable(file.name) << " " << qPrintable(command[0]);
            EXPECT_EQ(QString::fromUtf8(p.readAllStandardError()).trimmed(),
                      u"kelto-cli: "_s + file.message)
                << qPrintable(file.name) << " " << qPrintable(command[0]);
            EXPECT_TRUE(p.readAllStandardOutput().isEmpty()) << qPrintable(file.name);
        }
        QFile::remove(file.path);
    }
}

// Every command of the CLI's table has its entry in both manual pages, is
// offered by the shell completion and prints its own usage; the pages
// render without a warning.
TEST(CliDocs, EveryCommandIsDocumentedCompletedAndHelped)
{
    const QString source = QStringLiteral(KELTO_SOURCE_DIR);
    const QStringList commands = cli::commandNames();
    ASSERT_GE(commands.size(), 9);
    for (const char* page : {"man/kelto-cli.1", "man/ru/kelto-cli.1"}) {
        const QString text =
            QString::fromUtf8(test::readBytes(source + u'/' + QLatin1String(page)));
        for (const QString& command : commands) {
            const QRegularExpression entry(u"^\\.BI? "_s + command + u"( |$)"_s,
                                           QRegularExpression::MultilineOption);
            EXPECT_TRUE(text.contains(entry)) << page << ": " << command.toStdString();
        }
    }
    const QString groff = QStandardPaths::findExecutable(u"groff"_s);
    for (const char* page :
         {"man/kelto.1", "man/kelto-cli.1", "man/ru/kelto.1", "man/ru/kelto-cli.1"}) {
        if (groff.isEmpty())
            break;
        QProcess p;
        p.start(groff, {u"-k"_s, u"-Tutf8"_s, u"-ww"_s, u"-z"_s, u"-man"_s,
                        source + u'/' + QLatin1String(page)});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << page;
        EXPECT_EQ(p.readAllStandardError(), QByteArray()) << page;
    }
    QProcess bash;
    bash.start(u"bash"_s, {u"-c"_s,
                           u"source \"$0\"; COMP_WORDS=(kelto-cli \"\"); COMP_CWORD=1; "
                           u"_kelto_cli; echo \"${COMPREPLY[@]}\""_s,
                           source + u"/completion/kelto-cli"_s});
    ASSERT_TRUE(bash.waitForFinished(30000));
    const QStringList offered = QString::fromUtf8(bash.readAllStandardOutput()).split(u' ');
    for (const QString& command : commands) {
        EXPECT_TRUE(offered.contains(command.trimmed()) || offered.contains(command + u'\n'))
            << "completion lacks " << command.toStdString();
        for (const QStringList& line :
             {QStringList{u"help"_s, command}, QStringList{command, u"--help"_s}}) {
            QByteArray out, err;
            EXPECT_EQ(cli::run(line, out, err), 0) << line.join(u' ').toStdString();
            EXPECT_TRUE(out.startsWith("usage:\n  " + command.toUtf8() + ' ') ||
                        out == "usage:\n  " + command.toUtf8() + '\n')
                << out.toStdString();
        }
    }
    QByteArray out, err;
    EXPECT_EQ(cli::run({u"help"_s, u"frobnicate"_s}, out, err), 2);
}
