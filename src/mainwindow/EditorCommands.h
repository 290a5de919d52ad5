#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>

namespace kelto {

class TKeltoEdit;
class TNotesForm;
enum class LetterCase;
enum class ShiftDirection;

// The commands of the section editor: undo and redo, the clipboard, select
// all, block indent and outdent, case, the insertions and the automatic
// clipboard paste.
//
// Most of them act on the section editor only while it is the window's
// active control (its focus widget); the shared cut and paste act on the
// navigator instead while that is active. Ctrl+X, C, V, Z, Shift+Z and A reach
// the editor itself when it has the focus (it claims them before the window's
// shortcuts), and the editor then does just what the commands do.
class EditorCommands : public QObject
{
    Q_OBJECT
public:
    explicit EditorCommands(TNotesForm& window);
    ~EditorCommands() override;

    // The editor while it is the active control and shows a section, else
    // nullptr.
    TKeltoEdit* focusedEditor() const;
    bool navigatorFocused() const;
    // True while a caption is being edited in the navigator.
    bool captionEditing() const;
    bool autoClipboard() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireCommands();
    void wireClipboardCommands();
    void wireInsertions();
    void updateRules();
    void updateClipboardRules(TKeltoEdit* editor);
    void withdrawCaptionKeys(bool withdraw);

    // Runs edit on the focused editor, when there is one.
    void onFocusedEditor(void (*edit)(TKeltoEdit&));
    void cutMulti();
    void pasteMulti();
    void shift(ShiftDirection direction);
    void changeCase(LetterCase letterCase);
    void insertCaption();
    void insertPath();
    void insertChildList();
    void clipboardChanged();

    TNotesForm& m_window;
    // The keys a caption editor needs for itself, taken from the window's
    // commands while a caption is edited.
    QHash<QString, QKeySequence> m_captionKeys;
    bool m_captionKeysWithdrawn = false;
};

} // namespace kelto
