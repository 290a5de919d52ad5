// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeltoRichEd.h"

#include "LinkHighlighter.h"
#include "SectionDocument.h"
#include "common/Links.h"
#include "document/SectionBody.h"

#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>

namespace kelto {

TKeltoEdit::TKeltoEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("Editor"));
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(NoWrap);
    setTabChangesFocus(true);
    setMouseTracking(true);
    // An empty document stands in while no section is shown, so the editor
    // never points at a document that is gone.
    m_blank = new QTextDocument(this);
    m_blank->setDocumentLayout(new QPlainTextDocumentLayout(m_blank));
    setDocument(m_blank);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TKeltoEdit::caretMoved);
}

TKeltoEdit::~TKeltoEdit()
{
    detachBody();
}

void TKeltoEdit::rememberView()
{
    if (!m_sectionDocument)
        return;
    const QTextCursor cursor = textCursor();
    m_sectionDocument->anchor = cursor.anchor();
    m_sectionDocument->position = cursor.position();
    m_sectionDocument->firstVisibleLine = verticalScrollBar()->value();
}

void TKeltoEdit::detachBody()
{
    rememberView();
    QObject::disconnect(m_contentsConnection);
    m_body = nullptr;
    m_sectionDocument = nullptr;
    setDocument(m_blank);
}

void TKeltoEdit::showBody(SectionBody* body)
{
    if (body == m_body)
        return;
    detachBody();
    if (!body)
        return;
    m_body = body;
    m_sectionDocument = dynamic_cast<SectionDocument*>(body->document());
    if (!m_sectionDocument) {
        // A new document is shown before its text goes in: the editor then
        // lays out only the lines in view, where a document filled first
        // would have every line of a long body laid out at once. A body
        // taller than the view gets its scroll bar first too, since a bar
        // appearing later narrows the view, and that lays out every line.
        auto created = std::make_unique<SectionDocument>();
        m_sectionDocument = created.get();
        created->document()->setDefaultFont(font());
        const qsizetype lines = body->text().count(QLatin1Char('\n')) + 1;
        if (lines > viewport()->height() / std::max(1, fontMetrics().lineSpacing()))
            setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setDocument(created->document());
        body->attachDocument(std::move(created));
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    QTextDocument* document = m_sectionDocument->document();
    if (document->defaultFont() != font())
        document->setDefaultFont(font());
    // Setting a document again would lay all of it out again.
    if (this->document() != document)
        setDocument(document);
    QTextCursor cursor(document);
    cursor.setPosition(std::min(m_sectionDocument->anchor, document->characterCount() - 1));
    cursor.setPosition(std::min(m_sectionDocument->position, document->characterCount() - 1),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(m_sectionDocument->firstVisibleLine);
    m_contentsConnection =
        connect(document, &QTextDocument::contentsChange, this, &TKeltoEdit::onContentsChange);
    Q_EMIT caretMoved();
}

void TKeltoEdit::paintEvent(QPaintEvent* event)
{
    if (m_sectionDocument) {
        const int bottom = viewport()->height();
        for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
            if (blockBoundingGeometry(block).translated(contentOffset()).top() > bottom)
                break;
            m_sectionDocument->links().style(block);
        }
    }
    QPlainTextEdit::paintEvent(event);
}

void TKeltoEdit::onContentsChange(int, int removed, int added)
{
    if (!m_sectionDocument || m_sectionDocument->isLoading())
        return;
    if (removed == 0 && added == 0)
        return;
    Q_EMIT edited();
}

void TKeltoEdit::setWordWrap(bool wrap)
{
    const QTextCursor cursor = textCursor();
    const int scroll = verticalScrollBar()->value();
    setLineWrapMode(wrap ? WidgetWidth : NoWrap);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(scroll);
}

void TKeltoEdit::setTabFlag(bool acceptTab)
{
    setTabChangesFocus(!acceptTab);
}

int TKeltoEdit::caretLine() const
{
    return textCursor().blockNumber();
}

int TKeltoEdit::caretColumn() const
{
    return textCursor().positionInBlock();
}

int TKeltoEdit::lineCount() const
{
    return document()->blockCount();
}

void TKeltoEdit::deleteCaretLine()
{
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const QTextBlock next = block.next();
    cursor.setPosition(block.position());
    if (next.isValid())
        cursor.setPosition(next.position(), QTextCursor::KeepAnchor);
    else
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

void TKeltoEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Y && mods == Qt::ControlModifier) {
        if (!isReadOnly())
            deleteCaretLine();
        event->accept();
        return;
    }
    // Shift+Enter would put a line separator inside the paragraph: shown as a
    // new line, yet one line for Ctrl+Y, block shifts and the status bar, and
    // a paragraph break once saved. It makes a paragraph break at once.
    if (event->matches(QKeySequence::InsertLineSeparator)) {
        if (!isReadOnly())
            insertPlainText(QStringLiteral("\n"));
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Tab && mods == Qt::ControlModifier && !tabFlag()) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool TKeltoEdit::linkUnder(const QPoint& point, QString* url) const
{
    const QTextCursor cursor = cursorForPosition(point);
    const QTextBlock block = cursor.block();
    // The caret position nearest the point may lie just past the last
    // character; only a point over the text itself counts.
    const QRect caret = cursorRect(cursor);
    if (point.y() < caret.top() || point.y() > caret.bottom())
        return false;
    LinkSpan link;
    const int column = cursor.positionInBlock();
    const QString text = block.text();
    if (linkAt(text, column, &link) ||
        (column > 0 && linkAt(text, column - 1, &link) && column < link.start + link.length)) {
        *url = link.url;
        return true;
    }
    return false;
}

void TKeltoEdit::mousePressEvent(QMouseEvent* event)
{
    m_pressPoint = event->position().toPoint();
    if (event->button() == Qt::RightButton)
        setFocus(Qt::MouseFocusReason);
    QPlainTextEdit::mousePressEvent(event);
}

void TKeltoEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || textCursor().hasSelection() ||
        (point - m_pressPoint).manhattanLength() > 3)
        return;
    QString url;
    if (linkUnder(point, &url))
        Q_EMIT linkActivated(url);
}

void TKeltoEdit::mouseMoveEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseMoveEvent(event);
    QString url;
    viewport()->setCursor(event->buttons() == Qt::NoButton &&
                                  linkUnder(event->position().toPoint(), &url)
                              ? Qt::PointingHandCursor
                              : Qt::IBeamCursor);
}

void TKeltoEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // A double-clicked word is selected without the blanks after it.
    QTextCursor cursor = cursorForPosition(event->position().toPoint());
    cursor.select(QTextCursor::WordUnderCursor);
    if (!cursor.hasSelection())
        return;
    const int start = cursor.selectionStart();
    int end = cursor.selectionEnd();
    const QTextBlock block = cursor.block();
    const QString text = block.text();
    while (end > start && text.at(end - 1 - block.position()).isSpace())
        --end;
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TKeltoEdit::setContextMenu(QMenu* menu)
{
    m_contextMenu = menu;
}

void TKeltoEdit::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_contextMenu)
        m_contextMenu->exec(event->globalPos());
    else
        QPlainTextEdit::contextMenuEvent(event);
}

namespace {

// A file dragged from a file manager is no text for the body: refused here,
// the drag goes on to the window, which opens the file.
bool carriesFile(const QMimeData* data)
{
    return data && data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile();
}

} // namespace

void TKeltoEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (carriesFile(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void TKeltoEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (carriesFile(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void TKeltoEdit::dropEvent(QDropEvent* event)
{
    if (carriesFile(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

} // namespace kelto
