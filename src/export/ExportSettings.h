// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/HtmlExport.h"

namespace kelto {

class TpIniFile;

// The page colours and link font of HTML exports, from the settings.
void applyHtmlStyle(const TpIniFile& settings, HtmlExportOptions& options);

} // namespace kelto
