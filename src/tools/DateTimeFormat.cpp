// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateTimeFormat.h"

#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QLocale>

namespace kelto {

const std::array<QStringView, DateTimeFormatCount> DateTimeFormats = {
    u"ddddd",       u"d/m/yy",       u"mm/dd/yyyy",    u"yyyy/mm/dd",
    u"dd/mmm/yyyy", u"dddddd",       u"dddd, mmmm dd", u"c",
    u"t",           u"tt",           u"h:m ampm",      u"h:mm am/pm",
    u"hh:mm ampm",  u"hh:mm:ss ampm"};

static_assert(keys::dateTime::DefFormat.range.high == DateTimeFormatCount - 1);

namespace {

// The whole-date and whole-time tokens expand the locale's patterns, which
// may hold such tokens again; expansion stops at this depth.
constexpr int MaxNesting = 2;

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool startsWithToken(QStringView pattern, qsizetype at, QStringView token)
{
    return pattern.sliced(at).startsWith(token, Qt::CaseInsensitive);
}

QString nameAt(const QStringList& names, int index)
{
    return index >= 0 && index < names.size() ? names.at(index) : QString();
}

// "мар." is written "мар": the pattern's separators follow the name.
QString withoutTrailingPeriod(QString name)
{
    if (name.size() > 1 && name.endsWith(u'.'))
        name.chop(1);
    return name;
}

// The expansion of one pattern into out. A nested pattern (a locale's
// date or time pattern) gets its own expander: the minute rule and the
// 12-hour clock do not reach across.
class Expander
{
public:
    Expander(QDate date, QTime time, const DateTimeLocale& locale, int depth, QString& out)
        : m_date(date), m_time(time), m_locale(locale), m_depth(depth), m_out(out)
    {
    }

    void run(QStringView p)
    {
        for (qsizetype i = 0; i < p.size();)
            i = isAsciiLetter(p[i]) ? token(p, i) : literal(p, i);
    }

private:
    qsizetype token(QStringView p, qsizetype i)
    {
        const char16_t letter = p[i].toLower().unicode();
        const char16_t previous = m_lastToken;
        const bool afterDayNumber = m_lastWasDayNumber;
        m_lastToken = letter;
        m_lastWasDayNumber = false;
        if (letter == u'a')
            return designator(p, i);
        qsizetype n = i + 1;
        while (n < p.size() && p[n].toLower() == letter)
            ++n;
        const int count = int(n - i);
        switch (letter) {
        case u'd':
            day(count);
            m_lastWasDayNumber = count <= 2;
            break;
        case u'm':
            if (previous == u'h' && count <= 2) {
                m_lastToken = u'n';
                number(m_time.minute(), count);
            } else {
                month(count, afterDayNumber);
            }
            break;
        case u'y':
            year(count);
            break;
        case u'h':
            hour(count, m_designatorWritten || twelveHourAhead(p, n));
            break;
        case u'n':
            number(m_time.minute(), count);
            break;
        case u's':
            number(m_time.second(), count);
            break;
        case u'z':
            number(m_time.msec(), count >= 2 ? 3 : 1);
            break;
        case u'e':
            number(m_date.year(), count);
            break;
        case u't':
            nested(count == 1 ? m_locale.shortTime : m_locale.longTime);
            break;
        case u'c':
            dateAndTime();
            break;
        default:
            m_out += p.sliced(i, count);
            break;
        }
        return n;
    }

    qsizetype literal(QStringView p, qsizetype i)
    {
        const QChar c = p[i];
        if (c == u'\'' || c == u'"') {
            // An unclosed quote runs to the end.
            qsizetype end = p.indexOf(c, i + 1);
            end = end < 0 ? p.size() : end;
            m_out += p.sliced(i + 1, end - i - 1);
            return std::min(end + 1, p.size());
        }
        if (c == u'/')
            m_out += m_locale.dateSeparator;
        else if (c == u':')
            m_out += m_locale.timeSeparator;
        else
            m_out += c;
        return i + 1;
    }

    // am/pm and a/p copy their half from the pattern, ampm writes the
    // locale's designator; any other "a" is copied.
    qsizetype designator(QStringView p, qsizetype i)
    {
        const bool pm = m_time.hour() >= 12;
        qsizetype length = 1;
        if (startsWithToken(p, i, u"am/pm")) {
            m_out += p.sliced(i + (pm ? 3 : 0), 2);
            length = 5;
        } else if (startsWithToken(p, i, u"a/p")) {
            m_out += p[i + (pm ? 2 : 0)];
            length = 3;
        } else if (startsWithToken(p, i, u"ampm")) {
            m_out += pm ? m_locale.pm : m_locale.am;
            length = 4;
        } else {
            m_out += p[i];
            return i + 1;
        }
        m_designatorWritten = true;
        return i + length;
    }

    // True when a designator token follows before the next hour token;
    // quoted text does not count.
    static bool twelveHourAhead(QStringView p, qsizetype from)
    {
        for (qsizetype j = from; j < p.size(); ++j) {
            const QChar c = p[j].toLower();
            if (c == u'\'' || c == u'"') {
                j = p.indexOf(p[j], j + 1);
                if (j < 0)
                    return false;
            } else if (c == u'h') {
                return false;
            } else if (c == u'a' &&
                       (startsWithToken(p, j, u"am/pm") || startsWithToken(p, j, u"a/p") ||
                        startsWithToken(p, j, u"ampm"))) {
                return true;
            }
        }
        return false;
    }

    void number(int value, int count)
    {
        m_out += QString::number(value).rightJustified(std::min(count, 4), u'0');
    }

    void day(int count)
    {
        const int weekday = m_date.dayOfWeek() - 1;
        if (count <= 2)
            number(m_date.day(), count);
        else if (count == 3)
            m_out += m_depth == 0 ? withoutTrailingPeriod(nameAt(m_locale.shortDays, weekday))
                                  : nameAt(m_locale.shortDays, weekday);
        else if (count == 4)
            m_out += nameAt(m_locale.longDays, weekday);
        else
            nested(count == 5 ? m_locale.shortDate : m_locale.longDate);
    }

    // The locale's own patterns write names as the locale does. The
    // program's patterns take the form a day number governs only right
    // after one, the name standing alone elsewhere, and drop an
    // abbreviation's period: their own separators follow.
    void month(int count, bool afterDayNumber)
    {
        if (count <= 2) {
            number(m_date.month(), count);
            return;
        }
        const bool isShort = count == 3;
        const QStringList& inDate = isShort ? m_locale.shortMonths : m_locale.longMonths;
        const QStringList& alone =
            isShort ? m_locale.shortMonthsStandalone : m_locale.longMonthsStandalone;
        const bool own = m_depth == 0;
        const QStringList& names = own && !afterDayNumber && !alone.isEmpty() ? alone : inDate;
        const QString name = nameAt(names, m_date.month() - 1);
        m_out += own && isShort ? withoutTrailingPeriod(name) : name;
    }

    void year(int count)
    {
        if (count <= 2)
            number(std::abs(m_date.year()) % 100, 2);
        else
            number(m_date.year(), 4);
    }

    void hour(int count, bool twelveHour)
    {
        int h = m_time.hour();
        if (twelveHour) {
            h %= 12;
            h = h == 0 ? 12 : h;
        }
        number(h, std::min(count, 2));
    }

    void dateAndTime()
    {
        nested(m_locale.shortDate);
        if (m_time.hour() != 0 || m_time.minute() != 0 || m_time.second() != 0) {
            m_out += u' ';
            nested(m_locale.longTime);
        }
    }

    void nested(const QString& pattern)
    {
        if (m_depth >= MaxNesting)
            return;
        Expander(m_date, m_time, m_locale, m_depth + 1, m_out).run(pattern);
    }

    QDate m_date;
    QTime m_time;
    const DateTimeLocale& m_locale;
    int m_depth;
    QString& m_out;
    char16_t m_lastToken = 0;
    bool m_lastWasDayNumber = false;
    bool m_designatorWritten = false;
};

// --- reading a locale

// Qt's patterns quote with "'" ("''" is a quote character); toggling on
// every quote character tells quoted from unquoted text either way.
template <class Visit> void forEachUnquoted(QStringView format, Visit visit)
{
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'\'')
            quoted = !quoted;
        else if (!quoted && !visit(i))
            return;
    }
}

// The first punctuation between the fields of a Qt pattern: the locale's
// separator. Blanks and invisible direction marks are not separators.
QString firstSeparator(QStringView format)
{
    QString separator;
    forEachUnquoted(format, [&](qsizetype i) {
        const QChar c = format[i];
        if (c.isLetter() || c.isSpace() || c.category() == QChar::Other_Format)
            return true;
        separator = c;
        return false;
    });
    return separator;
}

// A character copied as it is, quoted where the program's notation would
// read it as a token.
void appendLiteral(QString& out, QChar c)
{
    if (c == u'\'')
        out += QStringLiteral("\"'\"");
    else if (isAsciiLetter(c) || c == u'/' || c == u':' || c == u'"')
        out += u'\'' + QString(c) + u'\'';
    else
        out += c;
}

// A Qt date pattern in the program's notation: its day, month and year
// letters mean the same; the separator becomes "/"; everything else is
// text.
QString datePattern(QStringView format, const QString& separator)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                appendLiteral(out, c);
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (!quoted && (c == u'd' || c == u'M' || c == u'y')) {
            out += c.toLower();
        } else if (!quoted && QStringView(&c, 1) == separator) {
            out += u'/';
        } else {
            appendLiteral(out, c);
        }
    }
    return out;
}

// How a locale writes hours: with a leading zero or not, on the 12-hour
// clock or not, the designator before or after the time.
struct HourStyle
{
    bool leadingZero = false;
    bool twelveHour = true;
    bool designatorFirst = false;
};

HourStyle hourStyle(QStringView format)
{
    HourStyle style;
    if (format.isEmpty())
        return style;
    qsizetype hourAt = -1, designatorAt = -1;
    forEachUnquoted(format, [&](qsizetype i) {
        const QChar c = format[i].toLower();
        if (c == u'h' && hourAt < 0) {
            hourAt = i;
            style.leadingZero = i + 1 < format.size() && format[i + 1] == format[i];
        } else if (c == u'a' && designatorAt < 0) {
            designatorAt = i;
        }
        return true;
    });
    style.twelveHour = designatorAt >= 0;
    style.designatorFirst = style.twelveHour && designatorAt < hourAt;
    return style;
}

QString timePattern(const HourStyle& style, bool seconds)
{
    QString pattern =
        QLatin1String(style.leadingZero ? "hh" : "h") + QLatin1String(seconds ? ":mm:ss" : ":mm");
    if (style.twelveHour)
        pattern = style.designatorFirst ? QLatin1String("AMPM ") + pattern
                                        : pattern + QLatin1String(" AMPM");
    return pattern;
}

} // namespace

QString formatDateTime(QStringView pattern, const QDateTime& when, const DateTimeLocale& locale)
{
    QString out;
    Expander(when.date(), when.time(), locale, 0, out).run(pattern);
    return out;
}

DateTimeLocale dateTimeLocale(const QLocale& locale)
{
    DateTimeLocale v;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString longDate = locale.dateFormat(QLocale::LongFormat);
    if (const QString separator = firstSeparator(shortDate); !separator.isEmpty())
        v.dateSeparator = separator;
    if (!shortDate.isEmpty())
        v.shortDate = datePattern(shortDate, v.dateSeparator);
    if (!longDate.isEmpty())
        v.longDate = datePattern(longDate, v.dateSeparator);

    QString time = locale.timeFormat(QLocale::ShortFormat);
    time = time.isEmpty() ? locale.timeFormat(QLocale::LongFormat) : time;
    if (const QString separator = firstSeparator(time); !separator.isEmpty())
        v.timeSeparator = separator;
    const HourStyle style = hourStyle(time);
    v.shortTime = timePattern(style, false);
    v.longTime = timePattern(style, true);
    // A locale without designators writes none.
    v.am = locale.amText();
    v.pm = locale.pmText();

    for (int m = 1; m <= 12; ++m) {
        v.shortMonths << locale.monthName(m, QLocale::ShortFormat);
        v.longMonths << locale.monthName(m, QLocale::LongFormat);
        v.shortMonthsStandalone << locale.standaloneMonthName(m, QLocale::ShortFormat);
        v.longMonthsStandalone << locale.standaloneMonthName(m, QLocale::LongFormat);
    }
    for (int d = 1; d <= 7; ++d) {
        v.shortDays << locale.dayName(d, QLocale::ShortFormat);
        v.longDays << locale.dayName(d, QLocale::LongFormat);
    }
    return v;
}

QLocale dateLocaleOf(const QLocale& system)
{
    return system.language() == QLocale::C ? QLocale(QLocale::Russian, QLocale::Russia) : system;
}

const DateTimeLocale& systemDateTimeLocale()
{
    static const DateTimeLocale values = dateTimeLocale(dateLocaleOf(QLocale::system()));
    return values;
}

int storedDateTimeFormat(const TpIniFile& settings)
{
    const IntKey& key = keys::dateTime::DefFormat;
    const int stored = settings.ReadInteger(key.section, key.name, key.defaultValue);
    return stored < key.range.low || stored > key.range.high ? key.defaultValue : stored;
}

} // namespace kelto
