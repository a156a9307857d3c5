#include "store/settings/period_start_day.h"

#include "metering/periods/billing_period.h"
#include "store/settings/store_keys.h"

namespace dvx {

const QString kPeriodStartDayValue = QStringLiteral("PeriodStartDay");

int ReadPeriodStartDay(Hive& hive) {
    RegValue value;
    if (hive.readValue(kProductKey, kPeriodStartDayValue, value) == Hive::Lookup::found &&
        value.isDword() && IsPeriodStartDay(value.dword))
        return value.dword;
    return kDefaultPeriodStartDay;
}

} // namespace dvx
