// kelto.ini on disk: absent and unreadable files, encodings, failed writes.

#include "IniTestFile.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::IniTestFile;
using kelto::test::TempDir;

TEST(IniFile, AbsentFileGivesDefaultsAndIsCreatedOnUpdate)
{
    IniTestFile file;
    TpIniFile ini = file.open();
    EXPECT_EQ(ini.read(keys::position::Width), 592);
    EXPECT_FALSE(ini.SectionExists(keys::position::Section));
    EXPECT_TRUE(ini.ReadSectionValues(keys::position::Section).isEmpty());

    ini.WritePlacement(WindowPlacement{});
    ini.UpdateFile();
    EXPECT_EQ(file.bytes(), "[Position]\r\nLeft=10\r\nTop=10\r\nWidth=592\r\nHeight=400\r\n"
                            "State=0\r\n\r\n");
}

TEST(IniFile, UnreadableFileGivesAnEmptyStore)
{
    TempDir dir;
    // A folder where the file should be cannot be read as one.
    ASSERT_TRUE(QDir().mkpath(dir.path(QStringLiteral("kelto.ini"))));
    const TpIniFile ini(dir.path(QStringLiteral("kelto.ini")));
    EXPECT_EQ(ini.read(keys::treepad::OnLoad), 2);
    EXPECT_THROW(ini.UpdateFile(), KeltoError);
}

TEST(IniFile, CyrillicIsStoredInTheCodePage)
{
    IniTestFile file;
    const QString name = QStringLiteral("Записки.nib");
    {
        TpIniFile ini = file.open();
        ini.write(keys::treepad::LoadFile, name);
        ini.UpdateFile();
    }
    EXPECT_EQ(file.bytes(), "[Treepad]\r\nLoadFile=\xC7\xE0\xEF\xE8\xF1\xEA\xE8.nib\r\n\r\n");
    EXPECT_EQ(file.open().read(keys::treepad::LoadFile), name);
}

TEST(IniFile, CharactersOutsideTheCodePageSwitchTheFileToMarkedUtf8)
{
    IniTestFile file;
    const QStringList history{QStringLiteral("✓ готово"), QStringLiteral("日本")};
    const QString cyrillic = QStringLiteral("Ёлка");
    {
        TpIniFile ini = file.open();
        ini.write(keys::listBox::StartRange, cyrillic);
        ini.WriteList(keys::FindList, history);
        ini.UpdateFile();
    }
    const QByteArray bytes = file.bytes();
    ASSERT_TRUE(bytes.startsWith(Utf8Bom));
    EXPECT_EQ(bytes.mid(3), QStringLiteral("[ListBox]\r\nStartRange=Ёлка\r\n\r\n"
                                           "[FindList]\r\nF0=✓ готово\r\nF1=日本\r\n\r\n")
                                .toUtf8());

    const TpIniFile reread = file.open();
    EXPECT_EQ(reread.read(keys::listBox::StartRange), cyrillic);
    EXPECT_EQ(reread.ReadList(keys::FindList), history);
}

TEST(IniFile, CodePageFileIsRewrittenByteForByte)
{
    // Every byte from 0x80 up, 0x98 (undefined in the code page) included.
    QByteArray input = "[S]\r\nk=";
    for (int b = 0x80; b <= 0xFF; ++b)
        input += char(b);
    input += "\r\n\r\n";
    IniTestFile file(input);
    file.open().UpdateFile();
    EXPECT_EQ(file.bytes(), input);
}

TEST(IniFile, FailedWriteRaisesAndKeepsTheOldFile)
{
    const QByteArray old = "[Position]\r\nState=1\r\n\r\n";
    IniTestFile file(old);
    TpIniFile ini = file.open();
    ini.WriteString(u"Filler", u"Text", QString(4096, u'x'));

    bool raised = false;
    {
        const test::FileSizeLimit limit(1024);
        try {
            ini.UpdateFile();
        } catch (const KeltoError& error) {
            raised = true;
            EXPECT_TRUE(error.message().contains(file.path()));
        }
    }

    EXPECT_TRUE(raised);
    EXPECT_EQ(file.bytes(), old);
    const QDir folder = QFileInfo(file.path()).dir();
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList{QStringLiteral("kelto.ini")});
}

TEST(IniFile, WriteIntoAMissingFolderRaises)
{
    TempDir dir;
    const TpIniFile ini(dir.path(QStringLiteral("absent/kelto.ini")));
    EXPECT_THROW(ini.UpdateFile(), KeltoError);
}
