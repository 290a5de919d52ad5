// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SettingsKeys.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <vector>

namespace kelto {

// A font as a font section stores it. The core knows no QFont; the window
// converts. Defaults are those of a section without keys.
struct FontSpec
{
    QString name = keys::fontKeys({}).name.defaultValue.toString();
    int size = keys::fontKeys({}).size.defaultValue;
    int color = keys::fontKeys({}).color.defaultValue; // 0x00BBGGRR
    int charset = keys::fontKeys({}).charset.defaultValue;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// The main window's bounds in screen pixels and its state.
struct WindowPlacement
{
    enum State
    {
        Normal = 0,
        Minimized = 1,
        Maximized = 2
    };

    int left = keys::position::Left.defaultValue;
    int top = keys::position::Top.defaultValue;
    int width = keys::position::Width.defaultValue;
    int height = keys::position::Height.defaultValue;
    int state = keys::position::State.defaultValue;

    // A window closed maximized keeps the bounds (and the navigator width)
    // of the last run that ended in a normal window.
    bool storesBounds() const { return state != Maximized; }
};

// Page margins in millimetres.
struct PrintMargins
{
    int left = keys::print::MarginLeft.defaultValue;
    int top = keys::print::MarginTop.defaultValue;
    int right = keys::print::MarginRight.defaultValue;
    int bottom = keys::print::MarginBottom.defaultValue;
};

// The settings store: an INI file read whole into memory when constructed.
// Reads and writes touch only the memory copy; UpdateFile() rewrites the
// whole file. Section and key names are compared without regard to case.
class TpIniFile
{
public:
    // Called after every typed write of a single key, so the window can
    // apply values that take effect at once.
    using WriteObserver = std::function<void(const KeyBase& key)>;

    // Reads the whole file. An absent or unreadable file gives an empty
    // store, so every key yields its default.
    explicit TpIniFile(QString path);

    const QString& fileName() const { return m_path; }

    // Plain access by section and key name.
    QString ReadString(QStringView section, QStringView key, const QString& defaultValue) const;
    void WriteString(QStringView section, QStringView key, const QString& value);
    // Decimal with optional sign; "0x"/"0X" followed by at least one more
    // character, or "$", introduces hexadecimal. Anything else gives the default.
    int ReadInteger(QStringView section, QStringView key, int defaultValue) const;
    void WriteInteger(QStringView section, QStringView key, int value);
    bool ReadBool(QStringView section, QStringView key, bool defaultValue) const;
    void WriteBool(QStringView section, QStringView key, bool value);

    bool SectionExists(QStringView section) const;
    // Keys of the section's lines in file order; a line without "=" gives "".
    QStringList ReadSectionKeys(QStringView section) const;
    // Values of the section's lines in file order: each line gives the value
    // of the first line with its key; a line without "=" gives "".
    QStringList ReadSectionValues(QStringView section) const;
    // Removes the section and its lines (every section of that name, when a
    // header repeats). Nothing happens when it is absent.
    void EraseSection(QStringView section);

    // Rewrites the whole file: Windows-1251 when every character fits, else
    // UTF-8 behind a byte order mark. Throws KeltoError when it cannot.
    void UpdateFile() const;

    // Typed access through the key table, with the table's defaults. An
    // integer reads inside its key's range; writes store values as given.
    int read(const IntKey& key) const;
    bool read(const BoolKey& key) const;
    QString read(const StringKey& key) const;
    int read(const ColorKey& key) const;
    void write(const IntKey& key, int value);
    void write(const BoolKey& key, bool value);
    void write(const StringKey& key, const QString& value);
    void write(const ColorKey& key, int value);

    void setWriteObserver(WriteObserver observer) { m_observer = std::move(observer); }

    // Font sections. Reading sets name, size, colour and character set, and
    // adds bold and italic when set; it never removes them and leaves
    // underline and strike-out alone.
    void ReadFont(QStringView section, FontSpec& font) const;
    void WriteFont(QStringView section, const FontSpec& font);

    // Window placement. The state is always written; the bounds only when
    // the window is not maximized. The overload with the navigator width
    // stores it under the same rule.
    WindowPlacement ReadPlacement() const;
    void WritePlacement(const WindowPlacement& placement);
    void WritePlacement(const WindowPlacement& placement, int navigatorWidth);

    // Lists: the values of a section in file order.
    QStringList ReadList(QStringView section) const;
    QStringList ReadList(const ListSection& list) const { return ReadList(list.section); }
    // Erases the section, then writes item i under prefix + i. An empty list
    // leaves no section.
    void WriteList(QStringView section, QStringView prefix, const QStringList& items);
    void WriteList(const ListSection& list, const QStringList& items)
    {
        WriteList(list.section, list.prefix, items);
    }

    // Appends a favourite at the end of the Favorite section under the
    // first File<k> key not in use, so no entry already there is replaced.
    void AddFavoriteEntry(const QString& value);
    // The index-th favourite in file order, or "" when there is none.
    QString ReadFavorite(int index) const;

    // Recent files: File0 .. File(maxCount - 1) read by name, non-empty
    // values in that order.
    QStringList ReadFileList(int maxCount) const;
    // As above with the stored MaxHistoryCount.
    QStringList ReadFileList() const;
    // Erases the section and writes each non-empty entry i as File i.
    void WriteFileList(const QStringList& files);

    // The four print margins, read and written in the order left, top,
    // right, bottom.
    PrintMargins ReadMargins() const;
    void WriteMargins(const PrintMargins& margins);

private:
    struct Section
    {
        QString name;
        QStringList lines;
    };

    void parse(const QString& text);
    QString serialize() const;
    const Section* findSection(QStringView name) const;
    Section* findSection(QStringView name);
    Section& sectionForWrite(QStringView name);
    bool keyExists(QStringView section, QStringView key) const;
    // Typed writes that do not call the observer: the composite routines
    // store whole records, none of which applies to the window at once.
    void put(const IntKey& key, int value);
    void put(const BoolKey& key, bool value);
    void put(const StringKey& key, const QString& value);
    void put(const ColorKey& key, int value);
    void notify(const KeyBase& key) const;

    QString m_path;
    std::vector<Section> m_sections;
    // Where the first section of each folded name is; rebuilt on demand
    // after sections were removed.
    mutable QHash<QString, size_t> m_index;
    mutable bool m_indexed = false;
    WriteObserver m_observer;
};

} // namespace kelto
