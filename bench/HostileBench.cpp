// SPDX-License-Identifier: GPL-3.0-or-later
// Runs kelto-cli on each hostile file and reports how long the answer took
// and how far the process grew, against the file's size.
//
//   kelto_hostile_bench [FOLDER]     (FOLDER: where the files go; /tmp)
#include "HostileFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kelto;

namespace {

struct Run
{
    int status = -1;
    double seconds = 0;
    long peakKiB = 0;
    QByteArray err;
};

// Runs the program with its standard error in a file and its output
// discarded, and measures the child alone.
Run runCli(const QStringList& arguments, const QString& errFile)
{
    std::vector<QByteArray> args{QByteArray(KELTO_CLI_PATH)};
    for (const QString& a : arguments)
        args.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray errPath = QFile::encodeName(errFile);

    std::fflush(stdout); // or the child would print what is still buffered
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout) ||
            !std::freopen(errPath.constData(), "w", stderr))
            ::_exit(127);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Run run;
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.peakKiB = usage.ru_maxrss;
    QFile err(errFile);
    if (err.open(QIODevice::ReadOnly))
        run.err = err.readAll().trimmed();
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(base + QStringLiteral("/kelto-hostile-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a folder in %s\n", qPrintable(base));
        return 1;
    }
    // The baseline: the program answering on an empty file.
    const QString empty = dir.filePath(QStringLiteral("empty.nib"));
    QFile(empty).open(QIODevice::WriteOnly);
    const Run idle = runCli({QStringLiteral("ls"), empty}, dir.filePath(QStringLiteral("err")));
    std::printf("baseline (ls of an empty file): %.3f s, peak %ld KiB\n\n", idle.seconds,
                idle.peakKiB);
    // Growth: the peak above the baseline, against the file's size.
    std::printf("%-24s %-5s %14s %9s %11s %11s  %s\n", "file", "read", "size (bytes)", "time (s)",
                "peak (KiB)", "growth/size", "answer");
    int failures = 0;
    for (const HostileFile& file : writeHostileFiles(dir.path())) {
        for (const char* command : {"ls", "grep"}) {
            QStringList arguments{QString::fromLatin1(command)};
            if (arguments[0] == QLatin1String("grep"))
                arguments << QStringLiteral("W");
            arguments << file.path;
            const Run run = runCli(arguments, dir.filePath(QStringLiteral("err")));
            const QString answer = QString::fromUtf8(run.err);
            const bool right = run.status == 3 && answer.endsWith(file.message);
            failures += right ? 0 : 1;
            const double growth = double(std::max(0L, run.peakKiB - idle.peakKiB)) * 1024.0;
            std::printf("%-24s %-5s %14lld %9.3f %11ld %11.2f  %s%s\n", qPrintable(file.name),
                        command, file.size, run.seconds, run.peakKiB, growth / double(file.size),
                        right ? "" : "WRONG: ", qPrintable(answer.left(40)));
        }
        QFile::remove(file.path);
    }
    return failures == 0 ? 0 : 1;
}
