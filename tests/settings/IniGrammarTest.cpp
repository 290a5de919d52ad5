// How kelto.ini text is read and written back: names, lines, sections.

#include "IniTestFile.h"

#include <gtest/gtest.h>

#include <climits>

using namespace kelto;
using kelto::test::IniTestFile;

namespace {

// What UpdateFile() writes for the store read from `input`, after `change`.
template <typename Change> QByteArray rewritten(const QByteArray& input, Change change)
{
    IniTestFile file(input);
    TpIniFile ini = file.open();
    change(ini);
    ini.UpdateFile();
    return file.bytes();
}

QByteArray rewritten(const QByteArray& input)
{
    return rewritten(input, [](TpIniFile&) {});
}

} // namespace

TEST(IniGrammar, NamesMatchWithoutRegardToCase)
{
    IniTestFile file("[treepad]\r\nalwaysontop=1\r\n[html]\r\nAlink=5\r\n"
                     "[\xCF\xF0\xE8\xEC\xE5\xF0]\r\n\xEA\xEB\xFE\xF7=v\r\n"); // [Пример] ключ=v
    const TpIniFile ini = file.open();
    EXPECT_TRUE(ini.read(keys::treepad::AlwaysOnTop));
    EXPECT_EQ(ini.read(keys::html::ALink), 5);
    // Cyrillic names fold case too.
    EXPECT_EQ(ini.ReadString(u"ПРИМЕР", u"КЛЮЧ", QString()), u"v");
}

TEST(IniGrammar, WriteReplacesTheLineInPlaceSpelledAsWritten)
{
    const QByteArray out = rewritten("[HTML]\r\nLink=1\r\nAlink=5\r\nVLink=7\r\n",
                                     [](TpIniFile& ini) { ini.write(keys::html::ALink, 9); });
    EXPECT_EQ(out, "[HTML]\r\nLink=1\r\nALink=9\r\nVLink=7\r\n\r\n");
}

TEST(IniGrammar, NewKeysEndTheirSectionAndNewSectionsEndTheFile)
{
    const QByteArray out = rewritten("[A]\r\na=1\r\n[B]\r\nb=1\r\n", [](TpIniFile& ini) {
        ini.WriteString(u"C", u"d", QStringLiteral("3"));
        ini.WriteString(u"a", u"c", QStringLiteral("2"));
        ini.WriteString(u"B", u"B", QStringLiteral("4"));
    });
    EXPECT_EQ(out, "[A]\r\na=1\r\nc=2\r\n\r\n[B]\r\nB=4\r\n\r\n[C]\r\nd=3\r\n\r\n");
}

TEST(IniGrammar, RepeatedSectionHeaderOpensASecondSection)
{
    const QByteArray input = "[A]\r\nk=1\r\n[B]\r\nx=0\r\n[a]\r\nk=2\r\nm=3\r\n";
    IniTestFile file(input);
    TpIniFile ini = file.open();
    EXPECT_EQ(ini.ReadString(u"A", u"k", QString()), u"1");
    // Only the first section of the name is looked at.
    EXPECT_EQ(ini.ReadString(u"A", u"m", QStringLiteral("none")), u"none");
    EXPECT_EQ(ini.ReadSectionKeys(u"A"), QStringList{QStringLiteral("k")});

    ini.WriteString(u"A", u"k", QStringLiteral("5"));
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(), "[A]\r\nk=5\r\n\r\n[B]\r\nx=0\r\n\r\n[a]\r\nk=2\r\nm=3\r\n\r\n");
}

TEST(IniGrammar, LineWithoutEqualsSignHasNoKey)
{
    IniTestFile file("[S]\r\nflag\r\nflag=1\r\na=b=c\r\n=e\r\n");
    TpIniFile ini = file.open();
    EXPECT_EQ(ini.ReadString(u"S", u"flag", QString()), u"1");
    // The key ends at the first "=".
    EXPECT_EQ(ini.ReadString(u"S", u"a", QString()), u"b=c");
    EXPECT_EQ(ini.ReadString(u"S", u"", QString()), u"e");
    EXPECT_EQ(ini.ReadSectionKeys(u"S"),
              (QStringList{QString(), QStringLiteral("flag"), QStringLiteral("a"), QString()}));

    ini.WriteString(u"S", u"flag", QStringLiteral("2"));
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(), "[S]\r\nflag\r\nflag=2\r\na=b=c\r\n=e\r\n\r\n");
}

TEST(IniGrammar, NothingIsTrimmed)
{
    IniTestFile file("[ListBox]\r\nPrefix= -\r\nSuffix =x\r\n[ Export]\r\nFormat=2\r\n");
    const TpIniFile ini = file.open();
    EXPECT_EQ(ini.read(keys::listBox::Prefix), u" -");
    // A blank belongs to the key or section name and stops the match.
    EXPECT_EQ(ini.read(keys::listBox::Suffix), QString());
    EXPECT_EQ(ini.ReadString(u"ListBox", u"Suffix ", QString()), u"x");
    EXPECT_EQ(ini.read(keys::exporting::Format), 0);
    EXPECT_TRUE(ini.SectionExists(u" Export"));
}

TEST(IniGrammar, CommentsEmptyLinesAndTextBeforeTheFirstSectionAreDropped)
{
    const QByteArray out = rewritten("k=0\r\n;note\r\n\r\n[S]\r\n;x=1\r\nx=2\r\n\r\n\r\ny=3\r\n");
    EXPECT_EQ(out, "[S]\r\nx=2\r\ny=3\r\n\r\n");
}

TEST(IniGrammar, AnyMixOfLineBreaksSplitsLines)
{
    // LF then CR is two breaks around an empty line, not one.
    const QByteArray out = rewritten("[S]\ra=1\nb=2\r\nc=3\n\rd=4");
    EXPECT_EQ(out, "[S]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n\r\n");
}

TEST(IniGrammar, SectionHeaderNeedsBracketsAtBothEnds)
{
    IniTestFile file("[S]\r\n[\r\n[x\r\n[T]y\r\n[]\r\nk=1\r\n");
    const TpIniFile ini = file.open();
    EXPECT_EQ(ini.ReadSectionKeys(u"S"), (QStringList{QString(), QString(), QString()}));
    EXPECT_EQ(ini.ReadString(u"", u"k", QString()), u"1");
}

TEST(IniGrammar, ErasedSectionIsNotWritten)
{
    const QByteArray out =
        rewritten("[A]\r\na=1\r\n[B]\r\nb=1\r\n[C]\r\nc=1\r\n[b]\r\nb=2\r\n", [](TpIniFile& ini) {
            ini.EraseSection(u"b");
            ini.EraseSection(u"Absent");
            ini.EraseSection(u"A");
            ini.WriteString(u"A", u"a", QStringLiteral("2"));
        });
    EXPECT_EQ(out, "[C]\r\nc=1\r\n\r\n[A]\r\na=2\r\n\r\n");
}

TEST(IniValues, IntegersParseDecimalAndHexOrYieldTheDefault)
{
    struct Case
    {
        const char* text;
        int expected;
    };
    const int def = 10;
    const Case cases[] = {
        {"16", 16},
        {"-12", -12},
        {"+7", 7},
        {"0x10", 16},
        {"0X1f", 31},
        {"$10", 16},
        {"$fF", 255},
        {"0x80000005", -2147483643}, // a system colour in hexadecimal
        {"-2147483648", INT_MIN},
        {"2147483647", INT_MAX},
        {"abc", def},
        {"0x", def}, // too short to be hexadecimal, and not a number
        {"$", def},
        {"0xg", def},
        {"-", def},
        {"", def},
        {" 5", def},
        {"5 ", def},
        {"1.5", def},
        {"-$10", def},
        {"2147483648", def},
        {"0x100000000", def},
        {"99999999999999999999", def},
    };
    for (const Case& c : cases) {
        IniTestFile file(QByteArray("[EditorFont]\r\nSize=") + c.text + "\r\n");
        EXPECT_EQ(file.open().read(keys::fontKeys(keys::EditorFont).size), c.expected) << c.text;
    }
}

TEST(IniValues, BoolIsAnyNonZeroInteger)
{
    IniTestFile file("[S]\r\nTwo=2\r\nMinus=-1\r\nZero=0\r\nHex=$0\r\nJunk=yes\r\n");
    const TpIniFile ini = file.open();
    EXPECT_TRUE(ini.ReadBool(u"S", u"Two", false));
    EXPECT_TRUE(ini.ReadBool(u"S", u"Minus", false));
    EXPECT_FALSE(ini.ReadBool(u"S", u"Zero", true));
    EXPECT_FALSE(ini.ReadBool(u"S", u"Hex", true));
    EXPECT_TRUE(ini.ReadBool(u"S", u"Junk", true));
    EXPECT_FALSE(ini.ReadBool(u"S", u"Junk", false));
    EXPECT_TRUE(ini.ReadBool(u"S", u"Absent", true));
}

TEST(IniValues, NumbersAreWrittenInDecimal)
{
    const QByteArray out = rewritten("[HTML]\r\nLink=$FF\r\n", [](TpIniFile& ini) {
        ini.write(keys::html::Link, ini.read(keys::html::Link));
        ini.write(keys::treepad::Color, keys::WindowBackgroundColor);
        ini.write(keys::treepad::AlwaysOnTop, true);
        ini.write(keys::treepad::MinimizeToTray, false);
    });
    EXPECT_EQ(out, "[HTML]\r\nLink=255\r\n\r\n"
                   "[Treepad]\r\nColor=-2147483643\r\nAlwaysOnTop=1\r\nMinimizeToTray=0\r\n\r\n");
}
