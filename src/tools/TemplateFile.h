// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kelto {

// A named piece of text the user inserts at the caret.
struct Template
{
    QString name;
    QString description;
    QStringList lines;

    friend bool operator==(const Template& a, const Template& b)
    {
        return a.name == b.name && a.description == b.description && a.lines == b.lines;
    }
};

using TemplateList = QList<Template>;

// The templates file (kelto.ntl), an INI file: section "Name" lists the
// templates in order, each key naming the template's own section and its
// value the name; section "Description" holds the descriptions under the
// same keys; the template's section holds its lines. The keys link the
// parts; their numbering does not matter when reading. A missing or
// unreadable file gives no templates.
TemplateList readTemplates(const QString& path);

// The whole file: templates numbered T0, T1, ... and lines S0, S1, ... in
// list order, CR LF line ends.
QString templatesFileText(const TemplateList& templates);

// Writes the file whole through a temporary file: Windows-1251 when every
// character fits, else UTF-8 behind a byte order mark. Throws KeltoError.
void writeTemplates(const QString& path, const TemplateList& templates);

// What inserting a template puts at the caret: each line followed by a
// paragraph break ('\n'); nothing for a template without lines.
QString templateInsertionText(const Template& entry);

// The lines as an editor shows them: each followed by '\n', so reading the
// text back with templateLinesOf() gives the same lines, also empty ones at
// the end; no lines give an empty text.
QString templateMemoText(const QStringList& lines);
// The lines of an editor's text: split at '\n', the piece after the last
// '\n' counted only when it is not empty.
QStringList templateLinesOf(const QString& text);

} // namespace kelto
