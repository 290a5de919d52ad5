// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/AdnlActns.h"

#include "mainwindow/KeltoRichEd.h"

#include <QTextCursor>
#include <QTextDocument>

namespace kelto::editactions {

namespace {

// Where the caret goes after a change: at position, nothing selected.
void placeCaret(TKeltoEdit& editor, int position)
{
    QTextCursor caret(editor.document());
    caret.setPosition(position);
    editor.setTextCursor(caret);
}

} // namespace

QString paragraphText(const QTextDocument& document)
{
    // The raw text keeps no-break spaces and line separators (they stay inside
    // their paragraph, as the editor's line numbering has them); only the
    // paragraph marks become '\n'.
    QString text = document.toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator)
            c = u'\n';
    }
    return text;
}

bool hasSelection(const TKeltoEdit& editor)
{
    return editor.textCursor().hasSelection();
}

void replaceSelection(TKeltoEdit& editor, const QString& text)
{
    QTextCursor cursor = editor.textCursor();
    if (!cursor.hasSelection() && text.isEmpty())
        return;
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    editor.setTextCursor(cursor);
}

void applyReplacement(TKeltoEdit& editor, const TextReplacement& replacement)
{
    QTextDocument* document = editor.document();
    QTextCursor cursor(document);
    cursor.setPosition(replacement.start);
    cursor.setPosition(replacement.end, QTextCursor::KeepAnchor);
    QString current = cursor.selectedText();
    current.replace(QChar::ParagraphSeparator, u'\n');
    if (current != replacement.text) {
        cursor.beginEditBlock();
        cursor.insertText(replacement.text);
        cursor.endEditBlock();
    }
    placeCaret(editor, replacement.caret);
}

void shiftSelectedLines(TKeltoEdit& editor, ShiftDirection direction, int count)
{
    const QTextCursor selection = editor.textCursor();
    if (!selection.hasSelection())
        return;
    applyReplacement(editor,
                     shiftLines(paragraphText(*editor.document()), selection.selectionStart(),
                                selection.selectionEnd(), direction, count));
}

void changeSelectionCase(TKeltoEdit& editor, LetterCase letterCase)
{
    QTextCursor cursor = editor.textCursor();
    if (!cursor.hasSelection())
        return;
    // Paragraph marks in the selection pass through unchanged and are put
    // back as paragraph breaks.
    const QString selected = cursor.selectedText();
    const QString changed = changeCase(selected, letterCase);
    if (changed == selected)
        return;
    replaceSelection(editor, changed);
}

void appendClipping(TKeltoEdit& editor, const QString& clipping)
{
    applyReplacement(editor, kelto::appendClipping(paragraphText(*editor.document()), clipping));
    editor.ensureCursorVisible();
}

} // namespace kelto::editactions
