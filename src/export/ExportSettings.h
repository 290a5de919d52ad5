#pragma once

#include "export/HtmlExport.h"

namespace kelto {

class TpIniFile;

// The page colours and link font of HTML exports, from the settings.
void applyHtmlStyle(const TpIniFile& settings, HtmlExportOptions& options);

} // namespace kelto
