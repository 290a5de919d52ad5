// SPDX-License-Identifier: GPL-3.0-or-later
// Printing, page setup and send by mail, driven through the commands and
// the dialogs' controls; printing goes to a PDF file.

#include "export/PrintCommands.h"
#include "WindowFixture.h"
#include "export/PageSetupUnit.h"
#include "export/PrintUnit.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListView>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

// The checked rows of the print list, as their texts.
QString checkedRows(TPrintForm& form)
{
    QStringList rows;
    const QAbstractItemModel* model = child<QListView>(form, "SectionsCheckListBox")->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        const QModelIndex i = model->index(r, 0);
        if (i.data(Qt::CheckStateRole).toInt() == Qt::Checked)
            rows << i.data().toString();
    }
    return rows.join(u'|');
}

} // namespace

// "Текущий" checks only the selected section, "Все разделы" all of them,
// "Выбрать из..." shows the list as it is; OK stores both check boxes and
// prints what is checked.
TEST(PrintCommands, TheDialogChoosesSectionsAndPrintsThemToPdf)
{
    Window n("A(B(C)) D");
    if (!n.w().printCommands().printsToPdf())
        GTEST_SKIP() << "a printer is configured here";
    n.select("B");
    const QString pdf = n.dir.path(u8("out.pdf"));
    n.prompts.pdfNames << pdf;
    n.s("C")->body().setText(u8("тело C"));
    ASSERT_TRUE(withDialog<TPrintForm>(n, "ActionFilePrint", [&](TPrintForm& form) {
        auto* list = child<QListView>(form, "SectionsCheckListBox");
        EXPECT_EQ(checkedRows(form), u8("1 - B"));
        EXPECT_TRUE(list->isHidden());
        child<QRadioButton>(form, "PrintAllRadioButton")->click();
        EXPECT_EQ(checkedRows(form), u8("0 - A|1 - B|2 - C|0 - D"));
        child<QRadioButton>(form, "PrintSelectedRadioButton")->click();
        EXPECT_FALSE(list->isHidden());
        list->model()->setData(list->model()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
        list->model()->setData(list->model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
        EXPECT_EQ(checkedRows(form), u8("2 - C|0 - D"));
        EXPECT_TRUE(form.windowTitle().startsWith(u8("Печать на файл /")));
        EXPECT_TRUE(form.windowTitle().endsWith(u8("/out.pdf"))) << qPrintable(form.windowTitle());
        child<QCheckBox>(form, "ContentsCheckBox")->setChecked(true);
        child<QPushButton>(form, "OkButton")->click();
    }));
    EXPECT_TRUE(n.w().settings().read(keys::print::Contents));
    EXPECT_FALSE(n.w().settings().read(keys::print::DocInfo));
    ASSERT_TRUE(QFile::exists(pdf));
    const QString pdftotext = QStandardPaths::findExecutable(u8("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess p;
        p.start(pdftotext, {pdf, u8("-")});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput()).simplified();
        EXPECT_TRUE(text.startsWith(u8("СОДЕРЖАНИЕ C D -"))) << qPrintable(text);
        EXPECT_TRUE(text.endsWith(u8("- C тело C D"))) << qPrintable(text);
    }
}

// The margins against a printer with a 6 mm strip (minimum 7 mm) on an A4
// sheet at 600 dpi.
TEST(PrintCommands, PageSetupChecksTheMargins)
{
    using A = UserPrompts::Answer;
    const PrinterMetrics printer{600, 600, QRect(0, 0, 4960, 7016), QRect(142, 142, 4676, 6732)};
    struct Case
    {
        const char* typed; // left, top, right, bottom
        QList<A> answers;
        const char* message;
        const char* shown; // the edits afterwards
        bool stored;
    };
    const Case cases[] = {
        {"7 7 7 7", {}, "", "7 7 7 7", true},
        {"0 20 30 5", {A::Yes}, "Текст вне области печати", "7 20 30 7", false},
        {"0 20 30 5", {A::No}, "Текст вне области печати", "0 20 30 5", true},
        {"30  30 20", {}, "недопустимые значения", "30  30 20", false},
        {"105 20 105 20", {}, "недопустимые значения", "105 20 105 20", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed);
        TempDir dir;
        TpIniFile settings(dir.path(u8("kelto.ini")));
        ScriptedPrompts prompts;
        prompts.answers = k.answers;
        TPageSetupForm form(nullptr, settings, printer, prompts);
        const QStringList typed = u8(k.typed).split(u' ');
        for (int side = 0; side < 4; ++side)
            form.edit(side)->setText(typed[side]);
        child<QPushButton>(form, "OkButton")->click();
        QStringList shown;
        for (int side = 0; side < 4; ++side)
            shown << form.edit(side)->text();
        EXPECT_EQ(shown.join(u' '), u8(k.shown));
        EXPECT_EQ((prompts.questions + prompts.errors).join(u8("")).contains(u8(k.message)), true);
        EXPECT_EQ(form.result() == QDialog::Accepted, k.stored);
        EXPECT_EQ(settings.ReadMargins().left, k.stored ? typed[0].toInt() : 30);
    }
}

// Whole notches step by one and stop at 0 and 999; touchpad steps add up.
// A stored margin too long to type stays as stored.
TEST(PrintCommands, TheWheelStepsAMarginWithinItsField)
{
    TempDir dir;
    TpIniFile settings(dir.path(u8("kelto.ini")));
    PrintMargins stored;
    stored.right = 1234;
    settings.WriteMargins(stored);
    ScriptedPrompts prompts;
    TPageSetupForm form(nullptr, settings, {600, 600, QRect(0, 0, 4960, 7016), QRect()}, prompts);
    form.show();
    QApplication::setActiveWindow(&form);
    QLineEdit* left = form.edit(0);
    EXPECT_EQ(form.edit(2)->text(), u8("1234"));
    left->setFocus();
    const auto turn = [&](int delta) {
        QWheelEvent wheel(QPointF(), QPointF(), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(left, &wheel);
        return left->text();
    };
    left->setText(u8("0"));
    EXPECT_EQ(turn(-120), u8("0"));
    EXPECT_EQ(turn(60), u8("0"));
    EXPECT_EQ(turn(60), u8("1"));
    left->setText(u8("998"));
    EXPECT_EQ(turn(360), u8("999"));
    // Turned over any other part of the dialog (the other edits, the
    // preview, the buttons), the wheel still steps the focused margin.
    left->setText(u8("5"));
    int notches = 0;
    for (QWidget* over : form.findChildren<QWidget*>()) {
        if (over == left || !over->isVisible())
            continue;
        QWheelEvent wheel(QPointF(), QPointF(), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
        ++notches;
    }
    ASSERT_GT(notches, 4);
    EXPECT_EQ(left->text(), QString::number(5 + notches));
    EXPECT_EQ(form.edit(2)->text(), u8("1234"));
}

// With no printer a printout goes to a PDF file the user names once per
// notebook: NAME.pdf beside it is proposed, an existing file is replaced
// only after Yes, and Cancel or No leaves every file as it was.
TEST(PrintCommands, WithoutAPrinterThePdfGoesWhereTheUserSays)
{
    Window n("A B");
    if (!n.w().printCommands().printsToPdf())
        GTEST_SKIP() << "a printer is configured here";
    const QString book = n.dir.path(u8("book.nib"));
    n.prompts.saveNames << book;
    n.trigger("ActionFileSaveAs");
    const QString mine = n.dir.file(u8("mine.pdf"), "mine");
    const auto print = [&](bool expectDialog) {
        const bool shown = withDialog<TPrintForm>(n, "ActionFilePrint", [&](TPrintForm& form) {
            EXPECT_TRUE(form.windowTitle().endsWith(u8("mine.pdf")))
                << qPrintable(form.windowTitle());
            child<QPushButton>(form, "OkButton")->click();
        });
        EXPECT_EQ(shown, expectDialog);
    };
    // No to the replace question: nothing printed, the file untouched.
    n.prompts.pdfNames << mine;
    n.prompts.answers = {UserPrompts::Answer::No};
    print(false);
    EXPECT_EQ(n.prompts.pdfSuggested, QStringList{n.dir.path(u8("book.pdf"))});
    EXPECT_EQ(n.prompts.questions,
              QStringList{u8("Файл с таким именем уже существует. Заменить его?")});
    EXPECT_EQ(readBytes(mine), "mine");
    // Yes: the printout replaces it, and the status bar says where it went.
    n.prompts.pdfNames << mine;
    n.prompts.answers = {UserPrompts::Answer::Yes};
    print(true);
    EXPECT_TRUE(readBytes(mine).startsWith("%PDF"));
    EXPECT_TRUE(n.w().statusBar()->currentMessage().contains(mine));
    // The next printout of this notebook asks nothing and goes there again.
    writeBytes(mine, "mine again");
    print(true);
    EXPECT_EQ(n.prompts.pdfSuggested.size(), 2);
    EXPECT_TRUE(readBytes(mine).startsWith("%PDF"));
    // Another notebook asks for its own file; Cancel prints nothing.
    n.prompts.saveNames << n.dir.path(u8("other.nib"));
    n.trigger("ActionFileSaveAs");
    print(false);
    EXPECT_EQ(n.prompts.pdfSuggested.last(), n.dir.path(u8("other.pdf")));
    EXPECT_EQ(QDir(n.dir.root()).entryList({u8("*.pdf")}, QDir::Files | QDir::Hidden),
              QStringList{u8("mine.pdf")});
}

// "Свойства" shows the margins printing uses, those of the page setup, and
// the margins confirmed there are the ones printing uses from then on.
// Printing to a PDF file, it is the page setup itself.
TEST(PrintCommands, PrinterPropertiesShowAndKeepThePageSetupMargins)
{
    Window n("A",
             "[Print]\r\nMarginLeft=25\r\nMarginTop=15\r\nMarginRight=35\r\nMarginBottom=20\r\n");
    if (!n.w().printCommands().printsToPdf())
        GTEST_SKIP() << "a printer is configured here";
    n.prompts.pdfNames << n.dir.path(u8("p.pdf"));
    QStringList shown;
    ASSERT_TRUE(withDialog<TPrintForm>(n, "ActionFilePrint", [&](TPrintForm& form) {
        QTimer::singleShot(0, [&] {
            auto* setup = qobject_cast<TPageSetupForm*>(QApplication::activeModalWidget());
            ASSERT_NE(setup, nullptr);
            for (int side = 0; side < 4; ++side)
                shown << setup->edit(side)->text();
            setup->edit(0)->setText(u8("28"));
            child<QPushButton>(*setup, "OkButton")->click();
        });
        child<QPushButton>(form, "PrinterPropertyButton")->click();
    }));
    EXPECT_EQ(shown.join(u' '), u8("25 15 35 20"));
    EXPECT_EQ(n.w().settings().ReadMargins().left, 28);
    EXPECT_EQ(n.w().settings().ReadMargins().right, 35);
}

// A long path keeps the start and the end of the caption in sight.
TEST(PrintCommands, TheCaptionElidesALongPathInTheMiddle)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = u8("/home/user/") + QString(200, u'x') + u8("/notes.pdf");
    printer.setOutputFileName(path);
    const QFontMetrics metrics(QApplication::font());
    const QString caption = printerCaption(printer, metrics, 400);
    EXPECT_TRUE(caption.startsWith(u8("Печать на файл /home/"))) << qPrintable(caption);
    EXPECT_TRUE(caption.endsWith(u8("/notes.pdf"))) << qPrintable(caption);
    EXPECT_TRUE(caption.contains(QChar(0x2026)));
    EXPECT_LE(metrics.horizontalAdvance(caption), 400);
    printer.setOutputFileName(u8("/tmp/a.pdf"));
    EXPECT_EQ(printerCaption(printer, metrics, 400), u8("Печать на файл /tmp/a.pdf"));
}

// Send by mail saves a modified notebook first and then hands "mailto:" to
// the desktop; a notebook never saved is not sent, even with a file of the
// placeholder name in the working folder.
TEST(PrintCommands, SendMailSavesFirstAndReportsAMissingHandler)
{
    Window n("A");
    QStringList opened;
    n.w().printCommands().openUrl = [&](const QUrl& url) {
        opened << url.toString();
        return false;
    };
    const QString saved = QDir::current().absoluteFilePath(u8("Новый файл"));
    writeBytes(saved, "not this one");
    n.trigger("ActionFileSendMail");
    QFile::remove(saved);
    EXPECT_TRUE(opened.isEmpty());

    const QString file = writeSample(n.dir.path(u8("m.nib")));
    n.nb().setFileName(file);
    n.nb().setModified(true);
    n.trigger("ActionFileSendMail");
    EXPECT_FALSE(n.nb().isModified());
    EXPECT_EQ(opened, QStringList{u8("mailto:")});
    EXPECT_EQ(n.prompts.errors, QStringList{u8("Ошибка при отправке вложения: 31")});

    // A save that fails stops the command: its error is shown, no mail.
    opened.clear();
    n.prompts.errors.clear();
    n.nb().setFileName(n.dir.path(u8("gone/m.nib")));
    n.nb().setModified(true);
    n.trigger("ActionFileSendMail");
    EXPECT_EQ(n.prompts.errors.size(), 1);
    EXPECT_TRUE(n.nb().isModified());
    EXPECT_TRUE(opened.isEmpty());
}
