#pragma once

#include "metering/periods/billing_period.h"
#include "metering/regional_settings.h"

#include <QList>
#include <QStringList>

class QTableWidget;

namespace dvx {

// The columns of the table of periods.
enum class PeriodColumn { period, calls, time, cost, estimate, count };

QStringList PeriodColumnTitles();
// Fills the table with one row per period, newest first, in the user's locale: the period's
// first and last day, the calls, the time, the cost, and for the running period the cost it is
// heading for.
void FillPeriodRows(QTableWidget& table, const QList<BillingPeriod>& periods,
                    const RegionalSettings& regional);

} // namespace dvx
