// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace kelto {

class UserPrompts;

// Asks for one path: a prompt, a file-name field with a browse button that
// picks an existing file, and the buttons "ОК", "Отмена" and a disabled
// "Справка".
class TInputQueryForm : public QDialog
{
    Q_OBJECT
public:
    TInputQueryForm(const QString& title, const QString& prompt, const QString& path,
                    UserPrompts& prompts, QWidget* parent = nullptr);

    QString path() const;
    QLineEdit* pathEdit() const { return m_edit; }

private:
    void browse();

    UserPrompts& m_prompts;
    QLineEdit* m_edit = nullptr;
};

} // namespace kelto
