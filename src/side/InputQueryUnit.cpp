// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputQueryUnit.h"

#include "mainwindow/UserPrompts.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelto {

TInputQueryForm::TInputQueryForm(const QString& title, const QString& prompt, const QString& path,
                                 UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TInputQueryForm"));
    setWindowTitle(title);
    m_edit = new QLineEdit(path, this);
    m_edit->setObjectName(QStringLiteral("PathEdit"));
    m_edit->setMinimumWidth(360);
    auto* label = new QLabel(prompt, this);
    label->setBuddy(m_edit);
    auto* browseButton = new QToolButton(this);
    browseButton->setObjectName(QStringLiteral("BrowseButton"));
    browseButton->setText(QStringLiteral("..."));
    connect(browseButton, &QToolButton::clicked, this, &TInputQueryForm::browse);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    buttons->addButton(QStringLiteral("Справка"), QDialogButtonBox::HelpRole)->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(m_edit, 1);
    field->addWidget(browseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(field);
    layout->addWidget(buttons);
}

QString TInputQueryForm::path() const
{
    return m_edit->text();
}

void TInputQueryForm::browse()
{
    const QFileInfo current(m_edit->text());
    const QString chosen = m_prompts.anyFileName(this, current.absolutePath());
    if (!chosen.isEmpty())
        m_edit->setText(chosen);
}

} // namespace kelto
