// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// kelto-cli's listing, properties and exports of the notebook at path, each
// as a whole process, against iconv decoding the file once and writing the
// result.
void measureExports(const QString& path, double fileMb);
