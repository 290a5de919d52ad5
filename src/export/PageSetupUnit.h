// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintLayout.h"

#include <QDialog>

class QLineEdit;
class QTimer;

namespace kelto {

class PagePreview;
class TpIniFile;
class UserPrompts;

// The page setup dialog: the four print margins in whole millimetres, a
// preview page whose edge blinks beside the margin being edited, and the
// mouse wheel to step a margin. OK refuses empty fields and margins that
// leave no room for text, and offers to raise margins that reach into the
// printer's unprintable strips.
class TPageSetupForm : public QDialog
{
    Q_OBJECT
public:
    static const QString InvalidMessage;
    static const QString OutsideQuestion;

    TPageSetupForm(QWidget* parent, TpIniFile& settings, const PrinterMetrics& printer,
                   UserPrompts& prompts);

    // The edits in the order left, top, right, bottom.
    QLineEdit* edit(int side) const { return m_edits[side]; }

protected:
    // Centred on the screen.
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A wheel turned anywhere over the dialog steps the margin whose edit
    // has the focus.
    void wheelEvent(QWheelEvent* event) override;

private:
    void okClicked();
    bool readMargins(PrintMargins& margins) const;
    void showMargins(const PrintMargins& margins);
    void wheel(QLineEdit* edit, int delta);

    TpIniFile& m_settings;
    PrinterMetrics m_printer;
    UserPrompts& m_prompts;
    QLineEdit* m_edits[4] = {};
    PagePreview* m_preview = nullptr;
    QTimer* m_blink = nullptr;
    int m_wheelRest = 0; // wheel distance short of a whole notch
};

} // namespace kelto
