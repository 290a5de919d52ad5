// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <memory>

namespace kelto {

class Notebook;
class Section;

// Which way a search goes: on from the selection, back from it, or through
// the whole text from its beginning. The values are what the find dialog's
// direction list shows, in its order.
enum class SearchDirection
{
    Forward = 0,
    Backward = 1,
    Everywhere = 2,
};

struct SearchOptions
{
    // Without it, letters compare by their Unicode case folding (Ё and ё,
    // Latin and Greek alike).
    bool matchCase = false;
    // A match counts only when the characters beside it, where there are
    // any, are neither letters nor digits.
    bool wholeWord = false;
    SearchDirection direction = SearchDirection::Forward;
    // Go on through the following (or, backwards, the preceding) sections in
    // tree order; with Everywhere, start from the first section.
    bool allFile = false;
};

// A span of a text: [start, end). start < 0 means none.
struct TextSpan
{
    qsizetype start = -1;
    qsizetype end = -1;
    bool isValid() const { return start >= 0; }
};

// The first match of pattern in text as one section's search sees it, given
// that section's editor selection: Forward searches from the selection's end
// to the end of the text, Backward finds the match nearest before the
// selection's start, Everywhere searches the whole text from its beginning.
// Backwards a match ends at or before the selection's start, as an editor's
// backward find treats the text behind the caret. An invalid selection is a
// caret at 0; an empty pattern finds nothing.
TextSpan findInText(QStringView text, QStringView pattern, TextSpan selection,
                    const SearchOptions& options);

// What a search across sections reads of each section: its text (paragraph
// breaks as '\n') and, for the section the search starts in, its editor's
// selection. The desktop program answers from a section's live document
// where it has one; otherwise from the body, decoded for the moment only.
class SearchSource
{
public:
    virtual ~SearchSource() = default;
    virtual QString text(Section* section) = 0;
    virtual TextSpan selection(Section* section) = 0;
};

// The body text, decoded without keeping it, and an empty selection at 0.
class BodySearchSource : public SearchSource
{
public:
    QString text(Section* section) override;
    TextSpan selection(Section* section) override;
};

struct SectionMatch
{
    Section* section = nullptr;
    TextSpan span;
    explicit operator bool() const { return section != nullptr; }
};

// Find next: from the selected section (the first one with allFile and
// Everywhere) on through the sections in tree order while allFile is set.
// Only the section the search starts in is searched from its selection; a
// section the search enters from another one is searched whole, from its
// beginning (from its end going Backward), whatever caret it was left with.
// Never creates editor documents for the sections it reads.
SectionMatch findNext(const Notebook& notebook, Section* selected, QStringView pattern,
                      const SearchOptions& options, SearchSource& source);

// Replace all as a sequence of offered matches: every match of the range
// that findNext() would visit one after another, each offered once, in
// order, never one inside text the run inserted. Forward (and Everywhere,
// which starts at the beginning of its first section) goes from the start
// section's selection on to the end of the range; Backward from its
// selection start back to the range's beginning. The caller replaces an
// offered match in the section's text (replaced()) or leaves it
// (skipped()) before asking for the next one. Each section's text is read
// once, when the run reaches it; matches are reported in the section's
// present coordinates, after the replacements made before them.
class ReplaceAllRun
{
public:
    ReplaceAllRun(const Notebook& notebook, Section* selected, QString pattern, QString replacement,
                  const SearchOptions& options, SearchSource& source);
    ~ReplaceAllRun();
    ReplaceAllRun(const ReplaceAllRun&) = delete;
    ReplaceAllRun& operator=(const ReplaceAllRun&) = delete;

    // Called each time the run moves on into another section, before that
    // section is read; returning false ends the run there.
    void setOnEnter(std::function<bool(Section*)> onEnter);

    // The next match to offer; an invalid one when the run is over.
    SectionMatch next();
    // The match last offered, in the section's text as the run first read
    // it (before any replacement of this run).
    TextSpan offeredInRead() const;
    // The match last offered was replaced by the replacement text.
    void replaced();
    // The match last offered was left as it is.
    void skipped();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Decides for one offered match whether it is replaced (true) or left.
using ReplaceDecision = std::function<bool(Section* section, TextSpan match)>;

struct ReplaceAllResult
{
    int replacements = 0;
    int sectionsChanged = 0;
};

// A whole replace-all applied to the bodies, without editors: the start
// section's caret stands at its beginning (at its end for Backward), so a
// run from the first section forward, or from the last one backward, covers
// every body. Every offered match is replaced unless decide says no.
ReplaceAllResult replaceAllInBodies(const Notebook& notebook, Section* selected,
                                    const QString& pattern, const QString& replacement,
                                    const SearchOptions& options,
                                    const ReplaceDecision& decide = {});

} // namespace kelto
