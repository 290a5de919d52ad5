// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace kelto {

// Every question, message and file dialog the window shows goes through
// this interface, so tests can answer them without a person.
class UserPrompts
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~UserPrompts() = default;
    // A question with Yes, No and (when cancellable) Cancel.
    virtual Answer question(QWidget* parent, const QString& text, bool cancellable) = 0;
    // A Yes/No question whose default button (Enter) is Yes, for an offer
    // whose refusal cannot be undone. The default asks question().
    virtual Answer offer(QWidget* parent, const QString& text);
    virtual void error(QWidget* parent, const QString& text) = 0;
    // A message with an OK button and a warning icon under a title of its
    // own. The default shows it as error().
    virtual void warning(QWidget* parent, const QString& text, const QString& title);
    // A Yes/No question with a warning icon under a title of its own. The
    // default asks question() without Cancel.
    virtual Answer warningQuestion(QWidget* parent, const QString& text, const QString& title);
    // A question under a title of its own: Yes and No with a question icon,
    // or, when cancellable, Yes, No and Cancel without an icon. The default
    // asks question().
    virtual Answer titledQuestion(QWidget* parent, const QString& text, const QString& title,
                                  bool cancellable);
    // A plain message with an OK button and an information icon; an empty
    // title stands for the program's title. The default shows nothing.
    virtual void information(QWidget* parent, const QString& text,
                             const QString& title = QString());
    // Empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& folder) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& suggested) = 0;
    // The file to import; empty when the user cancels. The default cancels.
    virtual QString importFileName(QWidget* parent, const QString& folder);
    // Where an export goes, starting from suggested; a name typed without
    // extension gets suffix. Empty when the user cancels. The default
    // cancels.
    virtual QString exportFileName(QWidget* parent, const QString& suggested,
                                   const QString& suffix);
    // An existing file of any name, for the favourites. Empty when the user
    // cancels. The default cancels.
    virtual QString anyFileName(QWidget* parent, const QString& start);
    // Where a printout goes as a PDF file, starting from suggested; ".pdf"
    // is added to a name typed without extension. Empty when the user
    // cancels. The default cancels.
    virtual QString pdfFileName(QWidget* parent, const QString& suggested);
};

// The real dialogs: message boxes titled "Тримбель" and the file dialogs for
// notebooks ("nib" is added to a name typed without extension).
class DialogPrompts : public UserPrompts
{
public:
    Answer question(QWidget* parent, const QString& text, bool cancellable) override;
    Answer offer(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    void warning(QWidget* parent, const QString& text, const QString& title) override;
    Answer warningQuestion(QWidget* parent, const QString& text, const QString& title) override;
    Answer titledQuestion(QWidget* parent, const QString& text, const QString& title,
                          bool cancellable) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    QString openFileName(QWidget* parent, const QString& folder) override;
    QString saveFileName(QWidget* parent, const QString& suggested) override;
    // "Импорт файла": an existing file of any of the import's five types.
    QString importFileName(QWidget* parent, const QString& folder) override;
    // "Выбор расположения файла": any file, notebooks, web pages, text
    // files. Replacing is asked by the export dialog, not here.
    QString exportFileName(QWidget* parent, const QString& suggested,
                           const QString& suffix) override;
    // "Все файлы (*)": names without a dot are files too.
    QString anyFileName(QWidget* parent, const QString& start) override;
    // "Печать в файл PDF": PDF files. Replacing is asked by the print
    // command, not here.
    QString pdfFileName(QWidget* parent, const QString& suggested) override;
};

// Sizes a file dialog so its name and detail columns show whole on the
// screen, runs it and returns the first chosen file, or an empty text when
// cancelled.
void fitFileDialog(QFileDialog& dialog);
QString execFileDialog(QFileDialog& dialog);

// The filter list of the notebook file dialogs.
QString notebookFileFilter();
// The filter list of the import dialog: every file, notebooks, web pages,
// text files and TreePad files.
QString importFileFilter();

} // namespace kelto
