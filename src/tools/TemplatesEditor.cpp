// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplatesEditor.h"

#include "TemplateNameDialog.h"

#include <QAction>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kelto {

TemplatesEditor::TemplatesEditor(const TemplateList& templates, QWidget* parent)
    : QWidget(parent), m_templates(templates)
{
    setObjectName(QStringLiteral("TemplatesEditor"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildListGroup());
    layout->addWidget(buildCodeGroup(), 1);
    for (int row = 0; row < m_templates.size(); ++row) {
        new QTreeWidgetItem(m_list);
        fillRow(row);
    }
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &TemplatesEditor::selectionChanged);
    connect(m_code, &QPlainTextEdit::textChanged, this, &TemplatesEditor::codeChanged);
    selectionChanged();
    selectRow(0);
}

QWidget* TemplatesEditor::buildListGroup()
{
    auto* group = new QGroupBox(QStringLiteral(" Шаблон "), this);
    m_list = new QTreeWidget(group);
    m_list->setObjectName(QStringLiteral("TemplatesList"));
    m_list->setHeaderLabels({QStringLiteral("Описание"), QStringLiteral("Идентификатор")});
    // The identifier column is as wide as its heading (at least 96 pixels);
    // the description takes the rest, so both headings are always in view.
    QHeaderView* header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    m_list->setColumnWidth(1, std::max(96, header->sectionSizeHint(1)));
    m_list->setRootIsDecorated(false);
    m_list->setSortingEnabled(false);
    m_list->header()->setSectionsClickable(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QAction* add = makeCommand("ActionAddTemplate", QStringLiteral("&Добавить..."),
                               &TemplatesEditor::addTemplate);
    m_edit = makeCommand("ActionEditTemplate", QStringLiteral("&Изменить..."),
                         &TemplatesEditor::editTemplate);
    m_delete = makeCommand("ActionDelTemplate", QStringLiteral("Уда&лить"),
                           &TemplatesEditor::deleteTemplate);
    auto* buttons = new QVBoxLayout;
    for (QAction* action : {add, m_edit, m_delete}) {
        auto* button = new QToolButton(group);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    return group;
}

QWidget* TemplatesEditor::buildCodeGroup()
{
    auto* group = new QGroupBox(QStringLiteral(" Содержимое шаблона "), this);
    m_code = new QPlainTextEdit(group);
    m_code->setObjectName(QStringLiteral("TemplateCode"));
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(15);
    m_code->setFont(font);
    m_code->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_code->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_code->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_code);
    return group;
}

QAction* TemplatesEditor::makeCommand(const char* name, const QString& caption,
                                      void (TemplatesEditor::*run)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, run);
    return action;
}

void TemplatesEditor::fillRow(int row)
{
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    item->setText(0, m_templates.at(row).description);
    item->setText(1, m_templates.at(row).name);
}

int TemplatesEditor::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void TemplatesEditor::selectRow(int row)
{
    if (QTreeWidgetItem* item = m_list->topLevelItem(row)) {
        m_list->setCurrentItem(item);
        item->setSelected(true);
    }
}

void TemplatesEditor::selectionChanged()
{
    const int row = selectedRow();
    m_edit->setEnabled(row >= 0);
    m_delete->setEnabled(row >= 0);
    m_loading = true;
    m_code->setPlainText(row >= 0 ? templateMemoText(m_templates.at(row).lines) : QString());
    m_code->setReadOnly(row < 0);
    m_loading = false;
}

void TemplatesEditor::codeChanged()
{
    const int row = selectedRow();
    if (m_loading || row < 0)
        return;
    m_templates[row].lines = templateLinesOf(m_code->toPlainText());
}

void TemplatesEditor::addTemplate()
{
    TemplateNameDialog dialog(this, TemplateNameDialog::CreateTitle);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_templates.append({dialog.name(), dialog.description(), {}});
    new QTreeWidgetItem(m_list);
    fillRow(int(m_templates.size()) - 1);
    selectRow(int(m_templates.size()) - 1);
    m_code->setFocus();
}

void TemplatesEditor::editTemplate()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    Template& entry = m_templates[row];
    TemplateNameDialog dialog(this, TemplateNameDialog::EditTitle, entry.name, entry.description);
    if (dialog.exec() != QDialog::Accepted)
        return;
    entry.name = dialog.name();
    entry.description = dialog.description();
    fillRow(row);
}

// The template at the same place is selected next, or the last one when the
// last was removed.
void TemplatesEditor::deleteTemplate()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    // The row goes from the list before its template, with the list's own
    // selection moves kept quiet: they would read the templates in between.
    {
        const QSignalBlocker quiet(m_list->selectionModel());
        delete m_list->takeTopLevelItem(row);
        m_list->clearSelection();
    }
    m_templates.removeAt(row);
    if (m_templates.isEmpty()) {
        selectionChanged();
        return;
    }
    selectRow(std::min(row, int(m_templates.size()) - 1));
    selectionChanged();
}

} // namespace kelto
