// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateTimeUnit.h"

#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "tools/DateTimeFormat.h"

#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace kelto {

TDateTimeForm::TDateTimeForm(QWidget* parent, TpIniFile& settings, const QDateTime& now,
                             const DateTimeLocale& locale)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("TDateTimeForm"));
    setWindowTitle(QStringLiteral("Вставка даты/времени"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("DateTimeListBox"));
    for (QStringView pattern : DateTimeFormats)
        m_list->addItem(formatDateTime(pattern, now, locale));
    // 161 by 189 pixels, or more where the font needs it to show every row
    // whole.
    const int frame = 2 * m_list->frameWidth();
    m_list->setFixedSize(std::max(161, m_list->sizeHintForColumn(0) + frame),
                         std::max(189, m_list->count() * m_list->sizeHintForRow(0) + frame));
    m_list->setCurrentRow(storedDateTimeFormat(settings));
    auto* label = new QLabel(QStringLiteral("Доступные форматы:"), this);
    label->setBuddy(m_list);
    auto* insert = new QPushButton(QStringLiteral("&Вставить"), this);
    insert->setObjectName(QStringLiteral("OkButton"));
    insert->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Отмена"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_list, 1, 0, 3, 1);
    grid->addWidget(insert, 1, 1);
    grid->addWidget(cancel, 2, 1);
    grid->setRowStretch(3, 1);

    connect(insert, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

QString TDateTimeForm::chosenText() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

void TDateTimeForm::done(int result)
{
    if (m_list->currentRow() >= 0)
        m_settings.write(keys::dateTime::DefFormat, m_list->currentRow());
    QDialog::done(result);
}

void TDateTimeForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace kelto
