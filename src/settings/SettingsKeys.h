// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <limits>

// Every key of kelto.ini, declared once with its section, type, default and,
// for integers with a fixed set of values, the range of those values. Code
// elsewhere names a key through these descriptors and never spells a section
// or key name itself.

namespace kelto {

// Where a value lives: the section and the key within it.
struct KeyBase
{
    QStringView section;
    QStringView name;
};

inline bool operator==(const KeyBase& a, const KeyBase& b)
{
    return a.section == b.section && a.name == b.name;
}
inline bool operator!=(const KeyBase& a, const KeyBase& b)
{
    return !(a == b);
}

// The values an integer key may hold, bounds included. Reading brings a
// stored value outside them to the nearer bound, so every reader of a key
// sees a value it knows; a value that does not parse still reads as the
// default.
struct IntRange
{
    int low = std::numeric_limits<int>::min();
    int high = std::numeric_limits<int>::max();
};

struct IntKey : KeyBase
{
    int defaultValue;
    IntRange range = {};
};

struct BoolKey : KeyBase
{
    bool defaultValue;
};

struct StringKey : KeyBase
{
    QStringView defaultValue;
};

// A colour held as 0x00BBGGRR; a top byte of 0x80 names a system colour by
// the index in the low byte. Stored in decimal, so system colours are negative.
struct ColorKey : KeyBase
{
    int defaultValue;
};

// A section that holds a list: its values in file order are the items, and
// item i is written under prefix + i.
struct ListSection
{
    QStringView section;
    QStringView prefix;
};

// The six keys of a font section.
struct FontKeys
{
    StringKey name;
    IntKey size;
    ColorKey color;
    IntKey charset; // written as its low 8 bits
    BoolKey bold;
    BoolKey italic;
};

namespace keys {

// The system colour "window background" (index 5).
inline constexpr int WindowBackgroundColor = -2147483643;

inline constexpr IntRange NonNegative{0, std::numeric_limits<int>::max()};

namespace position {
inline constexpr QStringView Section = u"Position";
inline constexpr IntKey Left{{Section, u"Left"}, 10};
inline constexpr IntKey Top{{Section, u"Top"}, 10};
inline constexpr IntKey Width{{Section, u"Width"}, 592};
inline constexpr IntKey Height{{Section, u"Height"}, 400};
// 0 normal, 1 minimized, 2 maximized.
inline constexpr IntKey State{{Section, u"State"}, 0, {0, 2}};
} // namespace position

// General options; the section keeps its historical name.
namespace treepad {
inline constexpr QStringView Section = u"Treepad";
// Index of the options dialog's page shown when it opens; it has five.
inline constexpr IntKey ActiveOptionsPage{{Section, u"ActiveOptionsPage"}, 0, {0, 4}};
inline constexpr BoolKey AlwaysOnTop{{Section, u"AlwaysOnTop"}, false};
inline constexpr BoolKey ShowFileManager{{Section, u"ShowFileManager"}, false};
// At start without a file argument: a new notebook, the most recent file,
// or the file in LoadFile.
inline constexpr int OnLoadNew = 0;
inline constexpr int OnLoadRecent = 1;
inline constexpr int OnLoadFile = 2;
inline constexpr IntKey OnLoad{{Section, u"OnLoad"}, OnLoadFile, {OnLoadNew, OnLoadFile}};
inline constexpr StringKey LoadFile{{Section, u"LoadFile"}, u"kelto.nib"};
inline constexpr ColorKey Color{{Section, u"Color"}, WindowBackgroundColor};
inline constexpr BoolKey CreateBackUp{{Section, u"CreateBackUp"}, true};
inline constexpr BoolKey MinimizeToTray{{Section, u"MinimizeToTray"}, false};
inline constexpr IntKey MaxHistoryCount{{Section, u"MaxHistoryCount"}, 4, {0, 99}};
inline constexpr IntKey MaxFavoriteCount{{Section, u"MaxFavoriteCount"}, 4, {0, 99}};
// Seconds without typing after which unsaved changes are journalled.
inline constexpr IntKey RecoveryInterval{{Section, u"RecoveryInterval"}, 30, {1, 3600}};
} // namespace treepad

namespace navigator {
inline constexpr QStringView Section = u"Navigator";
inline constexpr IntKey Width{{Section, u"Width"}, 185};
// The edge of the window the navigator stands at.
inline constexpr int AlignLeft = 3;
inline constexpr int AlignRight = 4;
inline constexpr IntKey Align{{Section, u"Align"}, AlignLeft, {AlignLeft, AlignRight}};
inline constexpr BoolKey DelNodeQuery{{Section, u"DelNodeQuery"}, false};
inline constexpr BoolKey ActivateLastNode{{Section, u"ActivateLastNode"}, false};
inline constexpr ColorKey Color{{Section, u"Color"}, WindowBackgroundColor};
} // namespace navigator

namespace editor {
inline constexpr QStringView Section = u"Editor";
// Spaces by which block indent and outdent shift lines.
inline constexpr IntKey ShiftsCount{{Section, u"ShiftsCount"}, 1, {1, 10}};
inline constexpr BoolKey WordWrap{{Section, u"WordWrap"}, false};
// Which key inserts a tab character: false Ctrl+Tab, true Tab.
inline constexpr BoolKey UseTabChar{{Section, u"UseTabChar"}, false};
} // namespace editor

// List generator.
namespace listBox {
inline constexpr QStringView Section = u"ListBox";
inline constexpr StringKey StartRange{{Section, u"StartRange"}, u"\u0410"}; // Cyrillic capital A
inline constexpr StringKey EndRange{{Section, u"EndRange"}, u"\u042F"};     // Cyrillic capital Ya
inline constexpr StringKey Prefix{{Section, u"Prefix"}, u""};
inline constexpr StringKey Suffix{{Section, u"Suffix"}, u""};
// 0 after the current section, 1 before it, 2 as its last children.
inline constexpr IntKey Params{{Section, u"Params"}, 0, {0, 2}};
} // namespace listBox

namespace exporting {
inline constexpr QStringView Section = u"Export";
// 0 notebook file, 1 plain text, 2 HTML.
inline constexpr IntKey Format{{Section, u"Format"}, 0, {0, 2}};
// 0 captions, 1 captions and bodies, 2 bodies only.
inline constexpr IntKey Objects{{Section, u"Objects"}, 0, {0, 2}};
// 0 all sections, 1 the current one with its subsections, 2 the current one
// only, 3 its subsections only.
inline constexpr IntKey SaveRange{{Section, u"SaveRange"}, 0, {0, 3}};
inline constexpr BoolKey DocInfo{{Section, u"DocInfo"}, true};
inline constexpr BoolKey Path{{Section, u"Path"}, false};
inline constexpr BoolKey Frames{{Section, u"Frames"}, false};
inline constexpr StringKey TextDelimiter{{Section, u"TextDelimiter"},
                                         u"--------------------------------------------------"};
inline constexpr StringKey HtmlDelimiter{{Section, u"HtmlDelimiter"}, u"<hr>"};
} // namespace exporting

namespace sorting {
inline constexpr QStringView Section = u"Sorting";
// 0 ascending, 1 descending.
inline constexpr IntKey Direction{{Section, u"Direction"}, 0, {0, 1}};
// 0 whole tree, 1 the selected level with its sublevels, 2 that level alone.
inline constexpr IntKey Params{{Section, u"Params"}, 1, {0, 2}};
} // namespace sorting

// Colours and link font of the HTML export.
namespace html {
inline constexpr QStringView Section = u"HTML";
inline constexpr ColorKey BgColor{{Section, u"BgColor"}, 16777215}; // white
inline constexpr ColorKey Link{{Section, u"Link"}, 255};            // red
inline constexpr ColorKey ALink{{Section, u"ALink"}, 32768};        // green
inline constexpr ColorKey VLink{{Section, u"VLink"}, 8421376};      // teal
inline constexpr StringKey LinkFont{{Section, u"LinkFont"}, u"Tahoma"};
inline constexpr IntKey LinkSize{{Section, u"LinkSize"}, 10};
} // namespace html

namespace dateTime {
inline constexpr QStringView Section = u"DateTime";
// Index of the date/time format chosen last, of the fourteen formats.
inline constexpr IntKey DefFormat{{Section, u"DefFormat"}, 0, {0, 13}};
} // namespace dateTime

namespace print {
inline constexpr QStringView Section = u"Print";
inline constexpr BoolKey Contents{{Section, u"Contents"}, false};
inline constexpr BoolKey DocInfo{{Section, u"DocInfo"}, false};
// Page margins in millimetres; read and written together (see PrintMargins).
inline constexpr IntKey MarginLeft{{Section, u"MarginLeft"}, 30, NonNegative};
inline constexpr IntKey MarginRight{{Section, u"MarginRight"}, 30, NonNegative};
inline constexpr IntKey MarginTop{{Section, u"MarginTop"}, 20, NonNegative};
inline constexpr IntKey MarginBottom{{Section, u"MarginBottom"}, 20, NonNegative};
} // namespace print

namespace bars {
inline constexpr QStringView Section = u"Bars";
inline constexpr BoolKey Status{{Section, u"Status"}, true};
inline constexpr BoolKey Tools{{Section, u"Tools"}, true};
} // namespace bars

// Font sections.
inline constexpr QStringView EditorFont = u"EditorFont";
inline constexpr QStringView NavigatorFont = u"NavigatorFont";

// The keys of the font section `section`; the view must outlive the result.
constexpr FontKeys fontKeys(QStringView section)
{
    return FontKeys{{{section, u"Name"}, u"Courier New"},
                    {{section, u"Size"}, 10},
                    {{section, u"Color"}, 0},
                    {{section, u"Charset"}, 204}, // Cyrillic character set
                    {{section, u"Bold"}, false},
                    {{section, u"Italic"}, false}};
}

// List sections: find and replace histories, favourites, recent files.
inline constexpr ListSection FindList{u"FindList", u"F"};
inline constexpr ListSection ReplaceList{u"ReplaceList", u"R"};
inline constexpr ListSection Favorite{u"Favorite", u"File"};
// Recent files: read by name File0 .. File(MaxHistoryCount - 1).
inline constexpr ListSection FileList{u"FileList", u"File"};

} // namespace keys

} // namespace kelto
