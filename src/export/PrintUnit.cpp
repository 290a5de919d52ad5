// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintUnit.h"

#include "document/Notebook.h"
#include "mainwindow/DialogPlacement.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QAbstractListModel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QListView>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpacerItem>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace kelto {

// Every section of the tree in pre-order with a check box, shown as
// "level - caption".
class PrintListModel : public QAbstractListModel
{
public:
    static constexpr int LevelRole = Qt::UserRole;

    PrintListModel(const Notebook& notebook, QObject* parent) : QAbstractListModel(parent)
    {
        for (const Section* s = notebook.firstSection(); s; s = notebook.nextSection(s))
            m_sections.push_back(s);
        m_checked.assign(m_sections.size(), false);
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_sections.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const Section* s = m_sections.at(size_t(index.row()));
        if (role == Qt::DisplayRole)
            return QStringLiteral("%1 - %2").arg(s->level()).arg(s->caption());
        if (role == Qt::CheckStateRole)
            return m_checked.at(size_t(index.row())) ? Qt::Checked : Qt::Unchecked;
        if (role == LevelRole)
            return s->level();
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::CheckStateRole)
            return false;
        m_checked.at(size_t(index.row())) = value.toInt() == Qt::Checked;
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
    }
    // Checks only the given section (none when null), or every section.
    void checkOnly(const Section* only, bool all = false)
    {
        for (size_t i = 0; i < m_sections.size(); ++i)
            m_checked[i] = all || m_sections[i] == only;
        if (!m_sections.empty())
            Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    }
    std::vector<const Section*> checked() const
    {
        std::vector<const Section*> out;
        for (size_t i = 0; i < m_sections.size(); ++i) {
            if (m_checked[i])
                out.push_back(m_sections[i]);
        }
        return out;
    }

private:
    std::vector<const Section*> m_sections;
    std::vector<bool> m_checked;
};

namespace {

// Entries start further right the deeper their section lies: a level's
// indent is the width of "0 - " in the list's font.
class LevelIndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, indented(option, index), index);
    }
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        return QStyledItemDelegate::editorEvent(event, model, indented(option, index), index);
    }

private:
    static QStyleOptionViewItem indented(const QStyleOptionViewItem& option,
                                         const QModelIndex& index)
    {
        QStyleOptionViewItem o(option);
        const int level = index.data(PrintListModel::LevelRole).toInt();
        o.rect.setLeft(o.rect.left() +
                       level * o.fontMetrics.horizontalAdvance(QStringLiteral("0 - ")));
        return o;
    }
};

// Title bars commonly draw their caption in a bold face of the window font.
QFontMetrics titleMetrics(QFont font)
{
    font.setBold(true);
    return QFontMetrics(font);
}

} // namespace

QString printerCaption(const QPrinter& printer, const QFontMetrics& metrics, int maxWidth)
{
    const QString caption = QStringLiteral("Печать на %1");
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return caption.arg(printer.printerName());
    // A long path loses its middle, so the caption keeps the file's name
    // and still fits on the screen.
    const QString file = caption.arg(QStringLiteral("файл %1"));
    const int room = maxWidth - metrics.horizontalAdvance(file.arg(QString()));
    return file.arg(metrics.elidedText(QDir::toNativeSeparators(printer.outputFileName()),
                                       Qt::ElideMiddle, std::max(room, 0)));
}

TPrintForm::TPrintForm(QWidget* parent, const Notebook& notebook, TpIniFile& settings,
                       QPrinter* printer)
    : QDialog(parent), m_notebook(notebook), m_settings(settings), m_printer(printer)
{
    setObjectName(QStringLiteral("TPrintForm"));
    // The caption fits in half the screen's width, and the dialog is made
    // wide enough for it below.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int maxCaption = screen ? screen->availableGeometry().width() / 2 : 480;
    setWindowTitle(printer ? printerCaption(*printer, titleMetrics(font()), maxCaption)
                           : QStringLiteral("Печать"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    m_model = new PrintListModel(notebook, this);
    build(printer);
    m_info->setChecked(settings.read(keys::print::DocInfo));
    m_contents->setChecked(settings.read(keys::print::Contents));
    m_current->setChecked(true);
    chooseCurrent();
}

TPrintForm::~TPrintForm() = default;

void TPrintForm::build(QPrinter* printer)
{
    m_all = new QRadioButton(QStringLiteral("Все разделы"), this);
    m_all->setObjectName(QStringLiteral("PrintAllRadioButton"));
    m_current = new QRadioButton(QStringLiteral("Текущий"), this);
    m_current->setObjectName(QStringLiteral("PrintCurrentRadioButton"));
    m_selected = new QRadioButton(QStringLiteral("Выбрать из..."), this);
    m_selected->setObjectName(QStringLiteral("PrintSelectedRadioButton"));
    m_info = new QCheckBox(QStringLiteral("Информация"), this);
    m_info->setObjectName(QStringLiteral("InfoCheckBox"));
    m_contents = new QCheckBox(QStringLiteral("Содержание"), this);
    m_contents->setObjectName(QStringLiteral("ContentsCheckBox"));
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("SectionsCheckListBox"));
    m_list->setUniformItemSizes(true);
    m_list->setModel(m_model);
    m_list->setItemDelegate(new LevelIndentDelegate(m_list));
    m_list->setMinimumSize(320, 240);

    const auto [buttons, ok, cancel] =
        makeDialogButtons(this, QStringLiteral("ОК"), QStringLiteral("Отмена"));
    QPushButton* properties =
        buttons->addButton(QStringLiteral("&Свойства"), QDialogButtonBox::ActionRole);
    properties->setObjectName(QStringLiteral("PrinterPropertyButton"));
    ok->setEnabled(printer);
    properties->setEnabled(printer);

    auto* choices = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_all, m_current, m_selected})
        choices->addWidget(w);
    auto* flags = new QVBoxLayout;
    flags->addWidget(m_info);
    flags->addWidget(m_contents);
    flags->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addLayout(choices, 0, 0);
    layout->addLayout(flags, 0, 1);
    layout->addWidget(m_list, 1, 0, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Wide enough for a caption that names the printer, beside the title
    // bar's icon and buttons (a fixed-size layout ignores a minimum width,
    // so a spacer holds it).
    const int captionWidth = titleMetrics(font()).horizontalAdvance(windowTitle()) + 140;
    layout->addItem(new QSpacerItem(captionWidth, 0), 3, 0, 1, 2);

    connect(m_all, &QRadioButton::clicked, this, &TPrintForm::chooseAll);
    connect(m_current, &QRadioButton::clicked, this, &TPrintForm::chooseCurrent);
    connect(m_selected, &QRadioButton::clicked, this, &TPrintForm::chooseFromList);
    connect(m_list, &QListView::pressed, this, [this] {
        m_selected->setChecked(true);
        chooseFromList();
    });
    connect(ok, &QPushButton::clicked, this, &TPrintForm::accept);
    connect(cancel, &QPushButton::clicked, this, &TPrintForm::reject);
    connect(properties, &QPushButton::clicked, this, &TPrintForm::printerProperties);
}

void TPrintForm::chooseAll()
{
    m_model->checkOnly(nullptr, true);
    m_list->hide();
}

void TPrintForm::chooseCurrent()
{
    m_model->checkOnly(m_notebook.current());
    m_list->hide();
}

void TPrintForm::chooseFromList()
{
    m_list->show();
}

void TPrintForm::accept()
{
    m_settings.write(keys::print::DocInfo, m_info->isChecked());
    m_settings.write(keys::print::Contents, m_contents->isChecked());
    QDialog::accept();
}

std::vector<const Section*> TPrintForm::printList() const
{
    return m_model->checked();
}

void TPrintForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

// The printer's page dialog shows the margins printing uses, those of the
// page setup, and what it confirms becomes them: there are never two sets.
void TPrintForm::printerProperties()
{
    // A PDF file has no printer dialog of its own: the page setup is its
    // page dialog.
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        Q_EMIT pageSetupRequested();
        return;
    }
    const PrintMargins stored = m_settings.ReadMargins();
    m_printer->setPageMargins(QMarginsF(stored.left, stored.top, stored.right, stored.bottom),
                              QPageLayout::Millimeter);
    QPageSetupDialog dialog(m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QMarginsF chosen = m_printer->pageLayout().margins(QPageLayout::Millimeter);
    PrintMargins margins;
    margins.left = qRound(chosen.left());
    margins.top = qRound(chosen.top());
    margins.right = qRound(chosen.right());
    margins.bottom = qRound(chosen.bottom());
    m_settings.WriteMargins(margins);
}

} // namespace kelto
