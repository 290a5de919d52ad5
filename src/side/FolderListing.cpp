// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderListing.h"

#include "common/KeltoError.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kelto {

namespace {

QChar foldAsciiLetter(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - (u'a' - u'A')) : c;
}

bool isUnder(const QString& path, const QString& root)
{
    if (root == u"/")
        return path.startsWith(u'/');
    return path == root || path.startsWith(root + u'/');
}

} // namespace

QString joinFolderPath(const QString& folder, const QString& name)
{
    if (name == u"..")
        return parentFolder(folder);
    return QDir::cleanPath(folder + u'/' + name);
}

// The root is its own parent.
QString parentFolder(const QString& folder)
{
    const QString path = QDir::cleanPath(folder);
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

bool isRootFolder(const QString& folder)
{
    return QDir::cleanPath(folder) == u"/";
}

QString folderMask(const QString& folder)
{
    return joinFolderPath(folder, QStringLiteral("*"));
}

bool folderNameLess(const QString& a, const QString& b)
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](QChar x, QChar y) { return foldAsciiLetter(x) < foldAsciiLetter(y); });
}

QList<FolderEntry> listFolder(const QString& folder)
{
    const QFileInfoList infos =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System, QDir::NoSort);
    // A folder that was read holds "." at least; nothing at all means it
    // could not be read.
    const bool read = std::any_of(infos.begin(), infos.end(),
                                  [](const QFileInfo& info) { return info.fileName() == u"."; });
    if (!read)
        throw KeltoError(QStringLiteral("Нет доступа к содержимому папки \"%1\".").arg(folder));
    QList<FolderEntry> folders, files;
    const bool root = isRootFolder(folder);
    for (const QFileInfo& info : infos) {
        const QString name = info.fileName();
        if (name == u"." || (root && name == u".."))
            continue;
        FolderEntry entry{name, info.isDir(), info.isDir() ? 0 : info.size(), info.lastModified()};
        (entry.isFolder ? folders : files).append(entry);
    }
    const auto byName = [](const FolderEntry& x, const FolderEntry& y) {
        return folderNameLess(x.name, y.name);
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    return folders + files;
}

QString enterFolder(const QString& folder)
{
    if (!QDir::setCurrent(folder)) {
        const int error = errno;
        throw KeltoError(QStringLiteral("Не удаётся перейти в папку \"%1\".\n%2")
                             .arg(folder, QString::fromLocal8Bit(std::strerror(error))));
    }
    return QDir::currentPath();
}

QString selectionSizeText(qint64 bytes, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    if (bytes < 1024)
        return plain.toString(bytes) + QStringLiteral(" байт");
    if (bytes < 1048576)
        return plain.toString(double(bytes) / 1024, 'f', 2) + QStringLiteral(" КБ");
    return plain.toString(double(bytes) / 1048576, 'f', 1) + QStringLiteral(" МБ");
}

VolumeKind volumeKind(const QByteArray& fileSystemType, const QString& root)
{
    static const QByteArrayList pseudo = {
        "proc",       "sysfs",     "devtmpfs",  "devpts",   "cgroup",          "cgroup2",
        "securityfs", "pstore",    "debugfs",   "tracefs",  "configfs",        "fusectl",
        "mqueue",     "hugetlbfs", "bpf",       "autofs",   "binfmt_misc",     "efivarfs",
        "rpc_pipefs", "nsfs",      "selinuxfs", "squashfs", "fuse.gvfsd-fuse", "fuse.portal"};
    static const QByteArrayList network = {"nfs",   "nfs4", "cifs",       "smb3",
                                           "smbfs", "9p",   "fuse.sshfs", "davfs"};
    const QString systemPlaces[] = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                    QStringLiteral("/dev"), QStringLiteral("/run")};
    const bool media =
        isUnder(root, QStringLiteral("/media")) || isUnder(root, QStringLiteral("/run/media"));
    if (pseudo.contains(fileSystemType) ||
        (!media && std::any_of(std::begin(systemPlaces), std::end(systemPlaces),
                               [&root](const QString& place) { return isUnder(root, place); })))
        return VolumeKind::Hidden;
    if (network.contains(fileSystemType))
        return VolumeKind::Network;
    if (fileSystemType == "iso9660" || fileSystemType == "udf")
        return VolumeKind::Optical;
    if (fileSystemType == "tmpfs" || fileSystemType == "ramfs")
        return VolumeKind::Ram;
    return media ? VolumeKind::Removable : VolumeKind::Fixed;
}

QList<Volume> mountedVolumes()
{
    QList<Volume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        const QString root = storage.rootPath();
        const VolumeKind kind = volumeKind(storage.fileSystemType(), root);
        // Files mounted in place (as containers do with /etc/hosts) are no
        // volumes to browse.
        const bool seen = std::any_of(volumes.begin(), volumes.end(),
                                      [&root](const Volume& v) { return v.root == root; });
        if (seen || kind == VolumeKind::Hidden || !storage.isValid() || !QFileInfo(root).isDir())
            continue;
        QString label =
            kind == VolumeKind::Network ? QString::fromLocal8Bit(storage.device()) : storage.name();
        if (label.isEmpty())
            label = QString::fromLocal8Bit(storage.device());
        const QString text = kind == VolumeKind::Removable
                                 ? root
                                 : QStringLiteral("%1 <%2>").arg(root, label.toUpper());
        volumes.append({kind, root, text});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.root < b.root; });
    return volumes;
}

int volumeOf(const QList<Volume>& volumes, const QString& path)
{
    int found = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        if (isUnder(path, volumes[i].root) &&
            (found < 0 || volumes[i].root.size() > volumes[found].root.size()))
            found = i;
    }
    return found;
}

} // namespace kelto
