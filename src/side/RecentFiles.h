// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kelto {

class TpIniFile;

// Two paths name the same list entry when they are equal once "." and ".."
// are resolved; letter case counts, as it does in Linux file names.
bool isSameListedPath(const QString& a, const QString& b);

// The recently opened or saved files, newest first, at most maximum() of
// them. Read from the settings when the window is made and written back when
// it closes; in between the list lives here only.
class HistoryList
{
public:
    // The stored length and File0 .. File(length - 1), non-empty ones only.
    void load(const TpIniFile& settings);
    // The FileList section rewritten as File0, File1, ... in list order.
    void save(TpIniFile& settings) const;

    const QStringList& entries() const { return m_entries; }
    int maximum() const { return m_maximum; }

    // Puts the path at the front: an entry naming the same file moves there,
    // else a new one is added and, when the list is full, the oldest
    // dropped. Nothing is recorded while the maximum is 0.
    void record(const QString& path);
    // A new length (kept within 0 to 99); entries beyond it are dropped.
    void setMaximum(int maximum);

private:
    QStringList m_entries;
    int m_maximum = 0;
};

// The favourites, kept in the Favorite section of the settings and read from
// there at each use.
namespace favorites {

QStringList read(const TpIniFile& settings);
// True when no favourite may be added: the list holds MaxFavoriteCount
// entries or more (a hand-edited list may hold more).
bool isFull(const TpIniFile& settings);
// Appends the path at the end, replacing no entry already stored.
void add(TpIniFile& settings, const QString& path);
// Replaces the list as a whole: File0, File1, ... in the order given.
void store(TpIniFile& settings, const QStringList& paths);
// Drops entries from the end until MaxFavoriteCount is reached; true when
// the list was shortened.
bool trimToMaximum(TpIniFile& settings);

} // namespace favorites

} // namespace kelto
