// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QPointer>

class QMenu;

namespace kelto {

class SectionBody;
class SectionDocument;

// The one section editor of the window. Showing a section switches the
// editor to that section's own document, so each section keeps its own
// text, undo history and selection while only one widget exists.
class TKeltoEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TKeltoEdit(QWidget* parent = nullptr);
    ~TKeltoEdit() override;

    // Shows the body (its document is made on first use); nullptr shows
    // nothing. The selection of the section left is remembered.
    void showBody(SectionBody* body);
    SectionBody* body() const { return m_body; }
    SectionDocument* sectionDocument() const { return m_sectionDocument; }
    // Forgets the shown body without touching it (its section is going).
    void detachBody();

    bool wordWrap() const { return lineWrapMode() != NoWrap; }
    // Keeps the selection and never counts as an edit.
    void setWordWrap(bool wrap);
    // True: Tab types a tab character; false: Tab moves the focus and
    // Ctrl+Tab types the tab character.
    void setTabFlag(bool acceptTab);
    bool tabFlag() const { return !tabChangesFocus(); }

    // Lines are paragraphs: a line ends at a paragraph break, whatever the
    // wrapping shows.
    int caretLine() const;
    int caretColumn() const;
    int lineCount() const;
    // Removes the caret's line with its line break (Ctrl+Y).
    void deleteCaretLine();

    void setContextMenu(QMenu* menu);

Q_SIGNALS:
    // A change of the shown text made by the user or by a command.
    void edited();
    void caretMoved();
    void linkActivated(const QString& url);

protected:
    // Styles the links of the lines about to be shown first.
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void onContentsChange(int position, int removed, int added);
    void rememberView();
    bool linkUnder(const QPoint& point, QString* url) const;

    SectionBody* m_body = nullptr;
    SectionDocument* m_sectionDocument = nullptr;
    QTextDocument* m_blank = nullptr;
    QMetaObject::Connection m_contentsConnection;
    QPointer<QMenu> m_contextMenu;
    QPoint m_pressPoint;
};

} // namespace kelto
