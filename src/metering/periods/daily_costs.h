#pragma once

#include "metering/currency.h"
#include "metering/periods/period_session.h"

#include <QDate>
#include <QList>

namespace dvx {

// The cost of the sessions that started on each day from `first` up to (not including) `end`,
// one entry a day.
QList<Currency> DailyCosts(const QList<PeriodSession>& sessions, QDate first, QDate end);

} // namespace dvx
