// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <exception>
#include <iosfwd>

// Failure messages show QString and QByteArray values as text, with line
// breaks and bytes outside printable ASCII spelled out.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);

namespace kelto::test {

inline QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// What the user is told of a file that is not a notebook or is damaged.
inline const QString DamagedFile =
    QStringLiteral("Нарушена структура файла или данный формат файла не поддерживается");

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& data);

// The message of the exception fn throws, or "no error".
template <typename Fn> QString errorOf(Fn&& fn)
{
    try {
        fn();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("no error");
}

// The bytes of a notebook file: signature and version 1, then the header,
// the outline and each body, every block led by its length (32 bits, little
// endian).
QByteArray le32(quint32 value);
QByteArray notebookImage(const QByteArray& header, const QByteArray& outline,
                         const QList<QByteArray>& bodies);

// While alive, no file of this process may grow past `bytes`: writes beyond
// fail as on a full disk, even for a superuser who passes every permission
// check.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long m_savedCurrent = 0;
    void (*m_savedHandler)(int) = nullptr;
};

// A fresh temporary folder for one test.
class TempDir
{
public:
    TempDir();
    QString path(const QString& name) const;
    // Writes the bytes to the named file and returns its path.
    QString file(const QString& name, const QByteArray& bytes) const;
    // Names of the files (not folders) in it.
    QStringList files() const;
    QString root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace kelto::test
