// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchUnit.h"

#include "FindInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kelto {

namespace {

constexpr int ButtonWidth = 110;

QComboBox* makeComboBox(const QString& name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    // The histories are kept by the dialog itself, not by Enter.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(220);
    return box;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumWidth(ButtonWidth);
    return button;
}

QCheckBox* makeCheckBox(const QString& name, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

void setItems(QComboBox* box, const QStringList& items)
{
    const QString text = box->currentText();
    box->clear();
    box->addItems(items.mid(0, HistoryLimit));
    box->setEditText(text);
}

void remember(QComboBox* box)
{
    QStringList items = itemsOf(box);
    addToHistory(items, box->currentText());
    setItems(box, items);
}

} // namespace

TFRDialog::TFRDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFRDialog"));
    setWindowTitle(QStringLiteral("Найти и заменить"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    buildControls();
    applyTabLayout();
    updateButtons();
}

void TFRDialog::buildControls()
{
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabControl"));
    m_tabs->setDocumentMode(true);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    for (const char* caption : {"&Поиск", "&Замена", "&Переход"})
        m_tabs->addTab(QString::fromUtf8(caption));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_tabs);
    layout->addWidget(buildTopPanel());
    layout->addWidget(buildReplacePanel());
    layout->addWidget(buildOptionsPanel());

    // The fields of the panels line up under each other.
    const int labelWidth =
        std::max({m_findLabel->fontMetrics().horizontalAdvance(QStringLiteral("Номер строки:")),
                  m_replaceLabel->sizeHint().width()});
    m_findLabel->setMinimumWidth(labelWidth);
    m_replaceLabel->setMinimumWidth(labelWidth);

    connect(m_tabs, &QTabBar::currentChanged, this, [this] { applyTabLayout(); });
    connect(m_findBox, &QComboBox::editTextChanged, this, [this] { updateButtons(); });
    connect(m_replaceBox, &QComboBox::editTextChanged, this, [this] { updateButtons(); });
    connect(m_findButton, &QPushButton::clicked, this, &TFRDialog::findRequested);
    connect(m_goToButton, &QPushButton::clicked, this, &TFRDialog::goToRequested);
    connect(m_replaceButton, &QPushButton::clicked, this, &TFRDialog::replaceRequested);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &TFRDialog::replaceAllRequested);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // The default button follows the focus on the replace tab.
    for (QComboBox* box : {m_findBox, m_replaceBox}) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }
}

QWidget* TFRDialog::buildTopPanel()
{
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    m_findBox = makeComboBox(QStringLiteral("FindComboBox"), panel);
    m_goToBox = makeComboBox(QStringLiteral("GoToComboBox"), panel);
    m_charBox = makeComboBox(QStringLiteral("CharComboBox"), panel);
    m_charBox->setMinimumWidth(80);
    m_findLabel = makeLabel(QStringLiteral("LabelFind"), QString(), m_findBox, panel);
    m_charLabel =
        makeLabel(QStringLiteral("LabelChar"), QStringLiteral("&Позиция:"), m_charBox, panel);
    m_findButton = makeButton(QStringLiteral("FindButton"), QStringLiteral("На&йти далее"), panel);
    m_goToButton = makeButton(QStringLiteral("GoToButton"), QStringLiteral("На&йти строку"), panel);
    m_cancelButton = makeButton(QStringLiteral("CancelButton"), QStringLiteral("О&тмена"), panel);
    grid->addWidget(m_findLabel, 0, 0);
    grid->addWidget(m_findBox, 0, 1);
    grid->addWidget(m_goToBox, 0, 1);
    grid->addWidget(m_findButton, 0, 2);
    grid->addWidget(m_goToButton, 0, 2);
    grid->addWidget(m_charLabel, 1, 0);
    grid->addWidget(m_charBox, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_cancelButton, 1, 2);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* TFRDialog::buildReplacePanel()
{
    m_replacePanel = new QWidget(this);
    auto* grid = new QGridLayout(m_replacePanel);
    grid->setContentsMargins(0, 0, 0, 0);
    m_replaceBox = makeComboBox(QStringLiteral("ReplaceComboBox"), m_replacePanel);
    m_replaceButton =
        makeButton(QStringLiteral("ReplaceButton"), QStringLiteral("За&менить"), m_replacePanel);
    m_replaceAllButton =
        makeButton(QStringLiteral("RpAllButton"), QStringLiteral("Заменить вс&ё"), m_replacePanel);
    m_prompt = makeCheckBox(QStringLiteral("CheckPrompt"), QStringLiteral("&Запрос перед заменой"),
                            m_replacePanel);
    m_replaceLabel = makeLabel(QStringLiteral("LabelReplace"), QStringLiteral("Заменит&ь на:"),
                               m_replaceBox, m_replacePanel);
    grid->addWidget(m_replaceLabel, 0, 0);
    grid->addWidget(m_replaceBox, 0, 1);
    grid->addWidget(m_replaceButton, 0, 2);
    grid->addWidget(m_prompt, 1, 1);
    grid->addWidget(m_replaceAllButton, 1, 2);
    grid->setColumnStretch(1, 1);
    return m_replacePanel;
}

QWidget* TFRDialog::buildOptionsPanel()
{
    m_optionsPanel = new QWidget(this);
    auto* grid = new QGridLayout(m_optionsPanel);
    grid->setContentsMargins(0, 0, 0, 0);
    m_matchCase = makeCheckBox(QStringLiteral("CheckMatchCase"),
                               QStringLiteral("&Учитывать регистр"), m_optionsPanel);
    m_wholeWord = makeCheckBox(QStringLiteral("CheckWholeWord"),
                               QStringLiteral("&Только слово целиком"), m_optionsPanel);
    m_allFile =
        makeCheckBox(QStringLiteral("CheckAllFile"), QStringLiteral("&Весь файл"), m_optionsPanel);
    m_direction = new QComboBox(m_optionsPanel);
    m_direction->setObjectName(QStringLiteral("DirectionComboBox"));
    m_direction->addItems(
        {QStringLiteral("Вперёд"), QStringLiteral("Назад"), QStringLiteral("Везде")});
    auto* direction = new QHBoxLayout;
    direction->addWidget(makeLabel(QStringLiteral("LabelDirection"),
                                   QStringLiteral("Н&аправление:"), m_direction, m_optionsPanel));
    direction->addWidget(m_direction);
    direction->addStretch();
    grid->addWidget(m_matchCase, 0, 0);
    grid->addLayout(direction, 0, 1);
    grid->addWidget(m_wholeWord, 1, 0);
    grid->addWidget(m_allFile, 1, 1);
    return m_optionsPanel;
}

void TFRDialog::showOnTab(Tab tab, const QString& pattern)
{
    if (m_tabs->currentIndex() == tab)
        applyTabLayout();
    else
        m_tabs->setCurrentIndex(tab);
    m_findBox->setEditText(pattern);
    updateButtons();
    show();
    // Centred on the screen, whatever the tab makes its size.
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    raise();
    activateWindow();
    QComboBox* field = tab == GoToTab ? m_goToBox : m_findBox;
    field->setFocus();
    field->lineEdit()->selectAll();
}

TFRDialog::Tab TFRDialog::tab() const
{
    return Tab(m_tabs->currentIndex());
}

// Each tab shows its own parts only; the dialog shrinks or grows to them.
void TFRDialog::applyTabLayout()
{
    const Tab current = tab();
    const bool goTo = current == GoToTab;
    m_findLabel->setText(goTo ? QStringLiteral("&Номер строки:") : QStringLiteral("&Образец:"));
    m_findLabel->setBuddy(goTo ? m_goToBox : m_findBox);
    m_findBox->setVisible(!goTo);
    m_findButton->setVisible(!goTo);
    m_goToBox->setVisible(goTo);
    m_charLabel->setVisible(goTo);
    m_charBox->setVisible(goTo);
    m_goToButton->setVisible(goTo);
    m_replacePanel->setVisible(current == ReplaceTab);
    m_optionsPanel->setVisible(!goTo);
    (goTo ? m_goToButton : m_findButton)->setDefault(true);
    if (current == ReplaceTab && m_replaceBox->hasFocus())
        m_replaceButton->setDefault(true);
    adjustSize();
}

void TFRDialog::updateButtons()
{
    const bool hasPattern = !pattern().isEmpty();
    const bool canReplace = hasPattern && !replacement().isEmpty();
    m_findButton->setEnabled(hasPattern);
    m_replaceButton->setEnabled(canReplace);
    m_replaceAllButton->setEnabled(canReplace);
}

bool TFRDialog::eventFilter(QObject* watched, QEvent* event)
{
    const bool in = event->type() == QEvent::FocusIn;
    // Only the replace tab shows both fields; a focus event of a field the
    // other tabs hide must not take the default from their button.
    if ((in || event->type() == QEvent::FocusOut) && tab() == ReplaceTab) {
        const bool replaceField = watched == m_replaceBox || watched == m_replaceBox->lineEdit();
        if (replaceField) {
            m_replaceButton->setDefault(in);
            m_findButton->setDefault(!in);
        } else {
            m_findButton->setDefault(in);
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TFRDialog::pattern() const
{
    return m_findBox->currentText();
}

QString TFRDialog::replacement() const
{
    return m_replaceBox->currentText();
}

SearchOptions TFRDialog::options() const
{
    SearchOptions options;
    options.matchCase = m_matchCase->isChecked();
    options.wholeWord = m_wholeWord->isChecked();
    options.direction = SearchDirection(m_direction->currentIndex());
    options.allFile = m_allFile->isChecked();
    return options;
}

bool TFRDialog::promptBeforeReplace() const
{
    return m_prompt->isChecked();
}

QString TFRDialog::lineText() const
{
    return m_goToBox->currentText();
}

QString TFRDialog::columnText() const
{
    return m_charBox->currentText();
}

QStringList TFRDialog::findHistory() const
{
    return itemsOf(m_findBox);
}

QStringList TFRDialog::replaceHistory() const
{
    return itemsOf(m_replaceBox);
}

void TFRDialog::setHistories(const QStringList& find, const QStringList& replace)
{
    setItems(m_findBox, find);
    setItems(m_replaceBox, replace);
    m_findBox->setEditText(QString());
    m_replaceBox->setEditText(QString());
}

void TFRDialog::rememberPattern()
{
    remember(m_findBox);
}

void TFRDialog::rememberReplacement()
{
    remember(m_replaceBox);
}

} // namespace kelto
