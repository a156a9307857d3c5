#include "metering/conversion_error.h"
#include "metering/tariff.h"

#include <gtest/gtest.h>

using namespace dvx;

namespace {

constexpr int kSun = 1, kMon = 2, kTue = 3, kWed = 4, kThu = 5, kFri = 6, kSat = 7;

Currency rate(int raw) {
    return Currency::fromRaw(raw);
}
const Currency kPeak = rate(100), kOffPeak = rate(200), kWeekend = rate(300);

// Weekend ends 06:00 on Monday, peak 08:00 to 18:00, weekend starts 20:00 on Friday.
Tariff usualTariff() {
    Tariff t;
    t.peakRate = kPeak;
    t.offPeakRate = kOffPeak;
    t.weekendRate = kWeekend;
    t.minimumCharge = rate(500);
    t.weekendEnd = encodeTime(6, 0, 0);
    t.offPeakEnd = encodeTime(8, 0, 0);
    t.offPeakStart = encodeTime(18, 0, 0);
    t.weekendStart = encodeTime(20, 0, 0);
    return t;
}

struct RateCase {
    int weekday;
    int hour, minute, second;
    Currency expected;
};

TEST(RateInForce, FollowsEachWeekdayRuleAtAndAroundTheTariffTimes) {
    const RateCase cases[] = {
        // Tuesday to Thursday: peak from OffPeakEnd to OffPeakStart, both ends included.
        {kTue, 0, 0, 0, kOffPeak},
        {kTue, 7, 59, 59, kOffPeak},
        {kTue, 8, 0, 0, kPeak},
        {kWed, 12, 0, 0, kPeak},
        {kThu, 18, 0, 0, kPeak},
        {kThu, 18, 0, 1, kOffPeak},
        {kWed, 23, 59, 59, kOffPeak},
        // Friday: OffPeakStart is not consulted; from OffPeakEnd up to WeekendStart is peak.
        {kFri, 8, 0, 0, kOffPeak},
        {kFri, 8, 0, 1, kPeak},
        {kFri, 19, 0, 0, kPeak},
        {kFri, 20, 0, 0, kPeak},
        {kFri, 20, 0, 1, kWeekend},
        {kFri, 0, 0, 0, kOffPeak},
        // Monday: weekend, then off-peak, then peak, then off-peak.
        {kMon, 0, 0, 0, kWeekend},
        {kMon, 6, 0, 0, kWeekend},
        {kMon, 6, 0, 1, kOffPeak},
        {kMon, 8, 0, 0, kOffPeak},
        {kMon, 8, 0, 1, kPeak},
        {kMon, 18, 0, 0, kPeak},
        {kMon, 18, 0, 1, kOffPeak},
        // The weekend days are weekend all day.
        {kSat, 0, 0, 0, kWeekend},
        {kSat, 12, 0, 0, kWeekend},
        {kSun, 23, 59, 59, kWeekend},
    };
    const Tariff tariff = usualTariff();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "weekday " << c.weekday << " " << c.hour << ":"
                                        << c.minute << ":" << c.second);
        EXPECT_EQ(RateInForce(c.weekday, encodeTime(c.hour, c.minute, c.second), tariff),
                  c.expected);
    }
}

TEST(RateInForce, OffPeakStartBeforeOffPeakEndMakesMidweekOffPeakAllDay) {
    Tariff tariff = usualTariff();
    tariff.offPeakStart = encodeTime(7, 0, 0);
    for (int hour : {0, 7, 8, 12, 18, 23})
        EXPECT_EQ(RateInForce(kWed, encodeTime(hour, 0, 0), tariff), kOffPeak) << hour;
}

TEST(SessionCharge, GrowsPerSecondAndNeverFallsBelowTheMinimum) {
    const Currency perMinute = rate(350); // 0.035 a minute
    const Currency minimum = rate(500);   // 0.050
    const std::pair<int, std::int64_t> cases[] = {
        {0, 500}, {60, 500}, {85, 500}, {86, 502}, {100, 583}, {3600, 21000},
    };
    for (const auto& [seconds, raw] : cases)
        EXPECT_EQ(SessionCharge(seconds, perMinute, minimum).raw(), raw) << seconds;
}

TEST(SessionCharge, RoundsAnExactHalfToTheEvenNeighbour) {
    // 3 ten-thousandths a minute is 0.05 a second: 10 s gives 0.5 and 30 s gives 1.5.
    EXPECT_EQ(SessionCharge(10, rate(3), rate(0)).raw(), 0);
    EXPECT_EQ(SessionCharge(30, rate(3), rate(0)).raw(), 2);
    EXPECT_EQ(SessionCharge(50, rate(3), rate(0)).raw(), 2);
}

TEST(WholeSecondsBetween, RoundsHalvesToEvenAndRefusesWhatExceeds32Bits) {
    EXPECT_EQ(WholeSecondsBetween(1000, 1000), 0);
    EXPECT_EQ(WholeSecondsBetween(0, 1499), 1);
    EXPECT_EQ(WholeSecondsBetween(0, 1500), 2);
    EXPECT_EQ(WholeSecondsBetween(0, 2500), 2);
    EXPECT_EQ(WholeSecondsBetween(5000, 0), -5);
    EXPECT_EQ(WholeSecondsBetween(0, 2147483647000LL), 2147483647);
    EXPECT_THROW(WholeSecondsBetween(0, 2147483648000LL), RangeError);
}

} // namespace
