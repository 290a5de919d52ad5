// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelto {

// The modeless find dialog of the navigator: a pattern, up or down (down
// preset) and match case. It stays open between searches; each press of its
// find-next button asks for one search.
class NavigatorFindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit NavigatorFindDialog(QWidget* parent = nullptr);

    QString pattern() const;
    bool matchCase() const;
    bool down() const;

Q_SIGNALS:
    void findNextRequested();

private:
    QLineEdit* m_pattern = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext = nullptr;
};

} // namespace kelto
