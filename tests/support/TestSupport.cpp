// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <ostream>

void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    // Printable ASCII as it is, other bytes (line breaks too) as %XX.
    *os << '"' << bytes.toPercentEncoding(" !\"#$&'()*+,-./:;<=>?@[\\]^_`{|}~").constData() << '"';
}

void PrintTo(const QString& text, std::ostream* os)
{
    const QString shown = QString(text)
                              .replace(QLatin1String("\r"), QLatin1String("\\r"))
                              .replace(QLatin1String("\n"), QLatin1String("\\n"))
                              .replace(QLatin1String("\t"), QLatin1String("\\t"));
    *os << '"' << shown.toStdString() << '"';
}

namespace kelto::test {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(data), data.size());
}

QByteArray le32(quint32 value)
{
    char b[4];
    qToLittleEndian(value, b);
    return QByteArray(b, 4);
}

QByteArray notebookImage(const QByteArray& header, const QByteArray& outline,
                         const QList<QByteArray>& bodies)
{
    QByteArray out("NIB\x01", 4);
    out += le32(quint32(header.size())) + header + le32(quint32(outline.size())) + outline;
    for (const QByteArray& body : bodies)
        out += le32(quint32(body.size())) + body;
    return out;
}

FileSizeLimit::FileSizeLimit(unsigned long bytes)
{
    rlimit limit{};
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    m_savedCurrent = limit.rlim_cur;
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_savedCurrent;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_savedHandler);
}

TempDir::TempDir()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString TempDir::path(const QString& name) const
{
    return m_dir.filePath(name);
}

QStringList TempDir::files() const
{
    return QDir(m_dir.path()).entryList(QDir::Files);
}

QString TempDir::file(const QString& name, const QByteArray& bytes) const
{
    const QString target = path(name);
    writeBytes(target, bytes);
    return target;
}

namespace {

// Every test process gets its own settings folder, so no test reads or
// writes the settings of the machine it runs on.
class ConfigDirEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("KELTO_CONFIG_DIR", QFile::encodeName(m_dir->path()));
    }
    void TearDown() override { m_dir.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new ConfigDirEnvironment);

} // namespace

} // namespace kelto::test
