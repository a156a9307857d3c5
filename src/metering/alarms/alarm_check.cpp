#include "metering/alarms/alarm_check.h"

#include "metering/alarms/alarm_messages.h"

namespace dvx {

namespace {

bool CostReached(Currency limit, Currency value) {
    return limit > Currency() && value >= limit;
}

bool TimeReached(std::int32_t limitMinutes, std::int64_t seconds) {
    return limitMinutes > 0 && seconds >= std::int64_t{limitMinutes} * 60;
}

// Marks one alarm as reached: it is used up, and it is shown when nothing is showing yet.
void Reach(AlarmCheckResult& result, bool& armedFlag, bool alarmWindowShowing, AlarmKind kind,
           const QString& message) {
    if (!alarmWindowShowing && !result.toShow)
        result.toShow = RaisedAlarm{kind, message};
    armedFlag = false;
}

} // namespace

AlarmCheckResult CheckAlarmLimits(const AlarmLimits& limits, AlarmsArmed armed,
                                  const MeteredAmounts& amounts, bool alarmWindowShowing,
                                  const RegionalSettings& rs) {
    AlarmCheckResult result{std::nullopt, armed};
    const Currency totalCharges = amounts.totalCharges + amounts.sessionCharge;
    const std::int64_t totalSeconds =
        std::int64_t{amounts.totalSeconds} + std::int64_t{amounts.sessionSeconds};

    if (armed.sessionCost && CostReached(limits.sessionCost, amounts.sessionCharge))
        Reach(result, result.armed.sessionCost, alarmWindowShowing, AlarmKind::sessionCost,
              SessionCostAlarmMessage(amounts.sessionCharge, rs));
    if (armed.sessionTime && TimeReached(limits.sessionTimeMinutes, amounts.sessionSeconds))
        Reach(result, result.armed.sessionTime, alarmWindowShowing, AlarmKind::sessionTime,
              SessionTimeAlarmMessage(amounts.sessionSeconds));
    if (armed.totalCost && CostReached(limits.totalCost, totalCharges))
        Reach(result, result.armed.totalCost, alarmWindowShowing, AlarmKind::totalCost,
              TotalCostAlarmMessage(amounts.lastResetDate, totalCharges, rs));
    if (armed.totalTime && TimeReached(limits.totalTimeMinutes, totalSeconds))
        Reach(result, result.armed.totalTime, alarmWindowShowing, AlarmKind::totalTime,
              TotalTimeAlarmMessage(amounts.lastResetDate, totalSeconds));
    return result;
}

} // namespace dvx
