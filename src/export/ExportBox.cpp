// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportBox.h"

#include "common/FileIo.h"
#include "document/Notebook.h"
#include "export/HtmlExport.h"
#include "mainwindow/DialogPlacement.h"
#include "mainwindow/UserPrompts.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "tools/RadioGroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelto {

namespace {

const QString FolderQuestion =
    QStringLiteral("Указан несуществующий путь к файлу \"%1\". Создать данный путь?");
const QString FolderError = QStringLiteral(
    "Невозможно создать директорию с таким именем. Проверьте правильность указанного пути.");
const QString Title = QStringLiteral("Тримбель");
const QString ReplaceQuestion = QStringLiteral("Файл с таким именем уже существует. Заменить его?");
const QString ReplaceNamedQuestion = QStringLiteral("Файл \"%1\" уже существует. Заменить его?");
const QString ReplaceManyQuestion = QStringLiteral("Эти файлы уже существуют:\n%1\nЗаменить их?");

} // namespace

const QString TExportBox::OwnFileMessage =
    QStringLiteral("Это файл открытой записной книжки: экспорт заменил бы его. "
                   "Укажите другое имя файла.");

TExportBox::TExportBox(QWidget* parent, TpIniFile& settings, ExportDelimiters& delimiters,
                       const QString& notebookFile, UserPrompts& prompts)
    : QDialog(parent), m_settings(settings), m_delimiters(delimiters), m_prompts(prompts),
      m_notebookFile(notebookFile)
{
    setObjectName(QStringLiteral("TExportBox"));
    setWindowTitle(QStringLiteral("Экспорт"));
    // A fixed border: a title and a close button, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    build();
    load();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TExportBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void TExportBox::build()
{
    auto* left = new QVBoxLayout;
    left->addWidget(
        makeRadioGroup(this, "RangeRadioGroup", QStringLiteral(" Диапазон "),
                       {QStringLiteral("Все разделы"), QStringLiteral("Выбранный с подразделами"),
                        QStringLiteral("Выбранный только"), QStringLiteral("Подразделы только")},
                       m_range));
    left->addWidget(
        makeRadioGroup(this, "ObjectsRadioGroup", QStringLiteral(" Объекты "),
                       {QStringLiteral("Заголовки разделов"), QStringLiteral("Заголовки и данные"),
                        QStringLiteral("Только данные")},
                       m_objects));
    left->addWidget(
        makeRadioGroup(this, "FormatRadioGroup", QStringLiteral(" Формат "),
                       {QStringLiteral("Тримбель (nib)"), QStringLiteral("Простой текст (txt)"),
                        QStringLiteral("Гипертекст (htm)")},
                       m_format));
    left->addStretch();

    auto* params = new QGroupBox(QStringLiteral(" Параметры "), this);
    params->setObjectName(QStringLiteral("ParamsGroupBox"));
    auto* paramsLayout = new QVBoxLayout(params);
    m_docInfo = new QCheckBox(QStringLiteral("Информация о документе"), params);
    m_docInfo->setObjectName(QStringLiteral("DocInfoCheckBox"));
    m_path = new QCheckBox(QStringLiteral("Полный путь в заголовках"), params);
    m_path->setObjectName(QStringLiteral("PathCheckBox"));
    m_editLabel = new QLabel(QStringLiteral("Разделитель данных разделов:"), params);
    m_editLabel->setObjectName(QStringLiteral("EditLabel"));
    m_delimiter = new QLineEdit(params);
    m_delimiter->setObjectName(QStringLiteral("DelimiterEdit"));
    m_delimiter->setMaxLength(255);
    m_editLabel->setBuddy(m_delimiter);
    m_useFrames = new QCheckBox(QStringLiteral("Использовать фреймы"), params);
    m_useFrames->setObjectName(QStringLiteral("UseFrameCheckBox"));
    m_breakBox =
        makeRadioGroup(params, "BreakRadioGroup", QStringLiteral(" Разбиение "),
                       {QStringLiteral("вертикальное"), QStringLiteral("горизонтальное")}, m_break);
    for (QWidget* w : std::initializer_list<QWidget*>{m_docInfo, m_path, m_editLabel, m_delimiter,
                                                      m_useFrames, m_breakBox})
        paramsLayout->addWidget(w);
    auto* note = new QLabel(
        QStringLiteral(
            "    Экспорт \"только данные\" действует исключительно на текстовые файлы! "),
        this);
    note->setObjectName(QStringLiteral("Label1"));
    note->setWordWrap(true);
    auto* right = new QVBoxLayout;
    right->addWidget(params);
    right->addWidget(note);
    right->addStretch();

    auto* fileBox = new QGroupBox(QStringLiteral(" Имя файла "), this);
    auto* fileLayout = new QHBoxLayout(fileBox);
    m_fileName = new QLineEdit(fileBox);
    m_fileName->setObjectName(QStringLiteral("FileNameEdit"));
    auto* browse = new QToolButton(fileBox);
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Обзор"));
    fileLayout->addWidget(m_fileName);
    fileLayout->addWidget(browse);

    const auto [buttons, ok, cancel] =
        makeDialogButtons(this, QStringLiteral("&OK"), QStringLiteral("О&тмена"));

    auto* grid = new QGridLayout(this);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(fileBox, 1, 0, 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 2);

    connect(m_format, &QButtonGroup::idClicked, this, &TExportBox::formatChanged);
    connect(m_useFrames, &QCheckBox::toggled, this, &TExportBox::applyFramesRule);
    connect(m_delimiter, &QLineEdit::textEdited, this, &TExportBox::delimiterEdited);
    connect(browse, &QToolButton::clicked, this, &TExportBox::browse);
    connect(ok, &QPushButton::clicked, this, &TExportBox::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TExportBox::load()
{
    if (!m_delimiters.loaded) {
        m_delimiters = {m_settings.read(keys::exporting::TextDelimiter),
                        m_settings.read(keys::exporting::HtmlDelimiter), true};
    }
    checkRadio(m_range, m_settings.read(keys::exporting::SaveRange));
    checkRadio(m_objects, m_settings.read(keys::exporting::Objects));
    checkRadio(m_format, m_settings.read(keys::exporting::Format));
    checkRadio(m_break, 0);
    m_docInfo->setChecked(m_settings.read(keys::exporting::DocInfo));
    m_path->setChecked(m_settings.read(keys::exporting::Path));
    m_useFrames->setChecked(m_settings.read(keys::exporting::Frames));
    // A notebook never saved proposes its file in the current folder, as
    // Save As does, so OK can write it without asking for a folder.
    m_fileName->setText(m_notebookFile.isEmpty()
                            ? QDir::current().filePath(Notebook::DefaultFileName)
                            : m_notebookFile);
    formatChanged();
}

ExportFormat TExportBox::format() const
{
    return ExportFormat(qMax(0, m_format->checkedId()));
}

// Each format shows its own delimiter and its own extension; only text and
// HTML have delimiters and path headings, only HTML frames.
void TExportBox::formatChanged()
{
    const ExportFormat f = format();
    const bool textual = f != ExportFormat::Notebook;
    m_path->setEnabled(textual);
    m_editLabel->setEnabled(textual);
    m_delimiter->setEnabled(textual);
    m_fileName->setText(stripExtension(m_fileName->text()) + u'.' + exportExtension(f));
    m_delimiter->setText(f == ExportFormat::Text   ? m_delimiters.text
                         : f == ExportFormat::Html ? m_delimiters.html
                                                   : QString());
    m_useFrames->setEnabled(f == ExportFormat::Html);
    applyFramesRule();
}

void TExportBox::applyFramesRule()
{
    m_breakBox->setEnabled(m_useFrames->isEnabled() && m_useFrames->isChecked());
}

void TExportBox::delimiterEdited(const QString& text)
{
    if (format() == ExportFormat::Text)
        m_delimiters.text = text;
    else if (format() == ExportFormat::Html)
        m_delimiters.html = text;
}

void TExportBox::browse()
{
    const QString name =
        m_prompts.exportFileName(this, m_fileName->text(), exportExtension(format()));
    if (!name.isEmpty())
        m_fileName->setText(name);
}

bool TExportBox::confirmFolder()
{
    const QString name = m_fileName->text();
    const QString folder = name.left(name.lastIndexOf(u'/') + 1);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return true;
    if (m_prompts.warningQuestion(this, FolderQuestion.arg(folder), Title) !=
        UserPrompts::Answer::Yes)
        return false;
    // Only the last level is made: a mistyped parent is not created.
    if (!folder.isEmpty() && QDir().mkdir(folder))
        return true;
    m_prompts.error(this, FolderError);
    return false;
}

// Every file the export writes: the target, and with frames its two pages.
QStringList TExportBox::targetFiles() const
{
    const QString target = m_fileName->text();
    if (job().frames == FrameLayout::None)
        return {target};
    return {target, htmlPagePath(target, HtmlPage::Contents), htmlPagePath(target, HtmlPage::Data)};
}

// One question for every file the export would replace: the usual one when
// that is the file named, one naming the files otherwise.
bool TExportBox::confirmReplace(const QStringList& targets)
{
    QStringList existing;
    for (const QString& file : targets) {
        if (QFileInfo::exists(file))
            existing << file;
    }
    if (existing.isEmpty())
        return true;
    QString question = ReplaceQuestion;
    if (existing.size() > 1) {
        QStringList names;
        for (const QString& file : existing)
            names << QFileInfo(file).fileName();
        question = ReplaceManyQuestion.arg(names.join(u'\n'));
    } else if (existing.first() != targets.first()) {
        question = ReplaceNamedQuestion.arg(QFileInfo(existing.first()).fileName());
    }
    return m_prompts.warningQuestion(this, question, Title) == UserPrompts::Answer::Yes;
}

void TExportBox::okClicked()
{
    if (!confirmFolder())
        return;
    const QStringList targets = targetFiles();
    // Replacing the open notebook's file with an export of it (a part of
    // the tree, captions only) would lose the rest once the window closes
    // without asking; so would a frame page that happens to be that file.
    for (const QString& file : targets) {
        if (!m_notebookFile.isEmpty() && isSameFile(file, m_notebookFile)) {
            m_prompts.error(this, OwnFileMessage);
            return;
        }
    }
    if (!confirmReplace(targets))
        return;
    accept();
}

ExportJob TExportBox::job() const
{
    ExportJob job;
    job.format = format();
    job.options.range = ExportRange(qMax(0, m_range->checkedId()));
    job.options.objects = ExportObjects(qMax(0, m_objects->checkedId()));
    job.options.documentInfo = m_docInfo->isChecked();
    job.options.pathCaptions = m_path->isChecked();
    job.options.delimiter = m_delimiter->text();
    job.frames = m_useFrames->isEnabled() && m_useFrames->isChecked()
                     ? FrameLayout(1 + qMax(0, m_break->checkedId()))
                     : FrameLayout::None;
    job.fileName = m_fileName->text();
    return job;
}

void TExportBox::storeChoices() const
{
    m_settings.write(keys::exporting::SaveRange, qMax(0, m_range->checkedId()));
    m_settings.write(keys::exporting::Objects, qMax(0, m_objects->checkedId()));
    m_settings.write(keys::exporting::Format, int(format()));
    m_settings.write(keys::exporting::DocInfo, m_docInfo->isChecked());
    m_settings.write(keys::exporting::Path, m_path->isChecked());
    m_settings.write(keys::exporting::Frames, m_useFrames->isChecked());
    m_settings.write(keys::exporting::TextDelimiter, m_delimiters.text);
    m_settings.write(keys::exporting::HtmlDelimiter, m_delimiters.html);
}

} // namespace kelto
