#include "metering/periods/period_estimate.h"

#include "metering/rounding.h"

#include <QTimeZone>

namespace dvx {

namespace {

qint64 MidnightOf(QDate day, const QDateTime& now) {
    return QDateTime(day, QTime(0, 0), now.timeZone()).toMSecsSinceEpoch();
}

} // namespace

PeriodEstimate EstimateAtEnd(const BillingPeriod& period, const QDateTime& now) {
    const qint64 begins = MidnightOf(period.start, now);
    const qint64 length = MidnightOf(period.end, now) - begins;
    const qint64 elapsed = now.toMSecsSinceEpoch() - begins;
    if (elapsed <= 0 || elapsed >= length)
        return {period.seconds, period.cost};
    const long double scale = static_cast<long double>(length) / elapsed;
    return {roundHalfEven(period.seconds * scale),
            Currency::fromRaw(roundHalfEven(period.cost.raw() * scale))};
}

} // namespace dvx
