// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"

#include "export/ExportSettings.h"
#include "export/HtmlExport.h"
#include "settings/IniUnit.h"
#include "side/RecentFiles.h"

#include <QFile>

namespace kelto::fuzz {

namespace {

void addRanged(QStringList& out, const TpIniFile& ini, const IntKey& key)
{
    const int value = ini.read(key);
    require(value >= key.range.low && value <= key.range.high, "an integer key reads in range");
    out << QString::number(value);
}

// Everything the program reads from its settings at start and in its
// dialogs, as text.
QStringList everythingRead(const TpIniFile& ini)
{
    namespace k = keys;
    QStringList out;
    const WindowPlacement placement = ini.ReadPlacement();
    out << QString::number(placement.left) << QString::number(placement.top)
        << QString::number(placement.width) << QString::number(placement.height)
        << QString::number(placement.state);
    for (QStringView section : {k::EditorFont, k::NavigatorFont}) {
        FontSpec font;
        ini.ReadFont(section, font);
        out << font.name << QString::number(font.size) << QString::number(font.color)
            << QString::number(font.charset) << QString::number(font.bold)
            << QString::number(font.italic);
    }
    for (const IntKey* key :
         {&k::treepad::ActiveOptionsPage, &k::treepad::OnLoad, &k::navigator::Width,
          &k::navigator::Align, &k::editor::ShiftsCount, &k::listBox::Params, &k::exporting::Format,
          &k::exporting::Objects, &k::exporting::SaveRange, &k::sorting::Direction,
          &k::sorting::Params, &k::dateTime::DefFormat, &k::html::LinkSize, &k::position::State})
        addRanged(out, ini, *key);
    for (const StringKey* key :
         {&k::treepad::LoadFile, &k::listBox::StartRange, &k::listBox::EndRange,
          &k::exporting::TextDelimiter, &k::exporting::HtmlDelimiter, &k::html::LinkFont})
        out << ini.read(*key);
    out << QString::number(ini.read(k::treepad::AlwaysOnTop))
        << QString::number(ini.read(k::navigator::Color))
        << QString::number(ini.read(k::editor::WordWrap));
    const PrintMargins margins = ini.ReadMargins();
    out << QString::number(margins.left) << QString::number(margins.top)
        << QString::number(margins.right) << QString::number(margins.bottom);
    out << ini.ReadFileList() << favorites::read(ini) << ini.ReadList(k::FindList)
        << ini.ReadList(k::ReplaceList);
    for (int i = 0; i < 3; ++i)
        out << ini.ReadFavorite(i);
    HtmlExportOptions html;
    applyHtmlStyle(ini, html);
    out << htmlColor(html.bgColor) << htmlColor(html.link) << html.linkFont
        << QString::number(html.linkSize);
    return out;
}

} // namespace

// A settings file: every value the program reads stays in range, and a
// file written back from what was read gives the same values.
int settingsReader(const std::uint8_t* data, std::size_t size)
{
    const QString path = scratchFile(data, size, QStringLiteral(".ini"));
    const TpIniFile ini(path);
    const QStringList first = everythingRead(ini);
    QFile::remove(path);
    ini.UpdateFile();
    const TpIniFile again(path);
    require(everythingRead(again) == first, "settings written back read the same");
    return 0;
}

} // namespace kelto::fuzz
