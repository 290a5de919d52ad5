// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPixmap>

class QLabel;
class QStatusBar;

namespace kelto {

// The six panels of the status bar, left to right: the long hint of a
// command (Qt shows it as the bar's message, covering the other panels while
// it lasts), the modified mark, "line:column", the line count with the
// caret's place in it, "INS", and the file's path.
class StatusPanels : public QObject
{
    Q_OBJECT
public:
    explicit StatusPanels(QStatusBar* bar);

    void setModified(bool modified);
    bool modifiedShown() const;
    // Line and column from 0; lineCount of the shown body.
    void setCaret(int line, int column, int lineCount);
    void clearCaret();
    void setPath(const QString& path);

    QString caretText() const;
    QString linesText() const;
    QString pathText() const;

    static QString formatCaret(int line, int column);
    static QString formatLines(int line, int lineCount);

Q_SIGNALS:
    // A double click on the modified mark (it saves the notebook).
    void modifiedMarkDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_modified;
    QLabel* m_caret;
    QLabel* m_lines;
    QLabel* m_insert;
    QLabel* m_path;
    QPixmap m_mark;
};

} // namespace kelto
