// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorCommands.h"

#include "ActionCatalog.h"
#include "AdnlActns.h"
#include "CommandHost.h"
#include "KeltoRichEd.h"
#include "document/BodyEdits.h"
#include "document/Notebook.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTextDocument>

namespace kelto {

EditorCommands::EditorCommands(CommandHost& host, ActionTable& actions, Notebook& notebook,
                               TKeltoEdit& editor, TpIniFile& settings)
    : m_host(host), m_actions(actions), m_notebook(notebook), m_editor(editor), m_settings(settings)
{
    wireCommands();
    addConditions();

    // The enabling rules follow the selection, the undo history and the
    // clipboard.
    const auto schedule = [this] { m_host.scheduleUpdate(); };
    connect(&m_editor, &QPlainTextEdit::selectionChanged, this, schedule);
    connect(&m_editor, &QPlainTextEdit::undoAvailable, this, schedule);
    connect(&m_editor, &QPlainTextEdit::redoAvailable, this, schedule);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &EditorCommands::clipboardChanged);
    // A menu shows the state of the moment it opens.
    for (QStringView name : {QStringView(u"MenuEditor"), QStringView(u"EditorPopupMenu")}) {
        if (QMenu* menu = m_actions.menu(name))
            connect(menu, &QMenu::aboutToShow, this, [this] { m_host.updateActions(); });
    }
}

EditorCommands::~EditorCommands() = default;

void EditorCommands::wireCommands()
{
    m_host.wireCommand(cmd::EditUndo, [this] { onFocusedEditor([](TKeltoEdit& e) { e.undo(); }); });
    m_host.wireCommand(cmd::EditRedo, [this] { onFocusedEditor([](TKeltoEdit& e) { e.redo(); }); });
    m_host.wireCommand(cmd::EditQuickSelectAll,
                       [this] { onFocusedEditor([](TKeltoEdit& e) { e.selectAll(); }); });
    m_host.wireCommand(cmd::EditShl, [this] { shift(ShiftDirection::Left); });
    m_host.wireCommand(cmd::EditShr, [this] { shift(ShiftDirection::Right); });
    m_host.wireCommand(cmd::EditLower, [this] { changeCase(LetterCase::Lower); });
    m_host.wireCommand(cmd::EditUpper, [this] { changeCase(LetterCase::Upper); });
    wireClipboardCommands();
    wireInsertions();
}

// The context menu's own Cut and Paste; the shared ones of the menu bar and
// the toolbar are ClipboardCommands.
void EditorCommands::wireClipboardCommands()
{
    m_host.wireCommand(cmd::EditCut, [this] { onFocusedEditor([](TKeltoEdit& e) { e.cut(); }); });
    m_host.wireCommand(cmd::EditPaste,
                       [this] { onFocusedEditor([](TKeltoEdit& e) { e.paste(); }); });
    m_host.wireCommand(cmd::EditDelete, [this] {
        onFocusedEditor([](TKeltoEdit& e) { editactions::replaceSelection(e, QString()); });
    });
    // The mode is the check mark itself; triggering toggles it.
    m_host.wireCommand(cmd::EditAutoClipboard, [] {});
}

void EditorCommands::wireInsertions()
{
    m_host.wireCommand(cmd::EditorNodeText, [this] { insertCaption(); });
    m_host.wireCommand(cmd::EditorNodePath, [this] { insertPath(); });
    m_host.wireCommand(cmd::EditorChildList, [this] { insertChildList(); });
}

void EditorCommands::addConditions()
{
    m_host.enableWhen(cmd::EditUndo, [this] { return m_editor.document()->isUndoAvailable(); });
    m_host.enableWhen(cmd::EditRedo, [this] { return m_editor.document()->isRedoAvailable(); });
    m_host.enableWhen(cmd::EditPaste, [this] { return m_editor.canPaste(); });
}

TKeltoEdit* EditorCommands::focusedEditor() const
{
    const bool active = m_editor.window()->focusWidget() == &m_editor;
    return active && m_editor.body() ? &m_editor : nullptr;
}

bool EditorCommands::autoClipboard() const
{
    return m_actions.action(cmd::EditAutoClipboard)->isChecked();
}

void EditorCommands::onFocusedEditor(void (*edit)(TKeltoEdit&))
{
    if (TKeltoEdit* editor = focusedEditor())
        edit(*editor);
}

void EditorCommands::cut()
{
    m_editor.cut();
}

bool EditorCommands::canCopy() const
{
    return editactions::hasSelection(m_editor);
}

void EditorCommands::copy()
{
    m_editor.copy();
}

bool EditorCommands::canPaste() const
{
    return m_editor.canPaste();
}

void EditorCommands::paste()
{
    m_editor.paste();
}

void EditorCommands::shift(ShiftDirection direction)
{
    TKeltoEdit* editor = focusedEditor();
    if (!editor)
        return;
    const int count = m_settings.read(keys::editor::ShiftsCount);
    editactions::shiftSelectedLines(*editor, direction, count);
}

void EditorCommands::changeCase(LetterCase letterCase)
{
    if (TKeltoEdit* editor = focusedEditor())
        editactions::changeSelectionCase(*editor, letterCase);
}

void EditorCommands::insertCaption()
{
    TKeltoEdit* editor = focusedEditor();
    if (const Section* section = m_notebook.current(); editor && section)
        editactions::replaceSelection(*editor, section->caption());
}

void EditorCommands::insertPath()
{
    TKeltoEdit* editor = focusedEditor();
    if (const Section* section = m_notebook.current(); editor && section)
        editactions::replaceSelection(*editor, sectionPath(section));
}

void EditorCommands::insertChildList()
{
    TKeltoEdit* editor = focusedEditor();
    const Section* section = m_notebook.current();
    if (!editor || !section)
        return;
    const QString list = childListText(*section);
    if (!list.isEmpty())
        editactions::replaceSelection(*editor, list);
}

void EditorCommands::clipboardChanged()
{
    m_host.scheduleUpdate();
    if (!autoClipboard())
        return;
    // Taken now, added once the current event is done: a cut in the editor
    // fills the clipboard first and removes its selection afterwards, and
    // moving the caret before then would leave the selection in place.
    // Every change counts, also one without text: it still adds the
    // separator and an empty last line.
    const QString text = QGuiApplication::clipboard()->text();
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            const Section* section = m_notebook.current();
            if (!section || m_editor.body() != &section->body())
                return;
            editactions::appendClipping(m_editor, text);
            QApplication::beep();
        },
        Qt::QueuedConnection);
}

} // namespace kelto
