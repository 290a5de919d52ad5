#pragma once

#include "NavigatorView.h"

#include <QObject>
#include <QString>

#include <memory>

namespace kelto {

class NavigatorModel;
class NavigatorMoves;
class Notebook;
class Section;
class TNotesForm;

// The commands of the navigator: new, rename, delete and undo of sections,
// expand and collapse, walking to the previous or next section, the
// caption date stamp, copying a section's path and the statistics, with
// their enabling rules; the navigator's own keys and context menu. The
// commands that move sections (with cut, paste and drops) are in
// NavigatorMoves.
class NavigatorCommands
{
public:
    static const QString DeleteQuestion; // "Данный раздел будет удалён. Продолжить?"
    static const QString DeleteQuestionTitle; // "Удаление раздела"

    explicit NavigatorCommands(TNotesForm& window);
    ~NavigatorCommands();

    // The navigator side of the shared Cut and Paste commands (Ctrl+X and
    // Ctrl+V while the navigator has the focus).
    bool canCutSection() const;
    void cutSection();
    bool canPasteSection() const;
    void pasteSection();

    NavigatorView& view() const { return m_view; }
    NavigatorMoves& moves() const { return *m_moves; }

    // One line per level, "На уровне <level> : <count>", an empty line and
    // "Всего узлов: <total>".
    static QString statisticsText(const Notebook& notebook);
    // The caption a date stamp gives: the current date in the locale's
    // short date format (the first of the date/time formats).
    static QString dateStampText();

private:
    enum class NewPlace
    {
        AfterSiblings,
        LastChild,
        Before,
    };

    Notebook& notebook() const;
    Section* selected() const;
    void wire();
    void wireView();
    void updateRules();
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

    TNotesForm& m_window;
    NavigatorView& m_view;
    NavigatorModel& m_model;
    std::unique_ptr<NavigatorMoves> m_moves;
    // The receiver of the view's and the notebook's signals, so that none
    // reaches these commands once they are gone.
    QObject m_context;
};

} // namespace kelto
