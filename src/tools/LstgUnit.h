// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/ListGenerator.h"

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QLineEdit;

namespace kelto {

class TpIniFile;
class UserPrompts;

// The list generator's dialog: prefix, range, suffix and where the series
// goes. Made once and reused; its fields come from the settings when it is
// made and again whenever it is cancelled (Esc, the Cancel button or the
// window's close box), so edits made before cancelling are dropped. OK
// generates the captions; when that fails (a limit missing, a series too
// long) the message is shown and the dialog stays open, else the fields are
// stored and the dialog closes.
class TListGnrBox : public QDialog
{
    Q_OBJECT
public:
    TListGnrBox(QWidget* parent, TpIniFile& settings, UserPrompts& prompts);

    void loadFields();
    ListPlacement placement() const;
    // The captions of the last OK, handed over once.
    QStringList takeCaptions();

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    QLineEdit* addField(const char* objectName, int maxLength);
    void storeFields();

    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    QButtonGroup* m_placement = nullptr;
    QLineEdit* m_prefix = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_suffix = nullptr;
    QStringList m_captions;
};

} // namespace kelto
