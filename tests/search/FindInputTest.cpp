// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/FindInput.h"

#include <gtest/gtest.h>

using namespace kelto;

TEST(FindInput, HistoryKeepsCaseInsensitiveDuplicatesInPlaceAndFiftyEntries)
{
    QStringList history{u"beta"_qs, u"Alpha"_qs};
    for (int i = 0; i <= 49; ++i) // "ALPHA" first: Alpha keeps its place
        addToHistory(history, i ? QString::number(i) : u"ALPHA"_qs);
    EXPECT_EQ(history.size(), HistoryLimit);
    EXPECT_EQ(history.first() + history.last(), u"49beta"_qs); // Alpha, the oldest, went
}

TEST(FindInput, GoToLineClampsAndRejectsNonNumbers)
{
    const QString text = u"line one\nline 2\nlast 7\n"_qs; // three lines, a final break
    const std::tuple<const char*, const char*, qsizetype> cases[] = {
        {"1", "", 0},      {"2", "3", 11},  {"-3", "1", 16},
        {"1000", "1", 16}, {"3", "50", 22}, {"2", "-2", 10},
        {"0", "1", -1},    {"x", "1", -1},  {"1", "0", -1},
        {"1", "1.5", -1},  {"", "1", -1},   {"-9223372036854775808", "-9223372036854775808", 22}};
    for (const auto& [line, column, position] : cases) {
        const auto at =
            goToLinePosition(text, QString::fromLatin1(line), QString::fromLatin1(column));
        EXPECT_EQ(at.value_or(-1), position) << line << " " << column;
    }
}
