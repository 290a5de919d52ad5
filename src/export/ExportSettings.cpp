// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportSettings.h"

#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

namespace kelto {

void applyHtmlStyle(const TpIniFile& settings, HtmlExportOptions& options)
{
    options.bgColor = settings.read(keys::html::BgColor);
    options.link = settings.read(keys::html::Link);
    options.aLink = settings.read(keys::html::ALink);
    options.vLink = settings.read(keys::html::VLink);
    options.linkFont = settings.read(keys::html::LinkFont);
    options.linkSize = settings.read(keys::html::LinkSize);
}

} // namespace kelto
