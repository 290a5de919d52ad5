// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextSearch.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QWidget;

namespace kelto {

// The find, replace and go-to-line dialog: three tabs over one set of
// controls, the pattern and replacement histories, the search options. It
// only collects input; the window's search commands act on its requests.
// It is made once with the window and kept, so its options last the run.
class TFRDialog : public QDialog
{
    Q_OBJECT
public:
    enum Tab
    {
        FindTab = 0,
        ReplaceTab = 1,
        GoToTab = 2,
    };

    explicit TFRDialog(QWidget* parent = nullptr);

    // Shows the dialog modally (without waiting) on tab, with pattern in the
    // pattern field.
    void showOnTab(Tab tab, const QString& pattern);
    Tab tab() const;

    QString pattern() const;
    QString replacement() const;
    SearchOptions options() const;
    bool promptBeforeReplace() const;
    QString lineText() const;
    QString columnText() const;

    QStringList findHistory() const;
    QStringList replaceHistory() const;
    void setHistories(const QStringList& find, const QStringList& replace);
    // The pattern or replacement typed is added to its history.
    void rememberPattern();
    void rememberReplacement();

Q_SIGNALS:
    void findRequested();
    void replaceRequested();
    void replaceAllRequested();
    void goToRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildTopPanel();
    QWidget* buildReplacePanel();
    QWidget* buildOptionsPanel();
    void applyTabLayout();
    void updateButtons();

    QTabBar* m_tabs = nullptr;
    QLabel* m_findLabel = nullptr;
    QComboBox* m_findBox = nullptr;
    QComboBox* m_goToBox = nullptr;
    QLabel* m_charLabel = nullptr;
    QComboBox* m_charBox = nullptr;
    QPushButton* m_findButton = nullptr;
    QPushButton* m_goToButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QWidget* m_replacePanel = nullptr;
    QLabel* m_replaceLabel = nullptr;
    QComboBox* m_replaceBox = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_replaceAllButton = nullptr;
    QCheckBox* m_prompt = nullptr;
    QWidget* m_optionsPanel = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QComboBox* m_direction = nullptr;
    QCheckBox* m_allFile = nullptr;
};

} // namespace kelto
