// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

class QLocale;

namespace kelto {

class TpIniFile;

// The names, designators, separators and whole-date and whole-time patterns
// a date/time pattern is expanded with. The patterns are in the program's
// notation (see formatDateTime()). The defaults are the values used where
// the locale supplies none.
struct DateTimeLocale
{
    QString shortDate = QStringLiteral("m/d/yy");
    QString longDate = QStringLiteral("mmmm d, yyyy");
    QString shortTime = QStringLiteral("h:mm AMPM");
    QString longTime = QStringLiteral("h:mm:ss AMPM");
    QString dateSeparator = QStringLiteral("/");
    QString timeSeparator = QStringLiteral(":");
    QString am = QStringLiteral("am");
    QString pm = QStringLiteral("pm");
    // January first; Monday first (as QDate::dayOfWeek() counts from 1).
    // The month names as the locale writes them in a date, where a day
    // governs them ("5 марта" in Russian), and as they stand alone ("март");
    // empty standalone lists mean the same names.
    QStringList shortMonths, longMonths;
    QStringList shortMonthsStandalone, longMonthsStandalone;
    QStringList shortDays, longDays;
};

// The values of a locale: its names and designators, its date patterns
// translated into the program's notation, its separators, and time patterns
// built from its hour style ("hh" or "h", ":mm" or ":mm:ss", " AMPM" after
// or "AMPM " before when it uses the 12-hour clock).
DateTimeLocale dateTimeLocale(const QLocale& locale);
// The locale dates are written in: the system's, or Russian, the language
// of the program, when the system names none (the C or POSIX locale).
QLocale dateLocaleOf(const QLocale& system);
// The values of dateLocaleOf() the system's locale, taken once.
const DateTimeLocale& systemDateTimeLocale();

// Expands a date/time pattern. Letters are matched without regard to case;
// a run of one letter is one token:
//   d dd          day (dd: two digits); ddd dddd: short or long weekday name
//                 (outside the locale's patterns without a trailing period)
//   ddddd dddddd  the whole date in the short or long date pattern
//   m mm          month (mm: two digits); the minute right after an hour
//                 token, with nothing but non-letters between
//   mmm mmmm      short or long month name: in the locale's own date
//                 patterns as the locale writes them; in other patterns
//                 the form a day governs right after a day number (with
//                 nothing but non-letters between), else the name standing
//                 alone, an abbreviation without its trailing period
//   yy yyyy       year modulo 100 in two digits; a longer run: the full year
//   h hh          hour; on the 12-hour clock when am/pm, a/p or ampm follows
//                 before the next hour token, or one has been written
//   n nn, s ss    minute, second; z zzz: milliseconds; e: the year
//   t tt          the whole time in the short or long time pattern
//   c             the short date, then a blank and the long time unless the
//                 time is midnight
//   am/pm a/p     "am"/"pm" or "a"/"p", in the letter case of the pattern
//   ampm          the locale's designator
//   / :           the locale's date and time separators
//   '...' "..."   text copied without the quotes
// Anything else is copied.
QString formatDateTime(QStringView pattern, const QDateTime& when, const DateTimeLocale& locale);

// The fourteen formats offered for date and time insertion, in their order.
inline constexpr int DateTimeFormatCount = 14;
extern const std::array<QStringView, DateTimeFormatCount> DateTimeFormats;

// The index of the format chosen last. A stored value that is not one of
// the formats reads as the first format.
int storedDateTimeFormat(const TpIniFile& settings);

} // namespace kelto
