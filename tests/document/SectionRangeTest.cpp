// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/SectionRange.h"
#include "TreeShape.h"
#include "common/KeltoError.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

TEST(SectionRange, EachRangeTakesItsSectionsWithLevelsFromItsTop)
{
    Notebook nb;
    test::buildShape(nb, u"R(S(c1 c2(g1(gg))) t) Z"_s);
    nb.setCurrent(test::findSection(nb, u"g1"_s));
    // Level and caption of each section; the current section's index within the range.
    const std::tuple<ExportRange, const char*, const char*, int> cases[] = {
        {ExportRange::All, "", "0R 1S 2c1 2c2 3g1 4gg 1t 0Z", 4},
        {ExportRange::Branch, "S", "0S 1c1 1c2 2g1 3gg", 3},
        {ExportRange::Branch, "", "0g1 1gg", 0}, // the current section by default
        {ExportRange::SectionOnly, "S", "0S", -1},
        {ExportRange::Subsections, "S", "0c1 0c2 1g1 2gg", 2},
        {ExportRange::Subsections, "t", "", -1}};
    for (const auto& [range, selected, sections, current] : cases) {
        SCOPED_TRACE(testing::Message() << int(range) << ' ' << selected);
        const SectionRange r(
            nb, range, *selected ? test::findSection(nb, QString::fromUtf8(selected)) : nullptr);
        QStringList items;
        for (const SectionRange::Entry& e : r)
            items << QString::number(e.level) + e.section->caption();
        EXPECT_EQ(items.join(u' '), QString::fromUtf8(sections));
        EXPECT_EQ(r.indexOf(nb.current()), current);
    }
    nb.setCurrent(nullptr);
    EXPECT_THROW(SectionRange(nb, ExportRange::Branch), KeltoError) << "no section to start from";
}
