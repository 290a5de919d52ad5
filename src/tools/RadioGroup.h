// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>

namespace kelto {

// A titled group of radio buttons, one under another, whose ids are their
// positions.
inline QGroupBox* makeRadioGroup(QWidget* parent, const char* objectName, const QString& title,
                                 const QStringList& items, QButtonGroup*& group)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(objectName));
    group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return box;
}

inline void checkRadio(QButtonGroup* group, int id)
{
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

} // namespace kelto
