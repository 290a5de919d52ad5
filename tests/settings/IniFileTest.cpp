// SPDX-License-Identifier: GPL-3.0-or-later
// kelto.ini as text and as bytes on disk: how names and values are found,
// how the file is written back, numbers, encodings, failed writes, the
// values stored as several keys or a whole section, and where the file lives.

#include "TestSupport.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "settings/ConfigLocation.h"
#include "settings/IniUnit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <climits>

#include <unistd.h>

using namespace kelto;
using namespace Qt::StringLiterals;

namespace {

// kelto.ini in a fresh folder, absent or holding the given bytes.
class IniTestFile
{
public:
    explicit IniTestFile(const QByteArray& bytes = QByteArray())
    {
        if (!bytes.isNull())
            test::writeBytes(path(), bytes);
    }
    QString path() const { return m_dir.path(u"kelto.ini"_s); }
    TpIniFile open() const { return TpIniFile(path()); }
    QByteArray bytes() const { return test::readBytes(path()); }
    // What UpdateFile() writes for the store read from the file after `change`.
    template <typename Change> QByteArray rewritten(Change&& change) const
    {
        TpIniFile ini = open();
        change(ini);
        ini.UpdateFile();
        return bytes();
    }

private:
    test::TempDir m_dir;
};

} // namespace

TEST(IniGrammar, HowNamesAndValuesAreFound)
{
    const QByteArray repeated = "[A]\r\nk=1\r\n[B]\r\nx=0\r\n[a]\r\nk=2\r\nm=3\r\n";
    const QByteArray keyless = "[S]\r\nflag\r\nflag=1\r\na=b=c\r\n=e\r\n";
    const QByteArray blanks = "[ListBox]\r\nPrefix= -\r\nSuffix =x\r\n[ Export]\r\nFormat=2\r\n";
    const QByteArray headers = "[S]\r\n[\r\n[x\r\n[T]y\r\n[]\r\nk=1\r\n";
    // File, section, key, the value found ("-" for none).
    // clang-format off
    const std::tuple<QByteArray, const char16_t*, const char16_t*, const char16_t*> cases[] = {
        // Names match without regard to case, Cyrillic ones too.
        {"[treepad]\r\nalwaysontop=1\r\n", u"Treepad", u"AlwaysOnTop", u"1"},
        {"[\xCF\xF0\xE8\xEC\xE5\xF0]\r\n\xEA\xEB\xFE\xF7=v\r\n", u"ПРИМЕР", u"КЛЮЧ", u"v"},
        // Only the first section of a repeated name is looked at.
        {repeated, u"A", u"k", u"1"}, {repeated, u"A", u"m", u"-"},
        // A line without "=" has no key; the key ends at the first "=".
        {keyless, u"S", u"flag", u"1"}, {keyless, u"S", u"a", u"b=c"}, {keyless, u"S", u"", u"e"},
        // Nothing is trimmed: a blank belongs to the name.
        {blanks, u"ListBox", u"Prefix", u" -"}, {blanks, u"ListBox", u"Suffix", u"-"},
        {blanks, u"ListBox", u"Suffix ", u"x"}, {blanks, u"Export", u"Format", u"-"},
        {blanks, u" Export", u"Format", u"2"},
        // Comments are no values; a header needs brackets at both ends.
        {"[S]\r\n;y=2\r\n", u"S", u";y", u"-"}, {headers, u"", u"k", u"1"}};
    // clang-format on
    for (const auto& [bytes, section, key, value] : cases) {
        const QString found = IniTestFile(bytes).open().ReadString(section, key, u"-"_s);
        EXPECT_EQ(found, QString::fromUtf16(value))
            << testing::PrintToString(bytes) << " [" << QString::fromUtf16(section).toStdString()
            << "] " << QString::fromUtf16(key).toStdString();
    }
}

TEST(IniGrammar, HowTheFileIsWrittenBack)
{
    QByteArray high = "[S]\r\nk=";
    for (int b = 0x80; b <= 0xFF; ++b) // 0x98, undefined in the code page, included
        high += char(b);
    high += "\r\n\r\n";
    // Input, changes ("Section/key=value" writes, "-Section" erasures), output.
    const std::tuple<QByteArray, const char*, QByteArray> cases[] = {
        // A write replaces the line in place, spelled as written.
        {"[HTML]\r\nLink=1\r\nAlink=5\r\nVLink=7\r\n", "HTML/ALink=9",
         "[HTML]\r\nLink=1\r\nALink=9\r\nVLink=7\r\n\r\n"},
        // New keys end their section, new sections the file.
        {"[A]\r\na=1\r\n[B]\r\nb=1\r\n", "C/d=3 a/c=2 B/B=4",
         "[A]\r\na=1\r\nc=2\r\n\r\n[B]\r\nB=4\r\n\r\n[C]\r\nd=3\r\n\r\n"},
        // Only the first of a repeated section is written; a keyless line stays.
        {"[A]\r\nk=1\r\n[a]\r\nk=2\r\n[S]\r\nflag\r\nflag=1\r\n", "A/k=5 S/flag=2",
         "[A]\r\nk=5\r\n\r\n[a]\r\nk=2\r\n\r\n[S]\r\nflag\r\nflag=2\r\n\r\n"},
        // Erasing removes every section of the name.
        {"[A]\r\na=1\r\n[B]\r\nb=1\r\n[C]\r\nc=1\r\n[b]\r\nb=2\r\n", "-b -Absent -A A/a=2",
         "[C]\r\nc=1\r\n\r\n[A]\r\na=2\r\n\r\n"},
        // Comments, empty lines and text before the first section go; every
        // break becomes CR LF (LF CR is two breaks around an empty line).
        {"k=0\r\n;note\r\n\r\n[S]\r\n;x=1\r\nx=2\r\n\r\n\r\ny=3\n\rz=4\ra=5", "",
         "[S]\r\nx=2\r\ny=3\r\nz=4\r\na=5\r\n\r\n"},
        // A code page file is written back byte for byte.
        {high, "", high}};
    for (const auto& [input, changes, output] : cases) {
        EXPECT_EQ(IniTestFile(input).rewritten([changes = changes](TpIniFile& ini) {
            for (const QString& c : QString::fromUtf8(changes).split(u' ', Qt::SkipEmptyParts)) {
                const qsizetype slash = c.indexOf(u'/'), equals = c.indexOf(u'=');
                if (c.startsWith(u'-'))
                    ini.EraseSection(c.mid(1));
                else
                    ini.WriteString(c.left(slash), c.mid(slash + 1, equals - slash - 1),
                                    c.mid(equals + 1));
            }
        }),
                  output)
            << testing::PrintToString(input) << " after " << changes;
    }
    // Numbers, system colours and flags are written in decimal.
    EXPECT_EQ(IniTestFile("[HTML]\r\nLink=$FF\r\n").rewritten([](TpIniFile& ini) {
        ini.write(keys::html::Link, ini.read(keys::html::Link));
        ini.write(keys::treepad::Color, keys::WindowBackgroundColor);
        ini.write(keys::treepad::AlwaysOnTop, true);
    }),
              "[HTML]\r\nLink=255\r\n\r\n[Treepad]\r\nColor=-2147483643\r\nAlwaysOnTop=1\r\n\r\n");
}

TEST(IniValues, IntegersAreDecimalOrHexadecimalElseTheDefault)
{
    // 0x80000005 is a system colour written in hexadecimal.
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"16", 16}, {"-12", -12}, {"+7", 7}, {"0x10", 16}, {"0X1f", 31}, {"$10", 16}, {"$fF", 255},
        {"0x80000005", -2147483643}, {"-2147483648", INT_MIN}, {"2147483647", INT_MAX},
        {"abc", 10}, {"0x", 10}, {"$", 10}, {"0xg", 10}, {"-", 10}, {"", 10}, {" 5", 10},
        {"5 ", 10}, {"1.5", 10}, {"-$10", 10}, {"2147483648", 10}, {"0x100000000", 10},
        {"99999999999999999999", 10}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        IniTestFile file("[S]\r\nk=" + QByteArray(text) + "\r\n");
        EXPECT_EQ(file.open().ReadInteger(u"S", u"k", 10), expected) << text;
    }
    // Any non-zero integer is true; what is not an integer gives the default.
    const TpIniFile ini =
        IniTestFile("[S]\r\nTwo=2\r\nMinus=-1\r\nZero=0\r\nHex=$0\r\nJunk=yes\r\n").open();
    const std::tuple<const char16_t*, bool, bool> bools[] = {
        {u"Two", false, true}, {u"Minus", false, true}, {u"Zero", true, false},
        {u"Hex", true, false}, {u"Junk", true, true},   {u"Junk", false, false}};
    for (const auto& [key, def, expected] : bools)
        EXPECT_EQ(ini.ReadBool(u"S", key, def), expected) << QString::fromUtf16(key).toStdString();
}

TEST(IniValues, RangedKeysReadInsideTheirRange)
{
    // Hand-edited values: outside its range a key reads as the nearer bound,
    // junk as the default; a key without a range reads as stored.
    const TpIniFile ini =
        IniTestFile("[Editor]\r\nShiftsCount=-5\r\n[Treepad]\r\nMaxHistoryCount=0x7FFFFFFF\r\n"
                    "OnLoad=3\r\n[Navigator]\r\nAlign=5\r\nWidth=-20\r\n[Sorting]\r\nParams=x\r\n"
                    "[Position]\r\nState=-1\r\n[Print]\r\nMarginTop=-1\r\nMarginLeft=900\r\n")
            .open();
    const std::pair<IntKey, int> cases[] = {
        {keys::editor::ShiftsCount, 1}, {keys::treepad::MaxHistoryCount, 99},
        {keys::treepad::OnLoad, 2},     {keys::navigator::Align, 4},
        {keys::navigator::Width, -20},  {keys::sorting::Params, 1},
        {keys::position::State, 0},     {keys::print::MarginTop, 0},
        {keys::print::MarginLeft, 900}, {keys::exporting::SaveRange, 0}};
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(ini.read(key), expected) << key.name.toString().toStdString();
}

TEST(IniFile, AbsentFullAndUnreadableFiles)
{
    IniTestFile file;
    // Defaults that decide behaviour: backups on, start with the LoadFile notebook.
    EXPECT_TRUE(file.open().read(keys::treepad::CreateBackUp));
    EXPECT_EQ(file.open().read(keys::treepad::OnLoad), 2);
    const QByteArray placement =
        "[Position]\r\nLeft=10\r\nTop=10\r\nWidth=592\r\nHeight=400\r\nState=0\r\n\r\n";
    EXPECT_EQ(file.rewritten([](TpIniFile& ini) { ini.WritePlacement(WindowPlacement{}); }),
              placement);
    // A full disk: an error naming the file, and the old file kept whole.
    TpIniFile ini = file.open();
    ini.WriteString(u"Filler", u"Text", QString(4096, u'x'));
    {
        const test::FileSizeLimit full(1024);
        EXPECT_TRUE(test::errorOf([&] { ini.UpdateFile(); }).contains(file.path()));
    }
    EXPECT_EQ(file.bytes(), placement);
    // A folder where the file should be can be neither read nor replaced.
    const TpIniFile folder(QFileInfo(file.path()).path());
    EXPECT_TRUE(folder.read(keys::treepad::CreateBackUp));
    EXPECT_THROW(folder.UpdateFile(), KeltoError);
}

TEST(IniFile, CyrillicStaysInTheCodePageAndOtherTextSwitchesTheFileToMarkedUtf8)
{
    IniTestFile file;
    EXPECT_EQ(file.rewritten(
                  [](TpIniFile& ini) { ini.write(keys::treepad::LoadFile, u"Записки.nib"_s); }),
              "[Treepad]\r\nLoadFile=\xC7\xE0\xEF\xE8\xF1\xEA\xE8.nib\r\n\r\n");
    EXPECT_EQ(file.open().read(keys::treepad::LoadFile), u"Записки.nib"_s);

    const QStringList history{u"✓ готово"_s, u"日本"_s};
    EXPECT_EQ(file.rewritten([&](TpIniFile& ini) { ini.WriteList(keys::FindList, history); }),
              QByteArray(Utf8Bom) + u"[Treepad]\r\nLoadFile=Записки.nib\r\n\r\n"
                                    u"[FindList]\r\nF0=✓ готово\r\nF1=日本\r\n\r\n"_s.toUtf8());
    const TpIniFile reread = file.open();
    EXPECT_EQ(reread.read(keys::treepad::LoadFile), u"Записки.nib"_s);
    EXPECT_EQ(reread.ReadList(keys::FindList), history);
}

TEST(FontSection, ReadingAddsStylesButNeverRemovesThemAndWritingStoresSixKeys)
{
    IniTestFile file("[EditorFont]\r\nName=Arial\r\nSize=12\r\nColor=255\r\nCharset=0\r\n"
                     "Bold=0\r\nItalic=1\r\n");
    FontSpec font;
    font.bold = font.underline = font.strikeOut = true;
    file.open().ReadFont(keys::EditorFont, font);
    EXPECT_EQ(std::tuple(font.name, font.size, font.color, font.charset),
              std::tuple(u"Arial"_s, 12, 255, 0));
    EXPECT_TRUE(font.bold && font.italic && font.underline && font.strikeOut);
    // An absent section gives the default face, with the Cyrillic character set.
    file.open().ReadFont(keys::NavigatorFont, font);
    EXPECT_EQ(std::tuple(font.name, font.size, font.color, font.charset),
              std::tuple(u"Courier New"_s, 10, 0, 204));

    font = FontSpec{u"Times New Roman"_s, 14, 16711680, 0x1CC, true, false, true, false};
    EXPECT_EQ(IniTestFile().rewritten([&](TpIniFile& ini) { ini.WriteFont(u"F", font); }),
              "[F]\r\nName=Times New Roman\r\nSize=14\r\nColor=16711680\r\nCharset=204\r\n"
              "Bold=1\r\nItalic=0\r\n\r\n");
}

TEST(RecentFiles, ReadByNameUpToTheHistoryLengthSkippingGaps)
{
    IniTestFile file("[FileList]\r\nFile5=z\r\nFile2=c\r\nFile0=a\r\nFile1=\r\nFile4=y\r\n");
    EXPECT_EQ(file.open().ReadFileList(), (QStringList{u"a"_s, u"c"_s})) << "four by default";
    EXPECT_EQ(file.open().ReadFileList(6), (QStringList{u"a"_s, u"c"_s, u"y"_s, u"z"_s}));
    // Empty entries are not written; no entries, no section.
    EXPECT_EQ(file.rewritten([](TpIniFile& ini) {
        ini.WriteFileList({u"a"_s, QString(), u"c"_s});
    }),
              "[FileList]\r\nFile0=a\r\nFile2=c\r\n\r\n");
    TpIniFile ini = file.open();
    ini.WriteFileList({});
    EXPECT_FALSE(ini.SectionExists(keys::FileList.section));
}

TEST(ConfigLocation, OverrideThenPortableProgramFolderThenTheUserConfigFolder)
{
    test::TempDir dir;
    const QString exe = dir.path(u"bin"_s), xdg = dir.path(u"xdg"_s), home = dir.root();
    const QString user = xdg + u"/kelto"_s, dotConfig = home + u"/.config/kelto"_s;
    ASSERT_TRUE(QDir().mkpath(exe));
    // A missing override folder is made, so the file can be written there.
    const QString override = dir.path(u"custom/settings"_s);
    EXPECT_EQ(configDirectoryFor({override, exe, xdg, home}), override);
    EXPECT_TRUE(QFileInfo(override).isDir());
    EXPECT_EQ(configDirectoryFor({QString(), exe, xdg, home}), exe);
    EXPECT_FALSE(QFileInfo::exists(xdg));
    // A missing program folder cannot hold settings; the user folder is made.
    EXPECT_EQ(configDirectoryFor({QString(), dir.path(u"absent"_s), xdg, home}), user);
    EXPECT_TRUE(QFileInfo(user).isDir());
    // Without XDG_CONFIG_HOME, or with a relative one, ~/.config is used.
    EXPECT_EQ(configDirectoryFor({QString(), QString(), QString(), home}), dotConfig);
    EXPECT_EQ(configDirectoryFor({QString(), QString(), u"rel"_s, home}), dotConfig);

    // A read-only program folder is used only when it already holds the file
    // (a superuser may write anywhere, so only others see the first case).
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner);
    if (geteuid() != 0) {
        EXPECT_EQ(configDirectoryFor({QString(), exe, xdg, home}), user);
    }
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    test::writeBytes(exe + u"/kelto.ini"_s, "[Bars]\r\n");
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(configDirectoryFor({QString(), exe, xdg, home}), exe);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
