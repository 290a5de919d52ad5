// SPDX-License-Identifier: GPL-3.0-or-later
// Captions of the list generator: number and character ranges, limits and
// refusals.

#include "tools/ListGenerator.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

struct Case
{
    const char* prefix;
    const char* start;
    const char* end;
    const char* suffix;
    int count;
    const char* first3; // the first captions (up to three), joined by "|"
    const char* last;
};

} // namespace

TEST(ListGenerator, MakesTheSeries)
{
    const Case cases[] = {
        {"", "А", "Я", "", 32, "А|Б|В", "Я"}, // code page order: no Ё
        {"N", "10", "8", ".", 3, "N10.|N9.|N8.", "N8."},
        {"", "5", "5", "", 1, "5", "5"},
        {"", "-2", "1", "", 4, "-2|-1|0", "1"},
        {"", "Аб", "Вг", "", 3, "А|Б|В", "В"},
        {"", "1", "Я", "", 175, "1|2|3", "Я"},
        {"", "Я", "Ю", "", 2, "Я|Ю", "Ю"},
        {"", "$A", "0xc", "", 3, "10|11|12", "12"},
        {"", "  7", "+9", "", 3, "7|8|9", "9"},
        {"", "-$2", "-0X1", "", 2, "-2|-1", "-1"},
        {"", "12abc", "1", "", 1, "1", "1"}, // not a number: the first characters
        {"", "7", "", "", -1, "", ""},
        {"", "", "7", "", -1, "", ""},
        {"", "2147483646", "2147483647", "", 2, "2147483646|2147483647", "2147483647"},
        {"", "9223372036854775807", "9223372036854775806", "", 2,
         "9223372036854775807|9223372036854775806", "9223372036854775806"},
        {"", "-9223372036854775808", "-9223372036854775807", "", 2,
         "-9223372036854775808|-9223372036854775807", "-9223372036854775807"},
        {"", "9223372036854775808", "9", "", 1, "9", "9"}, // past 64 bits: characters
        {"", "$FFFFFFFFFFFFFFFF", "1", "", 3, "-1|0|1", "1"},
        {"", "1", "100000", "", 100000, "1|2|3", "100000"},
        {"", "0", "100000", "", -2, "", ""},
        {"", "-9223372036854775808", "9223372036854775807", "", -2, "", ""},
        {"", "α", "γ", "", 3, "α|β|γ", "γ"}, // outside the code page: Unicode order
    };
    for (const Case& c : cases) {
        const ListSpec series{u8(c.prefix), u8(c.start), u8(c.end), u8(c.suffix)};
        SCOPED_TRACE(std::string(c.start) + " .. " + c.end);
        if (c.count < 0) {
            const QString error = errorOf([&] { generateListCaptions(series); });
            EXPECT_EQ(error, c.count == -1 ? u8("Необходимо указать два предела диапазона.")
                                           : u8("Список слишком длинный: за один раз можно "
                                                "создать не больше 100000 разделов."));
            continue;
        }
        const QStringList captions = generateListCaptions(series);
        ASSERT_EQ(captions.size(), c.count);
        EXPECT_EQ(captions.mid(0, 3).join(u'|'), u8(c.first3));
        EXPECT_EQ(captions.last(), u8(c.last));
    }
}
