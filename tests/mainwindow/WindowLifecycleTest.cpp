// The window with its notebook file as a user meets it: keys, drops,
// questions, and what ends up on disk.

#include "WindowFixture.h"
#include "mainwindow/ApplicationSetup.h"
#include "mainwindow/StatusPanels.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace kelto;
using namespace kelto::test;
using Answer = kelto::UserPrompts::Answer;

TEST(WindowLifecycle, FileCommandsTakeTheCaptionStillBeingEdited)
{
    const std::pair<const char*, std::function<void(Window&, const QString&)>> cases[] = {
        {"Ctrl+S", [](Window& n, auto&) { n.press(Qt::Key_S, Qt::ControlModifier); }},
        {"Ctrl+Shift+S",
         [](Window& n, auto&) {
             n.prompts.saveNames.push_back(n.nb().fileName());
             n.press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
         }},
        {"Alt+X", [](Window& n, auto&) { n.press(Qt::Key_X, Qt::AltModifier); }},
        {"Ctrl+N", [](Window& n, auto&) { n.press(Qt::Key_N, Qt::ControlModifier); }},
        {"Ctrl+O",
         [](Window& n, const QString& other) {
             n.prompts.openNames.push_back(other);
             n.press(Qt::Key_O, Qt::ControlModifier);
         }},
        {"drop", [](Window& n, const QString& other) { n.dropFile(n.w().editorArea(), other); }},
    };
    for (const auto& [command, run] : cases) {
        Window n;
        const QString path = writeShape(n.dir.path(QStringLiteral("a.nib")), "A B");
        n.w().startUp({path});
        n.prompts.answers = {Answer::Yes};
        n.view()->setFocus();
        n.press(Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Renamed"));
        run(n, writeShape(n.dir.path(QStringLiteral("other.nib")), "O"));
        EXPECT_EQ(shapeInFile(path), QStringLiteral("Renamed B")) << command;
    }
}

TEST(WindowLifecycle, QtDialogsSpeakRussianAndTitlesGetNoProgramNameAppended)
{
    const QString testName = QCoreApplication::applicationName();
    setUpApplication(*QCoreApplication::instance());
    // Without a display name of its own the application's follows its name;
    // one set explicitly would be appended by the platform to every title.
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(testName);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Тримбель"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QStringList buttons;
    for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        buttons << box.button(b)->text().remove(u'&');
    EXPECT_EQ(buttons.join(u','), u8("Да,Нет,Отмена"));
}

TEST(WindowLifecycle, DropsOnTheEditorOpenFilesAndInsertTextFoldersAreNoFiles)
{
    Window n;
    const QString path = writeShape(n.dir.path(QStringLiteral("a.nib")), "A");
    n.w().startUp({path});
    QMimeData text;
    text.setText(QStringLiteral("dragged"));
    n.dropOn(n.editor(), text);
    EXPECT_EQ(n.text(), QStringLiteral("dragged"));
    // Of several files only the first is opened.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(writeShape(n.dir.path(QStringLiteral("o.nib")), "O P")),
                   QUrl::fromLocalFile(path)});
    n.dropOn(n.editor(), files);
    EXPECT_EQ(n.prompts.questions, QStringList{u8("Файл \"a.nib\" изменён. Сохранить изменения?")});
    EXPECT_EQ(n.shape(), QStringLiteral("O P"));

    const QString folder = n.dir.path(QStringLiteral("folder.nib"));
    ASSERT_TRUE(QDir().mkdir(folder));
    n.dropFile(n.view(), folder);
    n.w().startUp({folder});
    const QString message = u8("Невозможно открыть файл \"%1\".").arg(folder);
    EXPECT_EQ(n.prompts.errors, QStringList({message, message}));
    EXPECT_EQ(n.shape(), QStringLiteral("O P"));

    // A notebook without sections leaves the caret panels blank.
    n.prompts.openNames.push_back(writeShape(n.dir.path(QStringLiteral("empty.nib")), ""));
    n.press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(n.nb().isEmpty());
    EXPECT_EQ(n.w().status().caretText() + n.w().status().linesText(), QString());
}

TEST(WindowLifecycle, SaveKeepsANibExtensionInAnyCaseAndAsksBeforeReplacingAnotherSave)
{
    Window n;
    const QString path = writeShape(n.dir.path(QStringLiteral("NOTES.NIB")), "A");
    n.w().startUp({path});
    Window second;
    second.w().startUp({path});
    n.type(QStringLiteral("first"));
    n.press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(QFile::exists(n.dir.path(QStringLiteral("NOTES.nib")))) << "no second file";
    EXPECT_EQ(n.prompts.questions, QStringList()) << "nobody else wrote the file";

    second.type(QStringLiteral("second"));
    second.prompts.answers = {Answer::No, Answer::Yes};
    second.press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(second.prompts.questions,
              QStringList{u8("Файл \"NOTES.NIB\" был изменён другой программой. Заменить его?")});
    EXPECT_TRUE(readBytes(path).contains("first")) << "No keeps the other version";
    EXPECT_TRUE(second.nb().isModified());
    // A double click on the modified mark saves as well.
    QTest::mouseDClick(second.w().findChild<QLabel*>(QStringLiteral("StatusModified")),
                       Qt::LeftButton);
    second.settle();
    EXPECT_TRUE(readBytes(path).contains("second"));
    EXPECT_TRUE(readBytes(n.dir.path(QStringLiteral("NOTES.bak"))).contains("first"));
    EXPECT_FALSE(second.nb().isModified());
}
