// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateNameDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace kelto {

const QString TemplateNameDialog::CreateTitle = QStringLiteral("Создание нового шаблона");
// The title as users know it, with a Latin "c" in its last word.
const QString TemplateNameDialog::EditTitle =
    QStringLiteral("Редактирование cуществующего шаблона");

namespace {

// The dialog's layout in pixels. The frame a title bar and borders add to
// a window is taken as 29 pixels in height and 6 in width, so that the
// buttons keep their places measured from the outer edges. The fields move
// right (and the dialog grows) only when a label would not fit before them
// in the font of the desktop.
constexpr int LabelLeft = 8;
constexpr int FieldLeft = 88;
constexpr int LabelGap = 6;
constexpr int FieldWidth = 192;
constexpr int RowHeight = 21;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int FrameWidth = 6;
constexpr int FrameHeight = 29;

} // namespace

TemplateNameDialog::TemplateNameDialog(QWidget* parent, const QString& title, const QString& name,
                                       const QString& description)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TemplateNameDialog"));
    setWindowTitle(title);
    // The size in dialog units of the dialog's font: 192 x 56.
    const QFontMetrics metrics(font());
    const int averageWidth = metrics.horizontalAdvance(QStringLiteral(
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                             52;
    const QString nameLabel = QStringLiteral("Имя &шаблона:");
    const QString descriptionLabel = QStringLiteral("О&писание:");
    m_fieldLeft = std::max({FieldLeft, LabelLeft + metrics.horizontalAdvance(nameLabel) + LabelGap,
                            LabelLeft + metrics.horizontalAdvance(descriptionLabel) + LabelGap});
    const int width = std::max(192 * averageWidth / 4, m_fieldLeft + FieldWidth + LabelLeft);
    const int height = 56 * metrics.height() / 8;
    setFixedSize(width, height);

    m_name = addRow(nameLabel, "NameEdit", 8);
    m_name->setText(name);
    m_description = addRow(descriptionLabel, "DescriptionEdit", 32);
    m_description->setText(description);

    const int buttonTop = height + FrameHeight - 54;
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_ok->setDefault(true);
    m_ok->setGeometry(width + FrameWidth - 2 * ButtonWidth - 24, buttonTop, ButtonWidth,
                      ButtonHeight);
    auto* cancel = new QPushButton(QStringLiteral("О&тмена"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setGeometry(width + FrameWidth - ButtonWidth - 16, buttonTop, ButtonWidth,
                        ButtonHeight);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    const auto follow = [this] { m_ok->setEnabled(!m_name->text().isEmpty()); };
    connect(m_name, &QLineEdit::textChanged, this, follow);
    follow();
}

QLineEdit* TemplateNameDialog::addRow(const QString& label, const char* objectName, int top)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(objectName));
    edit->setMaxLength(MaxLength);
    edit->setGeometry(m_fieldLeft, top, FieldWidth, RowHeight);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit);
    caption->setGeometry(LabelLeft, top, m_fieldLeft - LabelLeft, RowHeight);
    return edit;
}

QString TemplateNameDialog::name() const
{
    return m_name->text();
}

QString TemplateNameDialog::description() const
{
    return m_description->text();
}

void TemplateNameDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace kelto
