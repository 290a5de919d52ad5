// Writing files where the folder or the disk gets in the way.

#include "TestSupport.h"
#include "common/FileIo.h"
#include "common/KeltoError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <memory>

using namespace kelto;
using namespace Qt::StringLiterals;
using kelto::test::TempDir;

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

TEST(FileWrite, AFolderThatRefusesNewFilesGetsItsFileRewrittenInPlace)
{
    TempDir dir;
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

TEST(FileWrite, CommonReasonsOfAFailedWriteAreGivenInRussian)
{
    TempDir dir;
    dir.file(u"plain.txt"_s, "x");
    ASSERT_TRUE(QDir(dir.root()).mkdir(u"shared"_s));
    struct Case
    {
        const char* what;
        const char* target;
        const char* reason;
        bool refusingFolder;
    };
    const Case cases[] = {
        {"missing folder", "missing/a.nib", "Нет такого файла или папки", false},
        {"a file where a folder should be", "plain.txt/a.nib", "Часть пути не является папкой",
         false},
        {"a folder that refuses new files", "shared/a.nib", "Нет доступа", true},
    };
    for (const Case& c : cases) {
        const QString target = dir.path(QString::fromUtf8(c.target));
        std::unique_ptr<RefusingFolder> refusing;
        if (c.refusingFolder) {
            refusing = std::make_unique<RefusingFolder>(dir.path(u"shared"_s));
            if (!refusing->active())
                continue; // no way to make one here
        }
        EXPECT_EQ(
            test::errorOf([&] { writeFileAtomically(target, "new"); }),
            u"Не удалось записать файл \"%1\".\n%2"_s.arg(target, QString::fromUtf8(c.reason)))
            << c.what;
    }
    // Any other reason is given as the system gives it.
    const QString big = dir.path(u"big.nib"_s);
    const test::FileSizeLimit limit(4096);
    const QString message =
        test::errorOf([&] { writeFileAtomically(big, QByteArray(100000, 'n')); });
    EXPECT_TRUE(message.endsWith(u"\nFile too large"_s)) << message.toStdString();
}
