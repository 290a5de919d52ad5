// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeShape.h"
#include "search/CaptionSearch.h"
#include "search/TextSearch.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

// Options as {matchCase, wholeWord, direction, allFile}.
constexpr auto F = SearchDirection::Forward, B = SearchDirection::Backward,
               E = SearchDirection::Everywhere;

struct Editors : BodySearchSource
{
    QHash<Section*, TextSpan> selections; // the caret at 0 elsewhere
    TextSpan selection(Section* s) override { return selections.value(s, TextSpan{0, 0}); }
};

TEST(TextSearch, FindsInOneTextByDirectionCaseAndWholeWord)
{
    const std::tuple<const char16_t*, const char16_t*, TextSpan, SearchOptions, qsizetype> cases[] =
        {{u"ab ab ab", u"ab", {2, 3}, {0, 0, F}, 3},
         {u"ab ab ab", u"ab", {6, 8}, {0, 0, B}, 3},
         {u"ab ab ab", u"ab", {4, 4}, {0, 0, B}, 0}, // a match ends before the caret
         {u"Ёлка ёЛКА", u"ёлка", {1, 1}, {0, 0, F}, 5},
         {u"ёлка", u"ЁЛКА", {}, {1, 0, E}, -1},
         {u"aXb ΣΑΣ", u"xb σας", {}, {0, 0, E}, 1},
         {u"catalog cat", u"cat", {}, {0, 1, E}, 8},
         {u"котcat, cat", u"cat", {8, 8}, {0, 1, B}, -1},
         {u"cat", u"cat", {}, {0, 1, E}, 0},
         // A letter at the very start or end of the text touches the match.
         {u"xcat", u"cat", {}, {0, 1, E}, -1},
         {u"xcat", u"cat", {4, 4}, {0, 1, B}, -1},
         {u"catx", u"cat", {}, {0, 1, E}, -1},
         {u"abc", u"", {}, {0, 0, E}, -1}};
    for (const auto& [text, pattern, selection, options, at] : cases) {
        const TextSpan m = findInText(text, pattern, selection, options);
        const qsizetype end = at < 0 ? -1 : at + QStringView(pattern).size();
        EXPECT_EQ(std::pair(m.start, m.end), std::pair(at, end));
    }
}

TEST(TextSearch, FindNextGoesOnThroughSectionsInTreeOrder)
{
    Notebook nb;
    test::buildShape(nb, u"A(B C) D"_s);
    for (Section* s = nb.firstSection(); s; s = nb.nextSection(s))
        s->body().setText(s->caption() == u"A"_s ? u"none"_s : s->caption() + u" x"_s);
    Section *a = nb.sectionAt(0), *b = nb.sectionAt(1), *c = nb.sectionAt(2), *d = nb.sectionAt(3);
    Editors ed;
    // B and C: the caret after the x. Only the start section's caret counts;
    // a section entered from another is searched whole.
    ed.selections = {{b, {3, 3}}, {c, {3, 3}}};
    const std::tuple<Section*, SearchOptions, Section*, qsizetype> cases[] = {
        {a, {0, 0, F}, nullptr, -1},   {a, {0, 0, F, 1}, b, 2}, {b, {0, 0, F, 1}, c, 2},
        {d, {0, 0, E, 1}, b, 2},       {b, {0, 0, E}, b, 2},    {d, {0, 0, B, 1}, c, 2},
        {a, {0, 0, B, 1}, nullptr, -1}};
    for (const auto& [selected, options, section, start] : cases) {
        const SectionMatch m = findNext(nb, selected, u"X", options, ed);
        EXPECT_EQ(std::pair(m.section, m.span.start), std::pair(section, start));
    }
}

TEST(TextSearch, ReplaceAllEndsInEveryDirectionWithAndWithoutSkips)
{
    // Every replacement holds the pattern again; with skips every other offer is left.
    const std::tuple<SearchOptions, bool, const char16_t*, const char16_t*> cases[] = {
        {{0, 0, F, 1}, false, u"aA-aA", u"aA-aA"}, {{0, 0, B, 1}, false, u"aA-aA", u"aA-aA"},
        {{0, 0, E, 1}, false, u"aA-aA", u"aA-aA"}, {{0, 0, E}, false, u"aA-aA", u"a-a"},
        {{0, 0, F, 1}, true, u"a-aA", u"a-aA"},    {{0, 0, B, 1}, true, u"aA-a", u"aA-a"},
        {{0, 0, E, 1}, true, u"a-aA", u"a-aA"},    {{0, 0, E}, true, u"a-aA", u"a-a"}};
    for (const auto& [options, skips, first, second] : cases) {
        Notebook nb;
        test::buildShape(nb, u"A B"_s);
        for (Section* s = nb.firstSection(); s; s = nb.nextSection(s))
            s->body().setText(u"a-a"_s);
        int offers = 0;
        replaceAllInBodies(nb, nb.sectionAt(options.direction == B ? 1 : 0), u"A"_s, u"aA"_s,
                           options, [&](auto...) { return !skips || ++offers % 2 == 0; });
        EXPECT_EQ(nb.sectionAt(0)->body().text(), QStringView(first).toString());
        EXPECT_EQ(nb.sectionAt(1)->body().text(), QStringView(second).toString());
    }
}

TEST(CaptionSearch, StepsThroughCaptionsInTreeOrderWithoutWrapping)
{
    Notebook nb;
    test::buildShape(nb, u"Alpha beta(Gamma) ЁЖИК"_s);
    const std::tuple<int, const char16_t*, bool, bool, int> cases[] = {
        {0, u"A", false, true, 1},    {1, u"A", false, true, 2},    {2, u"A", false, true, -1},
        {0, u"A", true, true, -1},    {0, u"ёжик", false, true, 3}, {3, u"ALP", false, false, 0},
        {0, u"alp", false, false, -1}};
    for (const auto& [from, pattern, matchCase, down, found] : cases) {
        Section* s = findSectionByCaption(nb, nb.sectionAt(from), pattern, matchCase, down);
        EXPECT_EQ(nb.indexOf(s), found) << from << QStringView(pattern).toString().toStdString();
    }
}
