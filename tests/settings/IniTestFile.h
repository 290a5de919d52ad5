#pragma once

#include "TestSupport.h"
#include "settings/IniUnit.h"

#include <QByteArray>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// File contents with line breaks and high bytes spelled out.
inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << '"';
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r')
            *os << "\\r";
        else if (c == '\n')
            *os << "\\n";
        else if (byte < 0x20 || byte >= 0x7F)
            *os << "\\x"
                << "0123456789ABCDEF"[byte >> 4] << "0123456789ABCDEF"[byte & 15];
        else
            *os << c;
    }
    *os << '"';
}

namespace kelto::test {

// kelto.ini in a fresh folder, holding the given bytes.
class IniTestFile
{
public:
    explicit IniTestFile(const QByteArray& bytes) { writeBytes(path(), bytes); }
    IniTestFile() = default;

    QString path() const { return m_dir.path(QStringLiteral("kelto.ini")); }
    TpIniFile open() const { return TpIniFile(path()); }
    QByteArray bytes() const { return readBytes(path()); }

private:
    TempDir m_dir;
};

} // namespace kelto::test
