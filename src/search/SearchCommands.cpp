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

#include <QHash>
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

// What a search reads of the sections in the window: the shown section's
// live selection, the saved selection of a section edited before, the
// caret at the start of one never shown; a replace-all run puts its own
// selections over these.
class WindowSearchSource : public SearchSource
{
public:
    explicit WindowSearchSource(const TKeltoEdit& editor) : m_editor(editor) {}

    QString text(Section* section) override { return section->body().text(); }

    TextSpan selection(Section* section) override
    {
        if (const auto it = selections.constFind(section); it != selections.constEnd())
            return *it;
        if (m_editor.body() == &section->body()) {
            const QTextCursor cursor = m_editor.textCursor();
            return {cursor.selectionStart(), cursor.selectionEnd()};
        }
        if (auto* document = dynamic_cast<SectionDocument*>(section->body().document()))
            return {std::min(document->anchor, document->position),
                    std::max(document->anchor, document->position)};
        return {0, 0};
    }

    QHash<Section*, TextSpan> selections;

private:
    const TKeltoEdit& m_editor;
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
    const SectionMatch match =
        kelto::findNext(m_notebook, m_notebook.current(), pattern, m_dialog->options(), source);
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
    WindowSearchSource source(m_editor);
    SectionReplacer replacer(replacement);
    ReplaceAllRun run(m_notebook, m_notebook.current(), pattern, replacement, options, source);
    std::optional<QProgressDialog> progress;
    const int sections = m_notebook.sectionCount();
    if (options.allFile && sections >= ProgressSections) {
        progress.emplace(QStringLiteral("Замена текста в разделах..."), QStringLiteral("Отмена"), 0,
                         sections, m_editor.window());
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(500);
    }
    // A cancelled run still finishes the section it is in.
    Section* lastSection = nullptr;
    while (const SectionMatch match = run.next()) {
        if (progress && progress->wasCanceled() && match.section != lastSection)
            break;
        lastSection = match.section;
        if (progress) {
            const int index = m_notebook.indexOf(match.section);
            progress->setValue(options.direction == SearchDirection::Backward ? sections - 1 - index
                                                                              : index);
        }
        if (prompt) {
            showMatch(match);
            const auto answer =
                m_prompts.titledQuestion(m_editor.window(), ReplaceQuestion, DialogTitle, true);
            if (answer == UserPrompts::Answer::Cancel)
                break;
            if (answer == UserPrompts::Answer::No) {
                source.selections.insert(match.section, match.span);
                run.skipped();
                continue;
            }
        }
        replacer.replace(match);
        const qsizetype end = match.span.start + replacement.size();
        source.selections.insert(match.section, {end, end});
        run.replaced();
    }
    if (replacer.replacedAny())
        m_notebook.setModified(true);
    QTextCursor cursor = m_editor.textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_editor.setTextCursor(cursor);
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
