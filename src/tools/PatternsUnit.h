// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/TemplateFile.h"

#include <QWidget>

class QTreeWidget;

namespace kelto {

// The template picker: a small borderless list of the templates, always on
// top, shown at the bottom right of the screen that holds the main window.
// Enter or a double-click on a selected row reports the template; Esc, or
// the picker losing activation, hides it. It lives as long as the window
// and is hidden, never destroyed, when it closes.
class TPatternsForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 314;
    static constexpr int ClientHeight = 129;
    // Distance of the picker from the right and the bottom screen edge.
    static constexpr int RightOffset = 2;
    static constexpr int BottomOffset = 30;
    // The one line of an empty list (broken in two to fit the picker).
    static const QString EmptyHint;

    explicit TPatternsForm(QWidget* mainWindow);

    void setTemplates(const TemplateList& templates);
    const TemplateList& templates() const { return m_templates; }
    // Placed in its corner, shown and activated.
    void popUp();
    // Where the picker goes on a screen with this geometry.
    static QPoint cornerPosition(const QRect& screen);

Q_SIGNALS:
    void chosen(const kelto::Template& entry);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void activated();

    QWidget* m_mainWindow;
    QTreeWidget* m_list;
    TemplateList m_templates;
};

} // namespace kelto
