// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TreePadImport.h"

#include <QByteArray>
#include <QString>

namespace kelto {

class Notebook;
class Section;

// What the import command does with a file, told by its extension in any
// letter case: ".txt" a new section, ".hjt" a TreePad subtree, ".nib" the
// sections of another notebook; any other file's text goes into the current
// section's body.
enum class ImportKind
{
    Text,
    TreePad,
    Notebook,
    Other
};
ImportKind importKindOf(const QString& path);

// The whole file, or KeltoError "Невозможно открыть файл ..." when it is no
// file or cannot be read.
QByteArray readImportFile(const QString& path);

// A plain-text file as a new last top-level section captioned with the
// file's full path, its body the text (UTF-8 when valid UTF-8, with or
// without a byte order mark, else Windows-1251). The file is read first: one
// that cannot be read adds nothing.
Section* ImportTextFile(const QString& path, Notebook& notebook);

// The sections of a notebook file, each with its body, added under parent
// (at the top level without one) as a TreePad import whose levels start at 0
// places them: its top-level sections become parent's last subsections. The
// open notebook's properties stay as they are. A file that cannot be read or
// is no notebook adds nothing and throws KeltoError.
Section* ImportNotebookFile(const QString& path, Notebook& notebook, Section* parent);

// A text, TreePad or notebook file by its kind; parent is where TreePad and
// notebook sections go. Throws KeltoError for any other kind.
ImportResult ImportFile(const QString& path, Notebook& notebook, Section* parent);

// The text of a file's lines (read as plain text), each followed by a
// paragraph break ('\n'): what goes into a body when any other file is
// imported.
QString fileLinesText(const QString& path);

} // namespace kelto
