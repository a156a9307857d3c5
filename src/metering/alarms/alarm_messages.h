#pragma once

#include "metering/currency.h"
#include "metering/regional_settings.h"

#include <QString>
#include <cstdint>

namespace dvx {

// "1 minutes, 0 seconds.": whole minutes and the seconds left over, no leading zeros, the unit
// words always plural. Takes 64 bits so that a total plus a session never wraps.
QString AlarmDurationText(std::int64_t seconds);

QString SessionCostAlarmMessage(Currency sessionCharge, const RegionalSettings& rs);
QString SessionTimeAlarmMessage(std::int64_t sessionSeconds);
QString TotalCostAlarmMessage(const QString& lastResetDate, Currency totalWithSession,
                              const RegionalSettings& rs);
QString TotalTimeAlarmMessage(const QString& lastResetDate, std::int64_t totalWithSession);

} // namespace dvx
