// SPDX-License-Identifier: GPL-3.0-or-later
// Templates, the list generator and sorting in the window: their dialogs
// driven through their controls, and what they leave in the notebook.

#include "WindowFixture.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "tools/PatternsUnit.h"
#include "tools/TemplateNameDialog.h"
#include "tools/TemplatesEditor.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

void radio(const QWidget& in, const char* group, int item)
{
    child<QGroupBox>(in, group)->findChildren<QRadioButton*>().at(item)->click();
}

// Runs act in the next modal dialog, which is cancelled afterwards if it is
// still open; start() opens it.
void inDialog(const std::function<void()>& start, const std::function<void(QDialog&)>& act)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        shown = true;
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    start();
    EXPECT_TRUE(shown);
}

void makeList(Window& w, const char* from, const char* to, int placement)
{
    inDialog([&] { w.trigger("ActionNavigatorCreateList"); },
             [&](QDialog& d) {
                 child<QLineEdit>(d, "FromEdit")->setText(u8(from));
                 child<QLineEdit>(d, "ToEdit")->setText(u8(to));
                 radio(d, "ArgRadioGroup", placement);
                 child<QPushButton>(d, "OkButton")->click();
             });
}

} // namespace

// The series follows, precedes or goes under the current section, in order;
// the current section stays, opened for a series under it.
TEST(ToolCommands, ListGoesWhereAsked)
{
    struct Case
    {
        const char* current;
        int placement;
        const char* expected;
    };
    const Case cases[] = {
        {"B", 0, "A B(C) 1 2 3 D"}, {"D", 0, "A B(C) D 1 2 3"},  {"B", 1, "A 1 2 3 B(C) D"},
        {"B", 2, "A B(C 1 2 3) D"}, {"C", 2, "A B(C(1 2 3)) D"},
    };
    for (const Case& k : cases) {
        Window w("A B(C) D");
        w.select(k.current);
        makeList(w, "1", "3", k.placement);
        EXPECT_EQ(w.shape(), u8(k.expected)) << k.current << k.placement;
        EXPECT_EQ(w.current(), u8(k.current));
        EXPECT_TRUE(w.nb().isModified());
        EXPECT_EQ(w.view()->isExpanded(w.index(k.current)), k.placement == 2);
        EXPECT_EQ(w.w().settings().read(keys::listBox::Params), k.placement);
    }
    // Without a section the series is the top level.
    Window empty;
    makeList(empty, "a", "b", 2);
    EXPECT_EQ(empty.shape(), u8("a b"));
    EXPECT_EQ(empty.current(), u8("a"));
}

// A missing limit keeps the dialog open; cancelling drops the edits, also
// when the dialog is closed by its close box.
TEST(ToolCommands, ListDialogCancelReloadsTheFields)
{
    Window w("A");
    const auto fields = [](QDialog& d) {
        QString s;
        for (const char* name : {"LetterFirstEdit", "FromEdit", "ToEdit", "LetterLastEdit"})
            s += child<QLineEdit>(d, name)->text() + u'|';
        return s;
    };
    for (bool closeBox : {false, true}) {
        inDialog([&] { w.trigger("ActionNavigatorCreateList"); },
                 [&](QDialog& d) {
                     EXPECT_EQ(fields(d), u8("|А|Я||"));
                     child<QLineEdit>(d, "LetterFirstEdit")->setText(u8("P"));
                     child<QLineEdit>(d, "ToEdit")->clear();
                     child<QPushButton>(d, "OkButton")->click();
                     EXPECT_TRUE(d.isVisible());
                     if (closeBox)
                         d.close();
                 });
    }
    EXPECT_EQ(w.prompts.errors, QStringList(2, u8("Необходимо указать два предела диапазона.")));
    EXPECT_EQ(w.shape(), u8("A"));
    EXPECT_FALSE(w.nb().isModified());
    inDialog([&] { w.trigger("ActionNavigatorCreateList"); },
             [&](QDialog& d) { EXPECT_EQ(fields(d), u8("|А|Я||")); });
}

namespace {

// Mouse events straight to a view, as the window system hands them on
// (the picker never becomes the active window offscreen).
void sendMouse(QWidget* viewport, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

void click(QWidget* viewport, QPoint at, bool twice)
{
    sendMouse(viewport, QEvent::MouseButtonPress, at);
    sendMouse(viewport, QEvent::MouseButtonRelease, at);
    if (twice) {
        sendMouse(viewport, QEvent::MouseButtonDblClick, at);
        sendMouse(viewport, QEvent::MouseButtonRelease, at);
    }
}

} // namespace

// One click only selects a template, whatever the style says; a double
// click inserts it. An empty list says where templates come from, and that
// line inserts nothing.
TEST(ToolCommands, TemplatePickerInsertsOnEnterOrDoubleClickOnly)
{
    SingleClickStyle style;
    Window w;
    writeTemplates(w.dir.path(QStringLiteral("kelto.ntl")), {{u8("t"), u8("d"), {u8("x")}}});
    w.reopen();
    w.nb().appendSection(nullptr, u8("A"));
    w.select("A", u8("hello"));
    auto* picker = w.w().findChild<TPatternsForm*>();
    auto* list = child<QTreeWidget>(*picker, "PatternsList");
    list->setStyle(&style);
    w.editor()->setFocus();
    ASSERT_TRUE(w.enabled("ActionEditorPattern"));
    w.trigger("ActionEditorPattern");
    const QPoint row = list->visualItemRect(list->topLevelItem(0)).center();
    click(list->viewport(), row, false);
    w.settle();
    EXPECT_EQ(w.text(), u8("hello")) << "one click inserted";
    EXPECT_TRUE(picker->isVisible());
    click(list->viewport(), row, true);
    w.settle();
    EXPECT_EQ(w.text(), u8("x\nhello")); // at the caret
    list->setStyle(nullptr);

    writeTemplates(w.dir.path(QStringLiteral("kelto.ntl")), {});
    w.reopen();
    w.nb().appendSection(nullptr, u8("A"));
    w.select("A", u8("hello"));
    picker = w.w().findChild<TPatternsForm*>();
    list = child<QTreeWidget>(*picker, "PatternsList");
    w.editor()->setFocus();
    ASSERT_TRUE(w.enabled("ActionEditorPattern"));
    w.trigger("ActionEditorPattern");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0).replace(u'\n', u' '),
              u8("Шаблонов нет: добавьте их в «Настройки» (F9), страница «Шаблоны»."));
    QTest::keyClick(list, Qt::Key_Return);
    w.settle();
    EXPECT_EQ(w.text(), u8("hello"));
}

// The template replaces the selection as one undo step and the picker
// closes; an empty template deletes the selection; Esc inserts nothing.
TEST(ToolCommands, TemplateReplacesTheSelection)
{
    Window w;
    writeTemplates(w.dir.path(QStringLiteral("kelto.ntl")),
                   {{u8("t"), u8("d"), {u8("x"), u8("y")}}, {u8("e"), u8(""), {}}});
    w.reopen();
    w.nb().appendSection(nullptr, u8("A"));
    w.select("A", u8("hello world"));
    auto* picker = w.w().findChild<TPatternsForm*>();
    auto* list = child<QTreeWidget>(*picker, "PatternsList");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const auto pick = [&](int row, int key) {
        w.editor()->setFocus();
        w.trigger("ActionEditorPattern");
        EXPECT_TRUE(picker->isVisible());
        list->setCurrentItem(list->topLevelItem(row));
        QTest::keyClick(list, Qt::Key(key));
        w.settle();
        EXPECT_FALSE(picker->isVisible());
    };
    w.editor()->setFocus();
    w.setSelection(6, 11);
    pick(0, Qt::Key_Return);
    EXPECT_EQ(w.text(), u8("hello x\ny\n"));
    EXPECT_EQ(w.editor()->textCursor().position(), 10);
    EXPECT_TRUE(w.nb().isModified());
    w.editor()->undo();
    EXPECT_EQ(w.text(), u8("hello world"));
    w.setSelection(0, 6);
    pick(1, Qt::Key_Return);
    EXPECT_EQ(w.text(), u8("world"));
    w.setSelection(0, 5);
    pick(0, Qt::Key_Escape);
    EXPECT_EQ(w.text(), u8("world"));
    // In the screen's corner; leaving it for the window closes it.
    w.editor()->setFocus();
    w.trigger("ActionEditorPattern");
    const QRect screen = w.w().screen()->geometry();
    EXPECT_EQ(picker->frameGeometry().bottomRight(),
              screen.bottomRight() -
                  QPoint(TPatternsForm::RightOffset, TPatternsForm::BottomOffset));
    QApplication::setActiveWindow(picker);
    w.settle();
    EXPECT_TRUE(picker->isVisible());
    QApplication::setActiveWindow(&w.w());
    w.settle();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(w.text(), u8("world"));
}

// The sort keeps the current section and the open branches; Cancel leaves
// the tree, the modified flag and the stored choices alone.
TEST(ToolCommands, SortKeepsSelectionAndBranches)
{
    Window w("b(y z(k j)) c a(q p)");
    w.view()->expand(w.index("b"));
    w.select("y");
    const auto sort = [&](int scope, int direction, bool ok) {
        inDialog([&] { w.trigger("ActionNavigatorSort"); },
                 [&](QDialog& d) {
                     radio(d, "SortRadioGroup", scope);
                     radio(d, "DirRadioGroup", direction);
                     if (ok)
                         child<QPushButton>(d, "OkButton")->click();
                 });
    };
    sort(0, 1, false);
    EXPECT_EQ(w.shape(), u8("b(y z(k j)) c a(q p)"));
    EXPECT_FALSE(w.nb().isModified());
    EXPECT_EQ(w.w().settings().read(keys::sorting::Params), 1);
    sort(0, 1, true);
    EXPECT_EQ(w.shape(), u8("c b(z(k j) y) a(q p)"));
    EXPECT_EQ(w.current(), u8("y"));
    EXPECT_EQ(w.view()->currentIndex(), w.index("y"));
    EXPECT_TRUE(w.view()->isExpanded(w.index("b")));
    EXPECT_FALSE(w.view()->isExpanded(w.index("a")));
    EXPECT_TRUE(w.nb().isModified());
    EXPECT_EQ(w.w().settings().read(keys::sorting::Params), 0);
    EXPECT_EQ(w.w().settings().read(keys::sorting::Direction), 1);
}

// The options page's list and text stay in step; deleting selects the
// template now at the same place, or the last one.
TEST(TemplatesEditor, ListAndTextStayInStep)
{
    const TemplateList start = {
        {u8("a"), u8("A"), {u8("1"), u8("")}}, {u8("b"), u8("B"), {}}, {u8("c"), u8("C"), {}}};
    TemplatesEditor page(start);
    auto* code = child<QPlainTextEdit>(page, "TemplateCode");
    EXPECT_EQ(code->toPlainText(), u8("1\n\n"));
    EXPECT_EQ(page.templates(), start);
    page.selectRow(1);
    QTest::keyClicks(code, u8("z"));
    EXPECT_EQ(page.templates().at(1).lines, QStringList{u8("z")});
    QStringList selectedNames;
    for (int i = 0; i < 3; ++i) {
        page.deleteTemplate();
        const int row = page.selectedRow();
        selectedNames << (row < 0 ? u8("-") : page.templates().at(row).name);
    }
    EXPECT_EQ(selectedNames.join(u' '), u8("c a -"));
    EXPECT_TRUE(code->isReadOnly());
    EXPECT_EQ(code->toPlainText(), QString());
    QTest::keyClicks(code, u8("lost"));
    EXPECT_EQ(code->toPlainText(), QString());

    inDialog([&] { page.addTemplate(); },
             [&](QDialog& d) {
                 EXPECT_EQ(d.windowTitle(), u8("Создание нового шаблона"));
                 auto* ok = child<QPushButton>(d, "OkButton");
                 EXPECT_FALSE(ok->isEnabled());
                 QTest::keyClicks(child(d, "NameEdit"), u8(" n "));
                 QTest::keyClicks(child(d, "DescriptionEdit"), u8("d"));
                 ok->click();
             });
    EXPECT_EQ(page.templates(), (TemplateList{{u8(" n "), u8("d"), {}}}));
    EXPECT_FALSE(code->isReadOnly());
    inDialog([&] { page.editTemplate(); },
             [&](QDialog& d) {
                 EXPECT_EQ(d.windowTitle(), u8("Редактирование cуществующего шаблона"));
                 EXPECT_EQ(child<QLineEdit>(d, "NameEdit")->text(), u8(" n "));
                 child<QLineEdit>(d, "NameEdit")->setText(u8("m"));
                 child<QPushButton>(d, "OkButton")->click();
             });
    EXPECT_EQ(page.templates().at(0).name, u8("m"));
}
