// SPDX-License-Identifier: GPL-3.0-or-later
#include "PatternsUnit.h"

#include "mainwindow/ItemActivation.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kelto {

const QString TPatternsForm::EmptyHint =
    QStringLiteral("Шаблонов нет: добавьте их\nв «Настройки» (F9), страница «Шаблоны».");

TPatternsForm::TPatternsForm(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TPatternsForm"));
    setWindowTitle(QStringLiteral("Выбор шаблона"));
    setFixedSize(ClientWidth, ClientHeight);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("PatternsList"));
    m_list->setColumnCount(2);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(0, 224);
    m_list->setColumnWidth(1, 72);
    // The selection stays visible while the list is inactive.
    QPalette palette = m_list->palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight,
                     palette.brush(QPalette::Active, QPalette::Highlight));
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                     palette.brush(QPalette::Active, QPalette::HighlightedText));
    m_list->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    new ItemActivation(m_list, [this](const QModelIndex&) { activated(); });
}

void TPatternsForm::setTemplates(const TemplateList& templates)
{
    m_templates = templates;
    m_list->clear();
    for (const Template& entry : templates) {
        auto* item = new QTreeWidgetItem(m_list, {entry.description, entry.name});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    // An empty list says where templates come from; the line inserts nothing.
    if (templates.isEmpty()) {
        auto* hint = new QTreeWidgetItem(m_list, {EmptyHint});
        hint->setFlags(Qt::ItemIsEnabled);
        hint->setFirstColumnSpanned(true);
        hint->setToolTip(0, QString(EmptyHint).replace(u'\n', u' '));
    }
}

QPoint TPatternsForm::cornerPosition(const QRect& screen)
{
    return {screen.x() + screen.width() - ClientWidth - RightOffset,
            screen.y() + screen.height() - ClientHeight - BottomOffset};
}

void TPatternsForm::popUp()
{
    if (const QScreen* screen = m_mainWindow->screen())
        move(cornerPosition(screen->geometry()));
    // Enter inserts at once: a row is always selected when there is one.
    if (m_list->selectedItems().isEmpty() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    show();
    raise();
    activateWindow();
    m_list->setFocus();
}

void TPatternsForm::activated()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_list->indexOfTopLevelItem(selected.first());
    if (row >= 0 && row < m_templates.size())
        Q_EMIT chosen(m_templates.at(row));
}

void TPatternsForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        hide();
}

void TPatternsForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace kelto
