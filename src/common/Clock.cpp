// SPDX-License-Identifier: GPL-3.0-or-later
#include "Clock.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>

namespace kelto {

QDateTime currentDateTime()
{
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    if (ok)
        return QDateTime::fromSecsSinceEpoch(epoch).toLocalTime();
    return QDateTime::currentDateTime();
}

QString fileStampText(const QDateTime& when)
{
    const QLocale locale = QLocale::system();
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    const QTime time = when.time();
    if (time != QTime(0, 0)) {
        // The long time format of Qt ends in a time-zone name; a stamp is a
        // wall-clock time, so that part is dropped.
        QString format = locale.timeFormat(QLocale::LongFormat);
        static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
        format.remove(zone);
        text += QLatin1Char(' ') + locale.toString(time, format.trimmed());
    }
    return text;
}

} // namespace kelto
