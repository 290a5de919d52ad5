#include "FileIo.h"

#include "KeltoError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

#include <new>

namespace kelto {

QByteArray readWholeFile(const QString& path, const QString& failureMessage)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KeltoError(failureMessage);
    try {
        QByteArray data = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw KeltoError(failureMessage);
        return data;
    } catch (const std::bad_alloc&) {
        // A file larger than the memory left: an error, not a crash.
        throw KeltoError(failureMessage);
    }
}

void writeFileAtomically(const QString& path, QByteArrayView data,
                         const std::function<void()>& beforeReplace)
{
    const auto fail = [&](const QString& reason) {
        throw KeltoError(QStringLiteral("Не удалось записать файл \"%1\".\n%2").arg(path, reason));
    };
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is what can
    // leave a truncated file behind.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    qsizetype written = 0;
    while (written < data.size()) {
        const qint64 n = file.write(data.data() + written, data.size() - written);
        if (n <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            fail(reason);
        }
        written += n;
    }
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(reason);
    }
    if (beforeReplace)
        beforeReplace();
    if (!file.commit())
        fail(file.errorString());
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
