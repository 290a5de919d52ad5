#include "TestSupport.h"
#include "common/FileIo.h"
#include "common/KeltoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

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
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write anywhere";
    TempDir dir;
    const QString sub = dir.path(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkpath(sub));
    const QString path = sub + QStringLiteral("/a.nib");
    test::writeBytes(path, QByteArray("old"));
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_THROW(writeFileAtomically(path, QByteArray("new")), KeltoError);
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ExeOwner);
    EXPECT_EQ(test::readBytes(path), QByteArray("old"));
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
