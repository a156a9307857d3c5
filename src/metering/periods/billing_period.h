#pragma once

#include "metering/currency.h"
#include "metering/periods/period_session.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <cstdint>
#include <optional>

namespace dvx {

// The days of the month on which a billing period may start: every month has them.
inline constexpr int kFirstPeriodStartDay = 1;
inline constexpr int kLastPeriodStartDay = 28;
inline constexpr int kDefaultPeriodStartDay = 1;

// Where the running period is heading: its seconds and cost at its end, when calls go on as
// they went so far.
struct PeriodEstimate {
    std::int64_t seconds = 0;
    Currency cost;

    bool operator==(const PeriodEstimate&) const = default;
};

// One billing period: from 00:00 of its start day up to (not including) 00:00 of the next
// period's start, with the sessions that started in it.
struct BillingPeriod {
    QDate start;
    QDate end;
    std::int64_t calls = 0;
    std::int64_t seconds = 0;
    Currency cost;
    // Only for the period running now.
    std::optional<PeriodEstimate> estimate;

    bool operator==(const BillingPeriod&) const = default;
};

// Whether a day of the month may start a period.
bool IsPeriodStartDay(int day);
// The first day of the period that holds `day`, for periods starting on `startDay` (1 to 28).
QDate PeriodStartOf(QDate day, int startDay);

// The periods from the one of the earliest session up to the later of the one running `now`
// and the one of the latest session, oldest first, those without calls included; none for no
// sessions. The period running now carries its estimate.
QList<BillingPeriod> BillingPeriods(const QList<PeriodSession>& sessions, int startDay,
                                    const QDateTime& now);

} // namespace dvx
