#include "metering/alarms/alarm_messages.h"

#include "metering/money_text.h"

namespace dvx {

QString AlarmDurationText(std::int64_t seconds) {
    return QStringLiteral("%1 minutes, %2 seconds.").arg(seconds / 60).arg(seconds % 60);
}

QString SessionCostAlarmMessage(Currency sessionCharge, const RegionalSettings& rs) {
    return QStringLiteral("The current session cost has reached ") + MoneyText(sessionCharge, rs);
}

QString SessionTimeAlarmMessage(std::int64_t sessionSeconds) {
    return QStringLiteral("The current session time has reached ") +
           AlarmDurationText(sessionSeconds);
}

QString TotalCostAlarmMessage(const QString& lastResetDate, Currency totalWithSession,
                              const RegionalSettings& rs) {
    return QStringLiteral("The total call cost since ") + lastResetDate +
           QStringLiteral(" has reached ") + MoneyText(totalWithSession, rs);
}

QString TotalTimeAlarmMessage(const QString& lastResetDate, std::int64_t totalWithSession) {
    return QStringLiteral("The total call time since ") + lastResetDate +
           QStringLiteral(" has reached ") + AlarmDurationText(totalWithSession);
}

} // namespace dvx
