// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QAction;
class QListWidget;

namespace kelto {

class UserPrompts;

// The favourites as an editable list: lines moved up and down, files added
// (while fewer than the maximum are listed) and lines deleted. OK (Enter)
// hands the edited list back; a double click on a line, or "Открыть", ends
// the dialog with OK as well and names that line's path to be opened.
class TFChangeForm : public QDialog
{
    Q_OBJECT
public:
    TFChangeForm(const QStringList& paths, int maxCount, UserPrompts& prompts,
                 QWidget* parent = nullptr);

    QStringList paths() const;
    // The path of the line chosen with "Открыть"; empty when none was.
    const QString& chosenPath() const { return m_chosen; }
    QListWidget* list() const { return m_list; }
    // The dialog's commands by object name ("ActionFEditUp", ...).
    QAction* command(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addCommands(QWidget* bar);
    void moveUp();
    void moveDown();
    void moveLine(int step);
    void addFile();
    void deleteLine();
    void openLine();

    UserPrompts& m_prompts;
    int m_maxCount;
    QListWidget* m_list = nullptr;
    QList<QAction*> m_commands;
    QString m_chosen;
};

} // namespace kelto
