// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

namespace kelto::cli {

// Exit statuses of kelto-cli.
enum ExitStatus
{
    Success = 0,
    NothingFound = 1,
    UsageError = 2,
    FileError = 3,
};

// Runs one command line (without the program name). Terminal output goes to
// out and messages to err, both UTF-8 with "\n" line breaks.
int run(const QStringList& arguments, QByteArray& out, QByteArray& err);

// The names of the commands, in the order the usage lists them.
QStringList commandNames();

} // namespace kelto::cli
