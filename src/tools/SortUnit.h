// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/SortOrder.h"

#include <QDialog>

class QButtonGroup;

namespace kelto {

class TpIniFile;

// The sort dialog: what to sort and in which direction. Made for each use;
// both choices come from the settings and are stored by OK only.
class TSortBox : public QDialog
{
    Q_OBJECT
public:
    TSortBox(QWidget* parent, TpIniFile& settings);

    SortScope scope() const;
    bool descending() const;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TpIniFile& m_settings;
    QButtonGroup* m_scope = nullptr;
    QButtonGroup* m_direction = nullptr;
};

} // namespace kelto
