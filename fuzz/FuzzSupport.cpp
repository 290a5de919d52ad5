// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace kelto::fuzz {

QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

unsigned selector(const std::uint8_t* data, std::size_t size)
{
    return size == 0 ? 0u : unsigned(data[size - 1]);
}

QString scratchFile(const std::uint8_t* data, std::size_t size, const QString& suffix)
{
    const QString path =
        QDir::tempPath() +
        QStringLiteral("/kelto-fuzz-%1%2").arg(QCoreApplication::applicationPid()).arg(suffix);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

} // namespace kelto::fuzz
