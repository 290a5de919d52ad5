// SPDX-License-Identifier: GPL-3.0-or-later
// The recent-files list and the favourites as the settings hold them: moves
// to the front, exact comparison of cleaned paths, the limits, hand-edited
// sections with gaps, doubles and lengths out of range.

#include "side/RecentFiles.h"
#include "TestSupport.h"
#include "settings/IniUnit.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kelto;
using namespace Qt::StringLiterals;

namespace {

TpIniFile settingsWith(const test::TempDir& dir, const char* text)
{
    return TpIniFile(dir.file(u"kelto.ini"_s, QByteArray(text)));
}

QString keysAndValues(const TpIniFile& ini, const ListSection& list)
{
    return ini.ReadSectionKeys(list.section).join(u',') + u'=' + ini.ReadList(list).join(u',');
}

} // namespace

TEST(HistoryList, RecordsNewestFirstWithinItsLength)
{
    // Steps: a path is recorded, "#n" sets the length.
    struct Case
    {
        const char* ini;
        std::vector<const char*> steps;
        QStringList expected;
    };
    const Case cases[] = {
        {"", {"/a", "/b", "/c", "/d", "/e"}, {u"/e"_s, u"/d"_s, u"/c"_s, u"/b"_s}},
        {"", {"/a", "/b", "/c", "/d", "/e", "/c"}, {u"/c"_s, u"/e"_s, u"/d"_s, u"/b"_s}},
        // Linux names differ in case; "." and ".." name the same file.
        {"", {"/n/A.nib", "/n/a.nib"}, {u"/n/a.nib"_s, u"/n/A.nib"_s}},
        {"", {"/n/a.nib", "/x", "/n/./m/../a.nib"}, {u"/n/a.nib"_s, u"/x"_s}},
        {"", {"/n/./b.nib"}, {u"/n/b.nib"_s}},
        {"[Treepad]\r\nMaxHistoryCount=0\r\n", {"/a"}, {}},
        {"", {"/a", "/b", "/c", "/d", "#2", "/e"}, {u"/e"_s, u"/d"_s}},
        {"", {"/a", "#-5", "/b"}, {}},
        // Gaps load as they come; a file named twice keeps its newer place.
        {"[FileList]\r\nFile0=/a\r\nFile2=/c\r\nFile3=/a\r\n", {}, {u"/a"_s, u"/c"_s}},
        {"[FileList]\r\nFile0=/a\r\nFile1=/b\r\n", {"/c"}, {u"/c"_s, u"/a"_s, u"/b"_s}},
        // Hand-edited lengths are kept within 0 to 99.
        {"[Treepad]\r\nMaxHistoryCount=-3\r\n[FileList]\r\nFile0=/a\r\n", {"/b"}, {}},
        {"[Treepad]\r\nMaxHistoryCount=2000000000\r\n[FileList]\r\nFile98=/z\r\nFile99=/y\r\n",
         {},
         {u"/z"_s}},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        HistoryList history;
        history.load(settingsWith(dir, c.ini));
        for (const char* step : c.steps) {
            if (step[0] == '#')
                history.setMaximum(QByteArray(step + 1).toInt());
            else
                history.record(QString::fromUtf8(step));
        }
        EXPECT_EQ(history.entries(), c.expected) << c.ini << " " << c.steps.size();
    }
    HistoryList huge;
    huge.setMaximum(1 << 30);
    EXPECT_EQ(huge.maximum(), 99);
}

TEST(HistoryList, SavesWithoutGaps)
{
    test::TempDir dir;
    TpIniFile ini = settingsWith(dir, "[FileList]\r\nFile0=/a\r\nFile2=/c\r\n");
    HistoryList history;
    history.load(ini);
    history.save(ini);
    EXPECT_EQ(keysAndValues(ini, keys::FileList), u"File0,File1=/a,/c"_s);
}

TEST(Favorites, AddLimitAndTrim)
{
    struct Case
    {
        const char* ini;
        bool full;
        QString afterAdd; // keys and values once "/n" is added
        QString trimmed;  // ... and then cut to the stored maximum
    };
    const Case cases[] = {
        {"", false, u"File0=/n"_s, u"File0=/n"_s},
        // A gap: the new entry takes the free key and comes last.
        {"[Favorite]\r\nFile0=/a\r\nFile2=/c\r\n", false, u"File0,File2,File1=/a,/c,/n"_s,
         u"File0,File2,File1=/a,/c,/n"_s},
        {"[Favorite]\r\nFile0=/a\r\nFile1=/b\r\nFile2=/c\r\nFile3=/d\r\n", true,
         u"File0,File1,File2,File3,File4=/a,/b,/c,/d,/n"_s,
         u"File0,File1,File2,File3=/a,/b,/c,/d"_s},
        // A list above the maximum stays full and is cut from its end.
        {"[Treepad]\r\nMaxFavoriteCount=1\r\n[Favorite]\r\nFile5=/a\r\nFile0=/b\r\n", true,
         u"File5,File0,File1=/a,/b,/n"_s, u"File0=/a"_s},
        {"[Treepad]\r\nMaxFavoriteCount=-7\r\n", true, u"File0=/n"_s, u"="_s},
        {"[Treepad]\r\nMaxFavoriteCount=4000000000\r\n[Favorite]\r\nFile0=/a\r\n", false,
         u"File0,File1=/a,/n"_s, u"File0,File1=/a,/n"_s},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        TpIniFile ini = settingsWith(dir, c.ini);
        EXPECT_EQ(favorites::isFull(ini), c.full) << c.ini;
        favorites::add(ini, u"/n"_s);
        EXPECT_EQ(keysAndValues(ini, keys::Favorite), c.afterAdd) << c.ini;
        favorites::trimToMaximum(ini);
        EXPECT_EQ(keysAndValues(ini, keys::Favorite), c.trimmed) << c.ini;
    }
}
