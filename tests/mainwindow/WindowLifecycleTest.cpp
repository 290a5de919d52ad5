// The window's life with its notebook file as a user meets it: keys, drops,
// questions, and what ends up on disk.

#include "WindowFixture.h"
#include "document/NotebookFile.h"
#include "mainwindow/ActionCatalog.h"
#include "mainwindow/ApplicationSetup.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/StatusPanels.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

using namespace kelto;
using namespace kelto::test;
using Answer = kelto::UserPrompts::Answer;

namespace {

void writeNotebookFile(const QString& path, const char* shape)
{
    Notebook nb;
    buildShape(nb, u8(shape));
    nb.setCurrent(nb.firstSection());
    WriteNotebook(nb, path);
}

QString shapeInFile(const QString& path)
{
    Notebook nb;
    ReadNotebook(path, nb);
    return shapeOf(nb);
}

// A window started with a file as its argument.
struct FileWindow : Window
{
    explicit FileWindow(const QString& path)
    {
        w().startUp({path});
        settle();
    }
    // A key pressed in this window, to its focused control.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QApplication::setActiveWindow(&w());
        QWidget* focus = w().focusWidget();
        QTest::keyClick(focus ? focus : view(), Qt::Key(key), modifiers);
        settle();
    }
};

// Drags data over the middle of area and drops it there, as the platform
// delivers a drag: to the widget under that point, whose parents get what it
// refuses.
void dropOn(TNotesForm& w, QWidget* area, const QMimeData& data)
{
    const QPoint point = area->mapTo(&w, area->rect().center());
    QWidget* under = w.childAt(point);
    ASSERT_NE(under, nullptr);
    const QPoint at = under->mapFrom(&w, point);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(under, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(under, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(under, &drop);
    QCoreApplication::processEvents();
}

void dropFile(TNotesForm& w, QWidget* area, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    dropOn(w, area, data);
}

} // namespace

TEST(WindowLifecycle, FileCommandsTakeTheCaptionStillBeingEdited)
{
    struct Case
    {
        const char* command;
        std::function<void(FileWindow&, const QString& other)> run;
    };
    const Case cases[] = {
        {"Ctrl+S", [](FileWindow& n, auto&) { n.press(Qt::Key_S, Qt::ControlModifier); }},
        {"Ctrl+Shift+S",
         [](FileWindow& n, auto&) {
             n.prompts.saveNames.push_back(n.nb().fileName());
             n.press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
         }},
        {"Alt+X", [](FileWindow& n, auto&) { n.press(Qt::Key_X, Qt::AltModifier); }},
        {"Ctrl+N", [](FileWindow& n, auto&) { n.press(Qt::Key_N, Qt::ControlModifier); }},
        {"Ctrl+O",
         [](FileWindow& n, const QString& other) {
             n.prompts.openNames.push_back(other);
             n.press(Qt::Key_O, Qt::ControlModifier);
         }},
        {"a file dropped on the editor area",
         [](FileWindow& n, const QString& other) { dropFile(n.w(), n.w().editorArea(), other); }},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const QString path = dir.path(QStringLiteral("a.nib"));
        const QString other = dir.path(QStringLiteral("other.nib"));
        writeNotebookFile(path, "A B");
        writeNotebookFile(other, "O");
        FileWindow n(path);
        n.prompts.answers = {Answer::Yes};
        n.view()->setFocus();
        n.press(Qt::Key_F2);
        ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr) << c.command;
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Renamed"));
        c.run(n, other);
        EXPECT_EQ(shapeInFile(path), QStringLiteral("Renamed B")) << c.command;
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
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.labelText(QFileDialog::Accept).remove(u'&'), u8("Сохранить"));
}

TEST(WindowLifecycle, SelectingALeafInsideABranchOpenedWithF4OffersExpandDisabled)
{
    Window n("A(B(C))");
    n.view()->setFocus();
    n.key(Qt::Key_F4);
    n.key(Qt::Key_Down);
    n.key(Qt::Key_Down);
    ASSERT_EQ(n.current(), QStringLiteral("C"));
    const QList<QAction*> items = n.w().actions().menu(u"MenuNavigator")->actions();
    EXPECT_TRUE(items.contains(n.w().action(u"ActionNavigatorExpand")));
    EXPECT_FALSE(items.contains(n.w().action(u"ActionNavigatorCollapse")));
    EXPECT_FALSE(n.enabled("ActionNavigatorExpand"));
}

TEST(WindowLifecycle, AFileDroppedOnTheEditorOpensWhileDraggedTextIsInserted)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("a.nib"));
    const QString other = dir.path(QStringLiteral("other.nib"));
    writeNotebookFile(path, "A");
    writeNotebookFile(other, "O P");
    FileWindow n(path);
    QMimeData text;
    text.setText(QStringLiteral("dragged"));
    dropOn(n.w(), n.editor(), text);
    EXPECT_EQ(n.text(), QStringLiteral("dragged"));
    ASSERT_TRUE(n.nb().isModified());

    dropFile(n.w(), n.editor(), other);
    EXPECT_EQ(n.prompts.questions, QStringList{u8("Файл \"a.nib\" изменён. Сохранить изменения?")});
    EXPECT_EQ(n.shape(), QStringLiteral("O P"));
    EXPECT_FALSE(n.nb().isModified());
}

TEST(WindowLifecycle, AFolderIsNoFileToOpen)
{
    TempDir dir;
    const QString folder = dir.path(QStringLiteral("folder.nib"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QStringList message{u8("Невозможно открыть файл \"%1\".").arg(folder)};
    {
        FileWindow n(folder);
        EXPECT_EQ(n.prompts.errors, message) << "given as the argument";
    }
    Window n("A");
    dropFile(n.w(), n.view(), folder);
    EXPECT_EQ(n.prompts.errors, message) << "dropped on the navigator";
    EXPECT_EQ(n.shape(), QStringLiteral("A"));
}

TEST(WindowLifecycle, OpeningANotebookWithoutSectionsBlanksTheCaretPanels)
{
    Window n("A");
    const QString empty = n.dir.path(QStringLiteral("empty.nib"));
    writeNotebookFile(empty, "");
    ASSERT_FALSE(n.w().status().caretText().isEmpty());
    n.prompts.openNames.push_back(empty);
    n.key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(n.nb().isEmpty());
    EXPECT_EQ(n.w().status().caretText() + n.w().status().linesText(), QString());
}

TEST(WindowLifecycle, AutoClipboardAddsItsLinesAlsoForAChangeWithoutText)
{
    Window n("A");
    n.type(QStringLiteral("e"));
    QTest::keyClick(n.editor(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(n.w().action(u"ActionEditAutoClipboard")->isChecked());
    auto* picture = new QMimeData;
    picture->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(picture);
    n.settle();
    EXPECT_EQ(n.text(), QStringLiteral("e\n") + QString(30, u'-') + QStringLiteral("\n\n"));
}

TEST(WindowLifecycle, SaveKeepsANibExtensionInAnyLetterCase)
{
    for (const char* name : {"NOTES.NIB", "notes.Nib"}) {
        TempDir dir;
        const QString path = dir.path(QString::fromLatin1(name));
        writeNotebookFile(path, "A");
        FileWindow n(path);
        n.type(QStringLiteral("x"));
        n.press(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(QDir(dir.root()).entryList({QStringLiteral("*.nib")}, QDir::Files),
                  QStringList{QString::fromLatin1(name)});
        EXPECT_TRUE(readBytes(path).contains("x")) << name;
        EXPECT_FALSE(n.nb().isModified()) << name;
    }
}

TEST(WindowLifecycle, SavingOverAFileAnotherWindowChangedAsksFirst)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("a.nib"));
    writeNotebookFile(path, "A");
    FileWindow first(path);
    FileWindow second(path);
    first.type(QStringLiteral("first"));
    first.press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(first.prompts.questions, QStringList()) << "nobody else wrote the file";

    second.type(QStringLiteral("second"));
    second.prompts.answers = {Answer::No};
    second.press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(second.prompts.questions,
              QStringList{u8("Файл \"a.nib\" был изменён другой программой. Заменить его?")});
    EXPECT_TRUE(readBytes(path).contains("first")) << "No keeps the other version";
    EXPECT_TRUE(second.nb().isModified());

    second.prompts.answers = {Answer::Yes};
    second.press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(readBytes(path).contains("second"));
    EXPECT_TRUE(readBytes(dir.path(QStringLiteral("a.bak"))).contains("first"));
    EXPECT_FALSE(second.nb().isModified());
}
