#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"

#include <cstdint>

namespace dvx {

// The user's tariff: three rates per minute, the least charge of a call and four times of day.
struct Tariff {
    Currency peakRate;
    Currency offPeakRate;
    Currency weekendRate;
    Currency minimumCharge;
    DateTime offPeakStart = 0; // evening: off-peak billing starts
    DateTime offPeakEnd = 0;   // morning: peak billing starts
    DateTime weekendStart = 0; // on Friday
    DateTime weekendEnd = 0;   // on Monday
};

// The rate in force on a weekday (Sunday = 1 .. Saturday = 7) at a time of day.
Currency RateInForce(int weekday, DateTime timeOfDay, const Tariff& tariff);

// The charge of a session of `seconds` at `ratePerMinute`, never below the minimum charge.
Currency SessionCharge(std::int32_t seconds, Currency ratePerMinute, Currency minimumCharge);
// The charge of a call of `seconds` that started at `start`, at the rate in force then.
Currency CallChargeAt(DateTime start, std::int32_t seconds, const Tariff& tariff);

// Whole seconds between two instants given in milliseconds, an exact half going to the even
// neighbour; fails with "Range check error" beyond 32 bits.
std::int32_t WholeSecondsBetween(std::int64_t startMs, std::int64_t nowMs);

} // namespace dvx
