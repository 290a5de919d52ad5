// Where kelto.ini and kelto.ntl live.

#include "settings/ConfigLocation.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kelto;
using kelto::test::TempDir;

namespace {

// Restores an environment variable when the test ends.
class EnvGuard
{
public:
    explicit EnvGuard(const char* name)
        : m_name(name), m_old(qgetenv(name)), m_was(qEnvironmentVariableIsSet(name))
    {
    }
    ~EnvGuard()
    {
        if (m_was)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_was;
};

} // namespace

TEST(ConfigLocation, OverrideWinsOverEverything)
{
    TempDir dir;
    const QString exe = dir.path(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(exe));
    kelto::test::writeBytes(QDir(exe).filePath(QStringLiteral("kelto.ini")), "[Bars]\r\n");
    const QString override = dir.path(QStringLiteral("custom/settings"));
    ConfigLocationInputs inputs{override, exe, dir.path(QStringLiteral("xdg")), dir.root()};
    EXPECT_EQ(configDirectoryFor(inputs), override);
    // A missing override folder is made, so the file can be written there.
    EXPECT_TRUE(QFileInfo(override).isDir());
}

TEST(ConfigLocation, WritableProgramFolderIsUsedForPortableUse)
{
    TempDir dir;
    ConfigLocationInputs inputs{QString(), dir.root(), dir.path(QStringLiteral("xdg")), dir.root()};
    EXPECT_EQ(configDirectoryFor(inputs), QDir::cleanPath(dir.root()));
    EXPECT_FALSE(QFileInfo::exists(dir.path(QStringLiteral("xdg"))));
}

TEST(ConfigLocation, ReadOnlyProgramFolderHoldingTheFileIsStillUsed)
{
    TempDir dir;
    const QString exe = dir.path(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(exe));
    kelto::test::writeBytes(QDir(exe).filePath(QStringLiteral("kelto.ini")), "[Bars]\r\n");
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner);
    ConfigLocationInputs inputs{QString(), exe, dir.path(QStringLiteral("xdg")), dir.root()};
    EXPECT_EQ(configDirectoryFor(inputs), exe);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ConfigLocation, OtherwiseTheUserConfigFolderIsMade)
{
    TempDir dir;
    // A program folder that is not there cannot hold settings; a superuser
    // could write to any folder, so this stands in for a read-only one.
    const QString exe = dir.path(QStringLiteral("absent"));
    const QString xdg = dir.path(QStringLiteral("xdg"));
    const QString expected = QDir(xdg).filePath(QStringLiteral("kelto"));
    EXPECT_EQ(configDirectoryFor({QString(), exe, xdg, dir.root()}), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());

    if (geteuid() != 0) {
        const QString readOnly = dir.path(QStringLiteral("bin"));
        ASSERT_TRUE(QDir().mkpath(readOnly));
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(configDirectoryFor({QString(), readOnly, xdg, dir.root()}), expected);
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Without XDG_CONFIG_HOME, or with a relative one, ~/.config is used.
    const QString home = QDir(dir.root()).filePath(QStringLiteral(".config/kelto"));
    EXPECT_EQ(configDirectoryFor({QString(), QString(), QString(), dir.root()}), home);
    EXPECT_EQ(configDirectoryFor({QString(), QString(), QStringLiteral("rel"), dir.root()}), home);
}

TEST(ConfigLocation, ProcessPathsFollowTheEnvironmentOverride)
{
    EnvGuard guard("KELTO_CONFIG_DIR");
    TempDir dir;
    const QString folder = dir.path(QStringLiteral("conf"));
    qputenv("KELTO_CONFIG_DIR", QFile::encodeName(folder));
    EXPECT_EQ(settingsDirectory(), folder);
    EXPECT_EQ(settingsFilePath(), QDir(folder).filePath(QStringLiteral("kelto.ini")));
    EXPECT_EQ(templatesFilePath(), QDir(folder).filePath(QStringLiteral("kelto.ntl")));
}
