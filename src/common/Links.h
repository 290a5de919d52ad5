// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace kelto {

// A link found in a line of body text: where it stands and the address it
// opens ("www." links open over http).
struct LinkSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString url;
};

// Links in one line: http, https, ftp, mailto, file and "www." addresses.
// Punctuation that ends a sentence is not part of the link.
QList<LinkSpan> findLinks(QStringView line);
// The link covering the column, if any.
bool linkAt(QStringView line, qsizetype column, LinkSpan* link);

} // namespace kelto
