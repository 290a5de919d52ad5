// SPDX-License-Identifier: GPL-3.0-or-later
// The search commands, driven through the commands and the dialogs' controls.

#include "search/SearchCommands.h"
#include "WindowFixture.h"
#include "cli/CliCommands.h"
#include "search/NavigatorFindDialog.h"
#include "search/SearchUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

struct Search : Window
{
    explicit Search(const char* shape = "A B C") : Window(shape) {}
    TFRDialog& dialog() { return w().searchCommands().dialog(); }
    template <class T = QWidget> T* c(const QString& name) { return dialog().findChild<T*>(name); }
    void open(const char* command) // from the focused editor
    {
        editor()->setFocus();
        ASSERT_TRUE(enabled(command)) << command;
        trigger(command);
    }
    void fill(const char* pattern, const char* replacement = "", bool allFile = true, int dir = 0,
              bool prompt = false)
    {
        c<QCheckBox>(u"CheckPrompt"_qs)->setChecked(prompt);
        c<QComboBox>(u"FindComboBox"_qs)->setEditText(u8(pattern));
        c<QComboBox>(u"ReplaceComboBox"_qs)->setEditText(u8(replacement));
        c<QCheckBox>(u"CheckAllFile"_qs)->setChecked(allFile);
        c<QComboBox>(u"DirectionComboBox"_qs)->setCurrentIndex(dir);
    }
    void click(const QString& button) { c<QPushButton>(button)->click(), settle(); }
    QString bodies() { return s("A")->body().text() + u'|' + s("B")->body().text(); }
};

TEST(SearchDialog, TabsShowTheirPartsAndButtonsFollowTheFields)
{
    Search n;
    // Command, then shown, hidden and default control.
    for (const char* row : {"ActionEditFind FindComboBox ReplaceComboBox FindButton",
                            "ActionEditReplace CheckPrompt GoToButton FindButton",
                            "ActionEditGoto CharComboBox CheckAllFile GoToButton"}) {
        const QStringList r = u8(row).split(u' ');
        n.open(r[0].toLatin1());
        EXPECT_TRUE(n.c(r[1])->isVisible() && !n.c(r[2])->isVisible()) << row;
        EXPECT_TRUE(n.c<QPushButton>(r[3])->isDefault()) << row;
    }
    n.open("ActionEditReplace");
    n.c(u"ReplaceComboBox"_qs)->setFocus();
    n.fill("x", "");
    EXPECT_TRUE(n.c(u"FindButton"_qs)->isEnabled() && !n.c(u"RpAllButton"_qs)->isEnabled());
    n.fill("x", "y");
    EXPECT_TRUE(n.c(u"RpAllButton"_qs)->isEnabled() &&
                n.c<QPushButton>(u"ReplaceButton"_qs)->isDefault());
    n.c(u"FindComboBox"_qs)->setFocus();
    EXPECT_TRUE(n.c<QPushButton>(u"FindButton"_qs)->isDefault());
}

TEST(SearchDialog, FindsAcrossSectionsAndAgainSilently)
{
    Search n;
    n.select("C", u8("hay needle"));
    n.select("A", u8("  hay  needle\t"));
    n.setSelection(0, 14);
    n.open("ActionEditFind");
    EXPECT_EQ(n.dialog().pattern(), u8("hay  needle"));
    n.fill("needle", "", false);
    n.click(u"FindButton"_qs); // only A is searched
    EXPECT_EQ(n.prompts.messages, QStringList{u8("Образец не найден. Поиск завершён.")});
    n.fill("NEEDLE");
    n.click(u"FindButton"_qs);
    EXPECT_EQ(n.current() + n.editor()->textCursor().selectedText(), u8("Cneedle"));
    n.dialog().reject();
    n.open("ActionEditFindAgain");
    EXPECT_EQ(n.prompts.messages.size(), 1);
    ASSERT_TRUE(n.close());
    n.reopen(); // the history, stored at the end, without a second "needle"
    EXPECT_EQ(n.dialog().findHistory(), QStringList{u8("needle")});
}

TEST(SearchDialog, ReplaceAllAnswersAndUndoPerSection)
{
    Search n;
    n.select("B", u8("x"));
    n.select("A", u8("x x"));
    n.open("ActionEditReplace");
    n.fill("x", "y", true, 0, true);
    n.click(u"RpAllButton"_qs);
    EXPECT_EQ(QString::number(n.prompts.questions.size()) + n.bodies(),
              u8("3x x|x")); // No to every match
    n.open("ActionEditReplace");
    n.fill("x", "yy", true, 2);
    n.click(u"RpAllButton"_qs);
    EXPECT_EQ(n.bodies(), u8("yy yy|yy"));
    n.editor()->undo(); // in B, the last section offered
    EXPECT_EQ(n.bodies(), u8("yy yy|x"));
}

// Carets left anywhere in the sections visited before must not hide any
// match from a replace-all through the file: every match from the start
// section's caret to the end (or, going back, to the beginning) is
// replaced, and the file saved holds exactly those replacements.
TEST(SearchDialog, ReplaceAllThroughTheFileReachesEveryMatchWhateverTheCarets)
{
    // Eight matches in all, in each direction's range when the start section
    // is the first (caret at its start) or the last (caret at its end).
    const std::pair<const char*, const char*> bodies[] = {{"A", "needle one Needle"},
                                                          {"B", "needle\nhay needle"},
                                                          {"C", "NEEDLE"},
                                                          {"D", "hay\nneedle needle\nneedle"}};
    for (const bool back : {false, true}) {
        Search n("A B(C) D");
        // Visit every section and leave its caret at its end or its start.
        for (const auto& [caption, body] : bodies) {
            n.select(caption, u8(body));
            n.editor()->setFocus();
            n.press(caption[0] % 2 ? Qt::Key_End : Qt::Key_Home, Qt::ControlModifier);
        }
        n.select(back ? "D" : "A");
        n.editor()->setFocus();
        n.press(back ? Qt::Key_End : Qt::Key_Home, Qt::ControlModifier);
        n.press(Qt::Key_R, Qt::ControlModifier);
        ASSERT_TRUE(n.dialog().isVisible());
        EXPECT_EQ(n.dialog().tab(), TFRDialog::ReplaceTab);
        n.fill("needle", "{pin}", true, back ? 1 : 0);
        n.click(u"RpAllButton"_qs);
        EXPECT_FALSE(n.dialog().isVisible());
        // The navigator stands on the section of the last match replaced.
        EXPECT_EQ(n.current(), back ? u8("A") : u8("D"));
        n.prompts.saveNames << n.dir.path(u8("replaced.nib"));
        n.press(Qt::Key_S, Qt::ControlModifier);
        const QByteArray file = readBytes(n.dir.path(u8("replaced.nib")));
        EXPECT_EQ(file.count("{pin}"), 8) << (back ? "back" : "forward");
        EXPECT_EQ(file.toLower().count("needle"), 0);
    }
}

// The start section keeps its own range: forward from the end of its
// selection, back from its start; the editor the command began in ends with
// its selection collapsed to its start.
TEST(SearchDialog, ReplaceAllStartsAtTheCaretOfTheStartSectionOnly)
{
    for (const bool back : {false, true}) {
        Search n;
        n.select("B", u8("x x"));
        n.editor()->setFocus();
        n.press(Qt::Key_End, Qt::ControlModifier); // left at the end: no matter
        n.select("C", u8("x"));
        n.select("A", u8("x xx x"));
        n.setSelection(2, 4); // "xx" selected
        n.open("ActionEditReplace");
        n.fill("x", "y", true, back ? 1 : 0);
        n.click(u"RpAllButton"_qs);
        EXPECT_EQ(n.s("A")->body().text(), back ? u8("y xx x") : u8("x xx y"));
        EXPECT_EQ(n.s("B")->body().text(), back ? u8("x x") : u8("y y"));
        EXPECT_EQ(n.s("C")->body().text(), back ? u8("x") : u8("y"));
        EXPECT_EQ(n.current(), back ? u8("A") : u8("C"));
        n.select("A");
        const QTextCursor cursor = n.editor()->textCursor();
        EXPECT_EQ(std::pair(cursor.anchor(), cursor.position()), std::pair(2, 2));
    }
}

// A selection over two lines gives a pattern that finds that text again,
// and F3 without a pattern opens the dialog on the find tab.
TEST(SearchDialog, MultiLineSelectionIsFoundAgainAndF3WithoutPatternAsks)
{
    Search n;
    n.select("B", u8("one\ntwo"));
    n.select("A", u8("head\n  one\ntwo\t\ntail"));
    n.setSelection(5, 16);
    n.open("ActionEditFind");
    n.c<QCheckBox>(u"CheckAllFile"_qs)->setChecked(true);
    n.click(u"FindButton"_qs); // from the end of A's selection on into B
    EXPECT_TRUE(n.prompts.messages.isEmpty());
    EXPECT_EQ(n.current(), u8("B"));
    EXPECT_EQ(n.editor()->textCursor().selectedText(), u8("one\u2029two"));
    n.dialog().reject();
    n.open("ActionEditReplace");
    n.fill("");
    n.dialog().reject();
    n.press(Qt::Key_F3);
    EXPECT_TRUE(n.dialog().isVisible());
    EXPECT_EQ(n.dialog().tab(), TFRDialog::FindTab);
}

// kelto-cli replace works as the window's replace-all through the whole
// file: the same count and the same file, byte for byte.
TEST(SearchDialog, ReplaceAllWritesWhatKeltoCliReplaceWrites)
{
    qputenv("SOURCE_DATE_EPOCH", "1765000000"); // both stamp the same moment
    Search n("A(B C) D");
    n.select("D", u8("кот\nКот-кот котёл"));
    n.select("C", u8("нет"));
    n.select("B", u8("Кот\nКОТ"));
    n.select("A", u8("кот"));
    const QString original = n.dir.path(u8("original.nib"));
    n.prompts.saveNames << original;
    n.trigger("ActionFileSaveAs");
    QByteArray out, err;
    const QString cliFile = n.dir.path(u8("cli.nib"));
    EXPECT_EQ(
        cli::run({u8("replace"), u8("-i"), u8("кот"), u8("пёс"), original, cliFile}, out, err), 0);
    EXPECT_EQ(out, "7\n");
    n.open("ActionEditReplace");
    n.fill("кот", "пёс", true, 2);
    n.click(u"RpAllButton"_qs);
    EXPECT_EQ(n.current(), u8("D"));
    n.nb().setCurrent(n.s("A")); // where the file had it
    n.prompts.saveNames << n.dir.path(u8("window.nib"));
    n.trigger("ActionFileSaveAs");
    qunsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(readBytes(n.dir.path(u8("window.nib"))), readBytes(cliFile));
    EXPECT_EQ(n.s("D")->body().text(), u8("пёс\nпёс-пёс пёсёл"));
}

TEST(SearchDialog, ReplaceOneAsksFirstAndGoToLineMovesTheCaret)
{
    Search n;
    n.select("A", u8("ab ab\nline two\nthree"));
    n.setSelection(0, 0);
    n.open("ActionEditReplace");
    n.fill("ab", "X", false, 0, true);
    n.prompts.answers = {UserPrompts::Answer::No};
    n.click(u"ReplaceButton"_qs);
    EXPECT_EQ(n.text(), u8("ab ab\nline two\nthree")) << "No leaves the match selected";
    n.open("ActionEditReplace");
    n.prompts.answers = {UserPrompts::Answer::Yes};
    n.click(u"ReplaceButton"_qs);
    EXPECT_EQ(n.text(), u8("ab X\nline two\nthree")) << "the next match is replaced";
    // Line, column and the caret they give; the line is held to the last.
    const std::tuple<const char*, const char*, int> jumps[] = {
        {"-3", "", 14}, {"1000", "50", 19}, {"2", "-3", 7}};
    for (const auto& [line, column, caret] : jumps) {
        n.open("ActionEditGoto");
        n.c<QComboBox>(u"GoToComboBox"_qs)->setEditText(u8(line));
        n.c<QComboBox>(u"CharComboBox"_qs)->setEditText(u8(column));
        n.click(u"GoToButton"_qs);
        EXPECT_EQ(n.editor()->textCursor().position(), caret) << line << ' ' << column;
        EXPECT_FALSE(n.dialog().isVisible());
    }
    n.open("ActionEditGoto");
    n.c<QComboBox>(u"GoToComboBox"_qs)->setEditText(u8("0"));
    n.click(u"GoToButton"_qs);
    EXPECT_EQ(n.prompts.errors, QStringList{u8("Невозможно определить номер строки")});
    EXPECT_TRUE(n.dialog().isVisible()) << "open for a correction";
}

TEST(NavigatorSearch, StepsThroughCaptionsUntilNoneIsLeft)
{
    for (const bool matchCase : {false, true}) {
        Search n("Alpha beta Gamma");
        n.trigger("ActionNavigatorFindNode");
        auto& find = n.w().searchCommands().navigatorDialog();
        find.findChild<QLineEdit*>(u"FindText"_qs)->setText(u"A"_qs);
        find.findChild<QCheckBox*>(u"MatchCase"_qs)->setChecked(matchCase);
        QStringList visited;
        while (n.prompts.messages.isEmpty()) {
            QTest::mouseClick(find.findChild<QPushButton*>(u"FindNextButton"_qs), Qt::LeftButton);
            visited << n.current();
        }
        EXPECT_EQ(visited.join(u' '), matchCase ? u8("Alpha") : u8("beta Gamma Gamma"));
        EXPECT_EQ(n.prompts.messages, QStringList{u8("Поиск завершён. Образец не найден.")});
    }
}
