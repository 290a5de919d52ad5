// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/TemplateFile.h"

#include <QWidget>

class QAction;
class QPlainTextEdit;
class QTreeWidget;

namespace kelto {

// The templates as the options dialog edits them: a list of descriptions and
// names with commands to add, change and delete templates, and an editor of
// the selected template's lines. It works on its own copy of the list; the
// host takes templates() when its changes are confirmed.
//
// The editor and the list stay in step: selecting a template loads its lines
// without counting as a change, every change of the text replaces the
// selected template's lines, and while no template is selected the editor
// is read-only and empty.
class TemplatesEditor : public QWidget
{
    Q_OBJECT
public:
    explicit TemplatesEditor(const TemplateList& templates, QWidget* parent = nullptr);

    const TemplateList& templates() const { return m_templates; }
    // The selected row, -1 when none.
    int selectedRow() const;
    void selectRow(int row);

    // The commands of the page, also on its buttons: ActionAddTemplate,
    // ActionEditTemplate, ActionDelTemplate.
    void addTemplate();
    void editTemplate();
    void deleteTemplate();

private:
    QWidget* buildListGroup();
    QWidget* buildCodeGroup();
    QAction* makeCommand(const char* name, const QString& caption, void (TemplatesEditor::*run)());
    void fillRow(int row);
    void selectionChanged();
    void codeChanged();

    TemplateList m_templates;
    QTreeWidget* m_list = nullptr;
    QPlainTextEdit* m_code = nullptr;
    QAction* m_edit = nullptr;
    QAction* m_delete = nullptr;
    bool m_loading = false;
};

} // namespace kelto
