// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostileFiles.h"

#include "common/FileIo.h"
#include "document/NotebookFile.h"

#include <QFile>
#include <QtEndian>

#include <stdexcept>

namespace kelto {

namespace {

QByteArray le32(quint32 value)
{
    char b[4];
    qToLittleEndian(value, b);
    return QByteArray(b, 4);
}

// The start of a notebook: signature, a small header and the outline's
// length field; the outline and the bodies follow.
QByteArray notebookStart(qint64 outlineLength)
{
    const QByteArray header = "FlCreate=01.01.2026 10:00\r\n";
    return QByteArray("NIB\x01", 4) + le32(quint32(header.size())) + header +
           le32(quint32(outlineLength));
}

void writeFile(const QString& path, const QByteArray& data, qint64 sparseSize = 0)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size() ||
        (sparseSize > 0 && !file.resize(sparseSize)))
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

std::vector<HostileFile> writeHostileFiles(const QString& folder)
{
    std::vector<HostileFile> files;
    const auto add = [&](const QString& name, const QByteArray& data, const QString& message,
                         qint64 sparseSize = 0) {
        const QString path = folder + u'/' + name;
        writeFile(path, data, sparseSize);
        files.push_back({name, path, message, sparseSize > 0 ? sparseSize : data.size()});
    };

    // A valid notebook of one section, then holes up to past the memory.
    const QByteArray one = notebookStart(3) + "A\r\n" + le32(4) + "text";
    add(QStringLiteral("larger-than-memory.nib"), one, StructureErrorMessage,
        physicalMemory() + (qint64(1) << 20));

    add(QStringLiteral("body-4gb.nib"), notebookStart(3) + "A\r\n" + le32(0xFFFFFFFFu) + "text",
        StructureErrorMessage);

    const qint64 levels = 1000000;
    QByteArray deep = "A\r\n" + QByteArray(levels, '\t') + "B\r\n";
    add(QStringLiteral("million-levels.nib"), notebookStart(deep.size()) + deep + le32(0) + le32(0),
        QStringLiteral("Invalid level (%1) for item \"B\"").arg(levels));
    deep.clear();

    const qint64 captionLength = 100 * 1000 * 1000;
    QByteArray caption(captionLength, 'W');
    caption += "\r\n";
    add(QStringLiteral("caption-100mb.nib"), notebookStart(caption.size()) + caption + le32(0),
        StructureErrorMessage);
    return files;
}

} // namespace kelto
