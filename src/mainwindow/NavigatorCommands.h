// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClipboardCommands.h"
#include "NavigatorView.h"

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace kelto {

class ActionTable;
class CommandHost;
class NavigatorModel;
class NavigatorMoves;
class Notebook;
class Section;
class TpIniFile;
class UserPrompts;

// The commands of the navigator: new, rename, delete and undo of sections,
// expand and collapse, walking to the previous or next section, the
// caption date stamp, copying a section's path and the statistics, with
// their enabling rules; the navigator's own keys and context menu. The
// commands that move sections (with cut, paste and drops) are in
// NavigatorMoves. While the navigator has the focus, the shared Cut and
// Paste (Ctrl+X, Ctrl+V) cut and paste its selected section.
class NavigatorCommands : public ClipboardTarget
{
public:
    static const QString DeleteQuestion; // "Данный раздел будет удалён. Продолжить?"
    static const QString DeleteQuestionTitle; // "Удаление раздела"

    struct Hooks
    {
        // The notebook has no section left to select.
        std::function<void()> selectionEmptied;
        // The walk among siblings leaves the focus in the editor.
        std::function<void()> focusEditor;
    };

    NavigatorCommands(CommandHost& host, ActionTable& actions, Notebook& notebook,
                      NavigatorView& view, NavigatorModel& model, TpIniFile& settings,
                      UserPrompts& prompts, Hooks hooks);
    ~NavigatorCommands();

    bool hasClipboardFocus() const override;
    bool canCut() const override;
    void cut() override;
    bool canCopy() const override { return false; }
    void copy() override {}
    bool canPaste() const override;
    void paste() override;
    // True while a caption is being edited in the navigator.
    bool captionEditing() const;

    NavigatorView& view() const { return m_view; }
    NavigatorMoves& moves() const { return *m_moves; }

    // One line per level, "На уровне <level> : <count>", an empty line and
    // "Всего узлов: <total>".
    static QString statisticsText(const Notebook& notebook);
    // The caption a date stamp gives: the current date and time in the
    // date/time format chosen last.
    static QString dateStampText(const TpIniFile& settings);

private:
    enum class NewPlace
    {
        AfterSiblings,
        LastChild,
        Before,
    };

    Section* selected() const;
    void wire();
    void wireView();
    void withdrawCaptionKeys(bool withdraw);
    void runKey(NavigatorView::KeyCommand command);

    void newSection(NewPlace place);
    void renameSelected();
    void deleteSelected(bool ask);
    void undoDelete();
    void expandSelected();
    void collapseSelected();
    void followSelection();
    void selectNeighbour(bool next);
    void stampDate();
    void copyPath();
    void showStatistics();

    CommandHost& m_host;
    ActionTable& m_actions;
    Notebook& m_notebook;
    NavigatorView& m_view;
    NavigatorModel& m_model;
    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    Hooks m_hooks;
    std::unique_ptr<NavigatorMoves> m_moves;
    // The keys a caption editor needs for itself (Ctrl+Z, X, C, V, A), taken
    // from the window's commands while a caption is edited.
    QHash<QString, QKeySequence> m_captionKeys;
    bool m_captionKeysWithdrawn = false;
    // The receiver of the view's and the notebook's signals, so that none
    // reaches these commands once they are gone.
    QObject m_context;
};

} // namespace kelto
