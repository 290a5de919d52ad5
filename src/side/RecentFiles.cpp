// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentFiles.h"

#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QDir>

#include <algorithm>

namespace kelto {

bool isSameListedPath(const QString& a, const QString& b)
{
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

void HistoryList::load(const TpIniFile& settings)
{
    m_maximum = settings.read(keys::treepad::MaxHistoryCount);
    m_entries.clear();
    // A hand-edited list may name one file twice; the newer place counts.
    for (const QString& path : settings.ReadFileList(m_maximum)) {
        const auto same = [&path](const QString& entry) { return isSameListedPath(entry, path); };
        if (std::none_of(m_entries.cbegin(), m_entries.cend(), same))
            m_entries.append(path);
    }
}

void HistoryList::save(TpIniFile& settings) const
{
    settings.WriteFileList(m_entries);
}

void HistoryList::record(const QString& path)
{
    if (m_maximum <= 0 || path.isEmpty())
        return;
    const auto same = [&path](const QString& entry) { return isSameListedPath(entry, path); };
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), same);
    if (found != m_entries.end()) {
        m_entries.move(found - m_entries.begin(), 0);
        return;
    }
    while (m_entries.size() >= m_maximum)
        m_entries.removeLast();
    m_entries.prepend(QDir::cleanPath(path));
}

void HistoryList::setMaximum(int maximum)
{
    const IntRange range = keys::treepad::MaxHistoryCount.range;
    m_maximum = std::clamp(maximum, range.low, range.high);
    if (m_entries.size() > m_maximum)
        m_entries.resize(m_maximum);
}

namespace favorites {

QStringList read(const TpIniFile& settings)
{
    return settings.ReadList(keys::Favorite);
}

bool isFull(const TpIniFile& settings)
{
    return read(settings).size() >= settings.read(keys::treepad::MaxFavoriteCount);
}

void add(TpIniFile& settings, const QString& path)
{
    settings.AddFavoriteEntry(path);
}

void store(TpIniFile& settings, const QStringList& paths)
{
    settings.WriteList(keys::Favorite, paths);
}

bool trimToMaximum(TpIniFile& settings)
{
    QStringList paths = read(settings);
    const int maximum = settings.read(keys::treepad::MaxFavoriteCount);
    if (paths.size() <= maximum)
        return false;
    paths.resize(maximum);
    store(settings, paths);
    return true;
}

} // namespace favorites

} // namespace kelto
