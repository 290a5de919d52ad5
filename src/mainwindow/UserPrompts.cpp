// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QTreeView>

namespace kelto {

namespace {
const QString Title = QStringLiteral("Тримбель");
}

QString notebookFileFilter()
{
    // On Linux "*" is what matches every file, names without a dot included.
    return QStringLiteral("Все файлы (*);;Ravid Udod Aziv (*.nib)");
}

QString importFileFilter()
{
    return notebookFileFilter() +
           QStringLiteral(";;Интернет - страницы (*.html *.htm);;Текстовые файлы (*.txt)"
                          ";;Файлы Treepad (*.hjt)");
}

QString UserPrompts::importFileName(QWidget*, const QString&)
{
    return QString();
}

void UserPrompts::warning(QWidget* parent, const QString& text, const QString&)
{
    error(parent, text);
}

void DialogPrompts::warning(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::warning(parent, title, text);
}

QString UserPrompts::exportFileName(QWidget*, const QString&, const QString&)
{
    return QString();
}

QString UserPrompts::anyFileName(QWidget*, const QString&)
{
    return QString();
}

QString UserPrompts::pdfFileName(QWidget*, const QString&)
{
    return QString();
}

UserPrompts::Answer DialogPrompts::question(QWidget* parent, const QString& text, bool cancellable)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (cancellable)
        buttons |= QMessageBox::Cancel;
    const auto answer = QMessageBox::question(parent, Title, text, buttons,
                                              cancellable ? QMessageBox::Cancel : QMessageBox::No);
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    if (answer == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

UserPrompts::Answer UserPrompts::offer(QWidget* parent, const QString& text)
{
    return question(parent, text, false);
}

UserPrompts::Answer DialogPrompts::offer(QWidget* parent, const QString& text)
{
    const auto answer = QMessageBox::question(parent, Title, text,
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void DialogPrompts::error(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, Title, text);
}

UserPrompts::Answer UserPrompts::warningQuestion(QWidget* parent, const QString& text,
                                                 const QString&)
{
    return question(parent, text, false);
}

UserPrompts::Answer UserPrompts::titledQuestion(QWidget* parent, const QString& text,
                                                const QString&, bool cancellable)
{
    return question(parent, text, cancellable);
}

void UserPrompts::information(QWidget*, const QString&, const QString&) {}

UserPrompts::Answer DialogPrompts::warningQuestion(QWidget* parent, const QString& text,
                                                   const QString& title)
{
    const auto answer = QMessageBox::warning(parent, title, text,
                                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

UserPrompts::Answer DialogPrompts::titledQuestion(QWidget* parent, const QString& text,
                                                  const QString& title, bool cancellable)
{
    QMessageBox box(cancellable ? QMessageBox::NoIcon : QMessageBox::Question, title, text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    if (cancellable)
        box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    return answer == QMessageBox::No ? Answer::No : Answer::Cancel;
}

void DialogPrompts::information(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::information(parent, title.isEmpty() ? Title : title, text);
}

void fitFileDialog(QFileDialog& dialog)
{
    // Wide enough for the name and the three detail columns, within the
    // screen.
    const QScreen* screen = dialog.screen();
    const QSize room =
        screen ? screen->availableGeometry().size() - QSize(40, 80) : QSize(760, 520);
    const int width = dialog.fontMetrics().averageCharWidth() * 130;
    dialog.resize(std::min(std::max(dialog.width(), width), room.width()),
                  std::min(std::max(dialog.height(), 440), room.height()));
    if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

QString execFileDialog(QFileDialog& dialog)
{
    fitFileDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

namespace {

// A notebook file dialog: both filters, ".nib" added to a bare name. Returns
// the chosen file or an empty text when cancelled.
QString runNotebookDialog(QWidget* parent, const QString& start, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, QString(), start, notebookFileFilter());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("nib"));
    dialog.selectNameFilter(QStringLiteral("Ravid Udod Aziv (*.nib)"));
    return execFileDialog(dialog);
}

// An existing file, or an existing folder chosen with the dialog's button
// (a double click still opens a folder).
class FileOrFolderDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (chosen.size() == 1 && QFileInfo(chosen.first()).isDir()) {
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }
};

} // namespace

QString DialogPrompts::openFileName(QWidget* parent, const QString& folder)
{
    return runNotebookDialog(parent, folder, QFileDialog::AcceptOpen);
}

QString DialogPrompts::saveFileName(QWidget* parent, const QString& suggested)
{
    // The save dialog asks before replacing an existing file (Qt's default).
    return runNotebookDialog(parent, suggested, QFileDialog::AcceptSave);
}

QString DialogPrompts::importFileName(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Импорт файла"), folder, importFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return execFileDialog(dialog);
}

QString DialogPrompts::exportFileName(QWidget* parent, const QString& suggested,
                                      const QString& suffix)
{
    QFileDialog dialog(parent, QStringLiteral("Выбор расположения файла"), suggested,
                       notebookFileFilter() + QStringLiteral(";;Интернет - страницы (*.html *.htm)"
                                                             ";;Текстовые файлы (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(suffix);
    return execFileDialog(dialog);
}

QString DialogPrompts::anyFileName(QWidget* parent, const QString& start)
{
    FileOrFolderDialog dialog(parent, QString(), start, QStringLiteral("Все файлы (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return execFileDialog(dialog);
}

QString DialogPrompts::pdfFileName(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QStringLiteral("Печать в файл PDF"), suggested,
                       QStringLiteral("Файлы PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    return execFileDialog(dialog);
}

} // namespace kelto
