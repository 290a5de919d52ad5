// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class QLocale;

namespace kelto {

// One entry of a listed folder.
struct FolderEntry
{
    QString name;
    bool isFolder = false;
    qint64 size = 0;
    QDateTime modified;
};

// The folder reached from folder by name: a child, or the parent for
// "..". Paths are absolute and use "/"; the root's parent is the root.
QString joinFolderPath(const QString& folder, const QString& name);
QString parentFolder(const QString& folder);
bool isRootFolder(const QString& folder);
// What the status line shows for the listing of folder: every name in it.
QString folderMask(const QString& folder);

// Order of the names within the folder group and within the file group:
// letters A to Z compare without regard to case, every other character by
// its code.
bool folderNameLess(const QString& a, const QString& b);

// The folders of folder (".." first unless it is the root), then its files,
// each group in name order; hidden and system entries included. Throws
// KeltoError when the folder cannot be read, rather than showing it empty.
QList<FolderEntry> listFolder(const QString& folder);

// Makes folder the process's current folder; throws KeltoError with the
// system's reason when it cannot be entered. Returns the folder as entered.
QString enterFolder(const QString& folder);

// A size as the selection shows it: bytes below 1 KB, KB with two decimals
// below 1 MB, MB with one decimal above, in the locale's decimal separator.
QString selectionSizeText(qint64 bytes, const QLocale& locale);

// What a mounted volume is, as the volume list tells them apart; Hidden for
// the system's pseudo file systems and its own memory-backed places.
enum class VolumeKind
{
    Hidden,
    Removable,
    Fixed,
    Network,
    Optical,
    Ram
};
VolumeKind volumeKind(const QByteArray& fileSystemType, const QString& root);

struct Volume
{
    VolumeKind kind = VolumeKind::Fixed;
    QString root;
    // The list text: the mount point, then the label (or for a network
    // volume the share it is connected to) upper-cased in angle brackets;
    // a removable medium shows its mount point only.
    QString text;
};
// The mounted volumes worth listing, in mount point order.
QList<Volume> mountedVolumes();
// The index of the volume holding path: the longest root above it; -1 when
// none.
int volumeOf(const QList<Volume>& volumes, const QString& path);

} // namespace kelto
