// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/BodyEdits.h"

#include <QString>

class QTextDocument;

namespace kelto {

class TKeltoEdit;

// The edits the editor commands make on a section editor beyond what the
// editor's own keys do. Every change the program makes here is one step of
// the section's undo history and reaches the notebook's modified flag like
// any edit (through the editor's change notification). Afterwards the caret
// stands after the new text with nothing selected.
namespace editactions {

// The text of the document with '\n' between paragraphs; every position in
// it is the same position in the document.
QString paragraphText(const QTextDocument& document);

bool hasSelection(const TKeltoEdit& editor);

// The selection (possibly empty) replaced by text; nothing happens when both
// are empty.
void replaceSelection(TKeltoEdit& editor, const QString& text);

// Applies a replacement worked out on paragraphText(). A replacement that
// changes nothing only places the caret.
void applyReplacement(TKeltoEdit& editor, const TextReplacement& replacement);

// Block indent or outdent of the lines the selection touches.
void shiftSelectedLines(TKeltoEdit& editor, ShiftDirection direction, int count);

// The selected text in lower or upper case; nothing happens when that changes
// nothing (also for an empty selection).
void changeSelectionCase(TKeltoEdit& editor, LetterCase letterCase);

// The automatic clipboard paste: separator line, clipping and an empty last
// line at the end of the body.
void appendClipping(TKeltoEdit& editor, const QString& clipping);

} // namespace editactions
} // namespace kelto
