// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentProperties.h"

namespace kelto {

qsizetype DocumentProperties::find(QStringView name) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines.at(i);
        if (line.size() > name.size() && line.at(name.size()) == QLatin1Char('=') &&
            QStringView(line).left(name.size()).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString DocumentProperties::value(QStringView name) const
{
    const qsizetype i = find(name);
    return i < 0 ? QString() : m_lines.at(i).mid(name.size() + 1);
}

bool DocumentProperties::contains(QStringView name) const
{
    return find(name) >= 0;
}

int DocumentProperties::activateIndex(int sectionCount) const
{
    bool ok = false;
    const int index = value(Activate).toInt(&ok);
    return ok && index >= 0 && index < sectionCount ? index : 0;
}

void DocumentProperties::setValue(QStringView name, const QString& value)
{
    const qsizetype i = find(name);
    if (value.isEmpty()) {
        if (i >= 0)
            m_lines.removeAt(i);
        return;
    }
    QString line = name.toString() + QLatin1Char('=') + value;
    if (i >= 0)
        m_lines[i] = std::move(line);
    else
        m_lines.append(std::move(line));
}

} // namespace kelto
