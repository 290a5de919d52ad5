// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

namespace kelto {

class DocumentProperties;

// The five user fields of the document properties, in the order the
// properties dialog shows and writes them: Name, Author, Addr, Descript,
// KeyWords.
struct DocumentInfo
{
    static constexpr int FieldCount = 5;
    // Longest value a field takes.
    static constexpr int MaxLength = 255;
    std::array<QString, FieldCount> fields;

    // The property name of the field at index.
    static QStringView propertyName(int index);
    // Fields from the properties (empty where absent).
    static DocumentInfo read(const DocumentProperties& properties);
};

// A field value as it may stand in one property line: every line break
// (CR, LF, CR LF and the Unicode line and paragraph separators) becomes a
// blank, so a value can never split its line and start a property of its
// own.
QString singleLineValue(const QString& text);

// Writes the fields into the properties in field order: a changed value
// replaces its line where it stands, a new one is appended, an empty field
// removes its line; an unchanged value leaves its line as it is. Values are
// made single-line first. True when the properties changed, so the caller
// can mark the notebook modified.
bool writeDocumentInfo(DocumentProperties& properties, const DocumentInfo& info);

} // namespace kelto
