#include "metering/periods/billing_period.h"

#include "metering/periods/period_estimate.h"

#include <algorithm>
#include <vector>

namespace dvx {

namespace {

// Periods are counted as months since year 0: the period starting on the start day of month m
// of year y is y * 12 + m - 1.
int MonthCount(int year, int month) {
    return year * 12 + month - 1;
}

int PeriodIndexOf(QDate day, int startDay) {
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    day.getDate(&year, &month, &dayOfMonth);
    const int index = MonthCount(year, month);
    return dayOfMonth >= startDay ? index : index - 1;
}

QDate PeriodStartAt(int index, int startDay) {
    const int year = index >= 0 ? index / 12 : (index - 11) / 12;
    return QDate(year, index - year * 12 + 1, startDay);
}

} // namespace

bool IsPeriodStartDay(int day) {
    return day >= kFirstPeriodStartDay && day <= kLastPeriodStartDay;
}

QDate PeriodStartOf(QDate day, int startDay) {
    return PeriodStartAt(PeriodIndexOf(day, startDay), startDay);
}

QList<BillingPeriod> BillingPeriods(const QList<PeriodSession>& sessions, int startDay,
                                    const QDateTime& now) {
    if (sessions.isEmpty())
        return {};
    std::vector<int> indices;
    indices.reserve(static_cast<size_t>(sessions.size()));
    for (const PeriodSession& session : sessions)
        indices.push_back(PeriodIndexOf(dateOf(session.start), startDay));
    const int running = PeriodIndexOf(now.date(), startDay);
    const int first = *std::min_element(indices.begin(), indices.end());
    const int last = std::max(running, *std::max_element(indices.begin(), indices.end()));

    QList<BillingPeriod> periods(last - first + 1);
    for (int index = first; index <= last; ++index) {
        BillingPeriod& period = periods[index - first];
        period.start = PeriodStartAt(index, startDay);
        period.end = PeriodStartAt(index + 1, startDay);
    }
    for (qsizetype at = 0; at < sessions.size(); ++at) {
        BillingPeriod& period = periods[indices[static_cast<size_t>(at)] - first];
        ++period.calls;
        period.seconds += sessions[at].seconds;
        period.cost += sessions[at].cost;
    }
    if (running >= first) {
        BillingPeriod& period = periods[running - first];
        period.estimate = EstimateAtEnd(period, now);
    }
    return periods;
}

} // namespace dvx
