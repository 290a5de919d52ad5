// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigatorFindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kelto {

NavigatorFindDialog::NavigatorFindDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NavigatorFindDialog"));
    setWindowTitle(QStringLiteral("Найти"));
    setModal(false);
    m_pattern = new QLineEdit(this);
    m_pattern->setObjectName(QStringLiteral("FindText"));
    m_pattern->setMinimumWidth(220);
    auto* label = new QLabel(QStringLiteral("&Что:"), this);
    label->setBuddy(m_pattern);
    m_matchCase = new QCheckBox(QStringLiteral("С &учетом регистра"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    auto* direction = new QGroupBox(QStringLiteral("Направление"), this);
    m_up = new QRadioButton(QStringLiteral("&Вверх"), direction);
    m_up->setObjectName(QStringLiteral("Up"));
    m_down = new QRadioButton(QStringLiteral("В&низ"), direction);
    m_down->setObjectName(QStringLiteral("Down"));
    m_down->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);
    m_findNext = new QPushButton(QStringLiteral("&Найти далее"), this);
    m_findNext->setObjectName(QStringLiteral("FindNextButton"));
    m_findNext->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_pattern, 0, 1, 1, 2);
    grid->addWidget(m_findNext, 0, 3);
    grid->addWidget(m_matchCase, 1, 0, 1, 2, Qt::AlignBottom);
    grid->addWidget(direction, 1, 2);
    grid->addWidget(cancel, 1, 3, Qt::AlignTop);

    const auto enable = [this] { m_findNext->setEnabled(!m_pattern->text().isEmpty()); };
    enable();
    connect(m_pattern, &QLineEdit::textChanged, this, enable);
    connect(m_findNext, &QPushButton::clicked, this, &NavigatorFindDialog::findNextRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString NavigatorFindDialog::pattern() const
{
    return m_pattern->text();
}

bool NavigatorFindDialog::matchCase() const
{
    return m_matchCase->isChecked();
}

bool NavigatorFindDialog::down() const
{
    return m_down->isChecked();
}

} // namespace kelto
