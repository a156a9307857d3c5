#pragma once

#include "metering/date_time.h"
#include "metering/regional_settings.h"

#include <QString>

namespace dvx {

// Reads LastResetDate into `date`; an empty one becomes the date-and-time text of `now`, which
// is written back.
void ReadLastResetDate(QString& date, DateTime now, const RegionalSettings& regional);

// Writes the date-and-time text of a reset as LastResetDate.
void WriteLastResetDate(const QString& date);

// The caption that says since when the totals count: "(Totals Since <date>)".
QString TotalsSinceText(const QString& date);

} // namespace dvx
