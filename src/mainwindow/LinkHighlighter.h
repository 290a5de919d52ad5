// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTextBlock;
class QTextDocument;

namespace kelto {

// Shows the links of a body (http, https, ftp, mailto, file, www.) in the
// usual link style; clicking one opens it (TKeltoEdit). A block is styled
// when the editor is about to show it, not when the text is loaded, so a
// body of a megabyte costs only the lines on screen.
class LinkHighlighter : public QObject
{
public:
    explicit LinkHighlighter(QTextDocument* document);

    // Styles the block unless it is styled and unchanged since. The new
    // style is no change of the text: no edit is reported.
    void style(const QTextBlock& block);

private:
    void onContentsChange(int position, int removed, int added);

    QTextDocument* m_document;
};

} // namespace kelto
