// SPDX-License-Identifier: GPL-3.0-or-later
#include "side/FolderListing.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

TEST(FolderListing, PathsSizesOrderAndVolumeKinds)
{
    const std::tuple<const char*, const char*, const char*> joins[] = {
        {"/", "a", "/a"},  {"/a", "b", "/a/b"}, {"/a/b", "..", "/a"},
        {"/a", "..", "/"}, {"/", "..", "/"},    {"/a/", "-x", "/a/-x"}};
    for (const auto& [folder, name, joined] : joins)
        EXPECT_EQ(joinFolderPath(QString::fromUtf8(folder), QString::fromUtf8(name)),
                  QString::fromUtf8(joined));
    EXPECT_TRUE(isRootFolder(QStringLiteral("/")));
    EXPECT_FALSE(isRootFolder(QStringLiteral("/a")));

    const std::pair<qint64, const char*> sizes[] = {{500, "500 байт"},
                                                    {1023, "1023 байт"},
                                                    {1536, "1,50 КБ"},
                                                    {1048576, "1,0 МБ"},
                                                    {1500LL * 1048576, "1500,0 МБ"}};
    for (const auto& [bytes, text] : sizes)
        EXPECT_EQ(selectionSizeText(bytes, QLocale(QLocale::Russian)), QString::fromUtf8(text));

    EXPECT_TRUE(folderNameLess(QStringLiteral("abc"), QStringLiteral("ABD")));
    EXPECT_FALSE(folderNameLess(QStringLiteral("B"), QStringLiteral("a")));
    EXPECT_TRUE(folderNameLess(QStringLiteral("z"), QStringLiteral("_")));

    const std::tuple<const char*, const char*, VolumeKind> kinds[] = {
        {"proc", "/proc", VolumeKind::Hidden},
        {"ext4", "/", VolumeKind::Fixed},
        {"overlay", "/", VolumeKind::Fixed},
        {"tmpfs", "/dev/shm", VolumeKind::Hidden},
        {"tmpfs", "/tmp", VolumeKind::Ram},
        {"ext4", "/run/x", VolumeKind::Hidden},
        {"vfat", "/media/u/S", VolumeKind::Removable},
        {"nfs4", "/mnt/s", VolumeKind::Network},
        {"iso9660", "/run/media/u/CD", VolumeKind::Optical}};
    for (const auto& [type, root, kind] : kinds)
        EXPECT_EQ(volumeKind(type, QString::fromUtf8(root)), kind) << type << " " << root;

    const QList<Volume> volumes = {{VolumeKind::Fixed, QStringLiteral("/"), {}},
                                   {VolumeKind::Fixed, QStringLiteral("/home"), {}}};
    EXPECT_EQ(volumeOf(volumes, QStringLiteral("/home/u")), 1);
    EXPECT_EQ(volumeOf(volumes, QStringLiteral("/homes")), 0);
}

// Folders first (".." leading), then files, each in name order, hidden ones
// included; a folder that cannot be read is an error, not an empty list.
TEST(FolderListing, ListsFoldersThenFilesAndRefusesUnreadable)
{
    TempDir dir;
    QDir(dir.root()).mkdir(QStringLiteral("sub"));
    writeBytes(dir.path(QStringLiteral("b.txt")), QByteArray(1536, 'x'));
    writeBytes(dir.path(QStringLiteral("A.txt")), QByteArray(500, 'x'));
    writeBytes(dir.path(QStringLiteral(".hidden")), QByteArray());
    QStringList names;
    for (const FolderEntry& e : listFolder(dir.root()))
        names << QStringLiteral("%1%2:%3")
                     .arg(e.isFolder ? QStringLiteral("/") : QString(), e.name)
                     .arg(e.size);
    EXPECT_EQ(names.join(u' '), QStringLiteral("/..:0 /sub:0 .hidden:0 A.txt:500 b.txt:1536"));
    EXPECT_FALSE(listFolder(QStringLiteral("/")).first().name == u"..");

    EXPECT_THROW(listFolder(dir.path(QStringLiteral("missing"))), std::exception);
    const QString sub = dir.path(QStringLiteral("sub"));
    QFile::setPermissions(sub, QFileDevice::Permissions());
    if (QDir(sub).entryList().isEmpty()) {
        EXPECT_THROW(listFolder(sub), std::exception);
    }
    QFile::setPermissions(sub,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
