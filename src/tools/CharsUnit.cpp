// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharsUnit.h"

#include "common/TextCodec.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kelto {

namespace {

// A push button that shows and runs an action, enabled as it is.
QPushButton* buttonFor(QAction* action, QWidget* parent)
{
    auto* button = new QPushButton(action->text(), parent);
    button->setObjectName(action->objectName() + QLatin1String("Button"));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
    return button;
}

QLabel* panel(const char* name, int width, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFixedWidth(width);
    return label;
}

} // namespace

TCharsForm::TCharsForm(QWidget* parent, const QString& fontName)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TCharsForm"));
    setWindowTitle(QStringLiteral("Выбор символа"));
    resize(537, 233);
    setMinimumSize(150, 120);
    m_insert = new QAction(QStringLiteral("&Вставить"), this);
    m_insert->setObjectName(QStringLiteral("ActionCharsInsert"));
    m_copy = new QAction(QStringLiteral("&Копировать"), this);
    m_copy->setObjectName(QStringLiteral("ActionCharsCopyToClip"));
    connect(m_insert, &QAction::triggered, this, &TCharsForm::requestInsert);
    connect(m_copy, &QAction::triggered, this, &TCharsForm::copySelected);
    auto* hide = new QAction(this);
    hide->setShortcut(Qt::Key_Escape);
    connect(hide, &QAction::triggered, this, &QWidget::hide);
    addAction(hide);

    buildGrid();
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    // 78 pixels, or what the longest code text needs in this font.
    const int codeWidth = status->fontMetrics().horizontalAdvance(QStringLiteral("Код: 255 (FFh)"));
    m_codePanel = panel("CodePanel", std::max(78, codeWidth + 8), status);
    status->addWidget(m_codePanel);
    status->addWidget(panel("Panel1", 50, status));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopStrip());
    layout->addWidget(m_grid, 1);
    layout->addWidget(status);

    // The face shown in the box is the one the grid draws with, also when
    // the face asked for is missing and the system draws another.
    m_fonts->setCurrentFont(QFont(QFontInfo(QFont(fontName)).family()));
    applyFace(m_fonts->currentFont());
    applySize(m_size->value());
    m_grid->setCurrentCell(0, 0);
}

void TCharsForm::buildGrid()
{
    m_grid = new QTableWidget(Rows, Columns, this);
    m_grid->setObjectName(QStringLiteral("CharsGrid"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    for (QHeaderView* header : {m_grid->horizontalHeader(), m_grid->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    m_grid->setShowGrid(true);
    m_grid->setFrameShape(QFrame::NoFrame);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setTabKeyNavigation(false);
    for (int code = FirstCode; code < FirstCode + Rows * Columns; ++code) {
        auto* item = new QTableWidgetItem(characterOf(code));
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_grid->setItem((code - FirstCode) / Columns, (code - FirstCode) % Columns, item);
    }
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableWidget::currentCellChanged, this, &TCharsForm::showCode);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] {
        if (m_insert->isEnabled())
            m_insert->trigger();
    });
}

QWidget* TCharsForm::buildTopStrip()
{
    auto* strip = new QWidget(this);
    m_fonts = new QFontComboBox(strip);
    m_fonts->setObjectName(QStringLiteral("FontComboBox"));
    m_size = new QSpinBox(strip);
    m_size->setObjectName(QStringLiteral("SizeSpin"));
    m_size->setRange(10, 72);
    m_size->setSingleStep(2);
    m_size->setValue(10);
    auto* fontLabel = new QLabel(QStringLiteral("&Шрифт:"), strip);
    fontLabel->setBuddy(m_fonts);
    auto* sizeLabel = new QLabel(QStringLiteral("&Размер:"), strip);
    sizeLabel->setBuddy(m_size);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 4, 4, 4);
    row->addWidget(fontLabel);
    row->addWidget(m_fonts, 1);
    row->addWidget(sizeLabel);
    row->addWidget(m_size);
    row->addWidget(buttonFor(m_insert, strip));
    row->addWidget(buttonFor(m_copy, strip));
    connect(m_fonts, &QFontComboBox::currentFontChanged, this, &TCharsForm::applyFace);
    connect(m_size, &QSpinBox::valueChanged, this, &TCharsForm::applySize);
    return strip;
}

QString TCharsForm::characterOf(int code)
{
    return QString(QChar(cp1251::toUnicode(static_cast<unsigned char>(code))));
}

int TCharsForm::selectedCode() const
{
    const int row = m_grid->currentRow(), column = m_grid->currentColumn();
    return row < 0 || column < 0 ? -1 : FirstCode + row * Columns + column;
}

void TCharsForm::setInsertEnabled(bool enabled)
{
    m_insert->setEnabled(enabled);
}

// Cells grow with the size: columns 2v - 5 and rows 2v - 2 pixels wide for
// a font of v points.
void TCharsForm::applySize(int size)
{
    m_grid->horizontalHeader()->setDefaultSectionSize(2 * size - 5);
    m_grid->verticalHeader()->setDefaultSectionSize(2 * size - 2);
    QFont font = m_grid->font();
    font.setPointSize(size);
    m_grid->setFont(font);
}

void TCharsForm::applyFace(const QFont& face)
{
    QFont font = m_grid->font();
    font.setFamily(face.family());
    m_grid->setFont(font);
}

void TCharsForm::showCode()
{
    const int code = selectedCode();
    m_codePanel->setText(
        code < 0
            ? QString()
            : QStringLiteral("Код: %1 (%2h)").arg(code).arg(QString::number(code, 16).toUpper()));
}

void TCharsForm::requestInsert()
{
    if (const int code = selectedCode(); code >= 0)
        Q_EMIT insertRequested(characterOf(code));
}

void TCharsForm::copySelected()
{
    if (const int code = selectedCode(); code >= 0)
        QGuiApplication::clipboard()->setText(characterOf(code));
}

// Enter in the grid inserts the selected character.
bool TCharsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_insert->isEnabled())
                m_insert->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kelto
