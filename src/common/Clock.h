// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

namespace kelto {

// "Now" for time stamps: the clock, or SOURCE_DATE_EPOCH (seconds since the
// epoch) when that is set, so scripted runs and tests can fix the time.
QDateTime currentDateTime();

// The stamp text of notebook files: the locale's short date, a space and
// its long time; the time is left out when it is exactly midnight.
QString fileStampText(const QDateTime& when);

} // namespace kelto
