#include "common/FileIo.h"
#include "TestSupport.h"
#include "common/KeltoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kelto;
using kelto::test::TempDir;

TEST(FileIo, AtomicWriteReplacesWholeAndLeavesNoTemporaries)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("a.nib"));
    test::writeBytes(path, QByteArray(10000, 'x'));
    writeFileAtomically(path, QByteArray("new"));
    EXPECT_EQ(test::readBytes(path), QByteArray("new"));
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files), QStringList{QStringLiteral("a.nib")});
}

TEST(FileIo, FailedWriteKeepsTheOldFile)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("a.nib"));
    test::writeBytes(path, QByteArray("old"));
    {
        const test::FileSizeLimit full(4096); // as if the disk were full
        EXPECT_THROW(writeFileAtomically(path, QByteArray(100000, 'n')), KeltoError);
    }
    EXPECT_EQ(test::readBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files), QStringList{QStringLiteral("a.nib")});
}

TEST(FileIo, WriteIntoMissingFolderFailsWithMessage)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("no/such/folder/a.nib"));
    try {
        writeFileAtomically(path, QByteArray("x"));
        FAIL() << "no error";
    } catch (const KeltoError& e) {
        EXPECT_TRUE(e.message().contains(path));
    }
}

TEST(FileIo, FailureInsideTheReplaceStepLeavesTheTargetUntouched)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("a.nib"));
    test::writeBytes(path, QByteArray("old"));
    EXPECT_THROW(writeFileAtomically(path, QByteArray("new"),
                                     [] { throw KeltoError(QStringLiteral("stop")); }),
                 KeltoError);
    EXPECT_EQ(test::readBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files), QStringList{QStringLiteral("a.nib")});
}

TEST(FileIo, BackupNames)
{
    EXPECT_EQ(backupPathFor(QStringLiteral("/d/a.nib")), QStringLiteral("/d/a.bak"));
    EXPECT_EQ(backupPathFor(QStringLiteral("/d/a")), QStringLiteral("/d/a.bak"));
    EXPECT_EQ(backupPathFor(QStringLiteral("/d.x/a")), QStringLiteral("/d.x/a.bak"));
    EXPECT_EQ(backupPathFor(QStringLiteral("/d/a.b.nib")), QStringLiteral("/d/a.b.bak"));
}

TEST(FileIo, BackupCopyReplacesAnOlderBackupAndSurvivesTheNextWrite)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("a.nib"));
    const QString bak = dir.path(QStringLiteral("a.bak"));
    test::writeBytes(path, QByteArray("one"));
    test::writeBytes(bak, QByteArray("ancient"));
    writeFileAtomically(path, QByteArray("two"), [&] { makeBackupCopy(path, bak); });
    EXPECT_EQ(test::readBytes(path), QByteArray("two"));
    EXPECT_EQ(test::readBytes(bak), QByteArray("one"));
}

TEST(FileIo, BackupThroughASymbolicLinkKeepsTheOldContent)
{
    TempDir dir;
    const QString real = dir.path(QStringLiteral("real.nib"));
    const QString link = dir.path(QStringLiteral("link.nib"));
    const QString bak = dir.path(QStringLiteral("link.bak"));
    test::writeBytes(real, QByteArray("old"));
    ASSERT_TRUE(QFile::link(real, link));
    writeFileAtomically(link, QByteArray("new"), [&] { makeBackupCopy(link, bak); });
    EXPECT_EQ(test::readBytes(link), QByteArray("new"));
    EXPECT_EQ(test::readBytes(bak), QByteArray("old"));
}

TEST(FileIo, ReadWholeFileReportsTheGivenMessage)
{
    TempDir dir;
    try {
        readWholeFile(dir.path(QStringLiteral("missing")), QStringLiteral("broken"));
        FAIL();
    } catch (const KeltoError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("broken"));
    }
    // A folder is not a file.
    EXPECT_THROW(readWholeFile(dir.root(), QStringLiteral("broken")), KeltoError);
}
