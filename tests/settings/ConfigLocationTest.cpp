// Where kelto.ini and kelto.ntl live.

#include "settings/ConfigLocation.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kelto;
using namespace Qt::StringLiterals;

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
