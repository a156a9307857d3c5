#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"

#include <QDate>
#include <QString>

namespace dvx {

// The forms that scripts and spreadsheets read whatever the user's locale: a local moment as
// ISO 8601 to the second ("2026-12-11T04:27:33"), a day as "2026-12-11", and an amount as a
// plain decimal with a point and two decimals ("-1234.50"), rounded to the cent with an exact
// half to the even cent.
QString IsoDateTimeText(DateTime moment);
QString IsoDateText(QDate day);
QString PlainAmountText(Currency amount);

} // namespace dvx
