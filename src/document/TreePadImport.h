// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kelto {

class Notebook;
class Section;

// What an import that adds sections did: the first section it added (the
// top of the new subtree) and, when the file could not be read to its end,
// the message that says why. Sections made before such a fault stay.
struct ImportResult
{
    Section* first = nullptr; // nullptr when nothing was added
    QString error;            // empty when the whole file was read
};

// Reads a TreePad outline file and adds its records as sections under
// parent (at the top level without one). A record is
//
//   <node>            start marker, then one line break
//   caption line
//   level line        a decimal integer, 0 for a top-level record
//   body              every byte up to the end marker, including the line
//   <end node> 5P9i0s8y19Z                         break just before it
//
// Everything outside records (the header line, "dt=", "id=" and the other
// per-record lines, TreePad 7's bookmark and option blocks) is skipped. A
// line break is CR LF, a lone CR or a lone LF, so a file whose line breaks
// lost their CRs on the way (through git, or written on a Mac) imports as
// its CR LF original would.
//
// Placement: BASE is parent's level + 1 (0 without a parent), LEVEL a
// record's level + BASE, PREV the tree level of the section made last (0
// before the first). LEVEL equal to PREV adds a sibling of the section made
// last, a greater LEVEL (by any amount) a child of it (of parent for the
// first record), a smaller one a sibling of its nearest ancestor at tree
// level LEVEL. A record's level is never below 0, so the climb never leaves
// the new subtree.
//
// Text: NUL bytes read as blanks. The file is Windows-1251, unless it starts
// with a UTF-8 or UTF-16 byte order mark or is valid UTF-8 holding non-ASCII
// text (Windows-1251 prose practically never is), which is then read as
// such; every byte of a Windows-1251 file survives a later save unchanged.
// Bodies of RTF or HTML articles ("dt=RTF") are kept as their markup, so no
// text is lost. Captions are made fit for the outline (outlineSafeCaption).
//
// Malformed input stops the reading at the faulty record with a message;
// the records before it are imported:
// - a record without its end marker;
// - a caption or level line without a line break before the end marker;
// - a level that is not an integer: "'%s' is not a valid integer value";
// - a negative level (which would climb out of the new subtree).
// A file without records (a UTF-16 file without a byte order mark, say)
// adds nothing. Nothing is read past the data and nothing recurses.
ImportResult ImportTreePadImage(const QByteArray& bytes, Notebook& notebook, Section* parent);

// The same from a file. A file that cannot be read throws KeltoError and
// changes nothing.
ImportResult ImportTreePad(const QString& path, Notebook& notebook, Section* parent);

} // namespace kelto
