// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateFile.h"

#include "common/FileIo.h"
#include "common/TextCodec.h"
#include "settings/IniUnit.h"

#include <QHash>

namespace kelto {

namespace {

const QString NameSection = QStringLiteral("Name");
const QString DescriptionSection = QStringLiteral("Description");
const QLatin1String LineBreak("\r\n");

} // namespace

TemplateList readTemplates(const QString& path)
{
    const TpIniFile file(path);
    const QStringList keys = file.ReadSectionKeys(NameSection);
    const QStringList names = file.ReadSectionValues(NameSection);
    // The descriptions by folded key (the first of a repeated key, as a
    // look-up gives), read once rather than searched for each template.
    QHash<QString, QString> descriptions;
    {
        const QStringList descriptionKeys = file.ReadSectionKeys(DescriptionSection);
        const QStringList values = file.ReadSectionValues(DescriptionSection);
        for (qsizetype i = 0; i < descriptionKeys.size(); ++i) {
            const QString key = descriptionKeys.at(i).toCaseFolded();
            if (!descriptionKeys.at(i).isNull() && !descriptions.contains(key))
                descriptions.insert(key, values.at(i));
        }
    }
    TemplateList templates;
    templates.reserve(keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        Template entry;
        entry.name = names.at(i);
        entry.description = descriptions.value(keys.at(i).toCaseFolded());
        entry.lines = file.ReadSectionValues(keys.at(i));
        templates.append(std::move(entry));
    }
    return templates;
}

QString templatesFileText(const TemplateList& templates)
{
    QString text = u'[' + NameSection + u']' + LineBreak;
    for (qsizetype i = 0; i < templates.size(); ++i)
        text += QStringLiteral("T%1=").arg(i) + templates.at(i).name + LineBreak;
    text += LineBreak + u'[' + DescriptionSection + u']' + LineBreak;
    for (qsizetype i = 0; i < templates.size(); ++i)
        text += QStringLiteral("T%1=").arg(i) + templates.at(i).description + LineBreak;
    text += LineBreak;
    for (qsizetype i = 0; i < templates.size(); ++i) {
        text += QStringLiteral("[T%1]").arg(i) + LineBreak;
        const QStringList& lines = templates.at(i).lines;
        for (qsizetype j = 0; j < lines.size(); ++j)
            text += QStringLiteral("S%1=").arg(j) + lines.at(j) + LineBreak;
        text += LineBreak;
    }
    return text;
}

void writeTemplates(const QString& path, const TemplateList& templates)
{
    writeFileAtomically(path, encodeMarkedText(templatesFileText(templates)));
}

QString templateInsertionText(const Template& entry)
{
    return templateMemoText(entry.lines);
}

QString templateMemoText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + u'\n';
    return text;
}

QStringList templateLinesOf(const QString& text)
{
    QStringList lines = text.split(u'\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace kelto
