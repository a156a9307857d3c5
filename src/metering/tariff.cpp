#include "metering/tariff.h"

#include "metering/conversion_error.h"
#include "metering/rounding.h"

#include <limits>

namespace dvx {

namespace {

constexpr int kSunday = 1;
constexpr int kMonday = 2;
constexpr int kFriday = 6;
constexpr int kSaturday = 7;

Currency fridayRate(DateTime t, const Tariff& tariff) {
    if (t > tariff.weekendStart)
        return tariff.weekendRate;
    if (t > tariff.offPeakEnd)
        return tariff.peakRate;
    return tariff.offPeakRate;
}

Currency mondayRate(DateTime t, const Tariff& tariff) {
    if (t > tariff.offPeakEnd)
        return t > tariff.offPeakStart ? tariff.offPeakRate : tariff.peakRate;
    if (t > tariff.weekendEnd)
        return tariff.offPeakRate;
    return tariff.weekendRate;
}

Currency midweekRate(DateTime t, const Tariff& tariff) {
    if (t < tariff.offPeakEnd)
        return tariff.offPeakRate;
    if (t > tariff.offPeakStart)
        return tariff.offPeakRate;
    return tariff.peakRate;
}

} // namespace

Currency RateInForce(int weekday, DateTime timeOfDay, const Tariff& tariff) {
    switch (weekday) {
    case kFriday:
        return fridayRate(timeOfDay, tariff);
    case kMonday:
        return mondayRate(timeOfDay, tariff);
    case kSaturday:
    case kSunday:
        return tariff.weekendRate;
    default:
        return midweekRate(timeOfDay, tariff);
    }
}

Currency SessionCharge(std::int32_t seconds, Currency ratePerMinute, Currency minimumCharge) {
    // Divide first, in extended precision, exactly as the charge has always been computed.
    const long double perSecond = static_cast<long double>(ratePerMinute.raw()) / 60.0L;
    const long double charge = perSecond * static_cast<long double>(seconds);
    if (static_cast<long double>(minimumCharge.raw()) >= charge)
        return minimumCharge;
    return Currency::fromRaw(roundHalfEven(charge));
}

std::int32_t WholeSecondsBetween(std::int64_t startMs, std::int64_t nowMs) {
    const std::int64_t seconds = divideHalfEven(nowMs - startMs, 1000);
    if (seconds > std::numeric_limits<std::int32_t>::max() ||
        seconds < std::numeric_limits<std::int32_t>::min())
        throw rangeCheckError();
    return static_cast<std::int32_t>(seconds);
}

Currency CallChargeAt(DateTime start, std::int32_t seconds, const Tariff& tariff) {
    return SessionCharge(seconds, RateInForce(weekdayOf(start), timeOfDay(start), tariff),
                         tariff.minimumCharge);
}

} // namespace dvx
