// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// kelto-cli's listing, properties and exports of the notebook at path, each
// as a whole process, against iconv decoding the file once and writing the
// result.
void measureExports(const QString& path, double fileMb);

// kelto-cli printing every section of the notebook at path to a PDF file.
// There is no cheaper way to the same pages to compare with; the target is
// a time.
void measurePrint(const QString& path);
