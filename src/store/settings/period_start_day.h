#pragma once

#include "store/registry/hive.h"
#include "store/registry/regutils.h"

namespace dvx {

// The day of the month on which the billing periods start, kept as the DWORD PeriodStartDay under
// the product key. Read without creating or changing anything: the first day when the value is
// missing, not a DWORD, outside 1 to 28, or the hive cannot be read.
int ReadPeriodStartDay(Hive& hive);
// Keeps the day (1 to 28); returns true when it failed.
bool WritePeriodStartDay(const Registry& registry, int day);

} // namespace dvx
