// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeFavUnit.h"

#include "mainwindow/DialogPlacement.h"
#include "mainwindow/UserPrompts.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kelto {

namespace {

const QString Title = QStringLiteral("Избранное");

struct FEditCommand
{
    const char16_t* name;
    const char16_t* caption;
    QKeyCombination key;
    const char16_t* hint; // short part "|" long part
    void (TFChangeForm::*handler)();
};

} // namespace

TFChangeForm::TFChangeForm(const QStringList& paths, int maxCount, UserPrompts& prompts,
                           QWidget* parent)
    : QDialog(parent, Qt::Tool), m_prompts(prompts), m_maxCount(maxCount)
{
    setObjectName(QStringLiteral("TFChangeForm"));
    setWindowTitle(Title);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addCommands(bar);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox"));
    m_list->addItems(paths);
    m_list->setMinimumWidth(420);
    // Enter belongs to the dialog (OK); only a double click opens a line.
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TFChangeForm::openLine);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void TFChangeForm::addCommands(QWidget* bar)
{
    const FEditCommand commands[] = {
        {u"ActionFEditUp", u"&Вверх", Qt::CTRL | Qt::Key_Up, u"Вверх|Поднять на строку.",
         &TFChangeForm::moveUp},
        {u"ActionFEditDown", u"В&низ", Qt::CTRL | Qt::Key_Down, u"Вниз|Опустить на строку.",
         &TFChangeForm::moveDown},
        {u"ActionFEditAdd", u"Доб&авить", Qt::CTRL | Qt::Key_A, u"Добавить|Добавить файл к списку.",
         &TFChangeForm::addFile},
        {u"ActionFEditDelete", u"У&далить", QKeyCombination(Qt::Key_Delete),
         u"Удалить|Удалить строку.", &TFChangeForm::deleteLine},
        {u"ActionFEditGo", u"&Открыть", QKeyCombination(Qt::Key_unknown),
         u"Открыть|Открыть файл и закрыть окно.", &TFChangeForm::openLine},
    };
    for (const FEditCommand& c : commands) {
        auto* a = new QAction(QString::fromUtf16(c.caption), this);
        a->setObjectName(QString::fromUtf16(c.name));
        if (c.key.key() != Qt::Key_unknown)
            a->setShortcut(QKeySequence(c.key));
        const QStringList hint = QString::fromUtf16(c.hint).split(u'|');
        a->setToolTip(hint.value(0));
        a->setStatusTip(hint.value(1));
        connect(a, &QAction::triggered, this, c.handler);
        bar->addAction(a);
        m_commands.append(a);
    }
}

QAction* TFChangeForm::command(const QString& name) const
{
    for (QAction* a : m_commands) {
        if (a->objectName() == name)
            return a;
    }
    return nullptr;
}

QStringList TFChangeForm::paths() const
{
    QStringList result;
    for (int row = 0; row < m_list->count(); ++row)
        result.append(m_list->item(row)->text());
    return result;
}

void TFChangeForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_list->count() > 0 && m_list->currentRow() < 0)
        m_list->setCurrentRow(0);
    centreOnScreen(*this);
}

void TFChangeForm::moveUp()
{
    moveLine(-1);
}

void TFChangeForm::moveDown()
{
    moveLine(1);
}

void TFChangeForm::moveLine(int step)
{
    const int row = m_list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    m_list->insertItem(target, m_list->takeItem(row));
    m_list->setCurrentRow(target);
}

void TFChangeForm::addFile()
{
    // "At least": a hand-edited list above the maximum stays full.
    if (m_list->count() >= m_maxCount) {
        m_prompts.information(this, QStringLiteral("Достигнуто ограничение на размер списка."),
                              Title);
        return;
    }
    const QString path = m_prompts.anyFileName(this, QDir::currentPath());
    if (!path.isEmpty())
        m_list->addItem(path);
}

void TFChangeForm::deleteLine()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    delete m_list->takeItem(row);
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::min(row, m_list->count() - 1));
}

void TFChangeForm::openLine()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    m_chosen = item->text();
    accept();
}

} // namespace kelto
