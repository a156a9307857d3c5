#pragma once

#include "store/registry/hive.h"

#include <QString>

namespace dvx {

// The day of the month on which the billing periods start, kept as the DWORD PeriodStartDay under
// the product key. Read without creating or changing anything: the first day when the value is
// missing, not a DWORD, outside 1 to 28, or the hive cannot be read.
int ReadPeriodStartDay(Hive& hive);

// The name of the value.
extern const QString kPeriodStartDayValue;

} // namespace dvx
