#pragma once

#include "metering/periods/billing_period.h"

#include <QDateTime>

namespace dvx {

// The period's seconds and cost scaled from the time elapsed since it started to its whole
// length, both measured on the clock (a summer-time change makes a day of 23 or 25 hours). A
// period that has not begun yet, or has just begun, is estimated at what it holds.
PeriodEstimate EstimateAtEnd(const BillingPeriod& period, const QDateTime& now);

} // namespace dvx
