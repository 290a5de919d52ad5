// Values stored as several keys or a whole section: fonts, the window
// placement, lists, favourites, recent files, print margins.

#include "IniTestFile.h"

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::IniTestFile;

namespace {

QStringList list(std::initializer_list<const char16_t*> items)
{
    QStringList result;
    for (const char16_t* item : items)
        result.append(QString::fromUtf16(item));
    return result;
}

} // namespace

TEST(FontSection, ReadingAddsStylesButNeverRemovesThem)
{
    IniTestFile file("[EditorFont]\r\nName=Arial\r\nSize=12\r\nColor=255\r\nCharset=0\r\n"
                     "Bold=0\r\nItalic=1\r\n");
    FontSpec font;
    font.bold = true;
    font.underline = true;
    font.strikeOut = true;
    file.open().ReadFont(keys::EditorFont, font);
    EXPECT_EQ(font.name, u"Arial");
    EXPECT_EQ(font.size, 12);
    EXPECT_EQ(font.color, 255);
    EXPECT_EQ(font.charset, 0);
    EXPECT_TRUE(font.bold);
    EXPECT_TRUE(font.italic);
    EXPECT_TRUE(font.underline);
    EXPECT_TRUE(font.strikeOut);
}

TEST(FontSection, AbsentSectionGivesTheDefaultFaceOverTheCurrentFont)
{
    FontSpec font;
    font.name = QStringLiteral("Arial");
    font.size = 20;
    font.color = 99;
    font.charset = 0;
    IniTestFile().open().ReadFont(keys::NavigatorFont, font);
    EXPECT_EQ(font.name, u"Courier New");
    EXPECT_EQ(font.size, 10);
    EXPECT_EQ(font.color, 0);
    EXPECT_EQ(font.charset, 204);
    EXPECT_FALSE(font.bold);
    EXPECT_FALSE(font.italic);
}

TEST(FontSection, WritesSixKeysInOrderWithTheCharsetsLowByte)
{
    IniTestFile file;
    TpIniFile ini = file.open();
    FontSpec font;
    font.name = QStringLiteral("Times New Roman");
    font.size = 14;
    font.color = 16711680;
    font.charset = 0x1CC;
    font.bold = true;
    font.underline = true;
    ini.WriteFont(keys::NavigatorFont, font);
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(), "[NavigatorFont]\r\nName=Times New Roman\r\nSize=14\r\n"
                            "Color=16711680\r\nCharset=204\r\nBold=1\r\nItalic=0\r\n\r\n");
}

TEST(PlacementSettings, MaximizedWindowKeepsTheBoundsOfTheLastNormalRun)
{
    IniTestFile file("[Position]\r\nLeft=1\r\nTop=2\r\nWidth=300\r\nHeight=200\r\nState=0\r\n"
                     "[Navigator]\r\nWidth=150\r\n");
    TpIniFile ini = file.open();
    WindowPlacement placement = ini.ReadPlacement();
    EXPECT_EQ(placement.left, 1);
    EXPECT_EQ(placement.top, 2);
    EXPECT_EQ(placement.width, 300);
    EXPECT_EQ(placement.height, 200);
    EXPECT_EQ(placement.state, WindowPlacement::Normal);

    placement = WindowPlacement{50, 60, 1920, 1080, WindowPlacement::Maximized};
    ini.WritePlacement(placement, 400);
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(),
              "[Position]\r\nLeft=1\r\nTop=2\r\nWidth=300\r\nHeight=200\r\nState=2\r\n"
              "\r\n[Navigator]\r\nWidth=150\r\n\r\n");
}

TEST(PlacementSettings, NormalOrMinimizedWindowStoresEverything)
{
    for (const int state : {int(WindowPlacement::Normal), int(WindowPlacement::Minimized)}) {
        TpIniFile ini = IniTestFile().open();
        ini.WritePlacement(WindowPlacement{5, 6, 700, 500, state}, 220);
        const WindowPlacement read = ini.ReadPlacement();
        EXPECT_EQ(read.left, 5);
        EXPECT_EQ(read.top, 6);
        EXPECT_EQ(read.width, 700);
        EXPECT_EQ(read.height, 500);
        EXPECT_EQ(read.state, state);
        EXPECT_EQ(ini.read(keys::navigator::Width), 220);
    }
}

TEST(ListSection, ItemsAreValuesInFileOrderAndAreRenumberedOnWrite)
{
    IniTestFile file("[FindList]\r\nF3=c\r\nF0=a\r\nF1=b\r\n");
    TpIniFile ini = file.open();
    const QStringList items = ini.ReadList(keys::FindList);
    EXPECT_EQ(items, list({u"c", u"a", u"b"}));
    ini.WriteList(keys::FindList, items);
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(), "[FindList]\r\nF0=c\r\nF1=a\r\nF2=b\r\n\r\n");
}

TEST(ListSection, RepeatedKeyYieldsItsFirstValueAndBareLineAnEmptyItem)
{
    IniTestFile file("[ReplaceList]\r\nR0=a\r\nplain\r\nr0=b\r\nR1=\r\n");
    EXPECT_EQ(file.open().ReadList(keys::ReplaceList), list({u"a", u"", u"a", u""}));
}

TEST(ListSection, EmptyListRemovesTheSection)
{
    // A repeated header would otherwise bring back the old history.
    const QByteArray input = "[FindList]\r\nF0=a\r\n[Bars]\r\nTools=0\r\n[FindList]\r\nF0=b\r\n";
    IniTestFile file(input);
    TpIniFile ini = file.open();
    ini.WriteList(keys::FindList, {});
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(), "[Bars]\r\nTools=0\r\n\r\n");
}

TEST(Favorites, AddedEntriesLandAtTheEndAndAreFoundByIndex)
{
    TpIniFile ini = IniTestFile().open();
    ini.AddFavoriteEntry(QStringLiteral("/home/a.nib"));
    ini.AddFavoriteEntry(QStringLiteral("/home/b.nib"));
    EXPECT_EQ(ini.ReadSectionKeys(keys::Favorite.section), list({u"File0", u"File1"}));
    EXPECT_EQ(ini.ReadFavorite(0), u"/home/a.nib");
    EXPECT_EQ(ini.ReadFavorite(1), u"/home/b.nib");
    EXPECT_EQ(ini.ReadFavorite(2), QString());
    EXPECT_EQ(ini.ReadFavorite(-1), QString());
}

TEST(Favorites, AddingWithGapsInTheNumbersOverwritesNothing)
{
    // Two keys, and File2 is taken: the new entry must not replace it.
    IniTestFile file("[Favorite]\r\nFile0=a\r\nFile2=c\r\n");
    TpIniFile ini = file.open();
    ini.AddFavoriteEntry(QStringLiteral("d"));
    EXPECT_EQ(ini.ReadList(keys::Favorite), list({u"a", u"c", u"d"}));
    EXPECT_EQ(ini.ReadFavorite(2), u"d");

    // Lowering the maximum keeps the first entries, renumbered.
    ini.WriteList(keys::Favorite, ini.ReadList(keys::Favorite).mid(0, 2));
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(), "[Favorite]\r\nFile0=a\r\nFile1=c\r\n\r\n");
}

TEST(RecentFiles, ReadByNameUpToTheHistoryLengthSkippingGaps)
{
    IniTestFile file("[FileList]\r\nFile5=z\r\nFile2=c\r\nFile0=a\r\nFile1=\r\n"
                     "[Treepad]\r\nMaxHistoryCount=6\r\n");
    TpIniFile ini = file.open();
    EXPECT_EQ(ini.ReadFileList(4), list({u"a", u"c"}));
    EXPECT_EQ(ini.ReadFileList(), list({u"a", u"c", u"z"}));

    ini.WriteFileList(ini.ReadFileList(4));
    ini.UpdateFile();
    // The erased section comes back at the end of the file.
    EXPECT_EQ(file.bytes(), "[Treepad]\r\nMaxHistoryCount=6\r\n\r\n"
                            "[FileList]\r\nFile0=a\r\nFile1=c\r\n\r\n");
}

TEST(RecentFiles, EmptyEntriesAreNotWritten)
{
    IniTestFile file;
    TpIniFile ini = file.open();
    ini.WriteFileList(list({u"a", u"", u"c"}));
    EXPECT_EQ(ini.ReadSectionKeys(keys::FileList.section), list({u"File0", u"File2"}));
    ini.WriteFileList({});
    EXPECT_FALSE(ini.SectionExists(keys::FileList.section));
}

TEST(MarginSettings, ReadAndWrittenTogetherInOrder)
{
    IniTestFile file("[Print]\r\nMarginTop=5\r\n");
    TpIniFile ini = file.open();
    const PrintMargins read = ini.ReadMargins();
    EXPECT_EQ(read.left, 30);
    EXPECT_EQ(read.top, 5);
    EXPECT_EQ(read.right, 30);
    EXPECT_EQ(read.bottom, 20);

    ini.WriteMargins(PrintMargins{1, 2, 3, 4});
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(), "[Print]\r\nMarginTop=2\r\nMarginLeft=1\r\nMarginRight=3\r\n"
                            "MarginBottom=4\r\n\r\n");
}
