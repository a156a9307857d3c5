#include "store/settings/period_start_day.h"

#include "metering/periods/billing_period.h"
#include "store/settings/store_keys.h"

namespace dvx {

namespace {

const QString kPeriodStartDay = QStringLiteral("PeriodStartDay");

} // namespace

int ReadPeriodStartDay(Hive& hive) {
    RegValue value;
    if (hive.readValue(kProductKey, kPeriodStartDay, value) == Hive::Lookup::found &&
        value.isDword() && IsPeriodStartDay(value.dword))
        return value.dword;
    return kDefaultPeriodStartDay;
}

bool WritePeriodStartDay(const Registry& registry, int day) {
    if (!IsPeriodStartDay(day))
        return true;
    return registry.WriteRegInteger(kProductKey, kPeriodStartDay, day);
}

} // namespace dvx
