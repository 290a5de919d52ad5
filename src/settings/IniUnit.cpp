// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniUnit.h"

#include "common/FileIo.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "common/TextLines.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <optional>

namespace kelto {

namespace {

const QLatin1String LineBreak("\r\n");

// Position of the "=" that ends a line's key, or -1 for a line without key.
qsizetype keyEnd(QStringView line)
{
    return line.indexOf(u'=');
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool lineHasKey(QStringView line, QStringView key)
{
    const qsizetype end = keyEnd(line);
    return end >= 0 && sameName(line.left(end), key);
}

bool isSectionHeader(QStringView line)
{
    return line.size() >= 2 && line.front() == u'[' && line.back() == u']';
}

int hexDigit(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Up to 32 bits; values from 0x80000000 on wrap to negative numbers, which
// is how system colours are written in hexadecimal.
std::optional<int> parseHex(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (const QChar ch : digits) {
        const int d = hexDigit(ch);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + quint64(d);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return int(quint32(value));
}

std::optional<int> parseDecimal(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    const qint64 limit = negative ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 value = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return int(negative ? -value : value);
}

std::optional<int> parseInteger(QStringView text)
{
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        return parseHex(text.mid(2));
    if (text.startsWith(u'$'))
        return parseHex(text.mid(1));
    return parseDecimal(text);
}

QString numbered(QStringView prefix, qsizetype index)
{
    return prefix.toString() + QString::number(index);
}

} // namespace

TpIniFile::TpIniFile(QString path) : m_path(std::move(path))
{
    QByteArray bytes;
    try {
        bytes = readWholeFile(m_path, QString());
    } catch (const KeltoError&) {
        return;
    }
    parse(decodeMarkedText(bytes));
}

void TpIniFile::parse(const QString& text)
{
    forEachLine(QStringView(text), [this](QStringView line) {
        if (line.isEmpty() || line.front() == u';')
            return;
        if (isSectionHeader(line))
            m_sections.push_back(Section{line.mid(1, line.size() - 2).toString(), {}});
        else if (!m_sections.empty())
            m_sections.back().lines.append(line.toString());
    });
}

QString TpIniFile::serialize() const
{
    QString text;
    for (const Section& section : m_sections) {
        text += u'[' + section.name + u']' + LineBreak;
        for (const QString& line : section.lines)
            text += line + LineBreak;
        text += LineBreak;
    }
    return text;
}

const TpIniFile::Section* TpIniFile::findSection(QStringView name) const
{
    // The first section of each name by its folded name, so a file of many
    // sections (a long templates file) is not searched through for each.
    if (!m_indexed) {
        m_index.clear();
        for (size_t i = 0; i < m_sections.size(); ++i) {
            const QString folded = m_sections[i].name.toCaseFolded();
            if (!m_index.contains(folded))
                m_index.insert(folded, i);
        }
        m_indexed = true;
    }
    const auto found = m_index.constFind(name.toString().toCaseFolded());
    return found == m_index.constEnd() ? nullptr : &m_sections[*found];
}

TpIniFile::Section* TpIniFile::findSection(QStringView name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

TpIniFile::Section& TpIniFile::sectionForWrite(QStringView name)
{
    if (Section* found = findSection(name))
        return *found;
    m_sections.push_back(Section{name.toString(), {}});
    if (m_indexed)
        m_index.insert(m_sections.back().name.toCaseFolded(), m_sections.size() - 1);
    return m_sections.back();
}

bool TpIniFile::keyExists(QStringView section, QStringView key) const
{
    const Section* found = findSection(section);
    if (!found)
        return false;
    for (const QString& line : found->lines) {
        if (lineHasKey(line, key))
            return true;
    }
    return false;
}

QString TpIniFile::ReadString(QStringView section, QStringView key,
                              const QString& defaultValue) const
{
    const Section* found = findSection(section);
    if (!found)
        return defaultValue;
    for (const QString& line : found->lines) {
        if (lineHasKey(line, key))
            return line.mid(keyEnd(line) + 1);
    }
    return defaultValue;
}

void TpIniFile::WriteString(QStringView section, QStringView key, const QString& value)
{
    Section& target = sectionForWrite(section);
    const QString line = key.toString() + u'=' + value;
    for (QString& existing : target.lines) {
        if (lineHasKey(existing, key)) {
            existing = line;
            return;
        }
    }
    target.lines.append(line);
}

int TpIniFile::ReadInteger(QStringView section, QStringView key, int defaultValue) const
{
    const QString text = ReadString(section, key, QString());
    return parseInteger(text).value_or(defaultValue);
}

void TpIniFile::WriteInteger(QStringView section, QStringView key, int value)
{
    WriteString(section, key, QString::number(value));
}

bool TpIniFile::ReadBool(QStringView section, QStringView key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TpIniFile::WriteBool(QStringView section, QStringView key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TpIniFile::SectionExists(QStringView section) const
{
    return findSection(section) != nullptr;
}

QStringList TpIniFile::ReadSectionKeys(QStringView section) const
{
    QStringList keys;
    if (const Section* found = findSection(section)) {
        for (const QString& line : found->lines) {
            const qsizetype end = keyEnd(line);
            keys.append(end < 0 ? QString() : line.left(end));
        }
    }
    return keys;
}

QStringList TpIniFile::ReadSectionValues(QStringView section) const
{
    QStringList values;
    const Section* found = findSection(section);
    if (!found)
        return values;
    // A key that repeats yields the value of its first line, as a look-up
    // by that key would; the first values are kept by folded key, so a long
    // section is read in one pass.
    QHash<QString, QString> firstValues;
    firstValues.reserve(found->lines.size());
    values.reserve(found->lines.size());
    for (const QString& line : found->lines) {
        const qsizetype end = keyEnd(line);
        if (end < 0) {
            values.append(QString());
            continue;
        }
        const QString key = line.left(end).toCaseFolded();
        auto first = firstValues.constFind(key);
        if (first == firstValues.constEnd())
            first = firstValues.insert(key, line.mid(end + 1));
        values.append(*first);
    }
    return values;
}

void TpIniFile::EraseSection(QStringView section)
{
    // Every section of that name goes, repeated headers included, so a list
    // written after the erase is the only one of its name in the file.
    const auto named = [&](const Section& s) { return sameName(s.name, section); };
    m_sections.erase(std::remove_if(m_sections.begin(), m_sections.end(), named), m_sections.end());
    m_indexed = false;
}

void TpIniFile::UpdateFile() const
{
    writeFileAtomically(m_path, encodeMarkedText(serialize()));
}

int TpIniFile::read(const IntKey& key) const
{
    const int value = ReadInteger(key.section, key.name, key.defaultValue);
    return std::clamp(value, key.range.low, key.range.high);
}

bool TpIniFile::read(const BoolKey& key) const
{
    return ReadBool(key.section, key.name, key.defaultValue);
}

QString TpIniFile::read(const StringKey& key) const
{
    return ReadString(key.section, key.name, key.defaultValue.toString());
}

int TpIniFile::read(const ColorKey& key) const
{
    return ReadInteger(key.section, key.name, key.defaultValue);
}

void TpIniFile::put(const IntKey& key, int value)
{
    WriteInteger(key.section, key.name, value);
}

void TpIniFile::put(const BoolKey& key, bool value)
{
    WriteBool(key.section, key.name, value);
}

void TpIniFile::put(const StringKey& key, const QString& value)
{
    WriteString(key.section, key.name, value);
}

void TpIniFile::put(const ColorKey& key, int value)
{
    WriteInteger(key.section, key.name, value);
}

void TpIniFile::write(const IntKey& key, int value)
{
    put(key, value);
    notify(key);
}

void TpIniFile::write(const BoolKey& key, bool value)
{
    put(key, value);
    notify(key);
}

void TpIniFile::write(const StringKey& key, const QString& value)
{
    put(key, value);
    notify(key);
}

void TpIniFile::write(const ColorKey& key, int value)
{
    put(key, value);
    notify(key);
}

void TpIniFile::notify(const KeyBase& key) const
{
    if (m_observer)
        m_observer(key);
}

void TpIniFile::ReadFont(QStringView section, FontSpec& font) const
{
    const FontKeys keys = keys::fontKeys(section);
    font.name = read(keys.name);
    font.size = read(keys.size);
    font.color = read(keys.color);
    font.charset = read(keys.charset);
    if (read(keys.bold))
        font.bold = true;
    if (read(keys.italic))
        font.italic = true;
}

void TpIniFile::WriteFont(QStringView section, const FontSpec& font)
{
    const FontKeys keys = keys::fontKeys(section);
    put(keys.name, font.name);
    put(keys.size, font.size);
    put(keys.color, font.color);
    put(keys.charset, font.charset & 0xFF);
    put(keys.bold, font.bold);
    put(keys.italic, font.italic);
}

WindowPlacement TpIniFile::ReadPlacement() const
{
    WindowPlacement placement;
    placement.left = read(keys::position::Left);
    placement.top = read(keys::position::Top);
    placement.width = read(keys::position::Width);
    placement.height = read(keys::position::Height);
    placement.state = read(keys::position::State);
    return placement;
}

void TpIniFile::WritePlacement(const WindowPlacement& placement)
{
    if (placement.storesBounds()) {
        put(keys::position::Left, placement.left);
        put(keys::position::Top, placement.top);
        put(keys::position::Width, placement.width);
        put(keys::position::Height, placement.height);
    }
    put(keys::position::State, placement.state);
}

void TpIniFile::WritePlacement(const WindowPlacement& placement, int navigatorWidth)
{
    WritePlacement(placement);
    if (placement.storesBounds())
        put(keys::navigator::Width, navigatorWidth);
}

QStringList TpIniFile::ReadList(QStringView section) const
{
    return ReadSectionValues(section);
}

void TpIniFile::WriteList(QStringView section, QStringView prefix, const QStringList& items)
{
    EraseSection(section);
    for (qsizetype i = 0; i < items.size(); ++i)
        WriteString(section, numbered(prefix, i), items[i]);
}

void TpIniFile::AddFavoriteEntry(const QString& value)
{
    const ListSection& list = keys::Favorite;
    // The first free number: a hand-edited section with gaps (File0, File2)
    // keeps every entry it has. A new key goes to the end of its section, so
    // the new favourite is the last one whatever its number.
    int number = 0;
    while (keyExists(list.section, numbered(list.prefix, number)))
        ++number;
    WriteString(list.section, numbered(list.prefix, number), value);
}

QString TpIniFile::ReadFavorite(int index) const
{
    const QStringList favorites = ReadList(keys::Favorite);
    return index >= 0 && index < favorites.size() ? favorites[index] : QString();
}

QStringList TpIniFile::ReadFileList(int maxCount) const
{
    const ListSection& list = keys::FileList;
    QStringList files;
    for (int i = 0; i < maxCount; ++i) {
        const QString file = ReadString(list.section, numbered(list.prefix, i), QString());
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

QStringList TpIniFile::ReadFileList() const
{
    return ReadFileList(read(keys::treepad::MaxHistoryCount));
}

void TpIniFile::WriteFileList(const QStringList& files)
{
    const ListSection& list = keys::FileList;
    EraseSection(list.section);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!files[i].isEmpty())
            WriteString(list.section, numbered(list.prefix, i), files[i]);
    }
}

PrintMargins TpIniFile::ReadMargins() const
{
    PrintMargins margins;
    margins.left = read(keys::print::MarginLeft);
    margins.top = read(keys::print::MarginTop);
    margins.right = read(keys::print::MarginRight);
    margins.bottom = read(keys::print::MarginBottom);
    return margins;
}

void TpIniFile::WriteMargins(const PrintMargins& margins)
{
    put(keys::print::MarginLeft, margins.left);
    put(keys::print::MarginTop, margins.top);
    put(keys::print::MarginRight, margins.right);
    put(keys::print::MarginBottom, margins.bottom);
}

} // namespace kelto
