#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kelto::test {

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& data);

// Files written by other programs live beside the project; tests that read
// them skip when that folder is absent.
QString sharedTestData(const QString& relativePath);
bool hasSharedTestData();

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
    QString root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace kelto::test
