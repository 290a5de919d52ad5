// SPDX-License-Identifier: GPL-3.0-or-later
#include "SortUnit.h"

#include "RadioGroup.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>

namespace kelto {

TSortBox::TSortBox(QWidget* parent, TpIniFile& settings) : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("TSortBox"));
    setWindowTitle(QStringLiteral("Сортировка"));
    QGroupBox* scope =
        makeRadioGroup(this, "SortRadioGroup", QStringLiteral(" Параметры "),
                       {QStringLiteral("всё дерево"), QStringLiteral("уровень с подуровнями"),
                        QStringLiteral("уровень без подуровней")},
                       m_scope);
    QGroupBox* direction = makeRadioGroup(
        this, "DirRadioGroup", QStringLiteral(" Направление "),
        {QStringLiteral("по возрастанию"), QStringLiteral("по убыванию")}, m_direction);
    auto* ok = new QPushButton(QStringLiteral("&ОК"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("О&тмена"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(ok, &QPushButton::clicked, this, &TSortBox::accept);
    connect(cancel, &QPushButton::clicked, this, &TSortBox::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QGridLayout(this);
    layout->addWidget(scope, 0, 0);
    layout->addWidget(direction, 0, 1, Qt::AlignTop);
    layout->addLayout(buttons, 1, 0, 1, 2);
    checkRadio(m_scope, m_settings.read(keys::sorting::Params));
    checkRadio(m_direction, m_settings.read(keys::sorting::Direction));
    setFixedSize(sizeHint());
}

SortScope TSortBox::scope() const
{
    return SortScope(m_scope->checkedId());
}

bool TSortBox::descending() const
{
    return m_direction->checkedId() == 1;
}

void TSortBox::accept()
{
    m_settings.write(keys::sorting::Params, m_scope->checkedId());
    m_settings.write(keys::sorting::Direction, m_direction->checkedId());
    QDialog::accept();
}

void TSortBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace kelto
