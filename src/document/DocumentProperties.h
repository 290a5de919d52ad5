// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kelto {

// The name=value lines stored at the head of a notebook file. Names match
// without regard to case; setting an empty value removes the line; lines the
// program does not know are kept and written back unchanged.
class DocumentProperties
{
public:
    static constexpr QStringView FlWrite{u"FlWrite"};
    static constexpr QStringView FlCreate{u"FlCreate"};
    static constexpr QStringView Activate{u"Activate"};
    // Written by the file writer when the file holds UTF-8 text.
    static constexpr QStringView Charset{u"Charset"};
    static constexpr QStringView Name{u"Name"};
    static constexpr QStringView Author{u"Author"};
    static constexpr QStringView Addr{u"Addr"};
    static constexpr QStringView Descript{u"Descript"};
    static constexpr QStringView KeyWords{u"KeyWords"};

    QString value(QStringView name) const;
    bool contains(QStringView name) const;
    // The pre-order index recorded as current ("Activate"); 0, the first
    // section, when it is missing, not a number or not below sectionCount.
    int activateIndex(int sectionCount) const;
    // Replaces the line in place, appends a new one, or removes it when the
    // value is empty.
    void setValue(QStringView name, const QString& value);

    const QStringList& lines() const { return m_lines; }
    void setLines(QStringList lines) { m_lines = std::move(lines); }
    void clear() { m_lines.clear(); }
    bool isEmpty() const { return m_lines.isEmpty(); }

    bool operator==(const DocumentProperties& other) const { return m_lines == other.m_lines; }
    bool operator!=(const DocumentProperties& other) const { return !(*this == other); }

private:
    qsizetype find(QStringView name) const;

    QStringList m_lines;
};

} // namespace kelto
