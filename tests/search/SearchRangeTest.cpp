// SPDX-License-Identifier: GPL-3.0-or-later
// Find next and replace all across sections over generated notebooks,
// checked against a plain scan of the texts written here: a search that
// runs on through the notebook must visit every match of its range once,
// in order, whatever carets the sections were left with.

#include "document/Notebook.h"
#include "search/FindInput.h"
#include "search/TextSearch.h"

#include <QHash>

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

using namespace kelto;

namespace {

constexpr auto F = SearchDirection::Forward, B = SearchDirection::Backward,
               E = SearchDirection::Everywhere;

// The editors' selections, set by the test; the texts are the bodies'.
struct Carets : SearchSource
{
    QHash<Section*, TextSpan> selections;
    QString text(Section* s) override { return s->body().text(); }
    TextSpan selection(Section* s) override { return selections.value(s, TextSpan{0, 0}); }
};

struct Hit
{
    int section;
    qsizetype start;
    bool operator==(const Hit& o) const { return section == o.section && start == o.start; }
};

std::ostream& operator<<(std::ostream& out, const Hit& h)
{
    return out << "(" << h.section << "," << h.start << ")";
}

bool letterOrDigit(const QString& t, qsizetype i)
{
    return i >= 0 && i < t.size() && t.at(i).isLetterOrNumber();
}

// The pattern stands at i: letters compared one by one, lower-cased unless
// case counts; with whole words, no letter or digit touches it.
bool matchesAt(const QString& t, qsizetype i, const QString& p, const SearchOptions& o)
{
    if (i < 0 || i + p.size() > t.size())
        return false;
    for (qsizetype k = 0; k < p.size(); ++k) {
        const QChar a = t.at(i + k), b = p.at(k);
        if (o.matchCase ? a != b : a.toLower() != b.toLower())
            return false;
    }
    return !o.wholeWord || (!letterOrDigit(t, i - 1) && !letterOrDigit(t, i + p.size()));
}

// Every match of the range in visiting order: forward from `from` taking
// each match and going on after it, or back from `from` taking the match
// that ends nearest before it and going on before that one.
void scanText(const QString& t, int section, qsizetype from, const QString& p,
              const SearchOptions& o, std::vector<Hit>& hits)
{
    if (o.direction == B) {
        for (qsizetype i = from - p.size(); i >= 0;) {
            if (matchesAt(t, i, p, o)) {
                hits.push_back({section, i});
                i -= p.size();
            } else {
                --i;
            }
        }
        return;
    }
    for (qsizetype i = from; i + p.size() <= t.size();) {
        if (matchesAt(t, i, p, o)) {
            hits.push_back({section, i});
            i += p.size();
        } else {
            ++i;
        }
    }
}

// texts in pre-order; start and its selection where the search begins.
std::vector<Hit> scan(const std::vector<QString>& texts, int start, TextSpan selection,
                      const QString& p, const SearchOptions& o)
{
    std::vector<Hit> hits;
    if (o.direction == E && o.allFile) {
        start = 0;
        selection = {0, 0};
    }
    const int last = o.allFile ? (o.direction == B ? 0 : int(texts.size()) - 1) : start;
    const int step = o.direction == B ? -1 : 1;
    for (int i = start;; i += step) {
        qsizetype from = o.direction == B ? texts[i].size() : 0;
        if (i == start && o.direction != E)
            from = o.direction == B ? selection.start : selection.end;
        scanText(texts[i], i, from, p, o, hits);
        if (i == last)
            break;
    }
    return hits;
}

// A notebook of random shape and bodies, made in pre-order; half the bodies
// are stored as file bytes with CR LF breaks, as a notebook read from disk.
struct Generated
{
    Notebook nb;
    std::vector<Section*> sections;
    std::vector<QString> texts; // as the program sees them: breaks as '\n'
    QByteArray image;

    explicit Generated(std::mt19937& rng)
    {
        static const char16_t* const pieces[] = {u"a", u"A", u"я",    u"Я", u"b",
                                                 u" ", u".", u"\r\n", u"aa"};
        const int count = 1 + int(rng() % 7);
        std::vector<Section*> path; // the last section and its ancestors
        for (int n = 0; n < count; ++n) {
            const size_t keep = path.empty() ? 0 : rng() % (path.size() + 1);
            path.resize(keep);
            Section* s = nb.appendSection(path.empty() ? nullptr : path.back(), QString::number(n));
            path.push_back(s);
            sections.push_back(s);
            QString raw;
            for (int k = int(rng() % 14); k > 0; --k)
                raw += QString::fromUtf16(pieces[rng() % std::size(pieces)]);
            QString text = raw;
            texts.push_back(text.replace(u"\r\n"_qs, u"\n"_qs));
            if (rng() % 2) {
                const qsizetype offset = image.size();
                image += raw.toUtf8();
                s->body().setStored(image, offset, image.size() - offset, TextEncoding::Utf8);
            } else {
                s->body().setText(raw);
            }
        }
    }
};

} // namespace

TEST(SearchRange, SuccessiveFindNextVisitsEveryMatchOfTheRangeOnceInOrder)
{
    const QString patterns[] = {u"a"_qs, u"aa"_qs, u"яa"_qs, searchPattern(u"a\r\nb"_qs), u"a."_qs};
    std::mt19937 rng(2026);
    for (int round = 0; round < 400; ++round) {
        Generated g(rng);
        const std::vector<QString>& texts = g.texts;
        const std::vector<Section*>& sections = g.sections;
        Carets carets;
        for (size_t i = 0; i < sections.size(); ++i) {
            const qsizetype a = rng() % (texts[i].size() + 1), b = rng() % (texts[i].size() + 1);
            carets.selections[sections[i]] = {std::min(a, b), std::max(a, b)};
        }
        const QString& pattern = patterns[rng() % std::size(patterns)];
        SearchOptions o;
        o.matchCase = rng() % 2;
        o.wholeWord = rng() % 4 == 0;
        o.direction = rng() % 2 ? B : F;
        o.allFile = true;
        const int start = int(rng() % sections.size());
        const std::vector<Hit> expected =
            scan(texts, start, carets.selections[sections[start]], pattern, o);

        std::vector<Hit> visited;
        Section* selected = sections[start];
        while (visited.size() <= expected.size()) {
            const SectionMatch m = findNext(g.nb, selected, pattern, o, carets);
            if (!m)
                break;
            const int index =
                int(std::find(sections.begin(), sections.end(), m.section) - sections.begin());
            visited.push_back({index, m.span.start});
            EXPECT_EQ(m.span.end - m.span.start, pattern.size());
            selected = m.section; // the match becomes the selection there
            carets.selections[m.section] = m.span;
        }
        EXPECT_EQ(visited, expected) << "round " << round;
    }
}

TEST(SearchRange, EverywhereThroughTheFileFindsTheFirstMatchAgainAndAgain)
{
    Notebook nb;
    for (const char16_t* body : {u"none", u"x here", u"x again"})
        nb.appendSection(nullptr, u"s"_qs)->body().setText(QString::fromUtf16(body));
    Carets carets;
    carets.selections[nb.sectionAt(1)] = {6, 6}; // past the x: plays no part
    SearchOptions o;
    o.direction = E;
    o.allFile = true;
    for (Section* selected : {nb.sectionAt(2), nb.sectionAt(1), nb.sectionAt(1)}) {
        const SectionMatch m = findNext(nb, selected, u"x", o, carets);
        EXPECT_EQ(std::pair(m.section, m.span.start), std::pair(nb.sectionAt(1), qsizetype(0)));
    }
}

TEST(SearchRange, ReplaceAllOffersEveryMatchOfTheRangeOnceAndReplacesExactlyThose)
{
    // Each replacement holds the pattern again, so text inserted must never
    // be searched once more.
    const std::pair<QString, QString> pairs[] = {{u"a"_qs, u"Aa"_qs},
                                                 {u"aa"_qs, u"xaax"_qs},
                                                 {u"я"_qs, u"Яя"_qs},
                                                 {searchPattern(u"a\r\nb"_qs), u"b\na\nb"_qs},
                                                 {u"a a"_qs, u"-"_qs}};
    std::mt19937 rng(7);
    for (int round = 0; round < 600; ++round) {
        Generated g(rng);
        const int n = int(g.sections.size());
        Carets carets;
        for (int i = 0; i < n; ++i) {
            const qsizetype a = rng() % (g.texts[i].size() + 1);
            const qsizetype b = rng() % (g.texts[i].size() + 1);
            carets.selections[g.sections[i]] = {std::min(a, b), std::max(a, b)};
        }
        const auto& [pattern, replacement] = pairs[rng() % std::size(pairs)];
        SearchOptions o;
        o.matchCase = rng() % 2;
        o.wholeWord = rng() % 4 == 0;
        o.direction = std::array{F, B, E}[rng() % 3];
        o.allFile = rng() % 4 != 0;
        const int start = int(rng() % n);
        const std::vector<Hit> expected =
            scan(g.texts, start, carets.selections[g.sections[start]], pattern, o);

        // Replace or leave each offer at random; apply it to copies here.
        std::vector<QString> edited = g.texts;
        std::vector<qsizetype> shift(n, 0);
        std::vector<Hit> offered, replaced;
        ReplaceAllRun run(g.nb, g.sections[start], pattern, replacement, o, carets);
        while (offered.size() <= expected.size()) {
            const SectionMatch m = run.next();
            if (!m)
                break;
            const int i = int(std::find(g.sections.begin(), g.sections.end(), m.section) -
                              g.sections.begin());
            ASSERT_TRUE(matchesAt(edited[i], m.span.start, pattern, o)) << "round " << round;
            // Before this offer only text behind it changed going forward,
            // only text after it going back.
            const qsizetype inOriginal = o.direction == B ? m.span.start : m.span.start - shift[i];
            offered.push_back({i, inOriginal});
            if (rng() % 3) {
                edited[i].replace(m.span.start, pattern.size(), replacement);
                shift[i] += replacement.size() - pattern.size();
                replaced.push_back({i, inOriginal});
                run.replaced();
            } else {
                run.skipped();
            }
        }
        ASSERT_EQ(offered, expected) << "round " << round;
        // The texts are the originals with just the replaced matches changed.
        for (int i = 0; i < n; ++i) {
            QString want = g.texts[i];
            for (auto it = replaced.rbegin(); it != replaced.rend(); ++it) {
                if (it->section == i && o.direction != B)
                    want.replace(it->start, pattern.size(), replacement);
            }
            for (const Hit& h : replaced) {
                if (h.section == i && o.direction == B)
                    want.replace(h.start, pattern.size(), replacement);
            }
            EXPECT_EQ(edited[i], want) << "round " << round << " section " << i;
        }
    }
}

TEST(SearchRange, ReplaceAllInBodiesChangesEveryMatchOfTheNotebookFromItsEnds)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        Generated g(rng);
        SearchOptions o;
        o.matchCase = rng() % 2;
        o.direction = rng() % 2 ? B : F;
        o.allFile = true;
        const QString pattern = rng() % 2 ? u"a"_qs : searchPattern(u"a\r\nb"_qs);
        const QString replacement = u"<a>"_qs;
        // From the first section forward, or from the last one back: all.
        const int start = o.direction == B ? int(g.sections.size()) - 1 : 0;
        const std::vector<Hit> expected =
            scan(g.texts, 0, {0, 0}, pattern, {o.matchCase, false, F, true});
        std::vector<bool> decisions;
        const ReplaceAllResult result =
            replaceAllInBodies(g.nb, g.sections[start], pattern, replacement, o, [&](auto...) {
                decisions.push_back(rng() % 4 != 0);
                return bool(decisions.back());
            });
        ASSERT_EQ(decisions.size(), expected.size()) << "round " << round;
        // Going back the offers come last match first.
        if (o.direction == B)
            std::reverse(decisions.begin(), decisions.end());
        std::vector<QString> want = g.texts;
        int replacements = 0;
        for (size_t k = expected.size(); k-- > 0;) {
            if (decisions[k]) {
                want[expected[k].section].replace(expected[k].start, pattern.size(), replacement);
                ++replacements;
            }
        }
        EXPECT_EQ(result.replacements, replacements);
        for (size_t i = 0; i < g.sections.size(); ++i)
            EXPECT_EQ(g.sections[i]->body().text(), want[i]) << "round " << round;
    }
}

TEST(SearchRange, PatternsTakeEveryLineBreakAsTheBodiesHoldIt)
{
    // The editor's selection marks paragraphs with U+2029 and soft breaks
    // with U+2028; a body holds '\n' for each.
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"one\u2029two", u"one\ntwo"}, {u"a\u2028b\r\nc\rd", u"a\nb\nc\nd"}, {u"plain", u"plain"}};
    for (const auto& [given, wanted] : cases)
        EXPECT_EQ(searchPattern(QString::fromUtf16(given)), QString::fromUtf16(wanted));
    // A two-line selection, trimmed, is found again in the body it came from.
    Notebook nb;
    Section* s = nb.appendSection(nullptr, u"s"_qs);
    s->body().setText(u"head\r\n  first line\r\nsecond line\t\r\ntail"_qs);
    const QString pattern =
        searchPattern(patternFromSelection(u"  first line\u2029second line\t\u2029"_qs));
    Carets carets;
    SearchOptions o;
    const SectionMatch m = findNext(nb, s, pattern, o, carets);
    EXPECT_EQ(std::pair(m.span.start, m.span.end), std::pair(qsizetype(7), qsizetype(29)));
}
