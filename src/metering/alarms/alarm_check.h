#pragma once

#include "metering/currency.h"
#include "metering/regional_settings.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace dvx {

// The four alarms, in the order in which they are checked.
enum class AlarmKind { sessionCost, sessionTime, totalCost, totalTime };

// The user's limits; a limit of 0 or less switches its alarm off.
struct AlarmLimits {
    std::int32_t sessionTimeMinutes = 0;
    Currency sessionCost;
    std::int32_t totalTimeMinutes = 0;
    Currency totalCost;
};

// Which alarms may still fire in the running session: all are armed when a session starts,
// none when it ends, and each is used up when its limit is reached.
struct AlarmsArmed {
    bool sessionCost = false;
    bool sessionTime = false;
    bool totalCost = false;
    bool totalTime = false;

    static constexpr AlarmsArmed all() { return {true, true, true, true}; }
    bool operator==(const AlarmsArmed&) const = default;
};

// What the meter has counted so far. The totals do not yet include the running session.
struct MeteredAmounts {
    std::int32_t sessionSeconds = 0;
    Currency sessionCharge;
    std::int32_t totalSeconds = 0;
    Currency totalCharges;
    QString lastResetDate; // as stored, shown in the total alarms' messages
};

struct RaisedAlarm {
    AlarmKind kind;
    QString message;

    bool operator==(const RaisedAlarm&) const = default;
};

struct AlarmCheckResult {
    // The alarm to show: the first one reached, and only when the alarm window is not showing.
    std::optional<RaisedAlarm> toShow;
    // The armed flags after the check: every alarm reached is used up, shown or not.
    AlarmsArmed armed;
};

// One tick's alarm check. Times are compared in 64-bit seconds, so no limit in minutes can wrap.
AlarmCheckResult CheckAlarmLimits(const AlarmLimits& limits, AlarmsArmed armed,
                                  const MeteredAmounts& amounts, bool alarmWindowShowing,
                                  const RegionalSettings& rs);

} // namespace dvx
