// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Exports of the notebook at path through kelto-cli, each as a whole
// process, against iconv decoding the file once and writing the result.
void measureExports(const QString& path, double fileMb);
