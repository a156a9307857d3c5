#pragma once

#include "metering/currency.h"
#include "metering/periods/billing_period.h"
#include "metering/regional_settings.h"

#include <QDate>
#include <QList>

class QChart;

namespace dvx {

// How many periods the chart of periods shows, the latest ones.
inline constexpr int kChartedPeriods = 24;

// Draws the cost of the last periods as bars, oldest on the left, each named by the month and
// year it starts in; the running period's estimate stands apart on top of its cost, in a colour
// of its own.
void ShowPeriodCosts(QChart& chart, const QList<BillingPeriod>& periods,
                     const RegionalSettings& regional);
// Draws the cost of each day of a period, starting with `first`.
void ShowDailyCosts(QChart& chart, const QList<Currency>& costs, QDate first,
                    const RegionalSettings& regional);

} // namespace dvx
