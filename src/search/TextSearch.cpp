// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextSearch.h"

#include "document/Notebook.h"

#include <algorithm>
#include <vector>

namespace kelto {

namespace {

// Neither letters nor digits stand right before or right after the match.
bool isWholeWord(QStringView text, qsizetype start, qsizetype end)
{
    if (start > 0 && text[start - 1].isLetterOrNumber())
        return false;
    return end >= text.size() || !text[end].isLetterOrNumber();
}

// Qt's case-insensitive comparison folds each UTF-16 unit by the simple
// Unicode case folding, which keeps lengths, so positions stay valid.
Qt::CaseSensitivity sensitivity(const SearchOptions& options)
{
    return options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

TextSpan findForward(QStringView text, QStringView pattern, qsizetype from,
                     const SearchOptions& options)
{
    const Qt::CaseSensitivity cs = sensitivity(options);
    for (qsizetype at = from; at <= text.size() - pattern.size();) {
        const qsizetype pos = text.indexOf(pattern, at, cs);
        if (pos < 0)
            break;
        if (!options.wholeWord || isWholeWord(text, pos, pos + pattern.size()))
            return {pos, pos + pattern.size()};
        at = pos + 1;
    }
    return {};
}

// The match that ends nearest before limit.
TextSpan findBackward(QStringView text, QStringView pattern, qsizetype limit,
                      const SearchOptions& options)
{
    const Qt::CaseSensitivity cs = sensitivity(options);
    // lastIndexOf counts a negative start from the end: stop before that.
    for (qsizetype at = limit - pattern.size(); at >= 0;) {
        const qsizetype pos = text.lastIndexOf(pattern, at, cs);
        if (pos < 0)
            break;
        if (!options.wholeWord || isWholeWord(text, pos, pos + pattern.size()))
            return {pos, pos + pattern.size()};
        at = pos - 1;
    }
    return {};
}

} // namespace

TextSpan findInText(QStringView text, QStringView pattern, TextSpan selection,
                    const SearchOptions& options)
{
    if (pattern.isEmpty() || pattern.size() > text.size())
        return {};
    const auto clamped = [&](qsizetype at) {
        return selection.isValid() ? std::clamp<qsizetype>(at, 0, text.size()) : 0;
    };
    switch (options.direction) {
    case SearchDirection::Forward:
        return findForward(text, pattern, clamped(selection.end), options);
    case SearchDirection::Backward:
        return findBackward(text, pattern, clamped(selection.start), options);
    case SearchDirection::Everywhere:
        break;
    }
    return findForward(text, pattern, 0, options);
}

QString BodySearchSource::text(Section* section)
{
    return section->body().text();
}

TextSpan BodySearchSource::selection(Section*)
{
    return {0, 0};
}

namespace {

Section* startSection(const Notebook& notebook, Section* selected, const SearchOptions& options)
{
    if (options.allFile && options.direction == SearchDirection::Everywhere)
        return notebook.firstSection();
    return selected;
}

Section* followingSection(const Notebook& notebook, Section* section, const SearchOptions& options)
{
    if (!options.allFile)
        return nullptr;
    return options.direction == SearchDirection::Backward ? notebook.previousSection(section)
                                                          : notebook.nextSection(section);
}

// Where the search of a section begins: the start section from its
// selection, as findInText() reads it; a section entered from another one
// from its beginning, or going back from its end.
TextSpan enteredCaret(QStringView text, const SearchOptions& options)
{
    const qsizetype at = options.direction == SearchDirection::Backward ? text.size() : 0;
    return {at, at};
}

} // namespace

SectionMatch findNext(const Notebook& notebook, Section* selected, QStringView pattern,
                      const SearchOptions& options, SearchSource& source)
{
    Section* s = startSection(notebook, selected, options);
    if (pattern.isEmpty() || !s)
        return {};
    const QString text = source.text(s);
    TextSpan span = findInText(text, pattern, source.selection(s), options);
    while (!span.isValid()) {
        s = followingSection(notebook, s, options);
        if (!s)
            return {};
        const QString entered = source.text(s);
        span = findInText(entered, pattern, enteredCaret(entered, options), options);
    }
    return {s, span};
}

// --- replace all

// The run walks each section once, in the direction of the search, over the
// text as it read it. Going forward every replacement lies behind the point
// the search goes on from, so the text ahead is still the text read and only
// its positions shift by what the replacements added; going back every
// replacement lies after that point and positions before it do not move.
// Text the run inserted is therefore never searched again, and no match is
// offered twice.
struct ReplaceAllRun::State
{
    State(const Notebook& n, QString p, QString r, const SearchOptions& o, SearchSource& s)
        : notebook(n), pattern(std::move(p)), replacement(std::move(r)), options(o), source(s)
    {
    }

    const Notebook& notebook;
    QString pattern;
    QString replacement;
    SearchOptions options;
    SearchSource& source;
    std::function<bool(Section*)> onEnter;
    Section* section = nullptr;
    QString text;        // the section's text as read
    qsizetype at = 0;    // where the search goes on, in that text
    qsizetype shift = 0; // what replacements before at added (forward)
    TextSpan offered;    // in text; invalid when nothing is offered
    bool started = false;

    bool backward() const { return options.direction == SearchDirection::Backward; }

    void read(Section* s, bool entered)
    {
        section = s;
        text = source.text(s);
        shift = 0;
        if (entered) {
            at = enteredCaret(text, options).start;
        } else if (options.direction == SearchDirection::Everywhere) {
            at = 0;
        } else {
            const TextSpan sel = source.selection(s);
            const qsizetype edge = backward() ? sel.start : sel.end;
            at = sel.isValid() ? std::clamp<qsizetype>(edge, 0, text.size()) : 0;
        }
    }

    TextSpan search() const
    {
        return backward() ? findBackward(text, pattern, at, options)
                          : findForward(text, pattern, at, options);
    }

    // The offered match is behind the search now, replaced or not.
    void passOffered(qsizetype added)
    {
        if (backward()) {
            at = offered.start;
        } else {
            at = offered.end;
            shift += added;
        }
        offered = {};
    }
};

ReplaceAllRun::ReplaceAllRun(const Notebook& notebook, Section* selected, QString pattern,
                             QString replacement, const SearchOptions& options,
                             SearchSource& source)
    : m_state(std::make_unique<State>(notebook, std::move(pattern), std::move(replacement), options,
                                      source))
{
    m_state->section = startSection(notebook, selected, options);
}

ReplaceAllRun::~ReplaceAllRun() = default;

void ReplaceAllRun::setOnEnter(std::function<bool(Section*)> onEnter)
{
    m_state->onEnter = std::move(onEnter);
}

SectionMatch ReplaceAllRun::next()
{
    State& st = *m_state;
    if (st.offered.isValid())
        skipped(); // an offer left unanswered counts as left
    if (st.pattern.isEmpty() || !st.section)
        return {};
    if (!st.started) {
        st.started = true;
        st.read(st.section, false);
    }
    for (;;) {
        const TextSpan m = st.search();
        if (m.isValid()) {
            st.offered = m;
            return {st.section, {m.start + st.shift, m.end + st.shift}};
        }
        Section* following = followingSection(st.notebook, st.section, st.options);
        if (following && st.onEnter && !st.onEnter(following))
            following = nullptr;
        if (!following) {
            st.section = nullptr;
            st.text.clear();
            return {};
        }
        st.read(following, true);
    }
}

TextSpan ReplaceAllRun::offeredInRead() const
{
    return m_state->offered;
}

void ReplaceAllRun::replaced()
{
    State& st = *m_state;
    if (st.offered.isValid())
        st.passOffered(st.replacement.size() - st.pattern.size());
}

void ReplaceAllRun::skipped()
{
    State& st = *m_state;
    if (st.offered.isValid())
        st.passOffered(0);
}

// --- replace all in the bodies

namespace {

// The bodies a run changes: each section's new text is put together once,
// when the run leaves it, from the text read and the spans replaced.
class BodyEditor : public SearchSource
{
public:
    BodyEditor(Section* start, bool caretAtEnd) : m_start(start), m_caretAtEnd(caretAtEnd) {}

    QString text(Section* section) override
    {
        commit();
        m_section = section;
        m_read = section->body().text();
        return m_read;
    }
    TextSpan selection(Section* section) override
    {
        const qsizetype at = section == m_start && m_caretAtEnd ? m_read.size() : 0;
        return {at, at};
    }
    void replace(TextSpan inRead) { m_spans.push_back(inRead); }

    // Writes the section last read when the run replaced anything in it.
    void commit()
    {
        if (m_spans.empty())
            return;
        std::sort(m_spans.begin(), m_spans.end(),
                  [](const TextSpan& a, const TextSpan& b) { return a.start < b.start; });
        QString out;
        out.reserve(m_read.size() + qsizetype(m_spans.size()) * m_replacement.size());
        qsizetype from = 0;
        for (const TextSpan& span : m_spans) {
            out.append(QStringView(m_read).mid(from, span.start - from));
            out.append(m_replacement);
            from = span.end;
        }
        out.append(QStringView(m_read).mid(from));
        m_section->body().setText(std::move(out));
        ++m_changed;
        m_spans.clear();
    }
    void setReplacement(const QString& replacement) { m_replacement = replacement; }
    int changed() const { return m_changed; }

private:
    Section* m_start;
    bool m_caretAtEnd;
    Section* m_section = nullptr;
    QString m_read;
    QString m_replacement;
    std::vector<TextSpan> m_spans;
    int m_changed = 0;
};

} // namespace

ReplaceAllResult replaceAllInBodies(const Notebook& notebook, Section* selected,
                                    const QString& pattern, const QString& replacement,
                                    const SearchOptions& options, const ReplaceDecision& decide)
{
    BodyEditor editor(selected, options.direction == SearchDirection::Backward);
    editor.setReplacement(replacement);
    ReplaceAllRun run(notebook, selected, pattern, replacement, options, editor);
    ReplaceAllResult result;
    while (const SectionMatch m = run.next()) {
        if (!decide || decide(m.section, m.span)) {
            editor.replace(run.offeredInRead());
            run.replaced();
            ++result.replacements;
        } else {
            run.skipped();
        }
    }
    editor.commit();
    result.sectionsChanged = editor.changed();
    return result;
}

} // namespace kelto
