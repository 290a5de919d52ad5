// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSyntaxHighlighter>

namespace kelto {

// Shows the links of a body (http, https, ftp, mailto, file, www.) in the
// usual link style; clicking one opens it (TKeltoEdit).
class LinkHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit LinkHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;
};

} // namespace kelto
