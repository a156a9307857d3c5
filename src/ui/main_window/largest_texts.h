#pragma once

#include "metering/regional_settings.h"

#include <QStringList>

namespace dvx {

// The widest texts a box or a list column shows in the user's locale, to make it wide enough
// for them: money up to 99,999.99, rates up to 99.999, call times up to 999min, 59sec, and
// moments and times of day over every month name, weekday name and half of the day.
QStringList LargestMoneyTexts(const RegionalSettings& rs);
QStringList LargestRateTexts(const RegionalSettings& rs);
QStringList LargestDurationTexts();
QStringList DateTimeSamples(const RegionalSettings& rs);
QStringList TimeOfDaySamples(const RegionalSettings& rs);

} // namespace dvx
