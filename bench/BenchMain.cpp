// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and saving a large notebook, measured against the cost of simply
// reading and decoding its file once; searching it, measured against
// decoding every body once and looking for a word in it; exporting it as
// text and HTML, measured against converting the file with iconv; printing
// a notebook a tenth its size; importing the same tree as a TreePad file,
// and as a TreePad chain 100,000 levels deep, measured against reading and
// decoding that file once.
//
//   kelto_bench                      generate a 100,000-section notebook in a
//                                    temporary folder and measure it
//   kelto_bench --generate FILE      only write the generated notebook
//   kelto_bench --measure FILE       measure an existing notebook file
//   --sections N, --bytes N          size of the generated notebook

#include "ExportBench.h"
#include "NotebookGenerator.h"
#include "cli/CliCommands.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "document/Notebook.h"
#include "document/NotebookFile.h"
#include "document/TreePadImport.h"
#include "search/TextSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

using namespace kelto;

namespace {

constexpr int Rounds = 3;

double bestOf(const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

// The floor: the whole file read into memory and every byte decoded once.
// Decoding goes through a reused buffer so the floor itself stays small.
void readAndDecode(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KeltoError(QStringLiteral("cannot read ") + path);
    const QByteArray bytes = file.readAll();
    constexpr qsizetype Chunk = 1 << 20;
    qsizetype checksum = 0;
    for (qsizetype at = 0; at < bytes.size(); at += Chunk) {
        const QString text =
            cp1251::decode(QByteArrayView(bytes).sliced(at, std::min(Chunk, bytes.size() - at)));
        checksum += text.size();
    }
    if (checksum != bytes.size())
        throw KeltoError(QStringLiteral("decoding lost bytes"));
}

void report(const char* what, double value, const char* unit, double base, double target)
{
    const double ratio = value / base;
    std::printf("%-34s %9.1f %-3s %5.2fx  (target <= %.1fx)  %s\n", what, value, unit, ratio,
                target, ratio <= target ? "ok" : "MISSED");
}

// Find next through every body without a match, and kelto-cli grep for a
// phrase that occurs only a few times, against the floor of decoding every
// body and looking for an absent word with a plain indexOf. grep reads the
// file itself without building the tree; for information it is also set
// against opening the notebook plus that floor.
void measureSearch(const QString& path, double openMs)
{
    Notebook notebook;
    ReadNotebook(path, notebook);
    const QString absent = QStringLiteral("квазар");
    qsizetype hits = 0;
    const double floor = bestOf([&] {
        for (Section* s = notebook.firstSection(); s; s = notebook.nextSection(s))
            hits += QStringView(s->body().text()).indexOf(absent) >= 0;
    });
    const auto findAll = [&](bool matchCase) {
        return bestOf([&] {
            BodySearchSource bodies;
            SearchOptions options;
            options.matchCase = matchCase;
            options.allFile = true;
            hits += bool(findNext(notebook, notebook.firstSection(), absent, options, bodies));
        });
    };
    const double findIgnoringCase = findAll(false);
    const double findMatchingCase = findAll(true);
    QByteArray out;
    const double grep = bestOf([&] {
        QByteArray err;
        out.clear();
        cli::run({QStringLiteral("grep"), QStringLiteral("Linux Ёлка тире"), path}, out, err);
    });
    if (hits != 0)
        throw KeltoError(QStringLiteral("the absent word was found"));
    std::printf("%-34s %9.1f ms\n", "floor: decode bodies + indexOf", floor);
    report("findNext, no match, ignoring case", findIgnoringCase, "ms", floor, 2);
    report("findNext, no match, matching case", findMatchingCase, "ms", floor, 2);
    report("kelto-cli grep, vs the floor", grep, "ms", floor, 2);
    std::printf("%-34s %9.1f ms  %5.2fx  (information)\n", "kelto-cli grep, vs open + floor", grep,
                grep / (floor + openMs));
    std::printf("%-34s %9lld lines\n", "grep output", qlonglong(out.count('\n')));
}

// The notebook as a TreePad file: one record per section, its level the
// section's depth, its body the Windows-1251 bytes with CR LF breaks.
void writeTreePad(const Notebook& notebook, const QString& path)
{
    QByteArray out = "<Treepad version 3.0>\r\n";
    forEachDescendant(notebook.container(), [&](const Section* s, int depth) {
        out += "dt=Text\r\n<node>\r\n" + cp1251::encode(s->caption()) + "\r\n" +
               QByteArray::number(depth - 1) + "\r\n";
        s->body().appendEncoded(out, TextEncoding::Cp1251);
        out += "\r\n<end node> 5P9i0s8y19Z\r\n";
    });
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size())
        throw KeltoError(QStringLiteral("cannot write ") + path);
}

// A chain: every record one level below the one before it.
void writeTreePadChain(int records, const QString& path)
{
    QByteArray out = "<Treepad version 3.0>\r\n";
    for (int i = 0; i < records; ++i) {
        out += "dt=Text\r\n<node>\r\nLevel " + QByteArray::number(i) + "\r\n" +
               QByteArray::number(i) + "\r\nbody\r\n<end node> 5P9i0s8y19Z\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size())
        throw KeltoError(QStringLiteral("cannot write ") + path);
}

// The chain's records are tiny, so against its floor (a few milliseconds of
// copying) it shows the cost per section rather than per byte.
void measureTreePadFile(const char* what, const QString& path, int expected, bool target)
{
    const double floor = bestOf([&] { readAndDecode(path); });
    int sections = 0;
    const double import = bestOf([&] {
        Notebook notebook;
        const ImportResult result = ImportTreePad(path, notebook, nullptr);
        if (!result.error.isEmpty())
            throw KeltoError(result.error);
        sections = notebook.sectionCount();
    });
    if (sections != expected)
        throw KeltoError(QStringLiteral("the TreePad import lost sections"));
    std::printf("TreePad %s: %d records, %.1f MiB\n", what, sections,
                QFileInfo(path).size() / (1024.0 * 1024.0));
    std::printf("%-34s %9.1f ms\n", "floor: read + decode the file once", floor);
    if (target)
        report("ImportTreePad", import, "ms", floor, 3);
    else
        std::printf("%-34s %9.1f ms  %5.2fx  (information)\n", "ImportTreePad", import,
                    import / floor);
}

void measureTreePad(const QString& notebookPath)
{
    const QString path = notebookPath + QStringLiteral(".hjt");
    Notebook notebook;
    ReadNotebook(notebookPath, notebook);
    writeTreePad(notebook, path);
    measureTreePadFile("tree", path, notebook.sectionCount(), true);
    writeTreePadChain(100000, path);
    measureTreePadFile("chain", path, 100000, false);
    QFile::remove(path);
}

void generate(const QString& path, const GeneratorOptions& options);

int measure(const QString& path)
{
    const double fileMb = QFileInfo(path).size() / 1e6 * (1e6 / (1024.0 * 1024.0));
    const QString out = path + QStringLiteral(".out.nib");

    const double floor = bestOf([&] { readAndDecode(path); });
    int sections = 0;
    double readMs = 1e300;
    double writeMs = 1e300;
    for (int i = 0; i < Rounds; ++i) {
        Notebook notebook;
        QElapsedTimer timer;
        timer.start();
        ReadNotebook(path, notebook);
        readMs = std::min(readMs, timer.nsecsElapsed() / 1e6);
        sections = notebook.sectionCount();
        timer.restart();
        WriteNotebook(notebook, out);
        writeMs = std::min(writeMs, timer.nsecsElapsed() / 1e6);
    }
    const double peak = peakMegabytes();

    // For information: saving once every body has been decoded (as after
    // editing all of them), where the writer must encode text again.
    double editedWriteMs = 0;
    {
        Notebook notebook;
        ReadNotebook(path, notebook);
        for (Section* s = notebook.firstSection(); s; s = notebook.nextSection(s))
            s->body().setText(s->body().text());
        QElapsedTimer timer;
        timer.start();
        WriteNotebook(notebook, out);
        editedWriteMs = timer.nsecsElapsed() / 1e6;
    }
    QFile::remove(out);
    QFile::remove(QFileInfo(out).path() + QLatin1Char('/') + QFileInfo(out).completeBaseName() +
                  QStringLiteral(".bak"));

    std::printf("notebook: %d sections, %.1f MiB (%s)\n", sections, fileMb,
                qPrintable(QFileInfo(path).fileName()));
    std::printf("%-34s %9.1f ms\n", "floor: read + decode the file once", floor);
    report("ReadNotebook", readMs, "ms", floor, 3);
    report("WriteNotebook", writeMs, "ms", floor, 3);
    report("peak memory (open + save)", peak, "MiB", fileMb, 1.5);
    std::printf("%-34s %9.1f ms  %5.2fx  (information)\n", "WriteNotebook, all bodies edited",
                editedWriteMs, editedWriteMs / floor);
    measureSearch(path, readMs);
    measureExports(path, fileMb);
    {
        // Printing is measured on a sibling of a tenth the size: 10,000
        // sections of about 1 kB, some 6,000 pages.
        const QString sibling = path + QStringLiteral(".print.nib");
        GeneratorOptions options;
        options.sections = 10000;
        options.bodyBytes = 10 * 1000 * 1000;
        generate(sibling, options);
        std::printf("printout: 10,000 sections, %.1f MiB\n",
                    QFileInfo(sibling).size() / (1024.0 * 1024.0));
        measurePrint(sibling);
        QFile::remove(sibling);
    }
    measureTreePad(path);
    return 0;
}

void generate(const QString& path, const GeneratorOptions& options)
{
    Notebook notebook;
    generateNotebook(notebook, options);
    WriteOptions write;
    write.createBackup = false;
    WriteNotebook(notebook, path, write);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    GeneratorOptions options;
    QString generateOnly;
    QString measureOnly;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const QString value = i + 1 < args.size() ? args.at(i + 1) : QString();
        if (a == QLatin1String("--sections"))
            options.sections = value.toInt(), ++i;
        else if (a == QLatin1String("--bytes"))
            options.bodyBytes = value.toLongLong(), ++i;
        else if (a == QLatin1String("--generate"))
            generateOnly = value, ++i;
        else if (a == QLatin1String("--measure"))
            measureOnly = value, ++i;
        else {
            std::fprintf(stderr, "usage: kelto_bench [--sections N] [--bytes N] "
                                 "[--generate FILE | --measure FILE]\n");
            return 2;
        }
    }
    try {
        if (!measureOnly.isEmpty())
            return measure(measureOnly);
        if (!generateOnly.isEmpty()) {
            generate(generateOnly, options);
            return 0;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bench.nib"));
        QElapsedTimer timer;
        timer.start();
        generate(path, options);
        std::printf("generated in %.1f s\n", timer.nsecsElapsed() / 1e9);
        std::fflush(stdout);
        // Measure in a fresh process so the generator's memory does not count.
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure"), path});
        child.waitForFinished(-1);
        return child.exitCode();
    } catch (const KeltoError& e) {
        std::fprintf(stderr, "kelto_bench: %s\n", e.what());
        return 3;
    }
}
