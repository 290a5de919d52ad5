#include "EditorCommands.h"

#include "ActionCatalog.h"
#include "AdnlActns.h"
#include "KeltoRichEd.h"
#include "NavigatorCommands.h"
#include "TreeNotesUnit.h"
#include "document/BodyEdits.h"
#include "settings/SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMenu>
#include <QTextDocument>
#include <QTreeView>

namespace kelto {

namespace {

// The commands whose keys (Ctrl+Z, X, C, V, A) a caption editor needs while
// a caption is being edited in the navigator.
constexpr QStringView CaptionKeyCommands[] = {
    u"ActionEditUndo",           u"ActionEditCutMulti",   u"ActionEditCut",
    u"ActionEditCopy",           u"ActionEditPasteMulti", u"ActionEditPaste",
    u"ActionEditQuickSelectAll",
};

} // namespace

EditorCommands::EditorCommands(TNotesForm& window) : m_window(window)
{
    for (QStringView name : CaptionKeyCommands)
        m_captionKeys.insert(name.toString(), m_window.action(name)->shortcut());
    wireCommands();
    m_window.addUpdateRule([this] { updateRules(); });

    // The enabling rules follow the focus, the selection, the undo history
    // and the clipboard.
    TKeltoEdit* editor = m_window.editor();
    editor->installEventFilter(this);
    m_window.navigator()->installEventFilter(this);
    const auto schedule = [this] { m_window.scheduleUpdate(); };
    connect(editor, &QPlainTextEdit::selectionChanged, this, schedule);
    connect(editor, &QPlainTextEdit::undoAvailable, this, schedule);
    connect(editor, &QPlainTextEdit::redoAvailable, this, schedule);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &EditorCommands::clipboardChanged);
    // A menu shows the state of the moment it opens.
    for (QStringView name : {QStringView(u"MenuEditor"), QStringView(u"EditorPopupMenu")}) {
        if (QMenu* menu = m_window.actions().menu(name))
            connect(menu, &QMenu::aboutToShow, this, [this] { m_window.updateActions(); });
    }
}

EditorCommands::~EditorCommands() = default;

void EditorCommands::wireCommands()
{
    m_window.wireCommand(u"ActionEditUndo",
                         [this] { onFocusedEditor([](TKeltoEdit& e) { e.undo(); }); });
    m_window.wireCommand(u"ActionEditRedo",
                         [this] { onFocusedEditor([](TKeltoEdit& e) { e.redo(); }); });
    m_window.wireCommand(u"ActionEditQuickSelectAll",
                         [this] { onFocusedEditor([](TKeltoEdit& e) { e.selectAll(); }); });
    m_window.wireCommand(u"ActionEditShl", [this] { shift(ShiftDirection::Left); });
    m_window.wireCommand(u"ActionEditShr", [this] { shift(ShiftDirection::Right); });
    m_window.wireCommand(u"ActionEditLower", [this] { changeCase(LetterCase::Lower); });
    m_window.wireCommand(u"ActionEditUpper", [this] { changeCase(LetterCase::Upper); });
    wireClipboardCommands();
    wireInsertions();
}

void EditorCommands::wireClipboardCommands()
{
    const auto cut = [this] { onFocusedEditor([](TKeltoEdit& e) { e.cut(); }); };
    const auto paste = [this] { onFocusedEditor([](TKeltoEdit& e) { e.paste(); }); };
    m_window.wireCommand(u"ActionEditCutMulti", [this] { cutMulti(); });
    m_window.wireCommand(u"ActionEditCut", cut);
    m_window.wireCommand(u"ActionEditCopy",
                         [this] { onFocusedEditor([](TKeltoEdit& e) { e.copy(); }); });
    m_window.wireCommand(u"ActionEditPasteMulti", [this] { pasteMulti(); });
    m_window.wireCommand(u"ActionEditPaste", paste);
    m_window.wireCommand(u"ActionEditDelete", [this] {
        onFocusedEditor([](TKeltoEdit& e) { editactions::replaceSelection(e, QString()); });
    });
    // The mode is the check mark itself; triggering toggles it.
    m_window.wireCommand(u"ActionEditAutoClipboard", [] {});
}

void EditorCommands::wireInsertions()
{
    m_window.wireCommand(u"ActionEditorNodeText", [this] { insertCaption(); });
    m_window.wireCommand(u"ActionEditorNodePath", [this] { insertPath(); });
    m_window.wireCommand(u"ActionEditorChildList", [this] { insertChildList(); });
}

TKeltoEdit* EditorCommands::focusedEditor() const
{
    TKeltoEdit* editor = m_window.editor();
    return m_window.focusWidget() == editor && editor->body() ? editor : nullptr;
}

bool EditorCommands::navigatorFocused() const
{
    return m_window.focusWidget() == m_window.navigator();
}

bool EditorCommands::captionEditing() const
{
    const QWidget* focus = m_window.focusWidget();
    const QTreeView* tree = m_window.navigator();
    return focus && focus != tree && tree->isAncestorOf(focus);
}

bool EditorCommands::autoClipboard() const
{
    return m_window.action(u"ActionEditAutoClipboard")->isChecked();
}

void EditorCommands::updateRules()
{
    TKeltoEdit* editor = focusedEditor();
    const bool present = editor != nullptr;
    const bool selection = present && editactions::hasSelection(*editor);
    const auto enable = [this](QStringView name, bool enabled) {
        m_window.action(name)->setEnabled(enabled);
    };
    enable(u"ActionEditUndo", present && editor->document()->isUndoAvailable());
    enable(u"ActionEditRedo", present && editor->document()->isRedoAvailable());
    enable(u"ActionEditQuickSelectAll", present && editor->lineCount() >= 1);
    for (QStringView name : {u"ActionEditShl", u"ActionEditShr"})
        enable(name, selection);
    for (QStringView name :
         {u"ActionEditLower", u"ActionEditUpper", u"ActionEditorNodeText", u"ActionEditorNodePath",
          u"ActionEditorChildList", u"ActionEditAutoClipboard"})
        enable(name, present);
    updateClipboardRules(editor);
    withdrawCaptionKeys(captionEditing());
}

void EditorCommands::updateClipboardRules(TKeltoEdit* editor)
{
    const bool selection = editor && editactions::hasSelection(*editor);
    const bool pastable = editor && editor->canPaste();
    const auto enable = [this](QStringView name, bool enabled) {
        m_window.action(name)->setEnabled(enabled);
    };
    enable(u"ActionEditCut", selection);
    enable(u"ActionEditCopy", selection);
    enable(u"ActionEditDelete", selection);
    enable(u"ActionEditPaste", pastable);
    // The shared cut and paste follow whichever of editor and navigator is
    // active and keep their state while neither is.
    if (editor) {
        enable(u"ActionEditCutMulti", selection);
        enable(u"ActionEditPasteMulti", pastable);
    } else if (navigatorFocused()) {
        NavigatorCommands& navigator = m_window.navigatorCommands();
        enable(u"ActionEditCutMulti", navigator.canCutSection());
        enable(u"ActionEditPasteMulti", navigator.canPasteSection());
    }
}

void EditorCommands::withdrawCaptionKeys(bool withdraw)
{
    if (withdraw == m_captionKeysWithdrawn)
        return;
    m_captionKeysWithdrawn = withdraw;
    for (auto it = m_captionKeys.cbegin(); it != m_captionKeys.cend(); ++it)
        m_window.action(it.key())->setShortcut(withdraw ? QKeySequence() : it.value());
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        m_window.scheduleUpdate();
    return QObject::eventFilter(watched, event);
}

void EditorCommands::onFocusedEditor(void (*edit)(TKeltoEdit&))
{
    if (TKeltoEdit* editor = focusedEditor())
        edit(*editor);
}

void EditorCommands::cutMulti()
{
    if (TKeltoEdit* editor = focusedEditor()) {
        editor->cut();
    } else if (navigatorFocused()) {
        NavigatorCommands& navigator = m_window.navigatorCommands();
        if (navigator.canCutSection())
            navigator.cutSection();
    }
}

void EditorCommands::pasteMulti()
{
    if (TKeltoEdit* editor = focusedEditor()) {
        editor->paste();
    } else if (navigatorFocused()) {
        NavigatorCommands& navigator = m_window.navigatorCommands();
        if (navigator.canPasteSection())
            navigator.pasteSection();
    }
}

void EditorCommands::shift(ShiftDirection direction)
{
    TKeltoEdit* editor = focusedEditor();
    if (!editor)
        return;
    const int count = m_window.settings().read(keys::editor::ShiftsCount);
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
    if (const Section* section = m_window.notebook().current(); editor && section)
        editactions::replaceSelection(*editor, section->caption());
}

void EditorCommands::insertPath()
{
    TKeltoEdit* editor = focusedEditor();
    if (const Section* section = m_window.notebook().current(); editor && section)
        editactions::replaceSelection(*editor, sectionPath(section));
}

void EditorCommands::insertChildList()
{
    TKeltoEdit* editor = focusedEditor();
    const Section* section = m_window.notebook().current();
    if (!editor || !section)
        return;
    const QString list = childListText(*section);
    if (!list.isEmpty())
        editactions::replaceSelection(*editor, list);
}

void EditorCommands::clipboardChanged()
{
    m_window.scheduleUpdate();
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
            const Section* section = m_window.notebook().current();
            TKeltoEdit* editor = m_window.editor();
            if (!section || editor->body() != &section->body())
                return;
            editactions::appendClipping(*editor, text);
            QApplication::beep();
        },
        Qt::QueuedConnection);
}

} // namespace kelto
