// SPDX-License-Identifier: GPL-3.0-or-later
#include "LstgUnit.h"

#include "RadioGroup.h"
#include "common/KeltoError.h"
#include "mainwindow/UserPrompts.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace kelto {

namespace lb = keys::listBox;

TListGnrBox::TListGnrBox(QWidget* parent, TpIniFile& settings, UserPrompts& prompts)
    : QDialog(parent), m_settings(settings), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TListGnrBox"));
    setWindowTitle(QStringLiteral("Создание списка разделов"));
    build();
    loadFields();
    setFixedSize(sizeHint());
}

QLineEdit* TListGnrBox::addField(const char* objectName, int maxLength)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(objectName));
    edit->setMaxLength(maxLength);
    return edit;
}

void TListGnrBox::build()
{
    QGroupBox* placement =
        makeRadioGroup(this, "ArgRadioGroup", QStringLiteral(" Расположение списка "),
                       {QStringLiteral("под текущим"), QStringLiteral("над текущим"),
                        QStringLiteral("на уровень ниже")},
                       m_placement);
    auto* ok = new QPushButton(QStringLiteral("&ОК"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Отмена"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(ok, &QPushButton::clicked, this, &TListGnrBox::accept);
    connect(cancel, &QPushButton::clicked, this, &TListGnrBox::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    m_prefix = addField("LetterFirstEdit", 255);
    m_from = addField("FromEdit", 10);
    m_to = addField("ToEdit", 10);
    m_suffix = addField("LetterLastEdit", 255);
    const auto group = [this](const QString& title, std::initializer_list<QWidget*> widgets) {
        auto* box = new QGroupBox(title, this);
        auto* layout = new QHBoxLayout(box);
        for (QWidget* w : widgets)
            layout->addWidget(w);
        return box;
    };
    auto* fields = new QHBoxLayout;
    fields->addWidget(group(QStringLiteral(" Префикс "), {m_prefix}));
    fields->addWidget(
        group(QStringLiteral(" Диапазон "), {m_from, new QLabel(QStringLiteral("_")), m_to}));
    fields->addWidget(group(QStringLiteral(" Суффикс "), {m_suffix}));
    for (QLineEdit* edit : {m_from, m_to})
        edit->setMaximumWidth(64);

    auto* layout = new QGridLayout(this);
    layout->addWidget(placement, 0, 0, Qt::AlignLeft);
    layout->addLayout(buttons, 0, 1, Qt::AlignRight);
    layout->addLayout(fields, 1, 0, 1, 2);
}

void TListGnrBox::loadFields()
{
    m_prefix->setText(m_settings.read(lb::Prefix));
    m_suffix->setText(m_settings.read(lb::Suffix));
    m_from->setText(m_settings.read(lb::StartRange));
    m_to->setText(m_settings.read(lb::EndRange));
    checkRadio(m_placement, m_settings.read(lb::Params));
}

void TListGnrBox::storeFields()
{
    m_settings.write(lb::Prefix, m_prefix->text());
    m_settings.write(lb::Suffix, m_suffix->text());
    m_settings.write(lb::StartRange, m_from->text());
    m_settings.write(lb::EndRange, m_to->text());
    m_settings.write(lb::Params, m_placement->checkedId());
}

ListPlacement TListGnrBox::placement() const
{
    return ListPlacement(m_placement->checkedId());
}

QStringList TListGnrBox::takeCaptions()
{
    return std::exchange(m_captions, {});
}

void TListGnrBox::accept()
{
    m_captions.clear();
    try {
        m_captions = generateListCaptions(
            {m_prefix->text(), m_from->text(), m_to->text(), m_suffix->text()});
    } catch (const KeltoError& e) {
        m_prompts.error(this, e.message());
        return;
    }
    storeFields();
    QDialog::accept();
}

void TListGnrBox::reject()
{
    loadFields();
    QDialog::reject();
}

void TListGnrBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace kelto
