// Which period a session falls in, and the periods of a log.
#include "metering/periods/billing_period.h"
#include "metering/periods/daily_costs.h"

#include <gtest/gtest.h>

using namespace dvx;

namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return *encodeDate(year, month, day) + encodeTime(hour, minute, second);
}

PeriodSession Session(DateTime start, std::int32_t seconds = 60, std::int64_t cents = 100) {
    return {start, seconds, Currency::fromRaw(cents * 100)};
}

QDateTime Now(int year, int month, int day, int hour = 12) {
    return QDateTime(QDate(year, month, day), QTime(hour, 0));
}

TEST(BillingPeriods, ASessionBelongsToThePeriodOfItsStart) {
    const struct {
        const char* what;
        DateTime start;
        int startDay;
        QDate periodStart;
        QDate periodEnd;
    } cases[] = {
        {"the last second before the start day", At(2026, 3, 14, 23, 59, 59), 15,
         QDate(2026, 2, 15), QDate(2026, 3, 15)},
        {"midnight of the start day", At(2026, 3, 15), 15, QDate(2026, 3, 15), QDate(2026, 4, 15)},
        {"the last second of a month", At(2026, 1, 31, 23, 59, 59), 1, QDate(2026, 1, 1),
         QDate(2026, 2, 1)},
        {"the first second of a month", At(2026, 2, 1), 1, QDate(2026, 2, 1), QDate(2026, 3, 1)},
        {"the 31st, with periods from the 28th", At(2026, 1, 31, 10), 28, QDate(2026, 1, 28),
         QDate(2026, 2, 28)},
        {"February's last day starts a period", At(2026, 2, 28, 8), 28, QDate(2026, 2, 28),
         QDate(2026, 3, 28)},
        {"the day before February's last", At(2026, 2, 27, 23), 28, QDate(2026, 1, 28),
         QDate(2026, 2, 28)},
        {"the 29th of February of a leap year", At(2028, 2, 29, 12), 1, QDate(2028, 2, 1),
         QDate(2028, 3, 1)},
        {"the 29th of February, periods from the 28th", At(2028, 2, 29, 12), 28, QDate(2028, 2, 28),
         QDate(2028, 3, 28)},
        {"New Year's Eve, periods from the 10th", At(2026, 12, 31, 23), 10, QDate(2026, 12, 10),
         QDate(2027, 1, 10)},
        {"New Year's Day before the start day", At(2027, 1, 5), 10, QDate(2026, 12, 10),
         QDate(2027, 1, 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PeriodStartOf(dateOf(c.start), c.startDay), c.periodStart);
        const QList<BillingPeriod> periods =
            BillingPeriods({Session(c.start)}, c.startDay, Now(2020, 1, 1));
        ASSERT_EQ(periods.size(), 1);
        EXPECT_EQ(periods[0].start, c.periodStart);
        EXPECT_EQ(periods[0].end, c.periodEnd);
        EXPECT_EQ(periods[0].calls, 1);
    }
}

TEST(BillingPeriods, AnEmptyLogHasNoPeriods) {
    EXPECT_TRUE(BillingPeriods({}, 1, Now(2026, 12, 11)).isEmpty());
}

TEST(BillingPeriods, RunFromTheFirstSessionToNowWithoutGapsAndAddUpEachPeriod) {
    // Out of order, as a changed clock can leave them; March has no call.
    const QList<PeriodSession> sessions = {
        Session(At(2026, 4, 20), 300, 150), Session(At(2026, 1, 20), 60, 5),
        Session(At(2026, 2, 19, 23, 59, 59), 120, 10), Session(At(2026, 2, 20), 30, 7)};
    const QList<BillingPeriod> periods = BillingPeriods(sessions, 20, Now(2026, 5, 25));
    ASSERT_EQ(periods.size(), 5);
    const struct {
        QDate start;
        std::int64_t calls;
        std::int64_t seconds;
        std::int64_t cents;
    } expected[] = {{QDate(2026, 1, 20), 2, 180, 15},
                    {QDate(2026, 2, 20), 1, 30, 7},
                    {QDate(2026, 3, 20), 0, 0, 0},
                    {QDate(2026, 4, 20), 1, 300, 150},
                    {QDate(2026, 5, 20), 0, 0, 0}};
    for (qsizetype at = 0; at < periods.size(); ++at) {
        SCOPED_TRACE(at);
        EXPECT_EQ(periods[at].start, expected[at].start);
        EXPECT_EQ(periods[at].end, expected[at].start.addMonths(1));
        EXPECT_EQ(periods[at].calls, expected[at].calls);
        EXPECT_EQ(periods[at].seconds, expected[at].seconds);
        EXPECT_EQ(periods[at].cost, Currency::fromRaw(expected[at].cents * 100));
        // Only the period running now is estimated.
        EXPECT_EQ(periods[at].estimate.has_value(), at == periods.size() - 1);
    }
}

TEST(BillingPeriods, ASessionAfterNowExtendsThePeriodsWithoutAnEstimate) {
    const QList<BillingPeriod> periods =
        BillingPeriods({Session(At(2026, 8, 2)), Session(At(2026, 5, 30))}, 1, Now(2026, 6, 15));
    ASSERT_EQ(periods.size(), 4);
    EXPECT_EQ(periods[0].start, QDate(2026, 5, 1));
    EXPECT_EQ(periods[1].start, QDate(2026, 6, 1));
    EXPECT_TRUE(periods[1].estimate.has_value());
    EXPECT_EQ(periods[3].start, QDate(2026, 8, 1));
    EXPECT_EQ(periods[3].calls, 1);
    EXPECT_FALSE(periods[3].estimate.has_value());
    // Sessions that all lie ahead of the clock start the periods at the first of them.
    const QList<BillingPeriod> ahead =
        BillingPeriods({Session(At(2026, 8, 2))}, 1, Now(2026, 6, 15));
    ASSERT_EQ(ahead.size(), 1);
    EXPECT_FALSE(ahead[0].estimate.has_value());
}

TEST(DailyCosts, AddsEachDaysCostsAndLeavesOutOtherDays) {
    const QList<PeriodSession> sessions = {
        Session(At(2026, 2, 28, 23, 59, 59), 60, 1), Session(At(2026, 3, 1), 60, 20),
        Session(At(2026, 3, 1, 18), 60, 300), Session(At(2026, 3, 3, 9), 60, 4),
        Session(At(2026, 3, 4), 60, 1000)};
    const QList<Currency> costs = DailyCosts(sessions, QDate(2026, 3, 1), QDate(2026, 3, 4));
    EXPECT_EQ(costs,
              (QList<Currency>{Currency::fromRaw(32000), Currency(), Currency::fromRaw(400)}));
}

} // namespace
