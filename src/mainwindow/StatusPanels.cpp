// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusPanels.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QStatusBar>

namespace kelto {

StatusPanels::StatusPanels(QStatusBar* bar) : QObject(bar)
{
    const auto panel = [bar](const char* name, int width, Qt::Alignment align) {
        auto* label = new QLabel(bar);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(align | Qt::AlignVCenter);
        // The widths are minimums: a larger font must not cut the text.
        if (width > 0)
            label->setMinimumWidth(width);
        bar->addWidget(label);
        return label;
    };
    m_modified = panel("StatusModified", 20, Qt::AlignLeft);
    m_modified->setFixedWidth(20);
    m_modified->setContentsMargins(3, 2, 0, 0);
    m_modified->setToolTip(QStringLiteral("Есть несохранённые изменения"));
    m_modified->installEventFilter(this);
    m_caret = panel("StatusCaret", 70, Qt::AlignHCenter);
    m_lines = panel("StatusLines", 120, Qt::AlignLeft);
    // Always "INS" and never shown: the editor has no overwrite mode.
    m_insert = panel("StatusInsert", 0, Qt::AlignLeft);
    m_insert->setText(QStringLiteral("INS"));
    m_insert->hide();
    m_path = panel("StatusPath", 300, Qt::AlignLeft);
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_mark = QIcon(QStringLiteral(":/icons/modified.svg")).pixmap(14, 14);
}

void StatusPanels::setModified(bool modified)
{
    m_modified->setPixmap(modified ? m_mark : QPixmap());
    m_modified->setProperty("modifiedShown", modified);
}

bool StatusPanels::modifiedShown() const
{
    return m_modified->property("modifiedShown").toBool();
}

QString StatusPanels::formatCaret(int line, int column)
{
    return QString::asprintf("%5d:%5d", line + 1, column + 1);
}

QString StatusPanels::formatLines(int line, int lineCount)
{
    double percent = 0.0;
    if (lineCount > 0)
        percent = std::min(100.0, (line + 1) * 100.0 / lineCount);
    return QStringLiteral("Строк: %1 (%2 %)").arg(lineCount).arg(percent, 0, 'f', 1);
}

void StatusPanels::setCaret(int line, int column, int lineCount)
{
    m_caret->setText(formatCaret(line, column));
    m_lines->setText(formatLines(line, lineCount));
}

void StatusPanels::clearCaret()
{
    m_caret->clear();
    m_lines->clear();
}

void StatusPanels::setPath(const QString& path)
{
    m_path->setText(path);
}

QString StatusPanels::caretText() const
{
    return m_caret->text();
}

QString StatusPanels::linesText() const
{
    return m_lines->text();
}

QString StatusPanels::pathText() const
{
    return m_path->text();
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_modified && event->type() == QEvent::MouseButtonDblClick) {
        Q_EMIT modifiedMarkDoubleClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kelto
