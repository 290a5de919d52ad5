// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentInfo.h"

#include "document/DocumentProperties.h"

#include <QRegularExpression>

namespace kelto {

namespace {

constexpr std::array<QStringView, DocumentInfo::FieldCount> PropertyNames = {
    DocumentProperties::Name, DocumentProperties::Author, DocumentProperties::Addr,
    DocumentProperties::Descript, DocumentProperties::KeyWords};

} // namespace

QStringView DocumentInfo::propertyName(int index)
{
    return PropertyNames.at(size_t(index));
}

DocumentInfo DocumentInfo::read(const DocumentProperties& properties)
{
    DocumentInfo info;
    for (int i = 0; i < FieldCount; ++i)
        info.fields[size_t(i)] = properties.value(propertyName(i));
    return info;
}

QString singleLineValue(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}]"));
    QString line = text;
    line.replace(breaks, QStringLiteral(" "));
    return line;
}

bool writeDocumentInfo(DocumentProperties& properties, const DocumentInfo& info)
{
    bool changed = false;
    for (int i = 0; i < DocumentInfo::FieldCount; ++i) {
        const QStringView name = DocumentInfo::propertyName(i);
        const QString value = singleLineValue(info.fields[size_t(i)]);
        // An unchanged value leaves its line alone, spelling of the name
        // included, so looking at the properties never counts as an edit.
        if (value == properties.value(name))
            continue;
        properties.setValue(name, value);
        changed = true;
    }
    return changed;
}

} // namespace kelto
