#include "TextSearch.h"

#include "document/Notebook.h"

#include <algorithm>
#include <unordered_map>
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

} // namespace

SectionMatch findNext(const Notebook& notebook, Section* selected, QStringView pattern,
                      const SearchOptions& options, SearchSource& source)
{
    if (pattern.isEmpty())
        return {};
    for (Section* s = startSection(notebook, selected, options); s;
         s = followingSection(notebook, s, options)) {
        const TextSpan span = findInText(source.text(s), pattern, source.selection(s), options);
        if (span.isValid())
            return {s, span};
    }
    return {};
}

// --- replace all

namespace {

// What a run must not offer again in one section, in the section's present
// coordinates: the spans it inserted (disjoint, by start) and the starts of
// the matches left (all matches have the pattern's length).
struct SectionGuards
{
    std::vector<TextSpan> inserted;
    std::vector<qsizetype> skipped;
    // With Everywhere the run resumes here instead of at 0: nothing before
    // can have become a new match but one ending at the last offered match.
    qsizetype resume = 0;

    bool blocks(TextSpan m) const
    {
        auto it = std::upper_bound(inserted.begin(), inserted.end(), m.start,
                                   [](qsizetype at, const TextSpan& s) { return at < s.end; });
        if (it != inserted.end() && it->start < m.end)
            return true;
        return std::binary_search(skipped.begin(), skipped.end(), m.start);
    }

    void skip(TextSpan m)
    {
        skipped.insert(std::lower_bound(skipped.begin(), skipped.end(), m.start), m.start);
    }

    // m was replaced by length characters: later spans move, the skipped
    // matches it took part of are gone, and the new text is guarded.
    void replace(TextSpan m, qsizetype length)
    {
        const qsizetype delta = length - (m.end - m.start);
        for (TextSpan& s : inserted) {
            if (s.start >= m.end) {
                s.start += delta;
                s.end += delta;
            }
        }
        std::vector<qsizetype> kept;
        for (qsizetype start : skipped) {
            if (start >= m.end)
                kept.push_back(start + delta);
            else if (start + (m.end - m.start) <= m.start)
                kept.push_back(start);
        }
        skipped = std::move(kept);
        const TextSpan added{m.start, m.start + length};
        inserted.insert(
            std::upper_bound(inserted.begin(), inserted.end(), added.start,
                             [](qsizetype at, const TextSpan& s) { return at < s.start; }),
            added);
    }
};

} // namespace

struct ReplaceAllRun::State
{
    const Notebook& notebook;
    QString pattern;
    QString replacement;
    SearchOptions options;
    SearchSource& source;
    Section* section = nullptr; // where the search goes on
    std::unordered_map<Section*, SectionGuards> guards;
    SectionMatch offered;

    // The first match of the section's range that the guards let through.
    TextSpan offerable(Section* s)
    {
        const QString text = source.text(s);
        SectionGuards& g = guards[s];
        SearchOptions o = options;
        TextSpan at = source.selection(s);
        if (o.direction == SearchDirection::Everywhere) {
            o.direction = SearchDirection::Forward;
            at = {g.resume, g.resume};
        }
        for (;;) {
            const TextSpan m = findInText(text, pattern, at, o);
            if (!m.isValid() || !g.blocks(m))
                return m;
            // Backwards the next candidate must end earlier; forwards start later.
            const qsizetype next =
                o.direction == SearchDirection::Backward ? m.end - 1 : m.start + 1;
            at = {next, next};
        }
    }
};

ReplaceAllRun::ReplaceAllRun(const Notebook& notebook, Section* selected, QString pattern,
                             QString replacement, const SearchOptions& options,
                             SearchSource& source)
    : m_state(new State{notebook,
                        std::move(pattern),
                        std::move(replacement),
                        options,
                        source,
                        startSection(notebook, selected, options),
                        {},
                        {}})
{
}

ReplaceAllRun::~ReplaceAllRun() = default;

SectionMatch ReplaceAllRun::next()
{
    State& st = *m_state;
    if (st.offered)
        skipped(); // an offer left unanswered counts as left
    if (st.pattern.isEmpty())
        return {};
    for (; st.section; st.section = followingSection(st.notebook, st.section, st.options)) {
        const TextSpan m = st.offerable(st.section);
        if (m.isValid()) {
            st.offered = {st.section, m};
            if (st.options.direction == SearchDirection::Everywhere)
                st.guards[st.section].resume = std::max<qsizetype>(0, 2 * m.start - m.end);
            return st.offered;
        }
    }
    return {};
}

void ReplaceAllRun::replaced()
{
    State& st = *m_state;
    if (!st.offered)
        return;
    st.guards[st.offered.section].replace(st.offered.span, st.replacement.size());
    st.offered = {};
}

void ReplaceAllRun::skipped()
{
    State& st = *m_state;
    if (!st.offered)
        return;
    st.guards[st.offered.section].skip(st.offered.span);
    st.offered = {};
}

// --- replace all in the bodies

namespace {

// The bodies as editors: a section's text is decoded when first read and kept
// only once the run changes it.
class BodyEditors : public SearchSource
{
public:
    explicit BodyEditors(bool caretAtEnd) : m_caretAtEnd(caretAtEnd) {}

    QString text(Section* section) override
    {
        const auto it = m_edited.find(section);
        return it != m_edited.end() ? it->second : section->body().text();
    }
    TextSpan selection(Section* section) override
    {
        const auto it = m_selections.find(section);
        if (it != m_selections.end())
            return it->second;
        const qsizetype at = m_caretAtEnd ? section->body().text().size() : 0;
        return {at, at};
    }
    void select(Section* section, TextSpan span) { m_selections[section] = span; }
    void replace(Section* section, TextSpan span, const QString& replacement)
    {
        QString t = text(section);
        t.replace(span.start, span.end - span.start, replacement);
        m_edited[section] = std::move(t);
        const qsizetype caret = span.start + replacement.size();
        m_selections[section] = {caret, caret};
    }
    // Writes the changed texts to their bodies; returns how many changed.
    int commit()
    {
        for (auto& [section, t] : m_edited)
            section->body().setText(std::move(t));
        return int(m_edited.size());
    }

private:
    bool m_caretAtEnd;
    std::unordered_map<Section*, QString> m_edited;
    std::unordered_map<Section*, TextSpan> m_selections;
};

} // namespace

int replaceAllInBodies(const Notebook& notebook, Section* selected, const QString& pattern,
                       const QString& replacement, const SearchOptions& options,
                       const ReplaceDecision& decide)
{
    BodyEditors editors(options.direction == SearchDirection::Backward);
    ReplaceAllRun run(notebook, selected, pattern, replacement, options, editors);
    while (const SectionMatch m = run.next()) {
        if (!decide || decide(m.section, m.span)) {
            editors.replace(m.section, m.span, replacement);
            run.replaced();
        } else {
            editors.select(m.section, m.span);
            run.skipped();
        }
    }
    return editors.commit();
}

} // namespace kelto
