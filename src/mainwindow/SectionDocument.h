// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/SectionBody.h"

#include <QTextDocument>

#include <memory>

namespace kelto {

class LinkHighlighter;

// The live text of one section while the desktop program edits it: a
// QTextDocument with its own undo history, plus where the caret and the view
// stood when the section was last left. It is made the first time the
// section is shown and then travels with the section's body (also onto the
// navigator's undo list).
class SectionDocument : public BodyDocument
{
public:
    SectionDocument();
    ~SectionDocument() override;

    QTextDocument* document() const { return m_document.get(); }

    QString plainText() const override;
    void loadPlainText(const QString& text) override;
    // True while the program itself puts text into the document; such
    // changes are not edits.
    bool isLoading() const { return m_loading; }
    LinkHighlighter& links() const { return *m_links; }

    // The selection and scroll position to restore when shown again.
    int anchor = 0;
    int position = 0;
    int firstVisibleLine = 0;

    // The document of a body, made on first use.
    static SectionDocument* of(SectionBody& body);

private:
    std::unique_ptr<QTextDocument> m_document;
    LinkHighlighter* m_links; // owned by the document
    bool m_loading = false;
};

} // namespace kelto
