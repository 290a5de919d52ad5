#include "NotebookGenerator.h"
#include "TestSupport.h"
#include "TreeShape.h"
#include "cli/CliCommands.h"
#include "common/TextCodec.h"
#include "document/NotebookFile.h"

#include <QFile>
#include <QProcess>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::shapeOf;
using kelto::test::TempDir;

namespace {

struct Result
{
    int status;
    QByteArray out;
    QByteArray err;
};

Result runCli(const QStringList& args)
{
    Result r{};
    r.status = cli::run(args, r.out, r.err);
    return r;
}

class Cli : public ::testing::Test
{
protected:
    // A generated notebook of the given size, saved in the temp folder.
    QString makeNotebook(int sections, qint64 bytes, const QString& name = QStringLiteral("n.nib"))
    {
        Notebook nb;
        GeneratorOptions options;
        options.sections = sections;
        options.bodyBytes = bytes;
        generateNotebook(nb, options);
        const QString path = dir.path(name);
        WriteNotebook(nb, path);
        return path;
    }
    TempDir dir;
};

} // namespace

TEST_F(Cli, LsCatAndPropsDescribeTheNotebook)
{
    const QString path = makeNotebook(300, 30000);
    Notebook nb;
    ReadNotebook(path, nb);

    const Result ls = runCli({QStringLiteral("ls"), path});
    ASSERT_EQ(ls.status, 0) << ls.err.constData();
    const QStringList lines = QString::fromUtf8(ls.out).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 301); // a final "\n"
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < 300; ++i) {
        const Section* s = nb.sectionAt(i);
        ASSERT_EQ(lines.at(i),
                  QStringLiteral("%1\t%2\t%3").arg(i).arg(s->level()).arg(s->caption()));
    }

    const Section* withBody = nullptr;
    int index = 0;
    for (; index < 300 && !withBody; ++index) {
        if (nb.sectionAt(index)->body().text().contains(QLatin1Char('\n')))
            withBody = nb.sectionAt(index);
    }
    ASSERT_NE(withBody, nullptr);
    const Result cat = runCli({QStringLiteral("cat"), path, QString::number(index - 1)});
    ASSERT_EQ(cat.status, 0);
    EXPECT_EQ(cat.out, withBody->body().text().toUtf8()) << "UTF-8 with \\n breaks";
    EXPECT_FALSE(cat.out.contains('\r'));

    const Result props = runCli({QStringLiteral("props"), path});
    ASSERT_EQ(props.status, 0);
    EXPECT_EQ(QString::fromUtf8(props.out),
              nb.properties().lines().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    EXPECT_TRUE(props.out.contains("Activate=0\n"));
}

TEST_F(Cli, ExportWritesEachRangeAsTheProgramWould)
{
    Notebook source;
    test::buildShape(source, QStringLiteral("A(B(C D) E) F"));
    for (Section* s = source.firstSection(); s; s = source.nextSection(s))
        s->body().setText(s->caption() + QStringLiteral(" текст"));
    source.setCurrent(test::findSection(source, QStringLiteral("B")));
    source.properties().setValue(u"Name", QStringLiteral("Имя"));
    const QString path = dir.path(QStringLiteral("s.nib"));
    WriteNotebook(source, path);

    const auto exported = [&](QStringList extra) {
        const QString out = dir.path(QStringLiteral("out.nib"));
        QFile::remove(out);
        extra << path << out;
        const Result r = runCli(QStringList{QStringLiteral("export")} + extra);
        EXPECT_EQ(r.status, 0) << r.err.constData();
        auto nb = std::make_unique<Notebook>();
        ReadNotebook(out, *nb);
        return nb;
    };
    EXPECT_EQ(shapeOf(*exported({})), QStringLiteral("A(B(C D) E) F"));
    // The section defaults to the one the file recorded as current (B).
    EXPECT_EQ(shapeOf(*exported({QStringLiteral("--range"), QStringLiteral("1")})),
              QStringLiteral("B(C D)"));
    EXPECT_EQ(shapeOf(*exported({QStringLiteral("--range"), QStringLiteral("3")})),
              QStringLiteral("C D"));
    auto one = exported({QStringLiteral("--range"), QStringLiteral("2"),
                         QStringLiteral("--section"), QStringLiteral("5")});
    EXPECT_EQ(shapeOf(*one), QStringLiteral("F"));
    EXPECT_EQ(one->firstSection()->body().text(), QStringLiteral("F текст"));
    EXPECT_EQ(one->properties().value(u"Name"), QStringLiteral("Имя"));

    auto bare =
        exported({QStringLiteral("--objects"), QStringLiteral("0"), QStringLiteral("--no-doc-info"),
                  QStringLiteral("--format"), QStringLiteral("nib")});
    EXPECT_TRUE(bare->firstSection()->body().isEmpty());
    EXPECT_FALSE(bare->properties().contains(u"Name"));
    EXPECT_TRUE(bare->properties().contains(u"FlWrite"));

    // The source file itself is left as it was.
    Notebook again;
    ReadNotebook(path, again);
    EXPECT_EQ(shapeOf(again), QStringLiteral("A(B(C D) E) F"));
}

TEST_F(Cli, ErrorsGiveTheirExitStatusAndWriteNothing)
{
    const QString good = makeNotebook(5, 500);
    const QString out = dir.path(QStringLiteral("out.nib"));
    // Usage errors.
    EXPECT_EQ(runCli({}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("frobnicate")}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("ls")}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("cat"), good, QStringLiteral("5")}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("cat"), good, QStringLiteral("x")}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("export"), QStringLiteral("--range"), QStringLiteral("4"),
                      good, out})
                  .status,
              2);
    EXPECT_EQ(runCli({QStringLiteral("export"), QStringLiteral("--bogus"), good, out}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("export"), QStringLiteral("--range")}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("export"), QStringLiteral("--range"), QStringLiteral("1"),
                      QStringLiteral("--section"), QStringLiteral("99"), good, out})
                  .status,
              2);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(runCli({QStringLiteral("--help")}).status, 0);

    // File and format errors: message on stderr, status 3, nothing written.
    const QString bad = dir.path(QStringLiteral("bad.nib"));
    test::writeBytes(bad, QByteArray("NIB\x01\xff\xff\xff\xff", 8));
    for (const QStringList& args :
         {QStringList{QStringLiteral("ls"), bad}, QStringList{QStringLiteral("props"), bad},
          QStringList{QStringLiteral("export"), bad, out},
          QStringList{QStringLiteral("ls"), dir.path(QStringLiteral("missing.nib"))},
          QStringList{QStringLiteral("export"), good, dir.path(QStringLiteral("no/dir/x.nib"))}}) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, 3) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(r.out.isEmpty());
    }
    const Result r = runCli({QStringLiteral("ls"), bad});
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(
        QStringLiteral("Нарушена структура файла или данный формат файла не поддерживается")));
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(Cli, TheProgramItselfPrintsUtf8AndReturnsTheStatus)
{
    Notebook nb;
    nb.appendSection(nullptr, QStringLiteral("Раздел λ"));
    const QString path = dir.path(QStringLiteral("u.nib"));
    WriteNotebook(nb, path);
    QProcess p;
    p.start(QStringLiteral(KELTO_CLI_PATH), {QStringLiteral("ls"), path});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardOutput(), QStringLiteral("0\t0\tРаздел λ\n").toUtf8());
    p.start(QStringLiteral(KELTO_CLI_PATH), {QStringLiteral("cat"), path});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_FALSE(p.readAllStandardError().isEmpty());
}

TEST_F(Cli, LargeGeneratedNotebook)
{
    const QString path = makeNotebook(100000, 2000000);
    const Result ls = runCli({QStringLiteral("ls"), path});
    ASSERT_EQ(ls.status, 0);
    EXPECT_EQ(ls.out.count('\n'), 100000);
    const QString out = dir.path(QStringLiteral("big.nib"));
    ASSERT_EQ(runCli({QStringLiteral("export"), path, out}).status, 0);
    Notebook a, b;
    ReadNotebook(path, a);
    ReadNotebook(out, b);
    EXPECT_EQ(shapeOf(a), shapeOf(b));
    EXPECT_EQ(a.sectionAt(99999)->body().text(), b.sectionAt(99999)->body().text());
    const Result cat = runCli({QStringLiteral("cat"), path, QStringLiteral("99999")});
    EXPECT_EQ(cat.status, 0);
}
