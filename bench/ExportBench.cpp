// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportBench.h"

#include "common/KeltoError.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>
#include <vector>

using kelto::KeltoError;

namespace {

constexpr int Rounds = 3;

struct Run
{
    double ms = 1e300;
    double peakMb = 0;
};

// The best wall time and the largest peak resident size of a program run
// Rounds times, its output to a file when one is given. The peak is read
// by /usr/bin/time: a child started from this large process would count
// this process's size as its own.
Run runBest(const QString& program, const QStringList& arguments, const QString& output = {})
{
    const QString peakFile = output + QStringLiteral(".peak");
    Run best;
    for (int i = 0; i < Rounds; ++i) {
        QProcess process;
        if (!output.isEmpty())
            process.setStandardOutputFile(output);
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral("/usr/bin/time"),
                      QStringList{QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"),
                                  peakFile, program} +
                          arguments);
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            throw KeltoError(program + QStringLiteral(" failed: ") +
                             QString::fromLocal8Bit(process.readAllStandardError()));
        }
        best.ms = std::min(best.ms, timer.nsecsElapsed() / 1e6);
        QFile peak(peakFile);
        if (peak.open(QIODevice::ReadOnly))
            best.peakMb = std::max(best.peakMb, peak.readAll().trimmed().toDouble() / 1024);
    }
    QFile::remove(peakFile);
    return best;
}

} // namespace

void measureExports(const QString& path, double fileMb)
{
    const QString out = path + QStringLiteral(".export");
    const Run floor = runBest(QStringLiteral("iconv"),
                              {QStringLiteral("-c"), QStringLiteral("-f"), QStringLiteral("cp1251"),
                               QStringLiteral("-t"), QStringLiteral("utf-8"), path},
                              out);
    std::printf("%-34s %9.1f ms\n", "floor: iconv the file to a file", floor.ms);
    // Listing and properties read the outline and skip the bodies.
    for (const char* command : {"props", "ls"}) {
        const Run run =
            runBest(QStringLiteral(KELTO_CLI_PATH), {QString::fromLatin1(command), path}, out);
        const double ratio = run.ms / floor.ms;
        std::printf("%-34s %9.1f ms  %5.2fx  (target <= 0.5x)  %s\n",
                    (QByteArray("kelto-cli ") + command).constData(), run.ms, ratio,
                    ratio <= 0.5 ? "ok" : "MISSED");
    }
    for (const char* format : {"txt", "html"}) {
        const Run run = runBest(QStringLiteral(KELTO_CLI_PATH),
                                {QStringLiteral("export"), QStringLiteral("--format"),
                                 QString::fromLatin1(format), path, out});
        const QByteArray what = QByteArray("kelto-cli export --format ") + format;
        const auto line = [](const QByteArray& what, double value, const char* unit, double ratio,
                             double target) {
            std::printf("%-34s %9.1f %-3s %5.2fx  (target <= %.1fx)  %s\n", what.constData(), value,
                        unit, ratio, target, ratio <= target ? "ok" : "MISSED");
        };
        line(what, run.ms, "ms", run.ms / floor.ms, 1.5);
        line("  its peak memory", run.peakMb, "MiB", run.peakMb / fileMb, 3);
    }
    QFile::remove(out);
}

void measurePrint(const QString& path)
{
    const QString out = path + QStringLiteral(".pdf");
    const Run run = runBest(QStringLiteral(KELTO_CLI_PATH),
                            {QStringLiteral("print"), QStringLiteral("--all"), path, out});
    QFile::remove(out);
    std::printf("%-34s %9.1f ms  (target <= 6000)  %s\n", "kelto-cli print --all", run.ms,
                run.ms <= 6000 ? "ok" : "MISSED");
}
