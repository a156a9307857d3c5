#pragma once

#include "metering/date_time.h"
#include "metering/regional_settings.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace dvx {

// The regional short date, a blank and the long time; the time is left out at exactly midnight.
QString DateTimeText(DateTime moment, const RegionalSettings& rs);
// Reads a date-and-time text back; fails with "'%s' is not a valid date and time".
DateTime ParseDateTimeText(const QString& text, const RegionalSettings& rs);
// Reads a date-and-time text by the regional patterns as leniently as the time and date readers
// do (time_pattern.h); nothing when it names no moment. ParseDateTimeText gives what this gives.
std::optional<DateTime> ReadDateTimeText(QStringView text, const RegionalSettings& rs);

// A time of day in the regional long time format.
QString TimeText(DateTime timeOfDay, const RegionalSettings& rs);
// Reads a time of day back as a fraction of a day; fails with "'%s' is not a valid time".
// Besides the regional form, 24-hour "hh:mm:ss" and "hh:mm" are accepted.
DateTime ParseTimeText(const QString& text, const RegionalSettings& rs);

} // namespace dvx
