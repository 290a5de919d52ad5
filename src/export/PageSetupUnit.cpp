// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageSetupUnit.h"

#include "mainwindow/DialogPlacement.h"
#include "mainwindow/UserPrompts.h"
#include "settings/IniUnit.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QValidator>
#include <QWheelEvent>

namespace kelto {

namespace {

enum Side
{
    Left,
    Top,
    Right,
    Bottom
};

constexpr int MaxTyped = 3;
constexpr int MaxMargin = 999;

// Digits only, at most three typed; a longer stored value is kept as it
// was loaded until the user changes it.
class MarginValidator : public QValidator
{
public:
    MarginValidator(const QString& stored, QObject* parent) : QValidator(parent), m_stored(stored)
    {
    }
    State validate(QString& input, int&) const override
    {
        for (QChar c : input) {
            if (!c.isDigit())
                return Invalid;
        }
        return input.size() <= MaxTyped || input == m_stored ? Acceptable : Invalid;
    }

private:
    QString m_stored;
};

} // namespace

// A sheet with its shadow, a dotted print area, lines of tiny text and, on
// the side of the margin being edited, a marker strip.
class PagePreview : public QWidget
{
public:
    explicit PagePreview(QWidget* parent) : QWidget(parent) { setFixedSize(120, 160); }
    int side = -1; // the marked side, none when -1
    bool markerShown = false;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect page(10, 6, 90, 130);
        p.fillRect(page.translated(4, 4), Qt::darkGray);
        p.fillRect(page, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(page);
        const QRect area = page.adjusted(14, 12, -14, -12);
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        p.drawRect(area);
        QFont tiny = font();
        tiny.setPixelSize(5);
        p.setFont(tiny);
        p.setPen(Qt::darkGray);
        for (int y = area.top() + 6; y < area.bottom() - 4; y += 6)
            p.drawText(QRect(area.left() + 2, y - 5, area.width() - 4, 6), Qt::AlignLeft,
                       QStringLiteral("Тримбель текст раздела заметки и строки"));
        if (side >= 0 && markerShown)
            p.fillRect(marker(page.adjusted(1, 1, -1, -1)), QColor(0xC0, 0xC0, 0xC0));
    }

private:
    QRect marker(const QRect& inner) const
    {
        constexpr int W = 7;
        switch (side) {
        case Left:
            return QRect(inner.left(), inner.top(), W, inner.height());
        case Right:
            return QRect(inner.right() - W + 1, inner.top(), W, inner.height());
        case Top:
            return QRect(inner.left(), inner.top(), inner.width(), W);
        default:
            return QRect(inner.left(), inner.bottom() - W + 1, inner.width(), W);
        }
    }
};

const QString TPageSetupForm::InvalidMessage = QStringLiteral(
    "Одно или несколько полей содержат недопустимые значения. Исправьте их пожалуйста.");
const QString TPageSetupForm::OutsideQuestion =
    QStringLiteral("Текст вне области печати. Исправить значения?");

TPageSetupForm::TPageSetupForm(QWidget* parent, TpIniFile& settings, const PrinterMetrics& printer,
                               UserPrompts& prompts)
    : QDialog(parent), m_settings(settings), m_printer(printer), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TPageSetupForm"));
    setWindowTitle(QStringLiteral("Параметры страницы"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    auto* group = new QGroupBox(QStringLiteral(" Поля "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* fields = new QGridLayout;
    const char* names[] = {"EditL", "EditU", "EditR", "EditD"};
    const QString labels[] = {QStringLiteral("&Левое:"), QStringLiteral("&Верхнее:"),
                              QStringLiteral("&Правое:"), QStringLiteral("&Нижнее:")};
    const PrintMargins stored = settings.ReadMargins();
    const int values[] = {stored.left, stored.top, stored.right, stored.bottom};
    const int rows[] = {0, 2, 1, 3}; // left, right, top, bottom down the dialog
    for (int side = Left; side <= Bottom; ++side) {
        auto* edit = new QLineEdit(QString::number(values[side]), group);
        edit->setObjectName(QLatin1String(names[side]));
        edit->setValidator(new MarginValidator(edit->text(), edit));
        edit->setFixedWidth(48);
        edit->installEventFilter(this);
        auto* label = new QLabel(labels[side], group);
        label->setBuddy(edit);
        fields->addWidget(label, rows[side], 0);
        fields->addWidget(edit, rows[side], 1);
        fields->addWidget(new QLabel(QStringLiteral("мм"), group), rows[side], 2);
        m_edits[side] = edit;
    }
    setTabOrder(m_edits[Left], m_edits[Right]);
    setTabOrder(m_edits[Right], m_edits[Top]);
    setTabOrder(m_edits[Top], m_edits[Bottom]);
    m_preview = new PagePreview(group);
    m_preview->setObjectName(QStringLiteral("PaintBox"));
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addLayout(fields);
    groupLayout->addWidget(m_preview);

    const auto [buttons, ok, cancel] =
        makeDialogButtons(this, QStringLiteral("ОК"), QStringLiteral("Отмена"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_blink = new QTimer(this);
    m_blink->setInterval(500);
    connect(m_blink, &QTimer::timeout, this, [this] {
        m_preview->markerShown = !m_preview->markerShown;
        m_preview->update();
    });
    connect(ok, &QPushButton::clicked, this, &TPageSetupForm::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // The wheel is watched over every part of the dialog: a part that would
    // take it for itself must not keep it from the focused margin.
    for (QWidget* part : findChildren<QWidget*>()) {
        if (std::find(std::begin(m_edits), std::end(m_edits), part) == std::end(m_edits))
            part->installEventFilter(this);
    }
}

bool TPageSetupForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        for (QLineEdit* focused : m_edits) {
            if (focused->hasFocus()) {
                wheel(focused, static_cast<QWheelEvent*>(event)->angleDelta().y());
                return true;
            }
        }
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const int side = int(std::find(std::begin(m_edits), std::end(m_edits), edit) - m_edits);
    if (side > Bottom)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        m_preview->side = side;
        m_preview->markerShown = true;
        m_blink->start();
        m_preview->update();
    } else if (event->type() == QEvent::FocusOut) {
        m_blink->stop();
        m_preview->markerShown = false;
        m_preview->update();
    }
    return QDialog::eventFilter(watched, event);
}

void TPageSetupForm::wheelEvent(QWheelEvent* event)
{
    for (QLineEdit* edit : m_edits) {
        if (edit->hasFocus()) {
            wheel(edit, event->angleDelta().y());
            event->accept();
            return;
        }
    }
    QDialog::wheelEvent(event);
}

// Whole notches step the margin by one; the small steps of a touchpad add
// up to notches. A step below 0 is left out; steps stop at what the field
// holds.
void TPageSetupForm::wheel(QLineEdit* edit, int delta)
{
    m_wheelRest += delta;
    const int steps = m_wheelRest / 120;
    m_wheelRest -= steps * 120;
    if (steps == 0)
        return;
    bool ok = true;
    const int value = edit->text().isEmpty() ? 0 : edit->text().toInt(&ok);
    if (!ok)
        return;
    const int next = std::min(value + steps, std::max(value, MaxMargin));
    if (next >= 0)
        edit->setText(QString::number(next));
}

bool TPageSetupForm::readMargins(PrintMargins& margins) const
{
    int values[4];
    for (int side = Left; side <= Bottom; ++side) {
        bool ok = false;
        values[side] = m_edits[side]->text().toInt(&ok);
        if (!ok || values[side] < 0)
            return false;
    }
    margins = {values[Left], values[Top], values[Right], values[Bottom]};
    // Margins that leave no room for text cannot be printed with.
    return !printArea(m_printer, margins).isEmpty();
}

void TPageSetupForm::showMargins(const PrintMargins& margins)
{
    const int values[] = {margins.left, margins.top, margins.right, margins.bottom};
    for (int side = Left; side <= Bottom; ++side)
        m_edits[side]->setText(QString::number(values[side]));
}

void TPageSetupForm::okClicked()
{
    PrintMargins margins;
    if (!readMargins(margins)) {
        m_prompts.warning(this, InvalidMessage, windowTitle());
        return;
    }
    const PrintMargins raised = raisedMargins(margins, minimumMargins(m_printer));
    if (!(raised == margins) && m_prompts.warningQuestion(this, OutsideQuestion, windowTitle()) ==
                                    UserPrompts::Answer::Yes) {
        showMargins(raised);
        return;
    }
    m_settings.WriteMargins(margins);
    accept();
}

void TPageSetupForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

} // namespace kelto
