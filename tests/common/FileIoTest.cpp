// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/FileIo.h"
#include "TestSupport.h"
#include "common/KeltoError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace kelto;
using namespace Qt::StringLiterals;

namespace {

// While alive, the folder takes no new file while the files in it stay
// writable: read-only permission bits for an ordinary user; a superuser
// passes those, so for one the folder is made immutable where the file
// system allows it.
class RefusingFolder
{
public:
    explicit RefusingFolder(const QString& path) : m_path(path) { m_active = refuse(true); }
    ~RefusingFolder()
    {
        if (m_active)
            refuse(false);
    }
    bool active() const { return m_active; }

private:
    bool refuse(bool on)
    {
        if (geteuid() != 0) {
            const auto bits = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
            return QFile::setPermissions(m_path, on ? bits : bits | QFileDevice::WriteOwner);
        }
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0)
            ::close(fd);
        return ok;
    }

    QString m_path;
    bool m_active = false;
};

} // namespace

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

TEST(FileIo, AFolderThatRefusesNewFilesGetsItsFileRewrittenInPlace)
{
    test::TempDir dir;
    const QString path = dir.file(u"a.nib"_s, QByteArray(5000, 'o'));
    const QString bak = dir.path(u"a.bak"_s);
    const RefusingFolder refusing(dir.root());
    if (!refusing.active())
        GTEST_SKIP() << "this file system cannot make a folder refuse new files";

    writeFileAtomically(path, QByteArray("new"), [&] { makeBackupCopy(path, bak); });
    EXPECT_EQ(test::readBytes(path), QByteArray("new")) << "a shorter content leaves no tail";
    EXPECT_EQ(dir.files(), QStringList{u"a.nib"_s})
        << "no backup and no temporary file where none can be made";

    // A write that fails half-way puts the previous content back.
    {
        const test::FileSizeLimit full(4096);
        EXPECT_THROW(writeFileAtomically(path, QByteArray(100000, 'n')), KeltoError);
    }
    EXPECT_EQ(test::readBytes(path), QByteArray("new"));
}

TEST(FileIo, CommonReasonsOfAFailedWriteAreGivenInRussian)
{
    test::TempDir dir;
    dir.file(u"plain.txt"_s, "x");
    ASSERT_TRUE(QDir(dir.root()).mkdir(u"shared"_s));
    const RefusingFolder refusing(dir.path(u"shared"_s));
    const std::pair<const char*, const char*> cases[] = {
        {"missing/a.nib", "Нет такого файла или папки"},
        {"plain.txt/a.nib", "Часть пути не является папкой"},
        {"shared/a.nib", refusing.active() ? "Нет доступа" : nullptr}};
    for (const auto& [target, reason] : cases) {
        const QString path = dir.path(QString::fromUtf8(target));
        if (reason) {
            EXPECT_EQ(
                test::errorOf([&] { writeFileAtomically(path, "new"); }),
                u"Не удалось записать файл \"%1\".\n%2"_s.arg(path, QString::fromUtf8(reason)));
        }
    }
    // Any other reason is given as the system gives it.
    const test::FileSizeLimit limit(4096);
    const QString big = dir.path(u"big.nib"_s);
    EXPECT_TRUE(test::errorOf([&] {
                    writeFileAtomically(big, QByteArray(100000, 'n'));
                }).endsWith(u"\nFile too large"_s));
}
