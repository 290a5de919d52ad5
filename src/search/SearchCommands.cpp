// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchCommands.h"

#include "CaptionSearch.h"
#include "FindInput.h"
#include "NavigatorFindDialog.h"
#include "SearchUnit.h"
#include "TextSearch.h"
#include "document/Notebook.h"
#include "mainwindow/AdnlActns.h"
#include "mainwindow/CommandHost.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/SectionDocument.h"
#include "mainwindow/UserPrompts.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QSet>
#include <QTextCursor>

#include <optional>

namespace kelto {

const QString SearchCommands::DialogTitle = QStringLiteral("Найти и заменить");
const QString SearchCommands::NotFoundMessage =
    QStringLiteral("Образец не найден. Поиск завершён.");
const QString SearchCommands::ReplaceQuestion = QStringLiteral("Заменить данный текст?");
const QString SearchCommands::NoCaptionMessage =
    QStringLiteral("Поиск завершён. Образец не найден.");

namespace {

// What a search reads of the sections in the window: the text of a
// section's live document where it has one, else its body; the start
// section's selection from the editor that shows it.
class WindowSearchSource : public SearchSource
{
public:
    explicit WindowSearchSource(const TKeltoEdit& editor) : m_editor(editor) {}

    QString text(Section* section) override { return section->body().text(); }

    TextSpan selection(Section* section) override
    {
        if (m_editor.body() == &section->body()) {
            const QTextCursor cursor = m_editor.textCursor();
            return {cursor.selectionStart(), cursor.selectionEnd()};
        }
        if (auto* document = dynamic_cast<SectionDocument*>(section->body().document()))
            return {std::min(document->anchor, document->position),
                    std::max(document->anchor, document->position)};
        return {0, 0};
    }

private:
    const TKeltoEdit& m_editor;
};

// The progress of a replace-all through many sections: it appears once the
// run takes a while, moves a few times a second as the run reaches further
// sections, and its Cancel ends the run when it leaves a section.
class ReplaceProgress
{
public:
    ReplaceProgress(const Notebook& notebook, bool backward, QWidget* parent)
        : m_notebook(notebook), m_backward(backward), m_sections(notebook.sectionCount())
    {
        m_dialog.emplace(QStringLiteral("Замена текста в разделах..."), QStringLiteral("Отмена"), 0,
                         m_sections, parent);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(500);
        m_dialog->setValue(0);
        m_clock.start();
    }

    // False once the user cancelled.
    bool entering(Section* section)
    {
        if (m_clock.elapsed() >= m_nextUpdate) {
            m_nextUpdate = m_clock.elapsed() + 50;
            const int index = m_notebook.indexOf(section);
            m_dialog->setValue(m_backward ? m_sections - 1 - index : index);
        }
        return !m_dialog->wasCanceled();
    }

private:
    const Notebook& m_notebook;
    bool m_backward;
    int m_sections;
    std::optional<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    qint64 m_nextUpdate = 0;
};

// The replacements of one replace-all: each section's are one undo step of
// its own document, which is made only when the section gets a replacement.
class SectionReplacer
{
public:
    explicit SectionReplacer(QString replacement) : m_replacement(std::move(replacement)) {}

    void replace(const SectionMatch& match)
    {
        QTextCursor cursor(SectionDocument::of(match.section->body())->document());
        cursor.setPosition(int(match.span.start));
        cursor.setPosition(int(match.span.end), QTextCursor::KeepAnchor);
        // Later replacements in a section join the step of its first one.
        if (m_touched.contains(match.section))
            cursor.joinPreviousEditBlock();
        else
            cursor.beginEditBlock();
        cursor.insertText(m_replacement);
        cursor.endEditBlock();
        m_touched.insert(match.section);
    }
    bool replacedAny() const { return !m_touched.isEmpty(); }

private:
    QString m_replacement;
    QSet<Section*> m_touched;
};

void selectSpan(TKeltoEdit& editor, TextSpan span)
{
    QTextCursor cursor(editor.document());
    cursor.setPosition(int(span.start));
    cursor.setPosition(int(span.end), QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    editor.ensureCursorVisible();
}

} // namespace

SearchCommands::SearchCommands(CommandHost& host, Notebook& notebook, TKeltoEdit& editor,
                               TpIniFile& settings, UserPrompts& prompts)
    : m_host(host), m_notebook(notebook), m_editor(editor), m_settings(settings), m_prompts(prompts)
{
    m_dialog = new TFRDialog(m_editor.window());
    m_dialog->setHistories(m_settings.ReadList(keys::FindList),
                           m_settings.ReadList(keys::ReplaceList));
    m_navigatorDialog = new NavigatorFindDialog(m_editor.window());
    wire();
}

SearchCommands::~SearchCommands() = default;

void SearchCommands::wire()
{
    m_host.wireCommand(cmd::EditFind, [this] { showDialog(TFRDialog::FindTab); });
    m_host.wireCommand(cmd::EditReplace, [this] { showDialog(TFRDialog::ReplaceTab); });
    m_host.wireCommand(cmd::EditGoto, [this] { showDialog(TFRDialog::GoToTab); });
    m_host.wireCommand(cmd::EditFindAgain, [this] { findAgain(); });
    m_host.wireCommand(cmd::NavigatorFindNode, [this] {
        m_navigatorDialog->show();
        m_navigatorDialog->raise();
        m_navigatorDialog->activateWindow();
    });
    connect(m_dialog, &TFRDialog::findRequested, this,
            [this] { m_host.run([this] { findButton(); }); });
    connect(m_dialog, &TFRDialog::replaceRequested, this,
            [this] { m_host.run([this] { replaceButton(false); }); });
    connect(m_dialog, &TFRDialog::replaceAllRequested, this,
            [this] { m_host.run([this] { replaceButton(true); }); });
    connect(m_dialog, &TFRDialog::goToRequested, this,
            [this] { m_host.run([this] { goToLine(); }); });
    connect(m_navigatorDialog, &NavigatorFindDialog::findNextRequested, this,
            [this] { m_host.run([this] { navigatorFind(); }); });
}

void SearchCommands::storeAtExit()
{
    m_settings.WriteList(keys::FindList, m_dialog->findHistory());
    m_settings.WriteList(keys::ReplaceList, m_dialog->replaceHistory());
}

void SearchCommands::showDialog(int tab)
{
    m_dialog->showOnTab(TFRDialog::Tab(tab),
                        patternFromSelection(m_editor.textCursor().selectedText()));
}

// F3: the dialog's pattern and options once more, silently; without a
// pattern the dialog opens instead.
void SearchCommands::findAgain()
{
    const QString pattern = m_dialog->pattern();
    if (pattern.isEmpty())
        showDialog(TFRDialog::FindTab);
    else
        findNext(pattern);
}

void SearchCommands::findButton()
{
    m_dialog->rememberPattern();
    if (!findNext(m_dialog->pattern()))
        m_prompts.information(m_dialog, NotFoundMessage, DialogTitle);
}

void SearchCommands::replaceButton(bool all)
{
    m_dialog->hide();
    m_dialog->rememberReplacement();
    m_dialog->rememberPattern();
    if (all)
        replaceAll(m_dialog->pattern(), m_dialog->replacement());
    else
        replaceOne(m_dialog->pattern(), m_dialog->replacement());
    m_dialog->accept();
}

bool SearchCommands::findNext(const QString& pattern)
{
    WindowSearchSource source(m_editor);
    const SectionMatch match = kelto::findNext(m_notebook, m_notebook.current(),
                                               searchPattern(pattern), m_dialog->options(), source);
    if (match)
        showMatch(match);
    return bool(match);
}

// The match's section becomes the current one (the window shows it) and the
// match is selected in the editor.
void SearchCommands::showMatch(const SectionMatch& match)
{
    m_notebook.setCurrent(match.section);
    if (m_editor.body() == &match.section->body())
        selectSpan(m_editor, match.span);
}

void SearchCommands::replaceOne(const QString& pattern, const QString& replacement)
{
    if (!findNext(pattern))
        return;
    if (m_dialog->promptBeforeReplace() &&
        m_prompts.titledQuestion(m_editor.window(), ReplaceQuestion, DialogTitle, false) !=
            UserPrompts::Answer::Yes)
        return;
    editactions::replaceSelection(m_editor, replacement);
}

void SearchCommands::replaceAll(const QString& pattern, const QString& replacement)
{
    const bool prompt = m_dialog->promptBeforeReplace();
    const SearchOptions options = m_dialog->options();
    SectionBody* const startEditor = m_editor.body(); // the editor current at the start
    WindowSearchSource source(m_editor);
    SectionReplacer replacer(replacement);
    ReplaceAllRun run(m_notebook, m_notebook.current(), searchPattern(pattern), replacement,
                      options, source);
    std::optional<ReplaceProgress> progress;
    if (options.allFile && m_notebook.sectionCount() >= ProgressSections) {
        progress.emplace(m_notebook, options.direction == SearchDirection::Backward,
                         m_editor.window());
        run.setOnEnter([&](Section* section) { return progress->entering(section); });
    }
    // The navigator follows the matches to their sections. A long run moves
    // it a few times a second, not for every section, which would cost more
    // than the replacements; it always ends on the last match's section.
    QElapsedTimer clock;
    clock.start();
    qint64 nextMove = 0;
    Section* lastSection = nullptr;
    while (const SectionMatch match = run.next()) {
        lastSection = match.section;
        if (prompt) {
            showMatch(match);
            const auto answer =
                m_prompts.titledQuestion(m_editor.window(), ReplaceQuestion, DialogTitle, true);
            if (answer == UserPrompts::Answer::Cancel)
                break;
            if (answer == UserPrompts::Answer::No) {
                run.skipped();
                continue;
            }
        } else if (match.section != m_notebook.current() &&
                   (!progress || clock.elapsed() >= nextMove)) {
            m_notebook.setCurrent(match.section);
            nextMove = clock.elapsed() + 100;
        }
        replacer.replace(match);
        run.replaced();
    }
    progress.reset();
    if (lastSection && lastSection != m_notebook.current())
        m_notebook.setCurrent(lastSection);
    if (replacer.replacedAny())
        m_notebook.setModified(true);
    collapseSelection(startEditor);
}

// The editor's selection shrinks to its start, whether the body is shown
// now or only keeps the selection it was left with.
void SearchCommands::collapseSelection(SectionBody* body)
{
    if (body && m_editor.body() == body) {
        QTextCursor cursor = m_editor.textCursor();
        cursor.setPosition(cursor.selectionStart());
        m_editor.setTextCursor(cursor);
    } else if (auto* document = body ? dynamic_cast<SectionDocument*>(body->document()) : nullptr) {
        document->anchor = document->position = std::min(document->anchor, document->position);
    }
}

void SearchCommands::goToLine()
{
    const auto position = goToLinePosition(editactions::paragraphText(*m_editor.document()),
                                           m_dialog->lineText(), m_dialog->columnText());
    if (!position) {
        m_prompts.error(m_dialog, BadLineNumberMessage);
        return;
    }
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(int(*position));
    m_editor.setTextCursor(cursor);
    m_editor.ensureCursorVisible();
    m_dialog->accept();
}

void SearchCommands::navigatorFind()
{
    Section* selected = m_notebook.current();
    if (!selected)
        return;
    Section* found =
        findSectionByCaption(m_notebook, selected, m_navigatorDialog->pattern(),
                             m_navigatorDialog->matchCase(), m_navigatorDialog->down());
    if (found)
        m_notebook.setCurrent(found);
    else
        m_prompts.information(m_navigatorDialog, NoCaptionMessage);
}

} // namespace kelto
