// The key table: every key's section, name and default as other installations'
// kelto.ini files hold them, and typed access through it.

#include "IniTestFile.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kelto;
using kelto::test::IniTestFile;

namespace {

template <typename Key, typename Value> struct Row
{
    const Key& key;
    const char* section;
    const char* name;
    Value defaultValue;
};

using IntRow = Row<IntKey, int>;
using BoolRow = Row<BoolKey, bool>;
using StringRow = Row<StringKey, QString>;
using ColorRow = Row<ColorKey, int>;

const std::vector<IntRow>& intRows()
{
    namespace k = keys;
    static const std::vector<IntRow> rows{
        {k::position::Left, "Position", "Left", 10},
        {k::position::Top, "Position", "Top", 10},
        {k::position::Width, "Position", "Width", 592},
        {k::position::Height, "Position", "Height", 400},
        {k::position::State, "Position", "State", 0},
        {k::treepad::ActiveOptionsPage, "Treepad", "ActiveOptionsPage", 0},
        {k::treepad::OnLoad, "Treepad", "OnLoad", 2},
        {k::treepad::MaxHistoryCount, "Treepad", "MaxHistoryCount", 4},
        {k::treepad::MaxFavoriteCount, "Treepad", "MaxFavoriteCount", 4},
        {k::navigator::Width, "Navigator", "Width", 185},
        {k::navigator::Align, "Navigator", "Align", 3},
        {k::editor::ShiftsCount, "Editor", "ShiftsCount", 1},
        {k::listBox::Params, "ListBox", "Params", 0},
        {k::exporting::Format, "Export", "Format", 0},
        {k::exporting::Objects, "Export", "Objects", 0},
        {k::exporting::SaveRange, "Export", "SaveRange", 0},
        {k::sorting::Direction, "Sorting", "Direction", 0},
        {k::sorting::Params, "Sorting", "Params", 1},
        {k::html::LinkSize, "HTML", "LinkSize", 10},
        {k::dateTime::DefFormat, "DateTime", "DefFormat", 0},
        {k::print::MarginLeft, "Print", "MarginLeft", 30},
        {k::print::MarginRight, "Print", "MarginRight", 30},
        {k::print::MarginTop, "Print", "MarginTop", 20},
        {k::print::MarginBottom, "Print", "MarginBottom", 20},
    };
    return rows;
}

const std::vector<BoolRow>& boolRows()
{
    namespace k = keys;
    static const std::vector<BoolRow> rows{
        {k::treepad::AlwaysOnTop, "Treepad", "AlwaysOnTop", false},
        {k::treepad::ShowFileManager, "Treepad", "ShowFileManager", false},
        {k::treepad::CreateBackUp, "Treepad", "CreateBackUp", true},
        {k::treepad::MinimizeToTray, "Treepad", "MinimizeToTray", false},
        {k::navigator::DelNodeQuery, "Navigator", "DelNodeQuery", false},
        {k::navigator::ActivateLastNode, "Navigator", "ActivateLastNode", false},
        {k::editor::WordWrap, "Editor", "WordWrap", false},
        {k::editor::UseTabChar, "Editor", "UseTabChar", false},
        {k::exporting::DocInfo, "Export", "DocInfo", true},
        {k::exporting::Path, "Export", "Path", false},
        {k::exporting::Frames, "Export", "Frames", false},
        {k::print::Contents, "Print", "Contents", false},
        {k::print::DocInfo, "Print", "DocInfo", false},
        {k::bars::Status, "Bars", "Status", true},
        {k::bars::Tools, "Bars", "Tools", true},
    };
    return rows;
}

const std::vector<StringRow>& stringRows()
{
    namespace k = keys;
    static const std::vector<StringRow> rows{
        {k::treepad::LoadFile, "Treepad", "LoadFile", QStringLiteral("kelto.nib")},
        {k::listBox::StartRange, "ListBox", "StartRange", QStringLiteral("А")},
        {k::listBox::EndRange, "ListBox", "EndRange", QStringLiteral("Я")},
        {k::listBox::Prefix, "ListBox", "Prefix", QString()},
        {k::listBox::Suffix, "ListBox", "Suffix", QString()},
        {k::exporting::TextDelimiter, "Export", "TextDelimiter", QString(50, u'-')},
        {k::exporting::HtmlDelimiter, "Export", "HtmlDelimiter", QStringLiteral("<hr>")},
        {k::html::LinkFont, "HTML", "LinkFont", QStringLiteral("Tahoma")},
    };
    return rows;
}

const std::vector<ColorRow>& colorRows()
{
    namespace k = keys;
    static const std::vector<ColorRow> rows{
        {k::treepad::Color, "Treepad", "Color", -2147483643},
        {k::navigator::Color, "Navigator", "Color", -2147483643},
        {k::html::BgColor, "HTML", "BgColor", 16777215},
        {k::html::Link, "HTML", "Link", 255},
        {k::html::ALink, "HTML", "ALink", 32768},
        {k::html::VLink, "HTML", "VLink", 8421376},
    };
    return rows;
}

// Checks every row of one type: the names are spelled as documented and an
// empty store yields the documented default.
template <typename Rows> void checkRows(const Rows& rows)
{
    const TpIniFile empty = IniTestFile().open();
    for (const auto& row : rows) {
        SCOPED_TRACE((QByteArray(row.section) + ' ' + row.name).constData());
        EXPECT_EQ(row.key.section, QLatin1String(row.section));
        EXPECT_EQ(row.key.name, QLatin1String(row.name));
        EXPECT_EQ(empty.read(row.key), row.defaultValue);
    }
}

} // namespace

TEST(SettingsKeys, IntegerKeys)
{
    checkRows(intRows());
}

TEST(SettingsKeys, BoolKeys)
{
    checkRows(boolRows());
}

TEST(SettingsKeys, StringKeys)
{
    checkRows(stringRows());
}

TEST(SettingsKeys, ColorKeys)
{
    checkRows(colorRows());
}

TEST(SettingsKeys, FontAndListSectionsKeepTheirNames)
{
    EXPECT_EQ(keys::EditorFont, u"EditorFont");
    EXPECT_EQ(keys::NavigatorFont, u"NavigatorFont");
    const std::pair<ListSection, const char16_t*> lists[] = {
        {keys::FindList, u"FindList/F"},
        {keys::ReplaceList, u"ReplaceList/R"},
        {keys::Favorite, u"Favorite/File"},
        {keys::FileList, u"FileList/File"},
    };
    for (const auto& [list, expected] : lists)
        EXPECT_EQ(QStringLiteral("%1/%2").arg(list.section, list.prefix), QStringView(expected));
}

TEST(SettingsKeys, TypedWritesReachTheObserverAndPlainOnesDoNot)
{
    TpIniFile ini = IniTestFile().open();
    std::vector<QString> heard;
    ini.setWriteObserver([&](const KeyBase& key) {
        heard.push_back(QStringLiteral("%1/%2").arg(key.section, key.name));
        // The value is stored by the time the observer runs.
        if (key == keys::navigator::Align) {
            EXPECT_EQ(ini.read(keys::navigator::Align), 4);
        }
    });
    ini.write(keys::navigator::Align, 4);
    ini.write(keys::editor::WordWrap, true);
    ini.write(keys::treepad::LoadFile, QStringLiteral("x.nib"));
    ini.write(keys::treepad::Color, 0);
    ini.WriteInteger(u"Navigator", u"Align", 3);
    ini.WriteFont(keys::EditorFont, FontSpec{});
    ini.WritePlacement(WindowPlacement{}, 100);
    EXPECT_EQ(heard, (std::vector<QString>{
                         QStringLiteral("Navigator/Align"), QStringLiteral("Editor/WordWrap"),
                         QStringLiteral("Treepad/LoadFile"), QStringLiteral("Treepad/Color")}));
}
