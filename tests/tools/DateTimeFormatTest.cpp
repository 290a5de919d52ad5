// SPDX-License-Identifier: GPL-3.0-or-later
// The date/time pattern engine with locale values given explicitly, and the
// values read from Qt's locales.

#include "tools/DateTimeFormat.h"
#include "TestSupport.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

namespace {

// A 24-hour locale with "." between date fields; Thursday 5 March 2026.
DateTimeLocale dotted()
{
    DateTimeLocale l;
    l.shortDate = u"dd/mm/yyyy"_s;
    l.longDate = u"d mmmm yyyy 'г.'"_s;
    l.shortTime = u"hh:mm"_s;
    l.longTime = u"hh:mm:ss"_s;
    l.dateSeparator = u"."_s;
    l.am = u"AM"_s;
    l.pm = u"PM"_s;
    l.shortMonths = QStringList(12, u"?"_s);
    l.longMonths = QStringList(12, u"?"_s);
    l.shortMonths[2] = u"мар."_s; // as a date writes them, after a day
    l.longMonths[2] = u"марта"_s;
    l.shortMonthsStandalone = QStringList(12, u"?"_s);
    l.longMonthsStandalone = QStringList(12, u"?"_s);
    l.shortMonthsStandalone[2] = u"март"_s;
    l.longMonthsStandalone[2] = u"март"_s;
    l.shortDays = QStringList(7, u"?"_s);
    l.longDays = QStringList(7, u"?"_s);
    l.shortDays[3] = u"чт"_s;
    l.longDays[3] = u"четверг"_s;
    return l;
}

QDateTime at(int h, int m, int s)
{
    return QDateTime(QDate(2026, 3, 5), QTime(h, m, s));
}

const QDateTime Moments[] = {at(0, 0, 0), at(0, 0, 1), at(0, 5, 0), at(12, 30, 0), at(13, 7, 9)};

} // namespace

// Each format at midnight, a second past it, 00:05, 12:30 and 13:07:09; a
// single value holds for all five.
TEST(DateTimeFormat, FormatTableAtTheEdgesOfTheDay)
{
    const std::vector<QString> expected[DateTimeFormatCount] = {
        {u"05.03.2026"_s},
        {u"5.3.26"_s},
        {u"03.05.2026"_s},
        {u"2026.03.05"_s},
        {u"05.мар.2026"_s},
        {u"5 марта 2026 г."_s},
        {u"четверг, март 05"_s},
        {u"05.03.2026"_s, u"05.03.2026 00:00:01"_s, u"05.03.2026 00:05:00"_s,
         u"05.03.2026 12:30:00"_s, u"05.03.2026 13:07:09"_s},
        {u"00:00"_s, u"00:00"_s, u"00:05"_s, u"12:30"_s, u"13:07"_s},
        {u"00:00:00"_s, u"00:00:01"_s, u"00:05:00"_s, u"12:30:00"_s, u"13:07:09"_s},
        {u"12:0 AM"_s, u"12:0 AM"_s, u"12:5 AM"_s, u"12:30 PM"_s, u"1:7 PM"_s},
        {u"12:00 am"_s, u"12:00 am"_s, u"12:05 am"_s, u"12:30 pm"_s, u"1:07 pm"_s},
        {u"12:00 AM"_s, u"12:00 AM"_s, u"12:05 AM"_s, u"12:30 PM"_s, u"01:07 PM"_s},
        {u"12:00:00 AM"_s, u"12:00:01 AM"_s, u"12:05:00 AM"_s, u"12:30:00 PM"_s, u"01:07:09 PM"_s}};
    for (int f = 0; f < DateTimeFormatCount; ++f) {
        for (int m = 0; m < 5; ++m) {
            SCOPED_TRACE(testing::Message() << "format " << f << " moment " << m);
            const QString& want = expected[f].size() == 1 ? expected[f][0] : expected[f][m];
            EXPECT_EQ(formatDateTime(DateTimeFormats[f], Moments[m], dotted()), want);
        }
    }
}

TEST(DateTimeFormat, TokensQuotesAndTheTwelveHourScope)
{
    DateTimeLocale blank = dotted();
    blank.am = blank.pm = QString();
    DateTimeLocale before = dotted(); // designator first, unpadded hours
    before.shortTime = u"AMPM h:mm"_s;
    DateTimeLocale looping = dotted(); // whole-date patterns inside themselves
    looping.shortDate = u"c"_s;
    looping.longTime = u"tt"_s;
    const std::tuple<const char16_t*, DateTimeLocale, QDateTime, QString> cases[] = {
        // Empty designators leave the blank before them.
        {u"h:m ampm|hh:mm ampm|hh:mm:ss ampm", blank, at(13, 7, 9), u"1:7 |01:07 |01:07:09 "_s},
        {u"t", before, at(13, 7, 9), u"PM 1:07"_s},
        // Case does not matter; m is the minute right after an hour only.
        {u"D/M/YY HH:MM", dotted(), at(13, 7, 9), u"5.3.26 13:07"_s},
        {u"h:m:s m|hh mm|h mmm|hh nn mm", dotted(), at(13, 7, 9),
         u"13:7:9 3|13 07|13 март|13 07 03"_s},
        {u"h x m", dotted(), at(13, 7, 9), u"13 x 3"_s},
        {u"c", DateTimeLocale{}, at(13, 7, 9), u"3/5/26 1:07:09 pm"_s}, // the fallbacks
        // Quoted text is copied and never counts as a token.
        {u"'h:m' \"am/pm\" 'it''s' 'open", dotted(), at(13, 7, 9), u"h:m am/pm its open"_s},
        {u"hh 'am/pm' hh am/pm", dotted(), at(13, 7, 9), u"13 am/pm 01 pm"_s},
        {u"hh h a/p|ampm hh|AM/pm A/P", dotted(), at(0, 5, 0), u"00 12 a|AM 12|AM A"_s},
        {u"AM/pm A/P", dotted(), at(12, 0, 0), u"pm P"_s},
        {u"ddd dddd mmm mmmm yyyyy y", dotted(), at(1, 0, 0), u"чт четверг март март 2026 26"_s},
        // y is the year in two digits, as yy, also with a tens digit of 0.
        {u"y|yy", dotted(), QDateTime(QDate(2000, 1, 2), {}), u"00|00"_s},
        {u"y|yy", dotted(), QDateTime(QDate(2009, 1, 2), {}), u"09|09"_s},
        {u"y|yy", dotted(), QDateTime(QDate(2010, 1, 2), {}), u"10|10"_s},
        // A day number governs the month right after it, whatever between.
        {u"d mmmm|dd/mmm|d 'x' mmmm|d x mmmm", dotted(), at(1, 0, 0),
         u"5 марта|05.мар|5 x марта|5 x март"_s},
        {u"c", dotted(), at(0, 0, 0).addMSecs(5), u"05.03.2026"_s},
        // Nested whole-date patterns stop rather than recurse for ever.
        {u"c", looping, at(0, 0, 0), QString()},
    };
    for (const auto& [pattern, locale, when, want] : cases) {
        SCOPED_TRACE(QString::fromUtf16(pattern).toStdString());
        QStringList got;
        for (const QString& part : QString::fromUtf16(pattern).split(u'|'))
            got << formatDateTime(part, when, locale);
        EXPECT_EQ(got.join(u'|'), want);
    }
}

// A locale's own date patterns give its own dates; its time patterns are
// built from its hour style and separator.
TEST(DateTimeFormat, LocaleValuesFromQt)
{
    const QDate day(2026, 3, 5);
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        if (locale.zeroDigit() != u"0"_s)
            continue; // the engine writes Western digits
        SCOPED_TRACE(locale.name().toStdString());
        const DateTimeLocale values = dateTimeLocale(locale);
        EXPECT_EQ(formatDateTime(u"ddddd", QDateTime(day, {}), values),
                  locale.toString(day, QLocale::ShortFormat));
        EXPECT_EQ(formatDateTime(u"dddddd", QDateTime(day, {}), values),
                  locale.toString(day, QLocale::LongFormat));
    }
    const std::pair<const char*, QString> times[] = {{"en_US", u"1:07 PM|1:07:09 PM"_s},
                                                     {"ru_RU", u"13:07|13:07:09"_s},
                                                     {"fi_FI", u"13.07|13.07.09"_s},
                                                     {"ko_KR", u"오후 1:07|오후 1:07:09"_s}};
    for (const auto& [name, want] : times) {
        const DateTimeLocale values = dateTimeLocale(QLocale(QLatin1String(name)));
        EXPECT_EQ(formatDateTime(u"t", at(13, 7, 9), values) + u'|' +
                      formatDateTime(u"tt", at(13, 7, 9), values),
                  want)
            << name;
    }
}

// Russian dates as a Russian reader writes them: a month standing alone in
// the nominative, the genitive where a day governs it, abbreviations
// without the locale's period; other languages as they are.
TEST(DateTimeFormat, RussianMonthsReadRight)
{
    const QDateTime march = at(10, 0, 0), may(QDate(2026, 5, 5), QTime(10, 0));
    const std::tuple<const char*, QDateTime, int, QString> cases[] = {
        {"ru_RU", march, 4, u"05.мар.2026"_s},
        {"ru_RU", march, 5, u"четверг, 5 марта 2026 г."_s},
        {"ru_RU", march, 6, u"четверг, март 05"_s},
        {"ru_RU", may, 4, u"05.мая.2026"_s},
        {"ru_RU", may, 6, u"вторник, май 05"_s},
        {"en_US", march, 4, u"05/Mar/2026"_s},
        {"en_US", march, 6, u"Thursday, March 05"_s},
        {"de_DE", march, 6, u"Donnerstag, März 05"_s},
    };
    for (const auto& [name, when, format, want] : cases) {
        const DateTimeLocale values = dateTimeLocale(QLocale(QLatin1String(name)));
        EXPECT_EQ(formatDateTime(DateTimeFormats[format], when, values), want)
            << name << " format " << format;
    }
    // Without a configured locale the program writes Russian dates.
    EXPECT_EQ(dateLocaleOf(QLocale::c()).name(), u"ru_RU"_s);
    EXPECT_EQ(dateLocaleOf(QLocale(u"en_US"_s)).name(), u"en_US"_s);
}

// The stored choice: a value that names no format reads as the first.
TEST(DateTimeFormat, StoredFormatOutsideTheTableReadsAsTheFirst)
{
    test::TempDir dir;
    TpIniFile settings(dir.path(u"kelto.ini"_s));
    const IntKey& key = keys::dateTime::DefFormat;
    for (const auto& [stored, read] : {std::pair(u"13"_s, 13), std::pair(u"14"_s, 0),
                                       std::pair(u"-1"_s, 0), std::pair(u"x"_s, 0)}) {
        settings.WriteString(key.section, key.name, stored);
        EXPECT_EQ(storedDateTimeFormat(settings), read) << stored.toStdString();
    }
}
