#include "common/FileIo.h"
#include "TestSupport.h"
#include "common/KeltoError.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

TEST(FileIo, AtomicWriteReplacesTheWholeFileOrKeepsTheOldOne)
{
    test::TempDir dir;
    const QString path = dir.file(u"a.nib"_s, QByteArray(10000, 'x'));
    writeFileAtomically(path, QByteArray("old"));
    {
        const test::FileSizeLimit full(4096); // as if the disk were full
        EXPECT_THROW(writeFileAtomically(path, QByteArray(100000, 'n')), KeltoError);
    }
    // A failure just before the rename (where the backup is made).
    EXPECT_THROW(writeFileAtomically(path, QByteArray("new"), [] { throw KeltoError(u"stop"_s); }),
                 KeltoError);
    EXPECT_EQ(test::readBytes(path), QByteArray("old"));
    EXPECT_EQ(dir.files(), QStringList{u"a.nib"_s}) << "no temporary file is left behind";
    const QString missing = dir.path(u"no/such/a.nib"_s);
    EXPECT_TRUE(test::errorOf([&] { writeFileAtomically(missing, "x"); }).contains(missing));
}

TEST(FileIo, BackupHoldsThePreviousContentEvenThroughALink)
{
    const std::pair<const char*, const char*> names[] = {{"/d/a.nib", "/d/a.bak"},
                                                         {"/d/a", "/d/a.bak"},
                                                         {"/d.x/a", "/d.x/a.bak"},
                                                         {"/d/a.b.nib", "/d/a.b.bak"}};
    for (const auto& [name, backup] : names)
        EXPECT_EQ(backupPathFor(QString::fromUtf8(name)), QString::fromUtf8(backup)) << name;

    test::TempDir dir;
    const QString path = dir.file(u"a.nib"_s, "one"), bak = dir.file(u"a.bak"_s, "ancient");
    writeFileAtomically(path, QByteArray("two"), [&] { makeBackupCopy(path, bak); });
    EXPECT_EQ(test::readBytes(path), QByteArray("two"));
    EXPECT_EQ(test::readBytes(bak), QByteArray("one"));
    // Through a symbolic link the backup keeps the content, not a link that
    // would follow the new file.
    const QString link = dir.path(u"link.nib"_s), linkBak = dir.path(u"link.bak"_s);
    ASSERT_TRUE(QFile::link(path, link));
    writeFileAtomically(link, QByteArray("three"), [&] { makeBackupCopy(link, linkBak); });
    EXPECT_EQ(test::readBytes(linkBak), QByteArray("two"));
}
