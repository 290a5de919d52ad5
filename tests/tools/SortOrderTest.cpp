// SPDX-License-Identifier: GPL-3.0-or-later
// The order of captions and which levels a sort reorders.

#include "tools/SortOrder.h"
#include "TestSupport.h"
#include "TreeShape.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

// The shape after sorting the notebook of `shape` from the selected caption.
QString sorted(const char* shape, const char* selected, SortScope scope, bool descending,
               const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedStates))
{
    Notebook nb;
    buildShape(nb, u8(shape));
    Section* s = findSection(nb, u8(selected));
    nb.setCurrent(s);
    sortSections(nb, s, scope, descending, CaptionCollator(locale));
    EXPECT_EQ(nb.current(), s);
    return shapeOf(nb);
}

} // namespace

// The locale's collation with case significant: not the order of codes;
// digits as characters. Equal captions keep their order both ways.
TEST(SortOrder, CollatesCaptionsStably)
{
    const auto whole = SortScope::WholeTree;
    EXPECT_EQ(sorted("b a C 10 9 B A", "b", whole, false), u8("10 9 a A b B C"));
    EXPECT_EQ(sorted("b a C 10 9 B A", "b", whole, true), u8("C B b A a 9 10"));
    EXPECT_EQ(
        sorted("я(2) Ё е(1) Я(3) ж", "я", whole, false, QLocale(QLocale::Russian, QLocale::Russia)),
        u8("е(1) Ё ж я(2) Я(3)"));
    EXPECT_EQ(sorted("x(3) a x(1) x(2)", "a", whole, false), u8("a x(3) x(1) x(2)"));
    EXPECT_EQ(sorted("x(3) a x(1) x(2)", "a", whole, true), u8("x(3) x(1) x(2) a"));
    // Many equal captions: a sort that is not stable mixes them up.
    QString many, kept;
    for (int i = 0; i < 40; ++i)
        many += QStringLiteral("x(%1) ").arg(i);
    kept = many.trimmed();
    EXPECT_EQ(sorted(qPrintable(many + u'a'), "a", whole, false), u8("a ") + kept);
    EXPECT_EQ(sorted(qPrintable(u8("a ") + many), "a", whole, true), kept + u8(" a"));
    const CaptionCollator collator(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_LT(collator.compare(u8("a"), u8("A")), 0);
    EXPECT_LT(collator.compare(u8("A"), u8("b")), 0);
    EXPECT_EQ(collator.compare(u8("a"), u8("a")), 0);
}

TEST(SortOrder, ReordersTheChosenLevels)
{
    struct Case
    {
        const char* selected;
        SortScope scope;
        bool descending;
        const char* expected;
    };
    const char* shape = "b(y z(k j)) c a(q p)";
    const Case cases[] = {
        {"k", SortScope::WholeTree, false, "a(p q) b(y z(j k)) c"},
        {"k", SortScope::WholeTree, true, "c b(z(k j) y) a(q p)"},
        // Below the top: the parent's subsections and everything under them.
        {"y", SortScope::LevelWithSublevels, false, "b(y z(j k)) c a(q p)"},
        {"y", SortScope::LevelWithSublevels, true, "b(z(k j) y) c a(q p)"},
        // At the top: the whole tree.
        {"c", SortScope::LevelWithSublevels, false, "a(p q) b(y z(j k)) c"},
        // The level alone, on the top level as below it.
        {"y", SortScope::LevelOnly, true, "b(z(k j) y) c a(q p)"},
        {"c", SortScope::LevelOnly, false, "a(q p) b(y z(k j)) c"},
        {"k", SortScope::LevelOnly, false, "b(y z(j k)) c a(q p)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sorted(shape, c.selected, c.scope, c.descending), u8(c.expected)) << c.selected;
}
