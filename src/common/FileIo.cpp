// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileIo.h"

#include "KeltoError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

namespace kelto {

qint64 physicalMemory()
{
    // Unknown (the system does not tell) counts as unlimited, so no file is
    // refused for it.
    static const qint64 bytes = [] {
        const long pages = ::sysconf(_SC_PHYS_PAGES);
        const long pageSize = ::sysconf(_SC_PAGE_SIZE);
        return pages > 0 && pageSize > 0 ? qint64(pages) * pageSize
                                         : std::numeric_limits<qint64>::max();
    }();
    return bytes;
}

void openForReading(QFile& file, QIODevice::OpenMode extra, const QString& failureMessage)
{
    // Devices (an endless /dev/zero among them) and folders are no files.
    struct stat status;
    if (::stat(QFile::encodeName(file.fileName()).constData(), &status) == 0 &&
        (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode) || S_ISDIR(status.st_mode)))
        throw KeltoError(failureMessage);
    if (!file.open(QIODevice::ReadOnly | extra))
        throw KeltoError(failureMessage);
    if (file.size() >= physicalMemory())
        throw KeltoError(failureMessage);
}

namespace {

// A large buffer is backed by 2 MB pages where the system allows it, so that
// filling it does not fault once for every 4 KB page.
void adviseLargePages(char* data, qsizetype size)
{
#ifdef MADV_HUGEPAGE
    const auto page = quintptr(::sysconf(_SC_PAGESIZE));
    const quintptr start = (quintptr(data) + page - 1) & ~(page - 1);
    const quintptr end = (quintptr(data) + quintptr(size)) & ~(page - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

} // namespace

QByteArray readWholeFile(const QString& path, const QString& failureMessage)
{
    QFile file(path);
    openForReading(file, QIODevice::Unbuffered, failureMessage);
    try {
        // Read straight into a buffer of the file's size; a file that
        // changes meanwhile gives what it holds when it is read.
        QByteArray data(qsizetype(file.size()), Qt::Uninitialized);
        adviseLargePages(data.data(), data.size());
        qsizetype got = 0;
        while (got < data.size()) {
            const qint64 n = file.read(data.data() + got, data.size() - got);
            if (n < 0)
                throw KeltoError(failureMessage);
            if (n == 0)
                break;
            got += qsizetype(n);
        }
        data.truncate(got);
        if (got == data.size())
            data += file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw KeltoError(failureMessage);
        return data;
    } catch (const std::bad_alloc&) {
        // A file larger than the memory left: an error, not a crash.
        throw KeltoError(failureMessage);
    }
}

namespace {

[[noreturn]] void writeError(const QString& path, const QString& systemReason)
{
    throw KeltoError(QStringLiteral("Не удалось записать файл \"%1\".\n%2")
                         .arg(path, fileErrorReason(systemReason)));
}

bool writeAll(QFileDevice& file, QByteArrayView data)
{
    qsizetype written = 0;
    while (written < data.size()) {
        const qint64 n = file.write(data.data() + written, data.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

// True when the target is a file that may be written but its folder takes
// no new file (so no temporary file can stand beside it).
bool onlyTheFileIsWritable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isWritable())
        return false;
    const QString folder = QFileInfo(info.canonicalFilePath()).absolutePath();
    return ::access(QFile::encodeName(folder).constData(), W_OK) != 0;
}

// Rewrites an existing file in place. The old content stays in memory and
// goes back into the file when the new one cannot be written whole.
void writeInPlace(const QString& path, QByteArrayView data,
                  const std::function<void()>& beforeReplace)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        writeError(path, file.errorString());
    QByteArray old;
    try {
        old = file.readAll();
    } catch (const std::bad_alloc&) {
        writeError(path, QString::fromLocal8Bit(std::strerror(ENOMEM)));
    }
    if (file.error() != QFileDevice::NoError)
        writeError(path, file.errorString());
    if (beforeReplace)
        beforeReplace();
    QString reason;
    if (!file.seek(0) || !writeAll(file, data) || !file.resize(data.size()))
        reason = file.errorString();
    else if (::fsync(file.handle()) != 0)
        reason = qt_error_string(errno);
    else
        return;
    file.unsetError();
    if (file.seek(0) && writeAll(file, old))
        file.resize(old.size());
    writeError(path, reason);
}

} // namespace

void writeFileAtomically(const QString& path, QByteArrayView data,
                         const std::function<void()>& beforeReplace)
{
    QSaveFile file(path);
    // Qt's own fallback would write the target in place without any way
    // back; the one below keeps the old content.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (onlyTheFileIsWritable(path)) {
            writeInPlace(path, data, beforeReplace);
            return;
        }
        writeError(path, file.errorString());
    }
    if (!writeAll(file, data) || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        writeError(path, reason);
    }
    if (beforeReplace)
        beforeReplace();
    if (!file.commit())
        writeError(path, file.errorString());
}

struct AtomicFileWriter::State
{
    explicit State(const QString& target) : path(target), file(target) {}
    QString path;
    QSaveFile file;
    bool inPlace = false;
    QByteArray pending; // the whole content when it is written in place
};

AtomicFileWriter::AtomicFileWriter(const QString& path) : m_state(std::make_unique<State>(path))
{
    m_state->file.setDirectWriteFallback(false);
    if (m_state->file.open(QIODevice::WriteOnly))
        return;
    if (!onlyTheFileIsWritable(path))
        writeError(path, m_state->file.errorString());
    m_state->inPlace = true;
}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::write(QByteArrayView data)
{
    if (m_state->inPlace) {
        m_state->pending.append(data);
    } else if (!writeAll(m_state->file, data)) {
        const QString reason = m_state->file.errorString();
        m_state->file.cancelWriting();
        writeError(m_state->path, reason);
    }
}

void AtomicFileWriter::restart()
{
    m_state->pending.clear();
    if (!m_state->inPlace && (!m_state->file.seek(0) || !m_state->file.resize(0))) {
        const QString reason = m_state->file.errorString();
        m_state->file.cancelWriting();
        writeError(m_state->path, reason);
    }
}

void AtomicFileWriter::commit(const std::function<void()>& beforeReplace)
{
    if (m_state->inPlace) {
        writeInPlace(m_state->path, m_state->pending, beforeReplace);
        return;
    }
    if (!m_state->file.flush()) {
        const QString reason = m_state->file.errorString();
        m_state->file.cancelWriting();
        writeError(m_state->path, reason);
    }
    if (beforeReplace)
        beforeReplace();
    if (!m_state->file.commit())
        writeError(m_state->path, m_state->file.errorString());
}

QString fileErrorReason(const QString& systemReason)
{
    static const struct
    {
        int code;
        const char* text;
    } reasons[] = {
        {EACCES, "Нет доступа"},
        {EPERM, "Нет доступа"},
        {ENOENT, "Нет такого файла или папки"},
        {ENOSPC, "Нет места на диске"},
        {EROFS, "Файловая система доступна только для чтения"},
        {EISDIR, "По этому пути находится папка"},
        {ENOTDIR, "Часть пути не является папкой"},
    };
    // Qt reports these as the text of the error number, so the same text
    // names the same error.
    for (const auto& reason : reasons) {
        if (systemReason == qt_error_string(reason.code))
            return QString::fromUtf8(reason.text);
    }
    return systemReason;
}

FileStamp fileStamp(const QString& path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

void makeBackupCopy(const QString& path, const QString& backupPath)
{
    QFile::remove(backupPath);
    // A notebook reached through a symbolic link is backed up by its
    // content: a link to the link would follow the file being replaced.
    const QFileInfo info(path);
    const QString source = info.isSymLink() ? info.canonicalFilePath() : path;
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(backupPath);
    if (::link(from.constData(), to.constData()) == 0)
        return;
    QFile::copy(source, backupPath);
}

bool isSameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

QString backupPathFor(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString dir = path.left(path.size() - name.size());
    if (dot < 0)
        return path + QStringLiteral(".bak");
    return dir + name.left(dot) + QStringLiteral(".bak");
}

} // namespace kelto
