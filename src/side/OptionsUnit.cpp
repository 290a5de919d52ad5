// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionsUnit.h"

#include "mainwindow/UserPrompts.h"

#include "mainwindow/DialogPlacement.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "tools/TemplatesEditor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelto {

namespace {

QColor fromStored(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int toStored(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// A heading of a page: its text in bold over a rule.
void heading(QVBoxLayout* layout, const QString& text)
{
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    layout->addWidget(label);
}

QRadioButton* radio(QButtonGroup* group, int id, const char* name, const QString& caption)
{
    auto* button = new QRadioButton(caption);
    button->setObjectName(QLatin1String(name));
    group->addButton(button, id);
    return button;
}

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    return b;
}

void paintSwatch(QToolButton* swatch, int colour)
{
    swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                              .arg(fromStored(colour).name()));
}

const int LinkSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

} // namespace

TOptionsDialog::TOptionsDialog(QWidget* parent, TpIniFile& settings, const TemplateList& templates,
                               Window window)
    : QDialog(parent), m_settings(settings), m_window(std::move(window))
{
    setObjectName(QStringLiteral("TOptionsDialog"));
    setWindowTitle(QStringLiteral("Настройки"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    m_pages = new QTabWidget(this);
    m_pages->addTab(generalPage(), QStringLiteral("Общие"));
    m_pages->addTab(navigatorPage(), QStringLiteral("Навигатор"));
    m_pages->addTab(editorPage(), QStringLiteral("Редактор"));
    m_templates = new TemplatesEditor(templates);
    m_pages->addTab(m_templates, QStringLiteral("Шаблоны"));
    m_pages->addTab(exportPage(), QStringLiteral("Экспорт"));
    // A stored page outside the five opens the first.
    const IntKey& page = keys::treepad::ActiveOptionsPage;
    const int stored = settings.ReadInteger(page.section, page.name, page.defaultValue);
    m_pages->setCurrentIndex(stored >= 0 && stored < m_pages->count() ? stored : 0);
    m_showFileManager = settings.read(keys::treepad::ShowFileManager);

    const auto [buttons, ok, cancel] =
        makeDialogButtons(this, QStringLiteral("&OK"), QStringLiteral("О&тмена"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    // Never smaller than what every page needs: an explicit minimum would
    // let the pages be squeezed below their texts.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(sizeHint().expandedTo(QSize(434, 423)));
}

void TOptionsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

QCheckBox* TOptionsDialog::check(const char* name, const QString& caption, bool value)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    box->setChecked(value);
    return box;
}

QWidget* TOptionsDialog::generalPage()
{
    namespace t = keys::treepad;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    heading(layout, QStringLiteral("Интерфейс"));
    m_onTop = check("AlwaysOnTopCheckBox", QStringLiteral("Поверх остальных окон"),
                    m_settings.read(t::AlwaysOnTop));
    m_tray = check("ToTrayCheck", QStringLiteral("Сворачивать в SysTray"),
                   m_settings.read(t::MinimizeToTray));
    // Without a tray a minimised window could not be brought back.
    m_tray->setEnabled(m_window.trayAvailable);
    m_lastNode = check("LastEditNodeCheck", QStringLiteral("Сохранять выбор раздела в файле"),
                       m_settings.read(keys::navigator::ActivateLastNode));
    m_backup = check("BackUpCheck", QStringLiteral("Создавать резервную копию файла (.bak)"),
                     m_settings.read(t::CreateBackUp));
    for (QWidget* w : std::initializer_list<QWidget*>{m_onTop, m_tray, m_lastNode, m_backup})
        layout->addWidget(w);
    heading(layout, QStringLiteral("Показывать"));
    m_status = check("ShowStatusCheck", QStringLiteral("Строка состояния"),
                     m_settings.read(keys::bars::Status));
    m_tools = check("ShowToolsCheck", QStringLiteral("Панель инструментов"),
                    m_settings.read(keys::bars::Tools));
    layout->addWidget(m_status);
    layout->addWidget(m_tools);

    heading(layout, QStringLiteral("При запуске"));
    m_onLoad = new QButtonGroup(page);
    layout->addWidget(radio(m_onLoad, t::OnLoadNew, "LoadNewFileRadioButton",
                            QStringLiteral("Создавать новый файл")));
    layout->addWidget(radio(m_onLoad, t::OnLoadRecent, "LoadLastFileRadioButton",
                            QStringLiteral("Загружать последний файл истории")));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(radio(m_onLoad, t::OnLoadFile, "LoadDirectFileRadioButton",
                             QStringLiteral("Указанный файл:")));
    m_loadFile = new QLineEdit(m_settings.read(t::LoadFile));
    m_loadFile->setObjectName(QStringLiteral("LoadFirstFileEdit"));
    auto* browse = new QToolButton;
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Обзор"));
    fileRow->addWidget(m_loadFile);
    fileRow->addWidget(browse);
    layout->addLayout(fileRow);
    m_onLoad->button(m_settings.read(t::OnLoad))->setChecked(true);
    // Typing a file name chooses to load it.
    connect(m_loadFile, &QLineEdit::textEdited, this,
            [this] { m_onLoad->button(t::OnLoadFile)->setChecked(true); });
    connect(browse, &QToolButton::clicked, this, [this] {
        QFileDialog dialog(this, QString(), m_loadFile->text(),
                           QStringLiteral("Ravid Udod Aziv (*.nib);;Все файлы (*)"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        const QString name = execFileDialog(dialog);
        if (!name.isEmpty()) {
            m_loadFile->setText(name);
            m_onLoad->button(t::OnLoadFile)->setChecked(true);
        }
    });

    heading(layout, QStringLiteral("Размер списков"));
    auto* sizes = new QFormLayout;
    m_history = new QSpinBox;
    m_history->setObjectName(QStringLiteral("HistMaxSpinEdit"));
    m_favorites = new QSpinBox;
    m_favorites->setObjectName(QStringLiteral("FavMaxSpinEdit"));
    for (QSpinBox* spin : {m_history, m_favorites})
        spin->setRange(0, 99);
    m_history->setValue(m_settings.read(t::MaxHistoryCount));
    m_favorites->setValue(m_settings.read(t::MaxFavoriteCount));
    sizes->addRow(QStringLiteral("История:"), m_history);
    sizes->addRow(QStringLiteral("Избранное:"), m_favorites);
    layout->addLayout(sizes);

    auto* tabBox = new QGroupBox(QStringLiteral(" Клавиша табуляции "));
    tabBox->setObjectName(QStringLiteral("TabKeyRadioGroup"));
    auto* tabLayout = new QHBoxLayout(tabBox);
    m_tabKey = new QButtonGroup(tabBox);
    tabLayout->addWidget(radio(m_tabKey, 0, "TabKeyCtrlTab", QStringLiteral("Ctrl+Tab")));
    tabLayout->addWidget(radio(m_tabKey, 1, "TabKeyTab", QStringLiteral("Tab")));
    m_tabKey->button(m_settings.read(keys::editor::UseTabChar) ? 1 : 0)->setChecked(true);
    layout->addWidget(tabBox);
    layout->addStretch();
    return page;
}

QWidget* TOptionsDialog::navigatorPage()
{
    namespace n = keys::navigator;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    heading(layout, QStringLiteral("Подтверждения"));
    m_delQuery = check("DelNodeQueryCheck", QStringLiteral("&Запрос на удаление разделов"),
                       m_settings.read(n::DelNodeQuery));
    layout->addWidget(m_delQuery);
    heading(layout, QStringLiteral("Вид"));
    auto* alignBox = new QGroupBox(QStringLiteral(" Расположение "));
    auto* alignLayout = new QHBoxLayout(alignBox);
    m_align = new QButtonGroup(alignBox);
    alignLayout->addWidget(
        radio(m_align, n::AlignLeft, "LeftRadioButton", QStringLiteral("слева")));
    alignLayout->addWidget(
        radio(m_align, n::AlignRight, "RightRadioButton", QStringLiteral("справа")));
    m_align->button(m_settings.read(n::Align))->setChecked(true);
    layout->addWidget(alignBox);
    QPushButton* font = button("NavFontButton", QStringLiteral("&Шрифт..."));
    QPushButton* colour = button("NavBGColorButton", QStringLiteral("&Цвет фона..."));
    layout->addWidget(font);
    layout->addWidget(colour);
    layout->addStretch();
    connect(font, &QPushButton::clicked, this, [this] { chooseFont(false); });
    connect(colour, &QPushButton::clicked, this, [this] { chooseBackground(false); });
    return page;
}

QWidget* TOptionsDialog::editorPage()
{
    namespace e = keys::editor;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    heading(layout, QStringLiteral("Общие"));
    m_wrap =
        check("WrapCheckBox", QStringLiteral("Перенос по словам"), m_settings.read(e::WordWrap));
    layout->addWidget(m_wrap);
    m_shifts = new QSpinBox;
    m_shifts->setObjectName(QStringLiteral("ShiftsSpinEdit"));
    m_shifts->setRange(1, 10);
    m_shifts->setValue(m_settings.read(e::ShiftsCount));
    auto* shiftsLabel = new QLabel(QStringLiteral("Количество пробелов при сдвиге &блока:"));
    shiftsLabel->setBuddy(m_shifts);
    auto* shiftsRow = new QHBoxLayout;
    shiftsRow->addWidget(shiftsLabel);
    shiftsRow->addWidget(m_shifts);
    shiftsRow->addStretch();
    layout->addLayout(shiftsRow);
    heading(layout, QStringLiteral("Вид"));
    QPushButton* font = button("EditorFontButton", QStringLiteral("&Шрифт..."));
    QPushButton* colour = button("EditorBGColorButton", QStringLiteral("&Цвет фона..."));
    layout->addWidget(font);
    layout->addWidget(colour);
    layout->addStretch();
    connect(font, &QPushButton::clicked, this, [this] { chooseFont(true); });
    connect(colour, &QPushButton::clicked, this, [this] { chooseBackground(true); });
    return page;
}

QWidget* TOptionsDialog::exportPage()
{
    namespace h = keys::html;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    m_html[0] = m_settings.read(h::BgColor);
    m_html[1] = m_settings.read(h::Link);
    m_html[2] = m_settings.read(h::ALink);
    m_html[3] = m_settings.read(h::VLink);
    const char* buttons[] = {"BgColorButton", "Button1", "Button2", "Button3"};
    const char* swatches[] = {"Shape8", "Shape1", "Shape2", "Shape3"};
    const QString captions[] = {QStringLiteral("Цвет &фона..."), QStringLiteral("&Простые"),
                                QStringLiteral("&Активные"), QStringLiteral("П&ройденные")};
    const auto colourRow = [&](int which) {
        auto* row = new QHBoxLayout;
        QPushButton* b = button(buttons[which], captions[which]);
        m_swatches[which] = new QToolButton;
        m_swatches[which]->setObjectName(QLatin1String(swatches[which]));
        m_swatches[which]->setEnabled(false);
        paintSwatch(m_swatches[which], m_html[which]);
        row->addWidget(b);
        row->addWidget(m_swatches[which]);
        row->addStretch();
        connect(b, &QPushButton::clicked, this, [this, which] { chooseHtmlColour(which); });
        return row;
    };
    heading(layout, QStringLiteral("Раскраска страницы"));
    layout->addLayout(colourRow(0));
    auto* fonts = new QFormLayout;
    m_linkFont = new QComboBox;
    m_linkFont->setObjectName(QStringLiteral("LinkFontComboBox"));
    m_linkFont->setEditable(true);
    m_linkFont->addItems(QFontDatabase::families());
    // The stored family is kept by name even when it is not installed here:
    // it goes into the pages, read on other machines.
    m_linkFont->setCurrentText(m_settings.read(h::LinkFont));
    m_linkSize = new QComboBox;
    m_linkSize->setObjectName(QStringLiteral("LinkSizeComboBox"));
    for (int size : LinkSizes)
        m_linkSize->addItem(QString::number(size));
    m_linkSize->setCurrentIndex(
        m_linkSize->findText(QString::number(m_settings.read(h::LinkSize))));
    fonts->addRow(QStringLiteral("Шрифт:"), m_linkFont);
    fonts->addRow(QStringLiteral("Размер:"), m_linkSize);
    layout->addLayout(fonts);
    heading(layout, QStringLiteral("Параметры ссылок"));
    for (int which = 1; which < 4; ++which)
        layout->addLayout(colourRow(which));
    layout->addStretch();
    return page;
}

void TOptionsDialog::chooseFont(bool editor)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_window.font(editor), this);
    if (!ok)
        return;
    const QStringView section = editor ? keys::EditorFont : keys::NavigatorFont;
    FontSpec stored;
    m_settings.ReadFont(section, stored);
    stored.name = font.family();
    stored.size = font.pointSize() > 0 ? font.pointSize() : stored.size;
    stored.bold = font.bold();
    stored.italic = font.italic();
    stored.underline = font.underline();
    stored.strikeOut = font.strikeOut();
    m_settings.WriteFont(section, stored);
    m_window.applyFonts();
}

void TOptionsDialog::chooseBackground(bool editor)
{
    const QColor colour = QColorDialog::getColor(m_window.background(editor), this);
    if (!colour.isValid())
        return;
    const ColorKey& key = editor ? keys::treepad::Color : keys::navigator::Color;
    if (editor || m_settings.read(key) != toStored(colour))
        m_settings.write(key, toStored(colour));
}

void TOptionsDialog::chooseHtmlColour(int which)
{
    const QColor colour = QColorDialog::getColor(m_lastColour, this);
    if (!colour.isValid())
        return;
    m_lastColour = colour;
    m_html[which] = toStored(colour);
    paintSwatch(m_swatches[which], m_html[which]);
}

const TemplateList& TOptionsDialog::templates() const
{
    return m_templates->templates();
}

void TOptionsDialog::store()
{
    namespace t = keys::treepad;
    m_settings.write(t::ActiveOptionsPage, m_pages->currentIndex());
    m_settings.write(keys::navigator::Align, m_align->checkedId() == keys::navigator::AlignRight
                                                 ? keys::navigator::AlignRight
                                                 : keys::navigator::AlignLeft);
    m_settings.write(t::AlwaysOnTop, m_onTop->isChecked());
    m_settings.write(t::ShowFileManager, m_showFileManager);
    m_settings.write(t::CreateBackUp, m_backup->isChecked());
    m_settings.write(t::MinimizeToTray, m_tray->isEnabled() && m_tray->isChecked());
    m_settings.write(keys::bars::Status, m_status->isChecked());
    m_settings.write(keys::bars::Tools, m_tools->isChecked());
    m_settings.write(t::OnLoad, m_onLoad->checkedId());
    if (m_onLoad->checkedId() == t::OnLoadFile)
        m_settings.write(t::LoadFile, m_loadFile->text());
    m_settings.write(t::MaxHistoryCount, m_history->value());
    m_settings.write(t::MaxFavoriteCount, m_favorites->value());
    m_settings.write(keys::editor::UseTabChar, m_tabKey->checkedId() == 1);
    m_settings.write(keys::navigator::DelNodeQuery, m_delQuery->isChecked());
    m_settings.write(keys::navigator::ActivateLastNode, m_lastNode->isChecked());
    m_settings.write(keys::editor::ShiftsCount, m_shifts->value());
    m_settings.write(keys::editor::WordWrap, m_wrap->isChecked());
    m_settings.write(keys::html::LinkFont, m_linkFont->currentText());
    // A stored size not in the list leaves the box empty; it is kept then.
    if (m_linkSize->currentIndex() >= 0)
        m_settings.write(keys::html::LinkSize, m_linkSize->currentText().toInt());
    m_settings.write(keys::html::BgColor, m_html[0]);
    m_settings.write(keys::html::Link, m_html[1]);
    m_settings.write(keys::html::ALink, m_html[2]);
    m_settings.write(keys::html::VLink, m_html[3]);
}

} // namespace kelto
