// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kelto {

// A file made to break a reader and the message the program must answer
// with, whether it reads the file whole (kelto-cli ls, the window) or as a
// stream (kelto-cli grep).
struct HostileFile
{
    QString name;
    QString path;
    QString message;
    qint64 size = 0; // the file's size (sparse files take no disk)
};

// Writes the hostile files into folder:
// - a notebook larger than the machine's memory (a sparse file);
// - a notebook whose body declares 4 GB;
// - a notebook whose outline climbs a million levels in one line;
// - a notebook whose one caption is 100 MB long.
// Each must be refused with the file format message (the level error for
// the outline).
std::vector<HostileFile> writeHostileFiles(const QString& folder);

} // namespace kelto
