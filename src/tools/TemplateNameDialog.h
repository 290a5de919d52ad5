// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kelto {

// The name and description of a template, asked for when a template is
// created or changed. OK is enabled exactly while the name is not empty;
// the fields are taken as typed, blanks included.
class TemplateNameDialog : public QDialog
{
    Q_OBJECT
public:
    static const QString CreateTitle; // "Создание нового шаблона"
    static const QString EditTitle; // "Редактирование cуществующего шаблона"
    static constexpr int MaxLength = 255;

    TemplateNameDialog(QWidget* parent, const QString& title, const QString& name = QString(),
                       const QString& description = QString());

    QString name() const;
    QString description() const;

protected:
    // Centred on the screen.
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* addRow(const QString& label, const char* objectName, int top);

    QLineEdit* m_name;
    QLineEdit* m_description;
    QPushButton* m_ok;
    int m_fieldLeft = 0;
};

} // namespace kelto
