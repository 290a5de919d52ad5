// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>

namespace kelto {

// Opens a regular file for reading, with extra open flags; a device, a
// folder, a file that cannot be opened or one no smaller than memory throws
// KeltoError with failureMessage.
void openForReading(QFile& file, QIODevice::OpenMode extra, const QString& failureMessage);

// Reads a whole file into memory. Throws KeltoError(failureMessage) when the
// file cannot be opened or read, is a device or a folder, or is no smaller
// than the machine's memory (refused before anything is read, so a huge or
// endless file costs neither time nor memory).
QByteArray readWholeFile(const QString& path, const QString& failureMessage);

// The machine's physical memory in bytes.
qint64 physicalMemory();

// Writes data to a temporary file in the target's folder, flushes it, and only
// then renames it over the target, so the target is either the old file or the
// complete new one, never a half-written mix. beforeReplace runs once the new
// content is safely on disk and just before the rename (the backup copy is
// made there). Throws KeltoError when the file cannot be written.
//
// A folder that refuses new files (a shared folder of another user) cannot
// take the temporary file. When the target exists there and may be written,
// it is rewritten in place instead: its old content is kept in memory and
// written back if the new content cannot be written whole.
void writeFileAtomically(const QString& path, QByteArrayView data,
                         const std::function<void()>& beforeReplace = {});

// writeFileAtomically() for content made piece by piece: write() hands each
// piece to the temporary file, commit() puts the file in place. Destroyed
// without commit(), it leaves the target untouched. Where only the target
// itself may be written, the pieces are kept in memory and written in place
// on commit(). Every failure throws KeltoError.
class AtomicFileWriter
{
public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(QByteArrayView data);
    // Drops everything written so far.
    void restart();
    // beforeReplace runs as for writeFileAtomically().
    void commit(const std::function<void()>& beforeReplace = {});

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// The reason of a failed file operation as the user reads it: the common
// system reasons (no permission, no such file or folder, no space left, a
// read-only file system, a folder or file in the way) in Russian, any other
// as the system gives it.
QString fileErrorReason(const QString& systemReason);

// What identifies a version of a file on disk: its size and the time of its
// last change. A file that does not exist has the stamp {}.
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    friend bool operator==(const FileStamp& a, const FileStamp& b)
    {
        return a.exists == b.exists && a.size == b.size && a.modifiedNs == b.modifiedNs;
    }
    friend bool operator!=(const FileStamp& a, const FileStamp& b) { return !(a == b); }
};
FileStamp fileStamp(const QString& path);

// Makes backupPath hold the current content of path: any old backup is
// removed, then a hard link is made (a copy where links are not possible).
// Failures are ignored: a backup never stops a save.
void makeBackupCopy(const QString& path, const QString& backupPath);

// True when both paths name the same file (links resolved when the files
// exist). File names are case-sensitive here.
bool isSameFile(const QString& a, const QString& b);

// The ".bak" name beside a notebook: its extension replaced, or ".bak"
// appended when the file name has none.
QString backupPathFor(const QString& path);

} // namespace kelto
