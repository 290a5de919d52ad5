// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolCommands.h"

#include "LstgUnit.h"
#include "PatternsUnit.h"
#include "SortUnit.h"
#include "mainwindow/AdnlActns.h"
#include "mainwindow/BusyCursor.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/NavigatorModel.h"

#include <QTreeView>

namespace kelto {

ToolCommands::ToolCommands(CommandHost& host, Parts parts, TpIniFile& settings,
                           UserPrompts& prompts, const QString& templatesPath)
    : m_host(host), m_parts(parts), m_settings(settings)
{
    QWidget* window = m_parts.editor.window();
    m_listBox = new TListGnrBox(window, settings, prompts);
    m_patterns = new TPatternsForm(window);
    m_patterns->setTemplates(readTemplates(templatesPath));
    connect(m_patterns, &TPatternsForm::chosen, this, &ToolCommands::insertTemplate);

    host.wireCommand(cmd::EditorPattern, [this] { showPatterns(); });
    host.wireCommand(cmd::NavigatorCreateList, [this] { createList(); });
    host.wireCommand(cmd::NavigatorSort, [this] { sortSections(); });
    const QTreeView& view = m_parts.view;
    const Notebook& notebook = m_parts.notebook;
    host.enableWhen(cmd::EditorPattern, [this] { return editorActive(); });
    host.enableWhen(cmd::NavigatorCreateList, [&view] { return !view.isHidden(); });
    host.enableWhen(cmd::NavigatorSort,
                    [&view, &notebook] { return !view.isHidden() && notebook.current(); });
}

ToolCommands::~ToolCommands() = default;

// The section editor is the window's active control and shows a section.
bool ToolCommands::editorActive() const
{
    TKeltoEdit& editor = m_parts.editor;
    return editor.window()->focusWidget() == &editor && editor.body();
}

void ToolCommands::showPatterns()
{
    if (m_parts.notebook.current())
        m_patterns->popUp();
}

// The template's text replaces the editor's selection as one step of its
// undo history; the caret ends after it and the picker closes.
void ToolCommands::insertTemplate(const Template& entry)
{
    if (!editorActive())
        return;
    TKeltoEdit& editor = m_parts.editor;
    editactions::replaceSelection(editor, templateInsertionText(entry));
    m_patterns->hide();
    editor.window()->activateWindow();
    editor.setFocus();
}

void ToolCommands::createList()
{
    if (m_listBox->exec() != QDialog::Accepted)
        return;
    const QStringList captions = m_listBox->takeCaptions();
    Notebook& notebook = m_parts.notebook;
    Section* current = notebook.current();
    const ListPlacement placement = m_listBox->placement();
    const BusyCursor busy;
    Section* first = insertListSections(notebook, current, placement, captions);
    if (placement == ListPlacement::LastChildren && current)
        m_parts.view.expand(m_parts.model.indexOf(current));
    // A series made where no section was selected starts the selection.
    if (!current && first)
        notebook.setCurrent(first);
    notebook.setModified(true);
}

void ToolCommands::sortSections()
{
    Notebook& notebook = m_parts.notebook;
    TSortBox box(m_parts.editor.window(), m_settings);
    if (box.exec() != QDialog::Accepted)
        return;
    const BusyCursor busy;
    Section* selected = notebook.current();
    kelto::sortSections(notebook, selected, box.scope(), box.descending(), CaptionCollator());
    notebook.setModified(true);
    m_parts.view.scrollTo(m_parts.model.indexOf(selected));
}

} // namespace kelto
