#include "metering/alarms/alarm_check.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

// Readable failure output for texts.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace dvx;

namespace {

Currency Pence(std::int64_t pence) {
    return Currency::fromRaw(pence * 100);
}

const QString kResetDate = QStringLiteral("01/02/2026 09:30:00");

struct AlarmCase {
    const char* name;
    AlarmLimits limits;
    AlarmsArmed armed;
    MeteredAmounts amounts;
    bool windowShowing;
    std::optional<AlarmKind> shownKind;
    const char* message; // of the alarm shown, when one is
    AlarmsArmed armedAfter;
};

MeteredAmounts Amounts(std::int32_t sessionSeconds, Currency sessionCharge,
                       std::int32_t totalSeconds = 0, Currency totalCharges = {}) {
    return {sessionSeconds, sessionCharge, totalSeconds, totalCharges, kResetDate};
}

constexpr AlarmsArmed kAll = AlarmsArmed::all();
constexpr AlarmsArmed kNone{};

const AlarmCase kCases[] = {
    {"all limits off",
     {},
     kAll,
     Amounts(100000, Pence(99999), 100000, Pence(9999)),
     false,
     std::nullopt,
     "",
     kAll},
    {"session time one tick early",
     {1, {}, 0, {}},
     kAll,
     Amounts(59, Pence(5)),
     false,
     std::nullopt,
     "",
     kAll},
    {"session time at exactly one minute",
     {1, {}, 0, {}},
     kAll,
     Amounts(60, Pence(5)),
     false,
     AlarmKind::sessionTime,
     "The current session time has reached 1 minutes, 0 seconds.",
     {true, false, true, true}},
    {"session time gives the value, not the limit",
     {10, {}, 0, {}},
     kAll,
     Amounts(605, Pence(50)),
     false,
     AlarmKind::sessionTime,
     "The current session time has reached 10 minutes, 5 seconds.",
     {true, false, true, true}},
    {"session cost at the minimum charge fires at once",
     {0, Pence(5), 0, {}},
     kAll,
     Amounts(0, Pence(5)),
     false,
     AlarmKind::sessionCost,
     "The current session cost has reached £0.05",
     {false, true, true, true}},
    {"session cost just below",
     {0, Pence(6), 0, {}},
     kAll,
     Amounts(0, Pence(5)),
     false,
     std::nullopt,
     "",
     kAll},
    {"total cost includes the running session",
     {0, {}, 0, Pence(100)},
     kAll,
     Amounts(10, Pence(5), 3000, Pence(95)),
     false,
     AlarmKind::totalCost,
     "The total call cost since 01/02/2026 09:30:00 has reached £1.00",
     {true, true, false, true}},
    {"total time includes the running session",
     {0, {}, 50, {}},
     kAll,
     Amounts(1, Pence(5), 2999),
     false,
     AlarmKind::totalTime,
     "The total call time since 01/02/2026 09:30:00 has reached 50 minutes, 0 seconds.",
     {true, true, true, false}},
    {"a used-up alarm stays quiet",
     {1, Pence(5), 0, {}},
     {false, false, true, true},
     Amounts(600, Pence(50)),
     false,
     std::nullopt,
     "",
     {false, false, true, true}},
    {"two alarms in one tick show only the first",
     {1, {}, 1, {}},
     kAll,
     Amounts(60, Pence(5)),
     false,
     AlarmKind::sessionTime,
     "The current session time has reached 1 minutes, 0 seconds.",
     {true, false, true, false}},
    {"cost is checked before time",
     {1, Pence(5), 0, {}},
     kAll,
     Amounts(60, Pence(5)),
     false,
     AlarmKind::sessionCost,
     "The current session cost has reached £0.05",
     {false, false, true, true}},
    {"an alarm reached while the window shows is used up",
     {1, {}, 0, {}},
     kAll,
     Amounts(60, Pence(5)),
     true,
     std::nullopt,
     "",
     {true, false, true, true}},
    {"disarmed outside a session",
     {1, Pence(1), 1, Pence(1)},
     kNone,
     Amounts(600, Pence(50), 600, Pence(50)),
     false,
     std::nullopt,
     "",
     kNone},
    {"negative limits are off",
     {-1, Pence(-1), -1, Pence(-1)},
     kAll,
     Amounts(0, {}),
     false,
     std::nullopt,
     "",
     kAll},
};

} // namespace

TEST(AlarmCheck, TableOfCases) {
    const RegionalSettings rs = RegionalSettings::british();
    for (const AlarmCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const AlarmCheckResult result =
            CheckAlarmLimits(c.limits, c.armed, c.amounts, c.windowShowing, rs);
        ASSERT_EQ(result.toShow.has_value(), c.shownKind.has_value());
        if (c.shownKind) {
            EXPECT_EQ(result.toShow->kind, *c.shownKind);
            EXPECT_EQ(result.toShow->message, QString::fromUtf8(c.message));
        }
        EXPECT_EQ(result.armed, c.armedAfter);
    }
}

TEST(AlarmCheck, HugeLimitsAndTotalsNeverWrap) {
    const RegionalSettings rs = RegionalSettings::british();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    // A limit whose seconds exceed 32 bits is never reached by 32-bit seconds...
    const AlarmLimits huge{kMax, {}, kMax, {}};
    EXPECT_FALSE(
        CheckAlarmLimits(huge, AlarmsArmed::all(), Amounts(kMax, {}, 0), false, rs).toShow);
    // ...and a total plus a session beyond 32 bits still counts as more, not as negative.
    const AlarmLimits total{0, {}, 35791395, {}};
    const AlarmCheckResult result =
        CheckAlarmLimits(total, AlarmsArmed::all(), Amounts(kMax, {}, kMax), false, rs);
    ASSERT_TRUE(result.toShow);
    EXPECT_EQ(result.toShow->message,
              QStringLiteral("The total call time since 01/02/2026 09:30:00 has reached "
                             "71582788 minutes, 14 seconds."));
}
