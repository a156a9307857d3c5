#include "ui/history/history_reading.h"

#include "metering/periods/billing_period.h"
#include "store/history/session_history.h"
#include "store/registry/hive.h"
#include "store/settings/period_start_day.h"

namespace dvx {

HistoryReading ReadHistoryOfHive(const QString& hiveFile, const RegionalSettings& regional) {
    Hive hive(hiveFile, Hive::ReadOnly{});
    const HiveHealth health = hive.health();
    if (health.state == HiveHealth::State::noFileYet)
        return {SessionHistory{}, {}, kDefaultPeriodStartDay};
    if (health.state == HiveHealth::State::unusable)
        return {std::nullopt, health.reason, kDefaultPeriodStartDay};
    HistoryReading reading{ReadSessionHistory(hive, regional), {}, ReadPeriodStartDay(hive)};
    if (!reading.history)
        reading.error = hive.lastError();
    return reading;
}

} // namespace dvx
