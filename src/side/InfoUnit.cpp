// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfoUnit.h"

#include "document/DocumentProperties.h"
#include "mainwindow/DialogPlacement.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelto {

namespace {

// Index of the description among the fields; it has a multi-line edit.
constexpr int DescriptionField = 3;

struct FieldRow
{
    const char* label;
    const char* objectName;
};

constexpr FieldRow FieldRows[DocumentInfo::FieldCount] = {
    {"&Название:", "EditName"}, {"&Автор:", "EditAuthor"},         {"&Координаты:", "EditInet"},
    {"&Описание:", "MemoDesc"}, {"&Ключ. слова:", "EditKeywords"},
};

} // namespace

TFileInfoDialog::TFileInfoDialog(const DocumentProperties& properties, QWidget* parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("TFileInfoDialog"));
    setWindowTitle(QStringLiteral("Информация"));
    auto* form = new QFormLayout;
    const DocumentInfo info = DocumentInfo::read(properties);
    for (int i = 0; i < DocumentInfo::FieldCount; ++i) {
        const FieldRow& row = FieldRows[i];
        const QString value = info.fields[size_t(i)];
        QWidget* field = nullptr;
        if (i == DescriptionField) {
            m_description = new QPlainTextEdit(value, this);
            m_description->setObjectName(QString::fromLatin1(row.objectName));
            m_description->setTabChangesFocus(true);
            m_description->setFixedHeight(m_description->fontMetrics().lineSpacing() * 3 + 12);
            m_description->installEventFilter(this);
            // A longer value read from a file is kept whole.
            m_descriptionLimit = std::max<int>(DocumentInfo::MaxLength, value.size());
            connect(m_description, &QPlainTextEdit::textChanged, this,
                    &TFileInfoDialog::limitDescription);
            field = m_description;
        } else {
            m_lines[size_t(i)] = addLine(QString::fromLatin1(row.objectName), value);
            field = m_lines[size_t(i)];
        }
        auto* label = new QLabel(QString::fromUtf8(row.label), this);
        label->setBuddy(field);
        form->addRow(label, field);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    m_stamps = new QFormLayout;
    layout->addLayout(m_stamps);
    addStamp(QStringLiteral("Файл создан:"), QStringLiteral("edtCreation"),
             properties.value(DocumentProperties::FlCreate));
    addStamp(QStringLiteral("Файл изменён:"), QStringLiteral("edtLastWrite"),
             properties.value(DocumentProperties::FlWrite));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("О&тмена"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(360, sizeHint().height());
}

void TFileInfoDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

QLineEdit* TFileInfoDialog::addLine(const QString& objectName, const QString& text)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    // A longer value read from a file is kept whole.
    edit->setMaxLength(std::max<int>(DocumentInfo::MaxLength, text.size()));
    edit->setText(text);
    return edit;
}

void TFileInfoDialog::addStamp(const QString& label, const QString& objectName,
                               const QString& value)
{
    auto* edit = new QLineEdit(value.isEmpty() ? QStringLiteral("(нет данных)") : value, this);
    edit->setObjectName(objectName);
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setFocusPolicy(Qt::NoFocus);
    m_stamps->addRow(label, edit);
}

void TFileInfoDialog::limitDescription()
{
    const QString text = m_description->toPlainText();
    if (text.size() <= m_descriptionLimit)
        return;
    QTextCursor cursor = m_description->textCursor();
    cursor.setPosition(m_descriptionLimit);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

// Enter in the description does not start a new line: it confirms the
// dialog as it does in every other field.
bool TFileInfoDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_description && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

DocumentInfo TFileInfoDialog::info() const
{
    DocumentInfo info;
    for (int i = 0; i < DocumentInfo::FieldCount; ++i) {
        info.fields[size_t(i)] =
            i == DescriptionField ? m_description->toPlainText() : m_lines[size_t(i)]->text();
    }
    return info;
}

} // namespace kelto
