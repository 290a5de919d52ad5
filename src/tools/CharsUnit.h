// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAction;
class QFontComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace kelto {

// The character table: the 224 characters of the codes 32 to 255 of the
// program's code page, 32 to a row, drawn in a chosen face and size. The
// selected character is handed out for insertion (its button, Enter or a
// double-click) or copied to the clipboard. The window is not modal and
// hides on Esc.
class TCharsForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Columns = 32;
    static constexpr int Rows = 7;
    static constexpr int FirstCode = 32;

    // fontName: the face to start with; where it is not installed, the face
    // the system draws instead is shown and named.
    TCharsForm(QWidget* parent, const QString& fontName);

    // The code page's character of a code from 0 to 255.
    static QString characterOf(int code);
    // The code of the selected cell; -1 when none is selected.
    int selectedCode() const;
    void setInsertEnabled(bool enabled);

Q_SIGNALS:
    void insertRequested(const QString& character);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid();
    QWidget* buildTopStrip();
    void applySize(int size);
    void applyFace(const QFont& font);
    void showCode();
    void requestInsert();
    void copySelected();

    QFontComboBox* m_fonts = nullptr;
    QSpinBox* m_size = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_codePanel = nullptr;
    QAction* m_insert = nullptr;
    QAction* m_copy = nullptr;
};

} // namespace kelto
