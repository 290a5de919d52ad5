// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QDateTime;
class QListWidget;

namespace kelto {

class TpIniFile;
struct DateTimeLocale;

// The date and time insertion dialog: the fourteen formats expanded once,
// for the moment it was opened, with the format chosen last selected. OK
// (or a double-click on a row) accepts; closing it any way stores the
// selected row as the format chosen last.
class TDateTimeForm : public QDialog
{
    Q_OBJECT
public:
    TDateTimeForm(QWidget* parent, TpIniFile& settings, const QDateTime& now,
                  const DateTimeLocale& locale);

    // The text of the selected row as it is shown; empty when none is.
    QString chosenText() const;
    void done(int result) override;

protected:
    // Centred on the screen.
    void showEvent(QShowEvent* event) override;

private:
    TpIniFile& m_settings;
    QListWidget* m_list = nullptr;
};

} // namespace kelto
