// The running period's estimate: linear in the time gone, measured on the clock.
#include "metering/periods/billing_period.h"
#include "metering/periods/period_estimate.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

BillingPeriod Period(QDate start, std::int64_t seconds, std::int64_t cents) {
    return {start, start.addMonths(1), 1, seconds, Currency::fromRaw(cents * 100), {}};
}

TEST(PeriodEstimate, ScalesWhatThePeriodHoldsToItsWholeLength) {
    const BillingPeriod april = Period(QDate(2026, 4, 1), 600, 300);
    const QTimeZone utc(QTimeZone::utc());
    const struct {
        const char* what;
        QDateTime now;
        PeriodEstimate expected;
    } cases[] = {
        {"a third gone",
         QDateTime(QDate(2026, 4, 11), QTime(0, 0), utc),
         {1800, Currency::fromRaw(90000)}},
        {"half gone",
         QDateTime(QDate(2026, 4, 16), QTime(0, 0), utc),
         {1200, Currency::fromRaw(60000)}},
        // 600 s and 3.00 over 29/30 of the month: 620.69 s and 3.1034..., to the nearest.
        {"a day left",
         QDateTime(QDate(2026, 4, 30), QTime(0, 0), utc),
         {621, Currency::fromRaw(31034)}},
        {"not begun yet",
         QDateTime(QDate(2026, 4, 1), QTime(0, 0), utc),
         {600, Currency::fromRaw(30000)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(EstimateAtEnd(april, c.now), c.expected);
    }
}

TEST(PeriodEstimate, CountsTheHoursOfASummerTimeChange) {
    const QTimeZone london("Europe/London");
    if (!london.isValid())
        GTEST_SKIP() << "the time zone Europe/London is not known on this machine";
    // Summer time starts on 29 March 2026: March has 743 hours. By 00:00 on the 30th, 695 of them
    // are gone (29 days less the hour skipped), not 696.
    const BillingPeriod march = Period(QDate(2026, 3, 1), 695, 69500);
    const PeriodEstimate estimate =
        EstimateAtEnd(march, QDateTime(QDate(2026, 3, 30), QTime(0, 0), london));
    EXPECT_EQ(estimate.seconds, 743);
    EXPECT_EQ(estimate.cost, Currency::fromRaw(7430000));
    // The same through the periods of a log, with the now in that zone.
    const QList<BillingPeriod> periods =
        BillingPeriods({{*encodeDate(2026, 3, 2), 695, Currency::fromRaw(6950000)}}, 1,
                       QDateTime(QDate(2026, 3, 30), QTime(0, 0), london));
    ASSERT_EQ(periods.size(), 1);
    EXPECT_EQ(periods[0].estimate, estimate);
}

TEST(PeriodEstimate, AnEmptyRunningPeriodIsEstimatedAtNothing) {
    const QList<BillingPeriod> periods =
        BillingPeriods({{*encodeDate(2026, 1, 5), 60, Currency::fromRaw(500)}}, 1,
                       QDateTime(QDate(2026, 3, 10), QTime(9, 0), QTimeZone::utc()));
    ASSERT_EQ(periods.size(), 3);
    EXPECT_EQ(periods.last().estimate, (PeriodEstimate{0, Currency()}));
}

} // namespace
